// Dataset structure, cursor, editing and notifications.
#include "dataset.h"

#include "dataset_row.h"

namespace host {

namespace {
QString quoted(const QString& s) { return QStringLiteral("\"%1\"").arg(s); }
}  // namespace

Dataset::Dataset(QString name) : m_name(std::move(name)) {}
Dataset::~Dataset() = default;

// ---------------------------------------------------------------- structure

Field& Dataset::addField(FieldDef def) {
    if (active()) dataError(QStringLiteral("Os campos de %1 só podem ser definidos com ele fechado.").arg(m_name));
    if (findField(def.name))
        dataError(QStringLiteral("O campo %1 já existe em %2.").arg(quoted(def.name), m_name));
    if (def.type == FieldType::String && def.size <= 0)
        dataError(QStringLiteral("O campo %1 de %2 precisa de um tamanho.").arg(quoted(def.name), m_name));
    // Packet-only fields come after the code-defined ones; a field defined now goes before them.
    const int index = m_codeFieldCount;
    m_fields.insert(m_fields.begin() + index, std::make_unique<Field>(*this, std::move(def), index, true));
    ++m_codeFieldCount;
    for (size_t i = size_t(index) + 1; i < m_fields.size(); ++i) m_fields[i]->m_index = int(i);
    m_nullRecord.assign(m_fields.size(), Value{});
    return *m_fields[size_t(index)];
}

Field& Dataset::field(int index) const {
    if (index < 0 || index >= fieldCount())
        dataError(QStringLiteral("Campo de índice %1 não existe em %2.").arg(index).arg(m_name));
    return *m_fields[size_t(index)];
}

Field& Dataset::field(const QString& name) const {
    if (Field* f = findField(name)) return *f;
    dataError(QStringLiteral("Campo %1 não encontrado em %2.").arg(quoted(name), m_name));
}

Field* Dataset::findField(const QString& name) const {
    for (const auto& f : m_fields)
        if (f->name().compare(name, Qt::CaseInsensitive) == 0) return f.get();
    return nullptr;
}

std::vector<Field*> Dataset::fields() const {
    std::vector<Field*> out;
    out.reserve(m_fields.size());
    for (const auto& f : m_fields) out.push_back(f.get());
    return out;
}

void Dataset::dataError(const QString& message) const { throw DataError(message); }

void Dataset::checkActive() const {
    if (!active()) dataError(QStringLiteral("%1 não está aberto.").arg(m_name.isEmpty() ? QStringLiteral("O conjunto de dados") : m_name));
}

void Dataset::checkNotEmpty() const {
    if (m_view.empty()) dataError(QStringLiteral("Operação não permitida: %1 está vazio.").arg(m_name.isEmpty() ? QStringLiteral("o conjunto de dados") : m_name));
}

// ---------------------------------------------------------------- life

void Dataset::createDataset() {
    if (m_fields.empty()) dataError(QStringLiteral("%1 não tem campos definidos.").arg(m_name));
    close();
    setState(DatasetState::Browse);
    m_cursor = 0;
    updateBofEof();
    notify(DataEvent::DataSetChanged);
}

void Dataset::close() {
    m_buffer.clear();
    m_pendingInsert.reset();
    m_bufferModified = false;
    m_rows.clear();
    m_view.clear();
    m_cursor = 0;
    m_changeCount = 0;
    m_fields.resize(size_t(m_codeFieldCount));  // fields a packet brought go with it
    m_nullRecord.assign(m_fields.size(), Value{});
    if (!m_indexText.isEmpty()) m_indexFields = resolveFieldList(m_indexText);
    updateBofEof();
    setState(DatasetState::Inactive);
    notify(DataEvent::DataSetChanged);
}

void Dataset::emptyDataset() {
    checkActive();
    m_buffer.clear();
    m_pendingInsert.reset();
    m_bufferModified = false;
    m_rows.clear();
    m_view.clear();
    m_cursor = 0;
    m_changeCount = 0;
    updateBofEof();
    setState(DatasetState::Browse);
    notify(DataEvent::DataSetChanged);
}

// ---------------------------------------------------------------- active record

const std::vector<Value>& Dataset::activeValues() const {
    if (m_override) return *m_override;
    if (editing()) return m_buffer;
    if (m_view.empty()) return m_nullRecord;
    return m_view[size_t(m_cursor)]->values;
}

std::vector<Value>* Dataset::writableValues(const Field& f) {
    if (m_calculating) {
        if (!f.isCalculated())
            dataError(QStringLiteral("Só campos calculados podem ser alterados no cálculo (%1).").arg(quoted(f.name())));
        return m_override;
    }
    if (f.isCalculated())
        dataError(QStringLiteral("O campo calculado %1 só é alterado pelo cálculo.").arg(quoted(f.name())));
    if (m_override) dataError(QStringLiteral("%1 não pode ser alterado durante o filtro.").arg(quoted(f.name())));
    if (!editing())
        dataError(QStringLiteral("%1 não está em modo de edição ou inclusão.").arg(m_name.isEmpty() ? QStringLiteral("O conjunto de dados") : m_name));
    return &m_buffer;
}

const std::vector<Value>* Dataset::originalOfActive() const {
    if (m_override) return m_override;
    if (m_state == DatasetState::Insert) return nullptr;
    if (m_view.empty()) return nullptr;
    return &m_view[size_t(m_cursor)]->values;  // in edit, the row keeps its values until post
}

void Dataset::fieldValueChanged(Field& f) {
    m_bufferModified = true;
    if (autoCalcFields && hasCalcFields()) recalcRow(m_buffer);
    if (f.onChange) f.onChange(f);
    notify(DataEvent::RecordChanged, &f);
}

bool Dataset::hasCalcFields() const {
    if (!onCalcFields) return false;
    for (const auto& f : m_fields)
        if (f->isCalculated()) return true;
    return false;
}

void Dataset::recalcRow(std::vector<Value>& values) {
    for (const auto& f : m_fields)
        if (f->isCalculated()) values[size_t(f->index())] = Value{};
    std::vector<Value>* savedOverride = m_override;
    const bool savedCalculating = m_calculating;
    m_override = &values;
    m_calculating = true;
    try {
        onCalcFields(*this);
    } catch (...) {
        m_override = savedOverride;
        m_calculating = savedCalculating;
        throw;
    }
    m_override = savedOverride;
    m_calculating = savedCalculating;
}

void Dataset::recalcCurrent() {
    if (!autoCalcFields || !hasCalcFields() || m_view.empty()) return;
    if (editing()) recalcRow(m_buffer);
    else recalcRow(m_view[size_t(m_cursor)]->values);
}

void Dataset::refreshCalcFields() {
    if (!hasCalcFields()) return;
    for (auto& r : m_rows) recalcRow(r->values);
    if (editing()) recalcRow(m_buffer);
    notify(DataEvent::DataSetChanged);
}

// ---------------------------------------------------------------- cursor

void Dataset::updateBofEof() {
    if (m_view.empty()) {
        m_cursor = 0;
        m_bof = m_eof = true;
    }
}

RowId Dataset::currentId() const { return m_view.empty() ? 0 : m_view[size_t(m_cursor)]->id; }

int Dataset::recNo() const { return m_view.empty() ? 0 : m_cursor + 1; }

void Dataset::doScroll(const std::function<void()>& move, bool alwaysAfter) {
    checkActive();
    checkBrowseMode();
    if (beforeScroll) beforeScroll(*this);
    const RowId before = currentId();
    const int beforePos = m_cursor;
    move();
    const bool moved = currentId() != before || m_cursor != beforePos;
    if (moved) {
        recalcCurrent();
        notify(DataEvent::Scrolled);
    }
    if ((moved || alwaysAfter) && afterScroll) afterScroll(*this);
}

void Dataset::first() {
    doScroll([this] {
        m_cursor = 0;
        m_bof = true;
        m_eof = m_view.empty();
    }, true);
}

void Dataset::last() {
    doScroll([this] {
        m_cursor = m_view.empty() ? 0 : int(m_view.size()) - 1;
        m_eof = true;
        m_bof = m_view.empty();
    }, true);
}

int Dataset::moveBy(int distance) {
    int moved = 0;
    doScroll([&] {
        if (m_view.empty()) {
            m_bof = m_eof = true;
            return;
        }
        const int target = m_cursor + distance;
        const int clamped = std::clamp(target, 0, int(m_view.size()) - 1);
        moved = clamped - m_cursor;
        m_cursor = clamped;
        m_bof = distance < 0 && target < 0;
        m_eof = distance > 0 && target > int(m_view.size()) - 1;
        if (moved != 0) {
            if (distance > 0) m_bof = false;
            if (distance < 0) m_eof = false;
        }
    }, false);
    return moved;
}

bool Dataset::next() { return moveBy(1) == 1; }
bool Dataset::prior() { return moveBy(-1) == -1; }

void Dataset::setRecNo(int recNo) {
    checkActive();
    if (recNo < 1 || recNo > recordCount()) return;
    doScroll([&] {
        m_cursor = recNo - 1;
        m_bof = m_eof = false;
    }, false);
}

Bookmark Dataset::bookmark() const {
    if (m_state == DatasetState::Insert) return 0;  // the new row has no place yet
    return currentId();
}

int Dataset::viewIndexOf(RowId id) const {
    if (id == 0) return -1;
    for (size_t i = 0; i < m_view.size(); ++i)
        if (m_view[i]->id == id) return int(i);
    return -1;
}

bool Dataset::bookmarkValid(Bookmark b) const {
    if (!active() || b == 0) return false;
    if (m_pendingInsert && m_pendingInsert->id == b) return false;
    return viewIndexOf(b) >= 0;
}

void Dataset::gotoBookmark(Bookmark b) {
    checkActive();
    if (!bookmarkValid(b)) dataError(QStringLiteral("Registro não encontrado em %1.").arg(m_name));
    doScroll([&] {
        m_cursor = viewIndexOf(b);
        m_bof = m_eof = false;
    }, true);
}

// ---------------------------------------------------------------- editing

void Dataset::checkBrowseMode() {
    if (!editing()) return;
    requestUpdateRecord();
    if (m_bufferModified) post();
    else cancel();
}

void Dataset::beginInsert(bool atEnd) {
    checkActive();
    checkBrowseMode();
    if (beforeInsert) beforeInsert(*this);
    if (beforeScroll) beforeScroll(*this);

    const RowId previous = currentId();
    const int previousCursor = m_cursor;
    const bool previousBof = m_bof, previousEof = m_eof;
    auto row = std::make_unique<Row>();
    row->id = m_nextId++;
    row->state = RowState::Inserted;
    const int pos = (atEnd || m_view.empty()) ? int(m_view.size()) : m_cursor;
    m_view.insert(m_view.begin() + pos, row.get());
    m_pendingInsert = std::move(row);
    m_beforeInsertId = previous;
    m_cursor = pos;
    m_bof = m_eof = false;
    m_buffer.assign(m_fields.size(), Value{});
    m_bufferModified = false;
    setState(DatasetState::Insert);
    try {
        if (onNewRecord) onNewRecord(*this);
        if (autoCalcFields && hasCalcFields()) recalcRow(m_buffer);
    } catch (...) {
        m_view.erase(m_view.begin() + pos);
        m_pendingInsert.reset();
        m_buffer.clear();
        m_bufferModified = false;
        m_cursor = previousCursor;
        m_bof = previousBof;
        m_eof = previousEof;
        updateBofEof();
        setState(DatasetState::Browse);
        throw;
    }
    notify(DataEvent::DataSetChanged);
    if (afterInsert) afterInsert(*this);
    if (afterScroll) afterScroll(*this);
}

void Dataset::insert() { beginInsert(false); }
void Dataset::append() { beginInsert(true); }

void Dataset::edit() {
    checkActive();
    if (editing()) return;
    if (m_view.empty()) return insert();
    if (beforeEdit) beforeEdit(*this);
    m_buffer = m_view[size_t(m_cursor)]->values;
    m_bufferModified = false;
    setState(DatasetState::Edit);
    if (afterEdit) afterEdit(*this);
}

void Dataset::post() {
    checkActive();
    if (!editing()) return;
    requestUpdateRecord();
    if (beforePost) beforePost(*this);
    for (const auto& f : m_fields) {
        if (f->required() && !f->isCalculated() && isNull(m_buffer[size_t(f->index())]))
            throw FieldError(f->name(), QStringLiteral("O campo %1 deve ser preenchido.").arg(quoted(f->displayLabel())));
    }

    Row* row = nullptr;
    if (m_state == DatasetState::Insert) {
        row = m_pendingInsert.get();
        row->values = std::move(m_buffer);
        row->changeSeq = m_nextChangeSeq++;
        // Natural order: before the row the insert was made in front of, or at the end.
        auto at = m_rows.end();
        const size_t viewPos = size_t(m_cursor);
        if (viewPos + 1 < m_view.size()) {
            const Row* successor = m_view[viewPos + 1];
            at = std::find_if(m_rows.begin(), m_rows.end(), [&](const auto& r) { return r.get() == successor; });
        }
        m_rows.insert(at, std::move(m_pendingInsert));
        ++m_changeCount;
    } else {
        row = m_view[size_t(m_cursor)];
        bool same = true;
        for (const auto& f : m_fields)
            if (!f->isCalculated() && !sameValue(row->values[size_t(f->index())], m_buffer[size_t(f->index())])) {
                same = false;
                break;
            }
        if (!same) {
            if (row->state == RowState::Unchanged) {
                row->original = std::make_unique<std::vector<Value>>(row->values);
                row->state = RowState::Modified;
                row->changeSeq = m_nextChangeSeq++;
                ++m_changeCount;
            }
            row->values = std::move(m_buffer);
            if (row->state == RowState::Modified) {
                // Edited back to what it was: no pending change remains.
                bool asOriginal = true;
                for (const auto& f : m_fields)
                    if (!f->isCalculated() && !sameValue(row->values[size_t(f->index())], (*row->original)[size_t(f->index())])) {
                        asOriginal = false;
                        break;
                    }
                if (asOriginal) {
                    row->original.reset();
                    row->state = RowState::Unchanged;
                    row->changeSeq = 0;
                    --m_changeCount;
                }
            }
        } else {
            // Keep calculated values computed during the edit.
            for (const auto& f : m_fields)
                if (f->isCalculated()) row->values[size_t(f->index())] = m_buffer[size_t(f->index())];
        }
    }
    m_buffer.clear();
    m_bufferModified = false;
    setState(DatasetState::Browse);
    if (autoCalcFields && hasCalcFields()) recalcRow(row->values);
    placeAfterPost(row);
    notify(DataEvent::DataSetChanged);
    if (afterPost) afterPost(*this);
}

void Dataset::cancel() {
    checkActive();
    if (!editing()) return;
    if (beforeCancel) beforeCancel(*this);
    if (m_state == DatasetState::Insert) {
        m_view.erase(m_view.begin() + m_cursor);
        m_pendingInsert.reset();
        const int back = viewIndexOf(m_beforeInsertId);
        if (back >= 0) m_cursor = back;
        else m_cursor = std::min(m_cursor, std::max(0, int(m_view.size()) - 1));
        m_bof = m_eof = false;
        updateBofEof();
    }
    m_buffer.clear();
    m_bufferModified = false;
    setState(DatasetState::Browse);
    notify(DataEvent::DataSetChanged);
    if (afterCancel) afterCancel(*this);
}

void Dataset::deleteRecord() {
    checkActive();
    if (m_state == DatasetState::Insert) return cancel();
    checkNotEmpty();
    if (beforeDelete) beforeDelete(*this);
    if (beforeScroll) beforeScroll(*this);
    if (m_state == DatasetState::Edit) {
        m_buffer.clear();
        m_bufferModified = false;
        setState(DatasetState::Browse);
    }
    Row* row = m_view[size_t(m_cursor)];
    m_view.erase(m_view.begin() + m_cursor);
    if (row->state == RowState::Inserted) {
        // Never reached the server: it simply disappears.
        auto it = std::find_if(m_rows.begin(), m_rows.end(), [&](const auto& r) { return r.get() == row; });
        m_rows.erase(it);
        --m_changeCount;
    } else {
        if (row->state == RowState::Unchanged) {
            row->original = std::make_unique<std::vector<Value>>(row->values);
            row->changeSeq = m_nextChangeSeq++;
            ++m_changeCount;
        }
        row->state = RowState::Deleted;
    }
    if (m_cursor >= int(m_view.size())) m_cursor = std::max(0, int(m_view.size()) - 1);
    m_bof = m_eof = false;
    updateBofEof();
    recalcCurrent();
    notify(DataEvent::DataSetChanged);
    if (afterDelete) afterDelete(*this);
    if (afterScroll) afterScroll(*this);
}

// ---------------------------------------------------------------- grids

const Value& Dataset::valueAt(int viewRow, int fieldIndex) const {
    if (viewRow < 0 || viewRow >= recordCount() || fieldIndex < 0 || fieldIndex >= fieldCount())
        dataError(QStringLiteral("Posição %1,%2 fora de %3.").arg(viewRow).arg(fieldIndex).arg(m_name));
    if (viewRow == m_cursor && editing()) return m_buffer[size_t(fieldIndex)];
    return m_view[size_t(viewRow)]->values[size_t(fieldIndex)];
}

RowState Dataset::rowStateAt(int viewRow) const {
    if (viewRow < 0 || viewRow >= recordCount()) return RowState::Unchanged;
    return m_view[size_t(viewRow)]->state;
}

QString Dataset::displayTextAt(int viewRow, int fieldIndex) const {
    const Field& f = field(fieldIndex);
    if (!f.onGetText) return f.formatValue(valueAt(viewRow, fieldIndex), true);
    auto* self = const_cast<Dataset*>(this);
    std::vector<Value>* saved = self->m_override;
    self->m_override = (viewRow == m_cursor && editing()) ? &self->m_buffer : &m_view[size_t(viewRow)]->values;
    try {
        QString text = f.displayText();
        self->m_override = saved;
        return text;
    } catch (...) {
        self->m_override = saved;
        throw;
    }
}

RowState Dataset::updateStatus() const {
    if (m_state == DatasetState::Insert) return RowState::Inserted;
    if (m_view.empty()) return RowState::Unchanged;
    return m_view[size_t(m_cursor)]->state;
}

// ---------------------------------------------------------------- notifications

int Dataset::addListener(Listener l) {
    const int id = m_nextListenerId++;
    m_listeners.emplace_back(id, std::move(l));
    return id;
}

void Dataset::removeListener(int id) {
    std::erase_if(m_listeners, [id](const auto& p) { return p.first == id; });
}

void Dataset::disableControls() { ++m_disableCount; }

void Dataset::enableControls() {
    if (m_disableCount == 0) return;
    if (--m_disableCount == 0 && m_pendingNotify) {
        m_pendingNotify = false;
        notify(DataEvent::DataSetChanged);
    }
}

void Dataset::notify(DataEvent::Kind kind, Field* f) {
    if (m_disableCount > 0) {
        m_pendingNotify = true;
        return;
    }
    // Copy: a listener may add or remove listeners while being told.
    const auto listeners = m_listeners;
    const DataEvent event{kind, f};
    for (const auto& [id, listener] : listeners) listener(event);
}

// Sent even while controls are disabled: text typed into a control must reach
// the record before the edit ends, or it would be lost. A control that refuses
// its text throws, which abandons the post or the move.
void Dataset::requestUpdateRecord() {
    const auto listeners = m_listeners;
    const DataEvent event{DataEvent::UpdateRecord, nullptr};
    for (const auto& [id, listener] : listeners) listener(event);
}

void Dataset::setState(DatasetState s) {
    if (m_state == s) return;
    m_state = s;
    notify(DataEvent::StateChanged);
}

}  // namespace host
