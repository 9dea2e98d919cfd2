// The speed and line-voltage gauge: its layout, the needle angles and what the
// dials paint, the number texts, and its debug lines.
#include "CompCircularGauge.h"
#include "CompSupport.h"

#include "DialTestSupport.h"
#include "RedrawProbe.h"
#include "TestSupport.h"

#include <gdk/gdkx.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>

using dialtest::CaptureOutput;
using dialtest::FixedPlace;
using dialtest::Near;

namespace {

// While it lives, every picture counts as settled at once (the picture
// cache's clock runs ahead), as if the files had been written seconds ago.
struct PicturesSettled {
    PicturesSettled() { compsupport::SetPictureCacheClock(&testsupport::ThreeSecondsAhead); }
    ~PicturesSettled() { compsupport::SetPictureCacheClock(nullptr); }
    PicturesSettled(const PicturesSettled&) = delete;
    PicturesSettled& operator=(const PicturesSettled&) = delete;
};

const std::string kSpeedLine = "DrawSpeedometerNeedle CompCircularGauge";
const std::string kVoltLine = "DrawVoltmeterNeedle CompCircularGauge";
const std::string kEmptyLine = "Invalid Label Text. Set to Default ";

// Fixture picture colours.
const unsigned kSpeedFace = 0x2040C0;
const unsigned kSpeedMarker = 0xFF0000;
const unsigned kVoltFace = 0x20A040;
const unsigned kVoltMarker = 0xFFFF00;

int Count(const std::string& text, const std::string& line)
{
    int n = 0;
    for (std::string::size_type at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
        ++n;
    return n;
}

// The main screen's settings for its gauge.

class GaugeTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::InitToolkit(); }
    testsupport::TempWorkDir dir_;
};

TEST_F(GaugeTest, DefaultsLeaveNoSettingUnset)
{
    CompCircularGauge gauge;
    EXPECT_EQ(gauge.DebugOutput, 0);
    EXPECT_FLOAT_EQ(gauge.SpeedAngle, 121);
    EXPECT_FLOAT_EQ(gauge.VoltAngle, 310);
    // Owners normally set these three; without them they start at 0.
    EXPECT_EQ(gauge.SpeedFontSize, 0);
    EXPECT_EQ(gauge.UnitBoxWidth, 0);
    EXPECT_EQ(gauge.UnitBoxHeight, 0);
    EXPECT_EQ(gauge.SpeedText, "0");
    EXPECT_EQ(gauge.VoltText, "");
    EXPECT_EQ(gauge.UnitText, "kmph");
    EXPECT_EQ(gauge.VoltFrameColour, "#b1b5b3");

    // Built so, the speed text keeps the toolkit's size rather than none.
    gauge.ConstructLayout();
    dialtest::ShownWidget shown(gauge, 420, 300);
    EXPECT_GT(gauge.SpeedLabel.get_style()->get_font().get_size(), 0);
    EXPECT_EQ(gauge.SpeedLabel.get_style()->get_font().get_weight(), Pango::WEIGHT_BOLD);
    EXPECT_GT(gauge.SpeedLabel.size_request().height, 1);
}

