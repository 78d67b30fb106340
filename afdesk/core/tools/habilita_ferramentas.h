#pragma once
// The tool recomputation: from a snapshot of the workspace to the enabled
// state of every tool and menu item. Buttons copy their menu items, so one
// value stands for both.
#include "afdesk/core/tools/tool_snapshot.h"

namespace afdesk {

// Where the record navigator and the migrated-item label dbtItemMigrada point.
enum class NavigatorTarget { List, Standard };

struct ToolStates {
    // Standard tools.
    bool Incluir = false;
    bool Alterar = false;
    bool Excluir = false;
    bool Procurar = false;
    bool Verificar = false;
    bool Confirmar = false;
    bool Cancelar = false;
    // Special tools (button and menu item alike).
    bool sbtFiltro = false;          // "&Filtrar"
    bool sbtFechaAF = false;         // "Fecha&r AF"
    bool sbtConsistir = false;       // "C&onsistir"
    bool sbtB_Total = false;         // "&Baixar Totalmente"
    bool sbtB_TotalSaid = false;     // "Baixar &Totalmente (Saída)"
    bool mnuRetAFExp = false;        // return an expired AF
    bool sbtCancelaAF = false;       // "Cance&lar AF"
    bool sbtEncerrarAF = false;      // "&Encerrar AF"
    bool mnuReAFAberto = false;      // reopen
    bool sbtEnviaAFEmail = false;    // "E&nviar AF via e-mail"
    bool sbtImpSoliCmp = false;      // "Importar &Solicitação de Compra"
    bool mnuImpSoliCompras = false;  // its sub-item "Importar &Solicitação de Compras"
    bool sbtMudAutProd = false;      // "&Mudança Automática de Produto"
    bool mnuEncargo = false;         // the "&Encargo" tab menu item
    bool navigator = false;
    bool sbtAtualizaMercadum = false;
    bool colIDSITUENVAFMCD = false;  // list column shown while the marketplace button is enabled
    bool btnBaixar = false;          // manual receipt "Baixar"

    // Side effects of the recomputation.
    bool tabEntregaBaixa = false;    // inner tab "Entrega / Baixa Manual"
    bool tabEncargo = false;         // tab "Encargo"
    NavigatorTarget navigatorTarget = NavigatorTarget::List;
    bool itemMigradaVisible = true;  // dbtItemMigrada

    friend bool operator==(const ToolStates&, const ToolStates&) = default;
};

// Browse and Not empty are the list row's (a table of the AF being edited
// through the triggering data source also holds the browse tools), "being
// edited" is the list's or the triggering source's (a closed header hands over
// to the list); altering and deleting also need a row of the tab's own table.
// The AF's codes always come from the list's current row.
ToolStates Habilita_Ferramentas(const ToolSnapshot& s);

// The single rules, for callers that need one of them alone.
bool incluirEnabled(const ToolSnapshot& s);
bool alterarEnabled(const ToolSnapshot& s);
bool excluirEnabled(const ToolSnapshot& s);
bool procurarEnabled(const ToolSnapshot& s);
bool verificarEnabled(const ToolSnapshot& s);
bool baixarEnabled(const ToolSnapshot& s);  // the manual-receipt "Baixar", one rule for every caller
bool encargoTabEnabled(const ToolSnapshot& s);

}  // namespace afdesk
