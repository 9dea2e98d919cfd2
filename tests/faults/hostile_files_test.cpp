// The whole program against hostile files: cabdisplay on the X server
// against mvbsim, a pseudo-terminal keypad, and under every name the
// display opens (the fault table, the log, the two settings files and the
// names their rewrites used, a picture, the stick) something that is no
// file of the display's: a named pipe (with and without a program holding
// it), a link to a device, out of the folder or to nowhere, a folder, a
// huge file, a long line, a log ending in a gigabyte of zero bytes,
// damaged values, a crowded media root.
//
// Each run goes through every access: start-up, the inching screen (whose
// inching flag the bus toggles every 100 ms, so that every poll changes
// port 301 and mvbsim's log shows each one), a fault onset (table, counts,
// log row), the inching speed stepped and saved, new wheel diameters from
// the bus (saved), f1 (the copy onto the stick), f3 and its pages, Home.
// In every run: the poll never pauses for more than a second, each key is
// answered, nothing outside the working directory and the stick changes,
// the resident memory grows by less than 64 MB, and the display names the
// file and its fault. The runs of a table go side by side.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "KeyCodes.h"
#include "ProgramSupport.h"
#include "TestSupport.h"

namespace {

using testsupport::Scaled;

// The keypad bytes the tests write.
constexpr unsigned char kLeft = BusKeyLeft, kUp = BusKeyUp, kDown = BusKeyDown, kHome = BusKeyHome,
                        kEnter = BusKeyEnter, kF1 = BusKeyF1, kF3 = BusKeyF3;

using Clock = std::chrono::steady_clock;

using testsupport::ReadWholeFile;
using testsupport::WriteWholeFile;

// A file of `size` bytes that starts with `start` and goes on in zero
// bytes, without taking the disk space (a sparse file).
void SparseFile(const std::string& path, const std::string& start, off_t size)
{
    WriteWholeFile(path, start);
    if (::truncate(path.c_str(), size) != 0) ADD_FAILURE() << "cannot grow " << path;
}

const char kWheels[] = "BOGIE1WHEELDIAMval1=1050\nBOGIE2WHEELDIAMval2=1050\nBOGIE3WHEELDIAMval3=1050\n"
                       "BOGIE4WHEELDIAMval4=1050\nBOGIE5WHEELDIAMval5=1050\nBOGIE6WHEELDIAMval6=1050\n";
const char kSpeed[] = "ActualSpeedVal=0.600000";
const char kLog[] = "\"1\" \" F0107P2\" \" 2\" \" SS 07 \" \" 2026-01-01  10:00:00\" \" Auxiliary\" \" 1\"\n";
const char kLookUp[] =
    "\"F0107P2\",\"SS07 : BUR_2\",\"Auxiliary converter 2 out of service\",\"BUR 2 output over-current.\"\n";
const char kOutsideText[] = "a file outside the display's folders\n";

// Scenario times (ms from the display's first poll): the fault, and the
// wheel diameters that the bus then sends (the display saves them).
int FaultStart() { return Scaled(6000); }
int FaultEnd() { return FaultStart() + Scaled(1500); }

std::string Scenario()
{
    std::ostringstream scenario;
    scenario << "0 port 300 0 0x8000\n";
    for (int word = 2; word < 8; ++word) scenario << "0 port 300 " << word << " 1050\n";
    // The bus allows inching every other 100 ms: on the inching screen
    // every poll sends another port 301.
    for (int ms = 0, on = 1; ms < Scaled(120000); ms += 100, on = !on)
        scenario << ms << " port 1215 0 " << (on ? "0x4000" : "0") << "\n";
    scenario << FaultStart() - 500 << " port 1010 4 0x100\n"
             << FaultStart() << " port 1804 0 20107\n"
             << FaultEnd() << " port 1804 0 0\n";
    for (int word = 2; word < 8; ++word) scenario << FaultEnd() << " port 300 " << word << " 1060\n";
    return scenario.str();
}

// One change of port 301 in mvbsim's log.
struct Put {
    unsigned long ms;
    unsigned word, before, after;
};

std::vector<Put> Puts(const std::string& log)
{
    std::vector<Put> puts;
    std::istringstream lines(log);
    std::string line;
    while (std::getline(lines, line)) {
        Put put{};
        if (std::sscanf(line.c_str(), "%lu ms: port 301 word %u 0x%x -> 0x%x", &put.ms, &put.word, &put.before,
                        &put.after) == 4)
            puts.push_back(put);
    }
    return puts;
}

bool Toggles(const Put& put) { return put.word == 0 && ((put.before ^ put.after) & 1u); }

// A field of /proc/<pid>/status in kB.
long StatusKb(pid_t pid, const char* field)
{
    std::istringstream status(ReadWholeFile("/proc/" + std::to_string(pid) + "/status"));
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, std::strlen(field), field) == 0) return std::atol(line.c_str() + std::strlen(field) + 1);
    return -1;
}

