#include "SettingsWidgets.h"

#include "CompRectangleGrid.h"
#include "CompSupport.h"

#include <fstream>

namespace settingsui {

namespace {
constexpr int kPangoPerPoint = 1024;
constexpr int kNumberBoxHeight = 40;
}  // namespace

// The screens set their colours on every refresh: only a change is written.
void SetBackground(Gtk::Widget& widget, const std::string& colour)
{
    compsupport::ShowBackground(widget, Gdk::Color(colour));
}

void SetForeground(Gtk::Widget& widget, const std::string& colour)
{
    compsupport::ShowForeground(widget, Gdk::Color(colour));
}

void PaintText(Gtk::Label& label, const std::string& colour)
{
    SetForeground(label, colour);
    label.queue_draw();
}

void SetFont(Gtk::Widget& widget, int points, bool bold)
{
    Pango::FontDescription font;
    font.set_size(points * kPangoPerPoint);
    if (bold)
        font.set_weight(Pango::WEIGHT_BOLD);
    widget.modify_font(font);
}

int FitFont(Gtk::Label& label, int points, int width, int height, bool bold)
{
    constexpr int kSmallest = 6 * kPangoPerPoint;
    constexpr int kStep = kPangoPerPoint / 2;
    Glib::RefPtr<Pango::Layout> layout = label.create_pango_layout(label.get_text());
    Pango::FontDescription font;
    if (bold)
        font.set_weight(Pango::WEIGHT_BOLD);
    int size = points * kPangoPerPoint;
    for (; size > kSmallest; size -= kStep) {
        font.set_size(size);
        layout->set_font_description(font);
        int w = 0, h = 0;
        layout->get_pixel_size(w, h);
        if (w <= width && h <= height)
            break;
    }
    if (size != points * kPangoPerPoint) {
        font.set_size(size);
        label.modify_font(font);
    }
    return size;
}

void FillBox(Gtk::EventBox& box, Gtk::Label& label, const std::string& background, int width,
             int height)
{
    box.add(label);
    SetBackground(box, background);
    box.set_size_request(width, height);
}

void BuildTitleTile(CompRectangleGrid& tile, const std::string& text, float width)
{
    tile.Rows = 1;
    tile.Columns = 1;
    tile.RowSpacing = 0;
    tile.ColumnSpacing = 0;
    tile.CellTexts[0] = text;
    tile.CellWidth = width;
    tile.CellHeight = 37;
    tile.ShowBorder = 1;
    tile.FrameColour = kRed;
    tile.BorderWidth = 2;
    tile.ConstructLayout();
}

void BuildNumberBox(Gtk::EventBox& box, Gtk::Label& label, const std::string& text, int width)
{
    label.set_text(text);
    SetForeground(label, kOrange);
    SetFont(label, 17, true);
    FillBox(box, label, "Black", width, kNumberBoxHeight);
}

void BuildMessageBox(Gtk::EventBox& box, Gtk::Label& label, const std::string& text, int width,
                     int height)
{
    label.set_text(text);
    SetForeground(label, kWhite);
    SetFont(label, 12, false);
    FillBox(box, label, kTeal, width, height);
}

void MarkBox(Gtk::EventBox& box, const std::string& colour)
{
    box.set_border_width(1);
    SetBackground(box, colour);
    box.queue_draw();
}

bool LoadScreenPicture(Gtk::Image& image, const std::string& path, float width, float height)
{
    if (width < 0 || height < 0)
        return false;
    return compsupport::SetPicture(image, path, width, height, 0, "Image Not Found ");
}

bool FileReadable(const std::string& path)
{
    std::ifstream file(path.c_str());
    return file.good();
}

}  // namespace settingsui
