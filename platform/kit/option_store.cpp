#include "option_store.h"

#include "host/data/errors.h"
#include "host/services/session.h"

#include <QtCore/QSettings>

namespace kit {

namespace {

// "/" and "\" separate groups in QSettings: a code holding one must not open a group of its own.
QString groupPart(const QString& code) {
    QString part = code.trimmed();
    part.replace(u'/', u'_');
    part.replace(u'\\', u'_');
    return part;
}

}  // namespace

std::unique_ptr<QSettings> openOptionSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("VEXMOOR"),
                                       QStringLiteral("Opcoes"));
}

OptionStore::OptionStore(QString screenCode, QSettings* settings)
    : m_screenCode(std::move(screenCode)), m_settings(settings) {
    if (groupPart(m_screenCode).isEmpty()) throw host::DataError(QStringLiteral("Opções sem código de tela."));
}

QString OptionStore::group() const {
    const QString operador = groupPart(host::session().Operador());
    if (operador.isEmpty()) throw host::DataError(QStringLiteral("Opções sem operador na sessão."));
    return operador + u'/' + groupPart(m_screenCode);
}

template <class Work>
auto OptionStore::withSettings(Work work) const {
    std::unique_ptr<QSettings> own;
    QSettings* settings = m_settings;
    if (!settings) {
        own = openOptionSettings();
        settings = own.get();
    }
    settings->beginGroup(group());
    struct EndGroup {
        QSettings* s;
        ~EndGroup() { s->endGroup(); }
    } end{settings};
    return work(*settings);
}

void OptionStore::save(const QString& key, const QVariant& value) {
    withSettings([&](QSettings& s) {
        s.setValue(key, value);
        s.sync();
        if (s.status() != QSettings::NoError)
            throw host::UserError(QStringLiteral("Não foi possível gravar as opções da tela em %1.").arg(s.fileName()));
    });
}

QVariant OptionStore::load(const QString& key, const QVariant& fallback) const {
    return withSettings([&](QSettings& s) { return s.value(key, fallback); });
}

bool OptionStore::contains(const QString& key) const {
    return withSettings([&](QSettings& s) { return s.contains(key); });
}

void OptionStore::remove(const QString& key) {
    withSettings([&](QSettings& s) {
        s.remove(key);
        s.sync();
    });
}

}  // namespace kit
