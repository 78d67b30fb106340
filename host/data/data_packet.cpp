#include "data_packet.h"

#include "cbor_reader.h"

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

// Reads one packet. It is also the reader's wording: the packet's error type,
// its prefix, and the row and field a value error is about.
class Decoder final : private CborWording {
public:
    Decoder(const QByteArray& bytes, const PacketLimits& limits)
        : m_limits(limits), m_r(bytes, *this) {}

    Packet run();

private:
    [[noreturn]] void fail(const QString& detail) const override {
        throw PacketError(QStringLiteral("Pacote de dados inválido: ") + detail);
    }
    QString where() const override;  // " na linha N, campo "X"" for value errors
    QString truncated() const override { return QStringLiteral("pacote truncado"); }
    QString tagFound() const override { return QStringLiteral("uma tag CBOR (não aceita)"); }
    QString simpleFound() const override { return QStringLiteral("um valor simples CBOR"); }
    [[noreturn]] void badString(CborStringFault fault, const QString& what, quint64 maxBytes,
                                quint64 declaredBytes) const override;

    // Text bounded in characters, as every limit of the packet is.
    QByteArrayView text(qint64 maxChars, const QString& what) {
        return m_r.textBytes(what, CborReader::utf8Bound(maxChars));
    }
    void expectKey(QLatin1StringView key) { m_r.expectKey(key, CborReader::utf8Bound(64)); }

    void readFields();
    void readField();
    void readRows();
    void readRow(PacketRow& row);
    void readValues(std::vector<Value>& out, const char* key);
    void readValue(std::vector<Value>& out);
    void readText(std::vector<Value>& out, const FieldDef& f);
    void readChanged(std::vector<int>& out);

