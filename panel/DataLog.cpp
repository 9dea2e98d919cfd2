#include "DataLog.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

#include "FaultLog.h"
#include "MediaListing.h"
#include "ReadMVBData.h"

namespace {

const unsigned int kCopyKeyMode = 105;   // f1: copy; f3 (10) only looks
const std::size_t kListingLimit = 200;
const char* const kRule = "\n-+-+-+-+-+-+-+";
const int kTempAttempts = 100;

enum UsbState : unsigned short { kStickPresent = 1, kCopied = 2, kExportRunning = 3 };

// A file descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool open() const { return fd_ >= 0; }
    // Closes now; false when the close reports a lost write.
    bool Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

// Copies all bytes from one open file to another; false on any error.
bool CopyBytes(int from, int to)
{
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (!faultlog::WriteAll(to, buffer, static_cast<std::size_t>(n), datalog::Write)) return false;
    }
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The log, for reading, when it is a regular file. A link, pipe or device
// in its place is refused without being opened (looked at first), and the
// open itself neither follows a link nor waits.
int OpenLog()
{
    struct stat named{}, opened{};
    if (::lstat(faultlog::kLogFile, &named) != 0 || !S_ISREG(named.st_mode)) return -1;
    const int fd = ::open(faultlog::kLogFile, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0 && (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || !SameFile(named, opened))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A new file in the folder that did not exist before (never an existing
// file, link or pipe); its name goes to `name`.
int CreateTemporary(int folder, std::string& name)
{
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        name = "." + std::string(faultlog::kLogFile) + "." + std::to_string(::getpid()) + "." + std::to_string(attempt);
        const int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Makes the rename lasting. A file system that cannot sync a folder says so
// with EINVAL; the file itself is synced already.
bool SyncFolder(int folder)
{
    return ::fsync(folder) == 0 || errno == EINVAL;
}

// True while the open folder is still the one that `name` under the media
// root names: same file, and not removed.
bool StillOnTheStick(int root, const std::string& name, int folder)
{
    struct stat opened{}, now{};
    return ::fstat(folder, &opened) == 0 && opened.st_nlink > 0 &&
           ::fstatat(root, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(opened, now);
}

// Copies the log into the stick folder `name` of the media root. Any
// failure removes the new file and leaves the stick as it was. True only
// when the whole copy is on the stick under its name.
bool CopyToStick(int root, const std::string& name)
{
    Descriptor folder(::openat(root, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder.open()) return false;
    Descriptor log(OpenLog());
    if (!log.open()) return false;
    std::string temporary;
    Descriptor copy(CreateTemporary(folder.get(), temporary));
    if (!copy.open()) return false;
    bool copied = CopyBytes(log.get(), copy.get()) && ::fsync(copy.get()) == 0;
    copied = copy.Close() && copied;
    if (!copied || ::renameat(folder.get(), temporary.c_str(), folder.get(), faultlog::kLogFile) != 0) {
        ::unlinkat(folder.get(), temporary.c_str(), 0);
        return false;
    }
    return SyncFolder(folder.get()) && StillOnTheStick(root, name, folder.get());
}

}  // namespace

namespace datalog {

faultlog::WriteFunction Write = &::write;

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
        const std::string root = cabmedia::MediaRoot();
        Descriptor rootFolder(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        for (const std::string& name : datalog::VolumeNames(listing)) {
            std::cout << "cp " << faultlog::kLogFile << " " << root << "/" << name << "/" << faultlog::kLogFile
                      << kRule << std::endl;
            if (rootFolder.open() && CopyToStick(rootFolder.get(), name)) {
                store->UsbCopyStatus = kCopied;
                break;
            }
        }
    }
    if (store->UsbCopyStatus != kCopied) store->UsbCopyStatus = kStickPresent;
    return 0;
}
