// The device model's fault modes that the whole-program fault runs use: no
// card (registers stuck at 0xFF, commands lost) and garbage replies.
#include <gtest/gtest.h>

#include "MueDevice.h"
#include "Scenario.h"
#include "TestSupport.h"

#include <chrono>

namespace {

using mue_sim::MueDevice;

// Get port data of port 1010, the reply bytes as they come.
std::vector<unsigned char> GetPort1010(MueDevice& device)
{
    const unsigned char command[] = {'G', 0x03, 0xF2};
    device.Feed(command, sizeof command);
    std::vector<unsigned char> reply(64);
    reply.resize(device.TakeReply(reply.data(), reply.size()));
    return reply;
}

TEST(DeviceFaults, NoCardReadsFFEverywhereAndLosesCommands)
{
    MueDevice device;
    ASSERT_TRUE(mvbsim::ApplyFault("no-card", device.faults));
    EXPECT_EQ(0xFF, device.ReadStatus());
    const unsigned char put[] = {'H', 0x83, 0xF2};
    device.Feed(put, sizeof put);
    EXPECT_FALSE(device.PortConfigured(1010));
    EXPECT_EQ(std::vector<unsigned char>(35, 0xFF), GetPort1010(device));
    EXPECT_EQ(1u, device.PortReads()) << "a scenario's clock still starts";
    EXPECT_EQ(0xFF, device.ReadData());
}

TEST(DeviceFaults, GarbageKeepsTheReplyLengthButNotItsBytes)
{
    MueDevice good, bad;
    good.SetSinkWord(1010, 0, 0x1234);
    bad.SetSinkWord(1010, 0, 0x1234);
    ASSERT_TRUE(mvbsim::ApplyFault("garbage", bad.faults));
    const std::vector<unsigned char> expected = GetPort1010(good), garbage = GetPort1010(bad);
    ASSERT_EQ(35u, garbage.size());
    EXPECT_NE(expected, garbage);
    EXPECT_NE(garbage, GetPort1010(bad)) << "each reply its own garbage";
}

TEST(DeviceFaults, SlowDeviceSendsEachReplyItsDelayAfterTheCommand)
{
    MueDevice device;
    device.faults.replyDelayMs = 10000;
    const unsigned char command[] = {'G', 0x03, 0xF2};
    device.Feed(command, sizeof command);
    unsigned char reply[64];
    EXPECT_EQ(0u, device.TakeReply(reply, sizeof reply)) << "not before its time";
    EXPECT_EQ(0x60, device.ReadStatus());
    EXPECT_EQ(0xFF, device.ReadData());
    EXPECT_GT(device.NextReplyInMs(), 9000);
    EXPECT_LE(device.NextReplyInMs(), 10000);
    device.DropReplies();
    EXPECT_EQ(-1, device.NextReplyInMs()) << "a link that is gone is owed nothing";

    device.faults.replyDelayMs = 30;
    const auto sent = std::chrono::steady_clock::now();
    device.Feed(command, sizeof command);
    ASSERT_TRUE(testsupport::WaitFor([&] { return device.ReplyWaiting(); }, 2000));
    EXPECT_GE(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(30));
    EXPECT_EQ(0, device.NextReplyInMs());
    EXPECT_EQ(mue_sim::ReplyLength('G'), device.TakeReply(reply, sizeof reply)) << "the whole reply at once";
}

TEST(DeviceFaults, ScenarioNamesTheNewFaults)
{
    mvbsim::Scenario scenario;
    std::string error;
    ASSERT_TRUE(mvbsim::ParseScenario("0 fault no-card\n100 fault garbage\n200 fault none\n", scenario, error))
        << error;
    ASSERT_EQ(3u, scenario.events.size());
    EXPECT_EQ("no-card", scenario.events[0].fault);
}

}  // namespace
