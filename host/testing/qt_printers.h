#pragma once
// Lets GoogleTest print Qt values readably in failure messages.
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']';
}
inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << "bytes(" << b.size() << "): " << b.left(64).toHex(' ').toStdString();
}
QT_END_NAMESPACE
