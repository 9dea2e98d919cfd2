// A private working directory, a store with its start values (no bus, no
// keypad line) as the process's store, and a pinned clock and time zone, so
// that log rows compare byte for byte; the toolkit's complaints and texts cut
// to their boxes, for the widget tests.
#ifndef CABDISPLAY_TESTS_PANEL_PANELFIXTURE_H
#define CABDISPLAY_TESTS_PANEL_PANELFIXTURE_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <glib.h>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "CompSupport.h"
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

// Counts the toolkit's and Pango's warnings and criticals while it lives.
class ToolkitComplaints {
public:
    ToolkitComplaints() { previous_ = g_log_set_default_handler(&ToolkitComplaints::Note, this); }
    ~ToolkitComplaints() { g_log_set_default_handler(previous_, nullptr); }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    static void Note(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer self)
    {
        if (level & (G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_ERROR))
            static_cast<ToolkitComplaints*>(self)->lines_.push_back(std::string(domain ? domain : "") + ": " + message);
        g_log_default_handler(domain, level, message, nullptr);
    }
    GLogFunc previous_ = nullptr;
    std::vector<std::string> lines_;
};

const char kEllipsis[] = "\xE2\x80\xA6";

// A label shows the file's text (as valid UTF-8), or a start of it ended by
// an ellipsis.
inline ::testing::AssertionResult ShowsStartOf(const std::string& shown, const std::string& text)
{
    const std::string valid = compsupport::ValidUtf8(text);
    if (shown == valid) return ::testing::AssertionSuccess();
    const bool cut = shown.size() >= 3 && shown.compare(shown.size() - 3, 3, kEllipsis) == 0;
    const std::string start = cut ? shown.substr(0, shown.size() - 3) : shown;
    if (cut && valid.compare(0, start.size(), start) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "shows \"" << shown.substr(0, 80) << "\" for \"" << valid.substr(0, 80)
                                         << "\"";
}

}  // namespace paneltest

#endif
