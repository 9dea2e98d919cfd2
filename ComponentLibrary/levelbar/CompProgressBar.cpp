#include "CompProgressBar.h"

#include "PressureBarSupport.h"

namespace {

const std::string kClassWord = "CompProgressBar";

// Scale pictures the bar knows, with the full-scale value each stands for.
struct Scale {
    const char* path;
    double fullScale;
};
const Scale kScales[] = {
    {"./Images/ProgressBarAmp.png", 350},   // primary current, A
    {"./Images/ProgressBarVolt.png", 35},   // primary voltage, kV
};

const Scale* ScaleOf(const std::string& path)
{
    for (const Scale& scale : kScales)
        if (path == scale.path)
            return &scale;
    return nullptr;
}

// The indicator runs up the scale from y 234 (0 percent) to y 15 (100 percent).
const float kIndicatorColumn = 75;
const double kIndicatorBottom = 234;
const double kIndicatorTravel = 2.19;  // pixels per percent

}  // namespace

CompProgressBar::CompProgressBar()
{
    PrintStatement("Constructor " + kClassWord);
    Initilization();
}

CompProgressBar::~CompProgressBar()
{
    PrintStatement("Destructor " + kClassWord);
}

void CompProgressBar::Initilization()
{
    DebugOutput = 0;
    BoldValue = 1;
    BackgroundVisible = 1;
    ValueVisible = 1;
    IndicatorVisible = 1;
    PositionX = 0;
    PositionY = 0;
    BackgroundX = 0;
    BackgroundY = 0;
    ValueX = 10;
    ValueY = 251;
    IndicatorWidth = 17;
    IndicatorHeight = 17;
    IndicatorX = 75;
    IndicatorY = 234;
    BackgroundWidth = 96;
    BackgroundHeight = 270;
    FrameColour = "black";
    BackgroundImagePath = "./Images/ProgressBarAmp.png";
    IndicatorImagePath = "./Images/PressureGuageRightIndicator.png";
    ValueText = "0";
    ValueColour = "white";
}

void CompProgressBar::ConstructLayout()
{
    PrintStatement("ConstructLayout " + kClassWord);
    compsupport::PutFrame(*this, FrameBox, FrameColour, PositionX, PositionY);
    compsupport::PutScale(GaugeFixed, BackgroundImage, BackgroundImagePath, BackgroundX, BackgroundY,
                          BackgroundWidth, BackgroundHeight, BackgroundVisible != 0, DebugOutput);
    if (ValueText.empty())
        ValueText = "0";
    compsupport::SetValueText(ValueLabel, ValueText, ValueColour);
    if (BoldValue != 0)
        compsupport::SetFont(ValueLabel, 0, compsupport::Weight::Bold);
    compsupport::PutChild(GaugeFixed, ValueLabel, ValueX, ValueY, ValueVisible != 0);
    // A missing indicator is still placed (empty) and moved by the updates.
    compsupport::SetPicture(IndicatorImage, IndicatorImagePath, IndicatorWidth, IndicatorHeight, DebugOutput,
                            compsupport::kImageNotFound);
    compsupport::PutChild(GaugeFixed, IndicatorImage, IndicatorX, IndicatorY, IndicatorVisible != 0);
    FrameBox.add(GaugeFixed);
    show_all_children();
}

void CompProgressBar::SetProgressBarInd(float percent)
{
    IndicatorX = kIndicatorColumn;
    IndicatorY = compsupport::Linear(kIndicatorBottom, -kIndicatorTravel, percent);
    // An unknown scale picture leaves the value empty.
    if (const Scale* scale = ScaleOf(BackgroundImagePath))
        ValueStream << compsupport::PercentOf(percent, scale->fullScale);
    ValueText = ValueStream.str();
    compsupport::ShowText(ValueLabel, ValueText);
    // Only the indicator's old and new place are drawn again, not the scale.
    compsupport::MoveChild(GaugeFixed, IndicatorImage, compsupport::Px(IndicatorX), compsupport::Px(IndicatorY));
    IndicatorImage.queue_draw();
    ValueStream.str("");
    ValueStream.clear();
}

bool CompProgressBar::FileExists(const std::string& path)
{
    return compsupport::FileExists(path);
}

void CompProgressBar::PrintStatement(std::string text)
{
    compsupport::PrintStatement(DebugOutput, text);
}
