// Start-up with neither settings file: two "File not found" lines, zero
// values, and the store runs on.
#include <gtest/gtest.h>

#include <string>

#include "PseudoKeypad.h"
#include "ReadMVBData.h"
#include "NewProcess.h"
#include "TestSupport.h"

namespace {

void StartWithoutSettingsFiles()
{
    testsupport::TempWorkDir dir;
    storetest::PseudoKeypad keypad;
    ASSERT_TRUE(keypad.ok());
    ::testing::internal::CaptureStdout();
    ReadMVBData* store = ReadMVBData::getInstance();
    ReadMVBData* again = ReadMVBData::getInstance();
    const std::string out = ::testing::internal::GetCapturedStdout();

    EXPECT_EQ(again, store);
    std::size_t lines = 0;
    for (std::size_t at = out.find("File not found\n"); at != std::string::npos;
         at = out.find("File not found\n", at + 1))
        ++lines;
    EXPECT_EQ(lines, 2u) << "read once, each file missing: " << out;
    for (unsigned short d : store->WheelDiameters) EXPECT_EQ(d, 0);
    EXPECT_EQ(store->StoredActualSpeedVal, 0.0f);
    EXPECT_EQ(store->InchingSpeedTenths, 0);
    EXPECT_EQ(store->FaultCode, 200);
    EXPECT_EQ(store->RemoteFaultCode, 100);
    EXPECT_TRUE(store->PrintKey());
}

}  // namespace

// The store is made once per process: the case runs in a process of its own.
TEST(StoreStartUp, MissingSettingsFiles)
{
    testsupport::ExpectPassesInNewProcess(&StartWithoutSettingsFiles);
}
