#include "LogCounts.h"

#include <cerrno>
#include <climits>
#include <cstring>
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

// What a time stamp step may be: two seconds on FAT and on ext4 with small
// inodes (no nanoseconds at all), one clock tick of an older kernel else.
constexpr long kCoarseStepNs = 2000000000L;
constexpr long kFineStepNs = 100000000L;

long long Ns(const timespec& t) { return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec; }

timespec Now()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now;
}

// True when no change after `seen` can leave the file's times as they are:
// both are older than `seen` by more than a step of the file system's clock.
bool Settled(const struct stat& file, const timespec& seen)
{
    const bool coarse = file.st_mtim.tv_nsec == 0 && file.st_ctim.tv_nsec == 0;
    const long long limit = Ns(seen) - (coarse ? kCoarseStepNs : kFineStepNs);
    return Ns(file.st_mtim) < limit && Ns(file.st_ctim) < limit;
}

// Lines of the log as the whole-log count reads them: a line that contains
// fault labels sets their counts to the value of its last digit run.
class LineScanner {
public:
    explicit LineScanner(std::map<std::string, LastCount>& counts) : counts_(counts) {}

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

    // Text the display wrote itself, line by line.
    void ScanText(const std::string& text)
    {
        std::string::size_type start = 0;
        while (start < text.size()) {
            std::string::size_type feed = text.find('\n', start);
            if (feed == std::string::npos)
                feed = text.size();
            ScanLine(text.data() + start, feed - start);
            start = feed + 1;
        }
    }

private:
    std::map<std::string, LastCount>& counts_;
    std::vector<std::string> labels_;
};

// Any label: the log read whole, line by line; a line that contains the
// label and a digit run sets the count.
fileio::Outcome FindByReading(const std::string& path, const std::string& label, LastCount& last)
{
    std::string run;
    fileio::LinesRead read;
    const fileio::Outcome outcome = fileio::ReadLines(path, kLogLimits, [&](const char* text, std::size_t size) {
        const std::string line(text, size);
        if (line.find(label) != std::string::npos && LastDigitRun(line, run))
            last = LastCount{true, CountValue(run)};
        return true;
    }, &read);
    return fileio::ToReport(outcome, read, kLogLimits);
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

LogCounts::LogCounts() : LogCounts(kLogFile) {}

LogCounts::LogCounts(std::string path, Watching watching) : path_(std::move(path)), watching_(watching) {}

bool LogCounts::Trusted(const struct stat& now) const
{
    if (!known_.valid || known_.missing || !SameFile(known_.file, now))
        return false;
    return known_.watched || Settled(known_.file, known_.seen);
}

void LogCounts::Forget()
{
    known_ = Known();
    counts_.clear();
}

// From now on the kernel reports what happens to the log; the watch sees
// a change made while the log is read.
void LogCounts::StartWatch()
{
    known_.watched = watching_ == Watching::Changes && watch_.Watch(path_);
}

bool LogCounts::ReadWhole()
{
    Forget();
    StartWatch();
    LineScanner scanner(counts_);
    fileio::LinesRead read;
    const fileio::Outcome outcome = fileio::ReadLines(path_, kLogLimits, [&](const char* line, std::size_t size) {
        scanner.ScanLine(line, size);
        return true;
    }, &read);
    lastRead_ = fileio::ToReport(outcome, read, kLogLimits);
    if (!outcome.ok()) {
        Forget();
        return false;
    }
    ++wholeReads_;
    // A file that changed while it was read is read again next time.
    known_.valid = SameFile(read.before, read.after) && !(known_.watched && watch_.Changed());
    known_.file = read.after;
    known_.seen = Now();
    known_.endsWithLineFeed = read.endsWithLineFeed;
    return true;
}

bool LogCounts::Find(const std::string& label, LastCount& last)
{
    last = LastCount();
    if (!IsFaultLabel(label)) {
        lastRead_ = FindByReading(path_, label, last);
        return lastRead_.ok() || lastRead_.refusal == fileio::Refusal::DamagedLines;
    }
    struct stat now {};
    if (::lstat(path_.c_str(), &now) != 0) {
        lastRead_ = fileio::Outcome::FromErrno(errno);
        Forget();
        StartWatch();  // the file's creation by the display's own row is its own
        known_.valid = known_.missing = true;
        known_.seen = Now();
        return false;
    }
    const bool changed = known_.watched && watch_.Changed();
    if ((changed || !Trusted(now)) && !ReadWhole())
        return false;
    const auto found = counts_.find(label);
    if (found != counts_.end())
        last = found->second;
    return true;
}

void LogCounts::Appended(const std::string& row)
{
    struct stat now {};
    const bool readable = ::lstat(path_.c_str(), &now) == 0 && S_ISREG(now.st_mode);
    off_t expected = static_cast<off_t>(row.size());
    bool ours = readable && known_.valid;
    if (ours && !known_.missing) {
        expected += known_.file.st_size + (known_.endsWithLineFeed ? 0 : 1);
        ours = now.st_dev == known_.file.st_dev && now.st_ino == known_.file.st_ino;
    }
    // Only the display's own append since it last looked: nobody else's.
    if (ours && known_.watched)
        ours = !watch_.ChangedBesidesOwnAppend();
    if (!ours || now.st_size != expected) {
        Forget();  // someone else wrote too: read it whole next time
        return;
    }
    LineScanner scanner(counts_);
    scanner.ScanText(row);
    if (known_.missing && known_.watched)
        StartWatch();  // the new file itself
    known_.missing = false;
    known_.file = now;
    known_.seen = Now();
    known_.endsWithLineFeed = row.empty() || row.back() == '\n';
}

}  // namespace faultlog
