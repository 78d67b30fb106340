// Product data, the product check and the product lookup on both engines,
// over a small tree where each rule decides one product:
//
//   01 Alimentos (level)             02 Bebidas (level; excluded for 0002)
//     0102003 Arroz 5 kg  (world)      0201001 Agua mineral
//     0102004 Feijao 1 kg  stocked in 0002
//     0102005 Acucar 1 kg  inactive in 0002
//     0102006 Arroz fardo 30 kg  converts into 0102004 (stock product)
//                                      0201002 Suco de uva  registered active in 0002,
//                                                          bought explicitly by 0002
#include "library_test_support.h"
#include "product_data.h"
#include "product_lookup.h"

#include "host/data/errors.h"
#include "host/library/library_units.h"
#include "host/lookup/lookup_query.h"
#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace platform::library::testing {
namespace {

using afdb::testing::insertRow;
using host::DadosProduto;

const QString kFeijao = QStringLiteral("0000000003");
const QString kAcucar = QStringLiteral("0000000004");
const QString kFardo = QStringLiteral("0000000005");
const QString kBebidas = QStringLiteral("0000000010");
const QString kAgua = QStringLiteral("0000000011");
const QString kSuco = QStringLiteral("0000000012");

class ProductTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        const QSqlDatabase db = connection();
        afdb::exec(db, QStringLiteral("UPDATE PRODUTO SET CDNVPRODUTO = '01' WHERE CDPRODUTO = :P"),
                   {{"P", world.productLevel}});
        addProduct(kFeijao, "0102004", "Feijao 1 kg");
        addProduct(kAcucar, "0102005", "Acucar 1 kg");
        addProduct(kFardo, "0102006", "Arroz fardo 30 kg", kFeijao);
        addProduct(kBebidas, "02", "Bebidas");
        addProduct(kAgua, "0201001", "Agua mineral");
        addProduct(kSuco, "0201002", "Suco de uva");
        insertRow(db, "ESTOQUE", {{"CDFILIAL", world.branch}, {"CDPRODUTO", kFeijao}, {"QTESTOQUE", 12.0}});
        insertRow(db, "PRODFILI", {{"CDFILIAL", world.branch}, {"CDPRODUTO", kAcucar}, {"IDPRODATIV", "I"}});
        insertRow(db, "PRODFILI", {{"CDFILIAL", world.branch}, {"CDPRODUTO", kSuco}, {"IDPRODATIV", "A"}});
        insertRow(db, "PRODNCMP", {{"CDFILIAL", world.branch}, {"CDPRODUTO", kBebidas}});
        insertRow(db, "PRODCMPFILI", {{"CDFILIAL", world.branch}, {"CDPRODUTO", kSuco}});
    }

    // The screen's product lookup, prepared by the library and opened.
    QStringList listed(const QString& branch, const QString& mixFlag, bool byName = false, bool cache = false) {
        host::LookupQuery q(QStringLiteral("qryPesqProduto"));
        q.addField(host::FieldDef::string(QStringLiteral("CDPRODUTO"), 10, QStringLiteral("Código")));
        q.addField(host::FieldDef::string(QStringLiteral("CDARVPROD"), 20, QStringLiteral("Código")));
        q.addField(host::FieldDef::string(QStringLiteral("CDNVPRODUTO"), 2));
        q.addField(host::FieldDef::string(QStringLiteral("NMPRODUTO"), 50, QStringLiteral("Nome")));
        q.addField(host::FieldDef::string(QStringLiteral("SGUNIDADE"), 10, QStringLiteral("Unidade")));
        cache ? host::Lib00210::SQL_Pesquisa_ProdutoCache(branch, mixFlag, q, byName)
              : host::Lib00210::SQL_Pesquisa_Produto(branch, mixFlag, q, byName);
        q.open();
        QStringList codes;
        for (q.first(); !q.eof(); q.next()) codes << q.field(QStringLiteral("CDARVPROD")).asString();
        return codes;
    }

    // The check's message, or "" when it accepts.
    QString check(const QString& branch, const QString& tree, const QString& mixFlag) {
        try {
            host::Lib00210::Validacao_Produto(branch, tree, mixFlag);
            return {};
        } catch (const host::UserError& e) {
            return e.message();
        }
    }
};

