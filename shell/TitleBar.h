// The strip across the top of the display: screen title, speed icon with its
// needle and the speed, tractive/braking effort, earth-fault lamps, clock,
// USB state, battery voltage, master/slave letter, loco number and cab lamps.
// It builds its widgets and runs its clock; the main layout writes the values.
#ifndef CABDISPLAY_SHELL_TITLEBAR_H
#define CABDISPLAY_SHELL_TITLEBAR_H

#include <cairomm/surface.h>
#include <gdkmm/pixbuf.h>
#include <gtkmm/box.h>
#include <gtkmm/drawingarea.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include <ctime>
#include <string>

class TitleBar : public Gtk::EventBox {
public:
    TitleBar();
    virtual ~TitleBar();

    void ConstructLayout();
    bool DrawSpeedometerIconNeedle(GdkEventExpose* event);
    bool SetDateTime();
    void UpdateUsb(int state);

    // Picture helpers; none of them throws or reports.
    void GetOriginalImage(Gtk::Image& image, std::string path);
    bool FileExists(const std::string& path);
    void GetReSizedImage(Gtk::Image& image, std::string path, float width, float height);
    void PrintStatement(std::string text);

    float NeedleAngle = 260;  // the angle of 0 km/h until the first speed
    char DateTimeText[80] = {};
    char DayText[10] = {};
    char MonthYearText[20] = {};
    int LastUsbState = 0;
    std::time_t ClockTime = 0;

    Gtk::Image TitleIcon, MdefIcon, BatteryIcon, DriverIdIcon;
    Gtk::Image UnusedIcon1, UnusedIcon2, UnusedIcon3;
    Gtk::Image UsbIcon;

    Gtk::EventBox SeparatorBox, DateTimeBox, Cab1Box, Cab2Box, LocoNumberBox, MasterSlaveBox;
    Gtk::EventBox BatteryBox, BatteryUnitBox, SpeedBox, TeBeCaptionBox, TeBeValueBox, TeBeUnitBox;
    Gtk::EventBox EfPBox, EfCBox, EfABox, BeCaptionBox, BeValueBox, BeUnitBox;

    Gtk::VBox TitleBox, DayBox, MonthYearBox;

    Gtk::Label TitleLabel, DateTimeLabel, Cab1Label, Cab2Label, LocoNumberLabel, MasterSlaveLabel;
    Gtk::Label BatteryLabel, BatteryUnitLabel, SpeedLabel, SpeedUnitLabel;
    Gtk::Label TeBeCaptionLabel, TeBeValueLabel, TeBeUnitLabel, EfPLabel, EfCLabel, EfALabel;
    Gtk::Label BeCaptionLabel, BeValueLabel, BeUnitLabel, DayLabel, MonthYearLabel, ValueLabel;

    Gtk::Fixed Area;
    Gtk::DrawingArea SpeedIcon;
    Gtk::EventBox BlankBox;

private:
    // The speed icon's dial and needle, and the same as display surfaces.
    Glib::RefPtr<Gdk::Pixbuf> IconPictures[2];
    Cairo::RefPtr<Cairo::Surface> IconSurfaces[2];

    struct LabelBox;
    void BuildLabelBox(const LabelBox& spec, bool place);
};

// The clock texts: strftime of the local time into a buffer of the given
// size; an empty text when the result does not fit or cannot be made.
std::string FormatClock(const std::tm& local, const char* format, std::size_t size);

#endif
