// Distributed-power overview page: twelve column headings over five rows of
// twelve values, one row per remote locomotive.
#ifndef CABDISPLAY_SETTINGS_DPWCSOVERVIEW_H
#define CABDISPLAY_SETTINGS_DPWCSOVERVIEW_H

#include "CompRectangleGrid.h"

#include <gtkmm/fixed.h>

#include <sstream>

class DpwcsOverview : public Gtk::Fixed {
public:
    static constexpr int kValues = 60;

    DpwcsOverview();
    virtual ~DpwcsOverview();

    void ConstructLayout();
    // Sets all 60 value cells, changed or not.
    void UpdateDpwcsOverviewScreen();

    CompRectangleGrid m_HeadingGrid;
    CompRectangleGrid m_ValueGrid;
    std::stringstream m_ValueStream;
};

#endif
