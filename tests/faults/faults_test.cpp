// The whole program through device and file faults: cabdisplay on the X
// server against mvbsim, with a pseudo-terminal keypad. In every case the
// program runs on without a critical or an abort, prints a clear line about
// the fault, still switches screens on key bytes (its window shows another
// screen), and leaves every stored setting and the diagnostics log either
// as it was or as a whole new content.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <random>
#include <sched.h>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "KeyCodes.h"
#include "ProgramSupport.h"
#include "SettingsFiles.h"
#include "TestSupport.h"
#include "WindowPictures.h"

namespace {


// The keypad bytes the tests write.
constexpr unsigned char kLeft = BusKeyLeft, kRight = BusKeyRight, kUp = BusKeyUp, kHome = BusKeyHome,
                        kEnter = BusKeyEnter;

using testsupport::WaitFor;

using testsupport::ReadWholeFile;
using testsupport::WriteWholeFile;

using testsupport::StartProgram;

// Stored settings and a log as they are before every run.
const char kWheels[] = "BOGIE1WHEELDIAMval1=1050\nBOGIE2WHEELDIAMval2=1050\nBOGIE3WHEELDIAMval3=1050\n"
                       "BOGIE4WHEELDIAMval4=1050\nBOGIE5WHEELDIAMval5=1050\nBOGIE6WHEELDIAMval6=1050\n";
const char kSpeed[] = "ActualSpeedVal=0.600000";
const char kLog[] = "\"1\" \"F0107P2\" \"2\" \"SS 07\" \"2026-01-01  10:00:00\" \"Auxiliary\" \"1\"\n";
const char kLookUp[] =
    "\"F0107P2\",\"SS07 : BUR_2\",\"Auxiliary converter 2 out of service\",\"BUR 2 output over-current.\"\n";

// Inching allowed, wheel diameters echoed by the bus.
const char kScenario[] =
    "0 port 1215 0 0x4000\n0 port 300 0 0x8000\n"
    "0 port 300 2 1050\n0 port 300 3 1050\n0 port 300 4 1050\n"
    "0 port 300 5 1050\n0 port 300 6 1050\n0 port 300 7 1050\n";
// A fault for a second, once the display has drawn and settled on its main
// screen (mvbsim's clock starts at the display's first poll, as it starts
// drawing): the pop-up comes over the main screen, looks the fault up and
// writes the log, and goes.
const char kFaultForASecond[] = "4000 port 1010 4 0x100\n4000 port 1804 0 20107\n5000 port 1804 0 0\n";

// How a run checks that the keys are still answered: screens switched on
// the window (and the inching speed stepped, which rewrites its file), or
// the fault acknowledge on the bus.
enum class KeyCheck { ScreensAndSpeed, Screens, AcknowledgeOnBus };

class FaultRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(x_.Start()) << "no X server";
        work_ = dir_.path() + "/work";
        ::mkdir(work_.c_str(), 0755);
        ::mkdir((work_ + "/media").c_str(), 0755);
        WriteWholeFile(Work(settingsfiles::kWheelDiameterFile), kWheels);
        WriteWholeFile(Work(settingsfiles::kActualSpeedFile), kSpeed);
        WriteWholeFile(Work("DiagnosticsData.csv"), kLog);
        WriteWholeFile(Work("LookUpError.csv"), kLookUp);
        ASSERT_TRUE(testsupport::CopyFolder(CABDISPLAY_IMAGE_DIR, Work("Images")));
    }
    void TearDown() override
    {
        Stop(display_);
        Stop(sim_);
        if (keypad_ >= 0)
            ::close(keypad_);
        if (!mounted_.empty())
            ::umount2(mounted_.c_str(), MNT_DETACH);
        ::chmod(work_.c_str(), 0755);
    }
    static void Stop(pid_t& pid)
    {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
            pid = -1;
        }
    }
    std::string Out(const std::string& name) const { return dir_.path() + "/" + name; }
    std::string Work(const std::string& name) const { return work_ + "/" + name; }

    void StartSim(const std::vector<std::string>& extra,
                  const std::string& scenario = std::string(kScenario) + kFaultForASecond)
    {
        WriteWholeFile(Out("scenario.scn"), scenario);
        faultForASecond_ = scenario.find(kFaultForASecond) != std::string::npos;
        std::vector<std::string> args = {MVBSIM_BIN, "--socket", Out("sim.sock"), "--log", Out("port301.log"),
                                         "--scenario", Out("scenario.scn")};
        args.insert(args.end(), extra.begin(), extra.end());
        sim_ = StartProgram(args, {}, Out("mvbsim.out"), dir_.path());
        ASSERT_TRUE(WaitFor([this] { return ReadWholeFile(Out("mvbsim.out")).find("listening") != std::string::npos; },
                            5000)) << ReadWholeFile(Out("mvbsim.out"));
    }

    void StartDisplay()
    {
        keypad_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(keypad_, 0);
        ASSERT_EQ(0, ::grantpt(keypad_));
        ASSERT_EQ(0, ::unlockpt(keypad_));
        env_ = {"CABDISPLAY_MVB=sim:" + Out("sim.sock"), std::string("CABDISPLAY_KEYPAD=") + ::ptsname(keypad_),
                "CABDISPLAY_MEDIA=" + Work("media"), "G_DEBUG=fatal-criticals"};
        display_ = StartProgram({CABDISPLAY_BIN}, env_, Out("cabdisplay.out"), work_);
    }

    bool Running()
    {
        return display_ > 0 && ::waitpid(display_, &status_, WNOHANG) == 0;
    }

    // The working directory read-only: a read-only bind mount in a mount
    // name space of this test (the superuser writes through file modes), or
    // the directory's write bits taken away.
    void MakeWorkReadOnly()
    {
        if (::geteuid() == 0) {
            ASSERT_EQ(0, ::unshare(CLONE_NEWNS)) << std::strerror(errno);
            ASSERT_EQ(0, ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr)) << std::strerror(errno);
            ASSERT_EQ(0, ::mount(work_.c_str(), work_.c_str(), nullptr, MS_BIND, nullptr)) << std::strerror(errno);
            mounted_ = work_;
            ASSERT_EQ(0, ::mount(nullptr, work_.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr))
                << std::strerror(errno);
        } else {
            ASSERT_EQ(0, ::chmod(work_.c_str(), 0555));
        }
        ASSERT_LT(::open(Work("probe").c_str(), O_WRONLY | O_CREAT, 0644), 0) << "the directory is still writable";
    }

    // The disk full: the working directory on a small file system filled up
    // (superuser), else the settings files and the log as links to /dev/full.
    void FillDisk()
    {
        if (::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0 &&
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0) {
            const std::string pictures = Out("Images");
            ASSERT_EQ(0, ::rename(Work("Images").c_str(), pictures.c_str()));
            const std::string files[] = {settingsfiles::kWheelDiameterFile, settingsfiles::kActualSpeedFile,
                                         "DiagnosticsData.csv", "LookUpError.csv"};
            std::vector<std::string> kept;
            for (const std::string& f : files)
                kept.push_back(ReadWholeFile(Work(f)));
            ASSERT_EQ(0, ::mount("cabfull", work_.c_str(), "tmpfs", 0, "size=64k")) << std::strerror(errno);
            mounted_ = work_;
            // The log fills its last page to the brim, so a row needs a new one.
            kept[2] += std::string(4095 - kept[2].size(), ' ') + "\n";
            for (std::size_t i = 0; i < kept.size(); ++i)
                WriteWholeFile(Work(files[i]), kept[i]);
            ::mkdir(Work("media").c_str(), 0755);
            ASSERT_EQ(0, ::symlink(pictures.c_str(), Work("Images").c_str()));
            std::ofstream filler(Work("filler"), std::ios::binary);
            const std::string block(4096, 'x');
            while (filler.write(block.data(), block.size()) && filler.flush()) {
            }
            return;
        }
        for (const char* f : {settingsfiles::kWheelDiameterFile, settingsfiles::kActualSpeedFile,
                              "DiagnosticsData.csv"}) {
            ::unlink(Work(f).c_str());
            ASSERT_EQ(0, ::symlink("/dev/full", Work(f).c_str()));
        }
    }

    // Before the first key: the window drawn and settled on the main screen,
    // and either the display's line about a device fault, or the fault
    // pop-up come over that screen and gone. Garbage from the bus keeps the
    // window changing: there the window only has to be up.
    void WaitForTheFault(const std::string& expectedLine, KeyCheck check, testsupport::ScreenKeys& keys)
    {
        if (check == KeyCheck::AcknowledgeOnBus) {
            ASSERT_TRUE(WaitFor([this] { return testsupport::WindowSize(display_) == "800x600"; }, 15000))
                << ReadWholeFile(Out("cabdisplay.out")).substr(0, 3000);
        } else {
            ASSERT_TRUE(keys.Settle());
            EXPECT_EQ(800, keys.Current().width);
            EXPECT_EQ(600, keys.Current().height);
        }
        if (faultForASecond_) {
            const testsupport::Picture mainScreen = keys.Current();
            ASSERT_TRUE(keys.AwaitAnotherScreen(15000)) << "the fault pop-up did not come";
            ASSERT_TRUE(keys.AwaitScreen(mainScreen)) << "the fault pop-up did not go";
            ASSERT_TRUE(keys.Settle());
        } else if (!expectedLine.empty()) {
            EXPECT_TRUE(Prints(expectedLine)) << ReadWholeFile(Out("cabdisplay.out")).substr(0, 3000);
            if (check != KeyCheck::AcknowledgeOnBus) {
                ASSERT_TRUE(keys.Settle());
            }
        }
    }

    // The display printed the line, or does so within ms.
    bool Prints(const std::string& line, int ms = 8000)
    {
        return WaitFor([&] { return ReadWholeFile(Out("cabdisplay.out")).find(line) != std::string::npos; }, ms);
    }

    // Runs the display through the fault: window up, the fault begun (or
    // come and gone), then left five times to the inching screen, each to
    // another screen (with stepSpeed two steps up there, which rewrites the
    // inching speed file, and Enter, which sends the speed on port 301), home
    // to the main screen it started on.
    // With garbage from the bus, random fault codes keep the fault pop-up
    // coming back over the screens (and hold the screen keys); there home
    // is checked on the bus instead: its acknowledge bit on port 301.
    void RunThroughTheFault(const std::string& expectedLine, KeyCheck check = KeyCheck::ScreensAndSpeed)
    {
        StartDisplay();
        // A poll that tries a dead device holds the keys and the drawing for
        // its budget (half a second); with a sound device the window settles
        // as quickly as anywhere (the file faults).
        testsupport::ScreenKeys keys(display_, keypad_, Out("cabdisplay.out"), faultForASecond_ ? 400 : 700);
        WaitForTheFault(expectedLine, check, keys);
        if (HasFatalFailure())
            return;
        if (check == KeyCheck::AcknowledgeOnBus) {
            const unsigned char home = kHome;
            ASSERT_EQ(1, ::write(keypad_, &home, 1));
            EXPECT_TRUE(WaitFor([this] { return SentOnPort301(0, [](unsigned w) { return (w & 0x80u) != 0; }); },
                                5000)) << ReadWholeFile(Out("port301.log"));
        } else {
            const testsupport::Picture mainScreen = keys.Current();
            for (int i = 0; i < 5; ++i)
                ASSERT_TRUE(keys.PressToAnotherScreen(kLeft)) << "left " << i + 1;
            if (check == KeyCheck::ScreensAndSpeed) {
                EXPECT_TRUE(keys.PressEachToAChange({kUp, kUp})) << "the set speed stepped up";
                const unsigned char enter = kEnter;
                ASSERT_EQ(1, ::write(keypad_, &enter, 1));
                EXPECT_TRUE(WaitFor([this] { return SentOnPort301(1, [](unsigned w) { return w == 8; }); }, 5000))
                    << "0.8 km/h in tenths\n" << ReadWholeFile(Out("port301.log"));
            }
            EXPECT_TRUE(keys.PressTo(kHome, mainScreen)) << "home leads to the main screen";
        }
        EXPECT_TRUE(Running()) << ReadWholeFile(Out("cabdisplay.out")).substr(0, 3000);
        if (!expectedLine.empty())
            Prints(expectedLine);
        Stop(display_);
        const std::string output = ReadWholeFile(Out("cabdisplay.out"));
        EXPECT_EQ(std::string::npos, output.find("CRITICAL")) << output.substr(0, 3000);
        EXPECT_EQ(std::string::npos, output.find("Aborted"));
        EXPECT_EQ(std::string::npos, output.find("runtime error"));
        EXPECT_EQ(std::string::npos, output.find("Sanitizer"));
        if (!expectedLine.empty()) {
            EXPECT_NE(std::string::npos, output.find(expectedLine)) << output.substr(0, 3000);
        }
        ExpectSettingsKept();
    }

    // mvbsim logged a change of port 301 word `word` to a value `wanted` takes.
    bool SentOnPort301(unsigned word, bool (*wanted)(unsigned)) const
    {
        std::istringstream log(ReadWholeFile(Out("port301.log")));
        std::string line;
        while (std::getline(log, line)) {
            unsigned long ms = 0;
            unsigned w = 0, before = 0, after = 0;
            if (std::sscanf(line.c_str(), "%lu ms: port 301 word %u 0x%x -> 0x%x", &ms, &w, &before, &after) == 4 &&
                w == word && wanted(after))
                return true;
        }
        return false;
    }

    // Each file holds its old content or a whole new one.
    void ExpectSettingsKept()
    {
        const std::string wheels = ReadWholeFile(Work(settingsfiles::kWheelDiameterFile));
        unsigned short values[settingsfiles::kBogies] = {};
        EXPECT_TRUE(wheels == kWheels || settingsfiles::ParseWheelDiameters(wheels.c_str(), wheels.size(), values) ==
                                             settingsfiles::kBogies) << wheels;
        const std::string speed = ReadWholeFile(Work(settingsfiles::kActualSpeedFile));
        float value = 0;
        EXPECT_TRUE(speed == kSpeed || settingsfiles::ParseActualSpeed(speed.c_str(), speed.size(), value)) << speed;
        const std::string log = ReadWholeFile(Work("DiagnosticsData.csv"));
        EXPECT_EQ(0u, log.compare(0, std::strlen(kLog), kLog)) << log;
        EXPECT_EQ('\n', log.empty() ? '\n' : log.back()) << log;
    }

    testsupport::TempWorkDir dir_;
    std::string work_, mounted_;
    testsupport::PrivateXServer x_;
    pid_t sim_ = -1, display_ = -1;
    int keypad_ = -1;
    int status_ = 0;
    bool faultForASecond_ = false;
    std::vector<std::string> env_;
};

