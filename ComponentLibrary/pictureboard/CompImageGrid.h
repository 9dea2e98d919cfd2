// The small picture grid of the main screen: up to four cells, each an ON or
// OFF picture with its caption beside it, on a black ground. The owner sets
// the initial cell states, builds the grid once and then switches single
// cells with UpdateValues.
#ifndef CABDISPLAY_PICTUREBOARD_COMPIMAGEGRID_H
#define CABDISPLAY_PICTUREBOARD_COMPIMAGEGRID_H

#include <gdkmm/pixbuf.h>
#include <gtkmm/box.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/table.h>

#include <cstdint>
#include <string>
#include <vector>

class CompImageGrid : public Gtk::Fixed {
public:
    CompImageGrid();
    virtual ~CompImageGrid();

    // Builds the grid from the settings; called once.
    void ConstructLayout();
    // Switches one cell: type 1..4 is row 0 column 0, row 0 column 1, row 1
    // column 0, row 1 column 1; value 1 shows ON, anything else OFF.
    void UpdateValues(int type, std::int8_t value);

    bool FileExists(const std::string& path);
    void PrintStatement(std::string text);

    // Settings, written by the owner before ConstructLayout.
    std::uint8_t DebugOutput = 0;
    std::uint8_t ScaleImages = 0;
    std::uint8_t UseCustomFont = 0;
    std::int8_t MaxRows = 2;
    std::int8_t MaxColumns = 2;
    std::int8_t Rows = 2;
    std::int8_t Columns = 2;
    std::uint8_t CellStates[4] = {0, 0, 0, 0};
    float ImageWidth = 102.4f;
    float ImageHeight = 76.8f;
    float ColumnSpacing = 0;
    float RowSpacing = 0;
    float RowSpan = 1;
    float ColumnSpan = 1;
    float FontScale = 0;
    float PositionX = 0;
    float PositionY = 0;
    float ImageX = 0;
    float ImageY = 0;
    float CaptionWidth = 73;
    float CaptionHeight = 30;
    float CaptionX = 55;
    float CaptionY = 11;
    std::string CaptionColour = "white";
    std::string OffCaptions[4] = {"BL Key\n  Off", "Train Brake\n      Off", "Loco Brake\n      Off",
                                  "Wheel Slip\n      Off"};
    std::string OnCaptions[4] = {"BL Key\n  On", "Train Brake\n      On", "Loco Brake\n      On",
                                 "Wheel Slip\n      On"};
    std::string OffImagePaths[4] = {"./Images/BlKeyOFF.png", "./Images/TrainBrakeOFF.png",
                                    "./Images/LocoBrakeOFF.png", "./Images/WheelSlipOFF.png"};
    std::string OnImagePaths[4] = {"./Images/BlKeyON.png", "./Images/TrainBrakeON.png",
                                   "./Images/LocoBrakeON.png", "./Images/WheelSlipON.png"};

    // Built parts.
    Gtk::Table CellTable;
    Gtk::EventBox FrameBox;
    // [row][column]; null for a cell that was not built.
    std::vector<std::vector<Gtk::Image*>> CellImages;
    std::vector<std::vector<Gtk::Label*>> CellLabels;

    // Working storage of the build and of UpdateValues.
    Glib::RefPtr<Gdk::Pixbuf> LoadedPixbuf;
    Glib::RefPtr<Gdk::Pixbuf> ScaledPixbuf;
    std::string CellImagePath;
    std::string CellCaption;
    std::uint16_t CellIndex = 0;

private:
    bool DimensionsInRange() const;
    void BuildCell(int row, int column);
};

#endif
