#include "filter_expression.h"

#include "errors.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace host {
namespace {

struct TestField {
    const char* name;
    FieldType type;
};

const TestField kFields[] = {
    {"NOME", FieldType::String},        // 0
    {"CODIGO", FieldType::String},      // 1
    {"VALOR", FieldType::Float},        // 2
    {"QTD", FieldType::Integer},        // 3
    {"ATIVO", FieldType::Boolean},      // 4
    {"DATA", FieldType::DateTime},      // 5
    {"OUTRO", FieldType::Float},        // 6
    {"DT ENTREGA", FieldType::DateTime},// 7
    {"NOME2", FieldType::String},       // 8
    {"LIMITE", FieldType::Integer},     // 9
    {"NOTA", FieldType::Integer},       // 10: starts like the keyword 'not'
};

std::optional<FilterFieldInfo> resolve(const QString& name) {
    for (int i = 0; i < int(std::size(kFields)); ++i)
        if (QString::compare(name, QLatin1String(kFields[i].name), Qt::CaseInsensitive) == 0)
            return FilterFieldInfo{i, kFields[i].type};
    return std::nullopt;
}

Value dt(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return DateTime::fromDate(QDate(y, mo, d), QTime(h, mi, s));
}
Value str(const char* s) { return QString::fromUtf8(s); }
Value num(double d) { return d; }
Value integer(qint64 i) { return i; }
const Value null;

const std::vector<std::vector<Value>>& rows() {
    //                        NOME          CODIGO             VALOR          QTD          ATIVO  DATA                        OUTRO        DT ENTREGA            NOME2        LIMITE       NOTA
    static const std::vector<std::vector<Value>> r = {
        {str("Ana"),   str("0000012345"), num(1000.5), integer(10), true,  dt(2026, 12, 9),            num(10.0),  dt(2026, 12, 10, 10, 30), str("ana"),   integer(10), integer(1)},
        {str("bruno"), null,              num(20.0),   integer(20), false, dt(2026, 12, 9, 14, 30, 15), num(25.5),  null,                    str("Bruno"), integer(5),  integer(2)},
        {str(""),      str(""),           null,        null,        null,  null,                        null,       null,                    str(""),      null,        integer(3)},
        {null,         str("AB"),         num(-5.25),  integer(-3), true,  dt(2025, 1, 1),              num(-5.25), dt(2025, 1, 1),          null,         integer(0),  null},
        {str("Carla"), str("ab"),         num(0.0),    integer(0),  false, dt(2026, 12, 31, 23, 59, 59), num(0.0),  dt(2026, 12, 31),        str("Carla"), integer(0),  integer(1)},
    };
    return r;
}

FilterExpression parse(const QString& text, bool ci = false, const DataLocale& loc = DataLocale::brazilian()) {
    return FilterExpression::parse(text, resolve, loc, ci);
}

// The matching rows as a string of row numbers, e.g. "014".
std::string matching(const FilterExpression& f) {
    std::string out;
    for (size_t i = 0; i < rows().size(); ++i)
        if (f.matches(rows()[i].data())) out += char('0' + i);
    return out;
}

struct MatchCase {
    const char* filter;
    const char* rows;
    bool caseInsensitive = false;
};

void checkCases(const std::vector<MatchCase>& cases, const DataLocale& loc = DataLocale::brazilian()) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        try {
            EXPECT_EQ(matching(parse(QString::fromUtf8(c.filter), c.caseInsensitive, loc)), c.rows);
        } catch (const UserError& e) {
            ADD_FAILURE() << "unexpected error: " << e.what();
        }
    }
}

