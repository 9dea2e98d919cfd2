// The decode tick's own steps: key, fault acknowledgement, port 301, fault
// codes, snapshot ring, wheel diameters from the bus.
#include "StoreFixture.h"

#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using storetest::PortBit;
using storetest::SetPortBit;
using storetest::StoreFixture;

// ---------------------------------------------------------------- start values

TEST_F(StoreFixture, StartValues)
{
    ReadMVBData& s = *store;
    EXPECT_EQ(s.FaultCode, 200);
    EXPECT_EQ(s.RemoteFaultCode, 100);
    EXPECT_EQ(s.FunctionKeyMode, 81u);
    EXPECT_EQ(s.SnapshotBackCount, 10u);
    EXPECT_EQ(s.PacketRingIndex, 0u);
    EXPECT_EQ(s.LocoRoleCount, 4);
    const char* roles[] = {"Master", "Slave 1", "Slave 2", "Slave 3", "Slave 4"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s.LocoRoleNames[i], roles[i]);
        EXPECT_EQ(s.DpwcsLocoNumbers[i], 30001 + i);
    }
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.DpwcsSelectLocoNumbers[i], 30001 + i);
    EXPECT_EQ(s.LeadLocoName, "Lead Loco");
    EXPECT_TRUE(s.CurrentFaultMessage.empty());
    EXPECT_EQ(s.WheelDiameters[0], 0);
    EXPECT_EQ(s.SubsystemStates[31], 0);
    EXPECT_EQ(s.SensorPacketRing[5].RecordMarker, 0);
}

// ------------------------------------------------------------------------ key

TEST_F(StoreFixture, KeyEmittedFirstAndOnlyOnce)
{
    DDA2_1804[0] = 500;   // this tick's decode changes FaultCode from 200
    KeySelected = 0x33;
    std::vector<unsigned char> keys;
    std::vector<unsigned short> faultCodeAtKey;
    int updates = 0;
    int updatesAtKey = -1;
    store->KeySignal.connect([&](unsigned char k) {
        keys.push_back(k);
        faultCodeAtKey.push_back(store->FaultCode);
        updatesAtKey = updates;
    });
    store->DataUpdatedSignal.connect([&] { ++updates; });

    Ticks(2);   // two ticks with no poll between them

    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0], 0x33);
    EXPECT_EQ(faultCodeAtKey[0], 200) << "key handlers must see the previous tick's values";
    EXPECT_EQ(updatesAtKey, 0);
    EXPECT_EQ(updates, 2);
    EXPECT_EQ(KeySelected, 0);
    EXPECT_EQ(store->FaultCode, 500);
}

TEST_F(StoreFixture, NoKeyNoEmission)
{
    int keys = 0;
    store->KeySignal.connect([&](unsigned char) { ++keys; });
    Ticks(3);
    EXPECT_EQ(keys, 0);
}

TEST_F(StoreFixture, KeysReceivedTogetherComeOnePerTickInOrder)
{
    int line[2];
    ASSERT_EQ(0, ::pipe2(line, O_NONBLOCK));
    fd = line[0];
    const unsigned char sent[] = {0x8E, 0x8E, 0x00, 0x4E};  // right, right, no key, left
    ASSERT_EQ(static_cast<ssize_t>(sizeof sent), ::write(line[1], sent, sizeof sent));
    ReadKeypadLine();  // one poll takes them all
    std::vector<unsigned char> keys;
    store->KeySignal.connect([&](unsigned char k) { keys.push_back(k); });
    Ticks(2);
    EXPECT_EQ(keys, (std::vector<unsigned char>{0x8E, 0x8E}));
    Ticks(2);
    EXPECT_EQ(keys, (std::vector<unsigned char>{0x8E, 0x8E, 0x4E}));
    ::close(line[0]);
    ::close(line[1]);
    fd = -1;
}

// --------------------------------------------------------- fault acknowledge

class AcknowledgePulse : public StoreFixture, public ::testing::WithParamInterface<unsigned short*> {};

