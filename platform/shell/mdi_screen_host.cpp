#include "platform/shell/mdi_screen_host.h"

#include "host/data/errors.h"

#include <QtCore/QChildEvent>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <algorithm>

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

// A screen opens within the area: one wider or taller than the main window
// would need scrolling to reach its far side and its buttons.
void fitIntoArea(QMdiSubWindow* frame) {
    const QWidget* viewport = frame->mdiArea()->viewport();
    const QSize room = viewport->size();
    if (!viewport->isVisible() || room.width() < 100 || room.height() < 100) return;  // not laid out yet
    QRect place = frame->geometry();
    place.setSize(place.size().boundedTo(room).expandedTo(frame->minimumSizeHint().boundedTo(room)));
    if (place.right() > room.width() - 1) place.moveLeft(std::max(0, room.width() - place.width()));
    if (place.bottom() > room.height() - 1) place.moveTop(std::max(0, room.height() - place.height()));
    frame->setGeometry(place);
}

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
    const bool opening = !frame;
    if (opening) frame = m_area->addSubWindow(new ScreenFrame(screen));
    screen->show();
    frame->show();
    if (opening) fitIntoArea(frame);
    m_area->setActiveSubWindow(frame);
}

}  // namespace shell
