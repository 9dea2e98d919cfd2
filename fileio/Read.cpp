#include "FileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace fileio {

namespace {

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

constexpr std::size_t kReadChunk = 64 * 1024;

}  // namespace

ssize_t ReadSome(int fd, char* data, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, data, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}

Outcome Reader::Open(const char* path, std::uint64_t byteLimit, int at)
{
    fd_.Close();
    struct stat named {};
    if (::fstatat(at, path, &named, AT_SYMLINK_NOFOLLOW) != 0) return Outcome::FromErrno(errno);
    const Refusal kind = RefusalForKind(named.st_mode);
    if (kind != Refusal::None) return Outcome::Because(kind);
    if (static_cast<std::uint64_t>(named.st_size) > byteLimit) return Outcome::Because(Refusal::TooLarge, byteLimit);
    // Neither a link nor a wait: should a pipe or device take the name now,
    // the open returns at once and the check below refuses it.
    Descriptor fd(::openat(at, path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.open()) return Outcome::FromErrno(errno);
    if (::fstat(fd.get(), &opened_) != 0) return Outcome::FromErrno(errno);
    if (!S_ISREG(opened_.st_mode) || !SameFile(named, opened_)) return Outcome::Because(Refusal::Swapped);
    if (static_cast<std::uint64_t>(opened_.st_size) > byteLimit) return Outcome::Because(Refusal::TooLarge, byteLimit);
    fd_.Reset(fd.Release());
    return Outcome();
}

Outcome ReadLines(const std::string& path, const LineLimits& limits, const LineFunction& line, LinesRead* read,
                  int at)
{
    LinesRead seen;
    Reader file;
    Outcome outcome = file.Open(path, limits.bytes, at);
    if (!outcome.ok()) return outcome;
    seen.before = file.Opened();

    std::vector<char> buffer(kReadChunk);
    std::string partial;      // a line that goes on past the bytes read so far
    bool damaged = false;     // ... too long: skipped up to its line feed
    std::uint64_t total = 0;
    char last = '\n';
    for (;;) {
        const ssize_t n = ReadSome(file.fd(), buffer.data(), buffer.size());
        if (n < 0) {
            outcome = Outcome::FromErrno(errno);
            break;
        }
        if (n == 0) break;
        total += static_cast<std::uint64_t>(n);
        if (total > limits.bytes) {
            outcome = Outcome::Because(Refusal::TooLarge, limits.bytes);
            break;
        }
        last = buffer[static_cast<std::size_t>(n) - 1];
        const char* at = buffer.data();
        const char* end = at + n;
        while (at < end && !seen.stopped) {
            const char* feed = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
            const char* stop = feed ? feed : end;
            const std::size_t size = static_cast<std::size_t>(stop - at);
            if (!damaged && partial.size() + size > limits.line) {
                damaged = true;
                partial.clear();
            }
            if (!feed) {
                if (!damaged) partial.append(at, size);
                break;
            }
            if (damaged) {
                ++seen.damaged;
                damaged = false;
            } else if (partial.empty()) {
                ++seen.lines;
                seen.stopped = !line(at, size);
            } else {
                partial.append(at, size);
                ++seen.lines;
                seen.stopped = !line(partial.data(), partial.size());
                partial.clear();
            }
            at = feed + 1;
        }
        if (seen.stopped) break;
    }
    if (outcome.ok() && !seen.stopped) {
        // A last line without a line feed is a line too.
        if (damaged) {
            ++seen.damaged;
        } else if (!partial.empty()) {
            ++seen.lines;
            seen.stopped = !line(partial.data(), partial.size());
        }
        seen.endsWithLineFeed = last == '\n';
    }
    if (::fstat(file.fd(), &seen.after) != 0) seen.after = seen.before;
    if (read) *read = seen;
    return outcome;
}

Outcome ReadInto(const char* path, char* buffer, std::size_t capacity, std::size_t& length)
{
    length = 0;
    Reader file;
    const Outcome outcome = file.Open(path, capacity);
    if (!outcome.ok()) return outcome;
    for (;;) {
        char probe;
        // One byte past the capacity tells a file that grew past it.
        const bool full = length == capacity;
        const ssize_t n = full ? ReadSome(file.fd(), &probe, 1) : ReadSome(file.fd(), buffer + length, capacity - length);
        if (n < 0) return Outcome::FromErrno(errno);
        if (n == 0) return Outcome();
        if (full) return Outcome::Because(Refusal::TooLarge, capacity);
        length += static_cast<std::size_t>(n);
    }
}

Outcome ToReport(const Outcome& outcome, const LinesRead& read, const LineLimits& limits)
{
    if (!outcome.ok() || read.damaged == 0) return outcome;
    return Outcome{Refusal::DamagedLines, static_cast<int>(std::min<unsigned long>(read.damaged, 1u << 30)),
                   limits.line};
}

Outcome ReadAll(const std::string& path, std::uint64_t byteLimit, std::string& bytes, struct stat* opened, int at)
{
    bytes.clear();
    Reader file;
    const Outcome outcome = file.Open(path, byteLimit, at);
    if (!outcome.ok()) return outcome;
    if (opened) *opened = file.Opened();
    bytes.resize(static_cast<std::size_t>(file.Opened().st_size));
    std::size_t length = 0;
    for (;;) {
        if (length == bytes.size()) {
            // The file may have grown since it was opened: room for more,
            // up to one byte past the limit.
            if (length > byteLimit) {
                bytes.clear();
                return Outcome::Because(Refusal::TooLarge, byteLimit);
            }
            const std::size_t room = static_cast<std::size_t>(
                std::min<std::uint64_t>(byteLimit + 1 - length, kReadChunk));
            bytes.resize(length + room);
        }
        const ssize_t n = ReadSome(file.fd(), &bytes[length], bytes.size() - length);
        if (n < 0) {
            bytes.clear();
            return Outcome::FromErrno(errno);
        }
        if (n == 0) break;
        length += static_cast<std::size_t>(n);
    }
    if (length > byteLimit) {
        bytes.clear();
        return Outcome::Because(Refusal::TooLarge, byteLimit);
    }
    bytes.resize(length);
    return Outcome();
}

}  // namespace fileio
