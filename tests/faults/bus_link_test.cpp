// The bus link and the keypad line through device faults, the whole program:
// cabdisplay on an X server of its own against mvbsim, with a
// pseudo-terminal keypad. After a device that took no bytes or answered
// later than a transfer's time-out is healthy again, every buffer holds its
// own port's data; a slow device has every port read; a closed link is
// opened again, a dead one costs no processor time; every key byte counts; a
// keypad line that goes away is found again; and without a named bus the
// program does not start.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "KeyCodes.h"
#include "PortTable.h"
#include "ProgramSupport.h"
#include "TestSupport.h"
#include "WindowPictures.h"

namespace {

// The keypad bytes the tests write.
constexpr unsigned char kLeft = BusKeyLeft, kRight = BusKeyRight, kHome = BusKeyHome;

using testsupport::Scaled;
using testsupport::WaitFor;

typedef std::chrono::steady_clock Clock;

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::string WheelFile(int diameter)
{
    std::string text;
    for (int bogie = 1; bogie <= 6; ++bogie)
        text += "BOGIE" + std::to_string(bogie) + "WHEELDIAMval" + std::to_string(bogie) + "=" +
                std::to_string(diameter) + "\n";
    return text;
}

const char kLookUp[] =
    "\"F0107P2\",\"SS07 : BUR_2\",\"Auxiliary converter 2 out of service\",\"BUR 2 output over-current.\"\n";

// A marker on every polled port, so that a buffer holding another port's
// data shows: each word holds its port's number; word 0 of every port has
// bits 15 and 14 set, except where the display acts on them: port 300
// (bit 15 alone: wheel diameters valid, words 2-7 the stored 1050), 1215 and
// 1715 (bit 14 is the inching enable, `inching`), 1804 (the fault code, 0).
// Another port's word 0 in 1215's buffer would send the inching request;
// another port's data in 300's would rewrite the wheel-diameter file.
std::string Markers(unsigned short inching)
{
    std::ostringstream scenario;
    std::set<unsigned short> done;
    for (const MvbPort& entry : mvb_poll_ports) {
        if (!done.insert(entry.port).second)
            continue;
        for (unsigned w = 0; w < entry.size / 2u; ++w) {
            unsigned value = entry.port;
            if (w == 0)
                value = 0xC000 | entry.port;
            if (entry.port == 300 && w == 0)
                value = 0x8000;
            if (entry.port == 300 && w >= 2 && w <= 7)
                value = 1050;
            if ((entry.port == 1215 || entry.port == 1715) && w == 0)
                value = inching;
            if (entry.port == 1804 && w == 0)
                value = 0;
            scenario << "0 port " << entry.port << " " << w << " " << value << "\n";
        }
    }
    return scenario.str();
}

// One change of port 301 word 0 in mvbsim's log: when (scenario ms) and the
// new value.
struct Word0Change {
    unsigned long ms;
    unsigned value;
};

class BusLinkRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(x_.Start()) << "no X server";
        work_ = dir_.path() + "/work";
        ::mkdir(work_.c_str(), 0755);
        ::mkdir(Work("media").c_str(), 0755);
        dir_.WriteFile(Work("wheeldiameteroutput.txt"), WheelFile(1050));
        dir_.WriteFile(Work("ActualSpeedVal.txt"), "ActualSpeedVal=0.600000");
        dir_.WriteFile(Work("LookUpError.csv"), kLookUp);
        ASSERT_TRUE(testsupport::CopyFolder(CABDISPLAY_IMAGE_DIR, Work("Images")));
    }
    void TearDown() override
    {
        testsupport::StopProgram(display_);
        testsupport::StopProgram(sim_);
        for (int keypad : keypads_)
            ::close(keypad);
        const std::string output = dir_.ReadFile(Out("cabdisplay.out"));
        EXPECT_EQ(std::string::npos, output.find("CRITICAL")) << Tail(output);
        EXPECT_EQ(std::string::npos, output.find("Sanitizer")) << Tail(output);
    }

    std::string Out(const std::string& name) const { return dir_.path() + "/" + name; }
    std::string Work(const std::string& name) const { return work_ + "/" + name; }
    static std::string Tail(const std::string& text) { return text.size() > 3000 ? text.substr(text.size() - 3000) : text; }

    void StartSim(const std::string& scenario, const std::vector<std::string>& extra = {})
    {
        dir_.WriteFile(Out("scenario.scn"), scenario);
        std::vector<std::string> args = {MVBSIM_BIN, "--socket", Out("sim.sock"), "--log", Out("port301.log"),
                                         "--scenario", Out("scenario.scn")};
        args.insert(args.end(), extra.begin(), extra.end());
        sim_ = testsupport::StartProgram(args, {}, Out("mvbsim.out"), dir_.path());
        ASSERT_TRUE(WaitFor([this] { return SimSaid("listening") > 0; }, 5000)) << dir_.ReadFile(Out("mvbsim.out"));
    }
    std::size_t SimSaid(const std::string& words) const
    {
        return testsupport::CountOf(dir_.ReadFile(Out("mvbsim.out")), words);
    }

    // A new pseudo-terminal; the path of its line side.
    std::string NewKeypad()
    {
        const int keypad = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);  // the display holds only the line side
        EXPECT_GE(keypad, 0);
        EXPECT_EQ(0, ::grantpt(keypad));
        EXPECT_EQ(0, ::unlockpt(keypad));
        keypads_.push_back(keypad);
        return ::ptsname(keypad);
    }

    // The display on the bus `bus`, its keypad line at `keypad` (a new
    // pseudo-terminal when empty).
    void StartDisplay(const std::string& bus, std::string keypad = "")
    {
        if (keypad.empty())
            keypad = NewKeypad();
        std::vector<std::string> env = {"CABDISPLAY_KEYPAD=" + keypad, "CABDISPLAY_MEDIA=" + Work("media"),
                                        "G_DEBUG=fatal-criticals"};
        if (bus != "unset")
            env.push_back("CABDISPLAY_MVB=" + bus);
        display_ = testsupport::StartProgram({CABDISPLAY_BIN}, env, Out("cabdisplay.out"), work_);
    }
    void StartDisplayOnSim(const std::string& keypad = "") { StartDisplay("sim:" + Out("sim.sock"), keypad); }
    void WaitForWindow()
    {
        ASSERT_TRUE(WaitFor([this] { return testsupport::WindowSize(display_) == "800x600"; }, 15000))
            << Tail(dir_.ReadFile(Out("cabdisplay.out")));
    }
    std::string DisplaySaid() const { return dir_.ReadFile(Out("cabdisplay.out")); }

    // Key bytes in one write on the newest keypad.
    void Write(const std::vector<unsigned char>& keys)
    {
        ASSERT_EQ(static_cast<ssize_t>(keys.size()), ::write(keypads_.back(), keys.data(), keys.size()));
    }
    // The keys of the newest keypad, judged by the window.
    testsupport::ScreenKeys& Keys()
    {
        if (!keys_ || keysOf_ != keypads_.back()) {
            keys_.reset(new testsupport::ScreenKeys(display_, keypads_.back(), Out("cabdisplay.out")));
            keysOf_ = keypads_.back();
        }
        return *keys_;
    }

    std::vector<Word0Change> Word0Changes() const
    {
        std::vector<Word0Change> changes;
        std::istringstream log(dir_.ReadFile(Out("port301.log")));
        std::string line;
        while (std::getline(log, line)) {
            unsigned long ms = 0;
            unsigned word = 0, before = 0, after = 0;
            if (std::sscanf(line.c_str(), "%lu ms: port 301 word %u 0x%x -> 0x%x", &ms, &word, &before, &after) == 4 &&
                word == 0)
                changes.push_back({ms, after});
        }
        return changes;
    }
    // Port 301 word 0 bit 0 (the inching request) at a scenario time.
    bool InchingRequestAt(unsigned long ms) const
    {
        bool set = false;
        for (const Word0Change& change : Word0Changes())
            if (change.ms <= ms)
                set = change.value & 1u;
        return set;
    }
    bool InchingRequestSetBetween(unsigned long from, unsigned long to) const
    {
        for (const Word0Change& change : Word0Changes())
            if (change.ms > from && change.ms < to && (change.value & 1u))
                return true;
        return false;
    }

    // Wall-clock time at a scenario time (the scenario clock starts at the
    // display's first poll, which mvbsim says).
    Clock::time_point AtScenario(unsigned long ms) const { return started_ + std::chrono::milliseconds(ms); }
    void WaitForScenarioStart()
    {
        ASSERT_TRUE(WaitFor([this] { return SimSaid("scenario started") > 0; }, 15000)) << dir_.ReadFile(Out("mvbsim.out"));
        started_ = Clock::now();
    }

    testsupport::PrivateXServer x_;
    std::unique_ptr<testsupport::ScreenKeys> keys_;
    int keysOf_ = -1;
    testsupport::TempWorkDir dir_;
    std::string work_;
    pid_t sim_ = -1, display_ = -1;
    std::vector<int> keypads_;
    Clock::time_point started_;
};

