// Rounding to float the same way on the cab and on a 64-bit build. The cab
// computes with the x87 unit, whose registers carry 64 significant bits; a
// 64-bit build rounds every float or double step. A value the display
// stores, shows or places to the last digit comes out the same on both when
// it is rounded to float before it is truncated, compared or printed.
#ifndef CABDISPLAY_VOCABULARY_FLOATROUNDING_H
#define CABDISPLAY_VOCABULARY_FLOATROUNDING_H

// The value rounded to float, once. The store through memory makes the x87
// build round it; a cast alone may leave it in a register unrounded.
inline float AsFloat(long double value)
{
    volatile float stored = static_cast<float>(value);
    return stored;
}

#endif
