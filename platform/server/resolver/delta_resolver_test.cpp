#include "platform/server/resolver/delta_resolver.h"
#include "platform/server/resolver/query_packet.h"
#include "platform/server/resolver/resolve_conflict.h"

#include "host/data/dataset.h"
#include "host/testing/qt_printers.h"
#include "platform/db/db_error.h"
#include "platform/db/schema_catalog.h"
#include "platform/db/sql_exec.h"
#include "platform/db/sql_values.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/db/testing/test_database.h"
#include "platform/db/transaction.h"

#include <gtest/gtest.h>

#include <limits>

#include <QtSql/QSqlQuery>

namespace afresolver {
namespace {

using afdb::testing::MigratedEngineTest;
using host::DateTime;
using host::FieldDef;

const QString kItemSelect = QStringLiteral(
    "SELECT CDFILDEST, CDFILLANC, NRAUTOFORN, CDPRODUTO, DTPROGENTAF, CDMARCA, QTPROGENTAF, VRPREUNIAF, "
    "'lookup' AS DSPRODUTO FROM ITEMAUTF ORDER BY DTPROGENTAF");

// The item fields as a screen has them: the table's columns plus a lookup field.
std::vector<FieldDef> itemFields() {
    return {FieldDef::string("CDFILDEST", 4), FieldDef::string("CDFILLANC", 4), FieldDef::string("NRAUTOFORN", 10),
            FieldDef::string("CDPRODUTO", 10), FieldDef::dateTime("DTPROGENTAF"), FieldDef::string("CDMARCA", 5),
            FieldDef::floating("QTPROGENTAF"), FieldDef::floating("VRPREUNIAF"), FieldDef::string("DSPRODUTO", 40)};
}

TableMapping itemMapping() {
    return TableMapping(QStringLiteral("ITEMAUTF"), {"CDFILDEST", "CDFILLANC", "NRAUTOFORN", "CDPRODUTO", "DTPROGENTAF", "CDMARCA"});
}

TableMapping messageMapping() { return TableMapping(QStringLiteral("MENSAUTF"), {"CDFILDEST", "CDFILLANC", "NRAUTOFORN", "NRMENSAUTFOR"}); }

DateTime day(int y, int m, int d) { return DateTime::fromDate(QDate(y, m, d)); }

class DeltaResolverTest : public MigratedEngineTest {
protected:
    void SetUp() override {
        MigratedEngineTest::SetUp();
        if (IsSkipped()) return;
        world = afdb::testing::seedMinimalWorld(connection());
    }

    void load(host::Dataset& ds, const QString& sql, const std::vector<FieldDef>& fields) {
        ds.setData(selectPacket(connection(), sql, {}, fields));
    }

    ResolveResult save(host::Dataset& ds, const TableMapping& mapping, const ResolveOptions& options = {}) {
        ResolveResult result;
        const host::Packet delta = host::decodePacket(ds.delta());
        afdb::transact(connection(), [&] { result = applyDelta(connection(), delta, mapping, options); });
        return result;
    }

    // A second session, as another user's server call would have.
    QSqlDatabase otherSession() {
        if (!m_other.isEmpty()) return QSqlDatabase::database(m_other, false);
        m_other = QStringLiteral("resolver-other-%1").arg(quintptr(this));
        return afdb::openConnection(config(), m_other);
    }

    void TearDown() override {
        if (!m_other.isEmpty()) afdb::closeConnection(m_other);
        MigratedEngineTest::TearDown();
    }

    QVariant itemValue(const QString& column, const DateTime& delivery) {
        return afdb::scalar(connection(), QStringLiteral("SELECT %1 FROM ITEMAUTF WHERE DTPROGENTAF = :D").arg(column),
                            {{"D", afdb::toSqlParam(host::Value(delivery))}});
    }

    int count(const QString& sql) { return afdb::scalar(connection(), sql).toInt(); }

