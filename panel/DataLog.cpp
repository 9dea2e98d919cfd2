#include "DataLog.h"

#include <algorithm>
#include <iostream>
#include <sys/stat.h>

#include "DiagnosticModes.h"
#include "FaultLog.h"
#include "FileIo.h"
#include "MediaListing.h"
#include "ReadMVBData.h"

namespace {

const std::size_t kListingLimit = 200;
const char* const kRule = "\n-+-+-+-+-+-+-+";
// A stick folder is looked at up to this many entries for the leftovers of
// earlier copies.
const std::size_t kStickEntryLimit = 4096;

enum UsbState : unsigned short { kStickPresent = 1, kCopied = 2, kExportRunning = 3 };

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// True while the open folder is still the one that `name` under the media
// root names: same file, and not removed.
bool StillOnTheStick(int root, const std::string& name, int folder)
{
    struct stat opened{}, now{};
    return ::fstat(folder, &opened) == 0 && opened.st_nlink > 0 &&
           ::fstatat(root, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(opened, now);
}

// Copies the log into the stick folder `name` of the media root, after
// removing what killed copies left there. Any failure removes the new file
// and leaves the stick as it was. True only when the whole copy is on the
// stick under its name.
bool CopyToStick(int root, const std::string& rootPath, const std::string& name)
{
    const std::string stick = rootPath + "/" + name;
    fileio::Descriptor folder;
    const fileio::Outcome opened = fileio::OpenFolder(name, folder, false, root);
    fileio::Report(stick, "not a stick", opened);
    if (!opened.ok()) return false;
    fileio::Reader log;
    const fileio::Outcome read = log.Open(faultlog::kLogFile, faultlog::kLogLimits.bytes);
    fileio::Report(faultlog::kLogFile, "not copied", read);
    if (!read.ok()) return false;
    const std::size_t left = fileio::RemoveLeftovers(folder.get(), faultlog::kLogFile, kStickEntryLimit);
    if (left > 0) std::cout << stick << ": " << left << " left by earlier copies removed" << std::endl;
    const fileio::Outcome copied = fileio::Replace(folder.get(), faultlog::kLogFile, log, datalog::Write);
    fileio::Report(stick + "/" + faultlog::kLogFile, "not written", copied);
    return copied.ok() && StillOnTheStick(root, name, folder.get());
}

}  // namespace

namespace datalog {

fileio::WriteFunction Write = &::write;

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
    if (store->FunctionKeyMode != FunctionKeyCopy) {
        // f3: nothing to copy
    } else if (!cabmedia::ListMediaRoot(listing)) {
        std::cout << "USB NOT FOUND\r" << std::endl;
    } else {
        const std::string::size_type end = listing.find('\xFF');
        listing = listing.substr(0, std::min(end, kListingLimit));
        std::cout << kRule << std::endl << listing << kRule << std::endl;
        const std::string root = cabmedia::MediaRoot();
        // The media root is the cab's own folder, followed when it is a link.
        fileio::Descriptor rootFolder;
        const bool rootOpen = fileio::OpenFolder(root, rootFolder, true).ok();
        for (const std::string& name : datalog::VolumeNames(listing)) {
            std::cout << "cp " << faultlog::kLogFile << " " << root << "/" << name << "/" << faultlog::kLogFile
                      << kRule << std::endl;
            if (rootOpen && CopyToStick(rootFolder.get(), root, name)) {
                store->UsbCopyStatus = kCopied;
                break;
            }
        }
    }
    if (store->UsbCopyStatus != kCopied) store->UsbCopyStatus = kStickPresent;
    return 0;
}
