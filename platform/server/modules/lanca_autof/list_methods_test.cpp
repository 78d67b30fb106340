// The filter's calls through the dispatcher: which AFs and branches each
// criterion lets through, and what a bad argument gets back.
#include "af_criteria.h"
#include "lanca_autof_fields.h"
#include "platform/server/modules/testing/lanca_autof_test_support.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>
#include <type_traits>

namespace platform::server::modules::testing {
namespace {

using host::RemoteValue;

// GetServAutoForne's criteria, defaulting to "everything".
struct Criteria {
    QString buyers = "T", suppliers = "T";
    RemoteValue afFrom, afTo;
    QString consistency = "T", limit = "T", situations = "1_2_3_4_5", open = "X";
    RemoteValue delFrom, delTo;
    QString afEmpty = "T", delEmpty = "T";
};

std::vector<RemoteValue> criteriaArgs(const Criteria& c) {
    return {c.buyers,     c.suppliers, c.afFrom,  c.afTo,  c.consistency, c.limit,
            c.situations, c.open,      c.delFrom, c.delTo, c.afEmpty,     c.delEmpty};
}

std::vector<RemoteValue> servArgs(const QString& dest, const Criteria& c, bool branchMode = false) {
    std::vector<RemoteValue> a = criteriaArgs(c);
    a.insert(a.begin(), RemoteValue(dest));
    a.emplace_back(branchMode);
    return a;
}
const std::vector<int> kServByRef = {7};

struct Branches {
    QString grouping, list, all = "T", central;
    bool branchMode = false;
};

std::vector<RemoteValue> destArgs(const Branches& b, const Criteria& c) {
    std::vector<RemoteValue> a = criteriaArgs(c);
    a.insert(a.begin(), {RemoteValue(b.grouping), RemoteValue(b.list), RemoteValue(b.all)});
    a.emplace_back(b.central);
    a.emplace_back(b.branchMode);
    return a;
}
const std::vector<int> kDestByRef = {1, 2, 9};

QStringList numbers(const QList<int>& ns) {
    QStringList out;
    for (int n : ns) out << afNumber(n);
    return out;
}

class ServAutoForneTest : public LancaAutoFTest {};

struct ListCase {
    const char* name;
    Criteria criteria;
    QList<int> expected;  // AF numbers of destination 0002, in list order
};

template <typename T = Criteria>
T with(const std::function<void(std::type_identity_t<T>&)>& f) {
    T v;
    f(v);
    return v;
}

TEST_P(ServAutoForneTest, EachCriterionSelectsItsAfs) {
    const std::vector<ListCase> cases = {
        {"tudo", {}, {1, 2, 3, 5}},
        {"so em aberto", with([](Criteria& c) { c.situations = "0"; }), {1}},
        {"total e cancelada",
         with([](Criteria& c) {
             c.situations = "_2_5";
             c.open = "Z";
         }),
         {2, 3}},
        {"parcial sem aberto",
         with([](Criteria& c) {
             c.situations = "1";
             c.open = "Z";
         }),
         {5}},
        {"inconsistentes", with([](Criteria& c) { c.consistency = "1"; }), {2}},
        {"consistentes", with([](Criteria& c) { c.consistency = "X"; }), {1, 3, 5}},
        {"fora do limite", with([](Criteria& c) { c.limit = "S"; }), {3}},
        {"dentro do limite", with([](Criteria& c) { c.limit = "N"; }), {1, 2, 5}},
        {"fornecedor", with([](Criteria& c) { c.suppliers = "_" + kSupplier2 + "_"; }), {2}},
        {"comprador", with([](Criteria& c) { c.buyers = "_OPERADOR1_"; }), {3}},
        {"dois compradores", with([](Criteria& c) { c.buyers = "_OPERADOR1_COMPRADOR1_"; }), {1, 2, 3, 5}},
        {"data da AF com o ultimo dia inteiro",
         with([](Criteria& c) {
             c.afFrom = day(2024, 3, 5);
             c.afTo = day(2024, 4, 10);
             c.afEmpty = "";
         }),
         {1, 2}},
        {"entrega pelo item",
         with([](Criteria& c) {
             c.delFrom = day(2024, 7, 1);
             c.delTo = day(2024, 7, 31);
             c.delEmpty = "";
         }),
         {5}},
        {"entrega pelo cabecalho",
         with([](Criteria& c) {
             c.delFrom = day(2024, 4, 25);
             c.delTo = day(2024, 5, 15);
             c.delEmpty = "";
         }),
         {2, 3}},
        {"datas ignoradas com T",
         with([](Criteria& c) {
             c.afFrom = day(2030, 1, 1);
             c.afTo = day(2030, 1, 2);
         }),
         {1, 2, 3, 5}},
        {"injecao no fornecedor", with([](Criteria& c) { c.suppliers = "_x' OR '1'='1_"; }), {}},
        {"injecao no comprador", with([](Criteria& c) { c.buyers = "_COMPRADOR1') OR 1=1 --_"; }), {}},
    };
    for (const ListCase& tc : cases) {
        SCOPED_TRACE(tc.name);
        const host::Packet p = packetOf("GetServAutoForne", servArgs(world.branch, tc.criteria), kServByRef);
        EXPECT_EQ(column(p, "NRAUTOFORN"), numbers(tc.expected));
        EXPECT_EQ(column(p, "CDFILDEST"), QStringList(tc.expected.size(), world.branch));
    }
}

TEST_P(ServAutoForneTest, OpenIncludesEdiAfs) {
    const host::Packet p = packetOf("GetServAutoForne",
                                    servArgs(world.central, with([](Criteria& c) { c.situations = "0"; })), kServByRef);
    EXPECT_EQ(column(p, "NRAUTOFORN"), numbers({4}));
}

TEST_P(ServAutoForneTest, PacketHasTheListLayoutAndJoinedNames) {
    const host::Packet p = packetOf("GetServAutoForne", servArgs(world.branch, {}), kServByRef);
    const Fields expected = fields::servAutoForne();
    ASSERT_EQ(p.fields.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(p.fields[i].name, expected[i].name);
        EXPECT_EQ(p.fields[i].type, expected[i].type);
        EXPECT_EQ(p.fields[i].size, expected[i].size);
        EXPECT_EQ(p.fields[i].displayLabel, expected[i].displayLabel);
    }
    EXPECT_EQ(p.fields[1].displayLabel, QStringLiteral("Número"));
    EXPECT_EQ(text(p, 0, "NMRAZSOCFORN"), QStringLiteral("Fornecedor Teste Ltda"));
    EXPECT_EQ(text(p, 0, "IDTPENVAFFOR"), QStringLiteral("1"));
    EXPECT_EQ(value(p, 0, "DTAUTOFORN"), host::Value(day(2024, 3, 5)));
    EXPECT_EQ(value(p, 1, "VRTOTALAF"), host::Value(20.0));
    EXPECT_EQ(text(p, 1, "IDSITUATUAAF"), QStringLiteral("1"));
}

TEST_P(ServAutoForneTest, SituationTextComesBackUnchanged) {
    const host::RpcResponse r =
        call("GetServAutoForne", servArgs(world.branch, with([](Criteria& c) { c.situations = "_2_5"; })), kServByRef);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    ASSERT_EQ(r.byRef.size(), 1u);
    EXPECT_EQ(r.byRef[0], RemoteValue("_2_5"));
}

struct ErrorCase {
    const char* name;
    Criteria criteria;
    QString message;
};

TEST_P(ServAutoForneTest, BadCriteriaAreRefusedWithTheirMessage) {
    const std::vector<ErrorCase> cases = {
        {"sem data inicial", with([](Criteria& c) {
             c.afEmpty = "";
             c.afTo = day(2024, 1, 1);
         }),
         "Data inicial da AF deve ser informada."},
        {"sem data final", with([](Criteria& c) {
             c.afEmpty = "";
             c.afFrom = day(2024, 1, 1);
         }),
         "Data final da AF deve ser informada."},
        {"datas invertidas", with([](Criteria& c) {
             c.afEmpty = "";
             c.afFrom = day(2024, 2, 1);
             c.afTo = day(2024, 1, 1);
         }),
         "Data inicial da AF deve ser menor ou igual a data final da AF."},
        {"entrega sem inicial", with([](Criteria& c) {
             c.delEmpty = "";
             c.delTo = day(2024, 1, 1);
         }),
         "Data de entrega inicial deve ser informada."},
        {"nenhuma situacao", with([](Criteria& c) {
             c.situations = "0";
             c.open = "Z";
         }),
         "Situação da AF deve ser informada."},
        {"situacao estranha", with([](Criteria& c) { c.situations = "1_6"; }), "Situação da AF inválida: \"1_6\"."},
        {"situacao injetada", with([](Criteria& c) { c.situations = "1') OR ('1'='1"; }),
         "Situação da AF inválida: \"1') OR ('1'='1\"."},
        {"consistencia", with([](Criteria& c) { c.consistency = "Q"; }), "Indicador de consistência inválido: \"Q\"."},
        {"limite", with([](Criteria& c) { c.limit = ""; }), "Indicador de limite inválido: \"\"."},
        {"aberto", with([](Criteria& c) { c.open = "S"; }), "Indicador de AF em aberto inválido: \"S\"."},
        {"fornecedor vazio", with([](Criteria& c) { c.suppliers = "__"; }), "Fornecedor deve ser informado."},
        {"comprador vazio", with([](Criteria& c) { c.buyers = ""; }), "Comprador deve ser informado."},
        {"lista grande demais", with([](Criteria& c) {
             c.suppliers.clear();
             for (int i = 0; i <= kMaxListCodes; ++i) c.suppliers += QStringLiteral("_%1").arg(i);
         }),
         QStringLiteral("A lista tem %1 códigos; o máximo é %2. Escolha \"Todos\".")
             .arg(kMaxListCodes + 1)
             .arg(kMaxListCodes)},
    };
    for (const ErrorCase& tc : cases) {
        SCOPED_TRACE(tc.name);
        const host::RpcResponse r = call("GetServAutoForne", servArgs(world.branch, tc.criteria), kServByRef);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, tc.message);
    }
}

TEST_P(ServAutoForneTest, WrongArgumentCountOrKindIsRefused) {
    std::vector<RemoteValue> tooFew = servArgs(world.branch, {});
    tooFew.pop_back();
    EXPECT_FALSE(call("GetServAutoForne", tooFew, kServByRef).ok);

    std::vector<RemoteValue> wrongKind = servArgs(world.branch, {});
    wrongKind[3] = RemoteValue("2024-01-01");  // a date as text
    EXPECT_FALSE(call("GetServAutoForne", wrongKind, kServByRef).ok);

    std::vector<RemoteValue> nullMode = servArgs(world.branch, {});
    nullMode[13] = RemoteValue();
    EXPECT_FALSE(call("GetServAutoForne", nullMode, kServByRef).ok);

    EXPECT_FALSE(call("GetServAutoForne", servArgs(world.branch, {}), {}).ok);  // situations not by reference
}

TEST_P(ServAutoForneTest, BranchModeShowsOnlyTheOperatorsBranch) {
    const host::RpcResponse refused = call("GetServAutoForne", servArgs(world.branch, {}, true), kServByRef);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.message.contains("modo filial")) << refused.message.toStdString();

