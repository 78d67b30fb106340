#pragma once
// What the shell reads about branches and operators over its lookup
// connection: the branches offered at login, the operator's own branch, and a
// branch's processing date, which is the session's business date and never
// the clock's.
#include <QtCore/QDate>
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtSql/QSqlDatabase>
#include <optional>

namespace shell {

struct BranchRecord {
    QString code;
    QString name;
    QString central;                     // FILIAL.CDFILCENTCMP: its purchasing central, empty for a central
    std::optional<QDate> processingDate;  // FILIAL.DTPROCFILI
};

// Branch mode (`ModuFili`): a branch served by a purchasing central works on
// its own AFs only; a central (no central of its own, or itself) works for
// every branch it serves.
bool worksInBranchMode(const BranchRecord& branch);

class BranchDirectory {
public:
    explicit BranchDirectory(QSqlDatabase db) : m_db(std::move(db)) {}

    // Every branch, by code.
    QList<BranchRecord> branches() const;
    std::optional<BranchRecord> branch(const QString& code) const;
    std::optional<QDate> processingDate(const QString& code) const;
    // OPERADOR.CDFILIAL; empty when the operator has none.
    QString operatorBranch(const QString& operatorCode) const;

private:
    QSqlDatabase m_db;
};

}  // namespace shell
