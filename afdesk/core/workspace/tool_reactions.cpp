#include "afdesk/core/workspace/tool_reactions.h"

#include "afdesk/core/header/header_entry.h"
#include "afdesk/core/tools/state_changes.h"
#include "afdesk/core/workspace/bound_controls.h"
#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/workspace_tabs.h"
#include "afdesk/core/workspace/workspace_toolbar.h"

#include "platform/kit/db_grid.h"
#include "platform/kit/guard.h"

#include <QtGui/QAction>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>

namespace afdesk {

namespace {

void applyTabs(LancaAutoF& w, const TabEnabling& tabs) {
    for (int i = 0; i < kWorkspaceTabCount; ++i) w.setTabEnabled(WorkspaceTab(i), tabs.tabs[size_t(i)]);
    w.setInnerTabEnabled(ProdutosTab::Imposto, tabs.imposto);
    w.setInnerTabEnabled(ProdutosTab::Observacao, tabs.observacao);
}

void focusFormaPgto(LancaAutoF& w, FormaPgtoFocus focus) {
    auto& ws = w.state();
    const QWidget* page = w.tabPage(WorkspaceTab::FormaPgto);
    switch (focus) {
    case FormaPgtoFocus::None: return;
    case FormaPgtoFocus::CodigoForma: focusBound(ws.dtsAutoForne, QStringLiteral("CDFORMPGTO"), page); return;
    case FormaPgtoFocus::DiaFixo: focusBound(ws.dtsAutoForne, QStringLiteral("NRDIAPGFIXAF"), page); return;
    case FormaPgtoFocus::RadioGroup: focusBound(ws.dtsAutoForne, QStringLiteral("IDTPFORPGTAF"), page); return;
    }
}

void applyHeaderDecisions(LancaAutoF& w, const HeaderStateDecisions& d) {
    auto& ws = w.state();
    if (d.recomputeTools) recomputeTools(w, Source::Header);
    if (ws.header) ws.header->applyEntryControls(d);
    w.toolAction(WorkspaceTool::MudAutProd)->setEnabled(d.mudAutProd);
    if (d.tabs) applyTabs(w, *d.tabs);
    if (d.jumpToAF && w.isTabEnabled(WorkspaceTab::AF) && !w.isActiveTab(WorkspaceTab::AF))
        w.selectTab(WorkspaceTab::AF, true, false);
    if (d.focusListGrid && ws.dbgAutoForne->isVisible()) ws.dbgAutoForne->setFocus(Qt::OtherFocusReason);
    if (w.isActiveTab(WorkspaceTab::FormaPgto) && !focusedControl(w)) focusFormaPgto(w, d.formaPgtoFocus);
    if (d.termsGridVisible) ws.dbgPrazoPgt->setVisible(*d.termsGridVisible);
    if (d.filialDestTools) applyToolStates(w, *d.filialDestTools);
    syncTabMenu(w);
    ws.sepNavegador->setVisible(d.separatorsVisible);
}

// The lookup button ("...") of an item column, when the grid shows that column.
void setColumnButton(LancaAutoF& w, const char* field, bool on) {
    const int column = w.standardGrid()->columnOf(QString::fromLatin1(field));
    if (column >= 0) w.standardGrid()->setColumnButton(column, on);
}

// The list, the header and the items have reactions of their own.
bool ownReactions(Source source) { return source == Source::List || source == Source::Header || source == Source::Items; }

// A change of the data source the active tab drives recomputes the tools with it.
void sourceChanged(LancaAutoF& w, Source kind) {
    if (tabSource(w) == kind) recomputeTools(w, kind);
}

void focusMoved(LancaAutoF& w, QWidget* now) {
    if (!now || !(now == &w || w.isAncestorOf(now))) return;
    const Focus focus = focusOf(w, now);
    if (focus == w.state().flags.lastFocus) return;
    recomputeTools(w, tabSource(w));
}

}  // namespace

void applyTabRules(LancaAutoF& w) {
    const HeaderStateDecisions d = headerStateChange(toolSnapshot(w, Source::Header));
    if (d.tabs) applyTabs(w, *d.tabs);
    syncTabMenu(w);
}

void headerStateChanged(LancaAutoF& w) {
    applyHeaderDecisions(w, headerStateChange(toolSnapshot(w, Source::Header)));
    // A new AF is entered on its own tab.
    if (w.state().cdsAutoForne.state() == host::DatasetState::Insert && !w.isActiveTab(WorkspaceTab::DadosAF))
        w.selectTab(WorkspaceTab::DadosAF, true, false);
}

void standardStateChanged(LancaAutoF& w) { applyStandardRules(w, true); }

void applyStandardRules(LancaAutoF& w, bool stateChange) {
    const StandardStateDecisions d = standardStateChange(toolSnapshot(w, Source::Items));
    // An item being entered in the grid is typed in the grid's own editor; a box
    // of the item (the observation memo, the received quantity) keeps the focus.
    if (stateChange && d.itemGridEditing && w.standardGrid()->hasFocus()) w.standardGrid()->setEditorMode(true);
    if (stateChange && d.focusItemGrid && w.standardGrid()->isVisible())
        w.standardGrid()->setFocus(Qt::OtherFocusReason);
    if (d.totalEntradas) {
        if (QLabel* total = labelCaptioned(w.innerPage(ProdutosTab::EntregaBaixa), QStringLiteral("Total Entradas")))
            total->setEnabled(*d.totalEntradas);
    }
    if (d.recomputeTools) recomputeTools(w, d.recomputeWith);
    setColumnButton(w, "CDMARCA", d.cdMarcaButton);
    if (stateChange && d.sendFontNotice) {
        // The grid lays its columns out again, as after a change of its font.
        QEvent relayout(QEvent::FontChange);
        QCoreApplication::sendEvent(w.standardGrid(), &relayout);
    }
    setColumnButton(w, "CDSEGMARCA", d.cdSegMarcaButton);
    setColumnButton(w, "VRPREUNIAF", d.vrPreUniButton);
    if (d.imposto) w.setInnerTabEnabled(ProdutosTab::Imposto, *d.imposto);
    if (d.encargo) w.setTabEnabled(WorkspaceTab::Encargo, *d.encargo);
    if (d.syncTabMenu) syncTabMenu(w);
    if (d.observacao) w.setInnerTabEnabled(ProdutosTab::Observacao, *d.observacao);
    if (d.activateImposto && w.activeInnerTab() == ProdutosTab::Observacao)
        w.state().pgcProdutos->setCurrentIndex(int(ProdutosTab::Imposto));
    w.state().btbBaixar->setEnabled(d.btnBaixar);
}

void bindToolReactions(LancaAutoF& w) {
    auto& ws = w.state();
    ws.dtsAutoForne.onStateChange.add([&w](kit::DataSource&) { kit::guard(&w, [&w] { headerStateChanged(w); }); });
    ws.dtsPadrao.onStateChange.add([&w](kit::DataSource&) { kit::guard(&w, [&w] { standardStateChanged(w); }); });
    // Another item, or the items read again: what depends on the current item follows.
    ws.dtsPadrao.onDataChange.add([&w](kit::DataSource&, host::Field* f) {
        if (!f) kit::guard(&w, [&w] { applyStandardRules(w, false); });
    });
    ws.dtsAutoForne.onDataChange.add([&w](kit::DataSource&, host::Field* f) {
        if (!f) kit::guard(&w, [&w] { sourceChanged(w, Source::Header); });
    });
    // Every other data source of the AF the rules watch.
    for (const AfPartDef& def : kAfParts) {
        const std::optional<Source> watched = sourceOf(def.part);
        if (!watched || ownReactions(*watched)) continue;
        kit::DataSource& source = w.dataSource(def.part);
        const Source kind = *watched;
        source.onStateChange.add([&w, kind](kit::DataSource&) { kit::guard(&w, [&] { sourceChanged(w, kind); }); });
        source.onDataChange.add([&w, kind](kit::DataSource&, host::Field* f) {
            if (!f) kit::guard(&w, [&] { sourceChanged(w, kind); });
        });
    }
    ws.dtsFilialDest.onStateChange.add([&w](kit::DataSource&) {
        kit::guard(&w, [&w] { if (w.isActiveTab(WorkspaceTab::FilialDest)) recomputeTools(w, Source::List); });
    });
    QObject::connect(qApp, &QApplication::focusChanged, &w,
                     [&w](QWidget*, QWidget* now) { kit::guard(&w, [&] { focusMoved(w, now); }); });
}

}  // namespace afdesk
