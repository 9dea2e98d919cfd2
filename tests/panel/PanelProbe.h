// A fresh text panel per test with the static texts put back afterwards, the
// main layout's key steps for the panel menu, and readers of what it shows.
#ifndef CABDISPLAY_TESTS_PANEL_PANELPROBE_H
#define CABDISPLAY_TESTS_PANEL_PANELPROBE_H

#include <algorithm>
#include <gtkmm/label.h>
#include <memory>
#include <string>
#include <vector>

#include "InfoPanel.h"
#include "PanelFixture.h"

namespace paneltest {

// The rewritable static texts, saved and restored around a test.
class PanelTexts {
public:
    void Save()
    {
        for (Table& t : tables_) t.saved.assign(t.texts, t.texts + t.count);
    }
    void Restore() const
    {
        for (const Table& t : tables_) std::copy(t.saved.begin(), t.saved.end(), t.texts);
    }

private:
    struct Table {
        std::string* texts;
        int count;
        std::vector<std::string> saved;
    };
    std::vector<Table> tables_{{MainMenu, 3, {}},          {HeaderValuesVD, 3, {}},      {HeaderValuesITB, 2, {}},
                               {SimulationInfo, 5, {}},    {&subsystem_scnHeader, 1, {}}, {&BrouseModeHeading, 1, {}},
                               {&BrouseModeMsg, 1, {}}};
};

class PanelFixture : public WidgetFixture {
protected:
    void SetUp() override
    {
        WidgetFixture::SetUp();
        texts.Save();
        panel.reset(new InfoPanel());
        panel->ConstructLayout();
    }
    void TearDown() override
    {
        panel.reset();
        texts.Restore();
        WidgetFixture::TearDown();
    }

    // The main layout's handling of the keys while the menu can take them.
    void Key(char key)
    {
        InfoPanel& p = *panel;
        switch (key) {
        case 'M':
            if (p.m_MenuActive) {
                store->SelfHoldMode = 0;
                p.DisconnectToKey();
                p.m_MenuActive = 0;
                p.m_Section = 9;
                p.m_CursorIndex = 1;
                p.UpdateEnterInfoPanelSection();
            } else {
                p.m_MenuActive = 1;
                p.m_Section = 0;
                p.m_CursorIndex = 0;
                p.Make_Main_Screen();
                p.ConnectToKey();
            }
            break;
        case 'U': if (p.m_MenuActive == 1) p.NavigateIndicator(77); break;
        case 'D': if (p.m_MenuActive == 1) p.NavigateIndicator(141); break;
        case 'E':
            if (p.m_MenuActive != 1) break;
            p.ConnectToKey();
            p.UpdateEnterInfoPanelSection();
            for (unsigned short* request : {&store->EnergyMenuRequest, &store->InchingMenuRequest}) {
                if (*request == 1) {
                    jumps += request == &store->EnergyMenuRequest ? "9" : "13";
                    *request = 0;
                    p.m_MenuActive = 0;
                }
            }
            break;
        case 'C':
            if (p.m_MenuActive != 1) break;
            p.m_CursorIndex = 0;
            p.ConnectToKey();
            p.UpdateCancelInfoPanelSection();
            break;
        }
    }
    void Keys(const std::string& keys)
    {
        for (char k : keys) Key(k);
    }
    // The browse view of loco 31234, opened from the menu, with these fault
    // texts in the store.
    void ShowBrowseView(const std::string& subsystem, const std::string& message)
    {
        store->LocoNumber = 31234;
        panel->UpdateInfoPanelValues();
        store->CurrentFaultSubsystem = subsystem;
        store->CurrentFaultMessage = message;
        Keys("MEDDE");
    }

    std::string Heading() const { return panel->m_HeadingLabel.get_text(); }
    std::string Label(int k) const { return panel->m_InfoLabels[k - 1].get_text(); }
    bool InfoShown() const { return panel->m_InfoTable.get_parent() == &panel->m_Fixed; }
    bool CursorShown() const
    {
        return panel->m_CursorLabel.get_parent() == &panel->m_Fixed && panel->m_CursorLabel.get_child_visible();
    }
    // Rows of the list table when it is on the panel, top first.
    std::vector<std::string> ListRows() const
    {
        std::vector<std::string> rows;
        if (panel->m_ListTable->get_parent() != &panel->m_Fixed) return rows;
        std::vector<Gtk::Widget*> cells = panel->m_ListTable->get_children();
        std::reverse(cells.begin(), cells.end());   // the table keeps its newest child first
        for (Gtk::Widget* cell : cells) {
            auto* box = dynamic_cast<Gtk::Container*>(cell);
            std::vector<Gtk::Widget*> inside;
            if (box) inside = box->get_children();
            auto* label = inside.empty() ? nullptr : dynamic_cast<Gtk::Label*>(inside.front());
            rows.push_back(label ? std::string(label->get_text()) : std::string("?"));
        }
        return rows;
    }
    std::string Colour(int k) const
    {
        return panel->m_InfoLabels[k - 1].get_modifier_style()->get_fg(Gtk::STATE_NORMAL).to_string();
    }

    PanelTexts texts;
    std::unique_ptr<InfoPanel> panel;
    std::string jumps;
};

}  // namespace paneltest

#endif
