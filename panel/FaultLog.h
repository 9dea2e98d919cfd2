// The fault label, the fault look-up table "LookUpError.csv" and the
// diagnostics log "DiagnosticsData.csv": their formats and the small steps
// the fault pop-up and the diagnostics screen build on.
#ifndef CABDISPLAY_PANEL_FAULTLOG_H
#define CABDISPLAY_PANEL_FAULTLOG_H

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

#include "FileIo.h"

namespace faultlog {

extern const char* const kLookUpFile;   // "LookUpError.csv"
extern const char* const kLogFile;      // "DiagnosticsData.csv"

// How much of each file the display reads. The table: some thousand faults
// of a few hundred bytes each fit in 4 MB. The log: a row is about 95
// bytes, so 128 MB hold well over a million rows (decades of faults) and
// take a fraction of a second to read. A line of either: 256 KB, far above
// any fault text the pop-up can show; a longer one is damaged (a disk that
// lost power mid-write leaves runs of zero bytes) and skipped.
extern const fileio::LineLimits kLookUpLimits;
extern const fileio::LineLimits kLogLimits;

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

// Appends the row to the log file `path` as the file layer does (a regular
// file only, created when missing, a line feed first after a torn line, cut
// back on failure). False when it was refused or failed.
bool AppendRow(const std::string& path, const std::string& row);

}  // namespace faultlog

#endif
