#include "afdesk/core/tools/habilita_ferramentas.h"

#include "afdesk/core/tools/tool_test_snapshot.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace afdesk {
namespace {

using namespace afdesk::tooltest;
using Tool = bool ToolStates::*;

struct NamedTool {
    const char* name;
    Tool tool;
};

const NamedTool kIncluir{"Incluir", &ToolStates::Incluir};
const NamedTool kAlterar{"Alterar", &ToolStates::Alterar};
const NamedTool kExcluir{"Excluir", &ToolStates::Excluir};
const NamedTool kProcurar{"Procurar", &ToolStates::Procurar};
const NamedTool kVerificar{"Verificar", &ToolStates::Verificar};
const NamedTool kConfirmar{"Confirmar", &ToolStates::Confirmar};
const NamedTool kCancelar{"Cancelar", &ToolStates::Cancelar};
const NamedTool kFiltrar{"Filtrar", &ToolStates::sbtFiltro};
const NamedTool kFechaAF{"Fechar AF", &ToolStates::sbtFechaAF};
const NamedTool kConsistir{"Consistir", &ToolStates::sbtConsistir};
const NamedTool kBTotal{"Baixar Totalmente", &ToolStates::sbtB_Total};
const NamedTool kBTotalSaid{"Baixar Totalmente (Saída)", &ToolStates::sbtB_TotalSaid};
const NamedTool kRetAFExp{"mnuRetAFExp", &ToolStates::mnuRetAFExp};
const NamedTool kCancelaAF{"Cancelar AF", &ToolStates::sbtCancelaAF};
const NamedTool kEncerrarAF{"Encerrar AF", &ToolStates::sbtEncerrarAF};
const NamedTool kReAFAberto{"mnuReAFAberto", &ToolStates::mnuReAFAberto};
const NamedTool kEmail{"Enviar AF via e-mail", &ToolStates::sbtEnviaAFEmail};
const NamedTool kImpSoli{"Importar Solicitação de Compra", &ToolStates::sbtImpSoliCmp};
const NamedTool kImpSoliSub{"Importar Solicitação de Compras", &ToolStates::mnuImpSoliCompras};
const NamedTool kMudAut{"Mudança Automática de Produto", &ToolStates::sbtMudAutProd};
const NamedTool kNavigator{"navigator", &ToolStates::navigator};
const NamedTool kMercadum{"Atualiza c/ Mercadum", &ToolStates::sbtAtualizaMercadum};
const NamedTool kBaixar{"Baixar", &ToolStates::btnBaixar};

// Tools that change an AF; none of them may be offered to a read-only operator.
const NamedTool kEditingTools[] = {kIncluir,  kAlterar,   kExcluir,   kFechaAF,    kConsistir,
                                   kBTotal,   kBTotalSaid, kCancelaAF, kEncerrarAF, kReAFAberto};

struct Expect {
    NamedTool tool;
    bool enabled;
};

struct Row {
    const char* name;
    std::function<void(ToolSnapshot&)> setup;
    std::vector<Expect> expected;
};

void checkRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        ToolSnapshot s = openAF();
        row.setup(s);
        const ToolStates states = Habilita_Ferramentas(s);
        for (const Expect& e : row.expected)
            EXPECT_EQ(states.*(e.tool.tool), e.enabled) << row.name << ": " << e.tool.name;
    }
}

TEST(HabilitaFerramentas, OpenManualAFOnTheListTab) {
    const ToolStates r = Habilita_Ferramentas(openAF());
    for (const NamedTool& t : {kIncluir, kAlterar, kExcluir, kProcurar, kVerificar, kFiltrar, kFechaAF, kConsistir,
                               kBTotal, kCancelaAF, kEncerrarAF, kEmail, kImpSoli, kImpSoliSub, kMudAut, kNavigator,
                               kBaixar})
        EXPECT_TRUE(r.*(t.tool)) << t.name;
    for (const NamedTool& t : {kConfirmar, kCancelar, kBTotalSaid, kRetAFExp, kReAFAberto, kMercadum})
        EXPECT_FALSE(r.*(t.tool)) << t.name;
}

