#pragma once
// The item grid's rules as pure functions over the facts they read: which
// items are open for editing, which keys a cell discards, which columns lock,
// the tools and buttons as the cursor moves, and the reason box's text.
#include <QtCore/QChar>
#include <QtCore/QString>

namespace afdesk {

// The facts of the current item and of the AF-list row it belongs to.
struct ItemRowFacts {
    QString itemSettlement;    // the item's IDBAIXITMAF
    QString itemSeparated;     // the item's IDITMSEPARADO
    QString afSettlement;      // the list row's IDBAIXAAF
    QString afExitSettlement;  // the list row's IDBAIXAFSAI
    QString consolidatedInto;  // the list row's CDFILDESTCON
    QString launchKind;        // the list row's IDTIPOLANCAF
    QString afSeparated;       // the list row's IDITMSEPARADO
    bool readOnlyGroup = false;       // the operator is in the branch's read-only group
    bool mayChangeAutomatic = false;  // ALAF
    bool reasoned = false;            // the item's brand and price came from the best-price search
    bool branchLocksPrices = false;   // the branch's IDCARPRECLAF = "S"
    bool priceUnlocked = false;       // the best-price search returned an unlock text
};

// The columns whose rules differ.
enum class ItemColumn { Date, Brand, Quantity, Price, Discount, DiscountValue, SecondBrand, Reason, LaunchType, Other };

bool itemOpenForEditing(const ItemRowFacts& f);
// An automatic AF is changed only by an operator with ALAF (its dates always).
bool automaticAfLocks(const ItemRowFacts& f, ItemColumn column);
// The price of a reasoned item in a branch that locks prices, until the search unlocks it.
bool priceLocked(const ItemRowFacts& f);

struct GridKey {
    QChar text;          // the character typed, if any
    bool enter = false;
    bool listEmpty = false;
    bool editing = false;  // the items' source is in edit or insert state
    ItemColumn column = ItemColumn::Other;
};
bool keyDiscarded(const ItemRowFacts& f, const GridKey& key);

// "Incluir", "Alterar", "Excluir" while the item grid is the active control.
struct ItemTools {
    bool incluir = false, alterar = false, excluir = false;
    friend bool operator==(const ItemTools&, const ItemTools&) = default;
};
ItemTools itemGridTools(const ItemRowFacts& f, bool listRowBrowsing, bool itemsEmpty);

// "Excluir" while the product grid or the memo is the active control.
struct ProductDeleteFacts {
    bool listRowBrowsing = false, itemsBrowsing = false, itemsEmpty = true;
    bool legacyBranchMode = false;  // IDSISDOS = "3" in a branch module: only AFs typed by hand
    bool itemGridHasFocus = false;
};
bool productDeleteEnabled(const ItemRowFacts& f, const ProductDeleteFacts& p);

// The ellipsis buttons of the brand, second-brand and price columns as the cursor moves.
struct ColumnButtons {
    bool brand = false, secondBrand = false, price = false;
    friend bool operator==(const ColumnButtons&, const ColumnButtons&) = default;
};
ColumnButtons scrollButtons(const ItemRowFacts& f, bool inserting);

// The manual receipt's "Baixar" button.
bool baixarEnabled(const ItemRowFacts& f, bool itemsBrowsing, bool itemsEmpty, bool afChangedSinceClosed);

// The same button as the product grid's cursor moves: it also waits for the
// exit receipt (IDBAIXAFSAI empty or "1") and is never offered on a
// logistic-operator AF of the first kind (IDAFOPERLOG = "1").
bool productBaixarEnabled(const ItemRowFacts& f, const QString& logisticKind, bool itemsBrowsing, bool itemsEmpty,
                          bool afChangedSinceClosed);

// The product code's lookup button on a new product row: the header's AF is
// not settled, ended or cancelled, the operator writes and the AF is not separated.
bool productLookupOffered(const QString& headerSettlement, bool readOnlyGroup, const QString& afSeparated);

// The lower tabs of "Produtos" as the product row's state changes.
struct LowerTabs {
    bool imposto = false, observacao = false, encargo = false;
    friend bool operator==(const LowerTabs&, const LowerTabs&) = default;
};
LowerTabs lowerTabs(bool productEditing, bool productsEmpty, bool itemsEmpty, bool deliveredEditFocused,
                    bool observacaoWasEnabled);

// The reason box: how the item got its brand and price.
QString reasonBoxText(const QString& idMotPresCAF, const QString& idTipoLanItm, const QString& quotation,
                      const QString& priceList);

}  // namespace afdesk
