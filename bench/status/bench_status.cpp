// Update cost of every status screen: with the store unchanged (change
// detection only) and with every shown field changed (every row drawn,
// pictures reloaded from disk). Targets: under 5 us unchanged, under 1 ms of
// CPU all changed for the largest screen.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include "StatusFixture.h"

namespace {

// Every field a status screen shows, set to one of two states: flags and
// lamps to the phase (0 or 1), numbers moved by the phase.
void FillStore(ReadMVBData& s, int phase)
{
    statustest::SetRunningLocomotive(s);
    const auto flag = [phase](unsigned short& f) { f = static_cast<unsigned short>(phase); };
    const auto moved = [phase](auto& v) { v = static_cast<std::decay_t<decltype(v)>>(v + phase + 1); };
    for (unsigned short* f : {&s.Panto1Up, &s.Panto2Up, &s.BlKeyActive, &s.DriverSwitchPanto,
                              &s.MinimumVoltageRelay, &s.DriverSwitchHotelLoad, &s.DriverSwitchVcb,
                              &s.PrimaryOverCurrentRelay, &s.WheelSlip, &s.EmergencyBrake, &s.Vigilance,
                              &s.PenaltyBrake, &s.LocoBrake, &s.AntiSlipBrake, &s.HighTempControlElectronicsRelay})
        flag(*f);
    s.TrainBrakeValue = phase ? 20 : 50;
    for (unsigned short& f : s.SubsystemStates)
        flag(f);
    for (unsigned short* a : {s.ConverterInputContactor, s.PreChargeContactor, s.LineConverterPulsing,
                              s.DriveConverterPulsing, s.CompressorOn})
        for (int i = 0; i < 2; ++i)
            flag(a[i]);
    for (unsigned short& f : s.HarmonicContactors)
        flag(f);
    for (unsigned short& f : s.AuxContactors)
        flag(f);
    for (unsigned char& f : s.CircuitBreakerStates)
        f = static_cast<unsigned char>(phase);
    s.CompressorBreakers[0] = phase ? 4 : 0;
    s.CompressorBreakers[1] = phase ? 2 : 0;
    for (float* f : {&s.PrimaryCurrent, &s.FilterCurrent, &s.AuxiliaryCurrent, &s.Hlc1Current, &s.Hlc2Current,
                     &s.AuxWindingInputVoltage, &s.AuxWindingInputCurrent, &s.TeDemand, &s.TeActual,
                     &s.PneumaticBrakeDemand, &s.BrakePipePressureBar})
        moved(*f);
    s.PneumaticBrakeDemand = 0.5f + phase;
    s.BrakePipePressureBar = 4.0f + phase;
    for (unsigned short* f : {&s.BatteryVoltageValue, &s.BeDemand, &s.BeActual, &s.TractionMotor1TeRef})
        moved(*f);
    for (float* a : {s.DcLinkVoltage, s.ConverterOilPressure, s.ConverterOilTemperature, s.ConverterInputPower,
                     s.TransformerOilTemperature, s.CoolantTemperatureConverter, s.MubSimTemperature})
        for (int i = 0; i < 2; ++i)
            moved(a[i]);
    for (unsigned short* a : {s.ConverterInputCurrent, s.OutputPhaseCurrent})
        for (int i = 0; i < 2; ++i)
            moved(a[i]);
    for (unsigned int& v : s.BogieVentilationDemand)
        v = static_cast<unsigned int>(phase + 1);
    for (float& v : s.LineConverterCurrents)
        moved(v);
    for (float& v : s.OilPressures)
        moved(v);
    for (float* a : {s.BurDcLinkVoltage, s.BurDcLinkCurrent, s.BurOutputVoltage, s.BurOutputFrequency})
        for (int i = 0; i < 3; ++i)
            moved(a[i]);
    for (float* a : {s.PhaseCurrentR, s.PhaseCurrentY, s.PhaseCurrentB, s.TractionMotorTemperature})
        for (int i = 0; i < 6; ++i)
            moved(a[i]);
    for (unsigned short* a : {s.TractionMotorSpeed, s.TractionMotorTeAct, s.TractionMotorBeRef, s.TractionMotorBeAct})
        for (int i = 0; i < 6; ++i)
            moved(a[i]);
    for (unsigned short& v : s.TractionMotorTeRefs)
        moved(v);
    for (unsigned int* v : {&s.TripMotoringEnergy, &s.TripRegeneratingEnergy, &s.TotalMotoringEnergy,
                            &s.TotalRegeneratingEnergy})
        moved(*v);
    for (int i = 0; i < 7; ++i) {
        moved(s.NodeScreenValues[i]);
        moved(s.SoftwareVersions[i]);
    }
}

struct Stores {
    ReadMVBData a{ReadMVBData::StartValuesOnly{}};
    ReadMVBData b{ReadMVBData::StartValuesOnly{}};
    Stores()
    {
        FillStore(a, 0);
        FillStore(b, 1);
    }
};

Stores& TwoStores()
{
    static Stores stores;
    return stores;
}

void Unchanged(benchmark::State& state, const statustest::ScreenKind& kind)
{
    ReadMVBData::instance = &TwoStores().a;
    std::unique_ptr<statustest::AnyScreen> screen = kind.make();
    screen->Update();
    for (auto _ : state)
        screen->Update();
}

void AllChanged(benchmark::State& state, const statustest::ScreenKind& kind)
{
    std::unique_ptr<statustest::AnyScreen> screen = kind.make();
    ReadMVBData::instance = &TwoStores().a;
    screen->Update();
    bool second = false;
    for (auto _ : state) {
        second = !second;
        ReadMVBData::instance = second ? &TwoStores().b : &TwoStores().a;
        screen->Update();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    // The real pictures, so changed rows load from disk as on the display.
    if (::chdir(CABDISPLAY_BUILD_DIR) != 0)
        return 1;
    testsupport::InitToolkit();
    for (const statustest::ScreenKind& kind : statustest::AllScreens()) {
        benchmark::RegisterBenchmark((std::string("Unchanged/") + kind.name).c_str(), Unchanged, kind);
        benchmark::RegisterBenchmark((std::string("AllChanged/") + kind.name).c_str(), AllChanged, kind);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    ReadMVBData::instance = nullptr;
    return 0;
}