TEST(HabilitaFerramentas, ReceiptSituationsOnTheListTab) {
    struct Case {
        const char* baixa;
        bool alterar, excluir, cancela, encerra, reabre, baixaTotal, email, consistir, baixar;
    } cases[] = {
        // baixa  Alt    Exc    Canc   Enc    ReAb   BTot   Mail   Cons   Baixar
        {"",  true,  true,  true,  true,  false, true,  true,  true,  true},
        {"1", true,  false, false, true,  true,  true,  true,  true,  true},
        {"2", false, false, false, false, false, false, true,  false, true},
        {"3", false, false, false, false, true,  false, true,  false, true},
        {"4", false, false, false, false, true,  false, true,  false, false},
        {"5", false, false, false, false, true,  false, false, false, false},
        {"7", true,  true,  true,  true,  false, true,  true,  true,  true},
    };
    for (const Case& c : cases) {
        ToolSnapshot s = openAF();
        s.row.IDBAIXAAF = c.baixa;
        const ToolStates r = Habilita_Ferramentas(s);
        const std::pair<NamedTool, bool> expected[] = {
            {kAlterar, c.alterar}, {kExcluir, c.excluir}, {kCancelaAF, c.cancela}, {kEncerrarAF, c.encerra},
            {kReAFAberto, c.reabre}, {kBTotal, c.baixaTotal}, {kEmail, c.email}, {kConsistir, c.consistir},
            {kFechaAF, c.consistir}, {kBaixar, c.baixar}, {kIncluir, true}, {kProcurar, true}};
        for (const auto& [tool, enabled] : expected)
            EXPECT_EQ(r.*(tool.tool), enabled) << "IDBAIXAAF \"" << c.baixa << "\": " << tool.name;
    }
}

TEST(HabilitaFerramentas, ReadOnlyOperatorSeesNoEditingToolOnAnyTab) {
    for (AfTab tab : kAllTabs) {
        for (Focus focus : {Focus::Other, Focus::ItemGrid, Focus::ProductGrid, Focus::TermsGrid}) {
            ToolSnapshot s = onTab(openAF(), tab);
            s.focus = focus;
            if (focus == Focus::ProductGrid) s.source = Source::Items;  // the friendliest source for Excluir
            s.readOnlyGroup = true;
            const ToolStates r = Habilita_Ferramentas(s);
            for (const NamedTool& t : kEditingTools)
                EXPECT_FALSE(r.*(t.tool)) << tabName(tab) << " focus " << int(focus) << ": " << t.name;
        }
    }
    // The same operator with write access gets them back.
    const ToolStates writer = Habilita_Ferramentas(openAF());
    EXPECT_TRUE(writer.Incluir && writer.Alterar && writer.Excluir && writer.sbtCancelaAF);
}

TEST(HabilitaFerramentas, ExpiredAFCannotBeChangedButCanBeReturned) {
    for (AfTab tab : {AfTab::AF, AfTab::DadosAF, AfTab::Produtos, AfTab::Mensagem, AfTab::FormaPgto, AfTab::Encargo}) {
        ToolSnapshot s = onTab(openAF(), tab);
        ASSERT_TRUE(Habilita_Ferramentas(s).Alterar) << tabName(tab);
        s.row.IDAFEXPIRADA = "S";
        const ToolStates r = Habilita_Ferramentas(s);
        EXPECT_FALSE(r.Alterar) << tabName(tab);
        EXPECT_FALSE(r.Excluir) << tabName(tab);
        EXPECT_TRUE(r.mnuRetAFExp) << tabName(tab);
        EXPECT_FALSE(r.sbtCancelaAF) << tabName(tab);
        EXPECT_FALSE(r.sbtEncerrarAF) << tabName(tab);
        EXPECT_FALSE(r.sbtB_Total) << tabName(tab);
        EXPECT_FALSE(r.btnBaixar) << tabName(tab);
    }
    ToolSnapshot s = openAF();
    s.row.IDAFEXPIRADA = "S";
    EXPECT_TRUE(Habilita_Ferramentas(s).Incluir) << "a new AF can still be entered from the list";
    s.view(Source::List) = editedView();
    EXPECT_FALSE(Habilita_Ferramentas(s).mnuRetAFExp) << "only while browsing";
}

TEST(HabilitaFerramentas, SeparatedAFOffersOnlyANewAF) {
    for (AfTab tab : kAllTabs) {
        for (const char* baixa : {"", "3"}) {
            ToolSnapshot s = onTab(openAF(), tab);
            s.row.IDITMSEPARADO = "S";
            s.row.IDBAIXAAF = baixa;
            const ToolStates r = Habilita_Ferramentas(s);
            for (const NamedTool& t : kEditingTools) {
                if (t.tool == kIncluir.tool && tab == AfTab::AF) continue;
                EXPECT_FALSE(r.*(t.tool)) << tabName(tab) << " IDBAIXAAF " << baixa << ": " << t.name;
            }
            EXPECT_FALSE(r.btnBaixar) << tabName(tab);
            EXPECT_EQ(r.Incluir, tab == AfTab::AF) << tabName(tab);
        }
    }
}

