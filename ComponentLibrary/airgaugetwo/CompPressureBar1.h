// Effort bar of the main screen: a vertical scale from -600 (braking, bottom)
// to +700 (traction, top) with a left arrow for the demanded and a right
// arrow for the actual tractive or braking effort, each with its value.
#ifndef CABDISPLAY_AIRGAUGETWO_COMPPRESSUREBAR1_H
#define CABDISPLAY_AIRGAUGETWO_COMPPRESSUREBAR1_H

#include <gtkmm/alignment.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include <sstream>
#include <string>

class CompPressureBar1 : public Gtk::Fixed {
public:
    CompPressureBar1();
    virtual ~CompPressureBar1();

    void Initialization();
    void ConstructLayout();

    // Signed effort: positive traction, negative braking. The mode word is
    // accepted and not used.
    void SetPressureBarLeftInd(float value, int mode);
    void SetPressureBarRightInd(float value, int mode);

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
