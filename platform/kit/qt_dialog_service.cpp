#include "qt_dialog_service.h"

#include "pick_dialog.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

namespace kit {

const QString kEmptyPickListText = QStringLiteral("Não há registros para exibir.");

QString messageTitle(host::MessageKind kind) {
    switch (kind) {
    case host::MessageKind::Error: return QStringLiteral("Erro");
    case host::MessageKind::Warning: return QStringLiteral("Atenção");
    case host::MessageKind::Information: return QStringLiteral("Informação");
    case host::MessageKind::Confirmation: return QStringLiteral("Confirmação");
    }
    return {};
}

namespace {

QMessageBox::Icon iconOf(host::MessageKind kind) {
    switch (kind) {
    case host::MessageKind::Error: return QMessageBox::Critical;
    case host::MessageKind::Warning: return QMessageBox::Warning;
    case host::MessageKind::Information: return QMessageBox::Information;
    case host::MessageKind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QWidget* ownerOf(QWidget* parent) {
    if (parent) return parent->window();
    return QApplication::activeWindow();
}

}  // namespace

void QtDialogService::showError(const QString& text, QWidget* parent) {
    showMessage(host::MessageKind::Error, text, parent);
}

void QtDialogService::showMessage(host::MessageKind kind, const QString& text, QWidget* parent) {
    QMessageBox box(iconOf(kind), messageTitle(kind), text, QMessageBox::NoButton, ownerOf(parent));
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

int QtDialogService::ask(host::MessageKind kind, const QString& text, host::QuestionButtons buttons, QWidget* parent) {
    QMessageBox box(iconOf(kind), messageTitle(kind), text, QMessageBox::NoButton, ownerOf(parent));
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    switch (buttons) {
    case host::QuestionButtons::YesNo:
        yes = box.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&Não"), QMessageBox::NoRole);
        break;
    case host::QuestionButtons::OkCancel:
        yes = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        no = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
        break;
    case host::QuestionButtons::Ok:
        yes = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    }
    box.setDefaultButton(yes);
    box.setEscapeButton(no ? no : yes);
    box.exec();
    return box.clickedButton() == yes && yes ? host::kYes : host::kNo;
}

int QtDialogService::askChoice(host::MessageKind kind, const QString& text, const QStringList& buttons,
                               QWidget* parent) {
    QMessageBox box(iconOf(kind), messageTitle(kind), text, QMessageBox::NoButton, ownerOf(parent));
    QList<QAbstractButton*> added;
    for (const QString& caption : buttons) added << box.addButton(caption, QMessageBox::ActionRole);
    if (!added.isEmpty()) {
        box.setDefaultButton(static_cast<QPushButton*>(added.first()));
        box.setEscapeButton(added.last());  // Esc presses the last, cancelling, button
    }
    box.exec();
    return int(added.indexOf(box.clickedButton()));
}

std::optional<QString> QtDialogService::askPassword(const QString& caption, const QString& label, QWidget* parent) {
    QDialog dialog(ownerOf(parent));
    dialog.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(label, &dialog));
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("edtSenha"));
    edit->setEchoMode(QLineEdit::Password);
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    edit->setFocus();
    // Wide enough for its title: window managers cut a title longer than the window.
    dialog.setMinimumWidth(dialog.fontMetrics().horizontalAdvance(caption) + 160);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return edit->text();
}

QStringList QtDialogService::pick(const host::PickList& list, QWidget* parent) {
    if (list.rows.empty()) {
        showMessage(host::MessageKind::Information, list.emptyText.isEmpty() ? kEmptyPickListText : list.emptyText, parent);
        return {};
    }
    PickDialog dialog(list, ownerOf(parent));
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.chosenCodes();
}

}  // namespace kit
