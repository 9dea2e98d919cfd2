// A real main layout in a shown window, on the real store with the device
// model inside the test program (CABDISPLAY_MVB=model) and a pseudo-terminal
// keypad, its decode ticks run by the tests alone: the working directory
// holds the build's pictures, with the ones the
// tests look at replaced by solid colours, so a widget's picture tells which
// file was loaded.
#ifndef CABDISPLAY_TESTS_SHELL_LAYOUTFIXTURE_H
#define CABDISPLAY_TESTS_SHELL_LAYOUTFIXTURE_H

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <string>

#include "BasicLayout.h"
#include "PseudoKeypad.h"
#include "ReadMVBData.h"
#include "TestSupport.h"

namespace shelltest {

// The solid colour a marked picture was written with (0xRRGGBB); 0 for a
// picture that is not marked.
unsigned MarkColour(const std::string& path);

// The colour at the middle of what an image shows; 0xFFFFFFFF when it shows
// nothing.
unsigned ShownColour(Gtk::Image& image);

// Where a child sits in a fixed container: "x,y", or "-" when it is not a
// child of it.
std::string PlaceOf(Gtk::Fixed& fixed, Gtk::Widget& child);

// True when two colours differ by at most a few steps per channel (JPEG).
bool SameColour(unsigned a, unsigned b);

// The working directory, the store, the window and the layout, built once
// per test program (the layout is built once at start, like in the cab).
class Display {
public:
    static Display& Get();
    BasicLayout& layout() { return *layout_; }
    ReadMVBData& store() { return *ReadMVBData::instance; }
    Gtk::Window& window() { return *window_; }
    const std::string& workDir() const { return dir_.path(); }
    // Back to the main screen with every cache reset and the start values in
    // the fields the tests use.
    void Reset();
    // One refresh tick, then the redraws it caused.
    void Tick();
    // A keypad byte on the line, then one bus poll and one decode tick, which
    // hand it to the layout before the refresh.
    void Press(unsigned char key);
private:
    Display();
    testsupport::TempWorkDir dir_;
    storetest::PseudoKeypad keypad_;
    Gtk::Window* window_ = nullptr;  // made once the toolkit is up
    BasicLayout* layout_ = nullptr;
};

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        display().Reset();
    }
    Display& display() { return Display::Get(); }
    BasicLayout& layout() { return display().layout(); }
    ReadMVBData& store() { return display().store(); }
    void Tick() { display().Tick(); }
    void Press(std::initializer_list<unsigned char> keys)
    {
        for (unsigned char key : keys)
            display().Press(key);
    }
};

}  // namespace shelltest

#endif
