#include "DpwcsConfiguration.h"

#include "KeypadEntry.h"
#include "SettingsWidgets.h"

using namespace settingsui;

std::array<DpwcsConfiguration::NumberSlot, 3> DpwcsConfiguration::Slots()
{
    return {{{m_MasterTitleTile, m_MasterValueBox, m_MasterValueLabel, m_MasterNumber, "Master loco", 9, 9, 2},
             {m_SlaveLoco1TitleTile, m_SlaveLoco1ValueBox, m_SlaveLoco1ValueLabel, m_SlaveLoco1Number,
              "Slave loco 1", 60, 60, 4},
             {m_SlaveLoco2TitleTile, m_SlaveLoco2ValueBox, m_SlaveLoco2ValueLabel, m_SlaveLoco2Number,
              "Slave loco 2", 111, 110, 6}}};
}

DpwcsConfiguration::DpwcsConfiguration()
{
    ConstructLayout();
}

DpwcsConfiguration::~DpwcsConfiguration() = default;

void DpwcsConfiguration::ConstructLayout()
{
    m_PreviousCell = 0;
    m_SelectedCell = 1;
    m_MasterNumber = m_SlaveLoco1Number = m_SlaveLoco2Number = 0;
    auto slots = Slots();
    for (NumberSlot& slot : slots) {
        BuildTitleTile(slot.title, slot.titleText, 150);
        put(slot.title, 20, slot.titleY);
    }
    for (NumberSlot& slot : slots) {
        BuildNumberBox(slot.box, slot.label, "", 140);
        put(slot.box, 180, slot.boxY);
    }
    BuildMessageBox(m_MessageBox, m_MessageLabel, "Confirm", 130, 30);
    put(m_MessageBox, 150, 235);
    keypad::Configure(m_Keypad, "BACK");
    put(m_Keypad, 400, 70);
    show_all_children(true);
}

void DpwcsConfiguration::SelectPassword(short)
{
    m_PreviousCell = m_SelectedCell = 1;
    MarkBox(m_MasterValueBox, "black");
}

void DpwcsConfiguration::selectionChange(short code)
{
    keypad::SelectionChange(m_Keypad, m_SelectedCell, m_PreviousCell, code, false);
}

void DpwcsConfiguration::pressEnter(int* editState)
{
    if (editState) {
        const std::int16_t state = static_cast<std::int16_t>(*editState);
        auto slots = Slots();
        for (NumberSlot& slot : slots) {
            if (state != slot.typingState)
                continue;
            if (m_SelectedCell == keypad::kOkCell) {
                *editState = slot.typingState - 1;
                boxSelection(slot.typingState);
            } else {
                keypad::ApplyCell(m_SelectedCell, slot.number);
            }
            break;
        }
    }
    boxDisplay();
}

void DpwcsConfiguration::boxDisplay()
{
    auto slots = Slots();
    for (NumberSlot& slot : slots)
        slot.label.set_text(" ");
    for (NumberSlot& slot : slots)
        slot.label.set_text(slot.number != 0 ? Format(m_NumberStream, slot.number) : std::string(" "));
}

void DpwcsConfiguration::boxSelection(short state)
{
    keypad::ClearSelected(m_Keypad, m_SelectedCell, m_PreviousCell);
    auto slots = Slots();
    bool chosen = false;
    for (NumberSlot& slot : slots)
        chosen = chosen || state == slot.typingState - 1;
    if (!chosen)
        return;
    for (NumberSlot& slot : slots) {
        SetBackground(slot.box, state == slot.typingState - 1 ? "black" : "white");
        slot.box.queue_draw();
    }
}

void DpwcsConfiguration::UpdateDpwcsConfigurationScreen() {}
