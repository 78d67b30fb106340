#include <limits>
#include "sql_values.h"

#include "db_error.h"

#include <QtCore/QLocale>

#include <cmath>

namespace afdb {

namespace {

QString canonical(const QDate& d, const QTime& t) {
    const QTime time = t.isValid() ? QTime(t.hour(), t.minute(), t.second()) : QTime(0, 0);
    return d.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') + time.toString(QStringLiteral("HH:mm:ss"));
}

QDateTime parseDateText(const QString& raw) {
    const QString text = raw.trimmed();
    const QString dateText = text.left(10);
    const QDate date = QDate::fromString(dateText, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid()) return {};
    if (text.size() == 10) return QDateTime(date, QTime(0, 0), Qt::UTC);
    if (text[10] != QLatin1Char(' ') && text[10] != QLatin1Char('T')) return {};
    QString timeText = text.mid(11);
    const int frac = timeText.indexOf(QLatin1Char('.'));
    if (frac >= 0) timeText.truncate(frac);
    const QTime time = QTime::fromString(timeText, timeText.size() == 5 ? QStringLiteral("HH:mm") : QStringLiteral("HH:mm:ss"));
    if (!time.isValid()) return {};
    return QDateTime(date, time, Qt::UTC);
}

DbError badValue(const QVariant& v, const char* what) {
    return DbError(QStringLiteral("Valor lido do banco não é %1: \"%2\".").arg(QLatin1String(what), v.toString()));
}

double readDouble(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return v.toDouble();
    default: {
        bool ok = false;
        const double d = QLocale::c().toDouble(v.toString().trimmed(), &ok);
        if (!ok) throw badValue(v, "um número");
        return d;
    }
    }
}

qint64 readInteger(const QVariant& v) {
    // Whole numbers are read as such: through a double, values past 2^53 would change.
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short: return v.toLongLong();
    case QMetaType::ULongLong:
        if (v.toULongLong() <= quint64(std::numeric_limits<qint64>::max())) return qint64(v.toULongLong());
        break;
    case QMetaType::QString: {
        bool ok = false;
        const qint64 i = v.toString().trimmed().toLongLong(&ok);
        if (ok) return i;
        break;
    }
    default: break;
    }
    const double d = readDouble(v);
    if (d != std::floor(d)) throw badValue(v, "um número inteiro");
    return qint64(d);
}

bool readBoolean(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    const QString s = v.toString().trimmed().toUpper();
    if (s == QLatin1String("S") || s == QLatin1String("T") || s == QLatin1String("TRUE") || s == QLatin1String("1"))
        return true;
    if (s == QLatin1String("N") || s == QLatin1String("F") || s == QLatin1String("FALSE") || s == QLatin1String("0"))
        return false;
    throw badValue(v, "um valor lógico");
}

}  // namespace

QString dateTimeText(const QDateTime& dt) { return canonical(dt.date(), dt.time()); }
QString dateTimeText(const host::DateTime& dt) { return canonical(dt.date(), dt.time()); }

QDateTime readDateTime(const QVariant& v) {
    if (v.isNull()) return {};
    switch (v.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        return QDateTime(dt.date(), dt.time(), Qt::UTC);
    }
    case QMetaType::QDate: return QDateTime(v.toDate(), QTime(0, 0), Qt::UTC);
    default: {
        const QDateTime dt = parseDateText(v.toString());
        if (!dt.isValid()) throw badValue(v, "uma data");
        return dt;
    }
    }
}

QVariant toSqlParam(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::QString:
        if (v.toString().isEmpty()) return QVariant(QMetaType(QMetaType::QString));
        return v;
    case QMetaType::QDateTime:
        if (v.isNull() || !v.toDateTime().isValid()) return QVariant(QMetaType(QMetaType::QString));
        return dateTimeText(v.toDateTime());
    case QMetaType::QDate:
        if (v.isNull() || !v.toDate().isValid()) return QVariant(QMetaType(QMetaType::QString));
        return canonical(v.toDate(), QTime(0, 0));
    default:
        return v;
    }
}

QVariant toSqlParam(const host::Value& v) {
    switch (v.index()) {
    case 0: return QVariant(QMetaType(QMetaType::QString));
    case 1: return toSqlParam(QVariant(std::get<QString>(v)));
    case 2: return std::get<double>(v);
    case 3: return std::get<qint64>(v);
    case 4: return std::get<bool>(v);
    case 5: return dateTimeText(std::get<host::DateTime>(v));
    }
    return {};
}

host::Value fromSql(const QVariant& v, host::FieldType type) {
    if (v.isNull()) return std::monostate{};
    switch (type) {
    case host::FieldType::String: {
        QString s = v.typeId() == QMetaType::QDateTime ? dateTimeText(v.toDateTime()) : v.toString();
        if (s.isEmpty()) return std::monostate{};
        return s;
    }
    case host::FieldType::Float: return readDouble(v);
    case host::FieldType::Integer: return readInteger(v);
    case host::FieldType::Boolean: return readBoolean(v);
    case host::FieldType::DateTime: return host::DateTime::fromQDateTime(readDateTime(v));
    }
    return std::monostate{};
}

}  // namespace afdb
