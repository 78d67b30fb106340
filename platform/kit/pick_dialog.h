#pragma once
// The pick list: the rows of a lookup in a table with a search box. Typing in
// the box keeps the rows holding the text in any column (letter case and
// accents ignored) and selects the first; Enter or a double click picks the
// current row; with several allowed, rows are ticked (click on the box, Space
// in the list, or in the search box while it is empty or after an arrow key
// moved along the list) and OK returns the ticked ones, or the current row
// when none is ticked.
#include "host/services/dialog_service.h"

#include <QtWidgets/QDialog>

class QLineEdit;
class QTableView;
class QSortFilterProxyModel;

namespace kit {

class PickModel;

class PickDialog : public QDialog {
public:
    explicit PickDialog(const host::PickList& list, QWidget* parent = nullptr);
    ~PickDialog() override;

    // Codes chosen when the dialog was accepted (in list order).
    QStringList chosenCodes() const;
    QLineEdit* searchBox() const { return m_search; }
    QTableView* table() const { return m_table; }
    int visibleRowCount() const;
    QString currentCode() const;

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void searchChanged(const QString& text);
    void setAllTicked(bool on);

    const bool m_multiple;
    PickModel* m_model;
    QSortFilterProxyModel* m_proxy;
    QLineEdit* m_search;
    QTableView* m_table;
    QStringList m_chosen;
    bool m_choosingRow = false;  // an arrow key moved along the list since the search text changed
};

}  // namespace kit
