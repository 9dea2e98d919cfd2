// Decode rules: every bus word the display uses, from its port buffer into its
// store field, in the order the decode tick runs them. Cab values come from
// the FLG of the occupied side (FLG2 while its marker is on port 1500).
#include "ReadMVBData.h"

#include <cstddef>

#include "DecodeRulesScaling.h"

using namespace decoderules;

namespace {

// The five cab ports of one FLG: x010, x020, x030, x035, x040.
struct CabPorts {
    const unsigned short* x010;
    const unsigned short* x020;
    const unsigned short* x030;
    const unsigned short* x035;
    const unsigned short* x040;
};

const CabPorts kFlg1Cab{FLG1_1010, FLG1_1020, FLG1_1030, FLG1_1035, FLG1_1040};
const CabPorts kFlg2Cab{FLG2_1510, FLG2_1520, FLG2_1530, FLG2_1535, FLG2_1540};

const CabPorts& SelectedCab(const ReadMVBData& s)
{
    return s.Flg2MarkerPresent() ? kFlg2Cab : kFlg1Cab;
}

// One bit of one port word; a null port reads as 0.
struct BitSource {
    const unsigned short* port;
    int word;
    int bit;
};

unsigned short Read(const BitSource& b)
{
    return b.port ? Bit(b.port[b.word], b.bit) : 0;
}

// A run of status cells taken from consecutive bits of one x035 word.
struct CellRun {
    int firstCell;
    int word;
    int firstBit;
    int count;
};

const CellRun kCabCells[] = {
    {0, 1, 14, 2}, {2, 1, 0, 8}, {10, 2, 14, 2}, {12, 2, 0, 7},
};
const CellRun kLateCabCells[] = {
    {22, 4, 14, 2}, {24, 4, 0, 3}, {27, 2, 8, 5},
};

template <std::size_t N>
void DecodeCells(ReadMVBData& s, const unsigned short* x035, const CellRun (&runs)[N])
{
    for (const CellRun& run : runs)
        for (int i = 0; i < run.count; ++i)
            s.SubsystemStates[run.firstCell + i] = Bit(x035[run.word], run.firstBit + i);
}

// Trip and total counters, each carried in a high and a low word of x030.
struct Counter {
    unsigned int ReadMVBData::*member;
    int highWord;
    int lowWord;
};

const Counter kCabCounters[] = {
    {&ReadMVBData::TripDistance, 1, 0},
    {&ReadMVBData::TotalDistance, 10, 9},
    {&ReadMVBData::TripMotoringEnergy, 3, 2},
    {&ReadMVBData::TotalMotoringEnergy, 12, 11},
    {&ReadMVBData::TripRegeneratingEnergy, 5, 4},
    {&ReadMVBData::TotalRegeneratingEnergy, 14, 13},
};

constexpr int kBrakePipeStatusCell = 21;

// Brake pipe pressure: .91 to .99 bar shows as the next whole bar. Cell 21
// keeps the hundredths (or that whole bar).
void DecodeBrakePipe(ReadMVBData& s, unsigned short word)
{
    const unsigned short hundredths = word % 100;
    if (hundredths <= 90) {
        s.BrakePipePressure = Scaled(word, 100);
        s.SubsystemStates[kBrakePipeStatusCell] = hundredths;
    } else {
        const unsigned short whole = static_cast<unsigned short>(word / 100 + 1);
        s.BrakePipePressure = whole;
        s.SubsystemStates[kBrakePipeStatusCell] = whole;
    }
    s.TrainBrakeValue = Truncated(word, 10);
}

// The cab values of one FLG; the FLG1 side rounds the catenary voltage.
void DecodeCab(ReadMVBData& s, const CabPorts& cab, bool roundPrimaryVoltage)
{
    for (const Counter& c : kCabCounters)
        s.*c.member = Join32(cab.x030[c.highWord], cab.x030[c.lowWord]);

    s.VcbClosed = Bit(cab.x035[0], 10);
    DecodeBrakePipe(s, cab.x040[6]);
    DecodeCells(s, cab.x035, kCabCells);

    s.PrimaryCurrent = Scaled(cab.x020[12], 10);
    s.PrimaryVoltage = roundPrimaryVoltage ? WordTenths(cab.x020[13], 1, 100) : Scaled(cab.x020[13], 100);
    s.ActualSpeed = Scaled(cab.x020[3], 10);
    s.LocoNumber = cab.x040[4];
    s.SecondLocoNumber = cab.x040[5];

    const float battery = AsFloat(Scaled(cab.x020[10], 4096) * 100);
    s.BatteryVoltage = battery;
    s.MainGaugeVoltage = battery;
    s.BatteryVoltageValue = static_cast<unsigned short>(battery);

    s.BrakePipePressureBar = Scaled(cab.x040[6], 100);
    s.PenaltyBrake = Truncated(cab.x040[9], 10);
    s.PneumaticBrakeDemand = Scaled(cab.x040[9], 10);
    s.CompressorOn[0] = Bit(cab.x010[3], 8);
    s.CompressorOn[1] = Bit(cab.x010[3], 9);
    s.SelfHoldBit = Bit(cab.x010[3], 4);
}

struct WordSource {
    const unsigned short* port;
    int word;
};

const WordSource kSoftwareVersionSources[7] = {
    {FLG1_1070, 3}, {FLG2_1570, 3}, {SLG1_107, 11}, {SLG2_207, 11},
    {BUR1_2025, 3}, {BUR2_2125, 4}, {BUR3_2225, 4},
};

// Auxiliary converter values, one row per member, converters 1 to 3; each is
// word times the row's full scale / 4096, rounded to 0.1.
struct ConverterRow {
    float (ReadMVBData::*member)[3];
    WordSource source[3];
    unsigned fullScale;
};

const ConverterRow kAuxConverterRows[] = {
    {&ReadMVBData::BurDcLinkVoltage, {{BUR1_3900, 2}, {BUR2_3950, 5}, {BUR3_2295, 3}}, 1000},
    {&ReadMVBData::BurOutputVoltage, {{BUR1_2025, 6}, {BUR2_2125, 7}, {BUR3_2225, 7}}, 1000},
    {&ReadMVBData::BurDcLinkCurrent, {{BUR1_3900, 3}, {BUR2_3950, 6}, {BUR3_4000, 6}}, 500},
    {&ReadMVBData::BurOutputFrequency, {{BUR1_3900, 4}, {BUR2_3950, 7}, {BUR3_4000, 7}}, 100},
};

float FullScaleTenth(unsigned short word, unsigned fullScale)
{
    return WordTenths(word, fullScale, 4096);
}

// Contactors 52_1 to 52_5 by which converter fault cell (5, 6 or 7) is set:
// row 0 none, rows 1 to 3 only that one; two or more open them all.
constexpr BitSource kOpen{nullptr, 0, 0};
const BitSource kAuxContactorSources[4][5] = {
    {{BUR2_3950, 0, 11}, kOpen, {BUR3_4000, 0, 8}, kOpen, {BUR1_3900, 0, 12}},
    {{BUR2_3950, 0, 11}, kOpen, {BUR3_4000, 0, 8}, {BUR2_3950, 0, 13}, kOpen},
    {kOpen, kOpen, {BUR3_4000, 0, 8}, {BUR1_3900, 0, 11}, {BUR1_3900, 0, 12}},
    {kOpen, {BUR2_3950, 0, 12}, kOpen, {BUR2_3950, 0, 13}, {BUR1_3900, 0, 12}},
};
constexpr int kFirstConverterFaultCell = 5;

// Row of kAuxContactorSources, or -1 when two or three fault cells are set.
int AuxContactorRow(const unsigned short* cells)
{
    int row = 0;
    for (int i = 0; i < 3; ++i) {
        if (cells[kFirstConverterFaultCell + i] == 0) continue;
        if (row != 0) return -1;
        row = i + 1;
    }
    return row;
}

// Ventilation demand level from a converter's word: bit 4, 3 or 2.
unsigned int VentilationLevel(unsigned short word)
{
    if (Bit(word, 4)) return 3;
    if (Bit(word, 3)) return 2;
    if (Bit(word, 2)) return 1;
    return 0;
}

// Direction switches of one cab's control units (STB and HBB of that side).
struct DirectionSource {
    const unsigned short* stb;
    const unsigned short* hbb;
};
const DirectionSource kCab1Direction{STB1_1105, HBB1_1215};
const DirectionSource kCab2Direction{STB2_1605, HBB2_1715};

unsigned short Forward(const DirectionSource& d) { return AnyBit(d.stb[0], 12, d.hbb[0], 8); }
unsigned short Reverse(const DirectionSource& d) { return AnyBit(d.stb[0], 13, d.hbb[0], 9); }

// Cab 1 / cab 2 key bits of a FLG's x010 port.
unsigned short Cab1Key(const unsigned short* x010) { return Bit(x010[3], 7); }
unsigned short Cab2Key(const unsigned short* x010) { return Bit(x010[4], 8); }

// Locomotive mode bits of either HBB.
bool TractionMode() { return AnyBit(HBB1_1215[0], 10, HBB2_1715[0], 10); }
bool BrakingMode() { return AnyBit(HBB1_1215[0], 11, HBB2_1715[0], 11); }

// Driver switches and relays of one FLG side.
struct DriverSwitchSource {
    const unsigned short* x010;
    const unsigned short* x035;
    const unsigned short* converter;   // traction converter port x03
};

void DecodeSwitches(ReadMVBData& s, const DriverSwitchSource& src)
{
    s.DriverSwitchPanto = Bit(src.x035[0], 9);
    s.MinimumVoltageRelay = Bit(src.converter[9], 2);
    s.DriverSwitchHotelLoad = Bit(src.x010[2], 3);
    s.DriverSwitchVcb = Bit(src.x035[0], 10);
}

// Phase currents of three motors from a converter's port x61, or all 0.
void DecodePhaseCurrents(ReadMVBData& s, int firstMotor, const unsigned short* port, bool zero)
{
    for (int i = 0; i < 3; ++i) {
        const int m = firstMotor + i;
        s.PhaseCurrentR[m] = zero ? 0.0f : Scaled(port[2 + 3 * i], 10);
        s.PhaseCurrentY[m] = zero ? 0.0f : Scaled(port[3 + 3 * i], 10);
        s.PhaseCurrentB[m] = zero ? 0.0f : Scaled(port[4 + 3 * i], 10);
    }
}

// Breakers of the second auxiliary panel, in the order of the odd entries.
constexpr int kSecondPanelBreakerBits[7] = {5, 4, 2, 3, 6, 0, 1};

// Source of the effort values, or null when no cab is selected.
const unsigned short* EffortSource(const ReadMVBData& s)
{
    if (FLG1_1000[2] == kFlg2Marker) return FLG1_1020;
    if (s.Flg2MarkerPresent()) return FLG2_1520;
    if (Cab1Key(FLG1_1010) || Cab1Key(FLG2_1510)) return FLG1_1020;
    if (Cab2Key(FLG1_1010) || Cab2Key(FLG2_1510)) return FLG2_1520;
    return nullptr;
}

// Braking effort shows positive: minus the signed word / 10, toward zero.
unsigned short BrakingEffort(unsigned short word)
{
    const int tenths = static_cast<short>(word) / 10;
    return static_cast<unsigned short>(-tenths);
}

}  // namespace

