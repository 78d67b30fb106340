#include "dataset_packets.h"

#include "host/data/dataset.h"

namespace afdesk {

namespace {

class TagScope {
public:
    TagScope(host::Dataset& ds, int tag) : m_ds(ds), m_saved(ds.tag()) { ds.setTag(tag); }
    ~TagScope() { m_ds.setTag(m_saved); }
    TagScope(const TagScope&) = delete;
    TagScope& operator=(const TagScope&) = delete;

private:
    host::Dataset& m_ds;
    int m_saved;
};

}  // namespace

void loadPacket(host::Dataset& ds, const QByteArray& packet) {
    const TagScope bulk(ds, kBulkTag);
    if (packet.isEmpty()) {
        ds.close();
        return;
    }
    ds.setData(packet);
}

QByteArray packetOf(const host::Dataset& ds) {
    if (!ds.active()) return {};
    return ds.data();
}

}  // namespace afdesk
