#pragma once
// The AF list grid (`dbgAutoForne`): its columns, the drawing of its icon
// columns and the rules that show the optional columns.
#include <QtCore/QString>
#include <QtGui/QColor>
#include <QtGui/QPixmap>
#include <optional>

namespace kit {
class DBGrid;
struct GridCell;
}  // namespace kit

namespace afdesk {

enum class AfListIcon {
    Consistent,     // IDSITUATUAAF other than "1"
    Inconsistent,   // IDSITUATUAAF "1"
    WithinLimit,    // IDAFFORALIM other than "S"
    OutsideLimit,   // IDAFFORALIM "S"
    WebProduct,     // IDAFPRODWEB "S"
    Consolidating,  // IDAFOPERLOG "1"
    Distributed,    // IDAFOPERLOG "2"
    BoxChecked,     // IDAUTOFORNEX, IDBAIXITMFUTURA "S"
    BoxUnchecked,   // IDAUTOFORNEX, IDBAIXITMFUTURA otherwise
};

// What the list draws in place of a field's text: none for a text column or
// for a value that draws nothing (IDAFPRODWEB other than "S", IDAFOPERLOG other than "1"/"2").
bool isAfListIconColumn(const QString& fieldName);
std::optional<AfListIcon> afListIconFor(const QString& fieldName, const QString& value);

// The pictures (their background is the key colour, left out when drawn).
QPixmap afListPicture(AfListIcon icon);
QColor afListKeyColour();  // 0x008080
// The colour that tells a picture apart in tests and screenshots: its main ink.
QColor afListInk(AfListIcon icon);

struct AfListColumnFlags {
    bool marketplace = false;       // the marketplace update is on (IDSITUENVAFMCD)
    bool logisticBranches = false;  // at least one logistic-operator branch exists (IDBAIXAFSAI)
};

// The column rules by themselves.
inline bool showsMarketplaceColumn(const AfListColumnFlags& f) { return f.marketplace; }
inline bool showsOutboundReceiptColumn(const AfListColumnFlags& f) { return f.logisticBranches; }

// Sets the grid's columns (left to right, with their titles), makes it a
// browse-only list (no typing, inserting or Ctrl+Delete) and draws the icon
// columns. The grid's data source must already show cdsServAutoForne (its
// labels become the titles).
void configureAfListGrid(kit::DBGrid& grid, const AfListColumnFlags& flags = {});
// Shows or hides the optional columns.
void applyAfListColumnFlags(kit::DBGrid& grid, const AfListColumnFlags& flags);
// The cell drawing configureAfListGrid installs, for screens that draw more.
void drawAfListCell(kit::DBGrid& grid, kit::GridCell& cell);

}  // namespace afdesk
