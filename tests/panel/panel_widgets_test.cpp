// The panel's replaced tables are freed, whether they were on the panel or
// not: a message shown every tick must not leave a table behind each time.
#include <gtest/gtest.h>
#include <gtkmm/fixed.h>
#include <gtkmm/label.h>
#include <gtkmm/table.h>

#include "PanelWidgets.h"
#include "TestSupport.h"

namespace {

// Object data is let go only when the toolkit object is finalized (its memory
// given back), not when it is merely destroyed.
void MarkFreed(gpointer freed) { *static_cast<bool*>(freed) = true; }

void WatchFinalize(Gtk::Widget& widget, bool& freed)
{
    g_object_set_data_full(G_OBJECT(widget.gobj()), "cabdisplay-test-probe", &freed, &MarkFreed);
}

struct ReplaceCase {
    const char* name;
    bool putFirst;
};

class ReplacedTable : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplacedTable, IsFreedWithItsRows)
{
    testsupport::InitToolkit();
    Gtk::Fixed area;
    Gtk::Table* table = nullptr;
    panelwidgets::ReplaceTable(area, table);
    Gtk::Label* row = Gtk::manage(new Gtk::Label("SS06 : TRACTION_BOGEL_1"));
    table->attach(*row, 0, 1, 0, 1);
    if (GetParam().putFirst) panelwidgets::PutAt(area, *table, 0, 0);

    bool tableFreed = false, rowFreed = false;
    WatchFinalize(*table, tableFreed);
    WatchFinalize(*row, rowFreed);
    panelwidgets::ReplaceTable(area, table);

    EXPECT_TRUE(tableFreed);
    EXPECT_TRUE(rowFreed);
    EXPECT_EQ(nullptr, table->get_parent());
    delete table;
}

INSTANTIATE_TEST_SUITE_P(Tables, ReplacedTable,
                         ::testing::Values(ReplaceCase{"on_the_panel", true}, ReplaceCase{"never_put", false}),
                         [](const ::testing::TestParamInfo<ReplaceCase>& info) { return info.param.name; });

}  // namespace
