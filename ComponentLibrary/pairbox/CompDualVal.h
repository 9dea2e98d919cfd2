// A status table row with two state cells, one per side of a pair (left and
// right half of a converter, bogie 1 and 2): caption, left cell, right cell,
// unit. Image rows show an on/off picture per side; value rows show a value
// text centred on each side's picture.
#ifndef CABDISPLAY_PAIRBOX_COMPDUALVAL_H
#define CABDISPLAY_PAIRBOX_COMPDUALVAL_H

#include <gtkmm/box.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <string>

class CompDualVal : public Gtk::HBox {
public:
    CompDualVal();
    virtual ~CompDualVal();

    void Init();
    void ConstructLayout();

    void GetReSizedImage(Gtk::Image& image, std::string path, float width, float height);
    bool FileExists(const std::string& path);
    void PrintStatement(std::string text);

    // Settings, written by the owner before ConstructLayout. The debug switch
    // is on from the start in this row.
    unsigned char DebugOutput = 1;
    unsigned char LeftStateOn = 0;
    unsigned char RightStateOn = 0;
    unsigned char ShowValueTexts = 0;
    unsigned char CaptionCellVisible = 1;
    unsigned char LeftCellVisible = 1;
    unsigned char RightCellVisible = 1;
    unsigned char UnitCellVisible = 1;
    float Spacing = 4.992f;
    float CellWidthFraction = 0.2f;
    std::string CaptionBackgroundPath;
    std::string OnImagePath;
    std::string OffImagePath;
    std::string UnitImagePath;
    std::string CaptionText;
    std::string LeftValueText;
    std::string RightValueText;
    std::string CaptionColour;
    std::string ValueColour;

    // Widgets the owners reach after ConstructLayout.
    Gtk::Image CaptionBackgroundImage;
    Gtk::Image LeftStateImage;
    Gtk::Image RightStateImage;
    Gtk::Image UnitImage;
    Gtk::Fixed CaptionCell;
    Gtk::Fixed LeftCell;
    Gtk::Fixed RightCell;
    Gtk::Fixed UnitCell;
    Gtk::Label CaptionLabel;
    Gtk::Label LeftValueLabel;
    Gtk::Label RightValueLabel;
    Gtk::VBox RightValueBox;
    Gtk::VBox LeftValueBox;
    Gtk::VBox CaptionBox;
};

#endif
