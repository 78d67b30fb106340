// Date helpers and the dataset helpers that run before posts and on typed text.
#include "host/services/consiste.h"

#include "host/data/dataset.h"
#include "host/data/errors.h"
#include "host/data/field.h"
#include "host/data/text_format.h"

namespace host {

QDate PriDiaMes(const QDate& date) { return date.isValid() ? QDate(date.year(), date.month(), 1) : QDate(); }

DateTime PriDiaMes(const DateTime& date) { return DateTime::fromDate(PriDiaMes(date.date())); }

QString NomeSemana(const QDate& date) {
    static const QString names[] = {
        QStringLiteral("Segunda-feira"), QStringLiteral("Terça-feira"), QStringLiteral("Quarta-feira"),
        QStringLiteral("Quinta-feira"),  QStringLiteral("Sexta-feira"), QStringLiteral("Sábado"),
        QStringLiteral("Domingo"),
    };
    return date.isValid() ? names[date.dayOfWeek() - 1] : QString();  // dayOfWeek: 1 = Monday
}

QString NomeSemana(const DateTime& date) { return NomeSemana(date.date()); }

void DateSetText(Field& field, const QString& text) {
    if (field.type() != FieldType::DateTime)
        throw DataError(QStringLiteral("DateSetText: o campo \"%1\" não é de data.").arg(field.name()));
    if (field.readOnly())
        throw FieldError(field.name(),
                         QStringLiteral("O campo \"%1\" não pode ser alterado.").arg(field.displayLabel()));
    if (isBlankMaskedText(text)) return field.clear();
    const std::optional<DateTime> date = parseDateTime(text.trimmed());
    if (!date)
        throw FieldError(field.name(), QStringLiteral("\"%1\" não é uma data válida para \"%2\".")
                                           .arg(text.trimmed(), field.displayLabel()));
    field.setAsDateTime(*date);
}

void Seta_Campo_Null(Dataset& dataset) {
    if (!dataset.editing()) return;
    for (Field* field : dataset.fields()) {
        if (field->type() != FieldType::String || field->isCalculated() || field->isNull()) continue;
        if (field->asString().trimmed().isEmpty()) field->clear();
    }
}

}  // namespace host
