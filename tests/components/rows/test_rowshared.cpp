// What the four rows share: the debug switch (exactly 1 prints the build,
// missing-picture and destructor lines, any other value nothing), texts
// without pictures, geometry settings that never give negative sizes.
#include "CompBoolValRect.h"
#include "CompDualVal.h"
#include "CompProgressBarHolder.h"
#include "CompSingleVal.h"
#include "RowProbe.h"

#include <functional>
#include <memory>

using namespace rowprobe;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// Builds a row with its defaults in a directory without pictures and
// returns what it printed from ConstructLayout to its destruction.
template <class Row>
std::string BuildAndDrop(unsigned char debug)
{
    auto row = std::make_unique<Row>();
    row->DebugOutput = debug;
    CaptureStdout();
    row->ConstructLayout();
    row.reset();
    return GetCapturedStdout();
}

struct DebugCase {
    const char* name;
    std::function<std::string(unsigned char)> run;
    const char* linesAtOne;
};

const DebugCase kCases[] = {
    {"CompBoolValRect", BuildAndDrop<CompBoolValRect>,
     "ConstructLayout CompBoolValRect\n"
     "Image Not Found ./Images/GreyBox.png\n"
     "Image Not Found ./Images/BoolValOFF.jpg\n"
     "Destructor CompBoolValRect\n"},
    {"CompDualVal", BuildAndDrop<CompDualVal>,
     "ConstructLayout CompDualVal\n"
     "Image Not Found ./Images/GreyBox.png\n"
     "Invalid Label Text. Set to Default\n"
     "Image Not Found ./Images/DualBoolValOFF.jpg\n"
     "Image Not Found ./Images/DualBoolValOFF.jpg\n"
     "Image Not Found ./Images/HertzUnit.jpg\n"
     "Destructor CompDualVal\n"},
    {"CompSingleVal", BuildAndDrop<CompSingleVal>,
     "ConstructLayout CompSingleVal\n"
     "Image Not Found ./Images/GreyBox.png\n"
     "Invalid Label Text. Set to Default\n"
     "Image Not Found ./Images/NULLUnit.jpg\n"
     "Destructor CompSingleVal\n"},
    {"CompProgressBarHolder", BuildAndDrop<CompProgressBarHolder>,
     "ConstructLayout CompProgressBarHolder\n"
     "Image Not Found ./Images/GreyBox.png\n"
     "Image Not Found ./Images/ProgressHolder.jpg\n"
     "Image Not Found ./Images/VoltsUnit.jpg\n"
     "Destructor CompProgressBarHolder\n"},
};

void PrintTo(const DebugCase& c, std::ostream* out) { *out << c.name; }

class RowDebug : public RowTest, public testing::WithParamInterface<DebugCase> {};

TEST_P(RowDebug, OnlyOnePrints)
{
    EXPECT_EQ(GetParam().run(1), GetParam().linesAtOne);
    EXPECT_EQ(GetParam().run(0), "");
    EXPECT_EQ(GetParam().run(2), "");
}

INSTANTIATE_TEST_SUITE_P(Rows, RowDebug, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<DebugCase>& info) { return std::string(info.param.name); });

// The switch starts at each row's default, so only the two-cell row, whose
// switch is on by default, announces its construction.
TEST_F(RowTest, ConstructorLineFollowsDefaultSwitch)
{
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] { CompBoolValRect row; }, ""},
        {[] { CompDualVal row; }, "Constructor CompDualVal\nDestructor CompDualVal\n"},
        {[] { CompSingleVal row; }, ""},
        {[] { CompProgressBarHolder row; }, ""},
    };
    for (const auto& c : cases) {
        CaptureStdout();
        c.first();
        EXPECT_EQ(GetCapturedStdout(), c.second);
    }
}

// Without any picture the rows still build their texts.
TEST_F(RowTest, TextsSurviveMissingPictures)
{
    CompBoolValRect lamp;
    lamp.ConstructLayout();
    CompSingleVal value;
    value.CaptionText = "HLC - 1 Current";
    value.ConstructLayout();
    CompProgressBarHolder bar;
    bar.ConstructLayout();
    EXPECT_EQ(lamp.CaptionLabel.get_text(), "Panto 1");
    EXPECT_EQ(value.CaptionLabel.get_text(), "HLC - 1 Current");
    EXPECT_EQ(value.ValueLabel.get_text(), "0");
    EXPECT_EQ(bar.CaptionLabel.get_text(), "Battery Voltage");
    EXPECT_TRUE(bar.ValueLabel.get_visible());
}

// Negative geometry settings must not reach the toolkit as negative sizes
// or spacings (it refuses them and keeps what it had).
TEST_F(RowTest, NegativeGeometryIsClamped)
{
    WriteAllPictures();
    CompBoolValRect lamp;
    lamp.Spacing = -3;
    lamp.ConstructLayout();
    EXPECT_EQ(lamp.get_spacing(), 0);

    CompDualVal dual;
    dual.DebugOutput = 0;
    dual.ShowValueTexts = 1;
    dual.CellWidthFraction = -0.5f;
    dual.ConstructLayout();
    EXPECT_EQ(Requested(dual.LeftValueBox), Size(1, 18));

    CompProgressBarHolder bar;
    bar.Spacing = -1;
    bar.CaptionBoxWidth = -20;
    bar.ValueBoxHeight = -4;
    bar.HolderHeight = -18;
    bar.ConstructLayout();
    EXPECT_EQ(bar.get_spacing(), 0);
    EXPECT_EQ(Requested(bar.CaptionBox), Size(1, 18));
    EXPECT_EQ(Requested(bar.ValueBox), Size(50, 1));
    EXPECT_EQ(Requested(bar.BarBox), Size(1, 1));

    // A picture cannot be scaled to a negative size: it is left out like a
    // missing one, never shown at its file size.
    CompProgressBarHolder pictures;
    pictures.DebugOutput = 1;
    pictures.CaptionImageWidth = -200;
    pictures.HolderHeight = -18;
    pictures.UnitWidth = -0.5f;
    CaptureStdout();
    pictures.ConstructLayout();
    EXPECT_EQ(GetCapturedStdout(), "ConstructLayout CompProgressBarHolder\n"
                                   "Image Not Found ./Images/GreyBox.png\n"
                                   "Image Not Found ./Images/ProgressHolder.jpg\n"
                                   "Image Not Found ./Images/VoltsUnit.jpg\n");
    for (Gtk::Image* image : {&pictures.CaptionBackgroundImage, &pictures.HolderImage, &pictures.UnitImage})
        EXPECT_EQ(LoadedFrom(*image), "");

    CompDualVal narrow;
    narrow.DebugOutput = 0;
    narrow.CellWidthFraction = -0.2f;
    narrow.ConstructLayout();
    EXPECT_EQ(LoadedFrom(narrow.LeftStateImage), "");
    EXPECT_EQ(LoadedFrom(narrow.RightStateImage), "");
}

}  // namespace
