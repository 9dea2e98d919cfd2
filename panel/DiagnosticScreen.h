// The diagnostics screen: the diagnostics log under a fixed header row,
// 15 rows a page, newest first; up and down page through the log.
#ifndef CABDISPLAY_PANEL_DIAGNOSTICSCREEN_H
#define CABDISPLAY_PANEL_DIAGNOSTICSCREEN_H

#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/table.h>
#include <sstream>
#include <string>

extern std::string TopHeadings[7];
extern short HeaderWidth[7];

class DiagnosticScreen : public Gtk::EventBox {
public:
    DiagnosticScreen();
    ~DiagnosticScreen();

    void Initialaization();
    void ConstructLayout();
    // Rebuilds the visible page from the log; returns 0.
    int TimerFunc();
    // direction <= 0: one page towards the newest rows; > 0: towards the oldest.
    void changepage(int direction);
    // Fills Fields from one log line.
    void processString(std::string line);
    void ConstructDiagnostic(short rows, short columns, std::string cells[][7], short x, short y);
    void ConstructDiagnosticGrid(short rows, short columns, std::string texts[], short x, short y);

    std::string Cells[15][7];
    std::string Fields[7];
    int FirstView = 0;
    int LineCount = 0;
    int StartLine = 0;
    int CurrentLine = 0;
    int RowIndex = 0;
    int ColumnIndex = 0;
    int Page = 0;
    int LastPage = 0;
    int RowsFilled = 0;
    std::stringstream TextStream;
    int RowsOn = 0;
    int ParseLength = 0, ParseIndex = 0, ParseField = 0, ParseInside = 0;
    Gtk::Table* DataTable = nullptr;
    Gtk::Fixed Area;

private:
    void AddCell(const std::string& text, int column, int tableRow, const char* colour);
    bool CountLogLines();
    void ReadPage();
};

#endif
