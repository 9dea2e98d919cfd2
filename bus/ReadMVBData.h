// The display's one data store: every decoded bus value, the operator's
// settings on their way to port 301, the screen index and password state that
// decide what is sent, the fault codes and the requests of the text panel.
// Screens read and write the public fields; only the decode tick touches the
// port buffers. Used on the main-loop thread only.
#ifndef CABDISPLAY_BUS_READMVBDATA_H
#define CABDISPLAY_BUS_READMVBDATA_H

#include <sigc++/sigc++.h>
#include <string>

#include "BusWords.h"
#include "DiagnosticModes.h"
#include "PortBuffers.h"
#include "SnapshotRing.h"

class ReadMVBData {
public:
    // Every member's start value is its initialiser below (0 unless given).

    // ---- Signals ----
    sigc::signal<void, unsigned char> KeySignal;   // the next keypad byte, one per tick
    sigc::signal<void> DataUpdatedSignal;          // last step of every decode tick
    sigc::signal<void, unsigned short> SpareWordSignal;
    sigc::signal<void> SpareSignal;

    // ---- Fault and event ----
    unsigned char FaultEventFlags[2]{};
    unsigned short FaultCode{200};            // start 200; above 10100 is a fault
    unsigned short RemoteFaultCode{100};      // start 100
    unsigned short FaultSource{};          // 0 none, 10 local, 20 remote, 40 both
    unsigned int EventState{};
    std::string CurrentFaultMessage{};
    std::string CurrentFaultSubsystem{};
    unsigned short FaultAcknowledge{};
    unsigned short FaultAcknowledgeTicks{};
    unsigned short FaultAcknowledgePulse{};

    // ---- Cab, mode and main screen ----
    unsigned short ActiveCab{};
    unsigned short MasterLoco{};
    unsigned short BlKeyActive{};
    unsigned short MuConfigured{};
    unsigned short VcuRedundant{};
    unsigned short ShuntingMode{};
    unsigned int SelfHoldMode{};
    unsigned short ThrottleNotZero{};
    unsigned short DirectionForward{};
    unsigned short DirectionReverse{};
    unsigned short IdleState{};
    unsigned short PressureBarMode{};
    float ActualSpeed{};
    float BatteryVoltage{};
    float MainGaugeVoltage{};
    float PrimaryCurrent{};
    float PrimaryVoltage{};
    float TeBeDemand{};
    float TeBeActual{};
    float TeBeDemandIndicator{};
    float TeBeActualIndicator{};
    float TeDemand{};
    float TeActual{};
    unsigned short BeDemand{};
    unsigned short BeActual{};
    unsigned short Panto1Up{};
    unsigned short Panto2Up{};
    unsigned short VcbClosed{};
    unsigned short ParkingBrakeApplied{};
    unsigned short MainReservoirLow{};
    unsigned short LineFrequencyOk{};
    unsigned short BcAppliedIcon{};
    unsigned short WheelSlip{};
    unsigned short TrainBrakeValue{};
    float BrakePipePressure{};
    unsigned short BpcsOn{};
    unsigned short SandingOn{};
    unsigned short EarthFaultFlags[3]{};
    unsigned short SubsystemStates[32]{};
    unsigned short EnergySavingActive{};
    unsigned short EnergySavingMode{};
    unsigned short SimulationKey{};
    unsigned int LocoNumber{};
    unsigned int SecondLocoNumber{};

