#include "module_registry.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace platform::server;
using host::RemoteValue;

TEST(ModuleRegistry, FindsModulesAndMethodsRegardlessOfCase) {
    ModuleRegistry registry;
    Params key;
    key.text("CDFILDEST");
    key.text("CDFILLANC");
    key.text("NRAUTOFORN");
    registry.add(QStringLiteral("Cmp03900.rdmLancaAutoF"))
        .method(QStringLiteral("GetAutoForne"), key, ResultKind::Packet, [](CallContext&) { return RemoteValue(); });
    const ServerModule* m = registry.find(QStringLiteral("cmp03900.RDMLANCAAUTOF"));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->name(), QStringLiteral("Cmp03900.rdmLancaAutoF"));
    const MethodDef* def = m->find(QStringLiteral("getautoforne"));
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->args.size(), 3u);
    EXPECT_TRUE(def->needsSession);
    EXPECT_EQ(m->find(QStringLiteral("GetAutoForn")), nullptr);
    EXPECT_EQ(registry.find(QStringLiteral("Cmp03900")), nullptr);
}

TEST(ModuleRegistry, RepeatedNamesAndMissingHandlersAreRefused) {
    ModuleRegistry registry;
    ServerModule& m = registry.add(QStringLiteral("Cmp.rdmCompras"));
    EXPECT_THROW(registry.add(QStringLiteral("CMP.RDMCOMPRAS")), std::logic_error);
    m.method(QStringLiteral("GetX"), {}, ResultKind::None, [](CallContext&) { return RemoteValue(); });
    EXPECT_THROW(m.method(QStringLiteral("getx"), {}, ResultKind::None, [](CallContext&) { return RemoteValue(); }),
                 std::logic_error);
    EXPECT_THROW(m.method(QStringLiteral("GetY"), {}, ResultKind::None, Handler()), std::logic_error);
}

TEST(ModuleRegistry, ListsModulesAndMethodsInRegistrationOrderWithTheirSignatures) {
    ModuleRegistry registry;
    Params key;
    key.text("CDFILDEST");
    key.textRef("lista");
    ServerModule& second = registry.add(QStringLiteral("Zeta"));
    registry.add(QStringLiteral("Alfa"));
    second.method(QStringLiteral("GetB"), key, ResultKind::Packet, [](CallContext&) { return RemoteValue(); })
        .method(QStringLiteral("GetA"), {}, ResultKind::Boolean, [](CallContext&) { return RemoteValue(); });
    for (int i = 0; i < 40; ++i)  // enough for the name index to grow
        second.method(QStringLiteral("M%1").arg(i), {}, ResultKind::None, [](CallContext&) { return RemoteValue(); });

    const std::vector<const ServerModule*> modules = registry.modules();
    ASSERT_EQ(modules.size(), 2u);
    EXPECT_EQ(modules[0]->name(), QStringLiteral("Zeta"));
    EXPECT_EQ(modules[1]->name(), QStringLiteral("Alfa"));
    const std::vector<const MethodDef*> methods = modules[0]->methods();
    ASSERT_EQ(methods.size(), 42u);
    EXPECT_EQ(methods[0]->name, QStringLiteral("GetB"));
    EXPECT_EQ(methods[0]->result, ResultKind::Packet);
    ASSERT_EQ(methods[0]->args.size(), 2u);
    EXPECT_EQ(methods[0]->args[1].name, QStringLiteral("lista"));
    EXPECT_TRUE(methods[0]->args[1].byRef);
    EXPECT_EQ(methods[1]->name, QStringLiteral("GetA"));
    EXPECT_EQ(methods[1]->result, ResultKind::Boolean);
    EXPECT_EQ(methods[41]->name, QStringLiteral("M39"));
    EXPECT_EQ(modules[0]->find(QStringLiteral("getb")), methods[0]);  // lookups and listing see the same method
    EXPECT_TRUE(modules[1]->methods().empty());
}

TEST(ArgKind, WhatEachParameterAccepts) {
    const RemoteValue null, text("x"), date(host::DateTime{1}), boolean(true), integer(1), real(1.5),
        packet = RemoteValue::packet("p"), array(RemoteValue::Array{});
    const RemoteValue infinite(std::numeric_limits<double>::infinity()), notANumber(std::nan(""));
    struct Row {
        ArgKind kind;
        std::vector<RemoteValue> accepted;
        std::vector<RemoteValue> refused;
    };
    const std::vector<Row> rows = {
        {ArgKind::Text, {null, text}, {date, boolean, integer, real, packet, array}},
        {ArgKind::DateTime, {null, date}, {text, boolean, integer, real, packet, array}},
        {ArgKind::Boolean, {boolean}, {null, text, date, integer, real, packet, array}},
        {ArgKind::Integer, {integer}, {null, text, date, boolean, real, packet, array}},
        {ArgKind::Float, {integer, real}, {null, text, date, boolean, packet, array, infinite, notANumber}},
        {ArgKind::Packet, {null, packet}, {text, date, boolean, integer, real, array}},
        {ArgKind::Array, {array}, {null, text, date, boolean, integer, real, packet}},
        {ArgKind::Variant, {null, text, date, boolean, integer, real, packet, array, infinite}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(argKindName(row.kind).toStdString());
        for (const RemoteValue& v : row.accepted) EXPECT_TRUE(accepts(row.kind, v)) << describe(v).toStdString();
        for (const RemoteValue& v : row.refused) EXPECT_FALSE(accepts(row.kind, v)) << describe(v).toStdString();
    }
}
