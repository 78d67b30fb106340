#include "rpc_codec.h"

#include "host/data/data_packet.h"
#include "host/testing/qt_printers.h"

#include <QtCore/QCborStreamWriter>
#include <QtCore/QIODevice>
#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace host;

namespace {

QByteArray smallPacket() {
    Packet p;
    p.fields = {FieldDef::string("CDFILIAL", 4), FieldDef::floating("VRTOTALAF")};
    PacketRow row;
    row.values = {QStringLiteral("0001"), 12.5};
    p.rows.push_back(row);
    return encodePacket(p);
}

RemoteValue nested(int levels) {
    RemoteValue v = QStringLiteral("fundo");
    for (int i = 0; i < levels; ++i) v = RemoteValue(RemoteValue::Array{v});
    return v;
}

RpcRequest everyKind() {
    RpcRequest r;
    r.module = QStringLiteral("Cmp03900.rdmLancaAutoF");
    r.method = QStringLiteral("GetFilialDest");
    r.session = QStringLiteral("0123456789abcdef");
    r.args = {
        RemoteValue(),
        RemoteValue(QStringLiteral("Autorização de Fornecimento")),
        RemoteValue(QString(QChar(0xFEFF)) + QStringLiteral("com BOM")),
        RemoteValue(QString()),
        RemoteValue(DateTime::fromDate(QDate(2024, 2, 29), QTime(23, 59, 59, 999))),
        RemoteValue(DateTime{-86'400'000}),
        RemoteValue(true),
        RemoteValue(false),
        RemoteValue(qint64(0)),
        RemoteValue(std::numeric_limits<qint64>::max()),
        RemoteValue(std::numeric_limits<qint64>::min()),
        RemoteValue(-0.25),
        RemoteValue(1e300),
        RemoteValue::packet(smallPacket()),
        RemoteValue(RemoteValue::Array{}),
        RemoteValue(RemoteValue::Array{RemoteValue(1), RemoteValue("um"), RemoteValue::packet(smallPacket()),
                                       RemoteValue(RemoteValue::Array{RemoteValue(), RemoteValue(2.5)})}),
        nested(RpcLimits{}.maxDepth),
    };
    r.byRef = {1, 4, 15};
    return r;
}

void expectSameRequest(const RpcRequest& a, const RpcRequest& b) {
    EXPECT_EQ(a.module, b.module);
    EXPECT_EQ(a.method, b.method);
    EXPECT_EQ(a.session, b.session);
    ASSERT_EQ(a.args.size(), b.args.size());
    for (size_t i = 0; i < a.args.size(); ++i)
        EXPECT_TRUE(a.args[i] == b.args[i]) << i << ": " << describe(a.args[i]).toStdString() << " vs "
                                            << describe(b.args[i]).toStdString();
    EXPECT_EQ(a.byRef, b.byRef);
}

// Raw CBOR for malformed messages.
struct Cbor {
    QByteArray bytes;
    QCborStreamWriter w{&bytes};
};

// The header every message starts with.
void header(QCborStreamWriter& w, quint64 pairs, const char* type, quint64 version = 1) {
    w.startMap(pairs);
    w.append(QLatin1StringView("format"));
    w.append(QLatin1StringView("afrpc"));
    w.append(QLatin1StringView("version"));
    w.append(version);
    w.append(QLatin1StringView("type"));
    w.append(QLatin1StringView(type));
}

// A call whose args array is written by the given function (argCount entries).
QByteArray callWith(quint64 argCount, const std::function<void(QCborStreamWriter&)>& args,
                    const std::function<void(QCborStreamWriter&)>& byRef = nullptr) {
    Cbor c;
    header(c.w, 8, "call");
    c.w.append(QLatin1StringView("module"));
    c.w.append(QLatin1StringView("M"));
    c.w.append(QLatin1StringView("method"));
    c.w.append(QLatin1StringView("m"));
    c.w.append(QLatin1StringView("session"));
    c.w.append(QLatin1StringView(""));
    c.w.append(QLatin1StringView("args"));
    c.w.startArray(argCount);
    args(c.w);
    c.w.endArray();
    c.w.append(QLatin1StringView("byRef"));
    if (byRef) {
        byRef(c.w);
    } else {
        c.w.startArray(0);
        c.w.endArray();
    }
    c.w.endMap();
    return c.bytes;
}

QByteArray oneArg(const std::function<void(QCborStreamWriter&)>& arg) { return callWith(1, arg); }

}  // namespace

