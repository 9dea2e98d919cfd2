// The port table, the port list run and the 100 ms poll: ports, sizes and
// orders, frames of a poll, byte order into the buffers, and what failed
// exchanges leave behind.
#include "BusFixture.h"
#include "KeypadLine.h"
#include "MueCommands.h"
#include "PortTable.h"

#include <chrono>
#include <map>
#include <set>
#include <sstream>

namespace {

// "100 to 110" ranges as the port lists are written down.
std::vector<unsigned short> Ports(const std::string& list)
{
    std::vector<unsigned short> ports;
    std::istringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        unsigned first = 0, last = 0;
        if (std::sscanf(item.c_str(), "%u to %u", &first, &last) != 2)
            last = first;
        for (unsigned p = first; p <= last; ++p)
            ports.push_back(static_cast<unsigned short>(p));
    }
    return ports;
}

const char kConfigurationOrder[] =
    "1010, 1000, 1020, 1030, 1035, 1040, 1045, 1046, 1047, 1050, 1060, 1070, 1, 4, 5, 7, 8, 1500, 1510, 1520, 1530, "
    "1535, 1540, 1545, 1546, 1547, 1550, 1560, 1570, 701, 704, 705, 707, 708, 100 to 110, 200 to 210, 271, 272, 46, "
    "1100, 1105, 1110, 1115, 1195, 1600, 1605, 1610, 1695, 1200, 1205, 1210, 1216, 1220, 1295, 1700, 1705, 1710, "
    "1720, 1795, 2000, 2010, 2025, 2095, 3900, 2100, 2110, 2120, 2195, 2125, 3950, 2200, 2210, 2220, 2225, 2295, "
    "4000, 1302, 1304, 1305, 1310, 1311, 1312, 1395, 1800, 1804, 1895, 3005, 3010, 3015, 3300, 1215, 1715, 301, 300, "
    "160, 161, 170, 260, 261, 270";
const char kPollOrder[] =
    "300, 46, 1010, 1000, 1020, 1030, 1035, 1040, 1046, 1047, 1050, 1045, 1060, 1070, 1200, 1210, 1216, 1295, 1220, "
    "1100, 1105, 1110, 1115, 1195, 1302, 1304, 1305, 1310, 1311, 1312, 1395, 3005, 1500, 1510, 1520, 1530, 1535, "
    "1540, 1545, 1546, 1547, 1550, 1560, 1570, 100 to 110, 160, 161, 170, 200 to 210, 260, 261, 270, 1600, 1605, "
    "1610, 1695, 1700, 1705, 1710, 1720, 1795, 2000, 2010, 2025, 2095, 3900, 2100, 2110, 2120, 2125, 2195, 3950, "
    "2200, 2210, 2220, 2225, 2295, 4000, 1800, 1804, 1895, 3005, 3010, 3015, 3300, 1715, 1215";

// Sizes in bytes of the ports that are not 32 bytes long.
const std::map<unsigned short, unsigned short> kShortPorts = {
    {1010, 16}, {1000, 16}, {1035, 16}, {1045, 8},  {1050, 16}, {1060, 2},  {1070, 8},  {1, 16},    {5, 8},
    {8, 16},    {1500, 16}, {1510, 16}, {1535, 16}, {1545, 8},  {1550, 16}, {1560, 2},  {1570, 8},  {701, 16},
    {705, 8},   {708, 16},  {106, 8},   {206, 8},   {271, 8},   {272, 16},  {1100, 8},  {1105, 4},  {1115, 2},
    {1195, 8},  {1600, 4},  {1605, 4},  {1695, 16}, {1200, 16}, {1210, 2},  {1220, 2},  {1295, 8},  {1215, 4},
    {1205, 2},  {1700, 4},  {1705, 2},  {1710, 2},  {1720, 16}, {1795, 8},  {1715, 4},  {2000, 4},  {2010, 8},
    {2095, 4},  {3900, 16}, {2100, 4},  {2110, 16}, {2120, 2},  {2195, 8},  {3950, 16}, {2200, 4},  {2210, 16},
    {2220, 4},  {2295, 8},  {4000, 16}, {1302, 8},  {1304, 8},  {1305, 8},  {1395, 4},  {1800, 8},  {1804, 4},
    {1895, 4},  {3005, 4},  {3010, 8},  {3015, 2},
};
const std::set<unsigned short> kConfiguredOnly = {1, 4, 5, 7, 8, 701, 704, 705, 707, 708, 271, 272, 1205};

