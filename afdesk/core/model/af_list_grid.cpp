#include "af_list_grid.h"

#include "platform/kit/data_source.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/grid_helpers.h"

#include "host/data/dataset.h"

namespace afdesk {

namespace {

bool is(const QString& value, const char* code) { return value.trimmed() == QLatin1String(code); }

// Every column the list shows, left to right; titles are the fields' labels.
std::vector<kit::GridColumn> afListColumns() {
    auto icon = [](const char* field, int width) {
        return kit::GridColumn(QString::fromLatin1(field), {}, width).aligned(Qt::AlignCenter).titleCentered();
    };
    auto text = [](const char* field, int width) { return kit::GridColumn(QString::fromLatin1(field), {}, width); };
    return {icon("IDAFPRODWEB", 22),
            icon("IDAFOPERLOG", 22),
            text("DTAUTOFORN", 78),
            text("NRAUTOFORN", 100),
            text("CDFILLANC", 42),
            text("NMRAZSOCFORN", 230),
            text("DTPROGENTAF", 78),
            icon("IDAUTOFORNEX", 42),
            text("IDBAIXAAF", 100),
            text("IDBAIXAFSAI", 100),
            icon("IDSITUATUAAF", 42),
            icon("IDAFFORALIM", 36),
            text("VRTOTALAF", 110).titleRight(),
            text("IDSITUENVAFMCD", 140),
            icon("IDBAIXITMFUTURA", 80)};
}

}  // namespace

bool isAfListIconColumn(const QString& fieldName) {
    static const QStringList names{QStringLiteral("IDAFPRODWEB"),  QStringLiteral("IDAFOPERLOG"),
                                   QStringLiteral("IDAUTOFORNEX"), QStringLiteral("IDSITUATUAAF"),
                                   QStringLiteral("IDAFFORALIM"),  QStringLiteral("IDBAIXITMFUTURA")};
    return names.contains(fieldName, Qt::CaseInsensitive);
}

std::optional<AfListIcon> afListIconFor(const QString& fieldName, const QString& value) {
    const QString f = fieldName.toUpper();
    if (f == QLatin1String("IDSITUATUAAF")) return is(value, "1") ? AfListIcon::Inconsistent : AfListIcon::Consistent;
    if (f == QLatin1String("IDAFFORALIM")) return is(value, "S") ? AfListIcon::OutsideLimit : AfListIcon::WithinLimit;
    if (f == QLatin1String("IDAFPRODWEB"))
        return is(value, "S") ? std::optional(AfListIcon::WebProduct) : std::nullopt;
    if (f == QLatin1String("IDAFOPERLOG")) {
        if (is(value, "1")) return AfListIcon::Consolidating;
        if (is(value, "2")) return AfListIcon::Distributed;
        return std::nullopt;
    }
    if (f == QLatin1String("IDAUTOFORNEX") || f == QLatin1String("IDBAIXITMFUTURA"))
        return is(value, "S") ? AfListIcon::BoxChecked : AfListIcon::BoxUnchecked;
    return std::nullopt;
}

void drawAfListCell(kit::DBGrid& grid, kit::GridCell& cell) {
    if (!cell.field || !cell.dataset || cell.dataset->isEmpty()) return;
    if (!isAfListIconColumn(cell.field->name())) return;
    // An icon column never shows its code as text, also where it draws no picture.
    cell.handled = true;
    const std::optional<AfListIcon> icon = afListIconFor(cell.field->name(), cell.asString(cell.field->name()));
    if (icon) kit::InsereImagem(grid, cell, afListPicture(*icon), afListKeyColour());
}

void applyAfListColumnFlags(kit::DBGrid& grid, const AfListColumnFlags& flags) {
    grid.setColumnVisible(QStringLiteral("IDSITUENVAFMCD"), showsMarketplaceColumn(flags));
    grid.setColumnVisible(QStringLiteral("IDBAIXAFSAI"), showsOutboundReceiptColumn(flags));
}

void configureAfListGrid(kit::DBGrid& grid, const AfListColumnFlags& flags) {
    kit::GridOptions options = grid.options();
    options.editing = false;
    options.allowInsert = false;
    options.allowDelete = false;
    grid.setOptions(options);
    // Titles are the list fields' labels, taken now: the list is still closed
    // until the first filter run and the grid would show the field names.
    std::vector<kit::GridColumn> columns = afListColumns();
    if (const host::Dataset* list = grid.dataSource() ? grid.dataSource()->dataset() : nullptr)
        for (kit::GridColumn& c : columns)
            if (const host::Field* f = list->findField(c.fieldName)) c.title = f->displayLabel();
    grid.setColumns(std::move(columns));
    applyAfListColumnFlags(grid, flags);
    grid.onDrawColumnCell = [&grid](kit::GridCell& cell) { drawAfListCell(grid, cell); };
}

}  // namespace afdesk
