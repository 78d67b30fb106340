// What happens around the header row: the list row that follows it, the
// defaults of a new AF, the checks and flags of its post, what the post of a
// new AF reads from the server, and the way back after a cancel.
#include "afdesk/core/header/header_impl.h"

#include "afdesk/core/model/dataset_packets.h"
#include "afdesk/core/terms/payment_terms.h"
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

}  // namespace

void HeaderEntry::Impl::ensureListRow() {
    host::Dataset& list = this->list();
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
    const QString listed = rowText(w.branches(), "CDFILIAL");
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
    host::Dataset& list = this->list();
    if (list.active() && list.state() == host::DatasetState::Browse) list.edit();
}

void HeaderEntry::Impl::afterDelete() { beforeEdit(); }

void HeaderEntry::Impl::beforePost() {
    const Busy busy(*this);
    headerTag = 0;
    QWidget* const focusAtPost = focused();
    if (onHeaderTab()) {
        const std::vector<HeaderCheck> order = headerCheckOrder(boxOf(focusAtPost));
        for (size_t i = 0; i < order.size(); ++i) {
            runCheck(order[i]);
            // With the buyer focused the others wait until the buyer is confirmed.
            if (i == 0 && focusAtPost == dbeCDComp && self.IdSenhaComp != QLatin1String("S")) break;
        }
        set("IDAUTOFORNEX", chbExtra->isChecked() ? QStringLiteral("S") : QStringLiteral("N"));
        if (logisticChoiceOpen) set("IDAFOPERLOG", chbOL->isChecked() ? host::Value(QStringLiteral("2")) : host::Value{});
        set("IDAFPILOTO", chbAfPiloto->isChecked() ? QStringLiteral("S") : QStringLiteral("N"));
    }
    const bool paymentTab = w.isActiveTab(WorkspaceTab::FormaPgto);
    if (inserting() || paymentTab) w.setCloseMarker(true);
    if (inserting()) {
        headerTag = 99;
    } else {
        const host::Field& payable = field("CDTPCTPAGAR");
        if (!(payable.value() == payable.oldValue())) w.setCloseMarker(true);
    }
    if (focusAtPost && (focusAtPost == dbeCDComp || focusAtPost == dbeNRINSJURForN || focusAtPost == dcbEmitente ||
                        focusAtPost == dbeCDEmpresa))
        focus(dbeCDCob);

    const host::Dataset& list = this->list();
    if (header().state() == host::DatasetState::Edit && rowText(list, "IDTPENVAFFOR") == QLatin1String("2") &&
        text("IDBAIXAAF").isEmpty() && rowText(list, "IDTIPOLANCAF") == QLatin1String("A") && !self.boEmBaixa)
        set("IDBAIXAAF", QStringLiteral("7"));

    if (w.isTabVisible(WorkspaceTab::Justificativa) &&
        (!rowText(list, "NRAUTOFORN").isEmpty() || w.enteringNewAf())) {
        self.boGrava = true;
        try {
            if (AlterationLog* log = w.alterationLog()) log->GravaMovOpAF();
        } catch (...) {
            self.boGrava = false;
            throw;
        }
        self.boGrava = false;
    }
    host::Seta_Campo_Null(header());
}

void HeaderEntry::Impl::afterPost() {
    w.paymentTerms().keepOnlyForPaymentByForm(text("IDTPFORPGTAF"));
    const bool newAf = headerTag == 99;
    if (newAf) readSupplierTerms();
    mirrorIntoList(newAf);
    if (w.isActiveTab(WorkspaceTab::FormaPgto)) w.updateTools();
}

void HeaderEntry::Impl::readSupplierTerms() {
    w.startNewAfTables();
    w.paymentTerms().takeSupplierTerms(text("CDFORNECED"), field("CDFILDEST").value(), field("CDFILLANC").value(),
                                       field("NRAUTOFORN").value());
}

void HeaderEntry::Impl::mirrorIntoList(bool newAf) {
    host::Dataset& list = this->list();
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
        w.setCloseMarker(false);
    }
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
        host::Dataset& list = this->list();
        if (list.state() == host::DatasetState::Insert) {
            const BulkScope quiet(list);  // the list's own row reactions wait
            list.cancel();
        }
        w.showList();
    }
    self.syncCheckBoxes();
    if (w.isActiveTab(WorkspaceTab::FormaPgto)) w.updateTools();
}

void HeaderEntry::Impl::afterScroll() {
    const QSignalBlocker quiet(chbOL);
    chbOL->setChecked(header().active() && !header().isEmpty() && text("IDAFOPERLOG") == QLatin1String("2"));
}

}  // namespace afdesk
