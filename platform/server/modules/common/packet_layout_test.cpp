// A load's layout: the packet fields it answers and the SELECT's column list
// made from the same entries.
#include "packet_layout.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace platform::server::modules {
namespace {

const TableDescriptor& items() {
    static const TableDescriptor t(QStringLiteral("ITEMAUTF"), {"CDMARCA"},
                                   {columnDefs::text("CDMARCA", 5), columnDefs::number("QTPROGENTAF")});
    return t;
}

TEST(LayoutField, SelectItemNamesTheFieldOnlyWhenTheSourceDoesNot) {
    struct Case {
        const char* source;
        const char* field;
        const char* item;
    };
    const std::vector<Case> cases = {
        {"I.CDMARCA", "CDMARCA", "I.CDMARCA"},
        {"CDMARCA", "CDMARCA", "CDMARCA"},
        {"M2.NMMARCA", "NMSEGMARCA", "M2.NMMARCA AS NMSEGMARCA"},
        {"I.XCDMARCA", "CDMARCA", "I.XCDMARCA AS CDMARCA"},
        {"CAST(NULL AS VARCHAR(1))", "LISTA", "CAST(NULL AS VARCHAR(1)) AS LISTA"},
        {"COALESCE(FL.CDFILCENTCMP, FL.CDFILIAL)", "CDFILCENTCMP", "COALESCE(FL.CDFILCENTCMP, FL.CDFILIAL) AS CDFILCENTCMP"},
    };
    for (const Case& c : cases) {
        const LayoutField f = expression(c.source, host::FieldDef::string(QString::fromLatin1(c.field), 5));
        EXPECT_EQ(f.selectItem(), QString::fromLatin1(c.item));
    }
}

TEST(PacketLayout, FieldsAndColumnListComeFromTheSameEntriesInOrder) {
    const PacketLayout layout{
        column(items(), "I", "CDMARCA").label("Código da Marca").hidden().editMask("99999;0; "),
        expression("M.NMMARCA", host::FieldDef::string(QStringLiteral("NMMARCA"), 20)),
        computed(host::FieldDef::string(QStringLiteral("ITEM"), 86)),
        column(items(), "I", "QTPROGENTAF").displayFormat("###,##0.000").readOnly().fixedLength(),
    };
    EXPECT_EQ(layout.columnList(), QStringLiteral("I.CDMARCA, M.NMMARCA, I.QTPROGENTAF"));
    EXPECT_EQ(layout.computed(), std::vector<QString>{QStringLiteral("ITEM")});

    const Fields f = layout.fields();
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[0].name, QStringLiteral("CDMARCA"));
    EXPECT_EQ(f[0].size, 5);
    EXPECT_EQ(f[0].displayLabel, QStringLiteral("Código da Marca"));
    EXPECT_FALSE(f[0].visible);
    EXPECT_EQ(f[0].editMask, QStringLiteral("99999;0; "));
    EXPECT_EQ(f[2].name, QStringLiteral("ITEM"));
    EXPECT_EQ(f[3].type, host::FieldType::Float);
    EXPECT_EQ(f[3].displayFormat, QStringLiteral("###,##0.000"));
    EXPECT_TRUE(f[3].readOnly);
    EXPECT_TRUE(f[3].fixedLength);
}

TEST(PacketLayout, AColumnTheTableDoesNotHaveIsAProgrammingError) {
    EXPECT_THROW(column(items(), "I", "NMPRODUTO"), std::logic_error);
}

}  // namespace
}  // namespace platform::server::modules