// Cab values of the FLG1 or the FLG2 side.
void ReadMVBData::ReadFromFLG1() { DecodeCab(*this, kFlg1Cab, true); }
void ReadMVBData::ReadFromFLG2() { DecodeCab(*this, kFlg2Cab, false); }

// Software versions of the seven units.
void ReadMVBData::DecodeSoftwareVersions()
{
    for (int i = 0; i < 7; ++i)
        SoftwareVersions[i] = kSoftwareVersionSources[i].port[kSoftwareVersionSources[i].word];
}

// Status cells 22 to 31 of the selected cab.
void ReadMVBData::DecodeStatusCells()
{
    DecodeCells(*this, SelectedCab(*this).x035, kLateCabCells);
}

// Harmonic filter contactors, line values, converter input contactors.
void ReadMVBData::DecodeHarmonicFilterAndLine()
{
    const unsigned short* x035 = SelectedCab(*this).x035;
    const unsigned short* filter = nullptr;
    if (!Bit(x035[3], 14)) filter = SLG1_100;
    else if (!Bit(x035[3], 15)) filter = SLG2_200;
    for (int i = 0; i < 3; ++i)
        HarmonicContactors[i] = filter ? Bit(filter[5], 5 + i) : 0;

    const bool secondLine = AnyBit(FLG1_1035[3], 14, FLG2_1535[3], 14);
    const unsigned short* line = secondLine ? SLG2_205 : SLG1_105;
    LineVoltage = Scaled(line[1], 10);
    FilterCurrent = Scaled(line[4], 10);
    AuxiliaryCurrent = Scaled(line[3], 10);
    Hlc1Current = Scaled(line[2], 10);
    Hlc2Current = Scaled(line[15], 10);

    ConverterInputContactor[0] = Bit(SLG1_101[13], 1);
    ConverterInputContactor[1] = Bit(SLG2_201[13], 1);
}

