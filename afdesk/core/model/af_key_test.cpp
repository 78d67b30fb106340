#include "af_key.h"

#include "af_datasets.h"
#include "dataset_packets.h"
#include "test_packets.h"

#include "host/data/dataset.h"
#include "host/testing/qt_printers.h"
#include "platform/server/modules/lanca_autof/lanca_autof_fields.h"

#include <gtest/gtest.h>

namespace afdesk {
namespace {

namespace server = platform::server::modules::fields;
using host::Dataset;
using testing::packetFor;
using testing::Row;
using testing::s;

Row afRow(const char* dest, const char* lanc, const char* number) {
    return {{"CDFILDEST", s(dest)}, {"CDFILLANC", s(lanc)}, {"NRAUTOFORN", s(number)}};
}

class AfKeys : public ::testing::Test {
protected:
    void SetUp() override {
        defineServAutoForne(list);
        loadPacket(list, packetFor(server::servAutoForne(), {afRow("0002", "0001", "0000000001")}));
    }
    Dataset list{QStringLiteral("cdsServAutoForne")};
};

TEST_F(AfKeys, KeyArgumentsAndCacheKeyOfTheCurrentRow) {
    const AfKey key = AfKey::of(list);
    EXPECT_EQ(key.arguments(), QStringList({"0002", "0001", "0000000001"}));
    EXPECT_EQ(key.cacheKey(), "000200010000000001");
    EXPECT_EQ(AfKey::of(Dataset()), AfKey());  // a dataset without the fields: an empty key
}

TEST_F(AfKeys, DifferentAfComparesLaunchingBranchAndNumberOnly) {
    struct Case {
        const char* what;
        Row dependent;
        bool different;
    };
    const std::vector<Case> cases{
        {"same AF", afRow("0002", "0001", "0000000001"), false},
        {"other destination only", afRow("0009", "0001", "0000000001"), false},
        {"other launching branch", afRow("0002", "0003", "0000000001"), true},
        {"other number", afRow("0002", "0001", "0000000002"), true},
    };
    for (const Case& c : cases) {
        Dataset items(QStringLiteral("cdsImpostoAF"));
        loadPacket(items, packetFor(server::impostoAF(), {c.dependent}));
        EXPECT_EQ(isDifferentAF(list, items), c.different) << c.what;
    }
}

TEST_F(AfKeys, ClosedOrEmptyDependentIsDifferentUnlessItHasNoNumber) {
    Dataset items(QStringLiteral("cdsItemAutF"));
    for (const host::FieldDef& f : server::itemAutF()) items.addField(f);
    EXPECT_TRUE(isDifferentAF(list, items));  // closed: needs loading
    items.createDataset();
    EXPECT_TRUE(isDifferentAF(list, items));

    Dataset products(QStringLiteral("cdsItemAutf_Produto"));
    for (const host::FieldDef& f : server::itemAutfProduto()) products.addField(f);
    EXPECT_FALSE(isDifferentAF(list, products));  // no NRAUTOFORN: never different
}

TEST_F(AfKeys, EmptyListAgainstClosedDatasetIsNotDifferent) {
    loadPacket(list, packetFor(server::servAutoForne(), {}));
    Dataset header(QStringLiteral("cdsAutoForne"));
    defineAutoForne(header, list);
    EXPECT_FALSE(isDifferentAF(list, header));
}

TEST_F(AfKeys, MessagesCompareTheirKeptIntegers) {
    MessagesAf kept{1, 0};
    EXPECT_TRUE(kept.isDifferentFrom(list));
    kept.takeNumberFrom(list);
    EXPECT_EQ(kept.nrAutoForn, 1);
    EXPECT_FALSE(kept.isDifferentFrom(list));
    EXPECT_TRUE((MessagesAf{3, 1}).isDifferentFrom(list));
    // The destination branch plays no part here either.
    loadPacket(list, packetFor(server::servAutoForne(), {afRow("0007", "0001", "0000000001")}));
    EXPECT_FALSE(kept.isDifferentFrom(list));
    // A new AF has no number yet.
    loadPacket(list, packetFor(server::servAutoForne(), {afRow("0002", "0001", "")}));
    kept.takeNumberFrom(list);
    EXPECT_EQ(kept.nrAutoForn, 0);
    EXPECT_TRUE(kept.isDifferentFrom(list));
}

}  // namespace
}  // namespace afdesk