// --- the reply stream back in step ---

struct Recovery {
    const char* name;
    const char* faultOn;   // scenario lines, after "<ms> "
    const char* faultOff;
};

class RecoveryRun : public BusLinkRun, public ::testing::WithParamInterface<Recovery> {};

// On the inching screen with inching allowed, then not allowed; the device
// fails and is healthy again; until inching is allowed once more the
// request never goes out and the wheel-diameter file is never rewritten, and
// once it is allowed, and port 300 brings new diameters, both follow.
TEST_P(RecoveryRun, EveryBufferHoldsItsOwnPortAfterTheDeviceIsHealthyAgain)
{
    const Recovery& recovery = GetParam();
    const unsigned long inchingOff = Scaled(8000), faultOn = inchingOff + 1000, faultOff = faultOn + 3000,
                        inchingOn = faultOff + 12000 + Scaled(2000);
    std::ostringstream scenario;
    scenario << Markers(0x4000) << inchingOff << " port 1215 0 0\n" << inchingOff << " port 1715 0 0\n"
             << faultOn << " " << recovery.faultOn << "\n"
             << faultOff << " " << recovery.faultOff << "\n"
             << inchingOn << " port 1215 0 0x4000\n";
    for (int w = 2; w <= 7; ++w)
        scenario << inchingOn << " port 300 " << w << " 1060\n";
    StartSim(scenario.str());
    StartDisplayOnSim();
    WaitForScenarioStart();
    WaitForWindow();
    Write({kLeft, kLeft, kLeft, kLeft, kLeft});  // to the inching screen, in one write
    ASSERT_TRUE(WaitFor([this] { return InchingRequestAt(~0ul); }, 5000))
        << "not on the inching screen: " << dir_.ReadFile(Out("port301.log"));
    ASSERT_LT(Clock::now(), AtScenario(inchingOff)) << "the display came up too late for the scenario";

    struct stat wheels;
    ASSERT_EQ(0, ::stat(Work("wheeldiameteroutput.txt").c_str(), &wheels));
    std::this_thread::sleep_until(AtScenario(inchingOn - 500));
    struct stat still;
    ASSERT_EQ(0, ::stat(Work("wheeldiameteroutput.txt").c_str(), &still));
    EXPECT_EQ(WheelFile(1050), dir_.ReadFile(Work("wheeldiameteroutput.txt")));
    EXPECT_TRUE(wheels.st_mtim.tv_sec == still.st_mtim.tv_sec && wheels.st_mtim.tv_nsec == still.st_mtim.tv_nsec)
        << "the wheel-diameter file was rewritten: port 300's buffer held another port's data";
    EXPECT_NE(std::string::npos, DisplaySaid().find("TIMEOUT")) << "the fault was seen";

    EXPECT_TRUE(WaitFor([&] { return InchingRequestAt(~0ul); }, 8000)) << "inching allowed again: the request goes out";
    EXPECT_TRUE(WaitFor([&] { return dir_.ReadFile(Work("wheeldiameteroutput.txt")) == WheelFile(1060); }, 8000))
        << dir_.ReadFile(Work("wheeldiameteroutput.txt"));
    EXPECT_FALSE(InchingRequestSetBetween(inchingOff + Scaled(1000), inchingOn))
        << "the inching request went out while 1215 and 1715 did not allow it:\n" << dir_.ReadFile(Out("port301.log"));
    EXPECT_FALSE(InchingRequestAt(inchingOn - 1)) << dir_.ReadFile(Out("port301.log"));
}

