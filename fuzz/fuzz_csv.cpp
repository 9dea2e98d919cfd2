// Fault files fuzz target: any content of "LookUpError.csv" and
// "DiagnosticsData.csv" through the fault pop-up's look-up, count and log
// row, and through the diagnostics screen's pages.
//   - the look-up's fields come from one line of the table, the first one
//     holding the label; the label of a known fault is the label asked for;
//   - a count is a whole number of at least 1;
//   - the row appended is one whole line after the old content, which stays;
//   - the diagnostics pages stay inside their 15 rows and 7 columns, and
//     paging never goes before the newest page;
//   - both are shown in an 800 x 600 window, as the main layout puts them,
//     and no text makes the window grow (nor, with an X error, stops it).
//
// Input: byte 0 chooses the file the content goes to (even: the look-up
// table, odd: the log); byte 1 with byte 2 is the fault code; the rest is the
// file's content. The other file holds one known row.
#include "FuzzSupport.h"

#include "DiagnosticScreen.h"
#include "FaultLog.h"
#include "ReadMVBData.h"
#include "WarningPopup.h"

#include <glib.h>
#include <gtkmm/fixed.h>
#include <gtkmm/main.h>
#include <gtkmm/window.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using fuzzsupport::Check;

const char kKnownLookUp[] = "\"F0107P2\",\"SS07 : BUR_2\",\"Auxiliary converter 2 out of service\",\"over-current.\"\n";
const char kKnownLog[] = "\"1\" \"F0107P2\" \"2\" \"SS 07\" \"2026-01-01  10:00:00\" \"Auxiliary\" \"3\"\n";

std::string ReadAll(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteAll(const char* path, const uint8_t* data, size_t size)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                    static_cast<std::streamsize>(size));
}

void Drain()
{
    while (Gtk::Main::events_pending())
        Gtk::Main::iteration(false);
}

std::time_t FixedClock() { return 1767261600; }

// The window of the display, holding the pop-up and the diagnostics screen
// where the main layout puts them.
struct ShownWindow {
    Gtk::Window window;
    Gtk::Fixed area;
    WarningPopup popup;
    DiagnosticScreen screen;

    ShownWindow()
    {
        window.set_default_size(800, 600);
        window.add(area);
        area.put(popup, 3, 3);
        area.put(screen, 5, 64);
        window.show_all();
        Drain();
    }

    void CheckSize()
    {
        Drain();
        const Gtk::Requisition wanted = window.size_request();
        Check(wanted.width <= 800 && wanted.height <= 600, "a text asks for more than the window");
        int width = 0, height = 0;
        window.get_window()->get_size(width, height);
        Check(width == 800 && height == 600, "the window is no longer 800 x 600");
    }
};

void CheckPopup(WarningPopup& popup, unsigned short code, const std::string& logBefore)
{
    popup.UpdateFaultMessage1(code, "", "");
    const std::string label = faultlog::FaultLabel(code);
    const std::string logAfter = ReadAll(faultlog::kLogFile);
    if (popup.LookUpFields[0] != label) {
        Check(logAfter == logBefore, "the log changed for an unknown fault");
        return;
    }
    Check(ReadAll(faultlog::kLookUpFile).find(label) != std::string::npos, "a known fault not in the table");
    // The count: a whole number, one more than the last one logged.
    const int count = faultlog::CountValue(popup.CountText);
    Check(count >= 1, "count below 1");
    Check(popup.CountText == std::to_string(count), "count text not a plain number");
    if (logAfter == logBefore)
        return;  // the log could not be written
    // The old content stays, ended by a line feed, and one whole row follows.
    const std::string kept = logBefore.empty() || logBefore.back() == '\n' ? logBefore : logBefore + "\n";
    Check(logAfter.compare(0, kept.size(), kept) == 0, "the old log content did not stay");
    const std::string row = logAfter.substr(kept.size());
    Check(!row.empty() && row.back() == '\n' && row.find('\n') == row.size() - 1, "the new row is not one line");
    Check(row.find(label) != std::string::npos, "the new row lacks the label");
}

void CheckPages(DiagnosticScreen& screen)
{
    screen.Page = 1;
    screen.TimerFunc();
    Drain();
    Check(screen.RowIndex >= 0 && screen.RowIndex <= 15, "page row index outside the page");
    for (int step = 0; step < 6; ++step) {
        screen.changepage(step < 4 ? 1 : 0);
        screen.TimerFunc();
        Drain();
        Check(screen.RowIndex >= 0 && screen.RowIndex <= 15, "page row index outside the page");
        Check(screen.Page >= 0, "paged before the newest rows");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzsupport::QuietInPrivateWorkDir(argc, argv);
    g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_ERROR));
    static int toolkitArgc = 1;
    static char name[] = "fuzz_csv";
    static char* args[] = {name, nullptr};
    static char** toolkitArgv = args;
    new Gtk::Main(toolkitArgc, toolkitArgv);
    ReadMVBData::instance = new ReadMVBData(ReadMVBData::StartValuesOnly{});
    faultlog::Clock = FixedClock;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    static ShownWindow* shown = new ShownWindow;
    WarningPopup* popup = &shown->popup;
    DiagnosticScreen* screen = &shown->screen;
    const bool lookUp = data[0] % 2 == 0;
    const unsigned short code = static_cast<unsigned short>(data[1] << 8 | data[2]);
    if (lookUp) {
        WriteAll(faultlog::kLookUpFile, data + 3, size - 3);
        std::ofstream(faultlog::kLogFile, std::ios::trunc) << kKnownLog;
    } else {
        std::ofstream(faultlog::kLookUpFile, std::ios::trunc) << kKnownLookUp;
        WriteAll(faultlog::kLogFile, data + 3, size - 3);
    }
    const std::string logBefore = ReadAll(faultlog::kLogFile);
    CheckPopup(*popup, code, logBefore);
    shown->CheckSize();
    CheckPopup(*popup, 20107, ReadAll(faultlog::kLogFile));
    CheckPages(*screen);
    shown->CheckSize();

    // The table's small steps on the content's lines.
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data + 3), size - 3));
    std::string line, run;
    while (std::getline(lines, line)) {
        for (const std::string& token : faultlog::LookUpTokens(line))
            Check(!token.empty() && token.find('"') == std::string::npos, "a look-up token empty or quoted");
        if (faultlog::LastDigitRun(line, run))
            Check(!run.empty() && run.find_first_not_of("0123456789") == std::string::npos, "digit run not digits");
        Check(faultlog::CountValue(line.substr(0, 12)) >= 0, "negative count");
        faultlog::SubsystemNumber(line);
    }
    return 0;
}
