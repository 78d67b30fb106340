#include "edit_mask.h"
#include "mask_edit.h"
#include "test_support.h"

#include <QtTest/QTest>

using kit::EditMask;
using namespace kittest;

namespace {

struct MaskCase {
    const char* mask;
    const char* qtMask;
    bool saves;
    QChar blank;
};

TEST(EditMask, TranslatesToQtInputMask) {
    const MaskCase cases[] = {
        {"!99/99/0000;1;_", "00/00/9999;_", true, u'_'},
        {"999.999.999-99", "000.000.000-00;_", true, u'_'},
        {"99.999.999/9999-99", "00.000.000/0000-00;_", true, u'_'},
        {"999.999.999-99;0;_", "000.000.000-00;_", false, u'_'},
        {">aaaa;0; ", ">nnnn; ", false, u' '},
        {"99999;9; ", "00000; ", true, u' '},
        {"LL-0000", "AA-9999;_", true, u'_'},
        {"(99) 9999-9999", "(00) 0000-0000;_", true, u'_'},
        {"\\X-ccc", "\\X-xxx;_", true, u'_'},  // a literal that is a Qt mask letter stays a literal
        {">LL<ll<>cc", ">AA<aa!xx;_", true, u'_'},
    };
    for (const MaskCase& c : cases) {
        const EditMask m{QString::fromUtf8(c.mask)};
        EXPECT_EQ(m.qtInputMask(), QString::fromUtf8(c.qtMask)) << c.mask;
        EXPECT_EQ(m.savesLiterals(), c.saves) << c.mask;
        EXPECT_EQ(m.blank(), c.blank) << c.mask;
    }
    EXPECT_TRUE(EditMask(QString()).isEmpty());
    EXPECT_EQ(EditMask(QString()).qtInputMask(), QString());
}

// The mask text is read by the host's parser; these are the masks the edit
// boxes once read their own way.
TEST(EditMask, ReadsMasksWithTheHostsGrammar) {
    const MaskCase cases[] = {
        {"99!99", "0000;_", true, u'_'},        // '!' anywhere is the flag, not a literal
        {"99\\", "00\\\\;_", true, u'_'},     // a trailing backslash is a literal, escaped for Qt
        {"99;99", "00;_", true, u'_'},          // every unescaped ';' ends a section
        {"99; 0;*", "00;*", false, u'*'},       // the save section is read trimmed
        {"99;00;_", "00;_", true, u'_'},        // anything but "0" stores the literals
    };
    for (const MaskCase& c : cases) {
        const EditMask m{QString::fromUtf8(c.mask)};
        EXPECT_EQ(m.qtInputMask(), QString::fromUtf8(c.qtMask)) << c.mask;
        EXPECT_EQ(m.savesLiterals(), c.saves) << c.mask;
        EXPECT_EQ(m.blank(), c.blank) << c.mask;
    }
    // An escaped ';' is a literal of the picture, not the start of a section.
    const EditMask escaped{QStringLiteral("9\\;9;0")};
    EXPECT_EQ(escaped.length(), 3);
    EXPECT_FALSE(escaped.savesLiterals());
    EXPECT_EQ(escaped.blank(), QChar(u'_'));
    EXPECT_EQ(escaped.format(QStringLiteral("12")), QStringLiteral("1;2"));
    EXPECT_EQ(escaped.extract(QStringLiteral("1;2")), QStringLiteral("12"));
}

struct ValueCase {
    const char* mask;
    const char* display;  // as QLineEdit::displayText shows it
    const char* value;    // what extract() stores
    bool complete;
    bool blank;
};

TEST(EditMask, ExtractsStoredValues) {
    const ValueCase cases[] = {
        {"!99/99/0000;1;_", "25/12/2024", "25/12/2024", true, false},
        {"!99/99/0000;1;_", "__/__/____", "", false, true},
        {"!99/99/0000;1;_", "25/12/20__", "25/12/20  ", false, false},  // the year is required
        {"!99/99/0000;1;_", "__/__/2024", "  /  /2024", true, false},  // day and month are optional digits
        {"999.999.999-99", "123.456.789-09", "123.456.789-09", true, false},
        {"999.999.999-99;0;_", "123.456.789-09", "12345678909", true, false},
        {"999.999.999-99;0;_", "123.456.7__-__", "1234567", true, false},
        {"99.999.999/9999-99", "12.345.678/0001-95", "12.345.678/0001-95", true, false},
        {">aaaa;0; ", "AB  ", "AB", true, false},
        {"LL-0000", "AB-12__", "AB-12  ", false, false},
    };
    for (const ValueCase& c : cases) {
        const EditMask m{QString::fromUtf8(c.mask)};
        const QString display = QString::fromUtf8(c.display);
        EXPECT_EQ(m.extract(display), QString::fromUtf8(c.value)) << c.mask << " " << c.display;
        EXPECT_EQ(m.isComplete(display), c.complete) << c.mask << " " << c.display;
        EXPECT_EQ(m.isBlank(display), c.blank) << c.mask << " " << c.display;
    }
}

TEST(EditMask, FormatsStoredValuesOnTheMask) {
    EXPECT_EQ(EditMask("999.999.999-99;0;_").format("12345678909"), "123.456.789-09");
    EXPECT_EQ(EditMask("999.999.999-99").format("123.456.789-09"), "123.456.789-09");
    EXPECT_EQ(EditMask("99.999.999/9999-99;0;_").format("12345678000195"), "12.345.678/0001-95");
    EXPECT_EQ(EditMask("!99/99/0000;1;_").format("01/02/2025"), "01/02/2025");
    EXPECT_EQ(EditMask(">aaaa;0; ").format("ab"), "AB  ");
    EXPECT_EQ(EditMask("999.999.999-99;0;_").format(""), "");
    EXPECT_EQ(EditMask("999.999.999-99;0;_").format("1234", u'_'), "123.4__.___-__");
}

TEST(EditMask, TypingInTheUntypedRestGoesToItsStart) {
    struct Case {
        const char* mask;
        const char* display;
        int cursor;
        int expected;
    } cases[] = {
        {"!99/99/0000;1;_", "__/__/____", 10, 0},   // the end of an empty date
        {"!99/99/0000;1;_", "__/__/____", 4, 0},
        {"!99/99/0000;1;_", "__/__/____", 0, -1},   // already at the start
        {"!99/99/0000;1;_", "25/1_/____", 10, 4},
        {"!99/99/0000;1;_", "25/__/____", 2, -1},   // right after the typed part: Qt skips the literal itself
        {"!99/99/0000;1;_", "25/__/____", 3, -1},
        {"!99/99/0000;1;_", "25/__/____", 7, 3},
        {"!99/99/0000;1;_", "25/12/2024", 10, -1},  // all typed: the cursor is the user's
        {"!99/99/0000;1;_", "__/__/2024", 10, -1},  // typed at the end: nothing untyped after it
        {">aaaa;0; ", "AB  ", 4, 2},
        {"999.999.999-99;0;_", "123.4__.___-__", 14, 5},
    };
    for (const Case& c : cases) {
        const EditMask m{QString::fromUtf8(c.mask)};
        EXPECT_EQ(m.untypedRestStart(QString::fromUtf8(c.display), c.cursor), c.expected)
            << c.mask << " " << c.display << " @" << c.cursor;
    }
}

// Typing into a real line edit: what the user sees and what would be stored.
class MaskTyping : public KitTest {};

TEST_F(MaskTyping, DateCpfAndCnpjTypedDigitByDigit) {
    struct Case {
        const char* mask;
        const char* keys;
        const char* shown;
        const char* value;
    } cases[] = {
        {"!99/99/0000;1;_", "25122024", "25/12/2024", "25/12/2024"},
        {"999.999.999-99", "12345678909", "123.456.789-09", "123.456.789-09"},
        {"999.999.999-99;0;_", "12345678909", "123.456.789-09", "12345678909"},
        {"99.999.999/9999-99", "12345678000195", "12.345.678/0001-95", "12.345.678/0001-95"},
        {">aaaa;0; ", "ab1", "AB1 ", "AB1"},
        {"!99/99/0000;1;_", "2512x2024", "25/12/2024", "25/12/2024"},  // letters are refused by a digit mask
    };
    QWidget window;
    auto* edit = new kit::MaskEdit(&window);
    showActive(&window);
    for (const Case& c : cases) {
        edit->setEditMask(QString::fromUtf8(c.mask));
        edit->setValue(QString());
        focus(edit);
        edit->home(false);
        type(QString::fromUtf8(c.keys));
        EXPECT_EQ(edit->displayText(), QString::fromUtf8(c.shown)) << c.mask;
        EXPECT_EQ(edit->value(), QString::fromUtf8(c.value)) << c.mask;
    }
}

// A click past what was typed, or the cursor left at the end (after a refused
// value), must not swallow the characters typed next.
TEST_F(MaskTyping, AClickOrACursorAtTheEndOfAnEmptyMaskStillTakesTheTyping) {
    QWidget window;
    auto* box = new kit::DateBox(&window);
    box->resize(200, box->sizeHint().height());
    showActive(&window);
    focus(box);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 40, box->height() / 2));
    settle();
    type(QStringLiteral("01022025"));
    EXPECT_EQ(box->displayText(), QStringLiteral("01/02/2025"));

    box->setDate(std::nullopt);
    focus(box);
    box->end(false);
    type(QStringLiteral("0302"));
    EXPECT_EQ(box->displayText(), QStringLiteral("03/02/____"));
    box->end(false);
    type(QStringLiteral("2026"));
    EXPECT_EQ(box->date(), QDate(2026, 2, 3));
}

