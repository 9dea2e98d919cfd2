#include "CompImageGrid.h"

#include "CompSupport.h"
#include "GridSupport.h"

#include <iterator>

namespace {

// The cells have settings for four pictures; no cell past them is built.
constexpr std::size_t kCellCount = 4;

// What UpdateValues shows per cell type; these pictures and captions are
// fixed, whatever the build settings say.
struct IndicatorCell {
    int row;
    int column;
    const char* onPicture;
    const char* onCaption;
    const char* offPicture;
    const char* offCaption;
};

const IndicatorCell kIndicatorCells[] = {
    {0, 0, "./Images/BlKeyON.png", "BL Key\n  On", "./Images/BlKeyOFF.png", "BL Key\n  Off"},
    {0, 1, "./Images/TrainBrakeON.png", "Train Brake\n      On", "./Images/TrainBrakeOFF.png",
     "Train Brake\n      Off"},
    {1, 0, "./Images/LocoBrakeON.png", "Loco Brake\n      On", "./Images/LocoBrakeOFF.png",
     "Loco Brake\n      Off"},
    {1, 1, "./Images/WheelSlipON.png", "Wheel Slip\n      On", "./Images/WheelSlipOFF.png",
     "Wheel Slip\n      Off"},
};

}  // namespace

CompImageGrid::CompImageGrid() : CellTable(1, 1, false)
{
    PrintStatement("Constructor CompImageGrid");
}

CompImageGrid::~CompImageGrid()
{
    PrintStatement("Destructor CompImageGrid");
}

bool CompImageGrid::FileExists(const std::string& path)
{
    return compsupport::FileExists(path);
}

void CompImageGrid::PrintStatement(std::string text)
{
    compsupport::PrintStatement(DebugOutput, text);
}

bool CompImageGrid::DimensionsInRange() const
{
    return Rows >= 0 && Columns >= 0 && Rows <= MaxRows && Columns <= MaxColumns;
}

void CompImageGrid::ConstructLayout()
{
    PrintStatement("ConstructLayout CompImageGrid");
    gridsupport::SizeCells(CellImages, Rows, Columns);
    gridsupport::SizeCells(CellLabels, Rows, Columns);
    if (!DimensionsInRange()) {
        PrintStatement("Index Out of Range");
        return;
    }
    CellIndex = 0;
    for (int row = 0; row < Rows; ++row)
        for (int column = 0; column < Columns; ++column)
            BuildCell(row, column);

    FrameBox.modify_bg(Gtk::STATE_NORMAL, compsupport::Colour("black"));
    FrameBox.add(CellTable);
    put(FrameBox, compsupport::Px(PositionX), compsupport::Px(PositionY));
    show_all_children();
}

void CompImageGrid::BuildCell(int row, int column)
{
    const std::size_t k = CellIndex++;
    if (k >= kCellCount)
        return;
    const bool on = CellStates[k] == 1;
    CellImagePath = on ? OnImagePaths[k] : OffImagePaths[k];
    CellCaption = on ? OnCaptions[k] : OffCaptions[k];

    if (!gridsupport::LoadCellPicture(CellImagePath, ScaleImages != 0, ImageWidth, ImageHeight, LoadedPixbuf,
                                      ScaledPixbuf)) {
        PrintStatement("Image Not Found " + CellImagePath);
        return;
    }

    Gtk::Fixed* cell = Gtk::manage(new Gtk::Fixed());
    Gtk::HBox* captionBox = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::Label* caption = Gtk::manage(new Gtk::Label(CellCaption, false));
    Gtk::Image* image = Gtk::manage(new Gtk::Image(ScaleImages != 0 ? ScaledPixbuf : LoadedPixbuf));

    cell->put(*image, compsupport::Px(ImageX), compsupport::Px(ImageY));
    CellImages[row][column] = image;
    CellLabels[row][column] = caption;

    if (UseCustomFont == 1)
        compsupport::SetFont(*caption, compsupport::PangoSizeOfScale(FontScale, 1835008.0f));
    caption->modify_fg(Gtk::STATE_NORMAL, compsupport::Colour(CaptionColour));
    captionBox->set_size_request(compsupport::Whole(CaptionWidth), compsupport::Whole(CaptionHeight));
    captionBox->pack_start(*caption, Gtk::PACK_EXPAND_WIDGET, 0);
    cell->put(*captionBox, compsupport::Px(CaptionX), compsupport::Px(CaptionY));

    CellTable.set_row_spacings(compsupport::Whole(RowSpacing));
    CellTable.set_col_spacings(compsupport::Whole(ColumnSpacing));
    gridsupport::AttachCell(CellTable, *cell, column, row, ColumnSpan, RowSpan);
}

void CompImageGrid::UpdateValues(int type, std::int8_t value)
{
    if (type < 1 || type > static_cast<int>(std::size(kIndicatorCells)))
        return;
    const IndicatorCell& entry = kIndicatorCells[type - 1];
    Gtk::Image* image = gridsupport::CellAt(CellImages, entry.row, entry.column);
    Gtk::Label* caption = gridsupport::CellAt(CellLabels, entry.row, entry.column);
    if (!image || !caption)
        return;  // the cell was never built
    const bool on = value == 1;
    const std::string path = on ? entry.onPicture : entry.offPicture;
    if (!gridsupport::LoadCellPicture(path, true, ImageWidth, ImageHeight, LoadedPixbuf, ScaledPixbuf)) {
        PrintStatement("Image Not Found " + path);
        return;
    }
    compsupport::ShowPicture(*image, ScaledPixbuf);
    compsupport::ShowText(*caption, on ? entry.onCaption : entry.offCaption);
}
