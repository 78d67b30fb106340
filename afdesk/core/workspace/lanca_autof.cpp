#include "afdesk/core/workspace/lanca_autof.h"

#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/header/header_entry.h"
#include "afdesk/core/model/af_datasets.h"
#include "afdesk/core/model/af_detail_grids.h"
#include "afdesk/core/model/af_list_grid.h"
#include "afdesk/items/item_datasets.h"
#include "afdesk/items/item_entry.h"
#include "afdesk/core/workspace/af_loading.h"
#include "afdesk/core/workspace/list_reactions.h"
#include "afdesk/core/terms/payment_terms.h"
#include "afdesk/core/workspace/operation_tools.h"
#include "afdesk/core/workspace/parametros.h"
#include "afdesk/core/workspace/standard_tools.h"
#include "afdesk/core/workspace/tool_reactions.h"
#include "afdesk/core/workspace/workspace_toolbar.h"
#include "afdesk/core/workspace/workspace_keys.h"
#include "afdesk/core/workspace/workspace_module.h"
#include "afdesk/core/workspace/workspace_startup.h"
#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/workspace_tabs.h"

#include "host/services/session.h"
#include "platform/kit/db_date_edit.h"
#include "platform/kit/db_edit.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/db_memo.h"
#include "platform/kit/db_text.h"
#include "platform/kit/guard.h"
#include "platform/kit/screen_keys.h"

#include <QtCore/QScopedValueRollback>
#include <QtCore/QSignalBlocker>
#include <QtCore/QTimer>
#include <QtGui/QCloseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QVBoxLayout>
#include <utility>

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

