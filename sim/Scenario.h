// Scenario files of the mvbsim program: one event per line,
//   <ms> port <port> <word> <value>   a unit publishes a sink-port word
//   <ms> key <byte> [<byte>...]       bytes sent on the keypad line
//   <ms> fault <name>                 none, no-reply, never-takes,
//                                     check-swapped, check-unchanged,
//                                     no-card, garbage
//   <ms> delay <MS>                   each reply from then on MS milliseconds
//                                     after its command (0: at once)
//   <ms> close                        the device closes the link
// <ms> counts from the display's first port read (its first poll, after the
// start-up); numbers are decimal or
// 0x-hexadecimal; '#' starts a comment; blank lines are skipped. Events run
// in time order (lines with the same time in file order). "fault none" ends
// the faults and keeps the reply delay.
#ifndef CABDISPLAY_SIM_SCENARIO_H
#define CABDISPLAY_SIM_SCENARIO_H

#include "MueDevice.h"

#include <string>
#include <vector>

namespace mvbsim {

// The longest reply delay a scenario or --reply-delay sets.
const unsigned long kLongestReplyDelayMs = 600000;

struct Event {
    enum Kind { Word, Keys, Fault, Delay, Close };
    unsigned long atMs = 0;
    Kind kind = Word;
    unsigned port = 0, word = 0;
    unsigned short value = 0;
    unsigned delayMs = 0;
    std::vector<unsigned char> bytes;
    std::string fault;
};

struct Scenario {
    std::vector<Event> events;
};

// Parses scenario text; on a bad line returns false with "line N: ..." in error.
bool ParseScenario(const std::string& text, Scenario& scenario, std::string& error);
bool LoadScenario(const std::string& path, Scenario& scenario, std::string& error);

// Sets the device faults for a fault name; false for an unknown name. "none"
// clears every fault but the reply delay.
bool ApplyFault(const std::string& name, mue_sim::MueDevice::Faults& faults);

}  // namespace mvbsim

#endif
