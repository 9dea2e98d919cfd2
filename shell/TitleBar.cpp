#include "TitleBar.h"

#include "CompSupport.h"

#include <cairomm/context.h>
#include <gdkmm/general.h>
#include <glibmm/main.h>
#include <pangomm/fontdescription.h>

#include <cmath>

namespace {

const float kSpeedIconWidth = 40;
const float kSpeedIconHeight = 42;

void SetFont(Gtk::Widget& widget, int pangoSize)
{
    if (pangoSize <= 0)
        return;
    Pango::FontDescription font;
    font.set_size(pangoSize);
    widget.modify_font(font);
}

}  // namespace

std::string FormatClock(const std::tm& local, const char* format, std::size_t size)
{
    std::string text(size, '\0');
    const std::size_t length = std::strftime(&text[0], size, format, &local);
    text.resize(length);
    return text;
}

// One label in a coloured box: size, place, colours, text and font.
struct TitleBar::LabelBox {
    Gtk::EventBox TitleBar::*box;
    Gtk::Label TitleBar::*label;  // null for a box without a label
    int width, height, x, y;
    const char* background;
    const char* text;
    const char* colour;
    int font;  // Pango size; 0 keeps the default font
};

TitleBar::TitleBar() {}

TitleBar::~TitleBar() {}

void TitleBar::BuildLabelBox(const LabelBox& spec, bool place)
{
    Gtk::EventBox& box = this->*spec.box;
    box.set_size_request(spec.width, spec.height);
    box.modify_bg(Gtk::STATE_NORMAL, Gdk::Color(spec.background));
    if (spec.label) {
        Gtk::Label& label = this->*spec.label;
        label.set_text(spec.text);
        label.modify_fg(Gtk::STATE_NORMAL, Gdk::Color(spec.colour));
        SetFont(label, spec.font);
        box.add(label);
    }
    if (place)
        Area.put(box, spec.x, spec.y);
}

void TitleBar::ConstructLayout()
{
    typedef TitleBar T;
    set_size_request(790, 54);
    modify_bg(Gtk::STATE_NORMAL, Gdk::Color("white"));
    add(Area);

    TitleBox.set_size_request(784, 40);
    TitleLabel.set_text("Driver Display System");
    TitleLabel.modify_fg(Gtk::STATE_NORMAL, Gdk::Color("black"));
    SetFont(TitleLabel, 14336);
    TitleBox.pack_start(TitleLabel, Gtk::PACK_EXPAND_PADDING, 0);
    Area.put(TitleBox, 0, 1);

    static const LabelBox kPlacedBeforeBattery[] = {
        {&T::SeparatorBox, nullptr, 784, 3, 3, 48, "black", "", "", 0},
        {&T::Cab1Box, &T::Cab1Label, 45, 20, 740, 6, "black", " ", "white", 0},
        {&T::Cab2Box, &T::Cab2Label, 45, 18, 740, 28, "black", " ", "white", 0},
        {&T::LocoNumberBox, &T::LocoNumberLabel, 45, 18, 693, 28, "black", "0", "#00ffff", 8601},
        {&T::MasterSlaveBox, &T::MasterSlaveLabel, 45, 18, 692, 7, "black", " ", "white", 0},
    };
    for (const LabelBox& spec : kPlacedBeforeBattery)
        BuildLabelBox(spec, true);
    // The clock box takes its place now; its label joins once the clock runs.
    DateTimeBox.set_size_request(168, 12);
    DateTimeBox.modify_bg(Gtk::STATE_NORMAL, Gdk::Color("white"));
    Area.put(DateTimeBox, 311, 35);

    GetReSizedImage(BatteryIcon, "./Images/BatteryIcon.png", 88, 17);
    Area.put(BatteryIcon, 605, 5);

    static const LabelBox kBattery[] = {
        {&T::BatteryBox, &T::BatteryLabel, 65, 20, 613, 25, "black", "0.0  V", "#00ffff", 10240},
        {&T::BatteryUnitBox, &T::BatteryUnitLabel, 24, 20, 665, 25, "black", "V", "white", 10240},
    };
    for (const LabelBox& spec : kBattery)
        BuildLabelBox(spec, true);

    SpeedIcon.set_size_request(static_cast<int>(kSpeedIconWidth), static_cast<int>(kSpeedIconHeight));
    SpeedIcon.modify_bg(Gtk::STATE_NORMAL, Gdk::Color("white"));
    SpeedIcon.signal_expose_event().connect(sigc::mem_fun(*this, &TitleBar::DrawSpeedometerIconNeedle), true);
    Area.put(SpeedIcon, 3, 3);

    static const LabelBox kSpeedAndEffort[] = {
        {&T::SpeedBox, &T::SpeedLabel, 45, 20, 55, 7, "black", "0", "#00ffff", 0},
        {&T::TeBeCaptionBox, &T::TeBeCaptionLabel, 60, 18, 110, 7, "black", "TE/BE Act", "white", 8601},
        {&T::TeBeValueBox, &T::TeBeValueLabel, 50, 18, 170, 7, "black", " ", "white", 8601},
        {&T::TeBeUnitBox, &T::TeBeUnitLabel, 30, 18, 220, 7, "black", "KN", "white", 8601},
        {&T::EfPBox, &T::EfPLabel, 38, 18, 110, 27, "white", " ", "green", 12288},
        {&T::EfCBox, &T::EfCLabel, 38, 18, 152, 27, "white", " ", "green", 12288},
        {&T::EfABox, &T::EfALabel, 38, 18, 194, 27, "white", " ", "green", 12288},
    };
    SpeedUnitLabel.set_text("KM/HR");
    SpeedUnitLabel.modify_fg(Gtk::STATE_NORMAL, Gdk::Color("black"));
    BuildLabelBox(kSpeedAndEffort[0], true);
    Area.put(SpeedUnitLabel, 55, 27);
    for (std::size_t i = 1; i < sizeof kSpeedAndEffort / sizeof kSpeedAndEffort[0]; ++i)
        BuildLabelBox(kSpeedAndEffort[i], true);

    GetReSizedImage(UsbIcon, "./Images/blank.png", 40, 30);
    Area.put(UsbIcon, 570, 10);

    // Built but not shown on the strip.
    static const LabelBox kOffStrip[] = {
        {&T::BlankBox, nullptr, 60, 25, 0, 0, "black", "", "", 0},
        {&T::BeCaptionBox, &T::BeCaptionLabel, 50, 18, 0, 0, "black", "BE Act", "white", 8601},
        {&T::BeValueBox, &T::BeValueLabel, 50, 18, 0, 0, "black", " ", "white", 8601},
        {&T::BeUnitBox, &T::BeUnitLabel, 30, 18, 0, 0, "black", "KN", "white", 8601},
    };
    for (const LabelBox& spec : kOffStrip)
        BuildLabelBox(spec, false);
    GetReSizedImage(MdefIcon, "./Images/MDEF.png", 40, 27);
    GetReSizedImage(DriverIdIcon, "./Images/DriverID.png", 72, 48);
    DayLabel.set_text("0");
    DayLabel.modify_fg(Gtk::STATE_NORMAL, Gdk::Color("black"));
    SetFont(DayLabel, 14336);
    DayBox.set_size_request(33, 23);
    DayBox.pack_start(DayLabel);
    MonthYearLabel.set_text(" FEB\n2024");
    MonthYearLabel.modify_fg(Gtk::STATE_NORMAL, Gdk::Color("white"));
    SetFont(MonthYearLabel, 8601);
    MonthYearBox.set_size_request(42, 35);
    MonthYearBox.pack_start(MonthYearLabel);

    Glib::signal_timeout().connect(sigc::mem_fun(*this, &TitleBar::SetDateTime), 1000);
    DateTimeLabel.set_text("0");
    DateTimeLabel.modify_fg(Gtk::STATE_NORMAL, Gdk::Color("black"));
    SetFont(DateTimeLabel, 8601);
    DateTimeBox.add(DateTimeLabel);
}

