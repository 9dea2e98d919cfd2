// Reading the bus: a bit of a port word, and the marker that says the FLG2
// side of the cab is the one in use.
#ifndef CABDISPLAY_VOCABULARY_BUSWORDS_H
#define CABDISPLAY_VOCABULARY_BUSWORDS_H

// Port 1500 word 2 holds this while the FLG2 side is in use (port 1000
// word 2 carries it too for the redundant control unit and the effort split).
constexpr unsigned short kFlg2Marker = 0xF2AC;

// Bit k of a word (bit 0 the least significant), as 0 or 1.
inline unsigned short Bit(unsigned short word, int k)
{
    return static_cast<unsigned short>((word >> k) & 1u);
}

#endif
