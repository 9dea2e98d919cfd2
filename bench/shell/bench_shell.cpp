// The whole display in one process, under an X server: the real store with
// the in-process bus device and a pseudo-terminal keypad, the main layout in
// a shown window. Measures the main-loop tick (bus poll, decode, refresh of
// the screen in front) at rest and with every value changing, the way from a
// keypad byte to the new screen drawn, the start to the first frame, the
// memory after an hour of ticks and the CPU of the display at rest. The
// redraw of the whole window is the yardstick of the ticks: a tick with every
// value changed should cost no more than it (see the ratio counters).
#include <benchmark/benchmark.h>

#include <gtkmm.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "BasicLayout.h"
#include "MueDevice.h"
#include "PseudoKeypad.h"
#include "ReadMVBData.h"
#include "TestSupport.h"

namespace {

typedef std::chrono::steady_clock Clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double CpuSeconds()
{
    rusage usage = {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU time of the calling thread (the main loop), as the benchmark library
// counts it.
double ThreadCpuSeconds()
{
    timespec now = {};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// CPU and wall time per iteration of each whole-window redraw run (one per
// repetition); the tick benchmarks report their time as a multiple of the
// median.
struct PerIteration {
    double cpu = 0;
    double wall = 0;
};
std::vector<PerIteration> g_wholeRedraws;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Runs the loop, timing it on the thread's CPU and on the wall clock.
template <class Body>
PerIteration TimeLoop(benchmark::State& state, Body body)
{
    const double cpuStart = ThreadCpuSeconds();
    const Clock::time_point start = Clock::now();
    for (auto _ : state)
        body();
    PerIteration per;
    if (state.iterations() > 0) {
        per.cpu = (ThreadCpuSeconds() - cpuStart) / state.iterations();
        per.wall = Seconds(Clock::now() - start) / state.iterations();
    }
    return per;
}

// The ratio counters of a tick benchmark against the whole-window redraw.
void ReportRatio(benchmark::State& state, const PerIteration& tick)
{
    std::vector<double> cpu, wall;
    for (const PerIteration& redraw : g_wholeRedraws) {
        cpu.push_back(redraw.cpu);
        wall.push_back(redraw.wall);
    }
    if (Median(cpu) <= 0 || Median(wall) <= 0)
        return;
    state.counters["cpu_per_redraw"] = tick.cpu / Median(cpu);
    state.counters["wall_per_redraw"] = tick.wall / Median(wall);
}

// A line of /proc/self/status in megabytes: "VmRSS" (all resident pages,
// shared library code included) or "RssAnon" (the program's own data).
double StatusMegabytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string name;
    double kilobytes = 0;
    while (status >> name) {
        if (name == field + ":" && status >> kilobytes)
            return kilobytes / 1024.0;
        status.ignore(256, '\n');
    }
    return 0;
}

// A line of /proc/self/smaps_rollup in megabytes: "Pss" (resident pages,
// each shared page divided among the processes that map it) or
// "Private_Clean" / "Private_Dirty" (pages no other process maps).
double RollupMegabytes(const std::string& field)
{
    std::ifstream rollup("/proc/self/smaps_rollup");
    std::string line;
    while (std::getline(rollup, line)) {
        if (line.compare(0, field.size() + 1, field + ":") == 0)
            return std::atof(line.c_str() + field.size() + 1) / 1024.0;
    }
    return 0;
}

// The display, built once per process like in the cab.
class Display {
public:
    static Display& Get()
    {
        static Display* display = new Display;
        return *display;
    }
    static bool Built() { return built_; }

    BasicLayout& layout() { return *layout_; }
    ReadMVBData& store() { return *ReadMVBData::getInstance(); }
    storetest::PseudoKeypad& keypad() { return keypad_; }
    double startToFirstFrame() const { return startToFirstFrame_; }

    // One main-loop tick as the two 100 ms timers run it, then the redraws.
    void Tick()
    {
        store().FetchData();
        store().PrintKey();
        ProcessUpdates();
    }

    // The whole window invalidated and drawn again, nothing else changed.
    void RedrawWholeWindow()
    {
        gdk_window_invalidate_rect(window_->get_window()->gobj(), nullptr, TRUE);
        ProcessUpdates();
    }

private:
    static void ProcessUpdates()
    {
        gdk_window_process_all_updates();
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
    }

    Display()
    {
        built_ = true;
        mue_sim::InProcessDevice().SetRecordFrames(false);
        testsupport::InitToolkit();
        if (!testsupport::CopyFolder(CABDISPLAY_IMAGE_DIR, "Images"))
            std::fprintf(stderr, "bench_shell: no pictures\n");
        // On the cab the pictures were installed long before the start; a
        // picture file changed in the last two seconds is decoded on every use.
        ::sleep(3);
        ::setenv("CABDISPLAY_MEDIA", (dir_.path() + "/media").c_str(), 1);
        // From here on as the program starts: store, layout, window, first frame.
        const Clock::time_point start = Clock::now();
        ReadMVBData::getInstance();
        layout_ = new BasicLayout;
        window_ = new Gtk::Window;
        window_->set_default_size(800, 600);
        window_->add(*layout_);
        bool drawn = false;
        sigc::connection first = layout_->signal_expose_event().connect(
            [&drawn](GdkEventExpose*) {
                drawn = true;
                return false;
            },
            true);
        window_->show_all();
        while (!drawn)
            g_main_context_iteration(nullptr, TRUE);
        startToFirstFrame_ = Seconds(Clock::now() - start);
        first.disconnect();
    }

    static bool built_;
    testsupport::TempWorkDir dir_;
    storetest::PseudoKeypad keypad_;
    BasicLayout* layout_ = nullptr;
    Gtk::Window* window_ = nullptr;
    double startToFirstFrame_ = 0;
};

bool Display::built_ = false;

// The 100 ms bus poll on the main loop, as the start thread attaches it.
void AttachPoll()
{
    static bool attached = false;
    if (!attached)
        Display::Get().store().RunCFile();
    attached = true;
}

// Two sets of bus values that differ in every value the main screen shows.
void PublishValues(unsigned n)
{
    mue_sim::MueDevice& device = mue_sim::InProcessDevice();
    const bool odd = n % 2 == 1;
    struct Word {
        int port, word;
        unsigned short even, odd;
    } const words[] = {
        {1010, 3, 1 << 7, 1 << 7},                  // cab 1 keyed all the time
        {1010, 4, 0, 0},
        {1010, 2, 0, 1 << 14},                      // BPCS
        {1020, 3, static_cast<unsigned short>(300 + n % 500), static_cast<unsigned short>(900 + n % 500)},
        {1020, 10, 4300, 4700},                     // battery
        {1020, 11, 1000, 0xFC18},                   // effort
        {1020, 12, 1000, 2500},                     // current
        {1020, 13, 2400, 2600},                     // line voltage
        {1020, 9, 1500, 0xF830},
        {1035, 0, 0, (1 << 9) | (1 << 10) | (1 << 3)},
        {1035, 1, 0, 0x3FFF & 0xC0FF},
        {1035, 2, 0, 0x1FFF},
        {1035, 4, 0, 0xC007},
        {1040, 4, 31024, 31025},
        {1040, 6, 500, 320},                        // brake pipe
        {1115, 0, 1 << 8, 1 << 8},
        {1105, 0, 1 << 12, (1 << 13) | (1 << 11)},
        {1215, 0, 1 << 10, 1 << 11},
        {1216, 11, 0, 2},
        {1216, 7, 0, 16},
        {1610, 1, 0, 4},
        {1605, 0, 0, 1 << 6},
        {1695, 0, 0, 1 << 10},
        {1710, 0, 0, 1 << 10},
        {1047, 5, 0, 32},
        {101, 14, 0, 1 << 9},
    };
    for (const Word& w : words)
        device.SetSinkWord(w.port, w.word, odd ? w.odd : w.even);
}

void BM_StartToFirstFrame(benchmark::State& state)
{
    if (Display::Built()) {
        state.SkipWithError("the display was built by an earlier benchmark");
        return;
    }
    for (auto _ : state)
        state.SetIterationTime(Display::Get().startToFirstFrame());
    state.counters["start_ms"] = Display::Get().startToFirstFrame() * 1000;
}
BENCHMARK(BM_StartToFirstFrame)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// The yardstick: the main screen at rest, the whole window drawn again.
void BM_WholeWindowRedraw(benchmark::State& state)
{
    Display& d = Display::Get();
    d.layout().home_Button();
    PublishValues(0);
    for (int i = 0; i < 20; ++i)
        d.Tick();
    g_wholeRedraws.push_back(TimeLoop(state, [&d] { d.RedrawWholeWindow(); }));
}
BENCHMARK(BM_WholeWindowRedraw)->Unit(benchmark::kMillisecond);

void BM_TickAtRest(benchmark::State& state)
{
    Display& d = Display::Get();
    d.layout().home_Button();
    PublishValues(0);
    for (int i = 0; i < 20; ++i)
        d.Tick();
    ReportRatio(state, TimeLoop(state, [&d] { d.Tick(); }));
}
BENCHMARK(BM_TickAtRest)->Unit(benchmark::kMicrosecond);

void BM_TickEveryValueChanged(benchmark::State& state)
{
    Display& d = Display::Get();
    d.layout().home_Button();
    unsigned n = 0;
    ReportRatio(state, TimeLoop(state, [&d, &n] {
        PublishValues(++n);
        d.Tick();
    }));
    PublishValues(0);
}
BENCHMARK(BM_TickEveryValueChanged)->Unit(benchmark::kMillisecond);

// Keypad byte written to the line until the new screen is drawn, with the
// real 100 ms poll and decode timers.
void BM_KeyToNewScreen(benchmark::State& state)
{
    Display& d = Display::Get();
    d.layout().home_Button();
    AttachPoll();
    std::vector<double> latencies;
    for (auto _ : state) {
        const unsigned short before = d.layout().m_TargetScreen;
        const unsigned char key = before == 0 ? 142 : 78;  // right, then back left
        const Clock::time_point start = Clock::now();
        d.keypad().Press(key);
        while (d.layout().m_TargetScreen == before)
            g_main_context_iteration(nullptr, TRUE);
        // The new screen drawn: the redraws the switch queued, done now.
        gdk_window_process_all_updates();
        const double latency = Seconds(Clock::now() - start);
        latencies.push_back(latency);
        state.SetIterationTime(latency);
    }
    std::sort(latencies.begin(), latencies.end());
    const std::size_t p99 = static_cast<std::size_t>(0.99 * (latencies.size() - 1) + 0.5);
    state.counters["p99_ms"] = latencies[p99] * 1000;
    state.counters["max_ms"] = latencies.back() * 1000;
}
BENCHMARK(BM_KeyToNewScreen)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);


// An hour of 100 ms ticks, driven as fast as they run, every value changing.
void BM_MemoryAfterAnHour(benchmark::State& state)
{
    Display& d = Display::Get();
    d.layout().home_Button();
    const unsigned kTicks = 36000;
    for (auto _ : state) {
        for (unsigned n = 0; n < 600; ++n) {
            PublishValues(n);
            d.Tick();
        }
        const double warm = StatusMegabytes("VmRSS");
        const double warmOwn = StatusMegabytes("RssAnon");
        for (unsigned n = 600; n < kTicks; ++n) {
            PublishValues(n);
            d.Tick();
        }
        state.counters["rss_after_1min_MB"] = warm;
        state.counters["rss_after_1h_MB"] = StatusMegabytes("VmRSS");
        state.counters["own_after_1min_MB"] = warmOwn;
        state.counters["own_after_1h_MB"] = StatusMegabytes("RssAnon");
        state.counters["growth_MB"] = StatusMegabytes("VmRSS") - warm;
        state.counters["pss_after_1h_MB"] = RollupMegabytes("Pss");
        state.counters["private_after_1h_MB"] =
            RollupMegabytes("Private_Clean") + RollupMegabytes("Private_Dirty");
    }
    PublishValues(0);
}
BENCHMARK(BM_MemoryAfterAnHour)->Iterations(1)->Unit(benchmark::kSecond);

// The display left alone on its timers for ten seconds with steady values.
void BM_CpuAtRest(benchmark::State& state)
{
    Display& d = Display::Get();
    d.layout().home_Button();
    AttachPoll();
    PublishValues(0);
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = CpuSeconds();
        while (Clock::now() - start < std::chrono::seconds(10))
            g_main_context_iteration(nullptr, TRUE);
        const double wall = Seconds(Clock::now() - start);
        state.counters["cpu_percent_of_a_core"] = 100.0 * (CpuSeconds() - cpuStart) / wall;
    }
}
BENCHMARK(BM_CpuAtRest)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
