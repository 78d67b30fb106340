#include "host/services/dialog_service.h"

#include "host/data/errors.h"

namespace host {
namespace {

// Stands in until the shell or a test installs a service: a message that
// nobody would see must stop the program's path, not vanish.
class MissingDialogService final : public DialogService {
public:
    void showError(const QString& text, QWidget*) override { fail(text); }
    void showMessage(MessageKind, const QString& text, QWidget*) override { fail(text); }
    int ask(MessageKind, const QString& text, QuestionButtons, QWidget*) override { fail(text); }
    int askChoice(MessageKind, const QString& text, const QStringList&, QWidget*) override { fail(text); }
    std::optional<QString> askPassword(const QString& caption, const QString&, QWidget*) override { fail(caption); }
    QStringList pick(const PickList& list, QWidget*) override { fail(list.title); }

private:
    [[noreturn]] static void fail(const QString& text) {
        throw DataError(QStringLiteral("Nenhum serviço de diálogos instalado para mostrar \"%1\".").arg(text));
    }
};

std::shared_ptr<DialogService>& installed() {
    static std::shared_ptr<DialogService> service;
    return service;
}

}  // namespace

DialogService& dialogs() {
    static MissingDialogService missing;
    DialogService* service = installed().get();
    return service ? *service : missing;
}

void setDialogService(std::shared_ptr<DialogService> service) { installed() = std::move(service); }

}  // namespace host
