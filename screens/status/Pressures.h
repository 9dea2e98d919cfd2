// Screen 11: BL key lamp, converter and transformer oil pressures of the two
// converter groups, and the brake pipe pressure bar.
#ifndef CABDISPLAY_SCREENS_STATUS_PRESSURES_H
#define CABDISPLAY_SCREENS_STATUS_PRESSURES_H

#include "StatusFrame.h"

class Pressures : public Gtk::VBox {
public:
    Pressures();
    virtual ~Pressures();

    void ConstructLayout();
    void UpdatePressureScreen();

    static const statusframe::LampSpec kBlKey[1];
    static const statusframe::PairSpec<float> kPairTable[2];  // row order: transformer, converter

    CompBoolValRect m_LampRow[1];
    CompDualVal m_PairRows[2];
    CompProgressBarHolder m_BarRow;
    std::stringstream m_Stream;
    statusframe::Cache<unsigned short> m_LampCache[1];
    std::array<statusframe::Cache<float>, 2> m_PairCaches[2];
    statusframe::BarCache<float> m_BarCache;
};

#endif
