// The header's lookup buttons: what each lists and what a picked row fills.
#include "afdesk/core/header/header_impl.h"

#include "host/data/errors.h"
#include "platform/kit/db_edit.h"
#include "platform/kit/lookup_button.h"

namespace afdesk {

namespace {

using Impl = HeaderEntry::Impl;

struct ButtonSetup {
    const char* title;      // message key of the pick list's title
    const char* emptyText;  // message key of the text shown for an empty list
    const char* keyField;
    std::vector<kit::LookupColumn> columns;
};

void setUp(Impl& d, kit::TBtnPesquisa* b, kit::DataSource* source, const ButtonSetup& s) {
    b->setTitle(d.msg(s.title));
    b->setEmptyText(d.msg(s.emptyText));
    b->setKeyField(QString::fromLatin1(s.keyField));
    b->setColumns(s.columns);
    b->setDataSource(source);
    b->setF9OnEdit(true);
}

void reopen(host::LookupQuery& q, std::initializer_list<std::pair<const char*, QVariant>> params) {
    q.close();
    for (const auto& [name, value] : params) q.setParam(QString::fromLatin1(name), value);
    q.open();
}

}  // namespace

void HeaderEntry::Impl::connectLookups() {
    const QVariant none;
    // A pick starts an alteration of a browsed header only where the operator may alter it.
    auto mayFill = [this] {
        if (!header().active()) throw host::Abort();
        if (!editing() && !w.toolEnabled(WorkspaceTool::Alterar)) throw host::Abort();
    };
    auto beginFill = [this] {
        if (!editing()) w.dataSource(AfPart::Header).edit();
    };
    auto picked = [](host::LookupQuery& q, const char* name) { return q.field(QString::fromLatin1(name)).value(); };

    setUp(*this, btnPesqFilDest, &dtsFilial,
          {"Pesq_FilDest", "Pesq_FilDest_Vazia", "CDFILIAL", {{"CDFILIAL", "Código"}, {"NMFILIAL", "Nome"}}});
    btnPesqFilDest->onBeforeLookup = [this, none](kit::TBtnPesquisa&) {
        if (!inserting()) throw host::Abort();
        reopen(q.qryFilial, {{"P_CDFILIAL", none}, {"P_CDCENTCMP", central()}});
    };
    btnPesqFilDest->onAfterLookup = [this, picked](kit::TBtnPesquisa&) {
        set("CDFILDEST", picked(q.qryFilial, "CDFILIAL"));
        set("NMFILDEST", picked(q.qryFilial, "NMFILIAL"));
    };

    setUp(*this, btnPesqForn, &dtsPesqForn,
          {"Pesq_Forn", "Pesq_Forn_Vazia", "CDFORNECED",
           {{"IDTPIJURFORN", {}}, {"NRINSJURFORN", {}}, {"NMRAZSOCFORN", {}}, {"NMFANTFORN", {}}}});
    btnPesqForn->onBeforeLookup = [this, mayFill](kit::TBtnPesquisa&) {
        mayFill();
        reopen(q.qryPesqForn, {});
    };
    btnPesqForn->onAfterLookup = [this, beginFill, picked](kit::TBtnPesquisa&) {
        beginFill();
        for (const char* name : {"NRINSJURFORN", "NMRAZSOCFORN", "CDFORNECED"}) set(name, picked(q.qryPesqForn, name));
    };

    setUp(*this, btnPesqComp, &dtsPesqComp,
          {"Pesq_Comp", "Pesq_Comp_Vazia", "CDOPERADOR", {{"CDOPERADOR", {}}, {"NMOPERADOR", {}}}});
    btnPesqComp->onBeforeLookup = [this, mayFill, none](kit::TBtnPesquisa&) {
        mayFill();
        reopen(q.qryPesqComp, {{"P_CDOPERADOR", none}});
    };
    btnPesqComp->onAfterLookup = [this, beginFill, picked](kit::TBtnPesquisa&) {
        beginFill();
        const bool other = picked(q.qryPesqComp, "CDOPERADOR") != field("CDOPERADOR").value();
        set("CDOPERADOR", picked(q.qryPesqComp, "CDOPERADOR"));
        set("NMOPERADOR", picked(q.qryPesqComp, "NMOPERADOR"));
        if (other) self.IdSenhaComp = QStringLiteral("N");  // another buyer is confirmed afresh
    };

    setUp(*this, btnEmitente, &dtsPesqEmpresa,
          {"Pesq_Emp", "Pesq_Emp_Vazia", "CDEMPRESA", {{"CDEMPRESA", {}}, {"NMEMPRESA", {}}}});
    btnEmitente->onBeforeLookup = [this, mayFill, none](kit::TBtnPesquisa&) {
        mayFill();
        reopen(q.qryPesqEmpresa, {{"P_CDEMPRESA", none}, {"P_CDFILIAL", branchText()}});
    };
    btnEmitente->onAfterLookup = [this, beginFill, picked](kit::TBtnPesquisa&) {
        beginFill();
        set("CDEMPRESA", picked(q.qryPesqEmpresa, "CDEMPRESA"));
        set("NMEMPRESA", picked(q.qryPesqEmpresa, "NMEMPRESA"));
    };

    setUp(*this, btnCobranca, &dtsPesqCobr,
          {"Pesq_Cob", "Pesq_Cob_Vazia", "CDTIPCOB", {{"CDTIPCOB", {}}, {"NMTIPOCOBR", {}}}});
    btnCobranca->onBeforeLookup = [this, mayFill, none](kit::TBtnPesquisa&) {
        mayFill();
        reopen(q.qryPesqCobr, {{"P_CDTIPCOB", none}});
    };
    btnCobranca->onAfterLookup = [this, beginFill, picked](kit::TBtnPesquisa&) {
        beginFill();
        set("CDTIPCOB", picked(q.qryPesqCobr, "CDTIPCOB"));
        set("NMTIPOCOBR", picked(q.qryPesqCobr, "NMTIPOCOBR"));
    };

    setUp(*this, btnTipoCtPagar, &dtsTipoCtPagar,
          {"Pesq_TpCtPagar", "Pesq_TpCtPagar_Vazia", "CDTPCTPAGAR", {{"CDTPCTPAGAR", {}}, {"DSTPCTPAGAR", {}}}});
    btnTipoCtPagar->onBeforeLookup = [this, mayFill, none](kit::TBtnPesquisa&) {
        mayFill();
        reopen(q.qryTipoCtPagar, {{"P_TPCTPAGAR", none}});
    };
    btnTipoCtPagar->onAfterLookup = [this, beginFill, picked](kit::TBtnPesquisa&) {
        beginFill();
        set("CDTPCTPAGAR", picked(q.qryTipoCtPagar, "CDTPCTPAGAR"));
        set("DSTPCTPAGAR", picked(q.qryTipoCtPagar, "DSTPCTPAGAR"));
    };

    setUp(*this, btnTransp, &dtsPesqTransp,
          {"Pesq_Transp", "Pesq_Transp_Vazia", "NRINSJURTRAN",
           {{"IDTPIJURTRAN", {}}, {"NRINSJURTRAN", {}}, {"NMRAZSOCTRAN", {}}, {"IDTRANSPRINC", {}}}});
    btnTransp->onBeforeLookup = [this, mayFill, none](kit::TBtnPesquisa&) {
        mayFill();
        reopen(q.qryPesqTransp, {{"P_IDTPIJURTRAN", none}, {"P_NRINSJURTRAN", none}, {"P_CDFILDEST", branchText()}});
    };
    btnTransp->onAfterLookup = [this, beginFill, picked](kit::TBtnPesquisa&) {
        beginFill();
        // The carrier's name comes with it, so the box never shows another carrier's.
        for (const char* name : {"IDTPIJURTRAN", "NRINSJURTRAN", "NMRAZSOCTRAN"}) set(name, picked(q.qryPesqTransp, name));
    };
}

}  // namespace afdesk
