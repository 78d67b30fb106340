#pragma once
// What the shell starts with: the command line over the configuration file
// (INI, afhost.conf in the user's configuration folder) over the defaults. The
// file also remembers the server mode, address and operator of the last
// successful login, so the next login dialog opens the way it was left.
#include "platform/shell/shell_options.h"

#include <QtCore/QByteArray>

namespace shell {

struct ShellConfig {
    bool remote = false;     // [servidor] modo = remoto
    QString serverAddress;   // [servidor] endereco
    QString lookupDatabase;  // [consultas] banco
    QString lastOperator;    // [login] operador
    QByteArray windowGeometry;  // [janela] geometria: the main window's place when the program last ended
};

// A missing file is an empty configuration.
ShellConfig readShellConfig(const QString& path);
void rememberLogin(const QString& path, bool remote, const QString& serverAddress, const QString& operatorCode);
void rememberWindowGeometry(const QString& path, const QByteArray& geometry);

QString defaultConfigFile();    // <user configuration>/afhost.conf
QString defaultDatabasePath();  // <application data>/af.sqlite
QString defaultReportDir();     // <application data>/relatorios
// $AF_MODULE_PATH, else the lib folder beside the program's bin folder.
QString defaultModuleFolder();

struct ShellSetup {
    QString configFile;
    QString databasePath;
    bool remote = false;
    QString serverAddress;  // as typed; checked when used
    QString lookupDatabase;
    QString operatorCode;
    QString branch;
    QString moduleFolder;
};

ShellSetup resolveSetup(const ShellOptions& options, const ShellConfig& config);

}  // namespace shell
