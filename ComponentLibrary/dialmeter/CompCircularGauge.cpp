#include "CompCircularGauge.h"

#include "CompSupport.h"


#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const char* const kClassWord = "CompCircularGauge";
const char* const kEmptyTextLine = "Invalid Label Text. Set to Default ";

// The pictures of one dial and where its needle turns. The needle picture is
// painted at (NeedleX, NeedleY) relative to the pivot, so the pivot lands on
// that point of the needle picture.
struct DialPictures {
    const char* DrawLine;
    const char* NeedlePath;
    const char* FacePath;
    float Width;
    float Height;
    double PivotX;
    double PivotY;
    double NeedleX;
    double NeedleY;
};

// Speedometer: the needle turns about its own centre, the dial centre.
const DialPictures kSpeedDial = {"DrawSpeedometerNeedle CompCircularGauge",
                                 "./Images/CircularNeedle.png", "./Images/CircularGauge.png",
                                 240, 252, 240 / 2.0, 252 / 2.0, -240 / 2.0, -252 / 2.0};

// Voltmeter: the pivot sits 10 pixels below the dial centre and two thirds
// down the needle picture.
const DialPictures kVoltDial = {"DrawVoltmeterNeedle CompCircularGauge",
                                "./Images/VoltMeterNeedel.png", "./Images/Voltmeter.png",
                                96, 90, 96 / 2.0, 90 / 2.0 + 10, -96 / 2.0, -90 / 1.5};

// True when both are the same picture: the same decoded picture, or the
// same pixels decoded again (a file the picture cache could not yet tell
// from its last version is decoded on every use).
bool SamePicture(const Glib::RefPtr<Gdk::Pixbuf>& a, const Glib::RefPtr<Gdk::Pixbuf>& b)
{
    if (a == b)
        return true;
    if (!a || !b || a->get_width() != b->get_width() || a->get_height() != b->get_height() ||
        a->get_n_channels() != b->get_n_channels() || a->get_has_alpha() != b->get_has_alpha() ||
        a->get_bits_per_sample() != b->get_bits_per_sample())
        return false;
    const std::size_t rowBytes =
        std::size_t(a->get_width()) * std::size_t(a->get_n_channels()) * std::size_t(a->get_bits_per_sample()) / 8;
    for (int row = 0; row < a->get_height(); ++row)
        if (std::memcmp(a->get_pixels() + std::size_t(row) * a->get_rowstride(),
                        b->get_pixels() + std::size_t(row) * b->get_rowstride(), rowBytes) != 0)
            return false;
    return true;
}

// True when the dial's pictures are those it painted last.
bool PaintedAlready(const CompCircularGauge::DialPainted& painted, const Glib::RefPtr<Gdk::Pixbuf>& face,
                    const Glib::RefPtr<Gdk::Pixbuf>& needle)
{
    return SamePicture(face, painted.face) && SamePicture(needle, painted.needle);
}

// True when the expose draws the whole of the dial's window.
bool ExposesWhole(Gtk::DrawingArea& dial, const GdkEventExpose* event)
{
    if (!event || !event->region)
        return false;
    const Gtk::Allocation size = dial.get_allocation();
    GdkRectangle whole = {0, 0, size.get_width(), size.get_height()};
    return gdk_region_rect_in(event->region, &whole) == GDK_OVERLAP_RECTANGLE_IN;
}

// Paints the dial picture and over it the needle turned clockwise by angle
// degrees. A missing or unreadable picture paints nothing. When the pictures
// are not the ones the dial painted last (one was replaced on disk or
// removed), a part drawn now would not match the rest of the dial: the
// whole dial is drawn again.
bool PaintDial(Gtk::DrawingArea& dial, const GdkEventExpose* event, const DialPictures& pictures, float offsetX,
               float offsetY, float angle, unsigned debug, CompCircularGauge::DialSurface* surfaces,
               CompCircularGauge::DialPainted& painted)
{
    compsupport::PrintStatement(debug, pictures.DrawLine);
    Glib::RefPtr<Gdk::Pixbuf> needle =
        compsupport::LoadPicture(pictures.NeedlePath, pictures.Width, pictures.Height);
    Glib::RefPtr<Gdk::Pixbuf> face;
    if (needle)
        face = compsupport::LoadPicture(pictures.FacePath, pictures.Width, pictures.Height);
    Glib::RefPtr<Gdk::Window> window = dial.get_window();
    if (!PaintedAlready(painted, face, needle) && window && !ExposesWhole(dial, event))
        dial.queue_draw();
    painted.face = face;
    painted.needle = needle;
    if (!needle || !face) {
        compsupport::PrintStatement(debug, std::string("Image Not Found ") + pictures.DrawLine);
        return false;
    }
    if (!window)
        return false;

    Cairo::RefPtr<Cairo::Context> context = window->create_cairo_context();
    context->translate(offsetX, offsetY);
    compsupport::SetSourcePicture(context, face, 0, 0, surfaces[0].picture, surfaces[0].surface);
    context->paint();

    context->save();
    context->translate(pictures.PivotX, pictures.PivotY);
    context->rotate(compsupport::Radians(angle));
    compsupport::SetSourcePicture(context, needle, pictures.NeedleX, pictures.NeedleY, surfaces[1].picture,
                                  surfaces[1].surface);
    context->paint();
    context->restore();
    return true;
}

