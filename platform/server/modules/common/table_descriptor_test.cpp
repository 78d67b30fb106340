// A table descriptor: what it refuses to describe, and the fields and resolver
// mapping it hands to loads and saves.
#include "table_descriptor.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace platform::server::modules {
namespace {

using namespace columnDefs;

TableDescriptor items() {
    return TableDescriptor(QStringLiteral("ITEMAUTF"), {"CDFILDEST", "CDPRODUTO"},
                           {text("CDFILDEST", 4), text("CDPRODUTO", 10), number("QTPROGENTAF"),
                            dateTime("DTPROGENTAF"), integer("NRSEQ"), flag("IDBAIXITMAF")});
}

TEST(TableDescriptor, RefusesWhatCannotBeATable) {
    struct Case {
        const char* what;
        QStringList keys;
        std::vector<ColumnDef> columns;
    };
    const std::vector<Case> cases = {
        {"no key", {}, {text("A", 1)}},
        {"key outside the columns", {"B"}, {text("A", 1)}},
        {"repeated column", {"A"}, {text("A", 1), number("A")}},
    };
    for (const Case& c : cases)
        EXPECT_THROW(TableDescriptor(QStringLiteral("T"), c.keys, c.columns), std::logic_error) << c.what;
}

TEST(TableDescriptor, FieldsCarryTheColumnsTypeAndSizeLikeTheDatasetsOwn) {
    const TableDescriptor t = items();
    struct Row {
        const char* column;
        host::FieldDef expected;
    };
    const std::vector<Row> rows = {
        {"CDPRODUTO", host::FieldDef::string(QStringLiteral("CDPRODUTO"), 10)},
        {"QTPROGENTAF", host::FieldDef::floating(QStringLiteral("QTPROGENTAF"))},
        {"DTPROGENTAF", host::FieldDef::dateTime(QStringLiteral("DTPROGENTAF"))},
        {"NRSEQ", host::FieldDef::integer(QStringLiteral("NRSEQ"))},
        {"IDBAIXITMAF", host::FieldDef::string(QStringLiteral("IDBAIXITMAF"), 1)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.column);
        const host::FieldDef f = t.field(QString::fromLatin1(row.column));
        EXPECT_EQ(f.name, row.expected.name);
        EXPECT_EQ(f.type, row.expected.type);
        EXPECT_EQ(f.size, row.expected.size);
        EXPECT_EQ(f.alignment, row.expected.alignment);  // numbers to the right, as the datasets show them
        EXPECT_TRUE(f.displayLabel.isEmpty());
        EXPECT_TRUE(f.visible);
    }
    EXPECT_THROW(t.field(QStringLiteral("NMPRODUTO")), std::logic_error);
}

TEST(TableDescriptor, DeltaFieldsFollowTheOrderAskedAndTheMappingTheKey) {
    const TableDescriptor t = items();
    const Fields f = t.fields({"QTPROGENTAF", "CDFILDEST"});
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].name, QStringLiteral("QTPROGENTAF"));
    EXPECT_EQ(f[1].name, QStringLiteral("CDFILDEST"));
    EXPECT_THROW(t.fields({"CDFILDEST", "NMPRODUTO"}), std::logic_error);

    const afresolver::TableMapping m = t.mapping();
    EXPECT_EQ(m.table(), QStringLiteral("ITEMAUTF"));
    EXPECT_EQ(m.keyColumns(), (QStringList{"CDFILDEST", "CDPRODUTO"}));
}

}  // namespace
}  // namespace platform::server::modules
