#include "OrderedWork.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

// Every piece is produced once, consumed once on the calling thread in order with its own result, and never more
// than the allowed number wait between the two.
TEST(OrderedWorkTest, piecesAreConsumedInOrderOnTheCallingThreadWithinTheBound)
{
    const struct
    {
        int count;
        int ahead;
    } cases[] = {{0, 4}, {1, 1}, {7, 1}, {50, 3}, {1000, 32}, {5, 0}};
    for (const auto& c : cases) {
        const int slots = std::max(c.ahead, 1);
        std::vector<long long> ring(size_t(slots), -1);
        std::vector<std::atomic<int>> produced(size_t(c.count));
        std::vector<long long> work(size_t(c.count));
        std::atomic<int> waiting{0};
        std::atomic<int> mostWaiting{0};
        std::vector<int> consumed;
        bool onCaller = true;
        const std::thread::id caller = std::this_thread::get_id();
        OrderedWork::run(
            c.count, c.ahead,
            [&](int i) {
                ++produced[size_t(i)];
                long long value = i;
                // Uneven work, so that pieces finish out of order.
                for (int k = 0; k < (i % 5) * 2000; ++k)
                    value = (value * 31 + k) % 1000003;
                work[size_t(i)] = value;
                ring[size_t(i % slots)] = i;
                const int now = ++waiting;
                for (int most = mostWaiting; now > most && !mostWaiting.compare_exchange_weak(most, now);)
                    ;
            },
            [&](int i) {
                onCaller = onCaller && std::this_thread::get_id() == caller;
                EXPECT_EQ(ring[size_t(i % slots)], i) << c.count << "/" << c.ahead;
                consumed.push_back(i);
                --waiting;
            });
        std::vector<int> expected(size_t(c.count));
        for (int i = 0; i < c.count; ++i)
            expected[size_t(i)] = i;
        EXPECT_EQ(consumed, expected) << c.count << "/" << c.ahead;
        EXPECT_TRUE(onCaller) << c.count << "/" << c.ahead;
        EXPECT_LE(mostWaiting.load(), slots) << c.count << "/" << c.ahead;
        for (int i = 0; i < c.count; ++i)
            EXPECT_EQ(produced[size_t(i)].load(), 1) << i;
    }
}

// An exception thrown by either side reaches the caller once every worker has ended, and the pieces after the
// failing one are never consumed.
TEST(OrderedWorkTest, anExceptionFromEitherSideReachesTheCaller)
{
    const struct
    {
        const char* side;
        bool inProduce;
        int failingPiece;
        int ahead;
    } cases[] = {
        {"produce, first piece", true, 0, 4},   {"produce, later piece", true, 37, 4},
        {"produce, no room ahead", true, 5, 1}, {"consume, first piece", false, 0, 4},
        {"consume, later piece", false, 37, 2},
    };
    const int count = 200;
    for (const auto& c : cases) {
        std::atomic<int> lastConsumed{-1};
        try {
            OrderedWork::run(
                count, c.ahead,
                [&](int i) {
                    if (c.inProduce && i == c.failingPiece)
                        throw std::runtime_error(c.side);
                },
                [&](int i) {
                    if (!c.inProduce && i == c.failingPiece)
                        throw std::runtime_error(c.side);
                    lastConsumed = i;
                });
            ADD_FAILURE() << c.side << ": no exception";
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), c.side);
        }
        // A failing consume stops right there; a failing produce stops the others too, so pieces before it that
        // were still being made may go unconsumed. Nothing after the failing piece is ever consumed.
        if (c.inProduce)
            EXPECT_LE(lastConsumed.load(), c.failingPiece - 1) << c.side;
        else
            EXPECT_EQ(lastConsumed.load(), c.failingPiece - 1) << c.side;
    }
}
