// The header tab's control handlers: leaving a box checks it, typing a code
// clears the name that belonged to the old one, and the order in which the
// post checks the header starts with the box the user is still in.
#include "afdesk/core/header/header_impl.h"

#include "host/data/errors.h"
#include "host/services/consiste.h"
#include "platform/kit/db_check_box.h"
#include "platform/kit/db_combo_box.h"
#include "platform/kit/db_date_edit.h"
#include "platform/kit/db_edit.h"
#include "platform/kit/guard.h"
#include "platform/kit/lookup_button.h"

#include <QtCore/QSignalBlocker>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>

namespace afdesk {

namespace {

using Impl = HeaderEntry::Impl;
using C = HeaderCheck;

}  // namespace

HeaderBox HeaderEntry::Impl::boxOf(const QWidget* f) const {
    if (!f) return HeaderBox::Other;
    if (f == dbeCdFilDest) return HeaderBox::Branch;
    if (f == dbeCDComp) return HeaderBox::Buyer;
    if (f == dbeNRINSJURForN) return HeaderBox::Supplier;
    if (f == dcbEmitente || f == dbeCDEmpresa || f == chbExtra) return HeaderBox::Emitter;
    if (f == dbeCDCob) return HeaderBox::Billing;
    if (f == dbeCDTPCTPAGAR) return HeaderBox::PayableType;
    if (f == dbeNRINSJURTRAN || f == dcbFrete) return HeaderBox::Carrier;
    if (f == dbdDtLanc) return HeaderBox::Date;
    return HeaderBox::Other;
}

void HeaderEntry::Impl::runCheck(HeaderCheck check) {
    switch (check) {
    case C::CdFilDest: self.Vd_CdFilDest(); break;
    case C::DtLanc: self.Vd_DtLanc(true); break;
    case C::CDCOMP: self.Vd_CDCOMP(true); break;
    case C::Fornecedor: self.vd_Fornecedor(true); break;
    case C::ClienFilial: self.Vd_ClienFilial(); break;
    case C::EmpresaEmitente: self.vd_Empresa_Emitente(true); break;
    case C::Cobranca: self.vd_Cobranca(); break;
    case C::TipoCtPagar: self.Vd_TipoCtPagar(); break;
    case C::Transportadora: self.vd_Transportadora(); break;
    }
}

void HeaderEntry::Impl::applyEmitterLook() {
    // A company the buyer types looks like an entry; one that follows the branch looks read-only.
    const Emitente e = self.emitente();
    const bool typed = e == Emitente::EmpresaInformada || e == Emitente::Nothing;
    QPalette look = dbeCDEmpresa->palette();
    look.setColor(QPalette::Base, look.color(typed ? QPalette::ToolTipBase : QPalette::Button));
    dbeCDEmpresa->setPalette(look);
}

void HeaderEntry::Impl::connectHandlers() {
    // A check that moves the focus makes other boxes lose it: their exits wait.
    // Leaving a box keeps what was typed in it: a name it dropped is gone for good.
    auto onExit = [this](kit::DBEdit* e, std::function<void()> check) {
        e->onExit = [this, e, check = std::move(check)] {
            namesBeforeTyping.erase(e);
            if (busy == 0) check();
        };
    };
    // Typing a new code drops the name of the old one; Esc brings both back.
    auto clearsName = [this](kit::DBEdit* e, const char* name, bool headerTabOnly) {
        e->onEdited = [this, e, name, headerTabOnly] {
            if (!headerTabOnly || onHeaderTab()) dropName(e, name);
        };
        e->onRevert = [this, e, name] { restoreName(e, name); };
    };
    // Registration boxes show the raw number while typed in.
    auto rawWhileTyping = [](kit::DBEdit* e) {
        e->onEnter = [e] {
            host::Field* f = e->field();
            if (!f || f->editMask().isEmpty()) return;
            f->setEditMask(QString());
            if (!e->isModified()) e->reset();
        };
    };

    onExit(dbeCdFilDest, [this] {
        self.Vd_CdFilDest();
        self.emitenteChange(false);
        focus(dbdDtLanc);
    });
    clearsName(dbeCdFilDest, "NMFILDEST", false);
    dbeCdFilDest->onKeyDown = [this](QKeyEvent* e) {
        if ((e->key() == Qt::Key_Delete || e->key() == Qt::Key_Backspace) && editing() && dbeCdFilDest->canModify())
            dropName(dbeCdFilDest, "NMFILDEST");
        return false;
    };

    onExit(dbdDtLanc, [this] { self.Vd_DtLanc(false); });

    dbeCDComp->onEdited = [this] {
        if (!onHeaderTab()) return;
        if (!namesBeforeTyping.count(dbeCDComp)) buyerConfirmedBeforeTyping = self.IdSenhaComp;
        dropName(dbeCDComp, "NMOPERADOR");
        self.IdSenhaComp = QStringLiteral("N");
    };
    // Esc gives back the buyer as it was, confirmed or not.
    dbeCDComp->onRevert = [this] {
        if (namesBeforeTyping.count(dbeCDComp)) self.IdSenhaComp = buyerConfirmedBeforeTyping;
        restoreName(dbeCDComp, "NMOPERADOR");
    };
    onExit(dbeCDComp, [this] {
        if (editing()) self.Vd_CDCOMP(false);
    });

    rawWhileTyping(dbeNRINSJURForN);
    clearsName(dbeNRINSJURForN, "NMRAZSOCFORN", true);
    onExit(dbeNRINSJURForN, [this] { self.vd_Fornecedor(false); });

    clearsName(dbeCDEmpresa, "NMEMPRESA", true);
    onExit(dbeCDEmpresa, [this] {
        if (editing()) self.vd_Empresa_Emitente(false);
    });

    clearsName(dbeCDCob, "NMTIPOCOBR", false);
    onExit(dbeCDCob, [this] {
        if (editing()) self.vd_Cobranca();
    });

    clearsName(dbeCDTPCTPAGAR, "DSTPCTPAGAR", false);
    onExit(dbeCDTPCTPAGAR, [this] {
        if (editing()) self.Vd_TipoCtPagar();
    });

    rawWhileTyping(dbeNRINSJURTRAN);
    clearsName(dbeNRINSJURTRAN, "NMRAZSOCTRAN", false);
    onExit(dbeNRINSJURTRAN, [this] { self.vd_Transportadora(); });

    dcbEmitente->onChange = [this] { self.emitenteChange(); };
    dcbEmitente->onExit = [this] {
        if (busy == 0 && inserting()) self.Vd_ClienFilial();
    };

    // Ticking "AF Extra" or "AF Piloto" starts an alteration of the header,
    // when the operator may alter it; otherwise the box goes back.
    for (QCheckBox* box : {chbExtra, chbAfPiloto}) {
        QObject::connect(box, &QCheckBox::clicked, box, [this, box](bool checked) {
            kit::guard(box, [&] {
                if (!onHeaderTab() || !box->hasFocus() || !header().active() || editing()) return;
                if (!w.toolEnabled(WorkspaceTool::Alterar)) {
                    const QSignalBlocker quiet(box);
                    box->setChecked(!checked);
                    return;
                }
                w.dataSource(AfPart::Header).edit();
            });
        });
    }

    // The weekday beside the date, and the company's look by the emitter, follow the row.
    listenerId = header().addListener([this](const host::DataEvent& e) {
        if (e.kind == host::DataEvent::StateChanged && !editing()) namesBeforeTyping.clear();  // the edit ended
        if (e.kind == host::DataEvent::UpdateRecord || e.kind == host::DataEvent::StateChanged) return;
        const host::Dataset& h = header();
        const host::Field* date = h.active() && !h.isEmpty() ? h.findField(QStringLiteral("DTAUTOFORN")) : nullptr;
        if (!e.field || e.field == date)
            lblDiaSemana->setText(date && !date->isNull() ? host::NomeSemana(date->asDateTime()) : QString());
        // The company box follows the emitter shown and the AF's receipt situation.
        if (!e.field || e.field->name() == QLatin1String("IDTIPOEMITAF") || e.field->name() == QLatin1String("IDBAIXAAF")) {
            self.enableEntryControls();
            applyEmitterLook();
        }
    });
}

}  // namespace afdesk
