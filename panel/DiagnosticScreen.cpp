#include "DiagnosticScreen.h"

#include <gtkmm/label.h>
#include <iostream>
#include <pangomm/fontdescription.h>

#include "CompSupport.h"
#include "FaultLog.h"
#include "PanelWidgets.h"

std::string TopHeadings[7] = {"Index Id", "Fault Id", "Priority", "Subsystem", "Event Time", "Message", "Count"};
short HeaderWidth[7] = {67, 77, 50, 87, 150, 290, 60};

namespace {
const int kPageRows = 15;
const int kColumns = 7;
const int kCellHeight = 31;
const int kCellFrame = 1;   // white frame around the black field
const int kCellFontSize = 10240;   // 10 pt
}  // namespace

DiagnosticScreen::DiagnosticScreen()
{
    DataTable = Gtk::manage(new Gtk::Table(1, 1, false));
    Initialaization();
    ConstructLayout();
}

DiagnosticScreen::~DiagnosticScreen() = default;

void DiagnosticScreen::Initialaization()
{
    FirstView = 0;
    LineCount = 0;
    StartLine = 0;
    CurrentLine = 0;
    RowIndex = 0;
    ColumnIndex = 0;
    RowsOn = 0;
}

void DiagnosticScreen::ConstructLayout()
{
    set_size_request(790, 532);
    modify_bg(Gtk::STATE_NORMAL, Gdk::Color("black"));
    ConstructDiagnosticGrid(1, kColumns, TopHeadings, 5, 5);
    FirstView = 1;
    add(Area);
    show_all_children();
}

// One cell: white 1-pixel frame around a black field with the text.
void DiagnosticScreen::AddCell(const std::string& text, int column, int tableRow, const char* colour)
{
    Gtk::EventBox* outer = Gtk::manage(new Gtk::EventBox);
    outer->set_size_request(HeaderWidth[column], kCellHeight);
    outer->modify_bg(Gtk::STATE_NORMAL, Gdk::Color("white"));
    Gtk::EventBox* inner = Gtk::manage(new Gtk::EventBox);
    inner->modify_bg(Gtk::STATE_NORMAL, Gdk::Color("black"));
    inner->set_border_width(kCellFrame);
    outer->add(*inner);
    Gtk::Label* label = Gtk::manage(new Gtk::Label);
    Pango::FontDescription font;
    font.set_size(kCellFontSize);
    label->modify_font(font);
    // A log row's text, cut to the cell inside its frame.
    const compsupport::TextBox field{HeaderWidth[column] - 2 * kCellFrame, kCellHeight - 2 * kCellFrame, false};
    label->set_text(compsupport::FitText(*label, text, field));
    label->modify_fg(Gtk::STATE_NORMAL, Gdk::Color(colour));
    inner->add(*label);
    Gtk::Fixed* holder = Gtk::manage(new Gtk::Fixed);
    holder->put(*outer, 0, 0);
    DataTable->attach(*holder, column, column + 1, tableRow, tableRow + 1,
                      Gtk::EXPAND | Gtk::FILL, Gtk::EXPAND | Gtk::FILL, 0, 0);
}

void DiagnosticScreen::ConstructDiagnosticGrid(short rows, short columns, std::string texts[], short x, short y)
{
    DataTable->set_row_spacings(0);
    DataTable->set_col_spacings(0);
    for (int r = rows - 1; r >= 0; --r)
        for (int j = 0; j < columns; ++j) AddCell(texts[j], j, r, "white");
    panelwidgets::PutAt(Area, *DataTable, x, y);
    show_all_children();
}

void DiagnosticScreen::ConstructDiagnostic(short rows, short columns, std::string cells[][7], short x, short y)
{
    DataTable->set_row_spacings(0);
    DataTable->set_col_spacings(0);
    for (int i = 0; i < rows; ++i) {
        if (cells[i][0].empty()) continue;
        for (int j = 0; j < columns; ++j) AddCell(cells[i][j], j, rows - 1 - i, "#00ffff");
    }
    panelwidgets::PutAt(Area, *DataTable, x, y);
    show_all_children();
}

