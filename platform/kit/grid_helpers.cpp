#include "grid_helpers.h"

#include "data_source.h"
#include "db_grid.h"

#include <QtGui/QBitmap>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>

namespace kit {

int IndiceCol(const DBGrid& grid, const QString& fieldName) { return grid.columnOf(fieldName); }

void InsereImagem(DBGrid&, GridCell& cell, const QPixmap& picture, const QColor& transparent) {
    if (!cell.painter) return;
    cell.painter->fillRect(cell.rect, cell.background);
    QPixmap pm = picture;
    if (transparent.isValid() && !pm.isNull()) pm.setMask(pm.createMaskFromColor(transparent, Qt::MaskInColor));
    const QSize size = pm.deviceIndependentSize().toSize().boundedTo(cell.rect.size());
    const QRect target(QPoint(cell.rect.center().x() - size.width() / 2 + 1, cell.rect.center().y() - size.height() / 2 + 1),
                       size);
    cell.painter->drawPixmap(target, pm);
    cell.handled = true;
}

QColor fromBgr(quint32 bgr) { return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)); }

void SetChildEnabled(QWidget* container, bool enabled) {
    if (!container) return;
    container->setEnabled(enabled);
    for (QWidget* child : container->findChildren<QWidget*>()) child->setEnabled(enabled);
}

void flushFocusedEditor() {
    // Find the kit control the focused widget belongs to (a grid's cell editor is its child).
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (auto* link = dynamic_cast<DataLink*>(w)) {
            if (link->hasPendingEdit()) link->commitPendingEdit();
            return;
        }
        if (auto* grid = dynamic_cast<DBGrid*>(w)) {
            grid->commitEditor();
            return;
        }
    }
}

}  // namespace kit