TEST(FilterExpression, Strings) {
    checkCases({
        {"[NOME] = 'Ana'", "0"},
        {"[NOME] = 'ana'", ""},
        {"[NOME] <> 'Ana'", "1234"},
        {"[NOME] < 'b'", "0234"},  // ordinal: upper case sorts before lower case
        {"[NOME] > 'Ana'", "14"},
        {"[NOME] <= 'Ana'", "023"},
        {"[NOME] >= 'bruno'", "1"},
        {"[NOME] = NULL", "23"},  // null and '' are the same thing
        {"[NOME] <> NULL", "014"},
        {"[NOME] = ''", "23"},
        {"[NOME] > NULL", "014"},
        {"[NOME] < NULL", ""},
        {"[CODIGO] = null", "12"},
        {"[CODIGO] = '0000012345'", "0"},
        {"[CODIGO] = 0000012345", "0"},  // a number beside a string field is matched as written
        {"[CODIGO] = 12345", ""},
        {"[CODIGO] = 'ab'", "4"},
        {"NULL = [NOME]", "23"},
        {"'Ana' = NOME", "0"},
        {"'b' > [NOME]", "0234"},
        {"[NOME] = \"Ana\"", "0"},
        {"  [NOME]='Ana'  ", "0"},
        {"'O''Brien' = \"O'Brien\"", "01234"},
        {"\"say \"\"hi\"\"\" = 'say \"hi\"'", "01234"},
    });
}

TEST(FilterExpression, Numbers) {
    checkCases({
        {"[VALOR] = 1000,5", "0"},  // the Brazilian decimal comma
        {"[VALOR] = 1000.5", "0"},
        {"[VALOR] = '1000,5'", "0"},
        {"[VALOR] = ' 1000.5 '", "0"},
        {"[VALOR] <> 20", "034"},  // a null value fails every comparison
        {"[VALOR] < 0", "3"},
        {"[VALOR] > -5,25", "014"},
        {"[VALOR] >= -5.25", "0134"},
        {"[VALOR] <= 0", "34"},
        {"[VALOR] = NULL", "2"},
        {"[VALOR] <> NULL", "0134"},
        {"[VALOR] < NULL", ""},
        {"[VALOR] >= NULL", ""},
        {"[QTD] = 10", "0"},
        {"[QTD] = 10.0", "0"},
        {"[QTD] > 9,5", "01"},
        {"[QTD] <> 10", "134"},
        {"[QTD] < '0'", "3"},
        {"[QTD] = '-3'", "3"},
        {"[QTD] >= -3", "0134"},
        {"[QTD] = NULL", "2"},
        {"[QTD] <= NULL", ""},
        {"10 < [QTD]", "1"},  // literal on the left: the operator is mirrored
        {"-3 >= [QTD]", "3"},
        {"[QTD] = 9223372036854775807", ""},
        {"NOTA = 1", "04"},
        {"not NOTA = 1", "123"},
    });
}

TEST(FilterExpression, Booleans) {
    checkCases({
        {"[ATIVO] = TRUE", "03"},
        {"[ATIVO] = false", "14"},
        {"[ATIVO] = 'S'", "03"},
        {"[ATIVO] = 'n'", "14"},
        {"[ATIVO] = 'True'", "03"},
        {"[ATIVO] = 'FALSE'", "14"},
        {"[ATIVO] <> TRUE", "14"},
        {"[ATIVO] > FALSE", "03"},
        {"[ATIVO] <= FALSE", "14"},
        {"[ATIVO] = NULL", "2"},
        {"[ATIVO] <> NULL", "0134"},
        {"[ATIVO] > NULL", ""},
        {"TRUE = [ATIVO]", "03"},
    });
}

TEST(FilterExpression, DateTimes) {
    checkCases({
        {"[DATA] = '09/12/2026'", "0"},  // a date alone matches midnight only
        {"[DATA] <> '09/12/2026'", "134"},
        {"[DATA] >= '09/12/2026'", "014"},
        {"[DATA] < '10/12/2026'", "013"},
        {"[DATA] = '09/12/2026 14:30:15'", "1"},
        {"[DATA] = '09/12/2026 14:30'", ""},
        {"[DATA] > '09/12/2026 14:30'", "14"},
        {"[DATA] = '31/12/2026  23:59:59'", "4"},
        {"[DATA] <= '01/01/2025'", "3"},
        {"[DATA] = '9/12/26'", "0"},
        {"[DATA] = '09-12-2026'", "0"},
        {"[DATA] = ' 09.12.2026 '", "0"},
        {"[DATA] = NULL", "2"},
        {"[DATA] <> NULL", "0134"},
        {"[DATA] < NULL", ""},
        {"'09/12/2026' < [DATA]", "14"},
        {"[DT ENTREGA] = NULL", "12"},
        {"[dt entrega] >= '31/12/2026'", "4"},
        {"[DT ENTREGA] = '10/12/2026 10:30:00'", "0"},
    });
}

