// Helpers for the dial and value-row tests: a window that shows one widget,
// screen pixels, fixture pictures with transparency, container child places.
#ifndef CABDISPLAY_TESTS_DIALTESTSUPPORT_H
#define CABDISPLAY_TESTS_DIALTESTSUPPORT_H

#include <gtkmm.h>

#include <functional>
#include <string>
#include <vector>

class CompCircularGauge;

namespace dialtest {

// The box, font and dial settings the main screen gives its gauge.
void ConfigureAsMainScreen(CompCircularGauge& gauge);


// Shows a widget alone in an off-screen top-level window and reads back what
// it drew (off screen, so windows of other test programs on the same display
// cannot cover it).
class ShownWidget {
public:
    ShownWidget(Gtk::Widget& widget, int width, int height);
    ~ShownWidget();
    // Lets pending redraws happen.
    void Settle();
    // The window's pixel at (x, y) as 0xRRGGBB (after Settle()).
    unsigned Pixel(int x, int y);
private:
    Gtk::OffscreenWindow window_;
    Glib::RefPtr<Gdk::Pixbuf> grabbed_;
};

// 0xRRGGBB of a pixbuf pixel.
unsigned PixelOf(const Glib::RefPtr<Gdk::Pixbuf>& picture, int x, int y);

// True when two colours differ by at most tolerance in each channel.
bool Near(unsigned a, unsigned b, int tolerance = 24);

// A fully transparent PNG with an opaque square of side 2*half centred at
// (cx, cy).
void WriteMarkerPicture(const std::string& path, int width, int height, int cx, int cy, int half,
                        unsigned rgb);

// A file that exists but is not a picture.
void WriteBrokenPicture(const std::string& path);

// Position of a child in a Gtk::Fixed.
void FixedPlace(Gtk::Fixed& fixed, Gtk::Widget& child, int& x, int& y);

// A container's children, first packed first.
std::vector<Gtk::Widget*> Children(Gtk::Container& container);

// Captures standard output while the action runs.
std::string CaptureOutput(const std::function<void()>& action);

}  // namespace dialtest

#endif
