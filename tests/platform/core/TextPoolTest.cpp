#include "TextPool.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

// Threads that pool the same values at once all get one copy of each, whichever thread brought it first; the
// copies outlive the pool.
TEST(TextPoolTest, equalTextsFromManyThreadsShareOneCopy)
{
    constexpr int threadCount = 8;
    constexpr int valueCount = 2000;
    const auto text = [](int value) { return QStringLiteral("person_%1").arg(value); };
    auto pool = std::make_unique<TextPool>();
    // Per thread, the pooled copy of each value.
    std::vector<std::vector<QString>> pooled(threadCount, std::vector<QString>(valueCount));
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            // Each thread makes its own copy of every value, in an order of its own.
            for (int i = 0; i < valueCount; ++i) {
                const int value = (i * 7 + t * 13) % valueCount;
                pooled[size_t(t)][size_t(value)] = pool->shared(text(value));
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    std::vector<QString> last(valueCount);
    for (int value = 0; value < valueCount; ++value)
        last[size_t(value)] = pool->shared(text(value));
    pool.reset();
    for (int t = 0; t < threadCount; ++t) {
        for (int value = 0; value < valueCount; ++value) {
            const QString& copy = pooled[size_t(t)][size_t(value)];
            ASSERT_EQ(copy, text(value));
            ASSERT_TRUE(copy.isSharedWith(last[size_t(value)])) << t << " " << value;
        }
    }
}

// An empty text comes back as it was given: null or not.
TEST(TextPoolTest, emptyTextsComeBackAsGiven)
{
    TextPool pool;
    EXPECT_TRUE(pool.shared(QString()).isNull());
    const QString empty = pool.shared(QStringLiteral(""));
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.isNull());
    EXPECT_TRUE(pool.shared(QString()).isNull());
}

// After clear the pool keeps nothing: the next copy of a value is pooled afresh, and copies handed out before stay
// as they were.
TEST(TextPoolTest, clearForgetsEveryText)
{
    // Each call makes a new block of characters, as a file read does.
    const auto read = [] { return QString::fromLatin1("Kowalski"); };
    TextPool pool;
    const QString before = pool.shared(read());
    pool.clear();
    const QString after = pool.shared(read());
    EXPECT_EQ(before, QStringLiteral("Kowalski"));
    EXPECT_FALSE(after.isSharedWith(before));
    EXPECT_TRUE(pool.shared(read()).isSharedWith(after));
}
