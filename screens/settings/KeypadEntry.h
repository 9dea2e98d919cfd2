// The 4 x 3 digit keypad of the password, locomotive number and
// distributed-power configuration screens: cells 1..9 are their digits,
// 10 clears ("CLR" / "BACK"), 11 is "0", 12 is "OK". The arrow keys move a
// framed selection with wrap-around; Enter acts on the selected cell.
#ifndef CABDISPLAY_SETTINGS_KEYPADENTRY_H
#define CABDISPLAY_SETTINGS_KEYPADENTRY_H

#include <cstdint>
#include <string>

#include "KeyCodes.h"

class CompRectangleGrid;
namespace Gtk {
class EventBox;
class Label;
}  // namespace Gtk

namespace keypad {

constexpr std::int16_t kFirstCell = 1;
constexpr std::int16_t kLastCell = 12;
constexpr std::int16_t kClearCell = 10;
constexpr std::int16_t kZeroCell = 11;
constexpr std::int16_t kOkCell = 12;

inline bool InRange(std::int16_t cell) { return cell >= kFirstCell && cell <= kLastCell; }

struct Selection {
    std::int16_t selected;
    std::int16_t previous;
};

// One selection move, without widgets: the previous cell takes the selected
// one (both 1 when out of range); unless frozen, up/down/left/right move with
// wrap and any other code selects cell 1.
Selection Move(Selection current, short code, bool frozen);

// Sets the grid up as the keypad (cell 10 reads clearText) and builds it.
void Configure(CompRectangleGrid& grid, const std::string& clearText);

// Takes the frame off the previous cell and frames the selected one.
void MoveHighlight(CompRectangleGrid& grid, std::int16_t previous, std::int16_t selected);
// The whole move: Move, then MoveHighlight.
void SelectionChange(CompRectangleGrid& grid, std::int16_t& selected, std::int16_t& previous,
                     short code, bool frozen);
// No frame on the previous and the selected cell (both 1 when out of range).
void ClearHighlight(CompRectangleGrid& grid, std::int16_t& selected, std::int16_t& previous);
// No frame on the selected cell (both 1 when out of range).
void ClearSelected(CompRectangleGrid& grid, std::int16_t& selected, std::int16_t& previous);

// Starts an entry (the menu-key step of the password and locomotive number
// screens): cell 1 selected without redrawing the frame, the value box white
// with a 1-pixel border, the done flag clear, the message white.
void StartEntry(std::int16_t& selected, std::int16_t& previous, std::int32_t& done, Gtk::EventBox& valueBox,
                Gtk::Label& message);

// Digit rules: cells 1..9 append their digit, 11 appends 0, 10 clears.
// Returns false for OK and any other cell, which change nothing here.
//
// Latched entry: a number that would pass `largest` sets the over-range latch
// and the number 0; a latched entry takes no further digit until cleared.
bool ApplyCell(std::int16_t cell, std::uint32_t& number, bool& overRange, std::uint32_t largest);
// Plain 16-bit entry: wraps modulo 65536.
bool ApplyCell(std::int16_t cell, std::uint16_t& number);

}  // namespace keypad

#endif
