// Screen 4, the second traction converter page: under a Bogie1 / Bogie2
// heading the line converter currents and input power of both converters,
// then the ventilation demand of each bogie.
#ifndef CABDISPLAY_SCREENS_STATUS_TRACTIONCONVERTER1_H
#define CABDISPLAY_SCREENS_STATUS_TRACTIONCONVERTER1_H

#include <gdkmm/color.h>
#include <gtkmm/fixed.h>

#include "StatusFrame.h"

class TractionConverter1 : public Gtk::VBox, public statusframe::ScreenPictures {
public:
    TractionConverter1();
    virtual ~TractionConverter1();

    void ConstructLayout();
    void UpdateTractionConverter1Screen();

    static const statusframe::PairSpec<float> kPairTable[3];
    static const statusframe::ValueSpec<unsigned int> kVentilationTable[2];
    // Start value of the ventilation caches: never a stored demand (0 to 3).
    static constexpr unsigned int kNoDemand = 4;

    Gtk::Fixed m_HeadingLayout;
    Gtk::VBox m_HeadingBox;
    Gtk::Label m_HeadingLabel;
    Gdk::Color m_HeadingColour;
    CompDualVal m_PairRows[3];
    Gtk::HBox m_Spacer;
    CompSingleVal m_VentilationRows[2];
    std::stringstream m_Stream;
    std::array<statusframe::Cache<float>, 2> m_PairCaches[3];
    statusframe::Cache<unsigned int> m_VentilationCaches[2];
};

#endif