TEST(HabilitaFerramentas, AutomaticAFNeedsAlaf) {
    checkRows({
        {"automatic without ALAF", [](ToolSnapshot& s) { s.row.IDTIPOLANCAF = "A"; s.permissions.ALAF = false; },
         {{kAlterar, false}, {kExcluir, false}, {kIncluir, true}, {kCancelaAF, true}}},
        {"automatic with ALAF (or nobody holds it)", [](ToolSnapshot& s) { s.row.IDTIPOLANCAF = "A"; },
         {{kAlterar, true}, {kExcluir, true}}},
        {"items of an automatic AF without ALAF",
         [](ToolSnapshot& s) { s = onTab(s, AfTab::Produtos); s.row.IDTIPOLANCAF = "A"; s.permissions.ALAF = false; },
         {{kIncluir, false}, {kAlterar, false}}},
        {"items of an automatic AF with ALAF",
         [](ToolSnapshot& s) { s = onTab(s, AfTab::Produtos); s.row.IDTIPOLANCAF = "A"; },
         {{kIncluir, true}, {kAlterar, true}}},
        {"header of an automatic AF without ALAF",
         [](ToolSnapshot& s) { s = onTab(s, AfTab::DadosAF); s.row.IDTIPOLANCAF = "A"; s.permissions.ALAF = false; },
         {{kAlterar, false}, {kExcluir, false}, {kIncluir, true}}},
    });
}

TEST(HabilitaFerramentas, ReopeningFollowsTheSituationAndAbaf) {
    checkRows({
        {"Baixa Total", [](ToolSnapshot& s) { s.row.IDBAIXAAF = "2"; }, {{kReAFAberto, false}}},
        {"Baixa Manual", [](ToolSnapshot& s) { s.row.IDBAIXAAF = "3"; }, {{kReAFAberto, true}}},
        {"Baixa Manual without ABAF", [](ToolSnapshot& s) { s.row.IDBAIXAAF = "3"; s.permissions.ABAF = false; },
         {{kReAFAberto, false}}},
        {"Baixa Manual, outbound settled", [](ToolSnapshot& s) { s.row.IDBAIXAAF = "3"; s.row.IDBAIXAFSAI = "2"; },
         {{kReAFAberto, false}}},
        {"Baixa Manual on an empty list", [](ToolSnapshot& s) { s.row.IDBAIXAAF = "3"; s.view(Source::List) = browsed(true); },
         {{kReAFAberto, false}}},
    });
}

TEST(HabilitaFerramentas, ConsolidatedAFIsNeitherEditableNorReopenable) {
    for (AfTab tab : {AfTab::AF, AfTab::DadosAF, AfTab::Produtos, AfTab::Mensagem, AfTab::FormaPgto, AfTab::Encargo}) {
        ToolSnapshot s = onTab(openAF(), tab);
        s.row.CDFILDESTCON = "0009";
        const ToolStates r = Habilita_Ferramentas(s);
        EXPECT_FALSE(r.Alterar) << tabName(tab);
        EXPECT_FALSE(r.sbtConsistir) << tabName(tab);
        EXPECT_FALSE(r.sbtFechaAF) << tabName(tab);
        EXPECT_FALSE(r.sbtB_Total) << tabName(tab);
        s.row.IDBAIXAAF = "3";
        EXPECT_FALSE(Habilita_Ferramentas(s).mnuReAFAberto) << tabName(tab);
    }
}

TEST(HabilitaFerramentas, BranchOfADosSystemMayOnlyChangeManualAFs) {
    const auto dos = [](ToolSnapshot& s) { s.IDSISDOS = "3"; s.branchMode = true; s.row.IDTIPOLANCAF = "A"; };
    checkRows({
        {"list", dos, {{kAlterar, false}, {kExcluir, false}, {kIncluir, true}, {kConsistir, false}}},
        {"header", [&](ToolSnapshot& s) { dos(s); s = onTab(s, AfTab::DadosAF); }, {{kIncluir, false}}},
        {"branches, confirmed", [&](ToolSnapshot& s) { dos(s); s = onTab(s, AfTab::FilialDest); }, {{kIncluir, true}}},
        {"branches, unconfirmed", [&](ToolSnapshot& s) { dos(s); s = onTab(s, AfTab::FilialDest); s.confirmed = false; },
         {{kIncluir, false}}},
        {"manual AF", [&](ToolSnapshot& s) { dos(s); s.row.IDTIPOLANCAF = "M"; }, {{kAlterar, true}, {kConsistir, true}}},
    });
}

