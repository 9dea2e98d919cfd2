// The two settings files kept in the working directory: the six wheel
// diameters and the inching speed, both through the file layer. Reading
// takes a regular file of at most kMaxText bytes (a link, pipe, device or
// larger file is refused with a line) and never trusts its text; writing
// goes through a new file of an unpredictable name renamed over the old
// one, and only when the content would change. Formatting and comparing use
// fixed buffers, so a tick that finds nothing to write allocates nothing.
#ifndef CABDISPLAY_BUS_SETTINGSFILES_H
#define CABDISPLAY_BUS_SETTINGSFILES_H

#include <cstddef>

namespace settingsfiles {

constexpr const char* kWheelDiameterFile = "wheeldiameteroutput.txt";
constexpr const char* kActualSpeedFile = "ActualSpeedVal.txt";
constexpr int kBogies = 6;

// Largest settings file the display reads: either format writes less than
// 256 bytes, so a larger file is no settings file of the display's.
constexpr std::size_t kMaxText = 4096;

enum class WriteResult { Unchanged, Written, Failed };

// "BOGIE1WHEELDIAMval1=%hd\n" ... "BOGIE6WHEELDIAMval6=%hd\n"; each value as a
// signed 16-bit number. Returns the text length.
std::size_t FormatWheelDiameters(const unsigned short (&diameters)[kBogies], char (&text)[kMaxText]);
// "ActualSpeedVal=%f", no line break, always with a '.' as decimal point.
std::size_t FormatActualSpeed(float value, char (&text)[kMaxText]);

// Reads the six values in order, as the format above (any run of white space
// stands for each line break). Stops at the first value that does not match
// or does not fit 16 bits; values from there on are left untouched. Returns
// how many were read.
int ParseWheelDiameters(const char* text, std::size_t length, unsigned short (&diameters)[kBogies]);
// Reads "ActualSpeedVal=<number>". A value that is not a finite number in the
// range an inching speed can take (0 to 6553.5) is not taken. True when read.
bool ParseActualSpeed(const char* text, std::size_t length, float& value);

// Reads the regular file whole. False when it is missing or refused.
bool ReadText(const char* path, char (&text)[kMaxText], std::size_t& length);

// Writes the text when the file's current content differs: a new file of
// an unpredictable name in the same directory, flushed to disk, renamed
// over the file, and the directory flushed too (so the rename survives a
// power cut). A file that cannot be written prints "File not found" and the
// reason, once for each cause.
WriteResult WriteIfChanged(const char* path, const char* text, std::size_t length);

// A working directory holds some dozen entries; no more than this many are
// looked through for what killed writes left.
constexpr std::size_t kFolderEntryLimit = 4096;

// Removes from the working directory what writes of either file, killed
// before their rename, left (by this display or an earlier version of it);
// the store does this at start, before any rewrite. How many were removed.
std::size_t RemoveLeftovers();

// The store's start-up reads and the tick's rewrites of the two files. A file
// that is missing or refused prints "File not found" (a refused one its
// reason too) and leaves the values as they are.
bool LoadWheelDiameters(unsigned short (&diameters)[kBogies]);
bool LoadActualSpeed(float& value);

// A value from a file that no screen would let through: the line
// "<file>: <what> <value> outside <range>, not used".
void SayNotUsed(const char* path, const char* what, const char* value, const char* range);
WriteResult SaveWheelDiameters(const unsigned short (&diameters)[kBogies]);
WriteResult SaveActualSpeed(float value);

}  // namespace settingsfiles

#endif
