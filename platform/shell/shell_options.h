#pragma once
// The afhost command line. See shellUsage() for the options; the
// configuration file (shell_config.h) fills what the command line leaves open.
#include "platform/shell/server_address.h"

#include <QtCore/QStringList>
#include <optional>

namespace shell {

struct ShellOptions {
    QString databasePath;                 // --db: the embedded server's SQLite file
    std::optional<ServerAddress> server;  // --server: log in on a remote server
    QString lookupDatabase;               // --lookup-db: remote mode's lookup database
    QString moduleFolder;                 // --modulos: where the deliverables are
    QString operatorCode;                 // --operador: suggested in the login
    QString branch;                       // --filial: suggested working branch
    QStringList openScreens;              // --abrir: screen codes opened after login
    QStringList openModules;              // --modulo: libraries whose IniProc runs after login
    QString screenshotPath;               // --screenshot: log in unattended, save the window, quit
    QString configFile;                   // --config
    bool help = false;                    // -h, --help
};

// Throws host::UserError with a Portuguese message naming the bad option.
ShellOptions parseShellArgs(const QStringList& args);

QString shellUsage();

}  // namespace shell
