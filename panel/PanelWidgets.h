// Moving widgets in and out of the panels' positioning areas without
// toolkit complaints: take out only what is a child, put only what has no
// parent, free a replaced table once.
#ifndef CABDISPLAY_PANEL_PANELWIDGETS_H
#define CABDISPLAY_PANEL_PANELWIDGETS_H

#include <gtkmm/fixed.h>
#include <gtkmm/table.h>

namespace panelwidgets {

// Removes the widget from the area when it is one of its children.
void TakeOut(Gtk::Fixed& area, Gtk::Widget& widget);

// Puts the widget at x,y: moves it when it already sits in the area, puts it
// when it has no parent; a widget held by another container is left alone.
void PutAt(Gtk::Fixed& area, Gtk::Widget& widget, int x, int y);

// Takes the managed table out of the area (if it is there), frees it and
// stores a new, empty, managed 1 x 1 table (not homogeneous) in its place.
void ReplaceTable(Gtk::Fixed& area, Gtk::Table*& table);

}  // namespace panelwidgets

#endif
