// Screen 2: the pantographs, the driver switches and protective relays of the
// high-voltage circuit as lamps, and five currents.
#ifndef CABDISPLAY_SCREENS_STATUS_HIGHVOLTAGECIRCUIT_H
#define CABDISPLAY_SCREENS_STATUS_HIGHVOLTAGECIRCUIT_H

#include "StatusFrame.h"

class HighVoltageCircuit : public Gtk::VBox, public statusframe::ScreenPictures {
public:
    HighVoltageCircuit();
    virtual ~HighVoltageCircuit();

    void ConstructLayout();
    void UpdateHighVoltageScreen();

    static const statusframe::LampSpec kLampTable[5];
    static const statusframe::ValueSpec<float> kCurrentTable[5];

    CompBoolValRect m_PantoRows[2];
    CompBoolValRect m_LampRows[5];
    CompSingleVal m_CurrentRows[5];
    std::stringstream m_Stream;
    statusframe::Cache<unsigned short> m_PantoCaches[2];
    statusframe::Cache<unsigned short> m_LampCaches[5];
    statusframe::Cache<float> m_CurrentCaches[5];
};

#endif
