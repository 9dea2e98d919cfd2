// Keys pressed while the diagnostics table or a fault pop-up covers a
// settings screen reach none of its settings: the set speed and inching
// speed, the trip reset, the loco number, the motor isolation and the wheel
// diameters stay as they were, in the store and on port 301, whatever keypad
// and keyboard keys the driver presses over them.
#include "SettingsBus.h"

#include <string>
#include <vector>

#include "KeyMap.h"

namespace shelltest {
namespace {

struct Screen {
    const char* name;
    const char* script;  // from the main screen to the screen, ready for its keys
    bool unlock;         // through the password screen first
};

const Screen kScreens[] = {
    {"energy", "go:9 T", false},
    {"inching", "inching:1 go:13 U U E T", false},
    {"loco_number", "go:14 T", false},
    {"motor_isolation", "go:15", true},
    {"wheel_diameters", "go:16", true},
};

struct Cover {
    const char* name;
    const char* put;     // puts the cover up
    const char* remove;  // takes it off again
};

const Cover kCovers[] = {
    {"under_the_diagnostics_table", "T F3 T", "H T"},
    {"under_a_fault_popup", "fault:20000 T", "fault:0 T"},
};

struct CoveredCase {
    std::string name;
    Screen screen;
    Cover cover;
};

std::vector<CoveredCase> Cases()
{
    std::vector<CoveredCase> cases;
    for (const Screen& screen : kScreens)
        for (const Cover& cover : kCovers)
            cases.push_back({std::string(screen.name) + "_" + cover.name, screen, cover});
    return cases;
}

void PrintTo(const CoveredCase& c, std::ostream* out) { *out << c.name; }

class CoveredKeys : public SettingsBus, public ::testing::WithParamInterface<CoveredCase> {
protected:
    // The settings, and the edits and cursors of the screens under the cover.
    std::vector<std::pair<std::string, double>> Seen()
    {
        auto values = Settings();
        BasicLayout& l = layout();
        values.emplace_back("loco number edit", l.m_LocoNumberEditState);
        values.emplace_back("isolation cursor", store().MotorIsolationCursor);
        values.emplace_back("wheel editing", store().WheelDiameterEditing);
        for (int row = 0; row < WheelDiameter::kRows; ++row)
            values.emplace_back("wheel row " + std::to_string(row), l.m_WheelDiameter.m_Values[row]);
        return values;
    }
};

TEST_P(CoveredKeys, ReachNoSettingUnderTheCover)
{
    const CoveredCase& c = GetParam();
    Run(c.screen.script);
    if (c.screen.unlock)
        Unlock();
    Run(c.cover.put);
    const auto before = Seen();
    Run("U U U E D E C M E U E D D E");
    for (unsigned keyval : {KeyboardEnter, KeyboardUp, KeyboardDelete, KeyboardMenu, KeyboardEnter})
        KeyboardKey(keyval);
    Run("T T");
    const auto after = Seen();
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(before[i].second, after[i].second) << before[i].first;
    Run(c.cover.remove);
    EXPECT_FALSE(failed_);
}

INSTANTIATE_TEST_SUITE_P(Screens, CoveredKeys, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<CoveredCase>& info) { return info.param.name; });

}  // namespace
}  // namespace shelltest