TEST_P(AcknowledgePulse, SevenHundredTicksOnTheBus)
{
    SetPortBit(GetParam(), 4, 8);
    store->FaultAcknowledge = 1;
    for (int tick = 1; tick <= 700; ++tick) {
        store->PrintKey();
        ASSERT_EQ(store->FaultAcknowledgePulse, 1) << "tick " << tick;
        ASSERT_EQ(store->FaultAcknowledgeTicks, tick);
        ASSERT_TRUE(PortBit(DDU_301, 0, 7)) << "tick " << tick;
    }
    store->PrintKey();
    EXPECT_EQ(store->FaultAcknowledgePulse, 0);
    EXPECT_EQ(store->FaultAcknowledge, 0);
    EXPECT_EQ(store->FaultAcknowledgeTicks, 0);
    EXPECT_FALSE(PortBit(DDU_301, 0, 7));
}

INSTANTIATE_TEST_SUITE_P(EitherCab, AcknowledgePulse, ::testing::Values(FLG1_1010, FLG2_1510));

TEST_F(StoreFixture, AcknowledgeClearedByMainWindowEndsPulse)
{
    store->FaultAcknowledge = 1;
    Ticks(5);
    EXPECT_EQ(store->FaultAcknowledgePulse, 1);
    store->FaultAcknowledge = 0;
    Ticks(1);
    EXPECT_EQ(store->FaultAcknowledgePulse, 0);
    EXPECT_EQ(store->FaultAcknowledgeTicks, 0);
}

TEST_F(StoreFixture, AcknowledgeBitKeptWithoutCabBit)
{
    // Neither port 1010 nor 1510 word 4 bit 8: bit 7 keeps what it held.
    DDU_301[0] = 0x0080;
    Ticks(1);
    EXPECT_TRUE(PortBit(DDU_301, 0, 7));
    DDU_301[0] = 0;
    store->FaultAcknowledge = 1;
    Ticks(3);
    EXPECT_EQ(store->FaultAcknowledgePulse, 1);
    EXPECT_FALSE(PortBit(DDU_301, 0, 7));
}

// ------------------------------------------------------------------ port 301

namespace {

struct Port301Case {
    const char* name;
    unsigned screen;
    unsigned short unlocked;
    unsigned short sendFlag;          // WheelDiameterSendFlag
    unsigned short* inchingPort;      // port whose word 0 bit 14 is set, or null
    unsigned short word0;
    unsigned short word1;
    bool diametersSent;               // words 2 to 7
    unsigned short word8;
    unsigned short word10;
};

constexpr unsigned short kOld = 0xAAAA;   // what earlier ticks left in every word

// Settings used by every case: speed 25 tenths, isolation flags giving bits
// 1, 2 and 5 (bit 0 of each flag counts), diameters 1050..1055, loco number
// 0x12345 (low 16 bits 0x2345), trip reset 7.
const Port301Case kPort301Cases[] = {
    // word 0 of kOld: bit 15 cleared (no wheel send) and bit 0 = inching flag.
    {"OtherScreen", 0, 1, 1, nullptr, 0x2AAA, kOld, false, kOld, kOld},
    {"InchingBy1215", 13, 0, 1, HBB1_1215, 0x2AAB, 25, false, kOld, kOld},
    {"InchingBy1715", 13, 0, 1, HBB2_1715, 0x2AAB, 25, false, kOld, kOld},
    {"InchingScreenBusDisabled", 13, 0, 1, nullptr, 0x2AAA, kOld, false, kOld, kOld},
    {"InchingBitOtherScreen", 12, 0, 1, HBB1_1215, 0x2AAA, kOld, false, kOld, kOld},
    {"IsolationUnlocked", 15, 1, 1, nullptr, 0x2AA6, kOld, false, kOld, kOld},
    {"IsolationLocked", 15, 0, 1, nullptr, 0x2AAA, kOld, false, kOld, kOld},
    {"WheelUnlockedSend", 16, 1, 1, nullptr, 0xAAAA, kOld, true, kOld, kOld},
    {"WheelUnlockedSendBit0Clear", 16, 1, 2, nullptr, 0x2AAA, kOld, true, kOld, kOld},
    {"WheelLocked", 16, 0, 1, nullptr, 0x2AAA, kOld, false, kOld, kOld},
    {"LocoNumber", 14, 0, 1, nullptr, 0x2AAA, kOld, false, 0x2345, kOld},
    {"TripReset", 9, 0, 1, nullptr, 0x2AAA, kOld, false, kOld, 7},
};

}  // namespace

