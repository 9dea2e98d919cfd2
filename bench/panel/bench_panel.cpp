// The cost of a fault onset as the diagnostics log grows (the first onset of
// a run reads the log whole; later ones do not), and of one page of the
// diagnostics screen. What the pop-up prints goes to /dev/null through the
// same stream and flushes as on the display. Needs a display (Xvfb).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtk/gtk.h>
#include <gtkmm/main.h>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>

#include "DiagnosticScreen.h"
#include "FaultLog.h"
#include "ReadMVBData.h"
#include "WarningPopup.h"

namespace {

// A private working folder with a fault table of 32 rows and a log of the
// given length; removed on destruction (at the end of the run).
class BenchFolder {
public:
    explicit BenchFolder(long logLines)
    {
        char pattern[] = "/tmp/bench_panel.XXXXXX";
        path_ = ::mkdtemp(pattern);
        if (::chdir(path_.c_str()) != 0) std::abort();
        std::ofstream table(faultlog::kLookUpFile);
        for (int n = 1; n <= 30; ++n)
            table << "\"F01" << (n < 10 ? "0" : "") << n << "P1\",\"SS" << (n < 10 ? "0" : "") << n
                  << " : UNIT\",\"Fault message " << n << "\",\"Detail text of fault " << n << "\"\n";
        table << "\"F4560P3\",\"SS09 : FLG_1\",\"Master\",\"info\"\n\"F4561P3\",\"SS22 : BRAKE\",\"Throttle\",\"info\"\n";
        std::ofstream log(faultlog::kLogFile);
        for (long i = 1; i <= logLines; ++i) {
            const int n = static_cast<int>(i % 30) + 1;
            log << "\"" << i % 30000 << "\" \" F01" << (n < 10 ? "0" : "") << n << "P1\" \" 1\" \" SS "
                << n << " \" \" 2024-05-06  14:03:59\" \" Fault message " << n << "\" \" " << i % 200 + 1 << "\"\n";
        }
    }
    // One folder per log length for the whole run (a log of a million lines
    // takes a while to write); entered on each use.
    static BenchFolder& For(long logLines)
    {
        static std::map<long, std::unique_ptr<BenchFolder>> folders;
        std::unique_ptr<BenchFolder>& folder = folders[logLines];
        if (!folder)
            folder.reset(new BenchFolder(logLines));
        if (::chdir(folder->path_.c_str()) != 0)
            std::abort();
        return *folder;
    }
    ~BenchFolder()
    {
        std::remove((path_ + "/" + faultlog::kLookUpFile).c_str());
        std::remove((path_ + "/" + faultlog::kLogFile).c_str());
        if (::chdir("/tmp") != 0 || ::rmdir(path_.c_str()) != 0) std::perror("cleanup");
    }

private:
    std::string path_;
};

// The first onset after the display started: the log is read whole once.
// Each onset adds a row, so the logs grow a little through the run.
void BM_FirstFaultOnset(benchmark::State& state)
{
    BenchFolder::For(state.range(0));
    for (auto _ : state) {
        WarningPopup popup;
        popup.UpdateFaultMessage1(10105, "Testing  master Fault", "This is Direct Input");
    }
    state.SetLabel(std::to_string(state.range(0)) + " log lines");
}
BENCHMARK(BM_FirstFaultOnset)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Iterations(10)->Unit(benchmark::kMillisecond);

// An onset of a running display: the pop-up has read the log before.
void BM_FaultOnset(benchmark::State& state)
{
    BenchFolder::For(state.range(0));
    WarningPopup popup;
    popup.UpdateFaultMessage1(10105, "Testing  master Fault", "This is Direct Input");
    for (auto _ : state) {
        popup.UpdateFaultMessage1(10105, "Testing  master Fault", "This is Direct Input");
    }
    state.SetLabel(std::to_string(state.range(0)) + " log lines");
}
BENCHMARK(BM_FaultOnset)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_DiagnosticsPage(benchmark::State& state)
{
    BenchFolder::For(state.range(0));
    DiagnosticScreen screen;
    for (auto _ : state) {
        screen.TimerFunc();
        while (Gtk::Main::events_pending()) Gtk::Main::iteration(false);
    }
}
BENCHMARK(BM_DiagnosticsPage)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!gtk_init_check(&argc, &argv)) {   // no display: nothing to measure
        std::cerr << "bench_panel: no display" << std::endl;
        return 0;
    }
    Gtk::Main kit(argc, argv);
    ReadMVBData::instance = new ReadMVBData(ReadMVBData::StartValuesOnly{});

    // The panel's trace lines go to /dev/null; the results to the terminal.
    std::ostream results(std::cout.rdbuf());
    std::filebuf devnull;
    devnull.open("/dev/null", std::ios::out);
    std::cout.rdbuf(&devnull);

    benchmark::Initialize(&argc, argv);
    benchmark::ConsoleReporter reporter;
    reporter.SetOutputStream(&results);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::cout.rdbuf(results.rdbuf());
    return 0;
}
