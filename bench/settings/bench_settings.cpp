// What one 100 ms refresh of a settings screen costs: the wagon table with
// nothing changed (one read and one comparison a value) against every value
// changed, the inching screen that reloads its arrow pictures on every
// refresh, and the wheel screen with a step.
#include <benchmark/benchmark.h>

#include <gtkmm/main.h>

#include "InchingMode.h"
#include "ReadMVBData.h"
#include "WagonDetails.h"
#include "WheelDiameter.h"

namespace {

ReadMVBData& Store()
{
    static Gtk::Main* toolkit = nullptr;
    if (!toolkit) {
        static int argc = 1;
        static char name[] = "bench_settings";
        static char* args[] = {name, nullptr};
        static char** argv = args;
        toolkit = new Gtk::Main(argc, argv);
        ReadMVBData::instance = new ReadMVBData(ReadMVBData::StartValuesOnly{});
        for (unsigned short& d : ReadMVBData::instance->WheelDiameters) d = 1050;
    }
    return *ReadMVBData::instance;
}

void BM_WagonDetailsUnchanged(benchmark::State& state)
{
    Store();
    WagonDetails page;
    page.UpdateWagonDetailsScreen();
    for (auto _ : state) page.UpdateWagonDetailsScreen();
}
BENCHMARK(BM_WagonDetailsUnchanged);

void BM_WagonDetailsAllChanged(benchmark::State& state)
{
    ReadMVBData& store = Store();
    WagonDetails page;
    unsigned short value = 0;
    for (auto _ : state) {
        ++value;
        for (unsigned short& v : store.WagonDetailValues) v = value;
        page.UpdateWagonDetailsScreen();
    }
}
BENCHMARK(BM_WagonDetailsAllChanged);

void BM_InchingRefresh(benchmark::State& state)
{
    ReadMVBData& store = Store();
    InchingMode screen;
    for (auto _ : state) {
        store.ActualSpeed += 0.1f;
        screen.UpdateinchingModeScreen();
    }
}
BENCHMARK(BM_InchingRefresh)->Unit(benchmark::kMicrosecond);

void BM_WheelRefreshWithStep(benchmark::State& state)
{
    ReadMVBData& store = Store();
    store.WheelDiameterCursor = 0;
    WheelDiameter screen;
    screen.SelectPassword(3);
    for (auto _ : state) {
        screen.SelectPassword(state.iterations() % 2 ? 1 : 2);
        screen.UpdateWheelDiameterScreen();
    }
}
BENCHMARK(BM_WheelRefreshWithStep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
