// The framed tables of the distributed-power table pages: every cell a black
// box with a 1-pixel white frame and white 10-point text; value cells show
// 16-bit numbers from a store array.
#ifndef CABDISPLAY_SETTINGS_TABLEPAGE_H
#define CABDISPLAY_SETTINGS_TABLEPAGE_H

#include "CompRectangleGrid.h"

#include <gtkmm/fixed.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace tablepage {

struct TableSpec {
    CompRectangleGrid& grid;
    std::uint16_t rows;
    std::uint16_t columns;
    float cellWidth;
    float cellHeight;
    float columnSpacing;
    float rowSpacing;
    int x;
    int y;
    std::vector<std::string> texts;   // row by row
};

// Sets the grid up from its table layout, builds it and puts it on the page.
void BuildTable(Gtk::Fixed& page, const TableSpec& spec);

// Cell texts: heading texts, or a label column followed by "0" cells.
std::vector<std::string> Zeros(std::size_t count);
std::vector<std::string> LabelledRows(const std::vector<std::string>& labels, int valueColumns);

// Where a store entry is drawn.
struct CellRef {
    int table;   // 0 the first value table, 1 the second
    int row;
    int column;
};
CellRef ContinuityCell(int entry);   // 15 entries, rows of 3
CellRef OverviewCell(int entry);     // 60 entries, rows of 12
CellRef WagonCell(int entry);        // 28 wagon entries, then 4 brake-van entries

// Draws entries 0..count-1 of a store array into the grid, every cell every
// time, at the cells the map gives.
void DrawAll(CompRectangleGrid& grid, std::stringstream& stream, const std::uint16_t* values, int count,
             CellRef (*map)(int));

// Writes the value as plain decimal into the cell's label.
void DrawNumber(CompRectangleGrid& grid, int row, int column, std::stringstream& stream,
                std::uint16_t value);

}  // namespace tablepage

#endif
