// Screen 9: motoring and regenerating energy for the trip and for the
// locomotive's life, and the trip reset: Enter counts the request up in the
// store (sent on the bus) and flashes the "ResetTrip" button for one update.
#ifndef CABDISPLAY_SCREENS_STATUS_ENERGYMONITORING_H
#define CABDISPLAY_SCREENS_STATUS_ENERGYMONITORING_H

#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>

#include "StatusFrame.h"

class EnergyMonitoring : public Gtk::Fixed {
public:
    EnergyMonitoring();
    virtual ~EnergyMonitoring();

    void ConstructLayout();
    void UpdateEnergyMonitoringScreen();
    // Key operation: KeyEnter requests a trip reset; other codes do nothing.
    void SelectPassword(short code);

    struct CounterRow {
        const char* caption;
        int y;
        statusframe::Field<unsigned int> field;
    };
    // Update order: trip motoring, trip regenerating, total motoring, total regenerating.
    static const CounterRow kCounterTable[4];

    CompSingleVal m_CounterRows[4];
    Gtk::Label m_TripHeading;
    Gtk::Label m_LifeHeading;
    Gtk::Label m_ResetLabel;
    Gtk::EventBox m_TripHeadingBox;
    Gtk::EventBox m_LifeHeadingBox;
    Gtk::EventBox m_ResetFrame;
    Gtk::EventBox m_ResetBox;
    std::stringstream m_Stream;
    // The counters are unsigned 32-bit and print as such.
    statusframe::Cache<unsigned int> m_CounterCaches[4];
    // 1 while a reset request waits to be shown.
    unsigned short m_ResetHighlight = 0;

private:
    void PlaceHeading(Gtk::EventBox& box, Gtk::Label& label, const char* text, int y);
};

#endif
