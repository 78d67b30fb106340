// DBGrid: the tick column.
#include "db_grid.h"
#include "host/data/field.h"

#include <utility>

namespace kit {

namespace {

// One row's tick. A row already being edited keeps its edit; otherwise the tick is posted at once.
void writeTick(host::Dataset& ds, host::Field& f, const QString& value) {
    if (ds.editing()) {
        f.setAsString(value);
        return;
    }
    ds.edit();
    try {
        f.setAsString(value);
        ds.post();
    } catch (...) {
        if (ds.editing()) ds.cancel();
        throw;
    }
}

// Moving through every row to tick it is not the user scrolling: the scroll handlers stay out.
class ScrollHandlersOff {
public:
    explicit ScrollHandlersOff(host::Dataset& ds)
        : m_ds(ds), m_before(std::exchange(ds.beforeScroll, {})), m_after(std::exchange(ds.afterScroll, {})) {}
    ~ScrollHandlersOff() {
        m_ds.beforeScroll = std::move(m_before);
        m_ds.afterScroll = std::move(m_after);
    }

private:
    host::Dataset& m_ds;
    host::Dataset::Event m_before, m_after;
};

}  // namespace

void DBGrid::setTickColumn(const QString& fieldName, TickOptions options) {
    m_tickField = fieldName;
    m_tick = std::move(options);
    viewport()->update();
}

void DBGrid::toggleTick() {
    host::Dataset* ds = dataset();
    if (!ds || m_tickField.isEmpty() || ds->isEmpty()) return;
    host::Field& f = ds->field(m_tickField);
    commitEditor();
    const QString now = f.asString().trimmed();
    writeTick(*ds, f, now == m_tick.unticked ? m_tick.ticked : m_tick.unticked);
}

void DBGrid::setAllTicks() {
    host::Dataset* ds = dataset();
    if (!ds || m_tickField.isEmpty() || ds->isEmpty()) return;
    host::Field& f = ds->field(m_tickField);
    commitEditor();
    closeCellEditor();
    const QString value = f.asString().trimmed() == m_tick.unticked ? m_tick.ticked : m_tick.unticked;
    dataSource()->updateRecord();
    ds->checkBrowseMode();
    const host::Bookmark here = ds->bookmark();
    {
        ScrollHandlersOff quiet(*ds);
        ds->disableControls();
        try {
            ds->first();
            while (!ds->eof()) {
                if (f.asString().trimmed() != value) {
                    const host::Bookmark row = ds->bookmark();
                    writeTick(*ds, f, value);
                    if (ds->bookmark() != row) continue;  // it left the view: the cursor already shows the next row
                }
                if (!ds->next()) break;
            }
            if (here && ds->bookmarkValid(here)) ds->gotoBookmark(here);
        } catch (...) {
            if (here && ds->bookmarkValid(here)) ds->gotoBookmark(here);
            ds->enableControls();
            throw;
        }
        ds->enableControls();
    }
}

}  // namespace kit
