// A table of identical "button" cells: a picture with a caption drawn over
// it, optionally a second bold caption above the first. It has no update
// operation: owners load new pictures into CellImages and set the texts of
// CellLabels after ConstructLayout.
#ifndef CABDISPLAY_KEYPANEL_COMPBUTTONGRID_H
#define CABDISPLAY_KEYPANEL_COMPBUTTONGRID_H

#include <gdkmm/pixbuf.h>
#include <gtkmm/box.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/table.h>

#include <cstdint>
#include <string>
#include <vector>

class CompButtonGrid : public Gtk::VBox {
public:
    CompButtonGrid();
    virtual ~CompButtonGrid();

    // Builds the table from the settings; called once.
    void ConstructLayout();

    bool FileExists(const std::string& path);
    void PrintStatement(std::string text);

    // Settings, written by the owner before ConstructLayout. Rows x Columns
    // must not exceed the 100 per-cell entries.
    std::uint8_t DebugOutput = 0;
    std::uint8_t ShowSecondCaption = 0;
    std::uint8_t Homogeneous = 0;
    std::uint16_t CellStates[100] = {};
    std::uint16_t Rows = 1;
    std::uint16_t Columns = 1;
    std::uint16_t RowSpacing = 0;
    std::uint16_t ColumnSpacing = 0;
    std::uint16_t FontSize = 8;
    float CaptionX = 0;
    float CaptionY = 0;
    float RowSpan = 1;
    float ColumnSpan = 1;
    float Spacing = 4.992f;
    float CaptionHeight = 50;
    float CaptionWidth = 85;
    float ImageHeight = 49.9968f;
    float ImageWidth = 90.0096f;
    float WidgetWidth = 10.0352f;
    float WidgetHeight = 9.984f;
    std::string Captions[100];
    std::string SecondCaptions[100];
    std::string OffImagePath = "./Images/Button1OFF.png";
    std::string OnImagePath = "./Images/Button1ON.png";
    std::string CaptionColour = "white";
    std::string SecondCaptionColour = "white";
    std::string BackgroundColour = "transparent";

    // Built parts.
    Gtk::Table CellTable;
    // [row][column] picture and caption label of each cell.
    std::vector<std::vector<Gtk::Image*>> CellImages;
    std::vector<std::vector<Gtk::Label*>> CellLabels;

    // Working storage of the build: the last picture loaded and the last
    // scaled picture (what a cell shows when it is built).
    Glib::RefPtr<Gdk::Pixbuf> LoadedPixbuf;
    Glib::RefPtr<Gdk::Pixbuf> ScaledPixbuf;

private:
    void BuildCell(unsigned row, unsigned column, std::size_t index);
};

#endif
