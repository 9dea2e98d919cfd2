// The three distributed-power table pages and the table builder they share.
#include "DpwcsBpContinuityCheck.h"
#include "DpwcsOverview.h"
#include "ReadMVBData.h"
#include "SettingsWidgets.h"
#include "TablePage.h"
#include "WagonDetails.h"

namespace tablepage {

namespace {
constexpr int kContinuityColumns = 3;
constexpr int kOverviewColumns = 12;
constexpr int kWagonTypes = 7;
constexpr int kWagonEntries = 28;
constexpr int kBrakeVanColumns = 2;
constexpr int kCellTextPoints = 10;   // the grid's own cell text size
}  // namespace

// A cell text that does not fit its framed cell at the grid's 10 points is
// drawn smaller, so no heading runs into its neighbour.
void FitTexts(CompRectangleGrid& grid)
{
    const int frame = 2 * int(grid.BorderWidth);
    for (auto& row : grid.CellLabels)
        for (Gtk::Label* label : row)
            if (label)
                settingsui::FitFont(*label, kCellTextPoints, int(grid.CellWidth) - frame - 2,
                                    int(grid.CellHeight) - frame, false);
}

void BuildTable(Gtk::Fixed& page, const TableSpec& spec)
{
    CompRectangleGrid& grid = spec.grid;
    grid.Rows = spec.rows;
    grid.Columns = spec.columns;
    for (std::size_t i = 0; i < spec.texts.size() && i < std::size(grid.CellTexts); ++i)
        grid.CellTexts[i] = spec.texts[i];
    grid.CellWidth = spec.cellWidth;
    grid.CellHeight = spec.cellHeight;
    grid.ShowBorder = 1;
    grid.BorderWidth = 1;
    grid.ColumnSpacing = spec.columnSpacing;
    grid.RowSpacing = spec.rowSpacing;
    grid.ConstructLayout();
    FitTexts(grid);
    page.put(grid, spec.x, spec.y);
}

std::vector<std::string> Zeros(std::size_t count)
{
    return std::vector<std::string>(count, "0");
}

std::vector<std::string> LabelledRows(const std::vector<std::string>& labels, int valueColumns)
{
    std::vector<std::string> texts;
    for (const std::string& label : labels) {
        texts.push_back(label);
        texts.insert(texts.end(), std::size_t(valueColumns), "0");
    }
    return texts;
}

CellRef ContinuityCell(int entry)
{
    return {0, entry / kContinuityColumns, entry % kContinuityColumns};
}

CellRef OverviewCell(int entry)
{
    return {0, entry / kOverviewColumns, entry % kOverviewColumns};
}

CellRef WagonCell(int entry)
{
    if (entry < kWagonEntries)
        return {0, entry / kWagonTypes, 1 + entry % kWagonTypes};
    const int van = entry - kWagonEntries;
    return {1, van / kBrakeVanColumns, 1 + van % kBrakeVanColumns};
}

void DrawNumber(CompRectangleGrid& grid, int row, int column, std::stringstream& stream,
                std::uint16_t value)
{
    grid.CellLabels[row][column]->set_text(settingsui::Format(stream, value));
}

void DrawAll(CompRectangleGrid& grid, std::stringstream& stream, const std::uint16_t* values, int count,
             CellRef (*map)(int))
{
    for (int k = 0; k < count; ++k) {
        const CellRef cell = map(k);
        DrawNumber(grid, cell.row, cell.column, stream, values[k]);
    }
}

}  // namespace tablepage

using tablepage::BuildTable;
using tablepage::CellRef;

// ---- Brake-pipe continuity check ----

DpwcsBpContinuityCheck::DpwcsBpContinuityCheck() : m_ValueStream(std::ios::in | std::ios::out)
{
    ConstructLayout();
}

DpwcsBpContinuityCheck::~DpwcsBpContinuityCheck() = default;

void DpwcsBpContinuityCheck::ConstructLayout()
{
    BuildTable(*this, {m_HeadingGrid, 1, 3, 160, 35, 30, 0, 15, 5, {"Heading 1", "Heading 2", "Heading 3"}});
    BuildTable(*this, {m_ValueGrid, 5, 3, 160, 35, 30, 0, 15, 60, tablepage::Zeros(kValues)});
    show_all_children(true);
}

void DpwcsBpContinuityCheck::UpdateDpwcsBpContinuityCheckScreen()
{
    tablepage::DrawAll(m_ValueGrid, m_ValueStream, ReadMVBData::getInstance()->BpContinuityValues, kValues,
                       tablepage::ContinuityCell);
}

// ---- Overview ----

DpwcsOverview::DpwcsOverview() : m_ValueStream(std::ios::in | std::ios::out)
{
    ConstructLayout();
}

DpwcsOverview::~DpwcsOverview() = default;

void DpwcsOverview::ConstructLayout()
{
    BuildTable(*this, {m_HeadingGrid, 1, 12, 49, 40, 0, 0, 0, 5,
                       {"REMOTE\n LOCO", "TE/BE", "SPEED", "BP", "BC", "MR", "SS02", "BUR", "SS03", "VCB",
                        "PANTO", "Sanding"}});
    BuildTable(*this, {m_ValueGrid, 5, 12, 49, 40, 0, 0, 0, 50, tablepage::Zeros(kValues)});
    show_all_children(true);
}

void DpwcsOverview::UpdateDpwcsOverviewScreen()
{
    tablepage::DrawAll(m_ValueGrid, m_ValueStream, ReadMVBData::getInstance()->DpwcsOverviewValues, kValues,
                       tablepage::OverviewCell);
}

// ---- Wagon details ----

WagonDetails::WagonDetails() : m_ValueStream(std::ios::in | std::ios::out)
{
    ConstructLayout();
}

WagonDetails::~WagonDetails() = default;

void WagonDetails::ConstructLayout()
{
    BuildTable(*this, {m_HeadingGrid, 1, 8, 73, 31, 0, 0, 5, 5,
                       {"BETWEEN\n LOCO's", "BOXN/\n BOBRN", "BCNHL/\n BOXNHL", "BOXNHS", "BTPN", "BOBR",
                        "BRN", "BCN/\n CONCOR"}});
    BuildTable(*this, {m_WagonGrid, 4, 8, 73, 31, 0, 0, 5, 40,
                       tablepage::LabelledRows({" Lead &\n Remote-1", " Remote-1 &\n Remote-2",
                                                " Remote-2 &\n Remote-3", " Remote-3 &\n Remote-4"},
                                               7)});
    BuildTable(*this, {m_BrakeVanGrid, 2, 3, 73, 31, 0, 0, 5, 164,
                       tablepage::LabelledRows({" Brake Van\n 8 wheeler", " Brake Van\n 4 wheeler"}, 2)});
    show_all_children(true);
}

void WagonDetails::UpdateWagonDetailsScreen()
{
    for (int k = 0; k < kValues; ++k) {
        const std::uint16_t value = ReadMVBData::getInstance()->WagonDetailValues[k];
        if (m_ValueCaches[k] && *m_ValueCaches[k] == value)
            continue;
        m_ValueCaches[k] = value;
        const CellRef cell = tablepage::WagonCell(k);
        tablepage::DrawNumber(cell.table == 0 ? m_WagonGrid : m_BrakeVanGrid, cell.row, cell.column,
                              m_ValueStream, value);
    }
}
