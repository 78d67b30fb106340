#include "afdesk/core/tools/habilita_ferramentas.h"

#include "afdesk/core/tools/tool_terms.h"

namespace afdesk {

namespace {

bool focusInItemOrProductGrid(const ToolSnapshot& s) {
    return s.focus == Focus::ItemGrid || s.focus == Focus::ProductGrid;
}

// The AF still accepts changes of its contents.
bool editableAF(const ToolTerms& t) { return t.open && t.outboundOk && t.notConsolidated && t.notSeparated; }

bool itemProductsUsable(const ToolSnapshot& s) { return !s.view(Source::ItemProducts).openAndEmpty(); }

// Items browsed with rows, or not loaded at all.
bool itemsSettleable(const ToolSnapshot& s) {
    const DatasetView& items = s.view(Source::Items);
    return (items.browsing() && !items.empty) || !items.open();
}

// Altering or deleting acts on the current row of the tab's own table (the
// list's on the list and header tabs): there must be one to act on.
bool rowToActOn(const ToolSnapshot& s) { return !ruledView(s).empty; }

bool notInconsistent(const ToolSnapshot& s) {
    return code(s.row.IDSITUATUAAF) != QLatin1String("1") && code(s.row.IDAFFORALIM) != QLatin1String("S");
}

bool incluirByTab(const ToolSnapshot& s, const ToolTerms& t) {
    switch (s.tab) {
    case AfTab::AF: return true;
    case AfTab::FilialDest: return t.confirmed && t.notSeparated;
    case AfTab::DadosAF: return t.notSeparated;
    case AfTab::Produtos: return focusInItemOrProductGrid(s) && t.autoOk && editableAF(t);
    case AfTab::Mensagem: return editableAF(t);
    case AfTab::FormaPgto: return s.focus == Focus::TermsGrid && editableAF(t);
    default: return false;
    }
}

bool alterarByTab(const ToolSnapshot& s, const ToolTerms& t) {
    switch (s.tab) {
    case AfTab::Produtos:
        return !codeIn(s.IDBAIXITMAF, {"2", "1", "3"}) && s.source != Source::ItemProducts && editableAF(t);
    case AfTab::DadosAF: return t.open && t.notConsolidated && t.notSeparated;
    case AfTab::AF: return editableAF(t);
    case AfTab::Encargo: return s.focus != Focus::ChargeDateGrid && editableAF(t);
    case AfTab::Mensagem:
        return t.open && !s.view(Source::Messages).empty && t.notConsolidated && t.notSeparated;
    case AfTab::FormaPgto: return editableAF(t);
    default: return false;
    }
}

bool excluirByTab(const ToolSnapshot& s, const ToolTerms& t) {
    switch (s.tab) {
    case AfTab::Mensagem:
        return t.open && t.outboundOk && !s.view(Source::Messages).empty && t.notConsolidated;
    case AfTab::AF:
    case AfTab::DadosAF:
        return code(s.row.IDAFPRODWEB) != QLatin1String("S") && codeIn(s.row.IDBAIXAAF, {"", "7"});
    case AfTab::FormaPgto:
        return s.focus == Focus::TermsGrid && t.notExpired && t.open && t.outboundOk && t.notConsolidated;
    default: return false;
    }
}

// On "Produtos" with an item or product grid focused the deletion follows the items' own rule.
// It reads the focus only: the product grid deletes item products, and a
// recomputation from that grid comes with the product grid's data source, so
// a condition on the triggering source would leave the rule unreachable.
bool excluirItem(const ToolSnapshot& s, const ToolTerms& t) {
    return t.writer && t.mayChange && s.focus != Focus::ItemGrid && t.browse && t.notEmpty && rowToActOn(s) &&
           code(s.IDBAIXITMAF).isEmpty() && !codeIn(s.row.IDBAIXAAF, {"4", "5"}) && t.outboundOk &&
           t.notConsolidated && t.notSeparated;
}

// The quantity box of "Entrega / Baixa Manual" (dbeQTEFETENTRAF) is the
// manual-receipt and the received quantity alike.
bool receiptQuantityFocused(const ToolSnapshot& s) {
    return s.focus == Focus::ManualReceiptQty || s.focus == Focus::ReceivedQty;
}

bool searchableTab(const ToolSnapshot& s) {
    switch (s.tab) {
    case AfTab::Produtos: return focusInItemOrProductGrid(s);
    case AfTab::Mensagem: return !s.view(Source::Messages).empty;
    case AfTab::AF: return true;
    case AfTab::Encargo: return s.focus != Focus::ChargeDateGrid;
    case AfTab::FormaPgto: return s.focus == Focus::TermsGrid;
    default: return false;
    }
}

bool consistirBase(const ToolSnapshot& s, const ToolTerms& t) {
    return !t.edited && t.notEmpty && itemProductsUsable(s) && editableAF(t) && t.writer && t.mayChange;
}

}  // namespace

bool incluirEnabled(const ToolSnapshot& s) {
    if (receiptQuantityFocused(s)) return false;
    const ToolTerms t = buildTerms(s);
    const bool tabAllows = t.mayChange || s.tab == AfTab::AF || (s.tab == AfTab::FilialDest && t.confirmed);
    return t.writer && t.browse && tabAllows && incluirByTab(s, t);
}

bool alterarEnabled(const ToolSnapshot& s) {
    const ToolTerms t = buildTerms(s);
    return t.writer && t.mayChange && t.autoOk && t.browse && t.notEmpty && rowToActOn(s) && alterarByTab(s, t);
}

bool excluirEnabled(const ToolSnapshot& s) {
    if (receiptQuantityFocused(s)) return false;
    const ToolTerms t = buildTerms(s);
    if (s.tab == AfTab::Produtos && focusInItemOrProductGrid(s)) return excluirItem(s, t);
    return t.writer && t.mayChange && t.autoOk && s.focus != Focus::ItemGrid && t.browse && t.notEmpty &&
           rowToActOn(s) && s.permissions.EXAF && t.notSeparated && excluirByTab(s, t);
}

bool procurarEnabled(const ToolSnapshot& s) {
    if (s.tab == AfTab::FilialDest) return !s.view(Source::Branches).empty;
    return isBrowse(s) && isNotEmpty(s) && searchableTab(s);
}

bool verificarEnabled(const ToolSnapshot& s) {
    if (s.tab == AfTab::DadosAF) return isBrowse(s) && isNotEmpty(s);
    return procurarEnabled(s);
}

// One rule for the button wherever it is recomputed (the tools and the items'
// state change): every condition either of them names must hold, so that no
// path enables a receipt the other refuses.
bool baixarEnabled(const ToolSnapshot& s) {
    const DatasetView& items = s.view(Source::Items);
    return !codeIn(s.IDBAIXITMAF, {"2", "3"}) && !codeIn(s.row.IDBAIXAAF, {"4", "5"}) && isOutboundOk(s.row) &&
           isNotConsolidated(s.row) && items.browsing() && !items.empty && !s.closeAFChanged &&
           code(s.row.IDAFOPERLOG) != QLatin1String("1") && isNotExpired(s.row) && isNotSeparated(s.row);
}

bool encargoTabEnabled(const ToolSnapshot& s) { return !s.list().empty && itemProductsUsable(s); }

ToolStates Habilita_Ferramentas(const ToolSnapshot& s) {
    const ToolTerms t = buildTerms(s);
    ToolStates r;
    // The AF stays in its edit until it is confirmed or cancelled, whichever
    // tab's table is shown: the list row follows the header's edit.
    r.Confirmar = r.Cancelar = s.list().editing() || t.edited;
    r.Incluir = incluirEnabled(s);
    r.Alterar = alterarEnabled(s);
    r.Excluir = excluirEnabled(s);
    r.Procurar = procurarEnabled(s);
    r.Verificar = verificarEnabled(s);

    r.sbtFiltro = s.tab == AfTab::FilialDest || (s.tab == AfTab::AF && !t.edited);
    r.sbtB_Total = t.writer && itemsSettleable(s) && notInconsistent(s) && t.notExpired && editableAF(t) &&
                   itemProductsUsable(s) && t.browse && t.notEmpty;
    r.sbtB_TotalSaid = t.writer && itemsSettleable(s) && notInconsistent(s) &&
                       code(s.row.IDAFOPERLOG) == QLatin1String("2") && s.logisticBranch &&
                       !codeIn(s.row.IDBAIXAFSAI, {"2", "3", "4", "5"}) && codeIn(s.row.IDBAIXAAF, {"", "1", "7"}) &&
                       itemProductsUsable(s) && t.browse && t.notEmpty && t.notSeparated;
    r.mnuRetAFExp = !t.notExpired && t.browse;
    r.sbtCancelaAF = t.browse && codeIn(s.row.IDBAIXAAF, {"", "7"}) && t.writer && t.notEmpty &&
                     s.permissions.CAAF && t.notExpired && t.notSeparated;
    r.sbtEncerrarAF = t.browse && codeIn(s.row.IDBAIXAAF, {"", "1", "7"}) && t.writer && t.notEmpty &&
                      s.permissions.ENAF && t.notExpired && t.notSeparated;
    r.mnuReAFAberto = t.browse && t.writer && t.notEmpty && !codeIn(s.row.IDBAIXAAF, {"", "7", "2"}) &&
                      t.outboundOk && t.notConsolidated && s.permissions.ABAF && t.notSeparated;
    r.sbtFechaAF = consistirBase(s, t);
    r.sbtConsistir = r.sbtFechaAF && code(s.row.CDGERENTE).isEmpty();
    r.sbtEnviaAFEmail = t.browse && code(s.row.IDBAIXAAF) != QLatin1String("5") && t.notEmpty;
    r.sbtImpSoliCmp = t.browse && !s.closeAFChanged;
    r.mnuImpSoliCompras = t.notEmpty;
    r.sbtMudAutProd = s.tab != AfTab::FilialDest && t.notEmpty;
    // Moving to another row would leave an AF being edited behind.
    r.navigator = s.list().browsing() && t.browse;
    r.sbtAtualizaMercadum = r.colIDSITUENVAFMCD = s.tab == AfTab::AF && s.marketplace;
    r.btnBaixar = baixarEnabled(s);

    r.tabEntregaBaixa = !s.view(Source::ItemProducts).editing() && !s.view(Source::Items).editing();
    r.tabEncargo = encargoTabEnabled(s);
    r.mnuEncargo = r.tabEncargo;
    r.navigatorTarget = s.tab == AfTab::Produtos ? NavigatorTarget::Standard : NavigatorTarget::List;
    r.itemMigradaVisible = s.tab != AfTab::FilialDest;
    return r;
}

}  // namespace afdesk