    void appendItem(host::Dataset& ds, const DateTime& delivery, double quantity) {
        ds.append();
        ds.field("CDFILDEST").setAsString(world.branch);
        ds.field("CDFILLANC").setAsString(world.central);
        ds.field("NRAUTOFORN").setAsString(world.afNumber);
        ds.field("CDPRODUTO").setAsString(world.product);
        ds.field("DTPROGENTAF").setAsDateTime(delivery);
        ds.field("CDMARCA").setAsString(world.brand);
        ds.field("QTPROGENTAF").setAsFloat(quantity);
        ds.field("DSPRODUTO").setAsString(QStringLiteral("não é coluna"));
        ds.post();
    }

    afdb::testing::MinimalWorld world;

private:
    QString m_other;
};

TEST_P(DeltaResolverTest, InsertModifyAndDeleteRoundTrip) {
    host::Dataset items;
    load(items, kItemSelect, itemFields());
    ASSERT_EQ(items.recordCount(), 1);

    items.edit();
    items.field("QTPROGENTAF").setAsFloat(15);
    items.field("VRPREUNIAF").setValue(host::Value{});  // a change to null is a change
    items.post();
    appendItem(items, day(2024, 4, 2), 3.5);

    ResolveResult r = save(items, itemMapping());
    EXPECT_EQ(r.inserted, 1);
    EXPECT_EQ(r.modified, 1);
    EXPECT_EQ(r.deleted, 0);
    EXPECT_EQ(itemValue("QTPROGENTAF", day(2024, 3, 20)).toDouble(), 15.0);
    EXPECT_TRUE(itemValue("VRPREUNIAF", day(2024, 3, 20)).isNull());
    EXPECT_EQ(itemValue("QTPROGENTAF", day(2024, 4, 2)).toDouble(), 3.5);
    EXPECT_TRUE(itemValue("VRPREUNIAF", day(2024, 4, 2)).isNull());

    // The client saves again from what it has, without reloading.
    items.mergeChangeLog();
    ASSERT_TRUE(items.locate("DTPROGENTAF", QDateTime(QDate(2024, 4, 2), QTime(0, 0), Qt::UTC)));
    items.deleteRecord();
    items.first();
    items.edit();
    items.field("VRPREUNIAF").setAsFloat(13.25);  // from null
    items.post();
    r = save(items, itemMapping());
    EXPECT_EQ(r.deleted, 1);
    EXPECT_EQ(r.modified, 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM ITEMAUTF"), 1);
    EXPECT_EQ(itemValue("VRPREUNIAF", day(2024, 3, 20)).toDouble(), 13.25);
}

TEST_P(DeltaResolverTest, KeyChangeUsesTheOriginalKey) {
    host::Dataset items;
    load(items, kItemSelect, itemFields());
    items.edit();
    items.field("DTPROGENTAF").setAsDateTime(day(2024, 5, 1));
    items.post();

    EXPECT_EQ(save(items, itemMapping()).modified, 1);
    EXPECT_TRUE(itemValue("QTPROGENTAF", day(2024, 3, 20)).isNull());
    EXPECT_EQ(itemValue("QTPROGENTAF", day(2024, 5, 1)).toDouble(), 10.0);
    // The item's taxes follow their item (ON UPDATE CASCADE).
    EXPECT_EQ(count("SELECT COUNT(*) FROM IMPITMAF WHERE DTPROGENTAF = '2024-05-01 00:00:00'"), 1);
}

TEST_P(DeltaResolverTest, ConflictNamesTheColumnAndRollsBackTheWholeSave) {
    host::Dataset messages, items;
    load(messages, "SELECT CDFILDEST, CDFILLANC, NRAUTOFORN, NRMENSAUTFOR, DSMENSAF FROM MENSAUTF",
         {FieldDef::string("CDFILDEST", 4), FieldDef::string("CDFILLANC", 4), FieldDef::string("NRAUTOFORN", 10),
          FieldDef::string("NRMENSAUTFOR", 2), FieldDef::string("DSMENSAF", 100)});
    load(items, kItemSelect, itemFields());

    afdb::exec(otherSession(), "UPDATE ITEMAUTF SET QTPROGENTAF = 12");

    messages.edit();
    messages.field("DSMENSAF").setAsString("Entregar à tarde");
    messages.post();
    items.edit();
    items.field("QTPROGENTAF").setAsFloat(20);
    items.post();
    const host::Packet messageDelta = host::decodePacket(messages.delta());
    const host::Packet itemDelta = host::decodePacket(items.delta());
    try {
        afdb::transact(connection(), [&] {
            applyDelta(connection(), messageDelta, messageMapping());
            applyDelta(connection(), itemDelta, itemMapping());
        });
        FAIL() << "a row changed by someone else was overwritten";
    } catch (const ResolveConflict& e) {
        EXPECT_EQ(e.kind(), ConflictKind::Changed);
        EXPECT_EQ(e.row(), 1);
        EXPECT_EQ(e.message(),
                  "A linha de ITEMAUTF (CDFILDEST = 0002, CDFILLANC = 0001, NRAUTOFORN = 0000000001, "
                  "CDPRODUTO = 0000000001, DTPROGENTAF = 20/03/2024, CDMARCA = 00001) foi alterada por outro "
                  "usuário desde a leitura: QTPROGENTAF era 10, agora é 12.");
    }
    EXPECT_EQ(afdb::scalar(connection(), "SELECT DSMENSAF FROM MENSAUTF").toString(), "Entregar pela manhã");
    EXPECT_EQ(itemValue("QTPROGENTAF", day(2024, 3, 20)).toDouble(), 12.0);
}

TEST_P(DeltaResolverTest, ChangeOfAColumnTheClientDidNotTouchIsNoConflict) {
    host::Dataset items;
    load(items, kItemSelect, itemFields());
    afdb::exec(otherSession(), "UPDATE ITEMAUTF SET VRPREUNIAF = 99");
    items.edit();
    items.field("QTPROGENTAF").setAsFloat(20);
    items.post();

    EXPECT_EQ(save(items, itemMapping()).modified, 1);
    EXPECT_EQ(itemValue("QTPROGENTAF", day(2024, 3, 20)).toDouble(), 20.0);
    EXPECT_EQ(itemValue("VRPREUNIAF", day(2024, 3, 20)).toDouble(), 99.0);
}

TEST_P(DeltaResolverTest, ConflictOnAColumnSetToNullByAnother) {
    host::Dataset items;
    load(items, kItemSelect, itemFields());
    afdb::exec(otherSession(), "UPDATE ITEMAUTF SET VRPREUNIAF = NULL");
    items.edit();
    items.field("VRPREUNIAF").setAsFloat(14);
    items.post();

    try {
        save(items, itemMapping());
        FAIL() << "no conflict";
    } catch (const ResolveConflict& e) {
        ASSERT_EQ(e.differences().size(), 1u);
        EXPECT_EQ(e.differences()[0].column, "VRPREUNIAF");
        EXPECT_TRUE(e.message().endsWith("VRPREUNIAF era 12,5, agora é vazio.")) << e.what();
    }
    EXPECT_TRUE(itemValue("VRPREUNIAF", day(2024, 3, 20)).isNull());
}

TEST_P(DeltaResolverTest, RowDeletedByAnotherIsAConflict) {
    struct Case {
        const char* name;
        bool deleteIt;  // the client deletes the row; otherwise it changes it
    };
    for (const Case c : {Case{"delete", true}, Case{"modify", false}}) {
        SCOPED_TRACE(c.name);
        host::Dataset items;
        load(items, kItemSelect, itemFields());
        appendItem(items, day(2024, 6, 1), 1);
        save(items, itemMapping());
        items.mergeChangeLog();

        afdb::exec(otherSession(), "DELETE FROM ITEMAUTF WHERE DTPROGENTAF = '2024-06-01 00:00:00'");
        ASSERT_TRUE(items.locate("DTPROGENTAF", QDateTime(QDate(2024, 6, 1), QTime(0, 0), Qt::UTC)));
        if (c.deleteIt) {
            items.deleteRecord();
        } else {
            items.edit();
            items.field("QTPROGENTAF").setAsFloat(2);
            items.post();
        }
        try {
            save(items, itemMapping());
            FAIL() << "no conflict";
        } catch (const ResolveConflict& e) {
            EXPECT_EQ(e.kind(), ConflictKind::Vanished);
            EXPECT_TRUE(e.message().contains("DTPROGENTAF = 01/06/2024, CDMARCA = 00001) foi excluída por outro usuário desde a leitura."))
                << e.what();
        }
        EXPECT_EQ(count("SELECT COUNT(*) FROM ITEMAUTF"), 1);
    }
}

TEST_P(DeltaResolverTest, DeleteChecksTheColumnsOnlyWhenAsked) {
    struct Case {
        DeleteCheck check;
        bool conflict;
    };
    for (const Case c : {Case{DeleteCheck::Key, false}, Case{DeleteCheck::KeyAndColumns, true}}) {
        SCOPED_TRACE(int(c.check));
        host::Dataset items;
        load(items, kItemSelect, itemFields());
        appendItem(items, day(2024, 6, 1), 1);
        save(items, itemMapping());
        items.mergeChangeLog();
        afdb::exec(otherSession(), "UPDATE ITEMAUTF SET QTPROGENTAF = 4 WHERE DTPROGENTAF = '2024-06-01 00:00:00'");

        ASSERT_TRUE(items.locate("DTPROGENTAF", QDateTime(QDate(2024, 6, 1), QTime(0, 0), Qt::UTC)));
        items.deleteRecord();
        ResolveOptions options;
        options.deleteCheck = c.check;
        if (c.conflict) {
            try {
                save(items, itemMapping(), options);
                FAIL() << "no conflict";
            } catch (const ResolveConflict& e) {
                EXPECT_TRUE(e.message().endsWith("QTPROGENTAF era 1, agora é 4.")) << e.what();
            }
            EXPECT_EQ(count("SELECT COUNT(*) FROM ITEMAUTF"), 2);
            afdb::exec(connection(), "DELETE FROM ITEMAUTF WHERE DTPROGENTAF = '2024-06-01 00:00:00'");
        } else {
            EXPECT_EQ(save(items, itemMapping(), options).deleted, 1);
            EXPECT_EQ(count("SELECT COUNT(*) FROM ITEMAUTF"), 1);
        }
    }
}

TEST_P(DeltaResolverTest, InsertOfAnExistingKeyIsAConflict) {
    host::Dataset items;
    load(items, kItemSelect, itemFields());
    appendItem(items, day(2024, 3, 20), 1);  // the seeded item's key
    try {
        save(items, itemMapping());
        FAIL() << "no conflict";
    } catch (const ResolveConflict& e) {
        EXPECT_EQ(e.kind(), ConflictKind::AlreadyExists);
        EXPECT_TRUE(e.message().contains("DTPROGENTAF = 20/03/2024, CDMARCA = 00001) já existe")) << e.what();
    }
    EXPECT_EQ(itemValue("QTPROGENTAF", day(2024, 3, 20)).toDouble(), 10.0);
}

TEST_P(DeltaResolverTest, KeyChangeOntoAnExistingKeyIsAConflict) {
    host::Dataset items;
    load(items, kItemSelect, itemFields());
    appendItem(items, day(2024, 6, 1), 1);
    save(items, itemMapping());
    items.mergeChangeLog();

    ASSERT_TRUE(items.locate("DTPROGENTAF", QDateTime(QDate(2024, 6, 1), QTime(0, 0), Qt::UTC)));
    items.edit();
    items.field("DTPROGENTAF").setAsDateTime(day(2024, 3, 20));
    items.post();
    try {
        save(items, itemMapping());
        FAIL() << "no conflict";
    } catch (const ResolveConflict& e) {
        EXPECT_EQ(e.kind(), ConflictKind::AlreadyExists);
        EXPECT_TRUE(e.message().contains("DTPROGENTAF = 20/03/2024, CDMARCA = 00001) já existe")) << e.what();
    }
    EXPECT_EQ(itemValue("QTPROGENTAF", day(2024, 6, 1)).toDouble(), 1.0);
    EXPECT_EQ(itemValue("QTPROGENTAF", day(2024, 3, 20)).toDouble(), 10.0);
}

TEST_P(DeltaResolverTest, InjectionShapedValuesAndFieldNamesAreInert) {
    const QString hostile = QStringLiteral("x'); DELETE FROM ITEMAUTF; -- \" ; DROP TABLE MENSAUTF");
    host::Packet delta;
    delta.kind = host::PacketKind::Delta;
    delta.fields = {FieldDef::string("CDFILDEST", 4), FieldDef::string("CDFILLANC", 4), FieldDef::string("NRAUTOFORN", 10),
                    FieldDef::string("NRMENSAUTFOR", 2), FieldDef::string("DSMENSAF", 100),
                    FieldDef::string("DSMENSAF) VALUES ('a'); DELETE FROM ITEMAUTF; --", 10)};
    host::PacketRow row;
    row.state = host::RowState::Inserted;
    row.values = {world.branch, world.central, world.afNumber, QStringLiteral("02"), hostile, QStringLiteral("x")};
    delta.rows.push_back(row);

    afdb::transact(connection(), [&] { EXPECT_EQ(applyDelta(connection(), delta, messageMapping()).inserted, 1); });
    EXPECT_EQ(afdb::scalar(connection(), "SELECT DSMENSAF FROM MENSAUTF WHERE NRMENSAUTFOR = '02'").toString(), hostile);
    EXPECT_EQ(count("SELECT COUNT(*) FROM ITEMAUTF"), 1);
}

// A number no screen can show or sum is refused with the column and the row,
// whether it arrives in an inserted or a modified row; nothing of the save stays.
TEST_P(DeltaResolverTest, NumbersBeyondWhatAColumnKeepsAreRefused) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const QVariant priceBefore = itemValue("VRPREUNIAF", day(2024, 3, 20));
    for (const bool inserted : {false, true})
        for (const double bad : {inf, -inf, nan, 1e300, -1e10, kStoredNumberLimit * 1.000001}) {
            SCOPED_TRACE(testing::Message() << (inserted ? "insert " : "modify ") << bad);
            host::Dataset items;
            load(items, kItemSelect, itemFields());
            items.edit();
            items.field("VRPREUNIAF").setAsFloat(7);  // a fine change in the same save
            items.post();
            if (inserted) appendItem(items, day(2024, 4, 2), bad);
            else {
                items.edit();
                items.field("QTPROGENTAF").setAsFloat(bad);
                items.post();
            }
            try {
                save(items, itemMapping());
                ADD_FAILURE() << "saved";
            } catch (const host::UserError& e) {
                EXPECT_TRUE(e.message().startsWith(QStringLiteral("Valor inválido em QTPROGENTAF (linha "))) << e.what();
            }
            EXPECT_EQ(count("SELECT COUNT(*) FROM ITEMAUTF"), 1);
            EXPECT_EQ(itemValue("VRPREUNIAF", day(2024, 3, 20)), priceBefore);
        }
    for (const double fine : {kStoredNumberLimit, -kStoredNumberLimit, 0.0}) {
        host::Dataset items;
        load(items, kItemSelect, itemFields());
        items.edit();
        items.field("VRPREUNIAF").setAsFloat(fine);
        items.post();
        EXPECT_NO_THROW(save(items, itemMapping())) << fine;
        EXPECT_EQ(itemValue("VRPREUNIAF", day(2024, 3, 20)).toDouble(), fine);
    }
}

TEST_P(DeltaResolverTest, TextLongerThanItsColumnIsRefusedWithTheRow) {
    host::Dataset messages;
    load(messages, "SELECT CDFILDEST, CDFILLANC, NRAUTOFORN, NRMENSAUTFOR, DSMENSAF FROM MENSAUTF",
         {FieldDef::string("CDFILDEST", 4), FieldDef::string("CDFILLANC", 4), FieldDef::string("NRAUTOFORN", 10),
          FieldDef::string("NRMENSAUTFOR", 2), FieldDef::string("DSMENSAF", 500)});  // the screen allows more
    messages.edit();
    messages.field("DSMENSAF").setAsString(QString(101, u'a'));
    messages.post();
    try {
        save(messages, messageMapping());
        FAIL() << "a text longer than its column was accepted";
    } catch (const afdb::DbError& e) {
        EXPECT_TRUE(e.message().startsWith("Não foi possível alterar a linha de MENSAUTF (CDFILDEST = 0002, CDFILLANC = 0001, "
                                           "NRAUTOFORN = 0000000001, NRMENSAUTFOR = 01): "))
            << e.what();
        EXPECT_FALSE(e.code().isEmpty());
    }
    EXPECT_EQ(afdb::scalar(connection(), "SELECT DSMENSAF FROM MENSAUTF").toString(), "Entregar pela manhã");
}

TEST_P(DeltaResolverTest, MappingRenamesSkipsAndIgnoresFields) {
    host::Dataset items;
    std::vector<FieldDef> fields = itemFields();
    fields[7].name = QStringLiteral("PRECO");  // VRPREUNIAF under another name
    fields.push_back(FieldDef::floating("QTEFETENTRAF"));
    load(items, QString(kItemSelect).replace("VRPREUNIAF", "VRPREUNIAF AS PRECO").replace("'lookup' AS", "5 AS QTEFETENTRAF, 'lookup' AS"), fields);
    items.edit();
    items.field("PRECO").setAsFloat(8);
    items.field("QTEFETENTRAF").setAsFloat(7);  // the server sets it: never written
    items.field("DSPRODUTO").setAsString("outro");  // not a column of the table
    items.post();
    appendItem(items, day(2024, 7, 1), 2);

    TableMapping mapping = itemMapping();
    mapping.mapField("preco", "VRPREUNIAF").neverWrite("QTEFETENTRAF");
    const ResolveResult r = save(items, mapping);
    EXPECT_EQ(r.modified, 1);
    EXPECT_EQ(r.inserted, 1);
    EXPECT_EQ(itemValue("VRPREUNIAF", day(2024, 3, 20)).toDouble(), 8.0);
    EXPECT_TRUE(itemValue("QTEFETENTRAF", day(2024, 3, 20)).isNull());

    // A modification touching only fields that write nothing leaves the row alone.
    items.mergeChangeLog();
    items.first();
    items.edit();
    items.field("DSPRODUTO").setAsString("de novo");
    items.post();
    const ResolveResult onlyLookup = save(items, mapping);
    EXPECT_EQ(onlyLookup.modified, 0);
    EXPECT_EQ(onlyLookup.skipped, 1);
}

TEST_P(DeltaResolverTest, GeneratedColumnsAreAnswered) {
    host::Dataset log;
    log.addField(FieldDef::integer("NRSEQMOVAF"));
    log.addField(FieldDef::string("CDFILDESMOV", 4));
    log.addField(FieldDef::string("CDFILLANMOV", 4));
    log.addField(FieldDef::string("NRAUTOMOV", 10));
    log.addField(FieldDef::dateTime("DTOPERAF"));
    log.addField(FieldDef::string("DSALTERAF", 500));
    log.createDataset();
    for (const char* text : {"primeira", "segunda"}) {
        log.append();
        log.field("CDFILDESMOV").setAsString(world.branch);
        log.field("CDFILLANMOV").setAsString(world.central);
        log.field("NRAUTOMOV").setAsString(world.afNumber);
        log.field("DTOPERAF").setAsDateTime(DateTime::fromDate(QDate(2024, 3, 6), QTime(14, 30, 5)));
        log.field("DSALTERAF").setAsString(QString::fromLatin1(text));
        log.post();
    }
    TableMapping mapping(QStringLiteral("MOVOPAF"), {"NRSEQMOVAF"});
    mapping.generatedOnInsert("NRSEQMOVAF");
    const ResolveResult r = save(log, mapping);

    ASSERT_EQ(r.generated.size(), 2u);
    for (const InsertedRow& row : r.generated) {
        ASSERT_EQ(row.values.size(), 1u);
        EXPECT_EQ(row.values[0].field, 0);
        const qint64 seq = std::get<qint64>(row.values[0].value);
        EXPECT_EQ(afdb::scalar(connection(), "SELECT DSALTERAF FROM MOVOPAF WHERE NRSEQMOVAF = :N", {{"N", seq}}).toString(),
                  row.row == 0 ? "primeira" : "segunda");
    }
    EXPECT_NE(r.generated[0].values[0].value, r.generated[1].values[0].value);
    EXPECT_EQ(afdb::scalar(connection(), "SELECT COUNT(*) FROM MOVOPAF WHERE DTOPERAF = '2024-03-06 14:30:05'").toInt(), 2);
}

TEST_P(DeltaResolverTest, RefusesWhatItCannotApply) {
    host::Dataset items;
    load(items, kItemSelect, itemFields());
    items.edit();
    items.field("QTPROGENTAF").setAsFloat(1);
    items.post();
    const host::Packet delta = host::decodePacket(items.delta());

    EXPECT_THROW(applyDelta(connection(), delta, itemMapping()), host::DataError);  // no transaction
    const auto inTransaction = [&](const TableMapping& mapping) {
        afdb::transact(connection(), [&] { applyDelta(connection(), delta, mapping); });
    };
    EXPECT_THROW(inTransaction(TableMapping("NAOEXISTE", {"CDFILDEST"})), host::DataError);
    EXPECT_THROW(inTransaction(TableMapping("ITEMAUTF", {"CDFILDEST", "NRSEQITEM"})), host::DataError);  // not a column
    EXPECT_THROW(inTransaction(TableMapping("ITEMAUTF", {"CDFILDEST", "QTEFETENTRAF"})), host::DataError);  // not in the packet
    EXPECT_THROW(TableMapping("ITEMAUTF; DROP", {"CDFILDEST"}), host::DataError);
    EXPECT_THROW(selectPacket(connection(), "SELECT CDFILDEST FROM ITEMAUTF", {}, itemFields()), host::DataError);
    EXPECT_THROW(TableMapping("ITEMAUTF", {}), host::DataError);
    // A key that does not identify one row must not write several.
    try {
        afdb::exec(connection(), "INSERT INTO ITEMAUTF (CDFILDEST, CDFILLANC, NRAUTOFORN, CDPRODUTO, DTPROGENTAF, CDMARCA, QTPROGENTAF) "
                                 "VALUES ('0002', '0001', '0000000001', '0000000001', '2024-08-01 00:00:00', '00001', 10)");
        inTransaction(TableMapping("ITEMAUTF", {"CDFILDEST"}));
        FAIL() << "a partial key was accepted";
    } catch (const host::DataError& e) {
        EXPECT_TRUE(e.message().contains("não identificam uma única linha")) << e.what();
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM ITEMAUTF WHERE QTPROGENTAF = 1"), 0);
}

AFDB_INSTANTIATE_ON_ENGINES(DeltaResolverTest);

}  // namespace
}  // namespace afresolver
