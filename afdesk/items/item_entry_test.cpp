// The "Produtos" tab against the real server: the item grid follows the
// current product.
#include "afdesk/items/item_entry.h"

#include "afdesk/core/workspace/workspace_fixture.h"

#include "host/data/errors.h"
#include "host/testing/qt_printers.h"

namespace afdesk::testing {
namespace {

using platform::server::modules::testing::afNumber;

class ItemEntryTest : public WorkspaceTest {
protected:
    // AF 1 buys a second product besides the world's.
    void addSecondProduct() {
        sql(QStringLiteral("INSERT INTO PRODUTO (CDPRODUTO, CDARVPROD, NMPRODUTO, SGUNIDADE) "
                           "VALUES ('0000000099', '0102009', 'Feijão 1 kg', 'PC')"));
        sql(QStringLiteral("INSERT INTO ITEMAUTF (CDFILDEST, CDFILLANC, NRAUTOFORN, CDPRODUTO, DTPROGENTAF, CDMARCA, "
                           "QTPROGENTAF, VRPREUNIAF) VALUES ('%1', '%2', '%3', '0000000099', '2024-03-21 00:00:00', "
                           "'%4', 5, 7)")
                .arg(world.branch, world.central, afNumber(1), world.brand));
    }
    host::Dataset& products() { return w->state().cdsItemAutf_Produto; }
    host::Dataset& items() { return w->state().cdsItemAutF; }

    // The products of the item rows the grid shows now.
    QStringList shownItemProducts() {
        QStringList out;
        const int at = items().recNo();
        for (items().first(); !items().eof(); items().next()) out << items().field(QStringLiteral("CDPRODUTO")).asString();
        items().setRecNo(at);
        return out;
    }
};

TEST_P(ItemEntryTest, TheItemGridShowsTheCurrentProductsItems) {
    addSecondProduct();
    openOnAf(1);
    clickTab(WorkspaceTab::Produtos);
    ASSERT_EQ(products().recordCount(), 2);
    for (products().first(); !products().eof(); products().next()) {
        const QString product = products().field(QStringLiteral("CDPRODUTO")).asString();
        SCOPED_TRACE(product.toStdString());
        EXPECT_EQ(shownItemProducts(), QStringList{product});
        EXPECT_EQ(items().filter(), productFilter(product));
    }
    // The cache keeps every item of the AF, not only those shown.
    host::Dataset all;
    all.setData(items().data());
    all.setFiltered(false);
    EXPECT_EQ(all.recordCount(), 2);
}

TEST_P(ItemEntryTest, ProductRowsAreNeverEditedAndStayWhileAnItemIsInserted) {
    addSecondProduct();
    openOnAf(1);
    clickTab(WorkspaceTab::Produtos);
    products().first();
    EXPECT_THROW(products().edit(), host::Abort);  // silently: the screen's guard shows nothing for it
    EXPECT_EQ(products().state(), host::DatasetState::Browse);

    const QString first = products().field(QStringLiteral("CDPRODUTO")).asString();
    items().append();
    EXPECT_THROW(products().next(), host::Abort);
    EXPECT_EQ(products().field(QStringLiteral("CDPRODUTO")).asString(), first);
    EXPECT_EQ(items().state(), host::DatasetState::Insert);
    items().cancel();
    products().next();
    EXPECT_NE(products().field(QStringLiteral("CDPRODUTO")).asString(), first);
}

TEST_P(ItemEntryTest, AnotherAfShowsItsOwnProductsItems) {
    addSecondProduct();
    openOnAf(1);
    clickTab(WorkspaceTab::Produtos);
    products().last();
    gotoAf(5);
    clickTab(WorkspaceTab::Produtos);
    ASSERT_EQ(products().recordCount(), 1);
    EXPECT_EQ(shownItemProducts(), QStringList{world.product});
}

AFDB_INSTANTIATE_ON_ENGINES(ItemEntryTest);

}  // namespace
}  // namespace afdesk::testing
