// Cab values that come from the FLG of the occupied side: each case runs on
// the FLG1 ports without the FLG2 marker and on the FLG2 ports with it, and
// the same words on the side not selected must leave the field as on a zero
// bus.
#include "DecodeFixture.h"

using namespace decodetest;

namespace {

struct CabCase {
    const char* what;
    Writes writes;    // on the FLG1 cab ports; moved to FLG2 for that side
    Field field;
    double flg1;      // expected with the FLG1 side selected
    double flg2;      // expected with the FLG2 side selected
};

const CabCase kCabCases[] = {
    // 32-bit counters, high word first
    {"trip distance", {{1030, 1, 0x0001}, {1030, 0, 0x0002}}, FIELD(TripDistance), 0x00010002, 0x00010002},
    {"total distance", {{1030, 10, 0xABCD}, {1030, 9, 0x1234}}, FIELD(TotalDistance), 0xABCD1234u, 0xABCD1234u},
    {"trip motoring", {{1030, 3, 0x0102}, {1030, 2, 0x0304}}, FIELD(TripMotoringEnergy), 0x01020304, 0x01020304},
    {"total motoring", {{1030, 12, 0x8000}, {1030, 11, 0x0001}}, FIELD(TotalMotoringEnergy), 0x80000001u, 0x80000001u},
    {"trip regenerating", {{1030, 5, 0x0007}, {1030, 4, 0xFFFF}}, FIELD(TripRegeneratingEnergy), 0x0007FFFF, 0x0007FFFF},
    {"total regenerating", {{1030, 14, 0x0010}, {1030, 13, 0x0020}}, FIELD(TotalRegeneratingEnergy), 0x00100020, 0x00100020},
    // breaker, brake pipe
    {"vcb closed", {{1035, 0, B(10)}}, FIELD(VcbClosed), 1, 1},
    {"brake pipe .91 up", {{1040, 6, 591}}, FIELD(BrakePipePressure), 6.0, 6.0},
    {"brake pipe .90 kept", {{1040, 6, 590}}, FIELD(BrakePipePressure), 5.9, 5.9},
    {"brake pipe .99 up", {{1040, 6, 499}}, FIELD(BrakePipePressure), 5.0, 5.0},
    {"brake pipe cell .91", {{1040, 6, 591}}, FIELD(SubsystemStates[21]), 6, 6},
    {"brake pipe cell .90", {{1040, 6, 590}}, FIELD(SubsystemStates[21]), 90, 90},
    {"brake pipe bar .91", {{1040, 6, 591}}, FIELD(BrakePipePressureBar), 5.91, 5.91},
    {"train brake .91", {{1040, 6, 591}}, FIELD(TrainBrakeValue), 59, 59},
    {"train brake .90", {{1040, 6, 590}}, FIELD(TrainBrakeValue), 59, 59},
    // currents, voltages, speed
    {"primary current", {{1020, 12, 1234}}, FIELD(PrimaryCurrent), 123.4, 123.4},
    {"primary voltage", {{1020, 13, 2549}}, FIELD(PrimaryVoltage), 25.5, 25.49},
    {"primary voltage half", {{1020, 13, 2545}}, FIELD(PrimaryVoltage), 25.5, 25.45},
    {"primary voltage low", {{1020, 13, 2504}}, FIELD(PrimaryVoltage), 25.0, 25.04},
    {"speed", {{1020, 3, 1005}}, FIELD(ActualSpeed), 100.5, 100.5},
    {"battery", {{1020, 10, 5652}}, FIELD(BatteryVoltage), 137.98828125, 137.98828125},
    {"main gauge battery", {{1020, 10, 4096}}, FIELD(MainGaugeVoltage), 100, 100},
    {"battery truncated", {{1020, 10, 5652}}, FIELD(BatteryVoltageValue), 137, 137},
    // numbers and brakes
    {"loco number", {{1040, 4, 31234}}, FIELD(LocoNumber), 31234, 31234},
    {"second loco number", {{1040, 5, 65535}}, FIELD(SecondLocoNumber), 65535, 65535},
    {"penalty brake", {{1040, 9, 29}}, FIELD(PenaltyBrake), 2, 2},
    {"pneumatic demand", {{1040, 9, 29}}, FIELD(PneumaticBrakeDemand), 2.9, 2.9},
    {"compressor 1", {{1010, 3, B(8)}}, FIELD(CompressorOn[0]), 1, 1},
    {"compressor 2", {{1010, 3, B(9)}}, FIELD(CompressorOn[1]), 1, 1},
    {"compressor 2 not 1", {{1010, 3, B(9)}}, FIELD(CompressorOn[0]), 0, 0},
    // other rules that follow the marker too
    {"self hold", {{1010, 3, B(4)}}, FIELD(SelfHoldMode), 1, 1},
    {"throttle", {{1010, 3, B(5)}}, FIELD(ThrottleNotZero), 1, 1},
    {"cab node screen", {{1020, 15, 77}}, FIELD(NodeScreenValues[2]), 77, 77},
    {"cab node list", {{1020, 15, 77}}, FIELD(NodeStates[2]), 77, 77},
    {"mu both bits", {{1035, 1, B(11)}, {1035, 1, B(12)}}, FIELD(MuConfigured), 1, 1},
    {"mu word 0 bit 7 and bit 13", {{1035, 0, B(7)}, {1035, 1, B(13)}}, FIELD(MuConfigured), 1, 1},
    {"mu bit 13 alone", {{1035, 1, B(13)}}, FIELD(MuConfigured), 0, 0},
    {"mu word 0 bit 7 alone", {{1035, 0, B(7)}}, FIELD(MuConfigured), 0, 0},
    {"mu one of the pair", {{1035, 1, B(11)}}, FIELD(MuConfigured), 0, 0},
};

class CabSides : public DecodeTest {
protected:
    double Baseline(Field field, bool flg2)
    {
        TickWith({}, flg2);
        return field(*store);
    }
};

TEST_F(CabSides, EachSideReadsItsOwnPorts)
{
    for (const CabCase& c : kCabCases) {
        TickWith(c.writes, false);
        ExpectValue(c.field(*store), c.flg1, std::string("FLG1 ") + c.what);
        TickWith(OnFlg2(c.writes), true);
        ExpectValue(c.field(*store), c.flg2, std::string("FLG2 ") + c.what);
    }
}

TEST_F(CabSides, TheSideNotSelectedIsIgnored)
{
    for (const CabCase& c : kCabCases) {
        const double zeroFlg1 = Baseline(c.field, false);
        TickWith(OnFlg2(c.writes), false);
        ExpectValue(c.field(*store), zeroFlg1, std::string("FLG2 ports, FLG1 selected: ") + c.what);

        const double zeroFlg2 = Baseline(c.field, true);
        TickWith(c.writes, true);
        ExpectValue(c.field(*store), zeroFlg2, std::string("FLG1 ports, FLG2 selected: ") + c.what);
    }
}

// Every bit of x035 words 1, 2 and 4 alone: exactly its status cell (or none)
// reads 1, all other cells 0.
TEST_F(CabSides, StatusCellMapOfBothSides)
{
    constexpr int none = -1;
    const struct { int word; int cells[16]; } map[] = {
        {1, {2, 3, 4, 5, 6, 7, 8, 9, none, none, none, none, none, none, 0, 1}},
        {2, {12, 13, 14, 15, 16, 17, 18, none, 27, 28, 29, 30, 31, none, 10, 11}},
        {4, {24, 25, 26, none, none, none, none, none, none, none, none, none, none, none, 22, 23}},
    };
    for (bool flg2 : {false, true}) {
        for (const auto& m : map) {
            for (int bit = 0; bit < 16; ++bit) {
                TickWith({{flg2 ? 1535 : 1035, m.word, B(bit)}}, flg2);
                for (int cell = 0; cell < 32; ++cell)
                    EXPECT_EQ(store->SubsystemStates[cell], cell == m.cells[bit] ? 1 : 0)
                        << (flg2 ? "FLG2" : "FLG1") << " word " << m.word << " bit " << bit
                        << " cell " << cell;
            }
        }
    }
}

// Port 100 word 5 bits 5 to 7 while x035 word 3 bit 14 is clear, else port
// 200's while bit 15 is clear, else all open.
TEST_F(CabSides, HarmonicContactorsPickTheFilterByTheSelectedCab)
{
    const unsigned short p100 = B(5) | B(7);
    const unsigned short p200 = B(6);
    const struct { unsigned short word3; int c0, c1, c2; } cases[] = {
        {0, 1, 0, 1},
        {B(15), 1, 0, 1},
        {B(14), 0, 1, 0},
        {static_cast<unsigned short>(B(14) | B(15)), 0, 0, 0},
    };
    for (bool flg2 : {false, true}) {
        for (const auto& c : cases) {
            TickWith({{100, 5, p100}, {200, 5, p200}, {flg2 ? 1535 : 1035, 3, c.word3}}, flg2);
            const int expected[3] = {c.c0, c.c1, c.c2};
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(store->HarmonicContactors[i], expected[i])
                    << (flg2 ? "FLG2" : "FLG1") << " word 3 " << c.word3 << " contactor " << i;
        }
        // The other side's word 3 does not choose.
        TickWith({{100, 5, p100}, {200, 5, p200}, {flg2 ? 1035 : 1535, 3, B(14)}}, flg2);
        EXPECT_EQ(store->HarmonicContactors[0], 1) << (flg2 ? "FLG2" : "FLG1");
    }
}

}  // namespace
