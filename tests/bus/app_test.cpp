// Application layer: the device check and its messages, the port reset, the
// start-up sequence, port set-up, port read and write, and the helpers.
#include "BusFixture.h"
#include "MueCommands.h"
#include "PortTable.h"

#include <cstdlib>

namespace {

class AppTest : public BusTest {
protected:
    static Bytes Word(unsigned char letter, unsigned short value)
    {
        return {letter, static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value & 0xFF)};
    }
    static std::vector<Bytes> CheckFrames() { return {Word('C', 0), Word('C', 0x3F3F), {'S'}}; }
    static std::vector<Bytes> ResetFrames()
    {
        std::vector<Bytes> frames;
        for (unsigned address = 0; address < 4096; ++address)
            frames.push_back(Word('H', static_cast<unsigned short>(address)));
        return frames;
    }
    static std::vector<Bytes> Join(std::vector<Bytes> a, const std::vector<Bytes>& b)
    {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
};

const char kValueLines3F1F[] = "       - sv_device_config_put=0x3F3F\n       - sv_device_config_get=0x3F1F\n";
const char kValueLines3F3F[] = "       - sv_device_config_put=0x3F3F\n       - sv_device_config_get=0x3F3F\n";

TEST_F(AppTest, DeviceCheckOutcomesAndTheirLines)
{
    typedef mue_sim::MueDevice::CheckAnswer Answer;
    struct Case {
        const char* name;
        Answer answer;
        long blockAfter;     // commands carried out before one failed wait; -1: none
        BlockedDevice::Wait wait;
        int status;
        std::string out;
        std::size_t frames;  // the device received this many of check and reset frames
    };
    const Case cases[] = {
        {"working device", Answer::Working, -1, BlockedDevice::Send, 0, "", 3 + 4096},
        {"bytes exchanged", Answer::BytesSwapped, -1, BlockedDevice::Send, 2,
         std::string("ERROR: 3 check MUE endianness\n") + kValueLines3F1F +
             "       - please check pre-processor definitions 'TCN_LE' and 'MUE_ACC_HW_LE'\n",
         3},
        {"bit 13 kept", Answer::Unchanged, -1, BlockedDevice::Send, 2, std::string("ERROR: 4 check MUE endianness\n") + kValueLines3F3F, 3},
        {"clearing the configuration times out", Answer::Working, 0, BlockedDevice::Send, 6, kTimeoutLine, 0},
        {"check value not taken", Answer::Working, 1, BlockedDevice::Send, 6,
         kTimeoutLine + "ERROR: 1 mue_sv_put_device_config()=6\n       - sv_device_config_put=0x3F3F\n", 1},
        {"check value not answered", Answer::Working, 3, BlockedDevice::Receive, 8,
         kTimeoutLine + "ERROR: 2 mue_sv_get_device_config()=8\n       - sv_device_config_get=0x3F3F\n", 3},
        {"reset fails at address 0", Answer::Working, 3, BlockedDevice::Send, 6, kTimeoutLine, 3},
        {"reset fails at address 4095", Answer::Working, 3 + 4095, BlockedDevice::Send, 6, kTimeoutLine, 3 + 4095},
    };
    const std::vector<Bytes> all = Join(CheckFrames(), ResetFrames());
    for (const Case& c : cases) {
        Device().Reset();
        Device().faults.checkAnswer = c.answer;
        if (c.blockAfter >= 0) {
            JumpClock::Use();
            BlockedDevice::Install(static_cast<unsigned long>(c.blockAfter), c.wait);
        }
        testing::internal::CaptureStdout();
        EXPECT_EQ(c.status, mue_app_init_device(p_bus_ctrl)) << c.name;
        EXPECT_EQ(c.out, testing::internal::GetCapturedStdout()) << c.name;
        EXPECT_EQ(std::vector<Bytes>(all.begin(), all.begin() + c.frames), TakeFrames()) << c.name;
        reg_install_hooks(nullptr, nullptr);
        cch_clock = &time;
        ASSERT_EQ(0, mue_acc_init(p_bus_ctrl));
    }
}

TEST_F(AppTest, RefusedAccessIsReturnedSilently)
{
    ::setenv("CABDISPLAY_MVB", "sim:/nonexistent/mvb.sock", 1);
    testing::internal::CaptureStdout();
    EXPECT_EQ(2, mue_app_init_device(p_bus_ctrl));
    EXPECT_EQ(1, init_mvb_app());  // the final configuration cannot be sent either
    EXPECT_EQ("", testing::internal::GetCapturedStdout());
    ::unsetenv("CABDISPLAY_MVB");
    EXPECT_EQ(0ul, Device().CommandCount());
}

TEST_F(AppTest, BusNotNamedEndsTheProgramWithStatusTwo)
{
    // The line names the variable and every value it takes.
    const std::string values = " set it to ports \\(the cab's MVB interface device on the x86 I/O ports\\), "
                               "sim:PATH \\(the device model of mvbsim behind the Unix socket PATH\\) or "
                               "model \\(the device model inside the program\\)\n$";
    const struct { const char* value; std::string line; } cases[] = {
        {nullptr, "^CABDISPLAY_MVB is not set:" + values},
        {"", "^CABDISPLAY_MVB is not set:" + values},
        {"serial", "^CABDISPLAY_MVB=\"serial\" is not understood:" + values},
        {"sim", "^CABDISPLAY_MVB=\"sim\" is not understood:" + values},
    };
    for (const auto& c : cases) {
        if (c.value)
            ::setenv("CABDISPLAY_MVB", c.value, 1);
        else
            ::unsetenv("CABDISPLAY_MVB");
        EXPECT_EXIT(mue_cch_init(0), ::testing::ExitedWithCode(2), c.line) << (c.value ? c.value : "unset");
        EXPECT_EXIT(reg_check_choice(), ::testing::ExitedWithCode(2), c.line) << (c.value ? c.value : "unset");
    }
    ::setenv("CABDISPLAY_MVB", "model", 1);
}

TEST_F(AppTest, StartUpWithAWorkingDevice)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(0, init_mvb_app());
    EXPECT_EQ("MVB Initialized.....................\r\n", testing::internal::GetCapturedStdout());
    const std::vector<Bytes> frames = TakeFrames();
    ASSERT_EQ(3u + 4096 + 2 * 120 + 1, frames.size());
    EXPECT_EQ(Join(CheckFrames(), ResetFrames()), std::vector<Bytes>(frames.begin(), frames.begin() + 3 + 4096));
    EXPECT_EQ(Word('H', 0x3000 | 1010), frames[3 + 4096]);  // the port list follows the reset
    EXPECT_EQ(Word('C', 0xD099), frames.back());
    EXPECT_EQ(0xD099, usdc);
    EXPECT_EQ(0xD099, sv_device_config);
    EXPECT_EQ(0xD099, Device().DeviceConfig());
    EXPECT_EQ(0xC12D, Device().PortConfig(301));
}