const Recovery kRecoveries[] = {
    {"NeverTakesThenHealthy", "fault never-takes", "fault none"},
    {"SixSecondsLateThenHealthy", "delay 6000", "delay 0"},
};

INSTANTIATE_TEST_SUITE_P(Device, RecoveryRun, ::testing::ValuesIn(kRecoveries), testsupport::CaseName());

// --- a slow device ---

// The frames mvbsim received, split into the polls (each begins with the
// write of port 301) after the start-up's port lists.
std::vector<std::vector<std::string>> Polls(const std::string& frames)
{
    std::vector<std::string> lines;
    std::istringstream in(frames);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::size_t first = 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].compare(0, 2, "48") == 0)  // port configuration: the start-up
            first = i + 1;
    std::vector<std::vector<std::string>> polls;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (lines[i].compare(0, 8, "50 01 2D") == 0)
            polls.emplace_back();
        if (!polls.empty())
            polls.back().push_back(lines[i]);
    }
    return polls;
}

// Each command answered 5 ms late: a poll reads as far as its 500 ms
// budget goes, the next one writes port 301 and goes on, so every port is
// read within two polls and the fault code comes in time.
TEST_F(BusLinkRun, DeviceAnsweringEachCommandFiveMsLateHasEveryPortRead)
{
    const unsigned long faultAt = 2000;
    StartSim(std::to_string(faultAt) + " port 1804 0 20107\n", {"--reply-delay", "5", "--frames", Out("frames.txt")});
    StartDisplayOnSim();
    WaitForScenarioStart();
    WaitForWindow();
    // Port 301 goes out every poll: the longest time without one.
    std::size_t writes = 0;
    Clock::time_point lastWrite = Clock::now();
    long longestGapMs = 0;
    bool logged = false;
    long faultAfterMs = -1;
    while (Clock::now() < AtScenario(faultAt + Scaled(5000))) {
        const std::size_t now = testsupport::CountOf(dir_.ReadFile(Out("frames.txt")), "50 01 2D");
        if (now > writes) {
            if (writes > 0)
                longestGapMs = std::max<long>(longestGapMs, std::chrono::duration_cast<std::chrono::milliseconds>(
                                                                 Clock::now() - lastWrite).count());
            writes = now;
            lastWrite = Clock::now();
        }
        if (!logged && dir_.ReadFile(Work("DiagnosticsData.csv")).find("F0107P2") != std::string::npos) {
            logged = true;
            faultAfterMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - AtScenario(faultAt))
                               .count();
        }
        Sleep(20);
    }
    std::printf("port 301 at most %ld ms apart; fault pop-up %ld ms after the fault code\n", longestGapMs,
                faultAfterMs);
    EXPECT_TRUE(logged) << "the fault pop-up of port 1804 (its log row)";
    EXPECT_LE(faultAfterMs, Scaled(3000));
    EXPECT_LE(longestGapMs, Scaled(1000));
    EXPECT_GT(writes, 5u);
    EXPECT_EQ(std::string::npos, DisplaySaid().find("TIMEOUT")) << "no poll failed";

    // Any two polls in a row read every polled port.
    std::set<std::string> all;
    for (const MvbPort& entry : mvb_poll_ports) {
        char frame[16];
        std::snprintf(frame, sizeof frame, "47 %02X %02X", entry.port >> 8, entry.port & 0xFF);
        all.insert(frame);
    }
    const std::vector<std::vector<std::string>> polls = Polls(dir_.ReadFile(Out("frames.txt")));
    ASSERT_GE(polls.size(), 4u);
    for (std::size_t i = 0; i + 2 < polls.size(); ++i) {  // the last poll may not be whole yet
        std::set<std::string> read;
        for (std::size_t p = i; p <= i + 1; ++p)
            for (const std::string& frame : polls[p])
                read.insert(frame.substr(0, 8));
        for (const std::string& port : all)
            ASSERT_TRUE(read.count(port)) << "polls " << i << " and " << i + 1 << " did not read " << port
                                          << ": they read " << polls[i].size() - 1 << " ports from "
                                          << polls[i].at(std::min<std::size_t>(1, polls[i].size() - 1)).substr(0, 8)
                                          << " and " << polls[i + 1].size() - 1 << " from "
                                          << polls[i + 1].at(std::min<std::size_t>(1, polls[i + 1].size() - 1)).substr(0, 8);
    }
}

