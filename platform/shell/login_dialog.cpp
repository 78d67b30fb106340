#include "platform/shell/login_dialog.h"

#include "platform/kit/guard.h"

#include <QtCore/QFileInfo>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>
#include <exception>

namespace shell {
namespace {

QPushButton* button(const QString& name, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

template <typename W>
W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

LoginDialog::LoginDialog(LoginFlow::Connect connect, LoginDefaults defaults, QWidget* parent)
    : QDialog(parent), m_flow(std::move(connect)), m_defaults(std::move(defaults)) {
    setObjectName(QStringLiteral("login"));
    setWindowTitle(QStringLiteral("AF - Compras: acesso ao sistema"));
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(buildCredentialsPage());
    m_pages->addWidget(buildBranchPage());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    showPage(0);
}

LoginDialog::~LoginDialog() = default;

QWidget* LoginDialog::buildCredentialsPage() {
    auto* page = new QWidget;
    auto* server = new QGroupBox(QStringLiteral("Servidor de aplicação"));
    m_embedded = named(new QRadioButton(QStringLiteral("Embutido, sobre o banco local")), QStringLiteral("modoEmbutido"));
    m_remote = named(new QRadioButton(QStringLiteral("Remoto, no endereço:")), QStringLiteral("modoRemoto"));
    m_address = named(new QLineEdit(m_defaults.serverAddress), QStringLiteral("endereco"));
    m_address->setPlaceholderText(QStringLiteral("host:porta"));
    auto* localFile = named(new QLabel(m_defaults.databasePath), QStringLiteral("bancoLocal"));
    localFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    localFile->setIndent(20);
    auto* serverLayout = new QGridLayout(server);
    serverLayout->addWidget(m_embedded, 0, 0, 1, 2);
    serverLayout->addWidget(localFile, 1, 0, 1, 2);
    serverLayout->addWidget(m_remote, 2, 0);
    serverLayout->addWidget(m_address, 2, 1);
    (m_defaults.remote ? m_remote : m_embedded)->setChecked(true);
    m_address->setEnabled(m_defaults.remote);
    connect(m_remote, &QRadioButton::toggled, m_address, &QWidget::setEnabled);

    m_operator = named(new QLineEdit(m_defaults.operatorCode), QStringLiteral("operador"));
    m_operator->setMaxLength(12);
    connect(m_operator, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = m_operator->cursorPosition();
        m_operator->setText(text.toUpper());
        m_operator->setCursorPosition(cursor);
    });
    m_password = named(new QLineEdit, QStringLiteral("senha"));
    m_password->setEchoMode(QLineEdit::Password);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Operador:"), m_operator);
    fields->addRow(QStringLiteral("&Senha:"), m_password);

    m_status = named(new QLabel, QStringLiteral("situacao"));
    m_enter = button(QStringLiteral("entrar"), QStringLiteral("&Entrar"));
    auto* cancel = button(QStringLiteral("cancelar"), QStringLiteral("Cancelar"));
    connect(m_enter, &QPushButton::clicked, this, &LoginDialog::submitCredentials);
    connect(cancel, &QPushButton::clicked, this, &LoginDialog::reject);
    // The status has a line of its own: beside the buttons its longer texts were cut.
    m_status->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_enter);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(server);
    layout->addLayout(fields);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    return page;
}

QWidget* LoginDialog::buildBranchPage() {
    auto* page = new QWidget;
    m_who = named(new QLabel, QStringLiteral("operadorLogado"));
    m_branch = named(new QComboBox, QStringLiteral("filial"));
    m_branch->setSizeAdjustPolicy(QComboBox::AdjustToContents);  // the whole branch name, never cut
    m_date = named(new QLabel, QStringLiteral("dataProcessamento"));
    m_mode = named(new QLabel, QStringLiteral("modoFilial"));
    connect(m_branch, &QComboBox::currentIndexChanged, this, [this] { showBranchDetails(); });
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Operador:"), m_who);
    fields->addRow(QStringLiteral("&Filial de trabalho:"), m_branch);
    fields->addRow(QStringLiteral("Data de processamento:"), m_date);
    fields->addRow(QStringLiteral("Abrangência:"), m_mode);

    m_confirm = button(QStringLiteral("confirmar"), QStringLiteral("&Confirmar"));
    auto* back = button(QStringLiteral("voltar"), QStringLiteral("&Voltar"));
    auto* cancel = button(QStringLiteral("cancelarFilial"), QStringLiteral("Cancelar"));
    connect(m_confirm, &QPushButton::clicked, this, &LoginDialog::confirmBranch);
    connect(back, &QPushButton::clicked, this, &LoginDialog::goBack);
    connect(cancel, &QPushButton::clicked, this, &LoginDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_confirm);
    buttons->addWidget(back);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(buttons);
    return page;
}

int LoginDialog::page() const { return m_pages->currentIndex(); }

void LoginDialog::showPage(int page) {
    m_pages->setCurrentIndex(page);
    m_enter->setDefault(page == 0);
    m_confirm->setDefault(page == 1);
    if (page == 1) m_branch->setFocus();
    else (m_operator->text().isEmpty() ? m_operator : m_password)->setFocus();
}

ServerChoice LoginDialog::serverChoice() const { return ServerChoice{m_remote->isChecked(), m_address->text().trimmed()}; }

void LoginDialog::submitCredentials() {
    const bool firstRun = !m_remote->isChecked() && !QFileInfo::exists(m_defaults.databasePath);
    m_status->setText(firstRun ? QStringLiteral("Criando o banco de demonstração (primeira execução)...")
                               : QStringLiteral("Conectando..."));
    m_status->repaint();
    // The status goes before a refusal is shown: it describes work that has ended.
    std::exception_ptr failure;
    try {
        const WaitCursor wait;
        m_flow.authenticate(serverChoice(), m_operator->text(), m_password->text());
    } catch (...) {
        failure = std::current_exception();
    }
    m_status->clear();
    const bool ok = !failure || kit::guard(this, [&] { std::rethrow_exception(failure); });
    m_password->clear();
    if (!ok) {
        (m_operator->text().trimmed().isEmpty() ? m_operator : m_password)->setFocus();
        return;
    }
    fillBranches();
    showPage(1);
}

void LoginDialog::fillBranches() {
    const host::RemoteLogin& login = m_flow.login();
    m_who->setText(QStringLiteral("%1 - %2").arg(login.operatorCode, login.operatorName));
    const QSignalBlocker quiet(m_branch);
    m_branch->clear();
    for (const BranchRecord& b : m_flow.branches())
        m_branch->addItem(QStringLiteral("%1 - %2").arg(b.code, b.name), b.code);
    m_branch->setCurrentIndex(std::max(0, m_branch->findData(m_flow.suggestedBranch(m_defaults.branch))));
    showBranchDetails();
    adjustSize();  // the dialog grows to the longest branch name
}

void LoginDialog::showBranchDetails() {
    const QString code = m_branch->currentData().toString();
    for (const BranchRecord& b : m_flow.branches()) {
        if (b.code != code) continue;
        m_date->setText(b.processingDate ? b.processingDate->toString(QStringLiteral("dd/MM/yyyy"))
                                         : QStringLiteral("sem data de processamento"));
        m_mode->setText(worksInBranchMode(b) ? QStringLiteral("somente esta filial")
                                             : QStringLiteral("todas as filiais da central"));
        return;
    }
    m_date->clear();
    m_mode->clear();
}

void LoginDialog::confirmBranch() {
    kit::guard(this, [&] {
        m_result = m_flow.confirm(m_branch->currentData().toString());
        accept();
    });
}

void LoginDialog::goBack() {
    m_flow.abandon();
    showPage(0);
}

void LoginDialog::reject() {
    m_flow.abandon();
    QDialog::reject();
}

std::optional<LoginResult> LoginDialog::takeResult() {
    std::optional<LoginResult> result = std::move(m_result);
    m_result.reset();
    return result;
}

}  // namespace shell
