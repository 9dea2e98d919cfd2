// Drawing primitives of the picture generator: colours, boxes, gradients,
// text and dial ticks on a cairo context, and saving a surface as PNG or JPEG.
#ifndef CABDISPLAY_IMAGES_PAINT_H
#define CABDISPLAY_IMAGES_PAINT_H

#include <cairo.h>

#include <string>

namespace cabimages {

struct Rgb {
    double r, g, b, a;
};

// "#rrggbb" with an optional alpha.
Rgb Hex(const char* hex, double alpha = 1.0);
// Linear blend: t 0 gives a, t 1 gives b.
Rgb Mix(const Rgb& a, const Rgb& b, double t);
Rgb WithAlpha(const Rgb& c, double alpha);

struct Box {
    double x, y, w, h;
};

struct Point {
    double x, y;
};

enum class Align { Left, Centre, Right };

void SetColour(cairo_t* cr, const Rgb& c);
void RoundedRect(cairo_t* cr, const Box& b, double radius);
// Fills a (rounded) box with a top-to-bottom gradient.
void FillVertical(cairo_t* cr, const Box& b, const Rgb& top, const Rgb& bottom, double radius = 0);
// Strokes the outline of a (rounded) box, the line centred half a pixel in.
void Outline(cairo_t* cr, const Box& b, const Rgb& c, double width, double radius = 0);
void Line(cairo_t* cr, Point from, Point to, const Rgb& c, double width);
void Disc(cairo_t* cr, Point centre, double radius, const Rgb& c);
void Ring(cairo_t* cr, Point centre, double radius, const Rgb& c, double width);
// A disc with a bright centre fading to its rim colour (lit lamps, hubs).
void GlowDisc(cairo_t* cr, Point centre, double radius, const Rgb& inner, const Rgb& outer);
void Polygon(cairo_t* cr, const Point* pts, int count, const Rgb& fill);

// Text in a box, vertically centred; px is the font size in pixels.
void Text(cairo_t* cr, const std::string& text, const Box& b, double px, bool bold,
          const Rgb& c, Align align = Align::Centre, const char* family = "Liberation Sans");

// Dial helpers: clock angles in degrees clockwise from 12 o'clock, y down.
Point Polar(Point centre, double clockDeg, double radius);
void RadialTick(cairo_t* cr, Point centre, double clockDeg, double r0, double r1,
                double width, const Rgb& c);
// Arc band between two clock angles (clockwise from a to b).
void ArcBand(cairo_t* cr, Point centre, double fromDeg, double toDeg, double radius,
             double width, const Rgb& c);

// Writes the surface to path; ".jpg" gives a JPEG (alpha flattened on black),
// anything else PNG. Returns false with a reason in error.
bool SavePicture(cairo_surface_t* surface, const std::string& path, std::string& error);

}  // namespace cabimages

#endif