TEST(FilterExpression, FieldAgainstField) {
    checkCases({
        {"[VALOR] = [OUTRO]", "34"},
        {"[VALOR] < [OUTRO]", "1"},
        {"[VALOR] <> [OUTRO]", "01"},  // null on either side: false
        {"[QTD] = [OUTRO]", "04"},     // integer against float, by value
        {"[OUTRO] > [QTD]", "1"},
        {"[QTD] > [LIMITE]", "1"},
        {"[QTD] >= [LIMITE]", "014"},
        {"[NOME] = [NOME2]", "234"},   // strings: null reads as ''
        {"[NOME] <> [NOME2]", "01"},
        {"[NOME] = [NOME2]", "01234", true},
        {"[DATA] < [DT ENTREGA]", "0"},
        {"[DATA] = [DT ENTREGA]", "3"},
        {"[DATA] <> [DT ENTREGA]", "04"},
        {"[ATIVO] = [ATIVO]", "0134"},
        {"QTD = LIMITE", "04"},
    });
}

TEST(FilterExpression, CaseInsensitiveOption) {
    checkCases({
        {"[NOME] = 'ana'", "0", true},
        {"[NOME] = 'ANA'", "0", true},
        {"[NOME] <> 'ANA'", "1234", true},
        {"[NOME] < 'B'", "023", true},
        {"[NOME] < 'B'", "023", false},
        {"[NOME] < 'b'", "023", true},
        {"[CODIGO] = 'ab'", "34", true},
        {"[CODIGO] = 'ab'", "4", false},
        {"'ANA' = 'ana'", "01234", true},
        {"'ANA' = 'ana'", "", false},
        {"[QTD] = 10", "0", true},
    });
}

TEST(FilterExpression, LogicAndPrecedence) {
    checkCases({
        // and binds tighter than or
        {"[QTD] = 0 or [QTD] = 20 and [ATIVO] = TRUE", "4"},
        {"([QTD] = 0 or [QTD] = 20) and [ATIVO] = TRUE", ""},
        {"[QTD] = 20 and [ATIVO] = FALSE or [QTD] = 10", "01"},
        {"[QTD] = 20 and ([ATIVO] = FALSE or [QTD] = 10)", "1"},
        // not binds tighter than and
        {"not [QTD] = 10 and [QTD] > 0", "1"},
        {"not ([QTD] = 10 and [QTD] > 0)", "1234"},
        {"not [ATIVO] = TRUE", "124"},
        {"not ([QTD] = 10 or [QTD] = 20)", "234"},
        {"NOT NOT [QTD] = 10", "0"},
        {"not not not [QTD] = 10", "1234"},
        {"(([QTD] = 10))", "0"},
        {"[QTD] = 10 OR [QTD] = 20", "01"},
        {"[QTD]=10 AND[ATIVO]=TRUE", "0"},
        {"([QTD]=10)or([QTD]=20)", "01"},
        {"[QTD] > 0 and [QTD] < 20 and [ATIVO] = TRUE", "0"},
        {"[QTD] = 10 or [QTD] = 20 or [QTD] = 0 or [QTD] = -3", "0134"},
        {"([CODIGO] <> 'AB' or [VALOR] >= 1000,5) and not [NOME] = 'bruno'", "024"},
        {"[CODIGO]= '0000012345' and [NOME]= 'Ana' and [DATA]= '09/12/2026'", "0"},
        // comparisons without fields are decided at once
        {"1 = 1", "01234"},
        {"1 = 2", ""},
        {"1,5 > 1", "01234"},
        {"'a' < 'b'", "01234"},
        {"NULL = NULL", "01234"},
        {"NULL = ''", "01234"},
        {"NULL = 1", ""},
        {"NULL <> 1", "01234"},
        {"TRUE <> FALSE", "01234"},
        {"1 = 1 and [QTD] = 10", "0"},
    });
}