// Traction motors 1 to 3 on port 170, 4 to 6 on port 270, four words each
// (effort reference, actual, braking reference, actual).
void ReadMVBData::DecodeTractionMotors()
{
    for (int m = 0; m < 6; ++m) {
        const unsigned short* port = m < 3 ? TC1_DDU_170 : TC2_DDU_270;
        const unsigned short* w = port + 4 * (m % 3);
        if (m == 0) TractionMotor1TeRef = Truncated(w[0], 10);
        else TractionMotorTeRefs[m - 1] = Truncated(w[0], 10);
        TractionMotorTeAct[m] = Truncated(w[1], 10);
        TractionMotorBeRef[m] = Truncated(w[2], 10);
        TractionMotorBeAct[m] = Truncated(w[3], 10);

        const unsigned short* speeds = m < 3 ? SLG1_103 : SLG2_203;
        TractionMotorSpeed[m] = speeds[1 + m % 3];
    }
}

// Auxiliary converters and their contactors, auxiliary winding.
void ReadMVBData::DecodeAuxiliaryConverters()
{
    for (const ConverterRow& row : kAuxConverterRows)
        for (int i = 0; i < 3; ++i)
            (this->*row.member)[i] = FullScaleTenth(row.source[i].port[row.source[i].word], row.fullScale);

    const int row = AuxContactorRow(SubsystemStates);
    for (int i = 0; i < 5; ++i)
        AuxContactors[i] = row < 0 ? 0 : Read(kAuxContactorSources[row][i]);

    BatteryVoltageMin = 0;
    BatteryVoltageMax = 138;
    AuxWindingVoltageMin = 0;
    AuxWindingVoltageMax = 1120;
    AuxWindingCurrentMin = 0;
    AuxWindingCurrentMax = 300;
    AuxWindingInputVoltage = FullScaleTenth(BUR2_3950[2], 1250);
    AuxWindingInputCurrent = Scaled(SLG1_105[3], 10);
}

