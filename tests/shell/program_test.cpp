// The whole program: cabdisplay on an X server of the test's own, against
// mvbsim over its socket, with a pseudo-terminal keypad. Key bytes drive it
// through its screens: a sequence of which only the end counts is written at
// once, as a driver typing fast sends it, and a key that must lead to a
// screen waits for that screen; what it sends shows in mvbsim's port-301 log.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <dirent.h>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "KeyCodes.h"
#include "ProgramSupport.h"
#include "TestSupport.h"
#include "WindowPictures.h"

namespace {


// The keypad bytes the tests write.
constexpr unsigned char kRight = BusKeyRight, kLeft = BusKeyLeft, kUp = BusKeyUp, kDown = BusKeyDown,
                        kEnter = BusKeyEnter, kMenu = BusKeyMenu, kHome = BusKeyHome, kF1 = BusKeyF1;

// 8316 on the password keypad from cell 1, then "OK".
const std::vector<unsigned char> kRightCode = {kDown, kDown, kRight, kEnter, kUp, kUp, kRight, kEnter,
                                               kLeft, kLeft, kEnter, kDown, kRight, kRight, kEnter,
                                               kDown, kDown, kEnter};

// One bench: a private directory and X server, mvbsim with a scenario, the
// display.
class Bench : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(x_.Start()) << "no X server"; }
    void TearDown() override
    {
        keys_.reset();
        StopDisplay();
        if (sim_ > 0) {
            ::kill(sim_, SIGTERM);
            ::waitpid(sim_, nullptr, 0);
        }
        if (keypad_ >= 0)
            ::close(keypad_);
    }
    std::string Path(const std::string& name) const { return dir_.path() + "/" + name; }

    void StartSim(const std::string& scenario, std::vector<std::string> extra = {})
    {
        std::ofstream(Path("scenario.scn")) << scenario;
        std::vector<std::string> args = {MVBSIM_BIN, "--socket", Path("sim.sock"), "--log", Path("port301.log"),
                                         "--scenario", Path("scenario.scn")};
        args.insert(args.end(), extra.begin(), extra.end());
        sim_ = testsupport::StartProgram(args, {}, Path("mvbsim.out"), dir_.path());
        ASSERT_TRUE(WaitFor([this] { return Read("mvbsim.out").find("listening") != std::string::npos; }, 5000))
            << Read("mvbsim.out");
    }

    // Starts the display in the bench directory; keypad "pty" gives it a
    // pseudo-terminal, any other text is taken as the keypad line's path.
    void StartDisplay(bool pictures = true, const std::string& keypad = "pty")
    {
        if (pictures) {
            ASSERT_TRUE(testsupport::CopyFolder(CABDISPLAY_IMAGE_DIR, Path("Images")));
        }
        std::string line = keypad;
        if (keypad == "pty") {
            keypad_ = ::posix_openpt(O_RDWR | O_NOCTTY);
            ASSERT_GE(keypad_, 0);
            ASSERT_EQ(0, ::grantpt(keypad_));
            ASSERT_EQ(0, ::unlockpt(keypad_));
            line = ::ptsname(keypad_);
        }
        ::mkdir(Path("media").c_str(), 0755);
        env_ = {"CABDISPLAY_MVB=sim:" + Path("sim.sock"), "CABDISPLAY_KEYPAD=" + line,
                "CABDISPLAY_MEDIA=" + Path("media"), "G_DEBUG=fatal-criticals"};
        display_ = testsupport::StartProgram({CABDISPLAY_BIN}, env_, Path("cabdisplay.out"), dir_.path());
        if (keypad_ >= 0)
            keys_.reset(new testsupport::ScreenKeys(display_, keypad_, Path("cabdisplay.out")));
    }

    // The display's keys and window, once it runs with a pseudo-terminal.
    testsupport::ScreenKeys& Keys() { return *keys_; }
    // Keys written at once, with the password code (and its OK) after them
    // and `after` after that.
    static std::vector<unsigned char> WithCode(std::vector<unsigned char> keys,
                                               const std::vector<unsigned char>& after)
    {
        keys.insert(keys.end(), kRightCode.begin(), kRightCode.end());
        keys.insert(keys.end(), after.begin(), after.end());
        return keys;
    }

    static bool WaitFor(const std::function<bool()>& done, int ms) { return testsupport::WaitFor(done, ms); }

    std::string Read(const std::string& name) const { return testsupport::ReadWholeFile(Path(name)); }

    // True when mvbsim logged port 301 word `word` changing to a value with
    // all bits of `bits` set (and equal to `value` when value >= 0); with
    // cleared, changing from a value with `bits` set to one without them.
    bool Sent(int word, unsigned bits, long value = -1, bool cleared = false) const
    {
        std::istringstream log(Read("port301.log"));
        std::string line;
        while (std::getline(log, line)) {
            unsigned w = 0, before = 0, after = 0;
            unsigned long ms = 0;
            if (std::sscanf(line.c_str(), "%lu ms: port 301 word %u 0x%x -> 0x%x", &ms, &w, &before, &after) != 4)
                continue;
            if (int(w) != word)
                continue;
            if (cleared ? ((before & bits) == bits && (after & bits) == 0)
                        : ((after & bits) == bits && (value < 0 || long(after) == value)))
                return true;
        }
        return false;
    }
    bool WaitSent(int word, unsigned bits, long value = -1, int ms = 5000)
    {
        return WaitFor([&] { return Sent(word, bits, value); }, ms);
    }

    // The loco number screen (four screens left of the main one): edit,
    // keypad, "1", right right "3", down x3 to "OK", Enter, all written at
    // once; the number goes out on port 301.
    void SendLocoNumber13()
    {
        ASSERT_TRUE(Keys().Write({kLeft, kLeft, kLeft, kLeft, kMenu, kEnter, kEnter, kRight, kRight, kEnter, kDown,
                                  kDown, kDown, kEnter}));
        EXPECT_TRUE(WaitSent(8, 0, 13)) << Read("port301.log");
    }

    bool Running()
    {
        int status = 0;
        if (display_ <= 0)
            return false;
        const pid_t done = ::waitpid(display_, &status, WNOHANG);
        if (done == display_) {
            status_ = status;
            display_ = -1;
            return false;
        }
        return true;
    }
    // Waits for the display to end; its exit status, or -1 while it runs.
    int Ended(int ms)
    {
        WaitFor([this] { return !Running(); }, ms);
        return display_ < 0 && WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
    }
    void StopDisplay()
    {
        if (display_ > 0) {
            ::kill(display_, SIGTERM);
            ::waitpid(display_, &status_, 0);
            display_ = -1;
        }
    }
    // The size of the display's mapped top-level window; 0x0 when none.
    std::string WindowSize() { return testsupport::WindowSize(display_); }
    void ExpectNoCritical()
    {
        const std::string output = Read("cabdisplay.out");
        EXPECT_EQ(std::string::npos, output.find("CRITICAL")) << output.substr(0, 2000);
        EXPECT_EQ(std::string::npos, output.find("Aborted"));
    }

    testsupport::TempWorkDir dir_;
    testsupport::PrivateXServer x_;
    std::unique_ptr<testsupport::ScreenKeys> keys_;
    pid_t sim_ = -1, display_ = -1;
    int keypad_ = -1;
    int status_ = 0;
    std::vector<std::string> env_;
};

