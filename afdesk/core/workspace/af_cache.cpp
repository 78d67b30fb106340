#include "afdesk/core/workspace/af_cache.h"

#include "afdesk/core/model/dataset_packets.h"
#include "host/data/dataset.h"
#include "host/data/errors.h"

namespace afdesk {

void AfCache::clear() {
    m_key.reset();
    for (QByteArray& p : m_packets) p.clear();
}

const QString& AfCache::key() const {
    static const QString none;
    return m_key ? *m_key : none;
}

void AfCache::fill(const QString& key, const Datasets& datasets) {
    std::array<QByteArray, kAfCacheEntries> packets;
    for (size_t i = 0; i < packets.size(); ++i) packets[i] = packetOf(*datasets[i]);
    m_packets = std::move(packets);
    m_key = key;
}

std::vector<host::Dataset*> AfCache::restore(const Datasets& datasets,
                                             const std::function<bool(const host::Dataset&)>& stale) const {
    std::vector<host::Dataset*> restored;
    if (!m_key) return restored;
    for (size_t i = 0; i < m_packets.size(); ++i) {
        host::Dataset& ds = *datasets[i];
        if (!stale(ds)) continue;
        loadPacket(ds, m_packets[i]);
        restored.push_back(&ds);
    }
    return restored;
}

bool AfCache::incomplete() const {
    if (!m_key) return true;
    for (const QByteArray& p : m_packets)
        if (p.isEmpty()) return true;
    return false;
}

const QByteArray& AfCache::entry(int index) const {
    if (index < 1 || index > kAfCacheEntries)
        throw host::DataError(QStringLiteral("Cache da AF: entrada %1 inexistente.").arg(index));
    return m_packets[size_t(index - 1)];
}

}  // namespace afdesk
