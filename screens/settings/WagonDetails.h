// Distributed-power wagon details page: wagons of each type between the
// locomotives of the train, and the two brake vans; a cell is redrawn only
// when its value changed.
#ifndef CABDISPLAY_SETTINGS_WAGONDETAILS_H
#define CABDISPLAY_SETTINGS_WAGONDETAILS_H

#include "CompRectangleGrid.h"

#include <gtkmm/fixed.h>

#include <cstdint>
#include <optional>
#include <sstream>

class WagonDetails : public Gtk::Fixed {
public:
    static constexpr int kValues = 32;

    WagonDetails();
    virtual ~WagonDetails();

    void ConstructLayout();
    void UpdateWagonDetailsScreen();

    std::stringstream m_ValueStream;
    CompRectangleGrid m_HeadingGrid;
    CompRectangleGrid m_WagonGrid;
    CompRectangleGrid m_BrakeVanGrid;
    // Value last drawn per entry; empty until first drawn.
    std::optional<std::uint16_t> m_ValueCaches[kValues];
};

#endif
