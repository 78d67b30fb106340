#pragma once
// The screens the shell knows by code, with the deliverable that holds each.
// The menu lists them; `LoadBPL` opens them. A code missing here is a screen
// that is not installed.
#include <QtCore/QList>
#include <QtCore/QString>
#include <optional>

namespace shell {

struct ScreenEntry {
    QString code;     // "CMP03900"
    QString caption;  // "Lançamento de Autorização de Fornecimento"
    QString module;   // library name: "afdesk" -> libafdesk.so
    QString menu;     // the main menu it is listed under
};

class ScreenCatalog {
public:
    ScreenCatalog() = default;
    explicit ScreenCatalog(QList<ScreenEntry> entries) : m_entries(std::move(entries)) {}

    // The purchasing screens: the AF workspace and the bulk alteration.
    static ScreenCatalog standard();

    const QList<ScreenEntry>& entries() const { return m_entries; }
    // Codes match regardless of letter case.
    std::optional<ScreenEntry> find(const QString& code) const;
    void add(ScreenEntry entry) { m_entries << std::move(entry); }

private:
    QList<ScreenEntry> m_entries;
};

}  // namespace shell
