#pragma once
// The grid's item delegate: paints cells through DBGrid (and its draw callback)
// and hands the cell editor's keys and focus to the grid, which decides what
// Enter, Tab, arrows and Esc do instead of Qt's defaults.
#include <QtWidgets/QStyledItemDelegate>

namespace kit {

class DBGrid;

class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(DBGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DBGrid* m_grid;
};

}  // namespace kit
