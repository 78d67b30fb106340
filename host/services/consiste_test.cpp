#include "host/services/consiste.h"

#include "host/data/dataset.h"
#include "host/data/errors.h"
#include "host/testing/qt_printers.h"
#include "host/testing/test_services.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <cmath>
#include <limits>

using namespace host;

namespace {

struct AjustaCase {
    const char* text;
    int width;
    const char* expected;
};
void PrintTo(const AjustaCase& c, std::ostream* os) { *os << "Ajusta(\"" << c.text << "\", " << c.width << ")"; }

class AjustaTest : public ::testing::TestWithParam<AjustaCase> {};

TEST_P(AjustaTest, FollowsTheCodeConvention) {
    const AjustaCase& c = GetParam();
    EXPECT_EQ(Ajusta(QString::fromUtf8(c.text), c.width), QString::fromUtf8(c.expected))
        << "Ajusta(\"" << c.text << "\", " << c.width << ")";
}

INSTANTIATE_TEST_SUITE_P(Cases, AjustaTest,
                         ::testing::Values(AjustaCase{"12", 4, "0012"},          // padded
                                           AjustaCase{"1", 2, "01"},             // message numbers
                                           AjustaCase{"0012", 4, "0012"},        // already at width
                                           AjustaCase{" 7 ", 4, "0007"},         // blanks around dropped
                                           AjustaCase{"", 12, ""},               // empty stays empty
                                           AjustaCase{"   ", 4, ""},            // blank is empty
                                           AjustaCase{"00012", 4, "0012"},       // excess leading zeros dropped
                                           AjustaCase{"000", 2, "00"},           // only zeros: down to width
                                           AjustaCase{"12345", 4, "12345"},      // never cut into another code
                                           AjustaCase{"01234", 3, "1234"},       // zeros go, digits stay
                                           AjustaCase{"AB", 5, "AB"},            // alphanumeric kept as typed
                                           AjustaCase{"1 2", 4, "1 2"},          // inner blank: not a number
                                           AjustaCase{"-1", 4, "-1"},            // sign: not a code of digits
                                           AjustaCase{"42", 0, "42"}));          // no width: trimmed only

TEST(EmptyString, BlankTextHoldsNothing) {
    EXPECT_TRUE(EmptyString(QString()));
    EXPECT_TRUE(EmptyString(QStringLiteral("")));
    EXPECT_TRUE(EmptyString(QStringLiteral(" \t ")));
    EXPECT_FALSE(EmptyString(QStringLiteral(" 0 ")));
    EXPECT_FALSE(EmptyString(QStringLiteral("_")));
}

TEST(TextHelpers, TrimCutAndRepeat) {
    EXPECT_EQ(AllTrim(QStringLiteral("  Filial  ")), QStringLiteral("Filial"));
    EXPECT_EQ(LeftStr(QStringLiteral("Fornecedor"), 5), QStringLiteral("Forne"));
    EXPECT_EQ(LeftStr(QStringLiteral("AF"), 10), QStringLiteral("AF"));
    EXPECT_EQ(LeftStr(QStringLiteral("AF"), -1), QString());
    EXPECT_EQ(Replicate(QStringLiteral("-"), 52).size(), 52);
    EXPECT_EQ(Replicate(QStringLiteral("ab"), 3), QStringLiteral("ababab"));
    EXPECT_EQ(Replicate(QStringLiteral("ab"), 0), QString());
    EXPECT_EQ(Replicate(QStringLiteral("ab"), -2), QString());
}

struct RoundCase {
    double value;
    int decimals;
    double expected;
};
void PrintTo(const RoundCase& c, std::ostream* os) { *os << "RoundDec(" << c.value << ", " << c.decimals << ")"; }

class RoundDecTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundDecTest, RoundsHalfAwayFromZeroOnTheDecimalValue) {
    const RoundCase& c = GetParam();
    EXPECT_EQ(RoundDec(c.value, c.decimals), c.expected) << "RoundDec(" << c.value << ", " << c.decimals << ")";
}

INSTANTIATE_TEST_SUITE_P(Cases, RoundDecTest,
                         ::testing::Values(RoundCase{2.675, 2, 2.68},    // binary 2.67499999...
                                           RoundCase{1.005, 2, 1.01},    // binary 1.00499999...
                                           RoundCase{0.285, 2, 0.29},    // binary 0.28499999...
                                           RoundCase{-2.675, 2, -2.68},  // away from zero, not up
                                           RoundCase{-0.5, 0, -1.0},
                                           RoundCase{2.5, 0, 3.0},
                                           RoundCase{0.125, 2, 0.13},    // exact binary halfway
                                           RoundCase{2.674, 2, 2.67},
                                           RoundCase{999.995, 2, 1000.0},  // carries into a new digit
                                           RoundCase{0.004, 2, 0.0},
                                           RoundCase{0.005, 2, 0.01},
                                           RoundCase{1234.5, -2, 1200.0},
                                           RoundCase{1250.0, -2, 1300.0},
                                           RoundCase{0.1 + 0.2, 2, 0.3},  // binary noise gone
                                           RoundCase{123.456789, 5, 123.45679},
                                           RoundCase{1e20, 2, 1e20},      // nothing to round at that size
                                           RoundCase{3.0, 2, 3.0}));