TEST(HabilitaFerramentas, IncluirByTabAndFocus) {
    struct Case {
        AfTab tab;
        Focus focus;
        bool expected;
    } cases[] = {
        {AfTab::FilialDest, Focus::Other, true},   {AfTab::AF, Focus::Other, true},
        {AfTab::DadosAF, Focus::Other, true},      {AfTab::Produtos, Focus::ItemGrid, true},
        {AfTab::Produtos, Focus::ProductGrid, true}, {AfTab::Produtos, Focus::TaxGrid, false},
        {AfTab::Produtos, Focus::ManualReceiptQty, false}, {AfTab::Mensagem, Focus::Other, true},
        {AfTab::FormaPgto, Focus::TermsGrid, true}, {AfTab::FormaPgto, Focus::Other, false},
        {AfTab::Encargo, Focus::Other, false},     {AfTab::Justificativa, Focus::Other, false},
    };
    for (const Case& c : cases) {
        ToolSnapshot s = onTab(openAF(), c.tab);
        s.focus = c.focus;
        EXPECT_EQ(Habilita_Ferramentas(s).Incluir, c.expected) << tabName(c.tab) << " focus " << int(c.focus);
    }
    checkRows({
        {"branches without a confirmed filter", [](ToolSnapshot& s) { s = onTab(s, AfTab::FilialDest); s.confirmed = false; },
         {{kIncluir, false}}},
        {"list being edited", [](ToolSnapshot& s) { s.view(Source::List) = editedView(); }, {{kIncluir, false}}},
        {"empty list", [](ToolSnapshot& s) { s.view(Source::List) = browsed(true); }, {{kIncluir, true}}},
        {"items of a settled AF", [](ToolSnapshot& s) { s = onTab(s, AfTab::Produtos); s.row.IDBAIXAAF = "2"; },
         {{kIncluir, false}}},
        {"messages of a consolidated AF", [](ToolSnapshot& s) { s = onTab(s, AfTab::Mensagem); s.row.CDFILDESTCON = "1"; },
         {{kIncluir, false}}},
        {"terms with outbound settled", [](ToolSnapshot& s) { s = onTab(s, AfTab::FormaPgto); s.row.IDBAIXAFSAI = "3"; },
         {{kIncluir, false}}},
    });
}

TEST(HabilitaFerramentas, AlterarOnTheItems) {
    const auto produtos = [](ToolSnapshot& s) { s = onTab(s, AfTab::Produtos); };
    checkRows({
        {"item open", produtos, {{kAlterar, true}}},
        {"item partially received", [&](ToolSnapshot& s) { produtos(s); s.IDBAIXITMAF = "1"; }, {{kAlterar, false}}},
        {"item settled", [&](ToolSnapshot& s) { produtos(s); s.IDBAIXITMAF = "2"; }, {{kAlterar, false}}},
        {"item settled by hand", [&](ToolSnapshot& s) { produtos(s); s.IDBAIXITMAF = "3"; }, {{kAlterar, false}}},
        {"item ended", [&](ToolSnapshot& s) { produtos(s); s.IDBAIXITMAF = "4"; }, {{kAlterar, true}}},
        {"from the product grid", [&](ToolSnapshot& s) { produtos(s); s.source = Source::ItemProducts; },
         {{kAlterar, false}}},
        {"items empty", [&](ToolSnapshot& s) { produtos(s); s.view(Source::Items) = browsed(true); }, {{kAlterar, false}}},
        {"item being edited", [&](ToolSnapshot& s) { produtos(s); s.view(Source::Items) = editedView(); },
         {{kAlterar, false}, {kConfirmar, true}, {kCancelar, true}}},
    });
}

TEST(HabilitaFerramentas, AlterarOnTheOtherTabs) {
    checkRows({
        {"header with outbound settled", [](ToolSnapshot& s) { s = onTab(s, AfTab::DadosAF); s.row.IDBAIXAFSAI = "2"; },
         {{kAlterar, true}}},
        {"list with outbound settled", [](ToolSnapshot& s) { s.row.IDBAIXAFSAI = "2"; }, {{kAlterar, false}}},
        {"charges", [](ToolSnapshot& s) { s = onTab(s, AfTab::Encargo); }, {{kAlterar, true}}},
        {"charge dates", [](ToolSnapshot& s) { s = onTab(s, AfTab::Encargo); s.focus = Focus::ChargeDateGrid; },
         {{kAlterar, false}, {kProcurar, false}}},
        {"messages empty", [](ToolSnapshot& s) { s = onTab(s, AfTab::Mensagem); s.view(Source::Messages) = browsed(true); },
         {{kAlterar, false}, {kExcluir, false}, {kProcurar, false}}},
        {"payment form", [](ToolSnapshot& s) { s = onTab(s, AfTab::FormaPgto); s.focus = Focus::Other; s.source = Source::Header; },
         {{kAlterar, true}, {kExcluir, false}, {kIncluir, false}}},
        {"branches", [](ToolSnapshot& s) { s = onTab(s, AfTab::FilialDest); }, {{kAlterar, false}, {kExcluir, false}}},
        {"justifications", [](ToolSnapshot& s) { s = onTab(s, AfTab::Justificativa); }, {{kAlterar, false}}},
        {"empty list", [](ToolSnapshot& s) { s.view(Source::List) = browsed(true); }, {{kAlterar, false}}},
    });
}

