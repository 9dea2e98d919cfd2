// Screen 14: the locomotive type and the number the vehicle reports, and
// the entry of a new locomotive number on the keypad. The number goes out
// on port 301 word 8, so only 0 to 65535 is accepted.
#ifndef CABDISPLAY_SETTINGS_LOCONUMNER_H
#define CABDISPLAY_SETTINGS_LOCONUMNER_H

#include "CompRectangleGrid.h"
#include "CompSingleVal.h"

#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/label.h>

#include <cstdint>
#include <sstream>

class LocoNumner : public Gtk::Fixed {
public:
    // Largest number port 301 word 8 carries.
    static constexpr std::uint32_t kLargestNumber = 0xFFFFu;

    LocoNumner();
    virtual ~LocoNumner();

    void ConstructLayout();
    // Refresh: the "Loco Number" row shows the number the vehicle reports.
    void UpdateDpwcsConfigurationScreen();
    // Starts an edit (menu key).
    void SelectPassword(short code);
    void selectionChange(short code);
    // Acts on the selected cell only while the edit state is 2.
    void pressEnter(int* editState);
    // 1: back to the value box; 3: the Confirm step commits the number
    // (one past 65535 is refused) and ends the edit.
    void boxSelection(short code);
    // Ends the edit without a number.
    void pressCancel(short code);
    void boxDisplay();
    // A new visit to the screen: an entry left latched past 65535 by an
    // abandoned edit is dropped, and "Confirm" is white again.
    void clearOverRange();

    CompRectangleGrid m_Keypad;
    std::int16_t m_SelectedCell = 1;
    std::int16_t m_PreviousCell = 0;
    std::uint32_t m_EnteredNumber = 0;
    // Set once the typed number passed 65535; cleared by CLR, Cancel, OK, the
    // Confirm step and a new visit.
    bool m_OverRange = false;
    std::int32_t m_NumberConfirmed = 0;
    CompSingleVal m_LocoTypeRow;
    CompSingleVal m_LocoNumberRow;
    CompRectangleGrid m_TitleTile;
    Gtk::EventBox m_ValueBox;
    Gtk::Label m_ValueLabel;
    Gtk::EventBox m_MessageBox;
    Gtk::Label m_MessageLabel;
    Gtk::EventBox m_HelpBox;
    Gtk::Label m_HelpLabel;
    std::stringstream m_NumberStream;
    std::stringstream m_UpdateStream;

private:
    bool NumberSendable() const { return !m_OverRange && m_EnteredNumber <= kLargestNumber; }
    void Confirm();
    void DropEntry();
};

#endif
