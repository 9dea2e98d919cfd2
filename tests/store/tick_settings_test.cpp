// The tick keeps the settings files: the inching speed while the inching
// screen sends, the wheel diameters while the unlocked wheel screen shows.
// A saved inching speed starts as the one sent only within 0.5..1.5 km/h,
// and the wheel send bit goes out only with six diameters within limits.
#include "StoreFixture.h"

#include <string>
#include <sys/stat.h>

using storetest::FileThere;
using storetest::PortBit;
using storetest::SetPortBit;
using storetest::StoreFixture;
using testsupport::CaseName;

namespace {

ino_t Inode(const char* path)
{
    struct stat st;
    return ::stat(path, &st) == 0 ? st.st_ino : 0;
}

}  // namespace

class TickSettings : public StoreFixture {
protected:
    void InchingScreen(unsigned short tenths)
    {
        store->CurrentScreen = 13;
        store->InchingSpeedTenths = tenths;
        SetPortBit(HBB2_1715, 0, 14);
    }
    void WheelScreen()
    {
        store->CurrentScreen = 16;
        store->PasswordUnlocked = 1;
        const unsigned short d[6] = {1100, 1090, 1080, 1070, 1060, 40000};
        for (int i = 0; i < 6; ++i) store->WheelDiameters[i] = d[i];
    }
};

TEST_F(TickSettings, InchingSpeedSavedInTenthsAsFloat)
{
    InchingScreen(15);
    Ticks(1);
    EXPECT_FLOAT_EQ(store->ActualSpeedVal, 1.5f);
    EXPECT_EQ(DDU_301[1], 15);
    EXPECT_EQ(dir.ReadFile("ActualSpeedVal.txt"), "ActualSpeedVal=1.500000");
    EXPECT_FALSE(FileThere("ActualSpeedVal.txt.tmp"));
}

TEST_F(TickSettings, InchingFileWrittenOnlyOnChange)
{
    InchingScreen(15);
    Ticks(1);
    const ino_t first = Inode("ActualSpeedVal.txt");
    Ticks(20);
    EXPECT_EQ(Inode("ActualSpeedVal.txt"), first) << "ten rewrites a second is what we avoid";
    store->InchingSpeedTenths = 16;
    Ticks(1);
    EXPECT_NE(Inode("ActualSpeedVal.txt"), first);
    EXPECT_EQ(dir.ReadFile("ActualSpeedVal.txt"), "ActualSpeedVal=1.600000");
}

TEST_F(TickSettings, NoInchingNoFile)
{
    store->CurrentScreen = 13;   // inching not enabled by the bus
    store->InchingSpeedTenths = 15;
    Ticks(3);
    EXPECT_FALSE(FileThere("ActualSpeedVal.txt"));
    EXPECT_EQ(store->ActualSpeedVal, 0.0f);
}

TEST_F(TickSettings, WheelScreenSavesDiametersByteForByte)
{
    WheelScreen();
    Ticks(1);
    EXPECT_EQ(dir.ReadFile("wheeldiameteroutput.txt"),
              "BOGIE1WHEELDIAMval1=1100\nBOGIE2WHEELDIAMval2=1090\nBOGIE3WHEELDIAMval3=1080\n"
              "BOGIE4WHEELDIAMval4=1070\nBOGIE5WHEELDIAMval5=1060\nBOGIE6WHEELDIAMval6=-25536\n");
    const ino_t first = Inode("wheeldiameteroutput.txt");
    Ticks(10);
    EXPECT_EQ(Inode("wheeldiameteroutput.txt"), first);
    store->PasswordUnlocked = 0;
    store->WheelDiameters[0] = 1;
    Ticks(1);
    EXPECT_EQ(Inode("wheeldiameteroutput.txt"), first) << "locked screen saves nothing";
}

TEST_F(TickSettings, UnwritableFileTickGoesOn)
{
    ASSERT_EQ(::mkdir("ActualSpeedVal.txt", 0755), 0);   // nothing can replace it
    InchingScreen(22);
    int updates = 0;
    store->DataUpdatedSignal.connect([&] { ++updates; });
    ::testing::internal::CaptureStdout();
    Ticks(2);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("File not found\n"), std::string::npos);
    EXPECT_EQ(updates, 2);
    EXPECT_EQ(DDU_301[1], 22);
    EXPECT_FLOAT_EQ(store->ActualSpeedVal, 2.2f);
}

// ------------------------------------------------ saved inching speed at start