TEST(RpcCodec, RequestRoundTripKeepsEveryKindAndByRefIndexes) {
    const RpcRequest original = everyKind();
    const QByteArray bytes = encodeRequest(original);
    expectSameRequest(original, decodeRequest(bytes));
}

TEST(RpcCodec, ResponsesRoundTrip) {
    const RpcResponse ok = RpcResponse::success(
        RemoteValue(RemoteValue::Array{RemoteValue::packet(smallPacket()), RemoteValue("x")}),
        {RemoteValue("lista"), RemoteValue(DateTime{5}), RemoteValue()});
    const RpcResponse back = decodeResponse(encodeResponse(ok));
    EXPECT_TRUE(back.ok);
    EXPECT_TRUE(back.value == ok.value);
    ASSERT_EQ(back.byRef.size(), 3u);
    EXPECT_TRUE(back.byRef[0] == ok.byRef[0]);
    EXPECT_TRUE(back.byRef[1] == ok.byRef[1]);
    EXPECT_TRUE(back.byRef[2].isNull());

    const RpcResponse failed =
        decodeResponse(encodeResponse(RpcResponse::failure(QStringLiteral("AF não encontrada."))));
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.message, QStringLiteral("AF não encontrada."));
}

// Pins the documented example byte for byte (docs/remote-calls.md).
TEST(RpcCodec, DocumentedExampleBytes) {
    RpcRequest r;
    r.module = QStringLiteral("Cmp.X");
    r.method = QStringLiteral("Get");
    r.args = {RemoteValue("01"), RemoteValue(DateTime{0}), RemoteValue(true)};
    r.byRef = {0};
    EXPECT_EQ(encodeRequest(r).toHex(' '),
              QByteArray("a8 66 66 6f 72 6d 61 74 65 61 66 72 70 63 67 76 65 72 73 69 6f 6e 01 64 74 79 70 65 64 63 61 "
                         "6c 6c 66 6d 6f 64 75 6c 65 65 43 6d 70 2e 58 66 6d 65 74 68 6f 64 63 47 65 74 67 73 65 73 73 "
                         "69 6f 6e 60 64 61 72 67 73 83 62 30 31 d9 af 00 00 f5 65 62 79 52 65 66 81 00"));
}

TEST(RpcCodec, SmallerFloatsAndLongIntegerFormsAreRead) {
    const RpcRequest r = decodeRequest(callWith(3, [](QCborStreamWriter& w) {
        w.append(qfloat16(1.5f));
        w.append(2.25f);
        // 7 written in the 8-byte form.
        w.device()->write(QByteArray::fromHex("1b0000000000000007"));
    }));
    ASSERT_EQ(r.args.size(), 3u);
    EXPECT_EQ(r.args[0].number(), 1.5);
    EXPECT_EQ(r.args[1].number(), 2.25);
    EXPECT_EQ(r.args[2].integer(), 7);
}

struct BadMessage {
    const char* name;
    QByteArray bytes;
    const char* fragment;  // expected in the message
};

