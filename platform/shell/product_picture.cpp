#include "platform/shell/product_picture.h"

#include "platform/db/sql_exec.h"

#include <algorithm>

namespace shell {

QString productTreePicture(QList<int> levelLengths) {
    levelLengths.removeIf([](int n) { return n <= 0; });
    std::sort(levelLengths.begin(), levelLengths.end());
    levelLengths.erase(std::unique(levelLengths.begin(), levelLengths.end()), levelLengths.end());
    if (levelLengths.isEmpty()) return kDefaultProductPicture;

    QStringList groups;
    int previous = 0;
    for (int length : levelLengths) {
        groups << QString(length - previous, QLatin1Char('9'));
        previous = length;
    }
    return QStringLiteral("!%1;0;_").arg(groups.join(QLatin1Char('.')));
}

QString productTreePicture(const QSqlDatabase& db) {
    QSqlQuery q = afdb::exec(db, QStringLiteral("SELECT DISTINCT LENGTH(CDARVPROD) FROM PRODUTO"));
    QList<int> lengths;
    while (q.next()) lengths << q.value(0).toInt();
    return productTreePicture(lengths);
}

}  // namespace shell
