#include "RedrawProbe.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>

#include "TestSupport.h"

namespace testsupport {

namespace {

// Offset of a window inside the top window of its widget tree.
void OffsetInTop(GdkWindow* window, GdkWindow* top, int& x, int& y)
{
    x = y = 0;
    for (GdkWindow* w = window; w && w != top; w = gdk_window_get_parent(w)) {
        int wx = 0, wy = 0;
        gdk_window_get_position(w, &wx, &wy);
        x += wx;
        y += wy;
    }
}

// Runs everything the main loop has pending, redraws included.
void RunPending()
{
    for (int round = 0; round < 3; ++round) {
        gdk_window_process_all_updates();
        DrainEvents();
    }
}

// The toolkit's own event handler, put back after a Settle.
void ToToolkit(GdkEvent* event, gpointer) { gtk_main_do_event(event); }

}  // namespace

RedrawProbe::RedrawProbe(Gtk::Widget& widget, int width, int height) : drawn_(gdk_region_new())
{
    InitToolkit();
    window_.set_default_size(width, height);
    window_.add(widget);
    window_.signal_check_resize().connect([this] { ++layouts_; });
    window_.show_all();
    RunPending();
    layouts_ = 0;
}

RedrawProbe::~RedrawProbe()
{
    window_.remove();
    gdk_region_destroy(drawn_);
}

void RedrawProbe::Record(GdkEvent* event, gpointer data)
{
    RedrawProbe* probe = static_cast<RedrawProbe*>(data);
    if (event->type == GDK_EXPOSE && probe->window_.get_window()) {
        int x = 0, y = 0;
        OffsetInTop(event->expose.window, probe->window_.get_window()->gobj(), x, y);
        GdkRegion* area = gdk_region_copy(event->expose.region);
        gdk_region_offset(area, x, y);
        gdk_region_union(probe->drawn_, area);
        gdk_region_destroy(area);
    }
    gtk_main_do_event(event);
}

GdkRectangle RedrawProbe::Settle()
{
    gdk_region_destroy(drawn_);
    drawn_ = gdk_region_new();
    // What the change itself asked to redraw is drawn before the pending
    // layout runs; after a layout an off-screen window draws all of itself,
    // which a window on screen does not, so that is not counted.
    gdk_event_handler_set(&RedrawProbe::Record, this, nullptr);
    gdk_window_process_all_updates();
    gdk_event_handler_set(&ToToolkit, nullptr, nullptr);
    RunPending();
    GdkRectangle box;
    gdk_region_get_clipbox(drawn_, &box);
    return box;
}

bool RedrawProbe::Untouched(const GdkRectangle& area) const
{
    return gdk_region_rect_in(drawn_, &area) == GDK_OVERLAP_RECTANGLE_OUT;
}

long RedrawProbe::DrawnPixels() const
{
    GdkRectangle whole;
    gdk_region_get_clipbox(drawn_, &whole);
    return DrawnPixelsIn(whole);
}

long RedrawProbe::DrawnPixelsIn(const GdkRectangle& area) const
{
    GdkRegion* part = gdk_region_rectangle(&area);
    gdk_region_intersect(part, drawn_);
    GdkRectangle* rects = nullptr;
    int count = 0;
    gdk_region_get_rectangles(part, &rects, &count);
    gdk_region_destroy(part);
    long pixels = 0;
    for (int i = 0; i < count; ++i)
        pixels += static_cast<long>(rects[i].width) * rects[i].height;
    g_free(rects);
    return pixels;
}

Glib::RefPtr<Gdk::Pixbuf> RedrawProbe::Picture()
{
    RunPending();
    Glib::RefPtr<Gdk::Pixbuf> picture = window_.get_pixbuf();
    return picture ? picture->copy() : picture;
}

Glib::RefPtr<Gdk::Pixbuf> RedrawProbe::WholeRedraw()
{
    window_.get_window()->invalidate(true);
    return Picture();
}

std::string RedrawProbe::StaleArea(const GdkRectangle& ignore)
{
    return StaleArea(ignore, 0);
}

std::string RedrawProbe::StaleArea(const GdkRectangle& ignore, int tolerance)
{
    const Glib::RefPtr<Gdk::Pixbuf> shown = Picture();
    const Glib::RefPtr<Gdk::Pixbuf> whole = WholeRedraw();
    if (!shown || !whole)
        return "no picture of the window";
    if (shown->get_width() != whole->get_width() || shown->get_height() != whole->get_height())
        return "the window changed its size";
    const int channels = shown->get_n_channels();
    for (int y = 0; y < shown->get_height(); ++y) {
        const guint8* a = shown->get_pixels() + y * shown->get_rowstride();
        const guint8* b = whole->get_pixels() + y * whole->get_rowstride();
        for (int x = 0; x < shown->get_width(); ++x) {
            const bool ignored = x >= ignore.x && x < ignore.x + ignore.width && y >= ignore.y &&
                                 y < ignore.y + ignore.height;
            for (int c = 0; c < channels && !ignored; ++c)
                if (std::abs(int(a[x * channels + c]) - int(b[x * channels + c])) > tolerance) {
                    char where[64];
                    std::snprintf(where, sizeof where, "pixel %d,%d differs", x, y);
                    return where;
                }
        }
    }
    return "";
}

GdkRectangle PlaceInWindow(Gtk::Widget& widget, Gtk::Widget& top)
{
    int x = 0, y = 0;
    widget.translate_coordinates(top, 0, 0, x, y);
    const Gtk::Allocation size = widget.get_allocation();
    return GdkRectangle{x, y, size.get_width(), size.get_height()};
}

}  // namespace testsupport
