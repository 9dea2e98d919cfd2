// The fault pop-up: label, look-up, rows, log row, count and the store texts;
// in a shown window, look-up tables with texts of any length and encoding.
#include <gtest/gtest.h>

#include <gtkmm/fixed.h>
#include <gtkmm/window.h>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "CompSupport.h"
#include "PanelFixture.h"
#include "UsbPopup.h"
#include "WarningPopup.h"

namespace {

const char* const kTable =
    "\"F0101P1\",\"SS01 : MAIN_POWER\",\"Main breaker tripped\",\"Check the relay\"\n"
    "\"F0101P1\",\"SS02 : SECOND\",\"second line\",\"never used\"\n"
    "\"F0202P2\",\"SS12 : X\",\"Msg\",\"Long\"\n"
    "\"F9999P9\",\"later F0303P3\",\"x\",\"y\"\n"
    "\"F4560P3\",\"no number here\",\"Master detected\",\"info\"\n";

// "n" " F0101P1" ... with the fixed event time.
std::string Row(int counter, const std::string& label, const std::string& priority, const std::string& ss,
                const std::string& message, int count)
{
    return "\"" + std::to_string(counter) + "\" \" " + label + "\" \" " + priority + "\" \" " + ss +
           "\" \" 2024-05-06  14:03:59\" \" " + message + "\" \" " + std::to_string(count) + "\"\n";
}

class WarningPopupTest : public paneltest::WidgetFixture {
protected:
    void SetUp() override
    {
        WidgetFixture::SetUp();
        dir.WriteFile("LookUpError.csv", kTable);
    }
    std::string Log() const { return paneltest::Exists("DiagnosticsData.csv") ? dir.ReadFile("DiagnosticsData.csv") : ""; }
    void Fault(unsigned short code) { popup.UpdateFaultMessage1(code, "Testing  master Fault", "This is Direct Input"); }
    std::string Rows() const
    {
        return popup.CodeRowLabel.get_text() + "|" + popup.SubsystemRowLabel.get_text() + "|" +
               popup.MessageRowLabel.get_text() + "|" + popup.DetailRowLabel.get_text();
    }

    WarningPopup popup;
};

TEST_F(WarningPopupTest, StartsWithBlankRows)
{
    EXPECT_EQ(Rows(), " | | | ");
    EXPECT_EQ(popup.LogLineCounter, 0);
}

TEST_F(WarningPopupTest, KnownFaultShownLoggedAndStored)
{
    store->FaultSource = 10;
    Fault(10101);
    EXPECT_EQ(Rows(), "F0101P1 Master|SS01 : MAIN_POWER|Main breaker tripped|Check the relay");
    EXPECT_EQ(Log(), Row(1, "F0101P1", "1", "SS 01 ", "Main breaker tripped", 1));
    EXPECT_EQ(store->CurrentFaultSubsystem, "SS01 : MAIN_POWER");
    EXPECT_EQ(store->CurrentFaultMessage, "Main breaker tripped");
    EXPECT_EQ(popup.PriorityText, "1");
    EXPECT_STREQ(popup.EventTimeText, "2024-05-06  14:03:59");

    Fault(20202);
    EXPECT_EQ(Log(), Row(1, "F0101P1", "1", "SS 01 ", "Main breaker tripped", 1) +
                         Row(2, "F0202P2", "2", "SS 12 ", "Msg", 1));
}

TEST_F(WarningPopupTest, SourceWord)
{
    const struct { unsigned short source; const char* row; } cases[] = {
        {10, "F0202P2 Master"}, {40, "F0202P2 Master and Slave"}, {20, "F0202P2 Slave"}, {0, "F0202P2 Slave"}};
    for (const auto& c : cases) {
        store->FaultSource = c.source;
        Fault(20202);
        EXPECT_EQ(popup.CodeRowLabel.get_text(), c.row);
    }
}

TEST_F(WarningPopupTest, UnknownFaultClearsRowsAndLogsNothing)
{
    Fault(10101);
    store->CurrentFaultMessage = "kept";
    const std::string before = Log();
    Fault(10303);   // F0303P1 is only inside another line
    EXPECT_EQ(Rows(), "F0303P1| | | ");
    EXPECT_EQ(Log(), before);
    EXPECT_EQ(store->CurrentFaultMessage, "kept");
    EXPECT_EQ(popup.LogLineCounter, 1);
}

TEST_F(WarningPopupTest, MissingTableShowsOnlyTheLabel)
{
    ::remove("LookUpError.csv");
    Fault(10101);
    EXPECT_EQ(Rows(), "F0101P1| | | ");
    EXPECT_FALSE(paneltest::Exists("DiagnosticsData.csv"));
    EXPECT_EQ(store->CurrentFaultSubsystem, "");
}

TEST_F(WarningPopupTest, SubsystemTextWithoutNumber)
{
    Fault(34560);
    EXPECT_EQ(Log(), Row(1, "F4560P3", "3", "SS ", "Master detected", 1));
}

TEST_F(WarningPopupTest, LogThatCannotBeOpenedStillSetsTheStore)
{
    ASSERT_EQ(::mkdir("DiagnosticsData.csv", 0755), 0);
    testing::internal::CaptureStdout();
    Fault(10101);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("ERROR IN OPENING FILE\n"), std::string::npos);
    EXPECT_EQ(store->CurrentFaultMessage, "Main breaker tripped");
    EXPECT_EQ(store->CurrentFaultSubsystem, "SS01 : MAIN_POWER");
    EXPECT_EQ(popup.LogLineCounter, 0);
}

