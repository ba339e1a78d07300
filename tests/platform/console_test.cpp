// A line the user asked for waits a while for a slow reader, but not past a termination request.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>

#include "platform/console.h"
#include "platform/process.h"

// A replay's verdict, its end's hold cut short by SIGTERM, meets a pipe its reader has let fill:
// it is dropped at once instead of waiting the reader's second.
TEST(ConsoleTest, AReportLineDoesNotWaitPastATerminationRequest) {
    EXPECT_EXIT(
        {
            int ends[2];
            if (pipe(ends) != 0 || dup2(ends[1], STDOUT_FILENO) < 0) {
                std::_Exit(2);
            }
            fcntl(ends[1], F_SETFL, O_NONBLOCK);
            const char page[4096] = {};
            while (write(ends[1], page, sizeof page) > 0) {
            }
            fcntl(ends[1], F_SETFL, 0);
            catchTerminationSignals();
            raise(SIGTERM);
            const auto start = std::chrono::steady_clock::now();
            const bool written = writeReportLine("replay r matches: score 1 in 2 steps");
            const auto spent = std::chrono::steady_clock::now() - start;
            std::_Exit(!written && spent < std::chrono::milliseconds(500) ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
