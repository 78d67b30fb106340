#include "table_mapping.h"

#include "host/data/errors.h"

namespace afresolver {

namespace {

QString checkedName(const QString& name, const char* what) {
    if (!isPlainIdentifier(name))
        throw host::DataError(QStringLiteral("Nome de %1 inválido no mapeamento: \"%2\".").arg(QLatin1String(what), name));
    return name.toUpper();
}

}  // namespace

bool isPlainIdentifier(const QString& name) {
    if (name.isEmpty() || name.size() > 63 || name[0].isDigit()) return false;
    for (QChar c : name) {
        const bool ok = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_';
        if (!ok) return false;
    }
    return true;
}

TableMapping::TableMapping(const QString& table, const QStringList& keyColumns)
    : m_table(checkedName(table, "tabela")) {
    if (keyColumns.isEmpty())
        throw host::DataError(QStringLiteral("O mapeamento da tabela %1 não tem colunas-chave.").arg(m_table));
    for (const QString& key : keyColumns) {
        const QString column = checkedName(key, "coluna");
        if (m_keys.contains(column))
            throw host::DataError(QStringLiteral("Coluna-chave %1 repetida no mapeamento de %2.").arg(column, m_table));
        m_keys.append(column);
    }
}

TableMapping& TableMapping::mapField(const QString& field, const QString& column) {
    m_columnOf.insert(field.toUpper(), checkedName(column, "coluna"));
    return *this;
}

TableMapping& TableMapping::neverWrite(const QString& field) {
    m_neverWritten.insert(field.toUpper());
    return *this;
}

TableMapping& TableMapping::generatedOnInsert(const QString& column) {
    m_generated.insert(checkedName(column, "coluna"));
    return *this;
}

QString TableMapping::columnFor(const QString& field) const {
    const QString upper = field.toUpper();
    if (m_neverWritten.contains(upper)) return {};
    const auto it = m_columnOf.constFind(upper);
    if (it != m_columnOf.constEnd()) return *it;
    return isPlainIdentifier(upper) ? upper : QString();
}

}  // namespace afresolver