TEST_F(GaugeTest, LayoutPlacesDialsAndBoxesFromSettings)
{
    CompCircularGauge gauge;
    gauge.set_border_width(0);
    dialtest::ConfigureAsMainScreen(gauge);
    gauge.SpeedDialX = 2.9f;  // truncated to 2
    gauge.ConstructLayout();

    EXPECT_EQ(gauge.get_child(), &gauge.GaugeFixed);
    std::vector<Gtk::Widget*> children = dialtest::Children(gauge.GaugeFixed);
    std::vector<Gtk::Widget*> expected = {&gauge.SpeedDial, &gauge.VoltDial, &gauge.SpeedBox, &gauge.UnitBox,
                                          &gauge.VoltFrameBox};
    EXPECT_EQ(children, expected);

    struct Place { Gtk::Widget* widget; int x, y, w, h; };
    const Place places[] = {
        {&gauge.SpeedDial, 2, 0, 270, 260},    {&gauge.VoltDial, 265, 170, 140, 140},
        {&gauge.SpeedBox, 133, 178, 35, 20},   {&gauge.UnitBox, 126, 200, 50, 20},
        {&gauge.VoltFrameBox, 300, 230, 30, 12},
    };
    for (const Place& p : places) {
        int x, y, w, h;
        FixedPlace(gauge.GaugeFixed, *p.widget, x, y);
        p.widget->get_size_request(w, h);
        EXPECT_EQ(x, p.x) << p.widget->get_name();
        EXPECT_EQ(y, p.y) << p.widget->get_name();
        EXPECT_EQ(w, p.w) << p.widget->get_name();
        EXPECT_EQ(h, p.h) << p.widget->get_name();
    }

    EXPECT_EQ(gauge.SpeedLabel.get_parent(), &gauge.SpeedBox);
    EXPECT_EQ(gauge.UnitLabel.get_parent(), &gauge.UnitBox);
    EXPECT_EQ(gauge.VoltLabel.get_parent(), &gauge.VoltBox);
    EXPECT_EQ(gauge.VoltBox.get_parent(), &gauge.VoltFrameBox);
    EXPECT_EQ(gauge.VoltBox.get_border_width(), 1u);
    EXPECT_EQ(gauge.SpeedLabel.get_text(), "0");
    EXPECT_EQ(gauge.UnitLabel.get_text(), "kmph");
    EXPECT_EQ(gauge.VoltLabel.get_text(), "0");
    EXPECT_EQ(gauge.VoltText, "0");

    dialtest::ShownWidget shown(gauge, 420, 320);
    EXPECT_TRUE(gauge.SpeedLabel.is_visible());
    EXPECT_TRUE(gauge.VoltDial.is_visible());

    struct Font { Gtk::Label* label; int size; Pango::Weight weight; unsigned colour; };
    const Font fonts[] = {
        {&gauge.SpeedLabel, 12 * 1024, Pango::WEIGHT_BOLD, 0x000000},
        {&gauge.UnitLabel, 10 * 1024, Pango::WEIGHT_NORMAL, 0xFFFFFF},
        {&gauge.VoltLabel, 7 * 1024, Pango::WEIGHT_NORMAL, 0xFFFFFF},
    };
    for (const Font& f : fonts) {
        Pango::FontDescription font = f.label->get_style()->get_font();
        EXPECT_EQ(font.get_size(), f.size) << f.label->get_text();
        EXPECT_EQ(font.get_weight(), f.weight) << f.label->get_text();
        Gdk::Color fg = f.label->get_style()->get_fg(Gtk::STATE_NORMAL);
        const unsigned rgb = ((fg.get_red() >> 8) << 16) | ((fg.get_green() >> 8) << 8) | (fg.get_blue() >> 8);
        EXPECT_EQ(rgb, f.colour) << f.label->get_text();
    }

    // Box colours on screen: white speed box, dark unit box, a one-pixel
    // frame around the black volt box, black everywhere else.
    EXPECT_EQ(shown.Pixel(134, 179), 0xFFFFFFu);
    EXPECT_EQ(shown.Pixel(127, 201), 0x212121u);
    EXPECT_EQ(shown.Pixel(300, 233), 0xB1B5B3u);
    EXPECT_EQ(shown.Pixel(329, 233), 0xB1B5B3u);
    EXPECT_EQ(shown.Pixel(301, 233), 0x000000u);
    EXPECT_EQ(shown.Pixel(412, 20), 0x000000u);  // component background
    EXPECT_EQ(shown.Pixel(150, 136), 0x000000u);  // dial without pictures
}

TEST_F(GaugeTest, NegativeSizesRequestNothing)
{
    CompCircularGauge gauge;
    gauge.set_border_width(0);
    dialtest::ConfigureAsMainScreen(gauge);
    gauge.SpeedDialWidth = -10;
    gauge.VoltDialHeight = -0.5f;  // truncates to 0
    gauge.UnitBoxWidth = -1.5f;    // -1 would mean "natural size" to the toolkit
    gauge.VoltBoxHeight = -300;
    gauge.ConstructLayout();
    // The toolkit stores a request of 0 as its smallest size, 1.
    struct Case { Gtk::Widget* widget; int w, h; };
    const Case cases[] = {{&gauge.SpeedDial, 1, 260}, {&gauge.VoltDial, 140, 1}, {&gauge.UnitBox, 1, 20},
                          {&gauge.VoltFrameBox, 30, 1}};
    for (const Case& c : cases) {
        int w, h;
        c.widget->get_size_request(w, h);
        EXPECT_EQ(w, c.w);
        EXPECT_EQ(h, c.h);
    }
}

