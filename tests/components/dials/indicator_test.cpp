// The value row of the status screens: cells built from the settings, the
// pictures loaded and their sizes, hidden cells, texts and debug lines.
#include "CompValueIndicator.h"

#include "DialTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using dialtest::CaptureOutput;
using dialtest::Near;
using dialtest::PixelOf;

namespace {

const unsigned kGrey = 0xC00000;
const unsigned kThree = 0x0000C0;
const unsigned kSix = 0x00C000;
const unsigned kUnit = 0xC0C000;

class IndicatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitToolkit();
        testsupport::WritePicture("./Images/GreyBox.png", 30, 30, kGrey);
        testsupport::WritePicture("./Images/ValIndicator3.jpg", 20, 10, kThree);
        testsupport::WritePicture("./Images/ValIndicator6.jpg", 20, 10, kSix);
        testsupport::WritePicture("./Images/NULLUnit.jpg", 12, 12, kUnit);
    }

    static void ExpectPicture(Gtk::Image& image, int w, int h, unsigned colour, const std::string& what)
    {
        Glib::RefPtr<Gdk::Pixbuf> picture = image.get_pixbuf();
        ASSERT_TRUE(picture) << what;
        EXPECT_EQ(picture->get_width(), w) << what;
        EXPECT_EQ(picture->get_height(), h) << what;
        EXPECT_TRUE(Near(PixelOf(picture, w / 2, h / 2), colour)) << what;
    }

    testsupport::TempWorkDir dir_;
};