unsigned short SizeOf(unsigned short port)
{
    auto found = kShortPorts.find(port);
    return found == kShortPorts.end() ? 32 : found->second;
}

// A value that tells port and word apart, with distinct high and low bytes.
unsigned short Pattern(unsigned port, unsigned word)
{
    return static_cast<unsigned short>(((port & 0xFF) << 8) | (0x10 + word));
}

Bytes GetFrame(unsigned short port)
{
    return {'G', static_cast<unsigned char>(port >> 8), static_cast<unsigned char>(port & 0xFF)};
}

class PortTableTest : public BusTest {
protected:
    void SetUp() override
    {
        BusTest::SetUp();
        fd = keypad_.OpenLine();
        bufkey[0] = 0;
        KeySelected = 0;
        ClearBuffers(0);
    }
    // Every polled port published with Pattern.
    static void PublishAll()
    {
        for (const MvbPort& entry : mvb_poll_ports)
            for (unsigned w = 0; w < entry.size / 2u; ++w)
                Device().SetSinkWord(entry.port, w, Pattern(entry.port, w));
    }
    static void ClearBuffers(unsigned short value)
    {
        for (const MvbPort& entry : mvb_config_ports)
            if (entry.buffer)
                std::fill(entry.buffer, entry.buffer + entry.size / 2, value);
    }
    static int PollIndex(unsigned short port, bool last)
    {
        int found = -1;
        for (int i = 0; i < mvb_poll_read_count; ++i)
            if (mvb_poll_ports[i].port == port && (found < 0 || last))
                found = i;
        return found;
    }
    PtyPair keypad_;
};

// The first port whose buffer holds a word other than 0; 0 when none.
unsigned short FirstPortNotZero()
{
    for (const MvbPort& entry : mvb_config_ports)
        for (int w = 0; entry.buffer && w < entry.size / 2; ++w)
            if (entry.buffer[w] != 0)
                return entry.port;
    return 0;
}

// The buffers as the program starts, before any case has run (the fixture
// clears them for every case).
const unsigned short kFirstPortNotZeroAtStart = FirstPortNotZero();

TEST_F(PortTableTest, EveryBufferStartsAtZero)
{
    EXPECT_EQ(0, kFirstPortNotZeroAtStart);
}

TEST_F(PortTableTest, ConfigurationTableHasTheHundredTwentyPorts)
{
    const std::vector<unsigned short> order = Ports(kConfigurationOrder);
    ASSERT_EQ(120u, order.size());
    std::set<const unsigned short*> buffers;
    for (int i = 0; i < mvb_config_port_count; ++i) {
        const MvbPort& entry = mvb_config_ports[i];
        EXPECT_EQ(order[i], entry.port) << "position " << i;
        EXPECT_EQ(SizeOf(entry.port), entry.size) << entry.port;
        EXPECT_EQ(kConfiguredOnly.count(entry.port) == 1, entry.buffer == nullptr) << entry.port;
        if (entry.buffer) {
            EXPECT_TRUE(buffers.insert(entry.buffer).second) << entry.port << " shares a buffer";
        }
        const unsigned short word = mvb_port_config_word(entry);
        EXPECT_EQ(entry.port == 301, (word & mue_pd_full_port_config_src) != 0) << entry.port;
        EXPECT_EQ(fc_from_portsize(entry.size), (word & mue_pd_full_port_config_fc_mask) >> 12) << entry.port;
        EXPECT_EQ(entry.port, word & mue_pd_full_port_config_la_mask);
    }
    EXPECT_EQ(107u, buffers.size());
    const struct { unsigned short port; const unsigned short* buffer; } named[] = {
        {301, DDU_301}, {170, TC1_DDU_170}, {270, TC2_DDU_270}, {46, ZBV1_0046}, {1215, HBB1_1215}};
    for (const auto& n : named)
        for (const MvbPort& entry : mvb_config_ports) {
            if (entry.port == n.port) {
                EXPECT_EQ(n.buffer, entry.buffer) << n.port;
            }
        }
}

