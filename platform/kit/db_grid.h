#pragma once
// Data grid (`dbg...`): the visible rows of a data source's dataset in a table.
//
// The grid's current row IS the dataset's cursor: moving in the grid (keys,
// clicks) moves the cursor through the dataset, so scroll handlers run and a
// before-scroll refusal leaves the grid where it was; moving the cursor from
// code moves the grid. Cells are edited in place: typing (or F2, or a click on
// the current cell) opens the cell editor and puts the dataset in edit state;
// the typed text is written through Field::setText when the cell is left.
//
// Keys, editor open or not:
//   Enter       write the cell; on the last column post the row, else go to the next column
//   Tab/S-Tab   next/previous column, wrapping to the next/previous row (when tab moves are on)
//   Up/Down     write the cell and move (the dataset posts or drops the row it leaves);
//               Down on the last row appends one when inserts are allowed
//   Esc         drop the cell's typed text; with nothing typed, cancel the row's edit
//   Ctrl+Enter  the column's "…" button; Ctrl+Delete deletes the row (after "Confirma exclusão?")
//   Insert      inserts a row when inserts are allowed
//
// Screens hook in through callbacks: onKeyDown (before anything, may swallow
// the key, also while the cell editor is open), onDrawColumnCell (each cell:
// change text and colours or draw it), onEditButtonClick, onColEnter/onColExit,
// onEnter/onExit, onDblClick, onTitleClick.
//
// Tick column: setTickColumn("IDCHECK") draws "C" ticked and "U" unticked, and
// toggles a row on a click in that column, a double click on the row or Space;
// Ctrl+Space or a click on its title sets every row ("C" when the current row
// is "U", else "U").
#include "data_source.h"
#include "grid_column.h"
#include "masked_line_edit.h"

#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtWidgets/QTableView>
#include <functional>
#include <vector>

namespace kit {

class DBGrid;
class GridModel;

struct GridOptions {
    bool editing = true;         // cells can be edited
    bool allowInsert = true;     // Down past the last row, Insert
    bool allowDelete = true;     // Ctrl+Delete
    bool confirmDelete = true;   // asks "Confirma exclusão?" first
    bool tabs = true;            // Tab moves between cells instead of leaving the grid
    bool indicator = true;       // row indicator at the left
    bool titles = true;
    bool rowSelect = false;      // the whole current row is highlighted
    bool columnResize = true;
};

// What the draw callback receives for one cell.
struct GridCell {
    QPainter* painter = nullptr;
    QRect rect;
    int row = 0;     // view row of the dataset
    int column = 0;  // grid column index
    host::Field* field = nullptr;
    bool selected = false;  // highlighted (current cell, or current row with rowSelect)
    bool focused = false;   // current cell of the focused grid
    bool editing = false;   // the cell editor is open on it
    QString text;           // the field's display text for this row
    QColor textColor;
    QColor background;      // already painted when the callback runs
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool handled = false;   // true: the callback painted the cell, the grid draws no text

    // Values of the row being drawn (the dataset's current record is another row).
    host::Value value(const QString& fieldName) const;
    QString displayText(const QString& fieldName) const;
    QString asString(const QString& fieldName) const;
    // Paints text with the cell's colour, font and alignment (2 pixels in from the edge).
    void drawText() const;
    void fillBackground(const QColor& colour) const;

    const host::Dataset* dataset = nullptr;
};

struct TickOptions {
    QString ticked = QStringLiteral("C");
    QString unticked = QStringLiteral("U");
    bool clickToggles = true;        // a click in the tick column
    bool doubleClickToggles = true;  // a double click anywhere on the row
};

class DBGrid : public QTableView {
public:
    explicit DBGrid(QWidget* parent = nullptr);
    ~DBGrid() override;

    void setDataSource(DataSource* source);
    DataSource* dataSource() const;
    host::Dataset* dataset() const;

    // Columns: empty list shows every visible field of the dataset.
    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const;
    int columnCountConfigured() const { return int(columns().size()); }
    const GridColumn& column(int index) const;
    int columnOf(const QString& fieldName) const;  // -1 when no column shows it
    host::Field* columnField(int index) const;
    void setColumnVisible(int index, bool visible);
    void setColumnVisible(const QString& fieldName, bool visible);
    void setColumnReadOnly(int index, bool readOnly);
    void setColumnButton(int index, bool ellipsis);
    void setColumnTitle(int index, const QString& title);

