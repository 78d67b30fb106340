#include "data_locale.h"

namespace host {

DataLocale DataLocale::brazilian() { return DataLocale{}; }

DataLocale DataLocale::english() {
    DataLocale l;
    l.decimalSeparator = u'.';
    l.thousandsSeparator = u',';
    l.datePattern = QStringLiteral("mm/dd/yyyy");
    return l;
}

namespace {
DataLocale& current() {
    static DataLocale locale;
    return locale;
}
}  // namespace

const DataLocale& dataLocale() { return current(); }
void setDataLocale(const DataLocale& locale) { current() = locale; }

}  // namespace host
