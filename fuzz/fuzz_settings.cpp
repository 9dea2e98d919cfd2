// Settings files fuzz target: any file content through the readers of the
// wheel diameter file and the inching speed file. A file larger than the
// largest settings file is refused; whatever they take from another must
// come back unchanged when written out and read again, and an inching speed
// taken is a finite value of its range.
//
// Input: byte 0 chooses the file (even: wheel diameters, odd: inching
// speed); the rest is the file's content.
#include "FuzzSupport.h"

#include "SettingsFiles.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

using fuzzsupport::Check;
namespace sf = settingsfiles;

void WriteFile(const char* path, const uint8_t* data, size_t size)
{
    const int out = ::open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0)
        return;
    const ssize_t written = ::write(out, data, size);
    (void)written;
    ::close(out);
}

void WheelDiameters(const uint8_t* data, size_t size)
{
    WriteFile(sf::kWheelDiameterFile, data, size);
    unsigned short values[sf::kBogies] = {1, 2, 3, 4, 5, 6};
    Check(sf::LoadWheelDiameters(values) == (size <= sf::kMaxText), "wheel diameter file refused or taken wrongly");
    char text[sf::kMaxText];
    const size_t length = sf::FormatWheelDiameters(values, text);
    Check(length < sf::kMaxText && text[length] == '\0', "wheel diameter text not terminated in its buffer");
    unsigned short again[sf::kBogies] = {};
    Check(sf::ParseWheelDiameters(text, length, again) == sf::kBogies, "written wheel diameters do not read back");
    Check(std::memcmp(values, again, sizeof values) == 0, "wheel diameters change on the way through the file");
}

void ActualSpeed(const uint8_t* data, size_t size)
{
    WriteFile(sf::kActualSpeedFile, data, size);
    float value = 12.5f;
    Check(sf::LoadActualSpeed(value) == (size <= sf::kMaxText), "inching speed file refused or taken wrongly");
    Check(std::isfinite(value) && value >= 0.0f && value <= 6553.5f, "inching speed outside its range");
    char text[sf::kMaxText];
    const size_t length = sf::FormatActualSpeed(value, text);
    Check(length > 0 && length < sf::kMaxText, "inching speed text does not fit");
    float again = -1.0f;
    Check(sf::ParseActualSpeed(text, length, again), "written inching speed does not read back");
    Check(std::fabs(again - value) <= 1e-6f * std::max(1.0f, value), "inching speed changes on the way through the file");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzsupport::QuietInPrivateWorkDir(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    if (data[0] % 2 == 0)
        WheelDiameters(data + 1, size - 1);
    else
        ActualSpeed(data + 1, size - 1);
    return 0;
}
