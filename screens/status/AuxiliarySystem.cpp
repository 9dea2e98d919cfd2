#include "AuxiliarySystem.h"

using namespace statusframe;

namespace {

const char* const kVolts = "./Images/VoltsUnit.jpg";

Gtk::Image& CellImage(CompDualVal& row, int side)
{
    return side == 0 ? row.LeftStateImage : row.RightStateImage;
}

}  // namespace

const BarSpec<float> AuxiliarySystem::kBar = {
    "Auxiliary Winding Input Voltage", "0", kVolts, [](const ReadMVBData& s) { return s.AuxWindingInputVoltage; },
    [](const ReadMVBData& s) { return s.AuxWindingVoltageMin; },
    [](const ReadMVBData& s) { return s.AuxWindingVoltageMax; }, Clamp::Capping};

const char* const AuxiliarySystem::kBreakerCaptions[kBreakerRows] = {
    "CB Converter/Trafo OCB", "CB Machine Room Blower", "CB Traction Motor Blower", "CB MR Scavenge Blower",
    "CB Traction Scavenge Blower", "CB Oil Pump Converter", "CB Oil Pump Transformer",
};

const int AuxiliarySystem::kBreakerOrder[kBreakerCells] = {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 8, 9};

AuxiliarySystem::AuxiliarySystem()
{
    ConstructLayout();
}

AuxiliarySystem::~AuxiliarySystem() = default;

void AuxiliarySystem::ConstructLayout()
{
    set_spacing(3);
    BuildLampRows(*this, m_PantoRows, kPantographs);
    BuildLampRow(*this, m_CoolingRow, "Cooling Mode");
    BuildBarRow(*this, m_BarRow, kBar);
    BuildValuePair(*this, m_HeadingRow, "Label Heading", kVolts, "HB-1", "HB-2");
    for (int i = 0; i < kBreakerRows; ++i)
        BuildPicturePair(*this, m_BreakerRows[i], kBreakerCaptions[i]);
    BuildPicturePair(*this, m_CompressorRow, "MCB  Compressor");
    show_all_children(true);
}

// Even bytes are the HB-1 (left) cells, odd bytes HB-2; 0 means closed.
void AuxiliarySystem::BreakerStep(const ReadMVBData& store, int byte)
{
    const unsigned char state = store.CircuitBreakerStates[byte];
    if (m_BreakerCaches[byte].Take(state))
        GetReSizedImage(CellImage(m_BreakerRows[byte / 2], byte % 2), state == 0 ? kDualOn : kDualOff, kDualWidth,
                        kDualHeight);
}

// The 16-bit field against an 8-bit cache: the picture follows the low byte,
// OFF at 4 on the left and at 2 on the right.
void AuxiliarySystem::CompressorStep(const ReadMVBData& store, int side)
{
    const unsigned short field = store.CompressorBreakers[side];
    if (!m_CompressorCaches[side].Differs(field))
        return;
    const unsigned char low = static_cast<unsigned char>(field & 0xff);
    m_CompressorCaches[side].Set(low);
    const unsigned char off = side == 0 ? 4 : 2;
    GetReSizedImage(CellImage(m_CompressorRow, side), low == off ? kDualOff : kDualOn, kDualWidth, kDualHeight);
}

void AuxiliarySystem::UpdateAuxiliarySystemScreen()
{
    const ReadMVBData& store = *ReadMVBData::getInstance();
    LampSteps(store, m_PantoCaches, m_PantoRows, kPantographs);
    BarStep(store, kBar, m_BarCache, m_Stream, m_BarRow);
    for (int i = 0; i < 8; ++i)
        BreakerStep(store, kBreakerOrder[i]);
    CompressorStep(store, 0);
    CompressorStep(store, 1);
    for (int i = 8; i < kBreakerCells; ++i)
        BreakerStep(store, kBreakerOrder[i]);
}
