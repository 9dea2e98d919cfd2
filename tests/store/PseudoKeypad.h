// A pseudo-terminal standing in for the keypad's serial line: the store's
// start-up opens the slave side (through CABDISPLAY_KEYPAD), the test writes
// key bytes into the master side. The bus is the device model inside the
// test program (CABDISPLAY_MVB=model).
#ifndef CABDISPLAY_TESTS_STORE_PSEUDOKEYPAD_H
#define CABDISPLAY_TESTS_STORE_PSEUDOKEYPAD_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include "RegisterBackends.h"

namespace storetest {

class PseudoKeypad {
public:
    PseudoKeypad()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            const char* slave = ::ptsname(master_);
            if (slave) ::setenv("CABDISPLAY_KEYPAD", slave, 1);
            ok_ = slave != nullptr;
        }
        mue_sim::AddRegisterBackends();
        ::setenv("CABDISPLAY_MVB", "model", 1);
    }
    ~PseudoKeypad()
    {
        if (master_ >= 0) ::close(master_);
    }
    PseudoKeypad(const PseudoKeypad&) = delete;
    PseudoKeypad& operator=(const PseudoKeypad&) = delete;

    bool ok() const { return ok_; }
    bool Press(unsigned char key) const { return ::write(master_, &key, 1) == 1; }

private:
    int master_ = -1;
    bool ok_ = false;
};

}  // namespace storetest

#endif
