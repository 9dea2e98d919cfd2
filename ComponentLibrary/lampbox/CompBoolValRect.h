// One row of a status table: a grey caption cell followed by a long status
// picture showing a two-state signal (lamp on/off, pantograph up/down).
#ifndef CABDISPLAY_LAMPBOX_COMPBOOLVALRECT_H
#define CABDISPLAY_LAMPBOX_COMPBOOLVALRECT_H

#include <gtkmm/box.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <string>

class CompBoolValRect : public Gtk::HBox {
public:
    CompBoolValRect();
    virtual ~CompBoolValRect();

    void Init();
    void ConstructLayout();
    // 1 shows the lamp-on picture, any other value the lamp-off picture.
    void SetImageStatus(signed char status);
    // 10 shows the pantograph raised, 20 lowered, anything else the last one.
    void PantoStatus(signed char status);

    bool FileExists(const std::string& path);
    void PrintStatement(std::string text);

    // Settings, written by the owner before ConstructLayout.
    unsigned char DebugOutput = 0;
    unsigned char StatusOn = 0;
    unsigned char CaptionCellVisible = 1;
    unsigned char StatusCellVisible = 1;
    unsigned char PantoUp = 0;
    float Spacing = 4.992f;
    std::string CaptionText;
    std::string CaptionColour;
    std::string CaptionBackgroundPath;
    std::string OnImagePath;
    std::string OffImagePath;
    std::string PantoUpImagePath;
    std::string PantoDownImagePath;
    std::string CurrentStatusPath;
    std::string CurrentPantoPath;

    Gtk::Fixed CaptionCell;
    Gtk::Fixed StatusCell;
    Gtk::Image CaptionBackgroundImage;
    Gtk::Image StatusImage;
    Gtk::Label CaptionLabel;
    Gtk::VBox CaptionBox;

private:
    void ShowStatusPicture(const std::string& path);
};

#endif
