#include "rpc_reader.h"

#include "host/data/data_packet.h"

#include <algorithm>
#include <limits>

namespace host::rpc_detail {

namespace {

// A value sits inside the message's map and a list at most; RpcLimits bounds
// its own arrays before the reader's nesting guard could speak.
constexpr int kLevelsAboveValues = 2;

int nestingGuard(const RpcLimits& limits) {
    const qint64 levels = qint64(std::max(limits.maxDepth, 0)) + kLevelsAboveValues;
    return int(std::min<qint64>(levels, std::numeric_limits<int>::max()));
}

}  // namespace

RpcReader::RpcReader(const QByteArray& bytes, const RpcLimits& limits, QString prefix)
    : m_limits(limits), m_prefix(std::move(prefix)), m_cbor(bytes, *this, nestingGuard(limits)) {}

void RpcReader::fail(const QString& detail) const { throw RpcError(m_prefix + detail); }

void RpcReader::badString(CborStringFault fault, const QString& what, quint64, quint64 declaredBytes) const {
    switch (fault) {
    case CborStringFault::Indefinite: fail(QStringLiteral("%1 de tamanho indefinido não é aceito").arg(what));
    case CborStringFault::HeaderCut: fail(QStringLiteral("mensagem truncada em %1").arg(what));
    case CborStringFault::PastEnd:
        fail(QStringLiteral("mensagem truncada: %1 maior que os bytes restantes").arg(what));
    case CborStringFault::TooLong: fail(QStringLiteral("%1 grande demais (%2 bytes)").arg(what).arg(declaredBytes));
    }
    fail(what);
}

QByteArrayView RpcReader::openMessage(quint64* pairs) {
    if (m_cbor.size() > m_limits.maxBytes)
        fail(QStringLiteral("mensagem maior que o limite de %1 bytes").arg(m_limits.maxBytes));
    m_cbor.expectItem();
    if (!m_cbor.isMap()) fail(QStringLiteral("não é uma mensagem de chamada remota (não começa por um mapa)"));
    *pairs = m_cbor.definiteLength(QStringLiteral("mapa principal"));
    if (*pairs < 3) fail(QStringLiteral("não é uma mensagem de chamada remota (mapa principal curto demais)"));
    enter();
    expectKey(QLatin1StringView("format"));
    if (m_cbor.textBytes(QStringLiteral("o formato"), 16) != QByteArrayView(kMagic))
        fail(QStringLiteral("não é uma mensagem de chamada remota (formato desconhecido)"));
    expectKey(QLatin1StringView("version"));
    const quint64 version = unsignedValue(QStringLiteral("o número da versão"));
    if (version > kRpcVersion)
        throw RpcError(m_prefix + QStringLiteral("mensagem na versão %1 do protocolo, mais nova que a lida por este "
                                                 "programa (versão %2). Atualize o programa.")
                                      .arg(version)
                                      .arg(kRpcVersion));
    if (version != kRpcVersion) fail(QStringLiteral("versão %1 do protocolo não existe").arg(version));
    expectKey(QLatin1StringView("type"));
    return m_cbor.textBytes(QStringLiteral("o tipo da mensagem"), 16);
}

void RpcReader::closeMessage() {
    leave();
    if (m_cbor.bytesAfter() != 0)
        fail(QStringLiteral("%1 bytes sobrando depois do fim da mensagem").arg(m_cbor.bytesAfter()));
}

QString RpcReader::text(const QString& what, qint64 maxChars) {
    QString s = m_cbor.text(what, CborReader::utf8Bound(maxChars));
    if (s.size() > maxChars) fail(QStringLiteral("%1 com mais de %2 caracteres").arg(what).arg(maxChars));
    return s;
}

QString RpcReader::name(const QString& what, int maxChars) {
    QString s = text(what, maxChars);
    if (s.isEmpty()) fail(QStringLiteral("%1 vazio").arg(what));
    return s;
}

// A declared count must fit both the limit and the bytes left, so no reserve()
// can be driven by a length the input cannot back.
quint64 RpcReader::arrayLength(const QString& what, quint64 max, quint64 minBytesEach) {
    const quint64 n = m_cbor.arrayLength(what);
    if (n > max) fail(QStringLiteral("%1 com %2 elementos excede o limite de %3").arg(what).arg(n).arg(max));
    m_cbor.checkFits(n, minBytesEach, what);
    return n;
}

void RpcReader::countValue() {
    if (++m_values > m_limits.maxValues)
        fail(QStringLiteral("mais de %1 valores na mensagem").arg(m_limits.maxValues));
}

RemoteValue RpcReader::value() { return valueAt(0); }

RemoteValue RpcReader::valueAt(int depth) {
    countValue();
    switch (m_cbor.type()) {
    case QCborStreamReader::SimpleType:
        if (m_cbor.isNull()) {
            m_cbor.next();
            return {};
        }
        if (m_cbor.isBool()) return RemoteValue(m_cbor.boolean());
        break;
    case QCborStreamReader::String:
        return RemoteValue(m_cbor.text(QStringLiteral("texto"), quint64(m_limits.maxBytes)));
    case QCborStreamReader::ByteArray: return packetValue();
    case QCborStreamReader::UnsignedInteger:
    case QCborStreamReader::NegativeInteger: return RemoteValue(m_cbor.integer());
    case QCborStreamReader::Double:
    case QCborStreamReader::Float:
    case QCborStreamReader::Float16: return RemoteValue(m_cbor.number());
    case QCborStreamReader::Tag: return dateTimeValue();
    case QCborStreamReader::Array: return arrayValue(depth);
    default: break;
    }
    m_cbor.unexpected(QStringLiteral("um valor (nulo, texto, data-hora, lógico, número, pacote de dados ou array)"));
}

RemoteValue RpcReader::arrayValue(int depth) {
    if (depth >= m_limits.maxDepth)
        fail(QStringLiteral("arrays aninhados em mais de %1 níveis").arg(m_limits.maxDepth));
    const quint64 n = arrayLength(QStringLiteral("o array"), quint64(std::max<qint64>(m_limits.maxValues, 0)), 1);
    enter();
    RemoteValue::Array items;
    items.reserve(size_t(n));
    for (quint64 i = 0; i < n; ++i) items.push_back(valueAt(depth + 1));
    leave();
    return RemoteValue(std::move(items));
}

RemoteValue RpcReader::packetValue() {
    const QByteArrayView bytes = m_cbor.byteString(QStringLiteral("pacote de dados"), quint64(m_limits.maxBytes));
    QByteArray packet = bytes.toByteArray();
    if (!isPacket(packet)) fail(QStringLiteral("bytes que não são um pacote de dados"));
    return RemoteValue::packet(std::move(packet));
}

RemoteValue RpcReader::dateTimeValue() {
    const quint64 tag = m_cbor.tagNumber();
    if (tag != kDateTimeTag) fail(QStringLiteral("tag CBOR %1 não aceita").arg(tag));
    m_cbor.next();
    if (!m_cbor.isInteger()) m_cbor.unexpected(QStringLiteral("um inteiro (milissegundos) na data-hora"));
    return RemoteValue(DateTime{m_cbor.integer()});
}

}  // namespace host::rpc_detail
