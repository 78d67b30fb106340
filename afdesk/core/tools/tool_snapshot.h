#pragma once
// Everything the workspace's tool-enabling rules read, as plain values. The
// screen fills a snapshot from its widgets and datasets; the rules turn it into
// decisions without touching either, so they can be tested row by row.
#include "afdesk/core/model/af_parts.h"
#include "afdesk/core/workspace/permissions.h"
#include "host/data/dataset.h"

#include <QtCore/QString>
#include <array>
#include <optional>

namespace afdesk {

// The workspace's tabs, in page order.
using AfTab = WorkspaceTab;
constexpr int kAfTabCount = kWorkspaceTabCount;

// The control holding the focus, as far as the rules tell controls apart.
enum class Focus {
    None,
    ItemGrid,          // dbgPadrao
    ProductGrid,       // dbgItemAutf_Produto
    TermsGrid,         // dbgPrazoPgtAF
    ChargeDateGrid,    // dbgDataEncargo
    TaxGrid,           // the taxes of the item
    ManualReceiptQty,  // quantity box of "Entrega / Baixa Manual"
    ReceivedQty,       // dbeQTEFETENTRAF
    Other,
};

// The data sources whose changes trigger a recomputation.
enum class Source {
    List,          // cdsServAutoForne
    Header,        // cdsAutoForne
    Items,         // dtsPadrao (cdsItemAutF)
    ItemProducts,  // the product grid's (cdsItemAutf_Produto)
    Taxes,         // cdsImpostoAF
    Messages,      // cdsMensagensAF
    Terms,         // cdsPrazoPgtAF
    ChargeDates,   // cdsDataEncargo
    Charges,       // cdsEncargo
    Movements,     // cdsMovOpAF
    Branches,      // cdsFilialDest
};
constexpr int kSourceCount = 11;

// A dataset as the rules see it: its state and whether it holds rows.
struct DatasetView {
    host::DatasetState state = host::DatasetState::Inactive;
    bool empty = true;

    bool open() const { return state != host::DatasetState::Inactive; }
    bool browsing() const { return state == host::DatasetState::Browse; }
    bool editing() const { return state == host::DatasetState::Edit || state == host::DatasetState::Insert; }
    bool inserting() const { return state == host::DatasetState::Insert; }
    // "open and empty": an opened dataset without rows.
    bool openAndEmpty() const { return open() && empty; }
};

// The codes of the list's current row (cdsServAutoForne) the rules read.
// Empty strings when the list is empty or closed.
struct AfRowCodes {
    QString IDBAIXAAF;     // receipt situation
    QString IDBAIXAFSAI;   // outbound receipt situation
    QString CDFILDESTCON;  // consolidating AF's branch: filled = consolidated
    QString IDITMSEPARADO; // "S": items separated, the AF is read-only
    QString IDAFEXPIRADA;  // "S": expired
    QString IDTIPOLANCAF;  // "M" manual, "A" automatic
    QString IDAFPRODWEB;   // "S": products bought via web
    QString IDAFOPERLOG;   // "1" consolidating, "2" distributed by the logistic operator
    QString IDSITUATUAAF;  // consistency: "1" inconsistent
    QString IDAFFORALIM;   // "S": outside the buyer's limit
    QString CDGERENTE;     // manager
};

// The choice shown by the invoice-recipient drop-down dcbEmitente.
enum class Emitente { Nothing, EmpresaFilial, EmpresaInformada, ClientePrincipal };

// The payment-term radio group's value ("X", "F", "V").
enum class FormaPgtoKind { Sem, DiaFixo, PelaForma };

struct ToolSnapshot {
    AfTab tab = AfTab::FilialDest;
    Focus focus = Focus::None;
    Source source = Source::List;  // the data source that triggered the recomputation

    // State of every data source, indexed by Source.
    std::array<DatasetView, kSourceCount> sources{};

    AfRowCodes row;           // the list's current row
    QString IDBAIXITMAF;      // situation of the current item (cdsItemAutF)
    QString itemIDITMSEPARADO;  // the current item's own separation flag

    Permissions permissions;
    bool readOnlyGroup = false;   // operator in the branch's read-only group (qryOperGrupOp)
    bool confirmed = false;       // the last filter run was confirmed
    QString IDSISDOS;             // of PARAMGERAL
    bool branchMode = false;      // the session works in branch mode
    bool marketplace = false;     // PARAMGERAL's PARAM = "S"
    bool logisticBranch = false;  // a logistic-operator branch exists
    bool closeAFChanged = false;  // the close-AF tool carries the changed marker

    // Header-entry state read by the header state change.
    QString headerIDBAIXAAF;      // of cdsAutoForne
    Emitente emitente = Emitente::Nothing;
    // "Forma de Pagamento" controls.
    FormaPgtoKind formaPgto = FormaPgtoKind::Sem;
    bool headerHasCDFORMPGTO = false;
    bool formaPgtoCodeEnabled = false;  // payment-form code box
    bool diaFixoEnabled = false;        // fixed-day box
    bool parcelasFocused = false;       // instalments box has the focus

    // Items: the received-quantity box and the "Total Entradas" label.
    bool receivedQtyEnabled = false;
    bool totalEntradasEnabled = false;
    bool itemGridEnabled = false;
    bool entregaBaixaActive = false;  // "Entrega / Baixa Manual" is the active inner tab

    const DatasetView& view(Source s) const { return sources[std::size_t(s)]; }
    DatasetView& view(Source s) { return sources[std::size_t(s)]; }
    const DatasetView& list() const { return view(Source::List); }
};

// The AF's part behind a data source the rules watch; none for the branches.
std::optional<AfPart> partOf(Source source);
// The data source the rules watch for an AF's part; none for the receipts.
std::optional<Source> sourceOf(AfPart part);

// Reading the snapshot's parts from the live datasets.
DatasetView viewOf(const host::Dataset& dataset);
// Codes of the current row; empty codes for a closed or empty list.
AfRowCodes rowCodesOf(const host::Dataset& list);

}  // namespace afdesk
