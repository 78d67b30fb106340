#pragma once
// The "Produtos" tab's area: the AF's products and items. It sees the
// workspace only as a WorkspaceSite and adds its reactions to the products'
// and items' datasets. So far: the item grid follows the current product, a
// product row is never edited, and the product cursor stays while an item is
// being inserted.
#include <QtCore/QString>

namespace afdesk {

class WorkspaceSite;

// The items' filter to one product ("[CDPRODUTO]='0000000001'").
QString productFilter(const QString& product);

class ItemEntry {
public:
    explicit ItemEntry(WorkspaceSite& site);
    ItemEntry(const ItemEntry&) = delete;
    ItemEntry& operator=(const ItemEntry&) = delete;

    // Adds the area's reactions; once the datasets are defined.
    void bindEvents();

    // Shows the items of the current product (all of them while there is none).
    void followProduct();

private:
    WorkspaceSite& m_site;
};

}  // namespace afdesk
