#include "LogCounts.h"

#include <cerrno>
#include <climits>
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
// line feed, and a last line without one counts too. For each line it notes
// the fault labels it contains and the value of its last digit run; a line
// that contains labels sets their counts.
class LineScanner {
public:
    explicit LineScanner(std::map<std::string, LastCount>& counts) : counts_(counts) {}

    void Feed(const char* bytes, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i)
            Take(bytes[i]);
    }

    // End of the text: a torn last line is a line.
    void Finish()
    {
        if (lineLength_ > 0)
            EndLine();
    }

private:
    void Take(char c)
    {
        if (c == '\n') {
            EndLine();
            return;
        }
        ++lineLength_;
        window_[lineLength_ % 7] = c;
        if (lineLength_ >= 7 && IsDigit(c))
            NoteLabelEndingHere();
        if (!IsDigit(c)) {
            inRun_ = false;
            return;
        }
        if (!inRun_) {
            inRun_ = hasRun_ = true;
            runValue_ = 0;
            runTooLong_ = false;
        }
        if (!runTooLong_) {
            runValue_ = runValue_ * 10 + (c - '0');
            runTooLong_ = runValue_ > INT_MAX;
        }
    }

    // A character of the line: 0 the last one taken, 6 the one six before.
    char Back(int fromEnd) const { return window_[(lineLength_ - fromEnd) % 7]; }

    void NoteLabelEndingHere()
    {
        if (Back(6) != 'F' || Back(1) != 'P')
            return;
        for (int i = 2; i <= 5; ++i)
            if (!IsDigit(Back(i)))
                return;
        std::string label(7, ' ');
        for (int i = 0; i < 7; ++i)
            label[i] = Back(6 - i);
        labels_.push_back(label);
    }

    void EndLine()
    {
        // A line with a label always has a digit run: the label's own.
        const LastCount last{hasRun_, runTooLong_ ? 0 : static_cast<int>(runValue_)};
        for (const std::string& label : labels_)
            counts_[label] = last;
        labels_.clear();
        lineLength_ = 0;
        inRun_ = hasRun_ = runTooLong_ = false;
        runValue_ = 0;
    }

    std::map<std::string, LastCount>& counts_;
    char window_[7] = {};
    unsigned long long lineLength_ = 0;
    std::vector<std::string> labels_;
    bool inRun_ = false, hasRun_ = false, runTooLong_ = false;
    long long runValue_ = 0;
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