class Port301Map : public StoreFixture, public ::testing::WithParamInterface<Port301Case> {};

TEST_P(Port301Map, Row)
{
    const Port301Case& c = GetParam();
    for (unsigned short& w : DDU_301) w = kOld;
    ReadMVBData& s = *store;
    s.CurrentScreen = c.screen;
    s.PasswordUnlocked = c.unlocked;
    s.WheelDiameterSendFlag = c.sendFlag;
    s.InchingSpeedTenths = 25;
    const unsigned short isolation[6] = {1, 3, 0, 2, 1, 0};
    for (int i = 0; i < 6; ++i) {
        s.MotorIsolationFlags[i] = isolation[i];
        s.WheelDiameters[i] = static_cast<unsigned short>(1050 + i);
    }
    s.EnteredLocoNumber = 0x12345;
    s.TripResetRequest = 7;
    if (c.inchingPort) SetPortBit(c.inchingPort, 0, 14);

    Ticks(1);

    EXPECT_EQ(DDU_301[0], c.word0);
    EXPECT_EQ(DDU_301[1], c.word1);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(DDU_301[2 + i], c.diametersSent ? 1050 + i : kOld) << "word " << 2 + i;
    EXPECT_EQ(DDU_301[8], c.word8);
    EXPECT_EQ(DDU_301[10], c.word10);
    for (int w : {9, 11, 12, 13, 14, 15}) EXPECT_EQ(DDU_301[w], kOld) << "word " << w;
    EXPECT_EQ(s.InchingSendFlag, c.word1 == 25 ? 1 : 0);
    EXPECT_EQ(s.DDU_300_flag[0], s.InchingSendFlag);
    EXPECT_EQ(s.DDU_300_flag[1], c.screen == 14);
    EXPECT_EQ(s.DDU_300_flag[2], c.screen == 9);
    EXPECT_EQ(s.DDU_300_flag[4], c.screen == 15);
    EXPECT_EQ(s.DDU_300_flag[5], c.screen == 16);
}

INSTANTIATE_TEST_SUITE_P(Rows, Port301Map, ::testing::ValuesIn(kPort301Cases),
                         [](const ::testing::TestParamInfo<Port301Case>& i) { return i.param.name; });

TEST_F(StoreFixture, Port301KeepsSettingsAfterScreenIsLeft)
{
    ReadMVBData& s = *store;
    s.PasswordUnlocked = 1;
    s.WheelDiameterSendFlag = 1;
    for (int i = 0; i < 6; ++i) s.WheelDiameters[i] = static_cast<unsigned short>(1070 + i);
    s.CurrentScreen = 16;
    Ticks(1);
    EXPECT_TRUE(PortBit(DDU_301, 0, 15));
    s.EnteredLocoNumber = 31234;
    s.CurrentScreen = 14;
    Ticks(1);
    EXPECT_FALSE(PortBit(DDU_301, 0, 15)) << "send bit cleared once the screen is left";
    s.CurrentScreen = 0;
    s.EnteredLocoNumber = 1;
    Ticks(1);
    EXPECT_EQ(DDU_301[8], 31234);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(DDU_301[2 + i], 1070 + i);
    EXPECT_FALSE(PortBit(DDU_301, 0, 15));
}

TEST_F(StoreFixture, LocoNumberConfirmed)
{
    store->EnteredLocoNumber = 0;
    Ticks(1);
    EXPECT_EQ(store->LocoNumberConfirmed, 1);
    store->EnteredLocoNumber = 30123;
    Ticks(1);
    EXPECT_EQ(store->LocoNumberConfirmed, 0);
}

