#include "host/data/text_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

using namespace host;

namespace {

const DataLocale kBr = DataLocale::brazilian();
const DataLocale kEn = DataLocale::english();

DataLocale isoLocale() {
    DataLocale l;
    l.datePattern = QStringLiteral("yyyy-mm-dd");
    return l;
}

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return DateTime::fromDate(QDate(y, mo, d), QTime(h, mi, s, ms));
}

// ---------------------------------------------------------------------------
// formatFloat

struct FloatFormatCase {
    double value;
    const char* pattern;
    const char* expected;
};

void checkFormat(const FloatFormatCase* cases, size_t n, const DataLocale& loc) {
    for (size_t i = 0; i < n; ++i) {
        const auto& c = cases[i];
        EXPECT_EQ(formatFloat(c.value, QString::fromUtf8(c.pattern), loc).toStdString(), c.expected)
            << "value " << c.value << " pattern " << c.pattern;
    }
}

TEST(FormatFloat, RoundsHalfAwayFromZeroOnTheVisibleDecimal) {
    const FloatFormatCase cases[] = {
        {2.675, "0.00", "2,68"},      // binary 2.67499999... still rounds up
        {1.005, "0.00", "1,01"},
        {0.125, "0.00", "0,13"},
        {-0.125, "0.00", "-0,13"},
        {-2.5, "0", "-3"},
        {2.5, "0", "3"},
        {0.5, "0", "1"},
        {0.49, "0", "0"},
        {1.0049999, "0.00", "1,00"},
        {9.995, "0.00", "10,00"},     // carry into a new integer digit
        {999.5, "#,##0", "1.000"},    // carry into a new group
        {999999.999, "#,##0.00", "1.000.000,00"},
        {0.1 + 0.2, "0.0000000000000000", "0,3000000000000000"},  // 15 significant digits only
        {0.000000123, "0.000000", "0,000000"},
        {0.0000005, "0.000000", "0,000001"},
        {-0.005, "0.00", "-0,01"},
    };
    checkFormat(cases, std::size(cases), kBr);
}

TEST(FormatFloat, NegativeZeroNeverShowsAMinus) {
    const FloatFormatCase cases[] = {
        {-0.001, "0.00", "0,00"},
        {-0.4, "0", "0"},
        {-0.0, "0.00", "0,00"},
        {-0.0001, "#,##0.000", "0,000"},
        {-0.001, "0.00 %", "0,00 %"},
    };
    checkFormat(cases, std::size(cases), kBr);
}

TEST(FormatFloat, DigitPlaceholdersAndGrouping) {
    const FloatFormatCase cases[] = {
        {1234.5, "####,##0.00000", "1.234,50000"},
        {12.3456, "#0.00 %", "12,35 %"},
        {1234567.5, "###,##0.000", "1.234.567,500"},
        {1234567.891, "#,##0.00", "1.234.567,89"},
        {-1234567.891, "#,##0.00", "-1.234.567,89"},
        {123.0, "#,##0.00", "123,00"},
        {1234.0, "0.00", "1234,00"},
        {0.0, "#0", "0"},
        {7.6, "#0", "8"},
        {5.0, "000", "005"},
        {1234.0, "00", "1234"},        // integer digits never get cut
        {3.0, "0.##", "3"},             // no fraction left: no decimal separator
        {3.1, "0.0#", "3,1"},
        {3.14159, "0.0#", "3,14"},
        {3.0, "0.0#", "3,0"},
        {0.5, "#.00", ",50"},
        {0.0, "#", ""},
        {12345.0, ".00", "12345,00"},  // integer digits shown even without placeholders
        {1234.0, "0,", "1.234"},        // a comma anywhere in the integer part groups
        {1.25, "0.0,0", "1,25"},        // a comma after the point means nothing
        {1.25, "0.0.0", "1,25"},        // only the first point is the decimal point
    };
    checkFormat(cases, std::size(cases), kBr);
}