// Pantographs, node values, self-hold and throttle. The node list takes
// energy saving and the simulation key before the lamp rules of this tick
// refresh them, so those two entries trail by one tick.
void ReadMVBData::DecodePantographsAndNodes()
{
    if (Bit(STB1_1115[0], 8)) {
        const unsigned short pantoSwitch = Bit(FLG1_1035[0], 9);
        Panto1Up = Cab2Key(FLG1_1010) & pantoSwitch;
        Panto2Up = Cab1Key(FLG1_1010) & pantoSwitch;
    } else if (Bit(HBB2_1710[0], 12)) {
        Panto1Up = 1;
        Panto2Up = 0;
    } else {
        Panto1Up = 0;
        Panto2Up = Bit(HBB2_1710[0], 11);
    }

    const unsigned short cabNode = SelectedCab(*this).x020[15];
    const unsigned short conv1Node = SLG1_104[2] & 0xFFu;
    const unsigned short conv2Node = SLG2_204[2] & 0xFFu;
    const unsigned short screen[7] = {FLG1_1020[0], FLG2_1520[0], cabNode, SLG1_104[3],
                                      SLG2_204[3], conv1Node, conv2Node};
    const unsigned short list[9] = {FLG1_1020[0], FLG2_1520[0], cabNode, SLG1_104[3], SLG2_204[3],
                                    EnergySavingActive, conv1Node, conv2Node, SimulationKey};
    for (int i = 0; i < 7; ++i) NodeScreenValues[i] = screen[i];
    for (int i = 0; i < 9; ++i) NodeStates[i] = list[i];

    SelfHoldMode = SelfHoldBit ? 1 : 0;
    ThrottleNotZero = Bit(SelectedCab(*this).x010[3], 5);
}