    const PacketLimits& m_limits;
    CborReader m_r;
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

void Decoder::badString(CborStringFault fault, const QString& what, quint64 maxBytes, quint64) const {
    switch (fault) {
    case CborStringFault::Indefinite: fail(QStringLiteral("texto de tamanho indefinido não é aceito%1").arg(where()));
    case CborStringFault::HeaderCut:
    case CborStringFault::PastEnd:
        fail(QStringLiteral("pacote truncado: texto maior que os bytes restantes%1").arg(where()));
    case CborStringFault::TooLong:
        // The bound came from text(): three bytes per character.
        fail(QStringLiteral("%1 com mais de %2 caracteres%3").arg(what).arg(maxBytes / 3).arg(where()));
    }
    fail(what);
}

Packet Decoder::run() {
    if (m_r.size() > m_limits.maxBytes)
        fail(QStringLiteral("%1 bytes excedem o limite de %2").arg(m_r.size()).arg(m_limits.maxBytes));
    m_r.expectItem();
    if (!m_r.isMap()) fail(QStringLiteral("não é um pacote de dados (não começa por um mapa)"));
    const quint64 topPairs = m_r.definiteLength(QStringLiteral("o mapa principal"));
    if (topPairs < 2) fail(QStringLiteral("não é um pacote de dados (mapa principal curto demais)"));
    m_r.enter();
    expectKey(QLatin1StringView("format"));
    if (text(16, QStringLiteral("o formato")) != QByteArrayView(kMagic))
        fail(QStringLiteral("não é um pacote de dados (formato desconhecido)"));
    expectKey(QLatin1StringView("version"));
    const quint64 version = m_r.unsignedInteger(QStringLiteral("o número da versão"));
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
    else fail(QStringLiteral("tipo de pacote \"%1\" desconhecido").arg(CborReader::preview(kind)));

    expectKey(QLatin1StringView("fields"));
    readFields();
    expectKey(QLatin1StringView("rows"));
    readRows();
    m_r.leave();
    if (m_r.bytesAfter() != 0) fail(QStringLiteral("%1 bytes sobrando depois do fim do pacote").arg(m_r.bytesAfter()));
    return std::move(m_packet);
}

void Decoder::readFields() {
    const quint64 n = m_r.arrayLength(QStringLiteral("o array de campos"));
    if (n > quint64(std::max(m_limits.maxFields, 0)))
        fail(QStringLiteral("%1 campos excedem o limite de %2").arg(n).arg(m_limits.maxFields));
    m_r.checkFits(n, 1, QStringLiteral("o array de campos"));
    m_r.enter();
    m_packet.fields.reserve(size_t(n));
    m_foldedNames.reserve(qsizetype(n));
    for (quint64 i = 0; i < n; ++i) readField();
    m_r.leave();
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

    if (!m_r.isMap()) m_r.unexpected(ctx);
    const quint64 pairs = m_r.definiteLength(ctx);
    if (pairs < 2 || pairs > quint64(kKeyCount))
        fail(QStringLiteral("%1 tem %2 entradas").arg(ctx).arg(pairs));
    m_r.enter();
    FieldDef f;
    bool hasSize = false;
    int last = -1;
    for (quint64 p = 0; p < pairs; ++p) {
        const QByteArrayView key = text(64, QStringLiteral("uma chave de %1").arg(ctx));
        int k = 0;
        while (k < kKeyCount && key != QByteArrayView(kKeys[k].data(), kKeys[k].size())) ++k;
        if (k == kKeyCount)
            fail(QStringLiteral("chave \"%1\" desconhecida em %2").arg(CborReader::preview(key), ctx));
        if (k <= last || (p < 2 && k != int(p)))
            fail(QStringLiteral("chave \"%1\" fora de ordem em %2").arg(kKeys[k], ctx));
        last = k;
        switch (k) {
        case 0: {
            f.name = m_r.decodeUtf8(text(m_limits.maxStringChars, QStringLiteral("o nome do campo")),
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
                         .arg(CborReader::preview(t), f.name));
            break;
        }
        case 2: {
            if (f.type != FieldType::String)
                fail(QStringLiteral("o campo \"%1\" não é texto e não pode ter tamanho").arg(f.name));
            const quint64 size = m_r.unsignedInteger(QStringLiteral("o tamanho do campo \"%1\"").arg(f.name));
            if (size > quint64(std::numeric_limits<int>::max()))
                fail(QStringLiteral("tamanho %1 do campo \"%2\" grande demais").arg(size).arg(f.name));
            f.size = int(size);
            hasSize = true;
            break;
        }
        case 3:
            f.displayLabel = m_r.decodeUtf8(text(m_limits.maxStringChars, QStringLiteral("o rótulo do campo")),
                                            QStringLiteral("o rótulo do campo"));
            if (f.displayLabel.size() > m_limits.maxStringChars)
                fail(QStringLiteral("rótulo do campo \"%1\" longo demais").arg(f.name));
            break;
        case 4: f.required = m_r.boolean(QStringLiteral("um valor lógico em \"required\"")); break;
        case 5: f.readOnly = m_r.boolean(QStringLiteral("um valor lógico em \"readOnly\"")); break;
        case 6:
            if (f.type != FieldType::String)
                fail(QStringLiteral("o campo \"%1\" não é texto e não pode ter fixedLength").arg(f.name));
            f.fixedLength = m_r.boolean(QStringLiteral("um valor lógico em \"fixedLength\""));
            break;
        }
    }
    if (f.type == FieldType::String && !hasSize)
        fail(QStringLiteral("o campo de texto \"%1\" não traz o tamanho").arg(f.name));
    m_r.leave();
    m_packet.fields.push_back(std::move(f));
}

void Decoder::readRows() {
    const quint64 n = m_r.arrayLength(QStringLiteral("o array de linhas"));
    if (n > quint64(std::max<qint64>(m_limits.maxRows, 0)))
        fail(QStringLiteral("%1 linhas excedem o limite de %2").arg(n).arg(m_limits.maxRows));
    // Every row takes at least its container header plus one byte per value.
    m_r.checkFits(n, 1 + m_packet.fields.size(), QStringLiteral("o array de linhas"));
    m_r.enter();
    m_packet.rows.resize(size_t(n));
    for (quint64 i = 0; i < n; ++i) {
        m_row = qint64(i) + 1;
        readRow(m_packet.rows[size_t(i)]);
    }
    m_row = 0;
    m_r.leave();
}

void Decoder::readRow(PacketRow& row) {
    const bool delta = m_packet.kind == PacketKind::Delta;
    if (m_r.isArray()) {
        if (delta) fail(QStringLiteral("linha %1 sem alteração num pacote delta").arg(m_row));
        readValues(row.values, "v");
        return;
    }
    if (!m_r.isMap()) m_r.unexpected(QStringLiteral("uma linha (array ou mapa)"));
    const quint64 pairs = m_r.definiteLength(QStringLiteral("a linha %1").arg(m_row));
    if (pairs == 0) fail(QStringLiteral("linha %1 sem estado").arg(m_row));
    m_r.enter();
    expectKey(QLatin1StringView("s"));
    const quint64 code = m_r.unsignedInteger(QStringLiteral("o estado da linha"));
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
    m_r.leave();
}

void Decoder::readValues(std::vector<Value>& out, const char* part) {
    const size_t count = m_packet.fields.size();
    m_part = part;
    if (!m_r.isArray()) m_r.unexpected(QStringLiteral("um array de valores"));
    const quint64 n = m_r.definiteLength(QStringLiteral("o array de valores"));
    if (n != count)
        fail(QStringLiteral("%1 valores%2; o pacote tem %3 campos").arg(n).arg(where()).arg(count));
    m_r.enter();
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        m_field = int(i);
        readValue(out);
    }
    m_field = -1;
    m_part = nullptr;
    m_r.leave();
}

