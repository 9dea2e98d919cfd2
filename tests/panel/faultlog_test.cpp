// The fault label, the look-up tokens, the subsystem number, the count and
// the log row with its append.
#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "FaultLog.h"
#include "PanelFixture.h"

namespace {

using paneltest::StoreFixture;

TEST(FaultLabel, FromCode)
{
    const struct { unsigned short code; const char* label; } cases[] = {
        {10101, "F0101P1"}, {34560, "F4560P3"}, {34561, "F4561P3"}, {65535, "F5535P6"}, {0, "F0000P0"}, {59999, "F9999P5"}};
    for (const auto& c : cases) EXPECT_EQ(faultlog::FaultLabel(c.code), c.label) << c.code;
}

struct TokenCase {
    const char* name;
    const char* line;
    std::vector<std::string> kept;
};

class LookUpTokens : public ::testing::TestWithParam<TokenCase> {};

TEST_P(LookUpTokens, KeepsOnlyFields)
{
    EXPECT_EQ(faultlog::LookUpTokens(GetParam().line), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Table, LookUpTokens, ::testing::Values(
    TokenCase{"FourFields", R"("F0101P1","SS12 : X","Msg","Long")", {"F0101P1", "SS12 : X", "Msg", "Long"}},
    TokenCase{"Empty", "", {}},
    TokenCase{"OnlyQuotes", R"("""")", {}},
    TokenCase{"CommaAndBlankDropped", R"("A","B"," ","C")", {"A", "B", "C"}},
    TokenCase{"DoubleCommaDropped", R"("A",,"B",,,"C")", {"A", "B", "C"}},
    TokenCase{"CommaBlankShifts", R"("A",", ","B")", {"A", ", ", "B"}},
    TokenCase{"Unquoted", "plain text", {"plain text"}},
    TokenCase{"CarriageReturnAfterLast", "\"A\",\"B\"\r", {"A", "B", "\r"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SubsystemNumber, NeverThrowsOrOverruns)
{
    const struct { const char* text; const char* number; } cases[] = {
        {"SS01 : MAIN_POWER", "01 "}, {"SS12 : X", "12 "}, {"", ""}, {"MAIN_POWER", ""}, {"S", ""},
        {"SS", ""}, {"SS07", "07"}, {"xSS3:a:b", "3"}, {"SS:", ""}, {"Fire SS23 : FIRE", "23 "}};
    for (const auto& c : cases) EXPECT_EQ(faultlog::SubsystemNumber(c.text), c.number) << c.text;
}

TEST(Count, LastDigitRunAndValue)
{
    std::string run;
    EXPECT_TRUE(faultlog::LastDigitRun(R"("1" " F0101P1" " 1" " SS 01 " " 2024-05-06  14:03:59" " M" " 17")", run));
    EXPECT_EQ(run, "17");
    EXPECT_TRUE(faultlog::LastDigitRun("42", run));
    EXPECT_EQ(run, "42");
    EXPECT_FALSE(faultlog::LastDigitRun("no digits", run));

    EXPECT_EQ(faultlog::CountValue("199"), 199);
    EXPECT_EQ(faultlog::CountValue("0200"), 200);
    EXPECT_EQ(faultlog::CountValue("2147483647"), 2147483647);
    EXPECT_EQ(faultlog::CountValue("2147483648"), 0);
    EXPECT_EQ(faultlog::CountValue("99999999999999999999999999"), 0);
    EXPECT_EQ(faultlog::CountValue(""), 0);
}

TEST(LogRow, ByteLayout)
{
    const std::string fields[6] = {"F0101P1", "1", "SS 01 ", "2024-05-06  14:03:59", "M", "1"};
    EXPECT_EQ(faultlog::LogRow("1", fields),
              "\"1\" \" F0101P1\" \" 1\" \" SS 01 \" \" 2024-05-06  14:03:59\" \" M\" \" 1\"\n");
}

TEST_F(StoreFixture, EventTimeInLocalTime)
{
    EXPECT_EQ(faultlog::EventTimeText(paneltest::kFaultTime), "2024-05-06  14:03:59");
}

TEST_F(StoreFixture, AppendCreatesAndAppends)
{
    ASSERT_TRUE(faultlog::AppendRow("log.csv", "a\n"));
    ASSERT_TRUE(faultlog::AppendRow("log.csv", "b\n"));
    EXPECT_EQ(dir.ReadFile("log.csv"), "a\nb\n");
}

TEST_F(StoreFixture, AppendAfterTornLineStartsANewLine)
{
    dir.WriteFile("log.csv", "a\n\"2\" \" F01");
    ASSERT_TRUE(faultlog::AppendRow("log.csv", "b\n"));
    EXPECT_EQ(dir.ReadFile("log.csv"), "a\n\"2\" \" F01\nb\n");
}

// A write that stops half-way (file size limit) leaves the log as it was.
TEST_F(StoreFixture, FailedAppendCutsTheLogBack)
{
    const std::string before(100, 'x');
    dir.WriteFile("log.csv", before + "\n");
    struct rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    void (*oldHandler)(int) = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 150;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool appended = faultlog::AppendRow("log.csv", std::string(200, 'y') + "\n");
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(appended);
    EXPECT_EQ(dir.ReadFile("log.csv"), before + "\n");
}

TEST_F(StoreFixture, AppendToUnopenableLogFails)
{
    ASSERT_EQ(::mkdir("log.csv", 0755), 0);
    EXPECT_FALSE(faultlog::AppendRow("log.csv", "b\n"));
}

}  // namespace
