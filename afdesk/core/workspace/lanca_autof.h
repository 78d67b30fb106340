#pragma once
// The AF workspace "CMP03900" ("Lançamento de Autorização de Fornecimento"):
// the owner of the datasets, lookups, connections and controls the workspace's
// behaviour units (start-up, permissions, message filter, keys, AF loading,
// tabs, list reactions, branch parameters, the toolbar's recomputation and
// reactions, the standard and special tools) work on. The class itself only
// builds the controls and routes Qt's events to those units.
#include "afdesk/core/model/af_key.h"
#include "afdesk/core/tools/tool_snapshot.h"
#include "afdesk/core/workspace/af_cache.h"
#include "afdesk/core/workspace/permissions.h"
#include "afdesk/core/workspace/workspace_queries.h"
#include "afdesk/core/workspace/workspace_site.h"

#include "host/remote/remote_names.h"
#include "host/data/dataset.h"
#include "host/remote/remote_connection.h"
#include "platform/kit/data_source.h"
#include "platform/kit/standard_grid_screen.h"

#include <QtCore/QPointer>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace kit {
class DBGrid;
class DBMemo;
class DBText;
}  // namespace kit

namespace afdesk {

class HeaderEntry;
class PaymentTerms;
struct FilterTargets;

// The inner tabs of "Produtos".
enum class ProdutosTab { Imposto, EntregaBaixa, Observacao };

// The state the workspace's units share, created with the screen.
struct WorkspaceFlags {
    bool firstActivation = true;  // until the first activation has run its set-up
    bool active = false;          // between an activation and the next deactivation
    Permissions permissions;
    bool readOnlyGroup = false;   // the operator belongs to the branch's read-only group
    bool logisticBranches = false;  // qryFuncaoFili found a logistic-operator branch
    bool showVolumeColumn = false;  // QTVOLUITEMAF of the item grid (IDUTQTDEVOLU = "S")
    bool showPriceListColumn = false;  // LISTA of the item-products grid (purchasing module)
    QString productPicture;       // DBPict type 0, for item code checks
    int settlementMarker = 0;     // receipt in progress (later: the total-receipt tool)
    bool boImpSoli = false;       // a purchase-request import fills the AF
    bool boIncluiAF = false;      // a new AF is being started
    bool boCancelaAF = false;     // a cancellation is being completed
    bool receiptOpen = false;     // the list row's AF is open or EDI (IDBAIXAAF empty or "7")
    QString flagProdutos = QStringLiteral("N");  // the two "S"/"N" workspace flags
    QString flagGravacao = QStringLiteral("N");
    QVariant itemEntryArray;      // kept by item entry; Null at creation
    QStringList itemEntryTexts;   // three remembered texts of item entry
    bool itemEntryFlag = false;
    int fechaAFTag = 0;           // tag of "Fechar AF": 99 = the next confirm closes the AF
    bool dadosAFPendingRefresh = false;  // "Dados da AF" presses "Verificar" when next shown
    bool reloadSuppressed = false;  // the list's row change loads no AF meanwhile
    bool branchAddedByParametros = false;  // Parametros added a cdsFilialDest row for the AF being entered
    Focus lastFocus = Focus::None;  // the focus the tools were last recomputed for
};

class LancaAutoF : public kit::StandardGridScreen, public WorkspaceSite {
public:
    explicit LancaAutoF(QWidget* parent = nullptr);
    ~LancaAutoF() override;

    // --- Datasets (declared before their data sources) ---------------------------
    host::Dataset cdsServAutoForne{QStringLiteral("cdsServAutoForne")};
    host::Dataset cdsAutoForne{QStringLiteral("cdsAutoForne")};
    host::Dataset cdsFilialDest{QStringLiteral("cdsFilialDest")};
    host::Dataset cdsParamFilial{QStringLiteral("cdsParamFilial")};
    host::Dataset cdsParamGeral{QStringLiteral("cdsParamGeral")};
    host::Dataset cdsAuxParCmp{QStringLiteral("cdsAuxParCmp")};
    host::Dataset cdsControleFilial{QStringLiteral("cdsControleFilial")};
    host::Dataset cdsMudAutProd{QStringLiteral("cdsMudAutProd")};
    host::Dataset cdsAprovSoliGer{QStringLiteral("cdsAprovSoliGer")};
    host::Dataset cdsItemAutf_Produto{QStringLiteral("cdsItemAutf_Produto")};
    host::Dataset cdsItemAutF{QStringLiteral("cdsItemAutF")};
    host::Dataset cdsImpostoAF{QStringLiteral("cdsImpostoAF")};
    host::Dataset cdsMensagensAF{QStringLiteral("cdsMensagensAF")};
    host::Dataset cdsDataEncargo{QStringLiteral("cdsDataEncargo")};
    host::Dataset cdsEncargo{QStringLiteral("cdsEncargo")};
    host::Dataset cdsPrazoPgtAF{QStringLiteral("cdsPrazoPgtAF")};
    host::Dataset cdsNFBaixa{QStringLiteral("cdsNFBaixa")};
    host::Dataset cdsMovOpAF{QStringLiteral("cdsMovOpAF")};
    host::Dataset cdsMovOpAFAux{QStringLiteral("cdsMovOpAFAux")};
    MessagesAf mensagensAf;  // the AF whose messages cdsMensagensAF holds

