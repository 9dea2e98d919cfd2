// The store for real: start-up with settings files, the in-process bus
// device and a pseudo-terminal keypad; both ticks on a GLib main loop.
#include <gtest/gtest.h>

#include <glibmm/init.h>
#include <glibmm/main.h>
#include <vector>

#include "MueDevice.h"
#include "PseudoKeypad.h"
#include "ReadMVBData.h"
#include "NewProcess.h"
#include "TestSupport.h"

namespace {

void RunOnTheMainLoop()
{
    Glib::init();
    testsupport::TempWorkDir dir;
    dir.WriteFile("wheeldiameteroutput.txt",
                  "BOGIE1WHEELDIAMval1=1021\nBOGIE2WHEELDIAMval2=1022\nBOGIE3WHEELDIAMval3=1023\n"
                  "BOGIE4WHEELDIAMval4=1024\nBOGIE5WHEELDIAMval5=1025\nBOGIE6WHEELDIAMval6=1097\n");
    dir.WriteFile("ActualSpeedVal.txt", "ActualSpeedVal=1.250000");
    storetest::PseudoKeypad keypad;
    ASSERT_TRUE(keypad.ok());
    mue_sim::MueDevice& dev = mue_sim::InProcessDevice();
    dev.Reset();
    dev.SetSinkWord(1804, 0, 12000);   // local fault code
    dev.SetSinkWord(3300, 9, 15000);   // remote fault code

    ReadMVBData* store = ReadMVBData::getInstance();
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(ReadMVBData::getInstance(), store);
    EXPECT_EQ(ReadMVBData::instance, store);
    // Start-up read both files; the inching speed starts at the stored one.
    const unsigned short diameters[6] = {1021, 1022, 1023, 1024, 1025, 1097};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(store->WheelDiameters[i], diameters[i]);
    EXPECT_FLOAT_EQ(store->StoredActualSpeedVal, 1.25f);
    EXPECT_EQ(store->InchingSpeedTenths, 13) << "12.5 tenths round away from zero";
    EXPECT_EQ(store->FaultCode, 200) << "nothing decoded before the first tick";

    store->RunCFile();
    store->CurrentScreen = 14;
    store->EnteredLocoNumber = 4321;
    std::vector<unsigned char> keys;
    int updates = 0;
    store->KeySignal.connect([&](unsigned char k) { keys.push_back(k); });
    store->DataUpdatedSignal.connect([&] { ++updates; });

    Glib::RefPtr<Glib::MainLoop> loop = Glib::MainLoop::create();
    Glib::signal_timeout().connect_once([&] { EXPECT_TRUE(keypad.Press('5')); }, 500);
    // Two seconds of ticks (longer where the programs run slower).
    Glib::signal_timeout().connect_once([&] { loop->quit(); }, testsupport::Scaled(2000));
    loop->run();

    EXPECT_GE(updates, 10);
    ASSERT_EQ(keys.size(), 1u) << "one byte on the line, one key";
    EXPECT_EQ(keys[0], '5');
    EXPECT_EQ(store->FaultCode, 12000);
    EXPECT_EQ(store->RemoteFaultCode, 15000);
    EXPECT_EQ(store->FaultSource, 10);
    EXPECT_EQ(dev.PortWord(301, 8), 4321) << "the loco number reached the bus";
    // Nothing needed rewriting: the files keep their inodes' content.
    EXPECT_EQ(dir.ReadFile("ActualSpeedVal.txt"), "ActualSpeedVal=1.250000");
}

}  // namespace

// The store is made once per process: the case runs in a process of its own.
TEST(StoreRun, BusKeypadAndPort301OnMainLoop)
{
    testsupport::ExpectPassesInNewProcess(&RunOnTheMainLoop);
}