TEST_F(GaugeTest, EmptyTextsAreReportedAndShowZero)
{
    struct Case { const char* speedText; const char* voltText; std::string lines; const char* speedShown;
                  const char* voltShown; };
    const Case cases[] = {
        {"0", "", kEmptyLine + "\n", "0", "0"},
        {"", "", kEmptyLine + "\n" + kEmptyLine + "\n", "0", "0"},
        {"12", "230", "", "12", "230"},
    };
    for (const Case& c : cases) {
        CompCircularGauge gauge;
        gauge.DebugOutput = 1;
        gauge.SpeedText = c.speedText;
        gauge.VoltText = c.voltText;
        const std::string out = CaptureOutput([&] { gauge.ConstructLayout(); });
        EXPECT_EQ(out, "ConstructLayout CompCircularGauge\n" + c.lines) << c.speedText << "/" << c.voltText;
        EXPECT_EQ(gauge.SpeedLabel.get_text(), c.speedShown);
        EXPECT_EQ(gauge.VoltLabel.get_text(), c.voltShown);
        gauge.DebugOutput = 0;
    }
}

TEST_F(GaugeTest, DebugSwitchOnlyExactlyOnePrints)
{
    const std::string lifeLines =
        "ConstructLayout CompCircularGauge\n" + kEmptyLine + "\nDestructor CompCircularGauge\n";
    for (unsigned char debug : {0, 1, 2}) {
        const std::string out = CaptureOutput([&] {
            std::unique_ptr<CompCircularGauge> gauge(new CompCircularGauge);
            gauge->DebugOutput = debug;
            gauge->ConstructLayout();
            gauge->UpdateSpeed(5);
            gauge->UpdateVolt(100);
        });
        EXPECT_EQ(out, debug == 1 ? lifeLines : "") << int(debug);
    }
}

TEST_F(GaugeTest, SpeedSetsAngleAndTextWithoutLimit)
{
    struct Case { short speed; float angle; const char* text; };
    const Case cases[] = {
        {0, 121, "0"},           {100, 270.5f, "100"},   {-10, 106.05f, "-10"},
        {180, 390.1f, "180"},    {1, 122.495f, "1"},     {32767, 49107.665f, "32767"},
        {-32768, -48867.16f, "-32768"},
    };
    CompCircularGauge gauge;
    gauge.ConstructLayout();
    for (const Case& c : cases) {  // one gauge: each text replaces the last
        gauge.UpdateSpeed(c.speed);
        EXPECT_NEAR(gauge.SpeedAngle, c.angle, 0.01) << c.speed;
        EXPECT_EQ(gauge.SpeedText, c.text);
        EXPECT_EQ(gauge.SpeedLabel.get_text(), c.text);
        EXPECT_FLOAT_EQ(gauge.VoltAngle, 310);
    }
}

TEST_F(GaugeTest, VoltIsHeldTo70To150ForNeedleAndText)
{
    struct Case { short volt; float angle; const char* text; };
    const Case cases[] = {
        {0, 310, "70"},      {69, 310, "70"},       {70, 310, "70"},        {71, 311.25f, "71"},
        {110, 360, "110"},   {149, 408.75f, "149"}, {150, 410, "150"},      {151, 410, "150"},
        {32767, 410, "150"}, {-32768, 310, "70"},   {-1, 310, "70"},
    };
    CompCircularGauge gauge;
    gauge.ConstructLayout();
    for (const Case& c : cases) {
        gauge.UpdateVolt(c.volt);
        EXPECT_FLOAT_EQ(gauge.VoltAngle, c.angle) << c.volt;
        EXPECT_EQ(gauge.VoltText, c.text) << c.volt;
        EXPECT_EQ(gauge.VoltLabel.get_text(), c.text) << c.volt;
        EXPECT_FLOAT_EQ(gauge.SpeedAngle, 121);
    }
}

