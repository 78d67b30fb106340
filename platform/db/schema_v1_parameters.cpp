#include "schema_v1.h"

namespace afdb::schema::v1 {

std::vector<Table> parameterTables() {
    return {
        {.name = "PARAMGERAL",
         .purpose = "Parâmetros gerais (uma linha): consórcio financeiro, sistema (IDSISDOS), cache de produtos "
                    "da filial, integração com o marketplace.",
         .columns = {vc("CDPARAMGERAL", 1).checked("CDPARAMGERAL = '1'"), flag("IDCONSORCFIN"), flag("IDSISDOS"),
                     flag("IDCACHPRODFI"), flag("IDINTEGMERCAD")},
         .primaryKey = {"CDPARAMGERAL"}},
        {.name = "PARASUPRI",
         .purpose = "Parâmetros de suprimentos da filial: grupo de operadores somente-leitura, validações de "
                    "produto, marca e data, limites de antecipação de entrega e de alteração de AF.",
         .columns = {vc("CDFILIAL", 4), vc("CDGRUPOPER", 2), flag("IDULTIDTVALQ"), flag("IDVALDTAF"),
                     flag("IDBLOQUEAAF"), flag("IDMARSEMQUA"), flag("IDPROSEMMAR"), flag("IDPROSEMFOR"),
                     flag("IDUTQTDEVOLU"), vc("CDTIPOOPER", 2), flag("IDATUSOLILAF"), flag("IDUTLPROCMPAF"),
                     flag("IDBLPRCOMEST"), vc("CDGRUPPROD", 10), vc("NRDIAANTENTRAF", 4), vc("NRDIALIMALTAF", 4),
                     ts("DTBASELIMALTAF")},
         .primaryKey = {"CDFILIAL"},
         .foreignKeys = {owner({"CDFILIAL"}, "FILIAL"), fk({"CDGRUPOPER"}, "GRUPOPER"),
                         fk({"CDTIPOOPER"}, "TIPOOPER"), fk({"CDGRUPPROD"}, "GRUPPROD")}},
        {.name = "PARCMPSUP",
         .purpose = "Parâmetros de compras da filial: emitente padrão, preço automático, liberação e auditoria "
                    "de AFs, bloqueios, operador da filial, envio, mudança automática de produto, SAC, "
                    "aprovação de solicitações.",
         .columns = {vc("CDFILIAL", 4), flag("IDTIPEMITGER"), vc("CDEMPRESA", 2), flag("IDCARPRECLAF"),
                     flag("IDOBLIBAFMAN"), flag("IDAUDALTAF"), flag("IDBLOQFORNCOTAF"), flag("IDVERPRODCMPFIL"),
                     vc("CDOPERADOR", 12), flag("IDTPARQENVMA"), vc("DSDIRLOGAUTF", 250), flag("IDTPLANCITAF"),
                     flag("IDUTILIZAINTSAC"), flag("IDUTAPROVSOL"), flag("IDULTDESTSOL"), flag("IDEXIGAPRGERCMP"),
                     flag("IDAPROVITMSOLGR"), vc("CDGRUPPROD", 10), vc("CDSUBGRPROD", 10)},
         .primaryKey = {"CDFILIAL"},
         .foreignKeys = {owner({"CDFILIAL"}, "FILIAL"), fk({"CDEMPRESA"}, "EMPRESA"),
                         fk({"CDOPERADOR"}, "OPERADOR")}},
    };
}

}  // namespace afdb::schema::v1
