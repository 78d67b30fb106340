#pragma once
// Helpers screens call around grids and containers.
#include <QtCore/QString>
#include <QtGui/QColor>
#include <QtGui/QPixmap>

class QWidget;

namespace kit {

class DBGrid;
struct GridCell;

// Position of the grid column bound to the field (case-insensitive); -1 when none.
int IndiceCol(const DBGrid& grid, const QString& fieldName);

// Draws a picture centred in a cell being painted (from onDrawColumnCell). Pixels
// of `transparent` are left out: such pictures mark their background with a key colour
// (0x008080, olive, in the screens). Marks the cell handled.
void InsereImagem(DBGrid& grid, GridCell& cell, const QPixmap& picture, const QColor& transparent = QColor());

// A colour written as 0x00BBGGRR, as the screens give them (0x008080 is olive).
QColor fromBgr(quint32 bgr);

// Enables or disables a container and every control inside it.
void SetChildEnabled(QWidget* container, bool enabled);

// Writes the typed text of the control that has the focus, when it is a kit
// control (edit box, memo, grid cell). Throws when the field refuses it (the
// control keeps the focus). Screens call this before posting or moving.
void flushFocusedEditor();

}  // namespace kit
