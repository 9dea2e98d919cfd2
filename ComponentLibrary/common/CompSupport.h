// Helpers shared by the display component libraries: picture loading, the
// existence check, the debug line, geometry truncation, Pango font units and
// the default number format. Linked statically into each component library
// with hidden visibility, so no library exports them.
#ifndef CABDISPLAY_COMPONENTLIBRARY_COMPSUPPORT_H
#define CABDISPLAY_COMPONENTLIBRARY_COMPSUPPORT_H

#include <gdkmm/pixbuf.h>
#include <gtkmm/image.h>
#include <string>

namespace compsupport {

// True when the file opens for reading; nothing is read.
bool FileExists(const std::string& path);

// Writes the text and a line end to standard output when debug is exactly 1.
void PrintStatement(unsigned debug, const std::string& text);

// Geometry: float settings become pixels by truncation toward zero.
inline int Px(float value) { return static_cast<int>(value); }
inline int Px(double value) { return static_cast<int>(value); }

// Font size in points -> Pango units (1024ths of a point), truncated.
inline int PangoSize(float points) { return static_cast<int>(points * 1024.0f); }

// Loads a picture; null when the file is missing or cannot be decoded
// (a broken file never throws). width/height < 0: keep the file's size,
// otherwise scale to the truncated size with bilinear filtering.
Glib::RefPtr<Gdk::Pixbuf> LoadPicture(const std::string& path, float width = -1, float height = -1);

// Loads a picture into an image widget. When the file is missing or broken,
// prints missingText + path through the debug line and leaves the image as it
// was. Returns true when the picture was set.
bool SetPicture(Gtk::Image& image, const std::string& path, float width, float height,
                unsigned debug, const std::string& missingText);

// A number in a string stream's default format: up to six significant
// digits, no trailing zeros, no decimal point for whole numbers.
std::string FormatNumber(double value);

}  // namespace compsupport

#endif
