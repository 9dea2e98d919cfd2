// The display's port table and the 100 ms bus poll.
#include "PortTable.h"

#include "KeypadLine.h"
#include "MueAccess.h"
#include "MueChannel.h"
#include "MueCommands.h"
#include "MvbApp.h"

// A polled port: its buffer and the buffer's size in bytes.
#define BUFFER(name) name, static_cast<unsigned short>(sizeof(name))

// Configuration order: 301 is the one source, every other port a sink.
const MvbPort mvb_config_ports[mvb_config_port_count] = {
    {1010, BUFFER(FLG1_1010)},
    {1000, BUFFER(FLG1_1000)},
    {1020, BUFFER(FLG1_1020)},
    {1030, BUFFER(FLG1_1030)},
    {1035, BUFFER(FLG1_1035)},
    {1040, BUFFER(FLG1_1040)},
    {1045, BUFFER(FLG1_1045)},
    {1046, BUFFER(FLG1_1046)},
    {1047, BUFFER(FLG1_1047)},
    {1050, BUFFER(FLG1_1050)},
    {1060, BUFFER(FLG1_1060)},
    {1070, BUFFER(FLG1_1070)},
    {1, nullptr, 16},  // configured only
    {4, nullptr, 32},  // configured only
    {5, nullptr, 8},  // configured only
    {7, nullptr, 32},  // configured only
    {8, nullptr, 16},  // configured only
    {1500, BUFFER(FLG2_1500)},
    {1510, BUFFER(FLG2_1510)},
    {1520, BUFFER(FLG2_1520)},
    {1530, BUFFER(FLG2_1530)},
    {1535, BUFFER(FLG2_1535)},
    {1540, BUFFER(FLG2_1540)},
    {1545, BUFFER(FLG2_1545)},
    {1546, BUFFER(FLG2_1546)},
    {1547, BUFFER(FLG2_1547)},
    {1550, BUFFER(FLG2_1550)},
    {1560, BUFFER(FLG2_1560)},
    {1570, BUFFER(FLG2_1570)},
    {701, nullptr, 16},  // configured only
    {704, nullptr, 32},  // configured only
    {705, nullptr, 8},  // configured only
    {707, nullptr, 32},  // configured only
    {708, nullptr, 16},  // configured only
    {100, BUFFER(SLG1_100)},
    {101, BUFFER(SLG1_101)},
    {102, BUFFER(SLG1_102)},
    {103, BUFFER(SLG1_103)},
    {104, BUFFER(SLG1_104)},
    {105, BUFFER(SLG1_105)},
    {106, BUFFER(SLG1_106)},
    {107, BUFFER(SLG1_107)},
    {108, BUFFER(SLG1_108)},
    {109, BUFFER(SLG1_109)},
    {110, BUFFER(SLG1_110)},
    {200, BUFFER(SLG2_200)},
    {201, BUFFER(SLG2_201)},
    {202, BUFFER(SLG2_202)},
    {203, BUFFER(SLG2_203)},
    {204, BUFFER(SLG2_204)},
    {205, BUFFER(SLG2_205)},
    {206, BUFFER(SLG2_206)},
    {207, BUFFER(SLG2_207)},
    {208, BUFFER(SLG2_208)},
    {209, BUFFER(SLG2_209)},
    {210, BUFFER(SLG2_210)},
    {271, nullptr, 8},  // configured only
    {272, nullptr, 16},  // configured only
    {46, BUFFER(ZBV1_0046)},
    {1100, BUFFER(STB1_1100)},
    {1105, BUFFER(STB1_1105)},
    {1110, BUFFER(STB1_1110)},
    {1115, BUFFER(STB1_1115)},
    {1195, BUFFER(STB1_1195)},
    {1600, BUFFER(STB2_1600)},
    {1605, BUFFER(STB2_1605)},
    {1610, BUFFER(STB2_1610)},
    {1695, BUFFER(STB2_1695)},
    {1200, BUFFER(HBB1_1200)},
    {1205, nullptr, 2},  // configured only
    {1210, BUFFER(HBB1_1210)},
    {1216, BUFFER(HBB1_1216)},
    {1220, BUFFER(HBB1_1220)},
    {1295, BUFFER(HBB1_1295)},
    {1700, BUFFER(HBB2_1700)},
    {1705, BUFFER(HBB2_1705)},
    {1710, BUFFER(HBB2_1710)},
    {1720, BUFFER(HBB2_1720)},
    {1795, BUFFER(HBB2_1795)},
    {2000, BUFFER(BUR1_2000)},
    {2010, BUFFER(BUR1_2010)},
    {2025, BUFFER(BUR1_2025)},
    {2095, BUFFER(BUR1_2095)},
    {3900, BUFFER(BUR1_3900)},
    {2100, BUFFER(BUR2_2100)},
    {2110, BUFFER(BUR2_2110)},
    {2120, BUFFER(BUR2_2120)},
    {2195, BUFFER(BUR2_2195)},
    {2125, BUFFER(BUR2_2125)},
    {3950, BUFFER(BUR2_3950)},
    {2200, BUFFER(BUR3_2200)},
    {2210, BUFFER(BUR3_2210)},
    {2220, BUFFER(BUR3_2220)},
    {2225, BUFFER(BUR3_2225)},
    {2295, BUFFER(BUR3_2295)},
    {4000, BUFFER(BUR3_4000)},
    {1302, BUFFER(DDA1_1302)},
    {1304, BUFFER(DDA1_1304)},
    {1305, BUFFER(DDA1_1305)},
    {1310, BUFFER(DDA1_1310)},
    {1311, BUFFER(DDA1_1311)},
    {1312, BUFFER(DDA1_1312)},
    {1395, BUFFER(DDA1_1395)},
    {1800, BUFFER(DDA2_1800)},
    {1804, BUFFER(DDA2_1804)},
    {1895, BUFFER(DDA2_1895)},
    {3005, BUFFER(DIA1_3005)},
    {3010, BUFFER(DIA1_3010)},
    {3015, BUFFER(DIA1_3015)},
    {3300, BUFFER(ZBV1_3300)},
    {1215, BUFFER(HBB1_1215)},
    {1715, BUFFER(HBB2_1715)},
    {301, BUFFER(DDU_301)},
    {300, BUFFER(DDU_300)},
    {160, BUFFER(TC1_160)},
    {161, BUFFER(TC1_161)},
    {170, BUFFER(TC1_DDU_170)},
    {260, BUFFER(TC2_260)},
    {261, BUFFER(TC2_261)},
    {270, BUFFER(TC2_DDU_270)},
};

