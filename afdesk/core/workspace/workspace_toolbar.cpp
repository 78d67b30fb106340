#include "afdesk/core/workspace/workspace_toolbar.h"

#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/header/header_entry.h"
#include "afdesk/core/model/af_datasets.h"
#include "afdesk/core/model/af_list_grid.h"
#include "afdesk/core/tools/state_changes.h"
#include "afdesk/core/workspace/bound_controls.h"
#include "afdesk/core/workspace/workspace_state.h"

#include "host/services/session.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/db_text.h"
#include "platform/kit/record_navigator.h"

#include <QtGui/QAction>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>

namespace afdesk {

namespace {

QString textOf(const host::Dataset& ds, const char* field) {
    const host::Field* f = ds.active() && !ds.isEmpty() ? ds.findField(QString::fromLatin1(field)) : nullptr;
    return f ? f->asString().trimmed() : QString();
}

bool within(const QWidget* outer, const QWidget* w) { return outer && w && (outer == w || outer->isAncestorOf(w)); }

const host::Dataset& datasetOf(const LancaAutoF& w, Source source) {
    const std::optional<AfPart> part = partOf(source);
    return part ? w.dataset(*part) : w.state().cdsFilialDest;
}

QString idSisDos(const LancaAutoF& w) {
    // The lookup's result is the query's own dataset; reading it changes nothing.
    auto& q = const_cast<host::LookupQuery&>(w.state().queries.qryParamGeral);
    return q.active() ? textOf(q.result(), "IDSISDOS") : QString();
}

FormaPgtoKind formaPgtoOf(const host::Dataset& header) {
    const QString kind = textOf(header, "IDTPFORPGTAF");
    if (kind == QLatin1String("F")) return FormaPgtoKind::DiaFixo;
    if (kind == QLatin1String("V")) return FormaPgtoKind::PelaForma;
    return FormaPgtoKind::Sem;
}

bool enabledBound(const kit::DataSource& source, const char* field, const QWidget* page) {
    const QWidget* c = boundControl(source, QString::fromLatin1(field), page);
    return c && c->isEnabled();
}

// The controls of the payment tab and of the receipt entry, made by later work, found by their fields.
void readControls(const LancaAutoF& w, const QWidget* focused, ToolSnapshot& s) {
    auto& ws = w.state();
    const QWidget* formaPgto = w.tabPage(WorkspaceTab::FormaPgto);
    s.formaPgtoCodeEnabled = enabledBound(ws.dtsAutoForne, "CDFORMPGTO", formaPgto);
    s.diaFixoEnabled = enabledBound(ws.dtsAutoForne, "NRDIAPGFIXAF", formaPgto);
    const QWidget* parcelas = boundControl(ws.dtsAutoForne, QStringLiteral("NRPARCPGTOAF"), formaPgto);
    s.parcelasFocused = within(parcelas, focused);

    const QWidget* baixa = w.innerPage(ProdutosTab::EntregaBaixa);
    s.receivedQtyEnabled = enabledBound(ws.dtsPadrao, "QTEFETENTRAF", baixa);
    const QLabel* total = labelCaptioned(baixa, QStringLiteral("Total Entradas"));
    s.totalEntradasEnabled = total && total->isEnabled();
    s.itemGridEnabled = w.standardGrid()->isEnabled();
    s.entregaBaixaActive = w.activeInnerTab() == ProdutosTab::EntregaBaixa;
}

void setNavigator(LancaAutoF& w, kit::DataSource* target) {
    if (w.navigator()->dataSource() != target) w.navigator()->bind(target);
}

}  // namespace

QWidget* focusedControl(const LancaAutoF& w) {
    QWidget* f = w.focusWidget();
    return within(&w, f) ? f : nullptr;
}

Focus focusOf(const LancaAutoF& w, const QWidget* focused) {
    auto& ws = w.state();
    if (!focused) return Focus::None;
    if (within(w.standardGrid(), focused)) return Focus::ItemGrid;
    if (within(ws.dbgProdutos, focused)) return Focus::ProductGrid;
    if (within(ws.dbgPrazoPgt, focused)) return Focus::TermsGrid;
    if (within(ws.dbgDataEncargo, focused)) return Focus::ChargeDateGrid;
    if (within(ws.dbgImposto, focused)) return Focus::TaxGrid;
    const QWidget* received = boundControl(ws.dtsPadrao, QStringLiteral("QTEFETENTRAF"), ws.pgcProdutos);
    if (within(received, focused)) return Focus::ReceivedQty;
    return Focus::Other;
}

Source tabSource(const LancaAutoF& w) {
    const Focus focus = focusOf(w, focusedControl(w));
    switch (w.activeTab()) {
    case WorkspaceTab::FilialDest:
    case WorkspaceTab::AF: return Source::List;
    case WorkspaceTab::DadosAF: return Source::Header;
    case WorkspaceTab::Produtos:
        if (focus == Focus::ProductGrid) return Source::ItemProducts;
        if (focus == Focus::TaxGrid) return Source::Taxes;
        return Source::Items;
    case WorkspaceTab::Mensagem: return Source::Messages;
    case WorkspaceTab::FormaPgto: return focus == Focus::TermsGrid ? Source::Terms : Source::Header;
    case WorkspaceTab::Encargo: return focus == Focus::ChargeDateGrid ? Source::ChargeDates : Source::Charges;
    case WorkspaceTab::Justificativa: return Source::Movements;
    }
    return Source::List;
}

ToolSnapshot toolSnapshot(const LancaAutoF& w, Source source) {
    auto& ws = w.state();
    ToolSnapshot s;
    const QWidget* focused = focusedControl(w);
    s.tab = AfTab(int(w.activeTab()));
    s.focus = focusOf(w, focused);
    s.source = source;
    for (int i = 0; i < kSourceCount; ++i) s.sources[size_t(i)] = viewOf(datasetOf(w, Source(i)));

    s.row = rowCodesOf(ws.cdsServAutoForne);
    s.IDBAIXITMAF = textOf(ws.cdsItemAutF, "IDBAIXITMAF");
    s.itemIDITMSEPARADO = textOf(ws.cdsItemAutF, "IDITMSEPARADO");

    s.permissions = ws.flags.permissions;
    s.readOnlyGroup = ws.flags.readOnlyGroup;
    s.confirmed = filterState().boModalResult;
    s.IDSISDOS = idSisDos(w);
    s.branchMode = host::session().ModuFili();
    s.marketplace = marketplaceEnabled(ws.cdsParamGeral);
    s.logisticBranch = ws.flags.logisticBranches;
    s.closeAFChanged = ws.flags.fechaAFTag == 99;

    s.headerIDBAIXAAF = textOf(ws.cdsAutoForne, "IDBAIXAAF");
    s.emitente = ws.header ? ws.header->emitente() : Emitente::Nothing;
    s.formaPgto = formaPgtoOf(ws.cdsAutoForne);
    s.headerHasCDFORMPGTO = !textOf(ws.cdsAutoForne, "CDFORMPGTO").isEmpty();
    readControls(w, focused, s);
    return s;
}

void applyToolStates(LancaAutoF& w, const ToolStates& s) {
    auto& ws = w.state();
    const ToolSet ruled = ruledTools();
    const ToolSet enabled = enabledTools(s);
    for (const WorkspaceToolDef& def : workspaceTools())
        if (ruled.test(size_t(def.tool))) w.setToolEnabled(def.tool, enabled.test(size_t(def.tool)));
    applyAfListColumnFlags(*ws.dbgAutoForne, {s.colIDSITUENVAFMCD, ws.flags.logisticBranches});
    ws.btbBaixar->setEnabled(s.btnBaixar);

    w.setInnerTabEnabled(ProdutosTab::EntregaBaixa, s.tabEntregaBaixa);
    w.setTabEnabled(WorkspaceTab::Encargo, s.tabEncargo);
    w.tabAction(WorkspaceTab::Encargo)->setEnabled(s.mnuEncargo);

    // "Filial Destino" browses its branches; the other tabs the list or, on "Produtos", the items.
    const bool branches = w.isActiveTab(WorkspaceTab::FilialDest);
    kit::DataSource* target = s.navigatorTarget == NavigatorTarget::Standard ? &ws.dtsPadrao : &ws.dtsServAutoForne;
    setNavigator(w, branches ? &ws.dtsFilialDest : target);
    w.navigator()->setAllowed(s.navigator);
    if (ws.dbtItemMigrada->dataSource() != target) ws.dbtItemMigrada->bind(target, QStringLiteral("IDITAFMIGRADA"));
    ws.dbtItemMigrada->setVisible(s.itemMigradaVisible);
}

void recomputeTools(LancaAutoF& w, Source source) {
    const ToolSnapshot snapshot = toolSnapshot(w, source);
    ToolStates states = afdesk::Habilita_Ferramentas(snapshot);
    if (snapshot.tab == AfTab::FilialDest) states = filialDestTools(snapshot, states);
    applyToolStates(w, states);
    w.state().flags.lastFocus = snapshot.focus;
}

}  // namespace afdesk