class DisplayRun;

// One hostile case: what it plants before the display starts, the lines the
// display prints about it, and what else must hold afterwards.
struct Hostile {
    const char* name;
    std::function<void(DisplayRun&)> plant;
    std::vector<std::string> lines;
    std::function<void(DisplayRun&)> check;
    bool addressLimit;  // as a 32-bit display: 3 GB of address space
};

// A display run in a folder of its own: the working directory, the stick
// folder under the media root beside it, and a folder outside both.
class DisplayRun {
public:
    explicit DisplayRun(const Hostile& hostile) : hostile_(hostile)
    {
        base_ = dir_.path();
        ::mkdir(Work("").c_str(), 0755);
        ::mkdir(Work("media").c_str(), 0755);
        ::mkdir(Work("media/STICK").c_str(), 0755);
        ::mkdir(Outside("").c_str(), 0755);
        WriteWholeFile(Outside("target.txt"), kOutsideText);
        WriteWholeFile(Work("wheeldiameteroutput.txt"), kWheels);
        WriteWholeFile(Work("ActualSpeedVal.txt"), kSpeed);
        WriteWholeFile(Work("DiagnosticsData.csv"), kLog);
        WriteWholeFile(Work("LookUpError.csv"), kLookUp);
        if (!testsupport::CopyFolder(CABDISPLAY_IMAGE_DIR, Work("Images"))) Fail("pictures not copied");
    }
    ~DisplayRun()
    {
        Stop();
        for (int fd : held_) ::close(fd);
    }
    DisplayRun(const DisplayRun&) = delete;
    DisplayRun& operator=(const DisplayRun&) = delete;

    std::string Work(const std::string& name) const { return base_ + "/work/" + name; }
    std::string Outside(const std::string& name) const { return base_ + "/outside/" + name; }
    std::string Out(const std::string& name) const { return base_ + "/" + name; }
    const Hostile& hostile() const { return hostile_; }

    // Holds the pipe open as a program that writes into it would, its
    // buffer filled when `fill`.
    void HoldWriter(const std::string& pipe, bool fill)
    {
        const int fd = ::open(pipe.c_str(), O_RDWR | O_NONBLOCK);
        if (fd < 0) Fail("cannot hold " + pipe);
        held_.push_back(fd);
        const std::string block(4096, 'x');
        while (fill && ::write(fd, block.data(), block.size()) > 0) {
        }
    }

    void Fail(const std::string& message) { failures_.push_back(message); }
    const std::vector<std::string>& failures() const { return failures_; }
    bool live() const { return failures_.empty() && display_ > 0; }

