#include "DpwcsSelectLoco.h"

#include "ReadMVBData.h"
#include "SettingsWidgets.h"

using namespace settingsui;

DpwcsSelectLoco::DpwcsSelectLoco()
{
    ConstructLayout();
}

DpwcsSelectLoco::~DpwcsSelectLoco() = default;

void DpwcsSelectLoco::ConstructLayout()
{
    m_MasterGrid.Rows = 1;
    m_MasterGrid.Columns = 1;
    m_MasterGrid.CellTexts[0] = "Master";
    m_MasterGrid.CellWidth = 95;
    m_MasterGrid.CellHeight = 40;
    m_MasterGrid.ConstructLayout();
    put(m_MasterGrid, 10, 80);

    m_SlaveGrid.Rows = 1;
    m_SlaveGrid.Columns = kRoles - 1;
    for (int slave = 1; slave < kRoles; ++slave)
        m_SlaveGrid.CellTexts[slave - 1] = "Slave " + std::to_string(slave);
    m_SlaveGrid.CellWidth = 95;
    m_SlaveGrid.CellHeight = 40;
    m_SlaveGrid.ColumnSpacing = 8;
    m_SlaveGrid.ConstructLayout();
    put(m_SlaveGrid, 160, 80);

    BuildMessageBox(m_MessageBox, m_MessageLabel, "Confirm", 95, 40);
    put(m_MessageBox, 200, 150);
    show_all_children(true);
}

void DpwcsSelectLoco::UpdateDpwcsSelectLocoScreen()
{
    for (int role = 0; role < kRoles; ++role) {
        const std::string& name = ReadMVBData::getInstance()->LocoRoleNames[role];
        if (name == m_RoleNameCache[role])
            continue;
        m_RoleNameCache[role] = name;
        Gtk::Label* tile = role == 0 ? m_MasterGrid.CellLabels[0][0] : m_SlaveGrid.CellLabels[0][role - 1];
        tile->set_text(name);
    }
}
