#include "resolve_conflict.h"

#include "host/data/text_format.h"

#include <QtCore/QStringList>

namespace afresolver {

namespace {

QString differencesText(const std::vector<ColumnDifference>& differences) {
    QStringList parts;
    for (const ColumnDifference& d : differences)
        parts << QStringLiteral("%1 era %2, agora é %3")
                     .arg(d.column, conflictValueText(d.read, true), conflictValueText(d.current, true));
    return parts.join(QStringLiteral("; "));
}

QString messageOf(ConflictKind kind, const QString& table, const QString& keyText,
                  const std::vector<ColumnDifference>& differences) {
    const QString row = QStringLiteral("A linha de %1 (%2)").arg(table, keyText);
    switch (kind) {
    case ConflictKind::Vanished:
        return row + QStringLiteral(" foi excluída por outro usuário desde a leitura.");
    case ConflictKind::AlreadyExists:
        return row + QStringLiteral(" já existe: foi incluída por outro usuário desde a leitura.");
    case ConflictKind::Changed:
        if (differences.empty()) return row + QStringLiteral(" foi alterada por outro usuário desde a leitura.");
        return row + QStringLiteral(" foi alterada por outro usuário desde a leitura: %1.").arg(differencesText(differences));
    }
    return row;
}

}  // namespace

QString conflictValueText(const host::Value& v, bool quoted) {
    switch (v.index()) {
    case 0: return QStringLiteral("vazio");
    case 1: return quoted ? QLatin1Char('"') + std::get<QString>(v) + QLatin1Char('"') : std::get<QString>(v);
    case 2: return host::defaultFloatText(std::get<double>(v));
    case 3: return QString::number(std::get<qint64>(v));
    case 4: return std::get<bool>(v) ? QStringLiteral("Sim") : QStringLiteral("Não");
    case 5: return host::defaultDateTimeText(std::get<host::DateTime>(v));
    }
    return {};
}

ResolveConflict::ResolveConflict(ConflictKind kind, QString table, QString keyText, int row,
                                 std::vector<ColumnDifference> differences)
    : host::UserError(messageOf(kind, table, keyText, differences)),
      m_kind(kind),
      m_table(std::move(table)),
      m_keyText(std::move(keyText)),
      m_row(row),
      m_differences(std::move(differences)) {}

}  // namespace afresolver
