#include "PressureBarSupport.h"

namespace compsupport {

const char* const kImageNotFound = "Image Not Found ";

void PutFrame(Gtk::Fixed& component, Gtk::EventBox& frame, const std::string& colour, short x, short y)
{
    Background(frame, colour);
    component.put(frame, x, y);
}

void PutChild(Gtk::Fixed& gauge, Gtk::Widget& child, float x, float y, bool visible)
{
    gauge.put(child, Px(x), Px(y));
    child.set_child_visible(visible);
}

bool PutScale(Gtk::Fixed& gauge, Gtk::Image& image, const std::string& path, float x, float y,
              float width, float height, bool visible, unsigned debug)
{
    if (!SetPicture(image, path, width, height, debug, kImageNotFound))
        return false;
    PutChild(gauge, image, x, y, visible);
    return true;
}

void SetValueText(Gtk::Label& label, const std::string& text, const std::string& colour)
{
    label.set_text(text);
    Foreground(label, colour);
}

float TractionYAlign(float percent)
{
    return Linear(0.54, -0.0053, percent);
}

float BrakingYAlign(float percent)
{
    return Linear(0.54, 0.0046, percent);
}

namespace {

// The effort as a percentage of its full scale, each float step rounded.
float EffortPercent(float effort, float fullScale)
{
    return AsFloat(AsFloat(effort / fullScale) * 100);
}

}  // namespace

float EffortYAlign(float effort)
{
    if (effort < 0)
        return BrakingYAlign(EffortPercent(-effort, 600));
    return TractionYAlign(EffortPercent(effort, 700));
}

void PutBar(Gtk::Fixed& gauge, const PressureBarSide& side)
{
    Background(side.BarBox, side.BarColour);
    RequestSize(side.BarBox, side.BarWidth, side.BarHeight);
    gauge.put(side.BarBox, Px(side.BarX), Px(side.BarY));
}

void BuildSide(Gtk::Fixed& gauge, const PressureBarSide& side, float fontScale,
               const std::string& valueColour, unsigned debug)
{
    if (side.ValueText.empty())
        side.ValueText = "0.0";
    SetValueText(side.ValueLabel, side.ValueText, valueColour);
    if (side.ValueBold != 0)
        SetFont(side.ValueLabel, PangoSizeOfScale(fontScale, 1433600.0f), Weight::Bold);
    PutChild(gauge, side.ValueLabel, side.ValueX, side.ValueY, side.ValueVisible != 0);

    SetPicture(side.IndicatorImage, side.IndicatorImagePath, side.IndicatorWidth,
               side.IndicatorHeight, debug, kImageNotFound);
    side.IndicatorAlignment.set(side.XAlign, side.YAlign, side.XScale, side.YScale);
    side.IndicatorAlignment.add(side.IndicatorImage);
    side.BarBox.add(side.IndicatorAlignment);
    side.BarBox.set_child_visible(side.BarVisible != 0);
}

void MoveArrow(const PressureBarSide& side, float yalign, double value)
{
    side.XAlign = 0.5f;
    side.YAlign = yalign;
    side.XScale = 0;
    side.YScale = 0;
    side.ValueStream << value;
    side.ValueText = side.ValueStream.str();
    ShowText(side.ValueLabel, side.ValueText);
    // Only the arrow's old and new place are drawn again, not the whole bar.
    SetAlignment(side.IndicatorAlignment, side.XAlign, side.YAlign, side.XScale, side.YScale);
    side.ValueStream.str("");
    side.ValueStream.clear();
}

}  // namespace compsupport
