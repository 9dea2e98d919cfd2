// Screen 7: pantographs, cooling mode lamp, auxiliary winding voltage bar and
// the circuit breakers of the auxiliary machines for the two halves of the
// locomotive (columns HB-1 and HB-2), each breaker cell drawn on its own.
#ifndef CABDISPLAY_SCREENS_STATUS_AUXILIARYSYSTEM_H
#define CABDISPLAY_SCREENS_STATUS_AUXILIARYSYSTEM_H

#include "StatusFrame.h"

class AuxiliarySystem : public Gtk::VBox, public statusframe::ScreenPictures {
public:
    AuxiliarySystem();
    virtual ~AuxiliarySystem();

    void ConstructLayout();
    void UpdateAuxiliarySystemScreen();

    static constexpr int kBreakerRows = 7;   // two bytes of CircuitBreakerStates each
    static constexpr int kBreakerCells = 2 * kBreakerRows;
    static const statusframe::BarSpec<float> kBar;
    static const char* const kBreakerCaptions[kBreakerRows];
    // Breaker bytes in update order.
    static const int kBreakerOrder[kBreakerCells];

    CompBoolValRect m_PantoRows[2];
    CompBoolValRect m_CoolingRow;  // never updated: stays off
    CompProgressBarHolder m_BarRow;
    CompDualVal m_HeadingRow;
    CompDualVal m_BreakerRows[kBreakerRows];
    CompDualVal m_CompressorRow;

    std::stringstream m_Stream;
    statusframe::Cache<unsigned short> m_PantoCaches[2];
    statusframe::BarCache<float> m_BarCache;
    statusframe::Cache<unsigned char> m_BreakerCaches[kBreakerCells];
    statusframe::Cache<unsigned char> m_CompressorCaches[2];

private:
    void BreakerStep(const ReadMVBData& store, int byte);
    void CompressorStep(const ReadMVBData& store, int side);
};

#endif
