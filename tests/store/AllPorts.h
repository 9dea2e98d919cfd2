// Every port buffer, from the display's own port table, so a test can start
// from an all-zero bus.
#ifndef CABDISPLAY_TESTS_STORE_ALLPORTS_H
#define CABDISPLAY_TESTS_STORE_ALLPORTS_H

#include <cstring>

#include "PortTable.h"

namespace storetest {

inline void ZeroAllPorts()
{
    for (const MvbPort& p : mvb_config_ports)
        if (p.buffer) std::memset(p.buffer, 0, p.size);
}

}  // namespace storetest

#endif
