// The two screens that load their own pictures, with the picture files
// missing and with files that exist but do not decode: no throw, no toolkit
// critical, and the screens still work.
#include "SettingsHarness.h"

using namespace settingstest;

namespace {

const char* const kPictures[] = {"upButton.png",  "upButtonPressed.png", "DownButton.png",
                                 "DownButtonPressed.png", "GreyBox.png", "KM_HR.jpg",
                                 "upButton1.png", "upButtonOn1.png", "DownButton1.png",
                                 "DownButtonOn1.png", "BoolValON.jpg", "BoolValOFF.jpg", "NULLUnit.jpg"};

class BrokenPictures : public SettingsTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        if (GetParam())
            for (const char* name : kPictures) dir.WriteFile(std::string("Images/") + name, "not a picture");
    }
};

TEST_P(BrokenPictures, ScreensBuildStepAndRefresh)
{
    for (unsigned short& d : Store().WheelDiameters) d = 1050;
    Store().StoredActualSpeedVal = 0.5f;
    EnableInching();
    CabKeys* cab = nullptr;
    ASSERT_NO_THROW(cab = &Cab());
    ASSERT_NO_THROW(cab->Run("go:13 U T D T E T"));
    EXPECT_EQ(Store().InchingSpeedTenths, 5);
    EXPECT_FALSE(cab->inching.m_ArrowRow.LeftStateImage.get_pixbuf()) << "nothing loaded, nothing shown";
    ASSERT_NO_THROW(cab->Run("go:16 E type:8316K E U T E T"));
    EXPECT_EQ(Store().WheelDiameters[0], 1051);
    EXPECT_FALSE(cab->wheel.m_UpButtons.CellImages[0][0]->get_pixbuf());
    Gtk::Image image;
    EXPECT_NO_THROW(cab->wheel.GetReSizedImage(image, "./Images/upButton1.png", 40, 33));
    EXPECT_NO_THROW(cab->inching.GetReSizedImage(image, "./Images/nothing.png", 40, 33));
    EXPECT_EQ(cab->wheel.FileExists("./Images/upButton1.png"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Files, BrokenPictures, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Broken" : "Missing"; });

}  // namespace
