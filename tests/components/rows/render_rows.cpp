// Renders the four row components as the status screens configure them, on
// the display's dark background, into renders/<Class>.png. Runs from the
// build directory so that ./Images is the built picture set.
#include "CompBoolValRect.h"
#include "CompDualVal.h"
#include "CompProgressBarHolder.h"
#include "CompSingleVal.h"
#include "TestSupport.h"

#include <gtkmm.h>

#include <fstream>
#include <iostream>

namespace {

// A dark panel holding rows one under the other, as a screen stacks them.
class Panel : public Gtk::EventBox {
public:
    Panel()
    {
        modify_bg(Gtk::STATE_NORMAL, Gdk::Color("#101418"));
        rows_.set_spacing(6);
        rows_.set_border_width(10);
        add(rows_);
    }
    void Add(Gtk::Widget& row) { rows_.pack_start(row, Gtk::PACK_SHRINK, 0); }

private:
    Gtk::VBox rows_;
};

bool Save(Panel& panel, int rows, const std::string& name)
{
    const ::testing::AssertionResult rendered =
        testsupport::SnapshotWidget(panel, 620, 20 + rows * 24, "renders/" + name + ".png");
    std::cout << (rendered ? "rendered " : "FAILED ") << rendered.message() << std::endl;
    return static_cast<bool>(rendered);
}

bool RenderLampRows()
{
    CompBoolValRect panto1, panto2, lampOn, lampOff;
    const std::pair<CompBoolValRect*, const char*> rows[] = {
        {&panto1, "Panto 1"}, {&panto2, "Panto 2"}, {&lampOn, "Driver Switch for Panto"},
        {&lampOff, "Minimum Voltage Relay"}};
    Panel panel;
    for (const auto& row : rows) {
        row.first->CaptionText = row.second;
        row.first->StatusOn = 0;
        row.first->CaptionCellVisible = 1;
        row.first->StatusCellVisible = 1;
        row.first->ConstructLayout();
        panel.Add(*row.first);
    }
    panto1.PantoStatus(10);
    panto2.PantoStatus(20);
    lampOn.SetImageStatus(1);
    lampOff.SetImageStatus(0);
    return Save(panel, 4, "CompBoolValRect");
}

bool RenderPairRows()
{
    CompDualVal contactor, voltage, current;
    contactor.CaptionText = "Converter Input Contactor";
    contactor.ShowValueTexts = 0;
    contactor.UnitImagePath = "./Images/NULLUnit.jpg";
    for (CompDualVal* row : {&voltage, &current}) {
        row->ShowValueTexts = 1;
        row->OnImagePath = row->OffImagePath = "./Images/ValIndicator2.jpg";
        row->LeftValueText = row->RightValueText = "0";
    }
    voltage.CaptionText = "DC Link Voltage";
    voltage.UnitImagePath = "./Images/VoltsUnit.jpg";
    current.CaptionText = "Input Currents";
    current.UnitImagePath = "./Images/AmpsUnit.jpg";
    Panel panel;
    for (CompDualVal* row : {&contactor, &voltage, &current}) {
        row->ConstructLayout();
        panel.Add(*row);
    }
    // What the screens' refresh does: left converter on, values written.
    contactor.GetReSizedImage(contactor.LeftStateImage, "./Images/DualBoolValON.jpg", 160, 18);
    voltage.LeftValueLabel.set_text("1750");
    voltage.RightValueLabel.set_text("1748");
    current.LeftValueLabel.set_text("412");
    current.RightValueLabel.set_text("409");
    return Save(panel, 3, "CompDualVal");
}

bool RenderValueRows()
{
    CompSingleVal demo, primary, loco;
    demo.CaptionText = "abc";
    demo.UnitImagePath = "./Images/HertzUnit.jpg";
    primary.CaptionText = "Primary Current";
    primary.ValueText = "0.0";
    primary.UnitImagePath = "./Images/AmpsUnit.jpg";
    loco.CaptionText = "Loco Type";
    loco.ValueText = "WAG-9";
    Panel panel;
    for (CompSingleVal* row : {&demo, &primary, &loco}) {
        row->ConstructLayout();
        panel.Add(*row);
    }
    primary.ValueLabel.set_text("123.4");
    return Save(panel, 3, "CompSingleVal");
}

bool RenderBarRows()
{
    CompProgressBarHolder demo, demand, pressure;
    demand.CaptionText = "TE Demand(W)";
    demand.UnitImagePath = "./Images/KilonewtonUnit.jpg";
    pressure.CaptionText = "BP Pressure";
    pressure.ValueText = "0.0";
    pressure.UnitImagePath = "./Images/BarUnit.jpg";
    Panel panel;
    for (CompProgressBarHolder* row : {&demo, &demand, &pressure}) {
        row->ConstructLayout();
        panel.Add(*row);
    }
    demo.SetProgressBarInd(56.23f);
    demand.ValueLabel.set_text("250");
    demand.SetProgressBarInd(55.5f);
    pressure.ValueLabel.set_text("5.0");
    pressure.SetProgressBarInd(100);
    return Save(panel, 3, "CompProgressBarHolder");
}

}  // namespace

int main()
{
    testsupport::InitToolkit();
    if (!std::ifstream("./Images/GreyBox.png").good())
        std::cout << "no ./Images here yet: rendering without pictures" << std::endl;
    bool saved = RenderLampRows();
    saved = RenderPairRows() && saved;
    saved = RenderValueRows() && saved;
    saved = RenderBarRows() && saved;
    return saved ? 0 : 1;
}
