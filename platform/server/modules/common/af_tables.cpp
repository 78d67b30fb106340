#include "af_tables.h"

namespace platform::server::modules::tables {

namespace {

using namespace columnDefs;

// Functions, not globals: other files' static data may ask for a descriptor before this file's globals exist.
QStringList afKey() { return {"CDFILDEST", "CDFILLANC", "NRAUTOFORN"}; }
QStringList itemKey() { return afKey() + QStringList{"CDPRODUTO", "DTPROGENTAF", "CDMARCA"}; }

std::vector<ColumnDef> withAfKey(std::vector<ColumnDef> rest) {
    std::vector<ColumnDef> all = {text("CDFILDEST", 4), text("CDFILLANC", 4), text("NRAUTOFORN", 10)};
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
}

}  // namespace

const TableDescriptor& autoForne() {
    static const TableDescriptor t(
        QStringLiteral("AUTOFORNE"), afKey(),
        withAfKey({flag("IDAUTOFORNEX"),      text("CDFORNECED", 21),   dateTime("DTAUTOFORN"),
                   text("CDOPERADOR", 12),    flag("IDTIPOEMITAF"),     flag("IDTIPOFRETAF"),
                   text("CDEMPRESA", 2),      text("CDTIPCOB", 2),      flag("IDTPIJURTRAN"),
                   text("NRINSJURTRAN", 20),  flag("IDSITUATUAAF"),     flag("IDAFFORALIM"),
                   flag("IDBAIXAAF"),         flag("IDBAIXAFSAI"),      text("CDFORMPGTO", 2),
                   flag("IDTPFORPGTAF"),      number("NRPARCPGTOAF"),   number("NRDIAPGFIXAF"),
                   flag("IDUTDIAPGTAF"),      flag("IDTIPOLANCAF"),     number("VRTOTALAF"),
                   text("CDGERENTE", 12),     text("CDTPCTPAGAR", 6),   flag("IDAFPRODWEB"),
                   flag("IDAFOPERLOG"),       flag("IDENVAFECEDI"),     flag("IDAFPILOTO"),
                   text("CDFILIOPELOG", 4),   flag("IDSITUENVAFMCD"),   text("CDFILDESTCON", 4),
                   text("CDFILLANCCON", 4),   text("NRAUTOFORCON", 10), text("NRSEQAPURAF", 10),
                   dateTime("DTPROGENTAF"),   flag("IDAFEXPIRADA"),     text("IDDEVOLUCAONF", 20),
                   flag("IDBAIXITMFUTURA"),   flag("IDITAFMIGRADA"),    flag("IDITMSEPARADO"),
                   text("DSINCONSAF", 2000),  dateTime("DTINCLUSAOAF"), dateTime("DTULTALTAF"),
                   text("CDOPERULTALT", 12)}));
    return t;
}

const TableDescriptor& itemAutF() {
    static const TableDescriptor t(
        QStringLiteral("ITEMAUTF"), itemKey(),
        withAfKey({text("CDPRODUTO", 10),     dateTime("DTPROGENTAF"),   text("CDMARCA", 5),
                   number("QTPROGENTAF"),     number("VRPREUNIAF"),      text("NRPARCITMAF", 2),
                   number("VRPERDESAF"),      text("CDSEGMARCA", 5),     number("QTEFETENTRAF"),
                   dateTime("DTEFETENTAF"),   flag("IDBAIXITMAF"),       flag("IDBAIXITAFS"),
                   text("TXOBSITMAF", 2000),  number("VRDESCITMAF"),     number("QTVOLUITEMAF"),
                   dateTime("DTBAIXITMAF"),   text("CDOPERBAIXA", 12),   text("IDMOTPRESCAF", 10),
                   text("NRLANCTONF", 10),    text("IDTPLANITEAF", 20),  text("NRCOTPREITAF", 10),
                   text("NRLISTAITAF", 10),   flag("IDTIPOLANITM"),      number("QTDISPITEMAFECC"),
                   flag("IDBAIXITMFUTURA"),   flag("IDITAFMIGRADA"),     dateTime("DTENTRITMSOL"),
                   flag("IDITMSEPARADO"),     text("DSINCONSITAF", 2000)}));
    return t;
}

const TableDescriptor& impItmAF() {
    static const TableDescriptor t(QStringLiteral("IMPITMAF"), itemKey() + QStringList{"CDIMPOSTO"},
                                   withAfKey({text("CDPRODUTO", 10), dateTime("DTPROGENTAF"), text("CDMARCA", 5),
                                              text("CDIMPOSTO", 2), number("VRALIQITMAF"), number("VRIMPITMAF"),
                                              flag("IDIMPDIGAF")}));
    return t;
}

const TableDescriptor& prazoPgtAF() {
    static const TableDescriptor t(QStringLiteral("PRAZOPGTAF"), afKey() + QStringList{"NRDIASPGTOAF"},
                                   withAfKey({number("NRDIASPGTOAF"), number("VRPERCPGTOAF")}));
    return t;
}

const TableDescriptor& encargoAF() {
    static const TableDescriptor t(QStringLiteral("ENCARGOAF"), afKey() + QStringList{"DTENTRENCAF", "CDENCARGO"},
                                   withAfKey({dateTime("DTENTRENCAF"), text("CDENCARGO", 2), number("VRENCARGOAF")}));
    return t;
}

const TableDescriptor& mensAutF() {
    static const TableDescriptor t(QStringLiteral("MENSAUTF"), afKey() + QStringList{"NRMENSAUTFOR"},
                                   withAfKey({text("NRMENSAUTFOR", 2), text("DSMENSAF", 100)}));
    return t;
}

// The log's own sequence is its key; the AF it names is not (the log outlives the AF).
const TableDescriptor& movOpAF() {
    static const TableDescriptor t(
        QStringLiteral("MOVOPAF"), {"NRSEQMOVAF"},
        {integer("NRSEQMOVAF"),     text("CDFILDESMOV", 4),    text("CDFILLANMOV", 4),  text("NRAUTOMOV", 10),
         text("CDPRODMOV", 10),     text("CDMARCMOV", 5),      dateTime("DTPROGENTMOV"), dateTime("DTOPERAF"),
         text("DSALTERAF", 500),    text("CDOPERADOR", 12),    text("DSJUSTOPERMOV", 100), text("IDOPERAMOVAF", 3),
         text("DSRDMUSUMOVAF", 50), text("DSENDUSUMOVAF", 50), text("DSNMUSUMOVAF", 50), text("DSMETUSUMOVAF", 250)});
    return t;
}

std::vector<const TableDescriptor*> all() {
    return {&autoForne(), &itemAutF(), &impItmAF(), &prazoPgtAF(), &encargoAF(), &mensAutF(), &movOpAF()};
}

}  // namespace platform::server::modules::tables
