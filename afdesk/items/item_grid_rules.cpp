#include "item_grid_rules.h"

#include "item_checks.h"
#include "item_domains.h"

namespace afdesk {

namespace {

bool is(const QString& value, const char* code) { return value.trimmed() == QLatin1String(code); }
bool isAnyOf(const QString& value, std::initializer_list<const char*> codes) {
    for (const char* c : codes)
        if (is(value, c)) return true;
    return false;
}

// The AF-list row lets its items change: not settled, ended or cancelled, not
// consolidated into another AF, not separated, and the operator writes.
bool afOpenForItems(const ItemRowFacts& f) {
    return !isAnyOf(f.afSettlement, {"2", "3", "4", "5"}) && (f.afExitSettlement.trimmed().isEmpty() || is(f.afExitSettlement, "1")) &&
           f.consolidatedInto.trimmed().isEmpty() && !f.readOnlyGroup && !is(f.afSeparated, "S");
}

}  // namespace

bool itemOpenForEditing(const ItemRowFacts& f) {
    return f.itemSettlement.trimmed().isEmpty() && !is(f.afSettlement, "5") && !is(f.itemSeparated, "S") &&
           !f.readOnlyGroup && (!is(f.launchKind, "A") || f.mayChangeAutomatic);
}

bool automaticAfLocks(const ItemRowFacts& f, ItemColumn column) {
    return is(f.launchKind, "A") && !f.mayChangeAutomatic && column != ItemColumn::Date;
}

bool priceLocked(const ItemRowFacts& f) { return f.reasoned && f.branchLocksPrices && !f.priceUnlocked; }

bool keyDiscarded(const ItemRowFacts& f, const GridKey& key) {
    if (key.listEmpty && !key.editing && !key.enter) return true;
    if (key.text == u'-' || key.text == u'e' || key.text == u'E' || key.text == u'+') return true;
    if (isAnyOf(f.itemSettlement, {"1", "2", "3", "4"}) || is(f.afSettlement, "5") ||
        !(f.afExitSettlement.trimmed().isEmpty() || is(f.afExitSettlement, "1")) || !f.consolidatedInto.trimmed().isEmpty() ||
        is(f.itemSeparated, "S"))
        return true;
    if (automaticAfLocks(f, key.column)) return true;
    if (key.column == ItemColumn::Reason || key.column == ItemColumn::LaunchType) return true;
    if (key.column == ItemColumn::Date && !f.itemSettlement.trimmed().isEmpty()) return true;
    if ((key.column == ItemColumn::Brand || key.column == ItemColumn::Price) && priceLocked(f)) return true;
    return false;
}

ItemTools itemGridTools(const ItemRowFacts& f, bool listRowBrowsing, bool itemsEmpty) {
    ItemTools t;
    t.incluir = listRowBrowsing && afOpenForItems(f);
    t.alterar = t.incluir && !itemsEmpty && !isAnyOf(f.itemSettlement, {"1", "2"}) &&
                (!is(f.launchKind, "A") || f.mayChangeAutomatic);
    t.excluir = false;
    return t;
}

bool productDeleteEnabled(const ItemRowFacts& f, const ProductDeleteFacts& p) {
    const bool settlementAllows = f.afSettlement.trimmed().isEmpty() || isAnyOf(f.afSettlement, {"1", "7"});
    const bool legacyAllows = !p.legacyBranchMode || is(f.launchKind, "M");
    return p.listRowBrowsing && p.itemsBrowsing && !p.itemsEmpty && settlementAllows &&
           f.consolidatedInto.trimmed().isEmpty() && !f.readOnlyGroup && legacyAllows && p.itemGridHasFocus &&
           !is(f.afSeparated, "S");
}

ColumnButtons scrollButtons(const ItemRowFacts& f, bool inserting) {
    if (!itemOpenForEditing(f)) return {};
    return {inserting, true, true};
}

bool baixarEnabled(const ItemRowFacts& f, bool itemsBrowsing, bool itemsEmpty, bool afChangedSinceClosed) {
    return !isAnyOf(f.itemSettlement, {"2", "3"}) && !isAnyOf(f.afSettlement, {"4", "5"}) && itemsBrowsing &&
           !itemsEmpty && !afChangedSinceClosed && !is(f.afSeparated, "S");
}

bool productBaixarEnabled(const ItemRowFacts& f, const QString& logisticKind, bool itemsBrowsing, bool itemsEmpty,
                          bool afChangedSinceClosed) {
    return baixarEnabled(f, itemsBrowsing, itemsEmpty, afChangedSinceClosed) &&
           (f.afExitSettlement.trimmed().isEmpty() || is(f.afExitSettlement, "1")) && !is(logisticKind, "1");
}

bool productLookupOffered(const QString& headerSettlement, bool readOnlyGroup, const QString& afSeparated) {
    return !isAnyOf(headerSettlement, {"2", "3", "4", "5"}) && !readOnlyGroup && !is(afSeparated, "S");
}

LowerTabs lowerTabs(bool productEditing, bool productsEmpty, bool itemsEmpty, bool deliveredEditFocused,
                    bool observacaoWasEnabled) {
    LowerTabs t;
    t.imposto = !productEditing;
    t.encargo = !productsEmpty;
    // While the delivered quantity is being typed the memo's tab stays as it was.
    t.observacao = deliveredEditFocused ? observacaoWasEnabled : (!productEditing && !itemsEmpty);
    return t;
}

QString reasonBoxText(const QString& idMotPresCAF, const QString& idTipoLanItm, const QString& quotation,
                      const QString& priceList) {
    if (idMotPresCAF.trimmed().isEmpty()) return itemMessage(QStringLiteral("EscMotivItem_Inf"));
    const QString reasons = reasonText(idMotPresCAF);
    const QString quotationLine = itemMessage(QStringLiteral("Cotacao")).replace(QStringLiteral("%s"), quotation);
    const QString listLine = itemMessage(QStringLiteral("ListaPrec_Inf")).replace(QStringLiteral("%s"), priceList);
    QString text = reasons.isEmpty() ? itemMessage(QStringLiteral("MotEsc_Inf")) + QLatin1Char('\n') + quotationLine
                                     : reasons + quotationLine;
    text += QLatin1Char('\n') + listLine;
    if (is(idTipoLanItm, "M")) text += QLatin1Char('\n') + itemMessage(QStringLiteral("ObsItmMan_Inf"));
    return text;
}

}  // namespace afdesk
