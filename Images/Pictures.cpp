// The look of the cab display: dark panels, lit and dark lamps, keys, the
// dials and scales of the main screen, the pantographs, the title bar icons
// and the pop-up frames. Each picture of the set is one line of the table at
// the end of this file, built from the small drawing functions above it.
#include "Pictures.h"

#include <cmath>
#include <string>

namespace cabimages {

namespace {

// ---------------------------------------------------------------- palette

const Rgb kWhite = Hex("#ffffff");
const Rgb kBlack = Hex("#000000");
const Rgb kPanelTop = Hex("#1b222a");
const Rgb kPanelBottom = Hex("#0b0f13");
const Rgb kEdge = Hex("#3b4550");
const Rgb kDimText = Hex("#9aa3ad");
const Rgb kCyan = Hex("#19e3ff");
const Rgb kGreen = Hex("#3de060");
const Rgb kAmber = Hex("#ffb21e");
const Rgb kRed = Hex("#ff3b30");
const Rgb kYellow = Hex("#ffd21a");
const Rgb kCopper = Hex("#d9a441");

struct KeyStyle {
    Rgb top, bottom, edge;
};

const KeyStyle kGreenKey { Hex("#2fb24a"), Hex("#0e6123"), Hex("#06300f") };
const KeyStyle kRedKey { Hex("#c83434"), Hex("#660c0c"), Hex("#320505") };
const KeyStyle kGreyKey { Hex("#575e66"), Hex("#2a2e33"), Hex("#131619") };
const KeyStyle kSlateKey { Hex("#4d5864"), Hex("#242a31"), Hex("#0f1215") };
const KeyStyle kAmberKey { Hex("#ffc650"), Hex("#b86c00"), Hex("#5a3400") };

// ---------------------------------------------------------- basic pieces

void DarkPanel(cairo_t* cr, const Box& b, double radius = 0)
{
    FillVertical(cr, b, kPanelTop, kPanelBottom, radius);
    Outline(cr, b, kEdge, 1, radius);
}

// A key cap: gradient body, a highlight along the top, a dark rim.
void Key(cairo_t* cr, const Box& b, const KeyStyle& s, double radius)
{
    FillVertical(cr, b, s.top, s.bottom, radius);
    Line(cr, { b.x + radius, b.y + 1.5 }, { b.x + b.w - radius, b.y + 1.5 }, WithAlpha(kWhite, 0.30), 1);
    Outline(cr, b, s.edge, 1, radius);
}

double KeyRadius(const Box& b) { return std::fmin(5.0, b.h / 6.0); }

void Triangle(cairo_t* cr, Point a, Point b, Point c, const Rgb& fill)
{
    const Point pts[] = { a, b, c };
    Polygon(cr, pts, 3, fill);
}

// Block arrow (head and stem) centred at c, pointing up or down, size s.
void BlockArrow(cairo_t* cr, Point c, double s, bool up, const Rgb& colour)
{
    const double d = up ? -1 : 1;
    const Point pts[] = {
        { c.x, c.y + d * s * 0.50 },
        { c.x + s * 0.50, c.y },
        { c.x + s * 0.20, c.y },
        { c.x + s * 0.20, c.y - d * s * 0.50 },
        { c.x - s * 0.20, c.y - d * s * 0.50 },
        { c.x - s * 0.20, c.y },
        { c.x - s * 0.50, c.y },
    };
    Polygon(cr, pts, 7, colour);
}

// ------------------------------------------------------------ row cells

void UnitCaption(cairo_t* cr, const Box& b, const std::string& unit)
{
    FillVertical(cr, b, Hex("#1d232a"), Hex("#0c0f13"));
    Outline(cr, b, Hex("#39424c"), 1);
    Text(cr, unit, b, b.h * 0.66, true, kWhite);
}

void GreyPlate(cairo_t* cr, const Box& b)
{
    FillVertical(cr, b, Hex("#697079"), Hex("#3f444a"));
    Line(cr, { b.x, b.y + 0.5 }, { b.x + b.w, b.y + 0.5 }, WithAlpha(kWhite, 0.35), 1);
    Line(cr, { b.x, b.y + b.h - 0.5 }, { b.x + b.w, b.y + b.h - 0.5 }, Hex("#1e2125"), 1);
}

void ValueField(cairo_t* cr, const Box& b)
{
    FillVertical(cr, b, Hex("#030d16"), Hex("#0b1d2d"));
    Outline(cr, b, Hex("#2e5069"), 1);
}

// Small pantograph sign for the status strips (30 x h box at x): wire,
// base on the roof, single arm with knee, pan head on the wire or folded.
void MiniPanto(cairo_t* cr, double x, double h, bool up, const Rgb& c)
{
    const double roof = h - 2.5;
    Line(cr, { x, 1.5 }, { x + 30, 1.5 }, kCopper, 1);
    Line(cr, { x + 5, roof }, { x + 25, roof }, c, 1.5);
    const Point hinge { x + 9, roof - 1 };
    const Point knee = up ? Point { x + 23, roof - 6 } : Point { x + 26, roof - 2.5 };
    const Point head = up ? Point { x + 14, 3.5 } : Point { x + 12, roof - 4.5 };
    Line(cr, hinge, knee, c, 1.3);
    Line(cr, knee, head, c, 1.1);
    Line(cr, { head.x - 7, head.y - 0.5 }, { head.x + 7, head.y - 0.5 }, c, 1.4);
    Line(cr, { head.x - 7, head.y - 0.5 }, { head.x - 9, head.y + 1.5 }, c, 1);
    Line(cr, { head.x + 7, head.y - 0.5 }, { head.x + 9, head.y + 1.5 }, c, 1);
}

enum class StripSign { Lamp, PantoUp, PantoDown };

// The status strips of the lamp and pair rows: lit green with a bright lamp
// and the word ON, or dark grey with a dead lamp and OFF.
void StatusStrip(cairo_t* cr, const Box& b, bool on, const std::string& word, StripSign sign)
{
    if (on)
        FillVertical(cr, b, Hex("#1ea63e"), Hex("#0a4d18"));
    else
        FillVertical(cr, b, Hex("#363a40"), Hex("#1b1e22"));
    Outline(cr, b, on ? Hex("#053010") : Hex("#0e1013"), 1);
    const double r = b.h / 2 - 3;
    if (sign == StripSign::Lamp) {
        const Point c { b.x + 4 + r, b.y + b.h / 2 };
        if (on) {
            GlowDisc(cr, c, r + 1, Hex("#ffffff"), Hex("#4dff6a"));
        } else {
            GlowDisc(cr, c, r, Hex("#5a5f66"), Hex("#202327"));
            Ring(cr, c, r, Hex("#0b0c0e"), 1);
        }
    } else {
        MiniPanto(cr, b.x + 3, b.h, sign == StripSign::PantoUp, on ? kWhite : Hex("#c9ced4"));
    }
    Text(cr, word, b, b.h * 0.66, true, on ? kWhite : Hex("#b4bac1"));
}

void ProgressHolder(cairo_t* cr, const Box& b)
{
    FillVertical(cr, b, Hex("#161c22"), Hex("#0a0d10"));
    // The bar grows from x 3 at 2.55 px per percent; the row centres its
    // value text on x 301 (a 50 px box from x 276), so the field is centred there.
    const Box trough { 2, 3, 259, 11 };
    FillVertical(cr, trough, Hex("#020406"), Hex("#0b1116"));
    Outline(cr, trough, Hex("#3c4753"), 1);
    for (int p = 0; p <= 100; p += 25)
        Line(cr, { 3 + p * 2.55 + 0.5, 14 }, { 3 + p * 2.55 + 0.5, 17 }, Hex("#7d8893"), 1);
    ValueField(cr, { 280, 2, 42, 14 });
}

// ------------------------------------------------------------- keys

void StatusKey(cairo_t* cr, const Box& b, const KeyStyle& s)
{
    Key(cr, { b.x + 0.5, b.y + 0.5, b.w - 1, b.h - 1 }, s, KeyRadius(b));
}

void MotorKey(cairo_t* cr, const Box& b, const KeyStyle& s)
{
    StatusKey(cr, b, s);
    // Motor sign: a ring round the caption with its two feet.
    const Point c { b.w / 2, b.h / 2 };
    const double r = b.h * 0.38;
    Ring(cr, c, r, WithAlpha(kWhite, 0.55), 1.4);
    Line(cr, { c.x - r * 0.7, c.y + r + 0.5 }, { c.x - r * 0.7, b.h - 2.5 }, WithAlpha(kWhite, 0.55), 1.4);
    Line(cr, { c.x + r * 0.7, c.y + r + 0.5 }, { c.x + r * 0.7, b.h - 2.5 }, WithAlpha(kWhite, 0.55), 1.4);
}

void ArrowKey(cairo_t* cr, const Box& b, bool up, bool pressed)
{
    Key(cr, { b.x + 0.5, b.y + 0.5, b.w - 1, b.h - 1 }, pressed ? kAmberKey : kSlateKey, KeyRadius(b));
    const double s = b.h * 0.62;
    BlockArrow(cr, { b.w / 2 + 0.6, b.h / 2 + 0.8 }, s, up, WithAlpha(kBlack, 0.45));
    BlockArrow(cr, { b.w / 2, b.h / 2 }, s, up, pressed ? Hex("#1a1204") : Hex("#e8edf2"));
}

// --------------------------------------------------------------- glyphs

void KeySign(cairo_t* cr, Point c, double s, const Rgb& col)
{
    Ring(cr, { c.x - 0.42 * s, c.y }, 0.28 * s, col, 0.16 * s);
    Line(cr, { c.x - 0.14 * s, c.y }, { c.x + 0.62 * s, c.y }, col, 0.16 * s);
    Line(cr, { c.x + 0.36 * s, c.y }, { c.x + 0.36 * s, c.y + 0.26 * s }, col, 0.14 * s);
    Line(cr, { c.x + 0.56 * s, c.y }, { c.x + 0.56 * s, c.y + 0.30 * s }, col, 0.14 * s);
}

// Brake sign: a ring with a letter, between two brake-shoe arcs.
void BrakeSign(cairo_t* cr, Point c, double s, const Rgb& col, const std::string& letter)
{
    Ring(cr, c, 0.42 * s, col, 0.10 * s);
    ArcBand(cr, c, 215, 325, 0.62 * s, 0.10 * s, col);
    ArcBand(cr, c, 35, 145, 0.62 * s, 0.10 * s, col);
    Text(cr, letter, { c.x - 0.4 * s, c.y - 0.4 * s, 0.8 * s, 0.8 * s }, 0.48 * s, true, col);
}

void WheelSlipSign(cairo_t* cr, Point c, double s, const Rgb& col)
{
    const Point w { c.x + 0.12 * s, c.y - 0.06 * s };
    const double r = 0.42 * s;
    Ring(cr, w, r, col, 0.10 * s);
    Disc(cr, w, 0.10 * s, col);
    for (int a = 0; a < 360; a += 60)
        RadialTick(cr, w, a, 0.10 * s, r, 0.05 * s, col);
    Line(cr, { c.x - 0.70 * s, w.y + r + 0.08 * s }, { c.x + 0.70 * s, w.y + r + 0.08 * s }, col, 0.09 * s);
    // Slip: the wheel turns but the rail marks trail behind it.
    ArcBand(cr, w, 300, 400, r + 0.16 * s, 0.07 * s, col);
    Triangle(cr, Polar(w, 40, r + 0.30 * s), Polar(w, 40, r + 0.02 * s), Polar(w, 62, r + 0.16 * s), col);
    for (int i = 0; i < 3; ++i) {
        const double x = c.x - 0.70 * s + i * 0.16 * s;
        Line(cr, { x, w.y + r - 0.06 * s }, { x + 0.09 * s, w.y + r - 0.06 * s }, col, 0.06 * s);
    }
}

enum class Sign { Key, TrainBrake, LocoBrake, WheelSlip };

void DrawSign(cairo_t* cr, Sign sign, Point c, double s, const Rgb& col)
{
    switch (sign) {
    case Sign::Key: KeySign(cr, c, s, col); break;
    case Sign::TrainBrake: BrakeSign(cr, c, s, col, "T"); break;
    case Sign::LocoBrake: BrakeSign(cr, c, s, col, "L"); break;
    case Sign::WheelSlip: WheelSlipSign(cr, c, s, col); break;
    }
}

// Indicator grid cell: the sign on a round lamp at the left (the grid lays
// its caption over x 35..115), lit in its colour or dark.
void IndicatorCell(cairo_t* cr, const Box& b, Sign sign, bool on, const Rgb& colour)
{
    DarkPanel(cr, { b.x + 0.5, b.y + 0.5, b.w - 1, b.h - 1 }, 4);
    const Point c { 18, b.h / 2 };
    const double r = b.h / 2 - 3;
    if (on) {
        GlowDisc(cr, c, r, Mix(colour, kWhite, 0.45), Mix(colour, kBlack, 0.25));
        DrawSign(cr, sign, c, r * 1.05, Hex("#14100a"));
    } else {
        GlowDisc(cr, c, r, Hex("#3a3f45"), Hex("#1a1d21"));
        DrawSign(cr, sign, c, r * 1.05, Hex("#6c737b"));
    }
    Ring(cr, c, r, Hex("#07080a"), 1);
    // Stripe under the caption shows the state at a glance.
    Line(cr, { 40, b.h - 4.5 }, { b.w - 6, b.h - 4.5 }, on ? colour : Hex("#30353b"), 2);
}

// ----------------------------------------------------------- main screen

void Background(cairo_t* cr, const Box& b)
{
    FillVertical(cr, b, Hex("#1a232d"), Hex("#080b0f"));
    cairo_pattern_t* vignette = cairo_pattern_create_radial(b.w / 2, b.h / 2, b.h * 0.2, b.w / 2, b.h / 2, b.w * 0.65);
    cairo_pattern_add_color_stop_rgba(vignette, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(vignette, 1, 0, 0, 0, 0.55);
    cairo_set_source(cr, vignette);
    cairo_paint(cr);
    cairo_pattern_destroy(vignette);
    for (double y = 0.5; y < b.h; y += 4)
        Line(cr, { 0, y }, { b.w, y }, WithAlpha(kWhite, 0.015), 1);
    Outline(cr, b, Hex("#2c3846"), 2);
}

// Speed dial: pivot at the picture centre; the gauge turns a needle drawn
// towards 3 o'clock by 121 + 1.495 * s degrees, so s km/h lies at clock
// angle 211 + 1.495 * s.
constexpr double kSpeedZeroClock = 211.0;
constexpr double kSpeedDegPerKmh = 1.495;

void SpeedDial(cairo_t* cr, const Box& b)
{
    const Point c { b.w / 2, b.h / 2 };
    GlowDisc(cr, c, 117, Hex("#9aa1a9"), Hex("#3a3f45"));
    Disc(cr, c, 113, Hex("#15191e"));
    GlowDisc(cr, c, 111, Hex("#222a33"), Hex("#0a0d11"));
    auto clock = [](double kmh) { return kSpeedZeroClock + kSpeedDegPerKmh * kmh; };
    ArcBand(cr, c, clock(0), clock(200), 108.5, 1.2, Hex("#cfd6dd"));
    ArcBand(cr, c, clock(180), clock(200), 105, 6, WithAlpha(kRed, 0.85));
    for (int s = 0; s <= 200; s += 5) {
        if (s % 20 == 0)
            RadialTick(cr, c, clock(s), 94, 108, 3, kWhite);
        else if (s % 10 == 0)
            RadialTick(cr, c, clock(s), 99, 108, 1.6, Hex("#dde3e9"));
        else
            RadialTick(cr, c, clock(s), 102, 108, 1, Hex("#aeb6be"));
    }
    for (int s = 0; s <= 200; s += 20) {
        const Point p = Polar(c, clock(s), 80);
        Text(cr, std::to_string(s), { p.x - 20, p.y - 9, 40, 18 }, 14, true, kWhite);
    }
    Text(cr, "km/h", { c.x - 30, c.y - 44, 60, 14 }, 11, false, kDimText);
}

void SpeedNeedle(cairo_t* cr, const Box& b)
{
    const Point c { b.w / 2, b.h / 2 };
    const Point body[] = { { c.x - 22, c.y - 3.5 }, { c.x + 100, c.y - 1 }, { c.x + 102, c.y },
                           { c.x + 100, c.y + 1 }, { c.x - 22, c.y + 3.5 } };
    const Point shade[] = { { c.x - 21, c.y + 4.5 }, { c.x + 100, c.y + 2 }, { c.x + 100, c.y + 2.6 },
                            { c.x - 21, c.y + 5.5 } };
    Polygon(cr, shade, 4, WithAlpha(kBlack, 0.35));
    Polygon(cr, body, 5, Hex("#ff5a1f"));
    Line(cr, { c.x, c.y }, { c.x + 96, c.y }, Hex("#ffc3a8"), 0.8);
    GlowDisc(cr, c, 9, Hex("#8b939b"), Hex("#262b30"));
    Ring(cr, c, 9, Hex("#0b0d10"), 1);
    Disc(cr, c, 3, Hex("#ff5a1f"));
}

// Volt dial: pivot at (48, 55) of the face; the gauge turns a needle drawn
// upwards by (v - 70) * 1.25 degrees past 310, i.e. clock angle
// (v - 70) * 1.25 - 50 for 70..150 V.
double VoltClock(double v) { return (v - 70) * 1.25 - 50; }

void VoltDial(cairo_t* cr, const Box& b)
{
    const Point c { 48, 55 };
    FillVertical(cr, { 0.5, 0.5, b.w - 1, b.h - 1 }, Hex("#1c232b"), Hex("#080b0e"), 8);
    Outline(cr, b, Hex("#6b737c"), 1.5, 8);
    ArcBand(cr, c, VoltClock(70), VoltClock(150), 41.5, 1, Hex("#cfd6dd"));
    ArcBand(cr, c, VoltClock(100), VoltClock(125), 43.5, 3, WithAlpha(kGreen, 0.85));
    ArcBand(cr, c, VoltClock(70), VoltClock(85), 43.5, 3, WithAlpha(kRed, 0.85));
    for (int v = 70; v <= 150; v += 5) {
        if (v % 20 == 10)
            RadialTick(cr, c, VoltClock(v), 33, 41.5, 2, kWhite);
        else if (v % 10 == 0)
            RadialTick(cr, c, VoltClock(v), 37, 41.5, 1, Hex("#c8d0d8"));
        else
            RadialTick(cr, c, VoltClock(v), 39, 41.5, 0.8, Hex("#9aa3ad"));
    }
    // Figures outside the scale, beyond the needle's reach (38), so the
    // needle never hides the figure it points at.
    for (int v = 70; v <= 150; v += 40) {
        const Point p = Polar(c, VoltClock(v), 50.5);
        Text(cr, std::to_string(v), { p.x - 10, p.y - 4.5, 20, 9 }, 8, true, kWhite);
    }
    Text(cr, "BATTERY  V", { 0, 76, b.w, 11 }, 7.5, true, kDimText);
}

void VoltNeedle(cairo_t* cr, const Box&)
{
    const Point c { 48, 60 };  // lands on the face's pivot (48, 55)
    const Point body[] = { { c.x - 2, c.y + 6 }, { c.x - 1.6, c.y }, { c.x - 0.6, c.y - 38 },
                           { c.x + 0.6, c.y - 38 }, { c.x + 1.6, c.y }, { c.x + 2, c.y + 6 } };
    Polygon(cr, body, 6, Hex("#ff5a1f"));
    GlowDisc(cr, c, 3.5, Hex("#9aa1a9"), Hex("#2a2f35"));
}

// Vertical bar scales of the current and voltage bars: the indicator
// (17 high) sits at y 234 - 2.19 p, so p percent is at y 242.5 - 2.19 p.
double BarScaleY(double percent) { return 242.5 - 2.19 * percent; }

void BarScale(cairo_t* cr, const Box& b, int fullScale, int major, int minor, const std::string& unit)
{
    FillVertical(cr, b, Hex("#141a20"), Hex("#07090c"));
    Outline(cr, b, Hex("#36414c"), 1);
    Text(cr, unit, { 6, 2, 50, 18 }, 14, true, kCyan, Align::Left);
    const Box track { 62, BarScaleY(100), 8, BarScaleY(0) - BarScaleY(100) };
    FillVertical(cr, track, Hex("#2a6fb0"), Hex("#0f2d4a"));
    Outline(cr, track, Hex("#061220"), 1);
    for (int v = 0; v <= fullScale; v += minor) {
        const double y = std::round(BarScaleY(100.0 * v / fullScale)) + 0.5;
        const bool big = v % major == 0;
        Line(cr, { big ? 52.0 : 58.0, y }, { 74, y }, big ? kWhite : Hex("#9aa3ad"), 1);
        if (big)
            Text(cr, std::to_string(v), { 4, y - 6, 45, 12 }, 10, true, kWhite, Align::Right);
    }
}

// Effort scale: arrows (18 high, in bars from y 18 to 249) centre at
// y 27 + 213 * yalign; traction above 0, braking below.
double EffortY(double v)
{
    const double align = v >= 0 ? 0.54 - 0.0053 * (v / 700 * 100) : 0.54 + 0.0046 * (-v / 600 * 100);
    return 27 + 213 * align;
}

void EffortScale(cairo_t* cr, const Box& b)
{
    FillVertical(cr, b, Hex("#141a20"), Hex("#07090c"));
    const Box traction { 16, EffortY(700), 67, EffortY(0) - EffortY(700) };
    const Box braking { 16, EffortY(0), 67, EffortY(-600) - EffortY(0) };
    FillVertical(cr, traction, Hex("#0f3a1c"), Hex("#0a1a10"));
    FillVertical(cr, braking, Hex("#1f1608"), Hex("#3d2607"));
    Text(cr, "kN", { 60, 2, 36, 14 }, 10, true, kDimText);
    for (int v = -600; v <= 700; v += 50) {
        const double y = std::round(EffortY(v)) + 0.5;
        const bool big = v % 100 == 0;
        const double len = v == 0 ? 14 : big ? 8 : 4;
        const Rgb col = v == 0 ? kWhite : big ? Hex("#e3e8ed") : Hex("#8d96a0");
        Line(cr, { 16, y }, { 16 + len, y }, col, v == 0 ? 1.5 : 1);
        Line(cr, { 83 - len, y }, { 83, y }, col, v == 0 ? 1.5 : 1);
        if (big)
            Text(cr, std::to_string(v), { 26, y - 6, 47, 12 }, 9, true,
                 v > 0 ? Hex("#8dff9e") : v < 0 ? Hex("#ffc66b") : kWhite);
    }
}

// Bar arrows, transparent around: the left bar's points right at the scale,
// the right bar's points left.
void BarArrow(cairo_t* cr, const Box& b, bool pointsRight, const Rgb& colour)
{
    const double m = b.h / 2;
    const Point tip { pointsRight ? b.w - 1 : 1, m };
    const Point top { pointsRight ? 1.5 : b.w - 1.5, 2 };
    const Point bottom { pointsRight ? 1.5 : b.w - 1.5, b.h - 2 };
    Triangle(cr, top, tip, bottom, Hex("#101214"));
    const double in = pointsRight ? 1.6 : -1.6;
    Triangle(cr, { top.x + in, top.y + 2.2 }, { tip.x - 2.2 * (pointsRight ? 1 : -1), m },
             { bottom.x + in, bottom.y - 2.2 }, colour);
}

// Pantograph over the locomotive roof under the contact wire, raised
// (head on the wire) or lowered (folded on its base frame).
void Pantograph(cairo_t* cr, const Box& b, int number, bool up)
{
    FillVertical(cr, b, Hex("#1b2632"), Hex("#0b1016"));
    // Catenary: messenger wire, droppers and contact wire.
    Line(cr, { 0, 5.5 }, { b.w, 5.5 }, Hex("#7d8690"), 1);
    for (double x : { 14.0, 48.0, 82.0 })
        Line(cr, { x + 0.5, 5.5 }, { x + 0.5, 16 }, Hex("#7d8690"), 0.8);
    Line(cr, { 0, 16.5 }, { b.w, 16.5 }, kCopper, 1.6);
    // Roof and insulators.
    FillVertical(cr, { 0, 110, b.w, b.h - 110 }, Hex("#56606b"), Hex("#2c333b"));
    Line(cr, { 0, 110.5 }, { b.w, 110.5 }, Hex("#a4adb6"), 1);
    for (double x : { 24.0, 68.0 }) {
        FillVertical(cr, { x, 101, 6, 9 }, Hex("#e0d6c8"), Hex("#8a7f70"));
        for (double y = 103; y < 110; y += 2.5)
            Line(cr, { x - 1, y }, { x + 7, y }, Hex("#6d6356"), 0.8);
    }
    Line(cr, { 20, 100.5 }, { 78, 100.5 }, Hex("#aab2ba"), 2.5);
    const Rgb arm = up ? Hex("#dfe5eb") : Hex("#8e969f");
    const Point hinge { 30, 98 };
    const Point knee = up ? Point { 74, 62 } : Point { 80, 93 };
    const Point head = up ? Point { 46, 21 } : Point { 40, 88 };
    Line(cr, hinge, knee, arm, 3);
    Line(cr, knee, head, arm, 2);
    Line(cr, { hinge.x + 8, 99 }, { hinge.x + 20, up ? 85.0 : 96.0 }, Hex("#9aa3ad"), 1.5);  // damper
    Disc(cr, hinge, 3, Hex("#c2c9d0"));
    Disc(cr, knee, 2, Hex("#c2c9d0"));
    // Pan head with its horns.
    const double panY = head.y - 3;
    Line(cr, head, { head.x, panY }, arm, 1.5);
    Line(cr, { head.x - 22, panY }, { head.x + 22, panY }, arm, 3);
    Line(cr, { head.x - 22, panY }, { head.x - 27, panY + 4 }, arm, 1.5);
    Line(cr, { head.x + 22, panY }, { head.x + 27, panY + 4 }, arm, 1.5);
    if (up)
        GlowDisc(cr, { head.x + 6, 17 }, 3.5, WithAlpha(kWhite, 0.95), WithAlpha(Hex("#7fd7ff"), 0));
    const std::string name = "PANTO " + std::to_string(number);
    Text(cr, name, { 4, 112, 50, 16 }, 10, true, kWhite, Align::Left);
    Text(cr, up ? "UP" : "DOWN", { 50, 112, 44, 16 }, 10, true, up ? kGreen : kAmber, Align::Right);
}

// ------------------------------------------------------------ title bar

// Title bar speed icon: drawn needle points up-left (clock 320); the bar
// turns it by 260 + 1.556 * s, so s km/h lies at clock 220 + 1.556 * s
// (0 at lower left, 180 at lower right).
constexpr double kIconNeedleClock = 320.0;
double IconClock(double kmh) { return kIconNeedleClock + 260.0 + 1.556 * kmh - 360.0; }

void SpeedIcon(cairo_t* cr, const Box& b)
{
    const Point c { b.w / 2, b.h / 2 };
    GlowDisc(cr, c, 19.5, Hex("#a0a7af"), Hex("#3a3f45"));
    GlowDisc(cr, c, 17.5, Hex("#26303a"), Hex("#090c10"));
    ArcBand(cr, c, IconClock(0), IconClock(180), 15.5, 1, Hex("#cfd6dd"));
    ArcBand(cr, c, IconClock(140), IconClock(180), 14, 2.5, WithAlpha(kRed, 0.9));
    for (int s = 0; s <= 180; s += 20)
        RadialTick(cr, c, IconClock(s), s % 60 == 0 ? 10.5 : 12.5, 16, s % 60 == 0 ? 1.6 : 1, kWhite);
}

void SpeedIconNeedle(cairo_t* cr, const Box& b)
{
    const Point c { b.w / 2, b.h / 2 };
    // A bar 3 px wide with a pointed end, so it stays readable at 40 x 42.
    const Point along = Polar({ 0, 0 }, kIconNeedleClock, 1);
    const Point across = Polar({ 0, 0 }, kIconNeedleClock + 90, 1);
    auto at = [&](double a, double w) {
        return Point { c.x + along.x * a + across.x * w, c.y + along.y * a + across.y * w };
    };
    const Point pts[] = { at(-3, -1.5), at(11.5, -1.5), at(15, 0), at(11.5, 1.5), at(-3, 1.5) };
    Polygon(cr, pts, 5, Hex("#ff5a1f"));
    GlowDisc(cr, c, 2.5, Hex("#c0c7ce"), Hex("#40464c"));
}

void BatteryIcon(cairo_t* cr, const Box& b)
{
    DarkPanel(cr, b, 3);
    const Box body { 4, 3.5, 22, 10 };
    Outline(cr, body, Hex("#dfe5eb"), 1.2, 1.5);
    FillVertical(cr, { 26, 6, 2.5, 5 }, Hex("#dfe5eb"), Hex("#9aa3ad"));
    for (int i = 0; i < 4; ++i)
        FillVertical(cr, { 6.2 + i * 4.8, 5.6, 3.6, 5.8 }, Hex("#7dff8e"), Hex("#1f9a36"));
    Text(cr, "BATTERY", { 31, 0, b.w - 33, b.h }, 10, true, kWhite);
}

// USB trident in a box of size s centred at c.
void UsbSign(cairo_t* cr, Point c, double s, const Rgb& col)
{
    const double top = c.y - 0.46 * s, bottom = c.y + 0.34 * s;
    Line(cr, { c.x, top + 0.12 * s }, { c.x, bottom }, col, 0.08 * s);
    Triangle(cr, { c.x, top }, { c.x - 0.1 * s, top + 0.16 * s }, { c.x + 0.1 * s, top + 0.16 * s }, col);
    Disc(cr, { c.x, bottom + 0.05 * s }, 0.11 * s, col);
    const double fork = c.y + 0.08 * s;
    Line(cr, { c.x, fork + 0.06 * s }, { c.x - 0.26 * s, fork - 0.08 * s }, col, 0.07 * s);
    Line(cr, { c.x - 0.26 * s, fork - 0.08 * s }, { c.x - 0.26 * s, fork - 0.22 * s }, col, 0.07 * s);
    Disc(cr, { c.x - 0.26 * s, fork - 0.26 * s }, 0.07 * s, col);
    Line(cr, { c.x, fork - 0.02 * s }, { c.x + 0.24 * s, fork - 0.16 * s }, col, 0.07 * s);
    Line(cr, { c.x + 0.24 * s, fork - 0.16 * s }, { c.x + 0.24 * s, fork - 0.28 * s }, col, 0.07 * s);
    FillVertical(cr, { c.x + 0.18 * s, fork - 0.40 * s, 0.12 * s, 0.12 * s }, col, col);
}

void UsbIcon(cairo_t* cr, const Box& b, bool copied)
{
    DarkPanel(cr, b, 4);
    UsbSign(cr, { copied ? b.w * 0.38 : b.w / 2, b.h / 2 }, b.h * 0.9, copied ? kGreen : Hex("#9aa3ad"));
    if (copied) {
        Line(cr, { 25, 17 }, { 29, 22 }, kGreen, 2.5);
        Line(cr, { 29, 22 }, { 36, 9 }, kGreen, 2.5);
    }
}

void CaptionTile(cairo_t* cr, const Box& b, const std::string& text, const Rgb& col)
{
    DarkPanel(cr, b, 3);
    Outline(cr, { 2, 2, b.w - 4, b.h - 4 }, WithAlpha(col, 0.7), 1, 2);
    Text(cr, text, b, b.h * 0.40, true, col);
}

void DriverId(cairo_t* cr, const Box& b)
{
    DarkPanel(cr, b, 4);
    const Box card { 4, 4, b.w - 8, b.h - 8 };
    FillVertical(cr, card, Hex("#c9d6e3"), Hex("#8ea2b6"), 3);
    FillVertical(cr, { 4, 4, b.w - 8, 9 }, Hex("#2a6fb0"), Hex("#174a7a"), 3);
    Text(cr, "DRIVER ID", { 4, 4, b.w - 8, 9 }, 7, true, kWhite);
    const Box photo { 8, 16, 20, 24 };
    FillVertical(cr, photo, Hex("#eef3f8"), Hex("#d0dae4"));
    Disc(cr, { 18, 24 }, 4.5, Hex("#47525e"));
    FillVertical(cr, { 11, 30, 14, 10 }, Hex("#47525e"), Hex("#2e3640"), 5);
    for (int i = 0; i < 3; ++i)
        Line(cr, { 33, 20.5 + i * 6.0 }, { b.w - 9.0 - (i == 2 ? 12 : 0), 20.5 + i * 6.0 }, Hex("#47525e"), 2);
}

// --------------------------------------------------------- screen icons

enum class Icon { HighVoltage, Converter, Motor, Blower, Brake, Energy, Thermometer, Gauge };

void HighVoltageSign(cairo_t* cr, Point c, double s)
{
    Triangle(cr, { c.x, c.y - 0.44 * s }, { c.x + 0.46 * s, c.y + 0.36 * s }, { c.x - 0.46 * s, c.y + 0.36 * s },
             kYellow);
    const Point bolt[] = { { c.x + 0.05 * s, c.y - 0.24 * s }, { c.x - 0.12 * s, c.y + 0.06 * s },
                           { c.x + 0.01 * s, c.y + 0.06 * s }, { c.x - 0.06 * s, c.y + 0.30 * s },
                           { c.x + 0.13 * s, c.y - 0.02 * s }, { c.x + 0.0 * s, c.y - 0.02 * s } };
    Polygon(cr, bolt, 6, Hex("#111111"));
}

void ScreenIcon(cairo_t* cr, const Box& b, Icon icon)
{
    DarkPanel(cr, { 0.5, 0.5, b.w - 1, b.h - 1 }, 6);
    const Point c { b.w / 2, b.h / 2 };
    const double s = b.w;
    switch (icon) {
    case Icon::HighVoltage:
        HighVoltageSign(cr, c, s * 0.9);
        break;
    case Icon::Converter:
        Outline(cr, { 8, 8, 32, 32 }, kCyan, 2.5, 2);
        Line(cr, { 9, 39 }, { 39, 9 }, kCyan, 2);
        Text(cr, "~", { 9, 8, 18, 16 }, 16, true, kCyan);
        Text(cr, "=", { 22, 24, 18, 16 }, 16, true, kCyan);
        break;
    case Icon::Motor:
        Ring(cr, { 21, 24 }, 13, kGreen, 3);
        Text(cr, "M", { 8, 11, 26, 26 }, 14, true, kGreen);
        Line(cr, { 34.5, 24 }, { 44, 24 }, kGreen, 4);
        break;
    case Icon::Blower:
        Ring(cr, c, 17, kCyan, 2.5);
        for (int a = 0; a < 360; a += 90) {
            cairo_save(cr);
            cairo_translate(cr, c.x, c.y);
            cairo_rotate(cr, a * M_PI / 180.0);
            cairo_scale(cr, 1.0, 0.45);
            Disc(cr, { 7.5, 0 }, 7, kCyan);
            cairo_restore(cr);
        }
        Disc(cr, c, 3, Hex("#0b0f13"));
        break;
    case Icon::Brake:
        BrakeSign(cr, c, s * 0.52, kAmber, "!");
        break;
    case Icon::Energy:
        Outline(cr, { 7, 9, 34, 30 }, kYellow, 2, 3);
        FillVertical(cr, { 11, 13, 26, 10 }, Hex("#05101a"), Hex("#0b1d2d"));
        Text(cr, "kWh", { 11, 13, 26, 10 }, 8, true, kYellow);
        HighVoltageSign(cr, { 24, 31 }, 14);
        break;
    case Icon::Thermometer:
        Outline(cr, { 19.5, 6, 9, 30 }, kWhite, 1.5, 4.5);
        Disc(cr, { 24, 36 }, 7, kRed);
        FillVertical(cr, { 22, 16, 4, 20 }, kRed, kRed);
        for (int i = 0; i < 4; ++i)
            Line(cr, { 30, 10.5 + i * 6.0 }, { 34, 10.5 + i * 6.0 }, kWhite, 1);
        break;
    case Icon::Gauge:
        Ring(cr, c, 17, kWhite, 2.5);
        ArcBand(cr, c, 225, 405, 13, 3, WithAlpha(kGreen, 0.9));
        ArcBand(cr, c, 405, 495, 13, 3, WithAlpha(kRed, 0.9));
        RadialTick(cr, c, 60, -2, 13, 2, kAmber);
        Disc(cr, c, 2.5, kAmber);
        Text(cr, "bar", { 14, 30, 20, 10 }, 8, true, kDimText);
        break;
    }
}

// ---------------------------------------------------------------- pop-ups

// Pop-up frame: header with its sign and title, a black text field where
// the four message rows go (picture rows from y 118, 30 apart, the last one
// wrapped at 700 px from x 58, so the field spans x 24..766 and y 110..310),
// a footer line.
void PopupFrame(cairo_t* cr, const Box& b, const Rgb& accent, const std::string& title,
                const std::string& footer, bool usb)
{
    FillVertical(cr, b, Hex("#12171d"), Hex("#07090c"), 10);
    Outline(cr, b, accent, 3, 10);
    const Box header { 8, 8, b.w - 16, 94 };
    FillVertical(cr, header, Mix(accent, kBlack, 0.55), Mix(accent, kBlack, 0.85), 6);
    if (usb) {
        Disc(cr, { 66, 55 }, 36, Hex("#0b1016"));
        UsbSign(cr, { 66, 55 }, 64, kWhite);
    } else {
        Triangle(cr, { 66, 16 }, { 108, 92 }, { 24, 92 }, kYellow);
        Text(cr, "!", { 46, 34, 40, 56 }, 48, true, Hex("#111111"));
    }
    Text(cr, title, { 130, 8, b.w - 150, 94 }, 34, true, kWhite, Align::Left);
    const Box field { 24, 110, b.w - 48, 200 };
    FillVertical(cr, field, kBlack, kBlack);
    Outline(cr, field, Mix(accent, kBlack, 0.45), 1.5, 2);
    Line(cr, { 20, 318.5 }, { b.w - 20, 318.5 }, Mix(accent, kBlack, 0.4), 1);
    Text(cr, footer, { 20, 322, b.w - 40, 30 }, 18, true, kAmber);
}

// ----------------------------------------------------------- the table

DrawPicture Unit(const char* text)
{
    return [text](cairo_t* cr, const Box& b) { UnitCaption(cr, b, text); };
}

DrawPicture Strip(bool on, const char* word, StripSign sign = StripSign::Lamp)
{
    return [on, word, sign](cairo_t* cr, const Box& b) { StatusStrip(cr, b, on, word, sign); };
}

DrawPicture KeyOf(const KeyStyle& style)
{
    return [style](cairo_t* cr, const Box& b) { StatusKey(cr, b, style); };
}

DrawPicture MotorOf(const KeyStyle& style)
{
    return [style](cairo_t* cr, const Box& b) { MotorKey(cr, b, style); };
}

DrawPicture Arrow(bool up, bool pressed)
{
    return [up, pressed](cairo_t* cr, const Box& b) { ArrowKey(cr, b, up, pressed); };
}

DrawPicture Indicator(Sign sign, bool on, const Rgb& colour)
{
    return [sign, on, colour](cairo_t* cr, const Box& b) { IndicatorCell(cr, b, sign, on, colour); };
}

DrawPicture Panto(int number, bool up)
{
    return [number, up](cairo_t* cr, const Box& b) { Pantograph(cr, b, number, up); };
}

DrawPicture IconOf(Icon icon)
{
    return [icon](cairo_t* cr, const Box& b) { ScreenIcon(cr, b, icon); };
}

DrawPicture Scale(int fullScale, int major, int minor, const char* unit)
{
    return [=](cairo_t* cr, const Box& b) { BarScale(cr, b, fullScale, major, minor, unit); };
}

DrawPicture Pointer(bool right, const Rgb& colour)
{
    return [right, colour](cairo_t* cr, const Box& b) { BarArrow(cr, b, right, colour); };
}

DrawPicture Usb(bool copied)
{
    return [copied](cairo_t* cr, const Box& b) { UsbIcon(cr, b, copied); };
}

DrawPicture Popup(const Rgb& accent, const char* title, const char* footer, bool usb)
{
    return [=](cairo_t* cr, const Box& b) { PopupFrame(cr, b, accent, title, footer, usb); };
}

}  // namespace

const std::vector<PictureDrawer>& PictureDrawers()
{
    static const std::vector<PictureDrawer> table = {
        { "AmpsUnit.jpg", Unit("A") },
        { "BarUnit.jpg", Unit("bar") },
        { "CelsiusUnit.jpg", Unit("\xC2\xB0""C") },
        { "HertzUnit.jpg", Unit("Hz") },
        { "KM_HR.jpg", Unit("km/h") },
        { "KilonewtonUnit.jpg", Unit("kN") },
        { "KwButtonUnit.jpg", Unit("kW") },
        { "KwhUnit.jpg", Unit("kWh") },
        { "NULLUnit.jpg", Unit("") },
        { "RPMUnit.jpg", Unit("rpm") },
        { "VoltsUnit.jpg", Unit("V") },

        { "GreyBox.png", GreyPlate },
        { "ValIndicator2.jpg", ValueField },
        { "ValIndicator3.jpg", ValueField },
        { "ValIndicator6.jpg", ValueField },
        { "BoolValON.jpg", Strip(true, "ON") },
        { "BoolValOFF.jpg", Strip(false, "OFF") },
        { "DualBoolValON.jpg", Strip(true, "ON") },
        { "DualBoolValOFF.jpg", Strip(false, "OFF") },
        { "pantoup.jpg", Strip(true, "UP", StripSign::PantoUp) },
        { "pantodown.jpg", Strip(false, "DOWN", StripSign::PantoDown) },
        { "ProgressHolder.jpg", ProgressHolder },

        { "Background.jpg", Background },
        { "CircularGauge.png", SpeedDial },
        { "CircularNeedle.png", SpeedNeedle },
        { "Voltmeter.png", VoltDial },
        { "VoltMeterNeedel.png", VoltNeedle },
        { "ProgressBarAmp.png", Scale(350, 50, 10, "A") },
        { "ProgressBarVolt.png", Scale(35, 5, 1, "kV") },
        { "ProgressBarVolt.jpg", Scale(35, 5, 1, "kV") },
        { "Pressures.jpg", EffortScale },
        { "lf1.png", Pointer(true, kAmber) },
        { "PressureGuageLeftIndicator.png", Pointer(true, kAmber) },
        { "PressureGuageRightIndicator.png", Pointer(false, Hex("#f2f5f8")) },
        { "Panto1Up.png", Panto(1, true) },
        { "Panto1Down.jpg", Panto(1, false) },
        { "Panto2Up.png", Panto(2, true) },
        { "Panto2Down.jpg", Panto(2, false) },

        { "Button1ON.png", KeyOf(kGreenKey) },
        { "Button1OFF.png", KeyOf(kRedKey) },
        { "Button2ON.png", KeyOf(kGreenKey) },
        { "Button2OFF.png", KeyOf(kGreyKey) },
        { "motorON.png", MotorOf(kGreenKey) },
        { "motorOFF.png", MotorOf(kRedKey) },
        { "BlKeyON.png", Indicator(Sign::Key, true, kGreen) },
        { "BlKeyOFF.png", Indicator(Sign::Key, false, kGreen) },
        { "TrainBrakeON.png", Indicator(Sign::TrainBrake, true, kAmber) },
        { "TrainBrakeOFF.png", Indicator(Sign::TrainBrake, false, kAmber) },
        { "LocoBrakeON.png", Indicator(Sign::LocoBrake, true, kAmber) },
        { "LocoBrakeOFF.png", Indicator(Sign::LocoBrake, false, kAmber) },
        { "WheelSlipON.png", Indicator(Sign::WheelSlip, true, kRed) },
        { "WheelSlipOFF.png", Indicator(Sign::WheelSlip, false, kRed) },

        { "SpeedIcon.png", SpeedIcon },
        { "SpeedIconNeedle.png", SpeedIconNeedle },
        { "BatteryIcon.png", BatteryIcon },
        { "blank.png", [](cairo_t*, const Box&) {} },
        { "usb_off.png", Usb(false) },
        { "usb_on.png", Usb(true) },
        { "MDEF.png", [](cairo_t* cr, const Box& b) { CaptionTile(cr, b, "MDEF", kAmber); } },
        { "DriverID.png", DriverId },
        { "HighVoltage.png", IconOf(Icon::HighVoltage) },
        { "AuxiliaryConverter.png", IconOf(Icon::Converter) },
        { "TractionMotor.png", IconOf(Icon::Motor) },
        { "AuxiliarySystem.png", IconOf(Icon::Blower) },
        { "BrakingSystem.png", IconOf(Icon::Brake) },
        { "EnergyMontioring.png", IconOf(Icon::Energy) },
        { "Temperatures.png", IconOf(Icon::Thermometer) },
        { "Pressures.png", IconOf(Icon::Gauge) },

        { "WarningPopup.png", Popup(Hex("#d42a2a"), "FAULT MESSAGE", "Press HOME to acknowledge", false) },
        { "USBPOPUP.png", Popup(Hex("#2a7fd4"), "USB DATA TRANSFER", "Diagnostics log", true) },

        { "Button3ON.png", KeyOf(kGreenKey) },
        { "Button3OFF.png", KeyOf(kRedKey) },
        { "upButton.png", Arrow(true, false) },
        { "upButtonPressed.png", Arrow(true, true) },
        { "DownButton.png", Arrow(false, false) },
        { "DownButtonPressed.png", Arrow(false, true) },
        { "upButton1.png", Arrow(true, false) },
        { "upButtonOn1.png", Arrow(true, true) },
        { "DownButton1.png", Arrow(false, false) },
        { "DownButtonOn1.png", Arrow(false, true) },
    };
    return table;
}

}  // namespace cabimages
