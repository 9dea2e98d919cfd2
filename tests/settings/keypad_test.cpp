// The keypad's moves as a table without widgets, its digit rules with and
// without the over-range latch, and the frame on the three keypad screens.
#include "DpwcsConfiguration.h"
#include "KeypadEntry.h"
#include "SettingsFixture.h"

#include <gtest/gtest.h>

using namespace settingstest;

namespace {

// Expected cell after a move from each cell 1..12, per arrow.
struct MoveRow {
    short code;
    const char* name;
    std::int16_t after[12];
};

const MoveRow kMoves[] = {
    {KeyUp, "up", {10, 11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    {KeyDown, "down", {4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3}},
    {KeyLeft, "left", {12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    {KeyRight, "right", {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1}},
};

TEST(KeypadMoves, EveryCellAndArrowWithWrap)
{
    for (const MoveRow& row : kMoves)
        for (std::int16_t cell = 1; cell <= 12; ++cell) {
            SCOPED_TRACE(std::string(row.name) + " from " + std::to_string(cell));
            const keypad::Selection next = keypad::Move({cell, 7}, row.code, false);
            EXPECT_EQ(next.selected, row.after[cell - 1]);
            EXPECT_EQ(next.previous, cell);
        }
}

TEST(KeypadMoves, OtherCodesSelectCellOneUnlessFrozen)
{
    for (short code : {0, 3, 4, 5, 8, -1}) {
        SCOPED_TRACE(code);
        const keypad::Selection moved = keypad::Move({9, 2}, code, false);
        EXPECT_EQ(moved.selected, 1);
        EXPECT_EQ(moved.previous, 1);
        const keypad::Selection frozen = keypad::Move({9, 2}, code, true);
        EXPECT_EQ(frozen.selected, 9);
        EXPECT_EQ(frozen.previous, 9);
    }
}

TEST(KeypadMoves, FrozenArrowsStayAndOutOfRangeRestartsAtCellOne)
{
    for (const MoveRow& row : kMoves) {
        const keypad::Selection frozen = keypad::Move({5, 1}, row.code, true);
        EXPECT_EQ(frozen.selected, 5) << row.name;
        EXPECT_EQ(frozen.previous, 5) << row.name;
        for (std::int16_t bad : {0, 13, -4}) {
            const keypad::Selection next = keypad::Move({bad, 3}, row.code, false);
            EXPECT_EQ(next.previous, 1) << row.name << " from " << bad;
            EXPECT_EQ(next.selected, row.after[0]) << row.name << " from " << bad;
        }
    }
}

struct DigitCase {
    const char* name;
    std::uint32_t start;
    bool latched;
    std::int16_t cell;
    std::uint32_t largest;
    std::uint32_t number;
    bool overRange;
    bool applied;
};

const DigitCase kDigits[] = {
    {"digit appends", 70, false, 3, 65535, 703, false, true},
    {"zero cell appends 0", 12, false, 11, 65535, 120, false, true},
    {"zero on zero stays zero", 0, false, 11, 65535, 0, false, true},
    {"clear empties", 4711, false, 10, 65535, 0, false, true},
    {"clear ends the latch", 0, true, 10, 65535, 0, false, true},
    {"largest still in range", 6553, false, 5, 65535, 65535, false, true},
    {"one past the largest latches", 6553, false, 6, 65535, 0, true, true},
    {"latched takes no digit", 0, true, 8, 65535, 0, true, true},
    {"ten digits do not wrap into range", 429496729, false, 7, 65535, 0, true, true},
    {"ok is left to the screen", 42, false, 12, 65535, 42, false, false},
    {"no cell", 42, false, 0, 65535, 42, false, false},
};

TEST(KeypadDigits, LatchedEntryTable)
{
    for (const DigitCase& c : kDigits) {
        SCOPED_TRACE(c.name);
        std::uint32_t number = c.start;
        bool overRange = c.latched;
        EXPECT_EQ(keypad::ApplyCell(c.cell, number, overRange, c.largest), c.applied);
        EXPECT_EQ(number, c.number);
        EXPECT_EQ(overRange, c.overRange);
    }
}

TEST(KeypadDigits, PlainEntryWrapsAtSixteenBits)
{
    std::uint16_t number = 0;
    for (std::int16_t cell : {7, 11, 11, 11, 11}) keypad::ApplyCell(cell, number);
    EXPECT_EQ(number, 4464);   // 70000 modulo 65536
    EXPECT_TRUE(keypad::ApplyCell(10, number));
    EXPECT_EQ(number, 0);
    EXPECT_FALSE(keypad::ApplyCell(12, number));
}

// The frame follows the selection on the keypad screens.
class KeypadFrame : public SettingsTest {
protected:
    static std::vector<int> Frames(CompRectangleGrid& grid)
    {
        std::vector<int> frames;
        for (auto& row : grid.CellBoxes)
            for (Gtk::EventBox* box : row) frames.push_back(int(box->get_border_width()));
        return frames;
    }
    static std::vector<int> FrameOn(int cell)
    {
        std::vector<int> frames(12, 0);
        if (cell > 0) frames[cell - 1] = 3;
        return frames;
    }
};

TEST_F(KeypadFrame, PasswordFrameMovesAndOkTakesItAway)
{
    Password built;
    EXPECT_EQ(Frames(built.m_Keypad), FrameOn(0)) << "no frame after construction";
    Run("go:15 E");
    EXPECT_EQ(Frames(PasswordEntry().m_Keypad), FrameOn(1)) << "entering the screen frames cell 1";
    Run("U");
    EXPECT_EQ(Frames(PasswordEntry().m_Keypad), FrameOn(10));
    Run("L L");
    EXPECT_EQ(Frames(PasswordEntry().m_Keypad), FrameOn(8));
    Run("D R");
    EXPECT_EQ(Frames(PasswordEntry().m_Keypad), FrameOn(12));
    Run("E");
    EXPECT_EQ(Frames(PasswordEntry().m_Keypad), FrameOn(0)) << "OK leaves no frame";
}

TEST_F(KeypadFrame, LocoNumberCancelBeforeAnyEditStaysInsideTheGrid)
{
    Run("go:14");
    EXPECT_EQ(Loco().m_PreviousCell, 0);
    Run("C");
    EXPECT_EQ(Frames(Loco().m_Keypad), FrameOn(0));
    EXPECT_EQ(Loco().m_PreviousCell, 1);
    EXPECT_EQ(LocoEdit(), 0);
    EXPECT_EQ(store().EventState, 2u);
}

TEST_F(KeypadFrame, LocoNumberDoneFlagFreezesTheFrameInPlace)
{
    Run("go:14 M E D R");
    EXPECT_EQ(Frames(Loco().m_Keypad), FrameOn(5));
    Loco().m_NumberConfirmed = 1;
    Loco().selectionChange(7);
    EXPECT_EQ(Loco().m_SelectedCell, 5);
    EXPECT_EQ(Frames(Loco().m_Keypad), FrameOn(5)) << "the same cell loses and regains its frame";
}

TEST_F(KeypadFrame, DistributedPowerKeypadAlwaysMovesAndReadsBack)
{
    DpwcsConfiguration page;
    EXPECT_EQ(page.m_Keypad.CellLabels[3][0]->get_text(), "BACK");
    EXPECT_EQ(page.m_Keypad.CellLabels[3][1]->get_text(), "0");
    EXPECT_EQ(Frames(page.m_Keypad), FrameOn(0));
    page.selectionChange(KeyUp);
    EXPECT_EQ(Frames(page.m_Keypad), FrameOn(10));
    page.pressEnter(nullptr);   // no edit state: nothing typed, nothing moved
    page.selectionChange(KeyRight);
    EXPECT_EQ(Frames(page.m_Keypad), FrameOn(11));
}

}  // namespace
