// The loads of one AF, each keyed by CDFILDEST, CDFILLANC, NRAUTOFORN. An AF
// that does not exist answers an empty packet: the list may be older than a
// deletion made elsewhere.
#include "lanca_autof_fields.h"
#include "lanca_autof_methods.h"

#include "platform/server/call_context.h"

#include <QtCore/QDateTime>

namespace platform::server::modules {

namespace {

using host::RemoteValue;

afdb::Params afKey(const CallContext& ctx) { return {{"D", ctx.text(0)}, {"L", ctx.text(1)}, {"N", ctx.text(2)}}; }

// Conditions on the AF key of the table aliased t.
QString keyOf(const char* t) {
    return QStringLiteral("%1.CDFILDEST = :D AND %1.CDFILLANC = :L AND %1.NRAUTOFORN = :N").arg(QLatin1String(t));
}

Handler load(Fields (*layout)(), QString sql) {
    return [layout, sql = std::move(sql)](CallContext& ctx) {
        return RemoteValue::packet(queryPacket(ctx.database(), layout(), sql, afKey(ctx)));
    };
}

QString autoForneSql() {
    return QStringLiteral(
               "SELECT A.CDFILDEST, A.CDFILLANC, A.NRAUTOFORN, A.IDAUTOFORNEX, "
               "A.CDFORNECED, F.NMRAZSOCFORN, "
               "F.NRINSJURFORN, F.IDTPIJURFORN, F.NMFANTFORN, A.DTAUTOFORN, "
               "A.CDOPERADOR, A.IDTIPOEMITAF, "
               "A.IDTIPOFRETAF, A.CDEMPRESA, A.CDTIPCOB, A.IDTPIJURTRAN, "
               "A.NRINSJURTRAN, FL.NMFILIAL, E.NMEMPRESA, "
               "O.NMOPERADOR, TC.NMTIPOCOBR, T.NMRAZSOCTRAN, A.IDSITUATUAAF, "
               "A.IDAFFORALIM, A.IDBAIXAAF, "
               "A.IDBAIXAFSAI, A.CDFORMPGTO, FP.NMFORMPGTO, A.IDTPFORPGTAF, "
               "A.NRPARCPGTOAF, A.NRDIAPGFIXAF, "
               "A.IDUTDIAPGTAF, A.IDTIPOLANCAF, A.VRTOTALAF, A.CDGERENTE, "
               "A.CDTPCTPAGAR, CP.DSTPCTPAGAR, "
               "A.IDAFPRODWEB, A.IDAFOPERLOG, A.IDENVAFECEDI, FD.NMFILIAL AS "
               "NMFILDEST, A.IDAFPILOTO, "
               "A.CDFILIOPELOG "
               "FROM AUTOFORNE A JOIN FORNECEDOR F ON F.CDFORNECED = "
               "A.CDFORNECED "
               "JOIN FILIAL FL ON FL.CDFILIAL = A.CDFILLANC JOIN FILIAL FD ON "
               "FD.CDFILIAL = A.CDFILDEST "
               "JOIN OPERADOR O ON O.CDOPERADOR = A.CDOPERADOR "
               "LEFT JOIN EMPRESA E ON E.CDEMPRESA = A.CDEMPRESA LEFT JOIN "
               "TIPOCOBR TC ON TC.CDTIPCOB = A.CDTIPCOB "
               "LEFT JOIN TRANSPORT T ON T.IDTPIJURTRAN = A.IDTPIJURTRAN AND "
               "T.NRINSJURTRAN = A.NRINSJURTRAN "
               "LEFT JOIN FORMPGTO FP ON FP.CDFORMPGTO = A.CDFORMPGTO "
               "LEFT JOIN TIPOCTPAGAR CP ON CP.CDTPCTPAGAR = A.CDTPCTPAGAR "
               "WHERE ") +
           keyOf("A");
}

QString itemAutfProdutoSql() {
    return QStringLiteral(
               "SELECT P.CDPRODUTO, P.CDARVPROD, P.NMPRODUTO, "
               "P.SGUNIDADE, CAST(NULL AS VARCHAR(1)) AS LISTA "
               "FROM PRODUTO P WHERE P.CDPRODUTO IN (SELECT "
               "I.CDPRODUTO FROM ITEMAUTF I WHERE ") +
           keyOf("I") + QStringLiteral(") ORDER BY P.CDARVPROD");
}

QString itemAutFSql() {
    return QStringLiteral(
               "SELECT I.CDFILDEST, I.CDFILLANC, I.CDPRODUTO, P.CDARVPROD, "
               "P.NMPRODUTO, P.SGUNIDADE, I.DTPROGENTAF, "
               "I.CDMARCA, M.NMMARCA, I.QTPROGENTAF, I.VRPREUNIAF, "
               "I.NRPARCITMAF, I.VRPERDESAF, I.CDSEGMARCA, "
               "M2.NMMARCA AS NMSEGMARCA, I.QTEFETENTRAF, I.DTEFETENTAF, "
               "I.NRAUTOFORN, I.IDBAIXITMAF, I.IDBAIXITAFS, "
               "I.TXOBSITMAF, I.VRDESCITMAF, I.QTVOLUITEMAF, I.DTBAIXITMAF, "
               "I.CDOPERBAIXA, O.NMOPERADOR, "
               "I.IDMOTPRESCAF, I.NRLANCTONF, I.IDTPLANITEAF, I.NRCOTPREITAF, "
               "I.NRLISTAITAF, I.IDTIPOLANITM, "
               "I.QTDISPITEMAFECC, I.IDBAIXITMFUTURA, I.IDITAFMIGRADA, "
               "I.DTENTRITMSOL, I.IDITMSEPARADO "
               "FROM ITEMAUTF I JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO "
               "LEFT JOIN MARCA M ON M.CDMARCA = I.CDMARCA LEFT JOIN MARCA M2 ON "
               "M2.CDMARCA = I.CDSEGMARCA "
               "LEFT JOIN OPERADOR O ON O.CDOPERADOR = I.CDOPERBAIXA WHERE ") +
           keyOf("I") + QStringLiteral(" ORDER BY P.CDARVPROD, I.DTPROGENTAF, I.CDMARCA");
}

QString impostoAFSql() {
    return QStringLiteral(
               "SELECT IP.NMIMPOSTO, X.VRALIQITMAF, X.VRIMPITMAF, X.CDFILDEST, "
               "X.CDFILLANC, X.NRAUTOFORN, "
               "X.CDPRODUTO, P.CDARVPROD, X.DTPROGENTAF, X.CDMARCA, X.CDIMPOSTO, "
               "X.IDIMPDIGAF "
               "FROM IMPITMAF X JOIN IMPOSTO IP ON IP.CDIMPOSTO = X.CDIMPOSTO "
               "JOIN PRODUTO P ON P.CDPRODUTO = X.CDPRODUTO WHERE ") +
           keyOf("X") + QStringLiteral(" ORDER BY P.CDARVPROD, X.DTPROGENTAF, X.CDMARCA, X.CDIMPOSTO");
}

QString nfBaixaSql() {
    return QStringLiteral(
               "SELECT B.CDFILIAL, B.NRLANCTONF, NF.NRNOTAFISC, "
               "NF.DTENTRSAID, NF.CDSERIEENTR, IT.VRUNITITEM, "
               "B.CDFILDEST, B.CDFILLANC, B.NRAUTOFORN, B.CDMARCA, "
               "B.CDPRODUTO, B.DTPROGENTAF, IT.QTITEMPROD, "
               "B.QTNFEFETAF "
               "FROM BAIXAITAF B JOIN NOTAFISC NF ON NF.CDFILIAL = "
               "B.CDFILIAL AND NF.NRLANCTONF = B.NRLANCTONF "
               "JOIN ITNOTAFISC IT ON IT.CDFILIAL = B.CDFILIAL AND "
               "IT.NRLANCTONF = B.NRLANCTONF "
               "AND IT.CDPRODUTO = B.CDPRODUTO AND IT.CDMARCA = "
               "B.CDMARCA WHERE ") +
           keyOf("B") +
           QStringLiteral(
               " ORDER BY NF.DTENTRSAID, B.CDFILIAL, B.NRLANCTONF, "
               "B.IDENTRSAIDA");
}

QString movOpAFSql() {
    return QStringLiteral(
        "SELECT M.CDFILDESMOV, M.CDFILLANMOV, M.NRAUTOMOV, M.CDPRODMOV, "
        "P.NMPRODUTO, P.CDARVPROD, M.CDMARCMOV, "
        "MA.NMMARCA, M.DTPROGENTMOV, M.DTOPERAF, M.DSALTERAF, M.CDOPERADOR, "
        "O.NMOPERADOR, M.DSJUSTOPERMOV, "
        "M.IDOPERAMOVAF, M.DSRDMUSUMOVAF, M.DSENDUSUMOVAF, M.DSNMUSUMOVAF, "
        "M.DSMETUSUMOVAF "
        "FROM MOVOPAF M LEFT JOIN PRODUTO P ON P.CDPRODUTO = M.CDPRODMOV "
        "LEFT JOIN MARCA MA ON MA.CDMARCA = M.CDMARCMOV LEFT JOIN OPERADOR O ON "
        "O.CDOPERADOR = M.CDOPERADOR "
        "WHERE M.CDFILDESMOV = :D AND M.CDFILLANMOV = :L AND M.NRAUTOMOV = :N "
        "ORDER BY M.NRSEQMOVAF");
}

QString text(const host::Value& v) {
    const QString* s = std::get_if<QString>(&v);
    return s ? *s : QString();
}

// ITEM: product name, delivery date and brand name joined by " - ", for
// item-level entries; cut to the field's 86 characters.
RemoteValue getMovOpAF(CallContext& ctx) {
    const Fields f = fields::movOpAF();
    const size_t prod = size_t(fieldIndex(f, QStringLiteral("CDPRODMOV")));
    const size_t name = size_t(fieldIndex(f, QStringLiteral("NMPRODUTO")));
    const size_t date = size_t(fieldIndex(f, QStringLiteral("DTPROGENTMOV")));
    const size_t brand = size_t(fieldIndex(f, QStringLiteral("NMMARCA")));
    const size_t item = size_t(fieldIndex(f, QStringLiteral("ITEM")));
    return RemoteValue::packet(queryPacket(
        ctx.database(), f, movOpAFSql(), afKey(ctx), {QStringLiteral("ITEM")}, [&](std::vector<host::Value>& v) {
            if (text(v[prod]).isEmpty()) return;
            QString day;
            if (const auto* d = std::get_if<host::DateTime>(&v[date]))
                day = QDateTime::fromMSecsSinceEpoch(d->msecs, Qt::UTC).toString(QStringLiteral("dd/MM/yyyy"));
            v[item] = QStringList{text(v[name]), day, text(v[brand])}.join(QStringLiteral(" - ")).left(86);
        }));
}

}  // namespace

void addAfLoadMethods(ServerModule& module) {
    const std::vector<ArgDef> key = {arg::text(), arg::text(), arg::text()};
    module.method(QStringLiteral("GetAutoForne"), key, load(fields::autoForne, autoForneSql()))
        .method(QStringLiteral("GetItemAutf_Produto"), key, load(fields::itemAutfProduto, itemAutfProdutoSql()))
        .method(QStringLiteral("GetItemAutF"), key, load(fields::itemAutF, itemAutFSql()))
        .method(QStringLiteral("GetImpostoAF"), key, load(fields::impostoAF, impostoAFSql()))
        .method(QStringLiteral("GetNFBaixa"), key, load(fields::nfBaixa, nfBaixaSql()))
        .method(QStringLiteral("GetMensagensAF"), key,
                load(fields::mensagensAF, QStringLiteral("SELECT X.NRMENSAUTFOR, X.CDFILLANC, "
                                                         "X.DSMENSAF, X.CDFILDEST, X.NRAUTOFORN "
                                                         "FROM MENSAUTF X WHERE ") +
                                              keyOf("X") + QStringLiteral(" ORDER BY X.NRMENSAUTFOR")))
        .method(QStringLiteral("GetPrazoPgtAF"), key,
                load(fields::prazoPgtAF, QStringLiteral("SELECT X.CDFILDEST, X.CDFILLANC, X.NRAUTOFORN, "
                                                        "X.NRDIASPGTOAF, X.VRPERCPGTOAF "
                                                        "FROM PRAZOPGTAF X WHERE ") +
                                             keyOf("X") + QStringLiteral(" ORDER BY X.NRDIASPGTOAF")))
        .method(QStringLiteral("GetDataEncargo"), key,
                load(fields::dataEncargo, QStringLiteral("SELECT DISTINCT X.DTPROGENTAF, X.CDFILDEST, "
                                                         "X.CDFILLANC, X.NRAUTOFORN "
                                                         "FROM ITEMAUTF X WHERE ") +
                                              keyOf("X") + QStringLiteral(" ORDER BY X.DTPROGENTAF")))
        .method(QStringLiteral("GetEncargo"), key,
                load(fields::encargo, QStringLiteral("SELECT X.CDFILDEST, X.CDFILLANC, X.NRAUTOFORN, "
                                                     "X.DTENTRENCAF, X.CDENCARGO, "
                                                     "E.NMENCARGO, X.VRENCARGOAF FROM ENCARGOAF X "
                                                     "JOIN ENCARGO E ON E.CDENCARGO = X.CDENCARGO WHERE ") +
                                          keyOf("X") + QStringLiteral(" ORDER BY X.DTENTRENCAF, X.CDENCARGO")))
        .method(QStringLiteral("GetMovOpAF"), key, getMovOpAF);
}

}  // namespace platform::server::modules
