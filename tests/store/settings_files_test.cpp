// The two settings files: formats byte for byte, bounded reading of bad
// files and of whatever stands under their names, values no screen would
// let through not used, writes only on change through a new file of an
// unpredictable name renamed over the old one.
#include <gtest/gtest.h>

#include <clocale>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "Bounded.h"
#include "FileIo.h"
#include "ReadMVBData.h"
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
    fileio::ForgetReported();
    // Trailing blanks within the limit are no harm...
    dir.WriteFile(kActualSpeedFile, "ActualSpeedVal=1.25" + std::string(3000, ' ') + "9");
    float v = 0;
    EXPECT_TRUE(LoadActualSpeed(v));
    EXPECT_FLOAT_EQ(v, 1.25f);
    // ... a file larger than any the display writes is refused whole.
    dir.WriteFile(kActualSpeedFile, "ActualSpeedVal=1.25" + std::string(100000, ' ') + "9");
    v = 0;
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(LoadActualSpeed(v));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "ActualSpeedVal.txt: not read: larger than 4 KB\nFile not found\n");
    EXPECT_EQ(v, 0.0f);
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
    // A write that cannot happen (a file size limit, even for root): the old
    // file survives untouched, and the line comes once, not at every try.
    dir.WriteFile(kActualSpeedFile, "ActualSpeedVal=2.000000");
    fileio::ForgetReported();
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    void (*oldHandler)(int) = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 10;
    // Standard output into a pipe meanwhile: the limit holds for files only.
    int lines[2];
    ASSERT_EQ(::pipe(lines), 0);
    std::fflush(stdout);
    const int standardOutput = ::dup(1);
    ::dup2(lines[1], 1);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const WriteResult first = SaveActualSpeed(1.5f);
    const WriteResult again = SaveActualSpeed(1.5f);
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, oldHandler);
    std::fflush(stdout);
    ::dup2(standardOutput, 1);
    ::close(standardOutput);
    ::close(lines[1]);
    std::string out;
    char buffer[512];
    for (ssize_t n; (n = ::read(lines[0], buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<std::size_t>(n));
    ::close(lines[0]);
    EXPECT_EQ(first, WriteResult::Failed);
    EXPECT_EQ(again, WriteResult::Failed);
    EXPECT_EQ(out, "ActualSpeedVal.txt: not written: " + std::string(std::strerror(EFBIG)) + "\nFile not found\n");
    EXPECT_EQ(dir.ReadFile(kActualSpeedFile), "ActualSpeedVal=2.000000");

    // The file's own name taken by a directory: rename fails, temp removed.
    ASSERT_EQ(::mkdir(kWheelDiameterFile, 0755), 0);
    const unsigned short d[kBogies] = {1, 2, 3, 4, 5, 6};
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(SaveWheelDiameters(d), WriteResult::Failed);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "wheeldiameteroutput.txt: not written: " + std::string(std::strerror(EISDIR)) + "\nFile not found\n");
    std::vector<std::string> names;
    ASSERT_TRUE(fileio::ListFolder(".", 100, names, false).ok());
    EXPECT_EQ(names.size(), 2u) << "the two files, no new file left";
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
    EXPECT_EQ(fileio::FolderOf(syncLog[0].path), here);
    EXPECT_TRUE(fileio::IsOwnTemporary(fileio::NameOf(syncLog[0].path), kWheelDiameterFile)) << syncLog[0].path;
    EXPECT_FALSE(syncLog[0].directory);
    EXPECT_EQ(syncLog[1].path, here);
    EXPECT_TRUE(syncLog[1].directory);
    EXPECT_EQ(syncLog[1].fileThen, WheelText(d)) << "the directory is synced after the rename";

    syncLog.clear();
    EXPECT_EQ(SaveWheelDiameters(d), WriteResult::Unchanged);
    EXPECT_TRUE(syncLog.empty());
}

// ------------------------------------------ whatever stands under the names

namespace {

const char kOutsideText[] = "BOGIE1WHEELDIAMval1=1050\n";

struct HostileCase {
    const char* name;
    std::function<void(const std::string& file)> make;
};

void WithinTwoSeconds(const std::function<void()>& operation, const std::string& pipe)
{
    testsupport::FinishesWithin(2000, operation, {pipe});
}

const HostileCase kHostile[] = {
    {"NamedPipe", [](const std::string& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0644), 0); }},
    {"LinkOutOfTheFolder", [](const std::string& f) { ASSERT_EQ(::symlink("../outside.txt", f.c_str()), 0); }},
    {"DanglingLink", [](const std::string& f) { ASSERT_EQ(::symlink("../created.txt", f.c_str()), 0); }},
    {"LinkToDevZero", [](const std::string& f) { ASSERT_EQ(::symlink("/dev/zero", f.c_str()), 0); }},
    {"Folder", [](const std::string& f) { ASSERT_EQ(::mkdir(f.c_str(), 0755), 0); }},
    {"Huge", [](const std::string& f) {
         ::close(::open(f.c_str(), O_CREAT | O_WRONLY, 0644));
         ASSERT_EQ(::truncate(f.c_str(), 1LL << 30), 0);
     }},
};

