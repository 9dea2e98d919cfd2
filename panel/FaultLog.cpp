#include "FaultLog.h"

#include <climits>
#include <cstdio>

namespace faultlog {

const char* const kLookUpFile = "LookUpError.csv";
const char* const kLogFile = "DiagnosticsData.csv";
const fileio::LineLimits kLookUpLimits = {4 << 20, 256 << 10};
const fileio::LineLimits kLogLimits = {128 << 20, 256 << 10};

namespace {
std::time_t SystemClock() { return std::time(nullptr); }
}  // namespace

ClockFunction Clock = &SystemClock;

std::string FaultLabel(unsigned short code)
{
    char label[16];
    std::snprintf(label, sizeof label, "F%04dP%d", code % 10000, code / 10000);
    return label;
}

std::vector<std::string> LookUpTokens(const std::string& line)
{
    std::vector<std::string> kept;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type quote = line.find('"', start);
        const std::string token = line.substr(start, quote == std::string::npos ? std::string::npos : quote - start);
        if (!token.empty() && token != "," && token != " " && token.compare(0, 2, ",,") != 0)
            kept.push_back(token);
        if (quote == std::string::npos) break;
        start = quote + 1;
    }
    return kept;
}

void SkipByteOrderMark(std::string& line)
{
    if (line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
}

std::string SubsystemNumber(const std::string& subsystemText)
{
    const std::string::size_type ss = subsystemText.find("SS");
    if (ss == std::string::npos) return std::string();
    const std::string::size_type from = ss + 2;
    const std::string::size_type colon = subsystemText.find(':', from);
    return subsystemText.substr(from, colon == std::string::npos ? std::string::npos : colon - from);
}

bool LastDigitRun(const std::string& line, std::string& run)
{
    const std::string::size_type last = line.find_last_of("0123456789");
    if (last == std::string::npos) return false;
    const std::string::size_type before = line.find_last_not_of("0123456789", last);
    const std::string::size_type first = before == std::string::npos ? 0 : before + 1;
    run = line.substr(first, last - first + 1);
    return true;
}

int CountValue(const std::string& digits)
{
    long long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
        if (value > INT_MAX) return 0;
    }
    return static_cast<int>(value);
}

std::string EventTimeText(std::time_t when)
{
    char text[80] = "";
    std::tm local{};
    if (::localtime_r(&when, &local)) std::strftime(text, sizeof text, "%Y-%m-%d  %H:%M:%S", &local);
    return text;
}

std::string LogRow(const std::string& counter, const std::string (&fields)[6])
{
    std::string row = "\"" + counter;
    for (const std::string& field : fields) row += "\" \" " + field;
    row += "\"\n";
    return row;
}

bool AppendRow(const std::string& path, const std::string& row)
{
    return fileio::AppendRow(path, row).ok();
}

}  // namespace faultlog
