#include "platform/shell/screen_catalog.h"

namespace shell {

ScreenCatalog ScreenCatalog::standard() {
    const QString purchasing = QStringLiteral("&Compras");
    return ScreenCatalog({
        {QStringLiteral("CMP03900"), QStringLiteral("Lançamento de Autorização de Fornecimento"), QStringLiteral("afdesk"),
         purchasing},
        {QStringLiteral("CMP04000"), QStringLiteral("Alteração de AF"), QStringLiteral("afbatch"), purchasing},
    });
}

std::optional<ScreenEntry> ScreenCatalog::find(const QString& code) const {
    for (const ScreenEntry& e : m_entries)
        if (e.code.compare(code.trimmed(), Qt::CaseInsensitive) == 0) return e;
    return std::nullopt;
}

}  // namespace shell
