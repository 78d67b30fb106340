// A method's declaration is both its signature and the reads its handler
// makes: what Params declares, and what the handles read and write.
#include "call_context.h"
#include "method_signature.h"
#include "module_registry.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

using namespace platform::server;
using host::RemoteValue;

namespace {

MethodDef defOf(const Params& p) {
    return MethodDef{QStringLiteral("M"), p.defs(), ResultKind::None, {}, true, std::nullopt};
}

CallContext contextOf(const MethodDef& def, std::vector<RemoteValue> args) {
    return CallContext(QStringLiteral("Modulo"), def, std::move(args), SessionInfo{}, QString(), nullptr);
}

}  // namespace

TEST(Params, DeclaresKindsByReferenceAndNamesInOrder) {
    Params p;
    EXPECT_EQ(p.text("a").index(), 0);
    EXPECT_EQ(p.textRef("b").index(), 1);
    EXPECT_EQ(p.dateTime("c").index(), 2);
    EXPECT_EQ(p.dateTimeRef("d").index(), 3);
    EXPECT_EQ(p.boolean("e").index(), 4);
    EXPECT_EQ(p.integer("f").index(), 5);
    EXPECT_EQ(p.number("g").index(), 6);
    EXPECT_EQ(p.packet("h").index(), 7);
    EXPECT_EQ(p.array("i").index(), 8);
    EXPECT_EQ(p.variant("j").index(), 9);
    EXPECT_EQ(p.variantRef("k").index(), 10);
    struct Row {
        ArgKind kind;
        bool byRef;
        const char* name;
    };
    const std::vector<Row> expected = {
        {ArgKind::Text, false, "a"},    {ArgKind::Text, true, "b"},    {ArgKind::DateTime, false, "c"},
        {ArgKind::DateTime, true, "d"}, {ArgKind::Boolean, false, "e"}, {ArgKind::Integer, false, "f"},
        {ArgKind::Float, false, "g"},   {ArgKind::Packet, false, "h"},  {ArgKind::Array, false, "i"},
        {ArgKind::Variant, false, "j"}, {ArgKind::Variant, true, "k"},
    };
    ASSERT_EQ(p.defs().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(p.defs()[i].kind, expected[i].kind);
        EXPECT_EQ(p.defs()[i].byRef, expected[i].byRef);
        EXPECT_EQ(p.defs()[i].name, QLatin1String(expected[i].name));
    }
}

TEST(Params, EmptyAndRepeatedNamesAreRefused) {
    Params p;
    p.text("CDFILIAL");
    EXPECT_THROW(p.text(""), std::logic_error);
    EXPECT_THROW(p.boolean("cdfilial"), std::logic_error);
    EXPECT_EQ(p.defs().size(), 1u);
}

TEST(CallContext, HandlesReadTheirArgumentsByKind) {
    Params p;
    const auto text = p.text("texto");
    const auto date = p.dateTime("data");
    const auto flag = p.boolean("logico");
    const auto count = p.integer("inteiro");
    const auto amount = p.number("numero");
    const auto bytes = p.packet("pacote");
    const auto list = p.array("lista");
    const auto any = p.variant("variante");
    const MethodDef def = defOf(p);
    const RemoteValue::Array items{RemoteValue(1), RemoteValue("x")};
    const CallContext c = contextOf(def, {RemoteValue("abc"), RemoteValue(host::DateTime{86'400'000}), RemoteValue(true),
                                          RemoteValue(7), RemoteValue(2), RemoteValue::packet("p"), RemoteValue(items),
                                          RemoteValue(1.5)});
    EXPECT_EQ(c[text], QStringLiteral("abc"));
    ASSERT_TRUE(c[date].has_value());
    EXPECT_EQ(c[date]->msecs, 86'400'000);
    EXPECT_TRUE(c[flag]);
    EXPECT_EQ(c[count], 7);
    EXPECT_EQ(c[amount], 2.0);  // a float parameter takes an integer
    EXPECT_EQ(c[bytes], QByteArray("p"));
    EXPECT_EQ(c[list].size(), 2u);
    EXPECT_TRUE(c[any] == RemoteValue(1.5));
}

TEST(CallContext, NullReadsAsEmptyTextNoDateNoPacket) {
    Params p;
    const auto text = p.text("texto");
    const auto date = p.dateTime("data");
    const auto bytes = p.packet("pacote");
    const auto any = p.variant("variante");
    const MethodDef def = defOf(p);
    const CallContext c = contextOf(def, {RemoteValue(), RemoteValue(), RemoteValue(), RemoteValue()});
    EXPECT_TRUE(c[text].isEmpty());
    EXPECT_FALSE(c[date].has_value());
    EXPECT_TRUE(c[bytes].isEmpty());
    EXPECT_TRUE(c[any].isNull());
}

TEST(CallContext, AHandleOfAnotherDeclarationIsRefused) {
    Params mine;
    mine.text("texto");
    const auto otherKind = Params().boolean("logico");  // index 0, but not a text
    Params longer;
    longer.text("a");
    longer.text("b");
    const auto pastTheEnd = longer.text("c");  // index 2
    const MethodDef def = defOf(mine);
    const CallContext c = contextOf(def, {RemoteValue("a")});
    EXPECT_THROW(c[otherKind], std::logic_error);
    EXPECT_THROW(c[pastTheEnd], std::logic_error);
}

TEST(CallContext, ByReferenceSlotsGoBackWrittenOrAsTheyCame) {
    Params p;
    const auto written = p.textRef("escrito");
    p.text("valor");
    p.dateTimeRef("intacto");
    const auto any = p.variantRef("variante");
    const MethodDef def = defOf(p);
    CallContext c = contextOf(def, {RemoteValue("a"), RemoteValue("b"), RemoteValue(), RemoteValue(3)});
    c.set(written, RemoteValue(c[written] + QStringLiteral("!")));
    c.set(any, RemoteValue::Array{c[any]});
    const std::vector<RemoteValue> back = c.takeByRefValues();
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].text(), QStringLiteral("a!"));
    EXPECT_TRUE(back[1].isNull());
    EXPECT_TRUE(back[2] == RemoteValue(RemoteValue::Array{RemoteValue(3)}));
}