TEST(FormatFloat, BigValuesKeepEveryIntegerDigit) {
    const FloatFormatCase cases[] = {
        {1e15, "#,##0", "1.000.000.000.000.000"},
        {1e15, "0.00", "1000000000000000,00"},
        {1e20, "0", "100000000000000000000"},
        {1e20, "#,##0.00", "100.000.000.000.000.000.000,00"},
        {-1e20, "#,##0", "-100.000.000.000.000.000.000"},
        {123456789012345.67, "0.00", "123456789012346,00"},
        {9.87654321e25, "0", "98765432100000000000000000"},
    };
    checkFormat(cases, std::size(cases), kBr);
}

TEST(FormatFloat, SectionsForNegativeAndZero) {
    const FloatFormatCase cases[] = {
        {5.0, "0.00;(0.00)", "5,00"},
        {-5.0, "0.00;(0.00)", "(5,00)"},
        {-1234.0, "#,##0.00;#,##0.00 D", "1.234,00 D"},
        {-1234.0, "#,##0.00;-#,##0.00 D", "-1.234,00 D"},
        {0.0, "0.00;(0.00);zero", "zero"},
        {0.001, "0.00;(0.00);-", "-"},
        {-0.001, "0.00;(0.00);\"nada\"", "nada"},
        {-0.001, "0.00;(0.00)", "0,00"},          // shown as zero: positive section, no sign
        {-5.0, "0.00;;zero", "-5,00"},            // empty negative section: positive with a sign
        {0.0, "0.00;;zero", "zero"},
        {0.0, "0.00;(0.00);", "0,00"},            // empty zero section: positive section
        {-0.04, "0;(0.0)", "0"},                  // rounds to zero at the negative section's precision
        {-0.06, "0;(0.0)", "(0,1)"},
        {0.4, "0;(0);n.d.", "n.d."},              // a section without placeholders is plain text
        {0.0, "0.00;(0.00);0.000", "0,000"},
        {5.0, "0;(0);z;extra", "5"},              // a fourth section is ignored
        {0.0, "0;(0);z;extra", "z"},
        {2.5, ";(0)", "2,5"},                     // empty positive section: default text
    };
    checkFormat(cases, std::size(cases), kBr);
}

TEST(FormatFloat, LiteralsAndQuotedText) {
    const FloatFormatCase cases[] = {
        {1234.5, "R$ #,##0.00", "R$ 1.234,50"},
        {-1234.5, "R$ #,##0.00", "-R$ 1.234,50"},
        {2.0, "0.00 'kg.'", "2,00 kg."},
        {5.0, "\"#\"0", "#5"},
        {5.0, "0' a;b'", "5 a;b"},               // ';' inside quotes does not split sections
        {5.0, "0\" 0,0.0\"", "5 0,0.0"},
        {1234.0, "00-00", "12-34"},
        {123456.0, "0-00", "1234-56"},
        {1.5, "0.0 E", "1,5 E"},
        {5.0, "0 'aberto", "5 aberto"},         // unterminated quote runs to the end
        {12.0, "[0]", "[12]"},
    };
    checkFormat(cases, std::size(cases), kBr);
}

TEST(FormatFloat, EnglishLocale) {
    const FloatFormatCase cases[] = {
        {1234567.891, "#,##0.00", "1,234,567.89"},
        {2.675, "0.00", "2.68"},
        {-2.5, "0", "-3"},
        {12.3456, "#0.00 %", "12.35 %"},
        {1.5, "", "1.5"},
    };
    checkFormat(cases, std::size(cases), kEn);
}

TEST(FormatFloat, SpecialValuesAndEmptyPattern) {
    EXPECT_EQ(formatFloat(std::numeric_limits<double>::quiet_NaN(), "0.00", kBr), "NaN");
    EXPECT_EQ(formatFloat(std::numeric_limits<double>::infinity(), "#,##0", kBr), "INF");
    EXPECT_EQ(formatFloat(-std::numeric_limits<double>::infinity(), "#,##0", kBr), "-INF");
    EXPECT_EQ(formatFloat(1.5, QString(), kBr), "1,5");
    EXPECT_EQ(formatFloat(1234567.25, QString(), kBr), "1234567,25");
}

