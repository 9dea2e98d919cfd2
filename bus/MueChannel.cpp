// Character channel: waits on the status register that sleep between looks,
// bursts on the data register, and the count of reply bytes still owed.
#include "MueChannel.h"

#include "RegisterAccess.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

long long MonotonicMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

time_t cch_time_start = 0;
time_t (*cch_clock)(time_t*) = &time;
long long (*cch_clock_ms)() = &MonotonicMs;

namespace {

const unsigned long kTimeoutSeconds = 3;
const unsigned short kCleanUpBytes = 35;
const int kNoAccess = 2;
const int kTxTimeout = 6;
const int kRxTimeout = 8;

// Between two looks at the status register a wait sleeps (or polls the
// link), first briefly, a device answers within microseconds, then longer.
const long kFirstPauseUs = 20;
const long kLongestPauseUs = 1000;

// Owed bytes of which none came in this many waits in a row are lost.
const int kEmptyWaitsBeforeLost = 2;

// True while a register backend is open: a failed mue_cch_init leaves none,
// and then no transfer touches a register.
bool ChannelOpen()
{
    return reg_is_open();
}

// Reply bytes of replies given up that have not come yet: they come before
// the reply to any later command, and are dropped.
unsigned long owedBytes = 0;
int emptyWaits = 0;  // waits for owed bytes in a row in which none came

bool budgetRunning = false;
long long budgetEnd = 0;
bool budgetLinePrinted = false;  // the time-out line since the budget began

bool BudgetSpent()
{
    return budgetRunning && cch_clock_ms() >= budgetEnd;
}

void PrintTimeoutLine()
{
    std::printf("\r\n##################################### TIMEOUT ###############################\r\n");
    std::fflush(stdout);
    budgetLinePrinted = budgetRunning;
}

void Forget()
{
    owedBytes = 0;
    emptyWaits = 0;
}

// Drops the owed bytes that are waiting now.
void DropOwedBytes(unsigned char bus_id)
{
    bool came = false;
    for (; owedBytes > 0 && cch_reg_stat_ready(bus_id, cch_reg_stat_rxready); --owedBytes) {
        inb(cch_reg_data);
        came = true;
    }
    if (came)
        emptyWaits = 0;
}

// Waits until ready() holds, by the time-out rule (and the budget); its last
// look comes after the rule has expired, so a device that becomes ready just
// then is still served. Between looks the link sleeps or polls; a link that
// is gone ends the wait at once, as a time-out.
template <typename Ready>
bool WaitFor(unsigned char bus_id, unsigned char mask, Ready ready)
{
    cch_timeout_start(bus_id);
    long pause = kFirstPauseUs;
    while (!ready()) {
        if (cch_timeout_expired(bus_id))
            return ready();
        if (!reg_wait(mask, pause)) {
            PrintTimeoutLine();
            return false;
        }
        pause = std::min(2 * pause, kLongestPauseUs);
    }
    return true;
}

}  // namespace

unsigned char inb(unsigned short port)
{
    return reg_in(port);
}

void outb(unsigned char value, unsigned short port)
{
    reg_out(value, port);
}

int mue_cch_init(unsigned char)
{
    Forget();
    return reg_open() == 0 ? 0 : kNoAccess;
}

int mue_cch_close(unsigned char)
{
    return 0;
}

int mue_cch_clean_up(unsigned char bus_id)
{
    if (!ChannelOpen())
        return kNoAccess;
    const unsigned char zeros[kCleanUpBytes] = {};
    cch_put_data8(bus_id, kCleanUpBytes, zeros);
    return 0;
}

int mue_cch_transmit(unsigned char bus_id, unsigned char count, const unsigned char* bytes)
{
    if (!ChannelOpen())
        return kNoAccess;
    if (count == 0)
        return 0;
    DropOwedBytes(bus_id);
    if (!WaitFor(bus_id, cch_reg_stat_txready, [&] { return cch_reg_stat_ready(bus_id, cch_reg_stat_txready); }))
        return kTxTimeout;
    cch_put_data8(bus_id, count, bytes);
    return 0;
}

int mue_cch_receive(unsigned char bus_id, unsigned char count, unsigned char* bytes)
{
    if (!ChannelOpen())
        return kNoAccess;
    if (count == 0)
        return 0;
    const bool replied = WaitFor(bus_id, cch_reg_stat_rxready, [&] {
        DropOwedBytes(bus_id);
        return owedBytes == 0 && cch_reg_stat_ready(bus_id, cch_reg_stat_rxready);
    });
    if (!replied) {
        owedBytes += count;
        return kRxTimeout;
    }
    cch_get_data8(bus_id, count, bytes);
    return 0;
}

unsigned long cch_reply_owed()
{
    return owedBytes;
}

bool cch_reply_in_step(unsigned char bus_id)
{
    if (!ChannelOpen() || owedBytes == 0)
        return true;
    const unsigned long before = owedBytes;
    WaitFor(bus_id, cch_reg_stat_rxready, [&] {
        DropOwedBytes(bus_id);
        return owedBytes == 0;
    });
    if (owedBytes == 0)
        return true;
    if (owedBytes == before && ++emptyWaits >= kEmptyWaitsBeforeLost)
        Forget();  // lost on the way: a device that answers again answers the next command
    return owedBytes == 0;
}

bool cch_reopen_lost(unsigned char)
{
    if (!reg_reopen_lost())
        return false;
    Forget();
    return true;
}

void cch_put_data8(unsigned char, unsigned short count, const unsigned char* bytes)
{
    for (unsigned short i = 0; i < count; ++i)
        outb(bytes[i], cch_reg_data);
}

void cch_get_data8(unsigned char, unsigned short count, unsigned char* bytes)
{
    for (unsigned short i = 0; i < count; ++i)
        bytes[i] = inb(cch_reg_data);
}

bool cch_reg_stat_ready(unsigned char, unsigned char mask)
{
    return (inb(cch_reg_stat) & mask) == mask;
}

void cch_timeout_start(unsigned char)
{
    cch_time_start = cch_clock(nullptr);
}

bool cch_timeout_expired(unsigned char)
{
    const unsigned long elapsed = static_cast<unsigned long>(cch_clock(nullptr) - cch_time_start);
    if (elapsed > kTimeoutSeconds) {
        PrintTimeoutLine();
        return true;
    }
    return BudgetSpent();
}

void cch_budget_start(long milliseconds)
{
    budgetRunning = true;
    budgetLinePrinted = false;
    budgetEnd = cch_clock_ms() + milliseconds;
}

void cch_budget_end(bool failed)
{
    if (failed && !budgetLinePrinted)
        PrintTimeoutLine();
    budgetRunning = false;
}

bool cch_budget_spent()
{
    return BudgetSpent();
}
