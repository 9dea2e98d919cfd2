// The port buffers by MVB port number, so a case table can name a bus value
// as port, word and value.
#ifndef CABDISPLAY_TESTS_DECODE_PORTSBYNUMBER_H
#define CABDISPLAY_TESTS_DECODE_PORTSBYNUMBER_H

#include <cstring>

#include "PortBuffers.h"

namespace decodetest {

struct PortEntry {
    int number;
    unsigned short* words;
    int size;   // in words
};

inline const PortEntry kPorts[] = {
    {1010, FLG1_1010, 8},
    {1000, FLG1_1000, 8},
    {1020, FLG1_1020, 16},
    {1030, FLG1_1030, 16},
    {1035, FLG1_1035, 8},
    {1040, FLG1_1040, 16},
    {1045, FLG1_1045, 4},
    {1046, FLG1_1046, 16},
    {1047, FLG1_1047, 16},
    {1050, FLG1_1050, 8},
    {1060, FLG1_1060, 1},
    {1070, FLG1_1070, 4},
    {1500, FLG2_1500, 8},
    {1510, FLG2_1510, 8},
    {1520, FLG2_1520, 16},
    {1530, FLG2_1530, 16},
    {1535, FLG2_1535, 8},
    {1540, FLG2_1540, 16},
    {1545, FLG2_1545, 4},
    {1546, FLG2_1546, 16},
    {1547, FLG2_1547, 16},
    {1550, FLG2_1550, 8},
    {1560, FLG2_1560, 1},
    {1570, FLG2_1570, 4},
    {100, SLG1_100, 16},
    {101, SLG1_101, 16},
    {102, SLG1_102, 16},
    {103, SLG1_103, 16},
    {104, SLG1_104, 16},
    {105, SLG1_105, 16},
    {106, SLG1_106, 4},
    {107, SLG1_107, 16},
    {108, SLG1_108, 16},
    {109, SLG1_109, 16},
    {110, SLG1_110, 16},
    {200, SLG2_200, 16},
    {201, SLG2_201, 16},
    {202, SLG2_202, 16},
    {203, SLG2_203, 16},
    {204, SLG2_204, 16},
    {205, SLG2_205, 16},
    {206, SLG2_206, 4},
    {207, SLG2_207, 16},
    {208, SLG2_208, 16},
    {209, SLG2_209, 16},
    {210, SLG2_210, 16},
    {46, ZBV1_0046, 16},
    {3300, ZBV1_3300, 16},
    {1100, STB1_1100, 4},
    {1105, STB1_1105, 2},
    {1110, STB1_1110, 16},
    {1115, STB1_1115, 1},
    {1195, STB1_1195, 4},
    {1600, STB2_1600, 2},
    {1605, STB2_1605, 2},
    {1610, STB2_1610, 16},
    {1695, STB2_1695, 8},
    {1200, HBB1_1200, 8},
    {1210, HBB1_1210, 1},
    {1216, HBB1_1216, 16},
    {1220, HBB1_1220, 1},
    {1295, HBB1_1295, 4},
    {1215, HBB1_1215, 2},
    {1700, HBB2_1700, 2},
    {1705, HBB2_1705, 1},
    {1710, HBB2_1710, 1},
    {1720, HBB2_1720, 8},
    {1795, HBB2_1795, 4},
    {1715, HBB2_1715, 2},
    {2000, BUR1_2000, 2},
    {2010, BUR1_2010, 4},
    {2025, BUR1_2025, 16},
    {2095, BUR1_2095, 2},
    {3900, BUR1_3900, 8},
    {2100, BUR2_2100, 2},
    {2110, BUR2_2110, 8},
    {2120, BUR2_2120, 1},
    {2195, BUR2_2195, 4},
    {2125, BUR2_2125, 16},
    {3950, BUR2_3950, 8},
    {2200, BUR3_2200, 2},
    {2210, BUR3_2210, 8},
    {2220, BUR3_2220, 2},
    {2225, BUR3_2225, 16},
    {2295, BUR3_2295, 4},
    {4000, BUR3_4000, 8},
    {1302, DDA1_1302, 4},
    {1304, DDA1_1304, 4},
    {1305, DDA1_1305, 4},
    {1310, DDA1_1310, 16},
    {1311, DDA1_1311, 16},
    {1312, DDA1_1312, 16},
    {1395, DDA1_1395, 2},
    {1800, DDA2_1800, 4},
    {1804, DDA2_1804, 2},
    {1895, DDA2_1895, 2},
    {3005, DIA1_3005, 2},
    {3010, DIA1_3010, 4},
    {3015, DIA1_3015, 1},
    {301, DDU_301, 16},
    {300, DDU_300, 16},
    {160, TC1_160, 16},
    {161, TC1_161, 16},
    {170, TC1_DDU_170, 16},
    {260, TC2_260, 16},
    {261, TC2_261, 16},
    {270, TC2_DDU_270, 16},
};

// The buffer of a port, or null when the display does not poll it.
inline const PortEntry* FindPort(int number)
{
    for (const PortEntry& p : kPorts)
        if (p.number == number) return &p;
    return nullptr;
}

inline void ZeroAllPorts()
{
    for (const PortEntry& p : kPorts) std::memset(p.words, 0, sizeof(unsigned short) * p.size);
}

}  // namespace decodetest

#endif
