// A table of plain coloured text cells: the numeric keypads of the settings
// screens, their framed title boxes and the distributed-power tables. With a
// border, each cell box sits in a frame box, and SelectPasswordValue gives one
// cell a visible ring of the frame colour.
#ifndef CABDISPLAY_CELLPANEL_COMPRECTANGLEGRID_H
#define CABDISPLAY_CELLPANEL_COMPRECTANGLEGRID_H

#include <gtkmm/box.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/label.h>
#include <gtkmm/table.h>

#include <cstdint>
#include <string>
#include <vector>

class CompRectangleGrid : public Gtk::VBox {
public:
    CompRectangleGrid();
    virtual ~CompRectangleGrid();

    // Builds the table from the settings; called once.
    void ConstructLayout();
    // Gives the cell of key n (three keys a row, from 1) the current
    // BorderWidth. Keys that name no built cell are ignored.
    void SelectPasswordValue(std::int16_t n);

    void PrintStatement(std::string text);

    // Settings, written by the owner before ConstructLayout. Rows x Columns
    // must not exceed the 100 entries of CellTexts.
    std::uint16_t DebugOutput = 0;
    std::uint16_t BoldLabels = 0;
    std::uint16_t ShowBorder = 0;
    std::uint16_t Rows = 0;
    std::uint16_t Columns = 0;
    float RowSpacing = 0;
    float ColumnSpacing = 0;
    float CellWidth = 0;
    float CellHeight = 0;
    float RowSpan = 1;
    float ColumnSpan = 1;
    float BorderWidth = 3;
    float PositionX = 0;
    float PositionY = 0;
    std::string CellTexts[100];
    std::string TextColour = "white";
    std::string CellColour = "black";
    std::string FrameColour = "white";

    // Built parts.
    Gtk::Table CellTable;
    // [row][column]; cell boxes are kept only with ShowBorder 1.
    std::vector<std::vector<Gtk::EventBox*>> CellBoxes;
    std::vector<std::vector<Gtk::Label*>> CellLabels;

private:
    void BuildCell(unsigned row, unsigned column, std::size_t index);
};

#endif
