#include "LocoNumner.h"

#include "CompSupport.h"
#include "KeypadEntry.h"
#include "ReadMVBData.h"
#include "SettingsWidgets.h"

using namespace settingsui;

namespace {

void BuildRow(CompSingleVal& row, const char* caption, const char* value)
{
    row.CaptionText = caption;
    row.ValueText = value;
    // 3-pixel gaps keep the row (582 wide at x 10) within the page's 592.
    row.Spacing = 3;
    row.ConstructLayout();
}

}  // namespace

LocoNumner::LocoNumner()
{
    ConstructLayout();
}

LocoNumner::~LocoNumner() = default;

void LocoNumner::ConstructLayout()
{
    m_PreviousCell = 0;
    m_SelectedCell = 1;
    m_EnteredNumber = 0;
    m_OverRange = false;
    m_NumberConfirmed = 0;

    BuildRow(m_LocoTypeRow, "LocoType", "WAG-9");
    put(m_LocoTypeRow, 10, 5);
    BuildRow(m_LocoNumberRow, "Loco Number", "00000");
    put(m_LocoNumberRow, 10, 24);
    BuildTitleTile(m_TitleTile, "Enter New Loco Number", 180);
    put(m_TitleTile, 20, 70);
    BuildNumberBox(m_ValueBox, m_ValueLabel, Format(m_NumberStream, m_EnteredNumber), 170);
    put(m_ValueBox, 205, 70);
    BuildMessageBox(m_MessageBox, m_MessageLabel, "Confirm", 130, 30);
    put(m_MessageBox, 150, 130);

    m_HelpLabel.set_text("Press Menu key-> press Enter key->Select \nLoconumber->press Enter for every\n"
                         "select number->Press Ok");
    SetForeground(m_HelpLabel, "black");
    SetFont(m_HelpLabel, 12, false);
    // Drawn smaller where the theme's font would run under the keypad.
    FitFont(m_HelpLabel, 12, 350, 60, false);
    m_HelpBox.add(m_HelpLabel);
    m_HelpBox.set_size_request(350, 60);
    put(m_HelpBox, 40, 200);

    keypad::Configure(m_Keypad, "CLR");
    put(m_Keypad, 400, 70);
    show_all_children(true);
}

void LocoNumner::UpdateDpwcsConfigurationScreen()
{
    compsupport::ShowText(m_LocoNumberRow.ValueLabel, Format(m_UpdateStream, ReadMVBData::getInstance()->LocoNumber));
}

void LocoNumner::SelectPassword(short)
{
    keypad::StartEntry(m_SelectedCell, m_PreviousCell, m_NumberConfirmed, m_ValueBox, m_MessageLabel);
}

void LocoNumner::selectionChange(short code)
{
    keypad::SelectionChange(m_Keypad, m_SelectedCell, m_PreviousCell, code, m_NumberConfirmed > 0);
}

void LocoNumner::pressEnter(int* editState)
{
    if (editState && *editState == 2) {
        if (m_SelectedCell == keypad::kOkCell) {
            Confirm();
            keypad::ClearHighlight(m_Keypad, m_SelectedCell, m_PreviousCell);
            MarkBox(m_ValueBox, "black");
        } else {
            keypad::ApplyCell(m_SelectedCell, m_EnteredNumber, m_OverRange, kLargestNumber);
        }
    }
    boxDisplay();
}

// OK and the Confirm step end the edit whether or not the number can be
// sent: a number past 65535 leaves the bus as it is, turns "Confirm" red
// and is dropped, so the next edit starts from an empty entry.
void LocoNumner::Confirm()
{
    m_NumberConfirmed = 1;
    if (NumberSendable()) {
        PaintText(m_MessageLabel, kOrange);
        ReadMVBData::getInstance()->EnteredLocoNumber = m_EnteredNumber;
        return;
    }
    PaintText(m_MessageLabel, kRed);
    DropEntry();
}

void LocoNumner::DropEntry()
{
    m_EnteredNumber = 0;
    m_OverRange = false;
}

void LocoNumner::clearOverRange()
{
    if (!m_OverRange)
        return;
    DropEntry();
    PaintText(m_MessageLabel, kWhite);
    boxDisplay();
}

void LocoNumner::boxSelection(short code)
{
    keypad::ClearSelected(m_Keypad, m_SelectedCell, m_PreviousCell);
    if (code == 1) {
        SetBackground(m_ValueBox, "black");
        m_ValueBox.queue_draw();
    } else if (code == 3) {
        Confirm();
    }
}

void LocoNumner::pressCancel(short)
{
    m_NumberConfirmed = 1;
    DropEntry();
    keypad::ClearHighlight(m_Keypad, m_SelectedCell, m_PreviousCell);
    MarkBox(m_ValueBox, "black");
    boxDisplay();
}

void LocoNumner::boxDisplay()
{
    m_ValueLabel.set_text(" ");
    if (m_EnteredNumber != 0 && NumberSendable())
        m_ValueLabel.set_text(Format(m_NumberStream, m_EnteredNumber));
}
