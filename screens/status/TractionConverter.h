// Screen 3: the pantographs and, for the two traction converters side by
// side, contactors and pulse enables as ON/OFF pictures, currents, voltages,
// oil pressure and temperature, then the three harmonic filter contactors.
#ifndef CABDISPLAY_SCREENS_STATUS_TRACTIONCONVERTER_H
#define CABDISPLAY_SCREENS_STATUS_TRACTIONCONVERTER_H

#include "StatusFrame.h"

class TractionConverter : public Gtk::VBox, public statusframe::ScreenPictures {
public:
    TractionConverter();
    virtual ~TractionConverter();

    void ConstructLayout();
    void UpdateTractionConverterScreen();

    // Two-cell rows in screen order: converter 1 left, converter 2 right.
    enum PairRow {
        kInputContactor, kPreCharge, kInputCurrents, kDcLinkVoltage, kPhaseCurrents,
        kOilPressure, kOilTemperature, kLinePulsing, kDrivePulsing, kPairRows
    };
    static const statusframe::PairSpec<unsigned short> kPictureTable[4];  // rows 4, 5, 11, 12
    static const statusframe::PairSpec<unsigned short> kCountTable[2];    // rows 6, 8
    static const statusframe::PairSpec<float> kFloatTable[3];             // rows 7, 9, 10
    static const statusframe::LampSpec kHarmonicTable[3];

    CompBoolValRect m_PantoRows[2];
    Gtk::HBox m_Spacer;
    CompDualVal m_PairRows[kPairRows];
    CompBoolValRect m_HarmonicRows[3];
    std::stringstream m_Stream;
    statusframe::Cache<unsigned short> m_PantoCaches[2];
    std::array<statusframe::Cache<unsigned short>, 2> m_PictureCaches[4];
    std::array<statusframe::Cache<unsigned short>, 2> m_CountCaches[2];
    std::array<statusframe::Cache<float>, 2> m_FloatCaches[3];
    statusframe::Cache<unsigned short> m_HarmonicCaches[3];
};

#endif
