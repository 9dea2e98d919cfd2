// The two settings files: formats byte for byte, bounded reading of bad
// files, writes only on change through a renamed temporary file.
#include <gtest/gtest.h>

#include <clocale>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "SettingsFiles.h"
#include "TestSupport.h"

using namespace settingsfiles;

namespace {

std::string WheelText(const unsigned short (&d)[kBogies])
{
    char text[kMaxText];
    std::size_t n = FormatWheelDiameters(d, text);
    return std::string(text, n);
}

std::string SpeedText(float v)
{
    char text[kMaxText];
    std::size_t n = FormatActualSpeed(v, text);
    return std::string(text, n);
}

ino_t Inode(const char* path)
{
    struct stat st;
    return ::stat(path, &st) == 0 ? st.st_ino : 0;
}

bool Exists(const char* path)
{
    struct stat st;
    return ::stat(path, &st) == 0;
}

}  // namespace

TEST(SettingsFormat, WheelDiametersByteForByte)
{
    const unsigned short d[kBogies] = {1100, 0, 32767, 32768, 40000, 65535};
    EXPECT_EQ(WheelText(d),
              "BOGIE1WHEELDIAMval1=1100\nBOGIE2WHEELDIAMval2=0\nBOGIE3WHEELDIAMval3=32767\n"
              "BOGIE4WHEELDIAMval4=-32768\nBOGIE5WHEELDIAMval5=-25536\nBOGIE6WHEELDIAMval6=-1\n");
}

TEST(SettingsFormat, ActualSpeedByteForByte)
{
    EXPECT_EQ(SpeedText(1.5f), "ActualSpeedVal=1.500000");
    EXPECT_EQ(SpeedText(0.0f), "ActualSpeedVal=0.000000");
    EXPECT_EQ(SpeedText(6553.5f), "ActualSpeedVal=6553.500000");
}

TEST(SettingsFormat, DecimalPointIgnoresLocale)
{
    // The toolkit sets the user's locale at start; the file keeps its '.'.
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(SpeedText(2.5f), "ActualSpeedVal=2.500000");
    float v = 0;
    EXPECT_TRUE(ParseActualSpeed("ActualSpeedVal=2.500000", 23, v));
    EXPECT_FLOAT_EQ(v, 2.5f);
    std::setlocale(LC_NUMERIC, "C");
}

TEST(SettingsFormat, WheelDiametersRoundTripEveryBitPattern)
{
    for (unsigned v : {0u, 1u, 999u, 32767u, 32768u, 50000u, 65535u}) {
        unsigned short d[kBogies];
        for (unsigned short& x : d) x = static_cast<unsigned short>(v);
        std::string text = WheelText(d);
        unsigned short back[kBogies] = {};
        EXPECT_EQ(ParseWheelDiameters(text.data(), text.size(), back), kBogies) << v;
        for (unsigned short x : back) EXPECT_EQ(x, v);
    }
}

namespace {

struct WheelParseCase {
    const char* name;
    const char* text;
    int count;                          // values read
    unsigned short values[kBogies];     // the rest stay 0
};

const WheelParseCase kWheelParseCases[] = {
    {"Exact",
     "BOGIE1WHEELDIAMval1=1\nBOGIE2WHEELDIAMval2=2\nBOGIE3WHEELDIAMval3=3\n"
     "BOGIE4WHEELDIAMval4=4\nBOGIE5WHEELDIAMval5=5\nBOGIE6WHEELDIAMval6=6\n",
     6, {1, 2, 3, 4, 5, 6}},
    {"FreeSpacingAndSigns",
     "BOGIE1WHEELDIAMval1=  +1 BOGIE2WHEELDIAMval2=\t-2\r\n\nBOGIE3WHEELDIAMval3=3"
     "BOGIE4WHEELDIAMval4=4 BOGIE5WHEELDIAMval5=5 BOGIE6WHEELDIAMval6=6",
     6, {1, 65534, 3, 4, 5, 6}},
    {"Empty", "", 0, {}},
    {"Truncated", "BOGIE1WHEELDIAMval1=1000\nBOGIE2WHEELDIAMval2=10", 2, {1000, 10}},
    {"TruncatedInLabel", "BOGIE1WHEELDIAMval1=1000\nBOGIE2WHEEL", 1, {1000}},
    {"Garbage", "\x01\xff garbage", 0, {}},
    {"LeadingSpaceNotAllowed", " BOGIE1WHEELDIAMval1=5\n", 0, {}},
    {"SignWithoutDigits", "BOGIE1WHEELDIAMval1=-\n", 0, {}},
    {"TooLarge", "BOGIE1WHEELDIAMval1=7\nBOGIE2WHEELDIAMval2=32768\nBOGIE3WHEELDIAMval3=3\n", 1, {7}},
    {"HugeNumber", "BOGIE1WHEELDIAMval1=99999999999999999999999999\n", 0, {}},
    {"TooSmall", "BOGIE1WHEELDIAMval1=-32769\n", 0, {}},
    {"SmallestValue", "BOGIE1WHEELDIAMval1=-32768\n", 1, {32768}},
    {"WrongOrder", "BOGIE2WHEELDIAMval2=2\nBOGIE1WHEELDIAMval1=1\n", 0, {}},
    {"TrailingJunkStopsNext", "BOGIE1WHEELDIAMval1=12abc\nBOGIE2WHEELDIAMval2=2\n", 1, {12}},
};

}  // namespace