    // The ten datasets of one AF, in the order of the cache's entries 1 to 10.
    std::array<host::Dataset*, kAfCacheEntries> afDatasets();
    // The parts, each as `kAfParts` describes it, in its order; `which` picks some of them.
    std::vector<host::Dataset*> partDatasets(bool (*which)(const AfPartDef&) = nullptr);
    std::vector<kit::DataSource*> partSources(bool (*which)(const AfPartDef&) = nullptr);
    // The launch key (CDFILLANC + NRAUTOFORN) each of those was last loaded for,
    // which tells an empty dataset's AF apart.
    std::map<const host::Dataset*, QString> loadedFor;

    WorkspaceQueries queries;

    host::RemoteConnection netLancaAutoF{host::names::lancaAutoF::module};
    host::RemoteConnection netCompras{QStringLiteral("Cmp.rdmCompras")};

    // --- Data sources -------------------------------------------------------------
    kit::DataSource dtsServAutoForne{&cdsServAutoForne};
    kit::DataSource dtsAutoForne{&cdsAutoForne};
    kit::DataSource dtsFilialDest{&cdsFilialDest};
    kit::DataSource dtsItemAutf_Produto{&cdsItemAutf_Produto};
    kit::DataSource dtsPadrao{&cdsItemAutF};
    kit::DataSource dtsImpostoAF{&cdsImpostoAF};
    kit::DataSource dtsMensagensAF{&cdsMensagensAF};
    kit::DataSource dtsDataEncargo{&cdsDataEncargo};
    kit::DataSource dtsEncargo{&cdsEncargo};
    kit::DataSource dtsPrazoPgtAF{&cdsPrazoPgtAF};
    kit::DataSource dtsNFBaixa{&cdsNFBaixa};
    kit::DataSource dtsMovOpAF{&cdsMovOpAF};

    WorkspaceFlags flags;
    std::unique_ptr<HeaderEntry> header;  // the "Dados da AF" tab
    std::unique_ptr<PaymentTerms> terms;  // the payment terms' part in the header's events
    AfCache cache;
    QString listReadFor;  // the destination branch current when the list was last read
    QString lastListRow;  // the list row the reactions last ran for
    QString lastBranchRow;  // the branch row the reactions last ran for

    // --- Controls -------------------------------------------------------------------
    QTabWidget* pgcPadrao = nullptr;
    QTabWidget* pgcProdutos = nullptr;
    kit::DBGrid* DBGrid1 = nullptr;  // branches
    kit::DBGrid* dbgAutoForne = nullptr;
    kit::DBGrid* dbgProdutos = nullptr;
    kit::DBGrid* dbgImposto = nullptr;
    kit::DBGrid* dbgNFBaixa = nullptr;
    kit::DBGrid* dbgMensagens = nullptr;
    kit::DBGrid* dbgPrazoPgt = nullptr;
    kit::DBGrid* dbgDataEncargo = nullptr;
    kit::DBGrid* dbgEncargo = nullptr;
    kit::DBGrid* dbgMovOpAF = nullptr;
    kit::DBMemo* dbmObservacao = nullptr;
    QLabel* lblEnviaAF = nullptr;
    QMenu* mnuPastas = nullptr;
    QMenu* mnuOpcoes = nullptr;
    QToolBar* tbrOperacoes = nullptr;  // the special tools' row of buttons
    QMenu* mnuImportar = nullptr;      // "Importar &Solicitação de Compra" and the button "Importar"
    QPushButton* btbBaixar = nullptr;       // manual receipt, on "Entrega / Baixa Manual"
    kit::DBText* dbtItemMigrada = nullptr;  // "AF Migrada" / "Item de AF Migrado"
    QFrame* sepNavegador = nullptr;  // between the navigator texts
    // Menu items of the inner tabs of "Produtos".
    std::array<QAction*, 3> innerTabActions{};

