// One decode tick: every port word set, a fault raised, a screen that sends
// to port 301 without touching the settings files.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "BusWords.h"
#include "PortBuffers.h"
#include "ReadMVBData.h"

namespace {

void FillBus(unsigned seed)
{
    unsigned short* ports[] = {FLG1_1010, FLG1_1020, FLG1_1030, FLG1_1035, FLG1_1040,
                               FLG2_1510, FLG2_1520, FLG2_1530, FLG2_1535, FLG2_1540,
                               SLG1_103, SLG1_107, SLG2_203, SLG2_207};
    for (unsigned short* p : ports)
        for (int w = 0; w < 8; ++w) p[w] = static_cast<unsigned short>(seed * 7919u + w * 104729u);
    DDA2_1804[0] = 12000;   // a local fault: the snapshot copy runs every tick
    DDU_300[0] = 0;         // no wheel diameters from the bus
}

void BM_DecodeTick(benchmark::State& state)
{
    std::unique_ptr<ReadMVBData> store(new ReadMVBData(ReadMVBData::StartValuesOnly{}));
    store->CurrentScreen = 14;
    store->EnteredLocoNumber = 31001;
    FillBus(1);
    for (auto _ : state) {
        store->PrintKey();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DecodeTick);

void BM_DecodeTickFlg2(benchmark::State& state)
{
    std::unique_ptr<ReadMVBData> store(new ReadMVBData(ReadMVBData::StartValuesOnly{}));
    FillBus(2);
    FLG2_1500[2] = kFlg2Marker;
    for (auto _ : state) {
        store->PrintKey();
        benchmark::ClobberMemory();
    }
    FLG2_1500[2] = 0;
}
BENCHMARK(BM_DecodeTickFlg2);

}  // namespace

BENCHMARK_MAIN();
