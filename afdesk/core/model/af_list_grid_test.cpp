#include "af_list_grid.h"

#include "af_datasets.h"
#include "dataset_packets.h"
#include "test_packets.h"

#include "host/data/dataset.h"
#include "platform/kit/data_source.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/test_support.h"
#include "platform/server/modules/lanca_autof/lanca_autof_fields.h"

#include <QtGui/QImage>

namespace afdesk {
namespace {

namespace server = platform::server::modules::fields;
using testing::packetFor;
using testing::Row;
using testing::s;

TEST(AfListIcons, WhatEachCodeDraws) {
    struct Case {
        const char* field;
        const char* value;
        std::optional<AfListIcon> icon;
    };
    const std::vector<Case> cases{
        {"IDSITUATUAAF", "1", AfListIcon::Inconsistent}, {"IDSITUATUAAF", "0", AfListIcon::Consistent},
        {"IDSITUATUAAF", "", AfListIcon::Consistent},    {"IDAFFORALIM", "S", AfListIcon::OutsideLimit},
        {"IDAFFORALIM", "N", AfListIcon::WithinLimit},   {"IDAFFORALIM", "", AfListIcon::WithinLimit},
        {"IDAFPRODWEB", "S", AfListIcon::WebProduct},    {"IDAFPRODWEB", "N", std::nullopt},
        {"IDAFPRODWEB", "", std::nullopt},               {"IDAFOPERLOG", "1", AfListIcon::Consolidating},
        {"IDAFOPERLOG", "2", AfListIcon::Distributed},   {"IDAFOPERLOG", "3", std::nullopt},
        {"IDAFOPERLOG", "", std::nullopt},               {"IDBAIXITMFUTURA", "S", AfListIcon::BoxChecked},
        {"IDBAIXITMFUTURA", "N", AfListIcon::BoxUnchecked}, {"IDBAIXITMFUTURA", "", AfListIcon::BoxUnchecked},
        {"IDAUTOFORNEX", "S", AfListIcon::BoxChecked},   {"IDAUTOFORNEX", "N", AfListIcon::BoxUnchecked},
        {"IDBAIXAAF", "S", std::nullopt},                {"NMRAZSOCFORN", "S", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(afListIconFor(QString::fromLatin1(c.field), QString::fromLatin1(c.value)), c.icon)
            << c.field << " = '" << c.value << "'";
}

TEST(AfListIcons, ColumnRulesFollowTheirFlags) {
    for (bool marketplace : {false, true})
        for (bool logistic : {false, true}) {
            const AfListColumnFlags flags{marketplace, logistic};
            EXPECT_EQ(showsMarketplaceColumn(flags), marketplace);
            EXPECT_EQ(showsOutboundReceiptColumn(flags), logistic);
        }
}

TEST(AfListIcons, PicturesDifferAndKeepTheKeyColourAsBackground) {
    std::vector<QImage> images;
    for (int i = 0; i <= int(AfListIcon::BoxUnchecked); ++i) {
        const QImage img = afListPicture(AfListIcon(i)).toImage();
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.pixelColor(0, 0), afListKeyColour()) << i;
        for (const QImage& other : images) EXPECT_NE(img, other) << i;
        images.push_back(img);
    }
}

class AfListGrid : public kittest::KitTest {
protected:
    void SetUp() override {
        KitTest::SetUp();
        defineServAutoForne(list);
        grid.setDataSource(&source);
        grid.resize(1400, 300);
    }
    void load(const std::vector<Row>& rows) { loadPacket(list, packetFor(server::servAutoForne(), rows)); }
    QStringList visibleFields() const {
        QStringList names;
        for (int i = 0; i < grid.columnCountConfigured(); ++i)
            if (grid.column(i).visible) names << grid.column(i).fieldName;
        return names;
    }
    // How many pixels of the colour the cell of `field` in view row `row` shows on screen.
    int pixelsOf(int row, const char* field, const QColor& colour) {
        const int col = grid.columnOf(QString::fromLatin1(field));
        const QRect rect = grid.visualRect(grid.model()->index(row, col));
        const QImage shot = grid.viewport()->grab().toImage();
        int n = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (shot.pixelColor(x, y) == colour) ++n;
        return n;
    }

    host::Dataset list{QStringLiteral("cdsServAutoForne")};
    kit::DataSource source{&list};
    kit::DBGrid grid;
};

TEST_F(AfListGrid, ColumnsLeftToRightWithTheirTitles) {
    configureAfListGrid(grid, {true, true});
    EXPECT_EQ(visibleFields(), QStringList({"IDAFPRODWEB", "IDAFOPERLOG", "DTAUTOFORN", "NRAUTOFORN", "CDFILLANC",
                                            "NMRAZSOCFORN", "DTPROGENTAF", "IDAUTOFORNEX", "IDBAIXAAF", "IDBAIXAFSAI",
                                            "IDSITUATUAAF", "IDAFFORALIM", "VRTOTALAF", "IDSITUENVAFMCD",
                                            "IDBAIXITMFUTURA"}));
    QStringList titles;
    for (int i = 0; i < grid.columnCountConfigured(); ++i)
        titles << grid.model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(titles, QStringList({" ", " ", "Data", QString::fromUtf8("Número"), QString::fromUtf8("Lanç."),
                                   "Fornecedor", "Entrega", "Extra", "Sit. da Baixa", QString::fromUtf8("Baixa de Saída"),
                                   "Cons.", "Lim.", "Total", "Atualiza c/ Mercadum", "Baixa Futura"}));
    EXPECT_FALSE(grid.options().editing);
    EXPECT_FALSE(grid.options().allowInsert);
    EXPECT_FALSE(grid.options().allowDelete);
}

// The widest value a column shows must fit in it, or the list shows "00000000…".
TEST_F(AfListGrid, ColumnsFitTheirValues) {
    configureAfListGrid(grid);
    load({{{"NRAUTOFORN", s("0000000026")}, {"DTAUTOFORN", host::Value(host::DateTime::fromDate(QDate(2024, 12, 28)))},
           {"VRTOTALAF", host::Value(10234.86)}}});
    kittest::showActive(&grid);
    const QFontMetrics metrics(grid.font());
    for (const char* field : {"NRAUTOFORN", "DTAUTOFORN", "VRTOTALAF"}) {
        const int col = grid.columnOf(QString::fromLatin1(field));
        ASSERT_GE(col, 0) << field;
        const QString shown = list.field(QString::fromLatin1(field)).displayText();
        EXPECT_GE(grid.columnWidth(col), metrics.horizontalAdvance(shown) + 8) << field << " shows " << shown.toStdString();
    }
}

TEST_F(AfListGrid, OptionalColumnsFollowTheFlags) {
    configureAfListGrid(grid);
    EXPECT_FALSE(visibleFields().contains("IDSITUENVAFMCD"));
    EXPECT_FALSE(visibleFields().contains("IDBAIXAFSAI"));
    EXPECT_TRUE(grid.isColumnHidden(grid.columnOf("IDBAIXAFSAI")));
    applyAfListColumnFlags(grid, {false, true});
    EXPECT_TRUE(visibleFields().contains("IDBAIXAFSAI"));
    EXPECT_FALSE(grid.isColumnHidden(grid.columnOf("IDBAIXAFSAI")));
    EXPECT_FALSE(visibleFields().contains("IDSITUENVAFMCD"));
    applyAfListColumnFlags(grid, {true, false});
    EXPECT_TRUE(visibleFields().contains("IDSITUENVAFMCD"));
    EXPECT_FALSE(visibleFields().contains("IDBAIXAFSAI"));
}

TEST_F(AfListGrid, IconColumnsDrawTheirPicturesInsteadOfTheCodes) {
    configureAfListGrid(grid);
    load({{{"NRAUTOFORN", s("0000000001")}, {"IDSITUATUAAF", s("1")}, {"IDAFFORALIM", s("S")}, {"IDAFPRODWEB", s("S")},
           {"IDAFOPERLOG", s("2")}, {"IDBAIXITMFUTURA", s("S")}, {"IDAUTOFORNEX", s("S")}},
          {{"NRAUTOFORN", s("0000000002")}, {"IDAFOPERLOG", s("1")}}});
    kittest::showActive(&grid);
    list.last();  // the first row is not highlighted as the current one
    kittest::settle();

    const std::vector<std::pair<const char*, AfListIcon>> first{
        {"IDSITUATUAAF", AfListIcon::Inconsistent}, {"IDAFFORALIM", AfListIcon::OutsideLimit},
        {"IDAFPRODWEB", AfListIcon::WebProduct},    {"IDAFOPERLOG", AfListIcon::Distributed}};
    for (const auto& [field, icon] : first) {
        EXPECT_GT(pixelsOf(0, field, afListInk(icon)), 4) << field;
        EXPECT_EQ(pixelsOf(0, field, afListKeyColour()), 0) << field;  // the key colour is left out
    }
    list.first();
    kittest::settle();
    const std::vector<std::pair<const char*, AfListIcon>> second{
        {"IDSITUATUAAF", AfListIcon::Consistent}, {"IDAFFORALIM", AfListIcon::WithinLimit},
        {"IDAFOPERLOG", AfListIcon::Consolidating}};
    for (const auto& [field, icon] : second) EXPECT_GT(pixelsOf(1, field, afListInk(icon)), 4) << field;
    EXPECT_EQ(pixelsOf(1, "IDSITUATUAAF", afListInk(AfListIcon::Inconsistent)), 0);
    EXPECT_EQ(pixelsOf(1, "IDAFPRODWEB", afListInk(AfListIcon::WebProduct)), 0);  // "N": nothing drawn
}

TEST_F(AfListGrid, CheckBoxColumnsDrawTheirMarkOnlyForS) {
    configureAfListGrid(grid);
    load({{{"IDBAIXITMFUTURA", s("S")}, {"IDAUTOFORNEX", s("N")}}, {{"IDBAIXITMFUTURA", s("N")}}});
    kittest::showActive(&grid);
    list.last();
    kittest::settle();
    // Both boxes share their ink; the checked one has the mark as well.
    const QColor ink = afListInk(AfListIcon::BoxChecked);
    const int checked = pixelsOf(0, "IDBAIXITMFUTURA", ink);
    const int unchecked = pixelsOf(0, "IDAUTOFORNEX", ink);
    EXPECT_GT(unchecked, 10);
    EXPECT_GT(checked, unchecked + 5);
}

TEST_F(AfListGrid, TextColumnsShowTheDomainTexts) {
    configureAfListGrid(grid, {true, true});
    load({{{"IDBAIXAAF", s("2")}, {"IDSITUENVAFMCD", s("S")}, {"IDBAIXAFSAI", s("4")}, {"IDAFEXPIRADA", s("N")}}});
    auto cellText = [&](const char* field) {
        return grid.model()->index(0, grid.columnOf(QString::fromLatin1(field))).data(Qt::DisplayRole).toString();
    };
    EXPECT_EQ(cellText("IDBAIXAAF"), "Baixa Total");
    EXPECT_EQ(cellText("IDBAIXAFSAI"), "Encerrada");
    EXPECT_EQ(cellText("IDSITUENVAFMCD"), QString::fromUtf8("Já Atualizado."));
}

}  // namespace
}  // namespace afdesk