// --- a closed link ---

TEST_F(BusLinkRun, ClosedLinkIsOpenedAgainWithinOneRetryIntervalAndCostsNoProcessorMeanwhile)
{
    const unsigned long closeAt = 2000;
    StartSim(std::to_string(closeAt) + " close\n", {"--frames", Out("frames.txt")});
    StartDisplayOnSim();
    WaitForScenarioStart();
    WaitForWindow();
    std::this_thread::sleep_until(AtScenario(closeAt));
    const double cpuBefore = testsupport::CpuSeconds(display_);
    const Clock::time_point closed = Clock::now();
    ASSERT_TRUE(WaitFor([this] { return SimSaid("display connected") >= 2; },
                        static_cast<int>(mvb_poll_retry_seconds * 1000 + 1500)))
        << dir_.ReadFile(Out("mvbsim.out")) << Tail(DisplaySaid());
    const double seconds = std::chrono::duration<double>(Clock::now() - closed).count();
    const double cpu = testsupport::CpuSeconds(display_) - cpuBefore;
    std::printf("link opened again %.1f s after it closed; the display used %.2f %% of a processor meanwhile\n",
                seconds, 100.0 * cpu / seconds);
    EXPECT_LT(cpu / seconds, 0.05);
    EXPECT_LE(seconds, mvb_poll_retry_seconds + 1.5 * testsupport::TimeFactor());
    // Polls go on over the new link.
    const std::size_t writes = testsupport::CountOf(dir_.ReadFile(Out("frames.txt")), "50 01 2D");
    EXPECT_TRUE(WaitFor([&] { return testsupport::CountOf(dir_.ReadFile(Out("frames.txt")), "50 01 2D") > writes + 5; },
                        3000));
    EXPECT_EQ(1u, testsupport::CountOf(DisplaySaid(), "TIMEOUT")) << "one failed poll";
}

