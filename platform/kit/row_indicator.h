#pragma once
// The narrow column at the left of a grid marking the current row: an arrow
// while browsing, "I" while it is edited, "*" while it is being inserted.
#include <QtWidgets/QHeaderView>

namespace kit {

class DBGrid;

class RowIndicator : public QHeaderView {
public:
    explicit RowIndicator(DBGrid* grid);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    DBGrid* m_grid;
};

}  // namespace kit
