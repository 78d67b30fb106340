#pragma once
// host::DialogService shown with Qt: message boxes with Portuguese buttons
// ("Sim"/"Não", "OK"/"Cancelar") and the pick list dialog. The shell installs it
// with host::setDialogService(std::make_shared<kit::QtDialogService>()).
#include "host/services/dialog_service.h"

namespace kit {

class QtDialogService : public host::DialogService {
public:
    void showError(const QString& text, QWidget* parent = nullptr) override;
    void showMessage(host::MessageKind kind, const QString& text, QWidget* parent = nullptr) override;
    int ask(host::MessageKind kind, const QString& text, host::QuestionButtons buttons, QWidget* parent = nullptr) override;
    int askChoice(host::MessageKind kind, const QString& text, const QStringList& buttons,
                  QWidget* parent = nullptr) override;
    std::optional<QString> askPassword(const QString& caption, const QString& label,
                                       QWidget* parent = nullptr) override;
    QStringList pick(const host::PickList& list, QWidget* parent = nullptr) override;
};

// The title and the text shown when a pick list has no rows and says nothing itself.
QString messageTitle(host::MessageKind kind);
extern const QString kEmptyPickListText;

}  // namespace kit
