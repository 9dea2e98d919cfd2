// The fault pop-up: shows the fault label of a code, looks it up in
// "LookUpError.csv", and for a known fault shows its texts, appends a row to
// the diagnostics log "DiagnosticsData.csv" and hands the subsystem and
// message texts to the data store for the text panel.
#ifndef CABDISPLAY_PANEL_WARNINGPOPUP_H
#define CABDISPLAY_PANEL_WARNINGPOPUP_H

#include <ctime>
#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <sstream>
#include <string>

#include "LogCounts.h"

class WarningPopup : public Gtk::Fixed {
public:
    WarningPopup();
    ~WarningPopup();

    void ConstructLayout();
    // Shows and logs fault `code`; the two texts are not used.
    void UpdateFaultMessage1(unsigned short code, std::string, std::string);
    // Fills LookUpFields from the first table line whose label matches.
    void ReadLookUpData1(std::string label);
    // Sets CountText from the last log line that contains the label: its
    // last count as a plain number, "0" when there is none or it is 200.
    void RetriveCount(std::string label);

    std::string LookUpFields[4];   // label, subsystem text, message, detail
    std::string CodeText;
    short LogLineCounter = 0;
    std::stringstream TextStream;
    std::string PriorityText;
    std::string SubsystemText;
    std::string CountText;
    std::time_t EventTime = 0;
    char EventTimeText[80] = "";
    Gtk::EventBox BackgroundBox;
    Gtk::EventBox CodeRowBox, SubsystemRowBox, MessageRowBox, DetailRowBox;
    Gtk::Image BackgroundImage;
    Gtk::Label CodeRowLabel, SubsystemRowLabel, MessageRowLabel, DetailRowLabel;

private:
    void ClearTextRows();
    void WriteLogRow();

    // The counts of the log, read whole only when it changed under us.
    faultlog::LogCounts Counts;
};

#endif
