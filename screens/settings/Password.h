// Screen 18: the access code that unlocks motor isolation and wheel
// diameters, typed on the keypad and confirmed with OK.
#ifndef CABDISPLAY_SETTINGS_PASSWORD_H
#define CABDISPLAY_SETTINGS_PASSWORD_H

#include "CompRectangleGrid.h"

#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/label.h>
#include <sigc++/sigc++.h>

#include <cstdint>
#include <sstream>

class Password : public Gtk::Fixed {
public:
    static constexpr std::uint16_t kAccessCode = 8316;

    Password();
    virtual ~Password();

    void ConstructLayout();
    // Re-arms the entry: cell 1, white value box, not done.
    void SelectPassword(short code);
    // Empties the entry; called on every switch to this screen.
    void clearPassword();
    void selectionChange(short code);
    // Acts on the selected cell; the edit state is not read.
    void pressEnter(int* editState);
    void boxDisplay();

    CompRectangleGrid m_Keypad;
    std::int16_t m_SelectedCell = 1;
    std::int16_t m_PreviousCell = 0;
    std::uint16_t m_EnteredNumber = 0;
    // Set once the typed number passed 65535; cleared by CLR and a new visit.
    bool m_OverRange = false;
    std::int32_t m_EntryDone = 0;
    CompRectangleGrid m_TitleTile;
    Gtk::EventBox m_ValueBox;
    Gtk::Label m_ValueLabel;
    Gtk::EventBox m_MessageBox;
    Gtk::Label m_MessageLabel;
    std::stringstream m_NumberStream;
    sigc::signal<void> m_PasswordSignal;

private:
    void CheckCode();
};

#endif
