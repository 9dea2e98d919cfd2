// Distributed-power locomotive selection page: the master tile, four slave
// tiles and a "Confirm" box; the tiles follow the store's role names.
#ifndef CABDISPLAY_SETTINGS_DPWCSSELECTLOCO_H
#define CABDISPLAY_SETTINGS_DPWCSSELECTLOCO_H

#include "CompRectangleGrid.h"

#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/label.h>

#include <string>

class DpwcsSelectLoco : public Gtk::Fixed {
public:
    static constexpr int kRoles = 5;

    DpwcsSelectLoco();
    virtual ~DpwcsSelectLoco();

    void ConstructLayout();
    // Redraws the tiles whose role name changed.
    void UpdateDpwcsSelectLocoScreen();

    Gtk::EventBox m_MessageBox;
    Gtk::Label m_MessageLabel;
    CompRectangleGrid m_MasterGrid;
    CompRectangleGrid m_SlaveGrid;
    std::string m_RoleNameCache[kRoles];
};

#endif
