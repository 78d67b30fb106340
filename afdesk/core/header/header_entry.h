#pragma once
// The header tab "Dados da AF": its entry controls, the header dataset's
// events (defaults of a new AF, validations, the order of checks at post, the
// list row following the header) and the checks other operations run on the
// AF's buyer. The workspace owns one; the toolbar calls the few entry points
// below, everything else is wired to cdsAutoForne's events.
#include "afdesk/core/tools/tool_snapshot.h"

#include <QtCore/QString>
#include <functional>
#include <memory>

class QWidget;

namespace host {
class Dataset;
}

namespace afdesk {

class WorkspaceSite;
struct HeaderStateDecisions;
struct HeaderQueries;

class HeaderEntry {
public:
    HeaderEntry(WorkspaceSite& site, QWidget* page);
    ~HeaderEntry();
    HeaderEntry(const HeaderEntry&) = delete;
    HeaderEntry& operator=(const HeaderEntry&) = delete;

    // Hooks the header dataset's before/after events; once the datasets are defined.
    void bindEvents();

    // The entry controls' part of the header state change: which boxes,
    // labels and lookups can be used for the header's state.
    void enableEntryControls();
    // The same with the decisions the workspace's header state change already took.
    void applyEntryControls(const HeaderStateDecisions& decisions);

    // The choice the invoice-recipient drop-down shows.
    Emitente emitente() const;

    // The logged operator may act on the AF's buyer; throws the validation error otherwise.
    void Vd_OperRelac();

    // "AF Extra" and "AF Piloto" follow the list's current row.
    void syncCheckBoxes();

    // --- The header's checks ----------------------------------------------------
    // Each returns normally or shows its message and abandons the operation
    // (host::Abort), moving the focus to the offending control. `obrig`: an
    // empty value is an error (the post), not only a value still to be typed.
    void Vd_CdFilDest();
    void Vd_DtLanc(bool obrig);
    void Vd_CDCOMP(bool obrig);
    void vd_Fornecedor(bool obrig);
    void Vd_ClienFilial();
    void vd_Empresa_Emitente(bool obrig);
    void vd_Cobranca();
    void Vd_TipoCtPagar();
    void vd_Transportadora();

    // The invoice-recipient drop-down's change (dcbEmitenteChange). `chosen`: the
    // user picked the choice in the drop-down, not just left the branch box.
    void emitenteChange(bool chosen = true);

    HeaderQueries& queries();
    // The last cancel of the header dropped a new AF.
    bool insertCancelled() const;
    // The header's tag: 99 once the post of a new AF began, 0 again at the next post.
    int headerTag() const;

    // "S" once the buyer typed in the header has been confirmed for the operator.
    QString IdSenhaComp;
    // A settlement is in progress: the post sets no automatic settlement mark.
    bool boEmBaixa = false;
    // Held true while the post writes the alteration log.
    bool boGrava = false;

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};

}  // namespace afdesk
