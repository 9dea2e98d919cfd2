// Driver fuzz target: a device that answers the start-up, the port list and
// the polls with random status and data bytes. Every status the driver
// reports must be one of its documented codes, the frame buffer must never be
// overrun, and the sanitizers watch the buffers the replies are taken into.
//
// Input: byte 0 chooses whether the device start-up (check and reset of the
// 4096 port configurations) runs first (odd) or the run starts at the port
// list (even); then the bytes the device's registers read, in the order the driver
// reads them (status and data register alike); once it runs out both read 0,
// so every later wait ends in a time-out. The clock moves one second at
// every reading, so a wait that sees no ready bit expires after a few reads.
// The target plays the registers itself (register hooks), so it needs no
// device named by CABDISPLAY_MVB.
#include "FuzzSupport.h"

#include "KeypadLine.h"
#include "MueAccess.h"
#include "MueChannel.h"
#include "MueCommands.h"
#include "MvbApp.h"
#include "PortTable.h"
#include "RegisterAccess.h"

#include <ctime>

namespace {

using fuzzsupport::Check;

fuzzsupport::Input* device = nullptr;
time_t now = 0;

unsigned char RegisterIn(unsigned short)
{
    return device->Byte();
}

void RegisterOut(unsigned char, unsigned short) {}

// The registers change only as the input is read, on the input's clock:
// nothing comes by waiting.
bool RegisterWait(unsigned char, long) { return true; }

time_t Clock(time_t* out)
{
    ++now;
    if (out)
        *out = now;
    return now;
}

bool Documented(int status)
{
    return status == mue_status_ok || status == mue_status_no_access || status == mue_status_frame ||
           status == mue_status_tx_timeout || status == mue_status_rx_timeout;
}

void CheckFrame()
{
    Check(mue_cch_data_cnt <= mue_acc_frame_size, "frame count past the frame buffer");
    Check(mue_cch_data_ptr >= mue_cch_data_buf && mue_cch_data_ptr <= mue_cch_data_buf + mue_acc_frame_size,
          "frame pointer outside the frame buffer");
}

void CheckStatus(int status, const char* what)
{
    Check(Documented(status), what);
    CheckFrame();
}

// The commands that only the start-up and the tools use, each once.
void SupervisorCommands()
{
    unsigned short word = 0, fresh = 0;
    unsigned char status = 0;
    unsigned short data[16] = {};
    CheckStatus(mue_pd_full_get_port_config(p_bus_ctrl, 301, &word), "get port configuration");
    CheckStatus(mue_sv_get_device_status(p_bus_ctrl, 0, 1, &status, &word, &fresh), "get device status");
    CheckStatus(mue_sv_put_ba_config(p_bus_ctrl, 0), "put bus administrator configuration");
    CheckStatus(mue_pd_full_get_port_data(p_bus_ctrl, 1020, 1, 32, &status, data, nullptr), "get port data");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::QuietStdout();
    reg_install_hooks(&RegisterIn, &RegisterOut, &RegisterWait);
    cch_clock = &Clock;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::Input in(data, size);
    device = &in;
    now = 1000;
    mvb_poll_paused = false;
    if (in.Byte() % 2)
        CheckStatus(mue_app_init_device(p_bus_ctrl), "device start-up");
    else
        CheckStatus(mue_acc_init(p_bus_ctrl), "channel open");
    MVB_Init_list();
    CheckFrame();
    SupervisorCommands();
    for (int poll = 0; poll < 3; ++poll) {
        readMVBData();
        Check(mvb_status == mue_status_ok || mvb_status == mue_status_tx_timeout ||
                  mvb_status == mue_status_rx_timeout || mvb_status == mue_status_no_access,
              "poll status");
        CheckFrame();
    }
    const int stopped = stop_mvb_app();
    Check(stopped == 0 || stopped == 1, "stop result");
    device = nullptr;
    return 0;
}