// Traction converter values.
void ReadMVBData::DecodeConverterValues()
{
    const unsigned short* oil[2] = {SLG1_107, SLG2_207};
    const unsigned short* input[2] = {SLG1_101, SLG2_201};
    const unsigned short* links[2] = {SLG1_103, SLG2_203};
    const unsigned short* pulses[2] = {SLG1_104, SLG2_204};
    const unsigned short* powers[2] = {SLG1_105, SLG2_205};
    const unsigned short* currents[2] = {TC1_161, TC2_261};
    for (int c = 0; c < 2; ++c) {
        ConverterOilTemperature[c] = Scaled(oil[c][6], 100);
        ConverterOilPressure[c] = Scaled(oil[c][8], 100);
        PreChargeContactor[c] = Bit(input[c][13], 2);
        ConverterInputContactor[c] = Bit(input[c][13], 1);
        ConverterInputCurrent[c] = Truncated(FLG1_1020[12], 10);
        DcLinkVoltage[c] = links[c][4];
        LineConverterPulsing[c] = Bit(pulses[c][6], 4);
        DriveConverterPulsing[c] = Bit(pulses[c][6], 5);
        OutputPhaseCurrent[c] = 0;
        LineConverterCurrents[2 * c] = Scaled(currents[c][0], 10);
        LineConverterCurrents[2 * c + 1] = Scaled(currents[c][1], 10);
        ConverterInputPower[c] = Scaled(powers[c][14], 10);
        BogieVentilationDemand[c] = VentilationLevel(oil[c][10]);
    }
}

