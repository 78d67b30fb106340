#pragma once
// The shell's main window: the menu of the installed screens, the MDI area
// the screens open in, the title with operator, branch and processing date.
// It installs itself as the screens' host (host::screenHost(), LoadBPL, the
// MsgEventForm filter) and removes itself when it goes.
#include "platform/shell/module_loader.h"
#include "platform/shell/screen_catalog.h"
#include "platform/shell/shell_session.h"

#include <QtWidgets/QMainWindow>
#include <memory>

class QLabel;
class QMdiArea;

namespace shell {

class MdiScreenHost;
class MsgEventFilter;

class ShellWindow : public QMainWindow {
public:
    ShellWindow(ShellSession& session, ScreenCatalog catalog, ModuleLoader& loader, QWidget* parent = nullptr);
    ~ShellWindow() override;

    QMdiArea* mdiArea() const { return m_area; }
    MdiScreenHost& screenHost() { return *m_host; }

    // The menu's way in: loads the screen's module and calls its IniProc.
    // Whatever goes wrong is shown to the user; nothing is thrown.
    void openScreen(const QString& code);
    // `LoadBPL`: the same with parameters (IniProcParams when there are any).
    // A code the catalog does not know is "Tela <código> não instalada.".
    void loadBpl(const QString& code, const QVariantList& params);
    // Calls IniProc of a library by name, with no catalog entry (--modulo).
    void openModule(const QString& module);

    // "Operador: ... | Filial: ... | Data: dd/mm/aaaa", read afresh.
    QString sessionText() const;
    void refreshTitle();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildMenus();
    void run(const QString& module, const QVariantList* params);

    ShellSession& m_session;
    ScreenCatalog m_catalog;
    ModuleLoader& m_loader;
    QMdiArea* m_area;
    QLabel* m_sessionLabel;
    QLabel* m_serverLabel;
    std::shared_ptr<MdiScreenHost> m_host;
    MsgEventFilter* m_filter;
};

}  // namespace shell
