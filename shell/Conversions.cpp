#include "Conversions.h"

#include "CompSupport.h"

#include <cmath>

namespace {

template <typename T>
T ClampTruncate(float value, float low, float high)
{
    if (std::isnan(value))
        return 0;
    if (value <= low)
        return static_cast<T>(low);
    if (value >= high)
        return static_cast<T>(high);
    return static_cast<T>(value);
}

}  // namespace

short ClampToShort(float value) { return ClampTruncate<short>(value, -32768.0f, 32767.0f); }

unsigned short ClampToUnsignedShort(float value) { return ClampTruncate<unsigned short>(value, 0.0f, 65535.0f); }

float ClampSpeed(float kmh)
{
    if (std::isnan(kmh) || kmh < 0)
        return 0;
    return kmh > 180 ? 180 : kmh;
}

float SpeedNeedleAngle(float kmh) { return compsupport::Linear(260, 1.556, kmh); }

int CountNameChars(const std::string& listing)
{
    int count = 0;
    const std::string::size_type limit = listing.size() < 201 ? listing.size() : 201;
    for (std::string::size_type i = 0; i < limit; ++i) {
        const unsigned char c = static_cast<unsigned char>(listing[i]);
        if (c >= 0x30 && c <= 0x7A)
            ++count;
    }
    return count;
}

unsigned short UsbStateAfterListing(unsigned short state, int nameChars)
{
    if (nameChars < 3)
        return 0;
    return (state == 0 || state == 1) ? 1 : state;
}
