#include "PressureBarSupport.h"

#include <algorithm>

#include <pangomm/fontdescription.h>

namespace compsupport {

const char* const kImageNotFound = "Image Not Found ";

void PutFrame(Gtk::Fixed& component, Gtk::EventBox& frame, const std::string& colour, short x, short y)
{
    frame.modify_bg(Gtk::STATE_NORMAL, Gdk::Color(colour));
    component.put(frame, x, y);
}

void PutChild(Gtk::Fixed& gauge, Gtk::Widget& child, float x, float y, bool visible)
{
    gauge.put(child, Px(x), Px(y));
    child.set_child_visible(visible);
}

bool LoadScaled(Gtk::Image& image, const std::string& path, float width, float height, unsigned debug)
{
    // A negative size would mean "file size" to the loader; here it means no picture.
    return SetPicture(image, path, std::max(width, 0.0f), std::max(height, 0.0f), debug, kImageNotFound);
}

bool PutScale(Gtk::Fixed& gauge, Gtk::Image& image, const std::string& path, float x, float y,
              float width, float height, bool visible, unsigned debug)
{
    if (!LoadScaled(image, path, width, height, debug))
        return false;
    PutChild(gauge, image, x, y, visible);
    return true;
}

void SetBoldFont(Gtk::Label& label, int pangoSize)
{
    Pango::FontDescription font;
    if (pangoSize > 0)
        font.set_size(pangoSize);
    font.set_weight(Pango::WEIGHT_BOLD);
    label.modify_font(font);
}

void SetValueText(Gtk::Label& label, const std::string& text, const std::string& colour)
{
    label.set_text(text);
    label.modify_fg(Gtk::STATE_NORMAL, Gdk::Color(colour));
}

float TractionYAlign(float percent)
{
    return static_cast<float>(0.54 - 0.0053 * percent);
}

float BrakingYAlign(float percent)
{
    return static_cast<float>(0.54 + 0.0046 * percent);
}

float EffortYAlign(float effort)
{
    if (effort < 0) {
        const float percent = -effort / 600 * 100;
        return BrakingYAlign(percent);
    }
    const float percent = effort / 700 * 100;
    return TractionYAlign(percent);
}

void PutBar(Gtk::Fixed& gauge, const PressureBarSide& side)
{
    side.BarBox.modify_bg(Gtk::STATE_NORMAL, Gdk::Color(side.BarColour));
    side.BarBox.set_size_request(std::max(Px(side.BarWidth), 0), std::max(Px(side.BarHeight), 0));
    gauge.put(side.BarBox, Px(side.BarX), Px(side.BarY));
}

void BuildSide(Gtk::Fixed& gauge, const PressureBarSide& side, float fontScale,
               const std::string& valueColour, unsigned debug)
{
    if (side.ValueText.empty())
        side.ValueText = "0.0";
    SetValueText(side.ValueLabel, side.ValueText, valueColour);
    if (side.ValueBold != 0)
        SetBoldFont(side.ValueLabel, static_cast<int>(fontScale * 1433600));
    PutChild(gauge, side.ValueLabel, side.ValueX, side.ValueY, side.ValueVisible != 0);

    LoadScaled(side.IndicatorImage, side.IndicatorImagePath, side.IndicatorWidth,
               side.IndicatorHeight, debug);
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
    side.ValueLabel.set_text(side.ValueText);
    side.IndicatorAlignment.set(side.XAlign, side.YAlign, side.XScale, side.YScale);
    side.IndicatorAlignment.queue_draw();
    side.ValueStream.str("");
    side.ValueStream.clear();
}

}  // namespace compsupport
