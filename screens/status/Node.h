// Screen 12: the status word of each bus node as a plain decimal number.
#ifndef CABDISPLAY_SCREENS_STATUS_NODE_H
#define CABDISPLAY_SCREENS_STATUS_NODE_H

#include "StatusFrame.h"

class Node : public Gtk::VBox {
public:
    Node();
    virtual ~Node();

    void ConstructLayout();
    void UpdateNode();

    static const statusframe::ValueSpec<unsigned short> kNodeTable[7];

    CompSingleVal m_NodeRows[7];
    std::stringstream m_Stream;
    statusframe::Cache<unsigned short> m_NodeCaches[7];
};

#endif