// Cab, modes, direction and lamps.
void ReadMVBData::DecodeCabModeAndLamps()
{
    const bool marker = Flg2MarkerPresent();
    const unsigned short* x035 = SelectedCab(*this).x035;
    if (Bit(x035[1], 11) && Bit(x035[1], 12)) MuConfigured = 1;
    else if (!Bit(x035[0], 7)) MuConfigured = 0;
    else MuConfigured = Bit(x035[1], 13);

    if (Cab1Key(FLG1_1010) || Cab1Key(FLG2_1510)) {
        ActiveCab = 1;
        MasterLoco = 1;
    } else if (Cab2Key(FLG1_1010) || Cab2Key(FLG2_1510)) {
        ActiveCab = 2;
        MasterLoco = 1;
    } else {
        ActiveCab = 0;
        MasterLoco = 0;
    }

    SubsystemStates[20] = AnyBit(STB2_1605[0], 6, HBB2_1715[0], 4);
    ParkingBrakeApplied = AnyBit(STB2_1695[0], 10, HBB2_1715[1], 8);
    IdleState = (TractionMode() || BrakingMode()) ? 1 : 0;

    // The FLG2 side's cab 2 stores the inverse of the switch bits.
    const unsigned short* x010 = marker ? FLG2_1510 : FLG1_1010;
    if (Cab1Key(x010)) {
        DirectionForward = Forward(kCab1Direction);
        DirectionReverse = Reverse(kCab1Direction);
    } else if (Cab2Key(x010)) {
        const unsigned short invert = marker ? 1 : 0;
        DirectionForward = Forward(kCab2Direction) ^ invert;
        DirectionReverse = Reverse(kCab2Direction) ^ invert;
    }

    MainReservoirLow = Bit(HBB2_1710[0], 10);
    LineFrequencyOk = AnyBit(FLG1_1035[0], 3, FLG2_1535[0], 3);
    EnergySavingActive = (BUR1_2025[11] != 0 && BUR2_2125[11] != 0) ? 1 : 0;
    SimulationKey = AnyBit(FLG1_1035[0], 6, FLG2_1535[0], 6);

    if (Bit(FLG2_1535[2], 4) && !Bit(FLG2_1535[2], 14) && marker) VcuRedundant = 1;
    else if (Bit(FLG1_1035[2], 4) && !Bit(FLG1_1035[2], 14) && FLG1_1000[2] == kFlg2Marker) VcuRedundant = 1;
    else VcuRedundant = 0;

    ShuntingMode = (FLG1_1047[5] == 32 || FLG2_1547[5] == 32) ? 1 : 0;

    // 1 to 149 ticks into energy saving, then 600 while it lasts.
    if (EnergySavingActive == 0) EnergySavingMode = 0;
    else if (EnergySavingMode < 150) {
        ++EnergySavingMode;
        if (EnergySavingMode == 150) EnergySavingMode = 600;
    }

    EarthFaultFlags[0] = HBB1_1216[11] & 2u;
    EarthFaultFlags[1] = HBB1_1216[7] & 16u;
    EarthFaultFlags[2] = STB2_1610[1] & 4u;
    BpcsOn = AnyBit(FLG1_1010[2], 14, FLG2_1510[2], 14);
    SandingOn = AnyBit(STB2_1605[0], 11, STB1_1105[0], 11);
}

// Driver switches and relays, by the value of port 1500 word 2; any other
// value keeps what the last tick decoded.
void ReadMVBData::DecodeDriverSwitches()
{
    const unsigned short selector = FLG2_1500[2];
    if (selector == 0) {
        DecodeSwitches(*this, {FLG1_1010, FLG1_1035, SLG1_103});
        PrimaryOverCurrentRelay = STB1_1110[0];
    } else if (selector == kFlg2Marker) {
        const unsigned short pantoSwitch = Bit(FLG2_1535[0], 9);
        Panto1Up = Cab2Key(FLG2_1510) & pantoSwitch;
        Panto2Up = Cab1Key(FLG2_1510) & pantoSwitch;
        DecodeSwitches(*this, {FLG2_1510, FLG2_1535, SLG2_203});
    }
}

// Main-screen cells.
void ReadMVBData::DecodeMainScreenCells()
{
    BlKeyActive = Cab2Key(FLG2_1510) | Cab2Key(FLG1_1010) | Cab1Key(FLG1_1010) | Cab1Key(FLG2_1510);
    BcAppliedIcon = AnyBit(STB2_1605[0], 6, HBB2_1715[0], 4);
    WheelSlip = AnyBit(SLG1_101[14], 9, SLG2_201[14], 9);
    SubsystemStates[19] = Bit(STB1_1115[0], 8);
}

