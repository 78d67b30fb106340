#include "standard_dialog_screen.h"

#include "grid_helpers.h"
#include "guard.h"
#include "key_preview.h"
#include "screen_keys.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace kit {

StandardDialogScreen::StandardDialogScreen(const QString& screenCode, QWidget* parent)
    : QDialog(parent), m_screenCode(screenCode) {
    setObjectName(screenCode);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_content = new QVBoxLayout;
    layout->addLayout(m_content, 1);

    m_buttons = new QDialogButtonBox(this);
    m_ok = m_buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_cancel = m_buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    m_cancel->setObjectName(QStringLiteral("btnCancelar"));
    layout->addWidget(m_buttons);
    // A click must not take the focus: leaving an edit box would validate it once
    // on the way out and again when the confirmation writes it.
    m_ok->setFocusPolicy(Qt::TabFocus);
    m_cancel->setFocusPolicy(Qt::TabFocus);
    m_ok->setDefault(true);
    // The buttons run the behaviour directly: QDialogButtonBox's accepted() would
    // also fire for buttons screens add with an accepting role.
    connect(m_ok, &QPushButton::clicked, this, [this] { pressOk(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { pressCancel(); });

    // The preview comes first so that it sees a key after Enter became Tab.
    m_preview = new KeyPreview(this, [this](QKeyEvent* e) { return onKeyPreview(e); });
    m_keys = new ScreenKeys(this);
    m_keys->enterAsTab = [] { return true; };
    m_keys->addEnterException(m_buttons);
}

bool StandardDialogScreen::pressOk() {
    return m_ok->isEnabled() && guard(this, [this] {
               flushFocusedEditor();  // the last typed value counts
               doConfirm();
           });
}

bool StandardDialogScreen::pressCancel() { return guard(this, [this] { doCancel(); }); }

void StandardDialogScreen::reject() { pressCancel(); }

void StandardDialogScreen::doConfirm() { accept(); }

void StandardDialogScreen::doCancel() { QDialog::reject(); }

QWidget* StandardDialogScreen::firstField() const {
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (!isAncestorOf(w) || m_buttons->isAncestorOf(w)) continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this) && w->isEnabled()) return w;
    }
    return nullptr;
}

void StandardDialogScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_focusPlaced) return;
    m_focusPlaced = true;
    QWidget* current = focusWidget();
    if (current && current != this && !m_buttons->isAncestorOf(current)) return;  // the screen chose already
    if (QWidget* field = firstField()) field->setFocus(Qt::TabFocusReason);
}

bool StandardDialogScreen::onKeyPreview(QKeyEvent* event) { return standardPreviewKeys(this, event); }

}  // namespace kit
