// The row layout of the status table rows (lamp row, two-cell row, one-value
// row, bar row): an HBox of cells, each cell a Gtk::Fixed holding a picture
// and, where it has a text, a text box laid over the picture so that the text
// is centred on it. Linked statically into the row libraries, not exported.
#ifndef CABDISPLAY_COMPONENTLIBRARY_ROWLAYOUT_H
#define CABDISPLAY_COMPONENTLIBRARY_ROWLAYOUT_H

#include <gtkmm/box.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <string>

namespace rowlayout {

// Every row is 18 pixels high; caption cells are 200 and unit cells 56 wide.
constexpr int kRowHeight = 18;
constexpr int kCaptionWidth = 200;
constexpr int kUnitWidth = 56;
// Row texts are 8.4 pt, in Pango units.
constexpr int kTextSize = 8601;

// Line printed for a cell picture that is missing or cannot be decoded.
extern const char* const kMissingPicture;

// Prints "ConstructLayout " + class word and sets the row spacing (truncated).
void BeginRow(Gtk::HBox& row, unsigned debug, const std::string& classWord, float spacing);

// True (after printing line + text) when a label text is empty.
bool ReportEmptyText(const std::string& text, unsigned debug, const std::string& line);

// Text, size and foreground colour of a row label.
void StyleLabel(Gtk::Label& label, const std::string& text, const std::string& colour);

// Where a cell's picture and text box sit, and the box's size.
struct CellPlacement {
    int pictureX = 0;
    int pictureY = 0;
    int boxX = 0;
    int boxY = 0;
    int boxWidth = 0;
    int boxHeight = kRowHeight;
};

// The picture and text widgets of one text cell.
struct TextCell {
    Gtk::Fixed& cell;
    Gtk::Image& picture;
    Gtk::Box& box;
    Gtk::Label& label;
};

// Fills a text cell: the picture (when withPicture) at its place, then the
// label with its text packed into the box, and the box over the picture.
void BuildTextCell(const TextCell& parts, const CellPlacement& place, bool withPicture,
                   const std::string& text, const std::string& colour,
                   Gtk::PackOptions packing = Gtk::PACK_EXPAND_PADDING);

// Packs a cell at the right end of the row; a cell that is not visible is not
// drawn but keeps its room.
void PackCell(Gtk::HBox& row, Gtk::Widget& cell, bool visible);

// A picture-only cell that joins the row only when its picture loads: the
// picture at (0, 0), the cell packed with its visibility. True when packed.
bool PackPictureCell(Gtk::HBox& row, Gtk::Fixed& cell, Gtk::Image& picture, const std::string& path,
                     float width, float height, unsigned debug, bool visible);

}  // namespace rowlayout

#endif