// Pressures and temperatures, each / 100; a motor temperature word above
// 39999 reads 0.
void ReadMVBData::DecodePressuresAndTemperatures()
{
    const unsigned short* converter[2] = {SLG1_107, SLG2_207};
    const unsigned short* link[2] = {SLG1_103, SLG2_203};
    for (int c = 0; c < 2; ++c) {
        OilPressures[c] = Scaled(converter[c][8], 100);
        OilPressures[2 + c] = Scaled(converter[c][9], 100);
        TransformerOilTemperature[c] = Scaled(converter[c][7], 100);
        CoolantTemperatureConverter[c] = Scaled(converter[c][6], 100);
        MubSimTemperature[c] = Scaled(link[c][5], 100);
    }
    for (int m = 0; m < 6; ++m) {
        const unsigned short word = converter[m / 3][3 + m % 3];
        TractionMotorTemperature[m] = word > 39999 ? 0.0f : Scaled(word, 100);
    }
}

// Motor phase currents; a bogie's currents read 0 while both FLGs flag it.
void ReadMVBData::DecodeMotorPhaseCurrents()
{
    DecodePhaseCurrents(*this, 0, TC1_161, Bit(FLG1_1035[1], 15) && Bit(FLG2_1535[1], 15));
    DecodePhaseCurrents(*this, 3, TC2_261, Bit(FLG1_1035[1], 0) && Bit(FLG2_1535[1], 0));
}

// Brakes, breakers and bar ranges.
void ReadMVBData::DecodeBrakesAndBreakers()
{
    EmergencyBrake = AnyBit(HBB1_1210[0], 2, HBB2_1710[0], 15);
    Vigilance = Bit(STB2_1605[0], 3);
    LocoBrake = Bit(HBB2_1715[0], 4);
    AntiSlipBrake = Bit(SLG2_204[6], 8);
    PneumaticBrakeDemandMax = 3;
    PneumaticBrakeDemandMin = 0;

    for (int i = 0; i < 7; ++i) {
        const unsigned short first = Bit(HBB1_1216[15], i);
        const unsigned short second = Bit(STB2_1695[7], kSecondPanelBreakerBits[i]);
        CircuitBreakerStates[2 * i] = static_cast<unsigned char>(first);
        CircuitBreakerStates[2 * i + 1] = static_cast<unsigned char>(second);
    }
    CompressorBreakers[0] = STB1_1110[4];
    CompressorBreakers[1] = HBB2_1720[4];

    TeDemandMax = 700;
    TeDemandMin = 0;
    TeActualMax = 700;
    TeActualMin = 0;
    BeDemandMax = 600;
    BeDemandMin = 0;
    BeActualMax = 600;
    BeActualMin = 0;
    BrakePipePressureMax = 6;
    BrakePipePressureMin = 0;
}

// Effort split: signed effort for the indicators, split by the locomotive's
// mode into traction (word read unsigned) and braking (shown positive).
void ReadMVBData::DecodeEffortSplit()
{
    const unsigned short* source = EffortSource(*this);
    if (!source) return;
    const unsigned short demand = source[9];
    const unsigned short actual = source[11];
    TeBeDemand = SignedScaled(demand, 10);
    TeBeActual = SignedScaled(actual, 10);
    TeBeDemandIndicator = TeBeDemand;
    TeBeActualIndicator = TeBeActual;

    const bool traction = TractionMode();
    const bool braking = !traction && BrakingMode();
    TeDemand = traction ? Scaled(demand, 10) : 0.0f;
    TeActual = traction ? Scaled(actual, 10) : 0.0f;
    BeDemand = braking ? BrakingEffort(demand) : 0;
    BeActual = braking ? BrakingEffort(actual) : 0;
    if (traction) PressureBarMode = 0;
    else if (braking) PressureBarMode = 1;
}
