#include "item_entry.h"

#include "afdesk/core/workspace/workspace_site.h"

#include "host/data/dataset.h"
#include "host/data/errors.h"
#include "platform/kit/data_source.h"

namespace afdesk {

QString productFilter(const QString& product) {
    return QStringLiteral("[CDPRODUTO]='") + product + QLatin1Char('\'');
}

ItemEntry::ItemEntry(WorkspaceSite& site) : m_site(site) {}

void ItemEntry::bindEvents() {
    host::Dataset& products = m_site.dataset(AfPart::ItemProducts);
    // Products are added and deleted, never changed: the lookups act only on a row being inserted.
    products.beforeEdit.add([](host::Dataset&) { throw host::Abort(); });
    // The cursor does not leave a product while one of its items is being inserted.
    products.beforeScroll.add([this](host::Dataset&) {
        if (m_site.dataset(AfPart::Items).state() == host::DatasetState::Insert) throw host::Abort();
    });
    // A product reached, or products or items loaded afresh: the grid shows that product's items.
    const auto follow = [this](kit::DataSource&, host::Field* f) {
        if (!f) followProduct();
    };
    m_site.dataSource(AfPart::ItemProducts).onDataChange.add(follow);
    m_site.dataSource(AfPart::Items).onDataChange.add(follow);
}

void ItemEntry::followProduct() {
    const host::Dataset& products = m_site.dataset(AfPart::ItemProducts);
    host::Dataset& items = m_site.dataset(AfPart::Items);
    if (!items.active()) return;
    const bool onProduct = products.active() && !products.isEmpty() && !products.field(QStringLiteral("CDPRODUTO")).isNull();
    if (!onProduct) {
        if (items.filtered()) items.setFiltered(false);
        return;
    }
    const QString filter = productFilter(products.field(QStringLiteral("CDPRODUTO")).asString());
    // Setting a filter posts a pending item: only a real change of product may do it.
    if (items.filtered() && items.filter() == filter) return;
    items.setFilter(filter);
    items.setFiltered(true);
}

}  // namespace afdesk
