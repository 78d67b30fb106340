#pragma once
// The exception boundary of the kit. Qt must never see an exception, so every
// slot and event handler of the kit (and of screens built on it) runs its work
// through guard(): Abort ends the work silently, UserError shows its message,
// anything else shows "Erro inesperado: <what>" so the user sees that an
// operation failed instead of the program dying.
#include <QtCore/QPointer>
#include <QtCore/QString>
#include <exception>
#include <functional>

class QWidget;

namespace kit {

class DataSource;

// Runs work; true when it completed. parent is the widget a message is shown over.
// When a FieldError escapes and focusSource is given, the control bound to that
// field takes the focus (the user's text stays in it).
bool guard(QWidget* parent, const std::function<void()>& work, DataSource* focusSource = nullptr);

// Shows what an exception means to the user; never throws.
void reportException(std::exception_ptr error, QWidget* parent, DataSource* focusSource = nullptr);

// The text shown for an exception that is neither Abort nor UserError.
QString unexpectedErrorText(const char* what);

// While an error raised by leaving a control is on screen and the focus goes back
// to that control, the focus changes this causes must not validate anything again
// (it would show the same error over and over).
class FocusRestore {
public:
    static bool active();
    // Shows the error of `error` and gives the focus back to `owner`.
    static void refuseExit(QWidget* owner, std::exception_ptr error);
    static void ownerFocused(QWidget* w);  // the owner got the focus back: validations resume

private:
    static QPointer<QWidget> s_owner;
    static int s_depth;
};

}  // namespace kit