TEST(HabilitaFerramentas, ExcluirRules) {
    const auto produtos = [](ToolSnapshot& s) { s = onTab(s, AfTab::Produtos); };
    checkRows({
        {"web AF", [](ToolSnapshot& s) { s.row.IDAFPRODWEB = "S"; }, {{kExcluir, false}, {kAlterar, true}}},
        {"without EXAF", [](ToolSnapshot& s) { s.permissions.EXAF = false; }, {{kExcluir, false}}},
        {"EDI AF from the header", [](ToolSnapshot& s) { s = onTab(s, AfTab::DadosAF); s.row.IDBAIXAAF = "7"; },
         {{kExcluir, true}}},
        {"messages of a partial AF", [](ToolSnapshot& s) { s = onTab(s, AfTab::Mensagem); s.row.IDBAIXAAF = "1"; },
         {{kExcluir, true}}},
        {"terms of an expired AF", [](ToolSnapshot& s) { s = onTab(s, AfTab::FormaPgto); s.row.IDAFEXPIRADA = "S"; },
         {{kExcluir, false}}},
        {"terms", [](ToolSnapshot& s) { s = onTab(s, AfTab::FormaPgto); }, {{kExcluir, true}}},
        {"charges", [](ToolSnapshot& s) { s = onTab(s, AfTab::Encargo); }, {{kExcluir, false}}},
        {"item grid focused", produtos, {{kExcluir, false}}},
        // The product grid recomputes with its own data source: the rule reads the focus, so it can delete.
        {"product grid focused, product source",
         [&](ToolSnapshot& s) { produtos(s); s.focus = Focus::ProductGrid; s.source = Source::ItemProducts; },
         {{kExcluir, true}}},
        {"product grid focused, no item products",
         [&](ToolSnapshot& s) { produtos(s); s.focus = Focus::ProductGrid; s.source = Source::ItemProducts;
                                s.view(Source::ItemProducts) = browsed(true); },
         {{kExcluir, false}}},
        {"product grid focused, item products edited",
         [&](ToolSnapshot& s) { produtos(s); s.focus = Focus::ProductGrid; s.source = Source::ItemProducts;
                                s.view(Source::ItemProducts) = editedView(); },
         {{kExcluir, false}}},
        // The item rule drops EXAF and Auto-ok but asks for an item without receipts.
        {"product grid focused, item source",
         [&](ToolSnapshot& s) { produtos(s); s.focus = Focus::ProductGrid; s.permissions.EXAF = false;
                                s.row.IDTIPOLANCAF = "A"; s.permissions.ALAF = false; },
         {{kExcluir, true}}},
        {"item with receipts", [&](ToolSnapshot& s) { produtos(s); s.focus = Focus::ProductGrid; s.IDBAIXITMAF = "1"; },
         {{kExcluir, false}}},
        {"items of an ended AF", [&](ToolSnapshot& s) { produtos(s); s.focus = Focus::ProductGrid; s.row.IDBAIXAAF = "4"; },
         {{kExcluir, false}}},
        {"items of a manually settled AF", [&](ToolSnapshot& s) { produtos(s); s.focus = Focus::ProductGrid; s.row.IDBAIXAAF = "3"; },
         {{kExcluir, true}}},
        {"manual-receipt box focused", [&](ToolSnapshot& s) { produtos(s); s.focus = Focus::ManualReceiptQty; },
         {{kExcluir, false}, {kIncluir, false}}},
        {"received-quantity box focused", [&](ToolSnapshot& s) { produtos(s); s.focus = Focus::ReceivedQty; },
         {{kExcluir, false}, {kIncluir, false}}},
    });
}

