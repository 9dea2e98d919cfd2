// Character channel and access layer: ready masks, burst transfers, the
// time-out rule and its line, no register access without a granted channel,
// byte order of the frame fields and the frame buffer's bounds.
#include "BusFixture.h"
#include "MueCommands.h"

#include <algorithm>

namespace {

class ChannelTest : public BusTest {};

TEST_F(ChannelTest, ReadyMasksNeedEveryBitOfTheMask)
{
    const struct { unsigned char status; bool tx; bool rx; } cases[] = {
        {0x00, false, false}, {0x40, false, false}, {0x20, false, false}, {0x60, true, false},
        {0x61, true, true},   {0xFF, true, true},   {0x01, false, true},  {0x41, false, true},
    };
    for (const auto& c : cases) {
        FakeRegisters::Install(c.status);
        EXPECT_EQ(c.tx, cch_reg_stat_ready(0, cch_reg_stat_txready)) << std::hex << int(c.status);
        EXPECT_EQ(c.rx, cch_reg_stat_ready(0, cch_reg_stat_rxready)) << std::hex << int(c.status);
    }
}

TEST_F(ChannelTest, ZeroByteTransfersTouchNeitherStatusNorTimer)
{
    FakeRegisters::Install(0x00);
    cch_time_start = 12345;
    ScriptedClock::Use({1});
    unsigned char byte = 0;
    EXPECT_EQ(0, mue_cch_transmit(0, 0, &byte));
    EXPECT_EQ(0, mue_cch_receive(0, 0, &byte));
    EXPECT_EQ(0, FakeRegisters::statusReads);
    EXPECT_EQ(12345, cch_time_start);
}

TEST_F(ChannelTest, ReadyDeviceMovesTheWholeBurstAfterOneReadyTest)
{
    FakeRegisters::Install(0x60);
    const unsigned char out[] = {0x47, 0x01, 0x2D};
    EXPECT_EQ(0, mue_cch_transmit(0, 3, out));
    EXPECT_EQ(1, FakeRegisters::statusReads);
    EXPECT_EQ(Bytes(out, out + 3), FakeRegisters::written);
    FakeRegisters::status = 0x61;
    FakeRegisters::toRead = {1, 2, 3};
    unsigned char in[3] = {};
    EXPECT_EQ(0, mue_cch_receive(0, 3, in));
    EXPECT_EQ(2, FakeRegisters::statusReads);
    EXPECT_EQ(Bytes({1, 2, 3}), Bytes(in, in + 3));
}

TEST_F(ChannelTest, LateReplyIsDroppedBeforeTheNextCommand)
{
    // A reply that arrives after its wait expired must not answer the next read.
    JumpClock::Use();
    BlockedDevice::Install(1, BlockedDevice::Receive);
    unsigned short first = 0;
    ASSERT_EQ(0, mue_sv_put_device_config(p_bus_ctrl, 0x1234));
    testing::internal::CaptureStdout();
    EXPECT_EQ(8, mue_sv_get_device_config(p_bus_ctrl, &first));
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(Device().ReplyWaiting());
    ASSERT_EQ(0, mue_pd_full_put_port_config(p_bus_ctrl, 0x0ABC));
    unsigned short config = 0;
    EXPECT_EQ(0, mue_pd_full_get_port_config(p_bus_ctrl, 0x0ABC, &config));
    EXPECT_EQ(0x0ABC, config);
}

TEST_F(ChannelTest, StatusStuckReadyCostsNoDrain)
{
    // No card: the status register reads 0xFF. A command costs its own
    // bytes, not a drain of 255 reads before each send.
    FakeRegisters::Install(0xFF);
    unsigned char status = 0;
    unsigned short data[16] = {};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(0, mue_pd_full_get_port_data(p_bus_ctrl, 1020, 0, 32, &status, data, nullptr));
    EXPECT_EQ(10 * 35, FakeRegisters::dataReads);
    EXPECT_EQ(10 * 2, FakeRegisters::statusReads);
}

TEST_F(ChannelTest, AfterAReceiveTimeOutAtMostThatReplyIsDropped)
{
    FakeRegisters::Install(0x60);
    FakeRegisters::toRead = {0x1F, 0x3F, 0xAA, 0xBB};
    FakeRegisters::replyAfterWrites = 100;  // nothing readable yet
    ScriptedClock::Use({100, 104});
    unsigned char reply[2] = {};
    testing::internal::CaptureStdout();
    EXPECT_EQ(8, mue_cch_receive(0, 2, reply));
    EXPECT_EQ(kTimeoutLine, testing::internal::GetCapturedStdout());

    FakeRegisters::replyAfterWrites = 0;  // the late reply comes, and more bytes behind it
    const unsigned char out[] = {'I', 0x0A, 0xBC};
    EXPECT_EQ(0, mue_cch_transmit(0, 3, out));
    EXPECT_EQ(2u, FakeRegisters::readAt);  // the two late bytes, nothing more
    EXPECT_EQ(Bytes(out, out + 3), FakeRegisters::written);
    EXPECT_EQ(0, mue_cch_transmit(0, 3, out));
    EXPECT_EQ(2u, FakeRegisters::readAt);  // dropped once only
}

TEST_F(ChannelTest, WaitExpiresAfterMoreThanThreeSecondsWithOneLine)
{
    struct Case { const char* name; std::vector<time_t> clock; unsigned char status; bool receive; int expected; };
    const Case cases[] = {
        {"send, never ready", {100, 101, 102, 103, 104}, 0x01, false, 6},
        {"receive, never ready", {100, 101, 102, 103, 104}, 0x60, true, 8},
        {"clock set back", {100, 40}, 0x00, false, 6},
    };
    for (const Case& c : cases) {
        FakeRegisters::Install(c.status);
        ScriptedClock::Use(c.clock);
        unsigned char bytes[2] = {0x11, 0x22};
        testing::internal::CaptureStdout();
        const int status = c.receive ? mue_cch_receive(0, 2, bytes) : mue_cch_transmit(0, 2, bytes);
        EXPECT_EQ(kTimeoutLine, testing::internal::GetCapturedStdout()) << c.name;
        EXPECT_EQ(c.expected, status) << c.name;
        EXPECT_TRUE(FakeRegisters::written.empty()) << c.name;
        EXPECT_EQ(0u, FakeRegisters::readAt) << c.name;
        EXPECT_EQ(0x11, bytes[0]) << c.name;
        // Every clock value of the script was used: the wait ran until the first expiry.
        EXPECT_EQ(c.clock.size(), ScriptedClock::next) << c.name;
    }
}

TEST_F(ChannelTest, WaitSleepsBetweenLooksAtTheStatus)
{
    // A device that never becomes ready, waited for a budget of 200 ms: the
    // status is looked at about once a millisecond at most, not spun on.
    FakeRegisters::Install(0x00);
    cch_budget_start(200);
    const unsigned char out[] = {0x53};
    EXPECT_EQ(6, mue_cch_transmit(0, 1, out));
    cch_budget_end(false);
    EXPECT_GE(FakeRegisters::statusReads, 10);
    EXPECT_LE(FakeRegisters::statusReads, 200 + 20);
}

// Every reply given up is owed in full, added to those before it; its bytes
// are dropped as they come, before or during later waits, and the next reply
// is the right one.
TEST_F(ChannelTest, OwedReplyBytesAddUpAndAreDroppedAsTheyCome)
{
    FakeRegisters::Install(0x60);
    FakeRegisters::replyAfterWrites = 100;  // nothing readable for now
    ScriptedClock::Use({100, 104});
    unsigned char reply[35] = {};
    testing::internal::CaptureStdout();
    EXPECT_EQ(8, mue_cch_receive(0, 2, reply));
    ScriptedClock::Use({200, 204});
    EXPECT_EQ(8, mue_cch_receive(0, 35, reply));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(37u, cch_reply_owed());

    // The late replies (2 + 35 bytes) come, and behind them the reply to a new command.
    Bytes late(37, 0xEE);
    late.push_back(0x1F);
    late.push_back(0x3F);
    FakeRegisters::toRead = late;
    FakeRegisters::replyAfterWrites = 0;
    cch_clock = &time;
    EXPECT_EQ(0, mue_cch_receive(0, 2, reply));
    EXPECT_EQ(0x1F, reply[0]);
    EXPECT_EQ(0x3F, reply[1]);
    EXPECT_EQ(0u, cch_reply_owed());
}

TEST_F(ChannelTest, ThreeSecondsIsNotYetExpired)
{
    ScriptedClock::Use({100, 103});
    cch_timeout_start(0);
    EXPECT_FALSE(cch_timeout_expired(0));
    ScriptedClock::Use({104});
    testing::internal::CaptureStdout();
    EXPECT_TRUE(cch_timeout_expired(0));
    EXPECT_EQ(kTimeoutLine, testing::internal::GetCapturedStdout());
}

TEST_F(ChannelTest, DeviceReadyAtExpiryIsServedByTheFinalTest)
{
    FakeRegisters::Install(0x00);
    ScriptedClock::Use({100, 101, 102, 103, 104});
    FakeRegisters::readyFrom = 104;
    const unsigned char out[] = {0x53};
    testing::internal::CaptureStdout();
    EXPECT_EQ(0, mue_cch_transmit(0, 1, out));
    EXPECT_EQ(kTimeoutLine, testing::internal::GetCapturedStdout());
    EXPECT_EQ(Bytes({0x53}), FakeRegisters::written);
}

TEST_F(ChannelTest, CleanUpWritesThirtyFiveZerosWithoutReadyTest)
{
    FakeRegisters::Install(0x00);
    EXPECT_EQ(0, mue_acc_clean_up(p_bus_ctrl));
    EXPECT_EQ(Bytes(35, 0), FakeRegisters::written);
    EXPECT_EQ(0, FakeRegisters::statusReads);
}

TEST_F(ChannelTest, RefusedAccessFailsEveryTransferWithoutTouchingRegisters)
{
    FakeRegisters::Install(0x61);
    reg_install_hooks(nullptr, nullptr);
    ::setenv("CABDISPLAY_MVB", "sim:/nonexistent/mvb.sock", 1);
    EXPECT_EQ(2, mue_acc_init(p_bus_ctrl));
    ::unsetenv("CABDISPLAY_MVB");
    unsigned char bytes[3] = {1, 2, 3};
    EXPECT_EQ(2, mue_cch_transmit(0, 3, bytes));
    EXPECT_EQ(2, mue_cch_receive(0, 3, bytes));
    EXPECT_EQ(2, mue_cch_clean_up(0));
    EXPECT_EQ(2, mue_sv_put_device_config(p_bus_ctrl, 0));
    unsigned short word = 0x5555;
    EXPECT_EQ(2, mue_sv_get_device_config(p_bus_ctrl, &word));
    EXPECT_EQ(0x5555, word);
    EXPECT_EQ(0, FakeRegisters::statusReads);
    EXPECT_TRUE(FakeRegisters::written.empty());
    EXPECT_EQ(0ul, Device().CommandCount());
}

// --- access layer ---

class AccessTest : public BusTest {
protected:
    static Bytes Frame() { return Bytes(mue_cch_data_buf, mue_cch_data_buf + mue_cch_data_cnt); }
    // Puts reply bytes into the frame buffer as a received reply would.
    static void Received(const Bytes& bytes)
    {
        std::copy(bytes.begin(), bytes.end(), mue_cch_data_buf);
        mue_cch_data_cnt = 0;
        mue_cch_data_ptr = mue_cch_data_buf;
    }
};

TEST_F(AccessTest, FieldsArePutHighByteFirst)
{
    const unsigned short words[] = {0x0102, 0x0304};
    EXPECT_EQ(0, mue_acc_tx_start(p_bus_ctrl, 1));  // the size has no effect
    EXPECT_EQ(0, mue_acc_tx_value8(p_bus_ctrl, 0x50));
    EXPECT_EQ(0, mue_acc_tx_value16(p_bus_ctrl, 0x1234));
    EXPECT_EQ(0, mue_acc_tx_array(p_bus_ctrl, 4, words));
    EXPECT_EQ(0, mue_acc_tx_fill(p_bus_ctrl, 2));
    EXPECT_EQ(Bytes({0x50, 0x12, 0x34, 0x01, 0x02, 0x03, 0x04, 0x00, 0x00}), Frame());
    EXPECT_EQ(0, mue_acc_tx_start(p_bus_ctrl, 35));
    EXPECT_EQ(Bytes(), Frame());
}

TEST_F(AccessTest, FieldsAreTakenHighByteFirstAndIgnoreDoesNotMove)
{
    Received({0x12, 0x34, 0xAA, 0x01, 0x02, 0x03, 0x04, 0x77, 0x88, 0x99});
    unsigned short value = 0, words[2] = {};
    unsigned char byte = 0;
    EXPECT_EQ(0, mue_acc_rx_value16(p_bus_ctrl, &value));
    EXPECT_EQ(0x1234, value);
    EXPECT_EQ(0, mue_acc_rx_ignore(p_bus_ctrl, 5));
    EXPECT_EQ(0, mue_acc_rx_value8(p_bus_ctrl, &byte));
    EXPECT_EQ(0xAA, byte);
    EXPECT_EQ(0, mue_acc_rx_array(p_bus_ctrl, 4, words));
    EXPECT_EQ(0x0102, words[0]);
    EXPECT_EQ(0x0304, words[1]);
    EXPECT_EQ(0, mue_acc_rx_fill(p_bus_ctrl, 2));
    EXPECT_EQ(0, mue_acc_rx_value8(p_bus_ctrl, &byte));
    EXPECT_EQ(0x99, byte);
    EXPECT_EQ(10, mue_cch_data_cnt);
}

TEST_F(AccessTest, NothingIsPutOrTakenPastTheFrameBuffer)
{
    const unsigned short words[17] = {};
    mue_acc_tx_start(p_bus_ctrl, 0);
    EXPECT_EQ(0, mue_acc_tx_fill(p_bus_ctrl, 34));
    EXPECT_EQ(mue_status_frame, mue_acc_tx_value16(p_bus_ctrl, 0xFFFF));
    EXPECT_EQ(0, mue_acc_tx_value8(p_bus_ctrl, 0xEE));
    EXPECT_EQ(mue_status_frame, mue_acc_tx_value8(p_bus_ctrl, 0xEE));
    EXPECT_EQ(35, mue_cch_data_cnt);
    mue_acc_tx_start(p_bus_ctrl, 0);
    EXPECT_EQ(mue_status_frame, mue_acc_tx_array(p_bus_ctrl, 34 + 2, words));
    EXPECT_EQ(mue_status_frame, mue_acc_tx_fill(p_bus_ctrl, static_cast<unsigned short>(32 - 40)));
    EXPECT_EQ(0, mue_cch_data_cnt);

    Received(Bytes(35, 0x5A));
    unsigned short taken[17];
    std::fill(taken, taken + 17, 0x1111);
    EXPECT_EQ(mue_status_frame, mue_acc_rx_array(p_bus_ctrl, 36, taken));
    EXPECT_EQ(0x1111, taken[0]);
    EXPECT_EQ(0, mue_acc_rx_fill(p_bus_ctrl, 34));
    unsigned short value = 0;
    EXPECT_EQ(mue_status_frame, mue_acc_rx_value16(p_bus_ctrl, &value));
    EXPECT_EQ(0, value);
    EXPECT_EQ(mue_status_frame, mue_acc_rx_wait(p_bus_ctrl, 36));
}

TEST_F(AccessTest, TriggerSendsTheFrameAndWaitReceivesTheReply)
{
    // Get device configuration, step by step, against the in-process device.
    mue_acc_tx_start(p_bus_ctrl, 1);
    mue_acc_tx_value8(p_bus_ctrl, 'S');
    EXPECT_EQ(0, mue_acc_tx_trigger(p_bus_ctrl));
    EXPECT_EQ(std::vector<Bytes>({{'S'}}), TakeFrames());
    EXPECT_EQ(0, mue_acc_rx_wait(p_bus_ctrl, 2));
    EXPECT_EQ(0, mue_cch_data_cnt);
    EXPECT_EQ(0, mue_acc_rx_wait(p_bus_ctrl, 0));  // nothing expected: no wait
}

}  // namespace