TEST(RoundDec, SpecialValues) {
    EXPECT_FALSE(std::signbit(RoundDec(-0.001, 2)));  // no "-0,00" on screen
    EXPECT_FALSE(std::signbit(RoundDec(-0.0, 2)));
    EXPECT_TRUE(std::isnan(RoundDec(std::nan(""), 2)));
    EXPECT_EQ(RoundDec(std::numeric_limits<double>::infinity(), 2), std::numeric_limits<double>::infinity());
}

TEST(PriDiaMes, FirstDayOfTheMonth) {
    EXPECT_EQ(PriDiaMes(QDate(2024, 2, 29)), QDate(2024, 2, 1));
    EXPECT_EQ(PriDiaMes(QDate(2023, 12, 31)), QDate(2023, 12, 1));
    EXPECT_EQ(PriDiaMes(QDate(2024, 3, 1)), QDate(2024, 3, 1));
    EXPECT_FALSE(PriDiaMes(QDate()).isValid());
    const DateTime withTime = DateTime::fromDate(QDate(2024, 5, 20), QTime(14, 30));
    EXPECT_EQ(PriDiaMes(withTime), DateTime::fromDate(QDate(2024, 5, 1)));
}

TEST(NomeSemana, PortugueseNamesOfAKnownWeek) {
    const QStringList expected = {
        QStringLiteral("Domingo"),      QStringLiteral("Segunda-feira"), QStringLiteral("Terça-feira"),
        QStringLiteral("Quarta-feira"), QStringLiteral("Quinta-feira"),  QStringLiteral("Sexta-feira"),
        QStringLiteral("Sábado"),
    };
    for (int i = 0; i < 7; ++i) {
        const QDate day = QDate(2024, 3, 10).addDays(i);  // 10/03/2024 is a Sunday
        EXPECT_EQ(NomeSemana(day), expected[i]) << day.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(NomeSemana(DateTime::fromDate(day, QTime(23, 59))), expected[i]);
    }
    EXPECT_EQ(NomeSemana(QDate(2024, 3, 16)).left(3), QStringLiteral("Sáb"));
    EXPECT_EQ(NomeSemana(QDate()), QString());
}

TEST(DirWinTemp, SystemTemporaryDirectoryWithSeparator) {
    const QString dir = DirWinTemp();
    EXPECT_TRUE(dir.endsWith(u'/'));
    EXPECT_EQ(QDir(dir).canonicalPath(), QDir(QDir::tempPath()).canonicalPath());
}

TEST(DateMask, DayMonthYearWithSlashesStored) {
    const EditMask m = parseEditMask(DateMask());
    EXPECT_EQ(DateMask(), QStringLiteral("!99/99/0000;1;_"));
    EXPECT_TRUE(m.saveLiterals);
    EXPECT_EQ(m.inputCount(), 8);
    EXPECT_EQ(m.groupCount(), 3);
}

class MensErroTest : public ::testing::Test {
protected:
    test::TestServices services;
};

TEST_F(MensErroTest, AbortShowsThenAbandonsSilently) {
    bool after = false;
    EXPECT_THROW(
        {
            MensErro(QStringLiteral("Comprador não cadastrado."), true);
            after = true;
        },
        Abort);
    EXPECT_FALSE(after);
    EXPECT_TRUE(services.dialogs.errorsAre({QStringLiteral("Comprador não cadastrado.")}));
}

TEST_F(MensErroTest, AbortIsTheDefault) {
    EXPECT_THROW(MensErro(QStringLiteral("Filial não cadastrada.")), Abort);
    EXPECT_TRUE(services.dialogs.errorsAre({QStringLiteral("Filial não cadastrada.")}));
}

TEST_F(MensErroTest, WithoutAbortOnlyShows) {
    EXPECT_NO_THROW(MensErro(QStringLiteral("Aviso de teste."), false));
    EXPECT_TRUE(services.dialogs.errorsAre({QStringLiteral("Aviso de teste.")}));
}

