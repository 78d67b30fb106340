// The dialog's lookups: suppliers, buyers, destination branches and branch groupings.
#include "filtro_af_impl.h"

#include "afdesk/core/model/dataset_packets.h"

#include "platform/kit/guard.h"
#include "platform/kit/list_lookups.h"

#include "host/data/errors.h"
#include "host/remote/check_result.h"
#include "host/remote/remote_connection.h"
#include "host/services/consiste.h"
#include "host/services/progress.h"

namespace afdesk {

namespace {

host::RemoteConnection& connectionOf(const FilterTargets& targets) {
    if (!targets.netLancaAutoF)
        throw host::DataError(QStringLiteral("O filtro de AF precisa da conexão com o servidor."));
    return *targets.netLancaAutoF;
}

}  // namespace

void FiltroAF::connectLookups() {
    connect(d->btnPesqForn, &QToolButton::clicked, this, [this] { kit::guard(this, [this] { searchSuppliers(); }); });
    connect(d->btnPesqComp, &QToolButton::clicked, this, [this] { kit::guard(this, [this] { searchBuyers(); }); });

    kit::TBtnPesquisa& branches = *d->btpFilial;
    branches.setTitle(d->msg.Msg(QStringLiteral("FilialDest")));
    branches.setEmptyText(QStringLiteral("Não há filial cadastrada."));
    branches.setMultiple(true);
    branches.setKeyField(QStringLiteral("CDFILIAL"));
    branches.setColumns({{QStringLiteral("CDFILIAL"), QStringLiteral("Código")},
                         {QStringLiteral("NMFILIAL"), QStringLiteral("Nome")}});
    branches.setDataSource(&d->dtsFilial);
    branches.onBeforeLookup = [this](kit::TBtnPesquisa&) { beforeBranchLookup(); };
    branches.onAfterLookup = [this](kit::TBtnPesquisa& b) {
        QStringList codes;
        for (const QString& code : b.pickedCodes()) codes << code.trimmed();
        d->branchList = kit::listText(codes);
        showLists();
    };

    kit::TBtnPesquisa& groupings = *d->btnAgrupFilial;
    groupings.setEdit(d->medAgrupFilial);
    groupings.setTitle(QStringLiteral("Agrupamento de Filial|Não há agrupamento cadastrado."));
    groupings.setKeyField(QStringLiteral("CDGRUPFILI"));
    groupings.setDataSource(&d->dtsGrupFili);
    groupings.onBeforeLookup = [this](kit::TBtnPesquisa&) { loadGroupings(); };
    groupings.onAfterLookup = [this](kit::TBtnPesquisa&) {
        const QString code = d->cdsGrupFili.field(QStringLiteral("CDGRUPFILI")).asString();
        // Branches picked from another grouping would not belong to this one.
        if (code != d->medAgrupFilial->value().trimmed()) d->branchList.clear();
        d->medAgrupFilial->setValue(code);
        d->edtNmAgrupFilial->setText(d->cdsGrupFili.field(QStringLiteral("NMGRUPFILI")).asString());
        d->groupingPending = false;
        showLists();
    };

    connect(d->medAgrupFilial, &QLineEdit::textEdited, this, [this] {
        d->branchList.clear();
        d->edtNmAgrupFilial->clear();
        d->groupingPending = true;
        showLists();
    });
    d->medAgrupFilial->onExit = [this] { checkGrouping(); };
}

void FiltroAF::searchSuppliers() {
    host::LookupQuery& q = *d->qryPesqForn;
    q.close();
    q.open();
    d->supplierNames.clear();  // read again with the list just opened
    if (q.isEmpty()) host::MensErro(d->msg.Msg(QStringLiteral("N_Forn_Cad")));
    QString list = filterState().stPesqForn;
    if (kit::PesquisaLista(d->dtsPesqForn, QStringLiteral("CDFORNECED"), d->msg.Msg(QStringLiteral("Titulo_Fornecedor")),
                           list))
        filterState().stPesqForn = list;
    showLists();
}

void FiltroAF::searchBuyers() {
    host::LookupQuery& q = *d->qryPesqComp;
    q.close();
    q.setParam(QStringLiteral("P_CDOPERADOR"), QVariant());
    q.open();
    if (q.isEmpty()) host::MensErro(d->msg.Msg(QStringLiteral("N_Comp_Cad")));
    QString list = filterState().stPesqComp;
    if (kit::PesquisaLista(d->dtsPesqComp, QStringLiteral("CDOPERADOR"), d->msg.Msg(QStringLiteral("Titulo_Comprador")),
                           list))
        filterState().stPesqComp = list;
    showLists();
}

void FiltroAF::beforeBranchLookup() {
    // The button takes no focus: a grouping code still being typed is checked here.
    if (d->groupingPending) checkGrouping();
    d->cdsFiliAgrupFili.close();
    d->cdsFiliAgrupFili.createDataset();
    const QString grouping = d->medAgrupFilial->value().trimmed();
    if (grouping.isEmpty()) {
        d->btpFilial->setDataSource(&d->dtsFilial);
        host::LookupQuery& q = *d->qryFilial;
        q.setParam(QStringLiteral("P_CDFILIAL"), QVariant());
        q.setParam(QStringLiteral("P_TCDFILIAL"), QStringLiteral("T"));
        q.setParam(QStringLiteral("P_CDCENTCMP"), centralCode());
        q.open();
        return;
    }
    d->btpFilial->setDataSource(&d->dtsFiliAgrupFili);
    host::ProgressGuard busy(this, host::kAviTransfer);
    const host::RemoteResult r =
        connectionOf(d->targets).call(host::names::lancaAutoF::GetFiliAgrupFili, {grouping, centralCode()});
    loadPacket(d->cdsFiliAgrupFili, host::CheckResultServ(r, true, 0).packetBytes());
}

void FiltroAF::loadGroupings() {
    host::ProgressGuard busy(this, host::kAviTransfer);
    const host::RemoteResult r = connectionOf(d->targets).call(host::names::lancaAutoF::GetAgruFili);
    loadPacket(d->cdsGrupFili, host::CheckResultServ(r, true, 0).packetBytes());
}

// Leaving the grouping code: the code is brought to the host's convention and must exist.
void FiltroAF::checkGrouping() {
    const QString typed = d->medAgrupFilial->value().trimmed();
    if (typed.isEmpty()) {
        d->edtNmAgrupFilial->clear();
        d->groupingPending = false;
        return;
    }
    loadGroupings();
    const host::Field& code = d->cdsGrupFili.field(QStringLiteral("CDGRUPFILI"));
    const QString adjusted = host::Ajusta(typed, code.size());
    d->medAgrupFilial->setValue(adjusted);
    if (!d->cdsGrupFili.locate(QStringLiteral("CDGRUPFILI"), adjusted)) {
        d->edtNmAgrupFilial->clear();
        throw host::UserError(d->msg.Msg(QStringLiteral("AgrupFili_NCAD")));
    }
    d->edtNmAgrupFilial->setText(d->cdsGrupFili.field(QStringLiteral("NMGRUPFILI")).asString());
    d->groupingPending = false;
}

}  // namespace afdesk
