#include "CompValueIndicator.h"

#include "CompSupport.h"

namespace {

const char* const kClassWord = "CompValueIndicator";
const char* const kMissingPictureText = "DigitValueIndicator: Image Dosen't Exists";
const int kRowHeight = 18;
const int kTextSize = 8601;  // 8.4 points
const char* const kTextColour = "white";
const float kCaptionWidth = 200;
const float kUnitWidth = 56;
const float kThreeValueWidth = 105.84f;
const float kSixValueWidth = 51.04f;

// A cell picture at the given size; null (after the missing-picture line)
// when the file is missing or cannot be read, or the cell has no width left.
Glib::RefPtr<Gdk::Pixbuf> LoadCellPicture(const std::string& path, float width, unsigned debug)
{
    Glib::RefPtr<Gdk::Pixbuf> picture = compsupport::LoadPicture(path, width, kRowHeight);
    if (!picture)
        compsupport::PrintStatement(debug, "Image Not Found " + path);
    return picture;
}

void SetCellPicture(Gtk::Image& image, const Glib::RefPtr<Gdk::Pixbuf>& picture)
{
    if (picture)
        image.set(picture);
}

// White row text, centred in its box of the cell's size.
void PlaceText(Gtk::HBox& box, Gtk::Label& label, const std::string& text, float width)
{
    label.set_text(text);
    compsupport::SetFont(label, kTextSize, compsupport::Weight::Normal);
    compsupport::Foreground(label, kTextColour);
    compsupport::RequestSize(box, width, kRowHeight);
    box.pack_start(label, true, false, 0);
}

// Picture first, text box over it, both at the cell's origin.
void FillCell(Gtk::Fixed& cell, Gtk::Image& picture, Gtk::HBox& textBox)
{
    cell.put(picture, 0, 0);
    cell.put(textBox, 0, 0);
}

}  // namespace

CompValueIndicator::CompValueIndicator()
    : Gtk::HBox(false, 0)
{
    PrintStatement(std::string("Constructor ") + kClassWord);
    Init();
}

CompValueIndicator::~CompValueIndicator()
{
    PrintStatement(std::string("Destructor ") + kClassWord);
}

void CompValueIndicator::Init()
{
    DebugOutput = 0;
    SixValues = 0;
    for (unsigned char& visible : ValueCellVisible)
        visible = 1;
    UnitCellVisible = 1;
    CaptionExtraWidth = 0.25f;
    ValueWidthReduction = 0;
    ValueBoxWidth = 0.0838f;
    Spacing = 4.992f;
    CaptionBackgroundPath = "./Images/GreyBox.png";
    CaptionText = "";
    ValueBackgroundPath = "./Images/ValIndicator3.jpg";
    for (std::string& text : ValueTexts)
        text = "0";
    UnitImagePath = "./Images/NULLUnit.jpg";
}

void CompValueIndicator::ConstructLayout()
{
    PrintStatement(std::string("ConstructLayout ") + kClassWord);
    const int spacing = compsupport::Px(Spacing);
    set_spacing(spacing < 0 ? 0 : spacing);

    const bool six = SixValues == 1;
    ValueBoxWidth = (six ? kSixValueWidth : kThreeValueWidth) - ValueWidthReduction;

    const float captionWidth = kCaptionWidth + CaptionExtraWidth;
    SetCellPicture(CaptionBackgroundImage, LoadCellPicture(CaptionBackgroundPath, captionWidth, DebugOutput));
    if (CaptionText.empty())
        CaptionText = "Panto 1";
    PlaceText(CaptionBox, CaptionLabel, CaptionText, captionWidth);
    FillCell(CaptionCell, CaptionBackgroundImage, CaptionBox);
    pack_start(CaptionCell, false, false);

    // Cells 1 to 3, then 4 to 6 for six-value rows; each group loads the
    // value picture once.
    const int cellCount = six ? 6 : 3;
    for (int first = 0; first < cellCount; first += 3) {
        Glib::RefPtr<Gdk::Pixbuf> picture = LoadCellPicture(ValueBackgroundPath, ValueBoxWidth, DebugOutput);
        for (int k = first; k < first + 3; ++k) {
            SetCellPicture(ValueBackgroundImages[k], picture);
            if (ValueTexts[k].empty()) {
                PrintStatement("Invalid Label Text. Set to Default" + ValueTexts[k]);
                ValueTexts[k] = "0";
            }
            PlaceText(ValueBoxes[k], ValueLabels[k], ValueTexts[k], ValueBoxWidth);
            FillCell(ValueCells[k], ValueBackgroundImages[k], ValueBoxes[k]);
            pack_start(ValueCells[k], false, false);
            // A hidden cell keeps its place in the row.
            ValueCells[k].set_child_visible(ValueCellVisible[k] != 0);
        }
    }

    SetCellPicture(UnitImage, LoadCellPicture(UnitImagePath, kUnitWidth, DebugOutput));
    UnitCell.put(UnitImage, 0, 0);
    UnitCell.set_child_visible(UnitCellVisible != 0);
    pack_start(UnitCell, false, false);

    show_all_children();
}

void CompValueIndicator::GetReSizedImage(Gtk::Image& image, std::string path, float width, float height)
{
    compsupport::SetPicture(image, path, width, height, DebugOutput, kMissingPictureText);
}

bool CompValueIndicator::FileExists(const std::string& path)
{
    return compsupport::FileExists(path);
}

void CompValueIndicator::PrintStatement(std::string text)
{
    compsupport::PrintStatement(DebugOutput, text);
}
