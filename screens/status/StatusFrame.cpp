#include "StatusFrame.h"

#include "CompSupport.h"

#include <cmath>
#include <cstdint>

namespace statusframe {

const char* const kNoUnit = "./Images/NULLUnit.jpg";
const char* const kDualOn = "./Images/DualBoolValON.jpg";
const char* const kDualOff = "./Images/DualBoolValOFF.jpg";
const char* const kPairPicture = "./Images/ValIndicator2.jpg";

namespace {

const char* const kThreeValues = "./Images/ValIndicator3.jpg";
const char* const kSixValues = "./Images/ValIndicator6.jpg";
const char* const kKilonewton = "./Images/KilonewtonUnit.jpg";
// The train brake counts as applied at 35 or less.
constexpr unsigned short kTrainBrakeApplied = 35;

void PackRow(Gtk::Box& screen, Gtk::Widget& row)
{
    screen.pack_start(row, Gtk::PACK_SHRINK, 0);
}

// Share of a range whose width is already known to be positive.
float Percent(long double offset, long double width)
{
    const float percent = AsFloat(offset / width * 100.0L);
    return std::isfinite(percent) ? percent : 0.0f;
}

}  // namespace

const LampSpec kPantographs[2] = {
    {"Panto 1", [](const ReadMVBData& s) { return s.Panto1Up; }, Lamp::Pantograph},
    {"Panto 2", [](const ReadMVBData& s) { return s.Panto2Up; }, Lamp::Pantograph},
};

const BarSpec<float> kTractionEffortBars[2] = {
    {"TE Demand(W)", "0", kKilonewton, [](const ReadMVBData& s) { return s.TeDemand; },
     [](const ReadMVBData& s) { return s.TeDemandMin; }, [](const ReadMVBData& s) { return s.TeDemandMax; },
     Clamp::Zeroing},
    {"TE Actual(X)", "0", kKilonewton, [](const ReadMVBData& s) { return s.TeActual; },
     [](const ReadMVBData& s) { return s.TeActualMin; }, [](const ReadMVBData& s) { return s.TeActualMax; },
     Clamp::Zeroing},
};

const BarSpec<unsigned short> kBrakeEffortBars[2] = {
    {"BE Demand(W)", "0", kKilonewton, [](const ReadMVBData& s) { return s.BeDemand; },
     [](const ReadMVBData& s) { return s.BeDemandMin; }, [](const ReadMVBData& s) { return s.BeDemandMax; },
     Clamp::Zeroing},
    {"BE Actual(X)", "0", kKilonewton, [](const ReadMVBData& s) { return s.BeActual; },
     [](const ReadMVBData& s) { return s.BeActualMin; }, [](const ReadMVBData& s) { return s.BeActualMax; },
     Clamp::Zeroing},
};

const BarSpec<float> kBrakePipeBar = {
    "BP Pressure", "0", "./Images/BarUnit.jpg", [](const ReadMVBData& s) { return s.BrakePipePressureBar; },
    [](const ReadMVBData& s) { return s.BrakePipePressureMin; },
    [](const ReadMVBData& s) { return s.BrakePipePressureMax; }, Clamp::Capping};

void LoadPicture(Gtk::Image& image, const std::string& path, float width, float height)
{
    compsupport::SetPicture(image, path, width, height, 0, "");
}

void ScreenPictures::GetReSizedImage(Gtk::Image& image, std::string path, float width, float height)
{
    LoadPicture(image, path, width, height);
}

bool ScreenPictures::FileExists(const std::string& path)
{
    return compsupport::FileExists(path);
}

void ShowText(Gtk::Label& label, const std::string& text)
{
    compsupport::ShowText(label, text);
}

std::array<Gtk::Label*, 2> PairLabels(CompDualVal& row)
{
    return {&row.LeftValueLabel, &row.RightValueLabel};
}

void LampStep(Cache<unsigned short>& cache, unsigned short value, CompBoolValRect& row, Lamp rule)
{
    if (!cache.Take(value))
        return;
    switch (rule) {
    case Lamp::Pantograph:
        if (value == 1)
            row.PantoStatus(10);
        else if (value == 0)
            row.PantoStatus(20);
        break;
    case Lamp::OneOn:
        if (value == 1 || value == 0)
            row.SetImageStatus(static_cast<signed char>(value));
        break;
    case Lamp::NonZeroOn:
        row.SetImageStatus(value != 0 ? 1 : 0);
        break;
    case Lamp::AppliedUpTo35:
        row.SetImageStatus(value <= kTrainBrakeApplied ? 1 : 0);
        break;
    }
}

void BuildLampRow(Gtk::Box& screen, CompBoolValRect& row, const char* caption)
{
    row.StatusOn = 0;
    row.PantoUp = 0;
    row.CaptionCellVisible = 1;
    row.StatusCellVisible = 1;
    row.CaptionText = caption;
    row.ConstructLayout();
    PackRow(screen, row);
}

void BuildValuePair(Gtk::Box& screen, CompDualVal& row, const char* caption, const char* unit, const char* left,
                    const char* right)
{
    row.CaptionText = caption;
    row.ShowValueTexts = 1;
    row.OnImagePath = kPairPicture;
    row.OffImagePath = kPairPicture;
    row.LeftValueText = left;
    row.RightValueText = right;
    row.UnitImagePath = unit;
    row.ConstructLayout();
    PackRow(screen, row);
}

void BuildPicturePair(Gtk::Box& screen, CompDualVal& row, const char* caption, const char* unit)
{
    row.CaptionText = caption;
    row.ShowValueTexts = 0;
    row.UnitImagePath = unit;
    row.ConstructLayout();
    PackRow(screen, row);
}

void PicturePairStep(std::array<Cache<unsigned short>, 2>& caches, unsigned short left, unsigned short right,
                     CompDualVal& row)
{
    if (!caches[0].Differs(left) && !caches[1].Differs(right))
        return;
    caches[0].Set(left);
    caches[1].Set(right);
    LoadPicture(row.LeftStateImage, left == 1 ? kDualOn : kDualOff, kDualWidth, kDualHeight);
    LoadPicture(row.RightStateImage, right == 1 ? kDualOn : kDualOff, kDualWidth, kDualHeight);
}

void BuildSingleRow(Gtk::Box& screen, CompSingleVal& row, const char* caption, const char* value, const char* unit)
{
    row.CaptionText = caption;
    row.ValueText = value;
    row.UnitImagePath = unit;
    row.ConstructLayout();
    PackRow(screen, row);
}

void BuildIndicatorRow(Gtk::Box& screen, CompValueIndicator& row, const char* caption, const char* unit,
                       bool sixValues)
{
    row.CaptionText = caption;
    row.UnitImagePath = unit;
    row.SixValues = sixValues ? 1 : 0;
    row.ValueBackgroundPath = sixValues ? kSixValues : kThreeValues;
    for (std::string& text : row.ValueTexts)
        text = "0";
    row.ConstructLayout();
    PackRow(screen, row);
}

void BuildSpacer(Gtk::Box& screen, Gtk::HBox& spacer)
{
    spacer.set_size_request(10, 15);
    PackRow(screen, spacer);
}

void BuildBarRow(Gtk::Box& screen, CompProgressBarHolder& row, const char* caption, const char* value,
                 const char* unit)
{
    row.CaptionText = caption;
    row.ValueText = value;
    row.UnitImagePath = unit;
    row.ConstructLayout();
    PackRow(screen, row);
}

float BarPercent(float value, unsigned short min, unsigned short max)
{
    if (max <= min)
        return 0.0f;
    return Percent(static_cast<long double>(value) - min, static_cast<long double>(max) - min);
}

float BarPercent(unsigned short value, unsigned short min, unsigned short max)
{
    if (max <= min)
        return 0.0f;
    return Percent(static_cast<int>(value) - static_cast<int>(min), static_cast<int>(max) - static_cast<int>(min));
}

void WholeBarStep(BarCache<unsigned short>& bar, float value, unsigned short min, unsigned short max,
                  std::stringstream& stream, CompProgressBarHolder& row)
{
    bar.min = min;
    bar.max = max;
    if (!bar.value.Differs(value))
        return;
    const bool convertible = std::isfinite(value) && value >= -2147483648.0f && value < 2147483648.0f;
    if (!convertible) {
        bar.value.Set(0);
        DrawNumber(stream, row.ValueLabel, 0);
        row.SetProgressBarInd(0.0f);
        return;
    }
    const auto whole = static_cast<unsigned short>(static_cast<std::uint32_t>(static_cast<std::int32_t>(value)));
    const unsigned short shown = ClampToBar(whole, Clamp::Zeroing, min, max);
    bar.value.Set(shown);
    DrawBar(stream, row, shown, min, max);
}

void WholeBarStep(const ReadMVBData& store, const BarSpec<float>& spec, BarCache<unsigned short>& bar,
                  std::stringstream& stream, CompProgressBarHolder& row)
{
    WholeBarStep(bar, spec.value(store), spec.min(store), spec.max(store), stream, row);
}

}  // namespace statusframe
