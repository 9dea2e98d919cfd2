// Runs a step that must not wait on what stands under a file's name: on a
// thread, and should it still run after the deadline, the pipes named are
// opened at both ends so that it can end, and the case fails instead of
// hanging the run. Header only.
#ifndef CABDISPLAY_TESTS_BOUNDED_H
#define CABDISPLAY_TESTS_BOUNDED_H

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "TestSupport.h"

namespace testsupport {

inline void FinishesWithin(int ms, const std::function<void()>& step, const std::vector<std::string>& pipes)
{
    std::atomic<bool> done{false};
    std::thread worker([&] {
        step();
        done = true;
    });
    std::vector<int> held;
    if (!WaitFor([&] { return done.load(); }, ms)) {
        ADD_FAILURE() << "the step still waits after " << ms << " ms";
        for (const std::string& pipe : pipes) held.push_back(::open(pipe.c_str(), O_RDWR | O_NONBLOCK));
    }
    worker.join();
    for (int fd : held)
        if (fd >= 0) ::close(fd);
}

}  // namespace testsupport

#endif
