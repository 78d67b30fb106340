#include "cbor_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace host;

namespace {

struct Refused {
    QString message;
};

// Words every refusal recognisably, so the tests see which part said what.
class TestWording final : public CborWording {
public:
    QString position;

    [[noreturn]] void fail(const QString& detail) const override { throw Refused{detail}; }
    QString where() const override { return position; }
    QString truncated() const override { return QStringLiteral("entrada truncada"); }
    QString tagFound() const override { return QStringLiteral("uma tag"); }
    QString simpleFound() const override { return QStringLiteral("um valor simples"); }
    [[noreturn]] void badString(CborStringFault fault, const QString& what, quint64 maxBytes,
                                quint64 declaredBytes) const override {
        const char* kind = fault == CborStringFault::Indefinite ? "indefinido"
                           : fault == CborStringFault::HeaderCut ? "cabeçalho cortado"
                           : fault == CborStringFault::PastEnd   ? "além do fim"
                                                                 : "longo";
        throw Refused{QStringLiteral("%1: %2 (limite %3, declarado %4)")
                          .arg(QString::fromUtf8(kind), what)
                          .arg(maxBytes)
                          .arg(declaredBytes)};
    }
};

using Read = std::function<void(CborReader&)>;

const QString kNumber = QStringLiteral("o número");
const QString kName = QStringLiteral("o nome");
const QString kList = QStringLiteral("a lista");

// What the reader says about the bytes (hex), or "(aceito)".
std::string refusal(const char* hex, const Read& read, const QString& where = {},
                    int maxDepth = CborReader::kDefaultMaxDepth) {
    const QByteArray bytes = QByteArray::fromHex(hex);
    TestWording wording;
    wording.position = where;
    CborReader r(bytes, wording, maxDepth);
    try {
        read(r);
    } catch (const Refused& e) {
        return e.message.toStdString();
    }
    return "(aceito)";
}

TEST(CborReader, RefusalsSayWhatWasExpectedAndWhatWasFound) {
    struct Case {
        const char* hex;
        Read read;
        const char* message;
    };
    const Read unsignedInteger = [](CborReader& r) { r.unsignedInteger(kNumber); };
    const Case cases[] = {
        {"6161", unsignedInteger, "esperado o número, encontrado um texto (byte 0)"},
        {"20", unsignedInteger, "esperado o número, encontrado um inteiro (byte 0)"},
        {"4100", unsignedInteger, "esperado o número, encontrado bytes (byte 0)"},
        {"8100", unsignedInteger, "esperado o número, encontrado um array (byte 0)"},
        {"a0", unsignedInteger, "esperado o número, encontrado um mapa (byte 0)"},
        {"f6", unsignedInteger, "esperado o número, encontrado nulo (byte 0)"},
        {"f5", unsignedInteger, "esperado o número, encontrado um valor lógico (byte 0)"},
        {"f93c00", unsignedInteger, "esperado o número, encontrado um número de ponto flutuante (byte 0)"},
        {"fb3ff0000000000000", unsignedInteger, "esperado o número, encontrado um número de ponto flutuante (byte 0)"},
        // The decoder names tags and other simple values its own way.
        {"c101", unsignedInteger, "esperado o número, encontrado uma tag (byte 0)"},
        {"f7", unsignedInteger, "esperado o número, encontrado um valor simples (byte 0)"},
        {"01", [](CborReader& r) { r.boolean(QStringLiteral("um lógico")); },
         "esperado um lógico, encontrado um inteiro (byte 0)"},
        {"01", [](CborReader& r) { r.textBytes(kName, 10); }, "esperado o nome, encontrado um inteiro (byte 0)"},
        {"6161", [](CborReader& r) { r.byteString(kName, 10); }, "esperado o nome, encontrado um texto (byte 0)"},
        {"a0", [](CborReader& r) { r.arrayLength(kList); }, "esperado a lista, encontrado um mapa (byte 0)"},
        {"01", [](CborReader& r) { r.expectKey(QLatin1StringView("chave"), 64); },
         "esperado a chave \"chave\", encontrado um inteiro (byte 0)"},
        {"6162", [](CborReader& r) { r.expectKey(QLatin1StringView("a"), 64); },
         "esperada a chave \"a\", encontrada \"b\""},
        // The offset is where the unexpected item starts.
        {"820161", [](CborReader& r) {
             r.enter();
             r.integer();
             r.unsignedInteger(kNumber);
         },
         "esperado o número, encontrado um texto (byte 2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(refusal(c.hex, c.read), c.message);
    }
}

TEST(CborReader, TruncatedInputIsTheStreamsOwnError) {
    struct Case {
        const char* name;
        const char* hex;
        Read read;
    };
    const Case cases[] = {
        {"nothing at all", "", [](CborReader& r) { r.unsignedInteger(kNumber); }},
        {"integer cut in its argument", "1901", [](CborReader& r) { r.unsignedInteger(kNumber); }},
        {"string header cut at the start", "7900", [](CborReader& r) { r.textBytes(kName, 100); }},
        {"byte string header cut", "5a0000", [](CborReader& r) { r.byteString(kName, 100); }},
        {"array ends early", "8201", [](CborReader& r) {
             r.enter();
             r.integer();
             r.integer();
         }},
        {"no item where one is wanted", "", [](CborReader& r) { r.expectItem(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string message = refusal(c.hex, c.read);
        EXPECT_EQ(message.rfind("entrada truncada (os dados terminam antes do fim) (byte ", 0), 0u) << message;
    }
}

TEST(CborReader, StringsAreBoundedBeforeTheyAreRead) {
    struct Case {
        const char* name;
        const char* hex;
        Read read;
        const char* message;
    };
    const Case cases[] = {
        {"longer than its bound", "63616263", [](CborReader& r) { r.textBytes(kName, 2); },
         "longo: o nome (limite 2, declarado 3)"},
        {"bytes longer than their bound", "43010203", [](CborReader& r) { r.byteString(kName, 2); },
         "longo: o nome (limite 2, declarado 3)"},
        {"declared past the end", "65616263", [](CborReader& r) { r.textBytes(kName, 100); },
         "além do fim: o nome (limite 100, declarado 5)"},
        {"declared far past the end", "7b7fffffffffffffff61", [](CborReader& r) { r.textBytes(kName, 100); },
         "além do fim: o nome (limite 100, declarado 9223372036854775807)"},
        // After a string the stream leaves a cut header for the string reading to find.
        {"header cut after a string", "a1617a7900", [](CborReader& r) {
             r.enter();
             r.expectKey(QLatin1StringView("z"), 64);
             r.textBytes(kName, 100);
         },
         "cabeçalho cortado: o nome (limite 100, declarado 0)"},
        {"chunked", "7f6161ff", [](CborReader& r) { r.textBytes(kName, 100); },
         "indefinido: o nome (limite 100, declarado 0)"},
        {"chunked bytes", "5f4101ff", [](CborReader& r) { r.byteString(kName, 100); },
         "indefinido: o nome (limite 100, declarado 0)"},
        {"invalid UTF-8", "62c328", [](CborReader& r) { r.text(kName, 100); }, "o nome com UTF-8 inválido"},
        {"UTF-8 cut in a sequence", "63c3a9c3", [](CborReader& r) { r.text(kName, 100); },
         "o nome com UTF-8 inválido"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(refusal(c.hex, c.read), c.message);
    }
    // Exactly at the bound is fine.
    EXPECT_EQ(refusal("63616263", [](CborReader& r) { EXPECT_EQ(r.textBytes(kName, 3), QByteArrayView("abc")); }),
              "(aceito)");
}

TEST(CborReader, ContainersNeedDefiniteLengthsThatFitTheBytesLeft) {
    struct Case {
        const char* name;
        const char* hex;
        Read read;
        const char* message;
    };
    const Case cases[] = {
        {"indefinite array", "9f01ff", [](CborReader& r) { r.arrayLength(kList); },
         "a lista de tamanho indefinido não é aceito"},
        {"indefinite map", "bf616101ff", [](CborReader& r) { r.definiteLength(kList); },
         "a lista de tamanho indefinido não é aceito"},
        {"count beyond the bytes", "9b000000010000000001",
         [](CborReader& r) { r.checkFits(r.arrayLength(kList), 1, kList); },
         "a lista declara 4294967296 elementos, mais do que cabem nos 9 bytes restantes"},
        {"too few bytes for the size of each", "83010203", [](CborReader& r) { r.checkFits(r.arrayLength(kList), 2, kList); },
         "a lista declara 3 elementos, mais do que cabem nos 3 bytes restantes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(refusal(c.hex, c.read), c.message);
    }
    EXPECT_EQ(refusal("83010203", [](CborReader& r) { r.checkFits(r.arrayLength(kList), 1, kList); }), "(aceito)");
}

TEST(CborReader, NestingPastTheGuardIsRefused) {
    const Read enterAll = [](CborReader& r) {
        while (r.isArray()) r.enter();
    };
    EXPECT_EQ(refusal("81818100", enterAll, {}, 3), "(aceito)");
    EXPECT_EQ(refusal("81818100", enterAll, {}, 2), "aninhamento profundo demais (byte 2)");
    EXPECT_EQ(refusal("81818100", enterAll, {}, 0), "aninhamento profundo demais (byte 0)");

    // depth() follows enter() and leave().
    const QByteArray bytes = QByteArray::fromHex("82810180");
    TestWording wording;
    CborReader r(bytes, wording);
    EXPECT_EQ(r.depth(), 0);
    r.enter();
    EXPECT_EQ(r.depth(), 1);
    r.enter();
    EXPECT_EQ(r.depth(), 2);
    EXPECT_EQ(r.integer(), 1);
    r.leave();
    EXPECT_EQ(r.depth(), 1);
    r.enter();
    r.leave();
    r.leave();
    EXPECT_EQ(r.depth(), 0);
    EXPECT_EQ(r.bytesAfter(), 0);
}

TEST(CborReader, ValueErrorsCarryTheDecodersPositionAndStreamErrorsDoNot) {
    const QString at = QStringLiteral(" na linha 2, campo \"X\"");
    struct Case {
        const char* hex;
        Read read;
        const char* message;
    };
    const Case cases[] = {
        {"6161", [](CborReader& r) { r.unsignedInteger(kNumber); },
         "esperado o número, encontrado um texto na linha 2, campo \"X\" (byte 0)"},
        {"62c328", [](CborReader& r) { r.text(kName, 100); }, "o nome com UTF-8 inválido na linha 2, campo \"X\""},
        {"6162", [](CborReader& r) { r.expectKey(QLatin1StringView("a"), 64); },
         "esperada a chave \"a\", encontrada \"b\" na linha 2, campo \"X\""},
        {"1b8000000000000000", [](CborReader& r) { r.integer(); },
         "inteiro 9223372036854775808 fora da faixa de 64 bits na linha 2, campo \"X\""},
        {"3b8000000000000000", [](CborReader& r) { r.integer(); },
         "inteiro negativo fora da faixa de 64 bits na linha 2, campo \"X\""},
        {"9f01ff", [](CborReader& r) { r.arrayLength(kList); }, "a lista de tamanho indefinido não é aceito"},
        {"1901", [](CborReader& r) { r.unsignedInteger(kNumber); },
         "entrada truncada (os dados terminam antes do fim) (byte 0)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(refusal(c.hex, c.read, at), c.message);
    }
}

TEST(CborReader, IntegersAndNumbersInEveryEncoding) {
    struct IntegerCase {
        const char* hex;
        qint64 value;
    };
    const IntegerCase integers[] = {
        {"00", 0},
        {"17", 23},
        {"1818", 24},
        {"1b0000000000000005", 5},  // longer than needed
        {"20", -1},
        {"3903e7", -1000},
        {"1b7fffffffffffffff", std::numeric_limits<qint64>::max()},
        {"3b7fffffffffffffff", std::numeric_limits<qint64>::min()},
    };
    for (const IntegerCase& c : integers) {
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(refusal(c.hex, [&](CborReader& r) { EXPECT_EQ(r.integer(), c.value); }), "(aceito)");
    }
    EXPECT_EQ(refusal("3bffffffffffffffff", [](CborReader& r) { r.integer(); }),
              "inteiro negativo fora da faixa de 64 bits");

    struct NumberCase {
        const char* hex;
        double value;
    };
    const NumberCase numbers[] = {
        {"f93e00", 1.5},                                     // half
        {"fa3e800000", 0.25},                                // single
        {"fbbff8000000000000", -1.5},                        // double
        {"03", 3.0},                                         // integer
        {"22", -3.0},                                        // negative integer
        {"1bffffffffffffffff", 18446744073709551615.0},     // beyond int64, fine as a double
        {"3bffffffffffffffff", -18446744073709551616.0},    // -2^64
    };
    for (const NumberCase& c : numbers) {
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(refusal(c.hex, [&](CborReader& r) { EXPECT_EQ(r.number(), c.value); }), "(aceito)");
    }
}

TEST(CborReader, WalksAStructureItemByItem) {
    // {"a": [7, "é", h'00ff', true, null, 44800(5)]}
    const QByteArray bytes = QByteArray::fromHex("a1 6161 86 07 62c3a9 4200ff f5 f6 d9af00 05");
    TestWording wording;
    CborReader r(bytes, wording);
    ASSERT_TRUE(r.isMap());
    EXPECT_EQ(r.definiteLength(kList), 1u);
    r.enter();
    r.expectKey(QLatin1StringView("a"), 64);
    ASSERT_EQ(r.arrayLength(kList), 6u);
    r.enter();
    EXPECT_EQ(r.unsignedInteger(kNumber), 7u);
    EXPECT_EQ(r.text(kName, 10), QStringLiteral("é"));
    const QByteArrayView raw = r.byteString(kName, 10);
    EXPECT_EQ(raw, QByteArrayView("\x00\xff", 2));
    EXPECT_TRUE(raw.data() >= bytes.constData() && raw.data() < bytes.constData() + bytes.size());  // no copy
    EXPECT_TRUE(r.boolean(QStringLiteral("um lógico")));
    EXPECT_TRUE(r.isNull());
    r.next();
    ASSERT_EQ(r.type(), QCborStreamReader::Tag);
    EXPECT_EQ(r.tagNumber(), 44800u);
    r.next();
    EXPECT_EQ(r.integer(), 5);
    r.leave();
    r.leave();
    EXPECT_EQ(r.bytesAfter(), 0);
    EXPECT_EQ(r.size(), bytes.size());
}

TEST(CborReader, TextKeepsALeadingByteOrderMark) {
    const QByteArray bytes = QByteArray::fromHex("66efbbbf626f6d");
    TestWording wording;
    CborReader r(bytes, wording);
    EXPECT_EQ(r.text(kName, 100), QString(QChar(0xFEFF)) + QStringLiteral("bom"));
}

TEST(TakeCborString, LocatesWithoutThrowingAndMovesOnlyWhenFound) {
    struct Case {
        const char* hex;
        QCborStreamReader::Type type;
        quint64 maxBytes;
        CborString::Status status;
        quint64 declared;
    };
    const Case cases[] = {
        {"63616263", QCborStreamReader::String, 3, CborString::Ok, 3},
        {"43616263", QCborStreamReader::ByteArray, 3, CborString::Ok, 3},
        {"63616263", QCborStreamReader::ByteArray, 3, CborString::WrongType, 0},
        {"01", QCborStreamReader::String, 3, CborString::WrongType, 0},
        {"", QCborStreamReader::String, 3, CborString::WrongType, 0},  // nothing to read
        {"63616263", QCborStreamReader::String, 2, CborString::TooLong, 3},
        {"6461626364", QCborStreamReader::String, 2, CborString::TooLong, 4},
        {"64616263", QCborStreamReader::String, 9, CborString::PastEnd, 4},
        {"7f6161ff", QCborStreamReader::String, 9, CborString::Indefinite, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hex);
        const QByteArray bytes = QByteArray::fromHex(c.hex);
        QCborStreamReader r(bytes);
        const CborString s = takeCborString(r, bytes, c.type, c.maxBytes);
        EXPECT_EQ(s.status, c.status);
        EXPECT_EQ(s.declaredBytes, c.declared);
        if (c.status == CborString::Ok) {
            EXPECT_EQ(s.bytes, QByteArrayView("abc"));
            EXPECT_EQ(r.currentOffset(), bytes.size());
        } else {
            EXPECT_EQ(r.currentOffset(), 0);
        }
    }
}

TEST(TakeCborString, FindsAHeaderCutAfterAString) {
    const QByteArray bytes = QByteArray::fromHex("a1617a7900");
    QCborStreamReader r(bytes);
    ASSERT_TRUE(r.enterContainer());
    EXPECT_EQ(takeCborString(r, bytes, QCborStreamReader::String, 9).bytes, QByteArrayView("z"));
    const qint64 at = r.currentOffset();
    EXPECT_EQ(takeCborString(r, bytes, QCborStreamReader::String, 9).status, CborString::HeaderCut);
    EXPECT_EQ(r.currentOffset(), at);
}

TEST(CborReader, BoundsAndPreviews) {
    EXPECT_EQ(CborReader::utf8Bound(5), 15u);
    EXPECT_EQ(CborReader::utf8Bound(0), 0u);
    EXPECT_EQ(CborReader::utf8Bound(-1), 0u);
    EXPECT_EQ(CborReader::preview(QByteArray(50, 'a')), QString(40, QChar(u'a')));
    EXPECT_EQ(CborReader::preview("ação"), QStringLiteral("ação"));
}

}  // namespace
