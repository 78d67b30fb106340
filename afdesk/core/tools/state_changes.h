#pragma once
// The pure decisions of the workspace's reactions to dataset state changes:
// the header's, the list's and the items' (dtsPadrao). Each returns a value per
// decision; the screen applies them to its controls.
#include "afdesk/core/tools/habilita_ferramentas.h"
#include "afdesk/core/tools/tool_snapshot.h"

#include <array>
#include <optional>

namespace afdesk {

// Enabled state of the tabs and of the inner tabs of "Produtos" named with them.
struct TabEnabling {
    std::array<bool, kAfTabCount> tabs{};
    bool imposto = false;     // inner tab "Imposto"
    bool observacao = false;  // inner tab "Observação"

    bool& operator[](AfTab tab) { return tabs[std::size_t(tab)]; }
    bool operator[](AfTab tab) const { return tabs[std::size_t(tab)]; }
    friend bool operator==(const TabEnabling&, const TabEnabling&) = default;
};

// The control "Forma de Pagamento" focuses when nothing has the focus.
enum class FormaPgtoFocus { None, CodigoForma, DiaFixo, RadioGroup };

struct HeaderStateDecisions {
    bool recomputeTools = false;   // the tools are recomputed with the header
    // Header entry controls.
    bool comprador = false;        // buyer label, code box and lookup
    bool fornecedor = false;       // supplier label, registration box and lookup
    bool dataLancamento = false;   // launch date and its label
    bool filialDestino = false;    // destination-branch label, box and lookup
    bool mudAutProd = false;       // "&Mudança Automática de Produto" and its button
    bool destinatarioNF = false;   // label "Destinatário NF" and dcbEmitente
    bool empresa = false;          // dbeCDEmpresa and its lookup
    // Tabs; none while the active tab has no rule of its own ("Justificativa de Alteração").
    std::optional<TabEnabling> tabs;
    bool jumpToAF = false;         // make "AF" active (handling without sender)
    bool focusListGrid = false;    // after the jump, when "AF" is enabled
    FormaPgtoFocus formaPgtoFocus = FormaPgtoFocus::None;
    std::optional<bool> termsGridVisible;  // decided only while the header is browsed
    std::optional<ToolStates> filialDestTools;  // "Filial Destino" sets its tools directly
    // Tab menu items follow their tabs; separators of the navigator texts.
    std::optional<TabEnabling> tabMenu;
    bool separatorsVisible = false;
};

HeaderStateDecisions headerStateChange(const ToolSnapshot& s);

// The tools of "Filial Destino", set directly over the recomputed ones.
ToolStates filialDestTools(const ToolSnapshot& s, ToolStates computed);

struct ListStateDecisions {
    bool tabAF = false;
    bool tabFilialDest = false;
};

// Then the tools are recomputed with the list.
ListStateDecisions listStateChange(const ToolSnapshot& s);

struct StandardStateDecisions {
    bool itemGridEditing = false;          // the item grid in editing mode
    bool focusItemGrid = false;            // back to the item grid after a post on "Entrega / Baixa Manual"
    std::optional<bool> totalEntradas;     // label "Total Entradas" follows the received-quantity box
    Source recomputeWith = Source::Items;  // meaningful on "Produtos" only
    bool recomputeTools = false;
    bool cdMarcaButton = false;            // lookup of the item column CDMARCA
    bool sendFontNotice = false;           // 0xB00E to the item grid
    bool cdSegMarcaButton = false;         // lookups of CDSEGMARCA and VRPREUNIAF
    bool vrPreUniButton = false;
    std::optional<bool> imposto;           // inner tab "Imposto"
    std::optional<bool> encargo;           // tab "Encargo"
    bool syncTabMenu = false;              // menu items follow their tabs
    std::optional<bool> observacao;        // inner tab "Observação"
    bool activateImposto = false;          // when "Observação" is disabled
    bool btnBaixar = false;                // manual receipt "Baixar"
};

StandardStateDecisions standardStateChange(const ToolSnapshot& s);

}  // namespace afdesk
