#include "field.h"

#include "dataset.h"
#include "text_format.h"

#include <cmath>
#include <limits>

namespace host {

namespace {

const DateTime kZeroDate = DateTime::fromDate(QDate(1899, 12, 30));

QString quoted(const QString& s) { return QStringLiteral("\"%1\"").arg(s); }

qint64 roundToInteger(double v, bool* ok) {
    const double r = std::round(v);  // half away from zero
    *ok = std::isfinite(r) && r >= double(std::numeric_limits<qint64>::min()) &&
          r < double(std::numeric_limits<qint64>::max());
    return *ok ? qint64(r) : 0;
}

std::optional<bool> parseBoolean(const QString& text, const QString& displayFormat) {
    const QString t = text.trimmed();
    const QStringList values = displayFormat.split(u';');
    if (values.size() == 2) {
        if (t.compare(values[0], Qt::CaseInsensitive) == 0) return true;
        if (t.compare(values[1], Qt::CaseInsensitive) == 0) return false;
    }
    static const QStringList yes{"true", "s", "sim", "t", "1", "verdadeiro"};
    static const QStringList no{"false", "n", "não", "nao", "f", "0", "falso"};
    if (yes.contains(t, Qt::CaseInsensitive)) return true;
    if (no.contains(t, Qt::CaseInsensitive)) return false;
    return std::nullopt;
}

}  // namespace

Field::Field(Dataset& owner, FieldDef def, int index, bool definedInCode)
    : m_owner(owner), m_def(std::move(def)), m_index(index), m_definedInCode(definedInCode) {}

void Field::setVisible(bool v) {
    m_def.visible = v;
    m_owner.notify(DataEvent::DataSetChanged);
}

void Field::setDisplayFormat(const QString& v) {
    m_def.displayFormat = v;
    m_owner.notify(DataEvent::DataSetChanged);
}

void Field::refuse(const QString& message) const { throw FieldError(m_def.name, message); }

const Value& Field::value() const { return m_owner.activeValues()[size_t(m_index)]; }

bool Field::isNull() const { return host::isNull(value()); }

QVariant Field::asVariant() const {
    const Value& v = value();
    switch (v.index()) {
    case 1: return std::get<QString>(v);
    case 2: return std::get<double>(v);
    case 3: return std::get<qint64>(v);
    case 4: return std::get<bool>(v);
    case 5: return std::get<DateTime>(v).toQDateTime();
    }
    return {};
}

QString Field::asString() const {
    // The value's plain text, free of display and edit formats.
    const Value& v = value();
    switch (v.index()) {
    case 1: return std::get<QString>(v);
    case 2: return defaultFloatText(std::get<double>(v), dataLocale());
    case 3: return QString::number(std::get<qint64>(v));
    case 4: return std::get<bool>(v) ? QStringLiteral("True") : QStringLiteral("False");
    case 5: return defaultDateTimeText(std::get<DateTime>(v), dataLocale());
    }
    return {};
}

double Field::asFloat() const {
    const Value& v = value();
    switch (v.index()) {
    case 0: return 0.0;
    case 2: return std::get<double>(v);
    case 3: return double(std::get<qint64>(v));
    case 4: return std::get<bool>(v) ? 1.0 : 0.0;
    case 1:
        if (auto d = parseFloat(std::get<QString>(v), dataLocale())) return *d;
        refuse(QStringLiteral("%1 não é um número válido para %2.")
                   .arg(quoted(std::get<QString>(v)), quoted(displayLabel())));
    }
    refuse(QStringLiteral("O valor de %1 não é um número.").arg(quoted(displayLabel())));
}

qint64 Field::asInteger() const {
    const Value& v = value();
    switch (v.index()) {
    case 0: return 0;
    case 3: return std::get<qint64>(v);
    case 4: return std::get<bool>(v) ? 1 : 0;
    case 2: {
        bool ok = false;
        const qint64 i = roundToInteger(std::get<double>(v), &ok);
        if (ok) return i;
        break;
    }
    case 1:
        if (auto i = parseInteger(std::get<QString>(v), dataLocale())) return *i;
        break;
    }
    refuse(QStringLiteral("O valor de %1 não é um número inteiro válido.").arg(quoted(displayLabel())));
}

bool Field::asBoolean() const {
    const Value& v = value();
    switch (v.index()) {
    case 0: return false;
    case 4: return std::get<bool>(v);
    case 3: return std::get<qint64>(v) != 0;
    case 2: return std::get<double>(v) != 0.0;
    case 1:
        if (auto b = parseBoolean(std::get<QString>(v), m_def.displayFormat)) return *b;
        break;
    }
    refuse(QStringLiteral("O valor de %1 não é um valor lógico válido.").arg(quoted(displayLabel())));
}

DateTime Field::asDateTime() const {
    const Value& v = value();
    switch (v.index()) {
    case 0: return kZeroDate;
    case 5: return std::get<DateTime>(v);
    case 1:
        if (auto d = parseDateTime(std::get<QString>(v), dataLocale())) return *d;
        break;
    }
    refuse(QStringLiteral("O valor de %1 não é uma data válida.").arg(quoted(displayLabel())));
}

Value Field::oldValue() const {
    if (const auto* orig = m_owner.originalOfActive()) return (*orig)[size_t(m_index)];
    return Value{};
}

Value Field::convert(const Value& v) const {
    if (host::isNull(v)) return v;
    const QString label = quoted(displayLabel());
    switch (m_def.type) {
    case FieldType::String: {
        QString s;
        if (const auto* str = std::get_if<QString>(&v)) s = *str;
        else if (const auto* d = std::get_if<double>(&v)) s = defaultFloatText(*d, dataLocale());
        else if (const auto* i = std::get_if<qint64>(&v)) s = QString::number(*i);
        else if (const auto* b = std::get_if<bool>(&v)) s = *b ? QStringLiteral("True") : QStringLiteral("False");
        else s = defaultDateTimeText(std::get<DateTime>(v), dataLocale());
        if (s.isEmpty()) return Value{};
        if (m_def.size > 0 && s.size() > m_def.size)
            refuse(QStringLiteral("O valor informado para %1 tem %2 caracteres; o máximo é %3.")
                       .arg(label).arg(s.size()).arg(m_def.size));
        if (m_def.fixedLength && s.size() < m_def.size) s = s.leftJustified(m_def.size, u' ');
        return s;
    }
    case FieldType::Float:
        switch (v.index()) {
        case 2: return v;
        case 3: return double(std::get<qint64>(v));
        case 1: {
            const QString& s = std::get<QString>(v);
            if (s.trimmed().isEmpty()) return Value{};
            if (auto d = parseFloat(s, dataLocale())) return *d;
            refuse(QStringLiteral("%1 não é um número válido para %2.").arg(quoted(s), label));
        }
        }
        break;
    case FieldType::Integer:
        switch (v.index()) {
        case 3: return v;
        case 2: {
            bool ok = false;
            const qint64 i = roundToInteger(std::get<double>(v), &ok);
            if (ok) return i;
            refuse(QStringLiteral("O valor está fora do intervalo permitido para %1.").arg(label));
        }
        case 4: return qint64(std::get<bool>(v) ? 1 : 0);
        case 1: {
            const QString& s = std::get<QString>(v);
            if (s.trimmed().isEmpty()) return Value{};
            if (auto i = parseInteger(s, dataLocale())) return *i;
            refuse(QStringLiteral("%1 não é um número inteiro válido para %2.").arg(quoted(s), label));
        }
        }
        break;
    case FieldType::Boolean:
        switch (v.index()) {
        case 4: return v;
        case 3: return std::get<qint64>(v) != 0;
        case 1: {
            const QString& s = std::get<QString>(v);
            if (s.trimmed().isEmpty()) return Value{};
            if (auto b = parseBoolean(s, m_def.displayFormat)) return *b;
            refuse(QStringLiteral("%1 não é um valor válido para %2.").arg(quoted(s), label));
        }
        }
        break;
    case FieldType::DateTime:
        switch (v.index()) {
        case 5: return v;
        case 1: {
            const QString& s = std::get<QString>(v);
            if (isBlankMaskedText(s)) return Value{};
            if (auto d = parseDateTime(s, dataLocale())) return *d;
            refuse(QStringLiteral("%1 não é uma data válida para %2.").arg(quoted(s), label));
        }
        }
        break;
    }
    refuse(QStringLiteral("Tipo de valor incompatível com %1.").arg(label));
}

void Field::setValue(const Value& v) {
    std::vector<Value>* record = m_owner.writableValues(*this);
    Value converted = convert(v);
    Value& slot = (*record)[size_t(m_index)];
    if (m_owner.m_calculating) {  // calculated values: no handlers, no notifications
        slot = std::move(converted);
        return;
    }
    Value previous = std::move(slot);
    slot = std::move(converted);
    if (onValidate) {
        try {
            onValidate(*this);
        } catch (...) {
            (*m_owner.writableValues(*this))[size_t(m_index)] = std::move(previous);
            throw;
        }
    }
    m_owner.fieldValueChanged(*this);
}

void Field::setVariant(const QVariant& v) {
    if (v.isNull() || !v.isValid()) return clear();
    switch (v.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float: return setAsFloat(v.toDouble());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Short: return setAsInteger(v.toLongLong());
    case QMetaType::Bool: return setAsBoolean(v.toBool());
    case QMetaType::QDateTime: return setAsDateTime(DateTime::fromQDateTime(v.toDateTime()));
    case QMetaType::QDate: return setAsDateTime(DateTime::fromDate(v.toDate()));
    default: return setAsString(v.toString());
    }
}

QString Field::defaultText(const Value& v, bool forDisplay) const {
    switch (v.index()) {
    case 0: return {};
    case 1: return std::get<QString>(v);
    case 2: {
        const QString& fmt = (forDisplay || m_def.editFormat.isEmpty()) ? m_def.displayFormat : m_def.editFormat;
        return fmt.isEmpty() ? defaultFloatText(std::get<double>(v), dataLocale())
                             : formatFloat(std::get<double>(v), fmt, dataLocale());
    }
    case 3: {
        const QString& fmt = (forDisplay || m_def.editFormat.isEmpty()) ? m_def.displayFormat : m_def.editFormat;
        return fmt.isEmpty() ? QString::number(std::get<qint64>(v))
                             : formatFloat(double(std::get<qint64>(v)), fmt, dataLocale());
    }
    case 4: {
        const QStringList values = m_def.displayFormat.split(u';');
        if (values.size() == 2) return std::get<bool>(v) ? values[0] : values[1];
        return std::get<bool>(v) ? QStringLiteral("Sim") : QStringLiteral("Não");
    }
    case 5:
        if (forDisplay && !m_def.displayFormat.isEmpty())
            return formatDateTime(std::get<DateTime>(v), m_def.displayFormat, dataLocale());
        return defaultDateTimeText(std::get<DateTime>(v), dataLocale());
    }
    return {};
}

QString Field::formatValue(const Value& v, bool forDisplay) const { return defaultText(v, forDisplay); }

QString Field::displayText() const {
    if (onGetText) return onGetText(*this, true);
    return defaultText(value(), true);
}

QString Field::text() const {
    if (onGetText) return onGetText(*this, false);
    return defaultText(value(), false);
}

void Field::setText(const QString& text) {
    if (onSetText) return onSetText(*this, text);
    if (m_def.readOnly) refuse(QStringLiteral("O campo %1 não pode ser alterado.").arg(quoted(displayLabel())));
    if (m_def.type != FieldType::String && isBlankMaskedText(text)) return clear();
    setValue(Value(text));
}

}  // namespace host
