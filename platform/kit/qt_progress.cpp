#include "qt_progress.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QVBoxLayout>

namespace kit {

QString progressKindText(int kind) {
    switch (kind) {
    case host::kAviConnecting: return QStringLiteral("Conectando ao servidor...");
    case host::kAviProcessing: return QStringLiteral("Processando...");
    case host::kAviTransfer: return QStringLiteral("Transferindo dados...");
    default: return QStringLiteral("Aguarde...");
    }
}

namespace {

// A tool-tip window is the one kind no platform activates or gives the keyboard
// focus to when it appears; with the screen's window as its parent it stays on
// top of it (and Wayland accepts it).
constexpr Qt::WindowFlags kFlags =
    Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;

// The window the animation is shown over.
QWidget* ownerOf(const host::ProgressState& state) {
    return state.screen ? state.screen->window() : QApplication::activeWindow();
}

}  // namespace

ProgressWindow::ProgressWindow(QWidget* owner) : QFrame(owner, kFlags) {
    setObjectName(QStringLiteral("frmShowAvi"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::Box);
    setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("lblShowAvi"));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setWordWrap(true);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("pgbShowAvi"));
    m_bar->setRange(0, 0);  // busy: no known end
    m_bar->setTextVisible(false);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
}

void ProgressWindow::present(const host::ProgressState& state) {
    const QString text = state.text.trimmed();
    m_label->setText(text.isEmpty() ? progressKindText(state.kind) : text);
    adjustSize();
    QWidget* over = parentWidget();
    QRect area = over && over->isVisible() ? over->frameGeometry() : QRect();
    if (area.isEmpty() && QGuiApplication::primaryScreen()) area = QGuiApplication::primaryScreen()->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
    show();
    raise();
    repaint();
}

QtProgressService::~QtProgressService() {
    if (!qApp) return;  // the program is ending: the windows went with the application
    if (m_waitCursor) QApplication::restoreOverrideCursor();
    delete m_window.data();
}

void QtProgressService::showAnimation(const host::ProgressState& state) {
    QWidget* owner = ownerOf(state);
    if (!m_window) m_window = new ProgressWindow(owner);
    else if (m_window->parentWidget() != owner) m_window->setParent(owner, kFlags);
    m_window->present(state);
    if (!m_waitCursor) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_waitCursor = true;
    }
    // Lets the window reach the screen before the caller blocks; input and
    // network notifications wait until the work is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
}

void QtProgressService::hideAnimation() {
    if (m_window) m_window->hide();
    if (m_waitCursor) {
        QApplication::restoreOverrideCursor();
        m_waitCursor = false;
    }
}

}  // namespace kit