TEST_F(AppTest, FailedStartUpSkipsThePortListButStillConfiguresTheDevice)
{
    const struct { const char* name; bool unchangedAnswer; long blockAfter; std::size_t frames; } cases[] = {
        {"check fails", true, -1, 3 + 1},
        {"reset fails at address 0", false, 3, 3 + 1},
    };
    for (const auto& c : cases) {
        Device().Reset();
        if (c.unchangedAnswer)
            Device().faults.checkAnswer = mue_sim::MueDevice::CheckAnswer::Unchanged;
        if (c.blockAfter >= 0) {
            JumpClock::Use();
            BlockedDevice::Install(static_cast<unsigned long>(c.blockAfter));
        }
        testing::internal::CaptureStdout();
        EXPECT_EQ(0, init_mvb_app()) << c.name;
        EXPECT_EQ(std::string::npos, testing::internal::GetCapturedStdout().find("MVB Initialized")) << c.name;
        const std::vector<Bytes> frames = TakeFrames();
        EXPECT_EQ(c.frames, frames.size()) << c.name;
        EXPECT_EQ(Word('C', 0xD099), frames.back()) << c.name;
    }
}

TEST_F(AppTest, InitPortConfiguresThenClearsThirtyTwoBytes)
{
    Device().SetSinkWord(301, 0, 0);  // nothing published on a source port
    const unsigned short before[16] = {0xFFFF, 0xFFFF};
    ASSERT_EQ(0, mvb_write_port(301, 4, before));
    Device().ClearFrames();
    EXPECT_EQ(0, mue_app_init_port(p_bus_ctrl, 0xC12D));
    Bytes clear = {'P', 0x01, 0x2D};
    clear.resize(35, 0);
    EXPECT_EQ(std::vector<Bytes>({Word('H', 0xC12D), clear}), TakeFrames());
    EXPECT_EQ(301, pd_port_address);
    EXPECT_EQ(0, Device().PortWord(301, 0));
}