TEST_F(MaskTyping, StoredValueShowsOnTheMask) {
    QWidget window;
    auto* edit = new kit::MaskEdit(QStringLiteral("999.999.999-99;0;_"), &window);
    showActive(&window);
    edit->setValue(QStringLiteral("12345678909"));
    EXPECT_EQ(edit->displayText(), QStringLiteral("123.456.789-09"));
    EXPECT_EQ(edit->value(), QStringLiteral("12345678909"));
}

TEST_F(MaskTyping, LeavingAPartlyTypedMaskIsRefusedOnce) {
    QWidget window;
    auto* edit = new kit::MaskEdit(QStringLiteral("LL-0000"), &window);
    auto* next = new QLineEdit(&window);
    next->move(0, 40);
    showActive(&window);
    focus(edit);
    edit->home(false);
    type(QStringLiteral("AB12"));
    press(Qt::Key_Tab);
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("O valor informado está incompleto.")});
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->displayText(), QStringLiteral("AB-12__"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("AB-12__"));  // selected, ready to be typed over
    edit->setCursorPosition(5);
    type(QStringLiteral("34"));
    press(Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(shown().errors.size(), 1);
}

TEST_F(MaskTyping, DateBoxChecksTheDateOnLeaving) {
    QWidget window;
    auto* box = new kit::DateBox(&window);
    auto* next = new QLineEdit(&window);
    next->move(0, 40);
    showActive(&window);
    EXPECT_EQ(box->date(), std::nullopt);
    focus(box);
    box->home(false);
    type(QStringLiteral("31022024"));
    press(Qt::Key_Tab);
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("\"31/02/2024\" não é uma data válida.")});
    EXPECT_TRUE(box->hasFocus());
    box->selectAll();
    type(QStringLiteral("29022024"));
    press(Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(box->date(), QDate(2024, 2, 29));
    box->setDate(std::nullopt);
    EXPECT_TRUE(box->isEmpty());
    EXPECT_NO_THROW(box->validate());
}

}  // namespace
