// cabsoak: the whole display in one process for a long run of 100 ms ticks,
// driven as fast as they go: the demo scenario replayed on the in-process
// bus device (repeated every period), random keypad bytes, the real store
// and main layout in a shown window. Prints the memory and the open files
// after a warm-up and at the end, and fails when either grew.
//
//   cabsoak --scenario FILE [--ticks N] [--seed S] [--key-every K]
//
// A random key comes on about one tick in K (50, five seconds; 0: none).
//
// A day is 864000 ticks (the default). Run under Xvfb; in the sanitizer
// build leaks and undefined behaviour end it too.
#include <gtkmm.h>

#include <glib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <unistd.h>

#include "BasicLayout.h"
#include "MueDevice.h"
#include "RegisterBackends.h"
#include "ReadMVBData.h"
#include "Scenario.h"
#include "TestSupport.h"

namespace {

const unsigned long kTickMs = 100;
const unsigned long kWarmUpTicks = 36000;  // an hour: caches, pictures and the log settle

// The keypad's ten keys; a random one about every five seconds.
const unsigned char kKeys[] = {77, 141, 78, 142, 135, 139, 71, 75, 46, 43};

double StatusMegabytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string name;
    double kilobytes = 0;
    while (status >> name) {
        if (name == std::string(field) + ":" && status >> kilobytes)
            return kilobytes / 1024.0;
        status.ignore(256, '\n');
    }
    return 0;
}

int OpenFiles()
{
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (dirent* entry = ::readdir(dir))
            count += entry->d_name[0] != '.';
        ::closedir(dir);
    }
    return count - 1;  // the listing's own
}

struct Figures {
    double rss, own;
    int files;
};

Figures Measure()
{
    return Figures{StatusMegabytes("VmRSS"), StatusMegabytes("RssAnon"), OpenFiles()};
}

// The scenario's length: the "# period N" line, else a second past the last event.
unsigned long PeriodOf(const std::string& path, const mvbsim::Scenario& scenario)
{
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line))
        if (line.compare(0, 9, "# period ") == 0)
            return std::strtoul(line.c_str() + 9, nullptr, 10);
    return scenario.events.empty() ? 1000 : scenario.events.back().atMs + 1000;
}

class Soak {
public:
    Soak(const mvbsim::Scenario& scenario, unsigned long period, int keypad, unsigned seed, unsigned keyEvery)
        : scenario_(scenario), period_(period), keypad_(keypad), random_(seed ? seed : 1), keyEvery_(keyEvery) {}

    // One 100 ms tick: due scenario events, perhaps a key, the bus poll, the
    // decode tick and the redraws.
    void Tick(unsigned long n)
    {
        const unsigned long now = (n * kTickMs) % period_;
        if (now < kTickMs)
            next_ = 0;
        mue_sim::MueDevice& device = mue_sim::InProcessDevice();
        for (; next_ < scenario_.events.size() && scenario_.events[next_].atMs <= now; ++next_) {
            const mvbsim::Event& e = scenario_.events[next_];
            if (e.kind == mvbsim::Event::Word)
                device.SetSinkWord(e.port, e.word, e.value);
            else if (e.kind == mvbsim::Event::Keys)
                Write(e.bytes.data(), e.bytes.size());
            else if (e.kind == mvbsim::Event::Fault)
                mvbsim::ApplyFault(e.fault, device.faults);
        }
        if (keyEvery_ && Next() % keyEvery_ == 0) {
            const unsigned char key = kKeys[Next() % sizeof kKeys];
            Write(&key, 1);
        }
        ReadMVBData* store = ReadMVBData::getInstance();
        store->FetchData();
        store->PrintKey();
        gdk_window_process_all_updates();
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
    }

private:
    unsigned Next()
    {
        random_ ^= random_ << 13;
        random_ ^= random_ >> 17;
        random_ ^= random_ << 5;
        return random_;
    }
    void Write(const unsigned char* bytes, std::size_t count)
    {
        if (::write(keypad_, bytes, count) < 0)
            std::perror("cabsoak: keypad");
    }

