// Renders the gauge and the value row, set up as their owners set them up,
// with the real image set (./Images of the build tree), into ./renders/.
#include "CompCircularGauge.h"
#include "DialTestSupport.h"
#include "CompValueIndicator.h"

#include "TestSupport.h"

#include <gtkmm/eventbox.h>

#include <iostream>

namespace {

int failures = 0;

void Save(Gtk::Widget& widget, int w, int h, const std::string& name, bool checkTexts = true)
{
    const ::testing::AssertionResult rendered =
        testsupport::SnapshotWidget(widget, w, h, "./renders/" + name + ".png", checkTexts);
    std::cout << (rendered ? "rendered " : "FAILED ") << rendered.message() << std::endl;
    if (!rendered)
        ++failures;
}

// The main screen's gauge: white 384 x 270 box, gauge with border 2.
void RenderGauge(short speed, short volt, const std::string& name)
{
    Gtk::EventBox box;
    box.modify_bg(Gtk::STATE_NORMAL, Gdk::Color("white"));
    box.set_size_request(384, 270);
    CompCircularGauge gauge;
    gauge.set_border_width(2);
    dialtest::ConfigureAsMainScreen(gauge);
    gauge.ConstructLayout();
    gauge.UpdateSpeed(speed);
    gauge.UpdateVolt(volt);
    box.add(gauge);
    Save(box, 384, 270, name);
    box.remove();
}

// The gauge with its defaults, as its demonstration shows it: its texts
// have no boxes of their own until an owner gives them sizes.
void RenderDemoGauge()
{
    CompCircularGauge gauge;
    gauge.ConstructLayout();
    Save(gauge, 420, 300, "CompCircularGauge-demo", false);
}

// A converter table row (three values) and a motor row (six values).
void RenderRow(bool six, const std::string& name)
{
    CompValueIndicator row;
    if (six) {
        row.CaptionText = "Traction Motor Temperature";
        row.UnitImagePath = "./Images/CelsiusUnit.jpg";
        row.SixValues = 1;
        row.ValueBackgroundPath = "./Images/ValIndicator6.jpg";
    } else {
        row.CaptionText = "DC Link Voltage";
        row.UnitImagePath = "./Images/VoltsUnit.jpg";
    }
    row.ConstructLayout();
    const char* values[] = {"612", "598", "605", "71", "69", "73"};
    for (int k = 0; k < (six ? 6 : 3); ++k)
        row.ValueLabels[k].set_text(values[k]);
    Gtk::EventBox back;
    back.modify_bg(Gtk::STATE_NORMAL, Gdk::Color("black"));
    back.add(row);
    Save(back, 600, 30, name);
    back.remove();
}

}  // namespace

int main()
{
    testsupport::InitToolkit();
    RenderGauge(0, 0, "CompCircularGauge");
    RenderGauge(100, 110, "CompCircularGauge-100kmph-110V");
    RenderGauge(180, 150, "CompCircularGauge-180kmph-150V");
    RenderDemoGauge();
    RenderRow(false, "CompValueIndicator");
    RenderRow(true, "CompValueIndicator-six");
    return failures == 0 ? 0 : 1;
}
