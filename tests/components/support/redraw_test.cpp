// Moves and picture swaps on a shown screen: a moved arrow, a turned
// alignment or a picture of the same size draws only its old and new place
// again, lays nothing out, and leaves the picture a whole redraw would draw.
#include "CompSupport.h"
#include "RedrawProbe.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <gtkmm/alignment.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>

#include <memory>
#include <vector>

namespace {

class RedrawTest : public testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitToolkit();
        testsupport::WritePicture("Images/Scale.png", 100, 200, 0x203040);
        testsupport::WritePicture("Images/Arrow.png", 10, 10, 0xff8000);
        testsupport::WritePicture("Images/Red.png", 20, 10, 0xff0000);
        testsupport::WritePicture("Images/Green.png", 20, 10, 0x00ff00);
        testsupport::WritePicture("Images/Wide.png", 30, 10, 0x0000ff);
    }
    testsupport::TempWorkDir dir;
};

std::string PlaceOf(Gtk::Fixed& fixed, Gtk::Widget& child)
{
    for (GList* node = fixed.gobj()->children; node; node = node->next) {
        const GtkFixedChild* place = static_cast<GtkFixedChild*>(node->data);
        if (place->widget == child.gobj())
            return std::to_string(place->x) + "," + std::to_string(place->y);
    }
    return "-";
}

// A scale with an arrow on it, in a frame with a window of its own (the
// level bar's shape).
struct ScaleWithArrow {
    Gtk::EventBox frame;
    Gtk::Fixed fixed;
    Gtk::Image scale, arrow;
    ScaleWithArrow()
    {
        compsupport::ShowPicture(scale, compsupport::LoadPicture("Images/Scale.png"));
        compsupport::ShowPicture(arrow, compsupport::LoadPicture("Images/Arrow.png"));
        fixed.put(scale, 0, 0);
        fixed.put(arrow, 40, 150);
        frame.add(fixed);
    }
};

struct MoveCase {
    const char* name;
    int x, y;
    bool arrowShown;
    bool laidOut;       // the container grows: the window is laid out again
    long mostPixels;    // drawn again at most
};

class MovedChild : public RedrawTest, public testing::WithParamInterface<MoveCase> {};