// Inching enabled, wheel diameters echoed by the bus.
const char kBusScenario[] =
    "0 port 1215 0 0x4000\n"
    "0 port 300 0 0x8000\n"
    "0 port 300 2 1050\n0 port 300 3 1050\n0 port 300 4 1050\n"
    "0 port 300 5 1050\n0 port 300 6 1050\n0 port 300 7 1050\n";

TEST_F(Bench, WindowComesUpAt800x600)
{
    StartSim(kBusScenario);
    StartDisplay();
    EXPECT_TRUE(WaitFor([this] { return WindowSize() == "800x600"; }, 8000)) << WindowSize();
    EXPECT_TRUE(Running());
    ExpectNoCritical();
}

TEST_F(Bench, InchingGoesOutOnPort301AndStopsAfterHome)
{
    StartSim(kBusScenario);
    StartDisplay();
    ASSERT_TRUE(Keys().Settle());
    const testsupport::Picture mainScreen = Keys().Current();
    // The inching screen (five screens left of the main one), its set speed
    // six steps up, sent: written at once.
    ASSERT_TRUE(Keys().Write({kLeft, kLeft, kLeft, kLeft, kLeft, kUp, kUp, kUp, kUp, kUp, kUp, kEnter}));
    EXPECT_TRUE(WaitSent(0, 1));       // the inching request
    EXPECT_TRUE(WaitSent(1, 0, 10));   // 0.5 km/h, five tenths up: 1.0 km/h in tenths
    EXPECT_TRUE(Keys().PressTo(kHome, mainScreen));
    EXPECT_TRUE(WaitSent(0, 0, 0)) << "home ends the inching request\n" << Read("port301.log");
    ExpectNoCritical();
}

