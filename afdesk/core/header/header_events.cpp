// What happens around the header row: the list row that follows it, the
// defaults of a new AF, the checks and flags of its post, what the post of a
// new AF reads from the server, and the way back after a cancel.
#include "afdesk/core/header/header_impl.h"

#include "afdesk/core/model/dataset_packets.h"
#include "afdesk/core/workspace/server_calls.h"

#include "host/data/errors.h"
#include "host/services/consiste.h"
#include "host/services/progress.h"
#include "host/services/session.h"
#include "platform/kit/db_check_box.h"
#include "platform/kit/db_combo_box.h"
#include "platform/kit/db_date_edit.h"
#include "platform/kit/db_edit.h"
#include "platform/kit/db_grid.h"

#include <QtCore/QSignalBlocker>
#include <QtWidgets/QCheckBox>

namespace afdesk {

namespace {

QString rowText(const host::Dataset& ds, const char* name) {
    const host::Field* f = ds.active() && !ds.isEmpty() ? ds.findField(QString::fromLatin1(name)) : nullptr;
    return f ? f->asString().trimmed() : QString();
}

// The payment terms of an AF, when no other unit defined them yet: the rows
// a new AF gets from its supplier's terms need the fields before any packet.
void ensureTermFields(host::Dataset& terms) {
    if (terms.active() || terms.fieldCount() > 0) return;
    terms.addField(host::FieldDef::string(QStringLiteral("CDFILDEST"), 4).hidden());
    terms.addField(host::FieldDef::string(QStringLiteral("CDFILLANC"), 4).hidden());
    terms.addField(host::FieldDef::string(QStringLiteral("NRAUTOFORN"), 10).hidden());
    terms.addField(host::FieldDef::floating(QStringLiteral("NRDIASPGTOAF"), QStringLiteral("Prazo(Dias)")));
    terms.addField(host::FieldDef::floating(QStringLiteral("VRPERCPGTOAF"), QStringLiteral("Percentual"),
                                            QStringLiteral("#0.00 %"))
                       .withEditFormat(QStringLiteral("#0.00")));
}

}  // namespace

void HeaderEntry::Impl::ensureListRow() {
    host::Dataset& list = w.cdsServAutoForne;
    if (list.editing()) return;
    const BulkScope quiet(list);  // the list's own row reactions wait
    if (!list.active()) list.createDataset();
    list.insert();
}

void HeaderEntry::Impl::beforeInsert() { ensureListRow(); }

void HeaderEntry::Impl::afterInsert() {
    if (!inserting()) return;
    const Busy busy(*this);
    branchAccepted = false;
    newAfDefaults();
    self.enableEntryControls();
    applyEmitterLook();
    focus(host::session().ModuFili() ? static_cast<QWidget*>(dbdDtLanc) : dbeCdFilDest);
    ensureListRow();
    self.syncCheckBoxes();
}

void HeaderEntry::Impl::newAfDefaults() {
    const QString filiProc = host::session().FiliProc();
    const QString listed = rowText(w.cdsFilialDest, "CDFILIAL");
    const QString branch = listed.isEmpty() ? filiProc : listed;
    set("CDFILDEST", branch);

    host::LookupQuery& filial = q.qryFilial;
    auto branchName = [&](const QString& code) {
        filial.close();
        filial.setParam(QStringLiteral("P_CDFILIAL"), code);
        filial.setParam(QStringLiteral("P_CDCENTCMP"), central());
        filial.open();
        return filial.isEmpty() ? host::Value{} : filial.field(QStringLiteral("NMFILIAL")).value();
    };
    set("NMFILDEST", branchName(branch));
    set("CDFILLANC", filiProc);
    set("NMFILIAL", branchName(filiProc));

    set("DTAUTOFORN", host::Value(host::DateTime::fromDate(host::session().DataProc(branchText()))));
    emitterDefaults(branch);
    set("IDTIPOLANCAF", QStringLiteral("M"));
}

void HeaderEntry::Impl::emitterDefaults(const QString& branch) {
    const QString kind = branchParam(branch, QStringLiteral("IDTIPEMITGER"));
    if (kind == QLatin1String("2")) {
        // The company of the parameters, named for the destination branch.
        const QString company = branchParam(branch, QStringLiteral("CDEMPRESA"));
        set("IDTIPOEMITAF", QStringLiteral("2"));
        set("CDEMPRESA", company);
        host::Value name;
        if (!company.isEmpty()) {
            host::LookupQuery& pesq = q.qryPesqEmpresa;
            pesq.close();
            pesq.setParam(QStringLiteral("P_CDEMPRESA"), company);
            pesq.setParam(QStringLiteral("P_CDFILIAL"), branch);
            pesq.open();
            if (!pesq.isEmpty()) name = pesq.field(QStringLiteral("NMEMPRESA")).value();
        }
        set("NMEMPRESA", name);
        return;
    }
    host::LookupQuery& dest = q.qryEmpresaDest;
    dest.close();
    dest.setParam(QStringLiteral("P_CDFILIAL"), branch);
    dest.open();
    set("IDTIPOEMITAF", kind == QLatin1String("3") ? QStringLiteral("3") : QStringLiteral("1"));
    set("CDEMPRESA", dest.isEmpty() ? host::Value{} : dest.field(QStringLiteral("CDEMPRESA")).value());
    set("NMEMPRESA", dest.isEmpty() ? host::Value{} : dest.field(QStringLiteral("NMEMPRESA")).value());
}

void HeaderEntry::Impl::beforeEdit() {
    host::Dataset& list = w.cdsServAutoForne;
    if (list.active() && list.state() == host::DatasetState::Browse) list.edit();
}

void HeaderEntry::Impl::afterDelete() { beforeEdit(); }

void HeaderEntry::Impl::beforePost() {
    const Busy busy(*this);
    w.flags.headerTag = 0;
    QWidget* const focusAtPost = focused();
    if (onHeaderTab()) {
        const std::vector<HeaderCheck> order = checkOrder(focusAtPost);
        for (size_t i = 0; i < order.size(); ++i) {
            runCheck(order[i]);
            // With the buyer focused the others wait until the buyer is confirmed.
            if (i == 0 && focusAtPost == dbeCDComp && self.IdSenhaComp != QLatin1String("S")) break;
        }
        set("IDAUTOFORNEX", chbExtra->isChecked() ? QStringLiteral("S") : QStringLiteral("N"));
        if (chbOL->isEnabled()) set("IDAFOPERLOG", chbOL->isChecked() ? host::Value(QStringLiteral("2")) : host::Value{});
        set("IDAFPILOTO", chbAfPiloto->isChecked() ? QStringLiteral("S") : QStringLiteral("N"));
    }
    const bool paymentTab = w.isActiveTab(WorkspaceTab::FormaPgto);
    if (paymentTab && self.onPaymentFormPost) self.onPaymentFormPost();
    if (inserting() || paymentTab) w.flags.fechaAFTag = 99;
    if (inserting()) {
        w.flags.headerTag = 99;
    } else {
        const host::Field& payable = field("CDTPCTPAGAR");
        if (!(payable.value() == payable.oldValue())) w.flags.fechaAFTag = 99;
    }
    if (focusAtPost && (focusAtPost == dbeCDComp || focusAtPost == dbeNRINSJURForN || focusAtPost == dcbEmitente ||
                        focusAtPost == dbeCDEmpresa))
        focus(dbeCDCob);

    const host::Dataset& list = w.cdsServAutoForne;
    if (header().state() == host::DatasetState::Edit && rowText(list, "IDTPENVAFFOR") == QLatin1String("2") &&
        text("IDBAIXAAF").isEmpty() && rowText(list, "IDTIPOLANCAF") == QLatin1String("A") && !self.boEmBaixa)
        set("IDBAIXAAF", QStringLiteral("7"));

    if (w.isTabVisible(WorkspaceTab::Justificativa) &&
        (!rowText(list, "NRAUTOFORN").isEmpty() || w.flags.boIncluiAF)) {
        self.boGrava = true;
        try {
            if (self.GravaMovOpAF) self.GravaMovOpAF();
        } catch (...) {
            self.boGrava = false;
            throw;
        }
        self.boGrava = false;
    }
    host::Seta_Campo_Null(header());
}

void HeaderEntry::Impl::afterPost() {
    host::Dataset& terms = w.cdsPrazoPgtAF;
    // Payment-term rows belong to payment by form only; each removal is a change the save sends.
    if (text("IDTPFORPGTAF") != QLatin1String("V") && terms.active())
        while (!terms.isEmpty()) {
            terms.first();
            terms.deleteRecord();
        }
    const bool newAf = w.flags.headerTag == 99;
    if (newAf) readSupplierTerms();
    mirrorIntoList(newAf);
    if (w.isActiveTab(WorkspaceTab::FormaPgto)) w.updateTools();
}

void HeaderEntry::Impl::readSupplierTerms() {
    {
        const host::ProgressGuard busy(&w, host::kAviTransfer, msg("Get_PrazoAF"));
        loadFromServer(cdsPrazoPgFor, w.netLancaAutoF, host::names::lancaAutoF::GetPrazoAF, {text("CDFORNECED")});
    }
    host::Dataset& terms = w.cdsPrazoPgtAF;
    terms.close();
    ensureTermFields(terms);
    terms.createDataset();
    if (cdsPrazoPgFor.active())
        for (cdsPrazoPgFor.first(); !cdsPrazoPgFor.eof(); cdsPrazoPgFor.next()) {
            terms.append();
            for (const char* key : {"CDFILDEST", "CDFILLANC", "NRAUTOFORN"})
                terms.field(QString::fromLatin1(key)).setValue(field(key).value());
            terms.field(QStringLiteral("NRDIASPGTOAF")).setValue(cdsPrazoPgFor.field(QStringLiteral("NRDIASPGTOFO")).value());
            terms.field(QStringLiteral("VRPERCPGTOAF")).setValue(cdsPrazoPgFor.field(QStringLiteral("VRPERCPGTOFO")).value());
            terms.post();
        }
    for (host::Dataset* items : {&w.cdsItemAutf_Produto, &w.cdsItemAutF, &w.cdsImpostoAF, &w.cdsMensagensAF,
                                 &w.cdsDataEncargo, &w.cdsEncargo}) {
        items->close();
        // Fields come from the item units' definitions; one without any stays closed (no rows either way).
        if (items->fieldCount() > 0) items->createDataset();
    }
}

void HeaderEntry::Impl::mirrorIntoList(bool newAf) {
    host::Dataset& list = w.cdsServAutoForne;
    if (!list.active()) return;
    if (!list.editing()) list.edit();
    auto copy = [&](const char* name) { list.field(QString::fromLatin1(name)).setValue(field(name).value()); };
    if (newAf)
        for (const char* name : {"CDFILDEST", "CDFILLANC", "NRAUTOFORN", "DTAUTOFORN", "NMRAZSOCFORN"}) copy(name);
    for (const char* name : {"IDAUTOFORNEX", "IDBAIXAAF", "IDSITUATUAAF", "IDAFFORALIM", "IDTIPOLANCAF", "VRTOTALAF",
                             "IDAFPRODWEB", "IDAFPILOTO"})
        copy(name);
}

void HeaderEntry::Impl::beforeCancel() {
    const Busy busy(*this);
    cancelledInsert = inserting();
    if (onHeaderTab() && inserting()) {
        if (dbdDtLanc->isModified()) dbdDtLanc->reset();  // an impossible date typed stays behind
        w.flags.fechaAFTag = 0;
    }
    if (self.onPaymentFormCancel) self.onPaymentFormCancel();
    QWidget* f = focused();
    if (f && (f == dbeCDComp || f == dbeNRINSJURForN || f == dcbEmitente || f == dbeCDEmpresa)) {
        for (kit::DBEdit* e : {dbeCDComp, dbeNRINSJURForN, dbeCDEmpresa}) e->reset();
        for (const char* name : {"CDOPERADOR", "NRINSJURFORN", "IDTIPOEMITAF"}) set(name, host::Value{});
        focus(dbeCDCob);
    }
}

void HeaderEntry::Impl::afterCancel() {
    branchAccepted = false;
    if (onHeaderTab() && cancelledInsert) {
        // The list row of the dropped AF goes with it; the list shows its AFs again.
        host::Dataset& list = w.cdsServAutoForne;
        if (list.state() == host::DatasetState::Insert) {
            const BulkScope quiet(list);  // the list's own row reactions wait
            list.cancel();
        }
        w.selectTab(WorkspaceTab::AF);
        if (w.dbgAutoForne->isVisible()) w.dbgAutoForne->setFocus(Qt::OtherFocusReason);
    }
    self.syncCheckBoxes();
    if (w.isActiveTab(WorkspaceTab::FormaPgto)) w.updateTools();
}

void HeaderEntry::Impl::afterScroll() {
    const QSignalBlocker quiet(chbOL);
    chbOL->setChecked(header().active() && !header().isEmpty() && text("IDAFOPERLOG") == QLatin1String("2"));
}

}  // namespace afdesk
