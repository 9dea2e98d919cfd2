// The folder in which USB sticks appear, and its listing as `ls` prints it,
// made in the program (no process is started).
#ifndef CABDISPLAY_PANEL_MEDIALISTING_H
#define CABDISPLAY_PANEL_MEDIALISTING_H

#include <cstddef>
#include <string>

namespace cabmedia {

// $CABDISPLAY_MEDIA when set and not empty, otherwise "/media".
std::string MediaRoot();

// How many entries of the media root are looked at: a cab's /media holds
// a few mount points; a folder of more is named once, and only its first
// entries are listed.
constexpr std::size_t kMediaEntryLimit = 1024;

// The entries of the media root not starting with '.', sorted bytewise, one
// per line, each ending in a line feed. False when the root cannot be read.
bool ListMediaRoot(std::string& listing);

}  // namespace cabmedia

#endif
