// Building blocks the three grid components share: cell tables indexed
// [row][column], cell attachment with truncated spans and the working pair
// of cell pictures. Linked statically with hidden
// visibility, like the rest of compsupport.
#ifndef CABDISPLAY_COMPONENTLIBRARY_GRIDSUPPORT_H
#define CABDISPLAY_COMPONENTLIBRARY_GRIDSUPPORT_H

#include <gdkmm/pixbuf.h>
#include <gtkmm/table.h>

#include <cstddef>
#include <string>
#include <vector>

// Hidden even where a library instantiates the templates itself, so no
// grid helper leaves a component library.
#pragma GCC visibility push(hidden)

namespace gridsupport {

// Resizes a cell table to rows x columns null entries (negative counts give
// no entries).
template <typename Widget>
void SizeCells(std::vector<std::vector<Widget*>>& cells, int rows, int columns)
{
    cells.assign(rows > 0 ? static_cast<std::size_t>(rows) : 0,
                 std::vector<Widget*>(columns > 0 ? static_cast<std::size_t>(columns) : 0, nullptr));
}

// The cell at [row][column] when the table holds it, else null.
template <typename Widget>
Widget* CellAt(const std::vector<std::vector<Widget*>>& cells, std::size_t row, std::size_t column)
{
    if (row >= cells.size() || column >= cells[row].size())
        return nullptr;
    return cells[row][column];
}

// Attaches a cell from column to column + columnSpan and from row to
// row + rowSpan (sums in floating point, then truncated), fill and expand in
// both directions, no padding. A span that truncates to nothing still
// covers one column or row, so that no cell is left outside the table.
void AttachCell(Gtk::Table& table, Gtk::Widget& cell, unsigned column, unsigned row,
                float columnSpan, float rowSpan);

// Loads a cell picture into the working pair: `loaded` gets the file at its
// own size, `scaled` (when scale is set) the picture scaled to the truncated
// width x height with bilinear filtering; both are the shared pictures of the
// picture cache. A missing or undecodable file, or a
// scale to nothing, leaves both as they were and returns false.
bool LoadCellPicture(const std::string& path, bool scale, float width, float height,
                     Glib::RefPtr<Gdk::Pixbuf>& loaded, Glib::RefPtr<Gdk::Pixbuf>& scaled);

}  // namespace gridsupport

#pragma GCC visibility pop

#endif
