#include "afdesk/core/workspace/lanca_autof.h"

#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/header/header_entry.h"
#include "afdesk/core/model/af_datasets.h"
#include "afdesk/core/model/af_list_grid.h"
#include "afdesk/core/workspace/af_loading.h"
#include "afdesk/core/workspace/list_reactions.h"
#include "afdesk/core/workspace/workspace_keys.h"
#include "afdesk/core/workspace/workspace_module.h"
#include "afdesk/core/workspace/workspace_startup.h"
#include "afdesk/core/workspace/workspace_tabs.h"
#include "afdesk/core/workspace/workspace_tools.h"

#include "host/services/session.h"
#include "platform/kit/db_date_edit.h"
#include "platform/kit/db_edit.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/db_memo.h"
#include "platform/kit/guard.h"
#include "platform/kit/screen_keys.h"

#include <QtCore/QTimer>
#include <QtGui/QCloseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QVBoxLayout>

namespace afdesk {

namespace {

struct TabDef {
    const char* caption;  // of the tab
    const char* menu;     // of its menu item
    const char* name;     // suffix of tsh... and mnu...
};

constexpr TabDef kTabs[kWorkspaceTabCount] = {
    {"Filial Destino", "Fi&lial Destino", "FilialDest"},
    {"AF", "&AF", "AF"},
    {"Dados da AF", "&Dados da AF", "DadosAF"},
    {"Produtos", "&Produtos", "Produtos"},
    {"Mensagem", "&Mensagem", "Mensagem"},
    {"Forma de Pagamento", "&Forma de Pagamento", "FormaPgto"},
    {"Encargo", "&Encargo", "Encargo"},
    {"Justificativa de Alteração", "&Justificativa de Alteração", "Justificativa"},
};

QWidget* page(QTabWidget* tabs, const QString& caption, const QString& name) {
    auto* p = new QWidget(tabs);
    p->setObjectName(name);
    new QVBoxLayout(p);
    tabs->addTab(p, caption);
    return p;
}

kit::DBGrid* gridOn(QWidget* parent, kit::DataSource* source, const QString& name) {
    auto* g = new kit::DBGrid(parent);
    g->setObjectName(name);
    g->setDataSource(source);
    if (parent->layout()) parent->layout()->addWidget(g);
    return g;
}

}  // namespace

LancaAutoF::LancaAutoF(QWidget* parent) : kit::StandardGridScreen(QStringLiteral("CMP03900"), parent) {
    setWindowTitle(QStringLiteral("Lançamento de Autorização de Fornecimento"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Enter as Tab and the decimal comma are the message filter's (installed while active).
    keys().enterAsTab = [] { return false; };
    keys().decimalComma = false;

    defineServAutoForne(cdsServAutoForne, [this] { return isActiveTab(WorkspaceTab::Produtos); });
    defineAutoForne(cdsAutoForne, cdsServAutoForne);
    defineFilialDest(cdsFilialDest);
    guardFilialDest(cdsFilialDest, [this] { return isActiveTab(WorkspaceTab::FilialDest); });
    defineAuxParCmp(cdsAuxParCmp);
    defineParamFilial(cdsParamFilial);
    defineParamGeral(cdsParamGeral);
    defineControleFilial(cdsControleFilial);
    for (kit::DataSource* s : {&dtsServAutoForne, &dtsAutoForne, &dtsFilialDest, &dtsItemAutf_Produto, &dtsImpostoAF,
                               &dtsMensagensAF, &dtsDataEncargo, &dtsEncargo, &dtsPrazoPgtAF, &dtsNFBaixa, &dtsMovOpAF})
        s->setAutoEdit(false);  // editing comes with the toolbar's rules

    buildTabs();
    buildMenus();
    setStandardSource(&dtsPadrao);
    bindReactions();
    header->bindEvents();
    createWorkspace(*this);
}

LancaAutoF::~LancaAutoF() {
    WorkspaceModuleState& s = workspaceState();
    if (s.screen == this) s.boStCriado = false;
    host::session().clearMsgEventForm(this);
    // The grids go before the datasets their sources point at.
    setStandardSource(nullptr);
}

std::array<host::Dataset*, kAfCacheEntries> LancaAutoF::afDatasets() {
    return {&cdsAutoForne, &cdsItemAutf_Produto, &cdsItemAutF, &cdsImpostoAF, &cdsMensagensAF,
            &cdsDataEncargo, &cdsEncargo, &cdsPrazoPgtAF, &cdsNFBaixa, &cdsMovOpAF};
}

void LancaAutoF::buildTabs() {
    pgcPadrao = new QTabWidget(this);
    pgcPadrao->setObjectName(QStringLiteral("pgcPadrao"));
    for (int i = 0; i < kWorkspaceTabCount; ++i)
        m_pages[size_t(i)] = page(pgcPadrao, QString::fromUtf8(kTabs[i].caption),
                                  QStringLiteral("tsh") + QLatin1String(kTabs[i].name));

    DBGrid1 = gridOn(tabPage(WorkspaceTab::FilialDest), &dtsFilialDest, QStringLiteral("DBGrid1"));
    DBGrid1->setColumns({kit::GridColumn(QStringLiteral("CDFILIAL"), QStringLiteral("Código"), 60).asReadOnly(),
                         kit::GridColumn(QStringLiteral("NMFILIAL"), QStringLiteral("Nome"), 300).asReadOnly()});
    DBGrid1->setReadOnly(true);

    dbgAutoForne = gridOn(tabPage(WorkspaceTab::AF), &dtsServAutoForne, QStringLiteral("dbgAutoForne"));
    configureAfListGrid(*dbgAutoForne);

    header = std::make_unique<HeaderEntry>(*this, tabPage(WorkspaceTab::DadosAF));

    // "Produtos": item products above, the items (the standard grid) and the inner tabs below.
    QWidget* produtos = tabPage(WorkspaceTab::Produtos);
    auto* split = new QSplitter(Qt::Vertical, produtos);
    produtos->layout()->addWidget(split);
    dbgProdutos = new kit::DBGrid(split);
    dbgProdutos->setObjectName(QStringLiteral("dbgProdutos"));
    dbgProdutos->setDataSource(&dtsItemAutf_Produto);
    contentLayout()->removeWidget(standardGrid());
    standardGrid()->setParent(split);
    split->addWidget(standardGrid());
    pgcProdutos = new QTabWidget(split);
    pgcProdutos->setObjectName(QStringLiteral("pgcProdutos"));
    m_innerPages[size_t(ProdutosTab::Imposto)] = page(pgcProdutos, QStringLiteral("Imposto"), QStringLiteral("tshImposto"));
    m_innerPages[size_t(ProdutosTab::EntregaBaixa)] =
        page(pgcProdutos, QStringLiteral("Entrega / Baixa Manual"), QStringLiteral("tshEntregaBaixa"));
    m_innerPages[size_t(ProdutosTab::Observacao)] =
        page(pgcProdutos, QStringLiteral("Observação"), QStringLiteral("tshObservacao"));
    dbgImposto = gridOn(innerPage(ProdutosTab::Imposto), &dtsImpostoAF, QStringLiteral("dbgImposto"));
    dbgNFBaixa = gridOn(innerPage(ProdutosTab::EntregaBaixa), &dtsNFBaixa, QStringLiteral("dbgNFBaixa"));
    dbmObservacao = new kit::DBMemo(&dtsPadrao, QStringLiteral("TXOBSITMAF"), innerPage(ProdutosTab::Observacao));
    dbmObservacao->setObjectName(QStringLiteral("dbmObservacao"));
    innerPage(ProdutosTab::Observacao)->layout()->addWidget(dbmObservacao);

    dbgMensagens = gridOn(tabPage(WorkspaceTab::Mensagem), &dtsMensagensAF, QStringLiteral("dbgMensagens"));
    dbgPrazoPgt = gridOn(tabPage(WorkspaceTab::FormaPgto), &dtsPrazoPgtAF, QStringLiteral("dbgPrazoPgt"));
    dbgDataEncargo = gridOn(tabPage(WorkspaceTab::Encargo), &dtsDataEncargo, QStringLiteral("dbgDataEncargo"));
    dbgEncargo = gridOn(tabPage(WorkspaceTab::Encargo), &dtsEncargo, QStringLiteral("dbgEncargo"));
    dbgMovOpAF = gridOn(tabPage(WorkspaceTab::Justificativa), &dtsMovOpAF, QStringLiteral("dbgMovOpAF"));

    lblEnviaAF = new QLabel(this);
    lblEnviaAF->setObjectName(QStringLiteral("lblEnviaAF"));
    contentLayout()->addWidget(pgcPadrao);
    contentLayout()->addWidget(lblEnviaAF);

    connect(pgcPadrao, &QTabWidget::currentChanged, this, [this](int index) { tabBarChanged(index); });
    connect(pgcPadrao->tabBar(), &QTabBar::tabBarClicked, this, [this] { m_userChange = true; });
    connect(pgcProdutos, &QTabWidget::currentChanged, this,
            [this] { kit::guard(this, [this] { loadTaxesForInnerTab(*this); }); });
}

void LancaAutoF::buildMenus() {
    auto addTool = [this](QMenu* menu, const QString& menuText, const QString& toolText, const QString& name) {
        auto* a = new QAction(menuText, this);
        a->setIconText(toolText);
        a->setObjectName(QStringLiteral("mnu") + name);
        menu->addAction(a);
        toolBar()->addAction(a);
        if (QWidget* b = toolBar()->widgetForAction(a)) {
            b->setObjectName(QStringLiteral("sbt") + name);
            b->setFocusPolicy(Qt::NoFocus);
        }
        return a;
    };
    mnuOpcoes = menuBar()->addMenu(QStringLiteral("&Opções"));
    mnuOpcoes->setObjectName(QStringLiteral("mnuOpcoes"));
    toolBar()->addSeparator();
    mnuFiltrar = addTool(mnuOpcoes, QStringLiteral("&Filtrar"), QStringLiteral("Filtrar"), QStringLiteral("Filtro"));
    mnuFiltrar->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    mnuFiltrar->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    mnuImportaSAC = addTool(mnuOpcoes, QStringLiteral("I&mportação SAC"), QStringLiteral("Importação SAC"),
                            QStringLiteral("ImportaSAC"));
    mnuImportaSAC->setEnabled(false);
    mnuMudAutProd = addTool(mnuOpcoes, QStringLiteral("&Mudança Automática de Produto"),
                            QStringLiteral("Mudança Automática de Produto"), QStringLiteral("MudAutProd"));
    mnuMudAutProd->setCheckable(true);

    mnuPastas = menuBar()->addMenu(QStringLiteral("&Pastas"));
    mnuPastas->setObjectName(QStringLiteral("mnuPastas"));
    for (int i = 0; i < kWorkspaceTabCount; ++i) {
        auto* a = new QAction(QString::fromUtf8(kTabs[i].menu), this);
        a->setObjectName(QStringLiteral("mnu") + QLatin1String(kTabs[i].name));
        a->setCheckable(true);
        mnuPastas->addAction(a);
        const auto tab = WorkspaceTab(i);
        connect(a, &QAction::triggered, this, [this, tab] { kit::guard(this, [&] { tabMenuItem(*this, tab); }); });
        m_tabActions[size_t(i)] = a;
    }
    connect(mnuFiltrar, &QAction::triggered, this, [this] { kit::guard(this, [this] { runFilter(*this); }); });
    connect(mnuImportaSAC, &QAction::triggered, this, [this] { kit::guard(this, [this] { importaSAC(*this); }); });
    connect(mnuMudAutProd, &QAction::triggered, this,
            [this] { kit::guard(this, [this] { mudancaAutomatica(*this); }); });
}

void LancaAutoF::bindReactions() {
    dtsFilialDest.onDataChange = [this](kit::DataSource&, host::Field* f) {
        if (!f) kit::guard(this, [this] { branchRowChanged(*this, false); });
    };
    dtsServAutoForne.onDataChange = [this](kit::DataSource&, host::Field* f) {
        if (!f) kit::guard(this, [this] { afListRowChanged(*this, false); });
    };
    dtsServAutoForne.onStateChange = [this](kit::DataSource&) { kit::guard(this, [this] { afListStateChanged(*this); }); };
    bindListRowRules(*this);
    installGridKeys(*this);
}

WorkspaceTab LancaAutoF::activeTab() const { return WorkspaceTab(qMax(0, pgcPadrao->currentIndex())); }

bool LancaAutoF::isTabEnabled(WorkspaceTab tab) const { return pgcPadrao->isTabEnabled(int(tab)); }

bool LancaAutoF::isTabVisible(WorkspaceTab tab) const { return pgcPadrao->isTabVisible(int(tab)); }

ProdutosTab LancaAutoF::activeInnerTab() const { return ProdutosTab(qMax(0, pgcProdutos->currentIndex())); }

bool LancaAutoF::selectTab(WorkspaceTab tab, bool runChange, bool user) {
    if (activeTab() == tab) return true;
    if (!kit::guard(this, [&] { leaveTab(*this, activeTab()); })) return false;
    m_selecting = true;
    pgcPadrao->setCurrentIndex(int(tab));
    m_selecting = false;
    m_shownTab = int(activeTab());
    if (runChange) kit::guard(this, [&] { tabChanged(*this, user); });
    return activeTab() == tab;
}

void LancaAutoF::tabBarChanged(int index) {
    const bool user = m_userChange;
    m_userChange = false;
    if (m_selecting || index < 0) return;
    // A change the tab bar made by itself (a click): the tab left posts its edits, or the change is undone.
    const int left = m_shownTab;
    if (!kit::guard(this, [&] { leaveTab(*this, WorkspaceTab(left)); })) {
        m_selecting = true;
        pgcPadrao->setCurrentIndex(left);
        m_selecting = false;
        return;
    }
    m_shownTab = index;
    kit::guard(this, [&] { tabChanged(*this, user); });
}

void LancaAutoF::setTabEnabled(WorkspaceTab tab, bool on) {
    const int current = pgcPadrao->currentIndex();
    m_selecting = true;
    pgcPadrao->setTabEnabled(int(tab), on);
    if (pgcPadrao->currentIndex() != current) pgcPadrao->setCurrentIndex(current);
    m_selecting = false;
}

FilterTargets LancaAutoF::filterTargets() {
    FilterTargets t;
    t.cdsParamFilial = &cdsParamFilial;
    t.cdsFilialDest = &cdsFilialDest;
    t.cdsServAutoForne = &cdsServAutoForne;
    t.cdsControleFilial = &cdsControleFilial;
    t.netLancaAutoF = &netLancaAutoF;
    t.headerCdFilDest = [this] {
        const host::Field* f = cdsAutoForne.active() ? cdsAutoForne.findField(QStringLiteral("CDFILDEST")) : nullptr;
        return f ? f->asString() : QString();
    };
    t.repaintWorkspace = [this] { update(); };
    return t;
}

QWidget* LancaAutoF::frame() const {
    if (auto* f = qobject_cast<QMdiSubWindow*>(parentWidget())) return f;
    return const_cast<LancaAutoF*>(this);
}

void LancaAutoF::watchFrame() {
    auto* f = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!f || f == m_frame) return;
    m_frame = f;
    connect(f, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates before, Qt::WindowStates now) {
        if ((now & Qt::WindowActive) && !(before & Qt::WindowActive)) activated();
        else if (!(now & Qt::WindowActive) && (before & Qt::WindowActive)) deactivated();
    });
}

void LancaAutoF::activated() {
    if (flags.active) return;
    flags.active = true;
    if (!flags.firstActivation) {
        kit::guard(this, [this] { everyActivation(*this); });
        return;
    }
    // The first activation opens the filter dialog: it runs once the screen is
    // on screen and its opening call has returned, not inside it.
    if (m_activationQueued) return;
    m_activationQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_activationQueued = false;
        onFirstActivation(*this);
    });
}

void LancaAutoF::deactivated() {
    if (!flags.active) return;
    flags.active = false;
    kit::guard(this, [this] { deactivation(*this); });
}

bool LancaAutoF::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ParentChange: watchFrame(); break;
    case QEvent::WindowActivate:
        if (isWindow()) activated();
        break;
    case QEvent::WindowDeactivate:
        if (isWindow()) deactivated();
        break;
    default: break;
    }
    return kit::StandardGridScreen::event(event);
}

bool LancaAutoF::onKeyPreview(QKeyEvent* event) {
    return workspaceKeyPreview(*this, event) || kit::StandardGridScreen::onKeyPreview(event);
}

void LancaAutoF::closeEvent(QCloseEvent* event) {
    kit::StandardGridScreen::closeEvent(event);
    if (event->isAccepted()) kit::guard(this, [this] { closeWorkspace(*this); });
}

}  // namespace afdesk
