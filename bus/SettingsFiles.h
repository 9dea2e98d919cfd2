// The two settings files kept in the working directory: the six wheel
// diameters and the inching speed. Reading is bounded and never trusts the
// file; writing goes through a temporary file renamed over the old one, and
// only when the content would change. Formatting and comparing use fixed
// buffers, so a tick that finds nothing to write allocates nothing.
#ifndef CABDISPLAY_BUS_SETTINGSFILES_H
#define CABDISPLAY_BUS_SETTINGSFILES_H

#include <cstddef>

namespace settingsfiles {

constexpr const char* kWheelDiameterFile = "wheeldiameteroutput.txt";
constexpr const char* kActualSpeedFile = "ActualSpeedVal.txt";
constexpr int kBogies = 6;

// Largest file text either format produces, with room to spare.
constexpr std::size_t kMaxText = 256;

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

// Reads the file (its first kMaxText - 1 bytes). False when it does not open.
bool ReadText(const char* path, char (&text)[kMaxText], std::size_t& length);

// Writes the text when the file's current content differs: temporary file in
// the same directory, flushed to disk, renamed over the file, and the
// directory flushed too (so the rename survives a power cut). Prints
// "File not found" when the file cannot be written.
WriteResult WriteIfChanged(const char* path, const char* text, std::size_t length);

// The store's start-up reads and the tick's rewrites of the two files. A file
// that does not open prints "File not found" and leaves the values as they are.
bool LoadWheelDiameters(unsigned short (&diameters)[kBogies]);
bool LoadActualSpeed(float& value);
WriteResult SaveWheelDiameters(const unsigned short (&diameters)[kBogies]);
WriteResult SaveActualSpeed(float value);

}  // namespace settingsfiles

#endif
