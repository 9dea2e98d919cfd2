// The tick keeps the settings files: the inching speed while the inching
// screen sends, the wheel diameters while the unlocked wheel screen shows.
#include "StoreFixture.h"

#include <sys/stat.h>

using storetest::FileThere;
using storetest::SetPortBit;
using storetest::StoreFixture;

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
