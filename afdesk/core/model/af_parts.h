#pragma once
// The parts of one AF as the workspace handles them: the list row, the header
// and the tables that hang off it. One description says, for each part, its
// dataset, the tab that shows it, how it is loaded, whether the one-AF cache
// keeps it, what a save sends and numbers, what a cancelled AF rolls back.
// Loading, caching, cancelling, the message filter and the tool rules read it
// instead of keeping lists of their own.
#include "host/remote/remote_names.h"

#include <array>
#include <cstddef>

namespace afdesk {

// In the order the workspace walks them (posting, caching, closing).
enum class AfPart {
    List,          // cdsServAutoForne: the AF's row of the list
    Header,        // cdsAutoForne
    ItemProducts,  // cdsItemAutf_Produto
    Items,         // cdsItemAutF
    Taxes,         // cdsImpostoAF
    Messages,      // cdsMensagensAF
    ChargeDates,   // cdsDataEncargo
    Charges,       // cdsEncargo
    Terms,         // cdsPrazoPgtAF
    Receipts,      // cdsNFBaixa
    Movements,     // cdsMovOpAF: the alteration log
};
constexpr int kAfPartCount = 11;

// The tabs of the workspace, in page order (the page control's indexes).
enum class WorkspaceTab { FilialDest, AF, DadosAF, Produtos, Mensagem, FormaPgto, Encargo, Justificativa };
constexpr int kWorkspaceTabCount = 8;

struct AfPartDef {
    AfPart part;
    const char* dataset;     // the dataset's name
    const char* dataSource;  // its data source's name
    WorkspaceTab tab;        // the tab that shows it
    const char* loadMethod;  // the load of one AF by its key (CDFILDEST, CDFILLANC, NRAUTOFORN); null: none
    int cacheEntry;          // its entry in the one-AF cache (1 to 10); 0: not cached
    int saveArgument;        // its change packet's place among the save's arguments; 0: not sent
    int numberingOrder;      // its place when a saved AF's number is spread into the rows; 0: not numbered
    bool rolledBack;         // an abandoned AF's changes to it are dropped with the AF
    bool newAfTable;         // a table of the AF entered with a new header (starts empty with it)
    bool userTable;          // rows the user enters in a grid: "Cancelar" drops its edit alone
};

inline constexpr std::array<AfPartDef, kAfPartCount> kAfParts = {{
    // part, dataset, data source, tab, load method, cache entry, save argument, numbering order, rolled back,
    // new AF's table, user's table
    {AfPart::List,         "cdsServAutoForne",    "dtsServAutoForne",    WorkspaceTab::AF,            nullptr,               0,    0,   1,   true,  false, false},
    {AfPart::Header,       "cdsAutoForne",        "dtsAutoForne",        WorkspaceTab::DadosAF,       host::names::lancaAutoF::GetAutoForne.data(), 1,    1,   2,   true,  false, false},
    {AfPart::ItemProducts, "cdsItemAutf_Produto", "dtsItemAutf_Produto", WorkspaceTab::Produtos,      host::names::lancaAutoF::GetItemAutf_Produto.data(), 2,    0,   3,   true,  true,  true},
    {AfPart::Items,        "cdsItemAutF",         "dtsPadrao",           WorkspaceTab::Produtos,      host::names::lancaAutoF::GetItemAutF.data(), 3,    3,   4,   true,  true,  true},
    {AfPart::Taxes,        "cdsImpostoAF",        "dtsImpostoAF",        WorkspaceTab::Produtos,      host::names::lancaAutoF::GetImpostoAF.data(), 4,    5,   5,   true,  true,  true},
    {AfPart::Messages,     "cdsMensagensAF",      "dtsMensagensAF",      WorkspaceTab::Mensagem,      host::names::lancaAutoF::GetMensagensAF.data(), 5,    6,   6,   true,  true,  true},
    {AfPart::ChargeDates,  "cdsDataEncargo",      "dtsDataEncargo",      WorkspaceTab::Encargo,       host::names::lancaAutoF::GetDataEncargo.data(), 6,    0,   8,   true,  true,  false},
    {AfPart::Charges,      "cdsEncargo",          "dtsEncargo",          WorkspaceTab::Encargo,       host::names::lancaAutoF::GetEncargo.data(), 7,    8,   9,   true,  true,  true},
    {AfPart::Terms,        "cdsPrazoPgtAF",       "dtsPrazoPgtAF",       WorkspaceTab::FormaPgto,     host::names::lancaAutoF::GetPrazoPgtAF.data(), 8,    7,   7,   true,  true,  true},
    {AfPart::Receipts,     "cdsNFBaixa",          "dtsNFBaixa",          WorkspaceTab::Produtos,      host::names::lancaAutoF::GetNFBaixa.data(), 9,    0,   0,   false, false, false},
    {AfPart::Movements,    "cdsMovOpAF",          "dtsMovOpAF",          WorkspaceTab::Justificativa, host::names::lancaAutoF::GetMovOpAF.data(), 10,   26,  0,   true,  false, false},
}};

constexpr const AfPartDef& afPart(AfPart part) { return kAfParts[std::size_t(part)]; }

}  // namespace afdesk
