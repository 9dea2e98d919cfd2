#include "CompSupport.h"

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

Glib::RefPtr<Gdk::Pixbuf> LoadPicture(const std::string& path, float width, float height)
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
    Glib::RefPtr<Gdk::Pixbuf> picture = Glib::wrap(raw);
    if (width < 0 || height < 0)
        return picture;
    const int w = Px(width);
    const int h = Px(height);
    if (w <= 0 || h <= 0)
        return Glib::RefPtr<Gdk::Pixbuf>();
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