// ------------------------------------------------------------ fault code logic

namespace {

struct FaultCase {
    const char* name;
    bool marker;
    unsigned short local1804, remote3300, local1304, remoteBefore;
    unsigned short faultCode, remoteCode, source;
    unsigned char eventFlags;   // start value of both flags is 1
    unsigned eventState;
    bool snapshot;
};

const FaultCase kFaultCases[] = {
    {"LocalAtThresholdIsNoFault", false, 10100, 0, 0, 100, 10100, 0, 0, 0, 0, false},
    {"LocalAboveThreshold", false, 10101, 0, 0, 100, 10101, 0, 10, 1, 1, true},
    {"LocalWinsOverRemote", false, 12000, 15000, 0, 100, 12000, 15000, 10, 1, 1, true},
    {"RemoteFault", false, 0, 15000, 0, 100, 15000, 15000, 20, 1, 1, false},
    {"SameFaultFromBoth", false, 15000, 15000, 0, 100, 15000, 15000, 40, 1, 1, false},
    {"SameNoFaultKeepsFlags", false, 500, 500, 0, 100, 500, 500, 0, 1, 0, false},
    {"SameAtThresholdKeepsFlags", false, 10100, 10100, 0, 100, 10100, 10100, 0, 1, 0, false},
    {"Flg2LocalFromPort1304", true, 15000, 15000, 15000, 100, 15000, 100, 10, 1, 1, true},
    {"Flg2RemoteHeld", true, 0, 0, 0, 15000, 15000, 15000, 20, 1, 1, false},
    {"Flg2HeldRemoteEqual", true, 0, 0, 100, 100, 100, 100, 0, 1, 0, false},
    {"Flg2NoFault", true, 0, 16000, 200, 100, 200, 100, 0, 0, 0, false},
};

}  // namespace

class FaultLogic : public StoreFixture, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultLogic, Case)
{
    const FaultCase& c = GetParam();
    if (c.marker) FLG2_1500[2] = 0xF2AC;  // the FLG2 marker as the bus carries it
    DDA2_1804[0] = c.local1804;
    ZBV1_3300[9] = c.remote3300;
    DDA1_1304[1] = c.local1304;
    store->RemoteFaultCode = c.remoteBefore;
    store->FaultEventFlags[0] = store->FaultEventFlags[1] = 1;

    Ticks(1);

    EXPECT_EQ(store->FaultCode, c.faultCode);
    EXPECT_EQ(store->RemoteFaultCode, c.remoteCode);
    EXPECT_EQ(store->FaultSource, c.source);
    EXPECT_EQ(store->FaultEventFlags[0], c.eventFlags);
    EXPECT_EQ(store->FaultEventFlags[1], c.eventFlags);
    EXPECT_EQ(store->EventState, c.eventState);
    // A snapshot at ring index 1 lowers the back count to 9 and sets the
    // stop index to 9 + 1.
    EXPECT_EQ(store->SnapshotStopIndex, c.snapshot ? 10u : 0u);
    EXPECT_EQ(store->SnapshotBackCount, c.snapshot ? 9u : 10u);
}

INSTANTIATE_TEST_SUITE_P(Cases, FaultLogic, ::testing::ValuesIn(kFaultCases),
                         [](const ::testing::TestParamInfo<FaultCase>& i) { return i.param.name; });

TEST_F(StoreFixture, FaultEventRaisedOnEveryTick)
{
    DDA2_1804[0] = 20000;
    Ticks(1);
    store->EventState = 2;    // e.g. a loco-number edit ended
    store->FaultEventFlags[0] = 0;
    Ticks(1);
    EXPECT_EQ(store->EventState, 1u);
    EXPECT_EQ(store->FaultEventFlags[0], 1);
    DDA2_1804[0] = 0;
    ZBV1_3300[9] = 5;
    Ticks(1);
    EXPECT_EQ(store->FaultSource, 0);
    EXPECT_EQ(store->FaultEventFlags[0], 0);
    EXPECT_EQ(store->EventState, 1u) << "nothing clears the event state";
}

