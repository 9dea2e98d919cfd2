// What every status screen shares: the value caches with change detection,
// the number text, the lamp and pantograph rules, the two-picture step, the
// bar rule, the row builders and the one checked picture loader. A screen is
// then a table of rows and an update that runs the steps in its own order.
#ifndef CABDISPLAY_SCREENS_STATUS_STATUSFRAME_H
#define CABDISPLAY_SCREENS_STATUS_STATUSFRAME_H

#include <array>
#include <cstddef>
#include <initializer_list>
#include <sstream>
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include "CompBoolValRect.h"
#include "CompDualVal.h"
#include "CompProgressBarHolder.h"
#include "CompSingleVal.h"
#include "CompValueIndicator.h"
#include "ReadMVBData.h"

namespace statusframe {

// ---- Caches ---------------------------------------------------------------

// The value a row last showed. An empty cache differs from every value, so
// the first update draws every row; a float NaN differs from everything.
template <typename T>
class Cache {
public:
    template <typename U>
    bool Differs(U value) const { return !(held_ && value_ == value); }
    void Set(T value)
    {
        value_ = value;
        held_ = true;
    }
    // True (and the cache holds the value) when the value differs.
    bool Take(T value)
    {
        if (!Differs(value))
            return false;
        Set(value);
        return true;
    }
    bool Held() const { return held_; }
    T Value() const { return value_; }

private:
    T value_{};
    bool held_ = false;
};

// Start value of the caches that a screen presets: never a stored 0/1 value.
constexpr unsigned short kUnshown = 3;

// A store field read by a row.
template <typename T>
using Field = T (*)(const ReadMVBData&);

// ---- Pictures -------------------------------------------------------------

extern const char* const kNoUnit;       // "./Images/NULLUnit.jpg"
extern const char* const kDualOn;       // "./Images/DualBoolValON.jpg"
extern const char* const kDualOff;      // "./Images/DualBoolValOFF.jpg"
extern const char* const kPairPicture;  // "./Images/ValIndicator2.jpg"
constexpr float kDualWidth = 160;
constexpr float kDualHeight = 18;

// The one picture loader of the screens: scaled bilinearly to the truncated
// size; a missing or undecodable file leaves the image as it was.
void LoadPicture(Gtk::Image& image, const std::string& path, float width, float height);

// The image functions of the screens that load pictures of their own.
class ScreenPictures {
public:
    void GetReSizedImage(Gtk::Image& image, std::string path, float width, float height);
    bool FileExists(const std::string& path);
};

// ---- Numbers --------------------------------------------------------------

// Sets the label's text unless it shows that text already.
void ShowText(Gtk::Label& label, const std::string& text);

// Writes the value with the stream's insertion of its type, shows the text
// and empties the stream again.
template <typename T>
void DrawNumber(std::stringstream& stream, Gtk::Label& label, T value)
{
    stream << value;
    ShowText(label, stream.str());
    stream.str("");
    stream.clear();
}

template <typename T>
void NumberStep(Cache<T>& cache, T value, std::stringstream& stream, Gtk::Label& label)
{
    if (cache.Take(value))
        DrawNumber(stream, label, value);
}

// A row of several values is one unit: any change redraws every label.
template <typename T, std::size_t N>
void GroupStep(std::array<Cache<T>, N>& caches, const std::array<T, N>& values, std::stringstream& stream,
               const std::array<Gtk::Label*, N>& labels)
{
    bool changed = false;
    for (std::size_t i = 0; i < N; ++i)
        changed = changed || caches[i].Differs(values[i]);
    if (!changed)
        return;
    for (std::size_t i = 0; i < N; ++i) {
        caches[i].Set(values[i]);
        DrawNumber(stream, *labels[i], values[i]);
    }
}

std::array<Gtk::Label*, 2> PairLabels(CompDualVal& row);

template <std::size_t N>
std::array<Gtk::Label*, N> IndicatorLabels(CompValueIndicator& row)
{
    static_assert(N == 3 || N == 6, "three or six value boxes");
    std::array<Gtk::Label*, N> labels{};
    for (std::size_t i = 0; i < N; ++i)
        labels[i] = &row.ValueLabels[i];
    return labels;
}

// The elements of a store array as one group.
template <typename T, std::size_t N>
std::array<T, N> Values(const T (&field)[N])
{
    std::array<T, N> values{};
    for (std::size_t i = 0; i < N; ++i)
        values[i] = field[i];
    return values;
}

// ---- Lamp and pantograph rows ----------------------------------------------

enum class Lamp {
    Pantograph,  // 1 raised, 0 lowered, other values: cache only
    OneOn,       // 1 lit, 0 out, other values: cache only
    NonZeroOn,   // any non-zero value lit, 0 out
    AppliedUpTo35,  // 35 or less lit, above out
};

void LampStep(Cache<unsigned short>& cache, unsigned short value, CompBoolValRect& row, Lamp rule);

struct LampSpec {
    const char* caption;
    Field<unsigned short> field;
    Lamp rule;
};

// "Panto 1" and "Panto 2".
extern const LampSpec kPantographs[2];

void BuildLampRow(Gtk::Box& screen, CompBoolValRect& row, const char* caption);

template <std::size_t N>
void BuildLampRows(Gtk::Box& screen, CompBoolValRect (&rows)[N], const LampSpec (&specs)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        BuildLampRow(screen, rows[i], specs[i].caption);
}

// Runs rows first..last-1 of a lamp table.
template <std::size_t N>
void LampSteps(const ReadMVBData& store, Cache<unsigned short> (&caches)[N], CompBoolValRect (&rows)[N],
               const LampSpec (&specs)[N], std::size_t first = 0, std::size_t last = N)
{
    for (std::size_t i = first; i < last; ++i)
        LampStep(caches[i], specs[i].field(store), rows[i], specs[i].rule);
}

// ---- Two-cell rows ----------------------------------------------------------

// Value row: a number over each cell picture.
void BuildValuePair(Gtk::Box& screen, CompDualVal& row, const char* caption, const char* unit,
                    const char* left = "0", const char* right = "0");
// Picture row: the ON/OFF picture cells, both OFF until the first update.
void BuildPicturePair(Gtk::Box& screen, CompDualVal& row, const char* caption, const char* unit = kNoUnit);

template <typename T>
struct PairSpec {
    const char* caption;
    const char* unit;
    Field<T> left;
    Field<T> right;
};

template <typename T>
void PairStep(const ReadMVBData& store, const PairSpec<T>& spec, std::array<Cache<T>, 2>& caches,
              std::stringstream& stream, CompDualVal& row)
{
    GroupStep(caches, std::array<T, 2>{spec.left(store), spec.right(store)}, stream, PairLabels(row));
}

// Two-picture step: either value changed reloads both cells, ON for 1.
void PicturePairStep(std::array<Cache<unsigned short>, 2>& caches, unsigned short left, unsigned short right,
                     CompDualVal& row);

template <typename T>
void PicturePairStep(const ReadMVBData& store, const PairSpec<T>& spec, std::array<Cache<T>, 2>& caches,
                     CompDualVal& row)
{
    PicturePairStep(caches, spec.left(store), spec.right(store), row);
}

// ---- One-value and several-value rows ---------------------------------------

void BuildSingleRow(Gtk::Box& screen, CompSingleVal& row, const char* caption, const char* value,
                    const char* unit = kNoUnit);
template <typename T>
struct ValueSpec {
    const char* caption;
    const char* valueText;  // shown until the first update
    const char* unit;
    Field<T> field;
};

template <std::size_t N, typename T>
void BuildSingleRows(Gtk::Box& screen, CompSingleVal (&rows)[N], const ValueSpec<T> (&specs)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        BuildSingleRow(screen, rows[i], specs[i].caption, specs[i].valueText, specs[i].unit);
}

// Runs the given rows of a one-value table, in the order given.
template <std::size_t N, typename T, typename Cached>
void SingleSteps(const ReadMVBData& store, const ValueSpec<T> (&specs)[N], Cache<Cached> (&caches)[N],
                 std::stringstream& stream, CompSingleVal (&rows)[N], std::initializer_list<std::size_t> order)
{
    for (std::size_t i : order)
        NumberStep<Cached>(caches[i], specs[i].field(store), stream, rows[i].ValueLabel);
}

// Three boxes over "./Images/ValIndicator3.jpg" or six over ValIndicator6.
void BuildIndicatorRow(Gtk::Box& screen, CompValueIndicator& row, const char* caption, const char* unit,
                       bool sixValues);
// An empty 10 x 15 box between row groups.
void BuildSpacer(Gtk::Box& screen, Gtk::HBox& spacer);

// ---- Bar rows ---------------------------------------------------------------

enum class Clamp {
    Capping,  // above the maximum: the maximum
    Zeroing,  // above the maximum: 0
};

// The value last drawn and the range read on the last update.
template <typename T>
struct BarCache {
    Cache<T> value;
    unsigned short min = 0;
    unsigned short max = 0;
};

template <typename T>
T ClampToBar(T value, Clamp clamp, unsigned short min, unsigned short max)
{
    if (value > max)
        return clamp == Clamp::Capping ? static_cast<T>(max) : static_cast<T>(0);
    if (value < min)
        return static_cast<T>(min);
    return value;
}

// Share of the range in percent; 0 (a hidden bar) when the range is empty
// or reversed or the value is not a number, never a division by zero.
float BarPercent(float value, unsigned short min, unsigned short max);
float BarPercent(unsigned short value, unsigned short min, unsigned short max);

void BuildBarRow(Gtk::Box& screen, CompProgressBarHolder& row, const char* caption, const char* value,
                 const char* unit);

template <typename T>
struct BarSpec {
    const char* caption;
    const char* valueText;
    const char* unit;
    Field<T> value;
    Field<unsigned short> min;
    Field<unsigned short> max;
    Clamp clamp;
};

template <typename T>
void BuildBarRow(Gtk::Box& screen, CompProgressBarHolder& row, const BarSpec<T>& spec)
{
    BuildBarRow(screen, row, spec.caption, spec.valueText, spec.unit);
}

// Draws a bar's value text, then its bar.
template <typename T>
void DrawBar(std::stringstream& stream, CompProgressBarHolder& row, T shown, unsigned short min,
             unsigned short max)
{
    DrawNumber(stream, row.ValueLabel, shown);
    row.SetProgressBarInd(BarPercent(shown, min, max));
}

// The bar rule: range read first, then on a change the clamped value goes
// into the cache and is drawn.
template <typename T>
void BarStep(BarCache<T>& bar, T value, unsigned short min, unsigned short max, Clamp clamp,
             std::stringstream& stream, CompProgressBarHolder& row)
{
    bar.min = min;
    bar.max = max;
    if (!bar.value.Differs(value))
        return;
    const T shown = ClampToBar(value, clamp, min, max);
    bar.value.Set(shown);
    DrawBar(stream, row, shown, min, max);
}

template <typename T>
void BarStep(const ReadMVBData& store, const BarSpec<T>& spec, BarCache<T>& bar, std::stringstream& stream,
             CompProgressBarHolder& row)
{
    BarStep(bar, spec.value(store), spec.min(store), spec.max(store), spec.clamp, stream, row);
}

// Bars that several screens show alike.
extern const BarSpec<float> kTractionEffortBars[2];      // "TE Demand(W)", "TE Actual(X)", zeroing
extern const BarSpec<unsigned short> kBrakeEffortBars[2];  // "BE Demand(W)", "BE Actual(X)", zeroing
extern const BarSpec<float> kBrakePipeBar;               // "BP Pressure", capping

// A float effort kept in a 16-bit bar cache: compared with the cache as a
// number, then truncated toward zero to a 32-bit integer and kept to its low
// 16 bits, then drawn with the zeroing rule. A value that is no number or
// lies outside the 32-bit range counts as above the maximum: "0", no bar.
void WholeBarStep(BarCache<unsigned short>& bar, float value, unsigned short min, unsigned short max,
                  std::stringstream& stream, CompProgressBarHolder& row);

void WholeBarStep(const ReadMVBData& store, const BarSpec<float>& spec, BarCache<unsigned short>& bar,
                  std::stringstream& stream, CompProgressBarHolder& row);

template <std::size_t N, typename T>
void BuildBarRows(Gtk::Box& screen, CompProgressBarHolder (&rows)[N], const BarSpec<T> (&specs)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        BuildBarRow(screen, rows[i], specs[i]);
}

}  // namespace statusframe

#endif
