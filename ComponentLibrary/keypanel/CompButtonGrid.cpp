#include "CompButtonGrid.h"

#include "CompSupport.h"
#include "GridSupport.h"

#include <gtkmm/fixed.h>

#include <iterator>

namespace {

// Second captions are always 9 point bold.
constexpr int kSecondCaptionSize = 9216;

}  // namespace

CompButtonGrid::CompButtonGrid() : Gtk::VBox(false, 0), CellTable(1, 1, false)
{
    PrintStatement("Constructor CompButtonGrid");
}

CompButtonGrid::~CompButtonGrid()
{
    PrintStatement("Destructor CompButtonGrid");
}

bool CompButtonGrid::FileExists(const std::string& path)
{
    return compsupport::FileExists(path);
}

void CompButtonGrid::PrintStatement(std::string text)
{
    compsupport::PrintStatement(DebugOutput, text);
}

void CompButtonGrid::ConstructLayout()
{
    PrintStatement("ConstructLayout CompButtonGrid");
    gridsupport::SizeCells(CellLabels, Rows, Columns);
    gridsupport::SizeCells(CellImages, Rows, Columns);

    set_size_request(compsupport::Whole(WidgetWidth), compsupport::Whole(WidgetHeight));
    set_spacing(compsupport::Whole(Spacing));
    CellTable.set_row_spacings(RowSpacing);
    CellTable.set_col_spacings(ColumnSpacing);
    if (Homogeneous != 0)
        CellTable.set_homogeneous(true);

    // Cells past the per-cell entries have no settings and are not built.
    std::size_t index = 0;
    for (unsigned row = 0; row < Rows && index < std::size(Captions); ++row)
        for (unsigned column = 0; column < Columns && index < std::size(Captions); ++column)
            BuildCell(row, column, index++);

    pack_start(CellTable, Gtk::PACK_EXPAND_WIDGET, 0);
    modify_bg(Gtk::STATE_NORMAL, compsupport::Colour(BackgroundColour));
    show_all_children();
}

void CompButtonGrid::BuildCell(unsigned row, unsigned column, std::size_t index)
{
    const std::string& path = CellStates[index] != 0 ? OffImagePath : OnImagePath;
    if (!gridsupport::LoadCellPicture(path, true, ImageWidth, ImageHeight, LoadedPixbuf, ScaledPixbuf))
        PrintStatement("Image Not Found " + path);

    Gtk::Fixed* cell = Gtk::manage(new Gtk::Fixed());
    Gtk::Image* image = Gtk::manage(ScaledPixbuf ? new Gtk::Image(ScaledPixbuf) : new Gtk::Image());
    Gtk::VBox* captionBox = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Label* caption = Gtk::manage(new Gtk::Label(Captions[index], false));

    if (ShowSecondCaption == 1) {
        Gtk::Label* second = Gtk::manage(new Gtk::Label(SecondCaptions[index], false));
        compsupport::SetFont(*second, kSecondCaptionSize, compsupport::Weight::Bold);
        second->modify_fg(Gtk::STATE_NORMAL, compsupport::Colour(SecondCaptionColour));
        captionBox->pack_start(*second, Gtk::PACK_SHRINK, 0);
    }

    compsupport::SetFont(*caption, compsupport::PangoSize(compsupport::Px(FontSize)));
    caption->modify_fg(Gtk::STATE_NORMAL, compsupport::Colour(CaptionColour));
    captionBox->set_size_request(compsupport::Whole(CaptionWidth), compsupport::Whole(CaptionHeight));
    captionBox->pack_start(*caption, Gtk::PACK_EXPAND_PADDING, 0);

    cell->put(*image, 0, 0);
    cell->put(*captionBox, compsupport::Px(CaptionX), compsupport::Px(CaptionY));
    gridsupport::AttachCell(CellTable, *cell, column, row, ColumnSpan, RowSpan);

    CellImages[row][column] = image;
    CellLabels[row][column] = caption;
}
