#pragma once
// Lookup button (`btn...`/`btp...`, TBtnPesquisa): a small button
// beside an edit box. Pressing it (or F9, key 120, in the edit box when the
// screen forwards it or f9OnEdit is on):
//   1. onBeforeLookup fills the data source's dataset (it may point the button
//      at another data source, or throw Abort/UserError to stop);
//   2. the rows are offered in a pick list titled `title` (through
//      host::dialogs().pick); with no rows the empty-list text is shown instead;
//   3. a picked row becomes the dataset's current row and onAfterLookup copies
//      its values into the screen.
#include <QtWidgets/QToolButton>
#include <functional>
#include <vector>

class QLineEdit;

namespace kit {

class DataSource;

struct LookupColumn {
    QString fieldName;
    QString title;  // empty: the field's display label
};

class TBtnPesquisa : public QToolButton {
    Q_OBJECT

public:
    explicit TBtnPesquisa(QWidget* parent = nullptr);

    void setEdit(QLineEdit* edit);
    QLineEdit* edit() const { return m_edit; }
    void setDataSource(DataSource* source) { m_source = source; }
    DataSource* dataSource() const { return m_source; }
    // "Título|Texto da lista vazia" is split when no empty text is set apart.
    void setTitle(const QString& title);
    QString title() const { return m_title; }
    void setEmptyText(const QString& text) { m_emptyText = text; }
    QString emptyText() const { return m_emptyText; }
    // Columns shown; none: every visible field.
    void setColumns(std::vector<LookupColumn> columns) { m_columns = std::move(columns); }
    // The field whose text is the code of a row in the pick list; empty: the row's position.
    void setKeyField(const QString& name) { m_keyField = name; }
    void setMultiple(bool on) { m_multiple = on; }
    bool multiple() const { return m_multiple; }
    // F9 in the bound edit box presses the button.
    void setF9OnEdit(bool on);

    // What a press does; true when a row was picked and the after-lookup handler ran.
    bool execute();
    // For screens that forward keys: F9 presses the button. True when it did.
    bool handleKey(const QKeyEvent* e);
    // The codes picked by the last lookup (one unless multiple).
    const QStringList& pickedCodes() const { return m_picked; }

    std::function<void(TBtnPesquisa&)> onBeforeLookup;
    std::function<void(TBtnPesquisa&)> onAfterLookup;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void lookup(bool* picked);

    QLineEdit* m_edit = nullptr;
    DataSource* m_source = nullptr;
    QString m_title;
    QString m_emptyText;
    std::vector<LookupColumn> m_columns;
    QString m_keyField;
    bool m_multiple = false;
    bool m_f9 = false;
    QStringList m_picked;
};

}  // namespace kit