LancaAutoF::LancaAutoF(QWidget* parent)
    : kit::StandardGridScreen(QStringLiteral("CMP03900"), parent), m_state(std::make_unique<WorkspaceState>()) {
    setWindowTitle(QStringLiteral("Lançamento de Autorização de Fornecimento"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Enter as Tab and the decimal comma are the message filter's (installed while active).
    keys().enterAsTab = [] { return false; };
    keys().decimalComma = false;

    defineServAutoForne(m_state->cdsServAutoForne, [this] { return isActiveTab(WorkspaceTab::Produtos); });
    defineAutoForne(m_state->cdsAutoForne, m_state->cdsServAutoForne);
    defineFilialDest(m_state->cdsFilialDest);
    guardFilialDest(m_state->cdsFilialDest, [this] { return isActiveTab(WorkspaceTab::FilialDest); });
    defineAuxParCmp(m_state->cdsAuxParCmp);
    defineParamFilial(m_state->cdsParamFilial);
    defineParamGeral(m_state->cdsParamGeral);
    defineControleFilial(m_state->cdsControleFilial);
    defineItemAutfProduto(m_state->cdsItemAutf_Produto);
    defineItemAutF(m_state->cdsItemAutF, [this] { return isActiveTab(WorkspaceTab::Produtos); });
    // Editing comes with the toolbar's rules (the items' source is the standard one, with the screen's own).
    for (kit::DataSource* s : partSources([](const AfPartDef& def) { return def.part != AfPart::Items; }))
        s->setAutoEdit(false);
    m_state->dtsFilialDest.setAutoEdit(false);

    buildTabs();
    buildMenus();
    setStandardSource(&m_state->dtsPadrao);
    // Only the workspace's own rules decide the tools (Habilita_Ferramentas).
    setAutoUpdateTools(false);
    bindReactions();
    m_state->header->bindEvents();
    m_state->items->bindEvents();
    createWorkspace(*this);
}

LancaAutoF::~LancaAutoF() {
    // The focus moves while the controls go: no reaction may reach the half-destroyed screen.
    QObject::disconnect(qApp, nullptr, this, nullptr);
    WorkspaceModuleState& s = workspaceState();
    if (s.screen == this) s.boStCriado = false;
    host::session().clearMsgEventForm(this);
    // The grids go before the datasets their sources point at.
    setStandardSource(nullptr);
}

namespace {

// The members behind each part, in the order of AfPart.
struct PartMembers {
    host::Dataset WorkspaceState::*dataset;
    kit::DataSource WorkspaceState::*source;
};
const PartMembers kPartMembers[kAfPartCount] = {
    {&WorkspaceState::cdsServAutoForne, &WorkspaceState::dtsServAutoForne},
    {&WorkspaceState::cdsAutoForne, &WorkspaceState::dtsAutoForne},
    {&WorkspaceState::cdsItemAutf_Produto, &WorkspaceState::dtsItemAutf_Produto},
    {&WorkspaceState::cdsItemAutF, &WorkspaceState::dtsPadrao},
    {&WorkspaceState::cdsImpostoAF, &WorkspaceState::dtsImpostoAF},
    {&WorkspaceState::cdsMensagensAF, &WorkspaceState::dtsMensagensAF},
    {&WorkspaceState::cdsDataEncargo, &WorkspaceState::dtsDataEncargo},
    {&WorkspaceState::cdsEncargo, &WorkspaceState::dtsEncargo},
    {&WorkspaceState::cdsPrazoPgtAF, &WorkspaceState::dtsPrazoPgtAF},
    {&WorkspaceState::cdsNFBaixa, &WorkspaceState::dtsNFBaixa},
    {&WorkspaceState::cdsMovOpAF, &WorkspaceState::dtsMovOpAF},
};

constexpr int cachedParts() {
    int n = 0;
    for (const AfPartDef& def : kAfParts) n += def.cacheEntry > 0 ? 1 : 0;
    return n;
}
static_assert(cachedParts() == kAfCacheEntries, "every cache entry is a part of the AF");

}  // namespace

host::Dataset& LancaAutoF::dataset(AfPart part) { return m_state.get()->*(kPartMembers[size_t(part)].dataset); }

const host::Dataset& LancaAutoF::dataset(AfPart part) const { return m_state.get()->*(kPartMembers[size_t(part)].dataset); }

kit::DataSource& LancaAutoF::dataSource(AfPart part) { return m_state.get()->*(kPartMembers[size_t(part)].source); }

std::vector<host::Dataset*> LancaAutoF::partDatasets(bool (*which)(const AfPartDef&)) {
    std::vector<host::Dataset*> out;
    for (const AfPartDef& def : kAfParts)
        if (!which || which(def)) out.push_back(&dataset(def.part));
    return out;
}

std::vector<kit::DataSource*> LancaAutoF::partSources(bool (*which)(const AfPartDef&)) {
    std::vector<kit::DataSource*> out;
    for (const AfPartDef& def : kAfParts)
        if (!which || which(def)) out.push_back(&dataSource(def.part));
    return out;
}

std::array<host::Dataset*, kAfCacheEntries> LancaAutoF::afDatasets() {
    std::array<host::Dataset*, kAfCacheEntries> out{};
    for (const AfPartDef& def : kAfParts)
        if (def.cacheEntry > 0) out[size_t(def.cacheEntry - 1)] = &dataset(def.part);
    return out;
}

void LancaAutoF::startNewAfTables() {
    for (host::Dataset* table : partDatasets([](const AfPartDef& def) { return def.newAfTable; })) {
        table->close();
        // Fields come from the areas' definitions; one without any stays closed (no rows either way).
        if (table->fieldCount() > 0) table->createDataset();
    }
}

host::Dataset& LancaAutoF::branches() { return m_state->cdsFilialDest; }

host::Dataset& LancaAutoF::branchParameters() { return m_state->cdsParamFilial; }

bool LancaAutoF::enteringNewAf() const { return m_state->flags.boIncluiAF; }

void LancaAutoF::setCloseMarker(bool changed) { m_state->flags.fechaAFTag = changed ? 99 : 0; }

host::RemoteConnection& LancaAutoF::server() { return m_state->netLancaAutoF; }

PaymentTerms& LancaAutoF::paymentTerms() { return *m_state->terms; }

void LancaAutoF::takeBranchParameters(const QString& branch) { Parametros(*this, branch); }

void LancaAutoF::showList() {
    selectTab(WorkspaceTab::AF);
    if (m_state->dbgAutoForne->isVisible()) m_state->dbgAutoForne->setFocus(Qt::OtherFocusReason);
}

ToolSnapshot LancaAutoF::snapshot(Source source) const { return toolSnapshot(*this, source); }

QAction* LancaAutoF::toolAction(WorkspaceTool tool) const {
    if (isStandardTool(tool)) return action(Tool(int(tool)));
    return m_toolActions[size_t(tool)];
}

void LancaAutoF::setToolAction(WorkspaceTool tool, QAction* a) {
    m_toolActions[size_t(tool)] = a;
    if (tool == WorkspaceTool::ImpSoliCmp) return;  // it opens its menu
    connect(a, &QAction::triggered, this, [this, tool] { kit::guard(this, [&] { runTool(tool); }); });
}

void LancaAutoF::setToolEnabled(WorkspaceTool tool, bool on) {
    if (isStandardTool(tool)) setToolEnabled(Tool(int(tool)), on);
    else if (QAction* a = toolAction(tool)) a->setEnabled(on);
}

bool LancaAutoF::toolEnabled(WorkspaceTool tool) const {
    if (isStandardTool(tool)) return toolEnabled(Tool(int(tool)));
    const QAction* a = toolAction(tool);
    return a && a->isEnabled();
}

void LancaAutoF::setToolHandler(WorkspaceTool tool, std::function<void()> handler) {
    m_toolHandlers[size_t(tool)] = std::move(handler);
}

void LancaAutoF::runTool(WorkspaceTool tool) {
    if (const auto& handler = m_toolHandlers[size_t(tool)]) handler();
    else notAvailable(*this, toolAction(tool)->toolTip());
}

void LancaAutoF::buildTabs() {
    WorkspaceState& ws = *m_state;
    ws.pgcPadrao = new QTabWidget(this);
    ws.pgcPadrao->setObjectName(QStringLiteral("pgcPadrao"));
    for (int i = 0; i < kWorkspaceTabCount; ++i)
        m_pages[size_t(i)] = page(ws.pgcPadrao, QString::fromUtf8(kTabs[i].caption),
                                  QStringLiteral("tsh") + QLatin1String(kTabs[i].name));

    ws.DBGrid1 = gridOn(tabPage(WorkspaceTab::FilialDest), &ws.dtsFilialDest, QStringLiteral("DBGrid1"));
    ws.DBGrid1->setColumns({kit::GridColumn(QStringLiteral("CDFILIAL"), QStringLiteral("Código"), 60).asReadOnly(),
                         kit::GridColumn(QStringLiteral("NMFILIAL"), QStringLiteral("Nome"), 300).asReadOnly()});
    ws.DBGrid1->setReadOnly(true);

    ws.dbgAutoForne = gridOn(tabPage(WorkspaceTab::AF), &ws.dtsServAutoForne, QStringLiteral("dbgAutoForne"));
    configureAfListGrid(*ws.dbgAutoForne);

    ws.terms = std::make_unique<PaymentTerms>(*this);
    ws.header = std::make_unique<HeaderEntry>(*this, tabPage(WorkspaceTab::DadosAF));
    ws.items = std::make_unique<ItemEntry>(*this);

    // "Produtos": item products above, the items (the standard grid) and the inner tabs below.
    QWidget* produtos = tabPage(WorkspaceTab::Produtos);
    auto* split = new QSplitter(Qt::Vertical, produtos);
    produtos->layout()->addWidget(split);
    ws.dbgProdutos = new kit::DBGrid(split);
    ws.dbgProdutos->setObjectName(QStringLiteral("dbgProdutos"));
    ws.dbgProdutos->setDataSource(&ws.dtsItemAutf_Produto);
    contentLayout()->removeWidget(standardGrid());
    standardGrid()->setParent(split);
    split->addWidget(standardGrid());
    ws.pgcProdutos = new QTabWidget(split);
    ws.pgcProdutos->setObjectName(QStringLiteral("pgcProdutos"));
    m_innerPages[size_t(ProdutosTab::Imposto)] = page(ws.pgcProdutos, QStringLiteral("Imposto"), QStringLiteral("tshImposto"));
    m_innerPages[size_t(ProdutosTab::EntregaBaixa)] =
        page(ws.pgcProdutos, QStringLiteral("Entrega / Baixa Manual"), QStringLiteral("tshEntregaBaixa"));
    m_innerPages[size_t(ProdutosTab::Observacao)] =
        page(ws.pgcProdutos, QStringLiteral("Observação"), QStringLiteral("tshObservacao"));
    ws.dbgImposto = gridOn(innerPage(ProdutosTab::Imposto), &ws.dtsImpostoAF, QStringLiteral("dbgImposto"));
    ws.dbgNFBaixa = gridOn(innerPage(ProdutosTab::EntregaBaixa), &ws.dtsNFBaixa, QStringLiteral("dbgNFBaixa"));
    ws.dbmObservacao = new kit::DBMemo(&ws.dtsPadrao, QStringLiteral("TXOBSITMAF"), innerPage(ProdutosTab::Observacao));
    ws.dbmObservacao->setObjectName(QStringLiteral("dbmObservacao"));
    innerPage(ProdutosTab::Observacao)->layout()->addWidget(ws.dbmObservacao);

    ws.dbgMensagens = gridOn(tabPage(WorkspaceTab::Mensagem), &ws.dtsMensagensAF, QStringLiteral("dbgMensagens"));
    ws.dbgPrazoPgt = gridOn(tabPage(WorkspaceTab::FormaPgto), &ws.dtsPrazoPgtAF, QStringLiteral("dbgPrazoPgt"));
    ws.dbgDataEncargo = gridOn(tabPage(WorkspaceTab::Encargo), &ws.dtsDataEncargo, QStringLiteral("dbgDataEncargo"));
    ws.dbgEncargo = gridOn(tabPage(WorkspaceTab::Encargo), &ws.dtsEncargo, QStringLiteral("dbgEncargo"));
    ws.dbgMovOpAF = gridOn(tabPage(WorkspaceTab::Justificativa), &ws.dtsMovOpAF, QStringLiteral("dbgMovOpAF"));
    ws.dbgProdutos->setColumns(productGridColumns());
    standardGrid()->setColumns(itemGridColumns());
    ws.dbgMensagens->setColumns(messageGridColumns());
    ws.dbgPrazoPgt->setColumns(termGridColumns());
    ws.dbgDataEncargo->setColumns(chargeDateGridColumns());
    ws.dbgEncargo->setColumns(chargeGridColumns());

    ws.lblEnviaAF = new QLabel(this);
    ws.lblEnviaAF->setObjectName(QStringLiteral("lblEnviaAF"));
    ws.dbtItemMigrada = new kit::DBText(&ws.dtsServAutoForne, QStringLiteral("IDITAFMIGRADA"), this);
    ws.dbtItemMigrada->setObjectName(QStringLiteral("dbtItemMigrada"));
    contentLayout()->addWidget(ws.pgcPadrao);
    // The texts beside the navigator, on one row, with a separator between them.
    auto* texts = new QHBoxLayout;
    texts->addWidget(ws.lblEnviaAF);
    ws.sepNavegador = new QFrame(this);
    ws.sepNavegador->setObjectName(QStringLiteral("sepNavegador"));
    ws.sepNavegador->setFrameShape(QFrame::VLine);
    ws.sepNavegador->setFrameShadow(QFrame::Sunken);
    ws.sepNavegador->setVisible(false);
    texts->addWidget(ws.sepNavegador);
    texts->addWidget(ws.dbtItemMigrada);
    texts->addStretch(1);
    contentLayout()->addLayout(texts);

    connect(ws.pgcPadrao, &QTabWidget::currentChanged, this, [this](int index) { tabBarChanged(index); });
    connect(ws.pgcPadrao->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) { tabBarClicked(index); });
    connect(ws.pgcProdutos, &QTabWidget::currentChanged, this,
            [this] { kit::guard(this, [this] { loadTaxesForInnerTab(*this); }); });
}

void LancaAutoF::buildMenus() {
    WorkspaceState& ws = *m_state;
    buildSpecialTools(*this);

    ws.mnuPastas = menuBar()->addMenu(QStringLiteral("&Pastas"));
    ws.mnuPastas->setObjectName(QStringLiteral("mnuPastas"));
    static constexpr const char* kInner[3][2] = {
        {"Imp&osto", "Imposto"}, {"Entrega / &Baixa Manual", "EntregaBaixa"}, {"Ob&servação", "Observacao"}};
    for (int i = 0; i < kWorkspaceTabCount; ++i) {
        auto* a = new QAction(QString::fromUtf8(kTabs[i].menu), this);
        a->setObjectName(QStringLiteral("mnu") + QLatin1String(kTabs[i].name));
        a->setCheckable(true);
        ws.mnuPastas->addAction(a);
        const auto tab = WorkspaceTab(i);
        connect(a, &QAction::triggered, this, [this, tab] { kit::guard(this, [&] { tabMenuItem(*this, tab); }); });
        m_tabActions[size_t(i)] = a;
        if (tab != WorkspaceTab::Produtos) continue;
        // The inner tabs of "Produtos" follow their tab in the menu.
        for (int j = 0; j < 3; ++j) {
            auto* inner = new QAction(QString::fromUtf8(kInner[j][0]), this);
            inner->setObjectName(QStringLiteral("mnu") + QLatin1String(kInner[j][1]));
            inner->setCheckable(true);
            ws.mnuPastas->addAction(inner);
            const auto innerTab = ProdutosTab(j);
            connect(inner, &QAction::triggered, this,
                    [this, innerTab] { kit::guard(this, [&] { innerTabMenuItem(*this, innerTab); }); });
            ws.innerTabActions[size_t(j)] = inner;
        }
    }
}

void LancaAutoF::bindReactions() {
    WorkspaceState& ws = *m_state;
    ws.dtsFilialDest.onDataChange.add([this](kit::DataSource&, host::Field* f) {
        if (!f) kit::guard(this, [this] { branchRowChanged(*this, false); });
    });
    ws.dtsServAutoForne.onDataChange.add([this](kit::DataSource&, host::Field* f) {
        if (!f) kit::guard(this, [this] { afListRowChanged(*this, false); });
    });
    ws.dtsServAutoForne.onStateChange.add([this](kit::DataSource&) { kit::guard(this, [this] { afListStateChanged(*this); }); });
    bindListRowRules(*this);
    bindToolReactions(*this);
    installGridKeys(*this);
}

WorkspaceTab LancaAutoF::activeTab() const { return WorkspaceTab(qMax(0, m_state->pgcPadrao->currentIndex())); }

bool LancaAutoF::isTabEnabled(WorkspaceTab tab) const { return m_state->pgcPadrao->isTabEnabled(int(tab)); }

bool LancaAutoF::isTabVisible(WorkspaceTab tab) const { return m_state->pgcPadrao->isTabVisible(int(tab)); }

ProdutosTab LancaAutoF::activeInnerTab() const { return ProdutosTab(qMax(0, m_state->pgcProdutos->currentIndex())); }

bool LancaAutoF::selectTab(WorkspaceTab tab, bool runChange, bool user) {
    if (activeTab() == tab) return true;
    if (!kit::guard(this, [&] { leaveTab(*this, activeTab()); })) return false;
    {
        const QScopedValueRollback selecting(m_selecting, true);
        m_state->pgcPadrao->setCurrentIndex(int(tab));
    }
    m_shownTab = int(activeTab());
    if (runChange) kit::guard(this, [&] { tabChanged(*this, user); });
    return activeTab() == tab;
}

void LancaAutoF::tabBarClicked(int index) {
    m_userChange = true;
    if (index < 0 || index == m_state->pgcPadrao->currentIndex() || !m_state->pgcPadrao->isTabEnabled(index)) return;
    // The tab is left before the bar switches, while it is still the active one:
    // its edits are posted (and checked) as on that tab, the focus still in its box.
    m_clickLeft = true;
    m_clickRefused = !kit::guard(this, [&] { leaveTab(*this, activeTab()); });
    // A click that ends up changing nothing leaves no marker behind.
    QTimer::singleShot(0, this, [this] { m_clickLeft = m_clickRefused = false; });
}

void LancaAutoF::tabBarChanged(int index) {
    const bool user = std::exchange(m_userChange, false);
    const bool left = std::exchange(m_clickLeft, false);
    const bool refused = std::exchange(m_clickRefused, false);
    if (m_selecting || index < 0) return;
    // A change the tab bar made by itself (a click): the tab left posts its edits, or the change is undone.
    const int shown = m_shownTab;
    if (refused || (!left && !kit::guard(this, [&] { leaveTab(*this, WorkspaceTab(shown)); }))) {
        const QScopedValueRollback selecting(m_selecting, true);
        m_state->pgcPadrao->setCurrentIndex(shown);
        return;
    }
    m_shownTab = index;
    kit::guard(this, [&] { tabChanged(*this, user); });
}

void LancaAutoF::setInnerTabEnabled(ProdutosTab tab, bool on) {
    WorkspaceState& ws = *m_state;
    if (ws.pgcProdutos->isTabEnabled(int(tab)) == on) return;
    const int current = ws.pgcProdutos->currentIndex();
    {
        // A disabled inner tab keeps its place: the bar must not move away on its own.
        const QSignalBlocker quiet(ws.pgcProdutos);
        ws.pgcProdutos->setTabEnabled(int(tab), on);
        if (ws.pgcProdutos->currentIndex() != current) ws.pgcProdutos->setCurrentIndex(current);
    }
}

void LancaAutoF::Habilita_Ferramentas(Source source) { recomputeTools(*this, source); }

void LancaAutoF::updateTools() { recomputeTools(*this, tabSource(*this)); }

void LancaAutoF::doInsert() { incluir(*this); }
void LancaAutoF::doEdit() { alterar(*this); }
void LancaAutoF::doDelete() { excluir(*this); }
void LancaAutoF::doSearch() { procurar(*this); }
void LancaAutoF::doVerify() { verificar(*this); }
void LancaAutoF::doConfirm() { confirmar(*this); }
void LancaAutoF::doCancel() { cancelar(*this); }

void LancaAutoF::setTabEnabled(WorkspaceTab tab, bool on) {
    WorkspaceState& ws = *m_state;
    if (ws.pgcPadrao->isTabEnabled(int(tab)) == on) return;
    const int current = ws.pgcPadrao->currentIndex();
    // Nested in a change under way (the focus moving recomputes the tools): its marker is restored, not cleared.
    const QScopedValueRollback selecting(m_selecting, true);
    ws.pgcPadrao->setTabEnabled(int(tab), on);
    if (ws.pgcPadrao->currentIndex() != current) ws.pgcPadrao->setCurrentIndex(current);
}

FilterTargets LancaAutoF::filterTargets() {
    WorkspaceState& ws = *m_state;
    FilterTargets t;
    t.cdsParamFilial = &ws.cdsParamFilial;
    t.cdsFilialDest = &ws.cdsFilialDest;
    t.cdsServAutoForne = &ws.cdsServAutoForne;
    t.cdsControleFilial = &ws.cdsControleFilial;
    t.netLancaAutoF = &ws.netLancaAutoF;
    t.headerCdFilDest = [this] {
        const host::Field* f = m_state->cdsAutoForne.active() ? m_state->cdsAutoForne.findField(QStringLiteral("CDFILDEST")) : nullptr;
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
    WorkspaceState& ws = *m_state;
    if (ws.flags.active) return;
    ws.flags.active = true;
    if (!ws.flags.firstActivation) {
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
    if (!m_state->flags.active) return;
    m_state->flags.active = false;
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

bool LancaAutoF::queryClose() { return mayClose(*this); }

void LancaAutoF::closeEvent(QCloseEvent* event) {
    kit::StandardGridScreen::closeEvent(event);
    if (event->isAccepted()) kit::guard(this, [this] { closeWorkspace(*this); });
}

}  // namespace afdesk
