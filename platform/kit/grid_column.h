#pragma once
// One column of a data grid: the field it shows and how.
#include <QtCore/QString>
#include <QtCore/Qt>
#include <optional>

namespace kit {

struct GridColumn {
    QString fieldName;
    QString title;                                    // empty: the field's display label
    int width = 0;                                    // pixels; 0: from the field's size
    bool readOnly = false;
    bool visible = true;
    bool ellipsisButton = false;                      // "…" button in the current cell
    std::optional<Qt::Alignment> alignment;           // empty: the field's alignment
    Qt::Alignment titleAlignment = Qt::AlignLeft;

    GridColumn() = default;
    GridColumn(QString field, QString caption = {}, int w = 0)
        : fieldName(std::move(field)), title(std::move(caption)), width(w) {}

    // Fluent modifiers so a column list reads one line per column.
    GridColumn& asReadOnly() { readOnly = true; return *this; }
    GridColumn& hidden() { visible = false; return *this; }
    GridColumn& withButton() { ellipsisButton = true; return *this; }
    GridColumn& titleRight() { titleAlignment = Qt::AlignRight; return *this; }
    GridColumn& titleCentered() { titleAlignment = Qt::AlignHCenter; return *this; }
    GridColumn& aligned(Qt::Alignment a) { alignment = a; return *this; }
};

}  // namespace kit
