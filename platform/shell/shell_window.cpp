#include "platform/shell/shell_window.h"

#include "platform/shell/mdi_screen_host.h"
#include "platform/shell/msg_event_filter.h"

#include "host/data/errors.h"
#include "platform/kit/guard.h"

#include <QtCore/QMap>
#include <QtGui/QAction>
#include <QtGui/QCloseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QStatusBar>
#include <functional>

namespace shell {
namespace {

// The wait cursor while a module loads and builds its screen, on every path out.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

ShellWindow::ShellWindow(ShellSession& session, ScreenCatalog catalog, ModuleLoader& loader, QWidget* parent)
    : QMainWindow(parent),
      m_session(session),
      m_catalog(std::move(catalog)),
      m_loader(loader),
      m_area(new QMdiArea(this)),
      m_sessionLabel(new QLabel(this)),
      m_serverLabel(new QLabel(this)),
      m_host(std::make_shared<MdiScreenHost>(this, m_area)),
      m_filter(new MsgEventFilter(session.sharedState(), this)) {
    setObjectName(QStringLiteral("afhost"));
    m_area->setObjectName(QStringLiteral("mdiArea"));
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    buildMenus();

    const ServerLink& link = session.backend().link;
    m_serverLabel->setText(QStringLiteral("Servidor de aplicação: %1").arg(link.description()));
    m_sessionLabel->setObjectName(QStringLiteral("sessao"));
    statusBar()->addWidget(m_sessionLabel, 1);
    statusBar()->addPermanentWidget(m_serverLabel);
    refreshTitle();

    host::setScreenHost(m_host);
    session.state().setLoadBplHandler(
        [this](const QString& code, const QVariantList& params) { loadBpl(code, params); });
    qApp->installEventFilter(m_filter);
}

ShellWindow::~ShellWindow() {
    qApp->removeEventFilter(m_filter);
    m_session.state().setLoadBplHandler({});
    host::setScreenHost(nullptr);
}

void ShellWindow::buildMenus() {
    auto item = [this](QMenu* menu, const QString& text, std::function<void()> work) {
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, [work = std::move(work)] { work(); });
        return action;
    };
    QMenu* system = menuBar()->addMenu(QStringLiteral("&Sistema"));
    item(system, QStringLiteral("Sai&r"), [this] { close(); })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMap<QString, QMenu*> menus;
    for (const ScreenEntry& entry : m_catalog.entries()) {
        QMenu*& menu = menus[entry.menu];
        if (!menu) menu = menuBar()->addMenu(entry.menu);
        const QString code = entry.code;
        item(menu, QStringLiteral("%1 - %2").arg(code, entry.caption), [this, code] { openScreen(code); })
            ->setObjectName(code);
    }

    QMenu* windows = menuBar()->addMenu(QStringLiteral("&Janelas"));
    item(windows, QStringLiteral("Em &cascata"), [this] { m_area->cascadeSubWindows(); });
    item(windows, QStringLiteral("&Lado a lado"), [this] { m_area->tileSubWindows(); });
    item(windows, QStringLiteral("&Fechar todas"), [this] { m_area->closeAllSubWindows(); });
}

void ShellWindow::run(const QString& module, const QVariantList* params) {
    const WaitCursor wait;
    if (params && !params->isEmpty()) {
        reinterpret_cast<IniProcParamsFn>(m_loader.resolve(module, kIniProcParams))(params);
        return;
    }
    reinterpret_cast<IniProcFn>(m_loader.resolve(module, kIniProc))();
}

void ShellWindow::openScreen(const QString& code) {
    kit::guard(this, [&] {
        const std::optional<ScreenEntry> entry = m_catalog.find(code);
        if (!entry) throw host::UserError(QStringLiteral("Tela %1 não instalada.").arg(code.trimmed()));
        run(entry->module, nullptr);
    });
}

void ShellWindow::loadBpl(const QString& code, const QVariantList& params) {
    kit::guard(this, [&] {
        const std::optional<ScreenEntry> entry = m_catalog.find(code);
        if (!entry) throw host::UserError(QStringLiteral("Tela %1 não instalada.").arg(code.trimmed()));
        run(entry->module, &params);
    });
}

void ShellWindow::openModule(const QString& module) {
    kit::guard(this, [&] { run(module.trimmed(), nullptr); });
}

QString ShellWindow::sessionText() const {
    const host::SessionState& s = m_session.state();
    QString date;
    try {
        date = s.DataProc(s.FiliProc()).toString(QStringLiteral("dd/MM/yyyy"));
    } catch (const host::UserError&) {
        date = QStringLiteral("sem data de processamento");
    }
    return QStringLiteral("Operador: %1 - %2 | Filial: %3 - %4 | Data: %5")
        .arg(s.Operador(), s.NomeOperador(), s.FiliProc(), s.NomeFiliProc(), date);
}

// The title, and the status line for window managers that cut long titles.
void ShellWindow::refreshTitle() {
    const QString text = sessionText();
    setWindowTitle(QStringLiteral("AF - Compras | ") + text);
    m_sessionLabel->setText(text);
}

void ShellWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // The processing date may have moved on while the program ran.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) refreshTitle();
}

void ShellWindow::closeEvent(QCloseEvent* event) {
    m_area->closeAllSubWindows();
    // A screen that refused to close (pending changes the user kept) keeps the program open.
    for (QMdiSubWindow* frame : m_area->subWindowList()) {
        if (frame->isVisible()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

}  // namespace shell