class HostileSettings : public ::testing::TestWithParam<HostileCase> {
protected:
    void SetUp() override
    {
        fileio::ForgetReported();
        ASSERT_EQ(::mkdir("work", 0755), 0);
        dir.WriteFile("outside.txt", kOutsideText);
        ASSERT_EQ(::chdir("work"), 0);
    }
    void TearDown() override
    {
        EXPECT_EQ(dir.ReadFile(dir.path() + "/outside.txt"), kOutsideText) << "a file outside the folder changed";
        EXPECT_NE(::access((dir.path() + "/created.txt").c_str(), F_OK), 0) << "a file outside was created";
        ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    }
    testsupport::TempWorkDir dir;
};

}  // namespace

// At start: refused at once, "File not found" and the reason, values as
// they were.
TEST_P(HostileSettings, LoadRefusesAndSaysWhy)
{
    for (const char* file : {kWheelDiameterFile, kActualSpeedFile}) {
        GetParam().make(file);
        unsigned short d[kBogies] = {7, 7, 7, 7, 7, 7};
        float v = 7;
        bool loaded = true;
        ::testing::internal::CaptureStdout();
        WithinTwoSeconds([&] { loaded = file == kWheelDiameterFile ? LoadWheelDiameters(d) : LoadActualSpeed(v); },
                         file);
        const std::string out = ::testing::internal::GetCapturedStdout();
        EXPECT_FALSE(loaded) << file;
        EXPECT_EQ(out.compare(0, std::strlen(file) + 11, std::string(file) + ": not read:"), 0) << out;
        EXPECT_NE(out.find("\nFile not found\n"), std::string::npos) << out;
        EXPECT_EQ(d[0], 7);
        EXPECT_EQ(v, 7.0f);
    }
}

// A rewrite leaves a regular file of the new text under the name (a link
// is replaced, never written through; a pipe is never opened), or, where a
// folder stands, nothing.
TEST_P(HostileSettings, SaveWritesOnlyARegularFileInTheFolder)
{
    GetParam().make(kActualSpeedFile);
    WriteResult result = WriteResult::Unchanged;
    ::testing::internal::CaptureStdout();
    WithinTwoSeconds([&] { result = SaveActualSpeed(1.5f); }, kActualSpeedFile);
    ::testing::internal::GetCapturedStdout();
    struct stat st {};
    ASSERT_EQ(::lstat(kActualSpeedFile, &st), 0);
    if (S_ISDIR(st.st_mode)) {
        EXPECT_EQ(result, WriteResult::Failed);
    } else {
        EXPECT_EQ(result, WriteResult::Written);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(dir.ReadFile(kActualSpeedFile), "ActualSpeedVal=1.500000");
    }
}

// The names the rewrite used before (a fixed "<file>.tmp") planted as a
// link out of the folder, or as a pipe: the rewrite neither writes through
// nor waits on them, and the start-up removes them.
TEST_P(HostileSettings, PlantedTemporaryNamesAreNeverWrittenTo)
{
    const std::string planted = std::string(kWheelDiameterFile) + ".tmp";
    GetParam().make(planted);
    const unsigned short d[kBogies] = {1050, 1051, 1052, 1053, 1054, 1055};
    WriteResult result = WriteResult::Unchanged;
    WithinTwoSeconds([&] { result = SaveWheelDiameters(d); }, planted);
    EXPECT_EQ(result, WriteResult::Written);
    EXPECT_EQ(dir.ReadFile(kWheelDiameterFile), WheelText(d));
    struct stat st {};
    ASSERT_EQ(::lstat(planted.c_str(), &st), 0) << "the rewrite leaves other names alone";
    const bool folder = S_ISDIR(st.st_mode);
    EXPECT_EQ(RemoveLeftovers(), folder ? 0u : 1u);
    EXPECT_EQ(::lstat(planted.c_str(), &st) == 0, folder) << "only a folder stays";
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileSettings, ::testing::ValuesIn(kHostile),
                         [](const ::testing::TestParamInfo<HostileCase>& i) { return i.param.name; });

// ------------------------------------------- values no screen lets through