TEST(HabilitaFerramentas, SearchAndVerifyByTab) {
    struct Case {
        AfTab tab;
        Focus focus;
        bool procurar, verificar;
    } cases[] = {
        {AfTab::FilialDest, Focus::Other, true, true},  {AfTab::AF, Focus::Other, true, true},
        {AfTab::DadosAF, Focus::Other, false, true},    {AfTab::Produtos, Focus::ItemGrid, true, true},
        {AfTab::Produtos, Focus::ProductGrid, true, true}, {AfTab::Produtos, Focus::TaxGrid, false, false},
        {AfTab::Mensagem, Focus::Other, true, true},    {AfTab::FormaPgto, Focus::TermsGrid, true, true},
        {AfTab::FormaPgto, Focus::Other, false, false}, {AfTab::Encargo, Focus::Other, true, true},
        {AfTab::Encargo, Focus::ChargeDateGrid, false, false}, {AfTab::Justificativa, Focus::Other, false, false},
    };
    for (const Case& c : cases) {
        ToolSnapshot s = onTab(openAF(), c.tab);
        s.focus = c.focus;
        const ToolStates r = Habilita_Ferramentas(s);
        EXPECT_EQ(r.Procurar, c.procurar) << tabName(c.tab) << " focus " << int(c.focus);
        EXPECT_EQ(r.Verificar, c.verificar) << tabName(c.tab) << " focus " << int(c.focus);
    }
    checkRows({
        {"branches empty", [](ToolSnapshot& s) { s = onTab(s, AfTab::FilialDest); s.view(Source::Branches) = browsed(true); },
         {{kProcurar, false}, {kVerificar, false}}},
        {"branches with the list closed", [](ToolSnapshot& s) { s = onTab(s, AfTab::FilialDest); s.view(Source::List) = closedView(); },
         {{kProcurar, true}, {kVerificar, true}}},
        {"list empty", [](ToolSnapshot& s) { s.view(Source::List) = browsed(true); }, {{kProcurar, false}, {kVerificar, false}}},
        {"list edited", [](ToolSnapshot& s) { s.view(Source::List) = editedView(); }, {{kProcurar, false}}},
    });
}

TEST(HabilitaFerramentas, ConfirmCancelAndTheClosedHeader) {
    checkRows({
        {"header inserted", [](ToolSnapshot& s) { s = onTab(s, AfTab::DadosAF); s.view(Source::Header) = insertedView(); },
         {{kConfirmar, true}, {kCancelar, true}, {kIncluir, false}, {kNavigator, false}, {kFiltrar, false}}},
        {"header closed, list browsed",
         [](ToolSnapshot& s) { s = onTab(s, AfTab::DadosAF); s.view(Source::Header) = closedView(); },
         {{kConfirmar, false}, {kAlterar, true}, {kVerificar, true}, {kNavigator, true}}},
        {"header closed, list edited",
         [](ToolSnapshot& s) { s = onTab(s, AfTab::DadosAF); s.view(Source::Header) = closedView();
                               s.view(Source::List) = editedView(); },
         {{kConfirmar, true}, {kCancelar, true}, {kAlterar, false}}},
        {"list browsed", [](ToolSnapshot&) {}, {{kConfirmar, false}, {kCancelar, false}}},
        // The header was posted by leaving its tab; the AF is still being edited.
        {"header posted, list edited, on another tab",
         [](ToolSnapshot& s) { s = onTab(s, AfTab::Mensagem); s.source = Source::Messages;
                               s.view(Source::Messages) = browsed(false); s.view(Source::List) = editedView(); },
         {{kConfirmar, true}, {kCancelar, true}, {kNavigator, false}}},
        {"header posted, list edited, back on the header",
         [](ToolSnapshot& s) { s = onTab(s, AfTab::DadosAF); s.view(Source::List) = editedView(); },
         {{kConfirmar, true}, {kCancelar, true}, {kNavigator, false}}},
    });
}

// The tab's own table does not stand in for the list row: a new AF leaves no
// browse or lifecycle tool on any tab, and an AF without messages keeps its
// lifecycle tools on "Mensagem".
TEST(HabilitaFerramentas, TheListRowDecidesOnEveryTab) {
    const NamedTool browseTools[] = {kIncluir,  kAlterar, kExcluir,  kProcurar,  kVerificar,  kFechaAF,
                                     kConsistir, kBTotal, kCancelaAF, kEncerrarAF, kEmail, kNavigator};
    for (AfTab tab : {AfTab::DadosAF, AfTab::Produtos, AfTab::Mensagem, AfTab::FormaPgto, AfTab::Encargo}) {
        for (Focus focus : {Focus::None, Focus::TermsGrid, Focus::ItemGrid, Focus::ProductGrid}) {
            ToolSnapshot s = onTab(openAF(), tab);
            s.focus = focus;
            s.view(Source::List) = DatasetView{host::DatasetState::Insert, false};
            s.view(Source::Header) = insertedView();
            for (Source table : {Source::Items, Source::ItemProducts, Source::Messages, Source::Terms,
                                 Source::ChargeDates, Source::Charges, Source::Taxes})
                s.view(table) = closedView();
            s.view(Source::Terms) = browsed(true);  // what a new AF's terms show after the supplier's defaults
            const ToolStates r = Habilita_Ferramentas(s);
            for (const NamedTool& t : browseTools)
                EXPECT_FALSE(r.*(t.tool)) << "new AF on " << tabName(tab) << " focus " << int(focus) << ": " << t.name;
            EXPECT_TRUE(r.Confirmar) << tabName(tab);
            EXPECT_TRUE(r.Cancelar) << tabName(tab);
        }
    }
    ToolSnapshot s = onTab(openAF(), AfTab::Mensagem);
    s.source = Source::Messages;
    s.view(Source::Messages) = browsed(true);
    const ToolStates r = Habilita_Ferramentas(s);
    for (const NamedTool& t : {kCancelaAF, kEncerrarAF, kEmail, kBTotal, kFechaAF, kConsistir, kIncluir})
        EXPECT_TRUE(r.*(t.tool)) << "AF without messages: " << t.name;
    for (const NamedTool& t : {kAlterar, kExcluir, kProcurar})
        EXPECT_FALSE(r.*(t.tool)) << "AF without messages: " << t.name;  // they need a message
}

