// The modules the server registers are the ones the clients' names header
// names, method for method, and each declares what a description of it needs.
#include "business_modules.h"

#include "host/remote/remote_names.h"
#include "host/testing/qt_printers.h"

#include <QtCore/QStringList>
#include <gtest/gtest.h>

namespace platform::server::modules {
namespace {

namespace names = host::names;

struct ModuleNames {
    QLatin1String module;
    QStringList methods;
};

const std::vector<ModuleNames> kHeader = {
    {names::lancaAutoF::module,
     {names::lancaAutoF::GetParamFilial, names::lancaAutoF::GetFilialDest, names::lancaAutoF::GetServAutoForne,
      names::lancaAutoF::GetAutoForne, names::lancaAutoF::GetItemAutf_Produto, names::lancaAutoF::GetItemAutF,
      names::lancaAutoF::GetImpostoAF, names::lancaAutoF::GetNFBaixa, names::lancaAutoF::GetMensagensAF,
      names::lancaAutoF::GetPrazoPgtAF, names::lancaAutoF::GetDataEncargo, names::lancaAutoF::GetEncargo,
      names::lancaAutoF::GetMovOpAF, names::lancaAutoF::GetParamGeral, names::lancaAutoF::GetMudAutProd,
      names::lancaAutoF::GetAuxCmpSup, names::lancaAutoF::GetAgruFili, names::lancaAutoF::GetFiliAgrupFili,
      names::lancaAutoF::GetAprovSoliGer, names::lancaAutoF::GetParCentCmp, names::lancaAutoF::GetPrazoAF,
      names::lancaAutoF::GetVer_ProdComp, names::lancaAutoF::Carrega_PeriForn, names::lancaAutoF::GetPesqMarca}},
    {names::custProd::module, {names::custProd::GetTipoCusto}},
    {names::altAF::module,
     {names::altAF::GetParaSupri, names::altAF::GetAF, names::altAF::GetVerifica, names::altAF::SetAF}},
};

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

TEST(BusinessModules, RegistersExactlyTheModulesAndMethodsTheNamesHeaderNames) {
    ModuleRegistry registry;
    registerBusinessModules(registry);
    const std::vector<const ServerModule*> modules = registry.modules();
    ASSERT_EQ(modules.size(), kHeader.size());
    for (size_t i = 0; i < kHeader.size(); ++i) {
        SCOPED_TRACE(QString(kHeader[i].module).toStdString());
        EXPECT_EQ(modules[i]->name(), kHeader[i].module);  // spelt alike, not only alike regardless of case
        QStringList registered;
        for (const MethodDef* m : modules[i]->methods()) registered << m->name;
        EXPECT_EQ(sorted(registered), sorted(kHeader[i].methods));
    }
}

TEST(BusinessModules, EveryMethodNamesItsArgumentsAndDeclaresItsResult) {
    ModuleRegistry registry;
    registerBusinessModules(registry);
    for (const ServerModule* module : registry.modules())
        for (const MethodDef* method : module->methods()) {
            SCOPED_TRACE((module->name() + QLatin1Char('.') + method->name).toStdString());
            EXPECT_TRUE(method->needsSession);
            EXPECT_NE(method->result, ResultKind::Variant);
            for (const ArgDef& a : method->args) EXPECT_FALSE(a.name.isEmpty());
        }
}

// Spot checks of declarations the clients depend on: counts, by-reference
// positions and result kinds as the screens call them.
TEST(BusinessModules, SignaturesTheScreensCallAgainst) {
    ModuleRegistry registry;
    registerBusinessModules(registry);
    struct Row {
        QLatin1String module, method;
        size_t args;
        std::vector<int> byRef;
        ResultKind result;
    };
    const std::vector<Row> rows = {
        {names::lancaAutoF::module, names::lancaAutoF::GetFilialDest, 17, {1, 2, 9}, ResultKind::Packet},
        {names::lancaAutoF::module, names::lancaAutoF::GetServAutoForne, 14, {7}, ResultKind::Packet},
        {names::lancaAutoF::module, names::lancaAutoF::GetAutoForne, 3, {}, ResultKind::Packet},
        {names::lancaAutoF::module, names::lancaAutoF::GetParCentCmp, 1, {}, ResultKind::Text},
        {names::lancaAutoF::module, names::lancaAutoF::GetAgruFili, 0, {}, ResultKind::Packet},
        {names::lancaAutoF::module, names::lancaAutoF::GetVer_ProdComp, 2, {}, ResultKind::Text},
        {names::lancaAutoF::module, names::lancaAutoF::Carrega_PeriForn, 3, {}, ResultKind::DateTime},
        {names::lancaAutoF::module, names::lancaAutoF::GetPesqMarca, 1, {}, ResultKind::Packet},
        {names::altAF::module, names::altAF::GetAF, 6, {}, ResultKind::Packet},
        {names::altAF::module, names::altAF::GetVerifica, 1, {}, ResultKind::Array},
        {names::altAF::module, names::altAF::SetAF, 19, {}, ResultKind::Boolean},
        {names::custProd::module, names::custProd::GetTipoCusto, 0, {}, ResultKind::Packet},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(QString(row.method).toStdString());
        const ServerModule* module = registry.find(row.module);
        ASSERT_NE(module, nullptr);
        const MethodDef* method = module->find(row.method);
        ASSERT_NE(method, nullptr);
        ASSERT_EQ(method->args.size(), row.args);
        std::vector<int> byRef;
        for (size_t i = 0; i < method->args.size(); ++i)
            if (method->args[i].byRef) byRef.push_back(int(i));
        EXPECT_EQ(byRef, row.byRef);
        EXPECT_EQ(method->result, row.result);
    }
}

}  // namespace
}  // namespace platform::server::modules