    afdb::exec(connection(), "UPDATE OPERADOR SET CDFILIAL = :F WHERE CDOPERADOR = :O",
               {{"F", world.branch}, {"O", world.buyer}});
    EXPECT_EQ(column(packetOf("GetServAutoForne", servArgs(world.branch, {}, true), kServByRef), "NRAUTOFORN"),
              numbers({1, 2, 3, 5}));
    EXPECT_TRUE(packetOf("GetServAutoForne", servArgs(world.central, {}, true), kServByRef).rows.empty());
}

AFDB_INSTANTIATE_ON_ENGINES(ServAutoForneTest);

class FilialDestTest : public LancaAutoFTest {};

struct DestCase {
    const char* name;
    Branches branches;
    Criteria criteria;
    QStringList expected;
};

TEST_P(FilialDestTest, BranchesWithMatchingAfs) {
    const QString c = world.central, b = world.branch;
    const std::vector<DestCase> cases = {
        {"todas", {}, {}, {c, b}},
        {"lista",
         with<Branches>([&](Branches& x) {
             x.list = "_" + c + "_";
             x.all = "";
         }),
         {},
         {c}},
        {"lista ignorada com T", with<Branches>([&](Branches& x) { x.list = "_" + c + "_"; }), {}, {c, b}},
        {"agrupamento", with<Branches>([&](Branches& x) { x.grouping = "G1"; }), {}, {c}},
        {"central", with<Branches>([&](Branches& x) { x.central = c; }), {}, {c, b}},
        {"central sem filiais", with<Branches>([&](Branches& x) { x.central = b; }), {}, {b}},
        {"comprador", {}, with([](Criteria& k) { k.buyers = "_COMPRADOR1_"; }), {b}},
        {"sem EDI", {}, with([](Criteria& k) { k.open = "Z"; }), {b}},
        {"lista injetada",
         with<Branches>([&](Branches& x) {
             x.list = "_0001' OR '1'='1_";
             x.all = "";
         }),
         {},
         {}},
    };
    for (const DestCase& tc : cases) {
        SCOPED_TRACE(tc.name);
        const host::Packet p = packetOf("GetFilialDest", destArgs(tc.branches, tc.criteria), kDestByRef);
        EXPECT_EQ(column(p, "CDFILIAL"), tc.expected);
    }
}