TEST(FormatFloat, UsesTheCurrentLocaleByDefault) {
    const DataLocale saved = dataLocale();
    setDataLocale(kEn);
    EXPECT_EQ(formatFloat(1234.5, "#,##0.00"), "1,234.50");
    setDataLocale(saved);
    EXPECT_EQ(formatFloat(1234.5, "#,##0.00"), "1.234,50");
}

// ---------------------------------------------------------------------------
// defaultFloatText

TEST(DefaultFloatText, ShortestRoundTripText) {
    const struct {
        double value;
        const char* br;
        const char* en;
    } cases[] = {
        {1.5, "1,5", "1.5"},
        {3.0, "3", "3"},
        {-0.0, "0", "0"},
        {0.0, "0", "0"},
        {100.0, "100", "100"},
        {1234.5, "1234,5", "1234.5"},
        {-12.25, "-12,25", "-12.25"},
        {0.1 + 0.2, "0,3", "0.3"},
        {1.0 / 3.0, "0,333333333333333", "0.333333333333333"},
        {0.00001, "0,00001", "0.00001"},
        {0.000012, "0,000012", "0.000012"},
        {123456789012345.0, "123456789012345", "123456789012345"},
        {1e15, "1000000000000000", "1000000000000000"},
        {1e16, "1E16", "1E16"},
        {1.5e20, "1,5E20", "1.5E20"},
        {0.000001, "1E-6", "1E-6"},
        {-1.25e-7, "-1,25E-7", "-1.25E-7"},
        {std::numeric_limits<double>::quiet_NaN(), "NaN", "NaN"},
        {std::numeric_limits<double>::infinity(), "INF", "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF", "-INF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(defaultFloatText(c.value, kBr).toStdString(), c.br) << c.value;
        EXPECT_EQ(defaultFloatText(c.value, kEn).toStdString(), c.en) << c.value;
    }
}

TEST(DefaultFloatText, ReadsBackAsTheSameValue) {
    const double values[] = {1.5, -0.1, 2.675, 1e-5, 123456.789, 9.87654321e-12, 1.5e20, -7e300, 0.3, 1234567.125};
    for (double v : values) {
        for (const DataLocale* loc : {&kBr, &kEn}) {
            const auto back = parseFloat(defaultFloatText(v, *loc), *loc);
            ASSERT_TRUE(back.has_value()) << v;
            EXPECT_EQ(*back, v) << qPrintable(defaultFloatText(v, *loc));
        }
    }
}

// ---------------------------------------------------------------------------
// formatDateTime / defaultDateTimeText

TEST(FormatDateTime, Tokens) {
    const DateTime wed = at(2026, 12, 9, 14, 5, 7, 89);
    const struct {
        DateTime value;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {wed, "dd/mm/yyyy", "09/12/2026"},
        {wed, "d/m/yy", "9/12/26"},
        {wed, "DD/MM/YYYY", "09/12/2026"},
        {wed, "yyyy-mm-dd", "2026-12-09"},
        {wed, "ddd", "qua"},
        {wed, "dddd", "quarta-feira"},
        {wed, "dddd, d \"de\" mmmm \"de\" yyyy", "quarta-feira, 9 de dezembro de 2026"},
        {wed, "mmm/yy", "dez/26"},
        {wed, "hh:nn:ss", "14:05:07"},
        {wed, "h:n:s", "14:5:7"},
        {wed, "hh:mm", "14:05"},              // m after h means minutes
        {wed, "HH:MM", "14:05"},
        {wed, "hh'h'mm", "14h05"},            // ... also with literals between
        {wed, "hh mm", "14 05"},
        {wed, "hh dd mm", "14 09 12"},        // another token in between: month again
        {wed, "hh mmm", "14 dez"},            // month names are never minutes
        {wed, "mm/dd hh:nn", "12/09 14:05"},
        {wed, "hh:nn:ss.zzz", "14:05:07.089"},
        {wed, "s.z", "7.89"},
        {wed, "'dd/mm' dd", "dd/mm 09"},
        {wed, "\"Data:\" dd", "Data: 09"},
        {wed, "dd#mm!", "09#12!"},
        {at(2026, 3, 10), "dddd d mmmm", "terça-feira 10 março"},
        {at(2026, 12, 12), "ddd dddd", "sáb sábado"},
        {at(2026, 12, 13), "ddd dddd", "dom domingo"},
        {at(2026, 12, 14), "ddd dddd", "seg segunda-feira"},
        {at(2026, 2, 1), "mmm mmmm", "fev fevereiro"},
        {at(1899, 12, 30, 6, 30), "dd/mm/yyyy hh:nn", "30/12/1899 06:30"},
        {at(2005, 1, 2), "d/m/yy", "2/1/05"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatDateTime(c.value, QString::fromUtf8(c.pattern), kBr).toStdString(), c.expected)
            << c.pattern;
}

TEST(FormatDateTime, DefaultText) {
    EXPECT_EQ(defaultDateTimeText(at(2026, 12, 9), kBr), "09/12/2026");
    EXPECT_EQ(defaultDateTimeText(at(2026, 12, 9, 14, 5, 7), kBr), "09/12/2026 14:05:07");
    EXPECT_EQ(defaultDateTimeText(at(2026, 12, 9, 0, 0, 1), kBr), "09/12/2026 00:00:01");
    EXPECT_EQ(defaultDateTimeText(at(2026, 12, 9, 14, 5, 7), kEn), "12/09/2026 14:05:07");
    EXPECT_EQ(formatDateTime(at(2026, 12, 9, 14, 5), QString(), kBr), "09/12/2026 14:05:00");
    EXPECT_EQ(formatDateTime(at(2026, 12, 9), QString(), kEn), "12/09/2026");
}

// ---------------------------------------------------------------------------
// parseFloat

struct FloatParseCase {
    const char* text;
    std::optional<double> expected;
};

void checkParseFloat(const FloatParseCase* cases, size_t n, const DataLocale& loc) {
    for (size_t i = 0; i < n; ++i) {
        const auto& c = cases[i];
        const auto got = parseFloat(QString::fromUtf8(c.text), loc);
        EXPECT_EQ(got, c.expected) << "text \"" << c.text << "\"";
    }
}

TEST(ParseFloat, Brazilian) {
    const FloatParseCase cases[] = {
        {"1234,5", 1234.5},
        {"1.234.567,5", 1234567.5},
        {"1.234", 1234.0},
        {"  -12,25  ", -12.25},
        {"+3", 3.0},
        {"0", 0.0},
        {",5", 0.5},
        {"5,", 5.0},
        {"-,5", -0.5},
        {"2.5", 2.5},             // keypad dot
        {"1.2345", 1.2345},
        {"-2.50", -2.5},
        {".5", 0.5},
        {"2.500", 2500.0},        // a well-formed group stays a group
        {"2.500,5", 2500.5},
        {"1,5E3", 1500.0},
        {"1,5e-3", 0.0015},
        {"2E+2", 200.0},
        {"2.5E1", 25.0},
        {"12,5 %", 12.5},
        {"12,5%", 12.5},
        {" 7 % ", 7.0},
        {"123456789012345678901234", 123456789012345678901234.0},
        // not numbers
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"1.23,4", std::nullopt},
        {"1.234.56", std::nullopt},
        {"1234.567.890", std::nullopt},
        {"1.5.6", std::nullopt},
        {"1,2,3", std::nullopt},
        {"1..2", std::nullopt},
        {"1,2.3", std::nullopt},
        {"12a", std::nullopt},
        {"1 234", std::nullopt},
        {"-", std::nullopt},
        {",", std::nullopt},
        {"--5", std::nullopt},
        {"- 5", std::nullopt},
        {"1,5E", std::nullopt},
        {"E3", std::nullopt},
        {"1E3,5", std::nullopt},
        {"1e400", std::nullopt},
        {"%", std::nullopt},
        {"5%%", std::nullopt},
        {"% 5", std::nullopt},
        {"0x10", std::nullopt},
        {"NaN", std::nullopt},
        {"inf", std::nullopt},
        {"\xd9\xa3", std::nullopt},  // an Arabic-Indic digit is not an ASCII digit
    };
    checkParseFloat(cases, std::size(cases), kBr);
}

TEST(ParseFloat, NegativeZeroReadsAsZero) {
    const auto v = parseFloat("-0,0", kBr);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(*v, 0.0);
    EXPECT_FALSE(std::signbit(*v));
}

TEST(ParseFloat, English) {
    const FloatParseCase cases[] = {
        {"1,234.5", 1234.5},
        {"1,234,567", 1234567.0},
        {"2.5", 2.5},
        {"1.234", 1.234},         // the keypad-dot rule is only for comma decimals
        {"-1.5E3", -1500.0},
        {"1,5", std::nullopt},
        {"1,23.4", std::nullopt},
        {"1.234,5", std::nullopt},
    };
    checkParseFloat(cases, std::size(cases), kEn);
}

// ---------------------------------------------------------------------------
// parseInteger

TEST(ParseInteger, Cases) {
    const struct {
        const char* text;
        const DataLocale& loc;
        std::optional<qint64> expected;
    } cases[] = {
        {"123", kBr, 123},
        {"-1.234", kBr, -1234},
        {" +7 ", kBr, 7},
        {"0", kBr, 0},
        {"-0", kBr, 0},
        {"007", kBr, 7},
        {"1.234.567", kBr, 1234567},
        {"9223372036854775807", kBr, std::numeric_limits<qint64>::max()},
        {"-9223372036854775808", kBr, std::numeric_limits<qint64>::min()},
        {"9.223.372.036.854.775.807", kBr, std::numeric_limits<qint64>::max()},
        {"9223372036854775808", kBr, std::nullopt},
        {"-9223372036854775809", kBr, std::nullopt},
        {"99999999999999999999", kBr, std::nullopt},
        {"1,5", kBr, std::nullopt},
        {"1.23", kBr, std::nullopt},
        {"1.2345", kBr, std::nullopt},
        {"1234.567", kBr, std::nullopt},
        {"", kBr, std::nullopt},
        {"  ", kBr, std::nullopt},
        {"-", kBr, std::nullopt},
        {"12a", kBr, std::nullopt},
        {"1 2", kBr, std::nullopt},
        {"1E3", kBr, std::nullopt},
        {"1,234", kEn, 1234},
        {"-12,345,678", kEn, -12345678},
        {"1.234", kEn, std::nullopt},
        {"12,34", kEn, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseInteger(QString::fromUtf8(c.text), c.loc), c.expected) << c.text;
}

// ---------------------------------------------------------------------------
// parseDateTime

TEST(ParseDateTime, Cases) {
    const int thisYear = QDate::currentDate().year();
    const DataLocale iso = isoLocale();
    const struct {
        const char* text;
        const DataLocale& loc;
        std::optional<DateTime> expected;
    } cases[] = {
        {"09/12/2026", kBr, at(2026, 12, 9)},
        {"9/2/2026", kBr, at(2026, 2, 9)},
        {"09-12-2026", kBr, at(2026, 12, 9)},
        {"09.12.2026", kBr, at(2026, 12, 9)},
        {"  09/12/2026  ", kBr, at(2026, 12, 9)},
        {"09/12/26", kBr, at(2026, 12, 9)},
        {"09/12/00", kBr, at(2000, 12, 9)},
        {"09/12/49", kBr, at(2049, 12, 9)},
        {"09/12/50", kBr, at(1950, 12, 9)},
        {"09/12/99", kBr, at(1999, 12, 9)},
        {"09/12/5", kBr, at(2005, 12, 9)},
        {"09/12/0026", kBr, at(26, 12, 9)},
        {"09/12", kBr, at(thisYear, 12, 9)},
        {"09/12/", kBr, at(thisYear, 12, 9)},   // a date mask with the year unfilled
        {"09/12/2026 14:05", kBr, at(2026, 12, 9, 14, 5)},
        {"09/12/2026   14:05:07", kBr, at(2026, 12, 9, 14, 5, 7)},
        {"09/12 8:30", kBr, at(thisYear, 12, 9, 8, 30)},
        {"09/12/2026   :  ", kBr, at(2026, 12, 9)},  // a time mask left unfilled
        {"29/02/2024", kBr, at(2024, 2, 29)},
        {"14:05", kBr, at(1899, 12, 30, 14, 5)},
        {"14:05:07", kBr, at(1899, 12, 30, 14, 5, 7)},
        {"00:00", kBr, at(1899, 12, 30)},
        {"23:59:59", kBr, at(1899, 12, 30, 23, 59, 59)},
        {"12/09/2026", kEn, at(2026, 12, 9)},
        {"12/09", kEn, at(thisYear, 12, 9)},
        {"12/09/2026 14:05", kEn, at(2026, 12, 9, 14, 5)},
        {"2026-12-09", iso, at(2026, 12, 9)},
        {"26-12-09", iso, at(2026, 12, 9)},
        {"12-09", iso, at(thisYear, 12, 9)},
        // not dates
        {"", kBr, std::nullopt},
        {"  /  /    ", kBr, std::nullopt},
        {"__/__/____", kBr, std::nullopt},
        {"  /  /       :  ", kBr, std::nullopt},
        {"31/02/2026", kBr, std::nullopt},
        {"29/02/2025", kBr, std::nullopt},
        {"32/01/2026", kBr, std::nullopt},
        {"00/01/2026", kBr, std::nullopt},
        {"01/13/2026", kBr, std::nullopt},
        {"01/00/2026", kBr, std::nullopt},
        {"13/01/2026", kEn, std::nullopt},
        {"  /12/2026", kBr, std::nullopt},
        {"09/  /2026", kBr, std::nullopt},
        {"09", kBr, std::nullopt},
        {"09/", kBr, std::nullopt},
        {"abc", kBr, std::nullopt},
        {"09/12/2026x", kBr, std::nullopt},
        {"09/12/026", kBr, std::nullopt},
        {"09/12/20260", kBr, std::nullopt},
        {"123/12/2026", kBr, std::nullopt},
        {"09/123/2026", kBr, std::nullopt},
        {"09/12/2026/1", kBr, std::nullopt},
        {"09/12/2026 25:00", kBr, std::nullopt},
        {"09/12/2026 24:00", kBr, std::nullopt},
        {"09/12/2026 10:60", kBr, std::nullopt},
        {"09/12/2026 10:00:60", kBr, std::nullopt},
        {"09/12/2026 10", kBr, std::nullopt},
        {"09/12/2026 10:", kBr, std::nullopt},
        {"09/12/2026 14:05:07:01", kBr, std::nullopt},
        {"09/12/2026 14-05", kBr, std::nullopt},
        {"14:05 09/12/2026", kBr, std::nullopt},
        {"140:05", kBr, std::nullopt},
        {"09 12 2026", kBr, std::nullopt},
        {"0 9/12/2026", kBr, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto got = parseDateTime(QString::fromUtf8(c.text), c.loc);
        EXPECT_EQ(got.has_value(), c.expected.has_value()) << c.text;
        if (got && c.expected) {
            EXPECT_EQ(got->toQDateTime(), c.expected->toQDateTime()) << c.text;
        }
    }
}

TEST(ParseDateTime, ReadsBackDefaultText) {
    const DateTime values[] = {at(2026, 12, 9), at(2026, 12, 9, 14, 5, 7), at(1999, 1, 31, 23, 59, 59),
                               at(2024, 2, 29, 0, 0, 1)};
    for (const DateTime& v : values) {
        for (const DataLocale* loc : {&kBr, &kEn}) {
            const QString text = defaultDateTimeText(v, *loc);
            EXPECT_EQ(parseDateTime(text, *loc), std::optional<DateTime>(v)) << qPrintable(text);
        }
    }
}

// ---------------------------------------------------------------------------
// isBlankMaskedText

TEST(IsBlankMaskedText, Cases) {
    const struct {
        const char* text;
        bool blank;
    } cases[] = {
        {"", true},
        {"   ", true},
        {"  /  /    ", true},
        {"__/__/____", true},
        {"  :  ", true},
        {"(  )     -    ", true},
        {"  .   .   -  ", true},
        {"\t/\n", true},
        {"1 / /", false},
        {"  /  /2026", false},
        {"a", false},
        {"(__) ____-____ x", false},
        {"+", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isBlankMaskedText(QString::fromUtf8(c.text)), c.blank) << c.text;
}

}  // namespace
