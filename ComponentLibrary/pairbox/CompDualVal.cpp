#include "CompDualVal.h"

#include "CompSupport.h"
#include "RowLayout.h"

namespace {

const char* const kClassWord = "CompDualVal";
const char* const kEmptyText = "Invalid Label Text. Set to Default";
// State cells are a fraction of the 800-pixel screen width.
constexpr float kScreenWidth = 800.0f;

}  // namespace

CompDualVal::CompDualVal()
{
    PrintStatement(std::string("Constructor ") + kClassWord);
    Init();
}

CompDualVal::~CompDualVal()
{
    PrintStatement(std::string("Destructor ") + kClassWord);
}

void CompDualVal::Init()
{
    DebugOutput = 1;
    LeftStateOn = 0;
    RightStateOn = 0;
    ShowValueTexts = 0;
    CaptionCellVisible = 1;
    LeftCellVisible = 1;
    RightCellVisible = 1;
    UnitCellVisible = 1;
    Spacing = 4.992f;
    CellWidthFraction = 0.2f;
    CaptionBackgroundPath = "./Images/GreyBox.png";
    OnImagePath = "./Images/DualBoolValON.jpg";
    OffImagePath = "./Images/DualBoolValOFF.jpg";
    UnitImagePath = "./Images/HertzUnit.jpg";
    CaptionText.clear();
    LeftValueText.clear();
    RightValueText.clear();
    CaptionColour = "white";
    ValueColour = "white";
}

void CompDualVal::ConstructLayout()
{
    using namespace rowlayout;
    BeginRow(*this, DebugOutput, kClassWord, Spacing);

    compsupport::SetPicture(CaptionBackgroundImage, CaptionBackgroundPath, kCaptionWidth, kRowHeight, DebugOutput, kMissingPicture);
    ReportEmptyText(CaptionText, DebugOutput, kEmptyText);
    CellPlacement caption;
    caption.boxWidth = kCaptionWidth;
    BuildTextCell({CaptionCell, CaptionBackgroundImage, CaptionBox, CaptionLabel}, caption, true, CaptionText,
                  CaptionColour);
    PackCell(*this, CaptionCell, CaptionCellVisible != 0);

    const float cellWidth = CellWidthFraction * kScreenWidth;
    compsupport::SetPicture(LeftStateImage, LeftStateOn == 1 ? OnImagePath : OffImagePath, cellWidth, kRowHeight,
                    DebugOutput, kMissingPicture);
    compsupport::SetPicture(RightStateImage, RightStateOn == 1 ? OnImagePath : OffImagePath, cellWidth, kRowHeight,
                    DebugOutput, kMissingPicture);

    if (ShowValueTexts == 1) {
        CellPlacement value;
        value.boxWidth = compsupport::Px(cellWidth);
        ReportEmptyText(LeftValueText, DebugOutput, kEmptyText);
        BuildTextCell({LeftCell, LeftStateImage, LeftValueBox, LeftValueLabel}, value, true, LeftValueText,
                      ValueColour);
        ReportEmptyText(RightValueText, DebugOutput, kEmptyText);
        BuildTextCell({RightCell, RightStateImage, RightValueBox, RightValueLabel}, value, true, RightValueText,
                      ValueColour);
    } else {
        LeftCell.put(LeftStateImage, 0, 0);
        RightCell.put(RightStateImage, 0, 0);
    }
    PackCell(*this, LeftCell, LeftCellVisible != 0);
    PackCell(*this, RightCell, RightCellVisible != 0);

    // Without its picture the unit cell stays out of the row.
    PackPictureCell(*this, UnitCell, UnitImage, UnitImagePath, kUnitWidth, kRowHeight, DebugOutput,
                    UnitCellVisible != 0);

    show_all_children(true);
}

void CompDualVal::GetReSizedImage(Gtk::Image& image, std::string path, float width, float height)
{
    compsupport::SetPicture(image, path, width, height, DebugOutput, "Image Dosen't Exists");
}

bool CompDualVal::FileExists(const std::string& path)
{
    return compsupport::FileExists(path);
}

void CompDualVal::PrintStatement(std::string text)
{
    compsupport::PrintStatement(DebugOutput, text);
}