TEST_P(FilialDestTest, RowCarriesTheBranchParameters) {
    const host::Packet p = packetOf("GetFilialDest",
                                    destArgs(with<Branches>([&](Branches& x) {
                                                 x.list = "_0002_";
                                                 x.all = "";
                                             }),
                                             {}),
                                    kDestByRef);
    ASSERT_EQ(p.rows.size(), 1u);
    ASSERT_EQ(p.fields.size(), fields::filialDest().size());
    EXPECT_EQ(p.fields[0].displayLabel, QStringLiteral("Código"));
    EXPECT_EQ(text(p, 0, "NMFILIAL"), QStringLiteral("Loja"));
    EXPECT_EQ(text(p, 0, "CDFILCENTCMP"), world.central);
    EXPECT_EQ(text(p, 0, "NMCENTCMP"), QStringLiteral("Central"));
    EXPECT_EQ(text(p, 0, "IDVALDTAF"), QStringLiteral("M"));
    EXPECT_EQ(text(p, 0, "IDTIPEMITGER"), QStringLiteral("1"));
    EXPECT_EQ(text(p, 0, "IDAUDALTAF"), QStringLiteral("N"));
    EXPECT_EQ(text(p, 0, "CDEMPRESA"), world.company);
    EXPECT_TRUE(std::holds_alternative<host::DateTime>(value(p, 0, "DTATUAL")));
}