namespace {

struct SavedValueCase {
    const char* name;
    const char* wheelFile;             // wheeldiameteroutput.txt
    unsigned short diameters[kBogies];  // as loaded
    const char* speedFile;             // ActualSpeedVal.txt
    float speed;                       // as loaded
    unsigned short tenths;
    const char* lines;                 // printed
};

#define SIX(a, b, c, d, e, f)                                                                                  \
    "BOGIE1WHEELDIAMval1=" #a "\nBOGIE2WHEELDIAMval2=" #b "\nBOGIE3WHEELDIAMval3=" #c "\nBOGIE4WHEELDIAMval4=" #d \
    "\nBOGIE5WHEELDIAMval5=" #e "\nBOGIE6WHEELDIAMval6=" #f "\n"

const SavedValueCase kSavedValues[] = {
    {"WithinTheLimits", SIX(1016, 1050, 1097, 1060, 1070, 1080), {1016, 1050, 1097, 1060, 1070, 1080},
     "ActualSpeedVal=1.000000", 1.0f, 10, ""},
    {"Zero", SIX(0, 0, 0, 0, 0, 0), {0, 0, 0, 0, 0, 0}, "ActualSpeedVal=0.000000", 0.0f, 0, ""},
    {"EdgesOfTheLimits", SIX(1015, 1016, 1097, 1098, 1050, 1050), {0, 1016, 1097, 0, 1050, 1050},
     "ActualSpeedVal=0.500000", 0.5f, 5,
     "wheeldiameteroutput.txt: wheel diameter 1015 of bogie 1 outside 1016..1097, not used\n"
     "wheeldiameteroutput.txt: wheel diameter 1098 of bogie 4 outside 1016..1097, not used\n"},
    {"Damaged", SIX(-1, 0, 5000, 32767, 1050, -32768), {0, 0, 0, 0, 1050, 0}, "ActualSpeedVal=6553.500000", 0.0f,
     0,
     "wheeldiameteroutput.txt: wheel diameter -1 of bogie 1 outside 1016..1097, not used\n"
     "wheeldiameteroutput.txt: wheel diameter 5000 of bogie 3 outside 1016..1097, not used\n"
     "wheeldiameteroutput.txt: wheel diameter 32767 of bogie 4 outside 1016..1097, not used\n"
     "wheeldiameteroutput.txt: wheel diameter -32768 of bogie 6 outside 1016..1097, not used\n"
     "ActualSpeedVal.txt: inching speed 6553.5 km/h outside 0.5..1.5 km/h, not used\n"},
    {"SpeedTwo", SIX(1050, 1050, 1050, 1050, 1050, 1050), {1050, 1050, 1050, 1050, 1050, 1050},
     "ActualSpeedVal=2.000000", 0.0f, 0,
     "ActualSpeedVal.txt: inching speed 2 km/h outside 0.5..1.5 km/h, not used\n"},
    {"SpeedJustAbove", SIX(1050, 1050, 1050, 1050, 1050, 1050), {1050, 1050, 1050, 1050, 1050, 1050},
     "ActualSpeedVal=1.600000", 0.0f, 0,
     "ActualSpeedVal.txt: inching speed 1.6 km/h outside 0.5..1.5 km/h, not used\n"},
    {"SpeedJustBelow", SIX(1050, 1050, 1050, 1050, 1050, 1050), {1050, 1050, 1050, 1050, 1050, 1050},
     "ActualSpeedVal=0.400000", 0.0f, 0,
     "ActualSpeedVal.txt: inching speed 0.4 km/h outside 0.5..1.5 km/h, not used\n"},
};

#undef SIX

class SavedValues : public ::testing::TestWithParam<SavedValueCase> {};

}  // namespace

// The store's start-up steps load such values as 0, as from a file without
// them, and name the file and the value.
TEST_P(SavedValues, OnlyValuesAScreenWouldTakeAreLoaded)
{
    const SavedValueCase& c = GetParam();
    testsupport::TempWorkDir dir;
    dir.WriteFile(kWheelDiameterFile, c.wheelFile);
    dir.WriteFile(kActualSpeedFile, c.speedFile);
    ReadMVBData store(ReadMVBData::StartValuesOnly{});
    ::testing::internal::CaptureStdout();
    store.LoadWheelDiameters();
    store.LoadInchingSpeed();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), c.lines);
    for (int i = 0; i < kBogies; ++i) EXPECT_EQ(store.WheelDiameters[i], c.diameters[i]) << "bogie " << i + 1;
    EXPECT_FLOAT_EQ(store.StoredActualSpeedVal, c.speed);
    EXPECT_EQ(store.InchingSpeedTenths, c.tenths);
}

INSTANTIATE_TEST_SUITE_P(Cases, SavedValues, ::testing::ValuesIn(kSavedValues),
                         [](const ::testing::TestParamInfo<SavedValueCase>& i) { return i.param.name; });
