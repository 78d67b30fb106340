#include "lookup_query.h"

#include "host_database.h"

#include <QtSql/QSqlError>
#include <QtSql/QSqlField>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>

namespace host {

namespace {

bool isNameStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isNamePart(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

FieldType typeOfColumn(QMetaType type) {
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort: return FieldType::Integer;
    case QMetaType::Double:
    case QMetaType::Float: return FieldType::Float;
    case QMetaType::Bool: return FieldType::Boolean;
    case QMetaType::QDate:
    case QMetaType::QDateTime: return FieldType::DateTime;
    default: return FieldType::String;
    }
}

// SQLite keeps date-times as ISO text; the other engines hand out QDateTime.
std::optional<DateTime> toDateTime(const QVariant& v) {
    if (v.metaType().id() == QMetaType::QDateTime) return DateTime::fromQDateTime(v.toDateTime());
    if (v.metaType().id() == QMetaType::QDate) return DateTime::fromDate(v.toDate());
    const QString s = v.toString().trimmed();
    for (const char* format : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss.zzz",
                               "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd"}) {
        const QDateTime dt = QDateTime::fromString(s, QLatin1String(format));
        if (dt.isValid()) return DateTime::fromQDateTime(dt);
    }
    return std::nullopt;
}

QVariant bindable(const QVariant& v, SqlDialect dialect) {
    if (v.isNull() || !v.isValid()) return QVariant(QMetaType::fromType<QString>());
    if (dialect == SqlDialect::SQLite) {
        if (v.metaType().id() == QMetaType::QDateTime)
            return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (v.metaType().id() == QMetaType::QDate)
            return v.toDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00");
    }
    return v;
}

}  // namespace

PreparedSql prepareNamedParameters(const QString& sql) {
    PreparedSql out;
    out.text.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    auto copyUntil = [&](QStringView terminator) {
        const qsizetype end = sql.indexOf(terminator, i);
        const qsizetype stop = end < 0 ? n : end + terminator.size();
        out.text += QStringView(sql).mid(i, stop - i);
        i = stop;
    };
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'\'') {  // literal; '' inside is a quote and simply continues it
            qsizetype j = i + 1;
            while (j < n && sql[j] != u'\'') ++j;
            out.text += QStringView(sql).mid(i, std::min(n, j + 1) - i);
            i = std::min(n, j + 1);
        } else if (c == u'"') {
            ++i;
            out.text += u'"';
            copyUntil(u"\"");
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            copyUntil(u"\n");
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            out.text += u"/*";
            i += 2;
            copyUntil(u"*/");
        } else if (c == u':' && i + 1 < n && sql[i + 1] == u':') {
            out.text += u"::";
            i += 2;
        } else if (c == u':' && i + 1 < n && isNameStart(sql[i + 1])) {
            qsizetype j = i + 1;
            while (j < n && isNamePart(sql[j])) ++j;
            out.parameters << sql.mid(i + 1, j - i - 1).toUpper();
            out.text += u'?';
            i = j;
        } else {
            out.text += c;
            ++i;
        }
    }
    return out;
}

LookupQuery::LookupQuery(QString name) : m_name(name), m_result(std::move(name)) {}

void LookupQuery::setSql(const QString& defaultText) { m_default = defaultText; }

void LookupQuery::setSql(SqlDialect dialect, const QString& text) {
    if (dialect == SqlDialect::Default) m_default = text;
    else m_texts.insert(dialect, text);
}

QString LookupQuery::sql(SqlDialect dialect) const { return m_texts.value(dialect, m_default); }

void LookupQuery::setParam(const QString& name, const QVariant& value) {
    QString key = name.toUpper();
    if (key.startsWith(u':')) key.remove(0, 1);
    m_params.insert(key, value);
}

QVariant LookupQuery::param(const QString& name) const { return m_params.value(name.toUpper()); }

void LookupQuery::open() {
    HostDatabase& host = hostDatabase();
    open(host.database(), host.dialect());
}

void LookupQuery::open(QSqlDatabase db, SqlDialect dialect) {
    const QString text = sql(dialect);
    if (text.trimmed().isEmpty()) throw DataError(QStringLiteral("A consulta %1 não tem texto SQL.").arg(m_name));
    const PreparedSql prepared = prepareNamedParameters(text);
    for (const QString& p : prepared.parameters)
        if (!m_params.contains(p))
            throw DataError(QStringLiteral("O parâmetro %1 da consulta %2 não foi informado.").arg(p, m_name));

    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    auto fail = [&](const QSqlError& e) {
        throw UserError(QStringLiteral("Erro ao consultar %1: %2").arg(m_name, e.text()));
    };
    if (!q.prepare(prepared.text)) fail(q.lastError());
    for (const QString& p : prepared.parameters) q.addBindValue(bindable(m_params.value(p), dialect));
    if (!q.exec()) fail(q.lastError());

    // Columns: the declared field where there is one, else the driver's type.
    const QSqlRecord record = q.record();
    Packet packet;
    std::vector<bool> declaredString;
    for (int c = 0; c < record.count(); ++c) {
        const QString columnName = record.fieldName(c).toUpper();
        if (const Field* declared = m_result.findField(columnName); declared && declared->definedInCode()) {
            FieldDef def = declared->def();
            def.calculated = false;
            packet.fields.push_back(def);
            declaredString.push_back(def.type == FieldType::String);
        } else {
            FieldDef def;
            def.name = columnName;
            def.type = typeOfColumn(record.field(c).metaType());
            packet.fields.push_back(def);
            declaredString.push_back(false);
        }
    }
    while (q.next()) {
        PacketRow row;
        row.values.reserve(packet.fields.size());
        for (int c = 0; c < int(packet.fields.size()); ++c) {
            const QVariant v = q.value(c);
            FieldDef& def = packet.fields[size_t(c)];
            if (v.isNull()) {
                row.values.emplace_back();
                continue;
            }
            switch (def.type) {
            case FieldType::String: {
                QString s = v.metaType().id() == QMetaType::QDateTime
                                ? v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                : v.toString();
                if (!declaredString[size_t(c)]) def.size = std::max<int>(def.size, int(s.size()));
                row.values.emplace_back(std::move(s));
                break;
            }
            case FieldType::Float: row.values.emplace_back(v.toDouble()); break;
            case FieldType::Integer: row.values.emplace_back(qint64(v.toLongLong())); break;
            case FieldType::Boolean: row.values.emplace_back(v.toBool()); break;
            case FieldType::DateTime: {
                const auto dt = toDateTime(v);
                if (!dt)
                    throw UserError(QStringLiteral("Erro ao consultar %1: %2 não é uma data válida em %3.")
                                        .arg(m_name, v.toString(), def.name));
                row.values.emplace_back(*dt);
                break;
            }
            }
        }
        packet.rows.push_back(std::move(row));
    }
    if (q.lastError().isValid()) fail(q.lastError());
    for (auto& def : packet.fields)
        if (def.type == FieldType::String && def.size <= 0) def.size = 1;
    m_result.setData(packet);
}

}  // namespace host