TEST(RpcCodec, MalformedRequestsAreRefusedWithAClearMessage) {
    RpcLimits tight;
    tight.maxBytes = 4096;
    tight.maxArgs = 4;
    tight.maxValues = 50;

    RpcRequest small;
    small.module = "M";
    small.method = "m";
    small.args = {RemoteValue(1), RemoteValue("x")};
    const QByteArray valid = encodeRequest(small);
    const std::vector<BadMessage> cases = {
        {"empty", QByteArray(), "truncada"},
        {"not a map", QByteArray::fromHex("83010203"), "não começa por um mapa"},
        {"other format", [] {
             Cbor c;
             c.w.startMap(3);
             c.w.append(QLatin1StringView("format"));
             c.w.append(QLatin1StringView("afdp"));
             c.w.append(QLatin1StringView("version"));
             c.w.append(quint64(1));
             c.w.append(QLatin1StringView("type"));
             c.w.append(QLatin1StringView("call"));
             c.w.endMap();
             return c.bytes;
         }(), "formato desconhecido"},
        {"newer version", [] {
             Cbor c;
             header(c.w, 8, "call", 2);
             c.w.endMap();
             return c.bytes;
         }(), "Atualize o programa"},
        {"version zero", [] {
             Cbor c;
             header(c.w, 8, "call", 0);
             c.w.endMap();
             return c.bytes;
         }(), "versão 0"},
        {"response sent as request", encodeResponse(RpcResponse::failure("x")), "não é uma chamada"},
        {"truncated", valid.left(valid.size() - 3), "truncada"},
        {"trailing bytes", valid + QByteArray(1, '\0'), "sobrando"},
        {"indefinite args", [] {
             Cbor c;
             header(c.w, 8, "call");
             for (const char* k : {"module", "M", "method", "m", "session", ""}) c.w.append(QLatin1StringView(k));
             c.w.append(QLatin1StringView("args"));
             c.w.startArray();
             c.w.endArray();
             c.w.append(QLatin1StringView("byRef"));
             c.w.startArray(0);
             c.w.endArray();
             c.w.endMap();
             return c.bytes;
         }(), "indefinido"},
        {"count beyond the bytes", oneArg([](QCborStreamWriter& w) {
             w.device()->write(QByteArray::fromHex("9828"));  // array of 40 items, none present
         }), "mais do que cabem"},
        {"too many args", callWith(5, [](QCborStreamWriter& w) {
             for (int i = 0; i < 5; ++i) w.append(i);
         }), "limite de 4"},
        {"too deep", [] {
             RpcRequest r;
             r.module = "M";
             r.method = "m";
             r.args = {nested(RpcLimits{}.maxDepth)};
             QByteArray b = encodeRequest(r);
             // One more level: wrap the argument's outermost array.
             const qsizetype at = b.indexOf(QByteArray::fromHex("81"), b.indexOf("args") + 4);
             b.insert(at, QByteArray::fromHex("81"));
             return b;
         }(), "níveis"},
        {"too many values", oneArg([](QCborStreamWriter& w) {
             w.startArray(60);
             for (int i = 0; i < 60; ++i) w.append(nullptr);
             w.endArray();
         }), "limite de 50"},
        {"too many values overall", oneArg([](QCborStreamWriter& w) {
             w.startArray(10);
             for (int i = 0; i < 10; ++i) {
                 w.startArray(6);
                 for (int j = 0; j < 6; ++j) w.append(nullptr);
                 w.endArray();
             }
             w.endArray();
         }), "mais de 50 valores"},
        {"unknown tag", oneArg([](QCborStreamWriter& w) {
             w.append(QCborTag(1));
             w.append(qint64(0));
         }), "tag CBOR 1"},
        {"date-time that is not an integer", oneArg([](QCborStreamWriter& w) {
             w.append(QCborTag(44800));
             w.append(QLatin1StringView("2024-01-01"));
         }), "milissegundos"},
        {"bytes that are not a packet", oneArg([](QCborStreamWriter& w) { w.append(QByteArray("abc")); }),
         "não são um pacote"},
        {"map value", oneArg([](QCborStreamWriter& w) {
             w.startMap(0);
             w.endMap();
         }), "um mapa"},
        {"undefined", oneArg([](QCborStreamWriter& w) { w.append(QCborSimpleType::Undefined); }), "não aceito"},
        {"integer beyond 64 bits", oneArg([](QCborStreamWriter& w) { w.append(quint64(1) << 63); }), "fora da faixa"},
        {"negative beyond 64 bits", oneArg([](QCborStreamWriter& w) {
             w.device()->write(QByteArray::fromHex("3bffffffffffffffff"));
         }), "fora da faixa"},
        {"invalid UTF-8", oneArg([](QCborStreamWriter& w) { w.device()->write(QByteArray::fromHex("62c328")); }),
         "UTF-8"},
        {"by-ref index out of range", callWith(1, [](QCborStreamWriter& w) { w.append(1); },
                                               [](QCborStreamWriter& w) {
                                                   w.startArray(1);
                                                   w.append(quint64(1));
                                                   w.endArray();
                                               }),
         "fora da faixa"},
        {"by-ref indexes repeated", callWith(2, [](QCborStreamWriter& w) {
                                                 w.append(1);
                                                 w.append(2);
                                             },
                                             [](QCborStreamWriter& w) {
                                                 w.startArray(2);
                                                 w.append(quint64(1));
                                                 w.append(quint64(1));
                                                 w.endArray();
                                             }),
         "repetidos"},
        {"empty module name", [] {
             Cbor c;
             header(c.w, 8, "call");
             c.w.append(QLatin1StringView("module"));
             c.w.append(QLatin1StringView(""));
             c.w.endMap();
             return c.bytes;
         }(), "nome do módulo vazio"},
        {"keys out of order", [] {
             Cbor c;
             header(c.w, 8, "call");
             c.w.append(QLatin1StringView("method"));
             c.w.endMap();
             return c.bytes;
         }(), "esperada a chave \"module\""},
        {"oversized", valid + QByteArray(5000, 'x'), "limite de 4096"},
        {"string header cut short", [] {
             Cbor c;
             header(c.w, 8, "call");
             c.w.append(QLatin1StringView("module"));
             c.w.device()->write(QByteArray::fromHex("7900"));  // a 2-byte length with 1 byte
             return c.bytes;
         }(), "mensagem truncada em nome do módulo"},
        {"other header cut short after a key", [] {
             Cbor c;
             header(c.w, 8, "call");
             c.w.append(QLatin1StringView("module"));
             c.w.device()->write(QByteArray::fromHex("1900"));  // an integer's 2-byte argument with 1 byte
             return c.bytes;
         }(), "mensagem truncada em nome do módulo"},
        {"text declared past the end", [] {
             Cbor c;
             header(c.w, 8, "call");
             c.w.append(QLatin1StringView("module"));
             c.w.device()->write(QByteArray::fromHex("6541"));
             return c.bytes;
         }(), "mensagem truncada: nome do módulo maior que os bytes restantes"},
        {"module name over its bound", [] {
             Cbor c;
             header(c.w, 8, "call");
             c.w.append(QLatin1StringView("module"));
             c.w.append(QString(400, QChar(u'M')));
             return c.bytes;
         }(), "nome do módulo grande demais (400 bytes)"},
    };
    for (const BadMessage& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            decodeRequest(c.bytes, tight);
            ADD_FAILURE() << "accepted";
        } catch (const RpcError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Requisição inválida: "))) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.fragment))) << e.message().toStdString();
        }
    }
}