TEST_F(Bench, LocoNumberGoesOutOnPort301)
{
    StartSim(kBusScenario);
    StartDisplay();
    SendLocoNumber13();
    ExpectNoCritical();
}

TEST_F(Bench, PasswordUnlocksMotorIsolation)
{
    StartSim(kBusScenario);
    StartDisplay();
    // The isolation screen, its password, motor 1.
    ASSERT_TRUE(Keys().Write(WithCode({kLeft, kLeft, kLeft, kEnter}, {kEnter})));
    EXPECT_TRUE(WaitSent(0, 1u << 1)) << "motor 1 isolated\n" << Read("port301.log");
    ExpectNoCritical();
}

TEST_F(Bench, WheelDiameterGoesOutAfterThePassword)
{
    StartSim(kBusScenario);
    StartDisplay();
    ASSERT_TRUE(Keys().Settle());
    const testsupport::Picture mainScreen = Keys().Current();
    // The wheel screen, its password; the first row in edit, one step up,
    // sent.
    ASSERT_TRUE(Keys().Write(WithCode({kLeft, kLeft, kEnter}, {kEnter, kUp, kEnter})));
    EXPECT_TRUE(WaitSent(0, 1u << 15)) << Read("port301.log");
    EXPECT_TRUE(WaitSent(2, 0, 1051)) << Read("port301.log");
    EXPECT_TRUE(Keys().PressTo(kHome, mainScreen));
    EXPECT_TRUE(WaitFor([this] { return Sent(0, 1u << 15, -1, true); }, 3000))
        << "home ends the wheel diameter sending\n" << Read("port301.log");
    ExpectNoCritical();
}

TEST_F(Bench, FaultRaisesThePopupWritesTheLogAndHomeAcknowledges)
{
    std::ofstream(Path("LookUpError.csv"))
        << "\"F0107P2\",\"SS07 : BUR_2\",\"Auxiliary converter 2 out of service\",\"BUR 2 output over-current.\"\n";
    StartSim(std::string(kBusScenario) + "0 port 1010 4 0x100\n1000 port 1804 0 20107\n");
    StartDisplay();
    ASSERT_TRUE(WaitFor([this] { return Read("DiagnosticsData.csv").find("F0107P2") != std::string::npos; }, 8000))
        << Read("cabdisplay.out");
    // A screen key on the pop-up does nothing; home acknowledges.
    ASSERT_TRUE(Keys().Write({kRight, kHome}));
    EXPECT_TRUE(WaitSent(0, 1u << 7)) << "acknowledge bit\n" << Read("port301.log");
    ExpectNoCritical();
}

