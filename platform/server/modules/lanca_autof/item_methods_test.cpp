// The item entry's checks and lookups through the dispatcher: the buyer's and
// the logistic operators' product rules, the supplier's delivery weekdays and
// the product's brands.
#include "platform/server/modules/testing/lanca_autof_test_support.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace platform::server::modules::testing {
namespace {

using afdb::testing::insertRow;
using host::RemoteValue;

class ItemMethodsTest : public LancaAutoFTest {
protected:
    void addProduct(const char* code, const char* tree) {
        insertRow(connection(), "PRODUTO",
                  {{"CDPRODUTO", code}, {"CDARVPROD", tree}, {"NMPRODUTO", QStringLiteral("Produto %1").arg(tree)}});
    }
    void addBranch(const char* code, const char* function) {
        insertRow(connection(), "FILIAL",
                  {{"CDFILIAL", code}, {"NMFILIAL", "Filial"}, {"CDEMPRESA", world.company}, {"IDFUNCAOFILI", function}});
    }

    // The answer of a call that must succeed.
    RemoteValue answer(const QString& method, std::vector<RemoteValue> args) {
        const host::RpcResponse r = call(method, std::move(args));
        EXPECT_TRUE(r.ok) << method.toStdString() << ": " << r.message.toStdString();
        return r.value;
    }
    // The message of a call that must fail.
    QString refusal(const QString& method, std::vector<RemoteValue> args) {
        const host::RpcResponse r = call(method, std::move(args));
        EXPECT_FALSE(r.ok) << method.toStdString() << " answered " << describe(r.value).toStdString();
        return r.message;
    }

    void setPattern(const QVariant& pattern) {
        afdb::exec(connection(), "DELETE FROM FORNFILI");
        insertRow(connection(), "FORNFILI",
                  {{"CDFORNECED", world.supplier}, {"CDFILIAL", world.branch}, {"DSPERIENTR", pattern}});
    }
    RemoteValue periForn(const host::DateTime& date) {
        return answer(QStringLiteral("Carrega_PeriForn"), {world.branch, world.supplier, date});
    }
};

// The minimal world's buyer buys tree level "01" (its product is "0102003").
// Operator 0010 relates one product and the level "0104"; store 0011 names a
// product in PRODOPERLOG although it is no operator.
TEST_P(ItemMethodsTest, ProductForTheBuyerAndTheLogisticOperator) {
    addBranch("0010", "O");
    addBranch("0011", "L");
    addProduct("0000000010", "0103001");  // under "01", related only at the store
    addProduct("0000000011", "0104");     // a tree level related as a whole
    addProduct("0000000012", "0104002");
    addProduct("0000000013", "0105001");  // under "01", related nowhere
    addProduct("0000000020", "02");
    addProduct("0000000021", "0201001");  // not the buyer's, related nowhere
    addProduct("0000000022", "0202001");  // not the buyer's, related at the operator
    addProduct("0000000030", "1010001");  // holds "01", but not as its first digits
    insertRow(connection(), "PRODOPERLOG", {{"CDFILIAL", "0010"}, {"CDPRODUTO", world.product}});
    insertRow(connection(), "PRODOPERLOG", {{"CDFILIAL", "0010"}, {"CDPRODUTO", "0000000011"}});
    insertRow(connection(), "PRODOPERLOG", {{"CDFILIAL", "0010"}, {"CDPRODUTO", "0000000022"}});
    insertRow(connection(), "PRODOPERLOG", {{"CDFILIAL", "0010"}, {"CDPRODUTO", "0000000030"}});
    insertRow(connection(), "PRODOPERLOG", {{"CDFILIAL", "0011"}, {"CDPRODUTO", "0000000010"}});
    // A second buyer who buys level "02" only.
    insertRow(connection(), "OPERADOR", {{"CDOPERADOR", "COMPRADOR2"}, {"NMOPERADOR", "Comprador Dois"}});
    insertRow(connection(), "COMPRADOR", {{"CDOPERADOR", "COMPRADOR2"}});
    insertRow(connection(), "PRODCOMP", {{"CDOPERADOR", "COMPRADOR2"}, {"CDPRODUTO", "0000000020"}});

    const struct {
        const char* buyer;
        const char* product;
        const char* expected;
    } cases[] = {
        {"COMPRADOR1", "0000000001", ""},   // bought and related by itself
        {"COMPRADOR1", "0000000012", ""},   // related through its level
        {"COMPRADOR1", "0000000010", "R"},  // a store's row is no operator's relation
        {"COMPRADOR1", "0000000013", "R"},
        {"COMPRADOR1", "0000000021", "C"},
        {"COMPRADOR1", "0000000022", "C"},  // the buyer comes first
        {"COMPRADOR1", "0000000030", "C"},
        {"COMPRADOR2", "0000000022", ""},
        {"COMPRADOR2", "0000000021", "R"},
        {"COMPRADOR2", "0000000001", "C"},
        {"COMPRADOR2", "0000000020", "R"},  // the level itself, bought but not related
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.buyer) + " " + c.product);
        const RemoteValue v = answer(QStringLiteral("GetVer_ProdComp"), {c.buyer, c.product});
        EXPECT_EQ(v.kind(), host::RemoteKind::Text);
        EXPECT_EQ(v.toText(), QString::fromLatin1(c.expected));
    }

    // Once the store becomes an operator its relation counts.
    afdb::exec(connection(), "UPDATE FILIAL SET IDFUNCAOFILI = 'O' WHERE CDFILIAL = '0011'");
    EXPECT_EQ(answer(QStringLiteral("GetVer_ProdComp"), {"COMPRADOR1", "0000000010"}).toText(), QString());
}