TEST_P(ProductTest, DadosProdutoGivesTheProductByItsTreeCode) {
    for (const QString& typed :
         {QStringLiteral("0102003"), QStringLiteral("01.02.003"), QStringLiteral(" 01.02.003")}) {
        const QVariantList p = host::Lib00210::Dados_Produto(typed);
        ASSERT_EQ(p.size(), DadosProduto::Count);
        EXPECT_EQ(p[DadosProduto::NMPRODUTO].toString(), QStringLiteral("Arroz 5 kg"));
        EXPECT_EQ(p[DadosProduto::SGUNIDADE].toString(), QStringLiteral("PCT"));
        EXPECT_EQ(p[DadosProduto::CDPRODUTO].toString(), world.product);
        EXPECT_EQ(p[DadosProduto::CDARVPROD].toString(), world.productTree);
        EXPECT_DOUBLE_EQ(p[DadosProduto::VRFATOCONV].toDouble(), 1.0);
        EXPECT_FALSE(p[DadosProduto::CDPRODESTO].isValid());
    }
    const QVariantList fardo = host::Lib00210::Dados_Produto(QStringLiteral("0102006"));
    EXPECT_EQ(fardo[DadosProduto::CDPRODESTO].toString(), kFeijao);
    EXPECT_EQ(fardo[DadosProduto::CDNVPRODUTO].toString(), QStringLiteral("03"));
    // A tree level is a row of the tree too (product ranges start at levels).
    EXPECT_EQ(host::Lib00210::Dados_Produto(QStringLiteral("01"))[DadosProduto::NMPRODUTO].toString(),
              QStringLiteral("Alimentos"));
}

TEST_P(ProductTest, DadosProdutoOfNothingIsEmptyAndOfAnUnknownCodeAnError) {
    const QVariantList none = host::Lib00210::Dados_Produto(QStringLiteral("  .  .   "));
    ASSERT_EQ(none.size(), DadosProduto::Count);
    for (const QVariant& v : none) EXPECT_FALSE(v.isValid());
    try {
        host::Lib00210::Dados_Produto(QStringLiteral("0109999"));
        ADD_FAILURE() << "unknown product accepted";
    } catch (const host::UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Produto 01.09.999 não cadastrado."));
    }
}

TEST_P(ProductTest, ValidacaoProdutoSaysWhyABranchMayNotBuyAProduct) {
    struct Case {
        const char* branch;
        const char* tree;
        const char* mix;
        const char* message;  // "" = accepted
    } cases[] = {
        {"0002", "0102003", "N", ""},
        {"0002", "01.02.003", "N", ""},
        {"2", "0102003", "N", ""},  // codes follow the host's code convention
        {"0002", "0201001", "N", ""},  // excluded levels are the screens' own check
        {"0001", "0102005", "N", ""},  // inactive only in 0002
        {"0002", "0102004", "S", ""},  // stocked in 0002
        {"0002", "0102006", "S", ""},  // its stock product is stocked in 0002
        {"0002", "0201002", "S", ""},  // registered active in 0002
        {"", "0102003", "N", "Filial destino deve ser informada."},
        {"0002", "  .  .   ", "N", "Produto deve ser informado."},
        {"0002", "0109999", "N", "Produto 01.09.999 não cadastrado."},
        {"0002", "01", "N", "O código 01 é um nível da árvore de produtos; informe um produto."},
        {"0002", "02", "S", "O código 02 é um nível da árvore de produtos; informe um produto."},
        {"0009", "0102003", "N", "Filial 0009 não cadastrada."},
        {"0002", "0102005", "N", "Produto 01.02.005 está inativo na filial 0002."},
        {"0002", "0102005", "S", "Produto 01.02.005 está inativo na filial 0002."},
        {"0002", "0102003", "S", "Produto 01.02.003 não faz parte do mix de produtos da filial 0002."},
        {"0001", "0102004", "S", "Produto 01.02.004 não faz parte do mix de produtos da filial 0001."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.branch) + " " + c.tree + " " + c.mix);
        EXPECT_EQ(check(QString::fromLatin1(c.branch), QString::fromLatin1(c.tree), QString::fromLatin1(c.mix)),
                  QString::fromUtf8(c.message));
    }
}