TEST(FilterExpression, EnglishLocale) {
    checkCases({
                   {"[VALOR] = 1000.5", "0"},
                   {"[VALOR] = '1000.5'", "0"},
                   {"[DATA] = '12/09/2026'", "0"},  // month first
                   {"[DATA] = '12/9/2026 14:30:15'", "1"},
               },
               DataLocale::english());
    EXPECT_THROW(parse("[VALOR] = 1000,5", false, DataLocale::english()), UserError);
    EXPECT_THROW(parse("[VALOR] = '1000,5'", false, DataLocale::english()), UserError);
    EXPECT_THROW(parse("[DATA] = '31/12/2026'", false, DataLocale::english()), UserError);
}

TEST(FilterExpression, YearFirstDatePattern) {
    DataLocale loc;
    loc.datePattern = QStringLiteral("yyyy-mm-dd");
    checkCases({{"[DATA] = '2026-12-09'", "0"}, {"[DATA] >= '2026-12-09 14:30:15'", "14"}}, loc);
    EXPECT_THROW(parse("[DATA] = '09/12/2026'", false, loc), UserError);
}

struct ErrorCase {
    const char* filter;
    const char* expected;  // a piece the message must contain
};

TEST(FilterExpression, BadTextsAreRefusedWithTheirReason) {
    const QString bigNumber = QStringLiteral("[VALOR] = ") + QString(400, u'9');
    const std::vector<ErrorCase> cases = {
        {"", "o filtro está vazio"},
        {"   ", "o filtro está vazio"},
        {"[XYZ] = 1", "campo 'XYZ' não existe (posição 1)"},
        {"[QTD] = 1 and XYZ = 2", "campo 'XYZ' não existe (posição 15)"},
        {"[QTD] = [XYZ]", "campo 'XYZ' não existe (posição 9)"},
        {"([QTD] = 10", "esperado ')' no fim do filtro (posição 12)"},
        {"(([QTD] = 10)", "esperado ')' no fim do filtro (posição 14)"},
        {"([QTD] = 10 [QTD] = 2)", "esperado ')' na posição 13, encontrado '[QTD]'"},
        {"[QTD] = 10)", "')' sem '(' correspondente na posição 11"},
        {"[QTD] = ", "esperado um campo ou valor no fim do filtro (posição 9)"},
        {"= 10", "esperado um campo ou valor na posição 1, encontrado '='"},
        {"[QTD] = 10 and", "esperado um campo ou valor no fim do filtro (posição 15)"},
        {"[QTD] = 10 or or [QTD] = 2", "esperado um campo ou valor na posição 15, encontrado 'or'"},
        {"[QTD] == 10", "esperado um campo ou valor na posição 8, encontrado '='"},
        {"not", "esperado um campo ou valor no fim do filtro (posição 4)"},
        {"()", "esperado um campo ou valor na posição 2, encontrado ')'"},
        {"[QTD] 10", "esperado um operador de comparação (=, <>, <, >, <=, >=) na posição 7, encontrado '10'"},
        {"[QTD]", "esperado um operador de comparação (=, <>, <, >, <=, >=) no fim do filtro (posição 6)"},
        {"[QTD] = 10 and [ATIVO]", "esperado um operador de comparação"},
        {"[NOME] = 'abc", "texto iniciado na posição 10 não tem a aspa de fechamento"},
        {"[NOME] = \"abc'", "texto iniciado na posição 10 não tem a aspa de fechamento"},
        {"[NOME] = 'it''", "texto iniciado na posição 10 não tem a aspa de fechamento"},
        {"[NOME = 'a'", "nome de campo iniciado na posição 1 não tem o ']' de fechamento"},
        {"[] = 1", "nome de campo vazio na posição 1"},
        {"[  ] = 1", "nome de campo vazio na posição 1"},
        {"[QTD] = 10 xyz", "texto inesperado 'xyz' na posição 12"},
        {"[QTD] = 10 [QTD] = 2", "texto inesperado '[QTD]' na posição 12"},
        {"[QTD] = 10 not [QTD] = 2", "texto inesperado 'not' na posição 12"},
        {"[QTD] != 10", "caractere inesperado '!' na posição 7"},
        {"[QTD] = 10 && [QTD] = 2", "caractere inesperado '&' na posição 12"},
        {"[VALOR] = 1.000,5", "caractere inesperado ',' na posição 16"},
        {"[QTD] = 10or [QTD] = 2", "número inválido '10or' na posição 9"},
        {"[QTD] = - 5", "número incompleto na posição 9"},
        {"[DATA] = '32/01/2026'", "'32/01/2026' não é uma data válida para o campo 'DATA'; use dd/mm/yyyy ou dd/mm/yyyy hh:nn:ss (posição 10)"},
        {"[DATA] = '29/02/2026'", "'29/02/2026' não é uma data válida"},
        {"[DATA] = '2026-12-09'", "não é uma data válida"},
        {"[DATA] = '09/12/2026 25:00'", "não é uma data válida"},
        {"[DATA] = '09/12/2026 10:5'", "não é uma data válida"},
        {"[DATA] = '09/12/2026 10:30:'", "não é uma data válida"},
        {"[DATA] = '09/12/2026x'", "não é uma data válida"},
        {"[DATA] = '09/12/202'", "não é uma data válida"},
        {"[DATA] = '09/12'", "não é uma data válida"},
        {"[DATA] = ''", "'' não é uma data válida"},
        {"[DATA] = 5", "não é possível comparar o campo 'DATA' (data) com o número 5 (posição 1)"},
        {"[DATA] = TRUE", "não é possível comparar o campo 'DATA' (data) com o valor TRUE"},
        {"[VALOR] = 'abc'", "'abc' não é um número válido para o campo 'VALOR' (posição 11)"},
        {"[VALOR] = '1.000,5'", "'1.000,5' não é um número válido"},
        {"[QTD] = ''", "'' não é um número válido para o campo 'QTD'"},
        {"[QTD] = '1e5'", "'1e5' não é um número válido"},
        {"[VALOR] = TRUE", "não é possível comparar o campo 'VALOR' (número) com o valor TRUE"},
        {"[ATIVO] = 'X'", "'X' não é um valor lógico válido para o campo 'ATIVO'"},
        {"[ATIVO] = 1", "não é possível comparar o campo 'ATIVO' (lógico) com o número 1"},
        {"[NOME] = TRUE", "não é possível comparar o campo 'NOME' (texto) com o valor TRUE"},
        {"[NOME] = [QTD]", "não é possível comparar o campo 'NOME' (texto) com o campo 'QTD' (número inteiro)"},
        {"[DATA] > [ATIVO]", "não é possível comparar o campo 'DATA' (data) com o campo 'ATIVO' (lógico)"},
        {"'a' = 1", "não é possível comparar o texto 'a' com o número 1"},
        {"TRUE = 1", "não é possível comparar o valor TRUE com o número 1"},
    };
    auto check = [](const QString& text, const QString& expected) {
        SCOPED_TRACE(text.toStdString());
        try {
            parse(text);
            ADD_FAILURE() << "accepted";
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Filtro inválido: "))) << e.what();
            EXPECT_TRUE(e.message().contains(expected)) << e.what() << "\n  expected: " << expected.toStdString();
        }
    };
    for (const auto& c : cases) check(QString::fromUtf8(c.filter), QString::fromUtf8(c.expected));
    check(bigNumber, QStringLiteral("número fora do intervalo"));
}

