// The whole display against mvbsim under each of its device faults, on an X
// server of its own: how long a key takes to change the screen, how often
// port 301 goes out, and how much processor time the display uses at rest
// and with a key now and then. Prints one row per fault; a program, not a
// test.
//
//   bench_bus_faults [SECONDS]     (default 20 s of keys, half as long at rest, per fault)
#include "KeyCodes.h"
#include "ProgramSupport.h"
#include "WindowPictures.h"
#include "TestSupport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

typedef std::chrono::steady_clock Clock;

// The keypad bytes the tests write.
constexpr unsigned char kLeft = BusKeyLeft, kRight = BusKeyRight;

struct Fault {
    const char* name;
    std::vector<std::string> simArgs;
    const char* scenario;
};

const Fault kFaults[] = {
    {"none", {}, ""},
    {"no-reply", {"--fault", "no-reply"}, ""},
    {"never-takes", {"--fault", "never-takes"}, ""},
    {"garbage", {"--fault", "garbage"}, ""},
    {"no-card", {"--fault", "no-card"}, ""},
    {"reply-delay 4", {"--reply-delay", "4"}, ""},
    {"reply-delay 5", {"--reply-delay", "5"}, ""},
    {"reply-delay 6000", {"--reply-delay", "6000"}, ""},
    {"close", {}, "1000 close\n"},
};

long Ms(Clock::duration d)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
}

// "median / slowest" of a list of milliseconds; "-" when empty.
std::string Spread(std::vector<long> ms)
{
    if (ms.empty())
        return "-";
    std::sort(ms.begin(), ms.end());
    return std::to_string(ms[ms.size() / 2]) + " / " + std::to_string(ms.back());
}

struct Figures {
    std::vector<long> keys;    // key byte to a changed screen
    int keysLost = 0;          // no change within 5 s
    std::vector<long> writes;  // between two writes of port 301
    double cpuAtRest = -1;     // share of one processor, no key pressed
    double cpu = -1;           // with keys
};

Figures Measure(const Fault& fault, int seconds)
{
    Figures figures;
    testsupport::TempWorkDir dir;
    const std::string work = dir.path() + "/work";
    ::mkdir(work.c_str(), 0755);
    ::mkdir((work + "/media").c_str(), 0755);
    testsupport::CopyFolder(CABDISPLAY_IMAGE_DIR, work + "/Images");
    std::ofstream(dir.path() + "/scenario.scn") << fault.scenario;
    std::vector<std::string> args = {MVBSIM_BIN, "--socket", dir.path() + "/sim.sock", "--log", "/dev/null",
                                     "--frames", dir.path() + "/frames.txt", "--scenario", dir.path() + "/scenario.scn"};
    args.insert(args.end(), fault.simArgs.begin(), fault.simArgs.end());
    const pid_t sim = testsupport::StartProgram(args, {}, dir.path() + "/mvbsim.out", dir.path());
    testsupport::WaitFor([&] { return dir.ReadFile(dir.path() + "/mvbsim.out").find("listening") != std::string::npos; },
                         5000);
    const int keypad = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ::grantpt(keypad);
    ::unlockpt(keypad);
    const pid_t display = testsupport::StartProgram(
        {CABDISPLAY_BIN}, {"CABDISPLAY_MVB=sim:" + dir.path() + "/sim.sock", std::string("CABDISPLAY_KEYPAD=") + ::ptsname(keypad),
                           "CABDISPLAY_MEDIA=" + work + "/media"},
        dir.path() + "/cabdisplay.out", work);
    testsupport::WaitFor([&] { return testsupport::WindowSize(display) == "800x600"; }, 20000);
    std::this_thread::sleep_for(std::chrono::seconds(2));

    std::size_t writes = 0;
    Clock::time_point lastWrite;
    const auto seeWrites = [&] {
        const std::size_t now = testsupport::CountOf(dir.ReadFile(dir.path() + "/frames.txt"), "50 01 2D");
        if (now > writes && writes > 0 && lastWrite != Clock::time_point())
            figures.writes.push_back(Ms(Clock::now() - lastWrite));
        if (now > writes)
            lastWrite = Clock::now();
        writes = now;
    };
    seeWrites();
    // At rest: no key.
    Clock::time_point start = Clock::now();
    double cpuStart = testsupport::CpuSeconds(display);
    while (Clock::now() < start + std::chrono::seconds(seconds / 2)) {
        seeWrites();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    figures.cpuAtRest = (testsupport::CpuSeconds(display) - cpuStart) /
                        std::chrono::duration<double>(Clock::now() - start).count();
    // Keys now and then.
    start = Clock::now();
    cpuStart = testsupport::CpuSeconds(display);
    const Clock::time_point end = start + std::chrono::seconds(seconds);
    for (int n = 0; Clock::now() < end; ++n) {
        const testsupport::Picture before = testsupport::WindowPicture(display);
        const unsigned char key = n % 2 ? kLeft : kRight;
        const Clock::time_point pressed = Clock::now();
        if (::write(keypad, &key, 1) != 1)
            break;
        bool changed = false;
        while (!changed && Clock::now() - pressed < std::chrono::seconds(5)) {
            const testsupport::Picture now = testsupport::WindowPicture(display);
            changed = !before.empty() && !now.empty() && testsupport::Differing(before, now) > testsupport::kOtherScreen;
            seeWrites();
        }
        if (changed)
            figures.keys.push_back(Ms(Clock::now() - pressed));
        else
            ++figures.keysLost;
        // The next key a while later, at a time that falls anywhere in a poll.
        const Clock::time_point next = Clock::now() + std::chrono::milliseconds(700 + 37 * (n % 9));
        while (Clock::now() < next) {
            seeWrites();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    figures.cpu = (testsupport::CpuSeconds(display) - cpuStart) / std::chrono::duration<double>(Clock::now() - start).count();
    testsupport::StopProgram(display);
    testsupport::StopProgram(sim);
    ::close(keypad);
    return figures;
}

}  // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 20;
    testsupport::PrivateXServer x;
    if (!x.Start()) {
        std::fprintf(stderr, "bench_bus_faults: no X server (Xvfb)\n");
        return 1;
    }
    std::printf("%-18s %-22s %-6s %-22s %-10s %s\n", "device fault", "key ms (median / max)", "lost",
                "port 301 ms apart", "CPU % rest", "CPU % keys");
    for (const Fault& fault : kFaults) {
        const Figures f = Measure(fault, seconds);
        std::printf("%-18s %-22s %-6d %-22s %-10.2f %.2f\n", fault.name, Spread(f.keys).c_str(), f.keysLost,
                    Spread(f.writes).c_str(), 100.0 * f.cpuAtRest, 100.0 * f.cpu);
        std::fflush(stdout);
    }
    return 0;
}
