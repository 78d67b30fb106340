#pragma once
// The header tab "Dados da AF": its entry controls, the header dataset's
// events (defaults of a new AF, validations, the order of checks at post, the
// list row following the header) and the checks other operations run on the
// AF's buyer. The workspace owns one; the toolbar calls the few entry points
// below, everything else is wired to cdsAutoForne's events.
#include "afdesk/core/tools/tool_snapshot.h"

#include <QtCore/QString>
#include <memory>

class QWidget;

namespace afdesk {

class LancaAutoF;

class HeaderEntry {
public:
    HeaderEntry(LancaAutoF& w, QWidget* page);
    ~HeaderEntry();
    HeaderEntry(const HeaderEntry&) = delete;
    HeaderEntry& operator=(const HeaderEntry&) = delete;

    // Hooks the header dataset's before/after events; once the datasets are defined.
    void bindEvents();

    // The entry controls' part of the header state change: which boxes,
    // labels and lookups can be used for the header's state.
    void enableEntryControls();

    // The choice the invoice-recipient drop-down shows.
    Emitente emitente() const;

    // The logged operator may act on the AF's buyer; throws the validation error otherwise.
    void Vd_OperRelac();

    // "AF Extra" and "AF Piloto" follow the list's current row.
    void syncCheckBoxes();

    // "S" once the buyer typed in the header has been confirmed for the operator.
    QString IdSenhaComp;
    // A settlement is in progress: the post sets no automatic settlement mark.
    bool boEmBaixa = false;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace afdesk
