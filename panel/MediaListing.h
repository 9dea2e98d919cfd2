// The folder in which USB sticks appear, and its listing as `ls` prints it,
// made in the program (no process is started).
#ifndef CABDISPLAY_PANEL_MEDIALISTING_H
#define CABDISPLAY_PANEL_MEDIALISTING_H

#include <string>

namespace cabmedia {

// $CABDISPLAY_MEDIA when set and not empty, otherwise "/media".
std::string MediaRoot();

// The entries of the media root not starting with '.', sorted bytewise, one
// per line, each ending in a line feed. False when the root cannot be read.
bool ListMediaRoot(std::string& listing);

}  // namespace cabmedia

#endif
