// The port buffers by MVB port number, from the display's own port table, so
// a case table can name a bus value as port, word and value.
#ifndef CABDISPLAY_TESTS_DECODE_PORTSBYNUMBER_H
#define CABDISPLAY_TESTS_DECODE_PORTSBYNUMBER_H

#include <cstring>

#include "PortTable.h"

namespace decodetest {

// The entry of a polled port, or null when the display keeps no buffer for it.
inline const MvbPort* FindPort(int number)
{
    for (const MvbPort& p : mvb_config_ports)
        if (p.port == number && p.buffer) return &p;
    return nullptr;
}

inline int WordCount(const MvbPort& p) { return p.size / 2; }

inline void ZeroAllPorts()
{
    for (const MvbPort& p : mvb_config_ports)
        if (p.buffer) std::memset(p.buffer, 0, p.size);
}

}  // namespace decodetest

#endif
