// Screen 1: the 6 x 5 grid of subsystem buttons, each showing whether its
// status cell in the store reads 1 (off or faulty) or 0 (normal). Put on the
// main layout in place of the mini status box, not a notebook page.
#ifndef CABDISPLAY_SCREENS_STATUS_SUBSYSTEMSTATUS_H
#define CABDISPLAY_SCREENS_STATUS_SUBSYSTEMSTATUS_H

#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <string>

#include "CompButtonGrid.h"
#include "StatusFrame.h"

class SubsystemStatus : public Gtk::EventBox, public statusframe::ScreenPictures {
public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = 5;
    static constexpr int kCells = kRows * kColumns;

    // One button: where it sits, its texts and its store cell.
    struct Cell {
        unsigned row;
        unsigned column;
        const char* caption;
        const char* identifier;
        unsigned stateIndex;  // element of SubsystemStates
    };
    // Row by row; cells 19 and 21 of SubsystemStates are no status cells.
    static const Cell kCellTable[kCells];

    SubsystemStatus();
    virtual ~SubsystemStatus();

    void ConstructLayout();
    // One change-detection step per cell, "SS01" to "SS030".
    void UpdateSSScreen();
    // Prints nothing.
    void PrintStatement(std::string text);

    CompButtonGrid m_Grid;
    Gtk::Fixed m_Layout;
    statusframe::Cache<unsigned short> m_CellCaches[kCells];
};

#endif
