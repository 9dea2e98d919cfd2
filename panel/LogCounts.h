// The occurrence counts held in the diagnostics log, kept between fault
// onsets. The log grows for the life of the locomotive; reading it whole at
// every onset held the main loop longer each year. It is read whole once,
// and again whenever it may not be the file the display last read or wrote:
// another file, another size, other times, or a change the kernel reports
// (a watch on the file and its name). Without a watch, a state whose times
// are not older than the file system can tell apart is not trusted either
// (a same-size change within that step leaves size and times alike). The
// rows the display appends itself are noted as they are written.
#ifndef CABDISPLAY_PANEL_LOGCOUNTS_H
#define CABDISPLAY_PANEL_LOGCOUNTS_H

#include <ctime>
#include <map>
#include <string>
#include <sys/stat.h>

#include "ChangeWatch.h"
#include "FileIo.h"

namespace faultlog {

// What the log says about a label: whether a line contains it, and the value
// of the last run of digits on the last such line (a run too long for a
// count is 0).
struct LastCount {
    bool found = false;
    int value = 0;
};

// A label as the fault pop-up makes them: 'F', four digits, 'P', a digit.
bool IsFaultLabel(const std::string& label);

class LogCounts {
public:
    // Whether the kernel's change reports are used, or the file's times only.
    enum class Watching { Changes, TimesOnly };

    // The counts of "DiagnosticsData.csv", or of another log file.
    LogCounts();
    explicit LogCounts(std::string path, Watching watching = Watching::Changes);

    // The last count of the label. False when the log cannot be read (it is
    // missing, not a plain file, or refused: Refused() says why). Labels of
    // another shape are looked for by reading the log whole.
    bool Find(const std::string& label, LastCount& last);
    // What the last read of the log has to report: why it was refused, the
    // damaged lines it skipped, or that it did well.
    const fileio::Outcome& LastRead() const { return lastRead_; }

    // The display appended this row (line feed included) to the log; a
    // file that does not end in a line feed got one first.
    void Appended(const std::string& row);

    // Times the log was read whole (for the tests and benchmarks).
    unsigned long WholeReads() const { return wholeReads_; }

private:
    // The file as the counts know it.
    struct Known {
        bool valid = false;    // the counts hold what the file holds
        bool missing = false;  // ... and that is nothing: there was no file
        bool watched = false;  // the watch has seen the file since
        struct stat file {};
        timespec seen {};      // when the file was last read or written
        bool endsWithLineFeed = true;
    };

    bool Trusted(const struct stat& now) const;
    void Forget();
    void StartWatch();
    bool ReadWhole();

    std::string path_;
    Watching watching_;
    fileio::ChangeWatch watch_;
    Known known_;
    std::map<std::string, LastCount> counts_;
    fileio::Outcome lastRead_;
    unsigned long wholeReads_ = 0;
};

}  // namespace faultlog

#endif
