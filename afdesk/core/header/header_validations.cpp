// The header's checks. Each leaves the row in its edit or insert state with
// what was typed, shows its message once and moves the focus to the control
// the user has to correct.
#include "afdesk/core/header/header_impl.h"


#include "host/data/errors.h"
#include "host/library/library_units.h"
#include "host/remote/check_result.h"
#include "host/remote/remote_connection.h"
#include "host/services/consiste.h"
#include "host/services/progress.h"
#include "host/services/session.h"
#include "platform/kit/db_check_box.h"
#include "platform/kit/db_combo_box.h"
#include "platform/kit/db_date_edit.h"
#include "platform/kit/db_edit.h"
#include "platform/kit/lookup_button.h"

#include <QtWidgets/QLabel>

namespace afdesk {

namespace {

using Impl = HeaderEntry::Impl;

// Runs a check; on any failure first the header tab is shown (when asked)
// and the control takes the focus, then the failure goes on.
template <typename Check>
void onFailureFocus(Impl& d, QWidget* control, bool showTab, Check&& check) {
    const Impl::Busy busy(d);
    try {
        check();
    } catch (...) {
        if (showTab) d.showHeaderTab();
        d.focus(control);
        throw;
    }
}

QDateTime asQDateTime(const host::DateTime& dt) { return QDateTime(dt.date(), dt.time()); }

// The first of the two dates' months is not after the second's.
bool monthNotAfter(const QDate& date, const QDate& reference) {
    return host::PriDiaMes(date) <= host::PriDiaMes(reference);
}

}  // namespace

void HeaderEntry::Vd_CdFilDest() {
    if (!d->inserting()) return;
    onFailureFocus(*d, d->dbeCdFilDest, false, [this] {
        d->flush(d->dbeCdFilDest);
        QString branch = d->branchText();
        if (branch.isEmpty()) d->fail("FilialVazia");
        branch = host::Ajusta(branch, 4);
        d->set("CDFILDEST", branch);

        host::LookupQuery& filial = d->q.qryFilial;
        filial.close();
        filial.setParam(QStringLiteral("P_CDFILIAL"), branch);
        filial.setParam(QStringLiteral("P_CDCENTCMP"), d->central());
        filial.open();
        if (filial.isEmpty()) d->fail("FILIAL_INVALID");
        d->set("CDFILDEST", filial.field(QStringLiteral("CDFILIAL")).asString());
        d->set("NMFILDEST", filial.field(QStringLiteral("NMFILIAL")).asString());

        if (d->w.branchParameters().active()) d->w.branchParameters().locate(QStringLiteral("CDFILIAL"), branch);
        QString flags;
        {
            const host::ProgressGuard busy(d->w.dialogParent(), host::kAviTransfer, d->msg("Get_ParCentCmp"));
            flags = host::CheckResultServ(d->w.server().call(host::names::lancaAutoF::GetParCentCmp, {branch}), true, 3)
                        .text();
        }
        if (flags.at(0) == QLatin1Char('1')) d->fail("FilCentCmp_Inf");
        if (flags.at(1) == QLatin1Char('1')) d->fail("FilParCmpSup_Inf");
        d->logisticChoiceOpen = flags.at(2) != QLatin1Char('1');
        d->chbOL->setEnabled(d->logisticChoiceOpen);

        d->w.takeBranchParameters(branch);
        d->branchAccepted = true;
        d->dbeCdFilDest->setEnabled(false);
        d->btnPesqFilDest->setEnabled(false);
        d->lblFilDest->setEnabled(false);
    });
}

void HeaderEntry::Vd_DtLanc(bool obrig) {
    if (!d->inserting()) return;
    onFailureFocus(*d, d->dbdDtLanc, false, [this, obrig] {
        // The date box refuses an impossible date itself when it writes the typed text.
        if (obrig) d->flush(d->dbdDtLanc);
        host::Field& date = d->field("DTAUTOFORN");
        if (date.isNull()) {
            if (obrig) d->fail("Dt_Lanc_Deve");
            return;
        }
        const QString branch = d->branchText();
        const QDate typed = date.asDateTime().date();
        const QDate processing = host::session().DataProc(branch);
        if (d->branchParam(branch, QStringLiteral("IDVALDTAF")) == QLatin1String("D")) {
            if (typed != processing) d->fail("DTPROC");
        } else if (!monthNotAfter(typed, processing)) {
            d->fail("DTPROC_MES");
        }
    });
}

void HeaderEntry::Vd_CDCOMP(bool obrig) {
    if (!d->inserting()) return;
    onFailureFocus(*d, d->dbeCDComp, true, [this, obrig] {
        d->flush(d->dbeCDComp);
        const QString buyer = host::Ajusta(d->text("CDOPERADOR"), 12);
        d->set("CDOPERADOR", buyer);
        if (buyer.isEmpty()) {
            if (obrig) d->fail("CDCOMP_Vazio");
            return;
        }
        host::LookupQuery& comp = d->q.qryPesqComp;
        comp.close();
        comp.setParam(QStringLiteral("P_CDOPERADOR"), buyer);
        comp.open();
        if (comp.isEmpty()) d->fail("CDCOMP_N_EXISTE");
        d->set("CDOPERADOR", comp.field(QStringLiteral("CDOPERADOR")).asString());
        d->set("NMOPERADOR", comp.field(QStringLiteral("NMOPERADOR")).asString());

        const QString op = host::session().Operador();
        if (buyer == op) {
            // Operators need no password to enter AFs as their own buyer. Left "N",
            // the post would stop after this check and skip every other one.
            IdSenhaComp = QStringLiteral("S");
            return;
        }
        host::LookupQuery& relac = d->q.qryOperRelacAux;
        relac.close();
        relac.setParam(QStringLiteral("P_CDCOMPRADOR"), buyer);
        relac.setParam(QStringLiteral("P_OPERADORLOGADO"), op);
        relac.open();
        if (!relac.result().locate(QStringLiteral("CDOPERADOR"), op)) d->fail("Oper_N_Relac");
        if (relac.field(QStringLiteral("IDAFCMPOPER")).asString() == QLatin1String("N")) d->fail("Oper_Relac_I_Aut");
        if (relac.field(QStringLiteral("IDEXSENHCMPOPER")).asString() != QLatin1String("S")) {
            IdSenhaComp = QStringLiteral("S");
            return;
        }
        if (IdSenhaComp != QLatin1String("N")) return;
        if (host::Lib00700::CriaConfSenha(buyer, d->msg("Conf_senh_Comp"), d->msg("stLbl_Comp"))) {
            IdSenhaComp = QStringLiteral("S");
            return;
        }
        IdSenhaComp = QStringLiteral("N");
        throw host::Abort();
    });
}

void HeaderEntry::vd_Fornecedor(bool obrig) {
    if (!d->inserting()) return;
    host::Field& number = d->field("NRINSJURFORN");
    try {
        onFailureFocus(*d, d->dbeNRINSJURForN, true, [this, obrig, &number] {
            d->flush(d->dbeNRINSJURForN);
            QString inscricao = number.asString().trimmed();
            if (inscricao.isEmpty()) {
                if (obrig) d->fail("FORN_NI");
                return;
            }
            const QString type = host::Ajusta_Inscricao(inscricao);
            number.setEditMask(host::PictPess(type));

            host::LookupQuery& forn = d->q.qryFornecedor;
            forn.close();
            forn.setParam(QStringLiteral("P_NRINSJURFORN"), inscricao);
            forn.setParam(QStringLiteral("P_IDTPIJURFORN"), type);
            forn.open();
            if (forn.isEmpty()) d->fail("CDFORN_N_EXISTE");
            auto from = [&forn](const char* name) { return forn.field(QString::fromLatin1(name)).value(); };
            for (const char* name : {"IDTPIJURFORN", "NRINSJURFORN", "NMRAZSOCFORN", "CDFORNECED"}) d->set(name, from(name));
            if (forn.field(QStringLiteral("IDSITUCADA")).asString().trimmed() == QLatin1String("I")) d->fail("Forn_Inativ");

            host::LookupQuery& qualif = d->q.qryQualifForn;
            qualif.close();
            qualif.setParam(QStringLiteral("P_CDFORNECED"), forn.field(QStringLiteral("CDFORNECED")).asString());
            const host::Field& date = d->field("DTAUTOFORN");
            qualif.setParam(QStringLiteral("P_DTAUTOFORN"),
                            date.isNull() ? QVariant() : QVariant(asQDateTime(date.asDateTime())));
            qualif.setParam(QStringLiteral("P_IDULTIDTVALQ"), d->branchParam(d->branchText(), QStringLiteral("IDULTIDTVALQ")));
            qualif.open();
            if (qualif.isEmpty()) d->fail("Qualif_Forn");

            // The supplier's defaults: freight and charge type only where the buyer chose none.
            if (d->text("IDTIPOFRETAF").isEmpty()) d->set("IDTIPOFRETAF", from("IDTPFRETFORN"));
            if (d->text("CDTIPCOB").isEmpty()) {
                d->set("CDTIPCOB", from("CDTIPCOB"));
                d->set("NMTIPOCOBR", from("NMTIPOCOBR"));
            }
            d->set("CDFORMPGTO", from("CDFORMPGTO"));
            d->set("NMFORMPGTO", from("NMFORMPGTO"));
            // "X" (no payment form) is stored as nothing.
            const QString kind = forn.field(QStringLiteral("IDTPFORPGTFO")).asString().trimmed();
            d->set("IDTPFORPGTAF", kind == QLatin1String("X") ? QString() : kind);
            d->set("IDUTDIAPGTAF", from("IDUTDIAPGTFO"));
            d->set("NRDIAPGFIXAF", from("NRDIAPGFIXFO"));
            d->set("NRPARCPGTOAF", from("NRPARCPGTOFO"));
        });
    } catch (...) {
        number.setEditMask(QString());
        throw;
    }
}

void HeaderEntry::Vd_ClienFilial() {
    if (!d->hasRow() || emitente() != Emitente::ClientePrincipal) return;
    onFailureFocus(*d, d->dcbEmitente, false, [this] {
        host::LookupQuery& q = d->q.qryPesqClienFilial;
        q.close();
        q.setParam(QStringLiteral("P_CDFILIAL"), d->branchText());
        q.open();
        if (q.isEmpty() || q.field(QStringLiteral("IDCLIENPRIN")).asString().trimmed() != QLatin1String("S"))
            d->fail("CLIENFILIAL_NCAD");
    });
}

void HeaderEntry::vd_Empresa_Emitente(bool obrig) {
    const Emitente e = emitente();
    if (e != Emitente::EmpresaInformada && e != Emitente::Nothing) return;
    if (!d->editing()) return;
    onFailureFocus(*d, d->dbeCDEmpresa, true, [this, obrig] {
        d->flush(d->dbeCDEmpresa);
        const QString company = host::Ajusta(d->text("CDEMPRESA"), 2);
        d->set("CDEMPRESA", company);
        if (company.isEmpty()) {
            if (obrig) d->fail("Emitente_Obrig_Inform_Emp");
            return;
        }
        host::LookupQuery& q = d->q.qryPesqEmpresa;
        q.close();
        q.setParam(QStringLiteral("P_CDEMPRESA"), company);
        q.setParam(QStringLiteral("P_CDFILIAL"), d->branchText());
        q.open();
        if (q.isEmpty()) d->fail("CDEMP_N_EXISTE");
        d->set("CDEMPRESA", q.field(QStringLiteral("CDEMPRESA")).value());
        d->set("NMEMPRESA", q.field(QStringLiteral("NMEMPRESA")).value());
    });
}

void HeaderEntry::vd_Cobranca() {
    if (!d->hasRow()) return;
    onFailureFocus(*d, d->dbeCDCob, true, [this] {
        if (d->editing()) d->flush(d->dbeCDCob);
        const QString code = host::Ajusta(d->text("CDTIPCOB"), 2);
        d->set("CDTIPCOB", code);
        if (code.isEmpty()) return;
        host::LookupQuery& q = d->q.qryPesqCobr;
        q.close();
        q.setParam(QStringLiteral("P_CDTIPCOB"), code);
        q.open();
        if (q.isEmpty()) d->fail("CDCOB_N_EXISTE");
        d->set("CDTIPCOB", q.field(QStringLiteral("CDTIPCOB")).value());
        d->set("NMTIPOCOBR", q.field(QStringLiteral("NMTIPOCOBR")).value());
    });
}

void HeaderEntry::Vd_TipoCtPagar() {
    if (!d->hasRow()) return;
    onFailureFocus(*d, d->dbeCDTPCTPAGAR, true, [this] {
        if (d->editing()) d->flush(d->dbeCDTPCTPAGAR);
        const QString code = host::Ajusta(d->text("CDTPCTPAGAR"), 6);
        if (code.isEmpty()) {
            d->set("CDTPCTPAGAR", host::Value{});
            d->set("DSTPCTPAGAR", host::Value{});
            return;
        }
        d->set("CDTPCTPAGAR", code);
        host::LookupQuery& q = d->q.qryTipoCtPagar;
        q.close();
        q.setParam(QStringLiteral("P_TPCTPAGAR"), code);
        q.open();
        if (q.isEmpty()) d->fail("TPCTPAGAR_N_EXISTE");
        d->set("CDTPCTPAGAR", q.field(QStringLiteral("CDTPCTPAGAR")).value());
        d->set("DSTPCTPAGAR", q.field(QStringLiteral("DSTPCTPAGAR")).value());
    });
}

void HeaderEntry::vd_Transportadora() {
    if (!d->hasRow()) return;
    host::Field& number = d->field("NRINSJURTRAN");
    try {
        onFailureFocus(*d, d->dbeNRINSJURTRAN, true, [this, &number] {
            if (d->editing()) d->flush(d->dbeNRINSJURTRAN);
            QString inscricao = number.asString().trimmed();
            if (inscricao.isEmpty()) return;
            const QString type = host::Ajusta_Inscricao(inscricao);
            number.setEditMask(host::PictPess(type));
            if (!d->editing()) return;
            host::LookupQuery& q = d->q.qryPesqTransp;
            q.close();
            q.setParam(QStringLiteral("P_CDFILDEST"), d->branchText());
            q.setParam(QStringLiteral("P_IDTPIJURTRAN"), type);
            q.setParam(QStringLiteral("P_NRINSJURTRAN"), inscricao);
            q.open();
            if (q.isEmpty()) d->fail("CDTRANSP_N_EXISTE");
            d->set("NRINSJURTRAN", q.field(QStringLiteral("NRINSJURTRAN")).value());
            d->set("NMRAZSOCTRAN", q.field(QStringLiteral("NMRAZSOCTRAN")).value());
            d->set("IDTPIJURTRAN", q.field(QStringLiteral("IDTPIJURTRAN")).value());
        });
    } catch (...) {
        number.setEditMask(QString());
        throw;
    }
}

void HeaderEntry::Vd_OperRelac() {
    const QString op = host::session().Operador();
    host::LookupQuery& logado = d->q.qryOperadorLogado;
    logado.close();
    logado.setParam(QStringLiteral("P_OPERADORLOGADO"), op);
    logado.open();
    if (!logado.isEmpty()) return;  // a buyer may act on any buyer's AF

    // The AF's buyer: the header's when it shows an AF, else the list row's.
    const host::Dataset& header = d->header();
    const host::Dataset& list = d->list();
    const host::Dataset& source = header.active() && !header.isEmpty() ? header : list;
    const host::Field* buyerField =
        source.active() && !source.isEmpty() ? source.findField(QStringLiteral("CDOPERADOR")) : nullptr;
    const QString buyer = buyerField ? buyerField->asString().trimmed() : QString();

    host::LookupQuery& comprador = d->q.qryCompradorAF;
    comprador.close();
    comprador.setParam(QStringLiteral("P_OPERADORLOGADO"), buyer);
    comprador.open();
    if (comprador.isEmpty()) d->fail("OPER_AF_N_COMP");

    host::LookupQuery& relac = d->q.qryOperRelacAux;
    relac.close();
    relac.setParam(QStringLiteral("P_CDCOMPRADOR"), buyer);
    relac.setParam(QStringLiteral("P_OPERADORLOGADO"), op);
    relac.open();
    if (relac.isEmpty()) d->fail("Oper_N_Relac_Comp");
    if (relac.field(QStringLiteral("IDAFCMPOPER")).asString().trimmed() == QLatin1String("N")) d->fail("Oper_Relac_N_Aut");
}

void HeaderEntry::emitenteChange(bool chosen) {
    if (!d->editing()) return;
    const Emitente e = emitente();
    const QString branch = d->branchText();
    host::LookupQuery& destNF = d->q.qryDestNF;
    destNF.close();
    destNF.setParam(QStringLiteral("P_CDFILIAL"), branch);
    destNF.open();
    const bool typed = e == Emitente::EmpresaInformada || e == Emitente::Nothing;
    d->dbeCDEmpresa->setEnabled(typed);
    d->btnEmitente->setEnabled(typed);
    d->applyEmitterLook();
    Vd_ClienFilial();
    if (e == Emitente::EmpresaInformada) {
        // Only choosing "Empresa Informada" clears the company: the one the
        // branch parameters gave a new AF stays when the branch box is left.
        if (!chosen) return;
        d->set("CDEMPRESA", host::Value{});
        d->set("NMEMPRESA", host::Value{});
    } else if (e == Emitente::EmpresaFilial || e == Emitente::ClientePrincipal) {
        const bool found = !destNF.isEmpty();
        d->set("CDEMPRESA", found ? destNF.field(QStringLiteral("CDEMPRESA")).value() : host::Value{});
        d->set("NMEMPRESA", found ? destNF.field(QStringLiteral("NMEMPRESA")).value() : host::Value{});
    }
}

}  // namespace afdesk
