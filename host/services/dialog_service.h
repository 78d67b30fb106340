#pragma once
// Every error, question, notice and pick list a screen shows goes through one
// injectable service: the Qt implementation shows modal dialogs, the scripted
// one used by tests records what was shown and answers from a script.
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace host {

// Answers of questions, as the screens compare them.
constexpr int kYes = 6;
constexpr int kNo = 7;

enum class MessageKind { Error, Warning, Information, Confirmation };
enum class QuestionButtons { YesNo, OkCancel, Ok };

// One row of a pick list: the stored code and the columns shown.
struct PickRow {
    QString code;
    QStringList columns;
};

struct PickList {
    QString title;
    QStringList headers;
    std::vector<PickRow> rows;
    QString emptyText;     // shown instead of the list when there are no rows
    bool multiple = false; // several rows may be chosen
};

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual void showError(const QString& text, QWidget* parent = nullptr) = 0;
    virtual void showMessage(MessageKind kind, const QString& text, QWidget* parent = nullptr) = 0;
    // Returns kYes or kNo (Ok counts as kYes, Cancel as kNo).
    virtual int ask(MessageKind kind, const QString& text, QuestionButtons buttons, QWidget* parent = nullptr) = 0;
    // A question with buttons of its own ("&Todas", "&Não informadas", "&Cancelar"):
    // returns the index of the button pressed, -1 when the dialog was closed
    // without one (callers treat that as the last, cancelling, button).
    virtual int askChoice(MessageKind kind, const QString& text, const QStringList& buttons,
                          QWidget* parent = nullptr) = 0;
    // Asks for a password under a caption and a label; nullopt when cancelled.
    // The text is never echoed on screen.
    virtual std::optional<QString> askPassword(const QString& caption, const QString& label,
                                               QWidget* parent = nullptr) = 0;
    // Returns the codes chosen; empty when the user cancelled.
    virtual QStringList pick(const PickList& list, QWidget* parent = nullptr) = 0;
};

// The service in use; the shell installs the Qt one, tests a scripted one.
DialogService& dialogs();
void setDialogService(std::shared_ptr<DialogService> service);

}  // namespace host
