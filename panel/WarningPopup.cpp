#include "WarningPopup.h"

#include <climits>
#include <cstring>
#include <iostream>

#include "FaultLog.h"
#include "PopupLayout.h"
#include "ReadMVBData.h"

namespace {

const char* SourceWord(unsigned short faultSource)
{
    switch (faultSource) {
    case 10: return "Master";
    case 40: return "Master and Slave";
    default: return "Slave";
    }
}

}  // namespace

WarningPopup::WarningPopup()
{
    ConstructLayout();
}

WarningPopup::~WarningPopup() = default;

void WarningPopup::ConstructLayout()
{
    popuplayout::Build(*this, BackgroundBox, BackgroundImage, "./Images/WarningPopup.png",
                       {{&CodeRowBox, &SubsystemRowBox, &MessageRowBox, &DetailRowBox},
                        {&CodeRowLabel, &SubsystemRowLabel, &MessageRowLabel, &DetailRowLabel}},
                       "red");
}

void WarningPopup::ClearTextRows()
{
    SubsystemRowLabel.set_text(" ");
    MessageRowLabel.set_text(" ");
    DetailRowLabel.set_text(" ");
}

void WarningPopup::UpdateFaultMessage1(unsigned short code, std::string, std::string)
{
    const unsigned short priority = code / 10000;
    TextStream.str("");
    TextStream << priority;
    PriorityText = TextStream.str();
    CodeText = faultlog::FaultLabel(code);
    popuplayout::ShowRow(CodeRowLabel, 0, CodeText);

    ReadLookUpData1(CodeText);
    if (LookUpFields[0] != CodeText) {
        // Unknown fault: no texts of an earlier fault under this label.
        ClearTextRows();
        return;
    }

    ReadMVBData* store = ReadMVBData::getInstance();
    // The rows show the table's texts cut to the text field; the log row and
    // the store keep them whole.
    popuplayout::ShowRow(CodeRowLabel, 0, LookUpFields[0] + " " + SourceWord(store->FaultSource));
    popuplayout::ShowRow(SubsystemRowLabel, 1, LookUpFields[1]);
    popuplayout::ShowRow(MessageRowLabel, 2, LookUpFields[2]);
    popuplayout::ShowRow(DetailRowLabel, 3, LookUpFields[3]);

    RetriveCount(CodeText);
    // A count that cannot grow (a damaged log) starts again.
    const int lastCount = faultlog::CountValue(CountText);
    TextStream.str("");
    TextStream << (lastCount < INT_MAX ? lastCount + 1 : 1);
    CountText = TextStream.str();

    WriteLogRow();
    store->CurrentFaultMessage = LookUpFields[2];
    store->CurrentFaultSubsystem = LookUpFields[1];
}

// Appends this fault's row; a log that cannot be written is reported on
// standard output and keeps its earlier rows as they were.
void WarningPopup::WriteLogRow()
{
    SubsystemText = "SS " + faultlog::SubsystemNumber(LookUpFields[1]);
    EventTime = faultlog::Clock();
    const std::string when = faultlog::EventTimeText(EventTime);
    std::strncpy(EventTimeText, when.c_str(), sizeof EventTimeText - 1);
    EventTimeText[sizeof EventTimeText - 1] = '\0';

    TextStream.str("");
    TextStream << static_cast<short>(LogLineCounter + 1);
    const std::string fields[6] = {CodeText, PriorityText, SubsystemText, EventTimeText, LookUpFields[2], CountText};
    const std::string row = faultlog::LogRow(TextStream.str(), fields);
    const fileio::Outcome appended = fileio::AppendRow(faultlog::kLogFile, row);
    fileio::Report(faultlog::kLogFile, "not written", appended);
    if (!appended.ok()) {
        std::cout << "ERROR IN OPENING FILE" << std::endl;
        return;
    }
    Counts.Appended(row);
    ++LogLineCounter;
}

void WarningPopup::ReadLookUpData1(std::string label)
{
    for (std::string& field : LookUpFields) field.clear();
    bool first = true;
    fileio::LinesRead read;
    const fileio::Outcome outcome = fileio::ReadLines(faultlog::kLookUpFile, faultlog::kLookUpLimits,
                                                      [&](const char* text, std::size_t size) {
        std::string line(text, size);
        if (first) faultlog::SkipByteOrderMark(line);
        first = false;
        // Only a line that holds the label can start with it.
        if (line.find(label) == std::string::npos) return true;
        const std::vector<std::string> tokens = faultlog::LookUpTokens(line);
        if (tokens.empty() || tokens[0] != label) return true;
        for (std::size_t i = 0; i < tokens.size() && i < 4; ++i) LookUpFields[i] = tokens[i];
        return false;  // the first match wins
    }, &read);
    fileio::Report(faultlog::kLookUpFile, "not read", fileio::ToReport(outcome, read, faultlog::kLookUpLimits));
    if (!outcome.ok()) {
        // Nothing of a table cut short or refused is used.
        for (std::string& field : LookUpFields) field.clear();
        std::cout << "Error Opening Look Up Error File" << std::endl;
    }
}

void WarningPopup::RetriveCount(std::string label)
{
    CountText.clear();
    faultlog::LastCount last;
    const bool found = Counts.Find(label, last);
    fileio::Report(faultlog::kLogFile, "not read", Counts.LastRead());
    if (!found) {
        std::cout << "Error Opening Diagnostic Data File" << std::endl;
        CountText = "0";
        return;
    }
    // No line with the label, or the wrap at 200: the count starts again.
    CountText = !last.found || last.value == 200 ? "0" : std::to_string(last.value);
}
