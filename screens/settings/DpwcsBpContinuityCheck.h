// Distributed-power brake-pipe continuity check page: three headings over
// five rows of three values.
#ifndef CABDISPLAY_SETTINGS_DPWCSBPCONTINUITYCHECK_H
#define CABDISPLAY_SETTINGS_DPWCSBPCONTINUITYCHECK_H

#include "CompRectangleGrid.h"

#include <gtkmm/fixed.h>

#include <sstream>

class DpwcsBpContinuityCheck : public Gtk::Fixed {
public:
    static constexpr int kValues = 15;

    DpwcsBpContinuityCheck();
    virtual ~DpwcsBpContinuityCheck();

    void ConstructLayout();
    // Sets all 15 value cells, changed or not.
    void UpdateDpwcsBpContinuityCheckScreen();

    CompRectangleGrid m_HeadingGrid;
    CompRectangleGrid m_ValueGrid;
    std::stringstream m_ValueStream;
};

#endif