TEST_F(PortTableTest, PollTableReadsTheHundredSixSinksInOrder)
{
    const std::vector<unsigned short> order = Ports(kPollOrder);
    ASSERT_EQ(107u, order.size());
    std::map<unsigned short, const unsigned short*> configured;
    for (const MvbPort& entry : mvb_config_ports)
        configured[entry.port] = entry.buffer;
    std::set<unsigned short> polled;
    for (int i = 0; i < mvb_poll_read_count; ++i) {
        const MvbPort& entry = mvb_poll_ports[i];
        EXPECT_EQ(order[i], entry.port) << "position " << i;
        EXPECT_EQ(configured.at(entry.port), entry.buffer) << entry.port;
        EXPECT_EQ(SizeOf(entry.port), entry.size) << entry.port;
        polled.insert(entry.port);
    }
    EXPECT_EQ(106u, polled.size());
    EXPECT_EQ(0u, polled.count(301));
    for (unsigned short port : kConfiguredOnly)
        EXPECT_EQ(0u, polled.count(port)) << port;
    // 3005 is read twice: once among the FLG1 ports, once among the DIA ports.
    ASSERT_GE(PollIndex(3005, false), 0);
    EXPECT_LT(PollIndex(3005, false), PollIndex(3005, true));
}

TEST_F(PortTableTest, SizeWithoutCodeGivesAFieldOfOnes)
{
    // fc_from_portsize gives -1 above 32 bytes; the word is built without
    // shifting a negative number.
    const MvbPort oversize = {1234, nullptr, 33};
    EXPECT_EQ(0x7000 | 1234, mvb_port_config_word(oversize));
    const MvbPort source = {301, nullptr, 64};
    EXPECT_EQ(0xF000 | 301, mvb_port_config_word(source));
}

TEST_F(PortTableTest, PortListConfiguresEachPortThenClearsIt)
{
    MVB_Init_list();
    const std::vector<Bytes> frames = TakeFrames();
    ASSERT_EQ(240u, frames.size());
    for (int i = 0; i < mvb_config_port_count; ++i) {
        const MvbPort& entry = mvb_config_ports[i];
        const unsigned short word = mvb_port_config_word(entry);
        EXPECT_EQ(Bytes({'H', static_cast<unsigned char>(word >> 8), static_cast<unsigned char>(word & 0xFF)}),
                  frames[2 * i]);
        Bytes clear = {'P', static_cast<unsigned char>(entry.port >> 8), static_cast<unsigned char>(entry.port & 0xFF)};
        clear.resize(35, 0);
        EXPECT_EQ(clear, frames[2 * i + 1]);
    }
    const struct { unsigned short port; unsigned short config; } words[] = {
        {301, 0xC12D}, {1115, 0x045B}, {1020, 0x43FC}, {1, 0x3001}, {3005, 0x1BBD}, {1045, 0x2415}};
    for (const auto& w : words)
        EXPECT_EQ(w.config, Device().PortConfig(w.port)) << w.port;
}

TEST_F(PortTableTest, FailingPortDoesNotStopTheList)
{
    JumpClock::Use();
    BlockedDevice::Install(0);  // the first port's configuration is not taken
    testing::internal::CaptureStdout();
    MVB_Init_list();
    EXPECT_EQ(kTimeoutLine, testing::internal::GetCapturedStdout());
    EXPECT_EQ(238u, TakeFrames().size());
    EXPECT_FALSE(Device().PortConfigured(1010));
    EXPECT_TRUE(Device().PortConfigured(270));
}

TEST_F(PortTableTest, SilentDeviceEndsTheListAfterTwoTimeOuts)
{
    JumpClock::Use();
    Device().faults.noReply = false;
    Device().faults.neverTakesBytes = true;
    testing::internal::CaptureStdout();
    MVB_Init_list();
    EXPECT_EQ(kTimeoutLine + kTimeoutLine, testing::internal::GetCapturedStdout());
    Device().faults.neverTakesBytes = false;
    EXPECT_FALSE(Device().PortConfigured(1000));
    EXPECT_FALSE(Device().PortConfigured(270));
}

