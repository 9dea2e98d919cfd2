#include "CompProgressBarHolder.h"

#include "CompSupport.h"
#include "RowLayout.h"

#include <gdkmm/color.h>

namespace {

const char* const kClassWord = "CompProgressBarHolder";
const char* const kDefaultCaption = "Battery Voltage";
const char* const kDefaultValue = "0";
// Full scale (100 %) is 255 pixels of bar, plus the first pixel.
constexpr double kPixelsPerPercent = 2.55;
// The first bar drawn once the row is built.
constexpr float kFirstPercent = 0.1f;

}  // namespace

CompProgressBarHolder::CompProgressBarHolder()
{
    PrintStatement(std::string("Constructor ") + kClassWord);
    Initialization();
}

CompProgressBarHolder::~CompProgressBarHolder()
{
    PrintStatement(std::string("Destructor ") + kClassWord);
}

void CompProgressBarHolder::Initialization()
{
    DebugOutput = 0;
    UnitCellVisible = 1;
    ValueVisible = 1;
    HolderVisible = 1;
    CaptionCellVisible = 1;
    Spacing = 5;
    CaptionImageX = CaptionImageY = 0;
    CaptionBoxX = CaptionBoxY = 0;
    CaptionBoxWidth = 200;
    CaptionBoxHeight = 18;
    HolderX = HolderY = 0;
    BarX = 3;
    BarY = 4;
    BarWidth = 255;
    BarHeight = 9;
    ValueBoxX = 276;
    ValueBoxY = 4;
    UnitX = UnitY = 0;
    ValueBoxWidth = 50;
    ValueBoxHeight = 10;
    CaptionImageWidth = 200;
    CaptionImageHeight = 18;
    UnitWidth = 56;
    UnitHeight = 18;
    HolderWidth = 322.4f;
    HolderHeight = 18;
    CaptionBackgroundPath = "./Images/GreyBox.png";
    CaptionText = kDefaultCaption;
    CaptionColour = "white";
    HolderImagePath = "./Images/ProgressHolder.jpg";
    ValueText = kDefaultValue;
    ValueColour = "white";
    BarColour = "#07f714";
    UnitImagePath = "./Images/VoltsUnit.jpg";
}

void CompProgressBarHolder::ConstructLayout()
{
    using namespace rowlayout;
    using compsupport::Px;
    using compsupport::Whole;
    using compsupport::RequestSize;
    using compsupport::Background;
    BeginRow(*this, DebugOutput, kClassWord, Spacing);

    // Caption cell; an empty caption silently gets the default.
    CellPlacement caption;
    caption.pictureX = Px(CaptionImageX);
    caption.pictureY = Px(CaptionImageY);
    caption.boxX = Px(CaptionBoxX);
    caption.boxY = Px(CaptionBoxY);
    caption.boxWidth = Whole(CaptionBoxWidth);
    caption.boxHeight = Whole(CaptionBoxHeight);
    const bool captionPicture = compsupport::SetPicture(CaptionBackgroundImage, CaptionBackgroundPath, CaptionImageWidth,
                                                CaptionImageHeight, DebugOutput, kMissingPicture);
    if (CaptionText.empty())
        CaptionText = kDefaultCaption;
    BuildTextCell({CaptionCell, CaptionBackgroundImage, CaptionBox, CaptionLabel}, caption, captionPicture,
                  CaptionText, CaptionColour, Gtk::PACK_EXPAND_WIDGET);
    PackCell(*this, CaptionCell, CaptionCellVisible != 0);

    // Holder cell: frame picture, bar over it, value at the frame's right end.
    if (compsupport::SetPicture(HolderImage, HolderImagePath, HolderWidth, HolderHeight, DebugOutput, kMissingPicture)) {
        HolderCell.put(HolderImage, Px(HolderX), Px(HolderY));
        HolderImage.set_child_visible(HolderVisible != 0);
    }
    Background(BarBox, BarColour);
    RequestSize(BarBox, BarWidth, BarHeight);
    HolderCell.put(BarBox, Px(BarX), Px(BarY));
    // Only SetProgressBarInd shows or hides the bar: a show-all of the screen
    // must not bring back a bar hidden at 0.
    BarBox.set_no_show_all(true);

    if (ValueText.empty())
        ValueText = kDefaultValue;
    CellPlacement value;
    value.boxX = Px(ValueBoxX);
    value.boxY = Px(ValueBoxY);
    value.boxWidth = Whole(ValueBoxWidth);
    value.boxHeight = Whole(ValueBoxHeight);
    BuildTextCell({HolderCell, HolderImage, ValueBox, ValueLabel}, value, false, ValueText, ValueColour,
                  Gtk::PACK_EXPAND_WIDGET);
    ValueBox.set_child_visible(ValueVisible != 0);
    pack_start(HolderCell, Gtk::PACK_SHRINK, 0);

    // The unit cell is packed with or without its picture.
    if (compsupport::SetPicture(UnitImage, UnitImagePath, UnitWidth, UnitHeight, DebugOutput, kMissingPicture))
        UnitCell.put(UnitImage, Px(UnitX), Px(UnitY));
    PackCell(*this, UnitCell, UnitCellVisible != 0);

    SetProgressBarInd(kFirstPercent);
    show_all_children(true);
}

void CompProgressBarHolder::SetProgressBarInd(float percent)
{
    if (percent == 0.0f) {
        BarBox.hide();
        BarBox.queue_draw();
        return;
    }
    BarBox.show();
    BarWidth = compsupport::Linear(1.0, kPixelsPerPercent, percent);
    BarHeight = HolderHeight * 0.5f;
    // A negative percentage gives no bar rather than a negative size.
    compsupport::RequestSize(BarBox, BarWidth, BarHeight);
    BarBox.queue_draw();
}

bool CompProgressBarHolder::FileExists(const std::string& path)
{
    return compsupport::FileExists(path);
}

void CompProgressBarHolder::PrintStatement(std::string text)
{
    compsupport::PrintStatement(DebugOutput, text);
}