bool TitleBar::DrawSpeedometerIconNeedle(GdkEventExpose*)
{
    Glib::RefPtr<Gdk::Pixbuf> needle = compsupport::LoadPicture("./Images/SpeedIconNeedle.png", kSpeedIconWidth, kSpeedIconHeight);
    Glib::RefPtr<Gdk::Pixbuf> dial = compsupport::LoadPicture("./Images/SpeedIcon.png", kSpeedIconWidth, kSpeedIconHeight);
    Glib::RefPtr<Gdk::Window> window = SpeedIcon.get_window();
    if (!window)
        return true;
    Cairo::RefPtr<Cairo::Context> cr = window->create_cairo_context();
    if (dial) {
        compsupport::SetSourcePicture(cr, dial, 0, 0, IconPictures[0], IconSurfaces[0]);
        cr->paint();
    }
    if (needle) {
        const double cx = needle->get_width() / 2.0;
        const double cy = needle->get_height() / 2.0;
        cr->save();
        cr->translate(cx, cy);
        cr->rotate(compsupport::Radians(NeedleAngle));
        compsupport::SetSourcePicture(cr, needle, -cx, -cy, IconPictures[1], IconSurfaces[1]);
        cr->paint();
        cr->restore();
    }
    return true;
}

bool TitleBar::SetDateTime()
{
    ClockTime = std::time(nullptr);
    std::tm local = {};
    localtime_r(&ClockTime, &local);
    struct Clock {
        char* text;
        std::size_t size;
        const char* format;
        Gtk::Label* label;
    } const clocks[] = {
        {DateTimeText, sizeof DateTimeText, "%a  %b  %d  %H:%M:%S  %Y", &DateTimeLabel},
        {DayText, sizeof DayText, "%d", &DayLabel},
        {MonthYearText, sizeof MonthYearText, " %b\n%Y", &MonthYearLabel},
    };
    for (const Clock& clock : clocks) {
        const std::string text = FormatClock(local, clock.format, clock.size);
        text.copy(clock.text, clock.size - 1);
        clock.text[text.size()] = '\0';
        clock.label->set_text(clock.text);
    }
    return true;
}

void TitleBar::UpdateUsb(int state)
{
    static const char* const kPictures[] = {"./Images/blank.png", "./Images/usb_off.png", "./Images/usb_on.png"};
    if (state != LastUsbState && state >= 0 && state <= 2)
        GetReSizedImage(UsbIcon, kPictures[state], 40, 30);
    LastUsbState = state;
}

void TitleBar::GetOriginalImage(Gtk::Image& image, std::string path)
{
    compsupport::ShowPicture(image, compsupport::LoadPicture(path));
}

bool TitleBar::FileExists(const std::string& path) { return compsupport::FileExists(path); }

void TitleBar::GetReSizedImage(Gtk::Image& image, std::string path, float width, float height)
{
    compsupport::SetPicture(image, path, width, height, 0, "");
}

void TitleBar::PrintStatement(std::string) {}
