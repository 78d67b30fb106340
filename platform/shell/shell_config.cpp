#include "platform/shell/shell_config.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QSettings>
#include <QtCore/QStandardPaths>

namespace shell {
namespace {

const QString kModeKey = QStringLiteral("servidor/modo");
const QString kAddressKey = QStringLiteral("servidor/endereco");
const QString kLookupKey = QStringLiteral("consultas/banco");
const QString kOperatorKey = QStringLiteral("login/operador");
const QString kGeometryKey = QStringLiteral("janela/geometria");

QString appDataFile(const QString& name) {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/') + name;
}

// A conninfo written without quotes comes back split at its commas.
QString text(const QSettings& s, const QString& key) {
    const QVariant v = s.value(key);
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QLatin1Char(','));
    return v.toString().trimmed();
}

}  // namespace

ShellConfig readShellConfig(const QString& path) {
    const QSettings s(path, QSettings::IniFormat);
    ShellConfig c;
    c.remote = text(s, kModeKey).compare(QLatin1String("remoto"), Qt::CaseInsensitive) == 0;
    c.serverAddress = text(s, kAddressKey);
    c.lookupDatabase = text(s, kLookupKey);
    c.lastOperator = text(s, kOperatorKey);
    c.windowGeometry = s.value(kGeometryKey).toByteArray();
    return c;
}

void rememberLogin(const QString& path, bool remote, const QString& serverAddress, const QString& operatorCode) {
    QSettings s(path, QSettings::IniFormat);
    s.setValue(kModeKey, remote ? QStringLiteral("remoto") : QStringLiteral("embutido"));
    if (remote) s.setValue(kAddressKey, serverAddress);
    s.setValue(kOperatorKey, operatorCode);
}

void rememberWindowGeometry(const QString& path, const QByteArray& geometry) {
    QSettings s(path, QSettings::IniFormat);
    s.setValue(kGeometryKey, geometry);
}

QString defaultConfigFile() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/afhost.conf");
}

QString defaultDatabasePath() { return appDataFile(QStringLiteral("af.sqlite")); }

QString defaultReportDir() { return appDataFile(QStringLiteral("relatorios")); }

QString defaultModuleFolder() {
    const QString fromEnvironment = qEnvironmentVariable("AF_MODULE_PATH").trimmed();
    if (!fromEnvironment.isEmpty()) return QDir::cleanPath(fromEnvironment);
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../lib"));
}

ShellSetup resolveSetup(const ShellOptions& options, const ShellConfig& config) {
    ShellSetup s;
    s.configFile = options.configFile.isEmpty() ? defaultConfigFile() : options.configFile;
    s.databasePath = options.databasePath.isEmpty() ? defaultDatabasePath() : options.databasePath;
    if (options.server) s.remote = true;
    else if (!options.databasePath.isEmpty()) s.remote = false;
    else s.remote = config.remote;
    s.serverAddress = options.server ? options.server->text() : config.serverAddress;
    s.lookupDatabase = options.lookupDatabase.isEmpty() ? config.lookupDatabase : options.lookupDatabase;
    s.operatorCode = options.operatorCode.isEmpty() ? config.lastOperator : options.operatorCode;
    s.branch = options.branch;
    s.moduleFolder = options.moduleFolder.isEmpty() ? defaultModuleFolder() : QDir::cleanPath(options.moduleFolder);
    return s;
}

}  // namespace shell