TEST_F(PortTableTest, PollWritesThreeHundredOneThenReadsInPollOrder)
{
    MVB_Init_list();
    PublishAll();
    Device().SetSinkWord(1020, 0, 0x1234);
    DDU_301[0] = 0xA1B2;
    DDU_301[15] = 0x0102;
    Device().ClearFrames();
    keypad_.Press({0x41, 0x42, 0x43});
    FetchMVBData();

    const std::vector<Bytes> frames = TakeFrames();
    ASSERT_EQ(108u, frames.size());
    Bytes write = {'P', 0x01, 0x2D, 0xA1, 0xB2};
    write.resize(33, 0);
    write.insert(write.end(), {0x01, 0x02});
    EXPECT_EQ(write, frames[0]);
    for (int i = 0; i < mvb_poll_read_count; ++i)
        EXPECT_EQ(GetFrame(mvb_poll_ports[i].port), frames[1 + i]) << i;

    EXPECT_EQ(0x1234, FLG1_1020[0]);  // first bus byte is the word's high byte
    EXPECT_EQ(0x34, FLG1_1020[0] & 0xFF);
    for (const MvbPort& entry : mvb_poll_ports)
        for (unsigned w = (entry.port == 1020 ? 1 : 0); w < entry.size / 2u; ++w)
            ASSERT_EQ(Pattern(entry.port, w), entry.buffer[w]) << entry.port << " word " << w;
    for (unsigned char key : {0x41, 0x42, 0x43})
        EXPECT_EQ(key, TakeKeySelected());  // every byte of the read, in order
    EXPECT_EQ(0, TakeKeySelected());
}

TEST_F(PortTableTest, ShortPortFillsOnlyItsOwnWords)
{
    // Neighbouring buffers are not overwritten by a read of the port's full size.
    PublishAll();
    FetchMVBData();
    EXPECT_EQ(Pattern(1115, 0), STB1_1115[0]);
    EXPECT_EQ(Pattern(1020, 15), FLG1_1020[15]);
}

TEST_F(PortTableTest, FirstTimeOutEndsThePollAndKeepsTheBuffers)
{
    JumpClock::Use();
    struct Case {
        const char* name;
        int failingRead;  // poll index whose reply does not come; -1: the write is not taken
        unsigned short expected3005;
    };
    const int second3005 = PollIndex(3005, true);
    const Case cases[] = {
        {"write of 301 not taken", -1, 0x5A5A},
        {"port 300 not answered", 0, 0x5A5A},
        {"second read of 3005 not answered", second3005, Pattern(3005, 0)},  // keeps the first read's data
    };
    for (const Case& c : cases) {
        Device().Reset();
        PublishAll();
        ClearBuffers(0x5A5A);
        const unsigned long before = Device().CommandCount();
        if (c.failingRead < 0)
            BlockedDevice::Install(before, BlockedDevice::Send);
        else
            BlockedDevice::Install(before + 2 + c.failingRead, BlockedDevice::Receive);
        keypad_.Press({0x31});
        testing::internal::CaptureStdout();
        FetchMVBData();
        EXPECT_EQ(kTimeoutLine, testing::internal::GetCapturedStdout()) << c.name;  // one time-out, not 108
        EXPECT_EQ(static_cast<std::size_t>(c.failingRead < 0 ? 0 : 2 + c.failingRead), TakeFrames().size())
            << c.name;
        EXPECT_EQ(c.expected3005, DIA1_3005[0]) << c.name;
        if (c.failingRead <= 0) {
            EXPECT_EQ(0x5A5A, DDU_300[0]) << c.name;  // a failed read leaves its buffer as it was
        }
        EXPECT_EQ(0x5A5A, DIA1_3010[0]) << c.name;  // read after the failure point: untouched
        EXPECT_EQ(0x5A5A, HBB1_1215[1]) << c.name;
        EXPECT_EQ(0x31, KeySelected) << c.name;      // the keypad is still read

        // The next poll after the retry interval tries again and reads everything.
        JumpClock::now += mvb_poll_retry_seconds;
        FetchMVBData();
        EXPECT_EQ(108u, TakeFrames().size()) << c.name;
        EXPECT_EQ(Pattern(1215, 1), HBB1_1215[1]) << c.name;
    }
}