    // ---- High-voltage circuit, converters, auxiliary system ----
    unsigned short DriverSwitchPanto{};
    unsigned short MinimumVoltageRelay{};
    unsigned short DriverSwitchHotelLoad{};
    unsigned short DriverSwitchVcb{};
    unsigned short PrimaryOverCurrentRelay{};
    float LineVoltage{};
    float FilterCurrent{};
    float AuxiliaryCurrent{};
    float Hlc1Current{};
    float Hlc2Current{};
    unsigned short BatteryVoltageValue{};
    unsigned short BatteryVoltageMin{}, BatteryVoltageMax{};
    float AuxWindingInputVoltage{};
    unsigned short AuxWindingVoltageMin{}, AuxWindingVoltageMax{};
    float AuxWindingInputCurrent{};
    unsigned short AuxWindingCurrentMin{}, AuxWindingCurrentMax{};
    float BurDcLinkVoltage[3]{};
    float BurDcLinkCurrent[3]{};
    float BurOutputFrequency[3]{};
    float BurOutputVoltage[3]{};
    unsigned short AuxContactors[5]{};
    unsigned short HarmonicContactors[3]{};
    unsigned char CircuitBreakerStates[14]{};
    unsigned short CompressorBreakers[2]{};
    unsigned short CompressorOn[2]{};
    unsigned short HighTempControlElectronicsRelay{};
    unsigned short PreChargeContactor[2]{};
    unsigned short ConverterInputContactor[2]{};
    unsigned short ConverterInputCurrent[2]{};
    float ConverterInputPower[2]{};
    float DcLinkVoltage[2]{};
    unsigned short LineConverterPulsing[2]{};
    unsigned short DriveConverterPulsing[2]{};
    unsigned short OutputPhaseCurrent[2]{};
    float LineConverterCurrents[4]{};
    float PhaseCurrentR[6]{}, PhaseCurrentY[6]{}, PhaseCurrentB[6]{};
    unsigned short TractionMotor1TeRef{};
    unsigned short TractionMotorTeRefs[5]{};   // motors 2 to 6
    unsigned short TractionMotorTeAct[6]{};
    unsigned short TractionMotorBeRef[6]{};
    unsigned short TractionMotorBeAct[6]{};
    unsigned short TractionMotorSpeed[6]{};
    unsigned int BogieVentilationDemand[2]{};
    float OilPressures[4]{};
    float ConverterOilTemperature[2]{};
    float ConverterOilPressure[2]{};
    float TransformerOilTemperature[2]{};
    float CoolantTemperatureConverter[2]{};
    float MubSimTemperature[2]{};
    float TractionMotorTemperature[6]{};

    // ---- Brakes, energy and distance ----
    float BrakePipePressureBar{};
    unsigned short BrakePipePressureMax{}, BrakePipePressureMin{};
    float PneumaticBrakeDemand{};
    unsigned short PneumaticBrakeDemandMax{}, PneumaticBrakeDemandMin{};
    unsigned short PenaltyBrake{};
    unsigned short EmergencyBrake{};
    unsigned short Vigilance{};
    unsigned short LocoBrake{};
    unsigned short AntiSlipBrake{};
    unsigned short TeDemandMax{}, TeDemandMin{}, TeActualMax{}, TeActualMin{};
    unsigned short BeDemandMax{}, BeDemandMin{}, BeActualMax{}, BeActualMin{};
    unsigned int TripDistance{}, TotalDistance{};
    unsigned int TripMotoringEnergy{}, TotalMotoringEnergy{};
    unsigned int TripRegeneratingEnergy{}, TotalRegeneratingEnergy{};
    unsigned short EnergyConsumed{}, EnergyRegenerated{};

    // ---- Nodes, versions, title ----
    unsigned short NodeStates[9]{};
    unsigned short NodeScreenValues[7]{};
    unsigned short SoftwareVersions[7]{};
    unsigned short DisplayUnitSelector{};
    unsigned short TitleBarValue{};

    // ---- Screen, settings and requests ----
    unsigned int CurrentScreen{};
    unsigned short LastTargetScreen{};
    unsigned short PasswordUnlocked{};
    unsigned short EnteredPassword{};
    unsigned short PasswordReturnScreen{};
    unsigned short InchingUpPressed{}, InchingDownPressed{};
    float StoredActualSpeedVal{};          // from "ActualSpeedVal.txt"
    unsigned short InchingSpeedTenths{};   // starts at the stored speed in tenths when it lies in 5..15
    unsigned short InchingSendFlag{};
    float ActualSpeedVal{};
    unsigned int EnteredLocoNumber{};
    unsigned short LocoNumberConfirmed{};
    unsigned short MotorIsolationFlags[6]{};
    unsigned short MotorIsolationCursor{};
    unsigned short WheelDiameters[6]{};    // from "wheeldiameteroutput.txt"
    unsigned short ReceivedWheelDiameters[6]{};
    unsigned short WheelDiameterDataValid{};
    unsigned short WheelDiameterSendFlag{};
    unsigned short WheelDiameterEditing{}, WheelDiameterState{};
    unsigned short WheelDiameterCursor{};
    // Wheel diameters the vehicle takes: the send bit goes out only with six
    // of them.
    static constexpr unsigned short kLowestWheelDiameter = 1016;
    static constexpr unsigned short kHighestWheelDiameter = 1097;
    static bool WheelDiametersWithinLimits(const unsigned short (&diameters)[6]);
    unsigned short TripResetRequest{};
    unsigned int FunctionKeyMode{FunctionKeyStart};  // what the log export is asked for
    unsigned short EnergyMenuRequest{};
    unsigned short InchingMenuRequest{};
    unsigned short UsbCopyStatus{};
    // Per-tick screen flags: [0] inching, [1] loco number, [2] trip reset,
    // [4] motor isolation, [5] wheel diameters; [3] unused.
    unsigned short DDU_300_flag[6]{};

