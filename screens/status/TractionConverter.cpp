#include "TractionConverter.h"

using namespace statusframe;

namespace {

const char* const kAmps = "./Images/AmpsUnit.jpg";

}  // namespace

const PairSpec<unsigned short> TractionConverter::kPictureTable[4] = {
    {"Converter Input Contactor", kNoUnit, [](const ReadMVBData& s) { return s.ConverterInputContactor[0]; },
     [](const ReadMVBData& s) { return s.ConverterInputContactor[1]; }},
    {"Pre charge Contactor", kNoUnit, [](const ReadMVBData& s) { return s.PreChargeContactor[0]; },
     [](const ReadMVBData& s) { return s.PreChargeContactor[1]; }},
    {"Line Converter Pulsing", kNoUnit, [](const ReadMVBData& s) { return s.LineConverterPulsing[0]; },
     [](const ReadMVBData& s) { return s.LineConverterPulsing[1]; }},
    {"Drive Converter Pulsing", kNoUnit, [](const ReadMVBData& s) { return s.DriveConverterPulsing[0]; },
     [](const ReadMVBData& s) { return s.DriveConverterPulsing[1]; }},
};

const PairSpec<unsigned short> TractionConverter::kCountTable[2] = {
    {"Input Currents", kAmps, [](const ReadMVBData& s) { return s.ConverterInputCurrent[0]; },
     [](const ReadMVBData& s) { return s.ConverterInputCurrent[1]; }},
    {"Output Phase Currents", kAmps, [](const ReadMVBData& s) { return s.OutputPhaseCurrent[0]; },
     [](const ReadMVBData& s) { return s.OutputPhaseCurrent[1]; }},
};

const PairSpec<float> TractionConverter::kFloatTable[3] = {
    {"DC Link Voltage", "./Images/VoltsUnit.jpg", [](const ReadMVBData& s) { return s.DcLinkVoltage[0]; },
     [](const ReadMVBData& s) { return s.DcLinkVoltage[1]; }},
    {"Oil Pressure", "./Images/BarUnit.jpg", [](const ReadMVBData& s) { return s.ConverterOilPressure[0]; },
     [](const ReadMVBData& s) { return s.ConverterOilPressure[1]; }},
    {"Oil Temperature", "./Images/CelsiusUnit.jpg",
     [](const ReadMVBData& s) { return s.ConverterOilTemperature[0]; },
     [](const ReadMVBData& s) { return s.ConverterOilTemperature[1]; }},
};

const LampSpec TractionConverter::kHarmonicTable[3] = {
    {"Harmonic Main Contactor", [](const ReadMVBData& s) { return s.HarmonicContactors[0]; }, Lamp::OneOn},
    {"Harmonic Adaptation Contactor", [](const ReadMVBData& s) { return s.HarmonicContactors[1]; }, Lamp::OneOn},
    {"Harmonic Discharge Contactor", [](const ReadMVBData& s) { return s.HarmonicContactors[2]; }, Lamp::OneOn},
};

TractionConverter::TractionConverter()
{
    ConstructLayout();
}

TractionConverter::~TractionConverter() = default;

void TractionConverter::ConstructLayout()
{
    BuildLampRows(*this, m_PantoRows, kPantographs);
    BuildSpacer(*this, m_Spacer);
    const auto pictures = [this](PairRow row, const PairSpec<unsigned short>& spec) {
        BuildPicturePair(*this, m_PairRows[row], spec.caption, spec.unit);
    };
    const auto values = [this](PairRow row, const auto& spec) {
        BuildValuePair(*this, m_PairRows[row], spec.caption, spec.unit);
    };
    pictures(kInputContactor, kPictureTable[0]);
    pictures(kPreCharge, kPictureTable[1]);
    values(kInputCurrents, kCountTable[0]);
    values(kDcLinkVoltage, kFloatTable[0]);
    values(kPhaseCurrents, kCountTable[1]);
    values(kOilPressure, kFloatTable[1]);
    values(kOilTemperature, kFloatTable[2]);
    pictures(kLinePulsing, kPictureTable[2]);
    pictures(kDrivePulsing, kPictureTable[3]);
    BuildLampRows(*this, m_HarmonicRows, kHarmonicTable);
    show_all_children(true);

    // Presets with the effect of an empty cache; the line converter pulsing
    // right cell and the drive converter pulsing row start empty.
    for (Cache<unsigned short>& cache : m_PantoCaches)
        cache.Set(kUnshown);
    for (int i = 0; i < 2; ++i) {
        m_PictureCaches[0][i].Set(kUnshown);
        m_PictureCaches[1][i].Set(kUnshown);
    }
    m_PictureCaches[2][0].Set(kUnshown);
    for (Cache<unsigned short>& cache : m_HarmonicCaches)
        cache.Set(kUnshown);
}

void TractionConverter::UpdateTractionConverterScreen()
{
    const ReadMVBData& store = *ReadMVBData::getInstance();
    LampSteps(store, m_PantoCaches, m_PantoRows, kPantographs);
    PicturePairStep(store, kPictureTable[0], m_PictureCaches[0], m_PairRows[kInputContactor]);
    PicturePairStep(store, kPictureTable[1], m_PictureCaches[1], m_PairRows[kPreCharge]);
    PairStep(store, kCountTable[0], m_CountCaches[0], m_Stream, m_PairRows[kInputCurrents]);
    PairStep(store, kFloatTable[0], m_FloatCaches[0], m_Stream, m_PairRows[kDcLinkVoltage]);
    PairStep(store, kCountTable[1], m_CountCaches[1], m_Stream, m_PairRows[kPhaseCurrents]);
    PairStep(store, kFloatTable[1], m_FloatCaches[1], m_Stream, m_PairRows[kOilPressure]);
    PairStep(store, kFloatTable[2], m_FloatCaches[2], m_Stream, m_PairRows[kOilTemperature]);
    PicturePairStep(store, kPictureTable[2], m_PictureCaches[2], m_PairRows[kLinePulsing]);
    PicturePairStep(store, kPictureTable[3], m_PictureCaches[3], m_PairRows[kDrivePulsing]);
    LampSteps(store, m_HarmonicCaches, m_HarmonicRows, kHarmonicTable);
}
