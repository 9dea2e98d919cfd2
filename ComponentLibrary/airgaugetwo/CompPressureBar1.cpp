#include "CompPressureBar1.h"

#include "PressureBarSupport.h"

namespace {
const std::string kClassWord = "CompPressureBar1";
}

CompPressureBar1::CompPressureBar1()
{
    PrintStatement("Constructor " + kClassWord);
    Initialization();
}

CompPressureBar1::~CompPressureBar1()
{
    PrintStatement("Destructor " + kClassWord);
}

void CompPressureBar1::Initialization()
{
    compsupport::SetPressureBarDefaults(*this);
}

void CompPressureBar1::ConstructLayout()
{
    compsupport::BuildPressureBar(*this, kClassWord);
}

void CompPressureBar1::SetPressureBarLeftInd(float value, int)
{
    compsupport::MoveArrow(compsupport::LeftSideOf(*this), compsupport::EffortYAlign(value), value);
    // The demanded effort turns green once it is first shown.
    compsupport::ShowForeground(LeftValueLabel, compsupport::Colour("green"));
}

void CompPressureBar1::SetPressureBarRightInd(float value, int)
{
    compsupport::MoveArrow(compsupport::RightSideOf(*this), compsupport::EffortYAlign(value), value);
}

bool CompPressureBar1::FileExists(const std::string& path)
{
    return compsupport::FileExists(path);
}

void CompPressureBar1::PrintStatement(std::string text)
{
    compsupport::PrintStatement(DebugOutput, text);
}
