#include "SettingsFiles.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include "FileIo.h"

namespace settingsfiles {

namespace {

// The files always use '.' as decimal point, whatever locale the toolkit set.
locale_t NumericCLocale()
{
    static locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    return c;
}

// Runs printf-style formatting under the C numeric locale.
class CNumericScope {
public:
    CNumericScope() : previous_(NumericCLocale() ? uselocale(NumericCLocale()) : static_cast<locale_t>(0)) {}
    ~CNumericScope() { if (previous_) uselocale(previous_); }
private:
    locale_t previous_;
};

void PrintFileNotFound()
{
    std::fputs("File not found\n", stdout);
    std::fflush(stdout);
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A bounded cursor over the file text.
struct Cursor {
    const char* at;
    const char* end;

    void SkipSpace() { while (at < end && IsSpace(*at)) ++at; }
    bool Literal(const char* text)
    {
        std::size_t n = std::strlen(text);
        if (static_cast<std::size_t>(end - at) < n || std::memcmp(at, text, n) != 0) return false;
        at += n;
        return true;
    }
    // "%hd": optional white space and sign, then digits; must fit 16 bits signed.
    bool Short(short& value)
    {
        SkipSpace();
        bool negative = false;
        if (at < end && (*at == '+' || *at == '-')) negative = (*at++ == '-');
        long v = 0;
        const char* digits = at;
        while (at < end && *at >= '0' && *at <= '9') {
            v = v * 10 + (*at++ - '0');
            if (v > 32768) return false;
        }
        if (at == digits) return false;
        if (negative) v = -v;
        if (v > 32767) return false;
        value = static_cast<short>(v);
        return true;
    }
};

constexpr const char* kBogieLabels[kBogies] = {
    "BOGIE1WHEELDIAMval1=", "BOGIE2WHEELDIAMval2=", "BOGIE3WHEELDIAMval3=",
    "BOGIE4WHEELDIAMval4=", "BOGIE5WHEELDIAMval5=", "BOGIE6WHEELDIAMval6=",
};
constexpr const char* kSpeedLabel = "ActualSpeedVal=";
constexpr float kMaxInchingSpeed = 6553.5f;  // 0xFFFF tenths

bool SameContent(const char* path, const char* text, std::size_t length)
{
    char current[kMaxText];
    std::size_t currentLength = 0;
    if (!ReadText(path, current, currentLength)) return false;
    // A longer file fills the buffer, so it never compares equal to our text.
    return currentLength == length && std::memcmp(current, text, length) == 0;
}

}  // namespace

std::size_t FormatWheelDiameters(const unsigned short (&diameters)[kBogies], char (&text)[kMaxText])
{
    std::size_t length = 0;
    for (int i = 0; i < kBogies; ++i) {
        int n = std::snprintf(text + length, kMaxText - length, "%s%hd\n", kBogieLabels[i],
                              static_cast<short>(diameters[i]));
        length += static_cast<std::size_t>(n);
    }
    return length;
}

std::size_t FormatActualSpeed(float value, char (&text)[kMaxText])
{
    CNumericScope scope;
    int n = std::snprintf(text, kMaxText, "%s%f", kSpeedLabel, static_cast<double>(value));
    if (n < 0) return 0;
    return static_cast<std::size_t>(n) < kMaxText ? static_cast<std::size_t>(n) : kMaxText - 1;
}

int ParseWheelDiameters(const char* text, std::size_t length, unsigned short (&diameters)[kBogies])
{
    Cursor c{text, text + length};
    for (int i = 0; i < kBogies; ++i) {
        short value = 0;
        if (!c.Literal(kBogieLabels[i]) || !c.Short(value)) return i;
        diameters[i] = static_cast<unsigned short>(value);
        c.SkipSpace();
    }
    return kBogies;
}

bool ParseActualSpeed(const char* text, std::size_t length, float& value)
{
    Cursor c{text, text + length};
    if (!c.Literal(kSpeedLabel)) return false;
    c.SkipSpace();
    // strtof needs a terminated string: copy the bounded rest.
    char number[64];
    std::size_t n = static_cast<std::size_t>(c.end - c.at);
    if (n >= sizeof number) n = sizeof number - 1;
    std::memcpy(number, c.at, n);
    number[n] = '\0';
    char* stop = nullptr;
    errno = 0;
    float v = NumericCLocale() ? strtof_l(number, &stop, NumericCLocale()) : std::strtof(number, &stop);
    if (stop == number || errno == ERANGE || !std::isfinite(v) || v < 0.0f || v > kMaxInchingSpeed)
        return false;
    value = v;
    return true;
}

bool ReadText(const char* path, char (&text)[kMaxText], std::size_t& length)
{
    return fileio::ReadInto(path, text, kMaxText, length).ok();
}

WriteResult WriteIfChanged(const char* path, const char* text, std::size_t length)
{
    if (SameContent(path, text, length)) return WriteResult::Unchanged;
    const fileio::Outcome written = fileio::Replace(path, text, length);
    if (fileio::Report(path, "not written", written)) PrintFileNotFound();
    return written.ok() ? WriteResult::Written : WriteResult::Failed;
}

std::size_t RemoveLeftovers()
{
    fileio::Descriptor folder;
    if (!fileio::OpenFolder(".", folder, true).ok()) return 0;
    std::size_t removed = 0;
    for (const char* file : {kWheelDiameterFile, kActualSpeedFile}) {
        const std::size_t left = fileio::RemoveLeftovers(folder.get(), file, kFolderEntryLimit);
        if (left > 0) std::printf("%s: %zu left by earlier writes removed\n", file, left);
        removed += left;
    }
    std::fflush(stdout);
    return removed;
}

void SayNotUsed(const char* path, const char* what, const char* value, const char* range)
{
    std::printf("%s: %s %s outside %s, not used\n", path, what, value, range);
    std::fflush(stdout);
}

namespace {

// The file's text; false (with "File not found", and the reason for a
// refused file) when it cannot be read.
bool LoadText(const char* path, char (&text)[kMaxText], std::size_t& length)
{
    const fileio::Outcome read = fileio::ReadInto(path, text, kMaxText, length);
    fileio::Report(path, "not read", read);
    if (read.ok()) return true;
    PrintFileNotFound();
    return false;
}

}  // namespace

bool LoadWheelDiameters(unsigned short (&diameters)[kBogies])
{
    char text[kMaxText];
    std::size_t length = 0;
    if (!LoadText(kWheelDiameterFile, text, length)) return false;
    ParseWheelDiameters(text, length, diameters);
    return true;
}

bool LoadActualSpeed(float& value)
{
    char text[kMaxText];
    std::size_t length = 0;
    if (!LoadText(kActualSpeedFile, text, length)) return false;
    ParseActualSpeed(text, length, value);
    return true;
}

WriteResult SaveWheelDiameters(const unsigned short (&diameters)[kBogies])
{
    char text[kMaxText];
    std::size_t length = FormatWheelDiameters(diameters, text);
    return WriteIfChanged(kWheelDiameterFile, text, length);
}

WriteResult SaveActualSpeed(float value)
{
    char text[kMaxText];
    std::size_t length = FormatActualSpeed(value, text);
    return WriteIfChanged(kActualSpeedFile, text, length);
}

}  // namespace settingsfiles
