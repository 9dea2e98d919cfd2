// The screen switcher of a real main layout: every screen's title, page or
// panel and icon, the panels put on and taken off, and what a switch resets.
#include "LayoutFixture.h"

#include <algorithm>
#include <vector>

namespace shelltest {
namespace {

class Screens : public LayoutTest {
protected:
    int TimesOnLayout(Gtk::Widget& widget)
    {
        std::vector<Gtk::Widget*> children = layout().get_children();
        return static_cast<int>(std::count(children.begin(), children.end(), &widget));
    }
    bool ShowsIcon(const char* path)
    {
        return SameColour(ShownColour(layout().m_TitleBar.TitleIcon), MarkColour(path));
    }
};

TEST_F(Screens, EveryScreenShowsItsTitlePageAndIcon)
{
    BasicLayout& l = layout();
    for (short id = 0; id <= 18; ++id) {
        SCOPED_TRACE(id);
        const ScreenEntry& entry = kScreenTable[id];
        l.m_TitleBar.TitleIcon.clear();
        l.m_TargetScreen = static_cast<unsigned short>(id);  // as the keys set it
        l.ChangeScreen(id);
        testsupport::DrainEvents();
        EXPECT_EQ(id, l.m_ShownScreen);
        EXPECT_EQ(entry.title, l.m_TitleBar.TitleLabel.get_text());
        if (id == 1) {
            EXPECT_EQ("5,64", PlaceOf(l, l.m_SubsystemStatus));
        } else if (entry.page >= 0) {
            EXPECT_EQ(entry.page, l.m_ScreenBook.get_current_page());
            EXPECT_TRUE(l.m_ScreenBook.get_nth_page(entry.page)->is_visible());
        }
        if (entry.icon) {
            EXPECT_TRUE(ShowsIcon(entry.icon)) << entry.icon;
        } else {
            EXPECT_EQ(Gtk::IMAGE_EMPTY, l.m_TitleBar.TitleIcon.get_storage_type()) << "icon left as it was";
        }
    }
    l.m_TargetScreen = 0;
    EXPECT_EQ(18, l.m_ScreenBook.get_n_pages());
    EXPECT_EQ(&l.m_Password, l.m_ScreenBook.get_nth_page(17));
}

TEST_F(Screens, PagesHoldTheirScreensInIndexOrder)
{
    BasicLayout& l = layout();
    Gtk::Widget* const expected[] = {&l.m_MainPage,          &l.m_HighVoltageCircuit, &l.m_TractionConverter,
                                     &l.m_TractionConverter1, &l.m_AuxiliaryConverter, &l.m_TractionMotor,
                                     &l.m_AuxiliarySystem,   &l.m_BrakingSystem,      &l.m_EnergyMonitoring,
                                     &l.m_Temperatures,      &l.m_Pressures,          &l.m_Node,
                                     &l.m_InchingMode,       &l.m_LocoNumner,         &l.m_SixMotorIsolation,
                                     &l.m_WheelDiameter,     &l.m_SoftwareVer,        &l.m_Password};
    for (int page = 0; page < 18; ++page)
        EXPECT_EQ(expected[page], l.m_ScreenBook.get_nth_page(page)) << page;
}

TEST_F(Screens, SubsystemStatusIsAPanelInPlaceOfTheMiniGrid)
{
    BasicLayout& l = layout();
    l.ChangeScreen(1);
    EXPECT_EQ("5,64", PlaceOf(l, l.m_SubsystemStatus));
    EXPECT_EQ("-", PlaceOf(l, l.m_MiniStatusBox));
    EXPECT_EQ(1, l.m_SubsystemStatusShown);
    EXPECT_EQ(0, l.m_ScreenBook.get_current_page()) << "the page is left as it is";
    l.ChangeScreen(1);
    EXPECT_EQ(1, TimesOnLayout(l.m_SubsystemStatus)) << "put once";
    // Every other screen takes the panel off and puts the mini box back.
    for (short screen : {3, 2, 9, 13, 18, 0}) {
        l.ChangeScreen(1);
        l.ChangeScreen(screen);
        EXPECT_EQ("-", PlaceOf(l, l.m_SubsystemStatus)) << screen;
        EXPECT_EQ("12,345", PlaceOf(l, l.m_MiniStatusBox)) << screen;
        EXPECT_EQ(1, TimesOnLayout(l.m_MiniStatusBox)) << screen;
        EXPECT_EQ(0, l.m_SubsystemStatusShown) << screen;
    }
}

TEST_F(Screens, EverySwitchTakesTheDiagnosticsTableOffAndTheMainScreenKeepsTheIcon)
{
    BasicLayout& l = layout();
    l.ChangeScreen(2);
    l.f3_Button();
    EXPECT_TRUE(ShowsIcon("./Images/AuxiliarySystem.png"));
    l.ChangeScreen(5);
    EXPECT_EQ("-", PlaceOf(l, l.m_DiagnosticScreen)) << "not the main screen only";
    EXPECT_EQ(0, l.m_DiagnosticShown);
    EXPECT_EQ(0, l.m_DiagnosticMode);
    l.f3_Button();
    l.ChangeScreen(0);
    EXPECT_EQ("-", PlaceOf(l, l.m_DiagnosticScreen));
    EXPECT_EQ(0, l.m_ScreenBook.get_current_page());
    EXPECT_TRUE(ShowsIcon("./Images/AuxiliarySystem.png")) << "the icon f3 set stays";
}

TEST_F(Screens, IndicesOutsideTheScreensChangeNothing)
{
    BasicLayout& l = layout();
    l.ChangeScreen(4);
    l.m_LocoNumberEditState = 2;
    for (short id : {19, 20, -1, 300}) {
        l.ChangeScreen(id);
        EXPECT_EQ(4, l.m_ShownScreen);
        EXPECT_EQ(3, l.m_ScreenBook.get_current_page());
        EXPECT_EQ(2, l.m_LocoNumberEditState);
    }
}

TEST_F(Screens, PasswordScreenStartsLockedWithAnEmptyEntry)
{
    BasicLayout& l = layout();
    store().PasswordUnlocked = 1;
    l.m_Password.pressEnter(&l.m_PasswordEditState);
    l.ChangeScreen(18);
    EXPECT_EQ(0, store().PasswordUnlocked);
    EXPECT_EQ(1, l.m_PasswordEditState);
    EXPECT_EQ(0, l.m_Password.m_EntryDone);
    EXPECT_EQ(0, store().EnteredPassword);
}

TEST_F(Screens, EverySwitchEndsEditsAndResetsTheCaches)
{
    BasicLayout& l = layout();
    l.m_LocoNumberEditState = 3;
    l.m_PasswordEditState = 1;
    l.m_DiagnosticMode = DiagnosticTableOpen;
    l.m_LastVcbClosed = 0;
    l.m_LastPanto1Up = 1;
    l.m_LastPrimaryCurrent = 12;
    l.m_LastEarthFault[1] = 0;
    l.ChangeScreen(7);
    EXPECT_EQ(0, l.m_LocoNumberEditState);
    EXPECT_EQ(0, l.m_PasswordEditState);
    EXPECT_EQ(0, l.m_DiagnosticMode);
    EXPECT_EQ(3, l.m_LastVcbClosed);
    EXPECT_EQ(3, l.m_LastPanto1Up);
    EXPECT_EQ(3.0f, l.m_LastPrimaryCurrent);
    EXPECT_EQ(3, l.m_LastEarthFault[1]);
}

TEST_F(Screens, RefreshRunsTheShownScreensOwnWork)
{
    BasicLayout& l = layout();
    // Screen 15 refreshes the isolation screen but not the pressure grid.
    l.ChangeScreen(15);
    l.m_TargetScreen = 15;
    store().MotorIsolationCursor = 2;
    l.m_LastBpcsOn = 7;
    Tick();
    EXPECT_EQ(7, l.m_LastBpcsOn) << "no UpdateSSMiniNext on screen 15";
    l.ChangeScreen(0);
    l.m_TargetScreen = 0;
    Tick();
    EXPECT_EQ(0, l.m_LastBpcsOn);
}

}  // namespace
}  // namespace shelltest
