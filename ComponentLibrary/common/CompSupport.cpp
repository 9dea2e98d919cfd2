#include "CompSupport.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <sstream>

#include <gdkmm/general.h>
#include <gtk/gtk.h>

#include "FileIo.h"

namespace compsupport {

bool FileExists(const std::string& path)
{
    // Only a regular file: opening a pipe or device to look would wait.
    fileio::Reader file;
    return file.Open(path, UINT64_MAX).ok();
}

void PrintStatement(unsigned debug, const std::string& text)
{
    if (debug == 1)
        std::cout << text << std::endl;
}

long long ClampToInteger(double value, long long lo, long long hi, long long nanValue)
{
    if (std::isnan(value))
        return nanValue;
    const double whole = std::trunc(value);
    if (whole <= static_cast<double>(lo))
        return lo;
    if (whole >= static_cast<double>(hi))
        return hi;
    return static_cast<long long>(whole);
}

int Px(double value)
{
    return static_cast<int>(ClampToInteger(value, INT_MIN, INT_MAX));
}

int Whole(double value)
{
    return static_cast<int>(ClampToInteger(value, 0, kLargestSize));
}

void RequestSize(Gtk::Widget& widget, double width, double height)
{
    widget.set_size_request(Whole(width), Whole(height));
}

Gdk::Color Colour(const std::string& name)
{
    Gdk::Color colour;
    colour.parse(name);
    return colour;
}

void Background(Gtk::Widget& widget, const std::string& colour)
{
    widget.modify_bg(Gtk::STATE_NORMAL, Colour(colour));
}

void Foreground(Gtk::Widget& widget, const std::string& colour)
{
    widget.modify_fg(Gtk::STATE_NORMAL, Colour(colour));
}

Pango::FontDescription Font(int pangoUnits, Weight weight)
{
    Pango::FontDescription font;
    if (pangoUnits > 0)
        font.set_size(pangoUnits);
    if (weight != Weight::Theme)
        font.set_weight(weight == Weight::Bold ? Pango::WEIGHT_BOLD : Pango::WEIGHT_NORMAL);
    return font;
}

void SetFont(Gtk::Widget& widget, int pangoUnits, Weight weight)
{
    widget.modify_font(Font(pangoUnits, weight));
}

namespace {

// Puts a picture of the shown picture's size into the image in its place:
// the image keeps its size, so only its own area is drawn again and nothing
// is laid out (setting a picture the usual way lays the whole window out
// again). False when the image shows no picture of that size.
bool SwapSameSize(Gtk::Image& image, const Glib::RefPtr<Gdk::Pixbuf>& picture)
{
    GtkImage* record = image.gobj();
    if (record->storage_type != GTK_IMAGE_PIXBUF)
        return false;
    GdkPixbuf* shown = record->data.pixbuf.pixbuf;
    if (!shown || gdk_pixbuf_get_width(shown) != picture->get_width() ||
        gdk_pixbuf_get_height(shown) != picture->get_height())
        return false;
    record->data.pixbuf.pixbuf = static_cast<GdkPixbuf*>(g_object_ref(picture->gobj()));
    g_object_unref(shown);
    g_object_notify(G_OBJECT(record), "pixbuf");
    image.queue_draw();
    return true;
}

}  // namespace

bool ShowPicture(Gtk::Image& image, const Glib::RefPtr<Gdk::Pixbuf>& picture)
{
    if (!picture)
        return false;
    if (image.get_storage_type() == Gtk::IMAGE_PIXBUF && image.get_pixbuf() == picture)
        return true;
    if (!SwapSameSize(image, picture))
        image.set(picture);
    return true;
}

bool SetPicture(Gtk::Image& image, const std::string& path, float width, float height,
                unsigned debug, const std::string& missingText)
{
    if (!ShowPicture(image, LoadPicture(path, width, height))) {
        PrintStatement(debug, missingText + path);
        return false;
    }
    return true;
}

void SetSourcePicture(const Cairo::RefPtr<Cairo::Context>& context, const Glib::RefPtr<Gdk::Pixbuf>& picture,
                      double x, double y, Glib::RefPtr<Gdk::Pixbuf>& madeFrom,
                      Cairo::RefPtr<Cairo::Surface>& surface)
{
    if (madeFrom != picture || !surface) {
        surface = Cairo::Surface::create(context->get_target(), Cairo::CONTENT_COLOR_ALPHA, picture->get_width(),
                                         picture->get_height());
        Cairo::RefPtr<Cairo::Context> painter = Cairo::Context::create(surface);
        painter->set_operator(Cairo::OPERATOR_SOURCE);
        Gdk::Cairo::set_source_pixbuf(painter, picture, 0, 0);
        painter->paint();
        madeFrom = picture;
    }
    context->set_source(surface, x, y);
}

bool ShowText(Gtk::Label& label, const std::string& text)
{
    const gchar* shown = gtk_label_get_text(label.gobj());
    if (shown && text == shown)
        return false;
    label.set_text(text);
    return true;
}

namespace {

// True when the widget was last given this normal-state colour: the colours
// given are kept in its modifier style.
bool ColourGiven(Gtk::Widget& widget, GtkRcFlags which, const Gdk::Color& colour)
{
    const GtkRcStyle* given = gtk_widget_get_modifier_style(widget.gobj());
    const GdkColor& held = which == GTK_RC_FG ? given->fg[GTK_STATE_NORMAL] : given->bg[GTK_STATE_NORMAL];
    return (given->color_flags[GTK_STATE_NORMAL] & which) && gdk_color_equal(&held, colour.gobj());
}

}  // namespace

bool ShowForeground(Gtk::Widget& widget, const Gdk::Color& colour)
{
    if (ColourGiven(widget, GTK_RC_FG, colour))
        return false;
    widget.modify_fg(Gtk::STATE_NORMAL, colour);
    return true;
}

bool ShowBackground(Gtk::Widget& widget, const Gdk::Color& colour)
{
    if (ColourGiven(widget, GTK_RC_BG, colour))
        return false;
    widget.modify_bg(Gtk::STATE_NORMAL, colour);
    return true;
}

std::string FormatNumber(double value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}

}  // namespace compsupport