    QWidget* tabPage(WorkspaceTab tab) const { return m_pages[size_t(tab)]; }
    QAction* tabAction(WorkspaceTab tab) const { return m_tabActions[size_t(tab)]; }
    QWidget* innerPage(ProdutosTab tab) const { return m_innerPages[size_t(tab)]; }
    WorkspaceTab activeTab() const override;
    bool isTabEnabled(WorkspaceTab tab) const;
    bool isTabVisible(WorkspaceTab tab) const override;
    ProdutosTab activeInnerTab() const;

    // Makes a tab active. `user` marks a change the user asked for (the tab
    // bar, Ctrl+Left/Right): the tab-change handling runs with a sender. The
    // tab being left posts its edits first; false when that refused the change.
    bool selectTab(WorkspaceTab tab, bool runChange = true, bool user = false) override;

    // Enables or disables tabs without the tab bar moving to another tab on its own.
    void setTabEnabled(WorkspaceTab tab, bool on);

    // What the filter dialog fills.
    FilterTargets filterTargets();

    // The tool recomputation: the screen's state read into a snapshot, the
    // rules applied, their outcome set on the tools. `source` is the data
    // source whose change triggered it.
    void Habilita_Ferramentas(Source source);
    // The recomputation with the data source the active tab drives.
    void updateTools() override;

    // Enables or disables an inner tab of "Produtos" without it moving to another.
    void setInnerTabEnabled(ProdutosTab tab, bool on);

    // The screen's part of the shell's window: itself, or the MDI child showing it.
    QWidget* frame() const;

    // --- Tools by identifier ------------------------------------------------------------
    // The action of a tool (a standard tool's own, or the operation's menu item and button).
    QAction* toolAction(WorkspaceTool tool) const;
    void setToolAction(WorkspaceTool tool, QAction* action);  // once, by whoever builds it
    using kit::StandardGridScreen::setToolEnabled;
    using kit::StandardGridScreen::toolEnabled;
    void setToolEnabled(WorkspaceTool tool, bool on);
    // What an operation does; without a handler it says it is not available yet.
    void setToolHandler(WorkspaceTool tool, std::function<void()> handler);

    // --- What the areas see (WorkspaceSite) ----------------------------------------------
    QWidget* dialogParent() override { return this; }
    host::Dataset& dataset(AfPart part) override;
    const host::Dataset& dataset(AfPart part) const;
    kit::DataSource& dataSource(AfPart part) override;
    host::Dataset& branches() override { return cdsFilialDest; }
    host::Dataset& branchParameters() override { return cdsParamFilial; }
    void startNewAfTables() override;
    void takeBranchParameters(const QString& branch) override;
    bool enteringNewAf() const override { return flags.boIncluiAF; }
    void setCloseMarker(bool changed) override { flags.fechaAFTag = changed ? 99 : 0; }
    void showList() override;
    bool toolEnabled(WorkspaceTool tool) const override;
    ToolSnapshot snapshot(Source source) const override;
    host::RemoteConnection& server() override { return netLancaAutoF; }
    PaymentTerms& paymentTerms() override { return *terms; }
    AlterationLog* alterationLog() override { return nullptr; }

protected:
    // The standard tools; each has its own unit (workspace_tool_*.cpp).
    void doInsert() override;
    void doEdit() override;
    void doDelete() override;
    void doSearch() override;
    void doVerify() override;
    void doConfirm() override;
    void doCancel() override;

    bool event(QEvent* event) override;
    bool onKeyPreview(QKeyEvent* event) override;
    bool queryClose() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTabs();
    void buildMenus();
    void bindReactions();
    void tabBarClicked(int index);
    void tabBarChanged(int index);
    void watchFrame();
    void activated();
    void deactivated();

    std::array<QWidget*, kWorkspaceTabCount> m_pages{};
    std::array<QAction*, kWorkspaceTabCount> m_tabActions{};
    std::array<QWidget*, 3> m_innerPages{};
    std::array<QAction*, kWorkspaceToolCount> m_toolActions{};
    std::array<std::function<void()>, kWorkspaceToolCount> m_toolHandlers{};
    void runTool(WorkspaceTool tool);
    int m_shownTab = 0;       // the tab shown before the current change
    bool m_selecting = false;  // a change made from code is under way
    bool m_userChange = false;
    bool m_clickLeft = false;     // a click already left the shown tab before the bar switched
    bool m_clickRefused = false;  // ... and that tab refused to be left
    QPointer<QMdiSubWindow> m_frame;
    bool m_activationQueued = false;
};

}  // namespace afdesk
