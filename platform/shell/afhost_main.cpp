// afhost: the host shell. Logs the operator in (embedded server by default,
// or a remote afserver), then opens the main window whose menu loads the
// deliverables. With --screenshot it does the same unattended and saves the
// window as a picture.
#include "platform/shell/app_services.h"
#include "platform/shell/backends.h"
#include "platform/shell/login_dialog.h"
#include "platform/shell/shell_config.h"
#include "platform/shell/shell_window.h"
#include "platform/shell/unattended.h"
#include "platform/shell/window_geometry.h"

#include "host/data/errors.h"

#include <QtWidgets/QApplication>
#include <iostream>
#include <memory>

using namespace shell;

namespace {

LoginResult logInWithDialog(Backends& backends, const ShellSetup& setup) {
    LoginDialog dialog([&](const ServerChoice& c) { return backends.connect(c); },
                       LoginDefaults{setup.databasePath, setup.remote, setup.serverAddress, setup.operatorCode,
                                     setup.branch});
    if (dialog.exec() != QDialog::Accepted) throw host::Abort();
    LoginResult login = *dialog.takeResult();
    rememberLogin(setup.configFile, login.server.remote, login.server.address, login.login.operatorCode);
    return login;
}

LoginResult logInFromEnvironment(Backends& backends, const ShellSetup& setup) {
    const QString password = qEnvironmentVariable("AF_SENHA");
    if (password.isEmpty())
        throw host::UserError(QStringLiteral("Defina a senha do operador na variável de ambiente AF_SENHA."));
    if (setup.operatorCode.isEmpty()) throw host::UserError(QStringLiteral("Informe o operador com --operador."));
    return logInUnattended([&](const ServerChoice& c) { return backends.connect(c); },
                           {{setup.remote, setup.serverAddress}, setup.operatorCode, password, setup.branch});
}

int run(const ShellOptions& options, ConsoleDialogs* console) {
    const QString configFile = options.configFile.isEmpty() ? defaultConfigFile() : options.configFile;
    const ShellConfig config = readShellConfig(configFile);
    const ShellSetup setup = resolveSetup(options, config);
    Backends backends(EmbeddedServerOptions{setup.databasePath}, setup.lookupDatabase);

    ShellSession session(console ? logInFromEnvironment(backends, setup) : logInWithDialog(backends, setup),
                         defaultReportDir());
    session.install();
    ModuleLoader loader(setup.moduleFolder);
    ShellWindow window(session, ScreenCatalog::standard(), loader);
    std::unique_ptr<ModalAnswerer> answerer;
    if (console) {
        answerer = std::make_unique<ModalAnswerer>(options.screenshotPath);
        window.resize(1280, 800);  // a picture of a known size
        window.show();
    } else {
        showMainWindow(window, config.windowGeometry);
    }
    for (const QString& code : options.openScreens) window.openScreen(code);
    for (const QString& module : options.openModules) window.openModule(module);

    if (!console) {
        const int status = QApplication::exec();
        rememberWindowGeometry(configFile, window.saveGeometry());  // also after the window closed
        return status;
    }
    saveScreenshot(&window, options.screenshotPath);
    std::cerr << "afhost: janela gravada em " << options.screenshotPath.toStdString() << '\n';
    return console->errorCount() == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Read before Qt starts: --help and a wrong option need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    ShellOptions options;
    try {
        options = parseShellArgs(arguments);
    } catch (const host::UserError& e) {
        std::cerr << e.message().toStdString() << '\n';
        return 2;
    }
    if (options.help) {
        std::cout << shellUsage().toStdString();
        return 0;
    }

    // The picture needs no display.
    if (!options.screenshotPath.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("afsuite"));
    QApplication::setApplicationName(QStringLiteral("afhost"));

    const AppServices services(!options.screenshotPath.isEmpty());
    try {
        return run(options, services.console());
    } catch (const host::Abort&) {
        return 0;  // the login was cancelled
    } catch (const std::exception& e) {
        const QString text = dynamic_cast<const host::UserError*>(&e)
                                 ? static_cast<const host::UserError&>(e).message()
                                 : QStringLiteral("Erro inesperado: %1").arg(QString::fromUtf8(e.what()));
        host::dialogs().showError(text);
        return 1;
    }
}