TEST_F(PortTableTest, SilentDeviceLeavesTheSameBuffersPollAfterPoll)
{
    PublishAll();
    FetchMVBData();
    JumpClock::Use();
    Device().faults.noReply = true;
    Device().SetSinkWord(1020, 0, 0xFFFF);
    testing::internal::CaptureStdout();
    FetchMVBData();
    JumpClock::now += mvb_poll_retry_seconds;
    FetchMVBData();
    EXPECT_EQ(kTimeoutLine + kTimeoutLine, testing::internal::GetCapturedStdout());
    EXPECT_EQ(Pattern(1020, 0), FLG1_1020[0]);
    EXPECT_EQ(Pattern(300, 3), DDU_300[3]);
}

// Replies lost on the way are owed until two retries have waited for them
// in vain; meanwhile no read goes out (its reply would be taken for theirs),
// but port 301 does, at every retry: its command has no reply.
TEST_F(PortTableTest, LostRepliesHoldTheReadsForTwoRetriesButNotPort301)
{
    PublishAll();
    ClearBuffers(0x5A5A);
    JumpClock::Use();
    Device().faults.noReply = true;
    testing::internal::CaptureStdout();
    FetchMVBData();
    const struct { bool healthy; std::size_t frames; bool failed; } retries[] = {
        {false, 1, true},    // the lost reply waited for in vain, once
        {false, 2, true},    // twice: given up; the next read's reply is lost too
        {true, 1, true},     // the device answers again; that reply is still owed
        {true, 108, false},  // given up: every port read, in step
    };
    EXPECT_EQ(2u, TakeFrames().size());
    for (const auto& r : retries) {
        Device().faults.noReply = !r.healthy;
        JumpClock::now += mvb_poll_retry_seconds;
        FetchMVBData();
        const std::vector<Bytes> frames = TakeFrames();
        ASSERT_EQ(r.frames, frames.size());
        EXPECT_EQ('P', frames[0][0]) << "port 301 at every retry";
        EXPECT_EQ(r.failed, mvb_poll_paused);
    }
    testing::internal::GetCapturedStdout();
    for (const MvbPort& entry : mvb_poll_ports)
        ASSERT_EQ(Pattern(entry.port, 0), entry.buffer[0]) << entry.port;
}

// The poll's budget, worked out for 500 ms: a device that answers every
// command late is read as far as each poll's budget goes, port 301 first in
// every poll, the reads going on round the list where the last poll
// stopped; one that answers nothing within the budget fails the poll, like
// a time-out.
TEST_F(PortTableTest, BudgetCutsAPollAndTheNextGoesOn)
{
    static_assert(mvb_poll_budget_ms == 500, "the table is worked out for 500 ms");
    struct Case {
        long long costMs;                 // each command of the device
        std::vector<std::size_t> frames;  // the write and the reads of each poll
        bool failed;
    };
    const Case cases[] = {
        {0, {108, 108}, false},
        {4, {108, 108}, false},                            // 432 ms in all
        {5, {100, 100, 100}, false},                       // 500 ms spent after the write and 99 reads
        {30, {17, 17, 17, 17, 17, 17, 17}, false},         // 16 reads a poll (3.2 s for the whole list)
        {600, {1}, true},                                  // the write alone spends it
    };
    for (const Case& c : cases) {
        Device().Reset();
        ASSERT_EQ(0, mue_acc_init(p_bus_ctrl));
        PublishAll();
        ClearBuffers(0x5A5A);
        mvb_poll_paused = false;
        mvb_poll_next_read = 0;
        ScriptedClock::Use({100});
        CommandClock::Use(c.costMs);
        std::size_t reads = 0;
        for (std::size_t poll = 0; poll < c.frames.size(); ++poll) {
            keypad_.Press({0x31});
            testing::internal::CaptureStdout();
            FetchMVBData();
            EXPECT_EQ(c.failed ? kTimeoutLine : "", testing::internal::GetCapturedStdout()) << c.costMs;
            const std::vector<Bytes> frames = TakeFrames();
            ASSERT_EQ(c.frames[poll], frames.size()) << c.costMs << " ms, poll " << poll;
            EXPECT_EQ('P', frames[0][0]) << "port 301 first in every poll";
            EXPECT_EQ(c.failed, mvb_poll_paused) << c.costMs;
            EXPECT_EQ(0x31, TakeKeySelected()) << c.costMs;  // the keypad is still read
            const std::size_t last = (reads + frames.size() - 1) % mvb_poll_read_count;
            if (!c.failed && last > 0) {
                // The last port read has its data, the next one keeps its old value.
                const MvbPort& read = mvb_poll_ports[last - 1];
                const MvbPort& next = mvb_poll_ports[last];
                EXPECT_EQ(Pattern(read.port, 0), read.buffer[0]) << c.costMs;
                if (reads + frames.size() - 1 < std::size_t(mvb_poll_read_count)) {
                    EXPECT_EQ(0x5A5A, next.buffer[0]) << c.costMs;
                }
            }
            reads += frames.size() - 1;
        }
        if (c.failed) {
            // Like after a time-out: the bus rests, then is tried again.
            FetchMVBData();
            EXPECT_EQ(0u, TakeFrames().size()) << c.costMs;
            ScriptedClock::Use({100 + mvb_poll_retry_seconds});
            testing::internal::CaptureStdout();
            FetchMVBData();
            EXPECT_EQ(kTimeoutLine, testing::internal::GetCapturedStdout()) << c.costMs;
            EXPECT_EQ(c.frames[0], TakeFrames().size()) << c.costMs;
            continue;
        }
        // Every port read by now, each buffer with its own port's data.
        for (const MvbPort& entry : mvb_poll_ports)
            ASSERT_EQ(Pattern(entry.port, 0), entry.buffer[0]) << c.costMs << " ms, port " << entry.port;
    }
}