TEST(HabilitaFerramentas, FilterAndListTools) {
    checkRows({
        {"branches", [](ToolSnapshot& s) { s = onTab(s, AfTab::FilialDest); }, {{kFiltrar, true}, {kMudAut, false}}},
        {"list being edited", [](ToolSnapshot& s) { s.view(Source::List) = insertedView(); }, {{kFiltrar, false}}},
        {"list closed", [](ToolSnapshot& s) { s.view(Source::List) = closedView(); },
         {{kFiltrar, true}, {kEmail, false}, {kImpSoli, false}, {kNavigator, false}}},
        {"header", [](ToolSnapshot& s) { s = onTab(s, AfTab::DadosAF); }, {{kFiltrar, false}, {kMudAut, true}}},
        {"cancelled AF", [](ToolSnapshot& s) { s.row.IDBAIXAAF = "5"; }, {{kEmail, false}}},
        {"AF changed since closed", [](ToolSnapshot& s) { s.closeAFChanged = true; }, {{kImpSoli, false}, {kBaixar, false}}},
        {"empty list", [](ToolSnapshot& s) { s.view(Source::List) = browsed(true); },
         {{kImpSoli, true}, {kImpSoliSub, false}, {kMudAut, false}, {kEmail, false}, {kCancelaAF, false},
          {kEncerrarAF, false}, {kConsistir, false}}},
    });
}

TEST(HabilitaFerramentas, ConsistencyAndClosing) {
    checkRows({
        {"AF with a manager", [](ToolSnapshot& s) { s.row.CDGERENTE = "GER01"; }, {{kConsistir, false}, {kFechaAF, true}}},
        {"item products open and empty", [](ToolSnapshot& s) { s.view(Source::ItemProducts) = browsed(true); },
         {{kConsistir, false}, {kFechaAF, false}, {kBTotal, false}}},
        {"item products closed", [](ToolSnapshot& s) { s.view(Source::ItemProducts) = closedView(); },
         {{kConsistir, true}, {kBTotal, true}}},
        {"outbound partially received", [](ToolSnapshot& s) { s.row.IDBAIXAFSAI = "1"; }, {{kConsistir, true}}},
    });
}

TEST(HabilitaFerramentas, TotalReceipts) {
    const auto logistic = [](ToolSnapshot& s) { s.row.IDAFOPERLOG = "2"; s.logisticBranch = true; };
    checkRows({
        {"inconsistent", [](ToolSnapshot& s) { s.row.IDSITUATUAAF = "1"; }, {{kBTotal, false}}},
        {"outside the limit", [](ToolSnapshot& s) { s.row.IDAFFORALIM = "S"; }, {{kBTotal, false}}},
        {"items closed", [](ToolSnapshot& s) { s.view(Source::Items) = closedView(); }, {{kBTotal, true}, {kBaixar, false}}},
        {"items empty", [](ToolSnapshot& s) { s.view(Source::Items) = browsed(true); }, {{kBTotal, false}}},
        {"items edited", [](ToolSnapshot& s) { s.view(Source::Items) = editedView(); }, {{kBTotal, false}}},
        {"distributed AF", logistic, {{kBTotalSaid, true}, {kBTotal, true}}},
        {"distributed AF, no logistic branch", [&](ToolSnapshot& s) { logistic(s); s.logisticBranch = false; },
         {{kBTotalSaid, false}}},
        {"distributed AF, outbound settled", [&](ToolSnapshot& s) { logistic(s); s.row.IDBAIXAFSAI = "2"; },
         {{kBTotalSaid, false}, {kBTotal, false}}},
        {"distributed AF, outbound partial", [&](ToolSnapshot& s) { logistic(s); s.row.IDBAIXAFSAI = "1"; },
         {{kBTotalSaid, true}}},
        {"distributed AF, EDI", [&](ToolSnapshot& s) { logistic(s); s.row.IDBAIXAAF = "7"; }, {{kBTotalSaid, true}}},
        {"distributed AF, settled by hand", [&](ToolSnapshot& s) { logistic(s); s.row.IDBAIXAAF = "3"; },
         {{kBTotalSaid, false}}},
        // The outbound receipt does not look at consolidation or expiry.
        {"distributed AF, consolidated", [&](ToolSnapshot& s) { logistic(s); s.row.CDFILDESTCON = "0003"; },
         {{kBTotalSaid, true}, {kBTotal, false}}},
        {"consolidating AF", [](ToolSnapshot& s) { s.row.IDAFOPERLOG = "1"; s.logisticBranch = true; },
         {{kBTotalSaid, false}, {kBaixar, false}}},
    });
}

