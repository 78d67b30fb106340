// The visible rows: record filters, index order and locate.
#include "dataset.h"

#include "dataset_row.h"

#include <algorithm>

namespace host {

namespace {

// Case-insensitive comparison of equal-length prefixes with an ASCII fast path;
// locate runs it once per row, so it must not allocate nor fold whole strings.
bool equalsIgnoringCase(QStringView have, QStringView wanted) {
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        const char16_t a = have[i].unicode(), b = wanted[i].unicode();
        if (a == b) continue;
        if (a < 128 && b < 128) {
            if ((a | 0x20) != (b | 0x20) || !((a | 0x20) >= u'a' && (a | 0x20) <= u'z')) return false;
            continue;
        }
        if (QChar::toCaseFolded(char32_t(a)) != QChar::toCaseFolded(char32_t(b))) return false;
    }
    return true;
}

bool textMatches(const QString& have, const QString& wanted, bool caseInsensitive, bool partial) {
    if (partial ? have.size() < wanted.size() : have.size() != wanted.size()) return false;
    if (!caseInsensitive) return QStringView(have).left(wanted.size()) == wanted;
    return equalsIgnoringCase(QStringView(have).left(wanted.size()), wanted);
}

}  // namespace

std::vector<int> Dataset::resolveFieldList(const QString& names) const {
    std::vector<int> out;
    for (const QString& part : names.split(u';', Qt::SkipEmptyParts)) {
        const QString name = part.trimmed();
        if (name.isEmpty()) continue;
        out.push_back(field(name).index());
    }
    return out;
}

bool Dataset::accepts(const Row& r) const {
    if (!m_filtered) return true;
    if (!m_filterExpr.isEmpty() && !m_filterExpr.matches(r.values.data())) return false;
    if (m_filterCallback) {
        auto* self = const_cast<Dataset*>(this);
        std::vector<Value>* saved = self->m_override;
        self->m_override = const_cast<std::vector<Value>*>(&r.values);
        bool ok = false;
        try {
            ok = m_filterCallback(*self);
        } catch (...) {
            self->m_override = saved;
            throw;
        }
        self->m_override = saved;
        if (!ok) return false;
    }
    return true;
}

// Rebuilds the visible rows; the cursor stays on `keep` when it is still
// visible, else on the position `fallbackPos` (clamped).
void Dataset::rebuildView(RowId keep, int fallbackPos) {
    std::vector<Row*> view;
    view.reserve(m_rows.size());
    for (const auto& r : m_rows)
        if (r->state != RowState::Deleted && accepts(*r)) view.push_back(r.get());
    if (!m_indexFields.empty()) {
        const auto& keys = m_indexFields;
        std::stable_sort(view.begin(), view.end(), [&keys](const Row* a, const Row* b) {
            for (int k : keys) {
                const int c = compareValues(a->values[size_t(k)], b->values[size_t(k)]);
                if (c != 0) return c < 0;
            }
            return false;
        });
    }
    m_view = std::move(view);
    const int at = viewIndexOf(keep);
    m_cursor = at >= 0 ? at : std::clamp(fallbackPos, 0, std::max(0, int(m_view.size()) - 1));
    m_bof = m_eof = m_view.empty();
    if (!m_view.empty() && at < 0 && fallbackPos <= 0) m_bof = true;
}

// After a post the row takes its place in the index order, or leaves the view
// when it no longer passes the filter (the cursor then shows the next row).
void Dataset::placeAfterPost(Row* row) {
    const bool visible = accepts(*row);
    if (m_indexFields.empty() && visible) return;
    auto it = std::find(m_view.begin(), m_view.end(), row);
    if (it == m_view.end()) return;
    const int pos = int(it - m_view.begin());
    m_view.erase(it);
    if (!visible) {
        m_cursor = std::min(pos, std::max(0, int(m_view.size()) - 1));
        m_bof = m_eof = false;
        updateBofEof();
        return;
    }
    const auto& keys = m_indexFields;
    auto place = std::upper_bound(m_view.begin(), m_view.end(), row, [&keys](const Row* a, const Row* b) {
        for (int k : keys) {
            const int c = compareValues(a->values[size_t(k)], b->values[size_t(k)]);
            if (c != 0) return c < 0;
        }
        return false;
    });
    m_cursor = int(place - m_view.begin());
    m_view.insert(place, row);
}

