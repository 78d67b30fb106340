#include "afdesk/core/tools/state_changes.h"

#include "afdesk/core/tools/tool_terms.h"

namespace afdesk {

namespace {

bool encargoRule(const ToolSnapshot& s) {
    return !s.list().empty && !s.view(Source::ItemProducts).openAndEmpty();
}

// The tabs reachable with an AF selected; "AF" and "Filial Destino" are left to the caller.
TabEnabling afTabs(const ToolSnapshot& s) {
    const bool hasAF = !s.list().empty;
    TabEnabling e;
    for (AfTab tab : {AfTab::Produtos, AfTab::Mensagem, AfTab::FormaPgto, AfTab::DadosAF, AfTab::Justificativa})
        e[tab] = hasAF;
    e.imposto = e.observacao = hasAF;
    e[AfTab::Encargo] = encargoRule(s);
    return e;
}

std::optional<TabEnabling> tabsFor(const ToolSnapshot& s) {
    const DatasetView& list = s.list();
    const bool branches = !s.view(Source::Branches).empty;
    TabEnabling e = afTabs(s);
    switch (s.tab) {
    case AfTab::AF:
    case AfTab::DadosAF:
    case AfTab::Produtos:
    case AfTab::Mensagem:
    case AfTab::Encargo:
    case AfTab::FilialDest:
        e[AfTab::AF] = e[AfTab::FilialDest] = !list.editing() && branches;
        return e;
    case AfTab::FormaPgto:
        e[AfTab::AF] = !list.empty && !list.editing();
        e[AfTab::FilialDest] = !list.editing();
        e[AfTab::Justificativa] = encargoRule(s);
        return e;
    case AfTab::Justificativa: return std::nullopt;
    }
    return std::nullopt;
}

FormaPgtoFocus formaPgtoFocus(const ToolSnapshot& s) {
    if (s.tab != AfTab::FormaPgto || s.focus != Focus::None) return FormaPgtoFocus::None;
    if (s.formaPgtoCodeEnabled) return FormaPgtoFocus::CodigoForma;
    if (s.diaFixoEnabled && !s.parcelasFocused) return FormaPgtoFocus::DiaFixo;
    return FormaPgtoFocus::RadioGroup;
}

}  // namespace

ToolStates filialDestTools(const ToolSnapshot& s, ToolStates r) {
    r.Incluir = isWriter(s) && isConfirmed(s);
    r.Excluir = r.Alterar = r.sbtConsistir = r.sbtB_Total = r.sbtB_TotalSaid = false;
    r.mnuRetAFExp = r.sbtCancelaAF = r.sbtEncerrarAF = r.sbtFechaAF = r.sbtEnviaAFEmail = false;
    r.sbtMudAutProd = r.mnuReAFAberto = false;
    r.sbtFiltro = true;
    r.Procurar = r.Verificar = !s.view(Source::Branches).empty;
    return r;
}

HeaderStateDecisions headerStateChange(const ToolSnapshot& s) {
    const DatasetView& header = s.view(Source::Header);
    const DatasetView& list = s.list();
    HeaderStateDecisions d;
    d.recomputeTools = s.tab == AfTab::AF || s.tab == AfTab::DadosAF ||
                       (s.tab == AfTab::FormaPgto && s.focus != Focus::TermsGrid);

    d.comprador = d.fornecedor = d.dataLancamento = header.inserting();
    d.filialDestino = header.inserting() && !s.branchMode;
    d.mudAutProd = !list.empty;

    const bool headerOpenCode = codeIn(s.headerIDBAIXAAF, {"", "7"});
    const bool expiredOnDados = s.tab == AfTab::DadosAF && !isNotExpired(s.row);
    d.destinatarioNF = (headerOpenCode || header.editing()) && isOutboundOk(s.row) && isNotSeparated(s.row) &&
                       !expiredOnDados;
    d.empresa = headerOpenCode && (s.emitente == Emitente::EmpresaInformada || s.emitente == Emitente::Nothing);

    d.tabs = tabsFor(s);
    d.jumpToAF = (s.tab == AfTab::AF || s.tab == AfTab::DadosAF) && list.empty;
    d.focusListGrid = d.jumpToAF && d.tabs && (*d.tabs)[AfTab::AF];
    d.formaPgtoFocus = formaPgtoFocus(s);
    if (s.tab == AfTab::FormaPgto && header.browsing())
        d.termsGridVisible = s.formaPgto == FormaPgtoKind::PelaForma && s.headerHasCDFORMPGTO;
    if (s.tab == AfTab::FilialDest) d.filialDestTools = filialDestTools(s, Habilita_Ferramentas(s));

    d.tabMenu = d.tabs;
    d.separatorsVisible = list.open() && !list.empty;
    return d;
}

ListStateDecisions listStateChange(const ToolSnapshot& s) {
    const bool free = !s.list().editing();
    return ListStateDecisions{free, free};
}

StandardStateDecisions standardStateChange(const ToolSnapshot& s) {
    const DatasetView& items = s.view(Source::Items);
    const bool produtos = s.tab == AfTab::Produtos;
    const bool productFocus = s.focus == Focus::ProductGrid;
    const bool open = isOpen(s.row), outboundOk = isOutboundOk(s.row);
    const bool notConsolidated = isNotConsolidated(s.row), writer = isWriter(s);
    StandardStateDecisions d;

    d.itemGridEditing = items.editing();
    // An AF whose outbound receipt is under way keeps the focus on the receipt entry.
    const bool awaitingOutbound = code(s.row.IDSITUATUAAF) != QLatin1String("1") &&
                                  code(s.row.IDAFFORALIM) != QLatin1String("S") && notConsolidated &&
                                  !code(s.row.IDBAIXAFSAI).isEmpty() && !outboundOk && open &&
                                  s.totalEntradasEnabled;
    d.focusItemGrid = items.browsing() && produtos && s.itemGridEnabled && s.entregaBaixaActive && !awaitingOutbound;
    if (!productFocus && items.browsing() && s.focus != Focus::ReceivedQty) d.totalEntradas = s.receivedQtyEnabled;

    d.recomputeTools = produtos;
    d.recomputeWith = productFocus ? Source::ItemProducts : Source::Items;

    d.cdMarcaButton = items.inserting() && open && notConsolidated && writer && outboundOk && isAutoOk(s);
    d.sendFontNotice = items.inserting() && !productFocus;

    const bool automaticSeparated = code(s.row.IDTIPOLANCAF) == QLatin1String("A") && !s.permissions.ALAF &&
                                    code(s.itemIDITMSEPARADO) == QLatin1String("S");
    d.cdSegMarcaButton = d.vrPreUniButton = code(s.IDBAIXITMAF).isEmpty() && open && notConsolidated && outboundOk &&
                                            writer && !automaticSeparated;

    if (!productFocus) {
        if (produtos) {
            d.imposto = !items.editing();
            d.encargo = !items.empty;
        }
        d.syncTabMenu = true;
    }
    if (produtos && s.focus != Focus::ReceivedQty) {
        d.observacao = !items.empty;
        d.activateImposto = items.empty;
    }

    d.btnBaixar = baixarEnabled(s);
    return d;
}

}  // namespace afdesk