// The first read's reply becomes ready just as the budget is spent: the
// wait's last ready test still takes it (as at any time-out), the poll ends
// there without a time-out line, and the next poll goes on with the next
// port, round the list.
struct BudgetEdge {
    static int readings;
    static long long Clock() { return ++readings < 3 ? 0 : 600; }  // budget start, first check, then spent
    static unsigned char In(unsigned short port)
    {
        mue_sim::MueDevice& device = mue_sim::InProcessDevice();
        if (port != cch_reg_stat)
            return device.ReadData();
        return readings < 3 ? 0x60 : device.ReadStatus();  // no reply byte until the budget is spent
    }
    static void Out(unsigned char value, unsigned short port)
    {
        if (port == cch_reg_data)
            mue_sim::InProcessDevice().WriteData(value);
    }
};
int BudgetEdge::readings = 0;
long long (*const BudgetEdgeRealClock)() = cch_clock_ms;

TEST_F(PortTableTest, ReplyReadyAsTheBudgetEndsIsTakenAndTheNextPollGoesOn)
{
    PublishAll();
    reg_install_hooks(&BudgetEdge::In, &BudgetEdge::Out);
    ASSERT_EQ(0, mue_cch_init(0));
    BudgetEdge::readings = 0;
    cch_clock_ms = &BudgetEdge::Clock;
    testing::internal::CaptureStdout();
    FetchMVBData();
    EXPECT_EQ("", testing::internal::GetCapturedStdout());
    EXPECT_EQ(2u, TakeFrames().size());
    EXPECT_EQ(Pattern(300, 0), DDU_300[0]) << "the reply that came in time is taken";
    EXPECT_EQ(0, ZBV1_0046[0]);
    EXPECT_FALSE(mvb_poll_paused);
    EXPECT_EQ(1, mvb_poll_next_read);
    reg_install_hooks(nullptr, nullptr);  // the device as it is, on the real clock
    ASSERT_EQ(0, mue_cch_init(0));
    cch_clock_ms = BudgetEdgeRealClock;
    FetchMVBData();
    const std::vector<Bytes> frames = TakeFrames();
    ASSERT_EQ(108u, frames.size()) << "the write and one round of the list";
    EXPECT_EQ(GetFrame(46), frames[1]);
    EXPECT_EQ(GetFrame(300), frames[107]);
    EXPECT_EQ(Pattern(46, 0), ZBV1_0046[0]);
    EXPECT_EQ(1, mvb_poll_next_read);
}

