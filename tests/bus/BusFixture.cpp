#include "BusFixture.h"

#include "KeypadLine.h"
#include "RegisterBackends.h"

#include <cstdlib>
#include <stdexcept>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The channel's and the keypad line's own millisecond clocks, put back for
// every case.
long long (*const kMonotonicMs)() = cch_clock_ms;
long long (*const kKeypadMs)() = keypad_clock_ms;

}  // namespace

const std::string kTimeoutLine =
    "\r\n##################################### TIMEOUT ###############################\r\n";

void BusTest::SetUp()
{
    work_.reset(new testsupport::TempWorkDir);
    mue_sim::AddRegisterBackends();
    ::setenv("CABDISPLAY_MVB", "model", 1);
    cch_clock = &time;
    cch_clock_ms = kMonotonicMs;
    keypad_clock_ms = kKeypadMs;
    reg_install_hooks(nullptr, nullptr);
    Device().Reset();
    bus_id = 0;
    p_bus_ctrl = &bus_id;
    mvb_poll_paused = false;
    mvb_poll_next_read = 0;
    DropPendingKeys();
    ASSERT_EQ(0, mue_acc_init(p_bus_ctrl));
}

void BusTest::TearDown()
{
    reg_install_hooks(nullptr, nullptr);
    cch_clock = &time;
    cch_clock_ms = kMonotonicMs;
    keypad_clock_ms = kKeypadMs;
    Device().Reset();
}

std::vector<Bytes> BusTest::TakeFrames()
{
    std::vector<Bytes> frames = Device().Frames();
    Device().ClearFrames();
    return frames;
}

long long ManualClockMs::now = 0;

std::vector<time_t> ScriptedClock::values;
std::size_t ScriptedClock::next = 0;
time_t ScriptedClock::last = 0;

void ScriptedClock::Use(const std::vector<time_t>& script)
{
    values = script;
    next = 0;
    last = 0;
    cch_clock = &Now;
}

time_t ScriptedClock::Now(time_t* out)
{
    last = next < values.size() ? values[next++] : values.back();
    if (out)
        *out = last;
    return last;
}

time_t JumpClock::now = 0;

void JumpClock::Use()
{
    now = 1000;
    cch_clock = &Now;
}

time_t JumpClock::Now(time_t* out)
{
    now += 4;
    if (out)
        *out = now;
    return now;
}

unsigned long FastClock::readings = 0;

void FastClock::Use()
{
    readings = 0;
    cch_clock = &Now;
}

time_t FastClock::Now(time_t* out)
{
    const time_t now = static_cast<time_t>(1000 + readings++ / 20);
    if (out)
        *out = now;
    return now;
}

long long CommandClock::costMs = 0;

void CommandClock::Use(long long cost)
{
    costMs = cost;
    cch_clock_ms = &Now;
}

long long CommandClock::Now()
{
    return costMs * static_cast<long long>(mue_sim::InProcessDevice().CommandCount());
}

unsigned char FakeRegisters::status = 0;
time_t FakeRegisters::readyFrom = 0;
std::size_t FakeRegisters::replyAfterWrites = 0;
int FakeRegisters::statusReads = 0;
int FakeRegisters::dataReads = 0;
Bytes FakeRegisters::written;
Bytes FakeRegisters::toRead;
std::size_t FakeRegisters::readAt = 0;

void FakeRegisters::Install(unsigned char fixedStatus)
{
    status = fixedStatus;
    readyFrom = 0;
    replyAfterWrites = 0;
    statusReads = 0;
    dataReads = 0;
    written.clear();
    toRead.clear();
    readAt = 0;
    reg_install_hooks(&In, &Out);
    ASSERT_EQ(0, mue_cch_init(0));
}

unsigned char FakeRegisters::In(unsigned short port)
{
    if (port == cch_reg_stat) {
        ++statusReads;
        if (readyFrom && ScriptedClock::last >= readyFrom)
            return 0x61;
        const bool readable = written.size() >= replyAfterWrites && readAt < toRead.size();
        return static_cast<unsigned char>(status | (readable ? 0x01 : 0x00));
    }
    ++dataReads;
    if (written.size() < replyAfterWrites)
        return 0xFF;
    return readAt < toRead.size() ? toRead[readAt++] : 0xFF;
}

void FakeRegisters::Out(unsigned char value, unsigned short port)
{
    if (port == cch_reg_data)
        written.push_back(value);
}

unsigned long BlockedDevice::afterCommands = 0;
int BlockedDevice::blockedReads = 0;
BlockedDevice::Wait BlockedDevice::wait = BlockedDevice::Send;

void BlockedDevice::Install(unsigned long after, Wait which, int reads)
{
    afterCommands = after;
    wait = which;
    blockedReads = reads >= 0 ? reads : 2;
    reg_install_hooks(&In, &Out);
    ASSERT_EQ(0, mue_cch_init(0));
}

unsigned char BlockedDevice::In(unsigned short port)
{
    mue_sim::MueDevice& device = mue_sim::InProcessDevice();
    if (port != cch_reg_stat)
        return device.ReadData();
    if (device.CommandCount() >= afterCommands && blockedReads > 0 && device.ReplyWaiting() == (wait == Receive)) {
        --blockedReads;
        return 0x00;
    }
    return device.ReadStatus();
}

void BlockedDevice::Out(unsigned char value, unsigned short port)
{
    if (port == cch_reg_data)
        mue_sim::InProcessDevice().WriteData(value);
}

PtyPair::PtyPair()
{
    keypad_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (keypad_ < 0 || ::grantpt(keypad_) != 0 || ::unlockpt(keypad_) != 0)
        throw std::runtime_error("no pseudo-terminal");
    name_ = ::ptsname(keypad_);
}

PtyPair::~PtyPair()
{
    if (line_ >= 0)
        ::close(line_);
    CloseKeypadSide();
}

void PtyPair::CloseKeypadSide()
{
    if (keypad_ >= 0)
        ::close(keypad_);
    keypad_ = -1;
}

int PtyPair::OpenLine()
{
    line_ = ::open(name_.c_str(), O_RDWR | O_NOCTTY);
    termios raw;
    ::tcgetattr(line_, &raw);
    ::cfmakeraw(&raw);
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    ::tcsetattr(line_, TCSANOW, &raw);
    return line_;
}

void PtyPair::Press(const Bytes& bytes, int lineFd) const
{
    if (lineFd < 0)
        lineFd = line_;
    if (::write(keypad_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("keypad write failed");
    ::tcdrain(keypad_);
    // The line discipline hands the bytes on asynchronously; wait until they are readable.
    for (int round = 0; lineFd >= 0 && round < 200; ++round) {
        int waiting = 0;
        if (::ioctl(lineFd, FIONREAD, &waiting) != 0 || waiting >= static_cast<int>(bytes.size()))
            break;
        pollfd p = {lineFd, POLLIN, 0};
        ::poll(&p, 1, 10);
    }
}
