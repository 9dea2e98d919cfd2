// Effort bar driven by percentages: the left arrow rises over 0 to 100 percent
// of 700 (traction), the right arrow falls over 0 to 100 percent of 600
// (braking); each shows the value its percentage stands for.
#ifndef CABDISPLAY_AIRGAUGE_COMPPRESSUREBAR_H
#define CABDISPLAY_AIRGAUGE_COMPPRESSUREBAR_H

#include <gtkmm/alignment.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include <sstream>
#include <string>

class CompPressureBar : public Gtk::Fixed {
public:
    CompPressureBar();
    virtual ~CompPressureBar();

    void Initialization();
    void ConstructLayout();

    // Percentage of full traction (left) or full braking (right).
    void SetPressureBarLeftInd(float percent);
    void SetPressureBarRightInd(float percent);

    bool FileExists(const std::string& path);
    void PrintStatement(std::string text);

    // Settings (defaults set by Initialization).
    unsigned char DebugOutput = 0;  // quiet until the defaults are set
    unsigned char LeftValueBold;
    unsigned char RightValueBold;
    unsigned char BackgroundVisible;
    unsigned char LeftBarVisible;
    unsigned char RightBarVisible;
    unsigned char LeftValueVisible;
    unsigned char RightValueVisible;
    short PositionX;
    short PositionY;
    float BackgroundX;
    float BackgroundY;
    float LeftBarX;
    float LeftBarY;
    float LeftBarWidth;
    float LeftBarHeight;
    float RightBarX;
    float RightBarY;
    float RightBarWidth;
    float RightBarHeight;
    float LeftValueX;
    float LeftValueY;
    float RightValueX;
    float RightValueY;
    float LeftIndicatorWidth;
    float LeftIndicatorHeight;
    float RightIndicatorWidth;
    float RightIndicatorHeight;
    float LeftXAlign;
    float LeftYAlign;
    float LeftXScale;
    float LeftYScale;
    float RightXAlign;
    float RightYAlign;
    float RightXScale;
    float RightYScale;
    float BackgroundWidth;
    float BackgroundHeight;
    float FontScale;
    std::string FrameColour;
    std::string BackgroundImagePath;
    std::string LeftIndicatorImagePath;
    std::string RightIndicatorImagePath;
    std::string LeftBarColour;
    std::string RightBarColour;
    std::string LeftValueText;
    std::string RightValueText;
    std::stringstream LeftValueStream;
    std::stringstream RightValueStream;
    std::string ValueColour;

    // Widgets built by ConstructLayout.
    Gtk::Fixed GaugeFixed;
    Gtk::EventBox FrameBox;
    Gtk::EventBox LeftBarBox;
    Gtk::EventBox RightBarBox;
    Gtk::Label LeftValueLabel;
    Gtk::Label RightValueLabel;
    Gtk::Image LeftIndicatorImage;
    Gtk::Image RightIndicatorImage;
    Gtk::Image BackgroundImage;
    Gtk::Alignment LeftIndicatorAlignment;
    Gtk::Alignment RightIndicatorAlignment;
};

#endif
