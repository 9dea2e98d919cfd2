// Decode fuzz target: random words in every sink port's buffer, then decode
// ticks. Every float the tick leaves in the store must be finite and every
// ring index inside the ring; the sanitizers catch undefined behaviour and
// reads or writes out of bounds.
//
// Input: the screen shown (byte 0, taken modulo 24) and a pending key
// (byte 1), then the words of the polled sink ports in poll order (first read of a
// port only), high byte first; an input longer than one poll's worth feeds
// further ticks, each a fresh poll's worth.
#include "FuzzSupport.h"

#include "KeypadLine.h"
#include "PortTable.h"
#include "ReadMVBData.h"

#include <cmath>
#include <memory>
#include <set>
#include <string>

namespace {

using fuzzsupport::Check;

// Every float member of the store, with its element count.
struct FloatField {
    const char* name;
    float ReadMVBData::*single;
    const float* (*array)(const ReadMVBData&);
    int count;
};

#define ONE(m) {#m, &ReadMVBData::m, nullptr, 1}
#define MANY(m) {#m, nullptr, [](const ReadMVBData& s) -> const float* { return s.m; }, \
                  static_cast<int>(sizeof(ReadMVBData::m) / sizeof(float))}
const FloatField kFloatFields[] = {
    ONE(ActualSpeed), ONE(BatteryVoltage), ONE(MainGaugeVoltage), ONE(PrimaryCurrent), ONE(PrimaryVoltage),
    ONE(TeBeDemand), ONE(TeBeActual), ONE(TeBeDemandIndicator), ONE(TeBeActualIndicator), ONE(TeDemand),
    ONE(TeActual), ONE(BrakePipePressure), ONE(LineVoltage), ONE(FilterCurrent), ONE(AuxiliaryCurrent),
    ONE(Hlc1Current), ONE(Hlc2Current), ONE(AuxWindingInputVoltage), ONE(AuxWindingInputCurrent),
    MANY(BurDcLinkVoltage), MANY(BurDcLinkCurrent), MANY(BurOutputFrequency), MANY(BurOutputVoltage),
    MANY(ConverterInputPower), MANY(DcLinkVoltage), MANY(LineConverterCurrents), MANY(PhaseCurrentR),
    MANY(PhaseCurrentY), MANY(PhaseCurrentB), MANY(OilPressures), MANY(ConverterOilTemperature),
    MANY(ConverterOilPressure), MANY(TransformerOilTemperature), MANY(CoolantTemperatureConverter),
    MANY(MubSimTemperature), MANY(TractionMotorTemperature), ONE(BrakePipePressureBar),
    ONE(PneumaticBrakeDemand), ONE(StoredActualSpeedVal), ONE(ActualSpeedVal),
};
#undef ONE
#undef MANY

void CheckFloats(const ReadMVBData& store)
{
    for (const FloatField& f : kFloatFields) {
        const float* values = f.single ? &(store.*f.single) : f.array(store);
        for (int i = 0; i < f.count; ++i)
            Check(std::isfinite(values[i]), f.name);
    }
}

void CheckIndices(const ReadMVBData& store)
{
    Check(store.PacketRingIndex < kSensorRingSlots, "PacketRingIndex outside the ring");
    Check(store.SnapshotStopIndex < kSensorRingSlots, "SnapshotStopIndex outside the ring");
    for (const SensorData& record : store.SensorPacketRing)
        Check(record.RingIndex < kSensorRingSlots, "ring record index outside the ring");
    for (const SensorData& record : store.SensorPacketSnapshot)
        Check(record.RingIndex < kSensorRingSlots, "snapshot record index outside the ring");
    const unsigned short source = store.FaultSource;
    Check(source == 0 || source == 10 || source == 20 || source == 40, "FaultSource not a source code");
}

void ZeroPorts()
{
    for (const MvbPort& entry : mvb_config_ports)
        if (entry.buffer)
            for (int w = 0; w < entry.size / 2; ++w)
                entry.buffer[w] = 0;
}

// One poll's worth of words from the input into the sink buffers.
void FillPorts(fuzzsupport::Input& in)
{
    std::set<unsigned short> done;
    for (const MvbPort& entry : mvb_poll_ports) {
        if (!done.insert(entry.port).second)
            continue;
        for (int w = 0; w < entry.size / 2; ++w)
            entry.buffer[w] = in.Word();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzsupport::QuietInPrivateWorkDir(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZeroPorts();
    KeySelected = 0;
    bufkey[0] = 0;
    std::unique_ptr<ReadMVBData> store(new ReadMVBData(ReadMVBData::StartValuesOnly{}));
    ReadMVBData::instance = store.get();
    fuzzsupport::Input in(data, size);
    store->CurrentScreen = in.Byte() % 24u;
    KeySelected = in.Byte();
    do {
        FillPorts(in);
        store->PrintKey();
        CheckFloats(*store);
        CheckIndices(*store);
    } while (!in.Empty());
    ReadMVBData::instance = nullptr;
    return 0;
}
