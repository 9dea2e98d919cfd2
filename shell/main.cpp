// cabdisplay: the cab's driver display. Brings up the data store (keypad
// line, MVB interface device, bus ports, settings files, decode tick), lets a
// short-lived thread attach the 100 ms bus poll, then builds the full-screen
// window with the main layout and runs the main loop.
#include "BasicLayout.h"
#include "CompSupport.h"
#include "MueDevice.h"
#include "ReadMVBData.h"
#include "RegisterAccess.h"
#include "RegisterBackends.h"

#include <gtkmm/main.h>
#include <gtkmm/settings.h>
#include <gtkmm/window.h>

#include <pthread.h>
#include <cstdio>
#include <iostream>

namespace {

// Body of the start thread: attaches the bus poll tick to the default main
// context and ends.
void* threadFunc(void* store)
{
    static_cast<ReadMVBData*>(store)->RunCFile();
    return nullptr;
}

// Attaches the bus poll through the start thread, and waits for it so the
// poll is in place before the loop runs. When the thread cannot be started,
// the poll is attached from here.
void AttachBusPoll(ReadMVBData* store)
{
    pthread_t startThread;
    if (pthread_create(&startThread, nullptr, &threadFunc, store) != 0) {
        std::cout << "Start thread failed: bus poll attached from the main thread" << std::endl;
        store->RunCFile();
        return;
    }
    pthread_join(startThread, nullptr);
}

}  // namespace

int main(int argc, char** argv)
{
    // Every line reaches a log file or pipe as it is printed, so the last
    // lines before a power cut or a kill are not lost in a buffer.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // The bus is the one CABDISPLAY_MVB names: the cab's I/O ports, or on a
    // bench a device model. Named by nobody, the program ends here, before
    // any window: a display that looks alive on no bus at all would send the
    // driver's settings nowhere.
    mue_sim::AddRegisterBackends();
    reg_check_choice();
    // The device model inside the program keeps no record of the frames it
    // receives, so a long run does not grow.
    mue_sim::InProcessDevice().SetRecordFrames(false);
    ReadMVBData* store = ReadMVBData::getInstance();
    AttachBusPoll(store);

    Gtk::Main kit(argc, argv, true);
    // Every picture that cannot be loaded is named once, the first time.
    compsupport::NameMissingPictures(true);
    // The screens are drawn in pixels for the cab's 800 x 600 panel: texts are
    // laid out at 96 dpi, whatever the X server reports, so they fit their boxes.
    Gtk::Settings::get_default()->property_gtk_xft_dpi() = 96 * 1024;
    Gtk::Window window(Gtk::WINDOW_TOPLEVEL);
    window.set_default_size(800, 600);
    window.fullscreen();
    {
        BasicLayout layout;
        window.add(layout);
        window.show_all();
        Gtk::Main::run(window);
        window.remove();
    }
    return 0;
}
