#pragma once
// Keyboard conventions a screen turns on for the controls inside it:
//  - Enter as Tab: Enter (without Ctrl) moves to the next control while the
//    screen says so (typically while one of its datasets is being edited);
//    controls listed as exceptions (a memo) keep their Enter.
//  - Decimal comma: with ',' as the decimal separator, the period key and the
//    keypad's decimal key type ',' in an edit box bound to a floating-point
//    field and in a grid cell of such a field.
// Only keys aimed at a control inside the screen, while its window is active, are touched.
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <functional>
#include <vector>

class QWidget;

namespace kit {

class ScreenKeys : public QObject {
public:
    explicit ScreenKeys(QWidget* screen);
    ~ScreenKeys() override;

    std::function<bool()> enterAsTab;  // asked at each Enter; unset: never
    void addEnterException(QWidget* w) { m_exceptions.emplace_back(w); }
    bool decimalComma = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool concerns(QWidget* focused) const;
    static bool floatTarget(QWidget* focused);

    QPointer<QWidget> m_screen;
    std::vector<QPointer<QWidget>> m_exceptions;
};

}  // namespace kit
