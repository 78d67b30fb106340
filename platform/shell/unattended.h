#pragma once
// Running the shell with nobody at the screen (--screenshot): the login is
// made from the command line, and every message goes to standard error
// instead of a modal box that nobody would close.
#include "platform/shell/login_flow.h"

#include "host/services/dialog_service.h"

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QTimer>

class QWidget;

namespace shell {

// Questions are answered No, choices and pick lists cancelled, passwords not given.
class ConsoleDialogs : public host::DialogService {
public:
    void showError(const QString& text, QWidget* parent = nullptr) override;
    void showMessage(host::MessageKind kind, const QString& text, QWidget* parent = nullptr) override;
    int ask(host::MessageKind kind, const QString& text, host::QuestionButtons buttons, QWidget* parent = nullptr) override;
    int askChoice(host::MessageKind kind, const QString& text, const QStringList& buttons,
                  QWidget* parent = nullptr) override;
    std::optional<QString> askPassword(const QString& caption, const QString& label,
                                       QWidget* parent = nullptr) override;
    QStringList pick(const host::PickList& list, QWidget* parent = nullptr) override;

    int errorCount() const { return m_errors; }

private:
    int m_errors = 0;
};

struct UnattendedLogin {
    ServerChoice server;
    QString operatorCode;
    QString password;
    QString branch;  // empty: the operator's own
};

// Both steps of the login at once. Throws host::UserError.
LoginResult logInUnattended(const LoginFlow::Connect& connect, const UnattendedLogin& login);

// A screen may open a modal dialog by itself (the AF workspace opens its
// filter at the first activation); nobody would close it. While it lives, each
// modal dialog that appears is saved as a picture next to the main one
// ("<name>-modal1.png", ...) and then confirmed with its default button (or
// closed when it has none), so the screen goes on as if a user had confirmed.
class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(QString screenshotPath, QObject* parent = nullptr);
    int answered() const { return m_answered; }

private:
    void poll();

    QString m_path;
    QTimer m_timer;
    QPointer<QWidget> m_last;
    int m_answered = 0;
};

// Lets pending layout and painting happen, then saves the widget as drawn
// (the offscreen platform draws too). Throws host::UserError when the file
// cannot be written.
void saveScreenshot(QWidget* widget, const QString& path);

}  // namespace shell
