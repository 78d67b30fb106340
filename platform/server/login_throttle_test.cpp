// The throttle as a policy: times are given, nothing waits.
#include "login_throttle.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

using namespace platform::server;
using namespace std::chrono_literals;
using TimePoint = ThrottleTable::TimePoint;

namespace {

const TimePoint t0 = TimePoint{} + 1000h;  // any time far from the clock's epoch

ThrottleLimits limits(int freeFailures, int lockoutAfter) {
    ThrottleLimits l;
    l.freeFailures = freeFailures;
    l.maxDelay = 8s;
    l.lockoutAfter = lockoutAfter;
    l.lockout = 300s;
    l.forgetAfter = 900s;
    l.maxKeys = 100;
    return l;
}

const QString kAna = QStringLiteral("ANA");

}  // namespace

TEST(ThrottleTable, DelaysStayAtTheBaseThenDoubleUpToTheCeiling) {
    const ThrottleTable table(limits(3, 50), 500ms);
    const std::vector<std::pair<int, std::chrono::milliseconds>> cases = {
        {1, 500ms}, {2, 500ms}, {3, 500ms}, {4, 1000ms}, {5, 2000ms}, {6, 4000ms}, {7, 8000ms}, {8, 8000ms}, {40, 8000ms}};
    for (const auto& [failure, delay] : cases) EXPECT_EQ(table.delayOf(failure), delay) << failure;

    // Without a base delay (tests) the growth still starts from something.
    const ThrottleTable quick(limits(1, 50), 0ms);
    EXPECT_EQ(quick.delayOf(1), 0ms);
    EXPECT_GT(quick.delayOf(2), 0ms);
}

TEST(ThrottleTable, EachRefusalIsAnsweredAfterItsDelayAndSpacingStartsWithTheGrowth) {
    ThrottleTable table(limits(2, 50), 500ms);
    TimePoint now = t0;
    EXPECT_EQ(table.blockedUntil(kAna, now), TimePoint{});
    EXPECT_FALSE(table.hasFailures(kAna, now));

    EXPECT_EQ(table.fail(kAna, now), now + 500ms);
    EXPECT_TRUE(table.hasFailures(kAna, now));
    EXPECT_LE(table.blockedUntil(kAna, now), now);  // free failures: a colleague's retry is not held up
    now += 10ms;
    EXPECT_EQ(table.fail(kAna, now), now + 500ms);
    EXPECT_LE(table.blockedUntil(kAna, now), now);

    now += 10ms;
    const TimePoint answer = table.fail(kAna, now);  // the third: the delay grows, and so does the spacing
    EXPECT_EQ(answer, now + 1000ms);
    EXPECT_EQ(table.blockedUntil(kAna, now), answer);
    EXPECT_EQ(table.blockedUntil(kAna, answer - 1ms), answer);
    EXPECT_LE(table.blockedUntil(kAna, answer), answer);  // once answered, it may try again

    EXPECT_LE(table.blockedUntil(QStringLiteral("BETO"), now), now);  // keys are counted apart
}

TEST(ThrottleTable, TooManyFailuresLockTheKeyAndTheNextFailureAfterwardsLocksAgain) {
    ThrottleTable table(limits(3, 5), 100ms);
    TimePoint now = t0;
    for (int i = 0; i < 4; ++i) now = table.fail(kAna, now);
    EXPECT_LT(table.blockedUntil(kAna, now), now + 300s);
    const TimePoint fifth = now;
    table.fail(kAna, fifth);
    EXPECT_EQ(table.blockedUntil(kAna, fifth), fifth + 300s);
    EXPECT_EQ(table.blockedUntil(kAna, fifth + 299s), fifth + 300s);

    now = fifth + 300s;  // the lockout is over: one more try...
    EXPECT_LE(table.blockedUntil(kAna, now), now);
    table.fail(kAna, now);  // ...and its failure locks again
    EXPECT_EQ(table.blockedUntil(kAna, now), now + 300s);

    table.clear(kAna);  // a success ends the streak
    EXPECT_FALSE(table.hasFailures(kAna, now));
    EXPECT_LE(table.blockedUntil(kAna, now), now);
    EXPECT_EQ(table.fail(kAna, now), now + 100ms);
}

TEST(ThrottleTable, AQuietSpellEndsTheStreak) {
    ThrottleTable table(limits(1, 4), 100ms);
    TimePoint now = t0;
    for (int i = 0; i < 3; ++i) now = table.fail(kAna, now);
    EXPECT_GT(table.delayOf(3), 100ms);

    now += 899s;
    EXPECT_TRUE(table.hasFailures(kAna, now));
    EXPECT_EQ(table.fail(kAna, now), now + table.delayOf(4));  // still the same streak: it locks
    EXPECT_EQ(table.blockedUntil(kAna, now), now + 300s);

    now += 300s + 900s;  // quiet long after the lockout
    EXPECT_FALSE(table.hasFailures(kAna, now));
    EXPECT_EQ(table.fail(kAna, now), now + 100ms);  // a new streak starts at the base delay
    EXPECT_LE(table.blockedUntil(kAna, now), now);
}

TEST(ThrottleTable, AFloodOfDistinctKeysNeitherGrowsTheTableNorFreesALockedKey) {
    ThrottleTable table(limits(1, 3), 100ms);
    TimePoint now = t0;
    for (int i = 0; i < 3; ++i) table.fail(kAna, now);
    ASSERT_EQ(table.blockedUntil(kAna, now), now + 300s);

    for (int i = 0; i < 10'000; ++i) {
        now += 10ms;
        table.fail(QStringLiteral("X%1").arg(i), now);
        ASSERT_LE(table.size(), 100);
    }
    EXPECT_GT(table.blockedUntil(kAna, now), now);  // the locked key outlived the flood
    EXPECT_TRUE(table.hasFailures(QStringLiteral("X9999"), now));
    EXPECT_FALSE(table.hasFailures(QStringLiteral("X0"), now));  // the stalest made room

    // Streaks that went quiet are swept away.
    now += 2h;
    table.fail(QStringLiteral("NOVO"), now);
    EXPECT_EQ(table.size(), 1);
}
