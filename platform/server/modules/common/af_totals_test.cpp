// The AF total and the buyer-limit flag as pure rules.
#include "af_totals.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace platform::server::modules {
namespace {

TEST(AfTotals, AnItemIsItsGrossLessItsDiscountPercentage) {
    struct Case {
        ItemAmount item;
        double value;
    };
    const std::vector<Case> cases = {
        {{10.0, 2.5, std::nullopt}, 25.0},
        {{10.0, 2.5, 10.0}, 22.5},
        {{10.0, 2.5, -10.0}, 27.5},  // a negative discount raises the value, as the screen lets it
        {{std::nullopt, 2.5, 10.0}, 0.0},
        {{3.0, std::nullopt, std::nullopt}, 0.0},
        {{0.0, 99.0, 0.0}, 0.0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(itemValue(c.item), c.value);
}

TEST(AfTotals, TheTotalSumsTheItemsRoundedToFiveDecimals) {
    EXPECT_DOUBLE_EQ(afTotal({}), 0.0);
    EXPECT_DOUBLE_EQ(afTotal({{3.0, 0.333333333, std::nullopt}, {1.0, 1.0, 0.0}}), 2.0);
    EXPECT_DOUBLE_EQ(afTotal({{1.0, 0.123456789, std::nullopt}}), 0.12346);
}

TEST(AfTotals, OutsideTheLimitOnlyAboveAPositiveLimit) {
    struct Case {
        double total;
        std::optional<double> limit;
        const char* flag;
    };
    const std::vector<Case> cases = {
        {100.0, 100.0, "N"},  // at the limit is within it
        {100.01, 100.0, "S"},
        {5.0, std::nullopt, "N"},  // a buyer without a limit
        {5.0, 0.0, "N"},
        {5.0, -1.0, "N"},
    };
    for (const Case& c : cases) EXPECT_EQ(limitFlag(c.total, c.limit), QLatin1String(c.flag)) << c.total;
}

}  // namespace
}  // namespace platform::server::modules
