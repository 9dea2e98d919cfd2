// The display's screens: for each UI state (ScreenId), what the title bar says
// for it, what is made visible, and which refresh work the 100 ms tick does
// while it is shown.
#ifndef CABDISPLAY_SHELL_SCREENTABLE_H
#define CABDISPLAY_SHELL_SCREENTABLE_H

#include "ScreenIds.h"

// How a screen is made visible.
enum class ScreenShow {
    Page,              // a page of the screen notebook
    SubsystemPanel,    // the subsystem status panel put on the layout
    FaultPopup,        // the fault pop-up, put by the refresh tick
    DiagnosticsPanel,  // the diagnostics table, put by the f3 key
};

struct ScreenEntry {
    ScreenId id;
    const char* title;  // null: the title is left as it is
    const char* icon;   // 48 x 48 title icon; null: left as it is
    ScreenShow show;
    int page;           // notebook page; -1 when the screen is no page
};

// The table of all states, in index order.
extern const ScreenEntry kScreenTable[kScreenCount];

// The entry of an index; null outside 0..20.
const ScreenEntry* FindScreen(short id);

// True for the indices that ChangeScreen switches to (0..18).
inline bool IsSwitchableScreen(short id) { return id >= ScreenMain && id <= ScreenPassword; }

// One piece of refresh work of the 100 ms tick.
enum class RefreshStep {
    SSMini,           // mini subsystem status and motor grids
    SSMiniNext,       // pressure and sanding grid
    SSMiniExtended,   // locomotive state grid and indicator pictures
    DefaultScreen,    // pantographs, effort bar, line-voltage dial
    ProgressBar,      // current and voltage bars
    MasterSlave,      // caption line
    TitleBar,         // title bar values and the stick detection
    SubsystemScreen,  // the subsystem status panel's own refresh
    Screen,           // the shown screen's own refresh
    Panel,            // the text panel
    FaultPopup,       // puts the fault pop-up up (once per fault)
    End,
};

// The refresh work for a shown index, in order, ending with End. Indices
// without work give a list holding End only.
const RefreshStep* RefreshPlan(short shown);

#endif
