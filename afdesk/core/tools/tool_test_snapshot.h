#pragma once
// A snapshot of an ordinary situation for the tool tests: an open manual AF
// selected in a browsed list, every dataset loaded with rows, an operator who
// may write and holds every permission, on the "AF" tab.
#include "afdesk/core/tools/tool_snapshot.h"

namespace afdesk::tooltest {

inline DatasetView browsed(bool empty = false) { return DatasetView{host::DatasetState::Browse, empty}; }
inline DatasetView editedView() { return DatasetView{host::DatasetState::Edit, false}; }
inline DatasetView insertedView() { return DatasetView{host::DatasetState::Insert, true}; }
inline DatasetView closedView() { return DatasetView{host::DatasetState::Inactive, true}; }

inline ToolSnapshot openAF() {
    ToolSnapshot s;
    s.tab = AfTab::AF;
    s.focus = Focus::Other;
    s.source = Source::List;
    for (DatasetView& v : s.sources) v = browsed();
    s.row.IDTIPOLANCAF = QStringLiteral("M");
    s.permissions = Permissions{true, true, true, true, true};
    s.confirmed = true;
    s.IDSISDOS = QStringLiteral("1");
    return s;
}

// The snapshot of a tab as the workspace recomputes it: the focus and the data source that tab drives.
inline ToolSnapshot onTab(ToolSnapshot s, AfTab tab) {
    s.tab = tab;
    switch (tab) {
    case AfTab::FilialDest: s.focus = Focus::Other; s.source = Source::Branches; break;
    case AfTab::AF: s.focus = Focus::Other; s.source = Source::List; break;
    case AfTab::DadosAF: s.focus = Focus::Other; s.source = Source::Header; break;
    case AfTab::Produtos: s.focus = Focus::ItemGrid; s.source = Source::Items; break;
    case AfTab::Mensagem: s.focus = Focus::Other; s.source = Source::Messages; break;
    case AfTab::FormaPgto: s.focus = Focus::TermsGrid; s.source = Source::Terms; break;
    case AfTab::Encargo: s.focus = Focus::Other; s.source = Source::Charges; break;
    case AfTab::Justificativa: s.focus = Focus::Other; s.source = Source::Movements; break;
    }
    return s;
}

inline const char* tabName(AfTab tab) {
    static const char* names[] = {"Filial Destino", "AF", "Dados da AF", "Produtos",
                                  "Mensagem", "Forma de Pagamento", "Encargo", "Justificativa de Alteração"};
    return names[int(tab)];
}

constexpr AfTab kAllTabs[] = {AfTab::FilialDest, AfTab::AF, AfTab::DadosAF, AfTab::Produtos,
                              AfTab::Mensagem, AfTab::FormaPgto, AfTab::Encargo, AfTab::Justificativa};

}  // namespace afdesk::tooltest