// --- the keypad ---

TEST_F(BusLinkRun, ThreeKeyBytesInOneWriteAreThreeKeys)
{
    StartSim("");
    StartDisplayOnSim();
    WaitForWindow();
    ASSERT_TRUE(Keys().Settle());
    const testsupport::Picture mainScreen = Keys().Current();
    // Screens 1, 2 and 3 one key at a time, then back to the main screen.
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(Keys().PressToAnotherScreen(kRight)) << "screen " << i;
    const testsupport::Picture screen3 = Keys().Current();
    ASSERT_TRUE(Keys().PressTo(kHome, mainScreen));
    Write({kRight, kRight, kRight});
    EXPECT_TRUE(Keys().AwaitScreen(screen3)) << "three bytes in one write end on the screen three single keys reach";
}

TEST_F(BusLinkRun, KeypadLineReplacedAtTheSamePathGivesKeysAgain)
{
    const std::string link = Out("keypad");
    ASSERT_EQ(0, ::symlink(NewKeypad().c_str(), link.c_str()));
    StartSim("");
    StartDisplayOnSim(link);
    WaitForWindow();
    ASSERT_TRUE(Keys().Settle());
    ASSERT_TRUE(Keys().PressToAnotherScreen(kRight));
    // The keypad goes away; a new one comes at the same path.
    keys_.reset();
    ::close(keypads_.back());
    keypads_.pop_back();
    ASSERT_TRUE(WaitFor([this] { return DisplaySaid().find("keypad line lost") != std::string::npos; }, 3000))
        << Tail(DisplaySaid());
    ::unlink(link.c_str());
    ASSERT_EQ(0, ::symlink(NewKeypad().c_str(), link.c_str()));
    ASSERT_TRUE(WaitFor([this] { return DisplaySaid().find("keypad line open again") != std::string::npos; }, 5000))
        << Tail(DisplaySaid());
    ASSERT_TRUE(Keys().Settle());
    EXPECT_TRUE(Keys().PressToAnotherScreen(kRight)) << "keys from the new keypad";
    EXPECT_EQ(1u, testsupport::CountOf(DisplaySaid(), "keypad line lost"));
    EXPECT_EQ(1u, testsupport::CountOf(DisplaySaid(), "keypad line open again"));
}

// --- no bus named ---

TEST_F(BusLinkRun, WithoutANamedBusTheProgramDoesNotStart)
{
    for (const char* bus : {"unset", ""}) {
        StartDisplay(bus);
        int status = -1;
        ASSERT_TRUE(WaitFor([&] { return ::waitpid(display_, &status, WNOHANG) == display_; }, 5000)) << bus;
        display_ = -1;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << bus << ": status " << status;
        const std::string output = DisplaySaid();
        EXPECT_NE(std::string::npos, output.find("CABDISPLAY_MVB is not set: set it to ports (")) << output;
        EXPECT_NE(std::string::npos, output.find("sim:PATH (")) << output;
        EXPECT_NE(std::string::npos, output.find(" or model (")) << output;
        EXPECT_EQ(std::string::npos, output.find("Constructor")) << "no window was built: " << output;
        EXPECT_EQ(std::string::npos, output.find("MVB Initialized")) << output;
    }
}

}  // namespace