class WheelParse : public ::testing::TestWithParam<WheelParseCase> {};

TEST_P(WheelParse, Case)
{
    const WheelParseCase& c = GetParam();
    unsigned short d[kBogies] = {};
    EXPECT_EQ(ParseWheelDiameters(c.text, std::strlen(c.text), d), c.count);
    for (int i = 0; i < kBogies; ++i) EXPECT_EQ(d[i], c.values[i]) << "bogie " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Cases, WheelParse, ::testing::ValuesIn(kWheelParseCases),
                         [](const ::testing::TestParamInfo<WheelParseCase>& i) { return i.param.name; });

namespace {

struct SpeedParseCase {
    const char* name;
    const char* text;
    bool taken;
    float value;
};

const SpeedParseCase kSpeedParseCases[] = {
    {"Written", "ActualSpeedVal=1.500000", true, 1.5f},
    {"SpaceAndNoDecimals", "ActualSpeedVal=  3", true, 3.0f},
    {"Exponent", "ActualSpeedVal=2.5e1", true, 25.0f},
    {"Largest", "ActualSpeedVal=6553.5", true, 6553.5f},
    {"Empty", "", false, 0},
    {"LabelOnly", "ActualSpeedVal=", false, 0},
    {"Garbage", "ActualSpeedVal=fast", false, 0},
    {"WrongLabel", "ActualSpeed=1.5", false, 0},
    {"NotANumber", "ActualSpeedVal=nan", false, 0},
    {"Infinite", "ActualSpeedVal=inf", false, 0},
    {"Overflow", "ActualSpeedVal=1e50", false, 0},
    {"Negative", "ActualSpeedVal=-1.5", false, 0},
    {"AboveTenthsRange", "ActualSpeedVal=6553.6", false, 0},
};

}  // namespace

class SpeedParse : public ::testing::TestWithParam<SpeedParseCase> {};

TEST_P(SpeedParse, Case)
{
    const SpeedParseCase& c = GetParam();
    float v = 0;
    EXPECT_EQ(ParseActualSpeed(c.text, std::strlen(c.text), v), c.taken);
    EXPECT_FLOAT_EQ(v, c.value);
}

INSTANTIATE_TEST_SUITE_P(Cases, SpeedParse, ::testing::ValuesIn(kSpeedParseCases),
                         [](const ::testing::TestParamInfo<SpeedParseCase>& i) { return i.param.name; });

TEST(SettingsRead, LongFileIsReadBounded)
{
    testsupport::TempWorkDir dir;
    dir.WriteFile(kActualSpeedFile, "ActualSpeedVal=1.25" + std::string(100000, ' ') + "9");
    float v = 0;
    EXPECT_TRUE(LoadActualSpeed(v));
    EXPECT_FLOAT_EQ(v, 1.25f);
}

TEST(SettingsRead, MissingFilesSayFileNotFound)
{
    testsupport::TempWorkDir dir;
    unsigned short d[kBogies] = {};
    float v = 0;
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(LoadWheelDiameters(d));
    EXPECT_FALSE(LoadActualSpeed(v));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "File not found\nFile not found\n");
    EXPECT_EQ(d[0], 0);
    EXPECT_EQ(v, 0.0f);
}

