#include "CompPressureBar.h"

#include "PressureBarSupport.h"

namespace {
const std::string kClassWord = "CompPressureBar";
const double kFullTraction = 700;
const double kFullBraking = 600;
}

CompPressureBar::CompPressureBar()
{
    PrintStatement("Constructor " + kClassWord);
    Initialization();
}

CompPressureBar::~CompPressureBar()
{
    PrintStatement("Destructor " + kClassWord);
}

void CompPressureBar::Initialization()
{
    compsupport::SetPressureBarDefaults(*this);
    // This bar's left bar sits a little further in and its two labels swap ends.
    LeftBarX = 4;
    LeftValueX = 7;
    LeftValueY = 2;
    RightValueX = 5;
    RightValueY = 253;
    LeftIndicatorImagePath = "./Images/PressureGuageLeftIndicator.png";
}

void CompPressureBar::ConstructLayout()
{
    compsupport::BuildPressureBar(*this, kClassWord);
}

void CompPressureBar::SetPressureBarLeftInd(float percent)
{
    compsupport::MoveArrow(compsupport::LeftSideOf(*this), compsupport::TractionYAlign(percent),
                           compsupport::PercentOf(percent, kFullTraction));
}

void CompPressureBar::SetPressureBarRightInd(float percent)
{
    compsupport::MoveArrow(compsupport::RightSideOf(*this), compsupport::BrakingYAlign(percent),
                           compsupport::PercentOf(percent, kFullBraking));
}

bool CompPressureBar::FileExists(const std::string& path)
{
    return compsupport::FileExists(path);
}

void CompPressureBar::PrintStatement(std::string text)
{
    compsupport::PrintStatement(DebugOutput, text);
}
