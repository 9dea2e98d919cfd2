// Shared set-up of the bus tests: a private working directory, the
// device model inside the test program (CABDISPLAY_MVB=model) at power-on,
// the channel opened on it, the real clock;
// and stand-ins for the clock and the registers.
#ifndef CABDISPLAY_TESTS_BUS_BUSFIXTURE_H
#define CABDISPLAY_TESTS_BUS_BUSFIXTURE_H

#include "MueAccess.h"
#include "MueChannel.h"
#include "MueDevice.h"
#include "MvbApp.h"
#include "PortTable.h"
#include "RegisterAccess.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

typedef std::vector<unsigned char> Bytes;

extern const std::string kTimeoutLine;

class BusTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    static mue_sim::MueDevice& Device() { return mue_sim::InProcessDevice(); }
    // The frames the device received; the device then forgets them.
    static std::vector<Bytes> TakeFrames();

    std::unique_ptr<testsupport::TempWorkDir> work_;
};

// A millisecond clock that moves only when the test moves it.
struct ManualClockMs {
    static long long now;
    static long long Now() { return now; }
};

// A clock that returns a scripted sequence of seconds, then repeats the last.
struct ScriptedClock {
    static std::vector<time_t> values;
    static std::size_t next;
    static time_t last;
    static void Use(const std::vector<time_t>& script);
    static time_t Now(time_t* out);
};

// A clock that jumps 4 s at every reading: each wait that does not see ready
// at once expires at its first test, after two status reads.
struct JumpClock {
    static time_t now;
    static void Use();
    static time_t Now(time_t* out);
};

// A clock that runs one second per 20 readings: over the socket link, where
// an empty status read waits about a millisecond for the device, a time-out
// takes a fraction of a second while real replies still come in time.
struct FastClock {
    static unsigned long readings;
    static void Use();
    static time_t Now(time_t* out);
};

// A millisecond clock on which every command the device has carried out
// took costMs: a device that answers each command that late, without the
// test waiting for it.
struct CommandClock {
    static long long costMs;
    static void Use(long long cost);
    static long long Now();
};

// Registers played by the test: the status register answers a fixed value
// (0x61 once the scripted clock reached readyFrom, when set), with bit 0 also
// set while queued reply bytes are readable; data bytes written are recorded;
// data reads come from the queue (0xFF when empty), which becomes readable
// once replyAfterWrites bytes have been written.
struct FakeRegisters {
    static unsigned char status;
    static time_t readyFrom;
    static std::size_t replyAfterWrites;
    static int statusReads;
    static int dataReads;
    static Bytes written;
    static Bytes toRead;
    static std::size_t readAt;
    static void Install(unsigned char fixedStatus);
    static unsigned char In(unsigned short port);
    static void Out(unsigned char value, unsigned short port);
};

// The in-process device behind registers that, once the device has carried
// out afterCommands commands, report "not ready" (status 0x00) for the next
// blockedReads status reads of a send wait (no reply waiting) or of a
// receive wait (reply waiting). With JumpClock the default count makes
// exactly one failed wait and the device then answers again.
struct BlockedDevice {
    enum Wait { Send, Receive };
    static unsigned long afterCommands;
    static int blockedReads;
    static Wait wait;
    static void Install(unsigned long after, Wait which = Send, int reads = -1);
    static unsigned char In(unsigned short port);
    static void Out(unsigned char value, unsigned short port);
};


// A pseudo-terminal pair standing in for the keypad's serial line: bytes
// written to the keypad side arrive on the line side (name()).
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;
    const std::string& name() const { return name_; }
    // Opens the line side raw, reads returning at once (as Cmain leaves it).
    int OpenLine();
    // Sends key bytes and waits until they can be read on the line (lineFd,
    // or the side opened by OpenLine).
    void Press(const Bytes& bytes, int lineFd = -1) const;
    // The keypad's side goes away: the line hangs up.
    void CloseKeypadSide();
private:
    int keypad_ = -1;
    int line_ = -1;
    std::string name_;
};

#endif
