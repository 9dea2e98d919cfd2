// The fault pop-up control of the refresh tick, the keys while it is up, the
// internal fault reports, the text panel's menu keys and jumps, the
// diagnostics table on f3, the log export keys and the stick detection.
#include "LayoutFixture.h"

#include <algorithm>
#include <fstream>
#include <sys/stat.h>
#include <vector>

#include "InfoPanel.h"
#include "KeyCodes.h"
#include "MueDevice.h"
#include "PortsByNumber.h"

namespace shelltest {
namespace {

const char kLookUp[] =
    "\"F0000P2\",\"SS07 : BUR_2\",\"Auxiliary converter 2 out of service\",\"BUR 2 output over-current.\"\n"
    "\"F0101P1\",\"SS01 : MAIN_POWER\",\"Main circuit breaker tripped\",\"VCB opened under load.\"\n"
    "\"F9999P5\",\"SS99 : TEST\",\"Last fault\",\"Highest code.\"\n"
    "\"F4560P3\",\"SS30 : MCE\",\"Master detected\",\"Direct input.\"\n"
    "\"F4561P3\",\"SS30 : MCE\",\"Throttle not zero\",\"Direct input.\"\n";

class FaultPanel : public LayoutTest {
protected:
    void SetUp() override
    {
        LayoutTest::SetUp();
        std::ofstream(display().workDir() + "/LookUpError.csv") << kLookUp;
        std::remove((display().workDir() + "/DiagnosticsData.csv").c_str());
    }
    void TearDown() override
    {
        for (const auto& word : published_)
            mue_sim::InProcessDevice().SetSinkWord(word.first, word.second, 0);
    }
    // Fault code and other cab words published on the bus, then one poll and
    // one decode tick.
    void Fault(unsigned short code, std::vector<std::pair<int, int>> bits = {})
    {
        mue_sim::MueDevice& device = mue_sim::InProcessDevice();
        for (const auto& word : published_)
            device.SetSinkWord(word.first, word.second, 0);
        published_.clear();
        Publish(1804, 0, code);
        for (const auto& bit : bits)
            Publish(bit.first, bit.second / 16,
                    static_cast<unsigned short>(device.PortWord(bit.first, bit.second / 16) | 1u << (bit.second % 16)));
        store().FetchData();
        Tick();
    }
    void Publish(int port, int word, unsigned short value)
    {
        mue_sim::InProcessDevice().SetSinkWord(port, word, value);
        published_.push_back({port, word});
    }
    std::vector<std::pair<int, int>> published_;
    bool PopupUp() { return layout().m_WarningPopup.get_parent() == &layout(); }
    int LogRows()
    {
        std::ifstream log(display().workDir() + "/DiagnosticsData.csv");
        return static_cast<int>(std::count(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>(), '\n'));
    }
    int TimesOnLayout(Gtk::Widget& widget)
    {
        std::vector<Gtk::Widget*> children = layout().get_children();
        return static_cast<int>(std::count(children.begin(), children.end(), &widget));
    }
    InfoPanel& Panel() { return *InfoPanel::getInstance(); }
};

TEST_F(FaultPanel, FaultCodeRangesPutThePopupUp)
{
    struct Row {
        unsigned short code;
        bool popup;
        unsigned short keys;
    };
    const Row rows[] = {{10100, false, 1}, {10101, true, 0}, {0, false, 1}, {59999, true, 0}, {0, false, 1},
                        {60000, false, 1}};
    for (const Row& row : rows) {
        Fault(row.code);
        EXPECT_EQ(row.popup, PopupUp()) << row.code;
        EXPECT_EQ(row.keys, layout().m_KeysEnabled) << row.code;
        EXPECT_EQ(row.popup ? 19 : 0, layout().m_ShownScreen) << row.code;
    }
}

TEST_F(FaultPanel, OnsetLabelsThePopupAndWritesOneLogRow)
{
    Fault(10101);
    EXPECT_EQ("F0101P1", layout().m_WarningPopup.CodeText);
    EXPECT_EQ("3,3", PlaceOf(layout(), layout().m_WarningPopup));
    EXPECT_EQ(1, LogRows());
    EXPECT_EQ("Main circuit breaker tripped", store().CurrentFaultMessage);
}

TEST_F(FaultPanel, CodesAbove59999LeaveTheFaultAsItIs)
{
    Fault(20000);
    Fault(60000);
    EXPECT_TRUE(PopupUp());
    EXPECT_EQ(0, layout().m_KeysEnabled);
    Fault(20000);
    EXPECT_TRUE(PopupUp());
    EXPECT_EQ(1, LogRows()) << "no second onset";
    EXPECT_EQ(1, TimesOnLayout(layout().m_WarningPopup));
}

TEST_F(FaultPanel, ASecondOnsetAfterAClearWritesASecondRow)
{
    Fault(20000);
    store().FaultAcknowledge = 1;
    Fault(0);
    EXPECT_FALSE(PopupUp());
    EXPECT_EQ(0, store().FaultAcknowledge);
    Fault(20000);
    EXPECT_TRUE(PopupUp());
    EXPECT_EQ(2, LogRows());
    EXPECT_EQ(1, TimesOnLayout(layout().m_WarningPopup));
}

TEST_F(FaultPanel, WhileThePopupIsUpOnlyHomeReachesTheDisplay)
{
    Fault(20000);
    Press({BusKeyRight, BusKeyEnter, BusKeyMenu, BusKeyF3});
    EXPECT_EQ(0, layout().m_TargetScreen);
    EXPECT_EQ(0, Panel().m_MenuActive);
    EXPECT_EQ(0, layout().m_DiagnosticMode);
    EXPECT_EQ(0, store().FaultAcknowledge);
    Press({BusKeyHome});
    EXPECT_EQ(1, store().FaultAcknowledge);
    EXPECT_TRUE(PopupUp()) << "the pop-up stays until the code drops";
}

TEST_F(FaultPanel, AnyKeyboardKeyAcknowledges)
{
    Fault(20000);
    GdkEventKey event = {};
    event.type = GDK_KEY_PRESS;
    event.keyval = 0xFF53;  // Right
    layout().OnKeyPress(&event);
    EXPECT_EQ(1, store().FaultAcknowledge);
    EXPECT_EQ(0, layout().m_TargetScreen);
}

TEST_F(FaultPanel, HomeWithTheEnableBitRaisesTheAcknowledgeBitOnPort301)
{
    const std::pair<int, int> cab2Key{1010, 4 * 16 + 8};
    Fault(20000, {cab2Key});
    Press({BusKeyHome});
    EXPECT_EQ(1, store().FaultAcknowledgePulse);
    EXPECT_NE(0, DDU_301[0] & (1u << 7));
    store().FetchData();
    EXPECT_NE(0, mue_sim::InProcessDevice().PortWord(301, 0) & (1u << 7)) << "sent with the next poll";
}

TEST_F(FaultPanel, InternalFaultsAreReportedOncePerRun)
{
    const std::pair<int, int> cab1Key{1010, 3 * 16 + 7};
    Fault(0, {cab1Key});  // master loco
    EXPECT_EQ(1, LogRows());
    EXPECT_FALSE(PopupUp()) << "an internal report does not put the pop-up up";
    Fault(0);
    Fault(0, {cab1Key});
    EXPECT_EQ(1, LogRows());
    Fault(0, {{1010, 3 * 16 + 5}});  // throttle not zero
    EXPECT_EQ(2, LogRows());
    Fault(0, {{1010, 3 * 16 + 5}});
    EXPECT_EQ(2, LogRows());
}

TEST_F(FaultPanel, MenuOpensAndClosesThePanelMenu)
{
    Press({BusKeyMenu});
    EXPECT_EQ(1, Panel().m_MenuActive);
    EXPECT_EQ(0u, Panel().m_Section);
    store().SelfHoldMode = 1;
    Press({BusKeyMenu});
    EXPECT_EQ(0, Panel().m_MenuActive);
    EXPECT_EQ(0u, store().SelfHoldMode);
}

TEST_F(FaultPanel, PanelJumpsToInchingAndEnergy)
{
    struct Row {
        unsigned short ReadMVBData::*request;
        unsigned short screen;
    };
    const Row rows[] = {{&ReadMVBData::InchingMenuRequest, 13}, {&ReadMVBData::EnergyMenuRequest, 9}};
    for (const Row& row : rows) {
        display().Reset();
        Press({BusKeyMenu});
        store().*row.request = 1;
        Press({BusKeyEnter});
        EXPECT_EQ(row.screen, layout().m_TargetScreen);
        EXPECT_EQ(row.screen, store().CurrentScreen);
        EXPECT_EQ(0, store().*row.request);
        EXPECT_EQ(0, Panel().m_MenuActive);
    }
}

TEST_F(FaultPanel, MenuOnSettingsScreensOpensThePanelOnlyOutsideAnEdit)
{
    Press({BusKeyLeft, BusKeyLeft, BusKeyLeft, BusKeyMenu});  // 15
    EXPECT_EQ(0, Panel().m_MenuActive);
    Press({BusKeyRight, BusKeyMenu});  // 16
    EXPECT_EQ(0, Panel().m_MenuActive);
    display().Reset();
    Press({BusKeyLeft, BusKeyLeft, BusKeyLeft, BusKeyLeft, BusKeyMenu});  // 14: starts the edit
    EXPECT_EQ(0, Panel().m_MenuActive);
    EXPECT_EQ(1, layout().m_LocoNumberEditState);
    Press({BusKeyMenu});  // during the edit: the panel
    EXPECT_EQ(1, Panel().m_MenuActive);
    Press({BusKeyMenu});
}

TEST_F(FaultPanel, UpWithTheMenuOpenAlsoReachesTheScreenDownDoesNot)
{
    for (int i = 0; i < 13; ++i)
        Press({BusKeyRight});
    Press({BusKeyMenu});
    ASSERT_EQ(1, Panel().m_MenuActive);
    Press({BusKeyUp, BusKeyUp});
    EXPECT_EQ(0.6f, store().StoredActualSpeedVal);
    Press({BusKeyDown});
    EXPECT_EQ(0.6f, store().StoredActualSpeedVal) << "down would have gone to 0.5";
    Press({BusKeyCancel});
    EXPECT_EQ(0.0f, store().StoredActualSpeedVal) << "cancel serves the panel and the screen";
    EXPECT_EQ(0, Panel().m_CursorIndex);
    Press({BusKeyMenu});
}

TEST_F(FaultPanel, F3OpensTheDiagnosticsTableOnce)
{
    Press({BusKeyF3});
    EXPECT_EQ(10u, store().FunctionKeyMode);
    EXPECT_EQ(10, layout().m_DiagnosticMode);
    EXPECT_EQ(1, layout().m_DiagnosticShown);
    EXPECT_EQ("Diagnostics Screen", layout().m_TitleBar.TitleLabel.get_text());
    EXPECT_EQ(1, TimesOnLayout(layout().m_DiagnosticScreen));
    EXPECT_EQ("5,64", PlaceOf(layout(), layout().m_DiagnosticScreen));
    Press({BusKeyF3});
    EXPECT_EQ(1, TimesOnLayout(layout().m_DiagnosticScreen));
    Press({BusKeyHome});
    EXPECT_EQ(0, TimesOnLayout(layout().m_DiagnosticScreen));
    EXPECT_EQ(0, layout().m_DiagnosticShown);
    EXPECT_EQ(0, layout().m_DiagnosticMode);
}

TEST_F(FaultPanel, TheDiagnosticsPanelIsPutOnlyOnceAfterThePasswordDetour)
{
    // Left x3, f3, Enter (password detour), f3: the table was put twice.
    Press({BusKeyLeft, BusKeyLeft, BusKeyLeft, BusKeyF3, BusKeyEnter, BusKeyF3});
    EXPECT_EQ(1, TimesOnLayout(layout().m_DiagnosticScreen));
    Press({BusKeyHome});
    EXPECT_EQ(0, TimesOnLayout(layout().m_DiagnosticScreen));
}

TEST_F(FaultPanel, DiagnosticsTablePagesWithUpAndDown)
{
    std::ofstream log(display().workDir() + "/DiagnosticsData.csv");
    for (int i = 0; i < 50; ++i)
        log << "\"F0101P1\",\"SS01 : MAIN_POWER\",\"Main circuit breaker tripped\",\"" << i
            << "\",\"1\",\"Mon Jan  1 00:00:00 2024\",\"Local\"\n";
    log.close();
    Press({BusKeyF3});
    const int first = layout().m_DiagnosticScreen.Page;
    Press({BusKeyDown});
    EXPECT_EQ(first + 1, layout().m_DiagnosticScreen.Page);
    Press({BusKeyRight});  // dropped while the table is open
    EXPECT_EQ(0, layout().m_TargetScreen);
    Press({BusKeyUp});
    EXPECT_EQ(first, layout().m_DiagnosticScreen.Page);
    Press({BusKeyHome});
}

TEST_F(FaultPanel, F1StartsTheCopyToTheStick)
{
    const std::string media = display().workDir() + "/media";
    ::mkdir(media.c_str(), 0755);
    ::mkdir((media + "/STICK").c_str(), 0755);
    std::ofstream(display().workDir() + "/DiagnosticsData.csv") << "row\n";
    Press({BusKeyF1});
    EXPECT_EQ(105u, store().FunctionKeyMode);
    std::ifstream copied(media + "/STICK/DiagnosticsData.csv");
    EXPECT_TRUE(copied.good());
    EXPECT_EQ(2, store().UsbCopyStatus);
    std::remove((media + "/STICK/DiagnosticsData.csv").c_str());
    ::rmdir((media + "/STICK").c_str());
    ::rmdir(media.c_str());
}

TEST_F(FaultPanel, StickDetectionFollowsTheMediaListing)
{
    const std::string media = display().workDir() + "/media";
    ::rmdir(media.c_str());
    Tick();
    EXPECT_EQ(0, store().UsbCopyStatus) << "no media root: no stick";
    ::mkdir(media.c_str(), 0755);
    ::mkdir((media + "/AB").c_str(), 0755);
    Tick();
    EXPECT_EQ(0, store().UsbCopyStatus) << "two name characters";
    ::mkdir((media + "/STICK").c_str(), 0755);
    Tick();
    EXPECT_EQ(1, store().UsbCopyStatus);
    EXPECT_EQ(1, layout().m_TitleBar.LastUsbState);
    store().UsbCopyStatus = 3;
    ::rmdir((media + "/STICK").c_str());
    ::rmdir((media + "/AB").c_str());
    Tick();
    EXPECT_EQ(3, store().UsbCopyStatus) << "a running copy is left alone";
    store().UsbCopyStatus = 1;
    Tick();
    EXPECT_EQ(0, store().UsbCopyStatus);
    ::rmdir(media.c_str());
}

}  // namespace
}  // namespace shelltest
