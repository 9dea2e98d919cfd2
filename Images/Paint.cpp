#include "Paint.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace cabimages {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Radians(double deg) { return deg * kPi / 180.0; }

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool SaveJpeg(cairo_surface_t* surface, const std::string& path, std::string& error)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* src = cairo_image_surface_get_data(surface);
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, w, h);
    if (!pixbuf) {
        error = "out of memory";
        return false;
    }
    unsigned char* dst = gdk_pixbuf_get_pixels(pixbuf);
    const int dstStride = gdk_pixbuf_get_rowstride(pixbuf);
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(src + y * stride);
        unsigned char* out = dst + y * dstStride;
        for (int x = 0; x < w; ++x) {
            // Premultiplied ARGB over black is just the colour channels.
            const uint32_t px = row[x];
            out[3 * x + 0] = (px >> 16) & 0xff;
            out[3 * x + 1] = (px >> 8) & 0xff;
            out[3 * x + 2] = px & 0xff;
        }
    }
    GError* gerr = nullptr;
    const gboolean ok = gdk_pixbuf_save(pixbuf, path.c_str(), "jpeg", &gerr, "quality", "92", nullptr);
    if (!ok) {
        error = gerr ? gerr->message : "jpeg save failed";
        if (gerr)
            g_error_free(gerr);
    }
    g_object_unref(pixbuf);
    return ok;
}

}  // namespace

Rgb Hex(const char* hex, double alpha)
{
    const unsigned long v = std::strtoul(hex[0] == '#' ? hex + 1 : hex, nullptr, 16);
    return { ((v >> 16) & 0xff) / 255.0, ((v >> 8) & 0xff) / 255.0, (v & 0xff) / 255.0, alpha };
}

Rgb Mix(const Rgb& a, const Rgb& b, double t)
{
    return { a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t };
}

Rgb WithAlpha(const Rgb& c, double alpha) { return { c.r, c.g, c.b, alpha }; }

void SetColour(cairo_t* cr, const Rgb& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void RoundedRect(cairo_t* cr, const Box& b, double radius)
{
    const double r = std::min(radius, std::min(b.w, b.h) / 2.0);
    if (r <= 0) {
        cairo_rectangle(cr, b.x, b.y, b.w, b.h);
        return;
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, b.x + b.w - r, b.y + r, r, -kPi / 2, 0);
    cairo_arc(cr, b.x + b.w - r, b.y + b.h - r, r, 0, kPi / 2);
    cairo_arc(cr, b.x + r, b.y + b.h - r, r, kPi / 2, kPi);
    cairo_arc(cr, b.x + r, b.y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void FillVertical(cairo_t* cr, const Box& b, const Rgb& top, const Rgb& bottom, double radius)
{
    cairo_pattern_t* pat = cairo_pattern_create_linear(0, b.y, 0, b.y + b.h);
    cairo_pattern_add_color_stop_rgba(pat, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(pat, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, pat);
    RoundedRect(cr, b, radius);
    cairo_fill(cr);
    cairo_pattern_destroy(pat);
}

void Outline(cairo_t* cr, const Box& b, const Rgb& c, double width, double radius)
{
    const double in = width / 2.0;
    RoundedRect(cr, { b.x + in, b.y + in, b.w - width, b.h - width }, radius);
    SetColour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void Line(cairo_t* cr, Point from, Point to, const Rgb& c, double width)
{
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    SetColour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_stroke(cr);
}

void Disc(cairo_t* cr, Point centre, double radius, const Rgb& c)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, centre.x, centre.y, radius, 0, 2 * kPi);
    SetColour(cr, c);
    cairo_fill(cr);
}

void Ring(cairo_t* cr, Point centre, double radius, const Rgb& c, double width)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, centre.x, centre.y, radius, 0, 2 * kPi);
    SetColour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void GlowDisc(cairo_t* cr, Point centre, double radius, const Rgb& inner, const Rgb& outer)
{
    cairo_pattern_t* pat = cairo_pattern_create_radial(centre.x - radius * 0.25, centre.y - radius * 0.25,
                                                       radius * 0.05, centre.x, centre.y, radius);
    cairo_pattern_add_color_stop_rgba(pat, 0, inner.r, inner.g, inner.b, inner.a);
    cairo_pattern_add_color_stop_rgba(pat, 1, outer.r, outer.g, outer.b, outer.a);
    cairo_new_sub_path(cr);
    cairo_arc(cr, centre.x, centre.y, radius, 0, 2 * kPi);
    cairo_set_source(cr, pat);
    cairo_fill(cr);
    cairo_pattern_destroy(pat);
}

void Polygon(cairo_t* cr, const Point* pts, int count, const Rgb& fill)
{
    if (count < 2)
        return;
    cairo_move_to(cr, pts[0].x, pts[0].y);
    for (int i = 1; i < count; ++i)
        cairo_line_to(cr, pts[i].x, pts[i].y);
    cairo_close_path(cr);
    SetColour(cr, fill);
    cairo_fill(cr);
}

void Text(cairo_t* cr, const std::string& text, const Box& b, double px, bool bold, const Rgb& c,
          Align align, const char* family)
{
    if (text.empty())
        return;
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, family);
    pango_font_description_set_weight(desc, bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_absolute_size(desc, px * PANGO_SCALE);
    pango_layout_set_font_description(layout, desc);
    pango_layout_set_text(layout, text.c_str(), -1);
    pango_layout_set_alignment(layout, align == Align::Left ? PANGO_ALIGN_LEFT
                                       : align == Align::Right ? PANGO_ALIGN_RIGHT
                                                               : PANGO_ALIGN_CENTER);
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    double x = b.x - logical.x;
    if (align == Align::Centre)
        x = b.x + (b.w - logical.width) / 2.0 - logical.x;
    else if (align == Align::Right)
        x = b.x + b.w - logical.width - logical.x;
    // Centre the line box, so words with and without descenders share one
    // baseline.
    const double y = b.y + (b.h - logical.height) / 2.0 - logical.y;
    cairo_move_to(cr, std::round(x), std::round(y));
    SetColour(cr, c);
    pango_cairo_show_layout(cr, layout);
    pango_font_description_free(desc);
    g_object_unref(layout);
}

Point Polar(Point centre, double clockDeg, double radius)
{
    const double a = Radians(clockDeg);
    return { centre.x + radius * std::sin(a), centre.y - radius * std::cos(a) };
}

void RadialTick(cairo_t* cr, Point centre, double clockDeg, double r0, double r1, double width, const Rgb& c)
{
    Line(cr, Polar(centre, clockDeg, r0), Polar(centre, clockDeg, r1), c, width);
}

void ArcBand(cairo_t* cr, Point centre, double fromDeg, double toDeg, double radius, double width, const Rgb& c)
{
    // Clock angle a is cairo angle a - 90 (cairo: 0 at 3 o'clock, clockwise).
    cairo_new_sub_path(cr);
    cairo_arc(cr, centre.x, centre.y, radius, Radians(fromDeg - 90), Radians(toDeg - 90));
    SetColour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_stroke(cr);
}

bool SavePicture(cairo_surface_t* surface, const std::string& path, std::string& error)
{
    if (EndsWith(path, ".jpg") || EndsWith(path, ".jpeg"))
        return SaveJpeg(surface, path, error);
    const cairo_status_t st = cairo_surface_write_to_png(surface, path.c_str());
    if (st != CAIRO_STATUS_SUCCESS) {
        error = cairo_status_to_string(st);
        return false;
    }
    return true;
}

}  // namespace cabimages
