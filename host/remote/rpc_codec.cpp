#include "rpc_codec.h"

#include "rpc_reader.h"

#include "host/data/data_packet.h"

#include <QtCore/QCborStreamWriter>

namespace host {

using rpc_detail::RpcReader;

namespace {

const QString kRequestPrefix = QStringLiteral("Requisição inválida: ");
const QString kResponsePrefix = QStringLiteral("Resposta inválida do servidor de aplicação: ");
constexpr int kMaxMessageChars = 1'000'000;

// Writes one message; checks the same structural limits the reader enforces,
// so whatever is written here is read back (the byte size is the receiver's
// business: it alone knows its limit).
class Writer {
public:
    Writer(const RpcLimits& limits, QString prefix) : m_limits(limits), m_prefix(std::move(prefix)) {}

    void begin(quint64 pairs, QLatin1StringView type) {
        m_cbor.startMap(pairs);
        key("format");
        m_cbor.append(QLatin1StringView(rpc_detail::kMagic));
        key("version");
        m_cbor.append(kRpcVersion);
        key("type");
        m_cbor.append(type);
    }
    void key(const char* k) { m_cbor.append(QLatin1StringView(k)); }
    void text(const QString& s) { m_cbor.append(QStringView(s)); }
    void name(const QString& s, const QString& what) {
        if (s.isEmpty()) fail(QStringLiteral("%1 vazio").arg(what));
        boundedText(s, what, m_limits.maxNameChars);
    }
    void boundedText(const QString& s, const QString& what, qint64 maxChars) {
        if (s.size() > maxChars) fail(QStringLiteral("%1 com mais de %2 caracteres").arg(what).arg(maxChars));
        text(s);
    }
    void values(const std::vector<RemoteValue>& list, const QString& what) {
        if (qint64(list.size()) > m_limits.maxArgs)
            fail(QStringLiteral("%1 com %2 elementos excede o limite de %3")
                     .arg(what)
                     .arg(list.size())
                     .arg(m_limits.maxArgs));
        m_cbor.startArray(list.size());
        for (const RemoteValue& v : list) value(v, 0);
        m_cbor.endArray();
    }
    void value(const RemoteValue& v, int depth);
    void startArray(quint64 n) { m_cbor.startArray(n); }
    void endArray() { m_cbor.endArray(); }
    void append(quint64 u) { m_cbor.append(u); }
    QByteArray finish() {
        m_cbor.endMap();
        return std::move(m_bytes);
    }
    [[noreturn]] void fail(const QString& detail) const { throw RpcError(m_prefix + detail); }

private:
    const RpcLimits& m_limits;
    QString m_prefix;
    QByteArray m_bytes;
    QCborStreamWriter m_cbor{&m_bytes};  // after m_bytes: writes into it
    qint64 m_values = 0;
};

void Writer::value(const RemoteValue& v, int depth) {
    if (++m_values > m_limits.maxValues) fail(QStringLiteral("mais de %1 valores na mensagem").arg(m_limits.maxValues));
    switch (v.kind()) {
    case RemoteKind::Null: m_cbor.appendNull(); return;
    case RemoteKind::Text: text(v.text()); return;
    case RemoteKind::DateTime:
        m_cbor.append(QCborTag(rpc_detail::kDateTimeTag));
        m_cbor.append(v.dateTime().msecs);
        return;
    case RemoteKind::Boolean: m_cbor.append(v.boolean()); return;
    case RemoteKind::Integer: m_cbor.append(v.integer()); return;
    case RemoteKind::Float: m_cbor.append(v.number()); return;
    case RemoteKind::Packet:
        if (!isPacket(v.packetBytes())) fail(QStringLiteral("valor de pacote que não é um pacote de dados"));
        m_cbor.append(v.packetBytes());
        return;
    case RemoteKind::Array: {
        if (depth >= m_limits.maxDepth)
            fail(QStringLiteral("arrays aninhados em mais de %1 níveis").arg(m_limits.maxDepth));
        const RemoteValue::Array& items = v.array();
        m_cbor.startArray(items.size());
        for (const RemoteValue& item : items) value(item, depth + 1);
        m_cbor.endArray();
        return;
    }
    }
}

void checkByRefIndexes(const std::vector<int>& byRef, size_t argCount, Writer& w) {
    int previous = -1;
    for (int i : byRef) {
        if (i < 0 || size_t(i) >= argCount)
            w.fail(QStringLiteral("argumento por referência %1 fora da faixa (%2 argumentos)").arg(i).arg(argCount));
        if (i <= previous) w.fail(QStringLiteral("índices por referência fora de ordem ou repetidos"));
        previous = i;
    }
}

}  // namespace

RpcLimits clientResponseLimits() {
    RpcLimits limits;
    limits.maxBytes = 1024LL * 1024 * 1024;
    limits.maxValues = 20'000'000;
    return limits;
}

RpcResponse RpcResponse::success(RemoteValue value, std::vector<RemoteValue> byRef) {
    RpcResponse r;
    r.ok = true;
    r.value = std::move(value);
    r.byRef = std::move(byRef);
    return r;
}

RpcResponse RpcResponse::failure(QString message) {
    RpcResponse r;
    r.message = std::move(message);
    return r;
}

QByteArray encodeRequest(const RpcRequest& request, const RpcLimits& limits) {
    Writer w(limits, kRequestPrefix);
    checkByRefIndexes(request.byRef, request.args.size(), w);
    w.begin(8, QLatin1StringView("call"));
    w.key("module");
    w.name(request.module, QStringLiteral("nome do módulo"));
    w.key("method");
    w.name(request.method, QStringLiteral("nome do método"));
    w.key("session");
    w.boundedText(request.session, QStringLiteral("sessão"), limits.maxSessionChars);
    w.key("args");
    w.values(request.args, QStringLiteral("lista de argumentos"));
    w.key("byRef");
    w.startArray(request.byRef.size());
    for (int i : request.byRef) w.append(quint64(i));
    w.endArray();
    return w.finish();
}

RpcRequest decodeRequest(const QByteArray& bytes, const RpcLimits& limits) {
    RpcReader r(bytes, limits, kRequestPrefix);
    quint64 pairs = 0;
    const QByteArrayView type = r.openMessage(&pairs);
    if (type != QByteArrayView("call"))
        r.fail(QStringLiteral("não é uma chamada (tipo \"%1\")")
                   .arg(QString::fromUtf8(type.first(std::min<qsizetype>(type.size(), 16)))));
    if (pairs != 8) r.fail(QStringLiteral("a chamada tem %1 entradas; a versão 1 tem exatamente 8").arg(pairs));
    RpcRequest req;
    r.expectKey(QLatin1StringView("module"));
    req.module = r.name(QStringLiteral("nome do módulo"), limits.maxNameChars);
    r.expectKey(QLatin1StringView("method"));
    req.method = r.name(QStringLiteral("nome do método"), limits.maxNameChars);
    r.expectKey(QLatin1StringView("session"));
    req.session = r.text(QStringLiteral("sessão"), limits.maxSessionChars);

    r.expectKey(QLatin1StringView("args"));
    const quint64 argCount =
        r.arrayLength(QStringLiteral("a lista de argumentos"), quint64(std::max(limits.maxArgs, 0)), 1);
    r.enter();
    req.args.reserve(size_t(argCount));
    for (quint64 i = 0; i < argCount; ++i) req.args.push_back(r.value());
    r.leave();

    r.expectKey(QLatin1StringView("byRef"));
    const quint64 refCount = r.arrayLength(QStringLiteral("a lista por referência"), argCount, 1);
    r.enter();
    req.byRef.reserve(size_t(refCount));
    qint64 previous = -1;
    for (quint64 i = 0; i < refCount; ++i) {
        const quint64 index = r.unsignedValue(QStringLiteral("um índice de argumento por referência"));
        if (index >= argCount)
            r.fail(
                QStringLiteral("argumento por referência %1 fora da faixa (%2 argumentos)").arg(index).arg(argCount));
        if (qint64(index) <= previous) r.fail(QStringLiteral("índices por referência fora de ordem ou repetidos"));
        previous = qint64(index);
        req.byRef.push_back(int(index));
    }
    r.leave();
    r.closeMessage();
    return req;
}

QByteArray encodeResponse(const RpcResponse& response, const RpcLimits& limits) {
    Writer w(limits, QStringLiteral("Resposta inválida: "));
    if (!response.ok) {
        w.begin(4, QLatin1StringView("failure"));
        w.key("message");
        w.boundedText(response.message, QStringLiteral("mensagem de erro"), kMaxMessageChars);
        return w.finish();
    }
    w.begin(5, QLatin1StringView("result"));
    w.key("value");
    w.value(response.value, 0);
    w.key("byRef");
    w.values(response.byRef, QStringLiteral("lista por referência"));
    return w.finish();
}

RpcResponse decodeResponse(const QByteArray& bytes, const RpcLimits& limits) {
    RpcReader r(bytes, limits, kResponsePrefix);
    quint64 pairs = 0;
    const QByteArrayView type = r.openMessage(&pairs);
    RpcResponse res;
    if (type == QByteArrayView("failure")) {
        if (pairs != 4) r.fail(QStringLiteral("a falha tem %1 entradas; a versão 1 tem exatamente 4").arg(pairs));
        r.expectKey(QLatin1StringView("message"));
        res.message = r.text(QStringLiteral("mensagem de erro"), kMaxMessageChars);
        r.closeMessage();
        return res;
    }
    if (type != QByteArrayView("result"))
        r.fail(QStringLiteral("não é uma resposta (tipo \"%1\")")
                   .arg(QString::fromUtf8(type.first(std::min<qsizetype>(type.size(), 16)))));
    if (pairs != 5) r.fail(QStringLiteral("o resultado tem %1 entradas; a versão 1 tem exatamente 5").arg(pairs));
    res.ok = true;
    r.expectKey(QLatin1StringView("value"));
    res.value = r.value();
    r.expectKey(QLatin1StringView("byRef"));
    const quint64 n = r.arrayLength(QStringLiteral("a lista por referência"), quint64(std::max(limits.maxArgs, 0)), 1);
    r.enter();
    res.byRef.reserve(size_t(n));
    for (quint64 i = 0; i < n; ++i) res.byRef.push_back(r.value());
    r.leave();
    r.closeMessage();
    return res;
}

}  // namespace host
