// Float-to-integer conversions of the refresh: bus values can be out of
// range or NaN, so each is clamped before it is converted.
#ifndef CABDISPLAY_SHELL_CONVERSIONS_H
#define CABDISPLAY_SHELL_CONVERSIONS_H

#include <string>

// Truncated toward zero and clamped to -32768..32767; NaN gives 0.
short ClampToShort(float value);
// Truncated toward zero and clamped to 0..65535; NaN gives 0.
unsigned short ClampToUnsignedShort(float value);
// The speed the dials show: 0..180 km/h; NaN counts as 0.
float ClampSpeed(float kmh);
// Title bar speed needle angle in degrees for a clamped speed.
float SpeedNeedleAngle(float kmh);

// Stick detection: the number of characters with codes 0x30..0x7A in the
// first 201 characters of a media-root listing.
int CountNameChars(const std::string& listing);
// The USB state after a listing: fewer than three name characters give 0 (no
// stick); otherwise 0 and 1 become 1 and any other
// state (2: copy made) stays.
unsigned short UsbStateAfterListing(unsigned short state, int nameChars);

#endif
