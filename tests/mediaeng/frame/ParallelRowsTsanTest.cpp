// The row workers under callers on several threads at once, with jobs of
// every size: each row of each job is done exactly once, and a job's rows are
// all done when the call returns (a worker that wakes late takes nothing of
// the next job).
#include "mediaeng/frame/ParallelRows.h"
#include <atomic>
#include <thread>
#include <vector>
#include <gtest/gtest.h>

namespace {

using mediaeng::frame::ParallelRows;

TEST(ParallelRowsTsan, EveryRowOnceFromManyCallersAtOnce)
{
    std::atomic<int> wrong{0};
    auto caller = [&wrong](int seed) {
        for (int round = 0; round < 60; ++round) {
            const int rows = 16 + (seed * 37 + round * 11) % 700;
            std::vector<int> done(static_cast<size_t>(rows), 0);  // each row written by one band only
            ParallelRows(rows, 1'000'000, [&](int b, int e) {
                for (int y = b; y < e; ++y) ++done[static_cast<size_t>(y)];
            });
            for (int n : done)
                if (n != 1) ++wrong;
        }
    };
    std::vector<std::thread> callers;
    for (int i = 0; i < 3; ++i) callers.emplace_back(caller, i);
    for (std::thread& t : callers) t.join();
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
