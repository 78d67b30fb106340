#include "platform/shell/branch_directory.h"

#include "platform/db/sql_exec.h"
#include "platform/db/sql_values.h"

namespace shell {
namespace {

const QString kSelectBranch =
    QStringLiteral("SELECT CDFILIAL, NMFILIAL, CDFILCENTCMP, DTPROCFILI FROM FILIAL");

BranchRecord readBranch(const QSqlQuery& q) {
    BranchRecord b;
    b.code = q.value(0).toString().trimmed();
    b.name = q.value(1).toString().trimmed();
    b.central = q.value(2).toString().trimmed();
    const QDateTime date = afdb::readDateTime(q.value(3));
    if (date.isValid()) b.processingDate = date.date();
    return b;
}

}  // namespace

bool worksInBranchMode(const BranchRecord& branch) {
    return !branch.central.isEmpty() && branch.central != branch.code;
}

QList<BranchRecord> BranchDirectory::branches() const {
    QSqlQuery q = afdb::exec(m_db, kSelectBranch + QStringLiteral(" ORDER BY CDFILIAL"));
    QList<BranchRecord> list;
    while (q.next()) list << readBranch(q);
    return list;
}

std::optional<BranchRecord> BranchDirectory::branch(const QString& code) const {
    QSqlQuery q = afdb::exec(m_db, kSelectBranch + QStringLiteral(" WHERE CDFILIAL = :CDFILIAL"),
                             {{QStringLiteral("CDFILIAL"), code}});
    if (!q.next()) return std::nullopt;
    return readBranch(q);
}

std::optional<QDate> BranchDirectory::processingDate(const QString& code) const {
    const std::optional<BranchRecord> b = branch(code);
    return b ? b->processingDate : std::nullopt;
}

QString BranchDirectory::operatorBranch(const QString& operatorCode) const {
    return afdb::scalar(m_db, QStringLiteral("SELECT CDFILIAL FROM OPERADOR WHERE CDOPERADOR = :CDOPERADOR"),
                        {{QStringLiteral("CDOPERADOR"), operatorCode}})
        .toString()
        .trimmed();
}

}  // namespace shell
