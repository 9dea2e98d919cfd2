// A status table row with a horizontal bar: caption cell, holder cell (a
// coloured bar growing from the left over a frame picture, the value text at
// the frame's right end) and unit cell. Every place and size is a setting.
#ifndef CABDISPLAY_BARFRAME_COMPPROGRESSBARHOLDER_H
#define CABDISPLAY_BARFRAME_COMPPROGRESSBARHOLDER_H

#include <gtkmm/box.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <string>

class CompProgressBarHolder : public Gtk::HBox {
public:
    CompProgressBarHolder();
    virtual ~CompProgressBarHolder();

    void Initialization();
    void ConstructLayout();
    // Bar length for a percentage of full scale; 0 hides the bar.
    void SetProgressBarInd(float percent);

    bool FileExists(const std::string& path);
    void PrintStatement(std::string text);

    Gtk::Fixed CaptionCell;
    Gtk::Fixed HolderCell;
    Gtk::Fixed UnitCell;
    Gtk::HBox CaptionBox;
    Gtk::HBox ValueBox;
    Gtk::EventBox BarBox;
    Gtk::Label CaptionLabel;
    // The owners write the shown value here.
    Gtk::Label ValueLabel;
    Gtk::Image CaptionBackgroundImage;
    Gtk::Image HolderImage;
    Gtk::Image UnitImage;

    // Settings, written by the owner before ConstructLayout.
    unsigned char DebugOutput = 0;
    unsigned char UnitCellVisible = 1;
    unsigned char ValueVisible = 1;
    unsigned char HolderVisible = 1;
    unsigned char CaptionCellVisible = 1;
    float Spacing = 5;
    float CaptionImageX = 0, CaptionImageY = 0;
    float CaptionBoxX = 0, CaptionBoxY = 0;
    float CaptionBoxWidth = 200, CaptionBoxHeight = 18;
    float HolderX = 0, HolderY = 0;
    float BarX = 3, BarY = 4;
    float BarWidth = 255, BarHeight = 9;
    float ValueBoxX = 276, ValueBoxY = 4;
    float UnitX = 0, UnitY = 0;
    float ValueBoxWidth = 50, ValueBoxHeight = 10;
    float CaptionImageWidth = 200, CaptionImageHeight = 18;
    float UnitWidth = 56, UnitHeight = 18;
    float HolderWidth = 322.4f, HolderHeight = 18;
    std::string CaptionBackgroundPath;
    std::string CaptionText;
    std::string CaptionColour;
    std::string HolderImagePath;
    std::string ValueText;
    std::string ValueColour;
    std::string BarColour;
    std::string UnitImagePath;
};

#endif
