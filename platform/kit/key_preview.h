#pragma once
// The screen sees a key before the control that has the focus: every key press
// aimed at a control inside the screen (or at the screen itself when nothing in
// it has the focus), while its window is active, goes first to the handler;
// true swallows the key. The handler runs inside the kit's exception boundary.
//
// standardPreviewKeys() holds what every base screen does with keys no screen
// handles itself: F9 in an edit box presses the lookup button bound to it.
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <functional>

class QKeyEvent;
class QWidget;

namespace kit {

class KeyPreview : public QObject {
public:
    using Handler = std::function<bool(QKeyEvent*)>;
    KeyPreview(QWidget* screen, Handler handler);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool concerns(QObject* watched) const;

    QPointer<QWidget> m_screen;
    Handler m_handler;
};

// F9 (key code 120) in an edit box of the screen presses the enabled, visible
// lookup button (TBtnPesquisa) bound to that box. True when it did.
bool standardPreviewKeys(QWidget* screen, QKeyEvent* event);

}  // namespace kit