    void Start()
    {
        hostile_.plant(*this);
        outsideBefore_ = ReadWholeFile(Outside("target.txt"));
        WriteWholeFile(Out("scenario.scn"), Scenario());
        sim_ = testsupport::StartProgram({MVBSIM_BIN, "--socket", Out("sim.sock"), "--log", Out("port301.log"),
                                          "--scenario", Out("scenario.scn")},
                                         {}, Out("mvbsim.out"), base_);
        if (!testsupport::WaitFor([this] { return ReadWholeFile(Out("mvbsim.out")).find("listening") != std::string::npos; },
                                  5000)) {
            Fail("mvbsim did not start");
            return;
        }
        keypad_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (keypad_ < 0 || ::grantpt(keypad_) != 0 || ::unlockpt(keypad_) != 0) {
            Fail("no keypad terminal");
            return;
        }
        std::vector<std::string> args = {CABDISPLAY_BIN};
#if !defined(__SANITIZE_ADDRESS__)
        // A 64-bit display under the address space of a 32-bit one (the
        // sanitizers need far more; a 32-bit build has its own).
        if (hostile_.addressLimit && sizeof(void*) == 8)
            args.insert(args.begin(), {"/usr/bin/prlimit", "--as=3221225472"});
#endif
        display_ = testsupport::StartProgram(args,
                                             {"CABDISPLAY_MVB=sim:" + Out("sim.sock"),
                                              std::string("CABDISPLAY_KEYPAD=") + ::ptsname(keypad_),
                                              "CABDISPLAY_MEDIA=" + Work("media"), "G_DEBUG=fatal-criticals"},
                                             Out("cabdisplay.out"), Work(""));
    }

    bool WindowUp() { return testsupport::WindowSize(display_) == "800x600"; }
    bool Running() { return display_ > 0 && ::waitpid(display_, &status_, WNOHANG) == 0; }

    // Keys written at once; the display takes one per poll.
    void Press(const std::vector<unsigned char>& keys)
    {
        if (live() && ::write(keypad_, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size()))
            Fail("keys not written");
        const unsigned long now = SimNow();
        for (unsigned char key : keys) keys_.push_back({now, key});
    }

    std::vector<Put> PortLog() const { return Puts(ReadWholeFile(Out("port301.log"))); }
    // mvbsim's time now, as far as its log tells.
    unsigned long SimNow() const
    {
        const std::vector<Put> puts = PortLog();
        return puts.empty() ? 0 : puts.back().ms;
    }

    void NoteStartMemory()
    {
        rssAtStartKb_ = StatusKb(display_, "VmRSS:");
        // The peak from here on (the superuser may reset it).
        std::ofstream(("/proc/" + std::to_string(display_) + "/clear_refs").c_str()) << "5";
    }
    void NoteEndMemory()
    {
        peakKb_ = StatusKb(display_, "VmHWM:");
        if (peakKb_ < rssAtStartKb_) peakKb_ = StatusKb(display_, "VmRSS:");
    }
    long GrowthKb() const { return peakKb_ - rssAtStartKb_; }

    void Stop()
    {
        if (display_ > 0) {
            testsupport::StopProgram(display_);
            display_ = -1;
        }
        if (sim_ > 0) {
            testsupport::StopProgram(sim_);
            sim_ = -1;
        }
        if (keypad_ >= 0) ::close(keypad_);
        keypad_ = -1;
    }