TEST_P(MovedChild, RedrawsOnlyWhatMoved)
{
    const MoveCase& c = GetParam();
    ScaleWithArrow bar;
    testsupport::RedrawProbe probe(bar.frame, 100, 200);
    if (!c.arrowShown) {
        bar.arrow.set_child_visible(false);
        probe.Settle();
    }
    const int layoutsBefore = probe.Layouts();
    compsupport::MoveChild(bar.fixed, bar.arrow, c.x, c.y);
    probe.Settle();
    EXPECT_EQ(PlaceOf(bar.fixed, bar.arrow), std::to_string(c.x) + "," + std::to_string(c.y));
    EXPECT_EQ(probe.Layouts() > layoutsBefore, c.laidOut);
    EXPECT_LE(probe.DrawnPixels(), c.mostPixels);
    if (c.laidOut) {
        EXPECT_EQ(bar.fixed.size_request().height, c.y + 10);
    } else {
        EXPECT_TRUE(probe.Untouched({0, 60, 30, 60}));  // the scale away from the arrow
    }
    if (c.arrowShown && c.mostPixels > 0) {
        EXPECT_FALSE(probe.Untouched({40, 150, 10, 10})) << "old place";
        EXPECT_FALSE(probe.Untouched({c.x, c.y, 10, 10})) << "new place";
    }
    if (!c.arrowShown) {
        bar.arrow.set_child_visible(true);
        probe.Settle();
        EXPECT_EQ(testsupport::PlaceInWindow(bar.arrow, probe.window()).y, c.y);
    }
    EXPECT_EQ(probe.StaleArea(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MovedChild,
    testing::Values(MoveCase{"UpTheScale", 40, 20, true, false, 200},
                    MoveCase{"OnePixel", 40, 149, true, false, 110},
                    MoveCase{"SamePlace", 40, 150, true, false, 0},
                    MoveCase{"PastTheEdge", 40, 195, true, true, 100 * 205},
                    MoveCase{"HiddenArrow", 40, 20, false, false, 0}),
    [](const testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

TEST_F(RedrawTest, ChildOffScreenIsPlacedForItsFirstDraw)
{
    ScaleWithArrow bar;
    compsupport::MoveChild(bar.fixed, bar.arrow, 60, 30);
    EXPECT_EQ(PlaceOf(bar.fixed, bar.arrow), "60,30");
    testsupport::RedrawProbe probe(bar.frame, 100, 200);
    const GdkRectangle place = testsupport::PlaceInWindow(bar.arrow, probe.window());
    EXPECT_EQ(place.x, 60);
    EXPECT_EQ(place.y, 30);
    // Not a child of the container: left alone.
    Gtk::Image stranger;
    compsupport::MoveChild(bar.fixed, stranger, 1, 1);
    EXPECT_EQ(PlaceOf(bar.fixed, stranger), "-");
}

// An arrow in a bar box, placed by an alignment (the effort bar's shape).
struct ArrowInBar {
    Gtk::EventBox bar;
    Gtk::Alignment alignment{0.5f, 0.54f, 0, 0};
    Gtk::Image arrow;
    ArrowInBar()
    {
        compsupport::ShowPicture(arrow, compsupport::LoadPicture("Images/Arrow.png"));
        bar.set_size_request(13, 231);
        alignment.add(arrow);
        bar.add(alignment);
    }
};

struct AlignCase {
    float yalign;
    float kept;        // what the alignment holds
    long mostPixels;
};

class TurnedAlignment : public RedrawTest, public testing::WithParamInterface<AlignCase> {};

TEST_P(TurnedAlignment, RedrawsOnlyTheArrowsOldAndNewPlace)
{
    const AlignCase& c = GetParam();
    ArrowInBar box;
    testsupport::RedrawProbe probe(box.bar, 13, 231);
    const GdkRectangle before = testsupport::PlaceInWindow(box.arrow, probe.window());
    compsupport::SetAlignment(box.alignment, 0.5f, c.yalign, 0, 0);
    probe.Settle();
    EXPECT_FLOAT_EQ(box.alignment.property_yalign(), c.kept);
    EXPECT_EQ(probe.Layouts(), 0);
    EXPECT_LE(probe.DrawnPixels(), c.mostPixels);
    const GdkRectangle after = testsupport::PlaceInWindow(box.arrow, probe.window());
    EXPECT_EQ(after.y, static_cast<int>(c.kept * (231 - 10)));
    if (c.mostPixels > 0) {
        EXPECT_FALSE(probe.Untouched(before));
        EXPECT_FALSE(probe.Untouched(after));
    }
    EXPECT_EQ(probe.StaleArea(), "");
}

INSTANTIATE_TEST_SUITE_P(Aligns, TurnedAlignment,
                         testing::Values(AlignCase{0.01f, 0.01f, 200}, AlignCase{1.0f, 1.0f, 200},
                                         AlignCase{-0.217f, 0.0f, 200}, AlignCase{1.7f, 1.0f, 200},
                                         AlignCase{0.54f, 0.54f, 0}));

TEST_F(RedrawTest, AlignmentOffScreenTakesItsValues)
{
    ArrowInBar box;
    compsupport::SetAlignment(box.alignment, 0.2f, -1, 2, 0.5f);
    EXPECT_FLOAT_EQ(box.alignment.property_xalign(), 0.2f);
    EXPECT_FLOAT_EQ(box.alignment.property_yalign(), 0.0f);
    EXPECT_FLOAT_EQ(box.alignment.property_xscale(), 1.0f);
    EXPECT_FLOAT_EQ(box.alignment.property_yscale(), 0.5f);
}

TEST_F(RedrawTest, PictureOfTheSameSizeRedrawsOnlyItsImage)
{
    const Glib::RefPtr<Gdk::Pixbuf> red = compsupport::LoadPicture("Images/Red.png");
    const Glib::RefPtr<Gdk::Pixbuf> green = compsupport::LoadPicture("Images/Green.png");
    Gtk::Fixed fixed;
    Gtk::Image image;
    compsupport::ShowPicture(image, red);
    fixed.put(image, 5, 5);
    testsupport::RedrawProbe probe(fixed, 60, 30);

    EXPECT_TRUE(compsupport::ShowPicture(image, green));
    const GdkRectangle drawn = probe.Settle();
    EXPECT_EQ(image.get_pixbuf(), green);
    EXPECT_EQ(probe.Layouts(), 0);
    EXPECT_EQ(probe.DrawnPixels(), 20 * 10);
    EXPECT_EQ(drawn.x, 5);
    EXPECT_EQ(drawn.y, 5);
    EXPECT_EQ(probe.StaleArea(), "");

    // The picture shown already: nothing to draw.
    EXPECT_TRUE(compsupport::ShowPicture(image, green));
    probe.Settle();
    EXPECT_EQ(probe.DrawnPixels(), 0);

    // Another size: the image takes it, so the window is laid out again.
    EXPECT_TRUE(compsupport::ShowPicture(image, compsupport::LoadPicture("Images/Wide.png")));
    probe.Settle();
    EXPECT_GT(probe.Layouts(), 0);
    EXPECT_EQ(image.size_request().width, 30);
    EXPECT_EQ(probe.StaleArea(), "");
}

TEST_F(RedrawTest, PictureSwappedOffScreenIsShownOnItsFirstDraw)
{
    const Glib::RefPtr<Gdk::Pixbuf> green = compsupport::LoadPicture("Images/Green.png");
    Gtk::Image image;
    compsupport::ShowPicture(image, compsupport::LoadPicture("Images/Red.png"));
    compsupport::ShowPicture(image, green);
    EXPECT_EQ(image.get_pixbuf(), green);
    testsupport::RedrawProbe probe(image, 20, 10);
    const Glib::RefPtr<Gdk::Pixbuf> shown = probe.Picture();
    const guint8* first = shown->get_pixels();
    EXPECT_EQ(first[0], 0x00);
    EXPECT_EQ(first[1], 0xff);
}

// A row of lamps in a box with a window of its own, 20 x 10 each, 10 apart.
struct LampRow {
    Gtk::EventBox box;
    Gtk::Fixed fixed;
    Gtk::Image lamps[8];
    LampRow()
    {
        for (int i = 0; i < 8; ++i) {
            compsupport::ShowPicture(lamps[i], compsupport::LoadPicture("Images/Red.png"));
            fixed.put(lamps[i], 5 + 30 * i, 5);
        }
        box.add(fixed);
    }
};

TEST_F(RedrawTest, ManyChangedCellsAreDrawnInOnePiece)
{
    const Glib::RefPtr<Gdk::Pixbuf> green = compsupport::LoadPicture("Images/Green.png");
    LampRow row;
    testsupport::RedrawProbe probe(row.box, 250, 20);
    struct Case {
        std::vector<int> lamps;
        long drawn;  // pixels drawn again
    };
    const Case cases[] = {
        {{0, 1, 2, 3, 4, 5, 6, 7}, (7 * 30 + 20) * 10},  // one piece from the first lamp to the last
        {{2, 3, 4, 5, 6}, (4 * 30 + 20) * 10},
        {{1, 6}, 2 * 20 * 10},                       // few pieces stay apart
        {{3}, 20 * 10},
    };
    for (const Case& c : cases) {
        for (int i : c.lamps)
            compsupport::ShowPicture(row.lamps[i], row.lamps[i].get_pixbuf() == green
                                                        ? compsupport::LoadPicture("Images/Red.png")
                                                        : green);
        compsupport::GatherRedraw(row.box);
        compsupport::GatherRedraw(row.fixed);  // no window of its own: nothing to gather
        probe.Settle();
        EXPECT_EQ(probe.DrawnPixels(), c.drawn) << c.lamps.size() << " lamps";
        EXPECT_EQ(probe.StaleArea(), "");
    }
    compsupport::GatherRedraw(row.box);  // nothing waiting
    probe.Settle();
    EXPECT_EQ(probe.DrawnPixels(), 0);
}

// A picture with the given pixels opaque (all others fully transparent).
Glib::RefPtr<Gdk::Pixbuf> Marked(int width, int height, std::initializer_list<std::pair<int, int>> opaque)
{
    Glib::RefPtr<Gdk::Pixbuf> picture = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, true, 8, width, height);
    picture->fill(0xffffff00);
    for (const auto& p : opaque)
        picture->get_pixels()[p.second * picture->get_rowstride() + p.first * 4 + 3] = 1;
    return picture;
}

TEST_F(RedrawTest, InkedAreaHoldsEveryPixelThatIsNotFullyTransparent)
{
    struct Case {
        Glib::RefPtr<Gdk::Pixbuf> picture;
        int x, y, width, height;
    };
    const Case cases[] = {
        {Marked(40, 30, {}), 0, 0, 0, 0},
        {Marked(40, 30, {{7, 3}}), 7, 3, 1, 1},
        {Marked(40, 30, {{7, 3}, {30, 20}, {2, 12}}), 2, 3, 29, 18},
        {Marked(40, 30, {{0, 0}, {39, 29}}), 0, 0, 40, 30},
        {Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, false, 8, 12, 9), 0, 0, 12, 9},  // no alpha: all of it
        {Glib::RefPtr<Gdk::Pixbuf>(), 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const Gdk::Rectangle area = compsupport::InkedArea(c.picture);
        EXPECT_EQ(area.get_x(), c.x);
        EXPECT_EQ(area.get_y(), c.y);
        EXPECT_EQ(area.get_width(), c.width);
        EXPECT_EQ(area.get_height(), c.height);
    }
}

}  // namespace
