#pragma once
// The workspace's own state: the datasets, lookups, connections, shared flags
// and controls its units (start-up, loading, tabs, list reactions, the
// toolbar, the standard and special tools) work on. Only those units see it;
// a check keeps every other file out, and the areas see WorkspaceSite.
#include "afdesk/core/model/af_key.h"
#include "afdesk/core/workspace/af_cache.h"
#include "afdesk/core/workspace/lanca_autof.h"
#include "afdesk/core/workspace/permissions.h"
#include "afdesk/core/workspace/workspace_queries.h"

#include "host/data/dataset.h"
#include "host/remote/remote_connection.h"
#include "host/remote/remote_names.h"
#include "platform/kit/data_source.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <array>
#include <map>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolBar;

namespace kit {
class DBGrid;
class DBMemo;
class DBText;
}  // namespace kit

namespace afdesk {

class HeaderEntry;
class ItemEntry;
class PaymentTerms;

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

struct WorkspaceState {
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
    std::unique_ptr<ItemEntry> items;     // the "Produtos" tab
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
};

}  // namespace afdesk
