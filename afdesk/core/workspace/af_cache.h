#pragma once
// The one-AF cache of the workspace: the key of the AF last shown outside the
// "AF" tab ([0], CDFILDEST + CDFILLANC + NRAUTOFORN) and copies of its ten
// datasets' packets ([1] to [10]). Null when empty; an entry is Null when its
// dataset was closed, and restoring a Null entry closes the dataset.
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace host {
class Dataset;
}

namespace afdesk {

constexpr int kAfCacheEntries = 10;

class AfCache {
public:
    using Datasets = std::array<host::Dataset*, kAfCacheEntries>;

    bool isNull() const { return !m_key.has_value(); }
    void clear();
    const QString& key() const;  // empty while Null

    // Takes the key and a copy of each dataset's current content.
    void fill(const QString& key, const Datasets& datasets);
    // Puts the entries back into the datasets `stale` says no longer show the
    // cached AF (a Null entry closes its dataset); the others, which show it
    // already (unsaved changes included), are left as they are. Nothing
    // happens while the cache is Null. Returns the datasets restored.
    std::vector<host::Dataset*> restore(const Datasets& datasets,
                                        const std::function<bool(const host::Dataset&)>& stale) const;
    // True when the cache is Null or any entry 1 to 10 is Null.
    bool incomplete() const;
    // Entry 1 to 10 (empty bytes: Null).
    const QByteArray& entry(int index) const;

private:
    std::optional<QString> m_key;
    std::array<QByteArray, kAfCacheEntries> m_packets;
};

}  // namespace afdesk
