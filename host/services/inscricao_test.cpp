#include "host/services/inscricao.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

using namespace host;

namespace {

struct ValidCase {
    const char* number;
    bool valid;
};
void PrintTo(const ValidCase& c, std::ostream* os) { *os << '"' << c.number << '"'; }

class CpfTest : public ::testing::TestWithParam<ValidCase> {};

TEST_P(CpfTest, CheckDigits) { EXPECT_EQ(CPFValido(QString::fromUtf8(GetParam().number)), GetParam().valid); }

INSTANTIATE_TEST_SUITE_P(Cases, CpfTest,
                         ::testing::Values(ValidCase{"52998224725", true},
                                           ValidCase{"529.982.247-25", true},   // mask literals ignored
                                           ValidCase{" 111.444.777-35 ", true},
                                           ValidCase{"52998224724", false},     // last digit wrong
                                           ValidCase{"52998224735", false},     // first check digit wrong
                                           ValidCase{"11111111111", false},     // repeated digit
                                           ValidCase{"00000000000", false},
                                           ValidCase{"5299822472", false},      // too short
                                           ValidCase{"529982247250", false},    // too long
                                           ValidCase{"5299822472A", false},
                                           ValidCase{"529,982,247-25", false},  // comma is no mask literal
                                           ValidCase{"", false}));

class CnpjTest : public ::testing::TestWithParam<ValidCase> {};

TEST_P(CnpjTest, CheckDigits) { EXPECT_EQ(CNPJValido(QString::fromUtf8(GetParam().number)), GetParam().valid); }

INSTANTIATE_TEST_SUITE_P(Cases, CnpjTest,
                         ::testing::Values(ValidCase{"11222333000181", true},
                                           ValidCase{"11.222.333/0001-81", true},
                                           ValidCase{"45997418000153", true},
                                           ValidCase{"12ABC34501DE35", true},      // alphanumeric CNPJ
                                           ValidCase{"12.abc.345/01de-35", true},  // letters in any case
                                           ValidCase{"11222333000182", false},
                                           ValidCase{"11222333000191", false},
                                           ValidCase{"12ABC34501DE36", false},
                                           ValidCase{"12ABC34501DE3A", false},  // check digits are digits
                                           ValidCase{"00000000000000", false},
                                           ValidCase{"1122233300018", false},
                                           ValidCase{"52998224725", false},  // a CPF is no CNPJ
                                           ValidCase{"", false}));

TEST(Completa, BuildsValidNumbersFromTheirBase) {
    EXPECT_EQ(CompletaCPF(QStringLiteral("529982247")), QStringLiteral("52998224725"));
    EXPECT_EQ(CompletaCNPJ(QStringLiteral("112223330001")), QStringLiteral("11222333000181"));
    EXPECT_EQ(CompletaCNPJ(QStringLiteral("12ABC34501DE")), QStringLiteral("12ABC34501DE35"));
    EXPECT_EQ(CompletaCPF(QStringLiteral("52998224")), QString());
    EXPECT_EQ(CompletaCPF(QStringLiteral("52998224X")), QString());
    EXPECT_EQ(CompletaCNPJ(QStringLiteral("12abc34501de")), QString());  // bases are given upper case
    for (int base = 100000000; base < 100000000 + 500; base += 7)
        EXPECT_TRUE(CPFValido(CompletaCPF(QString::number(base)))) << base;
}

struct InscricaoCase {
    const char* typed;
    const char* normalised;
    const char* type;
};
void PrintTo(const InscricaoCase& c, std::ostream* os) { *os << '"' << c.typed << '"'; }

class AjustaInscricaoTest : public ::testing::TestWithParam<InscricaoCase> {};

TEST_P(AjustaInscricaoTest, NormalisesAndClassifies) {
    const InscricaoCase& c = GetParam();
    QString number = QString::fromUtf8(c.typed);
    EXPECT_EQ(Ajusta_Inscricao(number), QString::fromUtf8(c.type)) << c.typed;
    EXPECT_EQ(number, QString::fromUtf8(c.normalised)) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AjustaInscricaoTest,
    ::testing::Values(InscricaoCase{"529.982.247-25", "52998224725", "F"},
                      InscricaoCase{" 52998224725 ", "52998224725", "F"},
                      InscricaoCase{"11.222.333/0001-81", "11222333000181", "J"},
                      InscricaoCase{"12.abc.345/01de-35", "12ABC34501DE35", "J"},
                      InscricaoCase{"110.042.490.114", "110042490114", "I"},  // state registration
                      InscricaoCase{"52998224724", "52998224724", "I"},       // mistyped CPF: not found later
                      InscricaoCase{"  ", "", ""},
                      InscricaoCase{"PASSAPORTE X123", "PASSAPORTE X123", "O"},
                      InscricaoCase{" ext-44/b ", "ext-44/b", "O"}));

TEST(PictPess, MasksOfEachType) {
    EXPECT_EQ(PictPess(QStringLiteral("F")), QStringLiteral("999.999.999-99;0;_"));
    EXPECT_EQ(PictPess(QStringLiteral("J")), QStringLiteral(">AA.AAA.AAA/AAAA-99;0;_"));
    EXPECT_EQ(PictPess(QStringLiteral("I")), QStringLiteral("99999999999999;0;_"));
    EXPECT_EQ(PictPess(QStringLiteral("O")), QString());
    EXPECT_EQ(PictPess(QString()), QString());
}

TEST(FormataInscricao, ShowsStoredNumbersThroughTheirMask) {
    EXPECT_EQ(FormataInscricao(QStringLiteral("52998224725"), QStringLiteral("F")), QStringLiteral("529.982.247-25"));
    EXPECT_EQ(FormataInscricao(QStringLiteral("11222333000181"), QStringLiteral("J")),
              QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(FormataInscricao(QStringLiteral("12ABC34501DE35"), QStringLiteral("J")),
              QStringLiteral("12.ABC.345/01DE-35"));
    EXPECT_EQ(FormataInscricao(QStringLiteral("110042490114"), QStringLiteral("I")), QStringLiteral("110042490114"));
    EXPECT_EQ(FormataInscricao(QStringLiteral("X-1"), QStringLiteral("O")), QStringLiteral("X-1"));
    // Stored data that does not fit its type is shown as it is, never cut.
    EXPECT_EQ(FormataInscricao(QStringLiteral("529982247251"), QStringLiteral("F")), QStringLiteral("529982247251"));
}

}  // namespace
