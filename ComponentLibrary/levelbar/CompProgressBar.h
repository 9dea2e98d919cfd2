// Vertical level bar: a scale picture, an indicator that slides up it in
// proportion to a percentage, and a value label under the scale that shows
// the percentage turned back into amperes or kilovolts, as the scale picture
// chosen by the owner says.
#ifndef CABDISPLAY_LEVELBAR_COMPPROGRESSBAR_H
#define CABDISPLAY_LEVELBAR_COMPPROGRESSBAR_H

#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include <sstream>
#include <string>

class CompProgressBar : public Gtk::Fixed {
public:
    CompProgressBar();
    virtual ~CompProgressBar();

    void Initilization();
    void ConstructLayout();

    // Percentage of full scale (owners pass 0 to 100).
    void SetProgressBarInd(float percent);

    bool FileExists(const std::string& path);
    void PrintStatement(std::string text);

    // Settings (defaults set by Initilization). BackgroundImagePath is read
    // again by every update: it selects the value scale.
    unsigned char DebugOutput = 0;  // quiet until the defaults are set
    unsigned char BoldValue;
    unsigned char BackgroundVisible;
    unsigned char ValueVisible;
    unsigned char IndicatorVisible;
    short PositionX;
    short PositionY;
    float BackgroundX;
    float BackgroundY;
    float ValueX;
    float ValueY;
    float IndicatorWidth;
    float IndicatorHeight;
    float IndicatorX;
    float IndicatorY;
    float BackgroundWidth;
    float BackgroundHeight;
    std::string FrameColour;
    std::string BackgroundImagePath;
    std::string IndicatorImagePath;
    std::string ValueText;
    std::string ValueColour;

    // Inner members; owners do not touch them.
    std::stringstream ValueStream;
    Gtk::Fixed GaugeFixed;
    Gtk::EventBox FrameBox;
    Gtk::Label ValueLabel;
    Gtk::Image IndicatorImage;
    Gtk::Image BackgroundImage;
};

#endif
