// The confirmation: validation, the saved criteria, the list calls and what a cancel gives back.
#include "filtro_af_impl.h"

#include "afdesk/core/model/dataset_packets.h"

#include "host/data/errors.h"
#include "host/remote/check_result.h"
#include "host/remote/remote_connection.h"
#include "host/services/progress.h"
#include "host/services/session.h"

namespace afdesk {

namespace {

host::RemoteValue dateArg(const QDate& d) {
    return d.isValid() ? host::RemoteValue(host::DateTime::fromDate(d)) : host::RemoteValue();
}

void setChecked(QRadioButton* all, QRadioButton* list, bool useList) {
    (useList ? list : all)->setChecked(true);
}

}  // namespace

FilterCriteria FiltroAF::Impl::criteria() const {
    const FilterModuleState& st = filterState();
    FilterCriteria c;
    c.fornLista = rbtFornLista->isChecked();
    c.fornList = st.stPesqForn;
    c.compLista = rbtCompLista->isChecked();
    c.compList = st.stPesqComp;
    c.filLista = rbtFilLista->isChecked();
    c.filList = branchList;
    c.branchMode = host::session().ModuFili();
    c.grouping = c.branchMode ? QString() : medAgrupFilial->value().trimmed();
    c.central = edtCdCentral->text();
    c.emisIni = depEmisIni->date();
    c.emisFim = depEmisFim->date();
    c.entrIni = depEntrIni->date();
    c.entrFim = depEntrFim->date();
    c.baixaParcial = chbBaixaParcial->isChecked();
    c.baixaTotal = chbBaixaTotal->isChecked();
    c.baixaManual = chbBaixaManual->isChecked();
    c.emAberto = chbEmAberto->isChecked();
    c.encerrada = chbEncerrada->isChecked();
    c.cancelada = chbCancelada->isChecked();
    c.inconsistente = chbInconsistente->isChecked();
    c.consistente = chbConsistente->isChecked();
    c.foraLimite = chbForaLimite->isChecked();
    c.dentroLimite = chbDentroLimite->isChecked();
    return c;
}

// Radio buttons first: choosing "Todos" clears its list, which is set afterwards.
void FiltroAF::Impl::apply(const FilterCriteria& c) {
    FilterModuleState& st = filterState();
    setChecked(rbtFornTodos, rbtFornLista, c.fornLista);
    setChecked(rbtCompTodos, rbtCompLista, c.compLista);
    setChecked(rbtFilTodas, rbtFilLista, c.filLista);
    st.stPesqForn = c.fornList;
    st.stPesqComp = c.compList;
    branchList = c.filList;
    if (!c.branchMode) medAgrupFilial->setValue(c.grouping);
    groupingPending = false;
    depEmisIni->setDate(c.emisIni);
    depEmisFim->setDate(c.emisFim);
    depEntrIni->setDate(c.entrIni);
    depEntrFim->setDate(c.entrFim);
    chbBaixaParcial->setChecked(c.baixaParcial);
    chbBaixaTotal->setChecked(c.baixaTotal);
    chbBaixaManual->setChecked(c.baixaManual);
    chbEmAberto->setChecked(c.emAberto);
    chbEncerrada->setChecked(c.encerrada);
    chbCancelada->setChecked(c.cancelada);
    chbInconsistente->setChecked(c.inconsistente);
    chbConsistente->setChecked(c.consistente);
    chbForaLimite->setChecked(c.foraLimite);
    chbDentroLimite->setChecked(c.dentroLimite);
}

QWidget* FiltroAF::Impl::control(CriteriaControl c) const {
    switch (c) {
    case CriteriaControl::FornLista: return rbtFornLista;
    case CriteriaControl::CompLista: return rbtCompLista;
    case CriteriaControl::FilLista: return rbtFilLista;
    case CriteriaControl::EmisIni: return depEmisIni;
    case CriteriaControl::EmisFim: return depEmisFim;
    case CriteriaControl::EntrIni: return depEntrIni;
    case CriteriaControl::EntrFim: return depEntrFim;
    case CriteriaControl::BaixaParcial: return chbBaixaParcial;
    case CriteriaControl::Inconsistente: return chbInconsistente;
    case CriteriaControl::ForaLimite: return chbForaLimite;
    }
    return nullptr;
}

FiltroAF::Arguments FiltroAF::arguments() const { return argumentsOf(d->criteria()); }

FiltroAF::Snapshot FiltroAF::snapshot() const { return {d->criteria(), d->edtNmAgrupFilial->text()}; }

void FiltroAF::restore(const Snapshot& s) {
    d->apply(s.criteria);
    if (!s.criteria.branchMode) d->edtNmAgrupFilial->setText(s.groupingName);
    showLists();
}

void FiltroAF::doConfirm() { sbtConfirmaClick(ConfirmOrigin::User); }

void FiltroAF::validate() {
    for (kit::DateBox* box : {d->depEmisIni, d->depEmisFim, d->depEntrIni, d->depEntrFim}) {
        try {
            box->validate();
        } catch (const host::UserError&) {
            box->setFocus(Qt::OtherFocusReason);
            throw;
        }
    }
    if (const auto failure = firstFailure(d->criteria(), isVisible())) {
        d->control(failure->control)->setFocus(Qt::OtherFocusReason);
        throw host::UserError(d->msg.Msg(failure->messageKey));
    }
}

void FiltroAF::sbtConfirmaClick(ConfirmOrigin origin) {
    const bool reload = origin == ConfirmOrigin::Reload;
    if (!reload) {
        if (d->groupingPending) {
            // Confirmed without leaving the grouping code: it is checked as leaving it would.
            try {
                checkGrouping();
            } catch (const host::UserError&) {
                d->medAgrupFilial->setFocus(Qt::OtherFocusReason);
                throw;
            }
        }
        validate();
        filterState().filtro = filtroOf(d->criteria());
    }
    callServer(origin, arguments());
    if (d->targets.repaintWorkspace) d->targets.repaintWorkspace();
    filterState().boModalResult = true;
    d->confirmed = snapshot();
    if (!reload || isVisible()) kit::StandardFilterScreen::doConfirm();  // saves the options and closes
}

void FiltroAF::callServer(ConfirmOrigin origin, const Arguments& a) {
    FilterTargets& t = d->targets;
    if (!t.netLancaAutoF || !t.cdsParamFilial || !t.cdsFilialDest || !t.cdsServAutoForne)
        throw host::DataError(QStringLiteral("O filtro de AF precisa da conexão e dos conjuntos de dados da tela."));
    host::RemoteConnection& net = *t.netLancaAutoF;
    host::ProgressGuard busy(this, host::kAviTransfer, d->msg.Msg(QStringLiteral("Get_Data")));

    if (origin != ConfirmOrigin::Reload) {
        const QString remembered = t.headerCdFilDest ? t.headerCdFilDest() : QString();
        loadPacket(*t.cdsParamFilial,
                   host::CheckResultServ(net.call(host::names::lancaAutoF::GetParamFilial), true, 0).packetBytes());
        QString branchList = a.branchList, allBranches = a.allBranches, situations = a.situations;
        const host::RemoteResult branches = net.call(
            host::names::lancaAutoF::GetFilialDest,
            {a.grouping, host::byRef(branchList), host::byRef(allBranches), a.buyers, a.suppliers, dateArg(a.afFrom),
             dateArg(a.afTo), a.consistency, a.limit, host::byRef(situations), a.openFlag, dateArg(a.deliveryFrom),
             dateArg(a.deliveryTo), a.afDatesEmpty, a.deliveryDatesEmpty, a.central, a.branchMode});
        loadPacket(*t.cdsFilialDest, host::CheckResultServ(branches, true, 0).packetBytes());
        if (origin == ConfirmOrigin::HeaderBranch && !remembered.isEmpty() && t.cdsFilialDest->active())
            t.cdsFilialDest->locate(QStringLiteral("CDFILIAL"), remembered);
    }

    host::Dataset& dest = *t.cdsFilialDest;
    const QString branch =
        dest.active() && !dest.isEmpty() ? dest.field(QStringLiteral("CDFILIAL")).asString() : QString();
    QString situations = a.situations;
    const host::RemoteResult list = net.call(
        host::names::lancaAutoF::GetServAutoForne,
        {branch, a.buyers, a.suppliers, dateArg(a.afFrom), dateArg(a.afTo), a.consistency, a.limit,
         host::byRef(situations), a.openFlag, dateArg(a.deliveryFrom), dateArg(a.deliveryTo), a.afDatesEmpty,
         a.deliveryDatesEmpty, a.branchMode});
    loadPacket(*t.cdsServAutoForne, host::CheckResultServ(list, true, 0).packetBytes());

    if (t.cdsControleFilial && t.cdsControleFilial->active() && !t.cdsControleFilial->isEmpty())
        t.cdsControleFilial->emptyDataset();
}

}  // namespace afdesk
