// The shared helpers: every float-to-integer conversion guarded, one colour
// parser, one font rule, one picture loader that never throws.
#include "CompSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <gtkmm/label.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct ClampCase {
    double value;
    long long lo, hi, nan;
    long long expected;
};

class ClampToIntegerTest : public testing::TestWithParam<ClampCase> {};

TEST_P(ClampToIntegerTest, TruncatesWithinRange)
{
    const ClampCase& c = GetParam();
    EXPECT_EQ(compsupport::ClampToInteger(c.value, c.lo, c.hi, c.nan), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClampToIntegerTest,
    testing::Values(ClampCase{12.9, 0, 100, 0, 12}, ClampCase{-12.9, -100, 100, 0, -12},
                    ClampCase{100.0, 0, 100, 0, 100}, ClampCase{100.5, 0, 100, 0, 100},
                    ClampCase{1e30, 0, 100, 0, 100}, ClampCase{-1e30, 0, 100, 0, 0},
                    ClampCase{kInf, INT_MIN, INT_MAX, 0, INT_MAX}, ClampCase{-kInf, INT_MIN, INT_MAX, 0, INT_MIN},
                    ClampCase{kNaN, 0, 100, 0, 0}, ClampCase{kNaN, 0, 100, 101, 101}));

TEST(PixelConversions, PositionsSizesAndFontUnits)
{
    EXPECT_EQ(compsupport::Px(30.9), 30);
    EXPECT_EQ(compsupport::Px(-4.5), -4);
    EXPECT_EQ(compsupport::Px(kNaN), 0);
    EXPECT_EQ(compsupport::Px(1e20), INT_MAX);
    EXPECT_EQ(compsupport::Whole(-3.0), 0);
    EXPECT_EQ(compsupport::Whole(322.4), 322);
    EXPECT_EQ(compsupport::Whole(1e9), 32767);
    EXPECT_EQ(compsupport::Whole(kNaN), 0);
    EXPECT_EQ(compsupport::PangoSize(8.4f), 8601);
    EXPECT_EQ(compsupport::PangoSize(9), 9216);
}

class HelperWidgets : public testing::Test {
protected:
    void SetUp() override { testsupport::InitToolkit(); }
    testsupport::TempWorkDir dir;
};

TEST_F(HelperWidgets, ColoursParseNamesAndHexAlike)
{
    EXPECT_EQ(compsupport::Colour("#78c4aa").get_green(), 0xc4c4);
    EXPECT_EQ(compsupport::Colour("BLACK").get_red(), 0);
    EXPECT_EQ(compsupport::Colour("white").get_blue(), 0xffff);
    // An unknown name leaves black, never a critical.
    EXPECT_EQ(compsupport::Colour("no such colour").get_red(), 0);
}

TEST_F(HelperWidgets, FontKeepsThemeSizeForNoSize)
{
    EXPECT_EQ(compsupport::Font(8601).get_size(), 8601);
    EXPECT_EQ(compsupport::Font(0).get_set_fields() & Pango::FONT_MASK_SIZE, 0);
    EXPECT_EQ(compsupport::Font(-5).get_set_fields() & Pango::FONT_MASK_SIZE, 0);
    EXPECT_EQ(compsupport::Font(9216).get_set_fields() & Pango::FONT_MASK_WEIGHT, 0);
    EXPECT_EQ(compsupport::Font(9216, compsupport::Weight::Bold).get_weight(), Pango::WEIGHT_BOLD);
    EXPECT_EQ(compsupport::Font(9216, compsupport::Weight::Normal).get_weight(), Pango::WEIGHT_NORMAL);
}

TEST_F(HelperWidgets, PictureLoaderNaturalAndScaledSizes)
{
    testsupport::WritePicture("./Images/Box.png", 40, 20, 0x00ff00);
    Glib::RefPtr<Gdk::Pixbuf> natural = compsupport::LoadPicture("./Images/Box.png");
    ASSERT_TRUE(natural);
    EXPECT_EQ(natural->get_width(), 40);
    Glib::RefPtr<Gdk::Pixbuf> scaled = compsupport::LoadPicture("./Images/Box.png", 160.9f, 18.0f);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->get_width(), 160);
    EXPECT_EQ(scaled->get_height(), 18);
    // A size that is not above zero is no picture, never the file's own size.
    for (float bad : {0.0f, -1.0f, 0.5f, std::nanf("")})
        EXPECT_FALSE(compsupport::LoadPicture("./Images/Box.png", bad, 18.0f)) << bad;
}

TEST_F(HelperWidgets, MissingOrBrokenPictureLeavesImageAsItWas)
{
    testsupport::WritePicture("./Images/Good.png", 10, 10, 0xff0000);
    dir.WriteFile("Images/Broken.png", "not a picture at all");
    Gtk::Image image;
    ASSERT_TRUE(compsupport::SetPicture(image, "./Images/Good.png", 10, 10, 0, ""));
    const Glib::RefPtr<Gdk::Pixbuf> shown = image.get_pixbuf();
    for (const char* path : {"./Images/Missing.png", "./Images/Broken.png"}) {
        EXPECT_FALSE(compsupport::LoadPicture(path)) << path;
        EXPECT_FALSE(compsupport::SetPicture(image, path, 10, 10, 0, "")) << path;
        EXPECT_EQ(image.get_pixbuf(), shown) << path;
    }
}

TEST(NumberText, DefaultStreamFormat)
{
    EXPECT_EQ(compsupport::FormatNumber(230.39999f), "230.4");
    EXPECT_EQ(compsupport::FormatNumber(2.5e6), "2.5e+06");
    EXPECT_EQ(compsupport::FormatNumber(0.0), "0");
}

}  // namespace
