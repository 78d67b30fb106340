#pragma once
// The standard dialog screen: a modal dialog with "OK" and "Cancelar" below
// its content, Enter as Tab (Enter on a focused button still presses it), key
// preview, and its behaviour in two virtuals run inside the kit's exception
// boundary: doConfirm() (OK, after the focused control's typed text was
// written; the standard one accepts the dialog) and
// doCancel() (Cancelar, Esc or closing the window; the standard one rejects
// it). A screen overrides them and calls the base version to close.
// A failing confirmation (Abort, UserError) leaves the dialog open.
#include <QtWidgets/QDialog>

class QDialogButtonBox;
class QKeyEvent;
class QPushButton;
class QVBoxLayout;

namespace kit {

class KeyPreview;
class ScreenKeys;

class StandardDialogScreen : public QDialog {
public:
    explicit StandardDialogScreen(const QString& screenCode, QWidget* parent = nullptr);

    const QString& screenCode() const { return m_screenCode; }
    // Where the screen puts its controls (above the buttons).
    QVBoxLayout* contentLayout() const { return m_content; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    QDialogButtonBox* buttonBox() const { return m_buttons; }
    ScreenKeys& keys() const { return *m_keys; }

    // What the buttons do; true when the work completed.
    bool pressOk();
    bool pressCancel();

    // Esc and the window's close button go through doCancel().
    void reject() override;

protected:
    virtual void doConfirm();
    virtual void doCancel();
    // True when the key was handled (the control never sees it). The standard
    // one forwards F9 to the lookup button of the focused edit box.
    virtual bool onKeyPreview(QKeyEvent* event);
    // The first time it is shown, the focus starts on the first field a user
    // would type in, not on the buttons (created before the screen's fields).
    void showEvent(QShowEvent* event) override;

private:
    QWidget* firstField() const;

    QString m_screenCode;
    QVBoxLayout* m_content = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    KeyPreview* m_preview = nullptr;
    ScreenKeys* m_keys = nullptr;
    bool m_focusPlaced = false;
};

}  // namespace kit
