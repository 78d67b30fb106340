#include "rpc_reader.h"

#include "host/data/data_packet.h"

#include <algorithm>
#include <limits>

namespace host::rpc_detail {

namespace {

QString cborErrorText(QCborError e) {
    switch (e.c) {
    case QCborError::EndOfFile: return QStringLiteral("mensagem truncada (os dados terminam antes do fim)");
    case QCborError::UnexpectedBreak: return QStringLiteral("marca de fim (break) fora de lugar");
    case QCborError::IllegalType:
    case QCborError::UnknownType: return QStringLiteral("byte de tipo CBOR inválido");
    case QCborError::IllegalNumber: return QStringLiteral("número CBOR com codificação inválida");
    case QCborError::IllegalSimpleType: return QStringLiteral("valor simples CBOR inválido");
    case QCborError::InvalidUtf8String: return QStringLiteral("texto UTF-8 inválido");
    case QCborError::DataTooLarge: return QStringLiteral("dado grande demais");
    case QCborError::NestingTooDeep: return QStringLiteral("aninhamento profundo demais");
    default: return QStringLiteral("erro de decodificação CBOR (%1)").arg(e.toString());
    }
}

// A short, always valid rendering of unexpected text for messages.
QString preview(QByteArrayView utf8) { return QString::fromUtf8(utf8.first(std::min<qsizetype>(utf8.size(), 40))); }

// A UTF-8 byte count that no text of at most maxChars UTF-16 units can exceed.
quint64 utf8Bound(qint64 maxChars) { return quint64(std::max<qint64>(maxChars, 0)) * 3; }

}  // namespace

RpcReader::RpcReader(const QByteArray& bytes, const RpcLimits& limits, QString prefix)
    : m_data(bytes.constData()), m_size(bytes.size()), m_limits(limits), m_prefix(std::move(prefix)), m_r(bytes) {}

void RpcReader::fail(const QString& detail) const { throw RpcError(m_prefix + detail); }

void RpcReader::failReader() {
    const QCborError e = m_r.lastError();
    if (e.c == QCborError::NoError) fail(QStringLiteral("fim inesperado de array ou mapa"));
    fail(cborErrorText(e) + QStringLiteral(" (byte %1)").arg(m_r.currentOffset()));
}

void RpcReader::unexpected(const QString& expected) {
    QString found;
    switch (m_r.type()) {
    case QCborStreamReader::Invalid: failReader();
    case QCborStreamReader::UnsignedInteger:
    case QCborStreamReader::NegativeInteger: found = QStringLiteral("um inteiro"); break;
    case QCborStreamReader::ByteArray: found = QStringLiteral("bytes"); break;
    case QCborStreamReader::String: found = QStringLiteral("um texto"); break;
    case QCborStreamReader::Array: found = QStringLiteral("um array"); break;
    case QCborStreamReader::Map: found = QStringLiteral("um mapa"); break;
    case QCborStreamReader::Tag: found = QStringLiteral("uma tag CBOR"); break;
    case QCborStreamReader::SimpleType:
        if (m_r.isNull()) found = QStringLiteral("nulo");
        else if (m_r.isBool()) found = QStringLiteral("um valor lógico");
        else found = QStringLiteral("um valor simples CBOR não aceito");
        break;
    case QCborStreamReader::Float16:
    case QCborStreamReader::Float:
    case QCborStreamReader::Double: found = QStringLiteral("um número de ponto flutuante"); break;
    }
    fail(QStringLiteral("esperado %1, encontrado %2 (byte %3)").arg(expected, found).arg(m_r.currentOffset()));
}

void RpcReader::next() {
    if (!m_r.next()) failReader();
}

void RpcReader::enter() {
    if (!m_r.enterContainer()) failReader();
}

void RpcReader::leave() {
    if (!m_r.leaveContainer()) failReader();
}

QByteArrayView RpcReader::openMessage(quint64* pairs) {
    if (m_size > m_limits.maxBytes)
        fail(QStringLiteral("mensagem maior que o limite de %1 bytes").arg(m_limits.maxBytes));
    if (!m_r.isMap()) {
        if (m_r.type() == QCborStreamReader::Invalid) failReader();
        fail(QStringLiteral("não é uma mensagem de chamada remota (não começa por um mapa)"));
    }
    if (!m_r.isLengthKnown()) fail(QStringLiteral("mapa principal de tamanho indefinido não é aceito"));
    *pairs = m_r.length();
    if (*pairs < 3) fail(QStringLiteral("não é uma mensagem de chamada remota (mapa principal curto demais)"));
    enter();
    expectKey(QLatin1StringView("format"));
    if (span(QCborStreamReader::String, 16, QStringLiteral("o formato")) != QByteArrayView(kMagic))
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
    return span(QCborStreamReader::String, 16, QStringLiteral("o tipo da mensagem"));
}

void RpcReader::closeMessage() {
    leave();
    if (m_r.currentOffset() != m_size)
        fail(QStringLiteral("%1 bytes sobrando depois do fim da mensagem").arg(m_size - m_r.currentOffset()));
}

// Locates the bytes of the current definite-length text or byte string and
// moves past it. The declared length is checked against the bytes left and
// against maxBytes before anything is read.
QByteArrayView RpcReader::span(QCborStreamReader::Type type, quint64 maxBytes, const QString& what) {
    if (m_r.type() != type) unexpected(what);
    const qint64 off = m_r.currentOffset();
    if (off < 0 || off >= m_size) fail(QStringLiteral("mensagem truncada em %1").arg(what));
    const quint8 initial = quint8(m_data[off]);
    const quint8 info = initial & 0x1f;
    quint64 len = 0;
    qint64 header = 1;
    if (info < 24) {
        len = info;
    } else if (info <= 27) {
        const int extra = 1 << (info - 24);
        header += extra;
        if (header > m_size - off) fail(QStringLiteral("mensagem truncada em %1").arg(what));
        for (int i = 1; i <= extra; ++i) len = (len << 8) | quint8(m_data[off + i]);
    } else {
        fail(QStringLiteral("%1 de tamanho indefinido não é aceito").arg(what));
    }
    if (len > quint64(m_size - off - header))
        fail(QStringLiteral("mensagem truncada: %1 maior que os bytes restantes").arg(what));
    if (len > maxBytes) fail(QStringLiteral("%1 grande demais (%2 bytes)").arg(what).arg(len));

    // A definite-length string is one chunk; reading it into a zero-sized
    // buffer skips it, then the second call reports its end.
    char sink = 0;
    auto res = m_r.readStringChunk(&sink, 0);
    if (res.status == QCborStreamReader::Ok) res = m_r.readStringChunk(&sink, 0);
    if (res.status != QCborStreamReader::EndOfString) failReader();
    return QByteArrayView(m_data + off + header, qsizetype(len));
}

QString RpcReader::decodeUtf8(QByteArrayView utf8, const QString& what) {
    m_decoder.resetState();
    QString s = m_decoder.decode(utf8);
    if (m_decoder.hasError()) fail(QStringLiteral("%1 com UTF-8 inválido").arg(what));
    return s;
}

void RpcReader::expectKey(QLatin1StringView key) {
    const QByteArrayView found = span(QCborStreamReader::String, 64, QStringLiteral("a chave \"%1\"").arg(key));
    if (found != QByteArrayView(key.data(), key.size()))
        fail(QStringLiteral("esperada a chave \"%1\", encontrada \"%2\"").arg(key, preview(found)));
}

QString RpcReader::text(const QString& what, qint64 maxChars) {
    QString s = decodeUtf8(span(QCborStreamReader::String, utf8Bound(maxChars), what), what);
    if (s.size() > maxChars) fail(QStringLiteral("%1 com mais de %2 caracteres").arg(what).arg(maxChars));
    return s;
}

QString RpcReader::name(const QString& what, int maxChars) {
    QString s = text(what, maxChars);
    if (s.isEmpty()) fail(QStringLiteral("%1 vazio").arg(what));
    return s;
}

quint64 RpcReader::unsignedValue(const QString& what) {
    if (!m_r.isUnsignedInteger()) unexpected(what);
    const quint64 v = m_r.toUnsignedInteger();
    next();
    return v;
}

// A declared count must fit both the limit and the bytes left, so no reserve()
// can be driven by a length the input cannot back.
quint64 RpcReader::arrayLength(const QString& what, quint64 max, quint64 minBytesEach) {
    if (!m_r.isArray()) unexpected(what);
    if (!m_r.isLengthKnown()) fail(QStringLiteral("%1 de tamanho indefinido não é aceito").arg(what));
    const quint64 n = m_r.length();
    if (n > max) fail(QStringLiteral("%1 com %2 elementos excede o limite de %3").arg(what).arg(n).arg(max));
    const qint64 left = m_size - m_r.currentOffset() - 1;
    if (left < 0 || n > quint64(left) / minBytesEach)
        fail(QStringLiteral("%1 declara %2 elementos, mais do que cabem nos %3 bytes restantes")
                 .arg(what)
                 .arg(n)
                 .arg(std::max<qint64>(left, 0)));
    return n;
}

void RpcReader::countValue() {
    if (++m_values > m_limits.maxValues)
        fail(QStringLiteral("mais de %1 valores na mensagem").arg(m_limits.maxValues));
}

RemoteValue RpcReader::value() { return valueAt(0); }

RemoteValue RpcReader::valueAt(int depth) {
    countValue();
    switch (m_r.type()) {
    case QCborStreamReader::SimpleType:
        if (m_r.isNull()) {
            next();
            return {};
        }
        if (m_r.isBool()) {
            const bool b = m_r.toBool();
            next();
            return RemoteValue(b);
        }
        break;
    case QCborStreamReader::String:
        return RemoteValue(
            decodeUtf8(span(QCborStreamReader::String, quint64(m_limits.maxBytes), QStringLiteral("texto")),
                       QStringLiteral("texto")));
    case QCborStreamReader::ByteArray: {
        const QByteArrayView bytes = span(QCborStreamReader::ByteArray, quint64(m_limits.maxBytes),
                                          QStringLiteral("pacote de dados"));
        QByteArray packet = bytes.toByteArray();
        if (!isPacket(packet)) fail(QStringLiteral("bytes que não são um pacote de dados"));
        return RemoteValue::packet(std::move(packet));
    }
    case QCborStreamReader::UnsignedInteger:
    case QCborStreamReader::NegativeInteger: return integerValue();
    case QCborStreamReader::Double: {
        const double d = m_r.toDouble();
        next();
        return RemoteValue(d);
    }
    case QCborStreamReader::Float: {
        const double d = double(m_r.toFloat());
        next();
        return RemoteValue(d);
    }
    case QCborStreamReader::Float16: {
        const double d = double(float(m_r.toFloat16()));
        next();
        return RemoteValue(d);
    }
    case QCborStreamReader::Tag: return dateTimeValue();
    case QCborStreamReader::Array: {
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
    default: break;
    }
    unexpected(QStringLiteral("um valor (nulo, texto, data-hora, lógico, número, pacote de dados ou array)"));
}

RemoteValue RpcReader::integerValue() {
    if (m_r.isUnsignedInteger()) {
        const quint64 u = m_r.toUnsignedInteger();
        if (u > quint64(std::numeric_limits<qint64>::max()))
            fail(QStringLiteral("inteiro %1 fora da faixa de 64 bits").arg(u));
        next();
        return RemoteValue(qint64(u));
    }
    // The value is -1 - raw; toNegativeInteger() returns raw + 1, wrapping for -2^64.
    const quint64 raw = quint64(m_r.toNegativeInteger()) - 1;
    if (raw > quint64(std::numeric_limits<qint64>::max()))
        fail(QStringLiteral("inteiro negativo fora da faixa de 64 bits"));
    next();
    return RemoteValue(qint64(-1 - qint64(raw)));
}

RemoteValue RpcReader::dateTimeValue() {
    const quint64 tag = quint64(m_r.toTag());
    if (tag != kDateTimeTag) fail(QStringLiteral("tag CBOR %1 não aceita").arg(tag));
    next();
    if (!m_r.isInteger()) unexpected(QStringLiteral("um inteiro (milissegundos) na data-hora"));
    return RemoteValue(DateTime{integerValue().integer()});
}

}  // namespace host::rpc_detail