// Dial pictures made by the test: solid faces, needles that are transparent
// but for one square, so the square's place on screen shows the angle and
// the pivot.
class GaugeDrawingTest : public GaugeTest {
protected:
    // Speed needle square 90 px right of its picture centre (pointing at 0 degrees);
    // volt needle square 40 px above its pivot (48, 60).
    static constexpr int kSpeedRadius = 90;
    static constexpr int kVoltRadius = 40;

    void SetUp() override
    {
        GaugeTest::SetUp();
        testsupport::WritePicture("./Images/CircularGauge.png", 240, 252, kSpeedFace);
        dialtest::WriteMarkerPicture("./Images/CircularNeedle.png", 240, 252, 120 + kSpeedRadius, 126, 4,
                                     kSpeedMarker);
        testsupport::WritePicture("./Images/Voltmeter.png", 96, 90, kVoltFace);
        dialtest::WriteMarkerPicture("./Images/VoltMeterNeedel.png", 96, 90, 48, 60 - kVoltRadius, 3,
                                     kVoltMarker);
    }

    static void At(double pivotX, double pivotY, double dx, double dy, double degrees, int& x, int& y)
    {
        const double a = degrees * M_PI / 180.0;
        x = int(std::lround(pivotX + dx * std::cos(a) - dy * std::sin(a)));
        y = int(std::lround(pivotY + dx * std::sin(a) + dy * std::cos(a)));
    }
};

TEST_F(GaugeDrawingTest, SpeedNeedleTurnsClockwiseAboutDialCentre)
{
    CompCircularGauge gauge;
    gauge.ConstructLayout();
    dialtest::ShownWidget shown(gauge, 420, 300);
    // Dial at (0,0), pictures offset (30,10): centre (150,136).
    for (short speed : {0, 60, 100, 180, -10}) {
        gauge.UpdateSpeed(speed);
        shown.Settle();
        EXPECT_EQ(gauge.SpeedDrawn, 1);
        const double angle = speed * 1.495 + 121;
        int x, y;
        At(150, 136, kSpeedRadius, 0, angle, x, y);
        EXPECT_TRUE(Near(shown.Pixel(x, y), kSpeedMarker)) << speed << " km/h at " << x << "," << y;
        At(150, 136, kSpeedRadius, 0, -angle, x, y);  // mirror image: counter-clockwise
        EXPECT_TRUE(Near(shown.Pixel(x, y), kSpeedFace)) << speed << " km/h mirrored";
        EXPECT_TRUE(Near(shown.Pixel(150, 136), kSpeedFace));
        EXPECT_TRUE(Near(shown.Pixel(31, 255), kSpeedFace));  // face from (30,10)
        EXPECT_EQ(shown.Pixel(28, 255), 0x000000u);
    }
}

TEST_F(GaugeDrawingTest, VoltNeedleTurnsAboutPivotBelowCentre)
{
    struct Case { short volt; float imageX, imageY; };
    const Case cases[] = {{70, 0, 0}, {110, 0, 0}, {150, 0, 0}, {130, 6, 4}, {0, 6, 4}};
    for (const Case& c : cases) {
        CompCircularGauge gauge;
        gauge.VoltImageX = c.imageX;
        gauge.VoltImageY = c.imageY;
        gauge.ConstructLayout();
        gauge.UpdateVolt(c.volt);
        dialtest::ShownWidget shown(gauge, 420, 300);
        EXPECT_EQ(gauge.VoltDrawn, 1);
        // Dial at (265,140); pivot (48,55) of the face.
        const double pivotX = 265 + c.imageX + 48, pivotY = 140 + c.imageY + 55;
        int x, y;
        At(pivotX, pivotY, 0, -kVoltRadius, gauge.VoltAngle, x, y);
        EXPECT_TRUE(Near(shown.Pixel(x, y), kVoltMarker)) << c.volt << " V at " << x << "," << y;
        At(pivotX, pivotY, 0, -kVoltRadius, -gauge.VoltAngle, x, y);
        if (std::fmod(gauge.VoltAngle, 360.0f) != 0) {
            EXPECT_TRUE(Near(shown.Pixel(x, y), kVoltFace)) << c.volt << " V mirrored";
        }
        EXPECT_TRUE(Near(shown.Pixel(265 + int(c.imageX) + 1, 140 + int(c.imageY) + 1), kVoltFace));
        EXPECT_TRUE(Near(shown.Pixel(265 + int(c.imageX) + 94, 140 + int(c.imageY) + 88), kVoltFace));
        EXPECT_EQ(shown.Pixel(265 + int(c.imageX) + 100, 140 + int(c.imageY) + 45), 0x000000u);
    }
}

