// Character channel: busy waits on the status register, bursts on the data register.
#include "MueChannel.h"

#include "RegisterAccess.h"

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

// True while a register backend is open: a failed mue_cch_init leaves none,
// and then no transfer touches a register.
bool ChannelOpen()
{
    return reg_current() != reg_backend_closed;
}

// Bytes of the last reply a receive gave up on that may still come.
unsigned char staleReplyBytes = 0;

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

// A reply that came after its wait had expired would be taken as the reply to
// the next command, shifting every later port's data by one read: after a
// receive time-out, the bytes of that reply that come (at most its length)
// are dropped before each following command is sent. Only then: a status
// register stuck with its ready bit set (no card) would otherwise cost a long
// drain on every command.
void DiscardStaleReply(unsigned char bus_id)
{
    for (; staleReplyBytes > 0 && cch_reg_stat_ready(bus_id, cch_reg_stat_rxready); --staleReplyBytes)
        inb(cch_reg_data);
}

typedef void (*Burst)(unsigned char, unsigned short, unsigned char*);

void PutBurst(unsigned char bus_id, unsigned short count, unsigned char* bytes)
{
    cch_put_data8(bus_id, count, bytes);
}

// Waits for the ready bits, then moves the whole burst; nothing moves on a time-out.
int Transfer(unsigned char bus_id, unsigned char mask, unsigned char count, unsigned char* bytes, Burst burst,
             int timeoutStatus)
{
    if (!ChannelOpen())
        return kNoAccess;
    if (count == 0)
        return 0;
    cch_timeout_start(bus_id);
    while (!cch_reg_stat_ready(bus_id, mask)) {
        if (cch_timeout_expired(bus_id)) {
            if (!cch_reg_stat_ready(bus_id, mask))
                return timeoutStatus;
            break;
        }
    }
    burst(bus_id, count, bytes);
    return 0;
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
    staleReplyBytes = 0;
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
    if (ChannelOpen() && count > 0)
        DiscardStaleReply(bus_id);
    return Transfer(bus_id, cch_reg_stat_txready, count, const_cast<unsigned char*>(bytes), PutBurst, kTxTimeout);
}

int mue_cch_receive(unsigned char bus_id, unsigned char count, unsigned char* bytes)
{
    const int status = Transfer(bus_id, cch_reg_stat_rxready, count, bytes, cch_get_data8, kRxTimeout);
    if (status == kRxTimeout)
        staleReplyBytes = count;
    return status;
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
    if (elapsed <= kTimeoutSeconds && !BudgetSpent())
        return false;
    PrintTimeoutLine();
    return true;
}

void cch_budget_start(long milliseconds)
{
    budgetRunning = true;
    budgetLinePrinted = false;
    budgetEnd = cch_clock_ms() + milliseconds;
}

void cch_budget_end()
{
    budgetRunning = false;
}

bool cch_budget_expired()
{
    if (!BudgetSpent())
        return false;
    if (!budgetLinePrinted)
        PrintTimeoutLine();
    return true;
}
