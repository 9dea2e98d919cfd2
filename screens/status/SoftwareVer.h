// Screen 17: the software version word of each bus node, and the display
// unit's own version in the last row.
#ifndef CABDISPLAY_SCREENS_STATUS_SOFTWAREVER_H
#define CABDISPLAY_SCREENS_STATUS_SOFTWAREVER_H

#include "StatusFrame.h"

class SoftwareVer : public Gtk::VBox {
public:
    SoftwareVer();
    virtual ~SoftwareVer();

    void ConstructLayout();
    void UpdateNode();

    static const statusframe::ValueSpec<unsigned short> kVersionTable[7];
    static const char* const kDisplayVersion;  // "2280312"

    CompSingleVal m_VersionRows[7];
    CompSingleVal m_DisplayRow;
    std::stringstream m_Stream;
    statusframe::Cache<unsigned short> m_VersionCaches[7];
};

#endif
