// Looks into a built row: cell children and their places, picture sizes and
// which fixture picture a cell shows, label fonts and colours, packing.
#ifndef CABDISPLAY_TESTS_ROWPROBE_H
#define CABDISPLAY_TESTS_ROWPROBE_H

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace rowprobe {

// The fixture pictures: every picture the rows load, each a solid colour of
// its own and a size that differs from every cell size, so a cell shows both
// which file it loaded and that it was scaled.
inline const std::map<std::string, unsigned>& PictureColours()
{
    static const std::map<std::string, unsigned> colours = {
        {"./Images/GreyBox.png", 0x808080},       {"./Images/BoolValON.jpg", 0x00c000},
        {"./Images/BoolValOFF.jpg", 0xc00000},    {"./Images/pantoup.jpg", 0x0000c0},
        {"./Images/pantodown.jpg", 0xc0c000},     {"./Images/DualBoolValON.jpg", 0x00c0c0},
        {"./Images/DualBoolValOFF.jpg", 0xc000c0}, {"./Images/HertzUnit.jpg", 0x404040},
        {"./Images/NULLUnit.jpg", 0x202020},      {"./Images/AmpsUnit.jpg", 0xe0e0e0},
        {"./Images/VoltsUnit.jpg", 0x606000},     {"./Images/ProgressHolder.jpg", 0x006060},
        {"./Images/ValIndicator2.jpg", 0x600060}, {"./Images/Other.png", 0xff8000},
    };
    return colours;
}

inline void WriteAllPictures()
{
    for (const auto& entry : PictureColours())
        testsupport::WritePicture(entry.first, 10, 6, entry.second);
}

// A file that exists under a picture's name but holds no picture.
inline void WriteBrokenPicture(const std::string& path)
{
    testsupport::MakeParentDirs(path);
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fputs("not a picture", file);
    std::fclose(file);
}

// Which picture of a colour table an image shows ("" when it shows none,
// "?" for one the table does not hold).
inline std::string LoadedFrom(Gtk::Image& image, const std::map<std::string, unsigned>& colours)
{
    if (image.get_storage_type() != Gtk::IMAGE_PIXBUF)
        return "";
    Glib::RefPtr<Gdk::Pixbuf> pixbuf = image.get_pixbuf();
    const guint8* pixel = pixbuf->get_pixels() + (pixbuf->get_height() / 2) * pixbuf->get_rowstride() +
                          (pixbuf->get_width() / 2) * pixbuf->get_n_channels();
    for (const auto& entry : colours) {
        const unsigned rgb = entry.second;
        const int dr = std::abs(pixel[0] - int((rgb >> 16) & 0xFF));
        const int dg = std::abs(pixel[1] - int((rgb >> 8) & 0xFF));
        const int db = std::abs(pixel[2] - int(rgb & 0xFF));
        if (dr < 12 && dg < 12 && db < 12)
            return entry.first;
    }
    return "?";
}

// Which fixture picture an image shows ("" when it shows none).
inline std::string LoadedFrom(Gtk::Image& image)
{
    return LoadedFrom(image, PictureColours());
}

using Size = std::pair<int, int>;

inline Size PictureSize(Gtk::Image& image)
{
    if (image.get_storage_type() != Gtk::IMAGE_PIXBUF)
        return {0, 0};
    return {image.get_pixbuf()->get_width(), image.get_pixbuf()->get_height()};
}

inline Size Requested(const Gtk::Widget& widget)
{
    int w = 0, h = 0;
    widget.get_size_request(w, h);
    return {w, h};
}

// The row's natural size (what it asks of its owner).
inline Size RowSize(Gtk::Widget& row)
{
    const Gtk::Requisition r = row.size_request();
    return {r.width, r.height};
}

inline std::vector<Gtk::Widget*> Children(Gtk::Container& container)
{
    std::vector<Gtk::Widget*> out;
    for (Gtk::Widget* child : container.get_children())
        out.push_back(child);
    return out;
}

inline Size PlaceIn(Gtk::Fixed& cell, Gtk::Widget& child)
{
    gint x = -1, y = -1;
    gtk_container_child_get(GTK_CONTAINER(cell.gobj()), child.gobj(), "x", &x, "y", &y, NULL);
    return {x, y};
}

struct Packing {
    bool expand;
    bool fill;
    unsigned padding;
    bool operator==(const Packing& o) const { return expand == o.expand && fill == o.fill && padding == o.padding; }
};
inline std::ostream& operator<<(std::ostream& out, const Packing& p)
{
    return out << "{expand " << p.expand << ", fill " << p.fill << ", padding " << p.padding << "}";
}

inline Packing PackingIn(Gtk::Box& box, Gtk::Widget& child)
{
    gboolean expand = FALSE, fill = FALSE;
    guint padding = 0;
    GtkPackType type = GTK_PACK_START;
    gtk_box_query_child_packing(box.gobj(), child.gobj(), &expand, &fill, &padding, &type);
    EXPECT_EQ(type, GTK_PACK_START);
    return {expand != FALSE, fill != FALSE, padding};
}

constexpr Packing kShrink{false, false, 0};
constexpr Packing kExpandPadding{true, false, 0};
constexpr Packing kExpandWidget{true, true, 0};

inline std::string Hex(const GdkColor& c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.red >> 8, c.green >> 8, c.blue >> 8);
    return text;
}

// Font size (Pango units) and normal-state foreground set on a label.
inline int FontSize(Gtk::Widget& widget)
{
    GtkRcStyle* style = gtk_widget_get_modifier_style(widget.gobj());
    return style->font_desc ? pango_font_description_get_size(style->font_desc) : 0;
}

inline std::string Foreground(Gtk::Widget& widget)
{
    GtkRcStyle* style = gtk_widget_get_modifier_style(widget.gobj());
    if (!(style->color_flags[GTK_STATE_NORMAL] & GTK_RC_FG))
        return "";
    return Hex(style->fg[GTK_STATE_NORMAL]);
}

inline std::string Background(Gtk::Widget& widget)
{
    GtkRcStyle* style = gtk_widget_get_modifier_style(widget.gobj());
    if (!(style->color_flags[GTK_STATE_NORMAL] & GTK_RC_BG))
        return "";
    return Hex(style->bg[GTK_STATE_NORMAL]);
}

// Every test runs in a private working directory with the toolkit up.
class RowTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::InitToolkit(); }
    testsupport::TempWorkDir dir_;
};

// A row test whose working directory holds every picture the rows load.
class PicturedRowTest : public RowTest {
protected:
    void SetUp() override
    {
        RowTest::SetUp();
        WriteAllPictures();
    }
};

// Shows a row in a window and lets it be laid out, so that allocations and
// mapping can be checked.
class ShownRow {
public:
    explicit ShownRow(Gtk::Widget& row) : row_(row)
    {
        window_.add(row);
        window_.show_all();
        testsupport::DrainEvents();
    }
    ~ShownRow() { window_.remove(); }
    int X(Gtk::Widget& cell) const { return cell.get_allocation().get_x() - row_.get_allocation().get_x(); }
    int Width(Gtk::Widget& cell) const { return cell.get_allocation().get_width(); }

private:
    Gtk::Widget& row_;
    Gtk::Window window_;
};

}  // namespace rowprobe

#endif