// --- the device ---

struct DeviceFault {
    const char* name;
    std::vector<std::string> simArgs;
    const char* scenarioTail;  // events after the common ones
    const char* expectedLine;  // what the display prints about it
    KeyCheck check;
};

class DeviceFaultRun : public FaultRun, public ::testing::WithParamInterface<DeviceFault> {};

TEST_P(DeviceFaultRun, DisplayRunsOnAndAnswersKeys)
{
    const DeviceFault& fault = GetParam();
    StartSim(fault.simArgs, std::string(kScenario) + fault.scenarioTail);
    RunThroughTheFault(fault.expectedLine, fault.check);
}

// No inching steps with a device fault: the speed they send on port 301
// could not reach the bus.
const DeviceFault kDeviceFaults[] = {
    {"DeadFromTheStart", {"--fault", "no-reply"}, "", "TIMEOUT", KeyCheck::Screens},
    {"SilentMidRun", {}, "1000 fault no-reply\n", "TIMEOUT", KeyCheck::Screens},
    {"ClosingTheLink", {}, "1000 close\n", "TIMEOUT", KeyCheck::Screens},
    {"NeverReady", {"--fault", "never-takes"}, "", "TIMEOUT", KeyCheck::Screens},
    {"NoCardStatusStuckAtFF", {"--fault", "no-card"}, "", "sv_device_config_get=0xFFFF", KeyCheck::Screens},
    {"GarbageReplies", {"--fault", "garbage"}, "", "check MUE endianness", KeyCheck::AcknowledgeOnBus},
};

