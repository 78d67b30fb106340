#include "lanca_autof_fields.h"

namespace platform::server::modules::fields {

namespace {

using host::FieldDef;

FieldDef str(const char* name, int size, const char* label = nullptr) {
    return FieldDef::string(QString::fromLatin1(name), size, label ? QString::fromUtf8(label) : QString());
}
FieldDef hid(const char* name, int size) { return str(name, size).hidden(); }
FieldDef fixed(const char* name, int size) {
    FieldDef f = str(name, size);
    f.fixedLength = true;
    return f;
}
FieldDef num(const char* name, const char* label = nullptr, const char* display = nullptr) {
    return FieldDef::floating(QString::fromLatin1(name), label ? QString::fromUtf8(label) : QString(),
                              display ? QString::fromLatin1(display) : QString());
}
FieldDef date(const char* name, const char* label = nullptr) {
    return FieldDef::dateTime(QString::fromLatin1(name), label ? QString::fromUtf8(label) : QString());
}
Fields afKey() { return {hid("CDFILDEST", 4), hid("CDFILLANC", 4), hid("NRAUTOFORN", 10)}; }

}  // namespace

Fields servAutoForne() {
    return {hid("CDFILDEST", 4),
            str("NRAUTOFORN", 10, "Número"),
            str("CDFILLANC", 4, "Lanç."),
            date("DTAUTOFORN", "Data"),
            str("NMRAZSOCFORN", 40, "Fornecedor"),
            hid("IDTPENVAFFOR", 1),
            hid("CDFORNECED", 21),
            str("IDAUTOFORNEX", 1, "Extra"),
            str("IDBAIXAAF", 1, "Sit. da Baixa"),
            str("IDBAIXAFSAI", 1, "Baixa de Saída"),
            str("IDSITUATUAAF", 1, "Cons."),
            str("IDAFFORALIM", 1, "Lim."),
            hid("IDTIPOLANCAF", 1),
            str("IDSITUENVAFMCD", 1, "Atualiza c/ Mercadum"),
            num("VRTOTALAF", "Total", "####,##0.00000"),
            str("IDAFPRODWEB", 1, " "),
            str("IDAFOPERLOG", 1, " "),
            hid("CDFILDESTCON", 4),
            hid("CDFILLANCCON", 4),
            hid("NRAUTOFORCON", 10),
            hid("NMFILDESTCON", 30),
            hid("CDGERENTE", 12),
            hid("NRSEQAPURAF", 10),
            date("DTPROGENTAF", "Entrega"),
            hid("IDAFEXPIRADA", 1),
            hid("IDDEVOLUCAONF", 20),
            hid("CDOPERADOR", 12),
            str("IDBAIXITMFUTURA", 1, "Baixa Futura"),
            hid("IDAFPILOTO", 1),
            hid("IDITAFMIGRADA", 1),
            hid("IDITMSEPARADO", 1)};
}

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

Fields autoForne() {
    return {str("CDFILDEST", 4),     str("CDFILLANC", 4),     str("NRAUTOFORN", 10),   str("IDAUTOFORNEX", 1),
            str("CDFORNECED", 21),   str("NMRAZSOCFORN", 40), str("NRINSJURFORN", 20), str("IDTPIJURFORN", 1),
            str("NMFANTFORN", 40),   date("DTAUTOFORN"),      str("CDOPERADOR", 12),   str("IDTIPOEMITAF", 1),
            str("IDTIPOFRETAF", 1),  str("CDEMPRESA", 2),     str("CDTIPCOB", 2),      str("IDTPIJURTRAN", 1),
            str("NRINSJURTRAN", 20), str("NMFILIAL", 30),     str("NMEMPRESA", 40),    str("NMOPERADOR", 40),
            str("NMTIPOCOBR", 20),   str("NMRAZSOCTRAN", 40), str("IDSITUATUAAF", 1),  str("IDAFFORALIM", 1),
            str("IDBAIXAAF", 1),     str("IDBAIXAFSAI", 1),   str("CDFORMPGTO", 2),    str("NMFORMPGTO", 30),
            str("IDTPFORPGTAF", 1),  num("NRPARCPGTOAF"),     num("NRDIAPGFIXAF"),     str("IDUTDIAPGTAF", 1),
            str("IDTIPOLANCAF", 1),  num("VRTOTALAF"),        str("CDGERENTE", 12),    str("CDTPCTPAGAR", 6),
            str("DSTPCTPAGAR", 40),  str("IDAFPRODWEB", 1),   str("IDAFOPERLOG", 1),   str("IDENVAFECEDI", 1),
            str("NMFILDEST", 30),    str("IDAFPILOTO", 1),    hid("CDFILIOPELOG", 4)};
}

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

Fields itemAutfProduto() {
    return {str("CDPRODUTO", 10, "Código do Produto").hidden(), str("CDARVPROD", 20, "Código do Produto"),
            str("NMPRODUTO", 50, "Nome do Produto"), str("SGUNIDADE", 10, "Sigla da Unidade"), hid("LISTA", 1)};
}

Fields itemAutF() {
    FieldDef migrated = hid("IDITAFMIGRADA", 1);
    migrated.fixedLength = true;
    return {hid("CDFILDEST", 4),
            hid("CDFILLANC", 4),
            str("CDPRODUTO", 10, "Código do Produto").hidden(),
            str("CDARVPROD", 20, "Código do Produto"),
            str("NMPRODUTO", 50, "Produto"),
            str("SGUNIDADE", 10, "UN"),
            date("DTPROGENTAF", "Entrega"),
            str("CDMARCA", 5, "Código da Marca").hidden().withEditMask(QStringLiteral("99999;0; ")),
            str("NMMARCA", 20, "Marca"),
            num("QTPROGENTAF", "Quantidade", "###,##0.000").withEditFormat(QStringLiteral("###,##0.000")),
            num("VRPREUNIAF", "Preço Unitário", "####,##0.00").withEditFormat(QStringLiteral("####,##0.00000")),
            str("NRPARCITMAF", 2, "Parcela"),
            num("VRPERDESAF", "Desc.", "#0.00 %").withEditFormat(QStringLiteral("#0.00")),
            str("CDSEGMARCA", 5, "Código da Segunda Marca")
                .hidden()
                .withAlignment(Qt::AlignHCenter)
                .withEditMask(QStringLiteral("99999;0; ")),
            str("NMSEGMARCA", 20, "Segunda Marca"),
            num("QTEFETENTRAF", "Quantidade entregue", "###,##0.000"),
            date("DTEFETENTAF", "Data da última entrega"),
            hid("NRAUTOFORN", 10),
            str("IDBAIXITMAF", 1, "Situação de Baixa").hidden(),
            str("IDBAIXITAFS", 1, "Baixa de Saída").hidden(),
            hid("TXOBSITMAF", 2000),
            num("VRDESCITMAF", nullptr, "####,##0.00000").hidden(),
            num("QTVOLUITEMAF", "Qt. Volumes", "#,##0.000").withEditFormat(QStringLiteral("#0.000")),
            date("DTBAIXITMAF").hidden(),
            hid("CDOPERBAIXA", 12),
            hid("NMOPERADOR", 40),
            hid("IDMOTPRESCAF", 10),
            hid("NRLANCTONF", 10),
            str("IDTPLANITEAF", 20, "Tipo Lanç."),
            hid("NRCOTPREITAF", 10),
            str("NRLISTAITAF", 10, "Lista de Preços"),
            hid("IDTIPOLANITM", 1),
            num("QTDISPITEMAFECC", "Qtde. Disponível", "###,##0.000").asReadOnly(),
            str("IDBAIXITMFUTURA", 1, "Baixa Futura").hidden(),
            migrated,
            date("DTENTRITMSOL").hidden(),
            hid("IDITMSEPARADO", 1)};
}

Fields impostoAF() {
    Fields f = {str("NMIMPOSTO", 30, "Descrição").asReadOnly(), num("VRALIQITMAF", "Valor da Alíquota", "####,##0.00"),
                num("VRIMPITMAF", "Valor do Imposto", "####,##0.00")};
    for (FieldDef& k : afKey()) f.push_back(k);
    f.push_back(hid("CDPRODUTO", 10));
    f.push_back(hid("CDARVPROD", 20));
    f.push_back(date("DTPROGENTAF").hidden());
    f.push_back(hid("CDMARCA", 5));
    f.push_back(hid("CDIMPOSTO", 2));
    f.push_back(hid("IDIMPDIGAF", 1));
    return f;
}

Fields prazoPgtAF() {
    Fields f = afKey();
    f.push_back(num("NRDIASPGTOAF", "Prazo(Dias)"));
    f.push_back(num("VRPERCPGTOAF", "Percentual", "#0.00 %").withEditFormat(QStringLiteral("#0.00")));
    return f;
}

Fields prazoPgFor() {
    return {hid("CDFORNECED", 21), num("NRDIASPGTOFO", "Prazo(Dias)"),
            num("VRPERCPGTOFO", "Percentual", "#0.00 %").withEditFormat(QStringLiteral("#0.00"))};
}

Fields dataEncargo() {
    Fields f = {date("DTPROGENTAF", "Data")};
    for (FieldDef& k : afKey()) f.push_back(k);
    return f;
}

Fields encargo() {
    Fields f = afKey();
    f.push_back(date("DTENTRENCAF"));
    f.push_back(str("CDENCARGO", 2, "Código"));
    f.push_back(str("NMENCARGO", 20, "Nome"));
    f.push_back(num("VRENCARGOAF", "Valor", "#,###,##0.00").withEditFormat(QStringLiteral("#,###,##0.00")));
    return f;
}

Fields mensagensAF() {
    return {str("NRMENSAUTFOR", 2, "Número"), hid("CDFILLANC", 4), str("DSMENSAF", 100, "Descrição"),
            hid("CDFILDEST", 4), hid("NRAUTOFORN", 10)};
}

// Sizes the invoice layout leaves open follow the item tables' default of 20.
Fields nfBaixa() {
    return {str("CDFILIAL", 4),
            str("NRLANCTONF", 10, "Lançamento"),
            str("NRNOTAFISC", 20, "Nº Nota Fiscal"),
            date("DTENTRSAID", "Dt. Entrada"),
            str("CDSERIEENTR", 5, "Série"),
            num("VRUNITITEM", "Vr. Unitário"),
            str("CDFILDEST", 4),
            str("CDFILLANC", 4),
            str("NRAUTOFORN", 10),
            str("CDMARCA", 5),
            str("CDPRODUTO", 20),
            date("DTPROGENTAF"),
            num("QTITEMPROD", "Quantidade"),
            num("QTNFEFETAF")};
}

Fields movOpAF() {
    return {str("CDFILDESMOV", 4, "Filial Dest."),
            str("CDFILLANMOV", 4, "Filial Lanc."),
            str("NRAUTOMOV", 10, "AF"),
            str("CDPRODMOV", 10),
            str("NMPRODUTO", 50),
            str("CDARVPROD", 20),
            str("CDMARCMOV", 5),
            str("NMMARCA", 20),
            date("DTPROGENTMOV"),
            date("DTOPERAF"),
            str("DSALTERAF", 500, "Descrição"),
            str("CDOPERADOR", 12),
            str("NMOPERADOR", 40),
            str("DSJUSTOPERMOV", 100, "Justificativa"),
            str("IDOPERAMOVAF", 3, "Operação"),
            str("DSRDMUSUMOVAF", 50),
            str("DSENDUSUMOVAF", 50),
            str("DSNMUSUMOVAF", 50),
            str("DSMETUSUMOVAF", 250),
            str("ITEM", 86)};
}

}  // namespace platform::server::modules::fields