// A turned needle draws again only where it was and where it is now, and
// leaves the dial as a whole redraw would draw it.
TEST_F(GaugeDrawingTest, TurnedNeedleRedrawsOnlyItsOldAndNewPlace)
{
    PicturesSettled settled;  // so the picture cache keeps them
    CompCircularGauge gauge;
    gauge.ConstructLayout();
    testsupport::RedrawProbe probe(gauge, 420, 300);
    const GdkRectangle speedDial = {0, 0, 270, 260}, voltDial = {265, 140, 140, 140};
    // Two places of the turned 8-pixel marker with the smoothing margin, and
    // the number box.
    const long most = 2 * 17 * 17 + 10 * 10;
    gauge.UpdateSpeed(10);  // the first turn on screen draws the whole dial
    gauge.UpdateVolt(100);
    probe.Settle();
    EXPECT_EQ(probe.StaleArea(), "");
    for (short speed : {60, 100, 180, 0, -10, 250, 61}) {
        SCOPED_TRACE(speed);
        gauge.UpdateSpeed(speed);
        probe.Settle();
        EXPECT_LE(probe.DrawnPixelsIn(speedDial), most);
        EXPECT_TRUE(probe.Untouched(voltDial));
        EXPECT_EQ(probe.StaleArea(), "");
    }
    for (short volt : {90, 150, 70, 200, 0, 111}) {
        SCOPED_TRACE(volt);
        gauge.UpdateVolt(volt);
        probe.Settle();
        EXPECT_LE(probe.DrawnPixelsIn(voltDial), most);
        EXPECT_TRUE(probe.Untouched({30, 30, 230, 220}));  // the speed dial, clear of the number boxes
        EXPECT_EQ(probe.StaleArea(), "");
    }
    // A needle picture replaced on disk may cover other pixels: the whole
    // dial is drawn again.
    dialtest::WriteMarkerPicture("./Images/CircularNeedle.png", 240, 252, 120, 126 - 60, 6, kSpeedMarker);
    gauge.UpdateSpeed(20);
    probe.Settle();
    EXPECT_EQ(probe.StaleArea(), "");
    int x, y;
    At(150, 136, 0, -60, gauge.SpeedAngle, x, y);
    EXPECT_TRUE(Near(dialtest::PixelOf(probe.Picture(), x, y), kSpeedMarker));
}

