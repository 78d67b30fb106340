#include "schema_v1.h"

namespace afdb::schema::v1 {

namespace {

std::vector<Table> requests() {
    return {
        {.name = "SOLICMP",
         .purpose = "Solicitações de compras (filial de lançamento e número), da filial solicitante.",
         .columns = {vc("CDFILLAN", 4), vc("NRSOLICMP", 10), vc("CDFILSOLI", 4).required(), ts("DTSOLCMP").required(),
                     vc("CDOPERADOR", 12), flag("IDSITUSOLI")},
         .primaryKey = {"CDFILLAN", "NRSOLICMP"},
         .foreignKeys = {fk({"CDFILLAN"}, "FILIAL", {"CDFILIAL"}), fk({"CDFILSOLI"}, "FILIAL", {"CDFILIAL"}),
                         fk({"CDOPERADOR"}, "OPERADOR")},
         .indexes = {idx("IX_SOLICMP_SOLICITANTE", {"CDFILSOLI", "DTSOLCMP"})}},
        {.name = "ITEMSOLICMP",
         .purpose = "Produtos solicitados: marca, entrega pedida, quantidade, situação (aprovado, reprovado, "
                    "importado) e a AF que os atendeu.",
         .columns = {vc("CDFILLAN", 4), vc("NRSOLICMP", 10), vc("CDPRODUTO", 10), vc("CDMARCA", 5),
                     ts("DTPROGENTR").required(), dbl("QTSOLIPROD").required(), flag("IDSITUITSOL"),
                     vc("CDFORNECED", 21), vc("CDJUSTSOL", 4), vc("CDFILDEST", 4), vc("CDFILLANC", 4),
                     vc("NRAUTOFORN", 10), ts("DTIMPORTACAO")},
         .primaryKey = {"CDFILLAN", "NRSOLICMP", "CDPRODUTO"},
         .foreignKeys = {owner({"CDFILLAN", "NRSOLICMP"}, "SOLICMP"), fk({"CDPRODUTO"}, "PRODUTO"),
                         fk({"CDMARCA"}, "MARCA"), fk({"CDFORNECED"}, "FORNECEDOR"), fk({"CDJUSTSOL"}, "JUSTSOLI"),
                         fk({"CDFILDEST", "CDFILLANC", "NRAUTOFORN"}, "AUTOFORNE", {}, OnDelete::SetNull)},
         .indexes = {idx("IX_ITEMSOLICMP_AF", {"CDFILDEST", "CDFILLANC", "NRAUTOFORN"}),
                     idx("IX_ITEMSOLICMP_PRODUTO", {"CDPRODUTO"})}},
    };
}

std::vector<Table> priceLists() {
    return {
        {.name = "LISTPREC",
         .purpose = "Listas de preços dos fornecedores por central de compras.",
         .columns = {vc("NRLISTPREC", 10), vc("CDFORNECED", 21).required(), vc("CDFILCENTCMP", 4).required(),
                     vc("DSLISTPREC", 40), ts("DTLISTPREC")},
         .primaryKey = {"NRLISTPREC"},
         .foreignKeys = {fk({"CDFORNECED"}, "FORNECEDOR"), fk({"CDFILCENTCMP"}, "FILIAL", {"CDFILIAL"})},
         .indexes = {idx("IX_LISTPREC_FORNECEDOR", {"CDFORNECED", "CDFILCENTCMP"})}},
        {.name = "ITEMLISTPREC",
         .purpose = "Preços da lista por produto e marca, com validade e classificação.",
         .columns = {vc("NRLISTPREC", 10), vc("CDPRODUTO", 10), vc("CDMARCA", 5), dbl("VRPRECUNIITM").required(),
                     ts("DTINIVALITM"), ts("DTFINVALITM"), integer("NRRANKING")},
         .primaryKey = {"NRLISTPREC", "CDPRODUTO", "CDMARCA"},
         .foreignKeys = {owner({"NRLISTPREC"}, "LISTPREC"), fk({"CDPRODUTO"}, "PRODUTO"), fk({"CDMARCA"}, "MARCA")},
         .indexes = {idx("IX_ITEMLISTPREC_PRODUTO", {"CDPRODUTO"})}},
    };
}

std::vector<Table> quotations() {
    return {
        {.name = "COTAPREC",
         .purpose = "Cotações de preço da central de compras (origem do melhor preço).",
         .columns = {vc("NRCOTPREC", 10), vc("CDFILCENTCMP", 4).required(), vc("CDOPERADOR", 12),
                     ts("DTCOTPREC").required(), ts("DTVALCOTPREC")},
         .primaryKey = {"NRCOTPREC"},
         .foreignKeys = {fk({"CDFILCENTCMP"}, "FILIAL", {"CDFILIAL"}), fk({"CDOPERADOR"}, "OPERADOR")}},
        {.name = "ITEMCOTPREC",
         .purpose = "Preços cotados por fornecedor, produto e marca.",
         .columns = {vc("NRCOTPREC", 10), vc("CDFORNECED", 21), vc("CDPRODUTO", 10), vc("CDMARCA", 5),
                     dbl("VRPRECCOTA").required(), dbl("QTCOTADA")},
         .primaryKey = {"NRCOTPREC", "CDFORNECED", "CDPRODUTO", "CDMARCA"},
         .foreignKeys = {owner({"NRCOTPREC"}, "COTAPREC"), fk({"CDFORNECED"}, "FORNECEDOR"),
                         fk({"CDPRODUTO"}, "PRODUTO"), fk({"CDMARCA"}, "MARCA")},
         .indexes = {idx("IX_ITEMCOTPREC_PRODUTO", {"CDPRODUTO", "CDFORNECED"})}},
    };
}

std::vector<Table> surveys() {
    return {
        {.name = "APURPREC",
         .purpose = "Apurações de preços (pesquisas de preço por fornecedor) com sua validade.",
         .columns = {vc("NRAPURPREC", 10), vc("CDFILCENTCMP", 4).required(), vc("CDOPERADOR", 12),
                     ts("DTINIAPUPREC"), ts("DTFINAPUPREC"), flag("IDSITUAPUR")},
         .primaryKey = {"NRAPURPREC"},
         .foreignKeys = {fk({"CDFILCENTCMP"}, "FILIAL", {"CDFILIAL"}), fk({"CDOPERADOR"}, "OPERADOR")}},
        {.name = "ITEMAPURPREC",
         .purpose = "Itens da apuração por fornecedor e filial destino: quantidade a comprar e custo apurado; "
                    "as correções da importação são gravadas aqui.",
         .columns = {vc("CDFILLAN", 4), vc("NRSEQITMAP", 10), vc("CDFORNECED", 21), vc("CDFILIAL", 4),
                     vc("NRAPURPREC", 10).required(), vc("CDPRODUTO", 10).required(), vc("CDMARCA", 5),
                     ts("DTENTRAPUT"), dbl("QTACOMP"), dbl("VRPRECUNIAP"), flag("IDIMPORTADO"), flag("IDINCONSIST")},
         .primaryKey = {"CDFILLAN", "NRSEQITMAP", "CDFORNECED", "CDFILIAL"},
         .foreignKeys = {owner({"NRAPURPREC"}, "APURPREC"), fk({"CDFILLAN"}, "FILIAL", {"CDFILIAL"}),
                         fk({"CDFORNECED"}, "FORNECEDOR"), fk({"CDFILIAL"}, "FILIAL"), fk({"CDPRODUTO"}, "PRODUTO"),
                         fk({"CDMARCA"}, "MARCA")},
         .indexes = {idx("IX_ITEMAPURPREC_APURACAO", {"NRAPURPREC", "CDFORNECED"})}},
    };
}

void append(std::vector<Table>& to, std::vector<Table> more) {
    to.insert(to.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

}  // namespace

std::vector<Table> sourcingTables() {
    std::vector<Table> all = requests();
    append(all, priceLists());
    append(all, quotations());
    append(all, surveys());
    return all;
}

}  // namespace afdb::schema::v1
