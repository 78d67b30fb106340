#pragma once
// The login dialog. First page: the server (embedded, or remote at an
// address), the operator and the password (never shown); "Entrar" has the
// server check them. Second page: the working branch, among every branch,
// suggested as the operator's own, with its processing date; "Confirmar" ends
// the login. Going back or cancelling ends the session already opened.
#include "platform/shell/login_flow.h"

#include <QtWidgets/QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace shell {

struct LoginDefaults {
    QString databasePath;  // shown beside the embedded choice
    bool remote = false;
    QString serverAddress;
    QString operatorCode;
    QString branch;  // suggested instead of the operator's own
};

class LoginDialog : public QDialog {
public:
    LoginDialog(LoginFlow::Connect connect, LoginDefaults defaults, QWidget* parent = nullptr);
    ~LoginDialog() override;

    // The login, once the dialog was accepted; then empty.
    std::optional<LoginResult> takeResult();

    // What the buttons do ("Entrar", "Confirmar", "Voltar"); errors are shown.
    void submitCredentials();
    void confirmBranch();
    void goBack();

    int page() const;  // 0 credentials, 1 branch

protected:
    void reject() override;

private:
    QWidget* buildCredentialsPage();
    QWidget* buildBranchPage();
    void showPage(int page);
    void fillBranches();
    void showBranchDetails();
    ServerChoice serverChoice() const;

    LoginFlow m_flow;
    LoginDefaults m_defaults;
    std::optional<LoginResult> m_result;

    QStackedWidget* m_pages = nullptr;
    QRadioButton* m_embedded = nullptr;
    QRadioButton* m_remote = nullptr;
    QLineEdit* m_address = nullptr;
    QLineEdit* m_operator = nullptr;
    QLineEdit* m_password = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_enter = nullptr;
    QLabel* m_who = nullptr;
    QComboBox* m_branch = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_mode = nullptr;
    QPushButton* m_confirm = nullptr;
};

}  // namespace shell