    // What must hold for every run, after it.
    void CheckAfter(unsigned long firstToggle, unsigned long home, unsigned long& longestGap)
    {
        const std::string output = ReadWholeFile(Out("cabdisplay.out"));
        for (const char* bad : {"CRITICAL", "Aborted", "runtime error", "Sanitizer", "bad_alloc"})
            if (output.find(bad) != std::string::npos) Fail(std::string("the display printed ") + bad);
        for (const std::string& line : hostile_.lines)
            if (output.find(line) == std::string::npos) Fail("no line \"" + line + "\"");
        longestGap = 0;
        unsigned long last = firstToggle, gapFrom = 0;
        for (const Put& put : PortLog()) {
            if (put.ms < firstToggle || put.ms > home) continue;
            if (put.ms - last > longestGap) {
                longestGap = put.ms - last;
                gapFrom = last;
            }
            last = put.ms;
        }
        if (longestGap > static_cast<unsigned long>(Scaled(1000)))
            Fail("the poll paused " + std::to_string(longestGap) + " ms, from " + std::to_string(gapFrom) +
                 " ms on mvbsim's clock" + LastKeyBefore(gapFrom));
#if !defined(__SANITIZE_ADDRESS__)
        // (The address sanitizer keeps freed memory aside for a while, so
        // there the figure says little.)
        if (GrowthKb() >= 64 * 1024) Fail("resident memory grew by " + std::to_string(GrowthKb() / 1024) + " MB");
#endif
        if (ReadWholeFile(Outside("target.txt")) != outsideBefore_) Fail("a file outside the display's folders changed");
        for (const char* name : {"created.txt", "folder/DiagnosticsData.csv"})
            if (::access(Outside(name).c_str(), F_OK) == 0) Fail(std::string("created outside: ") + name);
        if (hostile_.check) hostile_.check(*this);
    }

private:
    // Which key came last before mvbsim's time `ms`, for the messages.
    std::string LastKeyBefore(unsigned long ms) const
    {
        std::string text = " (before any key)";
        for (const auto& key : keys_)
            if (key.first <= ms)
                text = " (" + std::to_string(ms - key.first) + " ms after key " + std::to_string(key.second) + ")";
        return text;
    }

    const Hostile& hostile_;
    testsupport::TempWorkDir dir_;
    std::string base_, outsideBefore_;
    pid_t sim_ = -1, display_ = -1;
    int keypad_ = -1, status_ = 0;
    std::vector<int> held_;
    std::vector<std::pair<unsigned long, unsigned char>> keys_;  // mvbsim's time of each key
    long rssAtStartKb_ = 0, peakKb_ = 0;
    std::vector<std::string> failures_;
};

// Waits until `done` holds for every live run, or the time is up; a run
// for which it never held fails with `what`.
void AllOf(std::vector<std::unique_ptr<DisplayRun>>& runs, const std::function<bool(DisplayRun&)>& done, int ms,
           const std::string& what)
{
    testsupport::WaitFor([&] {
        for (auto& run : runs)
            if (run->live() && !done(*run)) return false;
        return true;
    }, ms);
    for (auto& run : runs)
        if (run->live() && !done(*run)) run->Fail(what);
}

void PressAll(std::vector<std::unique_ptr<DisplayRun>>& runs, const std::vector<unsigned char>& keys)
{
    for (auto& run : runs) run->Press(keys);
}

// The toggling of port 301 has ended: no toggle for quietMs, the last with
// the bit at 0. `seen` holds, per run, the toggles counted so far and when
// that count last grew.
bool TogglingEnded(DisplayRun& r, std::map<DisplayRun*, std::pair<std::size_t, Clock::time_point>>& seen, int quietMs)
{
    std::size_t toggles = 0;
    unsigned bit = 1;
    for (const Put& put : r.PortLog())
        if (Toggles(put)) {
            ++toggles;
            bit = put.after & 1u;
        }
    auto& last = seen[&r];
    if (toggles != last.first || last.second == Clock::time_point()) {
        last = {toggles, Clock::now()};
        return false;
    }
    return bit == 0 && Clock::now() - last.second >= std::chrono::milliseconds(quietMs);
}

