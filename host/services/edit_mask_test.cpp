#include "host/services/edit_mask.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

using namespace host;

namespace {

TEST(ParseEditMask, SectionsAndPositionKinds) {
    const EditMask m = parseEditMask(QStringLiteral("!>L0a\\9#;0;*"));
    EXPECT_TRUE(m.leadingBlanks);
    EXPECT_FALSE(m.saveLiterals);
    EXPECT_EQ(m.blank, QChar(u'*'));
    ASSERT_EQ(m.positions.size(), 5u);
    EXPECT_EQ(m.positions[0].kind, MaskSlot::Letter);
    EXPECT_TRUE(m.positions[0].required);
    EXPECT_EQ(m.positions[0].letterCase, MaskSlot::Upper);
    EXPECT_EQ(m.positions[1].kind, MaskSlot::Digit);
    EXPECT_TRUE(m.positions[1].required);
    EXPECT_EQ(m.positions[2].kind, MaskSlot::LetterOrDigit);
    EXPECT_FALSE(m.positions[2].required);
    EXPECT_EQ(m.positions[3].kind, MaskSlot::Literal);  // escaped 9
    EXPECT_EQ(m.positions[3].literal, QChar(u'9'));
    EXPECT_EQ(m.positions[4].kind, MaskSlot::DigitOrSign);
    EXPECT_EQ(m.inputCount(), 4);
}

TEST(ParseEditMask, DefaultsAndEmptyMask) {
    const EditMask plain = parseEditMask(QStringLiteral("99-99"));
    EXPECT_TRUE(plain.saveLiterals);
    EXPECT_EQ(plain.blank, QChar(u'_'));
    EXPECT_TRUE(parseEditMask(QString()).isEmpty());
    const EditMask escapedSeparator = parseEditMask(QStringLiteral("9\\;9;0"));
    EXPECT_EQ(escapedSeparator.inputCount(), 2);
    EXPECT_FALSE(escapedSeparator.saveLiterals);
}

TEST(ParseEditMask, GroupsAreTheLevelsOfACodePicture) {
    EXPECT_EQ(parseEditMask(QStringLiteral("!99.99.999;0;_")).groupCount(), 3);
    EXPECT_EQ(parseEditMask(QStringLiteral("9999")).groupCount(), 1);
    EXPECT_EQ(parseEditMask(QStringLiteral("(99) 9999-9999")).groupCount(), 3);
    EXPECT_EQ(parseEditMask(QString()).groupCount(), 0);
}

// Each position as the mask would write it; a literal in brackets.
std::string shape(const EditMask& m) {
    QString out;
    for (const MaskSlot& s : m.positions) {
        switch (s.kind) {
        case MaskSlot::Literal: out += u'[' + QString(s.literal) + u']'; break;
        case MaskSlot::Digit: out += s.required ? u'0' : u'9'; break;
        case MaskSlot::DigitOrSign: out += u'#'; break;
        case MaskSlot::Letter: out += s.required ? u'L' : u'l'; break;
        case MaskSlot::LetterOrDigit: out += s.required ? u'A' : u'a'; break;
        case MaskSlot::AnyChar: out += s.required ? u'C' : u'c'; break;
        }
    }
    return out.toStdString();
}

// The corners of the grammar the host and the kit's edit boxes both read through this parser.
TEST(ParseEditMask, GrammarCorners) {
    struct Case {
        const char* mask;
        const char* shape;
        bool saveLiterals;
        QChar blank;
        bool leadingBlanks;
    };
    const Case cases[] = {
        {"99!99", "9999", true, u'_', true},       // '!' anywhere is the flag, never a position
        {"99\\", "99[\\]", true, u'_', false},    // a trailing backslash is itself a literal
        {"9\\;9;0", "9[;]9", false, u'_', false},  // an escaped ';' is a literal, not a section
        {"99;99", "99", true, u'_', false},        // every unescaped ';' ends a section
        {"99; 0;*", "99", false, u'*', false},     // the save section is read trimmed
        {"99;00;_", "99", true, u'_', false},      // anything but "0" stores the literals
        {"99;0;", "99", false, u'_', false},       // an empty blank section keeps '_'
        {"_9_", "[ ]9[ ]", true, u'_', false},     // '_' is a literal blank
        {"\\0\\9-0", "[0][9][-]0", true, u'_', false},
        {">l<l<>l", "lll", true, u'_', false},     // case marks take no position
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        const EditMask m = parseEditMask(QString::fromUtf8(c.mask));
        EXPECT_EQ(shape(m), c.shape);
        EXPECT_EQ(m.saveLiterals, c.saveLiterals);
        EXPECT_EQ(m.blank, c.blank);
        EXPECT_EQ(m.leadingBlanks, c.leadingBlanks);
    }
    const EditMask cased = parseEditMask(QStringLiteral(">l<l<>l"));
    EXPECT_EQ(cased.positions[0].letterCase, MaskSlot::Upper);
    EXPECT_EQ(cased.positions[1].letterCase, MaskSlot::Lower);
    EXPECT_EQ(cased.positions[2].letterCase, MaskSlot::Keep);
}

struct FormatCase {
    const char* mask;
    const char* value;
    const char* expected;
};
void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.mask << " / " << c.value; }

class FormatMaskTextTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatMaskTextTest, PutsLiteralsBack) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatMaskText(QString::fromUtf8(c.mask), QString::fromUtf8(c.value)), QString::fromUtf8(c.expected))
        << c.mask << " / " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatMaskTextTest,
    ::testing::Values(FormatCase{"999.999.999-99;0;_", "52998224725", "529.982.247-25"},
                      FormatCase{"999.999.999-99;0;_", "5299", "529.9"},  // stops after the last character
                      FormatCase{"(99) 9999-9999;0;_", "1133334444", "(11) 3333-4444"},
                      FormatCase{">LL-0000;0;_", "ab1234", "AB-1234"},
                      FormatCase{"<LL;0;_", "AB", "ab"},
                      FormatCase{"999.999.999-99;0;_", "529982247251", "529982247251"},  // too long: as is
                      FormatCase{"999.999.999-99;0;_", "5299822472X", "5299822472X"},    // wrong kind: as is
                      FormatCase{"!99/99/0000;1;_", "05/04/2024", "05/04/2024"},         // stored with literals
                      FormatCase{"", "anything", "anything"},
                      FormatCase{"99.99;0;_", "", ""}));

}  // namespace
