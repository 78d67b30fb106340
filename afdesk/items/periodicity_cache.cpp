#include "periodicity_cache.h"

namespace afdesk {

QDate PeriodicityCache::servedDate(const QDate& date, const Ask& ask) {
    if (const auto it = m_served.constFind(date); it != m_served.constEnd()) return it.value();
    // A failed call throws and leaves nothing remembered, so the date is asked again next time.
    const QDate served = ask(date);
    m_served.insert(date, served);
    return served;
}

}  // namespace afdesk
