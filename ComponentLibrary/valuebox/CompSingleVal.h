// A status table row with one value: caption cell, a wide value cell with a
// cyan text centred on a grey picture, and a unit cell.
#ifndef CABDISPLAY_VALUEBOX_COMPSINGLEVAL_H
#define CABDISPLAY_VALUEBOX_COMPSINGLEVAL_H

#include <gtkmm/box.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <string>

class CompSingleVal : public Gtk::HBox {
public:
    CompSingleVal();
    virtual ~CompSingleVal();

    void Init();
    void ConstructLayout();

    void GetReSizedImage(Gtk::Image& image, std::string path, float width, float height);
    bool FileExists(const std::string& path);
    void PrintStatement(std::string text);

    // Settings, written by the owner before ConstructLayout.
    unsigned char DebugOutput = 0;
    unsigned char CaptionCellVisible = 1;
    unsigned char ValueCellVisible = 1;
    unsigned char UnitCellVisible = 1;
    float Spacing = 4.992f;
    std::string CaptionBackgroundPath;
    std::string UnitImagePath;
    std::string CaptionText;
    std::string ValueText;
    std::string CaptionColour;

    Gtk::Image CaptionBackgroundImage;
    Gtk::Image ValueBackgroundImage;
    Gtk::Image UnitImage;
    Gtk::Fixed CaptionCell;
    Gtk::Fixed ValueCell;
    Gtk::Fixed UnitCell;
    Gtk::Label CaptionLabel;
    // The owners write the shown value here.
    Gtk::Label ValueLabel;
    Gtk::VBox ValueBox;
    Gtk::VBox CaptionBox;
};

#endif