INSTANTIATE_TEST_SUITE_P(Device, DeviceFaultRun, ::testing::ValuesIn(kDeviceFaults),
                         [](const ::testing::TestParamInfo<DeviceFault>& info) { return info.param.name; });

// How often a text holds a word.
std::size_t Count(const std::string& text, const std::string& word)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++n;
    return n;
}

// A device that answers every command 30 ms late, so that the 108 exchanges
// of a poll would take 3.3 s: each poll reads as far as its budget (500 ms)
// goes and the next goes on from there, with no time-out line (the device
// answers), and a key is answered within one budget and one poll period
// (and the drawing of the new screen) whenever it comes. Keys follow one
// another as soon as the screen before is shown, left to screen 17 and right
// back to the main screen, so some of them come while a poll holds the bus.
TEST_F(FaultRun, DeviceAnsweringEachCommandLate)
{
    const long kBudget = 500, kPeriod = 100, kDrawing = 400;
    StartSim({"--reply-delay", "30"}, kScenario);
    StartDisplay();
    // The two screens' pictures, each once the window has settled on it
    // for longer than a poll holds the drawing.
    testsupport::ScreenKeys keys(display_, keypad_, Out("cabdisplay.out"), kBudget + kPeriod + kDrawing);
    ASSERT_TRUE(keys.Settle());
    const testsupport::Picture mainScreen = keys.Current();
    EXPECT_EQ(800u * 600u, mainScreen.pixels.size());
    ASSERT_TRUE(keys.PressToAnotherScreen(kLeft));
    const testsupport::Picture screen17 = keys.Current();
    ASSERT_TRUE(keys.PressTo(kRight, mainScreen));

    const auto start = std::chrono::steady_clock::now();
    const auto sinceStart = [&start] {
        return long(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
                        .count());
    };
    std::size_t linesBefore = Count(ReadWholeFile(Out("cabdisplay.out")), "TIMEOUT");
    std::vector<long> timeouts;  // when each later time-out line was first seen
    const auto seeTimeouts = [&] {
        const std::size_t lines = Count(ReadWholeFile(Out("cabdisplay.out")), "TIMEOUT");
        for (; linesBefore < lines; ++linesBefore)
            timeouts.push_back(sinceStart());
    };
    struct Answer {
        long ms;
        bool acrossATimeOut;  // a poll that spent its budget ended meanwhile
    };
    std::vector<Answer> answers;
    keys.WhileWaiting(seeTimeouts);
    while (sinceStart() < testsupport::Scaled(12000)) {
        const bool left = answers.size() % 2 == 0;
        const std::size_t timeoutsBefore = timeouts.size();
        ASSERT_TRUE(keys.PressTo(left ? kLeft : kRight, left ? screen17 : mainScreen))
            << "key " << answers.size() + 1 << (left ? " (left)" : " (right)");
        answers.push_back({keys.LastAnswerMs(), timeouts.size() > timeoutsBefore});
    }
    std::vector<long> ms;
    long slowestAcross = 0;
    for (const Answer& a : answers) {
        EXPECT_LE(a.ms, testsupport::Scaled(kBudget + kPeriod + kDrawing));
        ms.push_back(a.ms);
        if (a.acrossATimeOut)
            slowestAcross = std::max(slowestAcross, a.ms);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%zu keys answered: median %ld ms, slowest %ld ms, slowest across a poll's budget %ld ms\n",
                ms.size(), ms.empty() ? 0 : ms[ms.size() / 2], ms.empty() ? 0 : ms.back(), slowestAcross);
    EXPECT_TRUE(timeouts.empty()) << "a slow device that answers fails no poll: " << timeouts.size()
                                  << " time-out lines";
    EXPECT_TRUE(Running()) << ReadWholeFile(Out("cabdisplay.out")).substr(0, 3000);
    const std::string output = ReadWholeFile(Out("cabdisplay.out"));
    EXPECT_EQ(std::string::npos, output.find("CRITICAL")) << output.substr(0, 3000);
    EXPECT_EQ(std::string::npos, output.find("Sanitizer"));
}

