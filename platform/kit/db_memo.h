#pragma once
// Multi-line text bound to a field (`dbm...`). Like the edit box: typing starts
// the edit, the text is written when the memo is left, Esc drops it.
#include "field_control.h"
#include "focus_exit.h"

#include <QtWidgets/QPlainTextEdit>

namespace kit {

class DBMemo : public QPlainTextEdit, public FieldControl {
public:
    explicit DBMemo(QWidget* parent = nullptr);
    DBMemo(DataSource* source, const QString& fieldName, QWidget* parent = nullptr);

    bool isModified() const { return m_modified; }
    void commit();  // throws when the field refuses the text
    void reset();

    std::function<bool(QKeyEvent*)> onKeyDown;

    bool hasPendingEdit() const override { return m_modified; }
    void commitPendingEdit() override { commit(); }

protected:
    void refresh() override;
    void updateState() override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void textChangedByUser();
    bool m_modified = false;
    FocusTracker m_tracker;
};

}  // namespace kit
