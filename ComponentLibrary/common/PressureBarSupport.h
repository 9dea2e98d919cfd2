// Building blocks of the bar gauges (the two effort bars and the level bar):
// the coloured frame, the scale picture, the value label's font, and the one
// build and arrow move that both effort bars share. Linked statically with
// hidden visibility; the templates are hidden too, so no library exports them.
#ifndef CABDISPLAY_COMPONENTLIBRARY_PRESSUREBARSUPPORT_H
#define CABDISPLAY_COMPONENTLIBRARY_PRESSUREBARSUPPORT_H

#include <gtkmm/alignment.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include <sstream>
#include <string>

#include "CompSupport.h"

#define CABDISPLAY_BARS_HIDDEN __attribute__((visibility("hidden")))

namespace compsupport {

// The line a bar gauge prints for a picture it cannot show.
extern const char* const kImageNotFound;

// Paints the frame box and puts it into the component.
void PutFrame(Gtk::Fixed& component, Gtk::EventBox& frame, const std::string& colour, short x, short y);

// Puts a child at the truncated position and sets its child visibility.
void PutChild(Gtk::Fixed& gauge, Gtk::Widget& child, float x, float y, bool visible);

// The scale picture: loaded and placed only when it can be shown.
bool PutScale(Gtk::Fixed& gauge, Gtk::Image& image, const std::string& path, float x, float y,
              float width, float height, bool visible, unsigned debug);

// Text and foreground colour of a value label.
void SetValueText(Gtk::Label& label, const std::string& text, const std::string& colour);

// Effort bar arrow places: yalign in the bar's free height, 0.54 being the
// zero mark. Traction takes 0..100 percent of 700 upward, braking 0..100
// percent of 600 downward; a signed effort picks one of the two.
float TractionYAlign(float percent);
float BrakingYAlign(float percent);
float EffortYAlign(float effort);

// One side of an effort bar (bar box, arrow, value label), as references into
// the owning bar's settings and widgets.
struct PressureBarSide {
    unsigned char& ValueBold;
    unsigned char& BarVisible;
    unsigned char& ValueVisible;
    float& BarX;
    float& BarY;
    float& BarWidth;
    float& BarHeight;
    float& ValueX;
    float& ValueY;
    float& IndicatorWidth;
    float& IndicatorHeight;
    float& XAlign;
    float& YAlign;
    float& XScale;
    float& YScale;
    std::string& IndicatorImagePath;
    std::string& BarColour;
    std::string& ValueText;
    std::stringstream& ValueStream;
    Gtk::EventBox& BarBox;
    Gtk::Label& ValueLabel;
    Gtk::Image& IndicatorImage;
    Gtk::Alignment& IndicatorAlignment;
};

// Paints the bar box, sizes it (never below zero) and puts it into the gauge.
void PutBar(Gtk::Fixed& gauge, const PressureBarSide& side);

// The value label and the arrow of one side (the bar box is already placed).
void BuildSide(Gtk::Fixed& gauge, const PressureBarSide& side, float fontScale,
               const std::string& valueColour, unsigned debug);

// Moves the arrow to yalign (the toolkit keeps it within 0..1) and shows the value.
void MoveArrow(const PressureBarSide& side, float yalign, double value);

template <class Bar>
CABDISPLAY_BARS_HIDDEN PressureBarSide LeftSideOf(Bar& bar)
{
    return PressureBarSide{bar.LeftValueBold, bar.LeftBarVisible, bar.LeftValueVisible,
                           bar.LeftBarX, bar.LeftBarY, bar.LeftBarWidth, bar.LeftBarHeight,
                           bar.LeftValueX, bar.LeftValueY,
                           bar.LeftIndicatorWidth, bar.LeftIndicatorHeight,
                           bar.LeftXAlign, bar.LeftYAlign, bar.LeftXScale, bar.LeftYScale,
                           bar.LeftIndicatorImagePath, bar.LeftBarColour, bar.LeftValueText,
                           bar.LeftValueStream, bar.LeftBarBox, bar.LeftValueLabel,
                           bar.LeftIndicatorImage, bar.LeftIndicatorAlignment};
}

template <class Bar>
CABDISPLAY_BARS_HIDDEN PressureBarSide RightSideOf(Bar& bar)
{
    return PressureBarSide{bar.RightValueBold, bar.RightBarVisible, bar.RightValueVisible,
                           bar.RightBarX, bar.RightBarY, bar.RightBarWidth, bar.RightBarHeight,
                           bar.RightValueX, bar.RightValueY,
                           bar.RightIndicatorWidth, bar.RightIndicatorHeight,
                           bar.RightXAlign, bar.RightYAlign, bar.RightXScale, bar.RightYScale,
                           bar.RightIndicatorImagePath, bar.RightBarColour, bar.RightValueText,
                           bar.RightValueStream, bar.RightBarBox, bar.RightValueLabel,
                           bar.RightIndicatorImage, bar.RightIndicatorAlignment};
}

// The defaults of the main screen's effort bar; the percentage bar changes
// a few of them after this.
template <class Bar>
CABDISPLAY_BARS_HIDDEN void SetPressureBarDefaults(Bar& bar)
{
    bar.DebugOutput = 0;
    bar.LeftValueBold = bar.RightValueBold = 1;
    bar.BackgroundVisible = 1;
    bar.LeftBarVisible = bar.RightBarVisible = 1;
    bar.LeftValueVisible = bar.RightValueVisible = 1;
    bar.PositionX = bar.PositionY = 0;
    bar.BackgroundX = bar.BackgroundY = 0;
    bar.LeftBarX = 2;
    bar.LeftBarY = 18;
    bar.RightBarX = 83;
    bar.RightBarY = 18;
    bar.LeftBarWidth = bar.RightBarWidth = 13;
    bar.LeftBarHeight = bar.RightBarHeight = 231;
    bar.LeftValueX = 5;
    bar.LeftValueY = 253;
    bar.RightValueX = 7;
    bar.RightValueY = 2;
    bar.LeftIndicatorWidth = bar.LeftIndicatorHeight = 18;
    bar.RightIndicatorWidth = bar.RightIndicatorHeight = 18;
    bar.LeftXAlign = bar.RightXAlign = 0.5f;
    bar.LeftYAlign = bar.RightYAlign = 0.54f;
    bar.LeftXScale = bar.LeftYScale = bar.RightXScale = bar.RightYScale = 0;
    bar.BackgroundWidth = 100;
    bar.BackgroundHeight = 270;
    bar.FontScale = 0.006f;
    bar.FrameColour = "black";
    bar.BackgroundImagePath = "./Images/Pressures.jpg";
    bar.LeftIndicatorImagePath = "./Images/lf1.png";
    bar.RightIndicatorImagePath = "./Images/PressureGuageRightIndicator.png";
    bar.LeftBarColour = bar.RightBarColour = "#033d17";
    bar.LeftValueText = bar.RightValueText = "0.0";
    bar.ValueColour = "white";
}

// Both effort bars lay themselves out with this: frame, scale, the two bar
// boxes, then each side's label and arrow, and the gauge into the frame.
template <class Bar>
CABDISPLAY_BARS_HIDDEN void BuildPressureBar(Bar& bar, const std::string& classWord)
{
    PrintStatement(bar.DebugOutput, "ConstructLayout " + classWord);
    PutFrame(bar, bar.FrameBox, bar.FrameColour, bar.PositionX, bar.PositionY);
    PutScale(bar.GaugeFixed, bar.BackgroundImage, bar.BackgroundImagePath, bar.BackgroundX,
             bar.BackgroundY, bar.BackgroundWidth, bar.BackgroundHeight,
             bar.BackgroundVisible != 0, bar.DebugOutput);
    const PressureBarSide left = LeftSideOf(bar);
    const PressureBarSide right = RightSideOf(bar);
    PutBar(bar.GaugeFixed, left);
    PutBar(bar.GaugeFixed, right);
    BuildSide(bar.GaugeFixed, left, bar.FontScale, bar.ValueColour, bar.DebugOutput);
    BuildSide(bar.GaugeFixed, right, bar.FontScale, bar.ValueColour, bar.DebugOutput);
    bar.FrameBox.add(bar.GaugeFixed);
    bar.show_all_children();
}

}  // namespace compsupport

#endif
