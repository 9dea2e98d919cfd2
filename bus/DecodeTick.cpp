// The 100 ms decode tick: pending key, port words into the store, port 301
// from the operator's settings, fault codes, snapshot ring, settings files and
// the data-updated signal, in that order.
#include "ReadMVBData.h"

#include "DecodeRulesScaling.h"
#include "KeypadLine.h"
#include "ScreenIds.h"
#include "SettingsFiles.h"

namespace {

// Slots of DDU_300_flag.
enum ScreenFlag { kFlagInching = 0, kFlagLocoNumber = 1, kFlagTripReset = 2,
                  kFlagMotorIsolation = 4, kFlagWheelDiameters = 5 };

// Port 301 word 0 bits.
constexpr int kInchingSendBit = 0;
constexpr int kFirstIsolationBit = 1;
constexpr int kAcknowledgeBit = 7;
constexpr int kWheelDiameterSendBit = 15;
// Port 301 words.
constexpr int kInchingSpeedWord = 1;
constexpr int kFirstWheelDiameterWord = 2;
constexpr int kLocoNumberWord = 8;
constexpr int kTripResetWord = 10;

constexpr unsigned short kFaultThreshold = 10100;   // above it a code is a fault
constexpr unsigned short kAcknowledgePulseTicks = 700;

enum FaultSourceCode : unsigned short { kLocalFault = 10, kRemoteFault = 20, kBothFault = 40 };

inline void PutBit(unsigned short& word, int bit, unsigned value)
{
    const unsigned short mask = static_cast<unsigned short>(1u << bit);
    word = static_cast<unsigned short>((value & 1u) ? (word | mask) : (word & ~mask));
}

// Either cab's BL key-2 bit (port x010 word 4 bit 8).
bool Cab2BitSet()
{
    return Bit(FLG1_1010[4], 8) || Bit(FLG2_1510[4], 8);
}

// The bus enables inching (port 1215 or 1715 word 0 bit 14).
bool InchingEnabled()
{
    return Bit(HBB1_1215[0], 14) || Bit(HBB2_1715[0], 14);
}

}  // namespace

bool ReadMVBData::PrintKey()
{
    EmitPendingKey();                                        // 1
    if (Flg2MarkerPresent()) ReadFromFLG2(); else ReadFromFLG1();  // 2
    StepFaultAcknowledge();                                  // 3
    CopyAcknowledgePulseToBus();                             // 4
    TakeBusWheelDiameters();                                 // 5
    DisplayUnitSelector = 0;                                 // 6
    SetScreenFlags();                                        // 7
    PreparePort301();                                        // 8
    LocoNumberConfirmed = (LocoNumber == EnteredLocoNumber) ? 1 : 0;  // 9
    DecodeSoftwareVersions();                                // 10
    WriteRingRecord();                                       // 11
    DecodeStatusCells();                                     // 12
    DecodeHarmonicFilterAndLine();
    DecodeTractionMotors();
    DecodeAuxiliaryConverters();
    DecodePantographsAndNodes();
    DecodeConverterValues();
    FaultCodeLogic();
    DecodeCabModeAndLamps();
    DecodeDriverSwitches();
    DecodeMainScreenCells();
    DecodePressuresAndTemperatures();
    DecodeMotorPhaseCurrents();
    DecodeBrakesAndBreakers();
    DecodeEffortSplit();                                     // 13
    DataUpdatedSignal.emit();                                // 14
    return true;
}

// The pending key byte is taken before it is emitted, so a byte reaches the
// handlers once even when two decode ticks run without a poll between them.
// One key byte per tick, in the order the keypad sent them.
void ReadMVBData::EmitPendingKey()
{
    const unsigned char key = TakeKeySelected();
    if (key == 0) return;
    KeySignal.emit(key);
}

// One Home press on the fault pop-up gives a 700-tick pulse; a press during
// the pulse does not restart it.
void ReadMVBData::StepFaultAcknowledge()
{
    if (FaultAcknowledge == 1) ++FaultAcknowledgeTicks;
    else FaultAcknowledgeTicks = 0;
    if (FaultAcknowledgeTicks > kAcknowledgePulseTicks) {
        FaultAcknowledgeTicks = 0;
        FaultAcknowledge = 0;
    }
    FaultAcknowledgePulse = (FaultAcknowledgeTicks >= 1) ? 1 : 0;
}

void ReadMVBData::CopyAcknowledgePulseToBus()
{
    if (Cab2BitSet()) PutBit(DDU_301[0], kAcknowledgeBit, FaultAcknowledgePulse);
}

