#include "data_packet.h"

#include <QtCore/QCborStreamReader>
#include <QtCore/QSet>

#include <algorithm>
#include <limits>
#include <utility>

namespace host {

namespace {

constexpr quint64 kVersion = 1;
constexpr char kMagic[] = "afdp";

QString stateName(RowState s) {
    switch (s) {
    case RowState::Unchanged: return QStringLiteral("sem alteração");
    case RowState::Inserted: return QStringLiteral("inserida");
    case RowState::Modified: return QStringLiteral("modificada");
    case RowState::Deleted: return QStringLiteral("excluída");
    }
    return QString::number(int(s));
}

QString valueKindName(const Value& v) {
    switch (v.index()) {
    case 0: return QStringLiteral("nulo");
    case 1: return QStringLiteral("texto");
    case 2: return QStringLiteral("ponto flutuante");
    case 3: return QStringLiteral("inteiro");
    case 4: return QStringLiteral("lógico");
    case 5: return QStringLiteral("data-hora");
    }
    return {};
}

// ---------------------------------------------------------------------------
// Text strings are read straight from the input buffer: QCborStreamReader
// only walks the structure. That saves the intermediate QByteArray that
// readString() allocates per string, and readString() in Qt 6.4 also drops a
// leading U+FEFF, which would break the round trip of such a value.

enum class TextStatus { Ok, NotText, Indefinite, Truncated, TooLong, ReaderError };

struct TextSpan {
    TextStatus status = TextStatus::Ok;
    QByteArrayView utf8;
};

// Locates the UTF-8 bytes of the current text string and moves the reader past
// it. maxBytes bounds the declared length before anything is read.
TextSpan takeText(QCborStreamReader& r, const char* data, qint64 size, quint64 maxBytes) {
    if (r.type() != QCborStreamReader::String)
        return {r.type() == QCborStreamReader::Invalid ? TextStatus::ReaderError : TextStatus::NotText, {}};
    const qint64 off = r.currentOffset();
    if (off < 0 || off >= size) return {TextStatus::Truncated, {}};
    const quint8 initial = quint8(data[off]);
    if ((initial >> 5) != 3) return {TextStatus::NotText, {}};
    const quint8 info = initial & 0x1f;
    quint64 len = 0;
    qint64 header = 1;
    if (info < 24) {
        len = info;
    } else if (info <= 27) {
        const int extra = 1 << (info - 24);
        header += extra;
        if (header > size - off) return {TextStatus::Truncated, {}};
        for (int i = 1; i <= extra; ++i) len = (len << 8) | quint8(data[off + i]);
    } else {
        return {TextStatus::Indefinite, {}};
    }
    if (len > quint64(size - off - header)) return {TextStatus::Truncated, {}};
    if (len > maxBytes) return {TextStatus::TooLong, {}};

    // A definite-length string is one chunk; reading it into a zero-sized
    // buffer just skips it, then the second call reports its end.
    char sink = 0;
    auto res = r.readStringChunk(&sink, 0);
    if (res.status == QCborStreamReader::Ok) res = r.readStringChunk(&sink, 0);
    if (res.status != QCborStreamReader::EndOfString) return {TextStatus::ReaderError, {}};
    return {TextStatus::Ok, QByteArrayView(data + off + header, qsizetype(len))};
}

// A UTF-8 byte count that no text of at most maxUnits UTF-16 units can exceed.
quint64 utf8Bound(qint64 maxUnits) { return quint64(std::max<qint64>(maxUnits, 0)) * 3; }

// A short, always valid rendering of unexpected text for error messages.
QString preview(QByteArrayView utf8) {
    return QString::fromUtf8(utf8.first(std::min<qsizetype>(utf8.size(), 40)));
}

QString cborErrorText(QCborError e) {
    switch (e.c) {
    case QCborError::EndOfFile: return QStringLiteral("pacote truncado (os dados terminam antes do fim)");
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

// ---------------------------------------------------------------------------

class Decoder {
public:
    Decoder(const QByteArray& bytes, const PacketLimits& limits)
        : m_data(bytes.constData()), m_size(bytes.size()), m_limits(limits), m_r(bytes) {}

    Packet run();

private:
    [[noreturn]] void fail(const QString& detail) const {
        throw PacketError(QStringLiteral("Pacote de dados inválido: ") + detail);
    }
    [[noreturn]] void failReader() {
        const QCborError e = m_r.lastError();
        if (e.c == QCborError::NoError) fail(QStringLiteral("fim inesperado de array ou mapa"));
        fail(cborErrorText(e) + QStringLiteral(" (byte %1)").arg(m_r.currentOffset()));
    }
    [[noreturn]] void unexpected(const QString& expected);
    QString where() const;  // " na linha N, campo "X"" for value errors

    void enter() {
        if (!m_r.enterContainer()) failReader();
    }
    void leave() {
        if (!m_r.leaveContainer()) failReader();
    }
    void next() {
        if (!m_r.next()) failReader();
    }
    quint64 definiteLength(const QString& what);
    void checkFits(quint64 count, quint64 minBytesEach, const QString& what);
    QByteArrayView text(qint64 maxUnits, const QString& what);
    QString decodeText(QByteArrayView utf8, const QString& what);
    void expectKey(QLatin1StringView key);
    quint64 unsignedValue(const QString& what);
    bool boolValue(const QString& what);

    void readFields();
    void readField();
    void readRows();
    void readRow(PacketRow& row);
    void readValues(std::vector<Value>& out, const char* key);
    void readValue(std::vector<Value>& out);
    void readChanged(std::vector<int>& out);

    const char* m_data;
    qint64 m_size;
    const PacketLimits& m_limits;
    QCborStreamReader m_r;
    QStringDecoder m_decoder{QStringDecoder::Utf8,
                             QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom};
    Packet m_packet;
    QSet<QString> m_foldedNames;
    // Position for error messages.
    qint64 m_row = 0;  // 1-based; 0 outside the rows
    int m_field = -1;
    const char* m_part = nullptr;  // "v" or "o"
};

QString Decoder::where() const {
    QString s;
    if (m_row > 0) s += QStringLiteral(" na linha %1").arg(m_row);
    if (m_part && m_part[0] == 'o') s += QStringLiteral(" (valores originais)");
    if (m_field >= 0 && size_t(m_field) < m_packet.fields.size())
        s += QStringLiteral(", campo \"%1\"").arg(m_packet.fields[size_t(m_field)].name);
    return s;
}

void Decoder::unexpected(const QString& expected) {
    QString found;
    switch (m_r.type()) {
    case QCborStreamReader::Invalid: failReader();
    case QCborStreamReader::UnsignedInteger:
    case QCborStreamReader::NegativeInteger: found = QStringLiteral("um inteiro"); break;
    case QCborStreamReader::ByteArray: found = QStringLiteral("bytes"); break;
    case QCborStreamReader::String: found = QStringLiteral("um texto"); break;
    case QCborStreamReader::Array: found = QStringLiteral("um array"); break;
    case QCborStreamReader::Map: found = QStringLiteral("um mapa"); break;
    case QCborStreamReader::Tag: found = QStringLiteral("uma tag CBOR (não aceita)"); break;
    case QCborStreamReader::SimpleType:
        if (m_r.isNull()) found = QStringLiteral("nulo");
        else if (m_r.isBool()) found = QStringLiteral("um valor lógico");
        else found = QStringLiteral("um valor simples CBOR");
        break;
    case QCborStreamReader::Float16:
    case QCborStreamReader::Float:
    case QCborStreamReader::Double: found = QStringLiteral("um número de ponto flutuante"); break;
    }
    fail(QStringLiteral("esperado %1, encontrado %2%3 (byte %4)").arg(expected, found, where()).arg(m_r.currentOffset()));
}

quint64 Decoder::definiteLength(const QString& what) {
    if (!m_r.isLengthKnown()) fail(QStringLiteral("%1 de tamanho indefinido não é aceito").arg(what));
    return m_r.length();
}

// A declared element count must fit in the bytes left, so no reserve() can be
// driven by a length the input cannot back.
void Decoder::checkFits(quint64 count, quint64 minBytesEach, const QString& what) {
    const qint64 left = m_size - m_r.currentOffset() - 1;  // after the container's first header byte
    if (left < 0 || count > quint64(left) / minBytesEach)
        fail(QStringLiteral("%1 declara %2 elementos, mais do que cabem nos %3 bytes restantes")
                 .arg(what)
                 .arg(count)
                 .arg(std::max<qint64>(left, 0)));
}

QByteArrayView Decoder::text(qint64 maxUnits, const QString& what) {
    const TextSpan t = takeText(m_r, m_data, m_size, utf8Bound(maxUnits));
    switch (t.status) {
    case TextStatus::Ok: return t.utf8;
    case TextStatus::NotText: unexpected(what);
    case TextStatus::Indefinite: fail(QStringLiteral("texto de tamanho indefinido não é aceito%1").arg(where()));
    case TextStatus::Truncated: fail(QStringLiteral("pacote truncado: texto maior que os bytes restantes%1").arg(where()));
    case TextStatus::TooLong:
        fail(QStringLiteral("%1 com mais de %2 caracteres%3").arg(what).arg(maxUnits).arg(where()));
    case TextStatus::ReaderError: failReader();
    }
    failReader();
}

QString Decoder::decodeText(QByteArrayView utf8, const QString& what) {
    m_decoder.resetState();
    QString s = m_decoder.decode(utf8);
    if (m_decoder.hasError()) fail(QStringLiteral("%1 com UTF-8 inválido%2").arg(what, where()));
    return s;
}

void Decoder::expectKey(QLatin1StringView key) {
    const QString what = QStringLiteral("a chave \"%1\"").arg(key);
    const QByteArrayView found = text(64, what);
    if (found != QByteArrayView(key.data(), key.size()))
        fail(QStringLiteral("esperada a chave \"%1\", encontrada \"%2\"%3")
                 .arg(key, preview(found), where()));
}

quint64 Decoder::unsignedValue(const QString& what) {
    if (!m_r.isUnsignedInteger()) unexpected(what);
    const quint64 v = m_r.toUnsignedInteger();
    next();
    return v;
}

bool Decoder::boolValue(const QString& what) {
    if (!m_r.isBool()) unexpected(what);
    const bool v = m_r.toBool();
    next();
    return v;
}

Packet Decoder::run() {
    if (m_size > m_limits.maxBytes)
        fail(QStringLiteral("%1 bytes excedem o limite de %2").arg(m_size).arg(m_limits.maxBytes));
    if (!m_r.isMap()) {
        if (m_r.type() == QCborStreamReader::Invalid) failReader();
        fail(QStringLiteral("não é um pacote de dados (não começa por um mapa)"));
    }
    const quint64 topPairs = definiteLength(QStringLiteral("o mapa principal"));
    if (topPairs < 2) fail(QStringLiteral("não é um pacote de dados (mapa principal curto demais)"));
    enter();
    expectKey(QLatin1StringView("format"));
    if (text(16, QStringLiteral("o formato")) != QByteArrayView(kMagic))
        fail(QStringLiteral("não é um pacote de dados (formato desconhecido)"));
    expectKey(QLatin1StringView("version"));
    const quint64 version = unsignedValue(QStringLiteral("o número da versão"));
    if (version > kVersion)
        throw PacketError(QStringLiteral("Pacote de dados na versão %1, mais nova que a lida por este programa "
                                         "(versão %2). Atualize o programa.")
                              .arg(version)
                              .arg(kVersion));
    if (version != kVersion) fail(QStringLiteral("versão %1 não existe").arg(version));
    if (topPairs != 5)
        fail(QStringLiteral("o mapa principal tem %1 entradas; a versão 1 tem exatamente 5").arg(topPairs));

    expectKey(QLatin1StringView("kind"));
    const QByteArrayView kind = text(16, QStringLiteral("o tipo do pacote"));
    if (kind == QByteArrayView("data")) m_packet.kind = PacketKind::Data;
    else if (kind == QByteArrayView("delta")) m_packet.kind = PacketKind::Delta;
    else fail(QStringLiteral("tipo de pacote \"%1\" desconhecido").arg(preview(kind)));

    expectKey(QLatin1StringView("fields"));
    readFields();
    expectKey(QLatin1StringView("rows"));
    readRows();
    leave();
    if (m_r.currentOffset() != m_size)
        fail(QStringLiteral("%1 bytes sobrando depois do fim do pacote").arg(m_size - m_r.currentOffset()));
    return std::move(m_packet);
}

void Decoder::readFields() {
    if (!m_r.isArray()) unexpected(QStringLiteral("o array de campos"));
    const quint64 n = definiteLength(QStringLiteral("o array de campos"));
    if (n > quint64(std::max(m_limits.maxFields, 0)))
        fail(QStringLiteral("%1 campos excedem o limite de %2").arg(n).arg(m_limits.maxFields));
    checkFits(n, 1, QStringLiteral("o array de campos"));
    enter();
    m_packet.fields.reserve(size_t(n));
    m_foldedNames.reserve(qsizetype(n));
    for (quint64 i = 0; i < n; ++i) readField();
    leave();
}

void Decoder::readField() {
    // Keys in this exact order; the first two always, the rest only when present.
    static constexpr QLatin1StringView kKeys[] = {
        QLatin1StringView("name"),     QLatin1StringView("type"),     QLatin1StringView("size"),
        QLatin1StringView("displayLabel"), QLatin1StringView("required"), QLatin1StringView("readOnly"),
        QLatin1StringView("fixedLength")};
    constexpr int kKeyCount = int(std::size(kKeys));
    const int number = int(m_packet.fields.size()) + 1;
    const QString ctx = QStringLiteral("a definição do campo %1").arg(number);

    if (!m_r.isMap()) unexpected(ctx);
    const quint64 pairs = definiteLength(ctx);
    if (pairs < 2 || pairs > quint64(kKeyCount))
        fail(QStringLiteral("%1 tem %2 entradas").arg(ctx).arg(pairs));
    enter();
    FieldDef f;
    bool hasSize = false;
    int last = -1;
    for (quint64 p = 0; p < pairs; ++p) {
        const QByteArrayView key = text(64, QStringLiteral("uma chave de %1").arg(ctx));
        int k = 0;
        while (k < kKeyCount && key != QByteArrayView(kKeys[k].data(), kKeys[k].size())) ++k;
        if (k == kKeyCount)
            fail(QStringLiteral("chave \"%1\" desconhecida em %2").arg(preview(key), ctx));
        if (k <= last || (p < 2 && k != int(p)))
            fail(QStringLiteral("chave \"%1\" fora de ordem em %2").arg(kKeys[k], ctx));
        last = k;
        switch (k) {
        case 0: {
            f.name = decodeText(text(m_limits.maxStringChars, QStringLiteral("o nome do campo")),
                                QStringLiteral("o nome do campo"));
            if (f.name.isEmpty()) fail(QStringLiteral("campo %1 sem nome").arg(number));
            if (f.name.size() > m_limits.maxStringChars)
                fail(QStringLiteral("nome do campo %1 longo demais").arg(number));
            const QString folded = f.name.toCaseFolded();
            if (m_foldedNames.contains(folded)) fail(QStringLiteral("campo \"%1\" repetido").arg(f.name));
            m_foldedNames.insert(folded);
            break;
        }
        case 1: {
            const QByteArrayView t = text(16, QStringLiteral("o tipo do campo"));
            if (!fieldTypeFromName(QString::fromUtf8(t), &f.type))
                fail(QStringLiteral("tipo \"%1\" desconhecido no campo \"%2\"")
                         .arg(preview(t), f.name));
            break;
        }
        case 2: {
            if (f.type != FieldType::String)
                fail(QStringLiteral("o campo \"%1\" não é texto e não pode ter tamanho").arg(f.name));
            const quint64 size = unsignedValue(QStringLiteral("o tamanho do campo \"%1\"").arg(f.name));
            if (size > quint64(std::numeric_limits<int>::max()))
                fail(QStringLiteral("tamanho %1 do campo \"%2\" grande demais").arg(size).arg(f.name));
            f.size = int(size);
            hasSize = true;
            break;
        }
        case 3:
            f.displayLabel = decodeText(text(m_limits.maxStringChars, QStringLiteral("o rótulo do campo")),
                                        QStringLiteral("o rótulo do campo"));
            if (f.displayLabel.size() > m_limits.maxStringChars)
                fail(QStringLiteral("rótulo do campo \"%1\" longo demais").arg(f.name));
            break;
        case 4: f.required = boolValue(QStringLiteral("um valor lógico em \"required\"")); break;
        case 5: f.readOnly = boolValue(QStringLiteral("um valor lógico em \"readOnly\"")); break;
        case 6:
            if (f.type != FieldType::String)
                fail(QStringLiteral("o campo \"%1\" não é texto e não pode ter fixedLength").arg(f.name));
            f.fixedLength = boolValue(QStringLiteral("um valor lógico em \"fixedLength\""));
            break;
        }
    }
    if (f.type == FieldType::String && !hasSize)
        fail(QStringLiteral("o campo de texto \"%1\" não traz o tamanho").arg(f.name));
    leave();
    m_packet.fields.push_back(std::move(f));
}

void Decoder::readRows() {
    if (!m_r.isArray()) unexpected(QStringLiteral("o array de linhas"));
    const quint64 n = definiteLength(QStringLiteral("o array de linhas"));
    if (n > quint64(std::max<qint64>(m_limits.maxRows, 0)))
        fail(QStringLiteral("%1 linhas excedem o limite de %2").arg(n).arg(m_limits.maxRows));
    // Every row takes at least its container header plus one byte per value.
    checkFits(n, 1 + m_packet.fields.size(), QStringLiteral("o array de linhas"));
    enter();
    m_packet.rows.resize(size_t(n));
    for (quint64 i = 0; i < n; ++i) {
        m_row = qint64(i) + 1;
        readRow(m_packet.rows[size_t(i)]);
    }
    m_row = 0;
    leave();
}

void Decoder::readRow(PacketRow& row) {
    const bool delta = m_packet.kind == PacketKind::Delta;
    if (m_r.isArray()) {
        if (delta) fail(QStringLiteral("linha %1 sem alteração num pacote delta").arg(m_row));
        readValues(row.values, "v");
        return;
    }
    if (!m_r.isMap()) unexpected(QStringLiteral("uma linha (array ou mapa)"));
    const quint64 pairs = definiteLength(QStringLiteral("a linha %1").arg(m_row));
    if (pairs == 0) fail(QStringLiteral("linha %1 sem estado").arg(m_row));
    enter();
    expectKey(QLatin1StringView("s"));
    const quint64 code = unsignedValue(QStringLiteral("o estado da linha"));
    if (code < 1 || code > 3)
        fail(QStringLiteral("estado %1 inválido na linha %2 (1, 2 ou 3; linha sem alteração é um array)")
                 .arg(code)
                 .arg(m_row));
    row.state = RowState(code);
    const bool hasValues = row.state != RowState::Deleted;
    const bool hasOriginal = row.state != RowState::Inserted;
    const bool hasChanged = delta && row.state == RowState::Modified;
    const quint64 expected = 1 + quint64(hasValues) + quint64(hasOriginal) + quint64(hasChanged);
    if (pairs != expected)
        fail(QStringLiteral("linha %1 %2 com %3 entradas; esperadas %4")
                 .arg(m_row)
                 .arg(stateName(row.state))
                 .arg(pairs)
                 .arg(expected));
    if (hasValues) {
        expectKey(QLatin1StringView("v"));
        readValues(row.values, "v");
    }
    if (hasOriginal) {
        expectKey(QLatin1StringView("o"));
        readValues(row.original, "o");
    }
    if (hasChanged) {
        expectKey(QLatin1StringView("c"));
        readChanged(row.changed);
    }
    leave();
}

void Decoder::readValues(std::vector<Value>& out, const char* part) {
    const size_t count = m_packet.fields.size();
    m_part = part;
    if (!m_r.isArray()) unexpected(QStringLiteral("um array de valores"));
    const quint64 n = definiteLength(QStringLiteral("o array de valores"));
    if (n != count)
        fail(QStringLiteral("%1 valores%2; o pacote tem %3 campos").arg(n).arg(where()).arg(count));
    enter();
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        m_field = int(i);
        readValue(out);
    }
    m_field = -1;
    m_part = nullptr;
    leave();
}

void Decoder::readValue(std::vector<Value>& out) {
    const FieldDef& f = m_packet.fields[size_t(m_field)];
    switch (m_r.type()) {
    case QCborStreamReader::SimpleType:
        if (m_r.isNull()) {
            out.emplace_back();
        } else if (f.type == FieldType::Boolean && m_r.isBool()) {
            out.emplace_back(std::in_place_type<bool>, m_r.toBool());
        } else {
            break;
        }
        next();
        return;
    case QCborStreamReader::String: {
        if (f.type != FieldType::String) break;
        const qint64 limit = f.size > 0 ? std::min(f.size, m_limits.maxStringChars) : m_limits.maxStringChars;
        QString s = decodeText(text(limit, QStringLiteral("texto")), QStringLiteral("texto"));
        if (s.size() > limit) {
            if (f.size > 0 && f.size <= m_limits.maxStringChars)
                fail(QStringLiteral("texto com %1 caracteres excede o tamanho %2%3").arg(s.size()).arg(f.size).arg(where()));
            fail(QStringLiteral("texto com %1 caracteres excede o limite de %2%3")
                     .arg(s.size())
                     .arg(m_limits.maxStringChars)
                     .arg(where()));
        }
        out.emplace_back(std::in_place_type<QString>, std::move(s));
        return;
    }
    case QCborStreamReader::UnsignedInteger: {
        const quint64 u = m_r.toUnsignedInteger();
        if (f.type == FieldType::Float) {
            out.emplace_back(std::in_place_type<double>, double(u));
        } else if (f.type == FieldType::Integer || f.type == FieldType::DateTime) {
            if (u > quint64(std::numeric_limits<qint64>::max()))
                fail(QStringLiteral("inteiro %1 fora da faixa de 64 bits%2").arg(u).arg(where()));
            if (f.type == FieldType::Integer) out.emplace_back(std::in_place_type<qint64>, qint64(u));
            else out.emplace_back(std::in_place_type<DateTime>, DateTime{qint64(u)});
        } else {
            break;
        }
        next();
        return;
    }
    case QCborStreamReader::NegativeInteger: {
        // The value is -1 - raw; toNegativeInteger() returns raw + 1, wrapping for -2^64.
        const quint64 raw = quint64(m_r.toNegativeInteger()) - 1;
        if (f.type == FieldType::Float) {
            out.emplace_back(std::in_place_type<double>, -1.0 - double(raw));
        } else if (f.type == FieldType::Integer || f.type == FieldType::DateTime) {
            if (raw > quint64(std::numeric_limits<qint64>::max()))
                fail(QStringLiteral("inteiro negativo fora da faixa de 64 bits%1").arg(where()));
            const qint64 v = -1 - qint64(raw);
            if (f.type == FieldType::Integer) out.emplace_back(std::in_place_type<qint64>, v);
            else out.emplace_back(std::in_place_type<DateTime>, DateTime{v});
        } else {
            break;
        }
        next();
        return;
    }
    case QCborStreamReader::Double:
        if (f.type != FieldType::Float) break;
        out.emplace_back(std::in_place_type<double>, m_r.toDouble());
        next();
        return;
    case QCborStreamReader::Float:
        if (f.type != FieldType::Float) break;
        out.emplace_back(std::in_place_type<double>, double(m_r.toFloat()));
        next();
        return;
    case QCborStreamReader::Float16:
        if (f.type != FieldType::Float) break;
        out.emplace_back(std::in_place_type<double>, double(float(m_r.toFloat16())));
        next();
        return;
    default:
        break;
    }
    unexpected(QStringLiteral("um valor do tipo %1").arg(fieldTypeName(f.type)));
}

void Decoder::readChanged(std::vector<int>& out) {
    const quint64 fieldCount = m_packet.fields.size();
    if (!m_r.isArray()) unexpected(QStringLiteral("o array de campos alterados"));
    const quint64 n = definiteLength(QStringLiteral("o array de campos alterados"));
    if (n > fieldCount)
        fail(QStringLiteral("linha %1 lista %2 campos alterados; o pacote tem %3").arg(m_row).arg(n).arg(fieldCount));
    enter();
    out.reserve(size_t(n));
    qint64 previous = -1;
    for (quint64 i = 0; i < n; ++i) {
        const quint64 index = unsignedValue(QStringLiteral("um índice de campo alterado"));
        if (index >= fieldCount)
            fail(QStringLiteral("índice de campo alterado %1 fora da faixa na linha %2").arg(index).arg(m_row));
        if (qint64(index) <= previous)
            fail(QStringLiteral("índices de campos alterados fora de ordem ou repetidos na linha %1").arg(m_row));
        previous = qint64(index);
        out.push_back(int(index));
    }
    leave();
}

}  // namespace

// ---------------------------------------------------------------------------
// Writer

PacketWriter::PacketWriter(PacketKind kind, const std::vector<FieldDef>& fields, qint64 rowCount)
    : m_kind(kind), m_rowCount(rowCount) {
    if (rowCount < 0) misuse(QStringLiteral("número de linhas negativo (%1)").arg(rowCount));
    QSet<QString> folded;
    for (const FieldDef& f : fields) {
        if (f.name.isEmpty()) misuse(QStringLiteral("campo sem nome"));
        if (f.calculated) misuse(QStringLiteral("o campo calculado \"%1\" não vai em pacotes").arg(f.name));
        if (fieldTypeName(f.type).isEmpty()) misuse(QStringLiteral("tipo inválido no campo \"%1\"").arg(f.name));
        if (f.size < 0) misuse(QStringLiteral("tamanho negativo no campo \"%1\"").arg(f.name));
        const QString key = f.name.toCaseFolded();
        if (folded.contains(key)) misuse(QStringLiteral("campo \"%1\" repetido").arg(f.name));
        folded.insert(key);
    }
    m_types.reserve(fields.size());
    m_sizes.reserve(fields.size());
    m_names.reserve(fields.size());
    for (const FieldDef& f : fields) {
        m_types.push_back(f.type);
        m_sizes.push_back(f.size);
        m_names.push_back(f.name);
    }

    m_cbor.startMap(5);
    writeKey("format", 6);
    m_cbor.appendTextString(kMagic, 4);
    writeKey("version", 7);
    m_cbor.append(quint64(kVersion));
    writeKey("kind", 4);
    if (kind == PacketKind::Data) m_cbor.appendTextString("data", 4);
    else m_cbor.appendTextString("delta", 5);

    writeKey("fields", 6);
    m_cbor.startArray(fields.size());
    for (const FieldDef& f : fields) {
        const bool isString = f.type == FieldType::String;
        const bool fixed = isString && f.fixedLength;
        m_cbor.startMap(2 + quint64(isString) + quint64(!f.displayLabel.isEmpty()) + quint64(f.required) +
                        quint64(f.readOnly) + quint64(fixed));
        writeKey("name", 4);
        writeText(f.name);
        writeKey("type", 4);
        const QByteArray type = fieldTypeName(f.type).toLatin1();
        m_cbor.appendTextString(type.constData(), type.size());
        if (isString) {
            writeKey("size", 4);
            m_cbor.append(quint64(f.size));
        }
        if (!f.displayLabel.isEmpty()) {
            writeKey("displayLabel", 12);
            writeText(f.displayLabel);
        }
        if (f.required) {
            writeKey("required", 8);
            m_cbor.append(true);
        }
        if (f.readOnly) {
            writeKey("readOnly", 8);
            m_cbor.append(true);
        }
        if (fixed) {
            writeKey("fixedLength", 11);
            m_cbor.append(true);
        }
        m_cbor.endMap();
    }
    m_cbor.endArray();

    writeKey("rows", 4);
    m_cbor.startArray(quint64(rowCount));
}

void PacketWriter::misuse(const QString& detail) {
    throw DataError(QStringLiteral("Escrita de pacote de dados: ") + detail);
}

void PacketWriter::addRow(RowState state, const Value* values, const Value* original,
                          const std::vector<int>* changed) {
    if (m_finished) misuse(QStringLiteral("linha acrescentada depois de finish()"));
    if (m_broken) misuse(QStringLiteral("escritor inutilizado por um erro anterior"));
    if (m_added >= m_rowCount) misuse(QStringLiteral("mais linhas que as %1 declaradas").arg(m_rowCount));
    const bool delta = m_kind == PacketKind::Delta;
    if (quint8(state) > quint8(RowState::Deleted)) misuse(QStringLiteral("estado de linha inválido"));
    if (delta && state == RowState::Unchanged) misuse(QStringLiteral("linha sem alteração num pacote delta"));
    const bool hasValues = state != RowState::Deleted;
    const bool hasOriginal = state == RowState::Modified || state == RowState::Deleted;
    const bool hasChanged = delta && state == RowState::Modified;
    // With no fields an empty vector's data() may be null, and nothing is read.
    const bool noFields = m_types.empty();
    if (hasValues && !values && !noFields) misuse(QStringLiteral("linha %1 sem valores").arg(stateName(state)));
    if (hasOriginal && !original && !noFields) misuse(QStringLiteral("linha %1 sem valores originais").arg(stateName(state)));

    const std::vector<int>* changedOut = nullptr;
    if (hasChanged) {
        if (!changed) misuse(QStringLiteral("linha modificada de um delta sem a lista de campos alterados"));
        const int count = int(m_types.size());
        bool ascending = true;
        for (size_t i = 0; i < changed->size(); ++i) {
            const int c = (*changed)[i];
            if (c < 0 || c >= count) misuse(QStringLiteral("índice de campo alterado %1 fora da faixa").arg(c));
            if (i > 0 && c <= (*changed)[i - 1]) ascending = false;
        }
        changedOut = changed;
        if (!ascending) {
            m_changed = *changed;
            std::sort(m_changed.begin(), m_changed.end());
            m_changed.erase(std::unique(m_changed.begin(), m_changed.end()), m_changed.end());
            changedOut = &m_changed;
        }
    }

    // A value that does not fit its field throws halfway through the row;
    // the stream can then no longer be completed.
    m_broken = true;
    if (state == RowState::Unchanged) {
        writeValues(values);
    } else {
        m_cbor.startMap(1 + quint64(hasValues) + quint64(hasOriginal) + quint64(hasChanged));
        writeKey("s", 1);
        m_cbor.append(quint64(state));
        if (hasValues) {
            writeKey("v", 1);
            writeValues(values);
        }
        if (hasOriginal) {
            writeKey("o", 1);
            writeValues(original);
        }
        if (changedOut) {
            writeKey("c", 1);
            m_cbor.startArray(changedOut->size());
            for (int c : *changedOut) m_cbor.append(quint64(c));
            m_cbor.endArray();
        }
        m_cbor.endMap();
    }
    m_broken = false;
    ++m_added;
}

void PacketWriter::writeValues(const Value* values) {
    const int count = int(m_types.size());
    m_cbor.startArray(quint64(count));
    for (int i = 0; i < count; ++i) writeValue(values[i], i);
    m_cbor.endArray();
}

void PacketWriter::writeValue(const Value& v, int field) {
    const FieldType type = m_types[size_t(field)];
    switch (v.index()) {
    case 0:
        m_cbor.appendNull();
        return;
    case 1:
        if (type == FieldType::String) {
            const QString& s = *std::get_if<QString>(&v);
            const int size = m_sizes[size_t(field)];
            if (size > 0 && s.size() > size)
                misuse(QStringLiteral("texto com %1 caracteres excede o tamanho %2 do campo \"%3\"")
                           .arg(s.size())
                           .arg(size)
                           .arg(m_names[size_t(field)]));
            writeText(s);
            return;
        }
        break;
    case 2:
        if (type == FieldType::Float) {
            m_cbor.append(*std::get_if<double>(&v));
            return;
        }
        break;
    case 3:
        // Float fields take integers too; the reader turns them into doubles.
        if (type == FieldType::Integer || type == FieldType::Float) {
            m_cbor.append(*std::get_if<qint64>(&v));
            return;
        }
        break;
    case 4:
        if (type == FieldType::Boolean) {
            m_cbor.append(*std::get_if<bool>(&v));
            return;
        }
        break;
    case 5:
        if (type == FieldType::DateTime) {
            m_cbor.append(std::get_if<DateTime>(&v)->msecs);
            return;
        }
        break;
    }
    misuse(QStringLiteral("valor %1 no campo \"%2\" do tipo %3")
               .arg(valueKindName(v), m_names[size_t(field)], fieldTypeName(type)));
}

void PacketWriter::writeText(QStringView s) {
    const qsizetype need = m_encoder.requiredSpace(s.size());
    if (m_utf8.size() < need) m_utf8.resize(need);
    char* begin = m_utf8.data();
    char* end = m_encoder.appendToBuffer(begin, s);
    m_cbor.appendTextString(begin, end - begin);
}

QByteArray PacketWriter::finish() {
    if (m_finished) misuse(QStringLiteral("finish() chamado duas vezes"));
    if (m_broken) misuse(QStringLiteral("escritor inutilizado por um erro anterior"));
    if (m_added != m_rowCount)
        misuse(QStringLiteral("%1 linhas declaradas, %2 escritas").arg(m_rowCount).arg(m_added));
    m_cbor.endArray();
    m_cbor.endMap();
    m_finished = true;
    return std::exchange(m_bytes, QByteArray());
}

// ---------------------------------------------------------------------------

QByteArray encodePacket(const Packet& p) {
    PacketWriter w(p.kind, p.fields, qint64(p.rows.size()));
    const size_t count = p.fields.size();
    for (size_t i = 0; i < p.rows.size(); ++i) {
        const PacketRow& row = p.rows[i];
        const bool hasValues = row.state != RowState::Deleted;
        const bool hasOriginal = row.state == RowState::Modified || row.state == RowState::Deleted;
        if (hasValues && row.values.size() != count)
            throw DataError(QStringLiteral("Escrita de pacote de dados: linha %1 com %2 valores; o pacote tem %3 campos")
                                .arg(i + 1)
                                .arg(row.values.size())
                                .arg(count));
        if (hasOriginal && row.original.size() != count)
            throw DataError(QStringLiteral("Escrita de pacote de dados: linha %1 com %2 valores originais; o pacote "
                                           "tem %3 campos")
                                .arg(i + 1)
                                .arg(row.original.size())
                                .arg(count));
        w.addRow(row.state, hasValues ? row.values.data() : nullptr, hasOriginal ? row.original.data() : nullptr,
                 &row.changed);
    }
    return w.finish();
}

Packet decodePacket(const QByteArray& bytes, const PacketLimits& limits) {
    return Decoder(bytes, limits).run();
}

bool isPacket(const QByteArray& bytes) {
    QCborStreamReader r(bytes);
    if (!r.isMap() || !r.isLengthKnown() || r.length() < 2 || !r.enterContainer()) return false;
    const TextSpan key = takeText(r, bytes.constData(), bytes.size(), 16);
    if (key.status != TextStatus::Ok || key.utf8 != QByteArrayView("format")) return false;
    const TextSpan magic = takeText(r, bytes.constData(), bytes.size(), 16);
    return magic.status == TextStatus::Ok && magic.utf8 == QByteArrayView(kMagic);
}

}  // namespace host