TEST_P(ProductTest, TheLookupListsWhatTheBranchMayBuy) {
    EXPECT_EQ(listed(world.branch, "N"), (QStringList{"0102003", "0102004", "0102006", "0201002"}));
    EXPECT_EQ(listed(world.branch, "S"), (QStringList{"0102004", "0102006", "0201002"}));
    EXPECT_EQ(listed(world.central, "N"),
              (QStringList{"0102003", "0102004", "0102005", "0102006", "0201001", "0201002"}));
    EXPECT_EQ(listed(world.central, "N", true),
              (QStringList{"0102005", "0201001", "0102003", "0102006", "0102004", "0201002"}));
    EXPECT_EQ(listed(world.central, "S"), QStringList());
    EXPECT_EQ(listed(QStringLiteral("0009"), "N"), QStringList());
    for (const QString& branch : {world.branch, world.central})
        for (const char* mix : {"N", "S"}) EXPECT_EQ(listed(branch, mix, false, true), listed(branch, mix));
}

TEST_P(ProductTest, EveryProductTheLookupOffersPassesTheCheck) {
    QStringList all;
    QSqlQuery q = afdb::exec(connection(), QStringLiteral("SELECT CDARVPROD FROM PRODUTO"));
    while (q.next()) all << q.value(0).toString();
    for (const QString& branch : {world.branch, world.central})
        for (const QString& mix : {QStringLiteral("N"), QStringLiteral("S")}) {
            const QStringList offered = listed(branch, mix);
            for (const QString& tree : all) {
                SCOPED_TRACE((branch + " " + mix + " " + tree).toStdString());
                const bool excluded = branch == world.branch && tree == QStringLiteral("0201001");
                EXPECT_EQ(offered.contains(tree), check(branch, tree, mix).isEmpty() && !excluded);
            }
        }
}

TEST_P(ProductTest, TheLookupReplacesTheQueryTextAndGivesItsEmptyListText) {
    host::LookupQuery q(QStringLiteral("qryPesqProduto"));
    q.setSql(host::SqlDialect::SQLite, QStringLiteral("SELECT 1 AS CDPRODUTO"));
    q.setSql(host::SqlDialect::PostgreSQL, QStringLiteral("SELECT 1 AS CDPRODUTO"));
    EXPECT_EQ(host::Lib00210::SQL_Pesquisa_Produto(QStringLiteral("2"), QStringLiteral("N"), q, false),
              QStringLiteral("Não há produto que possa ser comprado para a filial 0002."));
    EXPECT_EQ(q.sql(host::SqlDialect::SQLite), q.sql(host::SqlDialect::Default));
    EXPECT_EQ(q.sql(host::SqlDialect::PostgreSQL), q.sql(host::SqlDialect::Default));
    EXPECT_EQ(q.param(QStringLiteral("P_CDFILIAL")), QVariant(QStringLiteral("0002")));
    EXPECT_EQ(host::Lib00210::SQL_Pesquisa_ProdutoCache(world.branch, QStringLiteral("S"), q, false),
              QStringLiteral("Não há produto do mix da filial 0002 que possa ser comprado."));
    try {
        host::Lib00210::SQL_Pesquisa_Produto(QString(), QStringLiteral("N"), q, false);
        ADD_FAILURE() << "a lookup without a branch was prepared";
    } catch (const host::UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Filial destino deve ser informada."));
    }
}

AFDB_INSTANTIATE_ON_ENGINES(ProductTest);

}  // namespace
}  // namespace platform::library::testing
