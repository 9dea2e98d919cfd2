// The layout that the fault pop-up and the USB message pop-up share: a black
// full-screen box with the pop-up picture and four text rows.
#ifndef CABDISPLAY_PANEL_POPUPLAYOUT_H
#define CABDISPLAY_PANEL_POPUPLAYOUT_H

#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <string>

namespace popuplayout {

struct Rows {
    Gtk::EventBox* boxes[4];
    Gtk::Label* labels[4];
};

// Builds the pop-up into `popup`: the background box with the picture scaled
// to 790 x 360, the four rows (" ", 11.2 pt, first row in `firstRowColour`,
// the others "#f2a15a", the last wrapped at 700 px), then shows them all.
void Build(Gtk::Fixed& popup, Gtk::EventBox& background, Gtk::Image& picture,
           const std::string& picturePath, const Rows& rows, const char* firstRowColour);

// Shows a text in row 0..3, cut to the picture's text field: rows 0 to 2 on
// one line of 700 px, row 3 wrapped at 700 px to the lines above the field's
// bottom edge. No text makes a row, the pop-up or the window larger.
void ShowRow(Gtk::Label& label, int row, const std::string& text);

}  // namespace popuplayout

#endif
