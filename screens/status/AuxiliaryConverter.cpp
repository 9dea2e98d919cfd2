#include "AuxiliaryConverter.h"

#include "CompSupport.h"

using namespace statusframe;

namespace {

const char* const kVolts = "./Images/VoltsUnit.jpg";
const char* const kAmps = "./Images/AmpsUnit.jpg";
const char* const kHeadingPicture = "./Images/GreyBox.png";
// Caption text size (8.4 pt) of the two own rows.
constexpr int kCaptionSize = 8601;
enum OwnRow { kContactorRowIndex, kHeadingRowIndex };

}  // namespace

const char* const AuxiliaryConverter::kClosedColour = "#78c4aa";
const char* const AuxiliaryConverter::kCellColour = "#f06705";

const BarSpec<float> AuxiliaryConverter::kBarTable[3] = {
    {"Battery Voltage", "0.0", kVolts,
     [](const ReadMVBData& s) { return static_cast<float>(s.BatteryVoltageValue); },
     [](const ReadMVBData& s) { return s.BatteryVoltageMin; }, [](const ReadMVBData& s) { return s.BatteryVoltageMax; },
     Clamp::Capping},
    {"Auxiliary Winding Input Voltage", "0.0", kVolts, [](const ReadMVBData& s) { return s.AuxWindingInputVoltage; },
     [](const ReadMVBData& s) { return s.AuxWindingVoltageMin; },
     [](const ReadMVBData& s) { return s.AuxWindingVoltageMax; }, Clamp::Capping},
    {"Auxiliary Winding Input Current", "0.0", kAmps, [](const ReadMVBData& s) { return s.AuxWindingInputCurrent; },
     [](const ReadMVBData& s) { return s.AuxWindingCurrentMin; },
     [](const ReadMVBData& s) { return s.AuxWindingCurrentMax; }, Clamp::Capping},
};

const AuxiliaryConverter::TableSpec AuxiliaryConverter::kConverterTable[kTableRows] = {
    {"DC Link Voltage", kVolts, [](const ReadMVBData& s) { return Values(s.BurDcLinkVoltage); }},
    {"DC Link Current", kAmps, [](const ReadMVBData& s) { return Values(s.BurDcLinkCurrent); }},
    {"Output Voltage", kVolts, [](const ReadMVBData& s) { return Values(s.BurOutputVoltage); }},
    {"Output Frequency", "./Images/HertzUnit.jpg", [](const ReadMVBData& s) { return Values(s.BurOutputFrequency); }},
    {"BUR Status", kNoUnit, nullptr},
};

AuxiliaryConverter::AuxiliaryConverter()
{
    ConstructLayout();
}

AuxiliaryConverter::~AuxiliaryConverter() = default;

void AuxiliaryConverter::ConstructLayout()
{
    set_spacing(3);
    BuildLampRows(*this, m_PantoRows, kPantographs);
    BuildBarRows(*this, m_BarRows, kBarTable);

    // One heading picture for both own rows; a missing or broken file leaves
    // the caption cells without it.
    m_HeadingPixbuf = compsupport::LoadPicture(kHeadingPicture, 200, 18);
    BuildOwnRow(kHeadingRowIndex, m_HeadingRow, "         ------", {"Bur1", "Bur2", "Bur3"}, 104, nullptr);

    for (TableRow row : {kBurStatus, kDcLinkVoltage, kDcLinkCurrent, kOutputVoltage, kOutputFrequency})
        BuildIndicatorRow(*this, m_TableRows[row], kConverterTable[row].caption, kConverterTable[row].unit, false);

    BuildSpacer(*this, m_Spacer);
    BuildOwnRow(kContactorRowIndex, m_ContactorRow, "BUR Grouping Contactors",
                {"52_1", "52_2", "52_3", "52_4", "52_5"}, 72, m_ContactorCells);

    show_all_children(true);
    for (Cache<unsigned short>& cache : m_PantoCaches)
        cache.Set(kUnshown);
    for (Cache<unsigned short>& cache : m_BurStatusCaches)
        cache.Set(kUnshown);
}

void AuxiliaryConverter::BuildOwnRow(int which, Gtk::HBox& row, const char* caption,
                                     const std::vector<const char*>& texts, int cellWidth, Gtk::EventBox** made)
{
    if (m_HeadingPixbuf)
        m_HeadingPictures[which].set(m_HeadingPixbuf);
    Gtk::Label& label = m_CaptionLabels[which];
    label.set_text(caption);
    compsupport::SetFont(label, kCaptionSize);
    compsupport::Foreground(label, "white");
    m_CaptionCells[which].put(m_HeadingPictures[which], 0, 0);
    m_CaptionCells[which].put(label, 30, 2);
    row.set_spacing(5);
    row.pack_start(m_CaptionCells[which], Gtk::PACK_SHRINK, 0);
    pack_start(row, Gtk::PACK_SHRINK, 0);

    for (std::size_t i = 0; i < texts.size(); ++i) {
        Gtk::Fixed* cell = Gtk::manage(new Gtk::Fixed);
        Gtk::EventBox* box = Gtk::manage(new Gtk::EventBox);
        Gtk::Label* text = Gtk::manage(new Gtk::Label(texts[i]));
        box->set_size_request(cellWidth, 18);
        compsupport::Background(*box, kCellColour);
        box->add(*text);
        cell->put(*box, 0, 0);
        row.pack_start(*cell, Gtk::PACK_SHRINK, 0);
        if (made)
            made[i] = box;
    }
}

void AuxiliaryConverter::UpdateAuxiliaryConverterScreen()
{
    const ReadMVBData& store = *ReadMVBData::getInstance();
    LampSteps(store, m_PantoCaches, m_PantoRows, kPantographs);
    for (int i = 0; i < 3; ++i)
        BarStep(store, kBarTable[i], m_BarCaches[i], m_Stream, m_BarRows[i]);

    const auto tableStep = [&](TableRow row) {
        const std::array<float, kConverters> values = kConverterTable[row].values(store);
        for (int k = 0; k < kConverters; ++k)
            NumberStep(m_TableCaches[row][k], values[k], m_Stream, m_TableRows[row].ValueLabels[k]);
    };
    tableStep(kDcLinkVoltage);
    tableStep(kDcLinkCurrent);
    tableStep(kOutputFrequency);
    // BUR1 to BUR3 are status cells 5 to 7: 1 is off or faulty.
    for (int k = 0; k < kConverters; ++k) {
        const unsigned short state = store.SubsystemStates[5 + k];
        if (m_BurStatusCaches[k].Take(state))
            DrawNumber(m_Stream, m_TableRows[kBurStatus].ValueLabels[k], state == 1 ? "OFF" : "ON");
    }
    tableStep(kOutputVoltage);

    // Recoloured on every update, changed or not.
    static const Gdk::Color closed = compsupport::Colour(kClosedColour);
    static const Gdk::Color open = compsupport::Colour(kCellColour);
    for (int k = 0; k < kContactors; ++k)
        if (m_ContactorCells[k])
            m_ContactorCells[k]->modify_bg(Gtk::STATE_NORMAL, store.AuxContactors[k] == 1 ? closed : open);
}
