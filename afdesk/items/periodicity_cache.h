#pragma once
// The supplier's periodicity as the workspace remembers it: per delivery date
// typed on an item, the date the server says the supplier delivers
// (Carrega_PeriForn). A date is asked once while the cache lives; the cache is
// emptied when the screen is created and each time "Incluir" starts a new AF.
#include <QtCore/QDate>
#include <QtCore/QHash>
#include <functional>

namespace afdesk {

class PeriodicityCache {
public:
    using Ask = std::function<QDate(const QDate& date)>;

    // The served date for `date`, asking `ask` only for a date not yet known.
    QDate servedDate(const QDate& date, const Ask& ask);
    void clear() { m_served.clear(); }
    int size() const { return int(m_served.size()); }

private:
    QHash<QDate, QDate> m_served;
};

}  // namespace afdesk
