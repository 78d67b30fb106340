#include "item_grid_rules.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace afdesk {
namespace {

template <typename Change>
ItemRowFacts facts(Change change) {
    ItemRowFacts f;
    change(f);
    return f;
}
ItemRowFacts openItem() { return {}; }

TEST(ItemGridRules, WhichItemsAreOpenForEditing) {
    struct Case {
        const char* what;
        ItemRowFacts f;
        bool open;
    };
    const std::vector<Case> cases = {
        {"an open item", openItem(), true},
        {"partly received", facts([](auto& f) { f.itemSettlement = "1"; }), false},
        {"AF cancelled", facts([](auto& f) { f.afSettlement = "5"; }), false},
        {"AF ended", facts([](auto& f) { f.afSettlement = "4"; }), true},  // the keys refuse it instead
        {"separated item", facts([](auto& f) { f.itemSeparated = "S"; }), false},
        {"read-only group", facts([](auto& f) { f.readOnlyGroup = true; }), false},
        {"automatic AF without ALAF", facts([](auto& f) { f.launchKind = "A"; }), false},
        {"automatic AF with ALAF", facts([](auto& f) { f.launchKind = "A"; f.mayChangeAutomatic = true; }), true},
    };
    for (const Case& c : cases) EXPECT_EQ(itemOpenForEditing(c.f), c.open) << c.what;
}

TEST(ItemGridRules, KeysACellDiscards) {
    struct Case {
        const char* what;
        ItemRowFacts f;
        GridKey key;
        bool discarded;
    };
    const GridKey digit{QChar(u'5'), false, false, false, ItemColumn::Quantity};
    auto key = [&](auto change) {
        GridKey k = digit;
        change(k);
        return k;
    };
    const ItemRowFacts automatic = facts([](auto& f) { f.launchKind = "A"; });
    const ItemRowFacts reasonedLocked = facts([](auto& f) { f.reasoned = true; f.branchLocksPrices = true; });
    const std::vector<Case> cases = {
        {"a digit in the quantity", openItem(), digit, false},
        {"a minus sign", openItem(), key([](auto& k) { k.text = QChar(u'-'); }), true},
        {"an exponent", openItem(), key([](auto& k) { k.text = QChar(u'E'); }), true},
        {"a plus sign", openItem(), key([](auto& k) { k.text = QChar(u'+'); }), true},
        {"empty list, browsing", openItem(), key([](auto& k) { k.listEmpty = true; }), true},
        {"empty list, Enter", openItem(), key([](auto& k) { k.listEmpty = true; k.enter = true; k.text = QChar(); }), false},
        {"empty list, inserting", openItem(), key([](auto& k) { k.listEmpty = true; k.editing = true; }), false},
        {"item settled", facts([](auto& f) { f.itemSettlement = "2"; }), digit, true},
        {"item in situation 4", facts([](auto& f) { f.itemSettlement = "4"; }), digit, true},
        {"AF cancelled", facts([](auto& f) { f.afSettlement = "5"; }), digit, true},
        {"exit partly settled", facts([](auto& f) { f.afExitSettlement = "1"; }), digit, false},
        {"exit settled", facts([](auto& f) { f.afExitSettlement = "2"; }), digit, true},
        {"consolidated AF", facts([](auto& f) { f.consolidatedInto = "0001"; }), digit, true},
        {"separated item", facts([](auto& f) { f.itemSeparated = "S"; }), digit, true},
        {"automatic AF, quantity", automatic, digit, true},
        {"automatic AF, date", automatic, key([](auto& k) { k.column = ItemColumn::Date; }), false},
        {"reason column", openItem(), key([](auto& k) { k.column = ItemColumn::Reason; }), true},
        {"launch type column", openItem(), key([](auto& k) { k.column = ItemColumn::LaunchType; }), true},
        {"locked price", reasonedLocked, key([](auto& k) { k.column = ItemColumn::Price; }), true},
        {"locked brand", reasonedLocked, key([](auto& k) { k.column = ItemColumn::Brand; }), true},
        {"locked item, quantity", reasonedLocked, digit, false},
        {"unlocked price",
         facts([](auto& f) { f.reasoned = true; f.branchLocksPrices = true; f.priceUnlocked = true; }),
         key([](auto& k) { k.column = ItemColumn::Price; }), false},
    };
    for (const Case& c : cases) EXPECT_EQ(keyDiscarded(c.f, c.key), c.discarded) << c.what;
    EXPECT_TRUE(priceLocked(reasonedLocked));
    EXPECT_FALSE(priceLocked(facts([](auto& f) { f.reasoned = true; })));
}

TEST(ItemGridRules, ToolsAsTheCursorMoves) {
    EXPECT_EQ(itemGridTools(openItem(), true, false), (ItemTools{true, true, false}));
    EXPECT_EQ(itemGridTools(openItem(), true, true), (ItemTools{true, false, false}));
    EXPECT_EQ(itemGridTools(openItem(), false, false), (ItemTools{false, false, false}));
    EXPECT_EQ(itemGridTools(facts([](auto& f) { f.itemSettlement = "1"; }), true, false), (ItemTools{true, false, false}));
    EXPECT_EQ(itemGridTools(facts([](auto& f) { f.itemSettlement = "3"; }), true, false), (ItemTools{true, true, false}));
    EXPECT_EQ(itemGridTools(facts([](auto& f) { f.afSettlement = "7"; }), true, false), (ItemTools{true, true, false}));
    EXPECT_EQ(itemGridTools(facts([](auto& f) { f.afSettlement = "2"; }), true, false), ItemTools{});
    EXPECT_EQ(itemGridTools(facts([](auto& f) { f.readOnlyGroup = true; }), true, false), ItemTools{});
    EXPECT_EQ(itemGridTools(facts([](auto& f) { f.afSeparated = "S"; }), true, false), ItemTools{});
    EXPECT_EQ(itemGridTools(facts([](auto& f) { f.launchKind = "A"; }), true, false), (ItemTools{true, false, false}));

    ProductDeleteFacts p{true, true, false, false, true};
    EXPECT_TRUE(productDeleteEnabled(openItem(), p));
    EXPECT_TRUE(productDeleteEnabled(facts([](auto& f) { f.afSettlement = "7"; }), p));
    EXPECT_FALSE(productDeleteEnabled(facts([](auto& f) { f.afSettlement = "2"; }), p));
    ProductDeleteFacts legacy = p;
    legacy.legacyBranchMode = true;
    EXPECT_FALSE(productDeleteEnabled(openItem(), legacy));
    EXPECT_TRUE(productDeleteEnabled(facts([](auto& f) { f.launchKind = "M"; }), legacy));
    ProductDeleteFacts unfocused = p;
    unfocused.itemGridHasFocus = false;
    EXPECT_FALSE(productDeleteEnabled(openItem(), unfocused));
}

TEST(ItemGridRules, ButtonsAndTheManualReceipt) {
    EXPECT_EQ(scrollButtons(openItem(), false), (ColumnButtons{false, true, true}));
    EXPECT_EQ(scrollButtons(openItem(), true), (ColumnButtons{true, true, true}));
    EXPECT_EQ(scrollButtons(facts([](auto& f) { f.itemSettlement = "1"; }), true), ColumnButtons{});

    EXPECT_TRUE(baixarEnabled(openItem(), true, false, false));
    EXPECT_TRUE(baixarEnabled(facts([](auto& f) { f.itemSettlement = "1"; }), true, false, false));
    EXPECT_FALSE(baixarEnabled(facts([](auto& f) { f.itemSettlement = "3"; }), true, false, false));
    EXPECT_FALSE(baixarEnabled(facts([](auto& f) { f.afSettlement = "4"; }), true, false, false));
    EXPECT_FALSE(baixarEnabled(openItem(), false, false, false));
    EXPECT_FALSE(baixarEnabled(openItem(), true, true, false));
    EXPECT_FALSE(baixarEnabled(openItem(), true, false, true));  // changed since it was last closed
}

TEST(ItemGridRules, TheProductGridsOwnRules) {
    EXPECT_TRUE(productBaixarEnabled(openItem(), "", true, false, false));
    EXPECT_TRUE(productBaixarEnabled(openItem(), "2", true, false, false));
    EXPECT_FALSE(productBaixarEnabled(openItem(), "1", true, false, false));
    EXPECT_FALSE(productBaixarEnabled(facts([](auto& f) { f.afExitSettlement = "2"; }), "", true, false, false));
    EXPECT_TRUE(baixarEnabled(facts([](auto& f) { f.afExitSettlement = "2"; }), true, false, false));  // the item grid's does not look

    EXPECT_TRUE(productLookupOffered("", false, ""));
    EXPECT_TRUE(productLookupOffered("1", false, "N"));
    EXPECT_FALSE(productLookupOffered("3", false, ""));
    EXPECT_FALSE(productLookupOffered("", true, ""));
    EXPECT_FALSE(productLookupOffered("", false, "S"));

    EXPECT_EQ(lowerTabs(false, false, false, false, false), (LowerTabs{true, true, true}));
    EXPECT_EQ(lowerTabs(true, false, false, false, true), (LowerTabs{false, false, true}));
    EXPECT_EQ(lowerTabs(false, true, true, false, true), (LowerTabs{true, false, false}));
    EXPECT_EQ(lowerTabs(false, false, true, true, true), (LowerTabs{true, true, true}));  // kept while typing
}

TEST(ItemGridRules, TheReasonBox) {
    EXPECT_EQ(reasonBoxText("", "", "1", "2"), "Tipo de lançamento manual.");
    EXPECT_EQ(reasonBoxText("0000000000", "", "0000000009", "0000000003"),
              "Escolhida manualmente.\nCotação: 0000000009\nLista de preços: 0000000003");
    EXPECT_EQ(reasonBoxText("0000100000", "M", "", "0000000003"),
              "Escolhido da Lista de Preços.\nCotação: \nLista de preços: 0000000003\nObs.: Item alterado manualmente.");
}

}  // namespace
}  // namespace afdesk
