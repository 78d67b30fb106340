#include "value.h"

#include <QtCore/QTimeZone>

namespace host {

DateTime DateTime::fromQDateTime(const QDateTime& dt) {
    return fromDate(dt.date(), dt.time());
}

DateTime DateTime::fromDate(const QDate& d, const QTime& t) {
    return {QDateTime(d, t, Qt::UTC).toMSecsSinceEpoch()};
}

QDateTime DateTime::toQDateTime() const {
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
}

QDate DateTime::date() const { return toQDateTime().date(); }
QTime DateTime::time() const { return toQDateTime().time(); }

namespace {
template <typename T>
int threeWay(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}
}  // namespace

int compareValues(const Value& a, const Value& b) {
    if (a.index() != b.index()) {
        // Numbers of both kinds compare by value; otherwise order by kind.
        const bool aNum = std::holds_alternative<double>(a) || std::holds_alternative<qint64>(a);
        const bool bNum = std::holds_alternative<double>(b) || std::holds_alternative<qint64>(b);
        if (aNum && bNum) {
            const double x = std::holds_alternative<double>(a) ? std::get<double>(a) : double(std::get<qint64>(a));
            const double y = std::holds_alternative<double>(b) ? std::get<double>(b) : double(std::get<qint64>(b));
            return threeWay(x, y);
        }
        return threeWay(a.index(), b.index());
    }
    switch (a.index()) {
    case 0: return 0;
    case 1: {
        const auto& x = std::get<QString>(a);
        const auto& y = std::get<QString>(b);
        const int ci = QString::compare(x, y, Qt::CaseInsensitive);
        if (ci != 0) return ci < 0 ? -1 : 1;
        const int cs = QString::compare(x, y, Qt::CaseSensitive);
        return cs < 0 ? -1 : (cs > 0 ? 1 : 0);
    }
    case 2: return threeWay(std::get<double>(a), std::get<double>(b));
    case 3: return threeWay(std::get<qint64>(a), std::get<qint64>(b));
    case 4: return threeWay(int(std::get<bool>(a)), int(std::get<bool>(b)));
    case 5: return threeWay(std::get<DateTime>(a).msecs, std::get<DateTime>(b).msecs);
    }
    return 0;
}

}  // namespace host
