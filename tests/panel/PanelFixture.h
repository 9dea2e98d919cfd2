// A private working directory, a store with its start values (no bus, no
// keypad line) as the process's store, and a pinned clock and time zone, so
// that log rows compare byte for byte.
#ifndef CABDISPLAY_TESTS_PANEL_PANELFIXTURE_H
#define CABDISPLAY_TESTS_PANEL_PANELFIXTURE_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/stat.h>

#include "FaultLog.h"
#include "ReadMVBData.h"
#include "TestSupport.h"

namespace paneltest {

// 2024-05-06 14:03:59 UTC
const std::time_t kFaultTime = 1715004239;
inline std::time_t FixedClock() { return kFaultTime; }

inline bool Exists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("TZ", "UTC0", 1);
        ::tzset();
        faultlog::Clock = &FixedClock;
        store = new ReadMVBData(ReadMVBData::StartValuesOnly{});
        ReadMVBData::instance = store;
    }
    void TearDown() override
    {
        ReadMVBData::instance = nullptr;
        delete store;
    }

    testsupport::TempWorkDir dir;
    ReadMVBData* store = nullptr;
};

// The same with the toolkit up before any widget member of a test is built.
class WidgetFixture : public StoreFixture {
protected:
    WidgetFixture() { testsupport::InitToolkit(); }
};

}  // namespace paneltest

#endif