// Poll order: the reads that follow the write of 301.
const MvbPort mvb_poll_ports[mvb_poll_read_count] = {
    {300, BUFFER(DDU_300)},
    {46, BUFFER(ZBV1_0046)},
    {1010, BUFFER(FLG1_1010)},
    {1000, BUFFER(FLG1_1000)},
    {1020, BUFFER(FLG1_1020)},
    {1030, BUFFER(FLG1_1030)},
    {1035, BUFFER(FLG1_1035)},
    {1040, BUFFER(FLG1_1040)},
    {1046, BUFFER(FLG1_1046)},
    {1047, BUFFER(FLG1_1047)},
    {1050, BUFFER(FLG1_1050)},
    {1045, BUFFER(FLG1_1045)},
    {1060, BUFFER(FLG1_1060)},
    {1070, BUFFER(FLG1_1070)},
    {1200, BUFFER(HBB1_1200)},
    {1210, BUFFER(HBB1_1210)},
    {1216, BUFFER(HBB1_1216)},
    {1295, BUFFER(HBB1_1295)},
    {1220, BUFFER(HBB1_1220)},
    {1100, BUFFER(STB1_1100)},
    {1105, BUFFER(STB1_1105)},
    {1110, BUFFER(STB1_1110)},
    {1115, BUFFER(STB1_1115)},
    {1195, BUFFER(STB1_1195)},
    {1302, BUFFER(DDA1_1302)},
    {1304, BUFFER(DDA1_1304)},
    {1305, BUFFER(DDA1_1305)},
    {1310, BUFFER(DDA1_1310)},
    {1311, BUFFER(DDA1_1311)},
    {1312, BUFFER(DDA1_1312)},
    {1395, BUFFER(DDA1_1395)},
    {3005, BUFFER(DIA1_3005)},
    {1500, BUFFER(FLG2_1500)},
    {1510, BUFFER(FLG2_1510)},
    {1520, BUFFER(FLG2_1520)},
    {1530, BUFFER(FLG2_1530)},
    {1535, BUFFER(FLG2_1535)},
    {1540, BUFFER(FLG2_1540)},
    {1545, BUFFER(FLG2_1545)},
    {1546, BUFFER(FLG2_1546)},
    {1547, BUFFER(FLG2_1547)},
    {1550, BUFFER(FLG2_1550)},
    {1560, BUFFER(FLG2_1560)},
    {1570, BUFFER(FLG2_1570)},
    {100, BUFFER(SLG1_100)},
    {101, BUFFER(SLG1_101)},
    {102, BUFFER(SLG1_102)},
    {103, BUFFER(SLG1_103)},
    {104, BUFFER(SLG1_104)},
    {105, BUFFER(SLG1_105)},
    {106, BUFFER(SLG1_106)},
    {107, BUFFER(SLG1_107)},
    {108, BUFFER(SLG1_108)},
    {109, BUFFER(SLG1_109)},
    {110, BUFFER(SLG1_110)},
    {160, BUFFER(TC1_160)},
    {161, BUFFER(TC1_161)},
    {170, BUFFER(TC1_DDU_170)},
    {200, BUFFER(SLG2_200)},
    {201, BUFFER(SLG2_201)},
    {202, BUFFER(SLG2_202)},
    {203, BUFFER(SLG2_203)},
    {204, BUFFER(SLG2_204)},
    {205, BUFFER(SLG2_205)},
    {206, BUFFER(SLG2_206)},
    {207, BUFFER(SLG2_207)},
    {208, BUFFER(SLG2_208)},
    {209, BUFFER(SLG2_209)},
    {210, BUFFER(SLG2_210)},
    {260, BUFFER(TC2_260)},
    {261, BUFFER(TC2_261)},
    {270, BUFFER(TC2_DDU_270)},
    {1600, BUFFER(STB2_1600)},
    {1605, BUFFER(STB2_1605)},
    {1610, BUFFER(STB2_1610)},
    {1695, BUFFER(STB2_1695)},
    {1700, BUFFER(HBB2_1700)},
    {1705, BUFFER(HBB2_1705)},
    {1710, BUFFER(HBB2_1710)},
    {1720, BUFFER(HBB2_1720)},
    {1795, BUFFER(HBB2_1795)},
    {2000, BUFFER(BUR1_2000)},
    {2010, BUFFER(BUR1_2010)},
    {2025, BUFFER(BUR1_2025)},
    {2095, BUFFER(BUR1_2095)},
    {3900, BUFFER(BUR1_3900)},
    {2100, BUFFER(BUR2_2100)},
    {2110, BUFFER(BUR2_2110)},
    {2120, BUFFER(BUR2_2120)},
    {2125, BUFFER(BUR2_2125)},
    {2195, BUFFER(BUR2_2195)},
    {3950, BUFFER(BUR2_3950)},
    {2200, BUFFER(BUR3_2200)},
    {2210, BUFFER(BUR3_2210)},
    {2220, BUFFER(BUR3_2220)},
    {2225, BUFFER(BUR3_2225)},
    {2295, BUFFER(BUR3_2295)},
    {4000, BUFFER(BUR3_4000)},
    {1800, BUFFER(DDA2_1800)},
    {1804, BUFFER(DDA2_1804)},
    {1895, BUFFER(DDA2_1895)},
    {3005, BUFFER(DIA1_3005)},
    {3010, BUFFER(DIA1_3010)},
    {3015, BUFFER(DIA1_3015)},
    {3300, BUFFER(ZBV1_3300)},
    {1715, BUFFER(HBB2_1715)},
    {1215, BUFFER(HBB1_1215)},
};

