#include "KeypadEntry.h"

#include "CompRectangleGrid.h"
#include "SettingsWidgets.h"

#include <sstream>

namespace keypad {

namespace {

constexpr std::int16_t kColumns = 3;
constexpr float kFrame = 3.0f;

std::int16_t Moved(std::int16_t s, short code)
{
    switch (code) {
    case KeyUp: return s <= 3 ? s + 9 : s - 3;
    case KeyDown: return s <= 9 ? s + 3 : s - 9;
    case KeyLeft: return s <= 1 ? kLastCell : s - 1;
    case KeyRight: return s <= 11 ? s + 1 : kFirstCell;
    default: return kFirstCell;
    }
}

void ResetWhenOutOfRange(std::int16_t& selected, std::int16_t& previous)
{
    if (!InRange(selected) || !InRange(previous))
        selected = previous = kFirstCell;
}

// The digit a cell appends, or -1 when it appends none.
int DigitOf(std::int16_t cell)
{
    if (cell >= 1 && cell <= 9)
        return cell;
    return cell == kZeroCell ? 0 : -1;
}

}  // namespace

Selection Move(Selection current, short code, bool frozen)
{
    Selection next{current.selected, current.selected};
    if (!InRange(next.previous))
        next.selected = next.previous = kFirstCell;
    if (frozen)
        return next;
    next.selected = Moved(next.selected, code);
    if (code != KeyUp && code != KeyDown && code != KeyLeft && code != KeyRight)
        next.previous = kFirstCell;
    return next;
}

void Configure(CompRectangleGrid& grid, const std::string& clearText)
{
    grid.Rows = 4;
    grid.Columns = kColumns;
    grid.RowSpacing = 5;
    grid.ColumnSpacing = 15;
    grid.CellWidth = 50;
    grid.CellHeight = 40;
    grid.ShowBorder = 1;
    grid.BorderWidth = 0;
    std::stringstream digits;
    for (int digit = 1; digit <= 9; ++digit) {
        digits << digit;
        grid.CellTexts[digit - 1] = digits.str();
        digits.str("");
    }
    grid.CellTexts[kClearCell - 1] = clearText;
    grid.CellTexts[kZeroCell - 1] = "0";
    grid.CellTexts[kOkCell - 1] = "OK";
    grid.ConstructLayout();
}

void MoveHighlight(CompRectangleGrid& grid, std::int16_t previous, std::int16_t selected)
{
    grid.BorderWidth = 0;
    if (InRange(previous))
        grid.SelectPasswordValue(previous);
    grid.BorderWidth = kFrame;
    if (InRange(selected))
        grid.SelectPasswordValue(selected);
}

void SelectionChange(CompRectangleGrid& grid, std::int16_t& selected, std::int16_t& previous,
                     short code, bool frozen)
{
    const Selection next = Move({selected, previous}, code, frozen);
    selected = next.selected;
    previous = next.previous;
    MoveHighlight(grid, previous, selected);
}

void ClearHighlight(CompRectangleGrid& grid, std::int16_t& selected, std::int16_t& previous)
{
    ResetWhenOutOfRange(selected, previous);
    grid.BorderWidth = 0;
    grid.SelectPasswordValue(previous);
    grid.SelectPasswordValue(selected);
}

void ClearSelected(CompRectangleGrid& grid, std::int16_t& selected, std::int16_t& previous)
{
    if (!InRange(selected))
        selected = previous = kFirstCell;
    grid.BorderWidth = 0;
    grid.SelectPasswordValue(selected);
}

void StartEntry(std::int16_t& selected, std::int16_t& previous, std::int32_t& done, Gtk::EventBox& valueBox,
                Gtk::Label& message)
{
    previous = selected = kFirstCell;
    settingsui::MarkBox(valueBox, settingsui::kWhite);
    done = 0;
    settingsui::PaintText(message, settingsui::kWhite);
}

bool ApplyCell(std::int16_t cell, std::uint32_t& number, bool& overRange, std::uint32_t largest)
{
    if (cell == kClearCell) {
        number = 0;
        overRange = false;
        return true;
    }
    const int digit = DigitOf(cell);
    if (digit < 0)
        return false;
    if (overRange)
        return true;
    const std::uint64_t next = std::uint64_t(number) * 10u + std::uint64_t(digit);
    if (next > largest) {
        overRange = true;
        number = 0;
    } else {
        number = static_cast<std::uint32_t>(next);
    }
    return true;
}

bool ApplyCell(std::int16_t cell, std::uint16_t& number)
{
    if (cell == kClearCell) {
        number = 0;
        return true;
    }
    const int digit = DigitOf(cell);
    if (digit < 0)
        return false;
    number = static_cast<std::uint16_t>(number * 10u + unsigned(digit));
    return true;
}

}  // namespace keypad