// Port 300 echoes the wheel diameters. They replace the store's values only
// when they differ from the last ones received, so a diameter the driver has
// just committed is not overwritten before it is sent.
void ReadMVBData::TakeBusWheelDiameters()
{
    WheelDiameterDataValid = Bit(DDU_300[0], 15);
    if (!WheelDiameterDataValid) return;

    bool received = false;
    bool differsFromStore = false;
    for (int i = 0; i < settingsfiles::kBogies; ++i) {
        const unsigned short value = DDU_300[kFirstWheelDiameterWord + i];
        received = received || value != ReceivedWheelDiameters[i];
        differsFromStore = differsFromStore || value != WheelDiameters[i];
        ReceivedWheelDiameters[i] = value;
    }
    if (!received || !differsFromStore) return;
    for (int i = 0; i < settingsfiles::kBogies; ++i) WheelDiameters[i] = ReceivedWheelDiameters[i];
    settingsfiles::SaveWheelDiameters(WheelDiameters);
}

bool ReadMVBData::WheelDiametersWithinLimits(const unsigned short (&diameters)[6])
{
    for (unsigned short d : diameters)
        if (d < kLowestWheelDiameter || d > kHighestWheelDiameter) return false;
    return true;
}

void ReadMVBData::SetScreenFlags()
{
    // Screens whose settings go to port 301.
    const bool inching = CurrentScreen == ScreenInchingMode && InchingEnabled();
    DDU_300_flag[kFlagInching] = inching ? 1 : 0;
    InchingSendFlag = inching ? 1 : 0;
    DDU_300_flag[kFlagMotorIsolation] = CurrentScreen == ScreenSixMotorIsolation ? 1 : 0;
    DDU_300_flag[kFlagWheelDiameters] = CurrentScreen == ScreenWheelDiameter ? 1 : 0;
    DDU_300_flag[kFlagLocoNumber] = CurrentScreen == ScreenLocoNumner ? 1 : 0;
    DDU_300_flag[kFlagTripReset] = CurrentScreen == ScreenEnergyMonitoring ? 1 : 0;
}

// Words a screen's flag does not rewrite keep what an earlier tick put there.
void ReadMVBData::PreparePort301()
{
    PutBit(DDU_301[0], kInchingSendBit, InchingSendFlag);
    if (DDU_300_flag[kFlagInching] == 1) {
        DDU_301[kInchingSpeedWord] = InchingSpeedTenths;
        ActualSpeedVal = decoderules::Scaled(InchingSpeedTenths, 10);
        settingsfiles::SaveActualSpeed(ActualSpeedVal);
    }

    const bool unlocked = PasswordUnlocked == 1;
    if (DDU_300_flag[kFlagMotorIsolation] == 1 && unlocked) {
        for (int i = 0; i < 6; ++i) PutBit(DDU_301[0], kFirstIsolationBit + i, MotorIsolationFlags[i]);
    }

    if (DDU_300_flag[kFlagWheelDiameters] == 1 && unlocked) {
        for (int i = 0; i < settingsfiles::kBogies; ++i)
            DDU_301[kFirstWheelDiameterWord + i] = WheelDiameters[i];
        // The send bit goes only with the six words just put in the port,
        // whatever the wheel screen did with the send flag.
        const bool sendable = WheelDiametersWithinLimits(WheelDiameters);
        PutBit(DDU_301[0], kWheelDiameterSendBit, sendable ? WheelDiameterSendFlag : 0u);
        settingsfiles::SaveWheelDiameters(WheelDiameters);
    } else {
        PutBit(DDU_301[0], kWheelDiameterSendBit, 0);
    }

    if (DDU_300_flag[kFlagLocoNumber] == 1)
        DDU_301[kLocoNumberWord] = static_cast<unsigned short>(EnteredLocoNumber & 0xFFFFu);
    if (DDU_300_flag[kFlagTripReset] == 1) DDU_301[kTripResetWord] = TripResetRequest;
}

// Local code from the cab's fault unit, remote code from the remote unit; the
// remote code is held while the FLG2 marker is present.
void ReadMVBData::FaultCodeLogic()
{
    if (!Flg2MarkerPresent()) {
        FaultCode = DDA2_1804[0];
        RemoteFaultCode = ZBV1_3300[9];
    } else {
        FaultCode = DDA1_1304[1];
    }
    FaultSource = 0;

    if (RemoteFaultCode == FaultCode) {
        if (FaultCode > kFaultThreshold) RaiseFaultEvent(kBothFault);
    } else if (FaultCode > kFaultThreshold) {
        RaiseFaultEvent(kLocalFault);
        getPutDatapacket(static_cast<int>(PacketRingIndex));
        SnapshotStopIndex = static_cast<unsigned int>(rightsideStopindex(static_cast<int>(PacketRingIndex)));
    } else if (RemoteFaultCode > kFaultThreshold) {
        FaultCode = RemoteFaultCode;
        RaiseFaultEvent(kRemoteFault);
    } else {
        FaultEventFlags[0] = 0;
        FaultEventFlags[1] = 0;
    }
}

void ReadMVBData::RaiseFaultEvent(unsigned short source)
{
    FaultSource = source;
    EventState = 1;
    FaultEventFlags[0] = 1;
    FaultEventFlags[1] = 1;
}
