#include "cbor_reader.h"

#include <exception>
#include <limits>

namespace host {

namespace {

QString cborErrorText(QCborError e, const CborWording& wording) {
    switch (e.c) {
    case QCborError::EndOfFile: return wording.truncated() + QStringLiteral(" (os dados terminam antes do fim)");
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

CborString refused(CborString::Status status, quint64 declaredBytes = 0) { return {status, {}, declaredBytes}; }

}  // namespace

CborString takeCborString(QCborStreamReader& r, QByteArrayView input, QCborStreamReader::Type type,
                          quint64 maxBytes) {
    if (r.type() != type) return refused(CborString::WrongType);
    const char* data = input.data();
    const qint64 size = input.size();
    const qint64 off = r.currentOffset();
    if (off < 0 || off >= size) return refused(CborString::HeaderCut);
    // After a string, QCborStreamReader may still report String when what
    // follows is cut short (its error waits for the next step); the header is
    // then read as a string's, whatever its major type, and found cut.
    const quint8 info = quint8(data[off]) & 0x1f;
    quint64 len = 0;
    qint64 header = 1;
    if (info < 24) {
        len = info;
    } else if (info <= 27) {
        const int extra = 1 << (info - 24);
        header += extra;
        if (header > size - off) return refused(CborString::HeaderCut);
        for (int i = 1; i <= extra; ++i) len = (len << 8) | quint8(data[off + i]);
    } else {
        return refused(CborString::Indefinite);
    }
    if (len > quint64(size - off - header)) return refused(CborString::PastEnd, len);
    if (len > maxBytes) return refused(CborString::TooLong, len);

    // A definite-length string is one chunk; reading it into a zero-sized
    // buffer just skips it, then the second call reports its end.
    char sink = 0;
    auto res = r.readStringChunk(&sink, 0);
    if (res.status == QCborStreamReader::Ok) res = r.readStringChunk(&sink, 0);
    if (res.status != QCborStreamReader::EndOfString) return refused(CborString::Malformed, len);
    return {CborString::Ok, QByteArrayView(data + off + header, qsizetype(len)), len};
}

CborReader::CborReader(const QByteArray& bytes, const CborWording& wording, int maxDepth)
    : m_input(bytes), m_size(bytes.size()), m_wording(wording), m_maxDepth(maxDepth), m_r(bytes) {}

// A wording that returns is a bug: stop rather than read on.
void CborReader::fail(const QString& detail) const {
    m_wording.fail(detail);
    std::terminate();
}

void CborReader::badString(CborStringFault fault, const QString& what, quint64 maxBytes,
                           quint64 declaredBytes) const {
    m_wording.badString(fault, what, maxBytes, declaredBytes);
    std::terminate();
}

void CborReader::failStream() {
    const QCborError e = m_r.lastError();
    if (e.c == QCborError::NoError) fail(QStringLiteral("fim inesperado de array ou mapa"));
    fail(cborErrorText(e, m_wording) + QStringLiteral(" (byte %1)").arg(m_r.currentOffset()));
}

QString CborReader::foundName() const {
    switch (m_r.type()) {
    case QCborStreamReader::Invalid: break;
    case QCborStreamReader::UnsignedInteger:
    case QCborStreamReader::NegativeInteger: return QStringLiteral("um inteiro");
    case QCborStreamReader::ByteArray: return QStringLiteral("bytes");
    case QCborStreamReader::String: return QStringLiteral("um texto");
    case QCborStreamReader::Array: return QStringLiteral("um array");
    case QCborStreamReader::Map: return QStringLiteral("um mapa");
    case QCborStreamReader::Tag: return m_wording.tagFound();
    case QCborStreamReader::SimpleType:
        if (m_r.isNull()) return QStringLiteral("nulo");
        if (m_r.isBool()) return QStringLiteral("um valor lógico");
        return m_wording.simpleFound();
    case QCborStreamReader::Float16:
    case QCborStreamReader::Float:
    case QCborStreamReader::Double: return QStringLiteral("um número de ponto flutuante");
    }
    return {};
}

void CborReader::unexpected(const QString& expected) {
    if (m_r.type() == QCborStreamReader::Invalid) failStream();
    fail(QStringLiteral("esperado %1, encontrado %2%3 (byte %4)")
             .arg(expected, foundName(), m_wording.where())
             .arg(m_r.currentOffset()));
}

quint64 CborReader::definiteLength(const QString& what) {
    if (!m_r.isLengthKnown()) fail(QStringLiteral("%1 de tamanho indefinido não é aceito").arg(what));
    return m_r.length();
}

quint64 CborReader::arrayLength(const QString& what) {
    if (!m_r.isArray()) unexpected(what);
    return definiteLength(what);
}

void CborReader::checkFits(quint64 count, quint64 minBytesEach, const QString& what) const {
    const qint64 left = m_size - m_r.currentOffset() - 1;  // after the container's first header byte
    if (left < 0 || count > quint64(left) / minBytesEach)
        fail(QStringLiteral("%1 declara %2 elementos, mais do que cabem nos %3 bytes restantes")
                 .arg(what)
                 .arg(count)
                 .arg(std::max<qint64>(left, 0)));
}

void CborReader::enter() {
    if (m_depth >= m_maxDepth)
        fail(cborErrorText(QCborError{QCborError::NestingTooDeep}, m_wording) +
             QStringLiteral(" (byte %1)").arg(m_r.currentOffset()));
    if (!m_r.enterContainer()) failStream();
    ++m_depth;
}

quint64 CborReader::unsignedInteger(const QString& what) {
    if (!m_r.isUnsignedInteger()) unexpected(what);
    const quint64 v = m_r.toUnsignedInteger();
    next();
    return v;
}

bool CborReader::boolean(const QString& what) {
    if (!m_r.isBool()) unexpected(what);
    return boolean();
}

bool CborReader::boolean() {
    const bool v = m_r.toBool();
    next();
    return v;
}

qint64 CborReader::integer() {
    if (m_r.isUnsignedInteger()) {
        const quint64 u = m_r.toUnsignedInteger();
        if (u > quint64(std::numeric_limits<qint64>::max()))
            fail(QStringLiteral("inteiro %1 fora da faixa de 64 bits%2").arg(u).arg(m_wording.where()));
        next();
        return qint64(u);
    }
    // The value is -1 - raw; toNegativeInteger() returns raw + 1, wrapping for -2^64.
    const quint64 raw = quint64(m_r.toNegativeInteger()) - 1;
    if (raw > quint64(std::numeric_limits<qint64>::max()))
        fail(QStringLiteral("inteiro negativo fora da faixa de 64 bits%1").arg(m_wording.where()));
    next();
    return -1 - qint64(raw);
}

double CborReader::number() {
    double v = 0;
    switch (m_r.type()) {
    case QCborStreamReader::UnsignedInteger: v = double(m_r.toUnsignedInteger()); break;
    case QCborStreamReader::NegativeInteger: v = -1.0 - double(quint64(m_r.toNegativeInteger()) - 1); break;
    case QCborStreamReader::Double: v = m_r.toDouble(); break;
    case QCborStreamReader::Float: v = double(m_r.toFloat()); break;
    case QCborStreamReader::Float16: v = double(float(m_r.toFloat16())); break;
    default: unexpected(QStringLiteral("um número"));
    }
    next();
    return v;
}

QByteArrayView CborReader::string(QCborStreamReader::Type type, const QString& what, quint64 maxBytes) {
    return checked(takeCborString(m_r, m_input, type, maxBytes), what, maxBytes);
}

QByteArrayView CborReader::checked(const CborString& s, const QString& what, quint64 maxBytes) {
    switch (s.status) {
    case CborString::Ok: return s.bytes;
    case CborString::WrongType: unexpected(what);
    case CborString::Indefinite: badString(CborStringFault::Indefinite, what, maxBytes, 0);
    case CborString::HeaderCut: badString(CborStringFault::HeaderCut, what, maxBytes, 0);
    case CborString::PastEnd: badString(CborStringFault::PastEnd, what, maxBytes, s.declaredBytes);
    case CborString::TooLong: badString(CborStringFault::TooLong, what, maxBytes, s.declaredBytes);
    case CborString::Malformed: failStream();
    }
    failStream();
}

QByteArrayView CborReader::textBytes(const QString& what, quint64 maxBytes) {
    return string(QCborStreamReader::String, what, maxBytes);
}

QByteArrayView CborReader::byteString(const QString& what, quint64 maxBytes) {
    return string(QCborStreamReader::ByteArray, what, maxBytes);
}

QString CborReader::decodeUtf8(QByteArrayView utf8, const QString& what) {
    m_decoder.resetState();
    QString s = m_decoder.decode(utf8);
    if (m_decoder.hasError()) fail(QStringLiteral("%1 com UTF-8 inválido%2").arg(what, m_wording.where()));
    return s;
}

QString CborReader::text(const QString& what, quint64 maxBytes) { return decodeUtf8(textBytes(what, maxBytes), what); }

void CborReader::expectKey(QLatin1StringView key, quint64 maxBytes) {
    // Keys come several to a row: the key's words are only put together for a failure.
    const CborString s = takeCborString(m_r, m_input, QCborStreamReader::String, maxBytes);
    const QByteArrayView found =
        s.status == CborString::Ok ? s.bytes : checked(s, QStringLiteral("a chave \"%1\"").arg(key), maxBytes);
    if (found != QByteArrayView(key.data(), key.size()))
        fail(QStringLiteral("esperada a chave \"%1\", encontrada \"%2\"%3").arg(key, preview(found), m_wording.where()));
}

QString CborReader::preview(QByteArrayView utf8) {
    return QString::fromUtf8(utf8.first(std::min<qsizetype>(utf8.size(), 40)));
}

}  // namespace host
