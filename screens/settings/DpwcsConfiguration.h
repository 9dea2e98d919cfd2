// Distributed-power configuration page: the numbers of the master and two
// slave locomotives, typed on the keypad ("BACK" clears). Built with the
// main layout but never shown; the numbers stay on the page.
#ifndef CABDISPLAY_SETTINGS_DPWCSCONFIGURATION_H
#define CABDISPLAY_SETTINGS_DPWCSCONFIGURATION_H

#include "CompRectangleGrid.h"

#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/label.h>

#include <array>
#include <cstdint>
#include <sstream>

class DpwcsConfiguration : public Gtk::Fixed {
public:
    DpwcsConfiguration();
    virtual ~DpwcsConfiguration();

    void ConstructLayout();
    void SelectPassword(short code);
    void selectionChange(short code);
    // Edit states: 1/2 master chosen/typing, 3/4 slave 1, 5/6 slave 2.
    void pressEnter(int* editState);
    void boxDisplay();
    void boxSelection(short state);
    void UpdateDpwcsConfigurationScreen();

    std::int16_t m_PreviousCell;
    std::int16_t m_SelectedCell;
    std::uint16_t m_MasterNumber;
    std::uint16_t m_SlaveLoco1Number;
    std::uint16_t m_SlaveLoco2Number;
    std::stringstream m_NumberStream;
    Gtk::EventBox m_MasterValueBox;
    Gtk::EventBox m_SlaveLoco1ValueBox;
    Gtk::EventBox m_SlaveLoco2ValueBox;
    Gtk::EventBox m_MessageBox;
    Gtk::Label m_MasterValueLabel;
    Gtk::Label m_SlaveLoco1ValueLabel;
    Gtk::Label m_SlaveLoco2ValueLabel;
    CompRectangleGrid m_MasterTitleTile;
    CompRectangleGrid m_SlaveLoco1TitleTile;
    CompRectangleGrid m_SlaveLoco2TitleTile;
    CompRectangleGrid m_Keypad;
    Gtk::Label m_MessageLabel;

private:
    // One of the three numbers with its widgets; the edit state that types
    // into it (the chosen-box state is one less).
    struct NumberSlot {
        CompRectangleGrid& title;
        Gtk::EventBox& box;
        Gtk::Label& label;
        std::uint16_t& number;
        const char* titleText;
        int titleY;
        int boxY;
        int typingState;
    };
    std::array<NumberSlot, 3> Slots();
};

#endif
