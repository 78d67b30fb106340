#include "sql_conditions.h"

namespace platform::server::modules {

QString SqlConditions::bind(const QVariant& value) {
    const QString name = QStringLiteral("P%1").arg(m_params.size());
    m_params.push_back({name, value});
    return QLatin1Char(':') + name;
}

QString SqlConditions::inList(const QStringList& codes) {
    QStringList holders;
    for (const QString& c : codes) holders << bind(c);
    return QLatin1Char('(') + holders.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString SqlConditions::andClause() const {
    QString out;
    for (const QString& c : m_conditions) out += QStringLiteral(" AND ") + c;
    return out;
}

QString SqlConditions::takeAndClause() {
    const QString clause = andClause();
    m_conditions.clear();
    return clause;
}

QStringList listCodes(const QString& listText) {
    QStringList codes;
    for (const QString& part : listText.split(QLatin1Char('_'))) {
        const QString code = part.trimmed();
        if (!code.isEmpty() && !codes.contains(code)) codes << code;
    }
    return codes;
}

}  // namespace platform::server::modules
