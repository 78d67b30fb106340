#include "platform/shell/mdi_screen_host.h"

#include "host/data/errors.h"

#include <QtCore/QChildEvent>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>

namespace shell {
namespace {

// The child window of one screen.
class ScreenFrame : public QMdiSubWindow {
public:
    explicit ScreenFrame(QWidget* screen) : m_screen(screen) {
        setWidget(screen);
        setAttribute(Qt::WA_DeleteOnClose, screen->testAttribute(Qt::WA_DeleteOnClose));
        setWindowIcon(screen->windowIcon());
    }

protected:
    // Sent when the screen is deleted on its own (not when the frame deletes
    // its children): an empty frame must not stay behind.
    void childEvent(QChildEvent* event) override {
        QMdiSubWindow::childEvent(event);
        if (event->type() == QEvent::ChildRemoved && event->child() == m_screen) deleteLater();
    }

private:
    const QObject* m_screen;  // identity only: it may be half destroyed when compared
};

}  // namespace

MdiScreenHost::MdiScreenHost(QMainWindow* window, QMdiArea* area) : m_window(window), m_area(area) {}

QWidget* MdiScreenHost::mainWindow() { return m_window.data(); }

QMdiSubWindow* MdiScreenHost::frameOf(const QWidget* screen) const {
    if (!m_area || !screen) return nullptr;
    for (QMdiSubWindow* frame : m_area->subWindowList())
        if (frame->widget() == screen) return frame;
    return nullptr;
}

void MdiScreenHost::showScreen(QWidget* screen) {
    if (!screen) throw host::DataError(QStringLiteral("showScreen: nenhuma tela informada."));
    if (!m_area) throw host::DataError(QStringLiteral("showScreen: a janela principal já foi fechada."));
    QMdiSubWindow* frame = frameOf(screen);
    if (!frame) frame = m_area->addSubWindow(new ScreenFrame(screen));
    screen->show();
    frame->show();
    m_area->setActiveSubWindow(frame);
}

}  // namespace shell