TEST(FilterExpression, NestingIsBounded) {
    const auto nested = [](int depth, const QString& open, const QString& close) {
        return open.repeated(depth) + QStringLiteral("[QTD] = 10") + close.repeated(depth);
    };
    EXPECT_EQ(matching(parse(nested(200, "(", ")"))), "0");
    EXPECT_EQ(matching(parse(nested(200, "not ", ""))), "0");
    EXPECT_EQ(matching(parse(nested(199, "not ", ""))), "1234");
    EXPECT_EQ(matching(parse(nested(100, "not (", ")"))), "0");
    EXPECT_EQ(matching(parse(nested(99, "not (", ")"))), "1234");

    for (const QString& text : {nested(201, "(", ")"), nested(201, "not ", ""), nested(101, "not (", ")"),
                                nested(1000000, "(", ")")}) {
        try {
            parse(text);
            ADD_FAILURE() << "accepted nesting of " << text.size() << " characters";
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("aninhados em mais de 200 níveis"))) << e.what();
        }
    }
    // 201 '(' put the error at the 201st.
    try {
        parse(nested(201, "(", ")"));
    } catch (const UserError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("(posição 201)"))) << e.what();
    }
}

TEST(FilterExpression, LongChainsNeedNoDeepRecursion) {
    QStringList terms;
    for (int i = 0; i < 50000; ++i) terms << QStringLiteral("[QTD] = %1").arg(1000 + i);
    terms << QStringLiteral("[QTD] = 20");
    EXPECT_EQ(matching(parse(terms.join(QStringLiteral(" or ")))), "1");
    EXPECT_EQ(matching(parse(QStringLiteral("[QTD] <> 5 and ").repeated(50000) + QStringLiteral("[QTD] > 0"))), "01");
}

