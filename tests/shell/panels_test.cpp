// The panels put on the main layout follow the screen they belong to: the
// subsystem status grid lies on the layout only while screen 1 is shown, the
// diagnostics table only from f3 until the next screen switch. Key paths
// through a real main layout: the text panel's jumps from screen 1, f3 over
// the settings and energy screens, each left by left, right and Home, with
// what lies on the layout after each.
#include "LayoutFixture.h"

#include <algorithm>
#include <string>
#include <vector>

#include "KeyCodes.h"

namespace shelltest {
namespace {

// What the driver sees: the screen chosen, and whether the table lies over it.
struct Seen {
    unsigned short screen;
    bool table;
};

struct Situation {
    const char* name;
    std::vector<unsigned char> keys;  // from the main screen
    Seen reached;
    Seen byLeft, byRight;             // after left or right there (Home: the main screen)
};

std::vector<unsigned char> Steps(unsigned char key, int times, std::vector<unsigned char> then = {})
{
    std::vector<unsigned char> keys(times, key);
    keys.insert(keys.end(), then.begin(), then.end());
    return keys;
}

// The text panel's menu: "3. Process information", then its first row
// (energy) or its third (inching).
const std::vector<unsigned char> kToEnergy = {BusKeyRight, BusKeyMenu, BusKeyDown,
                                              BusKeyDown,  BusKeyEnter, BusKeyEnter};
const std::vector<unsigned char> kToInching = {BusKeyRight, BusKeyMenu, BusKeyDown, BusKeyDown,
                                               BusKeyEnter, BusKeyDown, BusKeyDown, BusKeyEnter};

const Situation kSituations[] = {
    {"jump_from_1_to_9", kToEnergy, {9, false}, {8, false}, {10, false}},
    {"jump_from_1_to_13", kToInching, {13, false}, {12, false}, {14, false}},
    // Left and right do nothing while the table is open.
    {"f3_over_1", Steps(BusKeyRight, 1, {BusKeyF3}), {1, true}, {1, true}, {1, true}},
    {"f3_over_9", Steps(BusKeyRight, 9, {BusKeyF3}), {9, true}, {9, true}, {9, true}},
    {"f3_over_13", Steps(BusKeyLeft, 5, {BusKeyF3}), {13, true}, {13, true}, {13, true}},
    {"f3_over_14", Steps(BusKeyLeft, 4, {BusKeyF3}), {14, true}, {14, true}, {14, true}},
    {"f3_over_15", Steps(BusKeyLeft, 3, {BusKeyF3}), {15, true}, {15, true}, {15, true}},
    {"f3_over_16", Steps(BusKeyLeft, 2, {BusKeyF3}), {16, true}, {16, true}, {16, true}},
};

struct PanelPath {
    std::string name;
    std::vector<unsigned char> keys;
    Seen reached;
    unsigned char leave;
    Seen after;
};

std::vector<PanelPath> Paths()
{
    std::vector<PanelPath> paths;
    for (const Situation& s : kSituations) {
        paths.push_back({std::string(s.name) + "_then_left", s.keys, s.reached, BusKeyLeft, s.byLeft});
        paths.push_back({std::string(s.name) + "_then_right", s.keys, s.reached, BusKeyRight, s.byRight});
        paths.push_back({std::string(s.name) + "_then_home", s.keys, s.reached, BusKeyHome, {0, false}});
    }
    return paths;
}

void PrintTo(const PanelPath& c, std::ostream* out) { *out << c.name; }

class PanelsFollowTheScreen : public LayoutTest, public ::testing::WithParamInterface<PanelPath> {
protected:
    void ExpectOnLayout(const Seen& seen)
    {
        BasicLayout& l = layout();
        const ScreenEntry& entry = kScreenTable[seen.screen];
        EXPECT_EQ(seen.screen, l.m_TargetScreen);
        EXPECT_EQ(seen.screen, l.m_ShownScreen);
        EXPECT_EQ(seen.screen == 1 ? "5,64" : "-", PlaceOf(l, l.m_SubsystemStatus)) << "subsystem grid";
        EXPECT_EQ(seen.screen == 1 ? "-" : "12,345", PlaceOf(l, l.m_MiniStatusBox)) << "mini status box";
        EXPECT_EQ(seen.table ? "5,64" : "-", PlaceOf(l, l.m_DiagnosticScreen)) << "diagnostics table";
        EXPECT_EQ(seen.table ? 1 : 0, l.m_DiagnosticShown);
        const std::vector<Gtk::Widget*> children = l.get_children();
        EXPECT_EQ(1, std::count(children.begin(), children.end(), seen.screen == 1
                                                                      ? static_cast<Gtk::Widget*>(&l.m_SubsystemStatus)
                                                                      : &l.m_MiniStatusBox));
        if (seen.table) {
            EXPECT_EQ(&l.m_DiagnosticScreen, children.back()) << "the table lies on top";
        }
        if (entry.page >= 0) {
            EXPECT_EQ(entry.page, l.m_ScreenBook.get_current_page());
        }
        EXPECT_EQ(seen.table ? "Diagnostics Screen" : entry.title, l.m_TitleBar.TitleLabel.get_text());
    }
};

TEST_P(PanelsFollowTheScreen, OnTheWayInAndOut)
{
    const PanelPath& p = GetParam();
    for (unsigned char key : p.keys)
        display().Press(key);
    {
        SCOPED_TRACE("reached");
        ExpectOnLayout(p.reached);
    }
    display().Press(p.leave);
    SCOPED_TRACE("left");
    ExpectOnLayout(p.after);
}

INSTANTIATE_TEST_SUITE_P(Paths, PanelsFollowTheScreen, ::testing::ValuesIn(Paths()),
                         [](const ::testing::TestParamInfo<PanelPath>& info) { return info.param.name; });

}  // namespace
}  // namespace shelltest