// The runs of one table, side by side, through the same steps.
void RunSideBySide(const std::vector<Hostile>& table)
{
    std::vector<std::unique_ptr<DisplayRun>> runs;
    for (const Hostile& hostile : table) runs.emplace_back(new DisplayRun(hostile));
    for (auto& run : runs) run->Start();
    AllOf(runs, [](DisplayRun& r) { return r.WindowUp(); }, 20000, "the window did not come up");
    for (auto& run : runs)
        if (run->live()) run->NoteStartMemory();

    // To the inching screen; from then on every poll shows in the log.
    PressAll(runs, {kLeft, kLeft, kLeft, kLeft, kLeft});
    std::map<DisplayRun*, unsigned long> firstToggle, home, answered;
    AllOf(runs, [&](DisplayRun& r) {
        for (const Put& put : r.PortLog())
            if (Toggles(put)) return (firstToggle[&r] = put.ms), true;
        return false;
    }, 8000, "the inching screen never came (no toggling in port 301)");

    // The fault comes and goes: table, counts and log row.
    AllOf(runs, [](DisplayRun& r) { return r.SimNow() >= static_cast<unsigned long>(FaultEnd() + Scaled(800)); },
          FaultEnd() + 20000, "the poll stopped before the fault had gone");

    // The inching speed one step up and sent: the key is answered on port
    // 301 word 1, and the speed saved.
    std::map<DisplayRun*, unsigned long> pressed;
    for (auto& run : runs) pressed[run.get()] = run->SimNow();
    PressAll(runs, {kUp, kEnter});
    AllOf(runs, [&](DisplayRun& r) {
        for (const Put& put : r.PortLog())
            if (put.word == 1 && put.ms >= pressed[&r]) return (answered[&r] = put.ms), true;
        return false;
    }, 5000, "up and enter were not answered (port 301 word 1 unchanged)");

    // f1: the copy onto the stick; f3: the diagnostics screen and its pages;
    // home leaves the inching screen: the toggling stops. Written at once,
    // so home is answered once the display has taken the four keys before.
    PressAll(runs, {kF1, kF3, kDown, kUp, kHome});
    std::map<DisplayRun*, std::pair<std::size_t, Clock::time_point>> toggles;
    AllOf(runs, [&](DisplayRun& r) { return TogglingEnded(r, toggles, Scaled(1500)); }, 30000,
          "home was not answered (port 301 still toggling)");
    for (auto& run : runs) {
        if (!run->live()) continue;
        for (const Put& put : run->PortLog())
            if (Toggles(put)) home[run.get()] = put.ms;   // the toggle that answered home
        if (!run->Running()) run->Fail("the display ended");
        run->NoteEndMemory();
    }
    for (auto& run : runs) run->Stop();

    for (auto& run : runs) {
        unsigned long gap = 0;
        if (firstToggle.count(run.get())) run->CheckAfter(firstToggle[run.get()], home[run.get()], gap);
        std::printf("%-32s longest pause of the poll %4lu ms, resident memory %+6.1f MB\n", run->hostile().name, gap,
                    run->GrowthKb() / 1024.0);
        for (const std::string& failure : run->failures())
            ADD_FAILURE() << run->hostile().name << ": " << failure << "\n--- its output ends:\n"
                          << ReadWholeFile(run->Out("cabdisplay.out")).substr(
                                 std::max<std::size_t>(ReadWholeFile(run->Out("cabdisplay.out")).size(), 2000) - 2000);
    }
}

// --- what stands under the names -------------------------------------------

using Plant = std::function<void(DisplayRun&)>;

Plant Pipe(const std::string& name)
{
    return [name](DisplayRun& r) {
        ::unlink(r.Work(name).c_str());
        ASSERT_EQ(::mkfifo(r.Work(name).c_str(), 0644), 0);
    };
}
Plant PipeHeld(const std::string& name, bool full)
{
    return [name, full](DisplayRun& r) {
        Pipe(name)(r);
        r.HoldWriter(r.Work(name), full);
    };
}
Plant Link(const std::string& name, const std::function<std::string(DisplayRun&)>& target)
{
    return [name, target](DisplayRun& r) {
        ::unlink(r.Work(name).c_str());
        ASSERT_EQ(::symlink(target(r).c_str(), r.Work(name).c_str()), 0);
    };
}
std::function<std::string(DisplayRun&)> To(const std::string& path)
{
    return [path](DisplayRun&) { return path; };
}
std::function<std::string(DisplayRun&)> ToOutside(const std::string& name)
{
    return [name](DisplayRun& r) { return r.Outside(name); };
}
Plant Folder(const std::string& name)
{
    return [name](DisplayRun& r) {
        ::unlink(r.Work(name).c_str());
        ASSERT_EQ(::mkdir(r.Work(name).c_str(), 0755), 0);
    };
}
Plant Sparse(const std::string& name, const std::string& start, off_t size)
{
    return [name, start, size](DisplayRun& r) { SparseFile(r.Work(name), start, size); };
}
Plant Content(const std::string& name, const std::string& content)
{
    return [name, content](DisplayRun& r) { WriteWholeFile(r.Work(name), content); };
}