// The part of the dial window the needle covers when turned by angle degrees:
// the needle picture's inked rectangle turned about the pivot as PaintDial
// paints it, widened by two pixels for the smoothing of the turned picture.
Gdk::Rectangle NeedleArea(const DialPictures& pictures, const Gdk::Rectangle& inked, float offsetX,
                          float offsetY, float angle)
{
    const double radians = angle * M_PI / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    double left = 0, top = 0, right = 0, bottom = 0;
    for (int corner = 0; corner < 4; ++corner) {
        const double u = inked.get_x() + (corner & 1 ? inked.get_width() : 0) + pictures.NeedleX;
        const double v = inked.get_y() + (corner & 2 ? inked.get_height() : 0) + pictures.NeedleY;
        const double x = offsetX + pictures.PivotX + c * u - s * v;
        const double y = offsetY + pictures.PivotY + s * u + c * v;
        left = corner == 0 ? x : std::min(left, x);
        right = corner == 0 ? x : std::max(right, x);
        top = corner == 0 ? y : std::min(top, y);
        bottom = corner == 0 ? y : std::max(bottom, y);
    }
    const int x0 = compsupport::Px(std::floor(left)) - 2;
    const int y0 = compsupport::Px(std::floor(top)) - 2;
    return Gdk::Rectangle(x0, y0, compsupport::Px(std::ceil(right)) + 2 - x0,
                          compsupport::Px(std::ceil(bottom)) + 2 - y0);
}

// Redraws the needle's old and new place only, over the face and with the
// needle the dial painted last. The whole dial is redrawn when a picture is
// missing or is not the one painted last (a picture replaced on disk: the
// face may differ everywhere, the needle may cover other pixels).
void RedrawNeedle(Gtk::DrawingArea& dial, const DialPictures& pictures, float offsetX, float offsetY, float from,
                  float to, CompCircularGauge::NeedleInk& ink, const CompCircularGauge::DialPainted& painted)
{
    Glib::RefPtr<Gdk::Window> window = dial.get_window();
    if (!window || !dial.get_mapped())
        return;
    Glib::RefPtr<Gdk::Pixbuf> needle = compsupport::LoadPicture(pictures.NeedlePath, pictures.Width, pictures.Height);
    Glib::RefPtr<Gdk::Pixbuf> face;
    if (needle)
        face = compsupport::LoadPicture(pictures.FacePath, pictures.Width, pictures.Height);
    if (!needle || !face || !PaintedAlready(painted, face, needle)) {
        dial.queue_draw();
        return;
    }
    if (ink.picture != needle) {
        ink.picture = needle;
        ink.area = compsupport::InkedArea(needle);
    }
    window->invalidate_rect(NeedleArea(pictures, ink.area, offsetX, offsetY, from), false);
    window->invalidate_rect(NeedleArea(pictures, ink.area, offsetX, offsetY, to), false);
}

// Formats a whole number into the text and the label, leaving the stream empty.
void ShowNumber(std::stringstream& formatter, short value, std::string& text, Gtk::Label& label)
{
    formatter << value;
    text = formatter.str();
    compsupport::ShowText(label, text);
    formatter.str("");
    formatter.clear();
}

}  // namespace

CompCircularGauge::CompCircularGauge()
{
    PrintStatement(std::string("Constructor ") + kClassWord);
    Initialization();
}

CompCircularGauge::~CompCircularGauge()
{
    PrintStatement(std::string("Destructor ") + kClassWord);
}

void CompCircularGauge::Initialization()
{
    DebugOutput = 0;
    SpeedDrawn = 0;
    VoltDrawn = 0;
    SpeedAngle = 121;
    VoltAngle = 310;
    SpeedImageX = 30;
    SpeedImageY = 10;
    VoltImageX = 0;
    VoltImageY = 0;
    SpeedDialWidth = 270;
    SpeedDialHeight = 260;
    SpeedDialX = 0;
    SpeedDialY = 0;
    VoltDialWidth = 140;
    VoltDialHeight = 140;
    VoltDialX = 265;
    VoltDialY = 140;
    SpeedBoxWidth = 10;
    SpeedBoxHeight = 10;
    SpeedBoxX = 10;
    SpeedBoxY = 10;
    SpeedFontSize = 0;  // the owner sets it
    UnitBoxX = 10;
    UnitBoxY = 10;
    UnitBoxWidth = 0;   // the owner sets it
    UnitBoxHeight = 0;  // the owner sets it
    UnitFontSize = 10;
    VoltBoxWidth = 10;
    VoltBoxHeight = 10;
    VoltBoxX = 10;
    VoltBoxY = 10;
    VoltFontSize = 5;
    VoltDialColour = "black";
    SpeedDialColour = "black";
    SpeedBoxColour = "white";
    SpeedTextColour = "black";
    SpeedText = "0";
    VoltText = "";
    UnitTextColour = "white";
    UnitText = "kmph";
    VoltFrameColour = "#b1b5b3";
    VoltBoxColour = "black";
    VoltTextColour = "white";
}

