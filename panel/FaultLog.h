// The fault label, the fault look-up table "LookUpError.csv" and the
// diagnostics log "DiagnosticsData.csv": their formats and the small steps
// the fault pop-up and the diagnostics screen build on.
#ifndef CABDISPLAY_PANEL_FAULTLOG_H
#define CABDISPLAY_PANEL_FAULTLOG_H

#include <cstddef>
#include <ctime>
#include <string>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

namespace faultlog {

extern const char* const kLookUpFile;   // "LookUpError.csv"
extern const char* const kLogFile;      // "DiagnosticsData.csv"

// The clock of the log's event time; tests replace it.
using ClockFunction = std::time_t (*)();
extern ClockFunction Clock;

// "F%04dP%d" from code % 10000 and code / 10000.
std::string FaultLabel(unsigned short code);

// The kept tokens of a look-up line: split at every double quote, dropping
// tokens that are empty, "," or " ", or begin with ",,".
std::vector<std::string> LookUpTokens(const std::string& line);

// Removes a UTF-8 byte-order mark (EF BB BF) from the start of the line, as
// editors write one at the start of a saved table.
void SkipByteOrderMark(std::string& line);

// The subsystem number of a subsystem text: from after its first "SS" up to
// the first ':' after it, or to the end; empty when there is no "SS".
std::string SubsystemNumber(const std::string& subsystemText);

// The last run of decimal digits in the line; false when it has none.
bool LastDigitRun(const std::string& line, std::string& run);

// A digit run as a count; a run that does not fit an int counts as 0.
int CountValue(const std::string& digits);

// Local time as the log writes it: "%Y-%m-%d  %H:%M:%S".
std::string EventTimeText(std::time_t when);

// One log row, line feed included: "c" "f2" "f3" ... with one blank after
// each separating quote pair.
std::string LogRow(const std::string& counter, const std::string (&fields)[6]);

// Writes every byte, again after an interrupted or short write, through
// `write` (tests give their own). False when a write fails or writes nothing.
using WriteFunction = ssize_t (*)(int fd, const void* data, std::size_t size);
bool WriteAll(int fd, const char* data, std::size_t size, WriteFunction write = &::write);

// Appends the row in one write. A file that does not end in a line feed gets
// one first. On a failed write or close the file is cut back to its size
// before the append. False when the file cannot be opened or written.
bool AppendRow(const std::string& path, const std::string& row);

}  // namespace faultlog

#endif
