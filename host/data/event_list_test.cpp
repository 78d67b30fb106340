#include "event_list.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using host::EventList;

TEST(EventList, RunsReactionsInTheOrderTheyWereAdded) {
    EventList<std::vector<std::string>&> event;
    event.add([](auto& log) { log.push_back("header"); });
    event.add([](auto& log) { log.push_back("items"); });
    event.add([](auto& log) { log.push_back("tools"); });
    std::vector<std::string> log;
    event(log);
    EXPECT_EQ(log, (std::vector<std::string>{"header", "items", "tools"}));
}

TEST(EventList, AThrowingReactionStopsTheRest) {
    EventList<int&> event;
    event.add([](int& n) { ++n; });
    event.add([](int&) { throw std::runtime_error("refused"); });
    event.add([](int& n) { n += 100; });
    int n = 0;
    EXPECT_THROW(event(n), std::runtime_error);
    EXPECT_EQ(n, 1);
}

TEST(EventList, AReactionAddedWhileRunningRunsInTheSameRound) {
    EventList<int&> event;
    event.add([&event](int& n) {
        ++n;
        if (n == 1) event.add([](int& m) { m += 10; });
    });
    int n = 0;
    event(n);
    EXPECT_EQ(n, 11);
    EXPECT_EQ(event.size(), 2);
}

// What a grid does to keep the scroll reactions out of its own moves: take them aside, put them back.
TEST(EventList, EmptyReactionsAreNotKeptAndReactionsCanBeTakenAside) {
    EventList<int&> event;
    EXPECT_FALSE(event);
    event.add(nullptr);
    EXPECT_TRUE(event.empty());
    event.add([](int& n) { ++n; });
    EventList<int&> aside = std::exchange(event, {});
    int n = 0;
    event(n);
    EXPECT_EQ(n, 0);
    event = std::move(aside);
    event(n);
    EXPECT_EQ(n, 1);
    event.clear();
    EXPECT_FALSE(event);
}

}  // namespace
