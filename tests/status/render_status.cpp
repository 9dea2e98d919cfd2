// Renders every status screen as the driver sees it, once with a running
// locomotive's store and once at start values, into renders/status/.
#include "StatusFixture.h"

#include <iostream>

int main()
{
    testsupport::InitToolkit();
    int failures = 0;
    for (const statustest::ScreenKind& kind : statustest::AllScreens()) {
        for (bool running : {true, false}) {
            ReadMVBData& store = statustest::FreshStore();
            if (running)
                statustest::SetRunningLocomotive(store);
            std::unique_ptr<statustest::AnyScreen> screen = kind.make();
            screen->Update();
            const std::string path =
                std::string("renders/status/") + kind.name + (running ? "-running.png" : "-start.png");
            const ::testing::AssertionResult rendered =
                testsupport::SnapshotWidget(screen->widget(), kind.width, kind.height, path);
            if (!rendered) {
                std::cerr << "FAILED " << rendered.message() << "\n";
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