    // ---- Distributed power (written at start-up only) ----
    std::string LocoRoleNames[5]{"Master", "Slave 1", "Slave 2", "Slave 3", "Slave 4"};
    unsigned short LocoRoleCount{4};
    unsigned short DpwcsLocoNumbers[5]{30001, 30002, 30003, 30004, 30005};
    std::string LeadLocoName{"Lead Loco"};
    unsigned short DpwcsSelectLocoNumbers[4]{30001, 30002, 30003, 30004};
    unsigned short WagonDetailValues[32]{};
    unsigned short BpContinuityValues[15]{};
    unsigned short DpwcsOverviewValues[60]{};

    // ---- Fault snapshot ring ----
    unsigned int PacketRingIndex{};
    SensorData SensorPacketRing[kSensorRingSlots]{};
    SensorData SensorPacketSnapshot[kSensorSnapshotRecords]{};
    unsigned int SnapshotStopIndex{};
    unsigned int SnapshotBackCount{10};      // start 10

    // ---- Life cycle ----
    static ReadMVBData* instance;
    // The one store; created and started on the first call, never freed.
    static ReadMVBData* getInstance();

    // Full start-up: settings files, keypad line and bus (Cmain), decode tick.
    ReadMVBData();
    // Start values only: no files, no keypad line, no bus, no timer.
    // For tools and tests that drive the decode tick themselves.
    struct StartValuesOnly {};
    explicit ReadMVBData(StartValuesOnly);
    ~ReadMVBData();
    ReadMVBData(const ReadMVBData&) = delete;
    ReadMVBData& operator=(const ReadMVBData&) = delete;

    // The start-up steps after the start values (which the member
    // initialisers give): settings files and Cmain. Constructor only.
    void Initialaization();
    // Start-up step: "wheeldiameteroutput.txt" into WheelDiameters; a
    // diameter outside 1016..1097 (but 0) loads as 0, with a line.
    void LoadWheelDiameters();
    // Start-up step: "ActualSpeedVal.txt" into StoredActualSpeedVal and
    // InchingSpeedTenths when it lies within 0.5..1.5 km/h; any other
    // speed (but 0) loads as 0, with a line.
    void LoadInchingSpeed();

    // ---- Bus poll tick ----
    void RunCFile();     // connects FetchData to a 100 ms timeout
    // One poll; true. After a poll that lasted a whole period or more the
    // poll's timer waits behind the drawing of the screens until the polls
    // are short again (a new timer; false ends the old one).
    bool FetchData();

    // ---- Decode tick ----
    bool PrintKey();     // the 100 ms decode tick; returns true
    // Steps of the tick that are not decode rules.
    void EmitPendingKey();
    void StepFaultAcknowledge();
    void CopyAcknowledgePulseToBus();
    void TakeBusWheelDiameters();
    void SetScreenFlags();
    void PreparePort301();
    void FaultCodeLogic();
    void RaiseFaultEvent(unsigned short source);

    // ---- Fault snapshot ring ----
    int getStartpacketIndex(int i);
    int getDataFinal(int j, SensorData* snapshot, SensorData* ring, int k);
    void getPutDatapacket(int i);
    int rightsideStopindex(int i);
    int getDataFinalRightSide(int j, SensorData* snapshot, SensorData* ring, int k);
    void getPutDatapacketforRightSide(int i);
    void WriteRingRecord();   // the tick's ring step

    // ---- Decode rules, in tick order ----
    bool Flg2MarkerPresent() const { return FLG2_1500[2] == kFlg2Marker; }
    void ReadFromFLG1();                    // 1: cab-selected, FLG1 side
    void ReadFromFLG2();                    // 1: cab-selected, FLG2 side
    void DecodeSoftwareVersions();          // 2
    void DecodeStatusCells();               // 3: cells 22 to 31
    void DecodeHarmonicFilterAndLine();     // 4
    void DecodeTractionMotors();            // 5
    void DecodeAuxiliaryConverters();       // 6
    void DecodePantographsAndNodes();       // 7
    void DecodeConverterValues();           // 8
    void DecodeCabModeAndLamps();           // 9
    void DecodeDriverSwitches();            // 10
    void DecodeMainScreenCells();           // 11
    void DecodePressuresAndTemperatures();  // 12
    void DecodeMotorPhaseCurrents();        // 13
    void DecodeBrakesAndBreakers();         // 14
    void DecodeEffortSplit();               // 15

    // The poll's timer waits behind the drawing of the screens (see FetchData).
    bool PollYields{};

    // Decode helpers (decode rules)
    // Self-hold bit of the selected cab, read with the cab values and
    // turned into SelfHoldMode with the node values.
    unsigned short SelfHoldBit{};
};

#endif
