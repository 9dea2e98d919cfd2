// Scaling of bus words into store values: bit tests, word division (as an
// unsigned or a signed 16-bit number), rounding to one decimal, truncation
// and 32-bit counters carried in two words.
#ifndef CABDISPLAY_BUS_DECODERULESSCALING_H
#define CABDISPLAY_BUS_DECODERULESSCALING_H

#include <cmath>

#include "BusWords.h"
#include "FloatRounding.h"

namespace decoderules {

// Either of two bits, as 0 or 1.
inline unsigned short AnyBit(unsigned short a, int ka, unsigned short b, int kb)
{
    return static_cast<unsigned short>(Bit(a, ka) | Bit(b, kb));
}

// The word as an unsigned number, divided by d.
inline float Scaled(unsigned short word, float d)
{
    return AsFloat(static_cast<float>(word) / d);
}

// The word as a signed 16-bit number, divided by d.
inline float SignedScaled(unsigned short word, float d)
{
    return AsFloat(static_cast<float>(static_cast<short>(word)) / d);
}

// The integer quotient of the word by d.
inline unsigned short Truncated(unsigned short word, unsigned d)
{
    return static_cast<unsigned short>(word / d);
}

// round(v times 10) / 10, halves away from zero, in float arithmetic like
// the stored value.
inline float RoundedToTenth(float v)
{
    const float tenths = AsFloat(v * 10.0f);
    return AsFloat(std::round(tenths) / 10.0f);
}

// round(word times multiplier / divisor times 10) / 10, halves away from
// zero, computed exactly in integers: rounding the float quotient instead
// comes out a tenth high for some words whose exact value lies just below a
// half (6558.349... would read 6558.4).
inline float WordTenths(unsigned short word, unsigned multiplier, unsigned divisor)
{
    const unsigned long long scaled = 10ull * word * multiplier;
    const unsigned long long tenths = (2 * scaled + divisor) / (2ull * divisor);
    return AsFloat(static_cast<float>(tenths) / 10.0f);
}

// A 32-bit counter from its high and low words.
inline unsigned int Join32(unsigned short high, unsigned short low)
{
    return (static_cast<unsigned int>(high) << 16) | low;
}

}  // namespace decoderules

#endif
