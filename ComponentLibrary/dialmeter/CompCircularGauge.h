// The main screen's round instruments: the speedometer and the line-voltage
// meter, each a dial picture with a needle picture turned by the owner's
// value, plus the speed number, its unit caption and the framed volt number.
#ifndef CABDISPLAY_DIALMETER_COMPCIRCULARGAUGE_H
#define CABDISPLAY_DIALMETER_COMPCIRCULARGAUGE_H

#include <cairomm/surface.h>
#include <gdkmm/pixbuf.h>
#include <gdkmm/rectangle.h>
#include <gtkmm/drawingarea.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/label.h>

#include <sstream>
#include <string>

class CompCircularGauge : public Gtk::EventBox {
public:
    CompCircularGauge();
    virtual ~CompCircularGauge();

    // Builds the dials and boxes from the settings below; called once.
    void ConstructLayout();

    // Turns the speed needle (no limit) and shows the speed in km/h.
    void UpdateSpeed(short speed);
    // Turns the volt needle and shows the voltage, both held to 70..150.
    void UpdateVolt(short volt);

    // Expose handlers of the two dials; each returns its drawn flag.
    bool DrawSpeedometerNeedle(GdkEventExpose* event);
    bool DrawVoltmeterNeedle(GdkEventExpose* event);

    bool FileExists(const std::string& path);
    void PrintStatement(std::string text);

    // Sets every setting to its default (run by the constructor).
    void Initialization();

    unsigned char DebugOutput = 0;
    unsigned char SpeedDrawn = 0;
    unsigned char VoltDrawn = 0;
    float SpeedAngle = 0;
    float VoltAngle = 0;
    float SpeedImageX = 0;
    float SpeedImageY = 0;
    float VoltImageX = 0;
    float VoltImageY = 0;
    float SpeedDialWidth = 0;
    float SpeedDialHeight = 0;
    float SpeedDialX = 0;
    float SpeedDialY = 0;
    float VoltDialWidth = 0;
    float VoltDialHeight = 0;
    float VoltDialX = 0;
    float VoltDialY = 0;
    float SpeedBoxWidth = 0;
    float SpeedBoxHeight = 0;
    float SpeedBoxX = 0;
    float SpeedBoxY = 0;
    float SpeedFontSize = 0;
    float UnitBoxX = 0;
    float UnitBoxY = 0;
    float UnitBoxWidth = 0;
    float UnitBoxHeight = 0;
    float UnitFontSize = 0;
    float VoltBoxWidth = 0;
    float VoltBoxHeight = 0;
    float VoltBoxX = 0;
    float VoltBoxY = 0;
    float VoltFontSize = 0;
    std::string VoltDialColour;
    std::string SpeedDialColour;
    std::string SpeedBoxColour;
    std::string SpeedTextColour;
    std::string SpeedText;
    std::string VoltText;
    std::string UnitTextColour;
    std::string UnitText;
    std::string VoltFrameColour;
    std::string VoltBoxColour;
    std::string VoltTextColour;
    std::stringstream SpeedFormatter;
    std::stringstream VoltFormatter;

    Gtk::DrawingArea SpeedDial;
    Gtk::DrawingArea VoltDial;
    Gtk::Fixed GaugeFixed;
    Gtk::EventBox SpeedBox;
    Gtk::EventBox UnitBox;
    Gtk::EventBox VoltFrameBox;
    Gtk::EventBox VoltBox;
    Gtk::Label SpeedLabel;
    Gtk::Label UnitLabel;
    Gtk::Label VoltLabel;

    // A dial picture and the same picture as a surface of the display, made
    // once per decoded picture.
    struct DialSurface {
        Glib::RefPtr<Gdk::Pixbuf> picture;
        Cairo::RefPtr<Cairo::Surface> surface;
    };

    // The inked part of a needle picture, found once per decoded picture.
    struct NeedleInk {
        Glib::RefPtr<Gdk::Pixbuf> picture;
        Gdk::Rectangle area;
    };

    // The face and needle pictures a dial painted last (null: none).
    struct DialPainted {
        Glib::RefPtr<Gdk::Pixbuf> face;
        Glib::RefPtr<Gdk::Pixbuf> needle;
    };

private:
    // Face and needle of the speed dial, then of the volt dial.
    DialSurface DialSurfaces[4];
    // Needle of the speed dial, then of the volt dial.
    NeedleInk NeedleInks[2];
    // What the speed dial, then the volt dial, painted last.
    DialPainted Painted[2];
};

#endif
