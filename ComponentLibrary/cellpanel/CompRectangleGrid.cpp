#include "CompRectangleGrid.h"

#include "CompSupport.h"
#include "GridSupport.h"

#include <gtkmm/fixed.h>

#include <iterator>

namespace {

// Every cell label is drawn at 10 points, normal weight.
constexpr int kLabelSize = 10240;
// Keys are numbered three a row, whatever the grid's columns.
constexpr int kKeysPerRow = 3;

}  // namespace

CompRectangleGrid::CompRectangleGrid() : Gtk::VBox(false, 0), CellTable(1, 1, false)
{
    PrintStatement("Constructor CompRectangleGrid");
}

CompRectangleGrid::~CompRectangleGrid()
{
    PrintStatement("Destructor CompRectangleGrid");
}

void CompRectangleGrid::PrintStatement(std::string text)
{
    compsupport::PrintStatement(DebugOutput, text);
}

void CompRectangleGrid::ConstructLayout()
{
    PrintStatement("ConstructLayout CompRectangleGrid");
    gridsupport::SizeCells(CellBoxes, Rows, Columns);
    gridsupport::SizeCells(CellLabels, Rows, Columns);
    CellTable.set_col_spacings(compsupport::Whole(ColumnSpacing));
    CellTable.set_row_spacings(compsupport::Whole(RowSpacing));

    // Cells past the entries of CellTexts have no text and are not built.
    std::size_t index = 0;
    for (unsigned row = 0; row < Rows && index < std::size(CellTexts); ++row)
        for (unsigned column = 0; column < Columns && index < std::size(CellTexts); ++column)
            BuildCell(row, column, index++);

    pack_start(CellTable, Gtk::PACK_SHRINK, 0);
    show_all_children();
}

void CompRectangleGrid::BuildCell(unsigned row, unsigned column, std::size_t index)
{
    Gtk::Fixed* cell = Gtk::manage(new Gtk::Fixed());
    Gtk::EventBox* cellBox = Gtk::manage(new Gtk::EventBox());
    Gtk::Label* label = Gtk::manage(new Gtk::Label(CellTexts[index], false));
    cellBox->add(*label);
    label->modify_fg(Gtk::STATE_NORMAL, compsupport::Colour(TextColour));
    cellBox->modify_bg(Gtk::STATE_NORMAL, compsupport::Colour(CellColour));

    const int width = compsupport::Whole(CellWidth);
    const int height = compsupport::Whole(CellHeight);
    const int x = compsupport::Px(PositionX);
    const int y = compsupport::Px(PositionY);
    if (ShowBorder == 1) {
        PrintStatement("Border Visible CompRectangleGrid");
        Gtk::EventBox* frameBox = Gtk::manage(new Gtk::EventBox());
        frameBox->set_size_request(width, height);
        frameBox->modify_bg(Gtk::STATE_NORMAL, compsupport::Colour(FrameColour));
        cellBox->set_border_width(compsupport::Whole(BorderWidth));
        frameBox->add(*cellBox);
        cell->put(*frameBox, x, y);
        CellBoxes[row][column] = cellBox;
    } else {
        PrintStatement("Border Not Visible CompRectangleGrid");
        cellBox->set_size_request(width, height);
        cell->put(*cellBox, x, y);
    }

    compsupport::SetFont(*label, kLabelSize, compsupport::Weight::Normal);
    if (BoldLabels == 1)
        PrintStatement("Label Bold CompRectangleGrid");
    CellLabels[row][column] = label;

    gridsupport::AttachCell(CellTable, *cell, column, row, ColumnSpan, RowSpan);
}

void CompRectangleGrid::SelectPasswordValue(std::int16_t n)
{
    if (n < 1)
        return;
    const int key = n - 1;
    Gtk::EventBox* cellBox = gridsupport::CellAt(CellBoxes, key / kKeysPerRow, key % kKeysPerRow);
    if (!cellBox)
        return;  // no such key, or the grid has no cell boxes
    cellBox->set_border_width(compsupport::Whole(BorderWidth));
    cellBox->queue_draw();
}