TEST_F(Bench, F1CopiesTheLogToTheStick)
{
    std::ofstream(Path("DiagnosticsData.csv")) << "\"F0107P2\",\"row\"\n";
    StartSim(kBusScenario);
    StartDisplay();
    ASSERT_TRUE(WaitFor([this] { return WindowSize() == "800x600"; }, 8000));
    ::mkdir(Path("media/STICK").c_str(), 0755);
    ASSERT_TRUE(Keys().PressTaken(kF1));
    EXPECT_TRUE(WaitFor([this] { return Read("media/STICK/DiagnosticsData.csv").find("F0107P2") != std::string::npos; },
                        3000));
    ExpectNoCritical();
}

// A stick whose "DiagnosticsData.csv" is a named pipe: the export never
// opens it, so the display neither waits nor stops. Port 301 keeps going out
// with every poll, the copy replaces the pipe, and the next keys still work.
TEST_F(Bench, F1WithAPipeOnTheStickKeepsThePollAndTheKeys)
{
    const std::string log = "\"1\" \" F0107P2\" \" 2\" \" SS 07 \" \" 2026-01-01  10:00:00\" \" Aux\" \" 1\"\n";
    std::ofstream(Path("DiagnosticsData.csv")) << log;
    StartSim(kBusScenario, {"--frames", Path("frames.txt")});
    StartDisplay();
    ASSERT_TRUE(WaitFor([this] { return WindowSize() == "800x600"; }, 8000));
    ::mkdir(Path("media/STICK").c_str(), 0755);
    ASSERT_EQ(0, ::mkfifo(Path("media/STICK/DiagnosticsData.csv").c_str(), 0644));

    // Puts of port 301 that mvbsim received ('P', port 0x012D).
    const auto puts = [this] {
        std::istringstream frames(Read("frames.txt"));
        int count = 0;
        for (std::string line; std::getline(frames, line);)
            count += line.compare(0, 8, "50 01 2D") == 0;
        return count;
    };
    ASSERT_TRUE(Keys().PressTaken(kF1));
    const int afterF1 = puts();
    EXPECT_TRUE(WaitFor([&] { return puts() >= afterF1 + 20; }, 5000))
        << "port 301 stopped going out: " << puts() - afterF1 << " puts";
    struct stat st;
    EXPECT_TRUE(WaitFor([&] {
        return ::lstat(Path("media/STICK/DiagnosticsData.csv").c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
               Read("media/STICK/DiagnosticsData.csv") == log;
    }, 3000)) << "the copy did not take the pipe's place";
    EXPECT_EQ(Read("DiagnosticsData.csv"), log);

    // The next keys: the loco number screen, its keypad, "13", OK.
    SendLocoNumber13();
    EXPECT_TRUE(Running());
    EXPECT_EQ("800x600", WindowSize());
    ExpectNoCritical();
}

TEST_F(Bench, DeviceClosingTheLinkLeavesTheDisplayRunning)
{
    StartSim(std::string(kBusScenario) + "1500 close\n");
    StartDisplay();
    ASSERT_TRUE(WaitFor([this] { return WindowSize() == "800x600"; }, 8000));
    // The display finds the device gone, and still answers the keys.
    EXPECT_TRUE(WaitFor([this] { return Read("cabdisplay.out").find("TIMEOUT") != std::string::npos; }, 8000))
        << Read("cabdisplay.out");
    EXPECT_TRUE(Keys().PressToAnotherScreen(kRight));
    EXPECT_TRUE(Running()) << Read("cabdisplay.out");
    EXPECT_EQ("800x600", WindowSize());
    ExpectNoCritical();
}

TEST_F(Bench, MissingKeypadLineEndsBeforeAnyWindow)
{
    StartSim(kBusScenario);
    StartDisplay(true, Path("no-such-keypad"));
    EXPECT_EQ(255, Ended(8000));
    EXPECT_NE(std::string::npos, Read("cabdisplay.out").find(Path("no-such-keypad") + ":"));
    ExpectNoCritical();
}

TEST_F(Bench, MissingAndBrokenPicturesNeitherStopNorFreezeTheDisplay)
{
    ::mkdir(Path("Images").c_str(), 0755);
    std::ofstream(Path("Images/Panto2Up.png")) << "not a picture";
    std::ofstream(Path("Images/usb_off.png")) << "not a picture";
    // Pantograph 2 raised after a second: its broken picture is loaded in
    // the refresh tick.
    StartSim(std::string(kBusScenario) + "0 port 1010 3 0x80\n1000 port 1115 0 0x100\n1000 port 1035 0 0x200\n");
    StartDisplay(false);
    ::mkdir(Path("media/STICK").c_str(), 0755);
    ASSERT_TRUE(WaitFor([this] { return WindowSize() == "800x600"; }, 8000)) << Read("cabdisplay.out");
    EXPECT_TRUE(WaitFor([this] { return Read("cabdisplay.out").find("Picture missing: ./Images/Panto1Down.jpg") !=
                                        std::string::npos; }, 3000));
    const std::string output = Read("cabdisplay.out");
    EXPECT_NE(std::string::npos, output.find("Picture missing: ./Images/Background.jpg"));
    // The keys still work: the refresh and decode ticks are alive.
    SendLocoNumber13();
    EXPECT_TRUE(Running());
    ExpectNoCritical();
}

// The pictures a run of the display named as missing, one entry per line.
std::vector<std::string> NamedPictures(const std::string& output)
{
    std::vector<std::string> names;
    std::istringstream lines(output);
    const std::string mark = "Picture missing: ";
    for (std::string line; std::getline(lines, line);)
        if (line.compare(0, mark.size(), mark) == 0)
            names.push_back(line.substr(mark.size()));
    return names;
}

// Every picture the display cannot load at start is named once, whether
// the file is missing or cannot be decoded, whichever part of the display
// loads it: the main screen, the title bar and its speed icon, the
// components of every screen.
TEST_F(Bench, EveryPictureThatCannotBeLoadedIsNamedOnce)
{
    StartSim(kBusScenario);
    std::vector<std::vector<std::string>> runs;
    for (const bool broken : {false, true}) {
        testsupport::RemoveTree(Path("Images"));
        if (broken) {
            ASSERT_TRUE(testsupport::CopyFolder(CABDISPLAY_IMAGE_DIR, Path("Images")));
            DIR* folder = ::opendir(Path("Images").c_str());
            ASSERT_NE(nullptr, folder);
            while (dirent* entry = ::readdir(folder))
                if (entry->d_name[0] != '.')
                    std::ofstream(Path("Images/") + entry->d_name, std::ios::trunc) << "not a picture";
            ::closedir(folder);
        }
        StartDisplay(false);
        ASSERT_TRUE(WaitFor([this] { return WindowSize() == "800x600"; }, 8000)) << Read("cabdisplay.out");
        // Until a second has passed without a new name (the first ticks load
        // what they show).
        std::vector<std::string> names;
        auto since = std::chrono::steady_clock::now();
        EXPECT_TRUE(WaitFor([&] {
            std::vector<std::string> now = NamedPictures(Read("cabdisplay.out"));
            if (now != names) {
                names = now;
                since = std::chrono::steady_clock::now();
            }
            return !names.empty() && std::chrono::steady_clock::now() - since > std::chrono::seconds(1);
        }, 10000));
        StopDisplay();
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names.end(), std::adjacent_find(names.begin(), names.end())) << "a picture named twice";
        for (const char* picture : {"./Images/Background.jpg", "./Images/Panto1Down.jpg", "./Images/SpeedIcon.png",
                                    "./Images/SpeedIconNeedle.png", "./Images/CircularNeedle.png",
                                    "./Images/Button1ON.png", "./Images/GreyBox.png", "./Images/WarningPopup.png"})
            EXPECT_TRUE(std::binary_search(names.begin(), names.end(), picture)) << picture << (broken ? " broken" : "");
        runs.push_back(names);
        ExpectNoCritical();
    }
    EXPECT_EQ(runs[0], runs[1]) << "missing and undecodable pictures are named alike";
    std::printf("%zu pictures named, each once\n", runs[0].size());
}

}  // namespace