TEST_F(IndicatorTest, RowIsBuiltFromTheSettings)
{
    struct Case {
        const char* name;
        unsigned char six;
        float reduction, extra, presetWidth;
        const char* valuePath;
        const char* caption;
        int cells, cellWidth, captionWidth;
        unsigned valueColour;
        const char* captionShown;
    };
    const Case cases[] = {
        {"defaults", 0, 0, 0.25f, -1, nullptr, "", 3, 105, 200, kThree, "Panto 1"},
        {"six values", 1, 0, 0.25f, -1, "./Images/ValIndicator6.jpg", "Traction Motor Temperature", 6, 51, 200,
         kSix, "Traction Motor Temperature"},
        {"two means three", 2, 0, 0.25f, -1, nullptr, "DC Link Voltage", 3, 105, 200, kThree, "DC Link Voltage"},
        {"narrower cells", 0, 10, 0.25f, -1, nullptr, "", 3, 95, 200, kThree, "Panto 1"},
        {"six narrower", 1, 1.04f, 0.25f, -1, "./Images/ValIndicator6.jpg", "", 6, 50, 200, kSix, "Panto 1"},
        {"wider caption", 0, 0, 20, -1, nullptr, "", 3, 105, 220, kThree, "Panto 1"},
        {"preset width replaced", 0, 0, 0.25f, 300, nullptr, "", 3, 105, 200, kThree, "Panto 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CompValueIndicator row;
        row.SixValues = c.six;
        row.ValueWidthReduction = c.reduction;
        row.CaptionExtraWidth = c.extra;
        if (c.presetWidth >= 0)
            row.ValueBoxWidth = c.presetWidth;
        if (c.valuePath)
            row.ValueBackgroundPath = c.valuePath;
        row.CaptionText = c.caption;
        row.ConstructLayout();

        std::vector<Gtk::Widget*> expected = {&row.CaptionCell};
        for (int k = 0; k < c.cells; ++k)
            expected.push_back(&row.ValueCells[k]);
        expected.push_back(&row.UnitCell);
        EXPECT_EQ(dialtest::Children(row), expected);
        for (int k = c.cells; k < 6; ++k)
            EXPECT_EQ(row.ValueCells[k].get_parent(), nullptr);
        EXPECT_EQ(row.get_spacing(), 4);
        EXPECT_EQ(int(row.ValueBoxWidth), c.cellWidth);

        ExpectPicture(row.CaptionBackgroundImage, c.captionWidth, 18, kGrey, "caption");
        EXPECT_EQ(row.CaptionLabel.get_text(), c.captionShown);
        EXPECT_EQ(row.CaptionLabel.get_parent(), &row.CaptionBox);
        std::vector<Gtk::Widget*> captionCell = {&row.CaptionBackgroundImage, &row.CaptionBox};
        EXPECT_EQ(dialtest::Children(row.CaptionCell), captionCell);
        for (int k = 0; k < c.cells; ++k) {
            ExpectPicture(row.ValueBackgroundImages[k], c.cellWidth, 18, c.valueColour, "value " + std::to_string(k));
            EXPECT_EQ(row.ValueLabels[k].get_text(), "0");
            EXPECT_EQ(row.ValueLabels[k].get_parent(), &row.ValueBoxes[k]);
            EXPECT_EQ(row.ValueBoxes[k].get_parent(), &row.ValueCells[k]);
        }
        ExpectPicture(row.UnitImage, 56, 18, kUnit, "unit");

        dialtest::ShownWidget shown(row, 700, 40);
        auto expectCell = [&](Gtk::Widget& cell, int x, int w, const std::string& what) {
            Gtk::Allocation a = cell.get_allocation();
            EXPECT_EQ(a.get_x(), x) << what;
            EXPECT_EQ(a.get_width(), w) << what;
            EXPECT_EQ(cell.size_request().height, 18) << what;
        };
        expectCell(row.CaptionCell, 0, c.captionWidth, "caption cell");
        for (int k = 0; k < c.cells; ++k)
            expectCell(row.ValueCells[k], c.captionWidth + 4 + k * (c.cellWidth + 4), c.cellWidth,
                       "value cell " + std::to_string(k));
        expectCell(row.UnitCell, c.captionWidth + 4 + c.cells * (c.cellWidth + 4), 56, "unit cell");

        // Texts are white, 8.4 points, centred over the picture.
        for (Gtk::Label* label : {&row.CaptionLabel, &row.ValueLabels[0]}) {
            EXPECT_EQ(label->get_style()->get_font().get_size(), 8601);
            EXPECT_EQ(label->get_style()->get_fg(Gtk::STATE_NORMAL).get_red(), 65535);
            EXPECT_EQ(label->get_style()->get_fg(Gtk::STATE_NORMAL).get_blue(), 65535);
        }
        const Gtk::Allocation box = row.ValueBoxes[0].get_allocation();
        const Gtk::Allocation text = row.ValueLabels[0].get_allocation();
        EXPECT_NEAR(text.get_x() + text.get_width() / 2.0, box.get_x() + box.get_width() / 2.0, 1.0);
    }
}

TEST_F(IndicatorTest, UnusablePicturesAreReportedAndTextsStillShown)
{
    struct Case {
        const char* name;
        unsigned char six;
        std::vector<const char*> removed;
        const char* broken;
        std::string lines;
    };
    const std::string head = "ConstructLayout CompValueIndicator\n";
    const Case cases[] = {
        {"three, none present", 0,
         {"./Images/GreyBox.png", "./Images/ValIndicator3.jpg", "./Images/NULLUnit.jpg"}, nullptr,
         head + "Image Not Found ./Images/GreyBox.png\nImage Not Found ./Images/ValIndicator3.jpg\n"
                "Image Not Found ./Images/NULLUnit.jpg\n"},
        {"six, value picture missing", 1, {"./Images/ValIndicator6.jpg"}, nullptr,
         head + "Image Not Found ./Images/ValIndicator6.jpg\nImage Not Found ./Images/ValIndicator6.jpg\n"},
        {"broken caption picture", 0, {}, "./Images/GreyBox.png",
         head + "Image Not Found ./Images/GreyBox.png\n"},
        {"broken unit picture", 0, {}, "./Images/NULLUnit.jpg", head + "Image Not Found ./Images/NULLUnit.jpg\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        for (const char* path : c.removed)
            std::remove(path);
        if (c.broken)
            dialtest::WriteBrokenPicture(c.broken);
        CompValueIndicator row;
        row.DebugOutput = 1;
        row.SixValues = c.six;
        if (c.six == 1)
            row.ValueBackgroundPath = "./Images/ValIndicator6.jpg";
        EXPECT_EQ(CaptureOutput([&] { row.ConstructLayout(); }), c.lines);
        const int cells = c.six == 1 ? 6 : 3;
        for (int k = 0; k < cells; ++k)
            EXPECT_EQ(row.ValueLabels[k].get_text(), "0");
        EXPECT_EQ(row.CaptionLabel.get_text(), "Panto 1");
        if (c.broken && std::string(c.broken) == "./Images/GreyBox.png") {
            EXPECT_EQ(row.CaptionBackgroundImage.get_storage_type(), Gtk::IMAGE_EMPTY);
        }
        if (!c.removed.empty()) {
            EXPECT_EQ(row.ValueBackgroundImages[0].get_storage_type(), Gtk::IMAGE_EMPTY);
        }
        dialtest::ShownWidget shown(row, 700, 40);
        EXPECT_EQ(row.CaptionCell.get_allocation().get_width(), 200);  // the text box keeps the size
        EXPECT_EQ(row.ValueCells[0].get_allocation().get_width(), c.six == 1 ? 51 : 105);
        row.DebugOutput = 0;
    }
}

TEST_F(IndicatorTest, EmptyValueTextShowsZeroWithItsLine)
{
    struct Case { unsigned char six; int empty; bool reported; };
    const Case cases[] = {{0, 1, true}, {1, 4, true}, {0, 4, false}, {1, 0, true}};
    for (const Case& c : cases) {
        CompValueIndicator row;
        row.DebugOutput = 1;
        row.SixValues = c.six;
        row.CaptionText = "";
        for (int k = 0; k < 6; ++k)
            row.ValueTexts[k] = std::to_string(10 + k);
        row.ValueTexts[c.empty] = "";
        const std::string out = CaptureOutput([&] { row.ConstructLayout(); });
        const std::string line = "Invalid Label Text. Set to Default\n";
        EXPECT_EQ(out.find(line) != std::string::npos, c.reported) << out;
        EXPECT_EQ(out.find(line), out.rfind(line));  // once at most
        const int cells = c.six == 1 ? 6 : 3;
        for (int k = 0; k < cells; ++k)
            EXPECT_EQ(row.ValueLabels[k].get_text(), k == c.empty ? "0" : std::to_string(10 + k));
        EXPECT_EQ(row.CaptionLabel.get_text(), "Panto 1");  // without a line of its own
        EXPECT_EQ(out.find("Panto"), std::string::npos);
        row.DebugOutput = 0;
    }
}

TEST_F(IndicatorTest, NegativeWidthsAndSpacingRequestNoNegativeSize)
{
    CompValueIndicator row;
    row.ValueWidthReduction = 200;
    row.Spacing = -3;
    row.DebugOutput = 1;
    const std::string out = CaptureOutput([&] { row.ConstructLayout(); });
    // No picture can be scaled to a negative width: it is left out like a missing one.
    EXPECT_EQ(out, "ConstructLayout CompValueIndicator\nImage Not Found ./Images/ValIndicator3.jpg\n");
    for (int k = 0; k < 3; ++k) {
        int w, h;
        row.ValueBoxes[k].get_size_request(w, h);
        EXPECT_EQ(w, 1);  // the toolkit's smallest request
        EXPECT_EQ(h, 18);
        EXPECT_EQ(row.ValueLabels[k].get_text(), "0");
    }
    EXPECT_EQ(row.get_spacing(), 0);
    row.DebugOutput = 0;
}

TEST_F(IndicatorTest, HiddenCellKeepsItsPlace)
{
    struct Case { int hiddenValue; bool hideUnit; };
    const Case cases[] = {{2, false}, {0, false}, {-1, true}};
    for (const Case& c : cases) {
        CompValueIndicator row;
        if (c.hiddenValue >= 0)
            row.ValueCellVisible[c.hiddenValue] = 0;
        if (c.hideUnit)
            row.UnitCellVisible = 0;
        row.ConstructLayout();
        dialtest::ShownWidget shown(row, 700, 40);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(row.ValueCells[k].is_mapped(), k != c.hiddenValue) << k;
            EXPECT_EQ(row.ValueCells[k].get_allocation().get_x(), 204 + k * 109) << k;
        }
        EXPECT_EQ(row.UnitCell.is_mapped(), !c.hideUnit);
        EXPECT_EQ(row.UnitCell.get_allocation().get_x(), 531);
        EXPECT_TRUE(row.CaptionCell.is_mapped());
    }
}

TEST_F(IndicatorTest, AnyNonZeroVisibilityShowsTheCell)
{
    struct Case { unsigned char visible; bool mapped; };
    const Case cases[] = {{0, false}, {1, true}, {2, true}, {255, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.visible));
        CompValueIndicator row;
        row.SixValues = 1;
        for (unsigned char& visible : row.ValueCellVisible)
            visible = c.visible;
        row.UnitCellVisible = c.visible;
        row.ConstructLayout();
        dialtest::ShownWidget shown(row, 700, 40);
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(row.ValueCells[k].is_mapped(), c.mapped) << k;
        EXPECT_EQ(row.UnitCell.is_mapped(), c.mapped);
    }
}

