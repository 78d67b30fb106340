#include "lanca_autof_layouts.h"

#include "platform/server/modules/common/af_tables.h"
#include "platform/server/modules/common/field_shorthands.h"

namespace platform::server::modules::layouts {

using namespace fieldDefs;

PacketLayout servAutoForne() {
    const TableDescriptor& a = tables::autoForne();
    return {column(a, "A", "CDFILDEST").hidden(),
            column(a, "A", "NRAUTOFORN").label("Número"),
            column(a, "A", "CDFILLANC").label("Lanç."),
            column(a, "A", "DTAUTOFORN").label("Data"),
            expression("F.NMRAZSOCFORN", str("NMRAZSOCFORN", 40, "Fornecedor")),
            expression("F.IDTPENVAFFOR", hid("IDTPENVAFFOR", 1)),
            column(a, "A", "CDFORNECED").hidden(),
            column(a, "A", "IDAUTOFORNEX").label("Extra"),
            column(a, "A", "IDBAIXAAF").label("Sit. da Baixa"),
            column(a, "A", "IDBAIXAFSAI").label("Baixa de Saída"),
            column(a, "A", "IDSITUATUAAF").label("Cons."),
            column(a, "A", "IDAFFORALIM").label("Lim."),
            column(a, "A", "IDTIPOLANCAF").hidden(),
            column(a, "A", "IDSITUENVAFMCD").label("Atualiza c/ Mercadum"),
            column(a, "A", "VRTOTALAF").label("Total").displayFormat("####,##0.00000"),
            column(a, "A", "IDAFPRODWEB").label(" "),
            column(a, "A", "IDAFOPERLOG").label(" "),
            column(a, "A", "CDFILDESTCON").hidden(),
            column(a, "A", "CDFILLANCCON").hidden(),
            column(a, "A", "NRAUTOFORCON").hidden(),
            expression("K.NMFILIAL", hid("NMFILDESTCON", 30)),
            column(a, "A", "CDGERENTE").hidden(),
            column(a, "A", "NRSEQAPURAF").hidden(),
            column(a, "A", "DTPROGENTAF").label("Entrega"),
            column(a, "A", "IDAFEXPIRADA").hidden(),
            column(a, "A", "IDDEVOLUCAONF").hidden(),
            column(a, "A", "CDOPERADOR").hidden(),
            column(a, "A", "IDBAIXITMFUTURA").label("Baixa Futura"),
            column(a, "A", "IDAFPILOTO").hidden(),
            column(a, "A", "IDITAFMIGRADA").hidden(),
            column(a, "A", "IDITMSEPARADO").hidden()};
}

PacketLayout autoForne() {
    const TableDescriptor& a = tables::autoForne();
    return {column(a, "A", "CDFILDEST"),
            column(a, "A", "CDFILLANC"),
            column(a, "A", "NRAUTOFORN"),
            column(a, "A", "IDAUTOFORNEX"),
            column(a, "A", "CDFORNECED"),
            expression("F.NMRAZSOCFORN", str("NMRAZSOCFORN", 40)),
            expression("F.NRINSJURFORN", str("NRINSJURFORN", 20)),
            expression("F.IDTPIJURFORN", str("IDTPIJURFORN", 1)),
            expression("F.NMFANTFORN", str("NMFANTFORN", 40)),
            column(a, "A", "DTAUTOFORN"),
            column(a, "A", "CDOPERADOR"),
            column(a, "A", "IDTIPOEMITAF"),
            column(a, "A", "IDTIPOFRETAF"),
            column(a, "A", "CDEMPRESA"),
            column(a, "A", "CDTIPCOB"),
            column(a, "A", "IDTPIJURTRAN"),
            column(a, "A", "NRINSJURTRAN"),
            expression("FL.NMFILIAL", str("NMFILIAL", 30)),
            expression("E.NMEMPRESA", str("NMEMPRESA", 40)),
            expression("O.NMOPERADOR", str("NMOPERADOR", 40)),
            expression("TC.NMTIPOCOBR", str("NMTIPOCOBR", 20)),
            expression("T.NMRAZSOCTRAN", str("NMRAZSOCTRAN", 40)),
            column(a, "A", "IDSITUATUAAF"),
            column(a, "A", "IDAFFORALIM"),
            column(a, "A", "IDBAIXAAF"),
            column(a, "A", "IDBAIXAFSAI"),
            column(a, "A", "CDFORMPGTO"),
            expression("FP.NMFORMPGTO", str("NMFORMPGTO", 30)),
            column(a, "A", "IDTPFORPGTAF"),
            column(a, "A", "NRPARCPGTOAF"),
            column(a, "A", "NRDIAPGFIXAF"),
            column(a, "A", "IDUTDIAPGTAF"),
            column(a, "A", "IDTIPOLANCAF"),
            column(a, "A", "VRTOTALAF"),
            column(a, "A", "CDGERENTE"),
            column(a, "A", "CDTPCTPAGAR"),
            expression("CP.DSTPCTPAGAR", str("DSTPCTPAGAR", 40)),
            column(a, "A", "IDAFPRODWEB"),
            column(a, "A", "IDAFOPERLOG"),
            column(a, "A", "IDENVAFECEDI"),
            expression("FD.NMFILIAL", str("NMFILDEST", 30)),
            column(a, "A", "IDAFPILOTO"),
            column(a, "A", "CDFILIOPELOG").hidden()};
}

PacketLayout itemAutfProduto() {
    return {expression("P.CDPRODUTO", str("CDPRODUTO", 10, "Código do Produto")).hidden(),
            expression("P.CDARVPROD", str("CDARVPROD", 20, "Código do Produto")),
            expression("P.NMPRODUTO", str("NMPRODUTO", 50, "Nome do Produto")),
            expression("P.SGUNIDADE", str("SGUNIDADE", 10, "Sigla da Unidade")),
            expression("CAST(NULL AS VARCHAR(1))", hid("LISTA", 1))};
}

PacketLayout itemAutF() {
    const TableDescriptor& i = tables::itemAutF();
    return {column(i, "I", "CDFILDEST").hidden(),
            column(i, "I", "CDFILLANC").hidden(),
            column(i, "I", "CDPRODUTO").label("Código do Produto").hidden(),
            expression("P.CDARVPROD", str("CDARVPROD", 20, "Código do Produto")),
            expression("P.NMPRODUTO", str("NMPRODUTO", 50, "Produto")),
            expression("P.SGUNIDADE", str("SGUNIDADE", 10, "UN")),
            column(i, "I", "DTPROGENTAF").label("Entrega"),
            column(i, "I", "CDMARCA").label("Código da Marca").hidden().editMask("99999;0; "),
            expression("M.NMMARCA", str("NMMARCA", 20, "Marca")),
            column(i, "I", "QTPROGENTAF").label("Quantidade").displayFormat("###,##0.000").editFormat("###,##0.000"),
            column(i, "I", "VRPREUNIAF")
                .label("Preço Unitário")
                .displayFormat("####,##0.00")
                .editFormat("####,##0.00000"),
            column(i, "I", "NRPARCITMAF").label("Parcela"),
            column(i, "I", "VRPERDESAF").label("Desc.").displayFormat("#0.00 %").editFormat("#0.00"),
            column(i, "I", "CDSEGMARCA")
                .label("Código da Segunda Marca")
                .hidden()
                .alignment(Qt::AlignHCenter)
                .editMask("99999;0; "),
            expression("M2.NMMARCA", str("NMSEGMARCA", 20, "Segunda Marca")),
            column(i, "I", "QTEFETENTRAF").label("Quantidade entregue").displayFormat("###,##0.000"),
            column(i, "I", "DTEFETENTAF").label("Data da última entrega"),
            column(i, "I", "NRAUTOFORN").hidden(),
            column(i, "I", "IDBAIXITMAF").label("Situação de Baixa").hidden(),
            column(i, "I", "IDBAIXITAFS").label("Baixa de Saída").hidden(),
            column(i, "I", "TXOBSITMAF").hidden(),
            column(i, "I", "VRDESCITMAF").displayFormat("####,##0.00000").hidden(),
            column(i, "I", "QTVOLUITEMAF").label("Qt. Volumes").displayFormat("#,##0.000").editFormat("#0.000"),
            column(i, "I", "DTBAIXITMAF").hidden(),
            column(i, "I", "CDOPERBAIXA").hidden(),
            expression("O.NMOPERADOR", hid("NMOPERADOR", 40)),
            column(i, "I", "IDMOTPRESCAF").hidden(),
            column(i, "I", "NRLANCTONF").hidden(),
            column(i, "I", "IDTPLANITEAF").label("Tipo Lanç."),
            column(i, "I", "NRCOTPREITAF").hidden(),
            column(i, "I", "NRLISTAITAF").label("Lista de Preços"),
            column(i, "I", "IDTIPOLANITM").hidden(),
            column(i, "I", "QTDISPITEMAFECC").label("Qtde. Disponível").displayFormat("###,##0.000").readOnly(),
            column(i, "I", "IDBAIXITMFUTURA").label("Baixa Futura").hidden(),
            column(i, "I", "IDITAFMIGRADA").hidden().fixedLength(),
            column(i, "I", "DTENTRITMSOL").hidden(),
            column(i, "I", "IDITMSEPARADO").hidden()};
}

PacketLayout impostoAF() {
    const TableDescriptor& x = tables::impItmAF();
    return {expression("IP.NMIMPOSTO", str("NMIMPOSTO", 30, "Descrição")).readOnly(),
            column(x, "X", "VRALIQITMAF").label("Valor da Alíquota").displayFormat("####,##0.00"),
            column(x, "X", "VRIMPITMAF").label("Valor do Imposto").displayFormat("####,##0.00"),
            column(x, "X", "CDFILDEST").hidden(),
            column(x, "X", "CDFILLANC").hidden(),
            column(x, "X", "NRAUTOFORN").hidden(),
            column(x, "X", "CDPRODUTO").hidden(),
            expression("P.CDARVPROD", hid("CDARVPROD", 20)),
            column(x, "X", "DTPROGENTAF").hidden(),
            column(x, "X", "CDMARCA").hidden(),
            column(x, "X", "CDIMPOSTO").hidden(),
            column(x, "X", "IDIMPDIGAF").hidden()};
}

PacketLayout prazoPgtAF() {
    const TableDescriptor& x = tables::prazoPgtAF();
    return {column(x, "X", "CDFILDEST").hidden(),
            column(x, "X", "CDFILLANC").hidden(),
            column(x, "X", "NRAUTOFORN").hidden(),
            column(x, "X", "NRDIASPGTOAF").label("Prazo(Dias)"),
            column(x, "X", "VRPERCPGTOAF").label("Percentual").displayFormat("#0.00 %").editFormat("#0.00")};
}

PacketLayout dataEncargo() {
    const TableDescriptor& x = tables::itemAutF();
    return {column(x, "X", "DTPROGENTAF").label("Data"), column(x, "X", "CDFILDEST").hidden(),
            column(x, "X", "CDFILLANC").hidden(), column(x, "X", "NRAUTOFORN").hidden()};
}

PacketLayout encargo() {
    const TableDescriptor& x = tables::encargoAF();
    return {column(x, "X", "CDFILDEST").hidden(),
            column(x, "X", "CDFILLANC").hidden(),
            column(x, "X", "NRAUTOFORN").hidden(),
            column(x, "X", "DTENTRENCAF"),
            column(x, "X", "CDENCARGO").label("Código"),
            expression("E.NMENCARGO", str("NMENCARGO", 20, "Nome")),
            column(x, "X", "VRENCARGOAF").label("Valor").displayFormat("#,###,##0.00").editFormat("#,###,##0.00")};
}

PacketLayout mensagensAF() {
    const TableDescriptor& x = tables::mensAutF();
    return {column(x, "X", "NRMENSAUTFOR").label("Número"), column(x, "X", "CDFILLANC").hidden(),
            column(x, "X", "DSMENSAF").label("Descrição"), column(x, "X", "CDFILDEST").hidden(),
            column(x, "X", "NRAUTOFORN").hidden()};
}

// Receipts are not the AF's own tables; sizes the invoice layout leaves open
// follow the item tables' default of 20.
PacketLayout nfBaixa() {
    return {expression("B.CDFILIAL", str("CDFILIAL", 4)),
            expression("B.NRLANCTONF", str("NRLANCTONF", 10, "Lançamento")),
            expression("NF.NRNOTAFISC", str("NRNOTAFISC", 20, "Nº Nota Fiscal")),
            expression("NF.DTENTRSAID", date("DTENTRSAID", "Dt. Entrada")),
            expression("NF.CDSERIEENTR", str("CDSERIEENTR", 5, "Série")),
            expression("IT.VRUNITITEM", num("VRUNITITEM", "Vr. Unitário")),
            expression("B.CDFILDEST", str("CDFILDEST", 4)),
            expression("B.CDFILLANC", str("CDFILLANC", 4)),
            expression("B.NRAUTOFORN", str("NRAUTOFORN", 10)),
            expression("B.CDMARCA", str("CDMARCA", 5)),
            expression("B.CDPRODUTO", str("CDPRODUTO", 20)),
            expression("B.DTPROGENTAF", date("DTPROGENTAF")),
            expression("IT.QTITEMPROD", num("QTITEMPROD", "Quantidade")),
            expression("B.QTNFEFETAF", num("QTNFEFETAF"))};
}

PacketLayout movOpAF() {
    const TableDescriptor& m = tables::movOpAF();
    return {column(m, "M", "CDFILDESMOV").label("Filial Dest."),
            column(m, "M", "CDFILLANMOV").label("Filial Lanc."),
            column(m, "M", "NRAUTOMOV").label("AF"),
            column(m, "M", "CDPRODMOV"),
            expression("P.NMPRODUTO", str("NMPRODUTO", 50)),
            expression("P.CDARVPROD", str("CDARVPROD", 20)),
            column(m, "M", "CDMARCMOV"),
            expression("MA.NMMARCA", str("NMMARCA", 20)),
            column(m, "M", "DTPROGENTMOV"),
            column(m, "M", "DTOPERAF"),
            column(m, "M", "DSALTERAF").label("Descrição"),
            column(m, "M", "CDOPERADOR"),
            expression("O.NMOPERADOR", str("NMOPERADOR", 40)),
            column(m, "M", "DSJUSTOPERMOV").label("Justificativa"),
            column(m, "M", "IDOPERAMOVAF").label("Operação"),
            column(m, "M", "DSRDMUSUMOVAF"),
            column(m, "M", "DSENDUSUMOVAF"),
            column(m, "M", "DSNMUSUMOVAF"),
            column(m, "M", "DSMETUSUMOVAF"),
            computed(str("ITEM", 86))};
}

// The brands of a product for the item's brand lookup; sizes are MARCA's.
PacketLayout pesqMarca() {
    return {expression("M.CDMARCA", str("CDMARCA", 5, "Código")), expression("M.NMMARCA", str("NMMARCA", 20, "Marca"))};
}

}  // namespace platform::server::modules::layouts
