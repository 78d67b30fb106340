#include "schema_v1.h"

namespace afdb::schema::v1 {

std::vector<Table> organisationTables() {
    return {
        {.name = "EMPRESA",
         .purpose = "Empresas do grupo: a empresa emitente (faturada) das AFs.",
         .columns = {vc("CDEMPRESA", 2), vc("NMEMPRESA", 40).required(), vc("NRINSJUREMPR", 20)},
         .primaryKey = {"CDEMPRESA"}},
        {.name = "REGIAO",
         .purpose = "Regiões atendidas pelos fornecedores.",
         .columns = {vc("CDREGIAO", 10), vc("NMREGIAO", 40).required()},
         .primaryKey = {"CDREGIAO"}},
        {.name = "FILIAL",
         .purpose = "Filiais: destino e lançamento das AFs, central de compras, operador logístico; data de processamento.",
         .columns = {vc("CDFILIAL", 4), vc("NMFILIAL", 30).required(), vc("CDEMPRESA", 2), vc("CDFILCENTCMP", 4),
                     flag("IDFUNCAOFILI"), vc("CDINSCESTA", 20), vc("CDREGIAO", 10), flag("IDCNTRRESC"),
                     vc("CDFILIOPELOG", 4), vc("SGESTADO", 2), vc("TXOBSFILIAL", 2000), ts("DTPROCFILI")},
         .primaryKey = {"CDFILIAL"},
         .foreignKeys = {fk({"CDEMPRESA"}, "EMPRESA"), fk({"CDFILCENTCMP"}, "FILIAL", {"CDFILIAL"}),
                         fk({"CDREGIAO"}, "REGIAO"), fk({"CDFILIOPELOG"}, "FILIAL", {"CDFILIAL"})},
         .indexes = {idx("IX_FILIAL_CENTCMP", {"CDFILCENTCMP"}), idx("IX_FILIAL_EMPRESA", {"CDEMPRESA"})}},
        {.name = "EMPRCNTRFIL",
         .purpose = "Empresas que podem ser emitentes das AFs de cada filial.",
         .columns = {vc("CDEMPRESA", 2), vc("CDFILIAL", 4)},
         .primaryKey = {"CDEMPRESA", "CDFILIAL"},
         .foreignKeys = {fk({"CDEMPRESA"}, "EMPRESA"), owner({"CDFILIAL"}, "FILIAL")},
         .indexes = {idx("IX_EMPRCNTRFIL_FILIAL", {"CDFILIAL"})}},
        {.name = "CLIENFILIAL",
         .purpose = "Clientes das filiais; IDCLIENPRIN = 'S' marca o cliente principal (emitente \"Cliente Principal\").",
         .columns = {vc("CDFILIAL", 4), vc("CDCLIENTE", 21), vc("NMRAZSOCCLIE", 40), flag("IDCLIENPRIN")},
         .primaryKey = {"CDFILIAL", "CDCLIENTE"},
         .foreignKeys = {owner({"CDFILIAL"}, "FILIAL")}},
        {.name = "GRUPFILI",
         .purpose = "Agrupamentos de filiais do filtro de AFs.",
         .columns = {vc("CDGRUPFILI", 10), vc("NMGRUPFILI", 40).required()},
         .primaryKey = {"CDGRUPFILI"}},
        {.name = "FILIAGRUPFILI",
         .purpose = "Filiais de cada agrupamento.",
         .columns = {vc("CDGRUPFILI", 10), vc("CDFILIAL", 4)},
         .primaryKey = {"CDGRUPFILI", "CDFILIAL"},
         .foreignKeys = {owner({"CDGRUPFILI"}, "GRUPFILI"), owner({"CDFILIAL"}, "FILIAL")}},
    };
}

}  // namespace afdb::schema::v1
