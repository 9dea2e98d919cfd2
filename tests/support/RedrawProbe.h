// A widget shown in an off-screen window, watched while it redraws: which
// pixels a change drew again, whether the window was laid out again, and
// whether the picture left on screen is the one a whole redraw would draw.
// Off screen, so test programs sharing one X server never cover each other.
#ifndef CABDISPLAY_TESTS_REDRAWPROBE_H
#define CABDISPLAY_TESTS_REDRAWPROBE_H

#include <gdk/gdk.h>
#include <gdkmm/pixbuf.h>
#include <gtkmm/offscreenwindow.h>

#include <string>

namespace testsupport {

class RedrawProbe {
public:
    RedrawProbe(Gtk::Widget& widget, int width, int height);
    ~RedrawProbe();
    RedrawProbe(const RedrawProbe&) = delete;
    RedrawProbe& operator=(const RedrawProbe&) = delete;

    // Runs the pending redraws and layout; returns the box of the area the
    // change drew again before any layout, in window pixels (empty when
    // nothing was drawn). Counts the layouts.
    GdkRectangle Settle();
    // What was drawn again by the last Settle, as a region in window pixels.
    const GdkRegion* Drawn() const { return drawn_; }
    // True when the last Settle drew no pixel of the rectangle.
    bool Untouched(const GdkRectangle& area) const;
    // Pixels drawn again by the last Settle, in all or in a part of the window.
    long DrawnPixels() const;
    long DrawnPixelsIn(const GdkRectangle& area) const;
    // Times the window was laid out again since the probe was made.
    int Layouts() const { return layouts_; }

    // The window as it shows now, after settling.
    Glib::RefPtr<Gdk::Pixbuf> Picture();
    // The window after all of it was drawn again.
    Glib::RefPtr<Gdk::Pixbuf> WholeRedraw();
    // "" when the window shows what a whole redraw draws (pixels inside
    // `ignore`, such as a running clock, left out); else where the first
    // differing pixel is. Leaves the window drawn whole.
    std::string StaleArea(const GdkRectangle& ignore = GdkRectangle{0, 0, 0, 0});
    // The same, a pixel counting as stale only where a channel differs by
    // more than `tolerance` steps: a turned picture painted through a new
    // display surface may come out a step apart at its smoothed edges.
    std::string StaleArea(const GdkRectangle& ignore, int tolerance);

    Gtk::OffscreenWindow& window() { return window_; }

private:
    static void Record(GdkEvent* event, gpointer probe);

    Gtk::OffscreenWindow window_;
    GdkRegion* drawn_;
    int layouts_ = 0;
};

// The place of a widget in the probe's window pixels.
GdkRectangle PlaceInWindow(Gtk::Widget& widget, Gtk::Widget& top);

}  // namespace testsupport

#endif
