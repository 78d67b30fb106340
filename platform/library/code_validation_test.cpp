// Which texts are codes of a picture, their stored form, and what ValidEx
// tells the user about the others.
#include "code_picture.h"
#include "code_validation.h"

#include "host/data/dataset.h"
#include "host/data/errors.h"
#include "host/testing/qt_printers.h"
#include "host/testing/test_services.h"

#include <gtest/gtest.h>

using namespace platform::library;

namespace {

constexpr char kTree[] = "!99.99.999;0;_";

struct ParseCase {
    const char* mask;
    const char* text;
    const char* stored;  // nullptr: not a code of the picture
    int levels;
};

}  // namespace

TEST(CodePicture, ReadsCodesTypedWithOrWithoutLiterals) {
    const ParseCase cases[] = {
        {kTree, "0102003", "0102003", 3},
        {kTree, "01.02.003", "0102003", 3},
        {kTree, " 01.02.003  ", "0102003", 3},
        {kTree, "01", "01", 1},
        {kTree, "0102", "0102", 2},
        {kTree, "01.02", "0102", 2},
        {kTree, "01.02.___", "0102", 2},  // as a masked edit box hands it over
        {kTree, "01.__.___", "01", 1},
        {kTree, "01.02.003.", "0102003", 3},
        {kTree, "", "", 0},
        {kTree, "  .  .   ", "", 0},
        {kTree, "010", nullptr, 0},          // a level half typed
        {kTree, "01.2", nullptr, 0},
        {kTree, "01.02.0031", nullptr, 0},   // longer than the picture
        {kTree, "01020031", nullptr, 0},
        {kTree, "0102.003", nullptr, 0},     // literals in the wrong place
        {kTree, "01-02-003", nullptr, 0},
        {kTree, "01.0a.003", nullptr, 0},
        {kTree, "01._2.003", nullptr, 0},    // a blank inside a level
        {kTree, "01 02 003", nullptr, 0},
        {"!99.99.999;1;_", "0102003", "01.02.003", 3},
        {"!99.99.999;1;_", "01.02", "01.02", 2},
        {"!99.99.999;1;_", "01", "01", 1},
        {">LL-999;0;_", "ab-123", "AB123", 2},
        {">LL-999;0;_", "ab123", "AB123", 2},
        {">LL-999;0;_", "AB", "AB", 1},
        {">LL-999;0;_", "A1-123", nullptr, 0},
        {"(99)9999;1;_", "(11)2345", "(11)2345", 2},
        {"(99)9999;1;_", "112345", "(11)2345", 2},
        {"(99)9999;1;_", "11", "(11", 1},
        {"", " livre ", "livre", 1},  // no picture: the trimmed text is the code
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " <- \"" + c.text + "\"");
        const auto code = CodePicture(QString::fromUtf8(c.mask)).parse(QString::fromUtf8(c.text));
        if (!c.stored) {
            EXPECT_FALSE(code.has_value()) << code->stored.toStdString();
            continue;
        }
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(code->stored, QString::fromUtf8(c.stored));
        EXPECT_EQ(code->levels, c.levels);
    }
}

TEST(CodePicture, ShowsItsPatternAndStoredCodesAsUsersReadThem) {
    const CodePicture tree(QString::fromLatin1(kTree));
    EXPECT_EQ(tree.levelCount(), 3);
    EXPECT_EQ(tree.pattern(), QStringLiteral("99.99.999"));
    EXPECT_EQ(tree.display(QStringLiteral("0102003")), QStringLiteral("01.02.003"));
    EXPECT_EQ(tree.display(QStringLiteral("0102")), QStringLiteral("01.02"));
    EXPECT_EQ(CodePicture(QStringLiteral(">LL-#9A;0;_")).pattern(), QStringLiteral("LL-#9A"));
    EXPECT_EQ(CodePicture(QStringLiteral("!99.99.999;1;_")).display(QStringLiteral("01.02.003")),
              QStringLiteral("01.02.003"));
}

