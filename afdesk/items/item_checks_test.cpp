#include "item_checks.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace afdesk {
namespace {

QString keyOf(const ItemCheck& c) { return c ? c->key : QString(); }

QDate d(int day, int month = 3, int year = 2024) { return QDate(year, month, day); }

TEST(ItemChecks, DeliveryDate) {
    struct Case {
        const char* what;
        DeliveryDateFacts facts;
        const char* key;
    };
    DeliveryDateFacts base;
    base.afDate = d(5);
    base.inserting = true;
    auto with = [&](auto change) {
        DeliveryDateFacts f = base;
        change(f);
        return f;
    };
    const std::vector<Case> cases = {
        {"empty, required", with([](auto& f) { f.date.reset(); }), "DT_Prod_Vazia"},
        {"empty, not required", with([](auto& f) { f.date.reset(); f.required = false; }), ""},
        {"the AF's day", with([](auto& f) { f.date = d(5); }), ""},
        {"the day before", with([](auto& f) { f.date = d(4); }), "DT_Prod_Inv"},
        {"the day before, in edit", with([](auto& f) { f.date = d(4); f.inserting = false; }), ""},
        {"3 days from the 10th: the 13th", with([](auto& f) { f.date = d(13); f.anticipationDays = "3"; f.anticipationBase = d(10); }), ""},
        {"3 days from the 10th: the 12th", with([](auto& f) { f.date = d(12); f.anticipationDays = "3"; f.anticipationBase = d(10); }),
         "Dt_Limite_Antecip"},
        {"limit in edit, date unchanged",
         with([](auto& f) { f.date = d(12); f.inserting = false; f.anticipationDays = "3"; f.anticipationBase = d(10); }), ""},
        {"limit in edit, date changed",
         with([](auto& f) {
             f.date = d(12);
             f.inserting = false;
             f.dateChanged = true;
             f.anticipationDays = "3";
             f.anticipationBase = d(10);
         }),
         "Dt_Limite_Antecip"},
        {"no limit", with([](auto& f) { f.date = d(6); f.anticipationDays = " "; f.anticipationBase = d(10); }), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(keyOf(checkDeliveryDate(c.facts)), QLatin1String(c.key)) << c.what;

    DeliveryDateFacts f = base;
    f.date = d(12);
    f.anticipationDays = "3";
    f.anticipationBase = d(10);
    const ItemCheck limit = checkDeliveryDate(f);
    ASSERT_TRUE(limit);
    EXPECT_EQ(limit->message, "Data de entrega inicial deve respeitar o limite de antecipação.Somente será permitido "
                              "informar uma data inicial de entrega igual ou maior que o dia 13/03/2024.");
    EXPECT_EQ(limit->field, "DTPROGENTAF");
}

TEST(ItemChecks, SupplierDates) {
    EXPECT_FALSE(checkPeriodicity(d(12), d(12)));
    EXPECT_EQ(keyOf(checkPeriodicity(d(12), d(14))), "Forn_N_Peri");
    EXPECT_FALSE(checkPeriodicity(QDate(), d(14)));  // an empty date asks nothing of the supplier

    EXPECT_FALSE(checkSingleDeliveryDate({d(5), d(5)}, true, false));
    EXPECT_EQ(keyOf(checkSingleDeliveryDate({d(5), d(5), d(6)}, true, false)), "Forn_UmaData");
    EXPECT_FALSE(checkSingleDeliveryDate({d(5), d(6)}, false, false));
    EXPECT_FALSE(checkSingleDeliveryDate({d(5), d(6)}, true, true));  // a total receipt is running

    EXPECT_FALSE(checkSuggestedDate("05/03/2024", "05/03/2024", true));
    EXPECT_EQ(keyOf(checkSuggestedDate("06/03/2024", "05/03/2024", true)), "Forn_UmaData");
    EXPECT_FALSE(checkSuggestedDate("06/03/2024", "", true));
    EXPECT_FALSE(checkSuggestedDate("06/03/2024", "05/03/2024", false));

    EXPECT_EQ(keyOf(checkDateNotBeforeToday(true, d(9), d(10))), "Data_AF");
    EXPECT_FALSE(checkDateNotBeforeToday(true, d(10), d(10)));
    EXPECT_FALSE(checkDateNotBeforeToday(false, d(9), d(10)));
}

TEST(ItemChecks, AlterationDaysLimit) {
    // Ten days after the 1st: the 11th.
    EXPECT_FALSE(checkAlterationDaysLimit("10", d(1), d(11)));  // equal dates pass
    EXPECT_EQ(keyOf(checkAlterationDaysLimit("10", d(1), d(10))), "DiasForaLimit");
    EXPECT_FALSE(checkAlterationDaysLimit("", d(1), d(10)));    // no limit set
    EXPECT_FALSE(checkAlterationDaysLimit("10", d(1), std::nullopt));  // a new item has no old date
    EXPECT_EQ(itemMessage("DiasForaLimit"), "Alteração realizada fora do limite de dias para alteração em itens de AF.");
}

TEST(ItemChecks, QuantitiesPricesAndPercentages) {
    struct Case {
        const char* what;
        ItemCheck outcome;
        const char* key;
    };
    const std::vector<Case> cases = {
        {"no quantity", checkQuantity(std::nullopt, std::nullopt, true), "Quant_item_Vazia"},
        {"no quantity, not required", checkQuantity(std::nullopt, 3.0, false), ""},
        {"below what was delivered", checkQuantity(3.0, 4.0, true), "Quant_Inv"},
        {"what was delivered", checkQuantity(4.0, 4.0, true), ""},
        {"no price", checkUnitPrice(std::nullopt), "PrecUnit_Vazio"},
        {"price 0", checkUnitPrice(0.0), "PrecUnit_Inv"},
        {"negative price", checkUnitPrice(-1.0), "PrecUnit_Inv"},
        {"a cent", checkUnitPrice(0.01), ""},
        {"discount 100", checkPercentage(100.0, PercentField::ItemDiscount, false, false), ""},
        {"discount 100.01", checkPercentage(100.01, PercentField::ItemDiscount, false, false), "Desc_Inv"},
        {"discount -5", checkPercentage(-5.0, PercentField::ItemDiscount, false, false), ""},
        {"term 101", checkPercentage(101.0, PercentField::PaymentTerm, true, false), "Perc_Inv"},
        {"term empty", checkPercentage(std::nullopt, PercentField::PaymentTerm, true, false), "Perc_Pgto_Vazio"},
        {"term empty, receipt running", checkPercentage(std::nullopt, PercentField::PaymentTerm, true, true), ""},
        {"discount empty, not required", checkPercentage(std::nullopt, PercentField::ItemDiscount, false, false), ""},
        {"delivered above ordered", checkDeliveredQuantity(5.0, 4.0), "Qt_Entr_Inv"},
        {"delivered all", checkDeliveredQuantity(4.0, 4.0), ""},
        {"nothing delivered", checkDeliveredQuantity(std::nullopt, 4.0), ""},
        {"same brands", checkBrandsDiffer("00001", "00001", "CDMARCA"), "MARCA_igual_SEGMARCA"},
        {"different brands", checkBrandsDiffer("00001", "00002", "CDMARCA"), ""},
        {"no brand yet", checkBrandsDiffer("", "", "CDMARCA"), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(keyOf(c.outcome), QLatin1String(c.key)) << c.what;
    EXPECT_EQ(checkPercentage(100.5, PercentField::ItemDiscount, false, false)->field, "VRPERDESAF");
    EXPECT_EQ(checkPercentage(100.5, PercentField::PaymentTerm, false, false)->field, "VRPERCPGTOAF");
    EXPECT_EQ(checkBrandsDiffer("00001", "00001", "CDSEGMARCA")->field, "CDSEGMARCA");
}

TEST(ItemChecks, WhatMakesAnItemChanged) {
    const ItemFigures before{d(5), 10.0, 2.0, std::nullopt, std::nullopt, ""};
    struct Case {
        const char* what;
        ItemFigures after;
        bool changed;
    };
    auto with = [&](auto change) {
        ItemFigures f = before;
        change(f);
        return f;
    };
    const std::vector<Case> cases = {
        {"nothing", before, false},
        {"date", with([](auto& f) { f.date = d(6); }), true},
        {"quantity", with([](auto& f) { f.quantity = 11.0; }), true},
        {"price", with([](auto& f) { f.unitPrice = std::nullopt; }), true},
        {"discount from null", with([](auto& f) { f.discount = 5.0; }), false},
        {"second brand from null", with([](auto& f) { f.secondBrand = "00002"; }), false},
        {"delivered from null", with([](auto& f) { f.delivered = 1.0; }), false},
    };
    for (const Case& c : cases) EXPECT_EQ(itemChanged(before, c.after), c.changed) << c.what;

    ItemFigures zeroDiscount = before;
    zeroDiscount.discount = 0.0;
    ItemFigures fiveDiscount = zeroDiscount;
    fiveDiscount.discount = 5.0;
    EXPECT_TRUE(itemChanged(zeroDiscount, fiveDiscount));  // from 0 it is a change
}

TEST(ItemChecks, ZeroingAQuantity) {
    EXPECT_EQ(zeroQuantity(3.0, false, 1, 1), ZeroQuantity::NotZero);
    EXPECT_EQ(zeroQuantity(std::nullopt, false, 1, 1), ZeroQuantity::NotZero);
    EXPECT_EQ(zeroQuantity(0.0, false, 2, 2), ZeroQuantity::NoPermission);
    EXPECT_EQ(zeroQuantity(0.0, true, 1, 1), ZeroQuantity::OnlyItem);
    EXPECT_EQ(zeroQuantity(0.0, true, 2, 1), ZeroQuantity::AskFirst);
    EXPECT_EQ(zeroQuantity(0.0, true, 1, 2), ZeroQuantity::AskFirst);
    EXPECT_EQ(keyOf(zeroQuantityRefusal(ZeroQuantity::NoPermission)), "Oper_ExcluiAF");
    EXPECT_EQ(keyOf(zeroQuantityRefusal(ZeroQuantity::OnlyItem)), "Oper_qtzero");
    EXPECT_FALSE(zeroQuantityRefusal(ZeroQuantity::AskFirst));
    EXPECT_EQ(itemMessage("msgQtZero"), "Atenção a quantidade do item da AF está sendo zerada! O item será excluído. "
                                        "\r\nTem certeza que deseja realizar está operação?");
}

TEST(ItemChecks, DiscountArithmeticIsUnrounded) {
    EXPECT_DOUBLE_EQ(discountValue(10.0, 25.0), 2.5);
    EXPECT_DOUBLE_EQ(discountValue(std::nullopt, 25.0), 0.0);
    EXPECT_DOUBLE_EQ(discountValue(10.0, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(discountPercent(1.0, 3.0), 100.0 / 3.0);
    EXPECT_DOUBLE_EQ(discountPercent(0.0, 3.0), 0.0);
    EXPECT_DOUBLE_EQ(discountPercent(1.0, 0.0), 0.0);
}

TEST(ItemChecks, DefaultsOfANewItem) {
    EXPECT_EQ(supplierDiscount("2,5", "C"), 2.5);
    EXPECT_EQ(supplierDiscount("0", "C"), std::nullopt);
    EXPECT_EQ(supplierDiscount("2,5", "N"), std::nullopt);
    EXPECT_EQ(supplierDiscount("", "C"), std::nullopt);

    EXPECT_EQ(rememberedDateBeforeInsert("10/03/2024", true, "12/03/2024", "01/03/2024"), "10/03/2024");
    EXPECT_EQ(rememberedDateBeforeInsert("10/03/2024", false, "12/03/2024", "01/03/2024"), "12/03/2024");
    EXPECT_EQ(rememberedDateBeforeInsert("", true, "", "01/03/2024"), "01/03/2024");

    const QDate today = d(20);
    EXPECT_EQ(defaultDeliveryDate(d(25), std::nullopt, 1, d(5), today), d(25));
    EXPECT_EQ(defaultDeliveryDate(d(4), std::nullopt, 1, d(5), today), today);  // before the AF's date
    EXPECT_EQ(defaultDeliveryDate(std::nullopt, d(28), 1, d(5), today), today);
    EXPECT_EQ(defaultDeliveryDate(std::nullopt, d(28), 2, d(5), today), d(28));
    EXPECT_EQ(defaultDeliveryDate(std::nullopt, std::nullopt, 2, d(5), today), today);
}

TEST(ItemChecks, QuestionsAndStatusChangesOfAPost) {
    EXPECT_EQ(purchaseRequestQuestionKey(""), "Atu_Sol");
    EXPECT_EQ(purchaseRequestQuestionKey("S"), "Excl_Soli_CMP");
    EXPECT_TRUE(itemPostMakesAfEdi("2", "", "A", false));
    EXPECT_FALSE(itemPostMakesAfEdi("2", "", "A", true));
    EXPECT_FALSE(itemPostMakesAfEdi("1", "", "A", false));
    EXPECT_FALSE(itemPostMakesAfEdi("2", "7", "A", false));
    EXPECT_FALSE(itemPostMakesAfEdi("2", "", "M", false));
}

TEST(ItemChecks, EveryMessageHasItsText) {
    const QStringList lines = itemCheckMessageLines();
    for (const QString& line : lines) {
        EXPECT_FALSE(line.section('|', 1).isEmpty()) << line.toStdString();
        EXPECT_EQ(itemMessage(line.section('|', 0, 0)), line.section('|', 1)) << line.toStdString();
    }
    EXPECT_EQ(itemMessage("nao_existe"), QString());
}

}  // namespace
}  // namespace afdesk
