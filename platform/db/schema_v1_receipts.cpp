#include "schema_v1.h"

namespace afdb::schema::v1 {

std::vector<Table> receiptTables() {
    const QStringList itemKey = {"CDFILDEST", "CDFILLANC", "NRAUTOFORN", "CDPRODUTO", "DTPROGENTAF", "CDMARCA"};
    return {
        {.name = "NOTAFISC",
         .purpose = "Notas fiscais de entrada (lançamento por filial) que recebem mercadoria das AFs.",
         .columns = {vc("CDFILIAL", 4), vc("NRLANCTONF", 10), vc("NRNOTAFISC", 10).required(), vc("CDSERIEENTR", 5),
                     ts("DTENTRSAID").required(), vc("CDFORNECED", 21).required(), flag("IDDEVOLUCAONF")},
         .primaryKey = {"CDFILIAL", "NRLANCTONF"},
         .foreignKeys = {fk({"CDFILIAL"}, "FILIAL"), fk({"CDFORNECED"}, "FORNECEDOR")},
         .indexes = {idx("IX_NOTAFISC_FORNECEDOR", {"CDFORNECED", "DTENTRSAID"})}},
        {.name = "ITNOTAFISC",
         .purpose = "Itens das notas fiscais: produto, marca, quantidade e valor unitário.",
         .columns = {vc("CDFILIAL", 4), vc("NRLANCTONF", 10), vc("CDPRODUTO", 10), vc("CDMARCA", 5),
                     dbl("QTITEMPROD").required(), dbl("VRUNITITEM").required()},
         .primaryKey = {"CDFILIAL", "NRLANCTONF", "CDPRODUTO", "CDMARCA"},
         .foreignKeys = {owner({"CDFILIAL", "NRLANCTONF"}, "NOTAFISC"), fk({"CDPRODUTO"}, "PRODUTO"),
                         fk({"CDMARCA"}, "MARCA")},
         .indexes = {idx("IX_ITNOTAFISC_PRODUTO", {"CDPRODUTO", "CDMARCA"})}},
        {.name = "BAIXAITAF",
         .purpose = "Quanto de cada item de nota baixou cada item de AF (IDENTRSAIDA 'E' entrada, 'S' saída "
                    "pelo operador logístico).",
         .columns = {vc("CDFILIAL", 4), vc("NRLANCTONF", 10), vc("CDPRODUTO", 10), vc("CDMARCA", 5),
                     vc("CDFILDEST", 4), vc("CDFILLANC", 4), vc("NRAUTOFORN", 10), ts("DTPROGENTAF"),
                     flag("IDENTRSAIDA").checked("IDENTRSAIDA IN ('E', 'S')"), dbl("QTNFEFETAF").required()},
         .primaryKey = {"CDFILIAL", "NRLANCTONF", "CDPRODUTO", "CDMARCA", "CDFILDEST", "CDFILLANC", "NRAUTOFORN",
                        "DTPROGENTAF", "IDENTRSAIDA"},
         .foreignKeys = {owner({"CDFILIAL", "NRLANCTONF", "CDPRODUTO", "CDMARCA"}, "ITNOTAFISC"),
                         fk(itemKey, "ITEMAUTF")},
         .indexes = {idx("IX_BAIXAITAF_ITEM", itemKey)}},
    };
}

}  // namespace afdb::schema::v1
