#pragma once
// The one locale setting behind every text conversion of datasets: decimal and
// thousands separators, the date and time patterns. Brazilian by default.
#include <QtCore/QChar>
#include <QtCore/QString>

namespace host {

struct DataLocale {
    QChar decimalSeparator = u',';
    QChar thousandsSeparator = u'.';
    QString datePattern = QStringLiteral("dd/mm/yyyy");  // day/month/year tokens as in display formats
    QString timePattern = QStringLiteral("hh:nn:ss");     // n = minutes

    static DataLocale brazilian();
    static DataLocale english();  // "." decimals, "," thousands, mm/dd/yyyy
};

const DataLocale& dataLocale();
void setDataLocale(const DataLocale& locale);

}  // namespace host
