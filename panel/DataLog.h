// Copy of the diagnostics log to the first USB stick under the media root.
// Its only lasting effect is the store's UsbCopyStatus:
// 1 stick present or no copy made, 2 log copied, 3 export running.
#ifndef CABDISPLAY_PANEL_DATALOG_H
#define CABDISPLAY_PANEL_DATALOG_H

#include <sstream>
#include <string>
#include <vector>

class DataLog {
public:
    DataLog();
    ~DataLog();

    void Initialaization();
    // UsbCopyStatus 3, then the export; returns 0.
    int findUsb();
    // The export: copies only while FunctionKeyMode is 105; returns 0.
    int findUsb1();

    std::string m_Command;
    std::string m_VolumeName;
    std::stringstream m_TextStream;
};

namespace datalog {

// Copies the file without a shell: open, read, write all, fsync, close,
// every step checked. A failed copy removes nothing but may leave a partial
// target. False on any failure.
bool CopyFile(const std::string& source, const std::string& target);

// The volume names that the export tries, in order, from the bytes of a
// media listing: bytes '0'..'z' collect a name; any other byte ends it when
// it holds more than 3 characters, else the name goes on with the next run.
std::vector<std::string> VolumeNames(const std::string& listing);

}  // namespace datalog

#endif
