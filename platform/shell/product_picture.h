#pragma once
// The edit mask of the product tree code (`DBPict(0)`). The tree's codes
// nest: each level's code is a prefix of its children's (01, 0102, 0102003),
// so the distinct code lengths in PRODUTO give the levels, and the mask shows
// one group of digits per level, stored without the separators:
// lengths 2, 4, 7 -> "!99.99.999;0;_".
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtSql/QSqlDatabase>

namespace shell {

// The picture used while the catalogue is still empty: the three levels of
// the company's tree (group, sub-group, product).
inline const QString kDefaultProductPicture = QStringLiteral("!99.99.999;0;_");

// From the code lengths of the levels (any order, repeats ignored, non-positive
// lengths dropped); the default when there are none.
QString productTreePicture(QList<int> levelLengths);
// From the products in the database.
QString productTreePicture(const QSqlDatabase& db);

}  // namespace shell
