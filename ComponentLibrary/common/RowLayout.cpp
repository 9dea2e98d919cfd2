#include "RowLayout.h"

#include "CompSupport.h"

#include <algorithm>
#include <gdkmm/color.h>
#include <pangomm/fontdescription.h>

namespace rowlayout {

const char* const kMissingPicture = "Image Not Found ";

void BeginRow(Gtk::HBox& row, unsigned debug, const std::string& classWord, float spacing)
{
    compsupport::PrintStatement(debug, "ConstructLayout " + classWord);
    row.set_spacing(std::max(0, compsupport::Px(spacing)));
}

bool LoadCellPicture(Gtk::Image& image, const std::string& path, float width, float height,
                     unsigned debug, const std::string& missingText)
{
    // The loader reads a negative size as "file size"; a cell has no such size.
    const auto cellSize = [](float value) { return value > 0.0f ? value : 0.0f; };
    return compsupport::SetPicture(image, path, cellSize(width), cellSize(height), debug, missingText);
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
    Pango::FontDescription font;
    font.set_size(kTextSize);
    label.modify_font(font);
    label.modify_fg(Gtk::STATE_NORMAL, Gdk::Color(colour));
}

int SizePx(float value)
{
    constexpr float kLargest = 32767.0f;
    if (!(value > 0.0f))
        return 0;
    return value >= kLargest ? static_cast<int>(kLargest) : compsupport::Px(value);
}

void RequestSize(Gtk::Widget& widget, int width, int height)
{
    widget.set_size_request(std::max(0, width), std::max(0, height));
}

void BuildTextCell(const TextCell& parts, const CellPlacement& place, bool withPicture,
                   const std::string& text, const std::string& colour, Gtk::PackOptions packing)
{
    if (withPicture)
        parts.cell.put(parts.picture, place.pictureX, place.pictureY);
    StyleLabel(parts.label, text, colour);
    RequestSize(parts.box, place.boxWidth, place.boxHeight);
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
    if (!LoadCellPicture(picture, path, width, height, debug))
        return false;
    cell.put(picture, 0, 0);
    PackCell(row, cell, visible);
    return true;
}

}  // namespace rowlayout
