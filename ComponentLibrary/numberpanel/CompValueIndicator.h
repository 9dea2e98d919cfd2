// One row of a status table: a caption on a grey picture, three or six value
// cells (a number over a small picture each) and a unit picture. The owning
// screen writes the numbers into ValueLabels at run time.
#ifndef CABDISPLAY_NUMBERPANEL_COMPVALUEINDICATOR_H
#define CABDISPLAY_NUMBERPANEL_COMPVALUEINDICATOR_H

#include <gtkmm/box.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include <string>

class CompValueIndicator : public Gtk::HBox {
public:
    CompValueIndicator();
    virtual ~CompValueIndicator();

    // Builds the row from the settings below; called once.
    void ConstructLayout();

    // Sets every setting to its default (run by the constructor).
    void Init();

    void GetReSizedImage(Gtk::Image& image, std::string path, float width, float height);
    bool FileExists(const std::string& path);
    void PrintStatement(std::string text);

    unsigned char DebugOutput = 0;
    unsigned char SixValues = 0;
    unsigned char ValueCellVisible[6] = {};
    unsigned char UnitCellVisible = 0;
    float CaptionExtraWidth = 0;
    float ValueWidthReduction = 0;
    float ValueBoxWidth = 0;
    float Spacing = 0;
    std::string CaptionBackgroundPath;
    std::string CaptionText;
    std::string ValueBackgroundPath;
    std::string ValueTexts[6];
    std::string UnitImagePath;

    Gtk::Image CaptionBackgroundImage;
    Gtk::Image ValueBackgroundImages[6];
    Gtk::Image UnitImage;
    Gtk::Label CaptionLabel;
    Gtk::Label ValueLabels[6];
    Gtk::Fixed CaptionCell;
    Gtk::Fixed ValueCells[6];
    Gtk::Fixed UnitCell;
    Gtk::HBox CaptionBox;
    Gtk::HBox ValueBoxes[6];
};

#endif
