#include "schema_v1.h"

namespace afdb::schema::v1 {

namespace {

const QStringList kAfKey = {"CDFILDEST", "CDFILLANC", "NRAUTOFORN"};
const QStringList kItemKey = {"CDFILDEST", "CDFILLANC", "NRAUTOFORN", "CDPRODUTO", "DTPROGENTAF", "CDMARCA"};

std::vector<Column> afKeyColumns() { return {vc("CDFILDEST", 4), vc("CDFILLANC", 4), vc("NRAUTOFORN", 10)}; }

std::vector<Column> withAfKey(std::vector<Column> rest) {
    std::vector<Column> all = afKeyColumns();
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
}

QStringList afKeyPlus(QStringList more) { return kAfKey + more; }

Table header() {
    return {
        .name = "AUTOFORNE",
        .purpose = "Cabeçalho das AFs: fornecedor, comprador, emitente, frete, cobrança, pagamento, "
                   "situações de baixa, consistência (com o texto das inconsistências), limite, consolidação e "
                   "marketplace.",
        .columns = withAfKey({
            flag("IDAUTOFORNEX"), vc("CDFORNECED", 21).required(), ts("DTAUTOFORN").required(),
            vc("CDOPERADOR", 12).required(), flag("IDTIPOEMITAF"), flag("IDTIPOFRETAF"), vc("CDEMPRESA", 2),
            vc("CDTIPCOB", 2), flag("IDTPIJURTRAN"), vc("NRINSJURTRAN", 20), flag("IDSITUATUAAF"),
            flag("IDAFFORALIM"), flag("IDBAIXAAF"), flag("IDBAIXAFSAI"), vc("CDFORMPGTO", 2), flag("IDTPFORPGTAF"),
            dbl("NRPARCPGTOAF"), dbl("NRDIAPGFIXAF"), flag("IDUTDIAPGTAF"), flag("IDTIPOLANCAF"), dbl("VRTOTALAF"),
            vc("CDGERENTE", 12), vc("CDTPCTPAGAR", 6), flag("IDAFPRODWEB"), flag("IDAFOPERLOG"),
            flag("IDENVAFECEDI"), flag("IDAFPILOTO"), vc("CDFILIOPELOG", 4), flag("IDSITUENVAFMCD"),
            vc("CDFILDESTCON", 4), vc("CDFILLANCCON", 4), vc("NRAUTOFORCON", 10), vc("NRSEQAPURAF", 10),
            ts("DTPROGENTAF"), flag("IDAFEXPIRADA"), vc("IDDEVOLUCAONF", 20), flag("IDBAIXITMFUTURA"),
            flag("IDITAFMIGRADA"), flag("IDITMSEPARADO"), vc("DSINCONSAF", 2000), ts("DTINCLUSAOAF"),
            ts("DTULTALTAF"), vc("CDOPERULTALT", 12),
        }),
        .primaryKey = kAfKey,
        .foreignKeys = {fk({"CDFILDEST"}, "FILIAL", {"CDFILIAL"}), fk({"CDFILLANC"}, "FILIAL", {"CDFILIAL"}),
                        fk({"CDFORNECED"}, "FORNECEDOR"), fk({"CDOPERADOR"}, "OPERADOR"),
                        fk({"CDEMPRESA"}, "EMPRESA"), fk({"CDTIPCOB"}, "TIPOCOBR"), fk({"CDFORMPGTO"}, "FORMPGTO"),
                        fk({"CDTPCTPAGAR"}, "TIPOCTPAGAR"), fk({"IDTPIJURTRAN", "NRINSJURTRAN"}, "TRANSPORT"),
                        fk({"CDGERENTE"}, "OPERADOR", {"CDOPERADOR"}), fk({"CDFILIOPELOG"}, "FILIAL", {"CDFILIAL"}),
                        fk({"CDFILDESTCON", "CDFILLANCCON", "NRAUTOFORCON"}, "AUTOFORNE", kAfKey)},
        .indexes = {idx("IX_AUTOFORNE_DATA", {"CDFILDEST", "DTAUTOFORN"}),
                    idx("IX_AUTOFORNE_ENTREGA", {"CDFILDEST", "DTPROGENTAF"}),
                    idx("IX_AUTOFORNE_SITUACAO", {"CDFILDEST", "IDBAIXAAF"}),
                    idx("IX_AUTOFORNE_FORNECEDOR", {"CDFORNECED", "DTAUTOFORN"}),
                    idx("IX_AUTOFORNE_COMPRADOR", {"CDOPERADOR", "DTAUTOFORN"}),
                    idx("IX_AUTOFORNE_CONSOLIDADORA", {"CDFILDESTCON", "CDFILLANCCON", "NRAUTOFORCON"})},
    };
}

Table items() {
    return {
        .name = "ITEMAUTF",
        .purpose = "Itens da AF: um por produto, data de entrega e marca; quantidades, preço, desconto, "
                   "baixa, observação, origem do preço.",
        .columns = withAfKey({
            vc("CDPRODUTO", 10), ts("DTPROGENTAF"), vc("CDMARCA", 5), dbl("QTPROGENTAF").required(),
            dbl("VRPREUNIAF"), vc("NRPARCITMAF", 2), dbl("VRPERDESAF"), vc("CDSEGMARCA", 5), dbl("QTEFETENTRAF"),
            ts("DTEFETENTAF"), flag("IDBAIXITMAF"), flag("IDBAIXITAFS"), vc("TXOBSITMAF", 2000), dbl("VRDESCITMAF"),
            dbl("QTVOLUITEMAF"), ts("DTBAIXITMAF"), vc("CDOPERBAIXA", 12), vc("IDMOTPRESCAF", 10),
            vc("NRLANCTONF", 10), vc("IDTPLANITEAF", 20), vc("NRCOTPREITAF", 10), vc("NRLISTAITAF", 10),
            flag("IDTIPOLANITM"), dbl("QTDISPITEMAFECC"), flag("IDBAIXITMFUTURA"), flag("IDITAFMIGRADA"),
            ts("DTENTRITMSOL"), flag("IDITMSEPARADO"), vc("DSINCONSITAF", 2000),
        }),
        .primaryKey = kItemKey,
        .foreignKeys = {owner(kAfKey, "AUTOFORNE"), fk({"CDPRODUTO"}, "PRODUTO"), fk({"CDMARCA"}, "MARCA"),
                        fk({"CDSEGMARCA"}, "MARCA", {"CDMARCA"}), fk({"CDOPERBAIXA"}, "OPERADOR", {"CDOPERADOR"})},
        .indexes = {idx("IX_ITEMAUTF_PRODUTO", {"CDPRODUTO", "CDMARCA"}),
                    idx("IX_ITEMAUTF_ENTREGA", {"CDFILDEST", "DTPROGENTAF"})},
    };
}

Table itemTaxes() {
    return {.name = "IMPITMAF",
            .purpose = "Impostos de cada item da AF (alíquota, valor, digitado pelo usuário).",
            .columns = withAfKey({vc("CDPRODUTO", 10), ts("DTPROGENTAF"), vc("CDMARCA", 5), vc("CDIMPOSTO", 2),
                                  dbl("VRALIQITMAF"), dbl("VRIMPITMAF"), flag("IDIMPDIGAF")}),
            .primaryKey = kItemKey + QStringList{"CDIMPOSTO"},
            .foreignKeys = {owner(kItemKey, "ITEMAUTF"), fk({"CDIMPOSTO"}, "IMPOSTO")}};
}

Table paymentTerms() {
    return {.name = "PRAZOPGTAF",
            .purpose = "Prazos de pagamento da AF (dias e percentual), quando a forma é 'V'.",
            .columns = withAfKey({dbl("NRDIASPGTOAF"), dbl("VRPERCPGTOAF").required()}),
            .primaryKey = afKeyPlus({"NRDIASPGTOAF"}),
            .foreignKeys = {owner(kAfKey, "AUTOFORNE")}};
}

Table charges() {
    return {.name = "ENCARGOAF",
            .purpose = "Encargos da AF por data de entrega.",
            .columns = withAfKey({ts("DTENTRENCAF"), vc("CDENCARGO", 2), dbl("VRENCARGOAF")}),
            .primaryKey = afKeyPlus({"DTENTRENCAF", "CDENCARGO"}),
            .foreignKeys = {owner(kAfKey, "AUTOFORNE"), fk({"CDENCARGO"}, "ENCARGO")}};
}

Table messages() {
    return {.name = "MENSAUTF",
            .purpose = "Mensagens impressas na AF.",
            .columns = withAfKey({vc("NRMENSAUTFOR", 2), vc("DSMENSAF", 100)}),
            .primaryKey = afKeyPlus({"NRMENSAUTFOR"}),
            .foreignKeys = {owner(kAfKey, "AUTOFORNE")}};
}

// The log keeps no foreign key to the AF: an audit trail outlives what it audits.
Table alterationLog() {
    return {.name = "MOVOPAF",
            .purpose = "Log de alterações da AF com as justificativas (auditoria); sobrevive à exclusão da AF.",
            .columns = {identity("NRSEQMOVAF"), vc("CDFILDESMOV", 4).required(), vc("CDFILLANMOV", 4).required(),
                        vc("NRAUTOMOV", 10).required(), vc("CDPRODMOV", 10), vc("CDMARCMOV", 5), ts("DTPROGENTMOV"),
                        ts("DTOPERAF").required(), vc("DSALTERAF", 500), vc("CDOPERADOR", 12), vc("DSJUSTOPERMOV", 100),
                        vc("IDOPERAMOVAF", 3), vc("DSRDMUSUMOVAF", 50), vc("DSENDUSUMOVAF", 50), vc("DSNMUSUMOVAF", 50),
                        vc("DSMETUSUMOVAF", 250)},
            .primaryKey = {"NRSEQMOVAF"},
            .indexes = {idx("IX_MOVOPAF_AF", {"CDFILDESMOV", "CDFILLANMOV", "NRAUTOMOV", "NRSEQMOVAF"})}};
}

Table migrations() {
    return {.name = "AFMIGRA",
            .purpose = "Itens migrados entre AFs: o item de origem (...ORIG) e a AF mostrada ao usuário.",
            .columns = {vc("CDFILDESTORIG", 4), vc("CDFILLANCORIG", 4), vc("NRAUTOFORNORIG", 10),
                        vc("CDPRODUTOORIG", 10), ts("DTPROGENTAFORIG"), vc("CDMARCAORIG", 5),
                        vc("CDFILDEST", 4).required(), vc("CDFILLANC", 4).required(), vc("NRAUTOFORN", 10).required()},
            .primaryKey = {"CDFILDESTORIG", "CDFILLANCORIG", "NRAUTOFORNORIG", "CDPRODUTOORIG", "DTPROGENTAFORIG",
                           "CDMARCAORIG"},
            .indexes = {idx("IX_AFMIGRA_AF", kAfKey)}};
}

Table payables() {
    return {.name = "CONTPAGAF",
            .purpose = "Contas a pagar geradas no fechamento da AF (fornecedor que gera contas a pagar).",
            .columns = withAfKey({vc("NRPARCPGTO", 2), ts("DTVENCPGTO").required(), dbl("VRPARCPGTO").required(),
                                  vc("CDTPCTPAGAR", 6), flag("IDSITUPGTO")}),
            .primaryKey = afKeyPlus({"NRPARCPGTO"}),
            .foreignKeys = {fk(kAfKey, "AUTOFORNE"), fk({"CDTPCTPAGAR"}, "TIPOCTPAGAR")}};
}

}  // namespace

std::vector<Table> afTables() {
    return {
        {.name = "NUMAUTOFORN",
         .purpose = "Último número de AF usado por filial de lançamento (numeração das AFs novas).",
         .columns = {vc("CDFILLANC", 4), integer("NRULTAUTOFORN").required()},
         .primaryKey = {"CDFILLANC"},
         .foreignKeys = {fk({"CDFILLANC"}, "FILIAL", {"CDFILIAL"})}},
        header(), items(), itemTaxes(), paymentTerms(), charges(), messages(), alterationLog(), migrations(),
        payables(),
    };
}

}  // namespace afdb::schema::v1
