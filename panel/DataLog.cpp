#include "DataLog.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

#include "FaultLog.h"
#include "MediaListing.h"
#include "ReadMVBData.h"

namespace {

const unsigned int kCopyKeyMode = 105;   // f1: copy; f3 (10) only looks
const std::size_t kListingLimit = 200;
const char* const kRule = "\n-+-+-+-+-+-+-+";

enum UsbState : unsigned short { kStickPresent = 1, kCopied = 2, kExportRunning = 3 };

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Copies all bytes from one open file to another; false on any error.
bool CopyBytes(int from, int to)
{
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (!WriteAll(to, buffer, static_cast<std::size_t>(n))) return false;
    }
}

}  // namespace

namespace datalog {

bool CopyFile(const std::string& source, const std::string& target)
{
    const int from = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) return false;
    const int to = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (to < 0) {
        ::close(from);
        return false;
    }
    bool ok = CopyBytes(from, to);
    ok = (::fsync(to) == 0) && ok;
    ok = (::close(to) == 0) && ok;
    ok = (::close(from) == 0) && ok;
    return ok;
}

std::vector<std::string> VolumeNames(const std::string& listing)
{
    std::vector<std::string> names;
    std::string name;
    for (unsigned char byte : listing) {
        if (byte >= 0x30 && byte <= 0x7A) {
            name += static_cast<char>(byte);
        } else if (name.size() > 3) {
            names.push_back(name);
            name.clear();
        }
    }
    return names;
}

}  // namespace datalog

DataLog::DataLog()
{
    Initialaization();
}

DataLog::~DataLog() = default;

void DataLog::Initialaization() {}

int DataLog::findUsb()
{
    ReadMVBData::getInstance()->UsbCopyStatus = kExportRunning;
    return findUsb1();
}

int DataLog::findUsb1()
{
    ReadMVBData* store = ReadMVBData::getInstance();
    std::string listing;
    if (store->FunctionKeyMode != kCopyKeyMode) {
        // f3: nothing to copy
    } else if (!cabmedia::ListMediaRoot(listing)) {
        std::cout << "USB NOT FOUND\r" << std::endl;
    } else {
        const std::string::size_type end = listing.find('\xFF');
        listing = listing.substr(0, std::min(end, kListingLimit));
        std::cout << kRule << std::endl << listing << kRule << std::endl;
        const std::string root = cabmedia::MediaRoot() + "/";
        for (const std::string& name : datalog::VolumeNames(listing)) {
            const std::string target = root + name + "/" + faultlog::kLogFile;
            std::cout << "cp " << faultlog::kLogFile << " " << target << kRule << std::endl;
            if (datalog::CopyFile(faultlog::kLogFile, target)) {
                store->UsbCopyStatus = kCopied;
                break;
            }
        }
    }
    if (store->UsbCopyStatus != kCopied) store->UsbCopyStatus = kStickPresent;
    return 0;
}
