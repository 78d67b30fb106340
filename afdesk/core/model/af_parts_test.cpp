#include "afdesk/core/model/af_parts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace afdesk {
namespace {

std::vector<int> column(int AfPartDef::*value) {
    std::vector<int> out;
    for (const AfPartDef& def : kAfParts)
        if (def.*value > 0) out.push_back(def.*value);
    return out;
}

TEST(AfParts, TheDescriptionFollowsThePartsOrderWithUniqueNames) {
    std::set<std::string> names;
    for (std::size_t i = 0; i < kAfParts.size(); ++i) {
        EXPECT_EQ(std::size_t(kAfParts[i].part), i);
        EXPECT_TRUE(names.insert(kAfParts[i].dataset).second) << kAfParts[i].dataset;
        EXPECT_TRUE(names.insert(kAfParts[i].dataSource).second) << kAfParts[i].dataSource;
    }
}

// The one-AF cache holds ten entries, 1 to 10, in the parts' order: its layout is the order of the parts.
TEST(AfParts, CacheEntriesAreOneToTenInThePartsOrder) {
    EXPECT_EQ(column(&AfPartDef::cacheEntry), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    for (const AfPartDef& def : kAfParts)
        EXPECT_EQ(def.cacheEntry > 0, def.loadMethod != nullptr) << def.dataset << ": only what is loaded is cached";
}

// The save sends the header, items, taxes, messages, terms and charges in its first
// arguments and the alteration log in the 26th; item products and charge dates are not sent.
TEST(AfParts, WhatTheSaveSendsAndNumbers) {
    const struct {
        AfPart part;
        int saveArgument;
    } sent[] = {{AfPart::Header, 1},   {AfPart::Items, 3},   {AfPart::Taxes, 5},     {AfPart::Messages, 6},
                {AfPart::Terms, 7},    {AfPart::Charges, 8}, {AfPart::Movements, 26}};
    for (const auto& s : sent) EXPECT_EQ(afPart(s.part).saveArgument, s.saveArgument) << afPart(s.part).dataset;
    EXPECT_EQ(afPart(AfPart::ItemProducts).saveArgument, 0);
    EXPECT_EQ(afPart(AfPart::ChargeDates).saveArgument, 0);

    // The number goes to the list, the header, the item products, items, taxes,
    // messages, payment terms, charge dates and charges, in this order.
    std::vector<std::pair<int, AfPart>> numbered;
    for (const AfPartDef& def : kAfParts)
        if (def.numberingOrder > 0) numbered.emplace_back(def.numberingOrder, def.part);
    std::sort(numbered.begin(), numbered.end());
    std::vector<AfPart> order;
    for (const auto& n : numbered) order.push_back(n.second);
    EXPECT_EQ(order, (std::vector<AfPart>{AfPart::List, AfPart::Header, AfPart::ItemProducts, AfPart::Items,
                                          AfPart::Taxes, AfPart::Messages, AfPart::Terms, AfPart::ChargeDates,
                                          AfPart::Charges}));
}

// A new AF's own tables start empty with it; the tables the user fills row by
// row are among them, the header and the list are not.
TEST(AfParts, NewAfTablesAndUserTables) {
    for (const AfPartDef& def : kAfParts) {
        if (def.userTable) {
            EXPECT_TRUE(def.newAfTable) << def.dataset;
        }
        if (def.newAfTable) {
            EXPECT_TRUE(def.rolledBack) << def.dataset;
        }
    }
    EXPECT_FALSE(afPart(AfPart::Header).newAfTable);
    EXPECT_FALSE(afPart(AfPart::List).newAfTable);
    EXPECT_FALSE(afPart(AfPart::Receipts).rolledBack);
}

}  // namespace
}  // namespace afdesk