// The device model answering late, on the real clock: a poll lasts its
// budget and at most one more exchange, whether each reply is a little late
// (the poll is cut, a reply under way given up and dropped when it comes) or
// one reply is later than the whole budget (the poll fails).
TEST_F(PortTableTest, SlowDeviceHoldsThePollForItsBudgetOnly)
{
    const struct { unsigned delayMs; std::size_t fewestFrames, mostFrames; bool failed; } cases[] = {
        {30, 2, 2 + mvb_poll_budget_ms / 30, false}, {2000, 2, 2, true}};
    for (const auto& c : cases) {
        Device().Reset();
        ASSERT_EQ(0, mue_acc_init(p_bus_ctrl));
        PublishAll();
        mvb_poll_paused = false;
        Device().faults.replyDelayMs = c.delayMs;
        keypad_.Press({0x32});
        testing::internal::CaptureStdout();
        const auto start = std::chrono::steady_clock::now();
        FetchMVBData();
        const long long ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(c.failed ? kTimeoutLine : "", testing::internal::GetCapturedStdout()) << c.delayMs;
        EXPECT_GE(ms, mvb_poll_budget_ms - 1) << c.delayMs;  // the budget counts whole milliseconds
        EXPECT_LT(ms, mvb_poll_budget_ms + testsupport::Scaled(300)) << c.delayMs;
        const std::size_t frames = TakeFrames().size();
        EXPECT_GE(frames, c.fewestFrames) << c.delayMs;
        EXPECT_LE(frames, c.mostFrames) << c.delayMs;
        EXPECT_EQ(c.failed, mvb_poll_paused) << c.delayMs;
        // A late reply given up is owed in full; a cut that falls between
        // two exchanges (a slow machine) gives none up.
        if (c.failed) {
            EXPECT_EQ(35u, cch_reply_owed()) << c.delayMs << ": the reply given up";
        } else {
            EXPECT_TRUE(cch_reply_owed() == 0 || cch_reply_owed() == 35u) << c.delayMs << ": " << cch_reply_owed();
        }
        EXPECT_EQ(0x32, TakeKeySelected()) << c.delayMs;
    }
}

}  // namespace

namespace {

class DeadDeviceTest : public PortTableTest {
protected:
    // One poll with the clock standing at `second` (moving on by four
    // seconds per reading inside a wait); returns the lines it printed.
    std::string PollAt(time_t second, unsigned char key)
    {
        ScriptedClock::Use({second, second, second + 4, second + 4});
        keypad_.Press({key});
        testing::internal::CaptureStdout();
        FetchMVBData();
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(DeadDeviceTest, BusIsTriedOnlyOnceEveryRetryIntervalKeysEveryPoll)
{
    FakeRegisters::Install(0x00);  // no card answers
    EXPECT_EQ(kTimeoutLine, PollAt(100, 0x31));
    EXPECT_EQ(0x31, TakeKeySelected());
    // The time-out ended at 104: until 109 the polls leave the bus alone.
    const struct { time_t second; unsigned char key; bool tried; } polls[] = {
        {104, 0x32, false}, {106, 0x33, false}, {108, 0x34, false}, {109, 0x35, true},
        {113, 0x36, false}, {118, 0x37, true},  {90, 0x38, true},  // clock set back: tried at once
    };
    for (const auto& p : polls) {
        const int before = FakeRegisters::statusReads;
        EXPECT_EQ(p.tried ? kTimeoutLine : "", PollAt(p.second, p.key)) << p.second;
        EXPECT_EQ(p.tried, FakeRegisters::statusReads > before) << p.second;
        EXPECT_EQ(p.key, TakeKeySelected()) << p.second;  // the keypad is read on every poll
    }
}

TEST_F(DeadDeviceTest, DeviceThatAnswersAgainIsPolledEveryTimeOnceTried)
{
    PublishAll();
    Device().faults.neverTakesBytes = true;
    EXPECT_EQ(kTimeoutLine, PollAt(100, 0x31));
    Device().faults.neverTakesBytes = false;
    Device().ClearFrames();
    EXPECT_EQ("", PollAt(106, 0x32));
    EXPECT_EQ(0u, TakeFrames().size());
    for (time_t second : {109, 109, 110}) {
        EXPECT_EQ("", PollAt(second, 0x33)) << second;
        EXPECT_EQ(108u, TakeFrames().size()) << second;
    }
    EXPECT_EQ(Pattern(1215, 1), HBB1_1215[1]);
}

}  // namespace
