// Screen 10: BL key and control electronics relay lamps, the tractive and
// electric brake effort bars, transformer oil, converter coolant and
// simulated temperatures of both bogies, and the six motor temperatures.
#ifndef CABDISPLAY_SCREENS_STATUS_TEMPERATURES_H
#define CABDISPLAY_SCREENS_STATUS_TEMPERATURES_H

#include "StatusFrame.h"

class Temperatures : public Gtk::VBox {
public:
    Temperatures();
    virtual ~Temperatures();

    void ConstructLayout();
    void UpdateTemperatureScreen();

    static const statusframe::LampSpec kLampTable[2];
    static const statusframe::PairSpec<float> kPairTable[3];

    CompBoolValRect m_LampRows[2];
    CompProgressBarHolder m_TractionBarRows[2];
    CompProgressBarHolder m_BrakeBarRows[2];
    CompDualVal m_PairRows[3];
    CompValueIndicator m_MotorRow;

    std::stringstream m_Stream;
    statusframe::Cache<unsigned short> m_LampCaches[2];
    statusframe::BarCache<unsigned short> m_TractionBarCaches[2];
    statusframe::BarCache<unsigned short> m_BrakeBarCaches[2];
    std::array<statusframe::Cache<float>, 2> m_PairCaches[3];
    std::array<statusframe::Cache<float>, 6> m_MotorCaches;
};

#endif