TEST_P(ItemMethodsTest, ProductCheckRefusesWhatItCannotAnswer) {
    const struct {
        RemoteValue buyer, product;
        const char* message;
    } cases[] = {
        {RemoteValue(), world.product, "Comprador deve ser informado."},
        {QStringLiteral("  "), world.product, "Comprador deve ser informado."},
        {world.buyer, RemoteValue(), "Produto deve ser informado."},
        {QStringLiteral("NINGUEM"), world.product, "Comprador NINGUEM não cadastrado."},
        {world.operatorCode, world.product, "Comprador OPERADOR1 não cadastrado."},  // an operator, not a buyer
        {world.buyer, QStringLiteral("9999999999"), "Produto 9999999999 não cadastrado."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(refusal(QStringLiteral("GetVer_ProdComp"), {c.buyer, c.product}), QString::fromUtf8(c.message));
    }
}

// 2024-06-12 is a Wednesday.
TEST_P(ItemMethodsTest, NextDeliveryDayOfTheSupplierAtTheBranch) {
    const struct {
        const char* pattern;
        host::DateTime typed, expected;
    } cases[] = {
        {"SNNNNNN", day(2024, 6, 12), day(2024, 6, 16)},  // each weekday alone
        {"NSNNNNN", day(2024, 6, 12), day(2024, 6, 17)},
        {"NNSNNNN", day(2024, 6, 12), day(2024, 6, 18)},
        {"NNNSNNN", day(2024, 6, 12), day(2024, 6, 12)},
        {"NNNNSNN", day(2024, 6, 12), day(2024, 6, 13)},
        {"NNNNNSN", day(2024, 6, 12), day(2024, 6, 14)},
        {"NNNNNNS", day(2024, 6, 12), day(2024, 6, 15)},
        {"SNNNNNN", day(2024, 6, 16), day(2024, 6, 16)},  // Sunday, the first position
        {"NNNNNNS", day(2024, 6, 15), day(2024, 6, 15)},  // Saturday, the last
        {"NNNNNNS", day(2024, 6, 16), day(2024, 6, 22)},  // six days on
        {"NSNSNSN", day(2024, 6, 15), day(2024, 6, 17)},  // over the weekend
        {"NSNSNSN", day(2024, 6, 13), day(2024, 6, 14)},
        {"NSSSSSN", day(2024, 6, 14), day(2024, 6, 14)},
        {"SSSSSSS", day(2024, 6, 15), day(2024, 6, 15)},
        {"NSNNNNN", day(2024, 5, 31), day(2024, 6, 3)},    // into the next month
        {"NNNNSNN", day(2025, 12, 31), day(2026, 1, 1)},   // into the next year
        {"SNNNNNN", day(2024, 2, 29), day(2024, 3, 3)},    // from a leap day
        {"NNNNNSN", day(2024, 2, 28), day(2024, 3, 1)},    // over it
        {"NSNNNNN", day(2024, 6, 14, 15, 30), day(2024, 6, 17, 15, 30)},  // the time of day stays
        {"NNNNNSN", day(2024, 6, 14, 15, 30), day(2024, 6, 14, 15, 30)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + QString::number(c.typed.msecs).toStdString());
        setPattern(QString::fromLatin1(c.pattern));
        const RemoteValue v = periForn(c.typed);
        ASSERT_EQ(v.kind(), host::RemoteKind::DateTime);
        EXPECT_EQ(v.dateTime(), c.expected);
    }
}

TEST_P(ItemMethodsTest, NoPatternMeansEveryDay) {
    const host::DateTime saturday = day(2024, 6, 15, 9);
    EXPECT_EQ(periForn(saturday), RemoteValue(saturday));  // no row for the supplier and the branch
    for (const QVariant& empty : {QVariant(), QVariant(QStringLiteral("       "))}) {
        SCOPED_TRACE(empty.toString().toStdString());
        setPattern(empty);
        EXPECT_EQ(periForn(saturday), RemoteValue(saturday));
    }
    // Another branch's or supplier's pattern is not this pair's.
    insertRow(connection(), "FORNECEDOR", {{"CDFORNECED", "000000000000000000789"}, {"IDTPIJURFORN", "J"},
                                          {"NRINSJURFORN", "55444333000122"}, {"NMRAZSOCFORN", "Terceiro"}});
    afdb::exec(connection(), "DELETE FROM FORNFILI");
    insertRow(connection(), "FORNFILI", {{"CDFORNECED", world.supplier}, {"CDFILIAL", world.central}, {"DSPERIENTR", "NSNNNNN"}});
    insertRow(connection(), "FORNFILI",
              {{"CDFORNECED", "000000000000000000789"}, {"CDFILIAL", world.branch}, {"DSPERIENTR", "NSNNNNN"}});
    EXPECT_EQ(periForn(saturday), RemoteValue(saturday));
}

TEST_P(ItemMethodsTest, PatternsThatCannotBeReadAreRefused) {
    const char* const malformed[] = {"SNS", "SNSNSNX", "snsnsns", "S NSNSN", "1010101"};
    for (const char* pattern : malformed) {
        SCOPED_TRACE(pattern);
        setPattern(QString::fromLatin1(pattern));
        EXPECT_EQ(refusal(QStringLiteral("Carrega_PeriForn"), {world.branch, world.supplier, day(2024, 6, 12)}),
                  QStringLiteral("A periodicidade de entrega \"%1\" do fornecedor %2 na filial 0002 é inválida: deve "
                                 "ter 7 posições, de domingo a sábado, cada uma \"S\" (entrega) ou \"N\". Corrija o "
                                 "cadastro do fornecedor.")
                      .arg(QString::fromLatin1(pattern), world.supplier));
    }
    setPattern(QStringLiteral("NNNNNNN"));
    EXPECT_EQ(refusal(QStringLiteral("Carrega_PeriForn"), {world.branch, world.supplier, day(2024, 6, 12)}),
              QStringLiteral("O fornecedor %1 não entrega em nenhum dia da semana na filial 0002 (periodicidade de "
                             "entrega \"NNNNNNN\"). Corrija o cadastro do fornecedor.")
                  .arg(world.supplier));
    // What was refused is left as it was.
    EXPECT_EQ(afdb::scalar(connection(), "SELECT DSPERIENTR FROM FORNFILI").toString(), QStringLiteral("NNNNNNN"));
}

TEST_P(ItemMethodsTest, DeliveryCheckRefusesWhatItCannotAnswer) {
    setPattern(QStringLiteral("NSNNNNN"));
    const struct {
        RemoteValue branch, supplier, date;
        const char* message;
    } cases[] = {
        {RemoteValue(), world.supplier, day(2024, 6, 12), "Filial destino deve ser informada."},
        {world.branch, QStringLiteral(" "), day(2024, 6, 12), "Fornecedor deve ser informado."},
        {world.branch, world.supplier, RemoteValue(), "Data de entrega deve ser informada."},
        {QStringLiteral("9999"), world.supplier, day(2024, 6, 12), "Filial 9999 não cadastrada."},
        {world.branch, QStringLiteral("999"), day(2024, 6, 12), "Fornecedor 999 não cadastrado."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(refusal(QStringLiteral("Carrega_PeriForn"), {c.branch, c.supplier, c.date}), QString::fromUtf8(c.message));
    }
    EXPECT_FALSE(call(QStringLiteral("Carrega_PeriForn"), {world.branch, world.supplier, QStringLiteral("12/06/2024")}).ok);
}

TEST_P(ItemMethodsTest, BrandsRegisteredForTheProduct) {
    insertRow(connection(), "MARCA", {{"CDMARCA", "00010"}, {"NMMARCA", "Marca de Vinte Letra"}});  // 20 characters
    insertRow(connection(), "MARCA", {{"CDMARCA", "00002"}, {"NMMARCA", "Marca Dois"}});
    insertRow(connection(), "MARCA", {{"CDMARCA", "00003"}, {"NMMARCA", "Marca de Outro"}});
    addProduct("0000000010", "0103001");
    insertRow(connection(), "MARCPROD", {{"CDPRODUTO", world.product}, {"CDMARCA", "00010"}, {"IDQUALIMARC", "S"}});
    insertRow(connection(), "MARCPROD", {{"CDPRODUTO", world.product}, {"CDMARCA", "00002"}, {"IDQUALIMARC", "N"}});
    insertRow(connection(), "MARCPROD", {{"CDPRODUTO", world.product}, {"CDMARCA", world.brand}});
    insertRow(connection(), "MARCPROD", {{"CDPRODUTO", "0000000010"}, {"CDMARCA", "00003"}});

    const host::Packet p = packetOf(QStringLiteral("GetPesqMarca"), {world.productTree});
    ASSERT_EQ(p.fields.size(), 2u);
    EXPECT_EQ(p.fields[0].name, QStringLiteral("CDMARCA"));
    EXPECT_EQ(p.fields[0].type, host::FieldType::String);
    EXPECT_EQ(p.fields[0].size, 5);
    EXPECT_EQ(p.fields[1].name, QStringLiteral("NMMARCA"));
    EXPECT_EQ(p.fields[1].type, host::FieldType::String);
    EXPECT_EQ(p.fields[1].size, 20);
    EXPECT_EQ(column(p, "CDMARCA"), (QStringList{"00001", "00002", "00010"}));
    EXPECT_EQ(column(p, "NMMARCA"), (QStringList{"Marca Um", "Marca Dois", "Marca de Vinte Letra"}));

    EXPECT_EQ(column(packetOf(QStringLiteral("GetPesqMarca"), {QStringLiteral("0103001")}), "CDMARCA"),
              QStringList{"00003"});
    for (const char* none : {"01", "9999999"}) {  // a level without brands, a tree code nobody has
        SCOPED_TRACE(none);
        const host::Packet empty = packetOf(QStringLiteral("GetPesqMarca"), {QString::fromLatin1(none)});
        EXPECT_EQ(empty.fields.size(), 2u);
        EXPECT_TRUE(empty.rows.empty());
    }
    EXPECT_EQ(refusal(QStringLiteral("GetPesqMarca"), {RemoteValue()}), QStringLiteral("Produto deve ser informado."));
}

AFDB_INSTANTIATE_ON_ENGINES(ItemMethodsTest);

}  // namespace
}  // namespace platform::server::modules::testing
