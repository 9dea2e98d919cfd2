// Screen 8: pantographs, brake and vigilance lamps, electric brake effort,
// pneumatic brake demand and brake pipe pressure bars, the two compressors.
#ifndef CABDISPLAY_SCREENS_STATUS_BRAKINGSYSTEM_H
#define CABDISPLAY_SCREENS_STATUS_BRAKINGSYSTEM_H

#include "StatusFrame.h"

class BrakingSystem : public Gtk::VBox, public statusframe::ScreenPictures {
public:
    BrakingSystem();
    virtual ~BrakingSystem();

    void ConstructLayout();
    void UpdateBrakingSystemScreen();

    static const statusframe::LampSpec kLampTable[7];
    static const statusframe::BarSpec<float> kPneumaticBar;
    static const statusframe::PairSpec<unsigned short> kCompressors;

    CompBoolValRect m_PantoRows[2];
    CompBoolValRect m_LampRows[7];
    CompProgressBarHolder m_EffortBarRows[2];
    CompProgressBarHolder m_PneumaticRow;
    CompProgressBarHolder m_BrakePipeRow;
    CompDualVal m_CompressorRow;

    std::stringstream m_Stream;
    statusframe::Cache<unsigned short> m_PantoCaches[2];
    statusframe::Cache<unsigned short> m_LampCaches[7];
    statusframe::BarCache<unsigned short> m_EffortBarCaches[2];
    statusframe::BarCache<float> m_PneumaticCache;
    statusframe::BarCache<float> m_BrakePipeCache;
    std::array<statusframe::Cache<unsigned short>, 2> m_CompressorCaches;
};

#endif
