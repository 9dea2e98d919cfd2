#include "GridSupport.h"

#include "CompSupport.h"

namespace gridsupport {

void AttachCell(Gtk::Table& table, Gtk::Widget& cell, unsigned column, unsigned row,
                float columnSpan, float rowSpan)
{
    const unsigned right = static_cast<unsigned>(compsupport::Whole(static_cast<float>(column) + columnSpan));
    const unsigned bottom = static_cast<unsigned>(compsupport::Whole(static_cast<float>(row) + rowSpan));
    table.attach(cell, column, right > column ? right : column + 1, row, bottom > row ? bottom : row + 1,
                 Gtk::FILL | Gtk::EXPAND, Gtk::FILL | Gtk::EXPAND, 0, 0);
}

bool LoadCellPicture(const std::string& path, bool scale, float width, float height,
                     Glib::RefPtr<Gdk::Pixbuf>& loaded, Glib::RefPtr<Gdk::Pixbuf>& scaled)
{
    const int w = compsupport::Whole(width);
    const int h = compsupport::Whole(height);
    if (scale && (w <= 0 || h <= 0))
        return false;
    Glib::RefPtr<Gdk::Pixbuf> file = compsupport::LoadPicture(path);
    Glib::RefPtr<Gdk::Pixbuf> sized = scale ? compsupport::LoadPicture(path, width, height) : file;
    if (!file || !sized)
        return false;
    if (scale)
        scaled = sized;
    loaded = file;
    return true;
}

}  // namespace gridsupport
