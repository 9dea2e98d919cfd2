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

// Loads a cell picture scaled to width x height. A missing or broken file,
// or a size that truncates to zero or below, prints the missing-picture line
// (missingText) with the path and leaves the image as it was. True when the
// picture was set.
bool LoadCellPicture(Gtk::Image& image, const std::string& path, float width, float height,
                     unsigned debug, const std::string& missingText = kMissingPicture);

// True (after printing line + text) when a label text is empty.
bool ReportEmptyText(const std::string& text, unsigned debug, const std::string& line);

// Text, size and foreground colour of a row label.
void StyleLabel(Gtk::Label& label, const std::string& text, const std::string& colour);

// A float size in whole pixels (truncated), kept within 0..32767 (the X
// server's limit); a size that is not a number counts as 0.
int SizePx(float value);

// Size request that never goes below zero (the toolkit refuses a negative
// request and keeps the old one; it draws a zero request as 1 pixel).
void RequestSize(Gtk::Widget& widget, int width, int height);

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