// A face picture that is not the one the dial painted last (replaced on disk,
// removed, put back) is drawn whole at the next needle move, and when any
// part of the dial is drawn again (a panel taken off it): the dial then shows
// what a whole redraw draws. Moves over that face draw the needle only again.
// (A move also changes the number box, which lays this off-screen window out
// and so draws all of it: what the move itself draws is what counts there.)
TEST_F(GaugeDrawingTest, FaceNotPaintedLastDrawsTheWholeDial)
{
    enum Dial { Speed, Volt };
    enum Change { Replaced, Removed, PutBack };
    struct Case {
        const char* name;
        Dial dial;
        Change change;
        bool byMove;  // else part of the dial is drawn again, the needle still
    };
    const Case cases[] = {
        {"speed face replaced, needle moved", Speed, Replaced, true},
        {"speed face removed, needle moved", Speed, Removed, true},
        {"speed face put back, needle moved", Speed, PutBack, true},
        {"speed face replaced, part drawn again", Speed, Replaced, false},
        {"speed face removed, part drawn again", Speed, Removed, false},
        {"volt face replaced, needle moved", Volt, Replaced, true},
        {"volt face removed, needle moved", Volt, Removed, true},
        {"volt face put back, needle moved", Volt, PutBack, true},
        {"volt face replaced, part drawn again", Volt, Replaced, false},
    };
    const unsigned kNewFace = 0xC08020;
    const long most = 2 * 17 * 17 + 10 * 10;  // as for a turned needle
    // A whole redraw may paint the turned needle a colour step apart at its
    // smoothed edges; a stale face differs by far more.
    const int tolerance = 2;
    // The needles count as settled, so the picture cache keeps them: one it
    // decodes again counts as a new picture, which redraws the whole dial
    // anyway.
    PicturesSettled settled;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::WritePicture("./Images/CircularGauge.png", 240, 252, kSpeedFace);
        testsupport::WritePicture("./Images/Voltmeter.png", 96, 90, kVoltFace);
        CompCircularGauge gauge;
        gauge.SpeedDialColour = "#804000";
        gauge.VoltDialColour = "#004080";
        gauge.ConstructLayout();
        testsupport::RedrawProbe probe(gauge, 420, 300);
        gauge.UpdateSpeed(10);
        gauge.UpdateVolt(100);
        probe.Settle();
        ASSERT_EQ(probe.StaleArea({0, 0, 0, 0}, tolerance), "");

        const bool speed = c.dial == Speed;
        const char* face = speed ? "./Images/CircularGauge.png" : "./Images/Voltmeter.png";
        const int width = speed ? 240 : 96, height = speed ? 252 : 90;
        Gtk::DrawingArea& dial = speed ? gauge.SpeedDial : gauge.VoltDial;
        const GdkRectangle area = speed ? GdkRectangle{0, 0, 270, 260} : GdkRectangle{265, 140, 140, 140};
        auto move = [&](short step) {
            if (speed)
                gauge.UpdateSpeed(static_cast<short>(60 + step));
            else
                gauge.UpdateVolt(static_cast<short>(120 + step));
        };
        dial.queue_draw();
        probe.Settle();
        const long wholeDial = probe.DrawnPixelsIn(area);
        if (c.change == Replaced) {
            testsupport::WritePicture(face, width, height, kNewFace);
        } else {
            std::remove(face);
            if (c.change == PutBack) {
                move(-20);
                probe.Settle();
                testsupport::WritePicture(face, width, height, kNewFace);
            }
        }
        if (c.byMove) {
            move(0);
            probe.Settle();
            EXPECT_EQ(wholeDial, probe.DrawnPixelsIn(area)) << "the move draws the whole dial";
        } else {
            dial.get_window()->invalidate_rect(Gdk::Rectangle(20, 20, 30, 30), false);
            probe.Settle();
        }
        // A pixel of the face clear of the needle, and of the other dial.
        const int x = speed ? 31 : 266, y = speed ? 255 : 141;
        const unsigned shown = dialtest::PixelOf(probe.Picture(), x, y);
        EXPECT_TRUE(Near(shown, c.change == Removed ? (speed ? 0x804000u : 0x004080u) : kNewFace)) << std::hex << shown;
        EXPECT_EQ(probe.StaleArea({0, 0, 0, 0}, tolerance), "");

        if (c.change != Removed) {
            move(7);
            probe.Settle();
            EXPECT_LE(probe.DrawnPixelsIn(area), most) << "over the same face only the needle";
            EXPECT_EQ(probe.StaleArea({0, 0, 0, 0}, tolerance), "");
        }
    }
}

// Draws whatever is pending, and takes in whatever the X server has sent
// for it, until a round trip to the server brings nothing more.
void SettleWithServer()
{
    for (int round = 0; round < 20; ++round) {
        gdk_window_process_all_updates();
        gdk_display_sync(gdk_display_get_default());
        if (!Gtk::Main::events_pending())
            return;
        testsupport::DrainEvents();
    }
}

// What an action makes the dials draw, and only that: the X server serves
// this program alone meanwhile, so no other program's window can cover or
// uncover this one and add a redraw of its own.
std::string DrawnAlone(const std::function<void()>& action)
{
    gdk_x11_grab_server();
    SettleWithServer();  // what was asked before is drawn first, uncounted
    const std::string out = CaptureOutput([&] {
        action();
        SettleWithServer();
    });
    gdk_x11_ungrab_server();
    return out;
}

