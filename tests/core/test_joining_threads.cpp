// JoiningThreads: every thread it started is joined on every path, also when
// a later start fails (a std::thread left joinable would end the program).
#include "core/JoiningThreads.h"

#include <gtest/gtest.h>

#include <atomic>

TEST(JoiningThreads, AFailedStartLeavesTheStartedOnesJoined)
{
    std::atomic<int> ran{0};
    int starts = 0;
    {
        JoiningThreads threads([&starts](std::function<void()> work) {
            ++starts;
            if (starts == 2)
                throw std::bad_alloc();
            if (starts == 3)
                throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
            return std::thread(std::move(work));
        });
        EXPECT_TRUE(threads.Start([&ran] { ++ran; }));
        EXPECT_FALSE(threads.Start([&ran] { ++ran; })) << "no memory";
        EXPECT_FALSE(threads.Start([&ran] { ++ran; })) << "no thread";
        EXPECT_TRUE(threads.Start([&ran] { ran += 10; }));
        EXPECT_EQ(threads.Started(), 2u);
    }
    EXPECT_EQ(starts, 4);
    EXPECT_EQ(ran, 11) << "the started threads ran and were joined before the scope's end";
}

TEST(JoiningThreads, JoinAllWaitsForTheWork)
{
    std::atomic<bool> done{false};
    JoiningThreads threads;
    ASSERT_TRUE(threads.Start([&done] { done = true; }));
    threads.JoinAll();
    EXPECT_TRUE(done);
    EXPECT_EQ(threads.Started(), 0u);
}
