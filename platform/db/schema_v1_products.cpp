#include "schema_v1.h"

namespace afdb::schema::v1 {

namespace {

// A product rule of one branch: (branch, product) with the product's row removed
// together with the branch or the product.
Table branchProductTable(QString name, QString purpose, std::vector<Column> extra = {}) {
    std::vector<Column> columns = {vc("CDFILIAL", 4), vc("CDPRODUTO", 10)};
    columns.insert(columns.end(), extra.begin(), extra.end());
    return {.name = name,
            .purpose = std::move(purpose),
            .columns = std::move(columns),
            .primaryKey = {"CDFILIAL", "CDPRODUTO"},
            .foreignKeys = {owner({"CDFILIAL"}, "FILIAL"), owner({"CDPRODUTO"}, "PRODUTO")},
            .indexes = {idx("IX_" + name + "_PRODUTO", {"CDPRODUTO"})}};
}

}  // namespace

std::vector<Table> productTables() {
    return {
        {.name = "GRUPPROD",
         .purpose = "Grupos de produtos.",
         .columns = {vc("CDGRUPPROD", 10), vc("NMGRUPPROD", 40).required()},
         .primaryKey = {"CDGRUPPROD"}},
        {.name = "SUBGRUPPROD",
         .purpose = "Subgrupos de produtos (filtro da alteração de AF em lote).",
         .columns = {vc("CDGRUPPROD", 10), vc("CDSUBGRPROD", 10), vc("NMSUBGRPROD", 40).required()},
         .primaryKey = {"CDGRUPPROD", "CDSUBGRPROD"},
         .foreignKeys = {owner({"CDGRUPPROD"}, "GRUPPROD")}},
        {.name = "MARCA",
         .purpose = "Marcas.",
         .columns = {vc("CDMARCA", 5), vc("NMMARCA", 20).required()},
         .primaryKey = {"CDMARCA"}},
        {.name = "PRODUTO",
         .purpose = "Produtos: código interno, código da árvore (CDARVPROD, cada nível é um prefixo), "
                    "unidade, produto de estoque, subgrupo, compra via web, observação.",
         .columns = {vc("CDPRODUTO", 10), vc("CDARVPROD", 20).required(), vc("NMPRODUTO", 50).required(),
                     vc("SGUNIDADE", 10), vc("CDPRODESTO", 10), dbl("VRFATOCONV"), vc("CDNVPRODUTO", 2),
                     vc("CDGRUPPROD", 10), vc("CDSUBGRPROD", 10), flag("IDPRODWEB"), vc("TXOBSPRODUTO", 2000)},
         .primaryKey = {"CDPRODUTO"},
         .foreignKeys = {fk({"CDPRODESTO"}, "PRODUTO", {"CDPRODUTO"}),
                         fk({"CDGRUPPROD", "CDSUBGRPROD"}, "SUBGRUPPROD")},
         .indexes = {uniq("UX_PRODUTO_ARVORE", {"CDARVPROD"}),
                     idx("IX_PRODUTO_SUBGRUPO", {"CDGRUPPROD", "CDSUBGRPROD"})}},
        {.name = "MARCPROD",
         .purpose = "Marcas de cada produto e sua qualificação.",
         .columns = {vc("CDPRODUTO", 10), vc("CDMARCA", 5), flag("IDQUALIMARC"), ts("DTVALQUALMARC")},
         .primaryKey = {"CDPRODUTO", "CDMARCA"},
         .foreignKeys = {owner({"CDPRODUTO"}, "PRODUTO"), owner({"CDMARCA"}, "MARCA")}},
        {.name = "PRODFORN",
         .purpose = "Produtos de cada fornecedor e sua qualificação.",
         .columns = {vc("CDFORNECED", 21), vc("CDPRODUTO", 10), flag("IDQUALIPROD"), ts("DTVALQUALPROD")},
         .primaryKey = {"CDFORNECED", "CDPRODUTO"},
         .foreignKeys = {owner({"CDFORNECED"}, "FORNECEDOR"), owner({"CDPRODUTO"}, "PRODUTO")},
         .indexes = {idx("IX_PRODFORN_PRODUTO", {"CDPRODUTO"})}},
        branchProductTable("PRODFILI", "Situação do produto na filial (IDPRODATIV = 'I' inativo).",
                           {flag("IDPRODATIV")}),
        {.name = "PRODCOMP",
         .purpose = "Níveis da árvore de produtos de cada comprador.",
         .columns = {vc("CDOPERADOR", 12), vc("CDPRODUTO", 10)},
         .primaryKey = {"CDOPERADOR", "CDPRODUTO"},
         .foreignKeys = {owner({"CDOPERADOR"}, "COMPRADOR"), owner({"CDPRODUTO"}, "PRODUTO")}},
        branchProductTable("PRODCMPFILI", "Níveis da árvore que a filial compra explicitamente."),
        branchProductTable("PRODNCMP", "Níveis da árvore que não podem ser comprados para a filial."),
        branchProductTable("PRODOPERLOG", "Produtos relacionados à filial operador logístico."),
        branchProductTable("ESTOQUE", "Estoque do produto na filial.", {dbl("QTESTOQUE")}),
        {.name = "TIPOCUSTO",
         .purpose = "Tipos de custo, na ordem em que são oferecidos nas importações.",
         .columns = {integer("NRTIPOCUSTO"), vc("NMTIPOCUSTO", 40).required()},
         .primaryKey = {"NRTIPOCUSTO"}},
        {.name = "CUSTPROD",
         .purpose = "Custo do produto na filial por tipo de custo.",
         .columns = {vc("CDFILIAL", 4), vc("CDPRODUTO", 10), integer("NRTIPOCUSTO"), dbl("VRCUSTO").required()},
         .primaryKey = {"CDFILIAL", "CDPRODUTO", "NRTIPOCUSTO"},
         .foreignKeys = {owner({"CDFILIAL"}, "FILIAL"), owner({"CDPRODUTO"}, "PRODUTO"),
                         owner({"NRTIPOCUSTO"}, "TIPOCUSTO")}},
        {.name = "TIPOOPER",
         .purpose = "Tipos de operação fiscal.",
         .columns = {vc("CDTIPOOPER", 2), vc("NMTIPOOPER", 40).required()},
         .primaryKey = {"CDTIPOOPER"}},
        {.name = "IMPOSTO",
         .purpose = "Impostos.",
         .columns = {vc("CDIMPOSTO", 2), vc("NMIMPOSTO", 30).required()},
         .primaryKey = {"CDIMPOSTO"}},
        {.name = "INCIDENCIA",
         .purpose = "Incidência de impostos por empresa, tipo de operação, inscrição estadual e nível da árvore "
                    "de produtos (CDPRODUTO nulo = todos); IDENTRSAIDIN 'E' entrada.",
         .columns = {identity("NRSEQINCID"), vc("CDEMPRESA", 2).required(), vc("CDTIPOOPER", 2).required(),
                     vc("CDINSCESTA", 20).required(), vc("CDIMPOSTO", 2).required(), vc("CDPRODUTO", 10),
                     flag("IDENTRSAIDIN").required(), vc("CDFISCAL", 10), dbl("VRALIQINCID")},
         .primaryKey = {"NRSEQINCID"},
         .foreignKeys = {fk({"CDEMPRESA"}, "EMPRESA"), fk({"CDTIPOOPER"}, "TIPOOPER"), fk({"CDIMPOSTO"}, "IMPOSTO"),
                         owner({"CDPRODUTO"}, "PRODUTO")},
         .indexes = {idx("IX_INCIDENCIA_BUSCA", {"CDEMPRESA", "CDTIPOOPER", "CDINSCESTA", "IDENTRSAIDIN", "CDIMPOSTO"}),
                     idx("IX_INCIDENCIA_PRODUTO", {"CDPRODUTO"})}},
    };
}

}  // namespace afdb::schema::v1
