// Styling steps the dial and the value row repeat for many widgets: sizes
// from float settings, colour names, label fonts.
#ifndef CABDISPLAY_COMPONENTLIBRARY_DIALSTYLE_H
#define CABDISPLAY_COMPONENTLIBRARY_DIALSTYLE_H

#include <gtkmm/label.h>
#include <gtkmm/widget.h>
#include <string>

#pragma GCC visibility push(hidden)

namespace dialstyle {

// Size request from float settings, truncated; a negative setting requests 0.
void RequestSize(Gtk::Widget& widget, float width, float height);

// Background / text colour by name ("black", "#212121"), normal state only.
void Background(Gtk::Widget& widget, const std::string& colour);
void Foreground(Gtk::Widget& widget, const std::string& colour);

// Label font size in Pango units (1024ths of a point), bold or normal
// weight; a size of 0 or less leaves the size as the toolkit has it.
void LabelFont(Gtk::Label& label, int pangoUnits, bool bold);
// The same with the size in points (converted to Pango units, truncated).
void LabelFontPoints(Gtk::Label& label, float points, bool bold);

}  // namespace dialstyle

#pragma GCC visibility pop

#endif
