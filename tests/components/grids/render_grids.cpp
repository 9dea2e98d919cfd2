// Draws each grid component as its main owner configures it and saves the
// window as renders/<Class>.png in the working directory (the build tree,
// whose ./Images holds the real picture set).
#include "CompButtonGrid.h"
#include "CompImageGrid.h"
#include "CompRectangleGrid.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

namespace {

// The main screen's indicator block: BL key and wheel slip ON.
TEST(GridRender, IndicatorPictures)
{
    testsupport::InitToolkit();
    CompImageGrid grid;
    grid.RowSpacing = 2;
    grid.ColumnSpacing = 8;
    grid.ScaleImages = 1;
    grid.ImageWidth = 112;
    grid.ImageHeight = 37.2f;
    grid.CaptionWidth = 80;
    grid.CaptionHeight = 37.2f;
    grid.CaptionX = 35;
    grid.CaptionY = 1;
    grid.UseCustomFont = 1;
    grid.FontScale = 0.004f;
    const std::uint8_t states[4] = {1, 0, 0, 1};
    std::copy(states, states + 4, grid.CellStates);
    grid.ConstructLayout();
    EXPECT_TRUE(testsupport::SnapshotWidget(grid, 240, 84, "renders/CompImageGrid.png"));
}

// The subsystem status screen: 6 x 5 buttons with identifier and caption,
// two subsystems shown faulty.
TEST(GridRender, SubsystemStatus)
{
    testsupport::InitToolkit();
    static const char* captions[30] = {
        "Main Power", "BUR - 1", "HBB - 1", "Speedometer", "B1-LC1",
        "Traction Bogle 1", "BUR - 2", "HBB - 2", "FLG - 1", "B1-LC2",
        "Traction Bogle 2", "BUR - 3", "CAB - 1", "FLG - 2", "B1-INV1",
        "Harmonic Filter", "Battery", "CAB - 2", "Train Bus", "B1-INV2",
        "Hotel Load", "Brake", "Fire", "BC_Applied", "B1-INV3",
        "B2-LC1", "B2-LC2", "B2-INV1", "B2-INV2", "B2-INV3"};
    CompButtonGrid grid;
    grid.Rows = 6;
    grid.Columns = 5;
    grid.OffImagePath = "./Images/Button3OFF.png";
    grid.OnImagePath = "./Images/Button3ON.png";
    grid.ImageWidth = 158;
    grid.ImageHeight = 48;
    grid.CaptionWidth = 158;
    grid.CaptionHeight = 48;
    grid.CaptionX = 0;
    grid.CaptionY = 7;
    grid.ShowSecondCaption = 1;
    grid.FontSize = 8;
    for (int i = 0; i < 30; ++i) {
        const int row = i / 5, column = i % 5;
        // Identifiers run down the first five rows column by column, then along the sixth.
        const int id = row < 5 ? column * 5 + row + 1 : 26 + column;
        grid.Captions[i] = captions[i];
        grid.SecondCaptions[i] = "SS0" + std::to_string(id);
    }
    grid.CellStates[6] = 1;
    grid.CellStates[17] = 1;
    grid.ConstructLayout();
    Gtk::EventBox screen;
    screen.modify_bg(Gtk::STATE_NORMAL, Gdk::Color("black"));
    screen.set_size_request(790, 370);
    Gtk::Fixed fixed;
    fixed.put(grid, 0, 0);
    screen.add(fixed);
    EXPECT_TRUE(testsupport::SnapshotWidget(screen, 790, 370, "renders/CompButtonGrid.png"));
    fixed.remove(grid);
}

// The password screen's keypad with the cursor on key 5.
TEST(GridRender, Keypad)
{
    testsupport::InitToolkit();
    CompRectangleGrid keypad;
    keypad.Rows = 4;
    keypad.Columns = 3;
    keypad.RowSpacing = 5;
    keypad.ColumnSpacing = 15;
    keypad.CellWidth = 50;
    keypad.CellHeight = 40;
    keypad.ShowBorder = 1;
    keypad.BorderWidth = 0;
    const char* texts[12] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "CLR", "0", "OK"};
    for (int i = 0; i < 12; ++i)
        keypad.CellTexts[i] = texts[i];
    keypad.ConstructLayout();
    keypad.BorderWidth = 3;
    keypad.SelectPasswordValue(5);
    Gtk::EventBox page;
    page.modify_bg(Gtk::STATE_NORMAL, Gdk::Color("#212121"));
    page.add(keypad);
    EXPECT_TRUE(testsupport::SnapshotWidget(page, 200, 190, "renders/CompRectangleGrid.png"));
    page.remove();
}

}  // namespace
