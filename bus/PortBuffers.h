// Port buffers: one array of 16-bit words per polled MVB port, named after the
// sending unit and the port number. Words are in host byte order; word N holds
// bus bytes 2N (high) and 2N+1 (low). DDU_301 is the display's own source port.
// Filled by the bus poll, read by the decode tick; nothing else touches them.
#ifndef CABDISPLAY_BUS_PORTBUFFERS_H
#define CABDISPLAY_BUS_PORTBUFFERS_H

// FLG1
extern unsigned short FLG1_1010[8];   // port 1010, 16 bytes
extern unsigned short FLG1_1000[8];   // port 1000, 16 bytes
extern unsigned short FLG1_1020[16];   // port 1020, 32 bytes
extern unsigned short FLG1_1030[16];   // port 1030, 32 bytes
extern unsigned short FLG1_1035[8];   // port 1035, 16 bytes
extern unsigned short FLG1_1040[16];   // port 1040, 32 bytes
extern unsigned short FLG1_1045[4];   // port 1045, 8 bytes
extern unsigned short FLG1_1046[16];   // port 1046, 32 bytes
extern unsigned short FLG1_1047[16];   // port 1047, 32 bytes
extern unsigned short FLG1_1050[8];   // port 1050, 16 bytes
extern unsigned short FLG1_1060[1];   // port 1060, 2 bytes
extern unsigned short FLG1_1070[4];   // port 1070, 8 bytes
// FLG2
extern unsigned short FLG2_1500[8];   // port 1500, 16 bytes
extern unsigned short FLG2_1510[8];   // port 1510, 16 bytes
extern unsigned short FLG2_1520[16];   // port 1520, 32 bytes
extern unsigned short FLG2_1530[16];   // port 1530, 32 bytes
extern unsigned short FLG2_1535[8];   // port 1535, 16 bytes
extern unsigned short FLG2_1540[16];   // port 1540, 32 bytes
extern unsigned short FLG2_1545[4];   // port 1545, 8 bytes
extern unsigned short FLG2_1546[16];   // port 1546, 32 bytes
extern unsigned short FLG2_1547[16];   // port 1547, 32 bytes
extern unsigned short FLG2_1550[8];   // port 1550, 16 bytes
extern unsigned short FLG2_1560[1];   // port 1560, 2 bytes
extern unsigned short FLG2_1570[4];   // port 1570, 8 bytes
// SLG1
extern unsigned short SLG1_100[16];   // port 100, 32 bytes
extern unsigned short SLG1_101[16];   // port 101, 32 bytes
extern unsigned short SLG1_102[16];   // port 102, 32 bytes
extern unsigned short SLG1_103[16];   // port 103, 32 bytes
extern unsigned short SLG1_104[16];   // port 104, 32 bytes
extern unsigned short SLG1_105[16];   // port 105, 32 bytes
extern unsigned short SLG1_106[4];   // port 106, 8 bytes
extern unsigned short SLG1_107[16];   // port 107, 32 bytes
extern unsigned short SLG1_108[16];   // port 108, 32 bytes
extern unsigned short SLG1_109[16];   // port 109, 32 bytes
extern unsigned short SLG1_110[16];   // port 110, 32 bytes
// SLG2
extern unsigned short SLG2_200[16];   // port 200, 32 bytes
extern unsigned short SLG2_201[16];   // port 201, 32 bytes
extern unsigned short SLG2_202[16];   // port 202, 32 bytes
extern unsigned short SLG2_203[16];   // port 203, 32 bytes
extern unsigned short SLG2_204[16];   // port 204, 32 bytes
extern unsigned short SLG2_205[16];   // port 205, 32 bytes
extern unsigned short SLG2_206[4];   // port 206, 8 bytes
extern unsigned short SLG2_207[16];   // port 207, 32 bytes
extern unsigned short SLG2_208[16];   // port 208, 32 bytes
extern unsigned short SLG2_209[16];   // port 209, 32 bytes
extern unsigned short SLG2_210[16];   // port 210, 32 bytes
// ZBV1
extern unsigned short ZBV1_0046[16];   // port 46, 32 bytes
extern unsigned short ZBV1_3300[16];   // port 3300, 32 bytes
// STB1
extern unsigned short STB1_1100[4];   // port 1100, 8 bytes
extern unsigned short STB1_1105[2];   // port 1105, 4 bytes
extern unsigned short STB1_1110[16];   // port 1110, 32 bytes
extern unsigned short STB1_1115[1];   // port 1115, 2 bytes
extern unsigned short STB1_1195[4];   // port 1195, 8 bytes
// STB2
extern unsigned short STB2_1600[2];   // port 1600, 4 bytes
extern unsigned short STB2_1605[2];   // port 1605, 4 bytes
extern unsigned short STB2_1610[16];   // port 1610, 32 bytes
extern unsigned short STB2_1695[8];   // port 1695, 16 bytes
// HBB1
extern unsigned short HBB1_1200[8];   // port 1200, 16 bytes
extern unsigned short HBB1_1210[1];   // port 1210, 2 bytes
extern unsigned short HBB1_1216[16];   // port 1216, 32 bytes
extern unsigned short HBB1_1220[1];   // port 1220, 2 bytes
extern unsigned short HBB1_1295[4];   // port 1295, 8 bytes
extern unsigned short HBB1_1215[2];   // port 1215, 4 bytes
// HBB2
extern unsigned short HBB2_1700[2];   // port 1700, 4 bytes
extern unsigned short HBB2_1705[1];   // port 1705, 2 bytes
extern unsigned short HBB2_1710[1];   // port 1710, 2 bytes
extern unsigned short HBB2_1720[8];   // port 1720, 16 bytes
extern unsigned short HBB2_1795[4];   // port 1795, 8 bytes
extern unsigned short HBB2_1715[2];   // port 1715, 4 bytes
// BUR1
extern unsigned short BUR1_2000[2];   // port 2000, 4 bytes
extern unsigned short BUR1_2010[4];   // port 2010, 8 bytes
extern unsigned short BUR1_2025[16];   // port 2025, 32 bytes
extern unsigned short BUR1_2095[2];   // port 2095, 4 bytes
extern unsigned short BUR1_3900[8];   // port 3900, 16 bytes
// BUR2
extern unsigned short BUR2_2100[2];   // port 2100, 4 bytes
extern unsigned short BUR2_2110[8];   // port 2110, 16 bytes
extern unsigned short BUR2_2120[1];   // port 2120, 2 bytes
extern unsigned short BUR2_2195[4];   // port 2195, 8 bytes
extern unsigned short BUR2_2125[16];   // port 2125, 32 bytes
extern unsigned short BUR2_3950[8];   // port 3950, 16 bytes
// BUR3
extern unsigned short BUR3_2200[2];   // port 2200, 4 bytes
extern unsigned short BUR3_2210[8];   // port 2210, 16 bytes
extern unsigned short BUR3_2220[2];   // port 2220, 4 bytes
extern unsigned short BUR3_2225[16];   // port 2225, 32 bytes
extern unsigned short BUR3_2295[4];   // port 2295, 8 bytes
extern unsigned short BUR3_4000[8];   // port 4000, 16 bytes
// DDA1
extern unsigned short DDA1_1302[4];   // port 1302, 8 bytes
extern unsigned short DDA1_1304[4];   // port 1304, 8 bytes
extern unsigned short DDA1_1305[4];   // port 1305, 8 bytes
extern unsigned short DDA1_1310[16];   // port 1310, 32 bytes
extern unsigned short DDA1_1311[16];   // port 1311, 32 bytes
extern unsigned short DDA1_1312[16];   // port 1312, 32 bytes
extern unsigned short DDA1_1395[2];   // port 1395, 4 bytes
// DDA2
extern unsigned short DDA2_1800[4];   // port 1800, 8 bytes
extern unsigned short DDA2_1804[2];   // port 1804, 4 bytes
extern unsigned short DDA2_1895[2];   // port 1895, 4 bytes
// DIA1
extern unsigned short DIA1_3005[2];   // port 3005, 4 bytes
extern unsigned short DIA1_3010[4];   // port 3010, 8 bytes
extern unsigned short DIA1_3015[1];   // port 3015, 2 bytes
// DDU
extern unsigned short DDU_301[16];   // port 301, 32 bytes
extern unsigned short DDU_300[16];   // port 300, 32 bytes
// TC1
extern unsigned short TC1_160[16];   // port 160, 32 bytes
extern unsigned short TC1_161[16];   // port 161, 32 bytes
extern unsigned short TC1_DDU_170[16];   // port 170, 32 bytes
// TC2
extern unsigned short TC2_260[16];   // port 260, 32 bytes
extern unsigned short TC2_261[16];   // port 261, 32 bytes
extern unsigned short TC2_DDU_270[16];   // port 270, 32 bytes

#endif
