// The screens reach the installed library through the unit names, and the
// active module starts as purchasing and accepts only the two modules.
#include "host/library/library_units.h"

#include "host/data/errors.h"
#include "host/lookup/lookup_query.h"
#include "host/remote/remote_connection.h"
#include "host/services/session.h"

#include <gtest/gtest.h>

using namespace host;

namespace {

// Records each call as one line and answers from fixed values.
class RecordingLibrary : public BusinessLibrary {
public:
    QStringList calls;

    QVariantList Dados_Produto(const QString& code) override {
        calls << "Dados_Produto " + code;
        return {QStringLiteral("Arroz"), QVariant(), QStringLiteral("0000000001")};
    }
    void Validacao_Produto(const QString& branch, const QString& code, const QString& flag) override {
        calls << QStringLiteral("Validacao_Produto %1 %2 %3").arg(branch, code, flag);
    }
    QString SQL_Pesquisa_Produto(const QString& branch, const QString& flag, LookupQuery& q, bool byName) override {
        calls << QStringLiteral("SQL_Pesquisa_Produto %1 %2 %3 %4").arg(branch, flag, q.name()).arg(byName);
        return QStringLiteral("vazio");
    }
    QString SQL_Pesquisa_ProdutoCache(const QString& branch, const QString& flag, LookupQuery& q,
                                      bool byName) override {
        calls << QStringLiteral("SQL_Pesquisa_ProdutoCache %1 %2 %3 %4").arg(branch, flag, q.name()).arg(byName);
        return QStringLiteral("vazio cache");
    }
    QStringList ListaTipoCusto(RemoteConnection& c) override {
        calls << "ListaTipoCusto " + c.moduleName();
        return {QStringLiteral("Médio")};
    }
    int NumeroTipoCusto(int index) const override { return index + 10; }
    bool CriaConfSenha(const QString& op, const QString& caption, const QString& label) override {
        calls << QStringLiteral("CriaConfSenha %1 %2 %3").arg(op, caption, label);
        return true;
    }
    void ValidEx(Dataset* lookup, int type, QString& text, const ValidExOptions& o) override {
        calls << QStringLiteral("ValidEx %1 %2 %3 %4%5 %6")
                     .arg(lookup ? lookup->name() : QStringLiteral("-"))
                     .arg(type)
                     .arg(text)
                     .arg(o.required)
                     .arg(o.complete)
                     .arg(o.keyField);
        text = QStringLiteral("canonico");
    }
};

class Installed : public ::testing::Test {
protected:
    void SetUp() override { setBusinessLibrary(library); }
    void TearDown() override { setBusinessLibrary(nullptr); }
    std::shared_ptr<RecordingLibrary> library = std::make_shared<RecordingLibrary>();
};

}  // namespace

TEST(BusinessLibrary, WithoutAnInstalledLibraryCallsFailClearly) {
    setBusinessLibrary(nullptr);
    EXPECT_THROW(Lib00210::Dados_Produto(QStringLiteral("01")), DataError);
    EXPECT_THROW(Lib00500::NumeroTipoCusto(0), DataError);
}

TEST_F(Installed, UnitNamesPassTheirArgumentsInOrder) {
    LookupQuery query(QStringLiteral("qryPesqProduto"));
    RemoteConnection custos(names::custProd::module);
    Dataset lookup(QStringLiteral("qryProduto"));

    EXPECT_EQ(Lib00210::Dados_Produto(QStringLiteral("0102003")).value(DadosProduto::CDPRODUTO),
              QStringLiteral("0000000001"));
    Lib00210::Validacao_Produto(QStringLiteral("0002"), QStringLiteral("0102003"), QStringLiteral("S"));
    EXPECT_EQ(Lib00210::SQL_Pesquisa_Produto(QStringLiteral("0002"), QStringLiteral("N"), query, true),
              QStringLiteral("vazio"));
    EXPECT_EQ(Lib00210::SQL_Pesquisa_ProdutoCache(QStringLiteral("0003"), QStringLiteral("S"), query, false),
              QStringLiteral("vazio cache"));
    EXPECT_EQ(Lib00500::ListaTipoCusto(custos), QStringList{QStringLiteral("Médio")});
    EXPECT_EQ(Lib00500::NumeroTipoCusto(2), 12);
    EXPECT_TRUE(Lib00700::CriaConfSenha(QStringLiteral("MARIA"), QStringLiteral("Confere Senha"),
                                        QStringLiteral("Comprador")));
    QString text = QStringLiteral("01.02.003");
    Tabvalid::ValidEx(&lookup, kPictProduto, text, {.required = true, .complete = false, .keyField = "CDARVPROD"});
    EXPECT_EQ(text, QStringLiteral("canonico"));

    EXPECT_EQ(library->calls, (QStringList{
                                  "Dados_Produto 0102003",
                                  "Validacao_Produto 0002 0102003 S",
                                  "SQL_Pesquisa_Produto 0002 N qryPesqProduto 1",
                                  "SQL_Pesquisa_ProdutoCache 0003 S qryPesqProduto 0",
                                  "ListaTipoCusto cus.rdmCustProd",
                                  "CriaConfSenha MARIA Confere Senha Comprador",
                                  "ValidEx qryProduto 0 01.02.003 10 CDARVPROD",
                              }));
}

TEST(Geral, ModuloAtivStartsAsPurchasingAndTakesOnlyKnownModules) {
    EXPECT_EQ(Geral::ModuloAtiv(), Geral::kModuloCompras);
    Geral::setModuloAtiv(Geral::kModuloSuprimentos);
    EXPECT_EQ(Geral::ModuloAtiv(), 34);
    for (int wrong : {0, 5, 33, -4}) {
        EXPECT_THROW(Geral::setModuloAtiv(wrong), DataError) << wrong;
        EXPECT_EQ(Geral::ModuloAtiv(), 34) << wrong;
    }
    Geral::setModuloAtiv(Geral::kModuloCompras);
    EXPECT_EQ(Geral::ModuloAtiv(), 4);
}
