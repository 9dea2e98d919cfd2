// mvbsim scenario files: the events each line gives, their time order, and
// the lines that are refused with their line number.
#include "Scenario.h"

#include <gtest/gtest.h>

namespace {

TEST(ScenarioTest, LinesBecomeEventsInTimeOrder)
{
    mvbsim::Scenario scenario;
    std::string error;
    ASSERT_TRUE(mvbsim::ParseScenario("# bench run\n"
                                      "500 key 0x41 66\n"
                                      "\n"
                                      "100 port 1020 3 0xABCD   # tractive effort\n"
                                      "100 fault no-reply\n"
                                      "900 close\n"
                                      "100 port 4095 15 65535\n",
                                      scenario, error))
        << error;
    ASSERT_EQ(5u, scenario.events.size());
    const mvbsim::Event& word = scenario.events[0];
    EXPECT_EQ(100ul, word.atMs);
    EXPECT_EQ(mvbsim::Event::Word, word.kind);
    EXPECT_EQ(1020u, word.port);
    EXPECT_EQ(3u, word.word);
    EXPECT_EQ(0xABCD, word.value);
    EXPECT_EQ(mvbsim::Event::Fault, scenario.events[1].kind);  // same time: file order kept
    EXPECT_EQ("no-reply", scenario.events[1].fault);
    EXPECT_EQ(4095u, scenario.events[2].port);
    EXPECT_EQ(mvbsim::Event::Keys, scenario.events[3].kind);
    EXPECT_EQ(std::vector<unsigned char>({0x41, 66}), scenario.events[3].bytes);
    EXPECT_EQ(mvbsim::Event::Close, scenario.events[4].kind);
}

TEST(ScenarioTest, BadLinesAreRefusedWithTheirNumber)
{
    const struct { const char* text; const char* error; } cases[] = {
        {"x port 1 0 0", "line 1: time"},
        {"-5 close", "line 1: time"},
        {"\n10 port 4096 0 0", "line 2: port needs"},
        {"10 port 1 16 0", "line 1: port needs"},
        {"10 port 1 0 0x10000", "line 1: port needs"},
        {"10 port 1 0", "line 1: port needs"},
        {"10 key", "line 1: key needs"},
        {"10 key 256", "line 1: key byte"},
        {"10 fault smoke", "line 1: fault needs"},
        {"10 close now", "line 1: close takes"},
        {"10 delay", "line 1: delay needs"},
        {"10 delay 600001", "line 1: delay needs"},
        {"10 delay 5 ms", "line 1: delay needs"},
        {"10 brake 1", "line 1: unknown event"},
    };
    for (const auto& c : cases) {
        mvbsim::Scenario scenario;
        std::string error;
        EXPECT_FALSE(mvbsim::ParseScenario(c.text, scenario, error)) << c.text;
        EXPECT_EQ(0u, error.find(c.error)) << c.text << " -> " << error;
    }
}

TEST(ScenarioTest, NumbersAreDecimalOrHexadecimalNeverOctal)
{
    const struct { const char* value; bool taken; unsigned short expected; } cases[] = {
        {"010", true, 10},    {"0", true, 0},          {"08", true, 8},     {"0x10", true, 16},
        {"0X1f", true, 31},   {"00065535", true, 65535}, {"0x", false, 0},  {"0x-1", false, 0},
        {"+1", false, 0},     {"1e3", false, 0},       {"0x1 ", true, 1},
    };
    for (const auto& c : cases) {
        mvbsim::Scenario scenario;
        std::string error;
        const bool taken = mvbsim::ParseScenario(std::string("010 port 1 0 ") + c.value, scenario, error);
        EXPECT_EQ(c.taken, taken) << c.value << " -> " << error;
        if (taken && c.taken) {
            EXPECT_EQ(c.expected, scenario.events.at(0).value) << c.value;
            EXPECT_EQ(10ul, scenario.events.at(0).atMs) << c.value;
        }
    }
}

TEST(ScenarioTest, FaultNamesSetTheDeviceFaults)
{
    mue_sim::MueDevice::Faults faults;
    ASSERT_TRUE(mvbsim::ApplyFault("never-takes", faults));
    ASSERT_TRUE(mvbsim::ApplyFault("check-swapped", faults));
    EXPECT_TRUE(faults.neverTakesBytes);
    EXPECT_EQ(mue_sim::MueDevice::CheckAnswer::BytesSwapped, faults.checkAnswer);
    faults.replyDelayMs = 30;  // --reply-delay
    ASSERT_TRUE(mvbsim::ApplyFault("none", faults));
    EXPECT_FALSE(faults.neverTakesBytes);
    EXPECT_EQ(mue_sim::MueDevice::CheckAnswer::Working, faults.checkAnswer);
    EXPECT_EQ(30u, faults.replyDelayMs) << "no fault, and the device as slow as it was";
    EXPECT_FALSE(mvbsim::ApplyFault("melted", faults));
}

TEST(ScenarioTest, DelayLinesChangeTheReplyDelay)
{
    mvbsim::Scenario scenario;
    std::string error;
    ASSERT_TRUE(mvbsim::ParseScenario("1000 delay 6000\n5000 delay 0\n200 delay 0x10\n", scenario, error)) << error;
    ASSERT_EQ(3u, scenario.events.size());
    const unsigned expected[] = {16, 6000, 0};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(mvbsim::Event::Delay, scenario.events[i].kind) << i;
        EXPECT_EQ(expected[i], scenario.events[i].delayMs) << i;
    }
}

}  // namespace
