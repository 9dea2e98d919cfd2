// The whole program through device and file faults: cabdisplay on the X
// server against mvbsim, with a pseudo-terminal keypad. In every case the
// program runs on without a critical or an abort, prints a clear line about
// the fault, still switches screens on key bytes (its window shows another
// screen), and leaves every stored setting and the diagnostics log either
// as it was or as a whole new content.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

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
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "ProgramSupport.h"
#include "SettingsFiles.h"
#include "TestSupport.h"

namespace {


enum : unsigned char { kLeft = 78, kRight = 142, kUp = 77, kHome = 75, kEnter = 135 };

// Pauses between key bytes and while the program runs on are stretched like
// the deadlines (the sanitizer tree polls more slowly).
void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(testsupport::Scaled(ms))); }

using testsupport::WaitFor;

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

using testsupport::StartProgram;

// The display's top-level window: its pixels, 0xRRGGBB each; empty while
// it has none.
std::vector<unsigned> WindowPixels(pid_t display)
{
    std::vector<unsigned> pixels;
    Display* x = XOpenDisplay(nullptr);
    if (!x)
        return pixels;
    const Atom pidAtom = XInternAtom(x, "_NET_WM_PID", True);
    Window root = DefaultRootWindow(x), parent = 0, *children = nullptr;
    unsigned count = 0;
    if (pidAtom != None && XQueryTree(x, root, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && pixels.empty(); ++i) {
            Atom type;
            int format;
            unsigned long items = 0, after = 0;
            unsigned char* data = nullptr;
            XWindowAttributes a;
            if (XGetWindowProperty(x, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                                   &data) == Success && data && items == 1 &&
                static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == display &&
                XGetWindowAttributes(x, children[i], &a) && a.map_state == IsViewable) {
                if (XImage* image = XGetImage(x, children[i], 0, 0, a.width, a.height, AllPlanes, ZPixmap)) {
                    for (int row = 0; row < a.height; ++row)
                        for (int column = 0; column < a.width; ++column)
                            pixels.push_back(static_cast<unsigned>(XGetPixel(image, column, row)) & 0xFFFFFFu);
                    XDestroyImage(image);
                }
            }
            if (data)
                XFree(data);
        }
        if (children)
            XFree(children);
    }
    XCloseDisplay(x);
    return pixels;
}

// The window's pixels before a key: a picture taken while the X server was
// too busy to answer is empty, and nothing would ever differ from it.
std::vector<unsigned> PixelsBeforeAKey(pid_t display)
{
    std::vector<unsigned> pixels;
    WaitFor([&] { return !(pixels = WindowPixels(display)).empty(); }, 5000);
    return pixels;
}

// A screen switch changes a tenth of the window or more (without pictures
// too); the title bar's clock a few hundred pixels a second.
const double kSwitched = 0.05;

// Share of the pixels that differ between two pictures of the window.
double Differing(const std::vector<unsigned>& a, const std::vector<unsigned>& b)
{
    if (a.empty() || a.size() != b.size())
        return 0.0;
    std::size_t differ = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        differ += a[i] != b[i];
    return double(differ) / double(a.size());
}

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
// A fault for a second: the pop-up looks it up and writes the log.
const char kFaultForASecond[] = "500 port 1010 4 0x100\n500 port 1804 0 20107\n1500 port 1804 0 0\n";

// How a run checks that the keys are still answered: screens switched on
// the window (and the inching speed stepped, which rewrites its file), or
// the fault acknowledge on the bus.
enum class KeyCheck { ScreensAndSpeed, Screens, AcknowledgeOnBus };

class FaultRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartPrivateX();
        work_ = dir_.path() + "/work";
        ::mkdir(work_.c_str(), 0755);
        ::mkdir((work_ + "/media").c_str(), 0755);
        WriteFile(Work(settingsfiles::kWheelDiameterFile), kWheels);
        WriteFile(Work(settingsfiles::kActualSpeedFile), kSpeed);
        WriteFile(Work("DiagnosticsData.csv"), kLog);
        WriteFile(Work("LookUpError.csv"), kLookUp);
        ASSERT_TRUE(testsupport::CopyFolder(CABDISPLAY_IMAGE_DIR, Work("Images")));
    }
    void TearDown() override
    {
        Stop(display_);
        Stop(sim_);
        Stop(x_);
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
    // An X server of this test alone: the window's pixels are read back from
    // the screen, where the windows of tests running beside it would cover it.
    // -noreset: it must not reset whenever this test's own look at the
    // window disconnects, or the display connecting then finds no server.
    void StartPrivateX()
    {
        int pipeFds[2];
        ASSERT_EQ(0, ::pipe(pipeFds));
        x_ = ::fork();
        if (x_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            const int quiet = ::open("/dev/null", O_WRONLY);
            ::dup2(quiet, 1);
            ::dup2(quiet, 2);
            ::close(pipeFds[0]);
            const std::string fd = std::to_string(pipeFds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                     "-noreset",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        char number[16] = {};
        ssize_t n = 0, got = 0;
        while (got < static_cast<ssize_t>(sizeof number) - 1 &&
               (n = ::read(pipeFds[0], number + got, sizeof number - 1 - got)) > 0 && !std::strchr(number, '\n'))
            got += n;
        ::close(pipeFds[0]);
        ASSERT_NE(nullptr, std::strchr(number, '\n')) << "no X server";
        number[std::strcspn(number, "\n")] = '\0';
        ::setenv("DISPLAY", (std::string(":") + number).c_str(), 1);
    }

    std::string Out(const std::string& name) const { return dir_.path() + "/" + name; }
    std::string Work(const std::string& name) const { return work_ + "/" + name; }

    void StartSim(const std::vector<std::string>& extra,
                  const std::string& scenario = std::string(kScenario) + kFaultForASecond)
    {
        WriteFile(Out("scenario.scn"), scenario);
        std::vector<std::string> args = {MVBSIM_BIN, "--socket", Out("sim.sock"), "--log", Out("port301.log"),
                                         "--scenario", Out("scenario.scn")};
        args.insert(args.end(), extra.begin(), extra.end());
        sim_ = StartProgram(args, {}, Out("mvbsim.out"), dir_.path());
        ASSERT_TRUE(WaitFor([this] { return ReadFile(Out("mvbsim.out")).find("listening") != std::string::npos; },
                            5000)) << ReadFile(Out("mvbsim.out"));
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

    void Press(std::initializer_list<unsigned char> keys)
    {
        for (unsigned char key : keys) {
            ASSERT_EQ(1, ::write(keypad_, &key, 1));
            Sleep(260);
        }
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
                kept.push_back(ReadFile(Work(f)));
            ASSERT_EQ(0, ::mount("cabfull", work_.c_str(), "tmpfs", 0, "size=64k")) << std::strerror(errno);
            mounted_ = work_;
            // The log fills its last page to the brim, so a row needs a new one.
            kept[2] += std::string(4095 - kept[2].size(), ' ') + "\n";
            for (std::size_t i = 0; i < kept.size(); ++i)
                WriteFile(Work(files[i]), kept[i]);
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

    // A key byte, then until the window shows another screen. A poll that
    // tries a dead device holds the keys for its budget (half a second).
    bool PressAndSeeSwitch(unsigned char key)
    {
        const std::vector<unsigned> before = PixelsBeforeAKey(display_);
        if (::write(keypad_, &key, 1) != 1)
            return false;
        const bool switched = WaitFor([&] { return (lastDiffering_ = Differing(before, WindowPixels(display_))) > kSwitched; }, 9000);
        std::printf("key %u: %.4f of the pixels changed\n", key, lastDiffering_);
        return switched;
    }

    // Runs the display through the fault: window up, a while running, then
    // left five times to the inching screen (with stepSpeed two steps up
    // there, which rewrites the inching speed file), home.
    // With garbage from the bus, random fault codes keep the fault pop-up
    // coming back over the screens (and hold the screen keys); there home
    // is checked on the bus instead: its acknowledge bit on port 301.
    void RunThroughTheFault(const std::string& expectedLine, KeyCheck check = KeyCheck::ScreensAndSpeed)
    {
        StartDisplay();
        ASSERT_TRUE(WaitFor([this] { return WindowPixels(display_).size() == 800u * 600u; }, 15000))
            << ReadFile(Out("cabdisplay.out")).substr(0, 3000);
        Sleep(2500);
        if (check == KeyCheck::AcknowledgeOnBus) {
            Press({kHome});
            EXPECT_TRUE(WaitFor([this] { return AcknowledgeSent(); }, 5000)) << ReadFile(Out("port301.log"));
        } else {
            for (int i = 0; i < 5; ++i)
                EXPECT_TRUE(PressAndSeeSwitch(kLeft)) << "left " << i + 1 << " did not switch the screen";
            if (check == KeyCheck::ScreensAndSpeed) {
                Press({kUp, kUp, kEnter});
                Sleep(400);
            }
            EXPECT_TRUE(PressAndSeeSwitch(kHome)) << "home did not switch the screen";
        }
        EXPECT_TRUE(Running()) << ReadFile(Out("cabdisplay.out")).substr(0, 3000);
        if (!expectedLine.empty())
            WaitFor([&] { return ReadFile(Out("cabdisplay.out")).find(expectedLine) != std::string::npos; }, 8000);
        Stop(display_);
        const std::string output = ReadFile(Out("cabdisplay.out"));
        EXPECT_EQ(std::string::npos, output.find("CRITICAL")) << output.substr(0, 3000);
        EXPECT_EQ(std::string::npos, output.find("Aborted"));
        EXPECT_EQ(std::string::npos, output.find("runtime error"));
        EXPECT_EQ(std::string::npos, output.find("Sanitizer"));
        if (!expectedLine.empty()) {
            EXPECT_NE(std::string::npos, output.find(expectedLine)) << output.substr(0, 3000);
        }
        ExpectSettingsKept();
    }

    // mvbsim logged port 301 word 0 with the acknowledge bit (7) set.
    bool AcknowledgeSent() const
    {
        std::istringstream log(ReadFile(Out("port301.log")));
        std::string line;
        while (std::getline(log, line)) {
            unsigned long ms = 0;
            unsigned word = 0, before = 0, after = 0;
            if (std::sscanf(line.c_str(), "%lu ms: port 301 word %u 0x%x -> 0x%x", &ms, &word, &before, &after) == 4 &&
                word == 0 && (after & 0x80u))
                return true;
        }
        return false;
    }

    // Each file holds its old content or a whole new one.
    void ExpectSettingsKept()
    {
        const std::string wheels = ReadFile(Work(settingsfiles::kWheelDiameterFile));
        unsigned short values[settingsfiles::kBogies] = {};
        EXPECT_TRUE(wheels == kWheels || settingsfiles::ParseWheelDiameters(wheels.c_str(), wheels.size(), values) ==
                                             settingsfiles::kBogies) << wheels;
        const std::string speed = ReadFile(Work(settingsfiles::kActualSpeedFile));
        float value = 0;
        EXPECT_TRUE(speed == kSpeed || settingsfiles::ParseActualSpeed(speed.c_str(), speed.size(), value)) << speed;
        const std::string log = ReadFile(Work("DiagnosticsData.csv"));
        EXPECT_EQ(0u, log.compare(0, std::strlen(kLog), kLog)) << log;
        EXPECT_EQ('\n', log.empty() ? '\n' : log.back()) << log;
    }

    testsupport::TempWorkDir dir_;
    std::string work_, mounted_;
    pid_t sim_ = -1, display_ = -1, x_ = -1;
    int keypad_ = -1;
    int status_ = 0;
    double lastDiffering_ = 0;
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

// No inching steps with a device fault: while a poll waits for the device,
// key bytes pile up on the line and the poll takes the first of them.
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

// The last characters of a text.
std::string Tail(const std::string& text, std::size_t count)
{
    return text.size() > count ? text.substr(text.size() - count) : text;
}

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
// another at once, left and right, so some of them come while a poll holds
// the bus.
TEST_F(FaultRun, DeviceAnsweringEachCommandLate)
{
    const long kBudget = 500, kPeriod = 100, kDrawing = 400;
    StartSim({"--reply-delay", "30"});
    StartDisplay();
    ASSERT_TRUE(WaitFor([this] { return WindowPixels(display_).size() == 800u * 600u; }, 15000))
        << ReadFile(Out("cabdisplay.out")).substr(0, 3000);
    const auto start = std::chrono::steady_clock::now();
    const auto sinceStart = [&start] {
        return long(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
                        .count());
    };
    std::size_t linesBefore = Count(ReadFile(Out("cabdisplay.out")), "TIMEOUT");
    std::vector<long> timeouts;  // when each later time-out line was first seen
    const auto seeTimeouts = [&] {
        const std::size_t lines = Count(ReadFile(Out("cabdisplay.out")), "TIMEOUT");
        for (; linesBefore < lines; ++linesBefore)
            timeouts.push_back(sinceStart());
    };
    struct Answer {
        long ms;
        bool acrossATimeOut;  // a poll that spent its budget ended meanwhile
    };
    std::vector<Answer> answers;
    while (sinceStart() < testsupport::Scaled(12000)) {
        const unsigned char key = answers.size() % 2 ? kRight : kLeft;  // screen 17 and back
        const std::vector<unsigned> before = PixelsBeforeAKey(display_);
        const std::size_t timeoutsBefore = timeouts.size();
        const long pressed = sinceStart();
        ASSERT_EQ(1, ::write(keypad_, &key, 1));
        std::size_t seen = 0;
        double differing = 0.0;
        ASSERT_TRUE(WaitFor([&] {
            seeTimeouts();
            const std::vector<unsigned> now = WindowPixels(display_);
            seen = now.size();
            return (differing = Differing(before, now)) > kSwitched;
        }, 9000)) << "key " << answers.size() + 1 << " was not answered: " << differing
                  << " of the pixels changed (pictures of " << before.size() << " and " << seen
                  << " pixels), display " << (Running() ? "running" : "ended") << ", its output ends:\n"
                  << Tail(ReadFile(Out("cabdisplay.out")), 3000);
        answers.push_back({sinceStart() - pressed, timeouts.size() > timeoutsBefore});
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
    EXPECT_TRUE(Running()) << ReadFile(Out("cabdisplay.out")).substr(0, 3000);
    const std::string output = ReadFile(Out("cabdisplay.out"));
    EXPECT_EQ(std::string::npos, output.find("CRITICAL")) << output.substr(0, 3000);
    EXPECT_EQ(std::string::npos, output.find("Sanitizer"));
}

// --- the files ---

TEST_F(FaultRun, ReadOnlyWorkingDirectory)
{
    StartSim({});
    MakeWorkReadOnly();
    RunThroughTheFault("File not found");  // the inching speed not written
    EXPECT_NE(std::string::npos, ReadFile(Out("cabdisplay.out")).find("ERROR IN OPENING FILE")) << "the log row";
}

TEST_F(FaultRun, DiskFull)
{
    StartSim({});
    FillDisk();
    RunThroughTheFault("File not found");
    if (!mounted_.empty()) {
        EXPECT_NE(std::string::npos, ReadFile(Out("cabdisplay.out")).find("ERROR IN OPENING FILE")) << "the log row";
        EXPECT_EQ(4096u, ReadFile(Work("DiagnosticsData.csv")).size()) << "the log cut back to its old size";
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
        WriteFile(Work("Images/") + entry->d_name, bytes);
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
    EXPECT_EQ("ActualSpeedVal=0.800000", ReadFile(Work(settingsfiles::kActualSpeedFile)));
}

TEST_F(FaultRun, LookUpTableBinary)
{
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 7919) & 0xFF);
    WriteFile(Work("LookUpError.csv"), binary);
    StartSim({});
    RunThroughTheFault("");
}

}  // namespace
