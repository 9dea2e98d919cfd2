// Rules that read named ports whatever the FLG2 marker says: each case runs
// with the marker absent and present and must give the same field.
#include "DecodeFixture.h"

using namespace decodetest;

namespace {

struct FixedCase {
    const char* what;
    Writes writes;
    Field field;
    double expected;
};

const FixedCase kFixedCases[] = {
    // software versions
    {"version FLG1", {{1070, 3, 101}}, FIELD(SoftwareVersions[0]), 101},
    {"version FLG2", {{1570, 3, 102}}, FIELD(SoftwareVersions[1]), 102},
    {"version converter 1", {{107, 11, 103}}, FIELD(SoftwareVersions[2]), 103},
    {"version converter 2", {{207, 11, 104}}, FIELD(SoftwareVersions[3]), 104},
    {"version aux 1 word 3", {{2025, 3, 105}}, FIELD(SoftwareVersions[4]), 105},
    {"version aux 2 word 4", {{2125, 4, 106}}, FIELD(SoftwareVersions[5]), 106},
    {"version aux 2 not word 3", {{2125, 3, 106}}, FIELD(SoftwareVersions[5]), 0},
    {"version aux 3 word 4", {{2225, 4, 107}}, FIELD(SoftwareVersions[6]), 107},

    // line values from port 105, or 205 when either FLG's word 3 bit 14 is set
    {"line voltage", {{105, 1, 2500}}, FIELD(LineVoltage), 250.0},
    {"hlc 1", {{105, 2, 123}}, FIELD(Hlc1Current), 12.3},
    {"aux current", {{105, 3, 77}}, FIELD(AuxiliaryCurrent), 7.7},
    {"filter current", {{105, 4, 45}}, FIELD(FilterCurrent), 4.5},
    {"hlc 2", {{105, 15, 9}}, FIELD(Hlc2Current), 0.9},
    {"line from 205 by FLG1", {{1035, 3, B(14)}, {205, 1, 1234}, {105, 1, 999}}, FIELD(LineVoltage), 123.4},
    {"line from 205 by FLG2", {{1535, 3, B(14)}, {205, 15, 1234}}, FIELD(Hlc2Current), 123.4},
    {"line 105 ignored then", {{1035, 3, B(14)}, {105, 4, 999}}, FIELD(FilterCurrent), 0},
    {"input contactor 1", {{101, 13, B(1)}}, FIELD(ConverterInputContactor[0]), 1},
    {"input contactor 2", {{201, 13, B(1)}}, FIELD(ConverterInputContactor[1]), 1},
    {"pre-charge 1", {{101, 13, B(2)}}, FIELD(PreChargeContactor[0]), 1},
    {"pre-charge 2", {{201, 13, B(2)}}, FIELD(PreChargeContactor[1]), 1},

    // traction motors: /10 truncated, four words per motor
    {"motor 1 te ref", {{170, 0, 1239}}, FIELD(TractionMotor1TeRef), 123},
    {"motor 2 te ref", {{170, 4, 1239}}, FIELD(TractionMotorTeRefs[0]), 123},
    {"motor 3 te ref", {{170, 8, 50}}, FIELD(TractionMotorTeRefs[1]), 5},
    {"motor 4 te ref", {{270, 0, 60}}, FIELD(TractionMotorTeRefs[2]), 6},
    {"motor 5 te ref", {{270, 4, 61}}, FIELD(TractionMotorTeRefs[3]), 6},
    {"motor 6 te ref", {{270, 8, 79}}, FIELD(TractionMotorTeRefs[4]), 7},
    {"motor 1 te act", {{170, 1, 65535}}, FIELD(TractionMotorTeAct[0]), 6553},
    {"motor 6 te act", {{270, 9, 88}}, FIELD(TractionMotorTeAct[5]), 8},
    {"motor 2 be ref", {{170, 6, 99}}, FIELD(TractionMotorBeRef[1]), 9},
    {"motor 4 be ref", {{270, 2, 100}}, FIELD(TractionMotorBeRef[3]), 10},
    {"motor 3 be act", {{170, 11, 110}}, FIELD(TractionMotorBeAct[2]), 11},
    {"motor 5 be act", {{270, 7, 120}}, FIELD(TractionMotorBeAct[4]), 12},
    {"motor 1 speed", {{103, 1, 1500}}, FIELD(TractionMotorSpeed[0]), 1500},
    {"motor 3 speed", {{103, 3, 1501}}, FIELD(TractionMotorSpeed[2]), 1501},
    {"motor 4 speed", {{203, 1, 1502}}, FIELD(TractionMotorSpeed[3]), 1502},
    {"motor 6 speed", {{203, 3, 1503}}, FIELD(TractionMotorSpeed[5]), 1503},

    // auxiliary converters: full scale / 4096, rounded to 0.1
    {"aux 1 dc link full", {{3900, 2, 4096}}, FIELD(BurDcLinkVoltage[0]), 1000.0},
    {"aux 1 dc link small", {{3900, 2, 1}}, FIELD(BurDcLinkVoltage[0]), 0.2},
    {"aux 1 dc link half up", {{3900, 2, 128}}, FIELD(BurDcLinkVoltage[0]), 31.3},
    {"aux 2 dc link", {{3950, 5, 2048}}, FIELD(BurDcLinkVoltage[1]), 500.0},
    {"aux 3 dc link", {{2295, 3, 1024}}, FIELD(BurDcLinkVoltage[2]), 250.0},
    {"aux 1 output voltage", {{2025, 6, 4096}}, FIELD(BurOutputVoltage[0]), 1000.0},
    {"aux 2 output voltage", {{2125, 7, 1}}, FIELD(BurOutputVoltage[1]), 0.2},
    {"aux 3 output voltage", {{2225, 7, 2048}}, FIELD(BurOutputVoltage[2]), 500.0},
    {"aux 1 dc current", {{3900, 3, 4096}}, FIELD(BurDcLinkCurrent[0]), 500.0},
    {"aux 2 dc current", {{3950, 6, 1}}, FIELD(BurDcLinkCurrent[1]), 0.1},
    {"aux 3 dc current", {{4000, 6, 2048}}, FIELD(BurDcLinkCurrent[2]), 250.0},
    {"aux 1 frequency", {{3900, 4, 2048}}, FIELD(BurOutputFrequency[0]), 50.0},
    {"aux 2 frequency", {{3950, 7, 2000}}, FIELD(BurOutputFrequency[1]), 48.8},
    {"aux 3 frequency", {{4000, 7, 4096}}, FIELD(BurOutputFrequency[2]), 100.0},
    {"aux winding voltage", {{3950, 2, 4096}}, FIELD(AuxWindingInputVoltage), 1250.0},
    {"aux winding voltage half up", {{3950, 2, 512}}, FIELD(AuxWindingInputVoltage), 156.3},
    {"aux winding current", {{105, 3, 2999}}, FIELD(AuxWindingInputCurrent), 299.9},
    // words whose exact value lies just below a half: float rounding read a tenth high
    {"aux 1 dc link just below half", {{3900, 2, 26863}}, FIELD(BurDcLinkVoltage[0]), 6558.3},
    {"aux 2 output voltage just below half", {{2125, 7, 27119}}, FIELD(BurOutputVoltage[1]), 6620.8},
    {"aux 3 dc current just below half", {{4000, 6, 27247}}, FIELD(BurDcLinkCurrent[2]), 3326.0},
    {"aux winding voltage just below half", {{3950, 2, 6115}}, FIELD(AuxWindingInputVoltage), 1866.1},

    // node values
    {"node FLG1 screen", {{1020, 0, 11}}, FIELD(NodeScreenValues[0]), 11},
    {"node FLG2 screen", {{1520, 0, 12}}, FIELD(NodeScreenValues[1]), 12},
    {"node conv 1 screen", {{104, 3, 13}}, FIELD(NodeScreenValues[3]), 13},
    {"node conv 2 screen", {{204, 3, 14}}, FIELD(NodeScreenValues[4]), 14},
    {"node conv 1 low byte screen", {{104, 2, 0x1234}}, FIELD(NodeScreenValues[5]), 0x34},
    {"node conv 2 low byte screen", {{204, 2, 0xABCD}}, FIELD(NodeScreenValues[6]), 0xCD},
    {"node FLG1 list", {{1020, 0, 11}}, FIELD(NodeStates[0]), 11},
    {"node FLG2 list", {{1520, 0, 12}}, FIELD(NodeStates[1]), 12},
    {"node conv 1 list", {{104, 3, 13}}, FIELD(NodeStates[3]), 13},
    {"node conv 2 list", {{204, 3, 14}}, FIELD(NodeStates[4]), 14},
    {"node conv 1 low byte list", {{104, 2, 0x1234}}, FIELD(NodeStates[6]), 0x34},
    {"node conv 2 low byte list", {{204, 2, 0xABCD}}, FIELD(NodeStates[7]), 0xCD},

    // converter values
    {"oil temperature 1", {{107, 6, 4567}}, FIELD(ConverterOilTemperature[0]), 45.67},
    {"oil temperature 2", {{207, 6, 4568}}, FIELD(ConverterOilTemperature[1]), 45.68},
    {"oil pressure 1", {{107, 8, 250}}, FIELD(ConverterOilPressure[0]), 2.5},
    {"oil pressure 2", {{207, 8, 251}}, FIELD(ConverterOilPressure[1]), 2.51},
    {"input current from FLG1", {{1020, 12, 1239}}, FIELD(ConverterInputCurrent[0]), 123},
    {"input current both entries", {{1020, 12, 1239}}, FIELD(ConverterInputCurrent[1]), 123},
    {"input current never FLG2", {{1520, 12, 1239}}, FIELD(ConverterInputCurrent[1]), 0},
    {"dc link 1 unscaled", {{103, 4, 1800}}, FIELD(DcLinkVoltage[0]), 1800},
    {"dc link 2 unscaled", {{203, 4, 65535}}, FIELD(DcLinkVoltage[1]), 65535},
    {"line pulsing 1", {{104, 6, B(4)}}, FIELD(LineConverterPulsing[0]), 1},
    {"line pulsing 2", {{204, 6, B(4)}}, FIELD(LineConverterPulsing[1]), 1},
    {"drive pulsing 1", {{104, 6, B(5)}}, FIELD(DriveConverterPulsing[0]), 1},
    {"drive pulsing 2", {{204, 6, B(5)}}, FIELD(DriveConverterPulsing[1]), 1},
    {"drive not line", {{104, 6, B(5)}}, FIELD(LineConverterPulsing[0]), 0},
    {"line converter current 1a", {{161, 0, 12}}, FIELD(LineConverterCurrents[0]), 1.2},
    {"line converter current 1b", {{161, 1, 13}}, FIELD(LineConverterCurrents[1]), 1.3},
    {"line converter current 2a", {{261, 0, 14}}, FIELD(LineConverterCurrents[2]), 1.4},
    {"line converter current 2b", {{261, 1, 15}}, FIELD(LineConverterCurrents[3]), 1.5},
    {"input power 1", {{105, 14, 5000}}, FIELD(ConverterInputPower[0]), 500.0},
    {"input power 2", {{205, 14, 5001}}, FIELD(ConverterInputPower[1]), 500.1},
    {"ventilation bit 2", {{107, 10, B(2)}}, FIELD(BogieVentilationDemand[0]), 1},
    {"ventilation bit 3", {{107, 10, B(3)}}, FIELD(BogieVentilationDemand[0]), 2},
    {"ventilation bit 4 wins", {{107, 10, B(4) | B(2)}}, FIELD(BogieVentilationDemand[0]), 3},
    {"ventilation other bits", {{107, 10, B(0) | B(5)}}, FIELD(BogieVentilationDemand[0]), 0},
    {"ventilation bogie 2", {{207, 10, B(3) | B(2)}}, FIELD(BogieVentilationDemand[1]), 2},

    // cab, mode and lamps
    {"cab 1 by FLG1", {{1010, 3, B(7)}}, FIELD(ActiveCab), 1},
    {"cab 1 by FLG2", {{1510, 3, B(7)}}, FIELD(ActiveCab), 1},
    {"cab 2 by FLG1", {{1010, 4, B(8)}}, FIELD(ActiveCab), 2},
    {"cab 2 by FLG2", {{1510, 4, B(8)}}, FIELD(ActiveCab), 2},
    {"cab 1 before cab 2", {{1010, 3, B(7)}, {1510, 4, B(8)}}, FIELD(ActiveCab), 1},
    {"master with cab 2", {{1510, 4, B(8)}}, FIELD(MasterLoco), 1},
    {"no master without cab", {}, FIELD(MasterLoco), 0},
    {"bc applied by 1605", {{1605, 0, B(6)}}, FIELD(SubsystemStates[20]), 1},
    {"bc applied by 1715", {{1715, 0, B(4)}}, FIELD(SubsystemStates[20]), 1},
    {"bc icon by 1605", {{1605, 0, B(6)}}, FIELD(BcAppliedIcon), 1},
    {"bc icon by 1715", {{1715, 0, B(4)}}, FIELD(BcAppliedIcon), 1},
    {"parking by 1695", {{1695, 0, B(10)}}, FIELD(ParkingBrakeApplied), 1},
    {"parking by 1715", {{1715, 1, B(8)}}, FIELD(ParkingBrakeApplied), 1},
    {"idle by 1215 braking", {{1215, 0, B(11)}}, FIELD(IdleState), 1},
    {"idle by 1715 traction", {{1715, 0, B(10)}}, FIELD(IdleState), 1},
    {"idle neither", {{1215, 0, B(9)}}, FIELD(IdleState), 0},
    {"reservoir low", {{1710, 0, B(10)}}, FIELD(MainReservoirLow), 1},
    {"line frequency FLG1", {{1035, 0, B(3)}}, FIELD(LineFrequencyOk), 1},
    {"line frequency FLG2", {{1535, 0, B(3)}}, FIELD(LineFrequencyOk), 1},
    {"energy saving both", {{2025, 11, 5}, {2125, 11, 1}}, FIELD(EnergySavingActive), 1},
    {"energy saving one", {{2025, 11, 5}}, FIELD(EnergySavingActive), 0},
    {"simulation FLG1", {{1035, 0, B(6)}}, FIELD(SimulationKey), 1},
    {"simulation FLG2", {{1535, 0, B(6)}}, FIELD(SimulationKey), 1},
    {"shunting FLG1", {{1047, 5, 32}}, FIELD(ShuntingMode), 1},
    {"shunting FLG2", {{1547, 5, 32}}, FIELD(ShuntingMode), 1},
    {"shunting needs 32 exactly", {{1047, 5, 33}}, FIELD(ShuntingMode), 0},
    {"earth fault 0 masked", {{1216, 11, 0xFFFF}}, FIELD(EarthFaultFlags[0]), 2},
    {"earth fault 1 masked", {{1216, 7, 0xFFFF}}, FIELD(EarthFaultFlags[1]), 16},
    {"earth fault 2 masked", {{1610, 1, 0xFFFF}}, FIELD(EarthFaultFlags[2]), 4},
    {"earth fault 0 other bits", {{1216, 11, 0xFFFD}}, FIELD(EarthFaultFlags[0]), 0},
    {"bpcs FLG1", {{1010, 2, B(14)}}, FIELD(BpcsOn), 1},
    {"bpcs FLG2", {{1510, 2, B(14)}}, FIELD(BpcsOn), 1},
    {"sanding 1605", {{1605, 0, B(11)}}, FIELD(SandingOn), 1},
    {"sanding 1105", {{1105, 0, B(11)}}, FIELD(SandingOn), 1},

    // main-screen cells
    {"bl key FLG1 cab 1", {{1010, 3, B(7)}}, FIELD(BlKeyActive), 1},
    {"bl key FLG1 cab 2", {{1010, 4, B(8)}}, FIELD(BlKeyActive), 1},
    {"bl key FLG2 cab 1", {{1510, 3, B(7)}}, FIELD(BlKeyActive), 1},
    {"bl key FLG2 cab 2", {{1510, 4, B(8)}}, FIELD(BlKeyActive), 1},
    {"bl key other bits", {{1010, 3, B(8)}, {1510, 4, B(7)}}, FIELD(BlKeyActive), 0},
    {"wheel slip 1", {{101, 14, B(9)}}, FIELD(WheelSlip), 1},
    {"wheel slip 2", {{201, 14, B(9)}}, FIELD(WheelSlip), 1},
    {"cell 19", {{1115, 0, B(8)}}, FIELD(SubsystemStates[19]), 1},

    // pressures and temperatures, /100
    {"oil pressure 1 first", {{107, 8, 123}}, FIELD(OilPressures[0]), 1.23},
    {"oil pressure 2 first", {{207, 8, 124}}, FIELD(OilPressures[1]), 1.24},
    {"oil pressure 1 second", {{107, 9, 125}}, FIELD(OilPressures[2]), 1.25},
    {"oil pressure 2 second", {{207, 9, 126}}, FIELD(OilPressures[3]), 1.26},
    {"transformer oil 1", {{107, 7, 6000}}, FIELD(TransformerOilTemperature[0]), 60.0},
    {"transformer oil 2", {{207, 7, 6001}}, FIELD(TransformerOilTemperature[1]), 60.01},
    {"coolant 1", {{107, 6, 3000}}, FIELD(CoolantTemperatureConverter[0]), 30.0},
    {"coolant 2", {{207, 6, 3001}}, FIELD(CoolantTemperatureConverter[1]), 30.01},
    {"mub sim 1", {{103, 5, 2500}}, FIELD(MubSimTemperature[0]), 25.0},
    {"mub sim 2", {{203, 5, 2501}}, FIELD(MubSimTemperature[1]), 25.01},
    {"motor 1 temperature top", {{107, 3, 39999}}, FIELD(TractionMotorTemperature[0]), 399.99},
    {"motor 1 temperature over", {{107, 3, 40000}}, FIELD(TractionMotorTemperature[0]), 0},
    {"motor 3 temperature", {{107, 5, 8000}}, FIELD(TractionMotorTemperature[2]), 80.0},
    {"motor 4 temperature", {{207, 3, 8100}}, FIELD(TractionMotorTemperature[3]), 81.0},
    {"motor 6 temperature over", {{207, 5, 65535}}, FIELD(TractionMotorTemperature[5]), 0},

    // motor phase currents, /10; a bogie reads 0 while both FLGs flag it
    {"phase R motor 1", {{161, 2, 100}}, FIELD(PhaseCurrentR[0]), 10.0},
    {"phase Y motor 1", {{161, 3, 101}}, FIELD(PhaseCurrentY[0]), 10.1},
    {"phase B motor 1", {{161, 4, 102}}, FIELD(PhaseCurrentB[0]), 10.2},
    {"phase R motor 2", {{161, 5, 103}}, FIELD(PhaseCurrentR[1]), 10.3},
    {"phase B motor 3", {{161, 10, 104}}, FIELD(PhaseCurrentB[2]), 10.4},
    {"phase R motor 4", {{261, 2, 105}}, FIELD(PhaseCurrentR[3]), 10.5},
    {"phase Y motor 6", {{261, 9, 106}}, FIELD(PhaseCurrentY[5]), 10.6},
    {"phase B motor 6", {{261, 10, 107}}, FIELD(PhaseCurrentB[5]), 10.7},
    {"bogie 1 flagged by both", {{1035, 1, B(15)}, {1535, 1, B(15)}, {161, 2, 100}}, FIELD(PhaseCurrentR[0]), 0},
    {"bogie 1 flagged by both, B", {{1035, 1, B(15)}, {1535, 1, B(15)}, {161, 10, 100}}, FIELD(PhaseCurrentB[2]), 0},
    {"bogie 1 flagged by one", {{1035, 1, B(15)}, {161, 2, 100}}, FIELD(PhaseCurrentR[0]), 10.0},
    {"bogie 1 flag spares bogie 2", {{1035, 1, B(15)}, {1535, 1, B(15)}, {261, 2, 100}}, FIELD(PhaseCurrentR[3]), 10.0},
    {"bogie 2 flagged by both", {{1035, 1, B(0)}, {1535, 1, B(0)}, {261, 4, 100}}, FIELD(PhaseCurrentB[3]), 0},
    {"bogie 2 flagged by one", {{1535, 1, B(0)}, {261, 4, 100}}, FIELD(PhaseCurrentB[3]), 10.0},

    // brakes and breakers
    {"emergency by 1210", {{1210, 0, B(2)}}, FIELD(EmergencyBrake), 1},
    {"emergency by 1710", {{1710, 0, B(15)}}, FIELD(EmergencyBrake), 1},
    {"vigilance", {{1605, 0, B(3)}}, FIELD(Vigilance), 1},
    {"loco brake", {{1715, 0, B(4)}}, FIELD(LocoBrake), 1},
    {"anti-slip", {{204, 6, B(8)}}, FIELD(AntiSlipBrake), 1},
    {"anti-slip not converter 1", {{104, 6, B(8)}}, FIELD(AntiSlipBrake), 0},
    {"compressor breaker 1", {{1110, 4, 0xBEEF}}, FIELD(CompressorBreakers[0]), 0xBEEF},
    {"compressor breaker 2", {{1720, 4, 0x1234}}, FIELD(CompressorBreakers[1]), 0x1234},

    // fixed values on every tick
    {"battery max", {}, FIELD(BatteryVoltageMax), 138},
    {"aux winding voltage max", {}, FIELD(AuxWindingVoltageMax), 1120},
    {"aux winding current max", {}, FIELD(AuxWindingCurrentMax), 300},
    {"pneumatic demand max", {}, FIELD(PneumaticBrakeDemandMax), 3},
    {"te demand max", {}, FIELD(TeDemandMax), 700},
    {"te actual max", {}, FIELD(TeActualMax), 700},
    {"be demand max", {}, FIELD(BeDemandMax), 600},
    {"be actual max", {}, FIELD(BeActualMax), 600},
    {"brake pipe max", {}, FIELD(BrakePipePressureMax), 6},
    {"output phase current", {{104, 6, 0xFFFF}}, FIELD(OutputPhaseCurrent[0]), 0},
};

using FixedPortRules = DecodeTest;

TEST_F(FixedPortRules, SameFieldWhateverTheMarker)
{
    for (const FixedCase& c : kFixedCases) {
        for (bool flg2 : {false, true}) {
            TickWith(c.writes, flg2);
            ExpectValue(c.field(*store), c.expected,
                        std::string(flg2 ? "FLG2 marker: " : "no marker: ") + c.what);
        }
    }
}

// Each breaker bit reaches exactly its entry: first panel on the even
// entries in bit order, second panel on the odd entries in its own order.
TEST_F(FixedPortRules, CircuitBreakerMap)
{
    const struct { int port; int word; int bits[7]; int firstEntry; } panels[] = {
        {1216, 15, {0, 1, 2, 3, 4, 5, 6}, 0},
        {1695, 7, {5, 4, 2, 3, 6, 0, 1}, 1},
    };
    for (const auto& panel : panels) {
        for (int i = 0; i < 7; ++i) {
            TickWith({{panel.port, panel.word, B(panel.bits[i])}});
            const int entry = panel.firstEntry + 2 * i;
            for (int e = 0; e < 14; ++e)
                EXPECT_EQ(store->CircuitBreakerStates[e], e == entry ? 1 : 0)
                    << "port " << panel.port << " bit " << panel.bits[i] << " entry " << e;
        }
    }
}

}  // namespace