TEST_P(FilialDestTest, BranchArgumentsAreChecked) {
    const host::RpcResponse unknown =
        call("GetFilialDest", destArgs(with<Branches>([&](Branches& x) { x.grouping = "NAOHA"; }), {}), kDestByRef);
    EXPECT_FALSE(unknown.ok);
    EXPECT_EQ(unknown.message, QStringLiteral("Agrupamento de filial não cadastrado."));

    const host::RpcResponse empty = call("GetFilialDest",
                                         destArgs(with<Branches>([&](Branches& x) {
                                                      x.list = "";
                                                      x.all = "";
                                                  }),
                                                  {}),
                                         kDestByRef);
    EXPECT_FALSE(empty.ok);
    EXPECT_EQ(empty.message, QStringLiteral("Filial Destino deve ser informada."));

    EXPECT_FALSE(call("GetFilialDest", destArgs(with<Branches>([&](Branches& x) { x.all = "X"; }), {}), kDestByRef).ok);
    EXPECT_FALSE(call("GetFilialDest", destArgs({}, {}), {1, 2}).ok);  // situations sent by value
}

TEST_P(FilialDestTest, BranchModeKeepsTheOperatorsBranch) {
    afdb::exec(connection(), "UPDATE OPERADOR SET CDFILIAL = :F WHERE CDOPERADOR = :O",
               {{"F", world.central}, {"O", world.buyer}});
    const host::Packet p =
        packetOf("GetFilialDest", destArgs(with<Branches>([&](Branches& x) { x.branchMode = true; }), {}), kDestByRef);
    EXPECT_EQ(column(p, "CDFILIAL"), QStringList{world.central});
}

TEST_P(FilialDestTest, ParamFilialListsEveryBranchOwnFirst) {
    afdb::exec(connection(), "UPDATE OPERADOR SET CDFILIAL = :F WHERE CDOPERADOR = :O",
               {{"F", world.branch}, {"O", world.buyer}});
    const host::Packet p = packetOf("GetParamFilial", {});
    EXPECT_EQ(column(p, "CDFILIAL"), (QStringList{world.branch, world.central}));
    EXPECT_EQ(text(p, 0, "IDULTIDTVALQ"), QStringLiteral("D"));
    EXPECT_EQ(p.fields.size(), fields::paramFilial().size());
    EXPECT_FALSE(call("GetParamFilial", {RemoteValue("x")}).ok);
}

AFDB_INSTANTIATE_ON_ENGINES(FilialDestTest);

}  // namespace
}  // namespace platform::server::modules::testing