TEST_F(GaugeDrawingTest, UpdateRedrawsOnlyItsOwnDial)
{
    CompCircularGauge gauge;
    gauge.DebugOutput = 1;
    gauge.VoltDialX = 280;  // apart from the speed dial, so neither covers the other
    CaptureOutput([&] { gauge.ConstructLayout(); });
    // A plain on-screen window: each dial has its own window there, so an
    // expose of one does not reach the other.
    Gtk::Window window;
    window.set_default_size(420, 300);
    window.add(gauge);
    const std::string first = CaptureOutput([&] {
        window.show_all();
        SettleWithServer();
    });
    EXPECT_GE(Count(first, kSpeedLine + "\n"), 1);
    EXPECT_GE(Count(first, kVoltLine + "\n"), 1);
    EXPECT_EQ(Count(first, "Image Not Found"), 0);

    std::string out = DrawnAlone([&] { gauge.UpdateSpeed(50); });
    EXPECT_EQ(Count(out, kSpeedLine), 1);
    EXPECT_EQ(Count(out, kVoltLine), 0);
    out = DrawnAlone([&] { gauge.UpdateVolt(90); });
    EXPECT_EQ(Count(out, kSpeedLine), 0);
    EXPECT_EQ(Count(out, kVoltLine), 1);
    gauge.DebugOutput = 0;
    window.remove();
}

TEST_F(GaugeDrawingTest, UnusablePictureLeavesOnlyThatDialBlank)
{
    enum Dial { Speed, Volt };
    struct Case { const char* file; bool broken; Dial dial; };
    const Case cases[] = {
        {"./Images/CircularNeedle.png", false, Speed}, {"./Images/CircularGauge.png", false, Speed},
        {"./Images/CircularGauge.png", true, Speed},   {"./Images/CircularNeedle.png", true, Speed},
        {"./Images/VoltMeterNeedel.png", false, Volt}, {"./Images/Voltmeter.png", false, Volt},
        {"./Images/Voltmeter.png", true, Volt},
    };
    for (const Case& c : cases) {
        SetUp();  // fresh, complete pictures
        if (c.broken)
            dialtest::WriteBrokenPicture(c.file);
        else
            std::remove(c.file);
        CompCircularGauge gauge;
        gauge.DebugOutput = 1;
        gauge.SpeedDialColour = "#804000";
        gauge.VoltDialColour = "#004080";
        gauge.VoltText = "100";
        CaptureOutput([&] { gauge.ConstructLayout(); });
        std::unique_ptr<dialtest::ShownWidget> shown;
        const std::string out =
            CaptureOutput([&] { shown.reset(new dialtest::ShownWidget(gauge, 420, 300)); });
        const std::string& blankLine = c.dial == Speed ? kSpeedLine : kVoltLine;
        const std::string& drawnLine = c.dial == Speed ? kVoltLine : kSpeedLine;
        EXPECT_GE(Count(out, blankLine + "\nImage Not Found " + blankLine + "\n"), 1) << c.file;
        EXPECT_EQ(Count(out, "Image Not Found " + drawnLine), 0) << c.file;
        EXPECT_EQ(c.dial == Speed ? gauge.SpeedDrawn : gauge.VoltDrawn, 0) << c.file;
        EXPECT_EQ(c.dial == Speed ? gauge.VoltDrawn : gauge.SpeedDrawn, 1) << c.file;
        const unsigned speedPixel = shown->Pixel(150, 136), voltPixel = shown->Pixel(313, 225);
        EXPECT_TRUE(Near(speedPixel, c.dial == Speed ? 0x804000 : kSpeedFace)) << c.file;
        EXPECT_TRUE(Near(voltPixel, c.dial == Volt ? 0x004080 : kVoltFace)) << c.file;
        EXPECT_EQ(gauge.VoltLabel.get_text(), "100");  // the boxes still work
        gauge.DebugOutput = 0;
        shown.reset();
    }
}

TEST_F(GaugeDrawingTest, DebugTwoPrintsNothingWhileDrawing)
{
    std::remove("./Images/Voltmeter.png");
    CompCircularGauge gauge;
    gauge.DebugOutput = 2;
    const std::string out = CaptureOutput([&] {
        gauge.ConstructLayout();
        dialtest::ShownWidget shown(gauge, 420, 300);
        gauge.UpdateSpeed(10);
        shown.Settle();
    });
    EXPECT_EQ(out, "");
    EXPECT_EQ(gauge.SpeedDrawn, 1);
    EXPECT_EQ(gauge.VoltDrawn, 0);
}

}  // namespace