#undef BUFFER

bool mvb_poll_paused = false;
time_t mvb_poll_pause_start = 0;
int mvb_poll_next_read = 0;

namespace {

bool TimedOut(int status)
{
    return status == mue_status_tx_timeout || status == mue_status_rx_timeout;
}

enum class PollEnd {
    Whole,   // every read of the list done
    Cut,     // the budget was spent while the device answered: the next poll goes on
    Failed,  // the device answered nothing: the bus rests
};

// The port exchanges of one poll: port 301 first, then the reads of the
// list from where the last poll stopped, round the list once at most, as far
// as the budget goes (a poll of a healthy device reads the list in order).
// A poll that follows a failed one starts from a clean frame (a lost link
// opened again, the clean-up's zero bytes, the replies still owed dropped)
// and from the top of the list.
PollEnd ExchangePorts(bool afterFailure)
{
    if (afterFailure) {
        cch_reopen_lost(bus_id);
        mue_acc_clean_up(p_bus_ctrl);
        mvb_poll_next_read = 0;
    }
    // Port 301 goes out in any case: its command has no reply, so it cannot
    // be answered out of step.
    const bool inStep = cch_reply_in_step(bus_id);
    if (TimedOut(mvb_write_port(mvb_source_port, sizeof DDU_301, DDU_301)) || !inStep)
        return PollEnd::Failed;
    bool answered = false;
    for (int reads = 0; reads < mvb_poll_read_count; ++reads) {
        if (cch_budget_spent())
            return answered ? PollEnd::Cut : PollEnd::Failed;
        const MvbPort& entry = mvb_poll_ports[mvb_poll_next_read];
        mvb_read_port_swap(entry.port, entry.size, entry.buffer);
        if (TimedOut(mvb_status))
            return answered && cch_budget_spent() ? PollEnd::Cut : PollEnd::Failed;
        answered = true;
        mvb_poll_next_read = (mvb_poll_next_read + 1) % mvb_poll_read_count;
    }
    return PollEnd::Whole;
}

// While paused the bus is tried again once the retry interval has passed
// since the time-out (or the clock has been set back).
bool BusRests()
{
    if (!mvb_poll_paused)
        return false;
    const time_t now = cch_clock(nullptr);
    return now >= mvb_poll_pause_start && now - mvb_poll_pause_start < mvb_poll_retry_seconds;
}

}  // namespace

