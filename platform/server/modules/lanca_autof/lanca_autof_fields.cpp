#include "lanca_autof_fields.h"

#include "lanca_autof_layouts.h"

#include "platform/server/modules/common/field_shorthands.h"

namespace platform::server::modules::fields {

using namespace fieldDefs;

Fields servAutoForne() { return layouts::servAutoForne().fields(); }

Fields filialDest() {
    return {str("CDFILIAL", 4, "Código").asReadOnly(),
            str("NMFILIAL", 30, "Nome").asReadOnly(),
            str("CDFILCENTCMP", 4),
            str("NMCENTCMP", 30),
            str("CDGRUPOPER", 2),
            str("IDULTIDTVALQ", 1),
            str("IDVALDTAF", 1),
            str("IDBLOQUEAAF", 1),
            str("IDMARSEMQUA", 1),
            str("IDPROSEMMAR", 1),
            str("IDPROSEMFOR", 1),
            str("IDUTQTDEVOLU", 1),
            str("IDTIPEMITGER", 1),
            str("CDEMPRESA", 2),
            str("CDTIPOOPER", 2),
            str("IDCARPRECLAF", 1),
            str("IDATUSOLILAF", 1),
            str("DSDIRLOGAUTF", 250),
            date("DTATUAL"),
            str("IDOBLIBAFMAN", 1),
            str("IDAUDALTAF", 1),
            fixed("IDBLOQFORNCOTAF", 1),
            fixed("IDVERPRODCMPFIL", 1),
            str("CDOPERADOR", 12)};
}

Fields autoForne() { return layouts::autoForne().fields(); }

Fields paramFilial() {
    return {str("CDFILIAL", 4),     str("CDGRUPOPER", 2),     str("IDUTQTDEVOLU", 1), str("IDBLOQUEAAF", 1),
            str("IDPROSEMMAR", 1),  str("IDULTIDTVALQ", 1),   str("IDVALDTAF", 1),    str("IDUTLPROCMPAF", 1),
            str("IDBLPRCOMEST", 1), str("IDUTILIZAINTSAC", 1)};
}

Fields paramGeral() { return {str("PARAM", 4), str("ID", 10), str("NRDIAANTENTRAF", 4), date("DATA")}; }

Fields auxParCmp() {
    return {str("CDFILIAL", 4),     str("NMFILIAL", 30),    str("CDFILCENTCMP", 4),      str("IDTPARQENVMA", 1),
            str("IDTIPEMITGER", 1), str("IDULTIDTVALQ", 1), str("IDVALDTAF", 1),         str("IDBLOQUEAAF", 1),
            str("IDMARSEMQUA", 1),  str("IDPROSEMMAR", 1),  str("IDPROSEMFOR", 1),       str("IDUTQTDEVOLU", 1),
            str("IDCARPRECLAF", 1), str("IDOBLIBAFMAN", 1), fixed("IDBLOQFORNCOTAF", 1), fixed("IDVERPRODCMPFIL", 1),
            str("IDAUDALTAF", 1),   str("CDOPERADOR", 12)};
}

Fields mudAutProd() { return {str("CDFILIAL", 4), str("IDTPLANCITAF", 1)}; }

Fields grupFili() { return {str("CDGRUPFILI", 10, "Código"), str("NMGRUPFILI", 40, "Nome")}; }

Fields filiAgrupFili() {
    return {str("IDMARCADO", 1).asReadOnly(), str("CDFILIAL", 4, "Código"), hid("CDGRUPFILI", 10),
            str("NMFILIAL", 30, "Nome")};
}

Fields aprovSoliGer() {
    return {str("CDFILIAL", 4),     str("IDUTAPROVSOL", 1),    str("CDGRUPPROD", 10),    str("CDSUBGRPROD", 10),
            str("IDULTDESTSOL", 1), str("IDEXIGAPRGERCMP", 1), str("IDAPROVITMSOLGR", 1)};
}

Fields itemAutfProduto() { return layouts::itemAutfProduto().fields(); }

Fields itemAutF() { return layouts::itemAutF().fields(); }

Fields impostoAF() { return layouts::impostoAF().fields(); }

Fields prazoPgtAF() { return layouts::prazoPgtAF().fields(); }

Fields prazoPgFor() {
    return {hid("CDFORNECED", 21), num("NRDIASPGTOFO", "Prazo(Dias)"),
            num("VRPERCPGTOFO", "Percentual", "#0.00 %").withEditFormat(QStringLiteral("#0.00"))};
}

Fields dataEncargo() { return layouts::dataEncargo().fields(); }

Fields encargo() { return layouts::encargo().fields(); }

Fields mensagensAF() { return layouts::mensagensAF().fields(); }

Fields nfBaixa() { return layouts::nfBaixa().fields(); }

Fields movOpAF() { return layouts::movOpAF().fields(); }

Fields pesqMarca() { return layouts::pesqMarca().fields(); }

}  // namespace platform::server::modules::fields
