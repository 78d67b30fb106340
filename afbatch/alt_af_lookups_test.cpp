// The screen's lookups on the engine in use (each text the engine runs).
#include "afbatch_test_support.h"

#include "host/lookup/host_database.h"
#include "host/testing/qt_printers.h"

namespace afbatch::testing {
namespace {

class AltAfLookupsTest : public AltAfScreenTest {};

TEST_P(AltAfLookupsTest, EachLookupAnswersOnTheEngine) {
    AltAfLookups l;
    struct Case {
        const char* what;
        host::LookupQuery* query;
        std::vector<std::pair<QString, QVariant>> params;
        QString column;
        QStringList expected;
    };
    const std::vector<Case> cases = {
        {"purchasing branch of a branch", &l.qryCentCmp, {{"P_CDFILIAL", world.w.branch}}, "CDFILIAL", {world.w.central}},
        {"a central is its own", &l.qryCentCmp, {{"P_CDFILIAL", world.w.central}}, "CDFILIAL", {world.w.central}},
        {"every branch", &l.qryFilial, {{"P_CDFILIAL", QVariant()}, {"P_TCDFILIAL", "T"}}, "NMFILIAL", {"Central", "Loja"}},
        {"one branch", &l.qryFilial, {{"P_CDFILIAL", world.w.branch}, {"P_TCDFILIAL", QVariant()}}, "IDCNTRRESC", {"N"}},
        {"sub-groups of the group", &l.qrySubGrupo,
         {{"P_CDGRUPPROD", world.group}, {"P_CDSUBGRPROD", QVariant()}, {"P_TCDSUBGRPROD", "T"}}, "NMSUBGRPROD",
         {"Limpeza", "Escritório"}},
        {"one sub-group", &l.qrySubGrupo,
         {{"P_CDGRUPPROD", world.group}, {"P_CDSUBGRPROD", world.otherSubGroup}, {"P_TCDSUBGRPROD", QVariant()}},
         "NMSUBGRPROD", {"Escritório"}},
        {"sub-group of another group", &l.qrySubGrupo,
         {{"P_CDGRUPPROD", "0000000009"}, {"P_CDSUBGRPROD", world.subGroup}, {"P_TCDSUBGRPROD", QVariant()}},
         "NMSUBGRPROD", {}},
        {"brand", &l.qryMarca, {{"P_CDMARCA", world.brand45}}, "NMMARCA", {"Marca 45"}},
        {"every brand", &l.qryPesqMarcTodas, {}, "CDMARCA", {"00001", "00002", "00003", "00045"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.query->clearParams();
        for (const auto& [name, value] : c.params) c.query->setParam(name, value);
        c.query->open();
        QStringList got;
        for (c.query->first(); !c.query->eof(); c.query->next()) got << c.query->field(c.column).asString();
        EXPECT_EQ(got, c.expected);
    }
}

AFDB_INSTANTIATE_ON_ENGINES(AltAfLookupsTest);

}  // namespace
}  // namespace afbatch::testing
