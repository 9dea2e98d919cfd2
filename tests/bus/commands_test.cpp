// The eight MUE commands: frames sent, replies taken, the check flag rule,
// time-outs that leave destinations alone, and sizes that cannot fit a frame.
#include "BusFixture.h"
#include "MueCommands.h"

#include <functional>

namespace {

class CommandTest : public BusTest {};

Bytes Concat(Bytes head, const Bytes& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST_F(CommandTest, EachCommandSendsItsFrame)
{
    const unsigned short two[] = {0x1122, 0x3344};
    unsigned short full[16];
    for (int i = 0; i < 16; ++i)
        full[i] = static_cast<unsigned short>(0x0101 * (i + 1));
    Bytes fullBytes;
    for (int i = 0; i < 16; ++i)
        fullBytes.insert(fullBytes.end(), {static_cast<unsigned char>(i + 1), static_cast<unsigned char>(i + 1)});
    unsigned short word = 0;
    unsigned char status = 0;
    const struct { const char* name; std::function<int()> run; Bytes frame; } cases[] = {
        {"put port config", [&] { return mue_pd_full_put_port_config(p_bus_ctrl, 0xC12D); }, {'H', 0xC1, 0x2D}},
        {"get port config", [&] { return mue_pd_full_get_port_config(p_bus_ctrl, 301, &word); }, {'I', 0x01, 0x2D}},
        {"put port data 4", [&] { return mue_pd_full_put_port_data(p_bus_ctrl, 1020, 4, two); },
         Concat({'P', 0x03, 0xFC, 0x11, 0x22, 0x33, 0x44}, Bytes(28, 0))},
        {"put port data 2", [&] { return mue_pd_full_put_port_data(p_bus_ctrl, 1115, 2, two); },
         Concat({'P', 0x04, 0x5B, 0x11, 0x22}, Bytes(30, 0))},
        {"put port data 32", [&] { return mue_pd_full_put_port_data(p_bus_ctrl, 301, 32, full); },
         Concat({'P', 0x01, 0x2D}, fullBytes)},
        {"get port data", [&] { return mue_pd_full_get_port_data(p_bus_ctrl, 3005, 0, 4, &status, full, nullptr); },
         {'G', 0x0B, 0xBD}},
        {"put device config", [&] { return mue_sv_put_device_config(p_bus_ctrl, 0xD099); }, {'C', 0xD0, 0x99}},
        {"get device config", [&] { return mue_sv_get_device_config(p_bus_ctrl, &word); }, {'S'}},
        {"put ba config", [&] { return mue_sv_put_ba_config(p_bus_ctrl, 0x1234); }, {'A', 0x12, 0x34}},
        {"get device status",
         [&] { return mue_sv_get_device_status(p_bus_ctrl, 0x0102, 0, &status, &word, nullptr); }, {'D', 0x01, 0x02}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(0, c.run()) << c.name;
        EXPECT_EQ(std::vector<Bytes>({c.frame}), TakeFrames()) << c.name;
        EXPECT_FALSE(Device().ReplyWaiting()) << c.name << ": reply left untaken by the channel";
    }
}

TEST_F(CommandTest, RepliesAreTakenIntoTheCallersFields)
{
    unsigned short word = 0;
    ASSERT_EQ(0, mue_pd_full_put_port_config(p_bus_ctrl, 0x3456));
    ASSERT_EQ(0, mue_pd_full_get_port_config(p_bus_ctrl, 0x456, &word));
    EXPECT_EQ(0x3456, word);
    ASSERT_EQ(0, mue_sv_put_device_config(p_bus_ctrl, 0x3F3F));
    ASSERT_EQ(0, mue_sv_get_device_config(p_bus_ctrl, &word));
    EXPECT_EQ(0x1F3F, word);  // a working device clears the bus-administrator bit
    unsigned char status = 0;
    unsigned short deviceStatus = 0, freshness = 0x7777;
    ASSERT_EQ(0, mue_sv_get_device_status(p_bus_ctrl, 0, 0, &status, &deviceStatus, &freshness));
    EXPECT_EQ(0xC0, status);
    EXPECT_EQ(0x3F3F, deviceStatus);
    EXPECT_EQ(0, freshness);
}

// Get port data against scripted reply bytes: status, 32 data bytes 0x01..0x20, freshness 0xBEEF.
class PortDataReplyTest : public BusTest {
protected:
    void Reply(unsigned char status)
    {
        FakeRegisters::Install(0x60);
        FakeRegisters::replyAfterWrites = 3;  // the reply comes once the command is sent
        FakeRegisters::toRead = {status};
        for (int i = 1; i <= 32; ++i)
            FakeRegisters::toRead.push_back(static_cast<unsigned char>(i));
        FakeRegisters::toRead.insert(FakeRegisters::toRead.end(), {0xBE, 0xEF});
    }
};

TEST_F(PortDataReplyTest, CheckFlagOneWithoutSinkBitsLeavesDataAlone)
{
    const struct { unsigned char check; unsigned char status; bool taken; } cases[] = {
        {1, 0x00, false}, {1, 0x3F, false}, {1, 0x40, true}, {1, 0x80, true},
        {1, 0xC0, true},  {0, 0x00, true},  {2, 0x00, true},
    };
    for (const auto& c : cases) {
        Reply(c.status);
        unsigned char status = 0x55;
        unsigned short data[4] = {9, 9, 9, 9}, freshness = 9;
        EXPECT_EQ(0, mue_pd_full_get_port_data(p_bus_ctrl, 1045, c.check, 8, &status, data, &freshness));
        EXPECT_EQ(c.status, status);
        const std::vector<unsigned short> expected =
            c.taken ? std::vector<unsigned short>{0x0102, 0x0304, 0x0506, 0x0708, 0xBEEF}
                    : std::vector<unsigned short>{9, 9, 9, 9, 9};
        EXPECT_EQ(expected, std::vector<unsigned short>({data[0], data[1], data[2], data[3], freshness}))
            << "check " << int(c.check) << " status " << std::hex << int(c.status);
    }
}

TEST_F(PortDataReplyTest, WithoutFreshnessTheRestIsLeftUntaken)
{
    Reply(0xC0);
    unsigned char status = 0;
    unsigned short data[1] = {};
    EXPECT_EQ(0, mue_pd_full_get_port_data(p_bus_ctrl, 1115, 0, 2, &status, data, nullptr));
    EXPECT_EQ(0x0102, data[0]);
    EXPECT_EQ(3, mue_cch_data_cnt);  // status and one word taken
}

TEST_F(PortDataReplyTest, DeviceStatusFollowsTheSameCheckRule)
{
    const struct { unsigned char check; unsigned char status; bool taken; } cases[] = {
        {1, 0x00, false}, {1, 0x80, true}, {0, 0x00, true}};
    for (const auto& c : cases) {
        FakeRegisters::Install(0x60);
        FakeRegisters::replyAfterWrites = 3;
        FakeRegisters::toRead = {c.status, 0x12, 0x34, 0x56, 0x78};
        unsigned char status = 0;
        unsigned short deviceStatus = 9, freshness = 9;
        EXPECT_EQ(0, mue_sv_get_device_status(p_bus_ctrl, 0xABCD, c.check, &status, &deviceStatus, &freshness));
        EXPECT_EQ(Bytes({'D', 0xAB, 0xCD}), FakeRegisters::written);
        EXPECT_EQ(c.status, status);
        EXPECT_EQ(c.taken ? 0x1234 : 9, deviceStatus) << int(c.check) << "/" << int(c.status);
        EXPECT_EQ(c.taken ? 0x5678 : 9, freshness) << int(c.check) << "/" << int(c.status);
    }
}

TEST_F(CommandTest, TimeOutsLeaveEveryDestinationAsItWas)
{
    JumpClock::Use();
    const struct { const char* name; bool noReply; int expected; } cases[] = {
        {"no reply", true, 8},
        {"never takes bytes", false, 6},
    };
    for (const auto& c : cases) {
        Device().faults.noReply = c.noReply;
        Device().faults.neverTakesBytes = !c.noReply;
        unsigned char status = 0x55;
        unsigned short data[2] = {0x1111, 0x2222}, freshness = 0x3333, word = 0x4444;
        testing::internal::CaptureStdout();
        EXPECT_EQ(c.expected, mue_pd_full_get_port_data(p_bus_ctrl, 1600, 0, 4, &status, data, &freshness)) << c.name;
        EXPECT_EQ(c.expected, mue_sv_get_device_config(p_bus_ctrl, &word)) << c.name;
        EXPECT_EQ(kTimeoutLine + kTimeoutLine, testing::internal::GetCapturedStdout()) << c.name;
        EXPECT_EQ(0x55, status);
        EXPECT_EQ(0x1111, data[0]);
        EXPECT_EQ(0x2222, data[1]);
        EXPECT_EQ(0x3333, freshness);
        EXPECT_EQ(0x4444, word);
    }
}

TEST_F(CommandTest, PortDataSizesThatCannotFitAreRejectedUnsent)
{
    unsigned short words[40] = {};
    unsigned char status = 0x55;
    for (unsigned char size : {33, 34, 64, 255, 3, 31}) {
        EXPECT_EQ(mue_status_frame, mue_pd_full_put_port_data(p_bus_ctrl, 301, size, words)) << int(size);
        EXPECT_EQ(mue_status_frame, mue_pd_full_get_port_data(p_bus_ctrl, 300, 0, size, &status, words, nullptr))
            << int(size);
    }
    EXPECT_TRUE(TakeFrames().empty());
    EXPECT_EQ(0x55, status);
    EXPECT_EQ(0, mue_pd_full_put_port_data(p_bus_ctrl, 301, 0, words));
    EXPECT_EQ(35u, TakeFrames().at(0).size());
}

}  // namespace
