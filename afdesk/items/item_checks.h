#pragma once
// The checks and decisions of item entry, as pure functions over the values
// they read: what was typed, the AF's header facts, the branch's parameters.
// A refused check names its message (key and text) and the field to focus;
// the item area shows it, focuses the field and abandons the post, leaving
// the row as the user typed it.
#include <QtCore/QDate>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <optional>
#include <vector>

namespace afdesk {

struct ItemRefusal {
    QString key;      // message-table key ("DT_Prod_Inv")
    QString message;  // its text, with any value filled in
    QString field;    // the field to focus
    friend bool operator==(const ItemRefusal&, const ItemRefusal&) = default;
};
using ItemCheck = std::optional<ItemRefusal>;

// The text of a message key of item entry; empty for an unknown key.
QString itemMessage(const QString& key);
// "key|text" lines of every message of item entry, for the workspace's message table.
QStringList itemCheckMessageLines();

// --- Delivery date (vd_DataEntr, Vd_DataEntrega, Vd_DataSugerida) -------------
struct DeliveryDateFacts {
    std::optional<QDate> date;  // DTPROGENTAF
    bool required = true;
    bool inserting = false;
    bool dateChanged = false;     // in edit: the date differs from its old value
    QDate afDate;                 // the header's DTAUTOFORN
    QString anticipationDays;     // NRDIAANTENTRAF of the PARASUPRI parameter row ("" = no limit)
    std::optional<QDate> anticipationBase;  // its DATA
};
// Empty (when required), before the AF's date (new items), past the anticipation limit.
ItemCheck checkDeliveryDate(const DeliveryDateFacts& f);
// The supplier's periodicity: `served` is the server's answer for the date.
ItemCheck checkPeriodicity(const QDate& date, const QDate& served);
// One delivery date per AF for suppliers that need it (IDGERAFDTENT = "S").
ItemCheck checkSingleDeliveryDate(const std::vector<std::optional<QDate>>& itemDates, bool supplierNeedsOneDate,
                                  bool totalReceiptRunning);
// The item's date text against the remembered delivery date, for such suppliers.
ItemCheck checkSuggestedDate(const QString& itemDateText, const QString& rememberedDate, bool supplierNeedsOneDate);
// An altered date before the branch's current date (DTATUAL).
ItemCheck checkDateNotBeforeToday(bool dateChanged, const std::optional<QDate>& date,
                                  const std::optional<QDate>& branchToday);

// The alteration-days limit of an issued AF (PARASUPRI row of the general
// parameters: PARAM days after DATA): an item whose delivery date, as it was
// before the edit, falls before the limit date may not be changed or deleted.
ItemCheck checkAlterationDaysLimit(const QString& limitDays, const std::optional<QDate>& limitBase,
                                   const std::optional<QDate>& oldDeliveryDate);

// --- Brands, quantities, prices -------------------------------------------------
ItemCheck checkBrandsDiffer(const QString& brand, const QString& secondBrand, const QString& focusField);
ItemCheck checkQuantity(const std::optional<double>& ordered, const std::optional<double>& delivered, bool required);
ItemCheck checkUnitPrice(const std::optional<double>& price);
enum class PercentField { ItemDiscount, PaymentTerm };  // VRPERDESAF, VRPERCPGTOAF
ItemCheck checkPercentage(const std::optional<double>& value, PercentField which, bool required,
                          bool totalReceiptRunning);
ItemCheck checkDeliveredQuantity(const std::optional<double>& delivered, const std::optional<double>& ordered);

// --- Decisions of a post ---------------------------------------------------------
// The item fields whose change makes an item "changed" (close marker, alteration limit).
struct ItemFigures {
    std::optional<QDate> date;
    std::optional<double> quantity, unitPrice, discount, delivered;
    QString secondBrand;  // empty is null
};
// Date, quantity or price differ; or discount, second brand or delivered
// quantity differ from an old value that was not null.
bool itemChanged(const ItemFigures& before, const ItemFigures& after);

enum class ZeroQuantity { NotZero, NoPermission, OnlyItem, AskFirst };
// What a post of this quantity needs: refused without EXAF, refused for the
// only item of the only product, else the user is asked first.
ZeroQuantity zeroQuantity(const std::optional<double>& quantity, bool mayDelete, int itemsOfProduct, int products);
ItemCheck zeroQuantityRefusal(ZeroQuantity decision);

// The discount value of a percentage, and the percentage of a value (unrounded);
// 0 when there is nothing to derive from.
double discountValue(const std::optional<double>& percent, double gross);
double discountPercent(const std::optional<double>& value, double gross);

// The supplier's discount a new item takes (VRPEDESCFORN when not "0" and IDTPDESCFORN = "C").
std::optional<double> supplierDiscount(const QString& discountText, const QString& discountType);

// The remembered delivery date before an insert: the list row's date for a
// one-date supplier, else the last item's, else the one remembered already.
QString rememberedDateBeforeInsert(const QString& listDeliveryText, bool supplierNeedsOneDate,
                                   const QString& lastItemDateText, const QString& remembered);
// The date a new item starts with.
QDate defaultDeliveryDate(const std::optional<QDate>& remembered, const std::optional<QDate>& rememberedSecond,
                          int productRows, const QDate& afDate, const QDate& today);

// The purchase-request question when a quantity changes: its key, by IDAPROVITMSOLGR.
QString purchaseRequestQuestionKey(const QString& approvalParameter);

// An item post on an automatic EDI AF turns the header to "7" (EDI).
bool itemPostMakesAfEdi(const QString& sendKind, const QString& headerSettlement, const QString& launchKind,
                        bool receiptRunning);

}  // namespace afdesk
