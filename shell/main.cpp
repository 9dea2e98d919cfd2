// cabdisplay: brings up the data store (keypad line, MVB interface device,
// bus ports, settings files, decode tick), lets a short-lived thread attach
// the 100 ms bus poll, then runs the main loop. The window and its screens
// join here as they are built; for now the display runs without a window.
#include "ReadMVBData.h"

#include <glibmm.h>
#include <pthread.h>

namespace {

// Body of the start thread: attaches the bus poll tick to the default main
// context and ends.
void* threadFunc(void* store)
{
    static_cast<ReadMVBData*>(store)->RunCFile();
    return nullptr;
}

}  // namespace

int main()
{
    Glib::init();
    ReadMVBData* store = ReadMVBData::getInstance();
    pthread_t startThread;
    pthread_create(&startThread, nullptr, &threadFunc, store);
    Glib::RefPtr<Glib::MainLoop> loop = Glib::MainLoop::create();
    loop->run();
    return 0;
}
