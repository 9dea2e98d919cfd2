#include "LogCounts.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>
#include <vector>

#include "FaultLog.h"

namespace faultlog {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           SameTime(a.st_mtim, b.st_mtim) && SameTime(a.st_ctim, b.st_ctim);
}

// Reads log text line by line as the whole-log count does: a line ends at a
// line feed, and a last line without one counts too. A line that contains
// fault labels sets their counts to the value of its last digit run.
class LineScanner {
public:
    explicit LineScanner(std::map<std::string, LastCount>& counts) : counts_(counts) {}

    void Feed(const char* bytes, std::size_t size)
    {
        const char* end = bytes + size;
        while (bytes < end) {
            const char* feed = static_cast<const char*>(std::memchr(bytes, '\n', end - bytes));
            if (!feed) {
                partial_.append(bytes, end);  // the line goes on in the next bytes
                return;
            }
            if (partial_.empty()) {
                ScanLine(bytes, feed - bytes);
            } else {
                partial_.append(bytes, feed);
                ScanLine(partial_.data(), partial_.size());
                partial_.clear();
            }
            bytes = feed + 1;
        }
    }

    // End of the text: a torn last line is a line.
    void Finish()
    {
        if (!partial_.empty())
            ScanLine(partial_.data(), partial_.size());
        partial_.clear();
    }

private:
    void ScanLine(const char* line, std::size_t size)
    {
        labels_.clear();
        for (std::size_t at = 0; at + 7 <= size; ++at) {
            const char* f = static_cast<const char*>(std::memchr(line + at, 'F', size - 7 - at + 1));
            if (!f)
                break;
            at = f - line;
            if (f[5] == 'P' && IsDigit(f[1]) && IsDigit(f[2]) && IsDigit(f[3]) && IsDigit(f[4]) && IsDigit(f[6]))
                labels_.emplace_back(f, 7);
        }
        if (labels_.empty())
            return;
        // The last run of digits; a line with a label always has one.
        std::size_t last = size;
        while (last > 0 && !IsDigit(line[last - 1]))
            --last;
        std::size_t first = last;
        while (first > 0 && IsDigit(line[first - 1]))
            --first;
        long long value = 0;
        for (std::size_t i = first; i < last && value <= INT_MAX; ++i)
            value = value * 10 + (line[i] - '0');
        const LastCount count{true, value > INT_MAX ? 0 : static_cast<int>(value)};
        for (const std::string& label : labels_)
            counts_[label] = count;
    }

    std::map<std::string, LastCount>& counts_;
    std::string partial_;
    std::vector<std::string> labels_;
};

// Any label: the log read whole, line by line; a line that contains the
// label and a digit run sets the count.
bool FindByReading(const std::string& path, const std::string& label, LastCount& last)
{
    std::ifstream log(path);
    if (!log.is_open())
        return false;
    std::string line, run;
    while (std::getline(log, line))
        if (line.find(label) != std::string::npos && LastDigitRun(line, run))
            last = LastCount{true, CountValue(run)};
    return true;
}

}  // namespace

bool IsFaultLabel(const std::string& label)
{
    if (label.size() != 7 || label[0] != 'F' || label[5] != 'P' || !IsDigit(label[6]))
        return false;
    for (int i = 1; i <= 4; ++i)
        if (!IsDigit(label[i]))
            return false;
    return true;
}

LogCounts::LogCounts() : path_(kLogFile) {}

LogCounts::LogCounts(std::string path) : path_(std::move(path)) {}

bool LogCounts::Current(const struct stat& now) const
{
    return known_.valid && !known_.missing && SameFile(known_.file, now);
}

bool LogCounts::ReadWhole()
{
    known_ = Known();
    counts_.clear();
    // Not blocking: a pipe or device put in the log's place is refused, not waited on.
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat before {};
    if (::fstat(fd, &before) != 0 || !S_ISREG(before.st_mode)) {
        ::close(fd);
        return false;
    }
    ++wholeReads_;
    LineScanner scanner(counts_);
    std::vector<char> buffer(64 * 1024);
    char last = '\n';
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;  // end, or a read error: what was read counts
        scanner.Feed(buffer.data(), static_cast<std::size_t>(n));
        last = buffer[n - 1];
    }
    scanner.Finish();
    struct stat after {};
    const bool steady = ::fstat(fd, &after) == 0 && SameFile(before, after);
    ::close(fd);
    // A file that changed while it was read is read again next time.
    known_.valid = steady;
    known_.file = after;
    known_.endsWithLineFeed = last == '\n';
    return true;
}

bool LogCounts::Find(const std::string& label, LastCount& last)
{
    last = LastCount();
    if (!IsFaultLabel(label))
        return FindByReading(path_, label, last);
    struct stat now {};
    if (::stat(path_.c_str(), &now) != 0) {
        known_ = Known();
        counts_.clear();
        known_.valid = known_.missing = true;
        return false;
    }
    if (!Current(now) && !ReadWhole())
        return false;
    const auto found = counts_.find(label);
    if (found != counts_.end())
        last = found->second;
    return true;
}

void LogCounts::Appended(const std::string& row)
{
    struct stat now {};
    const bool readable = ::stat(path_.c_str(), &now) == 0 && S_ISREG(now.st_mode);
    off_t expected = static_cast<off_t>(row.size());
    bool ours = readable && known_.valid;
    if (ours && !known_.missing) {
        expected += known_.file.st_size + (known_.endsWithLineFeed ? 0 : 1);
        ours = now.st_dev == known_.file.st_dev && now.st_ino == known_.file.st_ino;
    }
    if (!ours || now.st_size != expected) {
        known_ = Known();  // someone else wrote too: read it whole next time
        return;
    }
    LineScanner scanner(counts_);
    scanner.Feed(row.data(), row.size());
    scanner.Finish();
    known_.missing = false;
    known_.file = now;
    known_.endsWithLineFeed = row.empty() || row.back() == '\n';
}

}  // namespace faultlog