TEST_F(AppTest, WriteAndReadPortMoveWordsHighByteFirst)
{
    const unsigned short out[16] = {0x1234, 0xABCD};
    EXPECT_EQ(0, mvb_write_port(301, 32, out));
    EXPECT_EQ(0, mvb_error);
    EXPECT_EQ(0x1234, Device().PortWord(301, 0));
    EXPECT_EQ(0xABCD, Device().PortWord(301, 1));

    Device().SetSinkWord(1115, 0, 0x12AB);
    Device().SetSinkWord(1115, 1, 0x5555);
    unsigned short in[2] = {0, 0x7777};
    mvb_read_port(1115, 2, in);
    EXPECT_EQ(0xAB12, in[0]);  // exchanged once here, back again by the poll's read
    EXPECT_EQ(0x7777, in[1]);  // a 2-byte port fills exactly one word
    EXPECT_EQ(0, mvb_error);

    EXPECT_EQ(mue_status_frame, mvb_write_port(301, 64, out));
    EXPECT_EQ(1, mvb_error);
}

TEST_F(AppTest, ReadOfARefusedSizeLeavesTheBufferAlone)
{
    // The caller's buffer may be shorter than a refused size: nothing of it
    // is exchanged, by the read or by the poll's exchange back.
    Device().SetSinkWord(1020, 0, 0x1234);
    for (unsigned short size : {34, 3, 64}) {
        unsigned short buffer[32];
        for (int i = 0; i < 32; ++i)
            buffer[i] = static_cast<unsigned short>(0x0100 + i);
        mvb_read_port(1020, size, buffer);
        EXPECT_EQ(mue_status_frame, mvb_status) << size;
        EXPECT_EQ(1, mvb_error) << size;
        for (int i = 0; i < 32; ++i)
            ASSERT_EQ(0x0100 + i, buffer[i]) << "size " << size << " word " << i;
        mvb_read_port_swap(1020, size, buffer);
        for (int i = 0; i < 32; ++i)
            ASSERT_EQ(0x0100 + i, buffer[i]) << "swap, size " << size << " word " << i;
    }
    EXPECT_EQ(0ul, Device().PortReads());
}

TEST_F(AppTest, SizeCodesAndWordHelpers)
{
    const struct { int size; int code; } codes[] = {{0, 0},  {1, 0},  {2, 0},  {3, 1},  {4, 1},  {5, 2}, {8, 2},
                                                    {9, 3},  {16, 3}, {17, 4}, {32, 4}, {33, -1}, {64, -1}};
    for (const auto& c : codes)
        EXPECT_EQ(c.code, fc_from_portsize(c.size)) << c.size;
    EXPECT_EQ(0xAB12, NIBBLESET(0x12AB));
    EXPECT_EQ(0x00FF, NIBBLESET(0xFF00));
    EXPECT_EQ(0x0123, PORT_DATA_ARRAY(0x1234));
    EXPECT_EQ(0x0FFF, PORT_DATA_ARRAY(0xFFFF));
}

TEST_F(AppTest, StopSendsConfigurationZero)
{
    ASSERT_EQ(0, mue_sv_put_device_config(p_bus_ctrl, 0xD099));
    EXPECT_EQ(0, stop_mvb_app());
    EXPECT_EQ(0, Device().DeviceConfig());
}

}  // namespace