TEST(HabilitaFerramentas, ManualReceiptButton) {
    checkRows({
        {"item settled", [](ToolSnapshot& s) { s.IDBAIXITMAF = "2"; }, {{kBaixar, false}}},
        {"item settled by hand", [](ToolSnapshot& s) { s.IDBAIXITMAF = "3"; }, {{kBaixar, false}}},
        {"item partial", [](ToolSnapshot& s) { s.IDBAIXITMAF = "1"; }, {{kBaixar, true}}},
        {"outbound settled", [](ToolSnapshot& s) { s.row.IDBAIXAFSAI = "3"; }, {{kBaixar, false}}},
        {"items edited", [](ToolSnapshot& s) { s.view(Source::Items) = editedView(); }, {{kBaixar, false}}},
        {"items empty", [](ToolSnapshot& s) { s.view(Source::Items) = browsed(true); }, {{kBaixar, false}}},
        {"AF partial", [](ToolSnapshot& s) { s.row.IDBAIXAAF = "1"; }, {{kBaixar, true}}},
        {"consolidated", [](ToolSnapshot& s) { s.row.CDFILDESTCON = "0003"; }, {{kBaixar, false}}},
        {"expired", [](ToolSnapshot& s) { s.row.IDAFEXPIRADA = "S"; }, {{kBaixar, false}}},
        {"separated", [](ToolSnapshot& s) { s.row.IDITMSEPARADO = "S"; }, {{kBaixar, false}}},
    });
}

TEST(HabilitaFerramentas, MarketplaceButtonOnlyOnTheListTab) {
    checkRows({
        {"list, marketplace on", [](ToolSnapshot& s) { s.marketplace = true; }, {{kMercadum, true}}},
        {"header, marketplace on", [](ToolSnapshot& s) { s = onTab(s, AfTab::DadosAF); s.marketplace = true; },
         {{kMercadum, false}}},
        {"list, marketplace off", [](ToolSnapshot&) {}, {{kMercadum, false}}},
    });
    ToolSnapshot s = openAF();
    s.marketplace = true;
    EXPECT_TRUE(Habilita_Ferramentas(s).colIDSITUENVAFMCD);
    s.tab = AfTab::Produtos;
    EXPECT_FALSE(Habilita_Ferramentas(s).colIDSITUENVAFMCD);
}

TEST(HabilitaFerramentas, SideEffectsOnTabsNavigatorAndLabel) {
    ToolSnapshot s = openAF();
    ToolStates r = Habilita_Ferramentas(s);
    EXPECT_TRUE(r.tabEntregaBaixa);
    EXPECT_TRUE(r.tabEncargo);
    EXPECT_TRUE(r.mnuEncargo);
    EXPECT_EQ(r.navigatorTarget, NavigatorTarget::List);
    EXPECT_TRUE(r.itemMigradaVisible);

    s = onTab(s, AfTab::Produtos);
    s.view(Source::ItemProducts) = insertedView();
    r = Habilita_Ferramentas(s);
    EXPECT_FALSE(r.tabEntregaBaixa);
    EXPECT_FALSE(r.tabEncargo) << "item products open and empty";
    EXPECT_FALSE(r.mnuEncargo);
    EXPECT_EQ(r.navigatorTarget, NavigatorTarget::Standard);

    s.view(Source::ItemProducts) = browsed();
    s.view(Source::Items) = editedView();
    r = Habilita_Ferramentas(s);
    EXPECT_FALSE(r.tabEntregaBaixa);
    EXPECT_TRUE(r.tabEncargo);

    s = onTab(openAF(), AfTab::FilialDest);
    s.view(Source::List) = browsed(true);
    r = Habilita_Ferramentas(s);
    EXPECT_FALSE(r.itemMigradaVisible);
    EXPECT_FALSE(r.tabEncargo) << "list empty";
    EXPECT_EQ(r.navigatorTarget, NavigatorTarget::List);
}

}  // namespace
}  // namespace afdesk
