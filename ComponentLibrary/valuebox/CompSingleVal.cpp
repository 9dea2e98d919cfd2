#include "CompSingleVal.h"

#include "CompSupport.h"
#include "RowLayout.h"

namespace {

const char* const kClassWord = "CompSingleVal";
const char* const kValueColour = "#00ffff";
constexpr int kValueWidth = 320;

}  // namespace

CompSingleVal::CompSingleVal()
{
    PrintStatement(std::string("Constructor ") + kClassWord);
    Init();
}

CompSingleVal::~CompSingleVal()
{
    PrintStatement(std::string("Destructor ") + kClassWord);
}

void CompSingleVal::Init()
{
    DebugOutput = 0;
    CaptionCellVisible = 1;
    ValueCellVisible = 1;
    UnitCellVisible = 1;
    Spacing = 4.992f;
    CaptionBackgroundPath = "./Images/GreyBox.png";
    UnitImagePath = "./Images/NULLUnit.jpg";
    CaptionText.clear();
    ValueText = "0";
    CaptionColour = "white";
}

void CompSingleVal::ConstructLayout()
{
    using namespace rowlayout;
    BeginRow(*this, DebugOutput, kClassWord, Spacing);

    // The grey picture is the background of both the caption and the value.
    if (compsupport::SetPicture(CaptionBackgroundImage, CaptionBackgroundPath, kCaptionWidth, kRowHeight, DebugOutput, kMissingPicture))
        compsupport::SetPicture(ValueBackgroundImage, CaptionBackgroundPath, kValueWidth, kRowHeight, DebugOutput, kMissingPicture);
    ReportEmptyText(CaptionText, DebugOutput, "Invalid Label Text. Set to Default");

    CellPlacement caption;
    caption.boxWidth = kCaptionWidth;
    BuildTextCell({CaptionCell, CaptionBackgroundImage, CaptionBox, CaptionLabel}, caption, true, CaptionText,
                  CaptionColour);
    PackCell(*this, CaptionCell, CaptionCellVisible != 0);

    CellPlacement value;
    value.boxWidth = kValueWidth;
    BuildTextCell({ValueCell, ValueBackgroundImage, ValueBox, ValueLabel}, value, true, ValueText, kValueColour);
    PackCell(*this, ValueCell, ValueCellVisible != 0);

    // Without its picture the unit cell stays out of the row.
    PackPictureCell(*this, UnitCell, UnitImage, UnitImagePath, kUnitWidth, kRowHeight, DebugOutput,
                    UnitCellVisible != 0);

    show_all_children(true);
}

void CompSingleVal::GetReSizedImage(Gtk::Image& image, std::string path, float width, float height)
{
    compsupport::SetPicture(image, path, width, height, DebugOutput, "Image Dosen't Exists");
}

bool CompSingleVal::FileExists(const std::string& path)
{
    return compsupport::FileExists(path);
}

void CompSingleVal::PrintStatement(std::string text)
{
    compsupport::PrintStatement(DebugOutput, text);
}
