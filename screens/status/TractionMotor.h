// Screen 6: tractive effort bars, wheel slip, DC link voltage of both bogies,
// the converter output phase currents and input contactors, and per motor
// (six motors, motor 1 leftmost) temperature, speed and effort values.
#ifndef CABDISPLAY_SCREENS_STATUS_TRACTIONMOTOR_H
#define CABDISPLAY_SCREENS_STATUS_TRACTIONMOTOR_H

#include "StatusFrame.h"

class TractionMotor : public Gtk::VBox, public statusframe::ScreenPictures {
public:
    TractionMotor();
    virtual ~TractionMotor();

    void ConstructLayout();
    void UpdateTractionMotorScreen();

    static constexpr std::size_t kMotors = 6;
    template <typename T>
    struct MotorSpec {
        const char* caption;
        const char* unit;
        std::array<T, kMotors> (*values)(const ReadMVBData&);
    };
    // Rows 12 to 15; row 12 takes motor 1 from its own field.
    enum EffortRow { kTeRef, kTeAct, kBeRef, kBeAct, kEffortRows };

    static const statusframe::LampSpec kWheelSlip[1];
    static const statusframe::PairSpec<float> kDcLinkPair;
    static const statusframe::PairSpec<unsigned short> kContactorPair;
    static const MotorSpec<float> kPhaseTable[3];
    static const MotorSpec<float> kTemperatureRow;
    static const MotorSpec<short> kSpeedRow;
    static const MotorSpec<unsigned short> kEffortTable[kEffortRows];

    CompProgressBarHolder m_BarRows[2];
    CompBoolValRect m_WheelSlipRow[1];
    CompDualVal m_HeadingRow;
    CompDualVal m_DcLinkRow;
    CompValueIndicator m_PhaseRows[3];
    CompDualVal m_ContactorRow;
    CompValueIndicator m_TemperatureRow;
    CompValueIndicator m_SpeedRow;
    CompValueIndicator m_EffortRows[kEffortRows];

    std::stringstream m_Stream;
    statusframe::BarCache<float> m_BarCaches[2];
    statusframe::Cache<unsigned short> m_WheelSlipCache[1];
    std::array<statusframe::Cache<float>, 2> m_DcLinkCaches;
    std::array<statusframe::Cache<unsigned short>, 2> m_ContactorCaches;
    std::array<statusframe::Cache<float>, kMotors> m_PhaseCaches[3];
    std::array<statusframe::Cache<float>, kMotors> m_TemperatureCaches;
    std::array<statusframe::Cache<short>, kMotors> m_SpeedCaches;
    std::array<statusframe::Cache<unsigned short>, kMotors> m_EffortCaches[kEffortRows];
};

#endif