// ------------------------------------------------------------- snapshot ring

TEST_F(StoreFixture, RingWrapsAfterTwentyTwoTicks)
{
    Ticks(21);
    EXPECT_EQ(store->PacketRingIndex, 21u);
    Ticks(1);
    EXPECT_EQ(store->PacketRingIndex, 0u);
    for (int slot = 0; slot < kSensorRingSlots; ++slot) {
        const SensorData& r = store->SensorPacketRing[slot];
        EXPECT_EQ(r.RecordMarker, 159);
        EXPECT_EQ(r.RingIndex, slot);
        EXPECT_EQ(r.CheckValue, 12345 + slot);
        SensorData expected{};
        expected.RecordMarker = 159;
        expected.RingIndex = static_cast<unsigned short>(slot);
        expected.CheckValue = static_cast<unsigned short>(12345 + slot);
        EXPECT_EQ(std::memcmp(&r, &expected, sizeof r), 0) << "slot " << slot;
    }
}

namespace {

struct SnapshotCase {
    int ringIndexAtFault;       // index after the fault tick's ring step
    unsigned backCount;
    unsigned stopIndex;
    int firstSlot;
};

const SnapshotCase kSnapshotCases[] = {
    {15, 10, 4, 5},
    {3, 7, 10, 14},
    {11, 10, 0, 1},
    {10, 10, 20, 0},
    {0, 10, 10, 11},
};

}  // namespace

class SnapshotOnLocalFault : public StoreFixture, public ::testing::WithParamInterface<SnapshotCase> {};

TEST_P(SnapshotOnLocalFault, CopiesElevenSlots)
{
    const SnapshotCase& c = GetParam();
    // Fill the ring once, then stop one tick short of the fault's index.
    const int before = kSensorRingSlots + (c.ringIndexAtFault + kSensorRingSlots - 1) % kSensorRingSlots;
    Ticks(before);
    DDA2_1804[0] = 10101;
    Ticks(1);
    ASSERT_EQ(store->PacketRingIndex, static_cast<unsigned>(c.ringIndexAtFault));
    EXPECT_EQ(store->SnapshotBackCount, c.backCount);
    EXPECT_EQ(store->SnapshotStopIndex, c.stopIndex);
    for (int k = 0; k < kSensorSnapshotRecords; ++k) {
        const int slot = (c.firstSlot + k) % kSensorRingSlots;
        EXPECT_EQ(store->SensorPacketSnapshot[k].RingIndex, slot) << "record " << k;
        EXPECT_EQ(store->SensorPacketSnapshot[k].CheckValue, 12345 + slot) << "record " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Indices, SnapshotOnLocalFault, ::testing::ValuesIn(kSnapshotCases));

TEST_F(StoreFixture, RightSideCopyWalksBackwards)
{
    for (int slot = 0; slot < kSensorRingSlots; ++slot) store->SensorPacketRing[slot] = MakeSensorRecord(slot);
    EXPECT_EQ(store->getDataFinalRightSide(0, store->SensorPacketSnapshot, store->SensorPacketRing, 2), 21);
    EXPECT_EQ(store->SensorPacketSnapshot[2].RingIndex, 0);
    EXPECT_EQ(store->getDataFinalRightSide(7, store->SensorPacketSnapshot, store->SensorPacketRing, 3), 6);
    EXPECT_EQ(store->SensorPacketSnapshot[3].RingIndex, 7);
    EXPECT_EQ(store->getDataFinal(21, store->SensorPacketSnapshot, store->SensorPacketRing, 4), 0);
    EXPECT_EQ(store->SensorPacketSnapshot[4].RingIndex, 21);
}

// --------------------------------------------------- wheel diameters from bus

class BusWheelDiameters : public StoreFixture {
protected:
    void SendFromBus(unsigned short first)
    {
        SetPortBit(DDU_300, 0, 15);
        for (int i = 0; i < 6; ++i) DDU_300[2 + i] = static_cast<unsigned short>(first + i);
    }
};

TEST_F(BusWheelDiameters, TakenOverAndSaved)
{
    SendFromBus(900);
    Ticks(1);
    EXPECT_EQ(store->WheelDiameterDataValid, 1);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(store->WheelDiameters[i], 900 + i);
        EXPECT_EQ(store->ReceivedWheelDiameters[i], 900 + i);
    }
    EXPECT_EQ(dir.ReadFile("wheeldiameteroutput.txt"),
              "BOGIE1WHEELDIAMval1=900\nBOGIE2WHEELDIAMval2=901\nBOGIE3WHEELDIAMval3=902\n"
              "BOGIE4WHEELDIAMval4=903\nBOGIE5WHEELDIAMval5=904\nBOGIE6WHEELDIAMval6=905\n");
}