// --- the files ---

TEST_F(FaultRun, ReadOnlyWorkingDirectory)
{
    StartSim({});
    MakeWorkReadOnly();
    RunThroughTheFault("File not found");  // the inching speed not written
    EXPECT_NE(std::string::npos, ReadWholeFile(Out("cabdisplay.out")).find("ERROR IN OPENING FILE")) << "the log row";
}

TEST_F(FaultRun, DiskFull)
{
    StartSim({});
    FillDisk();
    RunThroughTheFault("File not found");
    if (!mounted_.empty()) {
        EXPECT_NE(std::string::npos, ReadWholeFile(Out("cabdisplay.out")).find("ERROR IN OPENING FILE")) << "the log row";
        EXPECT_EQ(4096u, ReadWholeFile(Work("DiagnosticsData.csv")).size()) << "the log cut back to its old size";
    }
}

TEST_F(FaultRun, ImagesFolderMissing)
{
    testsupport::RemoveTree(Work("Images"));
    ASSERT_NE(0, ::access(Work("Images").c_str(), F_OK));
    StartSim({});
    RunThroughTheFault("Picture missing: ./Images/Background.jpg");
}

TEST_F(FaultRun, EveryPictureCorrupt)
{
    // Every picture file becomes 300 bytes of noise.
    std::mt19937 noise(7);
    DIR* folder = ::opendir(Work("Images").c_str());
    ASSERT_NE(nullptr, folder);
    unsigned corrupted = 0;
    while (dirent* entry = ::readdir(folder)) {
        if (entry->d_name[0] == '.')
            continue;
        std::string bytes(300, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(noise());
        WriteWholeFile(Work("Images/") + entry->d_name, bytes);
        ++corrupted;
    }
    ::closedir(folder);
    ASSERT_GT(corrupted, 20u);
    StartSim({});
    RunThroughTheFault("");
}

TEST_F(FaultRun, LookUpTableMissing)
{
    ::unlink(Work("LookUpError.csv").c_str());
    StartSim({});
    RunThroughTheFault("Error Opening Look Up Error File");
    // The keys stepped the inching speed, and on a sound disk it was stored.
    EXPECT_EQ("ActualSpeedVal=0.800000", ReadWholeFile(Work(settingsfiles::kActualSpeedFile)));
}

TEST_F(FaultRun, LookUpTableBinary)
{
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 7919) & 0xFF);
    WriteWholeFile(Work("LookUpError.csv"), binary);
    StartSim({});
    RunThroughTheFault("");
}

}  // namespace
