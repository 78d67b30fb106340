#include "schema_v1.h"

namespace afdb::schema::v1 {

std::vector<Table> peopleTables() {
    return {
        {.name = "OPERADOR",
         .purpose = "Operadores do sistema (login): nome, hash Argon2id da senha, situação ('A' ativo).",
         .columns = {vc("CDOPERADOR", 12), vc("NMOPERADOR", 40).required(), txt("DSSENHAHASH"), flag("IDOPERATIVO"),
                     vc("DSEMAILOPER", 100), vc("CDFILIAL", 4)},
         .primaryKey = {"CDOPERADOR"},
         .foreignKeys = {fk({"CDFILIAL"}, "FILIAL")}},
        {.name = "GRUPOPER",
         .purpose = "Grupos de operadores.",
         .columns = {vc("CDGRUPOPER", 2), vc("NMGRUPOPER", 40).required()},
         .primaryKey = {"CDGRUPOPER"}},
        {.name = "OPERGRUPOP",
         .purpose = "Operadores de cada grupo (permissões e grupo somente-leitura da filial).",
         .columns = {vc("CDGRUPOPER", 2), vc("CDOPERADOR", 12)},
         .primaryKey = {"CDGRUPOPER", "CDOPERADOR"},
         .foreignKeys = {owner({"CDGRUPOPER"}, "GRUPOPER"), owner({"CDOPERADOR"}, "OPERADOR")},
         .indexes = {idx("IX_OPERGRUPOP_OPERADOR", {"CDOPERADOR"})}},
        {.name = "AUTGRUPOP",
         .purpose = "Autorizações dos grupos (ENAF, CAAF, ABAF, EXAF, ALAF...).",
         .columns = {vc("CDGRUPOPER", 2), vc("IDAUTGRUPOP", 10)},
         .primaryKey = {"CDGRUPOPER", "IDAUTGRUPOP"},
         .foreignKeys = {owner({"CDGRUPOPER"}, "GRUPOPER")},
         .indexes = {idx("IX_AUTGRUPOP_AUT", {"IDAUTGRUPOP"})}},
        {.name = "COMPRADOR",
         .purpose = "Operadores que são compradores, com o limite de valor de AF.",
         .columns = {vc("CDOPERADOR", 12), dbl("VRLIMITECOMP")},
         .primaryKey = {"CDOPERADOR"},
         .foreignKeys = {owner({"CDOPERADOR"}, "OPERADOR")}},
        {.name = "COMPROPER",
         .purpose = "Operadores que agem por um comprador e o que podem fazer (senha, cotação, apuração, AF).",
         .columns = {vc("CDCOMPRADOR", 12), vc("CDOPERADOR", 12), flag("IDEXSENHCMPOPER"), flag("IDCOTCMPOPER"),
                     flag("IDAPURCMPOPER"), flag("IDAFCMPOPER")},
         .primaryKey = {"CDCOMPRADOR", "CDOPERADOR"},
         .foreignKeys = {owner({"CDCOMPRADOR"}, "COMPRADOR", {"CDOPERADOR"}), owner({"CDOPERADOR"}, "OPERADOR")},
         .indexes = {idx("IX_COMPROPER_OPERADOR", {"CDOPERADOR"})}},
        {.name = "GERECOMP",
         .purpose = "Gerentes de cada comprador (senha de gerente nos limites de alteração).",
         .columns = {vc("CDOPERCOMP", 12), vc("CDOPERGERE", 12)},
         .primaryKey = {"CDOPERCOMP", "CDOPERGERE"},
         .foreignKeys = {owner({"CDOPERCOMP"}, "COMPRADOR", {"CDOPERADOR"}),
                         owner({"CDOPERGERE"}, "OPERADOR", {"CDOPERADOR"})}},
    };
}

}  // namespace afdb::schema::v1