void CompCircularGauge::ConstructLayout()
{
    using namespace compsupport;
    using compsupport::Weight;

    PrintStatement(std::string("ConstructLayout ") + kClassWord);
    Background(*this, "black");

    RequestSize(SpeedDial, SpeedDialWidth, SpeedDialHeight);
    GaugeFixed.put(SpeedDial, Px(SpeedDialX), Px(SpeedDialY));
    SpeedDial.signal_expose_event().connect(
        sigc::mem_fun(*this, &CompCircularGauge::DrawSpeedometerNeedle), true);
    Background(SpeedDial, SpeedDialColour);

    RequestSize(VoltDial, VoltDialWidth, VoltDialHeight);
    GaugeFixed.put(VoltDial, Px(VoltDialX), Px(VoltDialY));
    VoltDial.signal_expose_event().connect(
        sigc::mem_fun(*this, &CompCircularGauge::DrawVoltmeterNeedle), true);
    Background(VoltDial, VoltDialColour);

    RequestSize(SpeedBox, SpeedBoxWidth, SpeedBoxHeight);
    Background(SpeedBox, SpeedBoxColour);
    GaugeFixed.put(SpeedBox, Px(SpeedBoxX), Px(SpeedBoxY));
    if (SpeedText.empty()) {
        PrintStatement(kEmptyTextLine + SpeedText);
        SpeedText = "0";
    }
    SpeedLabel.set_text(SpeedText);
    Foreground(SpeedLabel, SpeedTextColour);
    SpeedBox.add(SpeedLabel);
    SetFont(SpeedLabel, PangoSize(SpeedFontSize), Weight::Bold);

    RequestSize(UnitBox, UnitBoxWidth, UnitBoxHeight);
    Background(UnitBox, "#212121");
    UnitBox.add(UnitLabel);
    SetFont(UnitLabel, PangoSize(UnitFontSize), Weight::Normal);
    UnitLabel.set_text(UnitText);
    Foreground(UnitLabel, UnitTextColour);
    GaugeFixed.put(UnitBox, Px(UnitBoxX), Px(UnitBoxY));

    // The inner box is inset by its one-pixel border, so the frame colour
    // shows as a ring around it.
    Background(VoltBox, VoltBoxColour);
    VoltBox.set_border_width(1);
    VoltFrameBox.add(VoltBox);
    RequestSize(VoltFrameBox, VoltBoxWidth, VoltBoxHeight);
    Background(VoltFrameBox, VoltFrameColour);
    GaugeFixed.put(VoltFrameBox, Px(VoltBoxX), Px(VoltBoxY));

    if (VoltText.empty()) {
        PrintStatement(kEmptyTextLine + VoltText);
        VoltText = "0";
    }
    VoltLabel.set_text(VoltText);
    SetFont(VoltLabel, PangoSize(VoltFontSize), Weight::Normal);
    Foreground(VoltLabel, VoltTextColour);
    VoltBox.add(VoltLabel);

    add(GaugeFixed);
    show_all_children();
}

void CompCircularGauge::UpdateSpeed(short speed)
{
    const float before = SpeedAngle;
    SpeedAngle = compsupport::Linear(121.0, 1.495, speed);
    RedrawNeedle(SpeedDial, kSpeedDial, SpeedImageX, SpeedImageY, before, SpeedAngle, NeedleInks[0], Painted[0]);
    ShowNumber(SpeedFormatter, speed, SpeedText, SpeedLabel);
}

void CompCircularGauge::UpdateVolt(short volt)
{
    if (volt <= 69)
        volt = 70;
    else if (volt > 150)
        volt = 150;
    const float before = VoltAngle;
    VoltAngle = compsupport::Linear(310.0, 1.25, volt - 70);
    RedrawNeedle(VoltDial, kVoltDial, VoltImageX, VoltImageY, before, VoltAngle, NeedleInks[1], Painted[1]);
    ShowNumber(VoltFormatter, volt, VoltText, VoltLabel);
}

bool CompCircularGauge::DrawSpeedometerNeedle(GdkEventExpose* event)
{
    SpeedDrawn = PaintDial(SpeedDial, event, kSpeedDial, SpeedImageX, SpeedImageY, SpeedAngle, DebugOutput,
                           &DialSurfaces[0], Painted[0]) ? 1 : 0;
    return SpeedDrawn != 0;
}

bool CompCircularGauge::DrawVoltmeterNeedle(GdkEventExpose* event)
{
    VoltDrawn = PaintDial(VoltDial, event, kVoltDial, VoltImageX, VoltImageY, VoltAngle, DebugOutput,
                          &DialSurfaces[2], Painted[1]) ? 1 : 0;
    return VoltDrawn != 0;
}

bool CompCircularGauge::FileExists(const std::string& path)
{
    return compsupport::FileExists(path);
}

void CompCircularGauge::PrintStatement(std::string text)
{
    compsupport::PrintStatement(DebugOutput, text);
}
