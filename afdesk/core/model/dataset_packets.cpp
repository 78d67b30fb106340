#include "dataset_packets.h"

#include "host/data/dataset.h"

namespace afdesk {

BulkScope::BulkScope(host::Dataset& ds) : m_ds(ds), m_saved(ds.tag()) { ds.setTag(kBulkTag); }

BulkScope::~BulkScope() { m_ds.setTag(m_saved); }

void loadPacket(host::Dataset& ds, const QByteArray& packet) {
    {
        const BulkScope bulk(ds);
        if (packet.isEmpty()) {
            ds.close();
            return;
        }
        ds.setData(packet);
    }
    // The rows were filled under the bulk marker, which skips the calculated
    // fields; every row gets them once the marker is gone.
    ds.refreshCalcFields();
}

QByteArray packetOf(const host::Dataset& ds) {
    if (!ds.active()) return {};
    return ds.data();
}

}  // namespace afdesk
