#include "FileIo.h"

#include <cerrno>
#include <ctime>
#include <sys/random.h>

namespace fileio {

namespace {

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

Outcome Failure(int error) { return Outcome{Refusal::Failed, error != 0 ? error : EIO, 0}; }

// True when the file is empty or its last byte is a line feed.
bool EndsWithLineFeed(int fd, off_t size)
{
    if (size == 0) return true;
    char last = 0;
    return ::pread(fd, &last, 1, size - 1) == 1 && last == '\n';
}

// Opens the regular file for the append: the one that was looked at, or a
// new one when there was none. A name that changes kind between the look
// and the open is looked at once more.
Outcome OpenForAppend(const std::string& path, Descriptor& fd, Appended& done)
{
    const int flags = O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    for (int attempt = 0; attempt < 2; ++attempt) {
        struct stat named {};
        if (::lstat(path.c_str(), &named) == 0) {
            const Refusal kind = RefusalForKind(named.st_mode);
            if (kind != Refusal::None) return Outcome::Because(kind);
            fd.Reset(::open(path.c_str(), flags));
            if (!fd.open() && errno == ENOENT) continue;
            if (!fd.open()) return Outcome::FromErrno(errno);
            if (::fstat(fd.get(), &done.before) != 0) return Failure(errno);
            if (!S_ISREG(done.before.st_mode) || !SameFile(named, done.before)) return Outcome::Because(Refusal::Swapped);
            return Outcome();
        }
        if (errno != ENOENT) return Outcome::FromErrno(errno);
        fd.Reset(::open(path.c_str(), flags | O_CREAT | O_EXCL, 0644));
        if (!fd.open() && errno == EEXIST) continue;
        if (!fd.open()) return Outcome::FromErrno(errno);
        if (::fstat(fd.get(), &done.before) != 0) return Failure(errno);
        done.created = true;
        return Outcome();
    }
    return Outcome::Because(Refusal::Swapped);
}

// Cuts the file back after a close that reported a lost write: opened
// again the same careful way, and only when it is still that file.
void CutBack(const std::string& path, const struct stat& file)
{
    struct stat named {}, opened {};
    if (::lstat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode) || !SameFile(named, file)) return;
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.open() && ::fstat(fd.get(), &opened) == 0 && SameFile(opened, file) &&
        ::ftruncate(fd.get(), file.st_size) != 0) {
        // nothing more can be done
    }
}

// 16 hexadecimal digits nobody can foretell.
std::string RandomSuffix()
{
    static unsigned long long counter = 0;
    unsigned long long value = 0;
    if (::getrandom(&value, sizeof value, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof value)) {
        // Without the kernel's random numbers: time, process and a counter.
        timespec now {};
        ::clock_gettime(CLOCK_REALTIME, &now);
        value = (static_cast<unsigned long long>(now.tv_nsec) << 20) ^ static_cast<unsigned long long>(now.tv_sec) ^
                (static_cast<unsigned long long>(::getpid()) << 40) ^ (++counter * 0x9E3779B97F4A7C15ull);
    }
    static const char kHex[] = "0123456789abcdef";
    std::string suffix(16, '0');
    for (char& digit : suffix) {
        digit = kHex[value & 0xF];
        value >>= 4;
    }
    return suffix;
}

// A new file in the folder that did not exist before: never an existing
// file, link or pipe. Its name goes to `temporary`.
int CreateTemporary(int folder, const std::string& name, std::string& temporary)
{
    const int kAttempts = 16;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        temporary = "." + name + "." + RandomSuffix();
        const int fd = ::openat(folder, temporary.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool IsSuffixCharacter(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || c == '.'; }

}  // namespace

bool WriteAll(int fd, const char* data, std::size_t size, WriteFunction write)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

Outcome AppendRow(const std::string& path, const std::string& row, Appended* appended, WriteFunction write)
{
    Appended done;
    Descriptor fd;
    const Outcome opened = OpenForAppend(path, fd, done);
    if (!opened.ok()) return opened;
    done.lineFeedAdded = !EndsWithLineFeed(fd.get(), done.before.st_size);
    const std::string bytes = done.lineFeedAdded ? "\n" + row : row;
    errno = 0;
    if (!WriteAll(fd.get(), bytes.data(), bytes.size(), write)) {
        const int error = errno;
        if (::ftruncate(fd.get(), done.before.st_size) != 0) {
            // nothing more can be done
        }
        return Failure(error);
    }
    if (::fstat(fd.get(), &done.after) != 0) done.after = done.before;
    if (!fd.Close()) {
        const int error = errno;
        CutBack(path, done.before);
        return Failure(error);
    }
    if (appended) *appended = done;
    return Outcome();
}

Outcome Replace(int folder, const std::string& name, const FillFunction& fill)
{
    std::string temporary;
    Descriptor file(CreateTemporary(folder, name, temporary));
    if (!file.open()) return Outcome::FromErrno(errno);
    errno = 0;
    bool written = fill(file.get()) && ::fsync(file.get()) == 0;
    int error = errno;
    if (!file.Close() && written) {
        written = false;
        error = errno;
    }
    if (written && ::renameat(folder, temporary.c_str(), folder, name.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlinkat(folder, temporary.c_str(), 0);
        return Failure(error);
    }
    // The rename lives in the folder: until the folder reaches the disk a
    // power cut can bring the old file back.
    if (::fsync(folder) != 0 && errno != EINVAL) return Failure(errno);
    return Outcome();
}

Outcome Replace(int folder, const std::string& name, const char* data, std::size_t size, WriteFunction write)
{
    return Replace(folder, name, [&](int fd) { return WriteAll(fd, data, size, write); });
}

Outcome Replace(int folder, const std::string& name, const Reader& source, WriteFunction write)
{
    return Replace(folder, name, [&](int fd) {
        char buffer[8192];
        for (off_t at = 0;;) {
            const ssize_t n = ::pread(source.fd(), buffer, sizeof buffer, at);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return false;
            if (n == 0) return true;
            if (!WriteAll(fd, buffer, static_cast<std::size_t>(n), write)) return false;
            at += n;
        }
    });
}

Outcome Replace(const std::string& path, const char* data, std::size_t size)
{
    Descriptor folder;
    const Outcome opened = OpenFolder(FolderOf(path), folder, true);
    if (!opened.ok()) return opened;
    return Replace(folder.get(), NameOf(path), data, size);
}

bool IsOwnTemporary(const std::string& entry, const std::string& name)
{
    if (entry == name + ".tmp") return true;
    const std::string start = "." + name + ".";
    if (entry.size() <= start.size() || entry.compare(0, start.size(), start) != 0) return false;
    for (std::size_t i = start.size(); i < entry.size(); ++i)
        if (!IsSuffixCharacter(entry[i])) return false;
    return true;
}

std::size_t RemoveLeftovers(int folder, const std::string& name, std::size_t entryLimit)
{
    std::vector<std::string> names;
    ListFolder(folder, entryLimit, names);  // with too many entries: the first ones
    std::size_t removed = 0;
    for (const std::string& entry : names)
        if (IsOwnTemporary(entry, name) && ::unlinkat(folder, entry.c_str(), 0) == 0) ++removed;
    return removed;
}

}  // namespace fileio