TEST_F(IndicatorTest, DebugSwitchOnlyExactlyOnePrints)
{
    for (unsigned char debug : {0, 1, 2}) {
        std::remove("./Images/NULLUnit.jpg");
        const std::string out = CaptureOutput([&] {
            std::unique_ptr<CompValueIndicator> row(new CompValueIndicator);
            row->DebugOutput = debug;
            row->ValueTexts[0] = "";
            row->ConstructLayout();
            Gtk::Image image;
            row->GetReSizedImage(image, "./Images/None.png", 10, 10);
        });
        EXPECT_EQ(out, debug != 1 ? ""
                                  : "ConstructLayout CompValueIndicator\n"
                                    "Invalid Label Text. Set to Default\n"
                                    "Image Not Found ./Images/NULLUnit.jpg\n"
                                    "DigitValueIndicator: Image Dosen't Exists./Images/None.png\n"
                                    "Destructor CompValueIndicator\n")
            << int(debug);
    }
}

TEST_F(IndicatorTest, ReSizedImageScalesOrLeavesThePicture)
{
    struct Case { const char* path; bool broken; float w, h; int shownW, shownH; unsigned colour; bool reported; };
    const Case cases[] = {
        {"./Images/GreyBox.png", false, 49.9968f, 18.9f, 49, 18, kGrey, false},
        {"./Images/NULLUnit.jpg", false, 56, 18, 56, 18, kUnit, false},
        {"./Images/Missing.png", false, 10, 10, 7, 7, kSix, true},
        {"./Images/Broken.png", true, 10, 10, 7, 7, kSix, true},
    };
    CompValueIndicator row;
    row.DebugOutput = 1;
    for (const Case& c : cases) {
        if (c.broken)
            dialtest::WriteBrokenPicture(c.path);
        Gtk::Image image;
        row.GetReSizedImage(image, "./Images/ValIndicator6.jpg", 7, 7);
        const std::string out = CaptureOutput([&] { row.GetReSizedImage(image, c.path, c.w, c.h); });
        EXPECT_EQ(out, c.reported ? std::string("DigitValueIndicator: Image Dosen't Exists") + c.path + "\n" : "");
        ExpectPicture(image, c.shownW, c.shownH, c.colour, c.path);
    }
    row.DebugOutput = 0;
}

}  // namespace