TEST(MensErroWithoutService, TheMessageIsNeverSwallowed) {
    setDialogService(nullptr);
    try {
        MensErro(QStringLiteral("Filial não cadastrada."), false);
        FAIL() << "expected DataError";
    } catch (const DataError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Filial não cadastrada.")));
    }
}

// A dataset with one date field and a few string fields in insert state.
class FieldHelpersTest : public ::testing::Test {
protected:
    void SetUp() override {
        ds.addField(FieldDef::dateTime(QStringLiteral("DTPROGENTAF"), QStringLiteral("Entrega")));
        ds.addField(FieldDef::string(QStringLiteral("DSOBS"), 20));
        ds.addField(FieldDef::string(QStringLiteral("CDMARCA"), 5));
        FieldDef fixed = FieldDef::string(QStringLiteral("IDCHECK"), 3);
        fixed.fixedLength = true;
        ds.addField(fixed);
        ds.addField(FieldDef::floating(QStringLiteral("VRPRECO")));
        ds.createDataset();
        ds.append();
        date().onSetText = DateSetText;
    }
    Field& date() { return ds.field(QStringLiteral("DTPROGENTAF")); }
    Dataset ds{QStringLiteral("cdsTeste")};
};

TEST_F(FieldHelpersTest, DateSetTextStoresTypedDate) {
    date().setText(QStringLiteral("05/04/2024"));
    EXPECT_EQ(date().asDateTime(), DateTime::fromDate(QDate(2024, 4, 5)));
}

TEST_F(FieldHelpersTest, DateSetTextWithNothingTypedStoresNoDate) {
    date().setText(QStringLiteral("05/04/2024"));
    for (const QString& blank : {QString(), QStringLiteral("  /  /    "), QStringLiteral("__/__/____")}) {
        date().setText(blank);
        EXPECT_TRUE(date().isNull()) << blank.toStdString();
        date().setText(QStringLiteral("05/04/2024"));
    }
}

TEST_F(FieldHelpersTest, DateSetTextRefusesInvalidDateAndKeepsValue) {
    date().setText(QStringLiteral("05/04/2024"));
    try {
        date().setText(QStringLiteral("31/02/2024"));
        FAIL() << "expected FieldError";
    } catch (const FieldError& e) {
        EXPECT_EQ(e.fieldName(), QStringLiteral("DTPROGENTAF"));
        EXPECT_EQ(e.message(), QStringLiteral("\"31/02/2024\" não é uma data válida para \"Entrega\"."));
    }
    EXPECT_EQ(date().asDateTime(), DateTime::fromDate(QDate(2024, 4, 5)));
}

TEST_F(FieldHelpersTest, DateSetTextRefusesReadOnlyAndNonDateFields) {
    date().setReadOnly(true);
    EXPECT_THROW(DateSetText(date(), QStringLiteral("05/04/2024")), FieldError);
    EXPECT_TRUE(date().isNull());
    EXPECT_THROW(DateSetText(ds.field(QStringLiteral("DSOBS")), QStringLiteral("05/04/2024")), DataError);
}

TEST_F(FieldHelpersTest, SetaCampoNullClearsBlankStringsOnly) {
    ds.field(QStringLiteral("DSOBS")).setAsString(QStringLiteral("   "));
    ds.field(QStringLiteral("CDMARCA")).setAsString(QStringLiteral("00012"));
    ds.field(QStringLiteral("IDCHECK")).setAsString(QStringLiteral(" "));  // stored padded to "   "
    ds.field(QStringLiteral("VRPRECO")).setAsFloat(0);
    Seta_Campo_Null(ds);
    EXPECT_TRUE(ds.field(QStringLiteral("DSOBS")).isNull());
    EXPECT_TRUE(ds.field(QStringLiteral("IDCHECK")).isNull());
    EXPECT_EQ(ds.field(QStringLiteral("CDMARCA")).asString(), QStringLiteral("00012"));
    EXPECT_FALSE(ds.field(QStringLiteral("VRPRECO")).isNull());
    ds.post();
    EXPECT_TRUE(ds.field(QStringLiteral("DSOBS")).isNull());
}

TEST_F(FieldHelpersTest, SetaCampoNullInBrowseChangesNothing) {
    ds.field(QStringLiteral("DSOBS")).setAsString(QStringLiteral("  "));
    ds.post();
    const int changes = ds.changeCount();
    EXPECT_NO_THROW(Seta_Campo_Null(ds));
    EXPECT_EQ(ds.field(QStringLiteral("DSOBS")).asString(), QStringLiteral("  "));
    EXPECT_EQ(ds.state(), DatasetState::Browse);
    EXPECT_EQ(ds.changeCount(), changes);
}

}  // namespace
