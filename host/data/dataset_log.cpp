// The change log and the data packets: whole content, delta, fill, merge and
// cancel of all updates.
#include "dataset.h"

#include "dataset_row.h"

#include <algorithm>
#include <cmath>

namespace host {

namespace {

QString quoted(const QString& s) { return QStringLiteral("\"%1\"").arg(s); }

// Packets carry the stored fields only; calculated ones are derived again on arrival.
std::vector<int> storedFieldIndexes(const std::vector<Field*>& fields) {
    std::vector<int> out;
    for (const Field* f : fields)
        if (!f->isCalculated()) out.push_back(f->index());
    return out;
}

std::vector<FieldDef> definitionsOf(const std::vector<Field*>& fields, const std::vector<int>& stored) {
    std::vector<FieldDef> defs;
    defs.reserve(stored.size());
    for (int i : stored) defs.push_back(fields[size_t(i)]->def());
    return defs;
}

// The values of a row in packet order: the row itself when nothing is calculated.
const Value* packetValues(const std::vector<Value>& values, const std::vector<int>& stored, bool identity,
                          std::vector<Value>& scratch) {
    if (identity) return values.data();
    scratch.clear();
    for (int i : stored) scratch.push_back(values[size_t(i)]);
    return scratch.data();
}

}  // namespace

QByteArray Dataset::data() const {
    checkActive();
    const auto all = fields();
    const auto stored = storedFieldIndexes(all);
    const bool identity = stored.size() == all.size();
    PacketWriter writer(PacketKind::Data, definitionsOf(all, stored), qint64(m_rows.size()));
    std::vector<Value> current, original;
    for (const auto& r : m_rows) {
        const Value* v = r->state == RowState::Deleted ? nullptr : packetValues(r->values, stored, identity, current);
        const Value* o = r->original ? packetValues(*r->original, stored, identity, original) : nullptr;
        writer.addRow(r->state, v, o, nullptr);
    }
    return writer.finish();
}

QByteArray Dataset::delta() const {
    checkActive();
    std::vector<const Row*> changed;
    changed.reserve(size_t(m_changeCount));
    for (const auto& r : m_rows)
        if (r->state != RowState::Unchanged) changed.push_back(r.get());
    std::sort(changed.begin(), changed.end(), [](const Row* a, const Row* b) { return a->changeSeq < b->changeSeq; });

    const auto all = fields();
    const auto stored = storedFieldIndexes(all);
    const bool identity = stored.size() == all.size();
    PacketWriter writer(PacketKind::Delta, definitionsOf(all, stored), qint64(changed.size()));
    std::vector<Value> current, original;
    std::vector<int> changedFields;
    for (const Row* r : changed) {
        const Value* v = r->state == RowState::Deleted ? nullptr : packetValues(r->values, stored, identity, current);
        const Value* o = r->original ? packetValues(*r->original, stored, identity, original) : nullptr;
        changedFields.clear();
        if (r->state == RowState::Modified)
            for (size_t j = 0; j < stored.size(); ++j)
                if (!sameValue(v[j], o[j])) changedFields.push_back(int(j));
        writer.addRow(r->state, v, o, r->state == RowState::Modified ? &changedFields : nullptr);
    }
    return writer.finish();
}

void Dataset::setData(const QByteArray& packet) { adoptPacket(decodePacket(packet)); }

void Dataset::setData(const Packet& packet) { adoptPacket(Packet(packet)); }

void Dataset::adoptPacket(Packet&& packet) {
    // Everything is built aside first: a refused packet leaves the dataset untouched.
    const int codeCount = m_codeFieldCount;
    struct Column {
        int target;                    // field index in the new layout
        const Field* codeField;        // defined in code, or null for a field the packet brought
        bool convert;                  // the packet's type differs from the defined one
    };
    std::vector<Column> columns;
    std::vector<std::unique_ptr<Field>> extras;
    std::vector<bool> seen(size_t(codeCount), false);
    for (auto& def : packet.fields) {
        const Field* code = nullptr;
        for (int i = 0; i < codeCount; ++i)
            if (m_fields[size_t(i)]->name().compare(def.name, Qt::CaseInsensitive) == 0) code = m_fields[size_t(i)].get();
        if (!code) {
            const int index = codeCount + int(extras.size());
            columns.push_back({index, nullptr, false});
            extras.push_back(std::make_unique<Field>(*this, def, index, false));
            continue;
        }
        if (code->isCalculated())
            throw PacketError(QStringLiteral("Pacote de dados inválido: %1 é um campo calculado em %2.").arg(quoted(def.name), m_name));
        const bool numeric = (def.type == FieldType::Float || def.type == FieldType::Integer) &&
                             (code->type() == FieldType::Float || code->type() == FieldType::Integer);
        if (def.type != code->type() && !numeric)
            throw PacketError(QStringLiteral("Pacote de dados inválido: o campo %1 chegou como %2, mas %3 o define como %4.")
                                  .arg(quoted(def.name), fieldTypeName(def.type), m_name, fieldTypeName(code->type())));
        seen[size_t(code->index())] = true;
        columns.push_back({code->index(), code, def.type != code->type()});
    }
    const size_t newFieldCount = size_t(codeCount) + extras.size();
    const bool identity = [&] {
                              if (packet.fields.size() != newFieldCount) return false;
                              for (size_t j = 0; j < columns.size(); ++j)
                                  if (columns[j].target != int(j)) return false;
                              return true;
                          }();

    auto normalize = [&](std::vector<Value>& in, qint64 rowNumber) {
        for (size_t j = 0; j < columns.size(); ++j) {
            Value& v = in[j];
            if (isNull(v)) continue;
            const Column& c = columns[j];
            if (auto* s = std::get_if<QString>(&v)) {
                if (s->isEmpty()) {
                    v = Value{};
                } else if (c.codeField) {
                    const FieldDef& d = c.codeField->def();
                    if (d.size > 0 && s->size() > d.size)
                        throw PacketError(QStringLiteral("Pacote de dados inválido: o campo %1 da linha %2 tem %3 caracteres; o máximo em %4 é %5.")
                                              .arg(quoted(d.name)).arg(rowNumber + 1).arg(s->size()).arg(m_name).arg(d.size));
                    if (d.fixedLength && s->size() < d.size) *s = s->leftJustified(d.size, u' ');
                }
            } else if (c.convert) {
                if (c.codeField->type() == FieldType::Float) {
                    v = double(std::get<qint64>(v));
                } else {
                    const double d = std::get<double>(v);
                    if (d != std::trunc(d) || std::abs(d) > 9.0e18)
                        throw PacketError(QStringLiteral("Pacote de dados inválido: o campo %1 da linha %2 não é inteiro.")
                                              .arg(quoted(c.codeField->name())).arg(rowNumber + 1));
                    v = qint64(d);
                }
            }
        }
        if (identity) return std::move(in);
        std::vector<Value> out(newFieldCount);
        for (size_t j = 0; j < columns.size(); ++j) out[size_t(columns[j].target)] = std::move(in[j]);
        return out;
    };

    std::vector<std::unique_ptr<Row>> rows;
    rows.reserve(packet.rows.size());
    RowId nextId = m_nextId;
    qint64 nextSeq = m_nextChangeSeq;
    int changes = 0;
    for (size_t i = 0; i < packet.rows.size(); ++i) {
        PacketRow& pr = packet.rows[i];
        auto row = std::make_unique<Row>();
        row->id = nextId++;
        row->state = pr.state;
        if (pr.state == RowState::Deleted) {
            row->values.assign(newFieldCount, Value{});
        } else {
            row->values = normalize(pr.values, qint64(i));
        }
        if (pr.state == RowState::Modified || pr.state == RowState::Deleted) {
            row->original = std::make_unique<std::vector<Value>>(normalize(pr.original, qint64(i)));
            if (pr.state == RowState::Deleted) row->values = *row->original;
        }
        if (pr.state != RowState::Unchanged) {
            row->changeSeq = nextSeq++;
            ++changes;
        }
        rows.push_back(std::move(row));
    }

    // Names that refer to fields must still resolve in the new layout.
    auto findIn = [&](const QString& name) -> const Field* {
        for (int i = 0; i < codeCount; ++i)
            if (m_fields[size_t(i)]->name().compare(name, Qt::CaseInsensitive) == 0) return m_fields[size_t(i)].get();
        for (const auto& f : extras)
            if (f->name().compare(name, Qt::CaseInsensitive) == 0) return f.get();
        return nullptr;
    };
    std::vector<int> indexFields;
    for (const QString& part : m_indexText.split(u';', Qt::SkipEmptyParts)) {
        const Field* f = findIn(part.trimmed());
        if (!f) dataError(QStringLiteral("Campo %1 do índice não existe em %2.").arg(quoted(part.trimmed()), m_name));
        indexFields.push_back(f->index());
    }
    FilterExpression filterExpr;
    if (!m_filterText.trimmed().isEmpty())
        filterExpr = FilterExpression::parse(
            m_filterText,
            [&](const QString& name) -> std::optional<FilterFieldInfo> {
                if (const Field* f = findIn(name)) return FilterFieldInfo{f->index(), f->type()};
                return std::nullopt;
            },
            dataLocale(), m_filterCaseInsensitive);

    // Commit: nothing below throws before the handlers run.
    m_buffer.clear();
    m_pendingInsert.reset();
    m_bufferModified = false;
    m_fields.resize(size_t(codeCount));
    for (auto& f : extras) m_fields.push_back(std::move(f));
    m_nullRecord.assign(m_fields.size(), Value{});
    m_rows = std::move(rows);
    m_nextId = nextId;
    m_nextChangeSeq = nextSeq;
    m_changeCount = changes;
    m_indexFields = std::move(indexFields);
    m_filterExpr = std::move(filterExpr);
    const bool opened = m_state != DatasetState::Browse;
    m_state = DatasetState::Browse;
    rebuildView(0, 0);
    if (autoCalcFields && hasCalcFields())
        for (auto& r : m_rows) recalcRow(r->values);
    // Listeners of the state change already see the rows the packet brought.
    if (opened) notify(DataEvent::StateChanged);
    notify(DataEvent::DataSetChanged);
    if (afterScroll) afterScroll(*this);
}

void Dataset::mergeChangeLog() {
    checkActive();
    std::erase_if(m_rows, [](const auto& r) { return r->state == RowState::Deleted; });
    for (auto& r : m_rows) {
        r->state = RowState::Unchanged;
        r->original.reset();
        r->changeSeq = 0;
    }
    m_changeCount = 0;
    notify(DataEvent::DataSetChanged);
}

void Dataset::cancelUpdates() {
    checkActive();
    if (editing()) cancel();
    const RowId keep = currentId();
    const int position = m_cursor;
    std::erase_if(m_rows, [](const auto& r) { return r->state == RowState::Inserted; });
    for (auto& r : m_rows) {
        if (r->state == RowState::Unchanged) continue;
        r->values = std::move(*r->original);
        r->original.reset();
        r->state = RowState::Unchanged;
        r->changeSeq = 0;
        if (autoCalcFields && hasCalcFields()) recalcRow(r->values);
    }
    m_changeCount = 0;
    rebuildView(keep, position);
    notify(DataEvent::DataSetChanged);
}

}  // namespace host
