// What the status screen tests share: a store without the bus, solid-colour
// fixture pictures in a private working directory, a running locomotive's
// store values, and probes into the built rows.
#ifndef CABDISPLAY_TESTS_STATUS_STATUSFIXTURE_H
#define CABDISPLAY_TESTS_STATUS_STATUSFIXTURE_H

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CompProgressBarHolder.h"
#include "ReadMVBData.h"
#include "RowProbe.h"
#include "TestSupport.h"

namespace statustest {

// Every picture the status screens and their rows load, each a colour of its
// own, so an image shows which file it was loaded from.
const std::map<std::string, unsigned>& PictureColours();
void WriteAllPictures();
// Every picture present under its name but not decodable.
void WriteBrokenPictures();
// Which fixture picture an image shows ("" none, "?" an unknown one).
std::string LoadedFrom(Gtk::Image& image);

// A fresh store at its start values, installed as the one instance.
ReadMVBData& FreshStore();
// The store as a running locomotive has it: pantographs up, line and
// battery voltage, currents, efforts, pressures, temperatures, counters,
// and the bar ranges the decode tick writes.
void SetRunningLocomotive(ReadMVBData& store);
// Only the bar ranges the decode tick writes on every tick.
void SetBarRanges(ReadMVBData& store);

// Probes.
std::string Text(const Gtk::Label& label);
using rowprobe::Background;
using rowprobe::Children;
using rowprobe::Requested;
// What a widget asks of its owner.
inline std::pair<int, int> NaturalSize(Gtk::Widget& widget) { return rowprobe::RowSize(widget); }
void Descendants(Gtk::Widget& top, std::vector<Gtk::Widget*>& out);
// A bar as the driver sees it: hidden, or its width in pixels.
int BarWidth(CompProgressBarHolder& row);

// Screen tests: toolkit up, private working directory with the pictures,
// a fresh store.
class StatusTest : public ::testing::Test {
protected:
    void SetUp() override;
    ReadMVBData& store() { return *ReadMVBData::instance; }
    std::unique_ptr<testsupport::TempWorkDir> dir_;
};

// The thirteen screens behind one face, for the checks that run over all.
struct AnyScreen {
    virtual ~AnyScreen() = default;
    virtual Gtk::Widget& widget() = 0;
    virtual void Update() = 0;
};
struct ScreenKind {
    const char* name;
    std::function<std::unique_ptr<AnyScreen>()> make;
    int width;   // the size the screen is shown at
    int height;
};
const std::vector<ScreenKind>& AllScreens();

}  // namespace statustest

#endif