TEST(FilterExpression, EmptyAndCopies) {
    const FilterExpression empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(matching(empty), "01234");

    FilterExpression copy;
    {
        const FilterExpression f = parse("[QTD] >= 10");
        EXPECT_FALSE(f.isEmpty());
        copy = f;
    }
    EXPECT_FALSE(copy.isEmpty());
    EXPECT_EQ(matching(copy), "01");
    FilterExpression moved = std::move(copy);
    EXPECT_EQ(matching(moved), "01");
}

TEST(FilterExpression, UnknownFieldWithoutResolver) {
    EXPECT_THROW(FilterExpression::parse("[QTD] = 1", FilterFieldResolver(), DataLocale::brazilian(), false), UserError);
    EXPECT_EQ(matching(FilterExpression::parse("1 = 1", FilterFieldResolver(), DataLocale::brazilian(), false)), "01234");
}

// Every prefix and a batch of seeded mutations of valid filters either compile
// or fail with UserError: nothing else escapes, nothing hangs.
TEST(FilterExpression, DamagedTextsNeverEscapeAsAnythingButUserError) {
    const QStringList valid = {
        QStringLiteral("([CODIGO] <> 'AB' or [VALOR] >= 1000,5) and not [NOME] = 'bruno'"),
        QStringLiteral("[DATA] >= '09/12/2026 14:30' and [DT ENTREGA] = NULL or \"x\"\"y\" = NOME2"),
        QStringLiteral("not ([ATIVO] = 'S' and QTD <= -3) or [OUTRO] < [VALOR]"),
    };
    const QString alphabet = QStringLiteral("[]()'\"<>=,.- _aAnNoOtT019/:");
    std::mt19937 rng(12345);
    auto tryParse = [](const QString& text) {
        try {
            const FilterExpression f = parse(text);
            for (const auto& r : rows()) (void)f.matches(r.data());
        } catch (const UserError&) {
        } catch (...) {
            ADD_FAILURE() << "unexpected exception for: " << text.toStdString();
        }
    };
    for (const QString& text : valid) {
        for (qsizetype n = 0; n <= text.size(); ++n) tryParse(text.left(n));
        for (int k = 0; k < 2000; ++k) {
            QString t = text;
            const int edits = 1 + int(rng() % 3);
            for (int e = 0; e < edits; ++e) {
                const qsizetype at = qsizetype(rng() % (t.size() + 1));
                switch (rng() % 3) {
                case 0: t.insert(at, alphabet[rng() % alphabet.size()]); break;
                case 1: if (at < t.size()) t.remove(at, 1); break;
                default: if (at < t.size()) t[at] = alphabet[rng() % alphabet.size()]; break;
                }
            }
            tryParse(t);
        }
    }
}

}  // namespace
}  // namespace host
