#pragma once
// The in-memory table every screen works on: typed fields, a cursor over the
// visible rows, edit/insert/post/cancel/delete with before/after events, record
// filters, index order, locate, bookmarks, and a change log that yields a delta
// packet for the server and can be merged (accepted) or cancelled.
//
// Rows have stable identities (RowId): bookmarks and the change log refer to
// rows, never to positions, so filtering, sorting, inserting and cancelling
// cannot make them point at another row.
//
// A "before" handler that throws (Abort, UserError, ...) abandons the operation
// and leaves the dataset exactly as it was.
#include "data_packet.h"
#include "event_list.h"
#include "field.h"
#include "filter_expression.h"

#include <QtCore/QByteArray>
#include <QtCore/QStringList>
#include <QtCore/QVariantList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace host {

using RowId = quint64;
using Bookmark = RowId;  // 0 is no bookmark

enum class DatasetState { Inactive, Browse, Edit, Insert };

struct DataEvent {
    enum Kind {
        StateChanged,    // inactive/browse/edit/insert changed
        DataSetChanged,  // rows, their order or the whole content changed
        RecordChanged,   // a value of the active record changed (field set when one field)
        Scrolled,        // the current row moved
        UpdateRecord,    // an edit is about to end: controls write the text still typed in them
    };
    Kind kind;
    Field* field = nullptr;
};

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false;  // string fields match when they start with the value
};

class Dataset {
public:
    using Handler = std::function<void(Dataset&)>;
    using Listener = std::function<void(const DataEvent&)>;

    explicit Dataset(QString name = {});
    ~Dataset();
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;

    const QString& name() const { return m_name; }

    // --- Structure ---------------------------------------------------------
    // Fields are defined in code while the dataset is inactive. A packet may
    // bring further fields: they are kept as they come, after the defined ones.
    Field& addField(FieldDef def);
    int fieldCount() const { return int(m_fields.size()); }
    Field& field(int index) const;
    Field& field(const QString& name) const;  // case-insensitive; throws DataError when missing
    Field* findField(const QString& name) const;
    std::vector<Field*> fields() const;

    // --- Life ----------------------------------------------------------------
    DatasetState state() const { return m_state; }
    bool active() const { return m_state != DatasetState::Inactive; }
    bool editing() const { return m_state == DatasetState::Edit || m_state == DatasetState::Insert; }
    void createDataset();  // opens empty, with the fields defined in code
    void close();          // drops rows, change log and packet-only fields
    void emptyDataset();   // removes every row and the change log; stays open

    // --- Cursor over the visible rows -----------------------------------------
    void first();
    void last();
    bool next();   // false at the end (eof set)
    bool prior();  // false at the start (bof set)
    int moveBy(int distance);  // returns the distance actually moved
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    bool isEmpty() const { return m_view.empty(); }
    int recordCount() const { return int(m_view.size()); }
    int recNo() const;  // 1-based; 0 when empty
    void setRecNo(int recNo);
    Bookmark bookmark() const;
    bool bookmarkValid(Bookmark b) const;
    void gotoBookmark(Bookmark b);  // throws DataError when the row is gone or hidden

    // --- Editing ---------------------------------------------------------------
    void insert();  // new row before the current one
    void append();  // new row at the end
    void edit();    // on an empty dataset, starts an insert
    void post();
    void cancel();
    void deleteRecord();  // in insert state, cancels the insert
    bool modified() const { return m_bufferModified; }
    // Leaves edit/insert as a scroll would: posts a modified buffer, cancels an untouched one.
    void checkBrowseMode();

    // --- Events ----------------------------------------------------------------
    // Each event runs its reactions in the order they were added; a "before"
    // reaction that throws stops the rest and refuses the operation.
    using Event = EventList<Dataset&>;
    Event beforeInsert, afterInsert, beforeEdit, afterEdit, beforePost, afterPost;
    Event beforeCancel, afterCancel, beforeDelete, afterDelete, beforeScroll, afterScroll;
    Event onNewRecord;   // fills defaults of a new row; throwing abandons the insert
    Event onCalcFields;  // sets the calculated fields of the active record
    bool autoCalcFields = true;

    // Data-source style notifications to grids, edit boxes and screens.
    int addListener(Listener l);
    void removeListener(int id);
    void disableControls();  // nested; suspends notifications
    void enableControls();   // the last one sends one DataSetChanged
    bool controlsDisabled() const { return m_disableCount > 0; }

    int tag() const { return m_tag; }
    void setTag(int t) { m_tag = t; }

