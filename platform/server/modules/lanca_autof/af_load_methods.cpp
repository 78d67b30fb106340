// The loads of one AF, each keyed by CDFILDEST, CDFILLANC, NRAUTOFORN. An AF
// that does not exist answers an empty packet: the list may be older than a
// deletion made elsewhere.
#include "lanca_autof_layouts.h"
#include "lanca_autof_methods.h"

#include "platform/server/call_context.h"
#include "platform/server/modules/common/packet_query.h"

#include "host/remote/remote_names.h"

#include <QtCore/QDateTime>

namespace platform::server::modules {

namespace {

namespace names = host::names::lancaAutoF;
using host::RemoteValue;

// The three arguments of every load: the AF's key.
struct AfKeyParams {
    AfKeyParams() : dest(params.text("CDFILDEST")), lanc(params.text("CDFILLANC")), af(params.text("NRAUTOFORN")) {}
    afdb::Params read(const CallContext& c) const { return {{"D", c[dest]}, {"L", c[lanc]}, {"N", c[af]}}; }

    Params params;
    Arg<QString> dest, lanc, af;
};

// Conditions on the AF key of the table aliased t.
QString keyOf(const char* t) {
    return QStringLiteral("%1.CDFILDEST = :D AND %1.CDFILLANC = :L AND %1.NRAUTOFORN = :N").arg(QLatin1String(t));
}

QString select(const PacketLayout& layout, const QString& rest) {
    return QStringLiteral("SELECT ") + layout.columnList() + QLatin1Char(' ') + rest;
}

void addLoad(ServerModule& module, QLatin1String name, const PacketLayout& layout, const QString& sql) {
    const AfKeyParams key;
    module.method(name, key.params, ResultKind::Packet, [key, layout, sql](CallContext& c) {
        return RemoteValue::packet(queryPacket(c.database(), layout, sql, key.read(c)));
    });
}

QString autoForneSql() {
    return select(layouts::autoForne(),
                  QStringLiteral("FROM AUTOFORNE A JOIN FORNECEDOR F ON F.CDFORNECED = A.CDFORNECED "
                                 "JOIN FILIAL FL ON FL.CDFILIAL = A.CDFILLANC "
                                 "JOIN FILIAL FD ON FD.CDFILIAL = A.CDFILDEST "
                                 "JOIN OPERADOR O ON O.CDOPERADOR = A.CDOPERADOR "
                                 "LEFT JOIN EMPRESA E ON E.CDEMPRESA = A.CDEMPRESA "
                                 "LEFT JOIN TIPOCOBR TC ON TC.CDTIPCOB = A.CDTIPCOB "
                                 "LEFT JOIN TRANSPORT T ON T.IDTPIJURTRAN = A.IDTPIJURTRAN "
                                 "AND T.NRINSJURTRAN = A.NRINSJURTRAN "
                                 "LEFT JOIN FORMPGTO FP ON FP.CDFORMPGTO = A.CDFORMPGTO "
                                 "LEFT JOIN TIPOCTPAGAR CP ON CP.CDTPCTPAGAR = A.CDTPCTPAGAR WHERE ") +
                      keyOf("A"));
}

QString itemAutfProdutoSql() {
    return select(layouts::itemAutfProduto(),
                  QStringLiteral("FROM PRODUTO P WHERE P.CDPRODUTO IN (SELECT I.CDPRODUTO FROM ITEMAUTF I WHERE ") +
                      keyOf("I") + QStringLiteral(") ORDER BY P.CDARVPROD"));
}

QString itemAutFSql() {
    return select(layouts::itemAutF(),
                  QStringLiteral("FROM ITEMAUTF I JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO "
                                 "LEFT JOIN MARCA M ON M.CDMARCA = I.CDMARCA "
                                 "LEFT JOIN MARCA M2 ON M2.CDMARCA = I.CDSEGMARCA "
                                 "LEFT JOIN OPERADOR O ON O.CDOPERADOR = I.CDOPERBAIXA WHERE ") +
                      keyOf("I") + QStringLiteral(" ORDER BY P.CDARVPROD, I.DTPROGENTAF, I.CDMARCA"));
}

QString impostoAFSql() {
    return select(layouts::impostoAF(),
                  QStringLiteral("FROM IMPITMAF X JOIN IMPOSTO IP ON IP.CDIMPOSTO = X.CDIMPOSTO "
                                 "JOIN PRODUTO P ON P.CDPRODUTO = X.CDPRODUTO WHERE ") +
                      keyOf("X") + QStringLiteral(" ORDER BY P.CDARVPROD, X.DTPROGENTAF, X.CDMARCA, X.CDIMPOSTO"));
}

QString nfBaixaSql() {
    return select(layouts::nfBaixa(),
                  QStringLiteral("FROM BAIXAITAF B JOIN NOTAFISC NF ON NF.CDFILIAL = B.CDFILIAL "
                                 "AND NF.NRLANCTONF = B.NRLANCTONF "
                                 "JOIN ITNOTAFISC IT ON IT.CDFILIAL = B.CDFILIAL AND IT.NRLANCTONF = B.NRLANCTONF "
                                 "AND IT.CDPRODUTO = B.CDPRODUTO AND IT.CDMARCA = B.CDMARCA WHERE ") +
                      keyOf("B") +
                      QStringLiteral(" ORDER BY NF.DTENTRSAID, B.CDFILIAL, B.NRLANCTONF, B.IDENTRSAIDA"));
}

QString mensagensAFSql() {
    return select(layouts::mensagensAF(), QStringLiteral("FROM MENSAUTF X WHERE ") + keyOf("X") +
                                              QStringLiteral(" ORDER BY X.NRMENSAUTFOR"));
}

QString prazoPgtAFSql() {
    return select(layouts::prazoPgtAF(), QStringLiteral("FROM PRAZOPGTAF X WHERE ") + keyOf("X") +
                                             QStringLiteral(" ORDER BY X.NRDIASPGTOAF"));
}

// One row per delivery date of the items.
QString dataEncargoSql() {
    return QStringLiteral("SELECT DISTINCT ") + layouts::dataEncargo().columnList() +
           QStringLiteral(" FROM ITEMAUTF X WHERE ") + keyOf("X") + QStringLiteral(" ORDER BY X.DTPROGENTAF");
}

QString encargoSql() {
    return select(layouts::encargo(), QStringLiteral("FROM ENCARGOAF X JOIN ENCARGO E ON E.CDENCARGO = X.CDENCARGO "
                                                     "WHERE ") +
                                          keyOf("X") + QStringLiteral(" ORDER BY X.DTENTRENCAF, X.CDENCARGO"));
}

// The log names the AF in columns of its own.
QString movOpAFSql() {
    return select(layouts::movOpAF(),
                  QStringLiteral("FROM MOVOPAF M LEFT JOIN PRODUTO P ON P.CDPRODUTO = M.CDPRODMOV "
                                 "LEFT JOIN MARCA MA ON MA.CDMARCA = M.CDMARCMOV "
                                 "LEFT JOIN OPERADOR O ON O.CDOPERADOR = M.CDOPERADOR "
                                 "WHERE M.CDFILDESMOV = :D AND M.CDFILLANMOV = :L AND M.NRAUTOMOV = :N "
                                 "ORDER BY M.NRSEQMOVAF"));
}

QString text(const host::Value& v) {
    const QString* s = std::get_if<QString>(&v);
    return s ? *s : QString();
}

// ITEM: product name, delivery date and brand name joined by " - ", for
// item-level entries; cut to the field's 86 characters.
void addMovOpAF(ServerModule& module) {
    const AfKeyParams key;
    const QString sql = movOpAFSql();
    const PacketLayout layout = layouts::movOpAF();
    module.method(names::GetMovOpAF, key.params, ResultKind::Packet, [key, sql, layout](CallContext& c) {
        const Fields f = layout.fields();
        const size_t prod = size_t(fieldIndex(f, QStringLiteral("CDPRODMOV")));
        const size_t name = size_t(fieldIndex(f, QStringLiteral("NMPRODUTO")));
        const size_t date = size_t(fieldIndex(f, QStringLiteral("DTPROGENTMOV")));
        const size_t brand = size_t(fieldIndex(f, QStringLiteral("NMMARCA")));
        const size_t item = size_t(fieldIndex(f, QStringLiteral("ITEM")));
        return RemoteValue::packet(
            queryPacket(c.database(), layout, sql, key.read(c), [&](std::vector<host::Value>& v) {
                if (text(v[prod]).isEmpty()) return;
                QString day;
                if (const auto* d = std::get_if<host::DateTime>(&v[date]))
                    day = QDateTime::fromMSecsSinceEpoch(d->msecs, Qt::UTC).toString(QStringLiteral("dd/MM/yyyy"));
                v[item] = QStringList{text(v[name]), day, text(v[brand])}.join(QStringLiteral(" - ")).left(86);
            }));
    });
}

}  // namespace

void addAfLoadMethods(ServerModule& module) {
    addLoad(module, names::GetAutoForne, layouts::autoForne(), autoForneSql());
    addLoad(module, names::GetItemAutf_Produto, layouts::itemAutfProduto(), itemAutfProdutoSql());
    addLoad(module, names::GetItemAutF, layouts::itemAutF(), itemAutFSql());
    addLoad(module, names::GetImpostoAF, layouts::impostoAF(), impostoAFSql());
    addLoad(module, names::GetNFBaixa, layouts::nfBaixa(), nfBaixaSql());
    addLoad(module, names::GetMensagensAF, layouts::mensagensAF(), mensagensAFSql());
    addLoad(module, names::GetPrazoPgtAF, layouts::prazoPgtAF(), prazoPgtAFSql());
    addLoad(module, names::GetDataEncargo, layouts::dataEncargo(), dataEncargoSql());
    addLoad(module, names::GetEncargo, layouts::encargo(), encargoSql());
    addMovOpAF(module);
}

}  // namespace platform::server::modules
