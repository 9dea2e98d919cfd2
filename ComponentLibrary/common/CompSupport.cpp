#include "CompSupport.h"

#include <climits>
#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>

#include <gdk-pixbuf/gdk-pixbuf.h>

namespace compsupport {

bool FileExists(const std::string& path)
{
    std::ifstream file(path.c_str());
    return file.good();
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

Glib::RefPtr<Gdk::Pixbuf> LoadPicture(const std::string& path)
{
    if (!FileExists(path))
        return Glib::RefPtr<Gdk::Pixbuf>();
    // The C loader reports a broken file through GError instead of throwing.
    GError* error = nullptr;
    GdkPixbuf* raw = gdk_pixbuf_new_from_file(path.c_str(), &error);
    if (!raw) {
        if (error)
            g_error_free(error);
        return Glib::RefPtr<Gdk::Pixbuf>();
    }
    return Glib::wrap(raw);
}

Glib::RefPtr<Gdk::Pixbuf> LoadPicture(const std::string& path, float width, float height)
{
    const int w = Whole(width);
    const int h = Whole(height);
    if (w <= 0 || h <= 0)
        return Glib::RefPtr<Gdk::Pixbuf>();
    Glib::RefPtr<Gdk::Pixbuf> picture = LoadPicture(path);
    if (!picture)
        return picture;
    return picture->scale_simple(w, h, Gdk::INTERP_BILINEAR);
}

bool SetPicture(Gtk::Image& image, const std::string& path, float width, float height,
                unsigned debug, const std::string& missingText)
{
    Glib::RefPtr<Gdk::Pixbuf> picture = LoadPicture(path, width, height);
    if (!picture) {
        PrintStatement(debug, missingText + path);
        return false;
    }
    image.set(picture);
    return true;
}

std::string FormatNumber(double value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}

}  // namespace compsupport