// The log's last row is this fault's, with this count.
std::function<void(DisplayRun&)> LastRowCounts(const std::string& count)
{
    return [count](DisplayRun& r) {
        const int fd = ::open(r.Work("DiagnosticsData.csv").c_str(), O_RDONLY);
        char tail[200] = {};
        const off_t size = ::lseek(fd, 0, SEEK_END);
        const ssize_t n = ::pread(fd, tail, sizeof tail, std::max<off_t>(0, size - static_cast<off_t>(sizeof tail)));
        ::close(fd);
        const std::string end(tail, n > 0 ? static_cast<std::size_t>(n) : 0);
        const std::string::size_type start = end.rfind('\n', end.size() >= 2 ? end.size() - 2 : 0);
        const std::string last = end.substr(start == std::string::npos ? 0 : start + 1);
        if (last.find(" F0107P2\" \" 2\" \" SS 07 \"") == std::string::npos ||
            last.size() < count.size() + 3 || last.compare(last.size() - count.size() - 3, std::string::npos,
                                                            " " + count + "\"\n") != 0)
            r.Fail("the onset's row is not the log's last, with count " + count);
    };
}

// The stick holds a regular file that is the log.
void StickHoldsTheLog(DisplayRun& r)
{
    struct stat st {};
    if (::lstat(r.Work("media/STICK/DiagnosticsData.csv").c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        ReadWholeFile(r.Work("media/STICK/DiagnosticsData.csv")) != ReadWholeFile(r.Work("DiagnosticsData.csv")))
        r.Fail("the stick does not hold the log");
}

const std::string kTable = "LookUpError.csv";
const std::string kLogFile = "DiagnosticsData.csv";
const std::string kWheelFile = "wheeldiameteroutput.txt";
const std::string kSpeedFile = "ActualSpeedVal.txt";

std::string NotRead(const std::string& file, const std::string& why) { return file + ": not read: " + why; }

const char kPipe[] = "a named pipe, not a file";
const char kLinkText[] = "a symbolic link, not followed";
const char kFolderText[] = "a folder, not a file";

TEST(HostileFiles, FaultTable)
{
    RunSideBySide({
        {"TableNamedPipe", Pipe(kTable), {NotRead(kTable, kPipe), "Error Opening Look Up Error File"}, nullptr,
         false},
        {"TableNamedPipeWithAWriter", PipeHeld(kTable, false), {NotRead(kTable, kPipe)}, nullptr, false},
        {"TableLinkToDevZero", Link(kTable, To("/dev/zero")), {NotRead(kTable, kLinkText)}, nullptr, false},
        {"TableLinkToDevUrandom", Link(kTable, To("/dev/urandom")), {NotRead(kTable, kLinkText)}, nullptr, false},
        {"Table300MB", Sparse(kTable, kLookUp, 300 << 20), {NotRead(kTable, "larger than 4 MB")}, nullptr, false},
        {"TableOneLineOf3MB", Content(kTable, std::string(3 << 20, 'x')),
         {kTable + ": 1 line longer than 256 KB skipped"}, nullptr, false},
    });
}

TEST(HostileFiles, DiagnosticsLog)
{
    const std::string notWritten = kLogFile + ": not written: ";
    RunSideBySide({
        {"LogLinkOutOfTheFolder", Link(kLogFile, ToOutside("target.txt")),
         {NotRead(kLogFile, kLinkText), notWritten + kLinkText}, nullptr, false},
        {"LogDanglingLink", Link(kLogFile, ToOutside("created.txt")), {notWritten + kLinkText}, nullptr, false},
        {"LogNamedPipe", Pipe(kLogFile), {NotRead(kLogFile, kPipe), notWritten + kPipe}, nullptr, false},
        {"LogPipeHeldWithAFullBuffer", PipeHeld(kLogFile, true), {notWritten + kPipe}, nullptr, false},
        {"LogFolder", Folder(kLogFile), {notWritten + kFolderText}, nullptr, false},
        {"LogWithAGigabyteOfZeroBytes", Sparse(kLogFile, kLog, (1LL << 30) + sizeof kLog - 1),
         {NotRead(kLogFile, "larger than 128 MB"), kLogFile + ": not copied: larger than 128 MB"},
         LastRowCounts("1"), true},
        {"LogWith20MBOfZeroBytes", Sparse(kLogFile, kLog, (20 << 20) + sizeof kLog - 1),
         {kLogFile + ": 1 line longer than 256 KB skipped"}, LastRowCounts("2"), false},
    });
}

TEST(HostileFiles, SettingsFiles)
{
    RunSideBySide({
        {"WheelFileNamedPipe", Pipe(kWheelFile), {NotRead(kWheelFile, kPipe), "File not found"}, nullptr, false},
        {"SpeedFileNamedPipe", Pipe(kSpeedFile), {NotRead(kSpeedFile, kPipe)}, nullptr, false},
        {"WheelFileLinkOutOfTheFolder", Link(kWheelFile, ToOutside("target.txt")), {NotRead(kWheelFile, kLinkText)},
         [](DisplayRun& r) {
             struct stat st {};
             if (::lstat(r.Work(kWheelFile).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
                 r.Fail("the rewrite did not put a file in the link's place");
         },
         false},
        {"SpeedFileLinkToDevZero", Link(kSpeedFile, To("/dev/zero")), {NotRead(kSpeedFile, kLinkText)}, nullptr,
         false},
        {"WheelFileFolder", Folder(kWheelFile),
         {NotRead(kWheelFile, kFolderText), kWheelFile + ": not written: Is a directory"}, nullptr, false},
        {"OldWheelTemporaryLinkOutOfTheFolder", Link(kWheelFile + ".tmp", ToOutside("target.txt")),
         {kWheelFile + ": 1 left by earlier writes removed"},
         [](DisplayRun& r) {
             if (ReadWholeFile(r.Work(kWheelFile)).find("=1060") == std::string::npos)
                 r.Fail("the new wheel diameters were not saved");
         },
         false},
        {"OldSpeedTemporaryNamedPipe", Pipe(kSpeedFile + ".tmp"), {kSpeedFile + ": 1 left by earlier writes removed"},
         [](DisplayRun& r) {
             if (ReadWholeFile(r.Work(kSpeedFile)) != "ActualSpeedVal=0.700000") r.Fail("the new inching speed not saved");
         },
         false},
        {"DamagedValues",
         [](DisplayRun& r) {
             WriteWholeFile(r.Work(kSpeedFile), "ActualSpeedVal=6553.500000");
             WriteWholeFile(r.Work(kWheelFile), "BOGIE1WHEELDIAMval1=-1\nBOGIE2WHEELDIAMval2=0\nBOGIE3WHEELDIAMval3=5000\n"
                                           "BOGIE4WHEELDIAMval4=32767\nBOGIE5WHEELDIAMval5=1050\n"
                                           "BOGIE6WHEELDIAMval6=1050\n");
         },
         {kSpeedFile + ": inching speed 6553.5 km/h outside 0.5..1.5 km/h, not used",
          kWheelFile + ": wheel diameter -1 of bogie 1 outside 1016..1097, not used",
          kWheelFile + ": wheel diameter 32767 of bogie 4 outside 1016..1097, not used"},
         [](DisplayRun& r) {
             // From 0, one step up: the lowest set speed, 0.5 km/h, went out, as after a start
             // without the file.
             if (ReadWholeFile(r.Work(kSpeedFile)) != "ActualSpeedVal=0.500000") r.Fail("the speed did not start from 0");
         },
         false},
    });
}

// A PNG header that claims more pixels than the file holds.
std::string PngClaiming(unsigned width, unsigned height)
{
    std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (unsigned v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) png += static_cast<char>((v >> shift) & 0xFF);
    return png + std::string("\x08\x06\0\0\0", 5) + std::string(1000, '\0');
}

TEST(HostileFiles, Pictures)
{
    const std::string shown = ": not shown: ";
    RunSideBySide({
        {"BackgroundNamedPipe", Pipe("Images/Background.jpg"), {"./Images/Background.jpg" + shown + kPipe}, nullptr,
         false},
        {"GaugeLinkToDevZero", Link("Images/CircularGauge.png", To("/dev/zero")),
         {"./Images/CircularGauge.png" + shown + kLinkText}, nullptr, false},
        {"PopUpPictureOf1GB", Sparse("Images/WarningPopup.png", PngClaiming(790, 360), 1LL << 30),
         {"./Images/WarningPopup.png" + shown + "larger than 4 MB"}, nullptr, false},
        {"PopUpPictureOfTooManyPixels", Content("Images/WarningPopup.png", PngClaiming(40000, 40000)),
         {"./Images/WarningPopup.png" + shown + "40000 x 40000 pixels, more than 2048 a side"}, nullptr, false},
    });
}

TEST(HostileFiles, Stick)
{
    const std::string onStick = "media/STICK/DiagnosticsData.csv";
    RunSideBySide({
        {"CopyNamedPipe", Pipe(onStick), {}, StickHoldsTheLog, false},
        {"CopyLinkOutOfTheStick", Link(onStick, ToOutside("target.txt")), {}, StickHoldsTheLog, false},
        {"LeftoversOfKilledCopies",
         [](DisplayRun& r) {
             for (int n = 0; n < 100; ++n)
                 ASSERT_EQ(::symlink(r.Outside("target.txt").c_str(),
                                     r.Work("media/STICK/.DiagnosticsData.csv." + std::to_string(4000 + n) + ".0").c_str()),
                           0);
             SparseFile(r.Work("media/STICK/.DiagnosticsData.csv.3999.0"), "half a copy", 47 << 20);
         },
         {"/media/STICK: 101 left by earlier copies removed"},
         [](DisplayRun& r) {
             StickHoldsTheLog(r);
             for (int n = 3999; n < 4100; ++n)
                 if (::access(r.Work("media/STICK/.DiagnosticsData.csv." + std::to_string(n) + ".0").c_str(), F_OK) == 0)
                     r.Fail("a leftover stayed");
         },
         false},
        {"StickFolderIsALinkOutside",
         [](DisplayRun& r) {
             ::rmdir(r.Work("media/STICK").c_str());
             ::mkdir(r.Outside("folder").c_str(), 0755);
             ASSERT_EQ(::symlink(r.Outside("folder").c_str(), r.Work("media/STICK").c_str()), 0);
         },
         {"/media/STICK: not a stick: " + std::string(kLinkText)}, nullptr, false},
        {"MediaRootOf20000Entries",
         [](DisplayRun& r) {
             for (int n = 0; n < 20000; ++n) {
                 char name[32];
                 std::snprintf(name, sizeof name, "media/entry%05d", n);
                 ::close(::open(r.Work(name).c_str(), O_CREAT | O_WRONLY, 0644));
             }
         },
         {"/media: not all looked at: more than 1024 entries"}, nullptr, false},
    });
}

}  // namespace
