#include "schema_v1.h"

namespace afdb::schema::v1 {

std::vector<Table> catalogueTables() {
    return {
        {.name = "ENCARGO",
         .purpose = "Encargos que uma AF pode ter por data de entrega.",
         .columns = {vc("CDENCARGO", 2), vc("NMENCARGO", 20).required()},
         .primaryKey = {"CDENCARGO"}},
        {.name = "MENSCOMP",
         .purpose = "Mensagens de compras cadastradas, para as mensagens da AF.",
         .columns = {vc("CDMENSCMP", 4), vc("NMMENSCMP", 100).required()},
         .primaryKey = {"CDMENSCMP"}},
        {.name = "JUSTSOLI",
         .purpose = "Justificativas cadastradas (alteração de AF, reprovação de solicitação).",
         .columns = {vc("CDJUSTSOL", 4), vc("DSJUSTSOL", 40).required()},
         .primaryKey = {"CDJUSTSOL"}},
        {.name = "RELATORIO",
         .purpose = "Definições de relatório do servidor de relatórios: nome (com o prefixo do grupo), título, "
                    "carimbo de versão e definição.",
         .columns = {vc("CDRELATORIO", 40), vc("NMRELATORIO", 100).required(), ts("DTVERSAOREL").required(),
                     txt("TXDEFINICAO")},
         .primaryKey = {"CDRELATORIO"}},
        {.name = "PROPRIED",
         .purpose = "Traduções de propriedades de telas e relatórios (título do relatório por idioma).",
         .columns = {vc("CDPROGRAMA", 40), vc("NMCOMPONENTE", 60), vc("NMPROPRIEDADE", 60), vc("NRVALORPROP", 10),
                     vc("STAGRVALPROP", 255), vc("STVALORPROP", 255)},
         .primaryKey = {"CDPROGRAMA", "NMCOMPONENTE", "NMPROPRIEDADE", "NRVALORPROP"}},
    };
}

}  // namespace afdb::schema::v1