    const mvbsim::Scenario& scenario_;
    unsigned long period_;
    int keypad_;
    unsigned random_;
    unsigned keyEvery_;
    std::size_t next_ = 0;
};

void Print(FILE* report, const char* when, unsigned long ticks, const Figures& f)
{
    std::fprintf(report, "%-8s ticks %8lu  rss %7.1f MB  own data %7.1f MB  open files %d\n", when, ticks, f.rss, f.own,
                f.files);
    std::fflush(report);
}

}  // namespace

// Under AddressSanitizer freed memory waits in a quarantine of 256 MB before
// it is reused, which would read as growth: here it is reused at once.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=0:thread_local_quarantine_size_kb=0";
}

int main(int argc, char** argv)
{
    std::string scenarioPath;
    unsigned long ticks = 864000;
    unsigned seed = 1;
    unsigned keyEvery = 50;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--scenario")) scenarioPath = argv[i + 1];
        else if (!std::strcmp(argv[i], "--ticks")) ticks = std::strtoul(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--seed")) seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (!std::strcmp(argv[i], "--key-every")) keyEvery = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
    }
    mvbsim::Scenario scenario;
    std::string error;
    if (scenarioPath.empty() || !mvbsim::LoadScenario(scenarioPath, scenario, error)) {
        std::fprintf(stderr, "usage: cabsoak --scenario FILE [--ticks N] [--seed S] [--key-every K]\n%s\n", error.c_str());
        return 2;
    }
    const unsigned long period = PeriodOf(scenarioPath, scenario);

    // A private working directory with the pictures, a pseudo-terminal keypad.
    testsupport::TempWorkDir dir;
    if (!testsupport::CopyFolder(CABDISPLAY_IMAGE_DIR, "Images"))
        std::fprintf(stderr, "cabsoak: no pictures\n");
    ::setenv("CABDISPLAY_MEDIA", (dir.path() + "/media").c_str(), 1);
    mue_sim::AddRegisterBackends();
    ::setenv("CABDISPLAY_MVB", "model", 1);
    const int keypad = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (keypad < 0 || ::grantpt(keypad) != 0 || ::unlockpt(keypad) != 0) {
        std::fprintf(stderr, "cabsoak: no pseudo-terminal\n");
        return 1;
    }
    ::setenv("CABDISPLAY_KEYPAD", ::ptsname(keypad), 1);

    // The display's chatter would fill a disk in a day: the figures go to
    // the standard output as it was, the display's lines nowhere.
    std::fflush(stdout);
    FILE* report = ::fdopen(::dup(1), "w");
    if (!report || !std::freopen("/dev/null", "w", stdout))
        return 1;

    mue_sim::InProcessDevice().SetRecordFrames(false);
    testsupport::InitToolkit();
    g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_ERROR));
    ReadMVBData::getInstance();
    // Built once and kept, like in the cab.
    static BasicLayout* layout = new BasicLayout;
    static Gtk::Window* window = new Gtk::Window;
    window->set_default_size(800, 600);
    window->add(*layout);
    window->show_all();


    Soak soak(scenario, period, keypad, seed, keyEvery);
    const unsigned long warmUp = ticks < 2 * kWarmUpTicks ? ticks / 4 : kWarmUpTicks;
    unsigned long n = 0;
    for (; n < warmUp; ++n)
        soak.Tick(n);
    const Figures start = Measure();
    Print(report, "start", n, start);
    const unsigned long step = ticks / 10 ? ticks / 10 : 1;
    for (; n < ticks; ++n) {
        soak.Tick(n);
        if (n % step == 0)
            Print(report, "running", n, Measure());
    }
    const Figures end = Measure();
    Print(report, "end", n, end);
    // Some growth of the heap's high-water mark is normal; a leak of one
    // allocation per tick is not.
    const bool grew = end.files > start.files || end.own > start.own + 8.0;
    std::fprintf(report, "%s\n", grew ? "GROWTH" : "no growth");
    std::fflush(report);
    window->remove();
    ::close(keypad);
    std::fclose(report);
    return grew ? 1 : 0;
}
