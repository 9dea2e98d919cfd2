// The two screens that load their own pictures, with the picture files
// missing and with files that exist but do not decode: no throw, no toolkit
// critical, and the screens still work. A screen built then shows none of
// them; the layout's screens, built before, keep the pictures they showed.
#include "SettingsFixture.h"

#include <memory>

using namespace settingstest;

namespace {

const char* const kPictures[] = {"upButton.png",  "upButtonPressed.png", "DownButton.png",
                                 "DownButtonPressed.png", "GreyBox.png", "KM_HR.jpg",
                                 "upButton1.png", "upButtonOn1.png", "DownButton1.png",
                                 "DownButtonOn1.png", "BoolValON.jpg", "BoolValOFF.jpg", "NULLUnit.jpg",
                                 // what the inching arrow row shows before the screen sets its arrows
                                 "DualBoolValON.jpg", "DualBoolValOFF.jpg", "HertzUnit.jpg"};

class BrokenPictures : public SettingsTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        upArrow_ = Inching().m_ArrowRow.LeftStateImage.get_pixbuf();
        wheelArrow_ = Wheel().m_UpButtons.CellImages[0][0]->get_pixbuf();
        for (const char* name : kPictures) {
            const std::string path = std::string("Images/") + name;
            if (GetParam())
                ReplaceFile(path, "not a picture");
            else
                RemoveFile(path);
        }
    }
    Glib::RefPtr<Gdk::Pixbuf> upArrow_, wheelArrow_;   // shown before the files went bad
};

TEST_P(BrokenPictures, ScreensBuildStepAndRefresh)
{
    StartDiameters(1050);
    store().StoredActualSpeedVal = 0.5f;
    EnableInching();
    std::unique_ptr<InchingMode> inching;
    std::unique_ptr<WheelDiameter> wheel;
    ASSERT_NO_THROW(inching.reset(new InchingMode));
    ASSERT_NO_THROW(wheel.reset(new WheelDiameter));
    EXPECT_FALSE(inching->m_ArrowRow.LeftStateImage.get_pixbuf()) << "built: nothing loaded, nothing shown";
    EXPECT_FALSE(wheel->m_UpButtons.CellImages[0][0]->get_pixbuf());
    ASSERT_NO_THROW(Run("go:13 U T D T E T"));
    EXPECT_EQ(store().InchingSpeedTenths, 5);
    ASSERT_TRUE(upArrow_);
    EXPECT_EQ(Inching().m_ArrowRow.LeftStateImage.get_pixbuf(), upArrow_) << "nothing loaded, the picture stays";
    ASSERT_NO_THROW(Run("go:16 E type:8316K E U T E T"));
    EXPECT_EQ(store().WheelDiameters[0], 1051);
    ASSERT_TRUE(wheelArrow_);
    EXPECT_EQ(Wheel().m_UpButtons.CellImages[0][0]->get_pixbuf(), wheelArrow_);
    Gtk::Image image;
    EXPECT_NO_THROW(Wheel().GetReSizedImage(image, "./Images/upButton1.png", 40, 33));
    EXPECT_NO_THROW(Inching().GetReSizedImage(image, "./Images/nothing.png", 40, 33));
    EXPECT_EQ(Wheel().FileExists("./Images/upButton1.png"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Files, BrokenPictures, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Broken" : "Missing"; });

}  // namespace