unsigned short mvb_port_config_word(const MvbPort& entry)
{
    const bool source = entry.port == mvb_source_port;
    // A size above 32 has no code (-1): its field is all ones, shifted as an
    // unsigned number.
    const unsigned code = static_cast<unsigned>(fc_from_portsize(entry.size)) << 12;
    return static_cast<unsigned short>((source ? mue_pd_full_port_config_src : 0) |
                                       (code & mue_pd_full_port_config_fc_mask) |
                                       (entry.port & mue_pd_full_port_config_la_mask));
}

void MVB_Init_list()
{
    // A port the device refuses does not stop the list. A device that times
    // out on two ports in a row is not answering at all: the rest of the list
    // would cost one time-out each (minutes before the display comes up), so
    // it ends here.
    int timeoutsInARow = 0;
    for (const MvbPort& entry : mvb_config_ports) {
        uspc = mvb_port_config_word(entry);
        timeoutsInARow = TimedOut(mue_app_init_port(p_bus_ctrl, uspc)) ? timeoutsInARow + 1 : 0;
        if (timeoutsInARow == 2)
            return;
    }
}

void read_mvb_vars()
{
    // A device that stops answering costs one budget per retry interval,
    // not one time-out per exchange or per poll: the poll ends, the buffers
    // keep their last values, and the polls of the next few seconds skip the
    // bus. One that answers slowly is read as far as each poll's budget goes.
    if (BusRests())
        return;
    cch_budget_start(mvb_poll_budget_ms);
    const bool failed = ExchangePorts(mvb_poll_paused) == PollEnd::Failed;
    cch_budget_end(failed);
    mvb_poll_paused = failed;
    if (failed)
        mvb_poll_pause_start = cch_clock(nullptr);
}

void mvb_read_port_swap(unsigned short port, int size, unsigned short* buffer)
{
    mvb_read_port(port, static_cast<unsigned short>(size), buffer);
    if (mvb_status == mue_status_frame)
        return;  // refused size: mvb_read_port left the buffer alone
    for (int i = 0; i < size / 2; ++i)
        buffer[i] = NIBBLESET(buffer[i]);
}

void readMVBData()
{
    read_mvb_vars();
    ReadKeypadLine();
}

void FetchMVBData()
{
    readMVBData();
}