void Decoder::readValue(std::vector<Value>& out) {
    const FieldDef& f = m_packet.fields[size_t(m_field)];
    if (m_r.isNull()) {
        m_r.next();
        out.emplace_back();
        return;
    }
    switch (f.type) {
    case FieldType::String:
        if (!m_r.isString()) break;
        readText(out, f);
        return;
    case FieldType::Float:
        // Any integer too: writers may write an integral float as one.
        if (!m_r.isNumber()) break;
        out.emplace_back(std::in_place_type<double>, m_r.number());
        return;
    case FieldType::Integer:
        if (!m_r.isInteger()) break;
        out.emplace_back(std::in_place_type<qint64>, m_r.integer());
        return;
    case FieldType::DateTime:
        if (!m_r.isInteger()) break;
        out.emplace_back(std::in_place_type<DateTime>, DateTime{m_r.integer()});
        return;
    case FieldType::Boolean:
        if (!m_r.isBool()) break;
        out.emplace_back(std::in_place_type<bool>, m_r.boolean());
        return;
    }
    m_r.unexpected(QStringLiteral("um valor do tipo %1").arg(fieldTypeName(f.type)));
}

void Decoder::readText(std::vector<Value>& out, const FieldDef& f) {
    const qint64 limit = f.size > 0 ? std::min(f.size, m_limits.maxStringChars) : m_limits.maxStringChars;
    QString s = m_r.decodeUtf8(text(limit, QStringLiteral("texto")), QStringLiteral("texto"));
    if (s.size() > limit) {
        if (f.size > 0 && f.size <= m_limits.maxStringChars)
            fail(QStringLiteral("texto com %1 caracteres excede o tamanho %2%3").arg(s.size()).arg(f.size).arg(where()));
        fail(QStringLiteral("texto com %1 caracteres excede o limite de %2%3")
                 .arg(s.size())
                 .arg(m_limits.maxStringChars)
                 .arg(where()));
    }
    out.emplace_back(std::in_place_type<QString>, std::move(s));
}

void Decoder::readChanged(std::vector<int>& out) {
    const quint64 fieldCount = m_packet.fields.size();
    const quint64 n = m_r.arrayLength(QStringLiteral("o array de campos alterados"));
    if (n > fieldCount)
        fail(QStringLiteral("linha %1 lista %2 campos alterados; o pacote tem %3").arg(m_row).arg(n).arg(fieldCount));
    m_r.enter();
    out.reserve(size_t(n));
    qint64 previous = -1;
    for (quint64 i = 0; i < n; ++i) {
        const quint64 index = m_r.unsignedInteger(QStringLiteral("um índice de campo alterado"));
        if (index >= fieldCount)
            fail(QStringLiteral("índice de campo alterado %1 fora da faixa na linha %2").arg(index).arg(m_row));
        if (qint64(index) <= previous)
            fail(QStringLiteral("índices de campos alterados fora de ordem ou repetidos na linha %1").arg(m_row));
        previous = qint64(index);
        out.push_back(int(index));
    }
    m_r.leave();
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
    const CborString key = takeCborString(r, bytes, QCborStreamReader::String, 16);
    if (key.status != CborString::Ok || key.bytes != QByteArrayView("format")) return false;
    const CborString magic = takeCborString(r, bytes, QCborStreamReader::String, 16);
    return magic.status == CborString::Ok && magic.bytes == QByteArrayView(kMagic);
}

}  // namespace host