namespace {

class ValidExTest : public ::testing::Test {
protected:
    // The test session's product picture is "!99.99.999;0;_".
    host::test::TestServices services;

    QString validated(QString text, const host::ValidExOptions& options = {}, host::Dataset* lookup = nullptr) {
        validateCode(lookup, host::kPictProduto, text, options);
        return text;
    }
    QString refusal(QString text, const host::ValidExOptions& options = {}, host::Dataset* lookup = nullptr) {
        const QString before = text;
        try {
            validateCode(lookup, host::kPictProduto, text, options);
        } catch (const host::UserError& e) {
            EXPECT_EQ(text, before) << "a refused text must stay as typed";
            return e.message();
        }
        ADD_FAILURE() << "accepted \"" << before.toStdString() << "\" as \"" << text.toStdString() << "\"";
        return {};
    }
};

}  // namespace

TEST_F(ValidExTest, RewritesACodeToItsStoredForm) {
    EXPECT_EQ(validated(QStringLiteral("01.02.003")), QStringLiteral("0102003"));
    EXPECT_EQ(validated(QStringLiteral("01.02.___")), QStringLiteral("0102"));
    EXPECT_EQ(validated(QStringLiteral("  .  .   ")), QString());
    EXPECT_EQ(validated(QStringLiteral("0102003"), {.complete = true}), QStringLiteral("0102003"));
}

TEST_F(ValidExTest, RefusesWhatIsNotACodeOfThePicture) {
    EXPECT_EQ(refusal(QStringLiteral("01.2")),
              QStringLiteral("Código \"01.2\" inválido. Formato esperado: 99.99.999."));
    EXPECT_EQ(refusal(QStringLiteral(""), {.required = true}), QStringLiteral("Código deve ser informado."));
    EXPECT_EQ(refusal(QStringLiteral("0102"), {.complete = true}),
              QStringLiteral("Código 01.02 incompleto: informe todos os níveis (99.99.999)."));
}

TEST_F(ValidExTest, LooksTheCodeUpInTheLookupAndLeavesTheCursorOnIt) {
    host::Dataset lookup(QStringLiteral("qryProduto"));
    lookup.addField(host::FieldDef::string(QStringLiteral("CDARVPROD"), 20));
    lookup.addField(host::FieldDef::string(QStringLiteral("NMPRODUTO"), 50));
    const host::ValidExOptions byTree{.keyField = QStringLiteral("CDARVPROD")};
    EXPECT_THROW(validated(QStringLiteral("0102003"), byTree, &lookup), host::DataError);  // not open

    lookup.createDataset();
    for (auto [tree, name] : {std::pair{"0102003", "Arroz"}, std::pair{"0102004", "Feijao"}}) {
        lookup.append();
        lookup.field(QStringLiteral("CDARVPROD")).setAsString(QString::fromLatin1(tree));
        lookup.field(QStringLiteral("NMPRODUTO")).setAsString(QString::fromLatin1(name));
        lookup.post();
    }
    lookup.first();
    EXPECT_EQ(validated(QStringLiteral("01.02.004"), byTree, &lookup), QStringLiteral("0102004"));
    EXPECT_EQ(lookup.field(QStringLiteral("NMPRODUTO")).asString(), QStringLiteral("Feijao"));
    EXPECT_EQ(refusal(QStringLiteral("01.02.009"), byTree, &lookup),
              QStringLiteral("Código 01.02.009 não cadastrado."));
    EXPECT_EQ(lookup.field(QStringLiteral("NMPRODUTO")).asString(), QStringLiteral("Feijao"));
    // Without a key field the lookup is not consulted.
    EXPECT_EQ(validated(QStringLiteral("01.02.009"), {}, &lookup), QStringLiteral("0102009"));
}

TEST_F(ValidExTest, APictureTypeTheSessionDoesNotKnowIsAProgrammingError) {
    QString text = QStringLiteral("01");
    EXPECT_THROW(validateCode(nullptr, 7, text, {}), host::DataError);
}