namespace {

// Reads the log by lines within its limits; false (with the screen's line)
// when it cannot be read.
bool ReadLog(const fileio::LineFunction& line)
{
    fileio::LinesRead read;
    const fileio::Outcome outcome = fileio::ReadLines(faultlog::kLogFile, faultlog::kLogLimits, line, &read);
    fileio::Report(faultlog::kLogFile, "not read", fileio::ToReport(outcome, read, faultlog::kLogLimits));
    if (outcome.ok()) return true;
    std::cout << "Error Opening File" << std::endl;
    return false;
}

}  // namespace

// Counts the log's lines; false when the log cannot be read.
bool DiagnosticScreen::CountLogLines()
{
    LineCount = 0;
    return ReadLog([this](const char*, std::size_t) {
        ++LineCount;
        return true;
    });
}

int DiagnosticScreen::TimerFunc()
{
    std::cout << "Timer Function Called in Diagnostic Screen" << std::endl;
    if (FirstView == 1) {
        std::cout << std::string(63, 'A') << std::endl;
        DataTable = new Gtk::Table(1, 1, false);   // the header stays in the area; this one is replaced
        FirstView = 0;
    } else {
        std::cout << std::string(64, 'B') << std::endl;
        panelwidgets::ReplaceTable(Area, DataTable);
    }
    if (!CountLogLines()) return 0;

    if (Page <= 0) Page = 1;
    LastPage = LineCount / kPageRows - (LineCount % kPageRows == 0 ? 1 : 0);
    if (LineCount <= kPageRows) {
        StartLine = LineCount;
    } else {
        StartLine = LineCount - kPageRows;
        if (Page > 1) StartLine = kPageRows * Page >= LineCount ? 0 : LineCount - kPageRows * Page;
    }
    ReadPage();
    return 0;
}

// Reads the page's lines into Cells and builds the page table.
void DiagnosticScreen::ReadPage()
{
    RowsFilled = RowIndex = ColumnIndex = CurrentLine = RowsOn = 0;
    for (auto& row : Cells)
        for (std::string& cell : row) cell.clear();
    bool traced = false;
    const bool read = ReadLog([&](const char* text, std::size_t size) {
        if (!traced) std::cout << "FILE OPENED  " << LineCount << "  " << StartLine << std::endl;
        traced = true;
        ++CurrentLine;
        if (LineCount <= kPageRows) {
            RowsOn = 10;
        } else if (CurrentLine == StartLine + 1) {
            RowsOn = 10;
            RowsFilled = 0;
        } else if (RowsFilled > kPageRows - 1) {
            RowsOn = 0;
        }
        if (RowsOn > 0 && RowIndex <= kPageRows - 1) {
            ++RowsFilled;
            std::cout << "INSIDE LOOP " << RowIndex;
            processString(std::string(text, size));
            TextStream.str("");
            TextStream << LineCount - CurrentLine + 1;
            Cells[RowIndex][0] = TextStream.str();
            for (int j = 1; j < kColumns; ++j) Cells[RowIndex][j] = Fields[j];
            ++RowIndex;
        }
        return RowIndex < kPageRows;  // the rest of the log is not needed
    });
    if (!read) return;
    if (!traced) std::cout << "FILE OPENED  " << LineCount << "  " << StartLine << std::endl;
    std::cout << "FILE OPENED  " << LineCount << "  " << StartLine << std::endl;
    ConstructDiagnostic(kPageRows, kColumns, Cells, 5, 45);
    Initialaization();
}

void DiagnosticScreen::processString(std::string line)
{
    for (std::string& field : Fields) field.clear();   // a short line leaves the rest empty
    ParseLength = static_cast<int>(line.size());
    ParseField = 0;
    ParseInside = 0;
    for (ParseIndex = 0; ParseIndex < ParseLength && ParseField < kColumns; ++ParseIndex) {
        const char c = line[static_cast<std::size_t>(ParseIndex)];
        if (c == '"') {
            if (ParseInside) ++ParseField;
            ParseInside = !ParseInside;
        } else if (ParseInside) {
            Fields[ParseField] += c;
        }
    }
}

void DiagnosticScreen::changepage(int direction)
{
    if (direction <= 0) {
        if (Page >= 2) --Page;
    } else if (Page < LastPage + 1) {
        ++Page;
    }
}
