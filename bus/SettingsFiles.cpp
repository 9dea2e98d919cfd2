#include "SettingsFiles.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <locale.h>
#include <unistd.h>

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

bool WriteAll(int fd, const char* text, std::size_t length)
{
    while (length > 0) {
        ssize_t n = ::write(fd, text, length);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text += n;
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

// The rename lives in the directory: until the directory itself reaches
// the disk a power cut can bring the old file back.
bool SyncDirectoryOf(const char* path)
{
    char directory[kMaxText];
    const char* slash = std::strrchr(path, '/');
    if (!slash)
        std::snprintf(directory, sizeof directory, ".");
    else if (slash == path)
        std::snprintf(directory, sizeof directory, "/");
    else if (std::snprintf(directory, sizeof directory, "%.*s", static_cast<int>(slash - path), path) >=
             static_cast<int>(sizeof directory))
        return false;
    const int fd = ::open(directory, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

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
    length = 0;
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    while (length < kMaxText - 1) {
        ssize_t n = ::read(fd, text + length, kMaxText - 1 - length);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        length += static_cast<std::size_t>(n);
    }
    ::close(fd);
    text[length] = '\0';
    return true;
}

WriteResult WriteIfChanged(const char* path, const char* text, std::size_t length)
{
    if (SameContent(path, text, length)) return WriteResult::Unchanged;

    char temp[256];
    int n = std::snprintf(temp, sizeof temp, "%s.tmp", path);
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof temp) {
        PrintFileNotFound();
        return WriteResult::Failed;
    }
    int fd = ::open(temp, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        PrintFileNotFound();
        return WriteResult::Failed;
    }
    bool ok = WriteAll(fd, text, length) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp, path) != 0) {
        ::unlink(temp);
        PrintFileNotFound();
        return WriteResult::Failed;
    }
    if (!SyncDirectoryOf(path)) {
        PrintFileNotFound();
        return WriteResult::Failed;
    }
    return WriteResult::Written;
}

bool LoadWheelDiameters(unsigned short (&diameters)[kBogies])
{
    char text[kMaxText];
    std::size_t length = 0;
    if (!ReadText(kWheelDiameterFile, text, length)) {
        PrintFileNotFound();
        return false;
    }
    ParseWheelDiameters(text, length, diameters);
    return true;
}

bool LoadActualSpeed(float& value)
{
    char text[kMaxText];
    std::size_t length = 0;
    if (!ReadText(kActualSpeedFile, text, length)) {
        PrintFileNotFound();
        return false;
    }
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