struct CountCase {
    const char* name;
    std::string log;
    int next;
};

class CountTest : public WarningPopupTest, public ::testing::WithParamInterface<CountCase> {};

TEST_P(CountTest, NextOccurrence)
{
    if (!GetParam().log.empty()) dir.WriteFile("DiagnosticsData.csv", GetParam().log);
    Fault(10101);
    const std::string written = Row(1, "F0101P1", "1", "SS 01 ", "Main breaker tripped", GetParam().next);
    const std::string log = Log();
    ASSERT_GE(log.size(), written.size());
    EXPECT_EQ(log.substr(log.size() - written.size()), written);
    const std::string before = log.substr(0, log.size() - written.size());
    EXPECT_TRUE(before.empty() || before.back() == '\n') << "the new row must start a line of its own";
}

INSTANTIATE_TEST_SUITE_P(Table, CountTest, ::testing::Values(
    CountCase{"NoLog", "", 1},
    CountCase{"LabelAbsent", Row(1, "F0202P2", "2", "SS 12 ", "Msg", 7), 1},
    CountCase{"One", Row(1, "F0101P1", "1", "SS 01 ", "M", 1), 2},
    CountCase{"LastLineWins", Row(1, "F0101P1", "1", "SS 01 ", "M", 7) + Row(2, "F0101P1", "1", "SS 01 ", "M", 3), 4},
    CountCase{"At199", Row(1, "F0101P1", "1", "SS 01 ", "M", 199), 200},
    CountCase{"At200Wraps", Row(1, "F0101P1", "1", "SS 01 ", "M", 200), 1},
    CountCase{"Oversized", "\"1\" \" F0101P1\" \" 1\" \" SS 01 \" \" t\" \" M\" \" 99999999999999999999\"\n", 1},
    CountCase{"SubstringAnywhere", Row(1, "F0202P2", "2", "SS 12 ", "after F0101P1", 9), 10},
    CountCase{"TornLastLine", Row(1, "F0101P1", "1", "SS 01 ", "M", 5) + "\"2\" \" F0101P1\" \" 1\" \" SS 01 \" \" 2024-05-06  14:03:59\" \" M\" \" 6", 7}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------- any table in a shown window

std::string Repeat(const std::string& words, std::size_t length)
{
    std::string text;
    while (text.size() < length) text += words;
    return text.substr(0, length);
}

struct TableCase {
    const char* name;
    std::string table;
    std::string subsystem, message, detail;   // the fields the table gives F0101P1
    std::string shownMessageStart;            // what row 3 starts with
};

std::string Line(const std::string& subsystem, const std::string& message, const std::string& detail)
{
    return "\"F0101P1\",\"" + subsystem + "\",\"" + message + "\",\"" + detail + "\"\n";
}

TableCase Case(const char* name, const std::string& subsystem, const std::string& message, const std::string& detail)
{
    return {name, Line(subsystem, message, detail), subsystem, message, detail,
            compsupport::ValidUtf8(message).substr(0, 40)};
}

const std::string kWords = "Main circuit breaker opened by the protection relay of the transformer ";
const std::string kDetailWords = "Check the oil level and the Buchholz relay before closing the breaker again. ";

// A pop-up where the main layout puts it, in a shown 800 x 600 window.
class ShownPopup : public paneltest::WidgetFixture {
protected:
    void Show(Gtk::Fixed& popup)
    {
        window.set_default_size(800, 600);
        window.add(area);
        area.put(popup, 3, 3);
        window.show_all();
        testsupport::DrainEvents();
    }
    // The window, its contents' request and each row inside its field.
    template <typename Popup>
    void ExpectInside(Popup& popup)
    {
        testsupport::DrainEvents();
        int width = 0, height = 0;
        window.get_window()->get_size(width, height);
        EXPECT_EQ(width, 800);
        EXPECT_EQ(height, 600);
        const Gtk::Requisition wanted = window.size_request();
        EXPECT_LE(wanted.width, 800);
        EXPECT_LE(wanted.height, 600);
        for (Gtk::Label* row : {&popup.CodeRowLabel, &popup.SubsystemRowLabel, &popup.MessageRowLabel})
            EXPECT_LE(row->size_request().width, 700);
        EXPECT_LE(popup.DetailRowLabel.size_request().height, 100);
    }

    Gtk::Window window;
    Gtk::Fixed area;
};

class PopupWindowTest : public ShownPopup, public ::testing::WithParamInterface<TableCase> {
protected:
    void SetUp() override
    {
        ShownPopup::SetUp();
        Show(popup);
    }
    WarningPopup popup;
};

TEST_P(PopupWindowTest, RowsStayInTheirFieldAndTheLogKeepsTheBytes)
{
    const TableCase& c = GetParam();
    dir.WriteFile("LookUpError.csv", c.table);
    paneltest::ToolkitComplaints complaints;
    popup.UpdateFaultMessage1(10101, "", "");
    ExpectInside(popup);
    EXPECT_EQ(complaints.lines(), std::vector<std::string>{});

    EXPECT_EQ(popup.CodeRowLabel.get_text(), "F0101P1 Slave");
    EXPECT_TRUE(paneltest::ShowsStartOf(popup.SubsystemRowLabel.get_text(), c.subsystem));
    EXPECT_TRUE(paneltest::ShowsStartOf(popup.MessageRowLabel.get_text(), c.message));
    EXPECT_TRUE(paneltest::ShowsStartOf(popup.DetailRowLabel.get_text(), c.detail));
    EXPECT_EQ(std::string(popup.MessageRowLabel.get_text()).substr(0, c.shownMessageStart.size()),
              c.shownMessageStart);
    // The log row and the store carry the table's bytes, whole.
    EXPECT_EQ(store->CurrentFaultMessage, c.message);
    EXPECT_EQ(store->CurrentFaultSubsystem, c.subsystem);
    EXPECT_NE(dir.ReadFile("DiagnosticsData.csv").find("\" \" " + c.message + "\" \" 1\"\n"), std::string::npos);

    // An unknown fault after it clears the rows again.
    popup.UpdateFaultMessage1(10202, "", "");
    ExpectInside(popup);
}

INSTANTIATE_TEST_SUITE_P(Table, PopupWindowTest, ::testing::Values(
    Case("EmptyTexts", "SS01 : MAIN_POWER", "", ""),
    Case("Message120", "SS01 : MAIN_POWER", Repeat(kWords, 120), "Check the relay"),
    Case("Message5000", "SS01 : MAIN_POWER", Repeat(kWords, 5000), "Check the relay"),
    Case("Message100000", "SS01 : MAIN_POWER", Repeat(kWords, 100000), "Check the relay"),
    Case("Detail20000", "SS01 : MAIN_POWER", "Transformer protection", Repeat(kDetailWords, 20000)),
    Case("DetailOneWord20000", "SS01 : MAIN_POWER", "Transformer protection", std::string(20000, 'W')),
    Case("Subsystem5000", "SS01 : " + Repeat("MAIN_POWER ", 5000), "Transformer protection", "Check"),
    Case("Latin1", "SS01 : HAUPTSCHALTER", "Bremsdruck zu niedrig \xE4\xF6\xFC", "Pr\xFC" "fen"),
    TableCase{"CarriageReturnEndsTheRow", Line("SS01 : MAIN_POWER", "first part\rsecond part", "detail"),
              "SS01 : MAIN_POWER", "first part\rsecond part", "detail", "first part\xE2\x80\xA6"},
    TableCase{"ByteOrderMark", "\xEF\xBB\xBF" + Line("SS01 : MAIN_POWER", "Main breaker tripped", "Check"),
              "SS01 : MAIN_POWER", "Main breaker tripped", "Check", "Main breaker tripped"},
    TableCase{"CrLfLines", "\"F0101P1\",\"SS01 : MAIN_POWER\",\"Main breaker tripped\",\"Check\"\r\n",
              "SS01 : MAIN_POWER", "Main breaker tripped", "Check", "Main breaker tripped"}),
    [](const auto& info) { return std::string(info.param.name); });

// The same rows on the USB pop-up.
TEST_F(ShownPopup, UsbPopupRowsStayInTheirField)
{
    UsbPopup usb;
    Show(usb);
    paneltest::ToolkitComplaints complaints;
    usb.UpdateMessage(Repeat(kWords, 5000) + "\xFF", Repeat(kDetailWords, 20000));
    ExpectInside(usb);
    EXPECT_EQ(complaints.lines(), std::vector<std::string>{});
    EXPECT_TRUE(paneltest::ShowsStartOf(usb.MessageRowLabel.get_text(), Repeat(kWords, 5000)));
    EXPECT_TRUE(paneltest::ShowsStartOf(usb.DetailRowLabel.get_text(), Repeat(kDetailWords, 20000)));
    EXPECT_EQ(usb.SubsystemRowLabel.get_text(), "TEST CATEGORY");
}

}  // namespace