TEST(SettingsWrite, OnlyOnChangeAndThroughRename)
{
    testsupport::TempWorkDir dir;
    const unsigned short d[kBogies] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(SaveWheelDiameters(d), WriteResult::Written);
    const ino_t first = Inode(kWheelDiameterFile);
    EXPECT_EQ(SaveWheelDiameters(d), WriteResult::Unchanged);
    EXPECT_EQ(Inode(kWheelDiameterFile), first) << "unchanged content must not be rewritten";

    // Another process (or an older program) left different text: rewrite.
    dir.WriteFile(kWheelDiameterFile, "BOGIE1WHEELDIAMval1=1\n");
    EXPECT_EQ(SaveWheelDiameters(d), WriteResult::Written);
    EXPECT_EQ(dir.ReadFile(kWheelDiameterFile), WheelText(d));
    EXPECT_FALSE(Exists("wheeldiameteroutput.txt.tmp"));

    // A longer file that starts with the same text is not "unchanged".
    dir.WriteFile(kActualSpeedFile, "ActualSpeedVal=1.500000" + std::string(400, 'x'));
    EXPECT_EQ(SaveActualSpeed(1.5f), WriteResult::Written);
    EXPECT_EQ(dir.ReadFile(kActualSpeedFile), "ActualSpeedVal=1.500000");
}

TEST(SettingsWrite, UnwritableFileSaysFileNotFoundAndKeepsOld)
{
    testsupport::TempWorkDir dir;
    // A directory in the way of the temporary file: the write cannot happen
    // (even for root), and the old file must survive untouched.
    dir.WriteFile(kActualSpeedFile, "ActualSpeedVal=2.000000");
    ASSERT_EQ(::mkdir("ActualSpeedVal.txt.tmp", 0755), 0);
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(SaveActualSpeed(1.5f), WriteResult::Failed);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "File not found\n");
    EXPECT_EQ(dir.ReadFile(kActualSpeedFile), "ActualSpeedVal=2.000000");

    // The file's own name taken by a directory: rename fails, temp removed.
    ASSERT_EQ(::mkdir(kWheelDiameterFile, 0755), 0);
    const unsigned short d[kBogies] = {1, 2, 3, 4, 5, 6};
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(SaveWheelDiameters(d), WriteResult::Failed);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "File not found\n");
    EXPECT_FALSE(Exists("wheeldiameteroutput.txt.tmp"));
}

TEST(SettingsWrite, WrittenFileReadsBack)
{
    testsupport::TempWorkDir dir;
    const unsigned short d[kBogies] = {915, 920, 1000, 40000, 0, 1};
    ASSERT_EQ(SaveWheelDiameters(d), WriteResult::Written);
    ASSERT_EQ(SaveActualSpeed(1.5f), WriteResult::Written);
    unsigned short back[kBogies] = {};
    float v = 0;
    EXPECT_TRUE(LoadWheelDiameters(back));
    EXPECT_TRUE(LoadActualSpeed(v));
    for (int i = 0; i < kBogies; ++i) EXPECT_EQ(back[i], d[i]);
    EXPECT_FLOAT_EQ(v, 1.5f);
}

// Every fsync of this program is noted (the path synced, and for a directory
// what the wheel diameter file held at that moment), then done.
namespace {

struct Synced {
    std::string path;
    bool directory;
    std::string fileThen;
};
std::vector<Synced> syncLog;

std::string RealPath(const std::string& path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? resolved : path;
}

}  // namespace

extern "C" int fsync(int fd)
{
    char link[PATH_MAX];
    const ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), link, sizeof link - 1);
    struct stat st;
    const bool directory = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    char text[kMaxText];
    std::size_t length = 0;
    const bool read = directory && ReadText(kWheelDiameterFile, text, length);
    syncLog.push_back({n > 0 ? std::string(link, static_cast<std::size_t>(n)) : "?", directory,
                       read ? std::string(text, length) : ""});
    using Real = int (*)(int);
    static Real real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, "fsync"));
    return real ? real(fd) : 0;
}

TEST(SettingsWrite, RenameIsMadeDurableBySyncingTheDirectory)
{
    // Without the directory on disk a power cut can bring the old file back.
    testsupport::TempWorkDir dir;
    dir.WriteFile(kWheelDiameterFile, "BOGIE1WHEELDIAMval1=1\n");
    const unsigned short d[kBogies] = {915, 920, 1000, 1001, 1002, 1003};
    syncLog.clear();
    ASSERT_EQ(SaveWheelDiameters(d), WriteResult::Written);
    ASSERT_EQ(syncLog.size(), 2u);
    const std::string here = RealPath(dir.path());
    EXPECT_EQ(syncLog[0].path, here + "/wheeldiameteroutput.txt.tmp");
    EXPECT_FALSE(syncLog[0].directory);
    EXPECT_EQ(syncLog[1].path, here);
    EXPECT_TRUE(syncLog[1].directory);
    EXPECT_EQ(syncLog[1].fileThen, WheelText(d)) << "the directory is synced after the rename";

    syncLog.clear();
    EXPECT_EQ(SaveWheelDiameters(d), WriteResult::Unchanged);
    EXPECT_TRUE(syncLog.empty());
}
