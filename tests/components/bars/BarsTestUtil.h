// Probes into the widgets of the bar gauges for the tests: children of a
// fixed container with their places, picture colour and size, the colours
// and fonts a widget was given.
#ifndef CABDISPLAY_TESTS_BARS_BARSTESTUTIL_H
#define CABDISPLAY_TESTS_BARS_BARSTESTUTIL_H

#include <gtkmm/alignment.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/rc.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace barstest {

struct Placed {
    GtkWidget* widget;
    int x;
    int y;
};

// Children of a fixed container in the order they were put, with their places.
inline std::vector<Placed> ChildrenOf(Gtk::Fixed& fixed)
{
    std::vector<Placed> placed;
    for (GList* node = fixed.gobj()->children; node; node = node->next) {
        GtkFixedChild* child = static_cast<GtkFixedChild*>(node->data);
        placed.push_back({child->widget, child->x, child->y});
    }
    return placed;
}

inline void ExpectPlaced(const Placed& child, const Gtk::Widget& widget, int x, int y, const char* what)
{
    EXPECT_EQ(child.widget, widget.gobj()) << what;
    EXPECT_EQ(child.x, x) << what;
    EXPECT_EQ(child.y, y) << what;
}

inline bool HasPicture(Gtk::Image& image)
{
    return image.get_storage_type() == Gtk::IMAGE_PIXBUF && image.get_pixbuf();
}

// Picture size and the colour of its first pixel (0xRRGGBB).
struct PictureInfo {
    int width;
    int height;
    unsigned rgb;
};

inline PictureInfo PictureOf(Gtk::Image& image)
{
    Glib::RefPtr<Gdk::Pixbuf> picture = image.get_pixbuf();
    const guint8* p = picture->get_pixels();
    return {picture->get_width(), picture->get_height(),
            (unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | p[2]};
}

// Fixture colours differ in every channel by far more than JPEG noise.
inline bool SameColour(unsigned a, unsigned b)
{
    for (int shift = 0; shift <= 16; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 24)
            return false;
    return true;
}

inline void ExpectPicture(Gtk::Image& image, int width, int height, unsigned rgb, const char* what)
{
    ASSERT_TRUE(HasPicture(image)) << what;
    const PictureInfo info = PictureOf(image);
    EXPECT_EQ(info.width, width) << what;
    EXPECT_EQ(info.height, height) << what;
    EXPECT_TRUE(SameColour(info.rgb, rgb)) << what << std::hex << ": got " << info.rgb << " wanted " << rgb;
}

inline GtkRcStyle* ModifierOf(Gtk::Widget& widget)
{
    return gtk_widget_get_modifier_style(widget.gobj());
}

inline bool SameGdkColour(const GdkColor& got, const std::string& name)
{
    GdkColor want;
    if (!gdk_color_parse(name.c_str(), &want))
        return false;
    return got.red == want.red && got.green == want.green && got.blue == want.blue;
}

// The normal-state foreground colour set on a widget equals the named colour.
inline bool ForegroundIs(Gtk::Widget& widget, const std::string& name)
{
    GtkRcStyle* style = ModifierOf(widget);
    return (style->color_flags[GTK_STATE_NORMAL] & GTK_RC_FG) &&
           SameGdkColour(style->fg[GTK_STATE_NORMAL], name);
}

inline bool BackgroundIs(Gtk::Widget& widget, const std::string& name)
{
    GtkRcStyle* style = ModifierOf(widget);
    return (style->color_flags[GTK_STATE_NORMAL] & GTK_RC_BG) &&
           SameGdkColour(style->bg[GTK_STATE_NORMAL], name);
}

// The font the widget was given, or null when it keeps the theme's.
inline const PangoFontDescription* FontOf(Gtk::Widget& widget)
{
    return ModifierOf(widget)->font_desc;
}

struct AlignmentValues {
    float xalign, yalign, xscale, yscale;
};

inline AlignmentValues AlignmentOf(Gtk::Alignment& alignment)
{
    GtkAlignment* a = alignment.gobj();
    return {a->xalign, a->yalign, a->xscale, a->yscale};
}

// Each test runs in a private working directory with the toolkit up.
class BarsTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::InitToolkit(); }
    testsupport::TempWorkDir workDir_;
};

}  // namespace barstest

#endif
