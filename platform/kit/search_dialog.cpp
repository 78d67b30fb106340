#include "search_dialog.h"

#include "guard.h"
#include "host/data/errors.h"
#include "host/services/dialog_service.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

namespace kit {

namespace {

// Lower case without accents, so "joao" finds "João".
QString folded(const QString& s) {
    const QString decomposed = s.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing) out.append(c.toLower());
    return out;
}

QPushButton* makeButton(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);  // Enter presses the default button wherever the focus is
    return b;
}

}  // namespace

SearchDialog::SearchDialog(host::Dataset& dataset, QWidget* parent, const QString& initialField)
    : QDialog(parent), m_dataset(dataset) {
    setWindowTitle(QStringLiteral("Procurar"));
    setObjectName(QStringLiteral("frmProcura"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    m_fields = new QComboBox(this);
    m_fields->setObjectName(QStringLiteral("cbxCampo"));
    for (const host::Field* f : dataset.fields())
        if (f->visible()) m_fields->addItem(f->displayLabel(), f->index());
    if (const host::Field* f = initialField.isEmpty() ? nullptr : dataset.findField(initialField)) {
        const int at = m_fields->findData(f->index());
        if (at >= 0) m_fields->setCurrentIndex(at);
    }
    form->addRow(QStringLiteral("Campo"), m_fields);
    m_value = new QLineEdit(this);
    m_value->setObjectName(QStringLiteral("edtValor"));
    form->addRow(QStringLiteral("Valor"), m_value);

    auto* how = new QGroupBox(QStringLiteral("Procurar por"), this);
    auto* howLayout = new QVBoxLayout(how);
    m_startsWith = new QRadioButton(QStringLiteral("Início do campo"), how);
    m_startsWith->setObjectName(QStringLiteral("rbtInicio"));
    m_contains = new QRadioButton(QStringLiteral("Qualquer parte do campo"), how);
    m_contains->setObjectName(QStringLiteral("rbtQualquer"));
    m_startsWith->setChecked(true);
    howLayout->addWidget(m_startsWith);
    howLayout->addWidget(m_contains);
    layout->addWidget(how);

    auto* buttons = new QDialogButtonBox(this);
    m_find = makeButton(QStringLiteral("&Procurar"), "btnProcurar", this);
    m_next = makeButton(QStringLiteral("Pró&ximo"), "btnProximo", this);
    m_close = makeButton(QStringLiteral("&Fechar"), "btnFechar", this);
    buttons->addButton(m_find, QDialogButtonBox::ActionRole);
    buttons->addButton(m_next, QDialogButtonBox::ActionRole);
    buttons->addButton(m_close, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    m_find->setDefault(true);

    connect(m_find, &QPushButton::clicked, this, [this] { findFirst(); });
    connect(m_next, &QPushButton::clicked, this, [this] { findNext(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_fields, &QComboBox::currentIndexChanged, this, [this] { criteriaChanged(); });
    connect(m_value, &QLineEdit::textEdited, this, [this] { criteriaChanged(); });
    connect(m_startsWith, &QRadioButton::toggled, this, [this] { criteriaChanged(); });
    m_value->setFocus();
}

void SearchDialog::criteriaChanged() { m_find->setDefault(true); }

bool SearchDialog::findFirst() { return findFrom(0); }

bool SearchDialog::findNext() { return findFrom(m_dataset.currentViewRow() + 1); }

bool SearchDialog::findFrom(int viewRow) {
    bool found = false;
    guard(this, [&] {
        if (!m_dataset.active() || m_fields->currentIndex() < 0) throw host::Abort();
        const QString wanted = folded(m_value->text().trimmed());
        if (wanted.isEmpty()) {
            m_value->setFocus();
            throw host::UserError(QStringLiteral("Informe o valor a procurar."));
        }
        const int field = m_fields->currentData().toInt();
        const bool anywhere = m_contains->isChecked();
        for (int row = std::max(viewRow, 0); row < m_dataset.recordCount() && !found; ++row) {
            const QString text = folded(m_dataset.displayTextAt(row, field));
            if (anywhere ? text.contains(wanted) : text.startsWith(wanted)) {
                m_dataset.setRecNo(row + 1);
                found = true;
            }
        }
        if (!found) {
            host::dialogs().showMessage(host::MessageKind::Information, QStringLiteral("Registro não encontrado."), this);
            return;
        }
        m_next->setDefault(true);  // Enter again goes on to the next match
    });
    return found;
}

void Procura(host::Dataset& dataset, QWidget* parent, const QString& initialField) {
    if (!dataset.active()) return;
    SearchDialog dialog(dataset, parent, initialField);
    dialog.exec();
}

}  // namespace kit