    // --- Finding and showing -----------------------------------------------------
    // fieldNames "A;B;C" with one value per field. Moves to the first visible row
    // that matches and returns true; otherwise the cursor stays and it returns false.
    bool locate(const QString& fieldNames, const QVariantList& values, LocateOptions options = {});
    bool locate(const QString& fieldName, const QVariant& value, LocateOptions options = {});

    // Filter text such as "[CDMARCA]= 'AB' and [DTPROGENTAF]= NULL". A text that
    // does not parse is refused when set (the previous filter stays).
    void setFilter(const QString& text);
    const QString& filter() const { return m_filterText; }
    void setFilterCaseInsensitive(bool on);
    // Record callback: the candidate row is the active record while it runs.
    void setFilterCallback(std::function<bool(Dataset&)> accept);
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }
    // "A;B" sorts the visible rows by those fields; empty keeps the natural order.
    void setIndexFieldNames(const QString& names);
    const QString& indexFieldNames() const { return m_indexText; }
    void refreshCalcFields();  // recomputes the calculated fields of every row

    // --- Change log and packets ----------------------------------------------------
    int changeCount() const { return m_changeCount; }
    RowState updateStatus() const;  // of the current row
    QByteArray data() const;        // whole content: fields, rows and their change states
    QByteArray delta() const;       // only the pending changes
    void setData(const QByteArray& packet);  // replaces everything; refused packets leave it unchanged
    void setData(const Packet& packet);
    void mergeChangeLog();  // accepts every change: the current rows become the originals
    void cancelUpdates();   // back to the original rows

    // --- Row access for grids (view order) -------------------------------------------
    const Value& valueAt(int viewRow, int fieldIndex) const;
    RowState rowStateAt(int viewRow) const;
    // Display text of any visible row, with the field's get-text handler applied to that row.
    QString displayTextAt(int viewRow, int fieldIndex) const;
    int currentViewRow() const { return m_view.empty() ? -1 : m_cursor; }

private:
    friend class Field;
    struct Row;

    // Active record resolution and writes (used by Field).
    const std::vector<Value>& activeValues() const;
    std::vector<Value>* writableValues(const Field& f);
    const std::vector<Value>* originalOfActive() const;
    void fieldValueChanged(Field& f);

    void checkActive() const;
    void checkNotEmpty() const;
    [[noreturn]] void dataError(const QString& message) const;

    void beginInsert(bool atEnd);
    void doScroll(const std::function<void()>& move, bool alwaysAfter);
    void updateBofEof();
    void recalcRow(std::vector<Value>& values);
    void recalcCurrent();
    bool hasCalcFields() const;

    void rebuildView(RowId keep, int fallbackPos);
    bool accepts(const Row& r) const;
    void placeAfterPost(Row* row);
    int viewIndexOf(RowId id) const;
    std::vector<int> resolveFieldList(const QString& names) const;
    void adoptPacket(Packet&& packet);

    void notify(DataEvent::Kind kind, Field* f = nullptr);
    void requestUpdateRecord();
    void setState(DatasetState s);
    RowId currentId() const;

    QString m_name;
    std::vector<std::unique_ptr<Field>> m_fields;
    int m_codeFieldCount = 0;
    DatasetState m_state = DatasetState::Inactive;

    // All rows in natural order, deleted ones included until the log is merged.
    std::vector<std::unique_ptr<Row>> m_rows;
    std::vector<Row*> m_view;  // visible rows in index order
    int m_cursor = 0;
    bool m_bof = true, m_eof = true;
    RowId m_nextId = 1;
    qint64 m_nextChangeSeq = 1;
    int m_changeCount = 0;

    // Edit/insert buffer.
    std::vector<Value> m_buffer;
    std::unique_ptr<Row> m_pendingInsert;  // the row being inserted, shown in the view
    RowId m_beforeInsertId = 0;
    bool m_bufferModified = false;

    // Record being calculated or filtered, when not the current one.
    std::vector<Value>* m_override = nullptr;
    bool m_calculating = false;
    std::vector<Value> m_nullRecord;

    QString m_filterText;
    FilterExpression m_filterExpr;
    bool m_filterCaseInsensitive = false;
    std::function<bool(Dataset&)> m_filterCallback;
    bool m_filtered = false;
    QString m_indexText;
    std::vector<int> m_indexFields;

    std::vector<std::pair<int, Listener>> m_listeners;
    int m_nextListenerId = 1;
    int m_disableCount = 0;
    bool m_pendingNotify = false;
    int m_tag = 0;
};

}  // namespace host
