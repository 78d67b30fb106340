#include "periodicity_cache.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace afdesk {
namespace {

TEST(PeriodicityCache, EachDateIsAskedOnceUntilCleared) {
    PeriodicityCache cache;
    QList<QDate> asked;
    const auto ask = [&](const QDate& d) {
        asked << d;
        return d.addDays(2);
    };
    const QDate monday(2024, 3, 4), tuesday(2024, 3, 5);
    EXPECT_EQ(cache.servedDate(monday, ask), monday.addDays(2));
    EXPECT_EQ(cache.servedDate(monday, ask), monday.addDays(2));
    EXPECT_EQ(cache.servedDate(tuesday, ask), tuesday.addDays(2));
    EXPECT_EQ(asked, (QList<QDate>{monday, tuesday}));
    cache.clear();
    cache.servedDate(monday, ask);
    EXPECT_EQ(asked.size(), 3);
}

TEST(PeriodicityCache, AFailedAnswerIsNotRemembered) {
    PeriodicityCache cache;
    const QDate day(2024, 3, 4);
    EXPECT_THROW(cache.servedDate(day, [](const QDate&) -> QDate { throw std::runtime_error("sem conexão"); }),
                 std::runtime_error);
    EXPECT_EQ(cache.size(), 0);
    EXPECT_EQ(cache.servedDate(day, [](const QDate& d) { return d; }), day);
}

}  // namespace
}  // namespace afdesk