TEST_F(BusWheelDiameters, IgnoredWithoutValidBit)
{
    DDU_300[2] = 900;
    Ticks(1);
    EXPECT_EQ(store->WheelDiameterDataValid, 0);
    EXPECT_EQ(store->WheelDiameters[0], 0);
    EXPECT_EQ(store->ReceivedWheelDiameters[0], 0);
    EXPECT_FALSE(storetest::FileThere("wheeldiameteroutput.txt"));
}

TEST_F(BusWheelDiameters, EqualValuesDoNotRewriteFile)
{
    for (int i = 0; i < 6; ++i) store->WheelDiameters[i] = static_cast<unsigned short>(900 + i);
    SendFromBus(900);
    Ticks(3);
    EXPECT_FALSE(storetest::FileThere("wheeldiameteroutput.txt"));
}

TEST_F(BusWheelDiameters, CommittedDiameterReachesPort301)
{
    SendFromBus(1040);
    Ticks(1);
    // The driver commits a new diameter while the bus still echoes the old.
    ReadMVBData& s = *store;
    s.CurrentScreen = 16;
    s.PasswordUnlocked = 1;
    s.WheelDiameterSendFlag = 1;
    s.WheelDiameters[2] = 1050;
    Ticks(2);
    EXPECT_EQ(s.WheelDiameters[2], 1050);
    EXPECT_EQ(DDU_301[4], 1050);
    EXPECT_TRUE(PortBit(DDU_301, 0, 15));
    EXPECT_NE(dir.ReadFile("wheeldiameteroutput.txt").find("BOGIE3WHEELDIAMval3=1050\n"), std::string::npos);
    // A new value from the bus is taken over again.
    DDU_300[4] = 1060;
    Ticks(1);
    EXPECT_EQ(s.WheelDiameters[2], 1060);
    EXPECT_EQ(s.ReceivedWheelDiameters[2], 1060);
}

TEST_F(BusWheelDiameters, OnlyChangedBusValuesReplaceTheStore)
{
    // The bus drops its valid bit and brings back the same old values: a
    // diameter committed in between is not a change on the bus and stays.
    SendFromBus(900);
    Ticks(1);
    SetPortBit(DDU_300, 0, 15, false);
    Ticks(1);
    EXPECT_EQ(store->WheelDiameterDataValid, 0);
    store->WheelDiameters[2] = 950;
    SendFromBus(900);
    Ticks(1);
    EXPECT_EQ(store->WheelDiameterDataValid, 1);
    EXPECT_EQ(store->WheelDiameters[2], 950);
}

TEST_F(BusWheelDiameters, FirstValidFrameOfZerosKeepsStoredDiameters)
{
    // Nothing received yet counts as zeros received: a bus that raises the
    // valid bit with empty words does not wipe the saved diameters.
    for (int i = 0; i < 6; ++i) store->WheelDiameters[i] = static_cast<unsigned short>(1000 + i);
    SetPortBit(DDU_300, 0, 15);
    Ticks(2);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(store->WheelDiameters[i], 1000 + i);
    EXPECT_FALSE(storetest::FileThere("wheeldiameteroutput.txt"));
}
