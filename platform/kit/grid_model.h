#pragma once
// The table model behind DBGrid: rows are the dataset's visible rows, columns
// the grid's column list. It asks the dataset for each cell as it is painted
// (nothing is copied), resets only when the whole set changes and repaints one
// row when the current record changes.
#include "data_source.h"
#include "grid_column.h"

#include <QtCore/QAbstractTableModel>
#include <vector>

namespace kit {

class DBGrid;

class GridModel : public QAbstractTableModel, public DataLink {
public:
    explicit GridModel(DBGrid* grid);

    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const { return m_columns; }
    GridColumn& columnRef(int index) { return m_columns[size_t(index)]; }
    bool autoColumns() const { return m_auto; }
    host::Field* fieldOf(int column) const;
    host::Dataset* dataset() const;
    void reset();  // re-reads rows, fields and auto columns
    void unbind() { unbindQuietly(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // DataLink
    void dataEvent(const host::DataEvent& event) override;
    void sourceChanged() override;
    bool hasPendingEdit() const override;
    void commitPendingEdit() override;
    QWidget* control() override;
    bool focusField(const QString& fieldName) override;

private:
    void resolveFields();
    void rowChanged(int row);

    DBGrid* m_grid;
    std::vector<GridColumn> m_columns;
    std::vector<host::Field*> m_fields;  // per column, resolved at each reset
    bool m_auto = true;
    int m_rows = 0;
};

}  // namespace kit