    const GridOptions& options() const { return m_options; }
    void setOptions(const GridOptions& options);
    void setReadOnly(bool on);
    bool isReadOnly() const { return m_readOnly; }

    // The current cell: the dataset's current row and this column.
    int currentColumn() const { return m_currentColumn; }
    // Moves to the column (runs onColExit, then onColEnter); throws when refused.
    void setCurrentColumn(int column);
    host::Field* selectedField() const;

    // Editing mode: the cell editor open on the current cell.
    bool editorMode() const { return m_editor != nullptr; }
    void setEditorMode(bool on);
    MaskedLineEdit* cellEditor() const { return m_editor; }
    // Writes the cell editor's typed text to the field (throws when refused). Screens call
    // this (or DataSource::updateRecord / kit::flushFocusedEditor) before posting.
    void commitEditor();
    bool editorModified() const;

    void setTickColumn(const QString& fieldName, TickOptions options = {});
    const QString& tickField() const { return m_tickField; }
    void toggleTick();    // current row
    void setAllTicks();   // every visible row, by the current row's tick

    // Screen callbacks (all run inside the kit's exception boundary).
    std::function<bool(QKeyEvent*)> onKeyDown;   // true swallows the key
    std::function<void(GridCell&)> onDrawColumnCell;
    std::function<void(int column)> onEditButtonClick;
    std::function<void()> onColEnter;
    std::function<void()> onColExit;             // throwing keeps the current column
    std::function<void()> onEnter;
    std::function<void()> onExit;                // throwing keeps the focus in the grid
    std::function<void()> onDblClick;
    std::function<void(int column)> onTitleClick;

    // Row height in pixels.
    int rowHeight() const;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyboardSearch(const QString&) override {}
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void commitData(QWidget* editor) override;
    bool event(QEvent* e) override;

private:
    friend class GridModel;
    friend class GridDelegate;
    friend class RowIndicator;

    // Model notifications.
    void aboutToReset();
    void afterReset();
    void cursorMoved();
    void stateChanged();

    // Navigation.
    void syncCurrent();
    int cursorRow() const;
    int firstVisibleColumn() const;
    int lastVisibleColumn() const;
    int nextVisibleColumn(int from, int step) const;
    bool canEditCell(int column) const;
    bool canInsert() const;
    void moveRows(int distance);
    void moveDown();
    bool tabMove(bool forward);  // false when there is no cell to go to
    void enterKey();
    bool escapeKey();
    void deleteRow();
    void typeIntoCell(QKeyEvent* e);
    void clickCell(const QModelIndex& index, bool onCurrentCell);
    bool ellipsisHit(const QPoint& viewportPos) const;
    void editButtonClick(int column);
    bool handleKey(QKeyEvent* e, bool fromEditor);

    // Editor.
    void openEditor();
    void closeCellEditor();
    void ensureEditing();
    bool editorKeyPress(QKeyEvent* e);
    void editorFocusOut(QFocusEvent* e);
    void editorEdited();
    void fieldChanged(host::Field* field);
    void loadEditorText();
    QWidget* createCellEditor(QWidget* parent, int column);
    void loadEditor(MaskedLineEdit* editor, int column);

    // Focus within the grid and its editor.
    bool focusWithin() const;
    void leftGrid();

    // Painting.
    void paintCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    QRect ellipsisRect(const QRect& cell) const;
    void applyColumnLayout();
    int defaultColumnWidth(int column) const;
    int titleWidth(int column) const;  // the title's text with the header's margins

    GridModel* m_model;
    GridOptions m_options;
    bool m_readOnly = false;
    int m_currentColumn = 0;
    bool m_syncing = false;
    QPointer<MaskedLineEdit> m_editor;
    QObject* m_editorObject = nullptr;  // the same editor, for address comparisons only
    int m_editorColumn = -1;
    bool m_editorModified = false;
    bool m_loadingEditor = false;
    bool m_committing = false;
    bool m_forwardingKey = false;
    bool m_applyingLayout = false;
    int m_editorRow = -1;
    bool m_focusWithin = false;
    int m_savedScroll = 0;
    QString m_tickField;
    TickOptions m_tick;
    QTimer m_editDelay;  // a click on the current cell edits it unless it was half of a double click
};

}  // namespace kit