namespace {

struct SavedSpeedCase {
    const char* name;
    const char* file;           // ActualSpeedVal.txt; null: no file
    float stored;               // StoredActualSpeedVal: what the screen shows (0 for a speed not used)
    unsigned short tenths;      // InchingSpeedTenths: what goes out before Enter
};

const SavedSpeedCase kSavedSpeedCases[] = {
    {"no file", nullptr, 0.0f, 0},
    {"zero", "ActualSpeedVal=0.000000", 0.0f, 0},
    {"below the range", "ActualSpeedVal=0.400000", 0.0f, 0},
    {"lowest", "ActualSpeedVal=0.500000", 0.5f, 5},
    {"between tenths rounds", "ActualSpeedVal=1.250000", 1.25f, 13},
    {"highest", "ActualSpeedVal=1.500000", 1.5f, 15},
    {"above the range", "ActualSpeedVal=1.600000", 0.0f, 0},
    {"ten times too high", "ActualSpeedVal=15.000000", 0.0f, 0},
    {"largest word", "ActualSpeedVal=6553.500000", 0.0f, 0},
    {"not a number", "ActualSpeedVal=nan", 0.0f, 0},
    {"negative", "ActualSpeedVal=-1.000000", 0.0f, 0},
    {"garbage", "\x01\xfe garbage", 0.0f, 0},
};

class SavedInchingSpeed : public StoreFixture, public ::testing::WithParamInterface<SavedSpeedCase> {};

}  // namespace

TEST_P(SavedInchingSpeed, TakenOverOnlyWithinTheRange)
{
    const SavedSpeedCase& c = GetParam();
    if (c.file) dir.WriteFile("ActualSpeedVal.txt", c.file);
    ::testing::internal::CaptureStdout();
    store->LoadInchingSpeed();
    ::testing::internal::GetCapturedStdout();
    EXPECT_FLOAT_EQ(store->StoredActualSpeedVal, c.stored);
    EXPECT_EQ(store->InchingSpeedTenths, c.tenths);

    // What the inching screen sends before any key.
    store->CurrentScreen = 13;
    SetPortBit(HBB2_1715, 0, 14);
    Ticks(1);
    EXPECT_EQ(DDU_301[1], c.tenths);
}

INSTANTIATE_TEST_SUITE_P(Cases, SavedInchingSpeed, ::testing::ValuesIn(kSavedSpeedCases),
                         CaseName());

// ------------------------------------------------------- wheel send bit

namespace {

struct SendBitCase {
    const char* name;
    unsigned short diameters[6];  // the store's, put into words 2 to 7
    unsigned short sendFlag;
    bool bit;                     // port 301 word 0 bit 15
};

const SendBitCase kSendBitCases[] = {
    {"all within", {1016, 1097, 1050, 1050, 1050, 1050}, 1, true},
    {"flag clear", {1050, 1050, 1050, 1050, 1050, 1050}, 0, false},
    {"one below", {1050, 1050, 1050, 1015, 1050, 1050}, 1, false},
    {"one above", {1050, 1050, 1050, 1050, 1050, 1098}, 1, false},
    {"no file: zeros", {0, 0, 0, 0, 0, 0}, 1, false},
    {"damaged file: 65535", {65535, 1050, 1050, 1050, 1050, 1050}, 1, false},
};

class WheelSendBit : public StoreFixture, public ::testing::WithParamInterface<SendBitCase> {};

}  // namespace

TEST_P(WheelSendBit, OnlyWithSixWordsWithinTheLimits)
{
    const SendBitCase& c = GetParam();
    store->CurrentScreen = 16;
    store->PasswordUnlocked = 1;
    store->WheelDiameterSendFlag = c.sendFlag;
    for (int i = 0; i < 6; ++i) store->WheelDiameters[i] = c.diameters[i];
    DDU_301[0] = 0x8000;   // left by an earlier tick
    Ticks(1);
    EXPECT_EQ(PortBit(DDU_301, 0, 15), c.bit);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(DDU_301[2 + i], c.diameters[i]) << "words go out as the store has them";
}

INSTANTIATE_TEST_SUITE_P(Cases, WheelSendBit, ::testing::ValuesIn(kSendBitCases),
                         CaseName());

// The vehicle's take-over and the port are built in one tick: values from
// port 300 outside the limits never go out with the bit, whatever the
// screen has (or has not) done with the send flag.
TEST_F(TickSettings, TakeOverDecidesTheSendBitInTheSameTick)
{
    store->CurrentScreen = 16;
    store->PasswordUnlocked = 1;
    store->WheelDiameterSendFlag = 1;
    for (unsigned short& d : store->WheelDiameters) d = 1050;
    Ticks(1);
    ASSERT_TRUE(storetest::PortBit(DDU_301, 0, 15));
    const struct {
        unsigned short received;
        bool bit;
    } steps[] = {{1000, false}, {1016, true}, {1097, true}, {1098, false}, {1060, true}};
    for (const auto& step : steps) {
        SetPortBit(DDU_300, 0, 15);
        for (int i = 0; i < 6; ++i) DDU_300[2 + i] = step.received;
        Ticks(1);
        EXPECT_EQ(DDU_301[2], step.received);
        EXPECT_EQ(storetest::PortBit(DDU_301, 0, 15), step.bit) << step.received;
    }
}
