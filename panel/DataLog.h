// Copy of the diagnostics log to the first USB stick under the media root.
// Whatever a stick holds, the copy writes one regular file inside the
// stick's folder, or nothing: a new file of an unpredictable name beside
// the old one, synced, then renamed over "DiagnosticsData.csv" (what killed
// copies left is removed first). Links, pipes and devices are never opened,
// and the log is only read. Its only lasting effect on the display
// is the store's UsbCopyStatus: 1 stick present or no copy made, 2 log
// copied (and on the stick), 3 export running.
#ifndef CABDISPLAY_PANEL_DATALOG_H
#define CABDISPLAY_PANEL_DATALOG_H

#include <sstream>
#include <string>
#include <vector>

#include "FaultLog.h"

class DataLog {
public:
    DataLog();
    ~DataLog();

    void Initialaization();
    // UsbCopyStatus 3, then the export; returns 0.
    int findUsb();
    // The export: copies only while FunctionKeyMode is FunctionKeyCopy (f1);
    // returns 0.
    int findUsb1();

    std::string m_Command;
    std::string m_VolumeName;
    std::stringstream m_TextStream;
};

namespace datalog {

// The write step of the copy onto a stick; tests replace it, e.g. to pull
// the stick out half-way.
extern fileio::WriteFunction Write;

// The volume names that the export tries, in order, from the bytes of a
// media listing: bytes '0'..'z' collect a name; any other byte ends it when
// it holds more than 3 characters, else the name goes on with the next run.
std::vector<std::string> VolumeNames(const std::string& listing);

}  // namespace datalog

#endif
