#pragma once
// Options a screen keeps for each operator between runs (the last filter
// criteria, lists chosen in lookups): values by key, kept per operator code
// (host::session().Operador(), read at each access) and screen code.
//
// Where: one INI file in the user's configuration directory,
// "VEXMOOR/Opcoes.ini" (QSettings::IniFormat, QSettings::UserScope: ~/.config
// on Linux, %APPDATA% on Windows), group "<operador>/<tela>". An INI file on
// every system keeps the options portable and lets a test redirect them with
// QSettings::setPath; a QSettings given to the store is used instead.
#include <QtCore/QString>
#include <QtCore/QVariant>
#include <memory>

class QSettings;

namespace kit {

// The operator's options file.
std::unique_ptr<QSettings> openOptionSettings();

class OptionStore {
public:
    // settings: where to keep them (not owned); null: the operator's options file.
    explicit OptionStore(QString screenCode, QSettings* settings = nullptr);

    void setSettings(QSettings* settings) { m_settings = settings; }
    const QString& screenCode() const { return m_screenCode; }

    // Written to disk at once: another screen (or run) reads it back.
    void save(const QString& key, const QVariant& value);
    QVariant load(const QString& key, const QVariant& fallback = {}) const;
    bool contains(const QString& key) const;
    void remove(const QString& key);
    // "<operador>/<tela>": the group of the logged-in operator on this screen.
    QString group() const;

private:
    template <class Work>
    auto withSettings(Work work) const;

    QString m_screenCode;
    QSettings* m_settings = nullptr;
};

}  // namespace kit
