#include "afdesk/core/tools/state_changes.h"

#include "afdesk/core/tools/tool_test_snapshot.h"

#include <gtest/gtest.h>

namespace afdesk {
namespace {

using namespace afdesk::tooltest;

ToolSnapshot headerOn(AfTab tab, DatasetView header = browsed()) {
    ToolSnapshot s = onTab(openAF(), tab);
    s.source = Source::Header;
    s.view(Source::Header) = header;
    return s;
}

TEST(HeaderStateChange, EntryControlsOnlyWhileInserting) {
    struct Case {
        DatasetView header;
        bool branchMode;
        bool entry, filialDestino;
    } cases[] = {
        {insertedView(), false, true, true},
        {insertedView(), true, true, false},
        {editedView(), false, false, false},
        {browsed(), false, false, false},
        {closedView(), false, false, false},
    };
    for (const Case& c : cases) {
        ToolSnapshot s = headerOn(AfTab::DadosAF, c.header);
        s.branchMode = c.branchMode;
        const HeaderStateDecisions d = headerStateChange(s);
        EXPECT_EQ(d.comprador, c.entry) << int(c.header.state);
        EXPECT_EQ(d.fornecedor, c.entry) << int(c.header.state);
        EXPECT_EQ(d.dataLancamento, c.entry) << int(c.header.state);
        EXPECT_EQ(d.filialDestino, c.filialDestino) << int(c.header.state) << " branch mode " << c.branchMode;
    }
}

TEST(HeaderStateChange, MudancaAutomaticaFollowsTheList) {
    ToolSnapshot s = headerOn(AfTab::DadosAF);
    EXPECT_TRUE(headerStateChange(s).mudAutProd);
    s.view(Source::List) = browsed(true);
    EXPECT_FALSE(headerStateChange(s).mudAutProd);
}

TEST(HeaderStateChange, RecipientAndCompanyControls) {
    struct Case {
        const char* name;
        AfTab tab;
        DatasetView header;
        const char* headerBaixa;
        const char* baixaSaida;
        const char* separado;
        const char* expirada;
        Emitente emitente;
        bool destinatario, empresa;
    } cases[] = {
        {"open AF", AfTab::DadosAF, browsed(), "", "", "", "", Emitente::EmpresaInformada, true, true},
        {"EDI AF", AfTab::DadosAF, browsed(), "7", "", "", "", Emitente::Nothing, true, true},
        {"company of the branch", AfTab::DadosAF, browsed(), "", "", "", "", Emitente::EmpresaFilial, true, false},
        {"main customer", AfTab::DadosAF, browsed(), "", "", "", "", Emitente::ClientePrincipal, true, false},
        {"partial AF browsed", AfTab::DadosAF, browsed(), "1", "", "", "", Emitente::Nothing, false, false},
        {"partial AF edited", AfTab::DadosAF, editedView(), "1", "", "", "", Emitente::Nothing, true, false},
        {"outbound settled", AfTab::DadosAF, editedView(), "", "2", "", "", Emitente::Nothing, false, true},
        {"separated", AfTab::DadosAF, browsed(), "", "", "S", "", Emitente::Nothing, false, true},
        {"expired on the header tab", AfTab::DadosAF, browsed(), "", "", "", "S", Emitente::Nothing, false, true},
        {"expired on the list tab", AfTab::AF, browsed(), "", "", "", "S", Emitente::Nothing, true, true},
    };
    for (const Case& c : cases) {
        ToolSnapshot s = headerOn(c.tab, c.header);
        s.headerIDBAIXAAF = c.headerBaixa;
        s.row.IDBAIXAFSAI = c.baixaSaida;
        s.row.IDITMSEPARADO = c.separado;
        s.row.IDAFEXPIRADA = c.expirada;
        s.emitente = c.emitente;
        const HeaderStateDecisions d = headerStateChange(s);
        EXPECT_EQ(d.destinatarioNF, c.destinatario) << c.name;
        EXPECT_EQ(d.empresa, c.empresa) << c.name;
    }
}

TEST(HeaderStateChange, TabsOnTheListAndHeaderTabs) {
    ToolSnapshot s = headerOn(AfTab::AF);
    HeaderStateDecisions d = headerStateChange(s);
    ASSERT_TRUE(d.tabs);
    for (AfTab tab : kAllTabs) EXPECT_TRUE((*d.tabs)[tab]) << tabName(tab);
    EXPECT_TRUE(d.tabs->imposto && d.tabs->observacao);
    EXPECT_FALSE(d.jumpToAF);
    EXPECT_EQ(d.tabMenu, d.tabs);
    EXPECT_TRUE(d.separatorsVisible);
    EXPECT_TRUE(d.recomputeTools);

    // Editing the AF locks the way to another AF.
    s.view(Source::List) = editedView();
    d = headerStateChange(s);
    EXPECT_FALSE((*d.tabs)[AfTab::AF]);
    EXPECT_FALSE((*d.tabs)[AfTab::FilialDest]);
    EXPECT_TRUE((*d.tabs)[AfTab::Produtos]);

    // Item products opened without rows keep "Encargo" closed.
    s = headerOn(AfTab::DadosAF);
    s.view(Source::ItemProducts) = browsed(true);
    d = headerStateChange(s);
    EXPECT_FALSE((*d.tabs)[AfTab::Encargo]);
    EXPECT_TRUE((*d.tabs)[AfTab::Justificativa]);

    // No branches: neither "AF" nor "Filial Destino".
    s = headerOn(AfTab::DadosAF);
    s.view(Source::Branches) = browsed(true);
    d = headerStateChange(s);
    EXPECT_FALSE((*d.tabs)[AfTab::AF]);
    EXPECT_FALSE((*d.tabs)[AfTab::FilialDest]);
}

TEST(HeaderStateChange, AnEmptyListJumpsToTheListTab) {
    struct Case {
        AfTab tab;
        bool branches;
        bool jump, focusGrid;
    } cases[] = {
        {AfTab::AF, true, true, true},          {AfTab::DadosAF, true, true, true},
        {AfTab::DadosAF, false, true, false},   {AfTab::Produtos, true, false, false},
        {AfTab::Mensagem, true, false, false},  {AfTab::FilialDest, true, false, false},
    };
    for (const Case& c : cases) {
        ToolSnapshot s = headerOn(c.tab);
        s.view(Source::List) = browsed(true);
        s.view(Source::Branches) = browsed(!c.branches);
        const HeaderStateDecisions d = headerStateChange(s);
        EXPECT_EQ(d.jumpToAF, c.jump) << tabName(c.tab);
        EXPECT_EQ(d.focusListGrid, c.focusGrid) << tabName(c.tab);
        ASSERT_TRUE(d.tabs);
        for (AfTab t : {AfTab::Produtos, AfTab::Mensagem, AfTab::FormaPgto, AfTab::DadosAF, AfTab::Justificativa,
                        AfTab::Encargo})
            EXPECT_FALSE((*d.tabs)[t]) << tabName(c.tab) << " -> " << tabName(t);
        EXPECT_FALSE(d.separatorsVisible);
    }
}

TEST(HeaderStateChange, PaymentFormTabHasItsOwnTabRules) {
    ToolSnapshot s = headerOn(AfTab::FormaPgto);
    s.view(Source::Branches) = browsed(true);  // ignored there
    s.view(Source::ItemProducts) = browsed(true);
    HeaderStateDecisions d = headerStateChange(s);
    ASSERT_TRUE(d.tabs);
    EXPECT_TRUE((*d.tabs)[AfTab::AF]);
    EXPECT_TRUE((*d.tabs)[AfTab::FilialDest]);
    EXPECT_FALSE((*d.tabs)[AfTab::Justificativa]) << "follows the Encargo rule";
    EXPECT_FALSE((*d.tabs)[AfTab::Encargo]);

    s.view(Source::List) = browsed(true);
    d = headerStateChange(s);
    EXPECT_FALSE((*d.tabs)[AfTab::AF]);
    EXPECT_TRUE((*d.tabs)[AfTab::FilialDest]);
    EXPECT_FALSE(d.jumpToAF);

    s.view(Source::List) = editedView();
    d = headerStateChange(s);
    EXPECT_FALSE((*d.tabs)[AfTab::AF]);
    EXPECT_FALSE((*d.tabs)[AfTab::FilialDest]);
}

TEST(HeaderStateChange, PaymentFormFocusAndTermsGrid) {
    struct Case {
        Focus focus;
        bool codeEnabled, dayEnabled, parcelasFocused;
        FormaPgtoFocus expected;
    } cases[] = {
        {Focus::None, true, true, false, FormaPgtoFocus::CodigoForma},
        {Focus::None, false, true, false, FormaPgtoFocus::DiaFixo},
        {Focus::None, false, true, true, FormaPgtoFocus::RadioGroup},
        {Focus::None, false, false, false, FormaPgtoFocus::RadioGroup},
        {Focus::Other, true, true, false, FormaPgtoFocus::None},
    };
    for (const Case& c : cases) {
        ToolSnapshot s = headerOn(AfTab::FormaPgto);
        s.focus = c.focus;
        s.formaPgtoCodeEnabled = c.codeEnabled;
        s.diaFixoEnabled = c.dayEnabled;
        s.parcelasFocused = c.parcelasFocused;
        EXPECT_EQ(headerStateChange(s).formaPgtoFocus, c.expected)
            << int(c.focus) << c.codeEnabled << c.dayEnabled << c.parcelasFocused;
    }
    ToolSnapshot other = headerOn(AfTab::DadosAF);
    other.focus = Focus::None;
    EXPECT_EQ(headerStateChange(other).formaPgtoFocus, FormaPgtoFocus::None);

    struct Grid {
        DatasetView header;
        FormaPgtoKind kind;
        bool cdFormPgto;
        std::optional<bool> visible;
    } grids[] = {
        {browsed(), FormaPgtoKind::PelaForma, true, true},
        {browsed(), FormaPgtoKind::PelaForma, false, false},
        {browsed(), FormaPgtoKind::DiaFixo, true, false},
        {editedView(), FormaPgtoKind::PelaForma, true, std::nullopt},
    };
    for (const Grid& g : grids) {
        ToolSnapshot s = headerOn(AfTab::FormaPgto, g.header);
        s.formaPgto = g.kind;
        s.headerHasCDFORMPGTO = g.cdFormPgto;
        EXPECT_EQ(headerStateChange(s).termsGridVisible, g.visible) << int(g.kind) << g.cdFormPgto;
    }
}

TEST(HeaderStateChange, RecomputationByTab) {
    struct Case {
        AfTab tab;
        Focus focus;
        bool expected;
    } cases[] = {
        {AfTab::AF, Focus::Other, true},         {AfTab::DadosAF, Focus::Other, true},
        {AfTab::FormaPgto, Focus::Other, true},  {AfTab::FormaPgto, Focus::TermsGrid, false},
        {AfTab::Produtos, Focus::ItemGrid, false}, {AfTab::FilialDest, Focus::Other, false},
    };
    for (const Case& c : cases) {
        ToolSnapshot s = headerOn(c.tab);
        s.focus = c.focus;
        EXPECT_EQ(headerStateChange(s).recomputeTools, c.expected) << tabName(c.tab);
    }
}

TEST(HeaderStateChange, BranchTabSetsItsToolsDirectly) {
    ToolSnapshot s = headerOn(AfTab::FilialDest);
    s.row.IDBAIXAAF = "3";
    s.row.IDAFEXPIRADA = "S";
    HeaderStateDecisions d = headerStateChange(s);
    ASSERT_TRUE(d.filialDestTools);
    const ToolStates& t = *d.filialDestTools;
    EXPECT_TRUE(t.Incluir);
    for (bool off : {t.Excluir, t.Alterar, t.sbtConsistir, t.sbtB_Total, t.sbtB_TotalSaid, t.mnuRetAFExp, t.sbtCancelaAF,
                     t.sbtEncerrarAF, t.sbtFechaAF, t.sbtEnviaAFEmail, t.sbtMudAutProd, t.mnuReAFAberto})
        EXPECT_FALSE(off);
    EXPECT_TRUE(t.sbtFiltro);
    EXPECT_TRUE(t.Procurar);
    EXPECT_TRUE(t.Verificar);
    EXPECT_TRUE(t.sbtImpSoliCmp) << "import items as recomputed";
    EXPECT_EQ(t.mnuImpSoliCompras, Habilita_Ferramentas(s).mnuImpSoliCompras);

    s.readOnlyGroup = true;
    EXPECT_FALSE(headerStateChange(s).filialDestTools->Incluir);
    s.readOnlyGroup = false;
    s.confirmed = false;
    EXPECT_FALSE(headerStateChange(s).filialDestTools->Incluir);
    s.view(Source::Branches) = browsed(true);
    d = headerStateChange(s);
    EXPECT_FALSE(d.filialDestTools->Procurar);
    EXPECT_FALSE(d.filialDestTools->Verificar);
    EXPECT_FALSE((*d.tabs)[AfTab::FilialDest]);

    EXPECT_FALSE(headerStateChange(headerOn(AfTab::AF)).filialDestTools.has_value());
}

TEST(HeaderStateChange, JustificationTabLeavesTheTabsAlone) {
    const HeaderStateDecisions d = headerStateChange(headerOn(AfTab::Justificativa));
    EXPECT_FALSE(d.tabs.has_value());
    EXPECT_FALSE(d.tabMenu.has_value());
    EXPECT_TRUE(d.separatorsVisible);
}

TEST(ListStateChange, ListTabsOnlyWhileNotEdited) {
    struct Case {
        DatasetView list;
        bool expected;
    } cases[] = {{browsed(), true}, {browsed(true), true}, {closedView(), true}, {editedView(), false},
                 {insertedView(), false}};
    for (const Case& c : cases) {
        ToolSnapshot s = openAF();
        s.view(Source::List) = c.list;
        const ListStateDecisions d = listStateChange(s);
        EXPECT_EQ(d.tabAF, c.expected) << int(c.list.state);
        EXPECT_EQ(d.tabFilialDest, c.expected) << int(c.list.state);
    }
}

ToolSnapshot itemsOn(DatasetView items, Focus focus = Focus::ItemGrid) {
    ToolSnapshot s = onTab(openAF(), AfTab::Produtos);
    s.view(Source::Items) = items;
    s.focus = focus;
    return s;
}

TEST(StandardStateChange, BrandLookupOnlyWhileInsertingAnItemOfAnEditableAF) {
    struct Case {
        const char* name;
        DatasetView items;
        void (*setup)(ToolSnapshot&);
        bool expected;
    } cases[] = {
        {"inserting", insertedView(), [](ToolSnapshot&) {}, true},
        {"editing", editedView(), [](ToolSnapshot&) {}, false},
        {"browsing", browsed(), [](ToolSnapshot&) {}, false},
        {"settled AF", insertedView(), [](ToolSnapshot& s) { s.row.IDBAIXAAF = "2"; }, false},
        {"consolidated", insertedView(), [](ToolSnapshot& s) { s.row.CDFILDESTCON = "01"; }, false},
        {"read-only", insertedView(), [](ToolSnapshot& s) { s.readOnlyGroup = true; }, false},
        {"outbound settled", insertedView(), [](ToolSnapshot& s) { s.row.IDBAIXAFSAI = "4"; }, false},
        {"automatic without ALAF", insertedView(),
         [](ToolSnapshot& s) { s.row.IDTIPOLANCAF = "A"; s.permissions.ALAF = false; }, false},
        {"automatic with ALAF", insertedView(), [](ToolSnapshot& s) { s.row.IDTIPOLANCAF = "A"; }, true},
    };
    for (const Case& c : cases) {
        ToolSnapshot s = itemsOn(c.items);
        c.setup(s);
        EXPECT_EQ(standardStateChange(s).cdMarcaButton, c.expected) << c.name;
    }
    EXPECT_TRUE(standardStateChange(itemsOn(insertedView())).sendFontNotice);
    EXPECT_FALSE(standardStateChange(itemsOn(insertedView(), Focus::ProductGrid)).sendFontNotice);
    EXPECT_FALSE(standardStateChange(itemsOn(editedView())).sendFontNotice);
}

TEST(StandardStateChange, SecondBrandAndPriceLookups) {
    struct Case {
        const char* name;
        void (*setup)(ToolSnapshot&);
        bool expected;
    } cases[] = {
        {"open item", [](ToolSnapshot&) {}, true},
        {"item with receipts", [](ToolSnapshot& s) { s.IDBAIXITMAF = "1"; }, false},
        {"ended AF", [](ToolSnapshot& s) { s.row.IDBAIXAAF = "4"; }, false},
        {"consolidated", [](ToolSnapshot& s) { s.row.CDFILDESTCON = "0001"; }, false},
        {"outbound settled", [](ToolSnapshot& s) { s.row.IDBAIXAFSAI = "2"; }, false},
        {"read-only", [](ToolSnapshot& s) { s.readOnlyGroup = true; }, false},
        {"automatic, separated item, no ALAF",
         [](ToolSnapshot& s) { s.row.IDTIPOLANCAF = "A"; s.permissions.ALAF = false; s.itemIDITMSEPARADO = "S"; }, false},
        {"automatic, item not separated, no ALAF",
         [](ToolSnapshot& s) { s.row.IDTIPOLANCAF = "A"; s.permissions.ALAF = false; }, true},
        {"automatic, separated item, ALAF", [](ToolSnapshot& s) { s.row.IDTIPOLANCAF = "A"; s.itemIDITMSEPARADO = "S"; },
         true},
        {"manual, separated item, no ALAF", [](ToolSnapshot& s) { s.permissions.ALAF = false; s.itemIDITMSEPARADO = "S"; },
         true},
    };
    for (const Case& c : cases) {
        ToolSnapshot s = itemsOn(browsed());
        c.setup(s);
        const StandardStateDecisions d = standardStateChange(s);
        EXPECT_EQ(d.cdSegMarcaButton, c.expected) << c.name;
        EXPECT_EQ(d.vrPreUniButton, c.expected) << c.name;
    }
}

TEST(StandardStateChange, InnerTabsAndMenus) {
    StandardStateDecisions d = standardStateChange(itemsOn(browsed()));
    EXPECT_EQ(d.imposto, true);
    EXPECT_EQ(d.encargo, true);
    EXPECT_TRUE(d.syncTabMenu);
    EXPECT_EQ(d.observacao, true);
    EXPECT_FALSE(d.activateImposto);
    EXPECT_TRUE(d.recomputeTools);
    EXPECT_EQ(d.recomputeWith, Source::Items);

    d = standardStateChange(itemsOn(editedView()));
    EXPECT_EQ(d.imposto, false);
    EXPECT_TRUE(d.itemGridEditing);

    d = standardStateChange(itemsOn(browsed(true)));
    EXPECT_EQ(d.encargo, false);
    EXPECT_EQ(d.observacao, false);
    EXPECT_TRUE(d.activateImposto);

    // The product grid keeps the inner tabs as they are and drives the recomputation.
    d = standardStateChange(itemsOn(browsed(true), Focus::ProductGrid));
    EXPECT_EQ(d.imposto, std::nullopt);
    EXPECT_EQ(d.encargo, std::nullopt);
    EXPECT_FALSE(d.syncTabMenu);
    EXPECT_EQ(d.observacao, false);
    EXPECT_EQ(d.recomputeWith, Source::ItemProducts);

    // Typing a received quantity does not move the inner tab.
    d = standardStateChange(itemsOn(browsed(true), Focus::ReceivedQty));
    EXPECT_EQ(d.observacao, std::nullopt);
    EXPECT_FALSE(d.activateImposto);

    // Off "Produtos" only the menus follow their tabs.
    ToolSnapshot s = itemsOn(browsed(true), Focus::Other);
    s.tab = AfTab::AF;
    d = standardStateChange(s);
    EXPECT_EQ(d.imposto, std::nullopt);
    EXPECT_EQ(d.observacao, std::nullopt);
    EXPECT_TRUE(d.syncTabMenu);
    EXPECT_FALSE(d.recomputeTools);
}

TEST(StandardStateChange, ManualReceiptButton) {
    struct Case {
        const char* name;
        DatasetView items;
        void (*setup)(ToolSnapshot&);
        bool expected;
    } cases[] = {
        {"open item", browsed(), [](ToolSnapshot&) {}, true},
        {"item partial", browsed(), [](ToolSnapshot& s) { s.IDBAIXITMAF = "1"; }, true},
        {"item settled", browsed(), [](ToolSnapshot& s) { s.IDBAIXITMAF = "2"; }, false},
        {"item settled by hand", browsed(), [](ToolSnapshot& s) { s.IDBAIXITMAF = "3"; }, false},
        {"AF ended", browsed(), [](ToolSnapshot& s) { s.row.IDBAIXAAF = "4"; }, false},
        {"AF cancelled", browsed(), [](ToolSnapshot& s) { s.row.IDBAIXAAF = "5"; }, false},
        {"consolidated", browsed(), [](ToolSnapshot& s) { s.row.CDFILDESTCON = "0002"; }, false},
        {"items edited", editedView(), [](ToolSnapshot&) {}, false},
        {"items closed", closedView(), [](ToolSnapshot&) {}, false},
        {"items empty", browsed(true), [](ToolSnapshot&) {}, false},
        {"outbound settled", browsed(), [](ToolSnapshot& s) { s.row.IDBAIXAFSAI = "2"; }, false},
        {"changed since closed", browsed(), [](ToolSnapshot& s) { s.closeAFChanged = true; }, false},
        {"separated", browsed(), [](ToolSnapshot& s) { s.row.IDITMSEPARADO = "S"; }, false},
        // The same rule as the tools' recomputation: a consolidating or expired AF takes no receipt either.
        {"consolidating AF", browsed(), [](ToolSnapshot& s) { s.row.IDAFOPERLOG = "1"; }, false},
        {"expired", browsed(), [](ToolSnapshot& s) { s.row.IDAFEXPIRADA = "S"; }, false},
    };
    for (const Case& c : cases) {
        ToolSnapshot s = itemsOn(c.items);
        c.setup(s);
        EXPECT_EQ(standardStateChange(s).btnBaixar, Habilita_Ferramentas(s).btnBaixar) << c.name;
    }
    for (const Case& c : cases) {
        ToolSnapshot s = itemsOn(c.items);
        c.setup(s);
        EXPECT_EQ(standardStateChange(s).btnBaixar, c.expected) << c.name;
    }
}

TEST(StandardStateChange, FocusAndTotalEntradas) {
    ToolSnapshot s = itemsOn(browsed());
    s.itemGridEnabled = true;
    s.entregaBaixaActive = true;
    EXPECT_TRUE(standardStateChange(s).focusItemGrid);

    // An AF whose outbound receipt is under way keeps the focus while "Total Entradas" is enabled.
    s.row.IDBAIXAFSAI = "2";
    s.totalEntradasEnabled = true;
    EXPECT_FALSE(standardStateChange(s).focusItemGrid);
    s.totalEntradasEnabled = false;
    EXPECT_TRUE(standardStateChange(s).focusItemGrid);
    s.totalEntradasEnabled = true;
    s.row.IDSITUATUAAF = "1";
    EXPECT_TRUE(standardStateChange(s).focusItemGrid) << "an inconsistent AF is not held";

    s = itemsOn(browsed());
    s.itemGridEnabled = true;
    s.entregaBaixaActive = false;
    EXPECT_FALSE(standardStateChange(s).focusItemGrid);

    s = itemsOn(browsed(), Focus::Other);
    s.receivedQtyEnabled = true;
    EXPECT_EQ(standardStateChange(s).totalEntradas, true);
    s.receivedQtyEnabled = false;
    EXPECT_EQ(standardStateChange(s).totalEntradas, false);
    s.focus = Focus::ReceivedQty;
    EXPECT_EQ(standardStateChange(s).totalEntradas, std::nullopt);
    s.focus = Focus::ProductGrid;
    EXPECT_EQ(standardStateChange(s).totalEntradas, std::nullopt);
    s = itemsOn(editedView(), Focus::Other);
    EXPECT_EQ(standardStateChange(s).totalEntradas, std::nullopt);
}

}  // namespace
}  // namespace afdesk
