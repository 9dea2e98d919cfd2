#include "Password.h"

#include "KeypadEntry.h"
#include "ReadMVBData.h"
#include "SettingsWidgets.h"

using namespace settingsui;

Password::Password()
{
    ConstructLayout();
}

Password::~Password() = default;

void Password::ConstructLayout()
{
    m_PreviousCell = 0;
    m_SelectedCell = 1;
    m_EnteredNumber = 0;
    m_OverRange = false;
    m_EntryDone = 0;

    BuildTitleTile(m_TitleTile, "Enter PASSWORD", 180);
    put(m_TitleTile, 405, 5);
    BuildNumberBox(m_ValueBox, m_ValueLabel, Format(m_NumberStream, m_EnteredNumber), 170);
    put(m_ValueBox, 405, 50);
    BuildMessageBox(m_MessageBox, m_MessageLabel, "Enter Password", 130, 30);
    put(m_MessageBox, 150, 235);
    keypad::Configure(m_Keypad, "CLR");
    put(m_Keypad, 400, 95);

    show_all_children(true);
    SelectPassword(1);
}

void Password::SelectPassword(short)
{
    keypad::StartEntry(m_SelectedCell, m_PreviousCell, m_EntryDone, m_ValueBox, m_MessageLabel);
}

void Password::clearPassword()
{
    m_ValueLabel.set_text(" ");
    m_EnteredNumber = 0;
    m_OverRange = false;
    ReadMVBData::getInstance()->EnteredPassword = 0;
    m_EntryDone = 0;
    m_SelectedCell = 1;
    keypad::MoveHighlight(m_Keypad, m_PreviousCell, m_SelectedCell);
    SelectPassword(1);
}

void Password::selectionChange(short code)
{
    keypad::SelectionChange(m_Keypad, m_SelectedCell, m_PreviousCell, code, m_EntryDone > 0);
}

void Password::pressEnter(int*)
{
    if (m_SelectedCell == keypad::kOkCell) {
        CheckCode();
    } else {
        std::uint32_t number = m_EnteredNumber;
        keypad::ApplyCell(m_SelectedCell, number, m_OverRange, 0xFFFFu);
        m_EnteredNumber = static_cast<std::uint16_t>(number);
    }
    boxDisplay();
}

// OK: only the number typed, in range, unlocks; the main layout returns to
// the asking screen either way.
void Password::CheckCode()
{
    PaintText(m_MessageLabel, kOrange);
    m_EntryDone = 1;
    ReadMVBData* store = ReadMVBData::getInstance();
    store->EnteredPassword = m_EnteredNumber;
    const bool unlocked = !m_OverRange && store->EnteredPassword == kAccessCode;
    store->PasswordUnlocked = unlocked ? 1 : 0;
    m_MessageLabel.set_text(unlocked ? "UNLOCKED..." : "Incorrect Password");
    keypad::ClearHighlight(m_Keypad, m_SelectedCell, m_PreviousCell);
    m_SelectedCell = m_PreviousCell = 1;
}

void Password::boxDisplay()
{
    m_ValueLabel.set_text(" ");
    if (m_EnteredNumber != 0 && !m_OverRange)
        m_ValueLabel.set_text(Format(m_NumberStream, m_EnteredNumber));
}
