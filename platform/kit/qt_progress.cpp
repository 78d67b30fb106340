#include "qt_progress.h"

#include "guard.h"

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

// Watches the application's windows while the animation is current.
class QtProgressService::ModalWatcher : public QObject {
public:
    explicit ModalWatcher(QtProgressService& service) : m_service(service) { qApp->installEventFilter(this); }
    ~ModalWatcher() override {
        if (qApp) qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show && event->type() != QEvent::Hide) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !widget->isWindow() || !widget->isModal()) return false;
        const bool shown = event->type() == QEvent::Show;
        guard(widget, [&] { shown ? m_service.modalShown(widget) : m_service.modalHidden(widget); });
        return false;
    }

private:
    QtProgressService& m_service;
};

QtProgressService::QtProgressService() = default;

QtProgressService::~QtProgressService() {
    m_watcher.reset();
    if (!qApp) return;  // the program is ending: the windows went with the application
    if (m_waitCursor) QApplication::restoreOverrideCursor();
    delete m_window.data();
}

void QtProgressService::setWaitCursor(bool on) {
    if (on == m_waitCursor) return;
    if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
    m_waitCursor = on;
}

void QtProgressService::forgetClosedDialogs() {
    m_dialogsOver.removeIf([](const DialogOver& d) { return !d.dialog || !d.dialog->isVisible(); });
}

bool QtProgressService::setAside(const host::ProgressState& state) {
    for (const DialogOver& d : m_dialogsOver)
        if (d.over == state) return true;
    return false;
}

void QtProgressService::stepAside() {
    if (m_window) m_window->hide();
    setWaitCursor(false);
}

void QtProgressService::showAnimation(const host::ProgressState& state) {
    QWidget* owner = ownerOf(state);
    if (!m_window) m_window = new ProgressWindow(owner);
    else if (m_window->parentWidget() != owner) m_window->setParent(owner, kFlags);
    if (!m_watcher) m_watcher = std::make_unique<ModalWatcher>(*this);
    forgetClosedDialogs();
    // A step started from such a dialog is shown over it; the step the dialog
    // interrupted, given back when that inner step ends, waits aside again.
    if (setAside(state)) {
        stepAside();
        return;
    }
    m_window->present(state);
    setWaitCursor(true);
    // Lets the window reach the screen before the caller blocks; input and
    // network notifications wait until the work is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
}

void QtProgressService::hideAnimation() {
    m_dialogsOver.clear();
    m_watcher.reset();
    stepAside();
}

void QtProgressService::modalShown(QWidget* modal) {
    if (!current() || modal == m_window) return;
    for (const DialogOver& d : m_dialogsOver)
        if (d.dialog == modal) return;
    m_dialogsOver.append({modal, *current()});
    stepAside();
}

void QtProgressService::modalHidden(QWidget* modal) {
    const qsizetype before = m_dialogsOver.size();
    m_dialogsOver.removeIf([modal](const DialogOver& d) { return d.dialog == modal; });
    if (m_dialogsOver.size() == before) return;
    forgetClosedDialogs();
    if (!current() || !m_window || setAside(*current())) return;
    m_window->present(*current());
    setWaitCursor(true);
}

}  // namespace kit
