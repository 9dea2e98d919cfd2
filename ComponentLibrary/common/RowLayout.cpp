#include "RowLayout.h"

#include "CompSupport.h"


namespace rowlayout {

const char* const kMissingPicture = "Image Not Found ";

void BeginRow(Gtk::HBox& row, unsigned debug, const std::string& classWord, float spacing)
{
    compsupport::PrintStatement(debug, "ConstructLayout " + classWord);
    row.set_spacing(compsupport::Whole(spacing));
}

bool ReportEmptyText(const std::string& text, unsigned debug, const std::string& line)
{
    if (!text.empty())
        return false;
    compsupport::PrintStatement(debug, line + text);
    return true;
}

void StyleLabel(Gtk::Label& label, const std::string& text, const std::string& colour)
{
    label.set_text(text);
    compsupport::SetFont(label, kTextSize);
    compsupport::Foreground(label, colour);
}

void BuildTextCell(const TextCell& parts, const CellPlacement& place, bool withPicture,
                   const std::string& text, const std::string& colour, Gtk::PackOptions packing)
{
    if (withPicture)
        parts.cell.put(parts.picture, place.pictureX, place.pictureY);
    StyleLabel(parts.label, text, colour);
    compsupport::RequestSize(parts.box, place.boxWidth, place.boxHeight);
    parts.box.pack_start(parts.label, packing);
    parts.cell.put(parts.box, place.boxX, place.boxY);
}

void PackCell(Gtk::HBox& row, Gtk::Widget& cell, bool visible)
{
    row.pack_start(cell, Gtk::PACK_SHRINK, 0);
    cell.set_child_visible(visible);
}

bool PackPictureCell(Gtk::HBox& row, Gtk::Fixed& cell, Gtk::Image& picture, const std::string& path,
                     float width, float height, unsigned debug, bool visible)
{
    if (!compsupport::SetPicture(picture, path, width, height, debug, kMissingPicture))
        return false;
    cell.put(picture, 0, 0);
    PackCell(row, cell, visible);
    return true;
}

}  // namespace rowlayout
