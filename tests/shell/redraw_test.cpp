// The main screen redrawing what changed: after every refresh the screen
// shows what a whole redraw would draw, a moved bar indicator or needle draws
// only near its old and new place, and a status picture of the same size
// draws only its cell and lays nothing out.
#include "CompSupport.h"
#include "LayoutFixture.h"
#include "RedrawProbe.h"

#include <ctime>
#include <map>
#include <utility>

#include "PortsByNumber.h"

namespace shelltest {
namespace {

constexpr unsigned short B(int k) { return static_cast<unsigned short>(1u << k); }

struct Word {
    int port, word;
    int value;
};

// What one refresh changes, where it may draw and how much.
struct Step {
    const char* name;
    std::vector<Word> words;     // words set on top of the earlier steps'
    GdkRectangle area;           // where it draws
    long mostPixels;             // drawn in that area at most (0: not checked)
    long elsewhere;              // drawn outside it at most (the clock left out)
    bool laidOut;                // whether the status grid may be laid out again
};

const GdkRectangle kAmpBar = {5, 64, 96, 270};
const GdkRectangle kVoltBar = {103, 64, 96, 270};
const GdkRectangle kGauge = {203, 64, 384, 270};
const GdkRectangle kMiniStatus = {12, 345, 280, 205};
const GdkRectangle kClock = {316, 40, 168, 12};  // the title bar clock runs on its own
const GdkRectangle kNowhere = {0, 0, 0, 0};
// Two places of the 16 x 17 indicator and the value under the scale.
const long kIndicatorAndValue = 2 * 16 * 17 + 2 * 60 * 20;
// The speed also turns the title bar's speed icon and writes its number.
const long kTitleBarSpeed = 40 * 42 + 45 * 20;

// Two sets of values in which every value the main screen shows differs.
std::vector<Word> Everything(bool odd)
{
    return {{1020, 3, static_cast<unsigned short>(odd ? 900 : 300)}, {1020, 10, odd ? 4700 : 4300},
            {1020, 11, odd ? 0xFC18 : 1000}, {1020, 12, odd ? 2500 : 1000}, {1020, 13, odd ? 2600 : 2400},
            {1020, 9, odd ? 0xF830 : 1500}, {1035, 0, odd ? B(9) | B(10) | B(3) : 0},
            {1035, 1, odd ? 0x3FFF & 0xC0FF : 0}, {1035, 2, odd ? 0x1FFF : 0}, {1035, 4, odd ? 0xC007 : 0},
            {1040, 4, odd ? 31025 : 31024}, {1040, 6, odd ? 320 : 500}, {1105, 0, odd ? B(13) | B(11) : B(12)},
            {1215, 0, odd ? B(11) : B(10)}, {1216, 11, odd ? 2 : 0}, {1216, 7, odd ? 16 : 0},
            {1610, 1, odd ? 4 : 0}, {1605, 0, odd ? B(6) : 0}, {1695, 0, odd ? B(10) : 0},
            {1710, 0, odd ? B(10) : 0}, {1047, 5, odd ? 32 : 0}, {101, 14, odd ? B(9) : 0}};
}

const Step kSteps[] = {
    {"Start", {{1010, 3, B(7)}}, kNowhere, 0, 0, true},
    {"Current", {{1020, 12, 1000}}, kAmpBar, kIndicatorAndValue, 0, true},
    {"CurrentAgain", {{1020, 12, 2500}}, kAmpBar, kIndicatorAndValue, 0, true},
    {"Voltage", {{1020, 13, 2400}}, kVoltBar, kIndicatorAndValue, 0, true},
    // The first turn on screen draws the whole speed dial; later ones only
    // near the needle.
    {"SpeedFirstTurn", {{1020, 3, 300}}, kGauge, 270 * 260, kTitleBarSpeed, true},
    {"Speed", {{1020, 3, 320}}, kGauge, 270 * 260 / 6, kTitleBarSpeed, true},
    {"SpeedAgain", {{1020, 3, 900}}, kGauge, 270 * 260 / 4, kTitleBarSpeed, true},
    {"OneStatusCell", {{1035, 1, B(14)}}, kMiniStatus, 55 * 30, 0, false},
    {"OneStatusCellBack", {{1035, 1, 0}}, kMiniStatus, 55 * 30, 0, false},
    // Many cells at once: drawn in one piece, still nothing laid out.
    {"ManyStatusCells", {{1035, 1, 0x3FFF & 0xC0FF}}, kMiniStatus, 280 * 205, 0, false},
    {"ManyStatusCellsBack", {{1035, 1, 0}}, kMiniStatus, 280 * 205, 0, false},
    {"EverythingEven", Everything(false), kNowhere, 0, 0, true},
    {"EverythingOdd", Everything(true), kNowhere, 0, 0, true},
    {"EverythingEvenAgain", Everything(false), kNowhere, 0, 0, true},
};

// The picture cache's clock, three seconds ahead: to it, every file was
// written more than the two seconds ago that settle it.
class MainScreenRedraw : public LayoutTest {
protected:
    void SetUp() override
    {
        LayoutTest::SetUp();
        // A key byte an earlier test left in the store is handled now, on
        // the real window, and the main screen is in front again.
        store().PrintKey();
        layout().home_Button();
        testsupport::DrainEvents();
        // The copied pictures count as settled, so the picture cache keeps
        // them: a needle picture it decodes again counts as a new picture,
        // which redraws the whole dial.
        compsupport::SetPictureCacheClock(&testsupport::ThreeSecondsAhead);
        display().window().remove();
        probe.reset(new testsupport::RedrawProbe(layout(), 800, 600));
    }
    void TearDown() override
    {
        compsupport::SetPictureCacheClock(nullptr);
        probe.reset();
        display().window().add(layout());
        display().window().show_all();
        layout().grab_focus();  // as the window's first show gave it
        testsupport::DrainEvents();
    }
    // The words of all steps so far on an otherwise silent bus, one decode
    // tick and its refresh.
    void Bus(const std::vector<Word>& changes)
    {
        for (const Word& w : changes)
            words[{w.port, w.word}] = w.value;
        decodetest::ZeroAllPorts();
        for (const auto& w : words) {
            const MvbPort* port = decodetest::FindPort(w.first.first);
            ASSERT_NE(nullptr, port) << w.first.first;
            port->buffer[w.first.second] = static_cast<unsigned short>(w.second);
        }
        store().PrintKey();
    }
    std::map<std::pair<int, int>, int> words;
    std::unique_ptr<testsupport::RedrawProbe> probe;
};

TEST_F(MainScreenRedraw, EachRefreshLeavesWhatAWholeRedrawDraws)
{
    for (const Step& step : kSteps) {
        SCOPED_TRACE(step.name);
        // The clock of the title bar may lay its own label out meanwhile;
        // what counts is whether the status grid was laid out again.
        int gridLayouts = 0;
        sigc::connection counting =
            layout().m_MiniStatusGrid.signal_size_allocate().connect([&gridLayouts](Gtk::Allocation&) { ++gridLayouts; });
        Bus(step.words);
        probe->Settle();
        if (step.mostPixels > 0) {
            EXPECT_GT(probe->DrawnPixelsIn(step.area), 0);
            EXPECT_LE(probe->DrawnPixelsIn(step.area), step.mostPixels) << "all drawn " << probe->DrawnPixels();
            EXPECT_LE(probe->DrawnPixels() - probe->DrawnPixelsIn(step.area) - probe->DrawnPixelsIn(kClock),
                      step.elsewhere);
        }
        counting.disconnect();
        if (!step.laidOut) {
            EXPECT_EQ(gridLayouts, 0);
        }
        EXPECT_EQ(probe->StaleArea(kClock), "");
    }
}

}  // namespace
}  // namespace shelltest