TEST(RpcCodec, MalformedResponsesAreRefused) {
    const QByteArray ok = encodeResponse(RpcResponse::success(RemoteValue("x")));
    Cbor wrongPairs;
    header(wrongPairs.w, 5, "failure");
    wrongPairs.w.append(QLatin1StringView("message"));
    wrongPairs.w.append(QLatin1StringView("x"));
    wrongPairs.w.endMap();
    for (const QByteArray& bytes : {ok.left(ok.size() - 1), QByteArray("<html>erro</html>"), wrongPairs.bytes,
                                    encodeRequest(everyKind())}) {
        try {
            decodeResponse(bytes);
            ADD_FAILURE() << "accepted " << bytes.toHex().toStdString();
        } catch (const RpcError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Resposta inválida do servidor de aplicação: ")))
                << e.message().toStdString();
        }
    }
}

TEST(RpcCodec, WriterRefusesWhatTheReaderWouldRefuse) {
    RpcRequest tooDeep;
    tooDeep.module = "M";
    tooDeep.method = "m";
    tooDeep.args = {nested(RpcLimits{}.maxDepth + 1)};
    EXPECT_THROW(encodeRequest(tooDeep), RpcError);

    RpcRequest notPacket = tooDeep;
    notPacket.args = {RemoteValue::packet("solto")};
    EXPECT_THROW(encodeRequest(notPacket), RpcError);

    RpcRequest badRef = tooDeep;
    badRef.args = {RemoteValue(1)};
    badRef.byRef = {1};
    EXPECT_THROW(encodeRequest(badRef), RpcError);

    RpcRequest noMethod = badRef;
    noMethod.byRef = {};
    noMethod.method.clear();
    EXPECT_THROW(encodeRequest(noMethod), RpcError);

    RpcResponse tooDeepAnswer = RpcResponse::success(nested(RpcLimits{}.maxDepth + 1));
    EXPECT_THROW(encodeResponse(tooDeepAnswer), RpcError);
}

// Values as deep as the limits allow are read, whatever the limits: the CBOR
// reader's own nesting guard never speaks before them.
TEST(RpcCodec, NestingFollowsTheLimitsWhateverTheirDepth) {
    RpcLimits deep;
    deep.maxDepth = 100;
    RpcRequest request;
    request.module = "M";
    request.method = "m";
    request.args = {nested(100)};
    expectSameRequest(request, decodeRequest(encodeRequest(request, deep), deep));

    const RpcResponse answer = RpcResponse::success(nested(100), {nested(100)});
    const RpcResponse back = decodeResponse(encodeResponse(answer, deep), deep);
    EXPECT_TRUE(back.value == answer.value);
    ASSERT_EQ(back.byRef.size(), 1u);
    EXPECT_TRUE(back.byRef[0] == answer.byRef[0]);

    RpcLimits deeper = deep;
    deeper.maxDepth = 101;
    request.args = {nested(101)};
    try {
        decodeRequest(encodeRequest(request, deeper), deep);
        ADD_FAILURE() << "accepted";
    } catch (const RpcError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Requisição inválida: arrays aninhados em mais de 100 níveis"));
    }
}
