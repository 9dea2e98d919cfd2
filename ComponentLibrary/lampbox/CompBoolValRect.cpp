#include "CompBoolValRect.h"

#include "CompSupport.h"
#include "RowLayout.h"

namespace {

const char* const kClassWord = "CompBoolValRect";
const char* const kDefaultCaption = "Panto 1";
// The update operations always show these pictures, whatever the settings hold.
const char* const kLampOn = "./Images/BoolValON.jpg";
const char* const kLampOff = "./Images/BoolValOFF.jpg";
const char* const kPantoUp = "./Images/pantoup.jpg";
const char* const kPantoDown = "./Images/pantodown.jpg";
constexpr int kStatusWidth = 384;

}  // namespace

CompBoolValRect::CompBoolValRect()
{
    PrintStatement(std::string("Constructor ") + kClassWord);
    Init();
}

CompBoolValRect::~CompBoolValRect()
{
    PrintStatement(std::string("Destructor ") + kClassWord);
}

void CompBoolValRect::Init()
{
    DebugOutput = 0;
    StatusOn = 0;
    CaptionCellVisible = 1;
    StatusCellVisible = 1;
    PantoUp = 0;
    Spacing = 4.992f;
    CaptionText = kDefaultCaption;
    CaptionColour = "white";
    CaptionBackgroundPath = "./Images/GreyBox.png";
    OnImagePath = kLampOn;
    OffImagePath = kLampOff;
    PantoUpImagePath = kPantoUp;
    PantoDownImagePath = kPantoDown;
    CurrentStatusPath.clear();
    CurrentPantoPath.clear();
}

void CompBoolValRect::ConstructLayout()
{
    using namespace rowlayout;
    BeginRow(*this, DebugOutput, kClassWord, Spacing);

    const bool captionPicture =
        compsupport::SetPicture(CaptionBackgroundImage, CaptionBackgroundPath, kCaptionWidth, kRowHeight, DebugOutput, kMissingPicture);
    if (ReportEmptyText(CaptionText, DebugOutput, "Invalid Label Text. Set to Default "))
        CaptionText = kDefaultCaption;
    CellPlacement caption;
    caption.boxWidth = kCaptionWidth;
    BuildTextCell({CaptionCell, CaptionBackgroundImage, CaptionBox, CaptionLabel}, caption, captionPicture,
                  CaptionText, CaptionColour);
    PackCell(*this, CaptionCell, CaptionCellVisible != 0);

    CurrentStatusPath = StatusOn == 1 ? OnImagePath : OffImagePath;
    CurrentPantoPath = PantoUp == 1 ? PantoUpImagePath : PantoDownImagePath;
    // Without its first picture the status cell stays out of the row.
    PackPictureCell(*this, StatusCell, StatusImage, CurrentStatusPath, kStatusWidth, kRowHeight, DebugOutput,
                    StatusCellVisible != 0);

    show_all_children(true);
}

void CompBoolValRect::SetImageStatus(signed char status)
{
    CurrentStatusPath = status == 1 ? kLampOn : kLampOff;
    ShowStatusPicture(CurrentStatusPath);
}

void CompBoolValRect::PantoStatus(signed char status)
{
    if (status == 10)
        CurrentPantoPath = kPantoUp;
    else if (status == 20)
        CurrentPantoPath = kPantoDown;
    ShowStatusPicture(CurrentPantoPath);
}

// A picture that is missing or cannot be decoded leaves the cell as it was.
void CompBoolValRect::ShowStatusPicture(const std::string& path)
{
    if (compsupport::SetPicture(StatusImage, path, kStatusWidth, rowlayout::kRowHeight, DebugOutput, rowlayout::kMissingPicture))
        StatusImage.queue_draw();
}

bool CompBoolValRect::FileExists(const std::string& path)
{
    return compsupport::FileExists(path);
}

void CompBoolValRect::PrintStatement(std::string text)
{
    compsupport::PrintStatement(DebugOutput, text);
}
