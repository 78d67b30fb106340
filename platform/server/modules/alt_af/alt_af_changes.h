#pragma once
// The pending changes of the bulk alteration's item list, read from a data
// packet (GetVerifica: the whole list) or a delta packet (SetAF). Only the
// brand and the quantity of existing items may change: an inserted or deleted
// row, or a change to any other field the database keeps, is refused.
#include "host/data/data_packet.h"
#include "host/data/value.h"

#include <QtCore/QString>
#include <optional>
#include <vector>

namespace platform::server::modules::altaf {

struct ItemChange {
    int row = -1;  // position in the packet
    QString dest, lanc, af, product;
    host::DateTime delivery;
    QString oldBrand, newBrand;
    std::optional<double> oldQty, newQty;
    QString settlement;             // IDBAIXITMAF as read
    std::optional<double> delivered;  // QTEFETENTRAF as read
    QString productTree;            // for messages (may be empty)

    bool brandChanged() const { return oldBrand != newBrand; }
    bool qtyChanged() const { return oldQty != newQty; }
};

// Throws host::UserError for a packet the screen never sends (a missing key
// field, an inserted or deleted row, a change outside brand and quantity).
std::vector<ItemChange> readChanges(const host::Packet& packet);

// "AF 0000000001 (0002/0001), produto 0102003, entrega 20/03/2024": names the item in messages.
QString describeItem(const ItemChange& c);

}  // namespace platform::server::modules::altaf
