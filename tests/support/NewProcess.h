// A case that checks what happens once per process (a singleton's start-up,
// the state of globals at program start) runs in a process of its own, so
// that it holds alone, repeated and in any order. Header only: only the test
// programs that use it take in GoogleTest's death-test machinery.
#ifndef CABDISPLAY_TESTS_NEWPROCESS_H
#define CABDISPLAY_TESTS_NEWPROCESS_H

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace testsupport {

// The failures of the running case, on standard error (in the new process
// the test's own printer is silent; the calling case shows standard error).
inline void PrintFailures()
{
    const ::testing::TestResult* result = ::testing::UnitTest::GetInstance()->current_test_info()->result();
    for (int i = 0; i < result->total_part_count(); ++i) {
        const ::testing::TestPartResult& part = result->GetTestPartResult(i);
        if (part.failed())
            std::fprintf(stderr, "%s:%d: %s\n", part.file_name() ? part.file_name() : "?", part.line_number(),
                         part.message());
    }
}

// Runs body in a new process of this test program, started afresh (every
// global and singleton as at program start), and fails the calling case
// unless body passed there; body's failures are printed by that process.
inline void ExpectPassesInNewProcess(const std::function<void()>& body)
{
    // "threadsafe" starts the program anew for the statement; "fast" would
    // only fork this process, with what earlier cases left behind.
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            body();
            PrintFailures();
            std::exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "")
        << "the case failed in its own process (its failures above)";
    GTEST_FLAG_SET(death_test_style, style);
}

}  // namespace testsupport

#endif
