#pragma once
// Small fixture data for tests. No demo data: just enough consistent rows to
// exercise the schema and the statements that read it.
#include "platform/db/sql_exec.h"

#include <QtCore/QString>
#include <QtSql/QSqlDatabase>

namespace afdb::testing {

// INSERT INTO table (columns...) VALUES (:bound...). Table and column names must
// be plain identifiers (letters, digits, '_'); values are always bound.
void insertRow(const QSqlDatabase& db, const QString& table, const Params& values);

// The keys of the rows seedMinimalWorld() inserts.
struct MinimalWorld {
    QString company = QStringLiteral("01");
    QString central = QStringLiteral("0001");   // purchasing central (its own central)
    QString branch = QStringLiteral("0002");    // a branch served by the central
    QString buyer = QStringLiteral("COMPRADOR1");
    QString operatorCode = QStringLiteral("OPERADOR1");  // acts for the buyer
    QString supplier = QStringLiteral("000000000000000000123");
    QString supplierDocument = QStringLiteral("12345678000199");
    QString product = QStringLiteral("0000000001");
    QString productTree = QStringLiteral("0102003");
    QString productLevel = QStringLiteral("0000000002");  // tree level "01", a prefix of productTree
    QString brand = QStringLiteral("00001");
    QString afNumber = QStringLiteral("0000000001");
};

// Company, two branches with parameters, buyer and operator with a group and
// permissions, supplier with address and terms, a product tree level and a
// product, a brand, a tax with its incidence, and one AF (branch <- central)
// with one item, one tax row, one payment term, one message and one charge.
MinimalWorld seedMinimalWorld(const QSqlDatabase& db);

}  // namespace afdb::testing