void Dataset::setFilter(const QString& text) {
    FilterExpression parsed;
    if (!text.trimmed().isEmpty()) {
        parsed = FilterExpression::parse(
            text,
            [this](const QString& name) -> std::optional<FilterFieldInfo> {
                if (const Field* f = findField(name)) return FilterFieldInfo{f->index(), f->type()};
                return std::nullopt;
            },
            dataLocale(), m_filterCaseInsensitive);
    }
    if (active() && m_filtered) checkBrowseMode();
    m_filterText = text;
    m_filterExpr = std::move(parsed);
    if (active() && m_filtered) {
        rebuildView(0, 0);
        recalcCurrent();
        notify(DataEvent::DataSetChanged);
    }
}

void Dataset::setFilterCaseInsensitive(bool on) {
    if (m_filterCaseInsensitive == on) return;
    m_filterCaseInsensitive = on;
    setFilter(m_filterText);
}

void Dataset::setFilterCallback(std::function<bool(Dataset&)> accept) {
    if (active() && m_filtered) checkBrowseMode();
    m_filterCallback = std::move(accept);
    if (active() && m_filtered) {
        rebuildView(0, 0);
        recalcCurrent();
        notify(DataEvent::DataSetChanged);
    }
}

void Dataset::setFiltered(bool on) {
    if (m_filtered == on) return;
    if (active()) checkBrowseMode();
    const RowId keep = currentId();
    m_filtered = on;
    if (!active()) return;
    // Switching the filter on starts at the first row; switching it off keeps the row.
    rebuildView(on ? 0 : keep, 0);
    recalcCurrent();
    notify(DataEvent::DataSetChanged);
}

void Dataset::setIndexFieldNames(const QString& names) {
    std::vector<int> keys = resolveFieldList(names);
    if (active()) checkBrowseMode();
    m_indexText = names;
    m_indexFields = std::move(keys);
    if (!active()) return;
    rebuildView(currentId(), m_cursor);
    notify(DataEvent::DataSetChanged);
}

bool Dataset::locate(const QString& fieldName, const QVariant& value, LocateOptions options) {
    return locate(fieldName, QVariantList{value}, options);
}

bool Dataset::locate(const QString& fieldNames, const QVariantList& values, LocateOptions options) {
    checkActive();
    const std::vector<int> keys = resolveFieldList(fieldNames);
    if (keys.empty() || int(keys.size()) != values.size())
        dataError(QStringLiteral("Locate em %1: %2 campos e %3 valores.")
                      .arg(m_name).arg(keys.size()).arg(values.size()));
    // Convert the searched values once, to each field's type.
    struct Key {
        int index;
        bool isString;
        Value value;
    };
    std::vector<Key> wanted;
    wanted.reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        Field& f = field(keys[i]);
        const QVariant& v = values[qsizetype(i)];
        Value converted;
        if (!v.isNull() && v.isValid()) {
            Value raw;
            switch (v.metaType().id()) {
            case QMetaType::Double:
            case QMetaType::Float: raw = v.toDouble(); break;
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt: raw = qint64(v.toLongLong()); break;
            case QMetaType::Bool: raw = v.toBool(); break;
            case QMetaType::QDateTime: raw = DateTime::fromQDateTime(v.toDateTime()); break;
            case QMetaType::QDate: raw = DateTime::fromDate(v.toDate()); break;
            default: raw = v.toString(); break;
            }
            if (f.type() == FieldType::String) {
                // Searching never pads nor refuses a longer text: it simply finds nothing.
                converted = std::holds_alternative<QString>(raw) ? raw : Value(f.formatValue(raw, false));
                if (std::get<QString>(converted).isEmpty()) converted = Value{};
            } else {
                try {
                    converted = f.convert(raw);
                } catch (const FieldError&) {
                    return false;  // a value of the wrong kind matches no row
                }
            }
        }
        wanted.push_back({keys[i], f.type() == FieldType::String, std::move(converted)});
    }
    auto matches = [&](const Row& r) {
        for (const Key& k : wanted) {
            const Value& have = r.values[size_t(k.index)];
            if (k.isString) {
                const QString* h = std::get_if<QString>(&have);
                const QString* w = std::get_if<QString>(&k.value);
                if (!w) {
                    if (h && !h->isEmpty()) return false;
                    continue;
                }
                if (!h || !textMatches(*h, *w, options.caseInsensitive, options.partialKey)) return false;
            } else if (isNull(have) != isNull(k.value) || compareValues(have, k.value) != 0) {
                return false;
            }
        }
        return true;
    };
    checkBrowseMode();
    for (size_t i = 0; i < m_view.size(); ++i) {
        if (!matches(*m_view[i])) continue;
        const int target = int(i);
        doScroll([&] {
            m_cursor = target;
            m_bof = m_eof = false;
        }, true);
        return true;
    }
    return false;
}

}  // namespace host
