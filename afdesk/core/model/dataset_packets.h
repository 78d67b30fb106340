#pragma once
// Moving a dataset's content to and from the server's data packets.
#include <QtCore/QByteArray>

namespace host {
class Dataset;
}

namespace afdesk {

// The dataset's marker while it is rewritten in bulk: its reactions skip their work.
constexpr int kBulkTag = 99;

// Marks the dataset kBulkTag while it lives, then gives its previous marker back.
class BulkScope {
public:
    explicit BulkScope(host::Dataset& ds);
    ~BulkScope();
    BulkScope(const BulkScope&) = delete;
    BulkScope& operator=(const BulkScope&) = delete;

private:
    host::Dataset& m_ds;
    int m_saved;
};

// Replaces the dataset's content with a packet the server returned. The fields
// defined in code stay as they are (labels, formats, handlers); fields only the
// packet brings are kept after them. An empty packet (the server's null)
// closes the dataset. While it runs the dataset's marker is kBulkTag; the
// previous marker comes back afterwards, also when the packet is refused
// (PacketError), which leaves the content untouched. The calculated fields of
// every row are computed once the marker is back.
void loadPacket(host::Dataset& ds, const QByteArray& packet);

// The dataset's whole content as a packet, change states included; a closed
// dataset gives an empty packet, which loadPacket turns back into a closed one.
QByteArray packetOf(const host::Dataset& ds);

}  // namespace afdesk
