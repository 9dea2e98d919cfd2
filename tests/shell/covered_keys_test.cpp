// Keys pressed while the diagnostics table or a fault pop-up covers a
// settings screen reach none of its settings: the set speed and inching
// speed, the trip reset, the loco number, the motor isolation and the wheel
// diameters stay as they were, in the store and on port 301, whatever keypad
// and keyboard keys the driver presses over them.
#include "SettingsBus.h"

#include <string>
#include <vector>

#include "KeyMap.h"
#include "PortBuffers.h"

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

// Every setting a key could change, as one list of numbers with names.
struct Settings {
    std::vector<std::pair<std::string, double>> values;

    explicit Settings(BasicLayout& l, const ReadMVBData& s)
    {
        Add("set speed", s.StoredActualSpeedVal);
        Add("inching tenths", s.InchingSpeedTenths);
        Add("trip reset", s.TripResetRequest);
        Add("loco number", s.EnteredLocoNumber);
        Add("loco number edit", l.m_LocoNumberEditState);
        Add("isolation cursor", s.MotorIsolationCursor);
        Add("wheel send flag", s.WheelDiameterSendFlag);
        Add("wheel editing", s.WheelDiameterEditing);
        for (int i = 0; i < 6; ++i) {
            Add("isolation " + std::to_string(i), s.MotorIsolationFlags[i]);
            Add("wheel " + std::to_string(i), s.WheelDiameters[i]);
            Add("wheel row " + std::to_string(i), l.m_WheelDiameter.m_Values[i]);
        }
        // Port 301: word 0 without the acknowledge bit (Home's own on the
        // pop-up), then the inching, wheel, loco-number and trip words.
        Add("port 301 word 0", DDU_301[0] & ~(1u << 7));
        for (int word : {1, 2, 3, 4, 5, 6, 7, 8, 10})
            Add("port 301 word " + std::to_string(word), DDU_301[word]);
    }
    void Add(const std::string& name, double value) { values.emplace_back(name, value); }
};

void PrintTo(const CoveredCase& c, std::ostream* out) { *out << c.name; }

class CoveredKeys : public SettingsBus, public ::testing::WithParamInterface<CoveredCase> {};

TEST_P(CoveredKeys, ReachNoSettingUnderTheCover)
{
    const CoveredCase& c = GetParam();
    Run(c.screen.script);
    if (c.screen.unlock)
        Unlock();
    Run(c.cover.put);
    const Settings before(layout(), store());
    Run("U U U E D E C M E U E D D E");
    for (unsigned keyval : {KeyboardEnter, KeyboardUp, KeyboardDelete, KeyboardMenu, KeyboardEnter})
        KeyboardKey(keyval);
    Run("T T");
    const Settings after(layout(), store());
    for (std::size_t i = 0; i < before.values.size(); ++i)
        EXPECT_EQ(before.values[i].second, after.values[i].second) << before.values[i].first;
    Run(c.cover.remove);
    EXPECT_FALSE(failed_);
}

INSTANTIATE_TEST_SUITE_P(Screens, CoveredKeys, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<CoveredCase>& info) { return info.param.name; });

}  // namespace
}  // namespace shelltest
