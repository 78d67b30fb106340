#include "platform/shell/unattended.h"

#include "host/data/errors.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QPixmap>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QWidget>
#include <iostream>

namespace shell {
namespace {

void print(const char* what, const QString& text) { std::cerr << "afhost: " << what << text.toStdString() << '\n'; }

}  // namespace

void ConsoleDialogs::showError(const QString& text, QWidget*) {
    ++m_errors;
    print("erro: ", text);
}

void ConsoleDialogs::showMessage(host::MessageKind kind, const QString& text, QWidget*) {
    if (kind == host::MessageKind::Error) return showError(text);
    print("", text);
}

int ConsoleDialogs::ask(host::MessageKind, const QString& text, host::QuestionButtons, QWidget*) {
    print("pergunta respondida Não: ", text);
    return host::kNo;
}

int ConsoleDialogs::askChoice(host::MessageKind, const QString& text, const QStringList&, QWidget*) {
    print("pergunta cancelada: ", text);
    return -1;
}

std::optional<QString> ConsoleDialogs::askPassword(const QString& caption, const QString&, QWidget*) {
    print("senha não informada: ", caption);
    return std::nullopt;
}

QStringList ConsoleDialogs::pick(const host::PickList& list, QWidget*) {
    print("lista cancelada: ", list.title);
    return {};
}

LoginResult logInUnattended(const LoginFlow::Connect& connect, const UnattendedLogin& login) {
    LoginFlow flow(connect);
    flow.authenticate(login.server, login.operatorCode, login.password);
    return flow.confirm(login.branch.trimmed().isEmpty() ? flow.suggestedBranch() : login.branch);
}

ModalAnswerer::ModalAnswerer(QString screenshotPath, QObject* parent) : QObject(parent), m_path(std::move(screenshotPath)) {
    // A timer fires inside a modal dialog's own event loop too.
    m_timer.setInterval(100);
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start();
}

void ModalAnswerer::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    // Still open after its confirmation (a check refused it): give up on it.
    const bool refused = modal == m_last;
    m_last = modal;
    ++m_answered;
    const QFileInfo main(m_path);
    const QString picture =
        main.dir().filePath(QStringLiteral("%1-modal%2.png").arg(main.completeBaseName()).arg(m_answered));
    if (modal->grab().save(picture, "PNG")) print("diálogo gravado em ", picture);
    QPushButton* confirm = nullptr;
    for (QPushButton* b : modal->findChildren<QPushButton*>())
        if (b->isDefault() && b->isEnabled() && b->isVisible()) confirm = b;
    if (confirm && !refused) {
        print("diálogo confirmado: ", modal->windowTitle());
        confirm->click();
    } else {
        print("diálogo fechado: ", modal->windowTitle());
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        else modal->close();
    }
}

void saveScreenshot(QWidget* widget, const QString& path) {
    QElapsedTimer settling;
    settling.start();
    while (settling.elapsed() < 200) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!widget->grab().save(path, "PNG"))
        throw host::UserError(QStringLiteral("Não foi possível gravar a imagem em %1.").arg(path));
}

}  // namespace shell
