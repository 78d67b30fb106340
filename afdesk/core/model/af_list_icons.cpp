// The pictures of the AF list's icon columns, painted once: small and flat, on
// the key colour the grid leaves out.
#include "af_list_grid.h"

#include "platform/kit/grid_helpers.h"

#include <QtCore/QHash>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

namespace afdesk {

namespace {

constexpr int kSize = 14;

QColor ink(AfListIcon icon) {
    switch (icon) {
    case AfListIcon::Consistent: return QColor(0, 150, 0);
    case AfListIcon::Inconsistent: return QColor(210, 0, 0);
    case AfListIcon::WithinLimit: return QColor(0, 90, 200);
    case AfListIcon::OutsideLimit: return QColor(230, 120, 0);
    case AfListIcon::WebProduct: return QColor(120, 0, 170);
    case AfListIcon::Consolidating: return QColor(150, 80, 20);
    case AfListIcon::Distributed: return QColor(0, 140, 160);
    case AfListIcon::BoxChecked:
    case AfListIcon::BoxUnchecked: return QColor(30, 30, 30);
    }
    return Qt::black;
}

void paintMark(QPainter& p, const QPen& pen) {
    p.setPen(pen);
    p.drawPolyline(QPolygonF({QPointF(3.5, 7.5), QPointF(6, 10), QPointF(11, 4)}));
}

void paintIcon(QPainter& p, AfListIcon icon) {
    const QColor c = ink(icon);
    QPen thick(c, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (icon) {
    case AfListIcon::Consistent:
    case AfListIcon::WithinLimit:
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(QRectF(1, 1, kSize - 2, kSize - 2));
        paintMark(p, QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        break;
    case AfListIcon::Inconsistent:
    case AfListIcon::OutsideLimit:
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(QRectF(1, 1, kSize - 2, kSize - 2));
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4.5, 4.5), QPointF(9.5, 9.5));
        p.drawLine(QPointF(9.5, 4.5), QPointF(4.5, 9.5));
        break;
    case AfListIcon::WebProduct:  // a globe
        p.setPen(QPen(c, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(1.5, 1.5, kSize - 3, kSize - 3));
        p.drawEllipse(QRectF(4.5, 1.5, kSize - 9, kSize - 3));
        p.drawLine(QPointF(1.5, 7), QPointF(kSize - 1.5, 7));
        break;
    case AfListIcon::Consolidating:  // arrows converging into one box
    case AfListIcon::Distributed:    // a box sending arrows out
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawRect(icon == AfListIcon::Consolidating ? QRectF(8, 3, 5, 8) : QRectF(1, 3, 5, 8));
        p.setPen(thick);
        if (icon == AfListIcon::Consolidating) {
            p.drawLine(QPointF(1, 3), QPointF(6, 6));
            p.drawLine(QPointF(1, 11), QPointF(6, 8));
        } else {
            p.drawLine(QPointF(8, 6), QPointF(13, 3));
            p.drawLine(QPointF(8, 8), QPointF(13, 11));
        }
        break;
    case AfListIcon::BoxChecked:
    case AfListIcon::BoxUnchecked:
        p.setPen(QPen(c, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, kSize - 3, kSize - 3));
        if (icon == AfListIcon::BoxChecked) paintMark(p, thick);
        break;
    }
}

}  // namespace

QColor afListKeyColour() { return kit::fromBgr(0x008080); }

QColor afListInk(AfListIcon icon) { return ink(icon); }

QPixmap afListPicture(AfListIcon icon) {
    // Never destroyed: pixmaps must not outlive the application object's teardown order.
    static auto* cache = new QHash<int, QPixmap>;
    auto it = cache->find(int(icon));
    if (it != cache->end()) return *it;
    QPixmap pm(kSize, kSize);
    pm.fill(afListKeyColour());
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing, false);  // exact colours: the key colour must not blend
        paintIcon(p, icon);
    }
    return *cache->insert(int(icon), pm);
}

}  // namespace afdesk
