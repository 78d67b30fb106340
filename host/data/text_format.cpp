#include "text_format.h"

#include <QtCore/QList>
#include <QtCore/QStringView>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace host {

namespace {

// ---------------------------------------------------------------------------
// Decimal digits of a double
// ---------------------------------------------------------------------------

// A non-negative decimal number 0.<digits> x 10^pointPos. digits has no
// leading or trailing zeros; empty digits means zero. Formatting works on this
// text rather than on binary doubles or integers so that rounding matches the
// digits the user sees and huge values keep every integer digit.
struct Decimal {
    std::string digits;
    int pointPos = 0;

    bool isZero() const { return digits.empty(); }
    // Digit at a position counted from the decimal point (0 = first integer
    // digit when pointPos is 1, negative positions past the end are zeros).
    char digitAt(int index) const {
        return index >= 0 && index < int(digits.size()) ? digits[size_t(index)] : '0';
    }
};

void normalize(Decimal& d) {
    size_t lead = 0;
    while (lead < d.digits.size() && d.digits[lead] == '0') ++lead;
    d.digits.erase(0, lead);
    d.pointPos -= int(lead);
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) d.pointPos = 0;
}

// The shortest decimal text that reads back as `a`, limited to 15 significant
// digits (beyond that binary noise such as 0.30000000000000004 would show).
Decimal toDecimal(double a) {
    Decimal d;
    if (a == 0) return d;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific);
    std::string text(buf, res.ptr);
    auto parse = [&d](const std::string& s) {
        const size_t e = s.find('e');
        d.digits.clear();
        for (size_t i = 0; i < e; ++i)
            if (s[i] != '.') d.digits.push_back(s[i]);
        d.pointPos = std::stoi(s.substr(e + 1)) + 1;
    };
    parse(text);
    if (d.digits.size() > 15) {
        res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14);
        parse(std::string(buf, res.ptr));
    }
    normalize(d);
    return d;
}

// Rounds half away from zero to `decimals` places after the point.
Decimal roundDecimal(Decimal d, int decimals) {
    const int keep = d.pointPos + decimals;
    if (keep >= int(d.digits.size())) return d;
    const bool up = keep >= 0 && d.digits[size_t(keep)] >= '5';
    d.digits.resize(size_t(std::max(keep, 0)));
    if (up) {
        int i = int(d.digits.size()) - 1;
        while (i >= 0 && d.digits[size_t(i)] == '9') d.digits[size_t(i--)] = '0';
        if (i >= 0) {
            ++d.digits[size_t(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointPos;
        }
    }
    normalize(d);
    return d;
}

QString specialFloatText(double v) {
    if (std::isnan(v)) return QStringLiteral("NaN");
    return v > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

// ---------------------------------------------------------------------------
// Number patterns
// ---------------------------------------------------------------------------

struct PatternItem {
    enum Kind { Digit, Point, Literal } kind;
    QString literal;  // Literal only
};

struct NumberSection {
    QList<PatternItem> items;
    bool group = false;
    int intSlots = 0;   // '0'/'#' before the point
    int fracSlots = 0;  // '0'/'#' after the point
    int minInt = 0;     // integer digits always shown (from the first '0' on)
    int minFrac = 0;    // fraction digits always shown (up to the last '0')
};

// Splits at ';' outside quotes; only the first three sections mean anything.
QList<QString> splitSections(const QString& pattern) {
    QList<QString> sections{QString()};
    QChar quote;
    for (QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            if (sections.size() == 3) break;
            sections.append(QString());
            continue;
        }
        sections.last().append(c);
    }
    return sections;
}

void appendLiteral(NumberSection& s, const QString& text) {
    if (!s.items.isEmpty() && s.items.last().kind == PatternItem::Literal)
        s.items.last().literal += text;
    else
        s.items.append({PatternItem::Literal, text});
}

NumberSection parseNumberSection(const QString& text) {
    NumberSection s;
    // A section without digit placeholders (a zero section such as "n.d.")
    // is plain text: '.' and ',' then mean themselves.
    const bool hasDigits = std::any_of(text.begin(), text.end(), [quote = QChar()](QChar c) mutable {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
            return false;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            return false;
        }
        return c == u'0' || c == u'#';
    });
    bool afterPoint = false;
    int firstIntZero = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"' || c == u'\'') {
            qsizetype end = text.indexOf(c, i + 1);
            if (end < 0) end = text.size();
            appendLiteral(s, text.mid(i + 1, end - i - 1));
            i = end;
        } else if (hasDigits && (c == u'0' || c == u'#')) {
            s.items.append({PatternItem::Digit, QString()});
            if (afterPoint) {
                ++s.fracSlots;
                if (c == u'0') s.minFrac = s.fracSlots;
            } else {
                if (c == u'0' && firstIntZero < 0) firstIntZero = s.intSlots;
                ++s.intSlots;
            }
        } else if (hasDigits && c == u'.') {
            // Only the first point counts; later ones are dropped.
            if (!afterPoint) s.items.append({PatternItem::Point, QString()});
            afterPoint = true;
        } else if (hasDigits && c == u',') {
            if (!afterPoint) s.group = true;
        } else {
            appendLiteral(s, QString(c));
        }
    }
    if (firstIntZero >= 0) s.minInt = s.intSlots - firstIntZero;
    return s;
}

QString formatSection(const NumberSection& s, const Decimal& value, bool minus, const DataLocale& loc) {
    const Decimal r = roundDecimal(value, s.fracSlots);

    QString intDigits;
    for (int i = 0; i < r.pointPos; ++i) intDigits.append(QChar(r.digitAt(i)));
    if (intDigits.size() < s.minInt) intDigits.prepend(QString(s.minInt - intDigits.size(), u'0'));

    QString fracDigits;
    for (int i = 0; i < s.fracSlots; ++i) fracDigits.append(QChar(r.digitAt(r.pointPos + i)));
    while (fracDigits.size() > s.minFrac && fracDigits.endsWith(u'0')) fracDigits.chop(1);

    const int total = int(intDigits.size());
    const bool groups = s.group && !loc.thousandsSeparator.isNull();
    QString out;
    if (minus) out.append(u'-');
    // Appends the integer digits whose position from the right lies in
    // [fromRight, toRight], with thousands separators as needed.
    auto emitInt = [&](int fromRight, int toRight) {
        for (int pos = std::min(toRight, total - 1); pos >= fromRight; --pos) {
            out.append(intDigits[total - 1 - pos]);
            if (groups && pos > 0 && pos % 3 == 0) out.append(loc.thousandsSeparator);
        }
    };

    int intSlot = 0;
    int fracSlot = 0;
    for (const PatternItem& item : s.items) {
        switch (item.kind) {
        case PatternItem::Literal: out.append(item.literal); break;
        case PatternItem::Point:
            // No integer placeholders: the integer digits still show, here.
            if (s.intSlots == 0) emitInt(0, total - 1);
            if (!fracDigits.isEmpty()) out.append(loc.decimalSeparator);
            break;
        case PatternItem::Digit:
            if (intSlot < s.intSlots) {
                // Slots map to digits from the right; the first slot takes
                // every digit the pattern has no room for.
                const int pos = s.intSlots - 1 - intSlot;
                emitInt(pos, intSlot == 0 ? total - 1 : pos);
                ++intSlot;
            } else {
                if (fracSlot < fracDigits.size()) out.append(fracDigits[fracSlot]);
                ++fracSlot;
            }
            break;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// Date-time patterns
// ---------------------------------------------------------------------------

const std::array<const char16_t*, 7> kShortWeekdays = {u"seg", u"ter", u"qua", u"qui", u"sex", u"sáb", u"dom"};
const std::array<const char16_t*, 7> kLongWeekdays = {u"segunda-feira", u"terça-feira", u"quarta-feira",
                                                      u"quinta-feira",  u"sexta-feira", u"sábado",
                                                      u"domingo"};
const std::array<const char16_t*, 12> kShortMonths = {u"jan", u"fev", u"mar", u"abr", u"mai", u"jun",
                                                      u"jul", u"ago", u"set", u"out", u"nov", u"dez"};
const std::array<const char16_t*, 12> kLongMonths = {u"janeiro", u"fevereiro", u"março",    u"abril",
                                                     u"maio",    u"junho",     u"julho",    u"agosto",
                                                     u"setembro", u"outubro",  u"novembro", u"dezembro"};

QString pad(int n, int width) { return QString::number(n).rightJustified(width, u'0'); }

QString yearText(int year, bool fourDigits) {
    if (!fourDigits) return pad(((year % 100) + 100) % 100, 2);
    return year < 0 ? u'-' + pad(-year, 4) : pad(year, 4);
}

qsizetype runLength(const QString& s, qsizetype from, QChar lower) {
    qsizetype n = 0;
    while (from + n < s.size() && s[from + n].toLower() == lower) ++n;
    return n;
}

// ---------------------------------------------------------------------------
// Parsing helpers
// ---------------------------------------------------------------------------

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool allDigits(QStringView s) { return std::all_of(s.begin(), s.end(), isAsciiDigit); }

// The digits of an integer part that may carry thousands separators, accepted
// only when every group after the first has exactly three digits.
std::optional<QString> groupedDigits(QStringView s, QChar thousands) {
    if (thousands.isNull() || !s.contains(thousands)) {
        if (!allDigits(s)) return std::nullopt;
        return s.toString();
    }
    const QList<QStringView> groups = s.split(thousands);
    QString digits;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const QStringView g = groups[i];
        const bool sizeOk = i == 0 ? (g.size() >= 1 && g.size() <= 3) : g.size() == 3;
        if (!sizeOk || !allDigits(g)) return std::nullopt;
        digits += g;
    }
    return digits;
}

// Leading sign, returns true for '-'.
bool takeSign(QStringView& s) {
    if (s.startsWith(u'-') || s.startsWith(u'+')) {
        const bool neg = s.front() == u'-';
        s = s.mid(1);
        return neg;
    }
    return false;
}

struct DateToken {
    QString number;  // digits, or empty for a separator
    QChar sep;
};

bool isDateSeparator(QChar c) { return c == u'/' || c == u'-' || c == u'.'; }

}  // namespace

// ---------------------------------------------------------------------------

QString defaultFloatText(double v, const DataLocale& loc) {
    if (!std::isfinite(v)) return specialFloatText(v);
    const Decimal d = toDecimal(std::fabs(v));
    if (d.isZero()) return QStringLiteral("0");
    QString out;
    if (v < 0) out.append(u'-');
    const bool plain = d.pointPos >= -4 && (d.pointPos <= 15 || (d.pointPos == 16 && d.digits == "1"));
    const int n = int(d.digits.size());
    if (plain) {
        if (d.pointPos <= 0) {
            out += u'0';
            out += loc.decimalSeparator;
            out += QString(-d.pointPos, u'0');
            out += QString::fromLatin1(d.digits.data(), n);
        } else {
            for (int i = 0; i < std::max(n, d.pointPos); ++i) {
                if (i == d.pointPos) out += loc.decimalSeparator;
                out += QChar(d.digitAt(i));
            }
        }
    } else {
        out += QChar(d.digits[0]);
        if (n > 1) {
            out += loc.decimalSeparator;
            out += QString::fromLatin1(d.digits.data() + 1, n - 1);
        }
        out += u'E';
        out += QString::number(d.pointPos - 1);
    }
    return out;
}

QString formatFloat(double v, const QString& pattern, const DataLocale& loc) {
    if (!std::isfinite(v)) return specialFloatText(v);
    if (pattern.isEmpty()) return defaultFloatText(v, loc);

    const QList<QString> sections = splitSections(pattern);
    // An empty section falls back to the positive one, which then adds the sign.
    const bool negative = v < 0;
    const bool hasNegative = sections.size() > 1 && !sections[1].isEmpty();
    const bool hasZero = sections.size() > 2 && !sections[2].isEmpty();
    const bool useNegative = negative && hasNegative;
    const QString& chosen = useNegative ? sections[1] : sections[0];
    if (chosen.isEmpty()) return defaultFloatText(v, loc);

    const NumberSection section = parseNumberSection(chosen);
    const Decimal value = toDecimal(std::fabs(v));
    // A value shown as zero is zero: zero section if any, never a minus sign.
    if (roundDecimal(value, section.fracSlots).isZero()) {
        if (hasZero) return formatSection(parseNumberSection(sections[2]), Decimal{}, false, loc);
        if (sections[0].isEmpty()) return defaultFloatText(0, loc);
        return formatSection(parseNumberSection(sections[0]), Decimal{}, false, loc);
    }
    return formatSection(section, value, negative && !useNegative, loc);
}

QString formatDateTime(DateTime v, const QString& pattern, const DataLocale& loc) {
    if (pattern.isEmpty()) return defaultDateTimeText(v, loc);
    const QDateTime dt = v.toQDateTime();
    const QDate date = dt.date();
    const QTime time = dt.time();
    const int weekday = date.isValid() ? date.dayOfWeek() - 1 : 0;
    const int monthIndex = std::clamp(date.month() - 1, 0, 11);

    QString out;
    bool afterHour = false;  // an m/mm token now means minutes
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        const QChar lc = c.toLower();
        if (c == u'"' || c == u'\'') {
            qsizetype end = pattern.indexOf(c, i + 1);
            if (end < 0) end = pattern.size();
            out += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        const qsizetype run = runLength(pattern, i, lc);
        qsizetype take = 1;
        if (lc == u'd') {
            take = std::min<qsizetype>(run, 4);
            if (take == 4) out += QString::fromUtf16(kLongWeekdays[size_t(weekday)]);
            else if (take == 3) out += QString::fromUtf16(kShortWeekdays[size_t(weekday)]);
            else out += pad(date.day(), int(take));
            afterHour = false;
        } else if (lc == u'm') {
            take = std::min<qsizetype>(run, 4);
            if (take <= 2 && afterHour) out += pad(time.minute(), int(take));
            else if (take == 4) out += QString::fromUtf16(kLongMonths[size_t(monthIndex)]);
            else if (take == 3) out += QString::fromUtf16(kShortMonths[size_t(monthIndex)]);
            else out += pad(date.month(), int(take));
            afterHour = false;
        } else if (lc == u'y') {
            take = std::min<qsizetype>(run, 4);
            out += yearText(date.year(), take > 2);
            afterHour = false;
        } else if (lc == u'h') {
            take = std::min<qsizetype>(run, 2);
            out += pad(time.hour(), int(take));
            afterHour = true;
        } else if (lc == u'n') {
            take = std::min<qsizetype>(run, 2);
            out += pad(time.minute(), int(take));
            afterHour = false;
        } else if (lc == u's') {
            take = std::min<qsizetype>(run, 2);
            out += pad(time.second(), int(take));
            afterHour = false;
        } else if (lc == u'z') {
            take = run >= 3 ? 3 : 1;
            out += pad(time.msec(), int(take));
            afterHour = false;
        } else {
            out += c;
        }
        i += take;
    }
    return out;
}

QString defaultDateTimeText(DateTime v, const DataLocale& loc) {
    QString out = formatDateTime(v, loc.datePattern.isEmpty() ? QStringLiteral("dd/mm/yyyy") : loc.datePattern, loc);
    if (v.time() != QTime(0, 0))
        out += u' ' + formatDateTime(v, loc.timePattern.isEmpty() ? QStringLiteral("hh:nn:ss") : loc.timePattern, loc);
    return out;
}

std::optional<double> parseFloat(const QString& text, const DataLocale& loc) {
    QStringView s = QStringView(text).trimmed();
    if (s.endsWith(u'%')) s = s.chopped(1).trimmed();
    const bool negative = takeSign(s);

    QStringView mantissa = s;
    QStringView exponent;
    const qsizetype e = std::max(s.indexOf(u'e'), s.indexOf(u'E'));
    if (e >= 0) {
        mantissa = s.left(e);
        exponent = s.mid(e + 1);
        QStringView expDigits = exponent;
        takeSign(expDigits);
        if (expDigits.isEmpty() || !allDigits(expDigits)) return std::nullopt;
    }

    QString m = mantissa.toString();
    // Users type the keypad dot as a decimal point; "2.500" still reads as
    // two thousand five hundred because it is a well-formed group.
    if (loc.decimalSeparator == u',' && !m.contains(u',') && m.count(u'.') == 1) {
        const qsizetype dot = m.indexOf(u'.');
        if (m.size() - dot - 1 != 3) m[dot] = u',';
    }

    const qsizetype point = m.indexOf(loc.decimalSeparator);
    const QStringView intPart = point < 0 ? QStringView(m) : QStringView(m).left(point);
    const QStringView fracPart = point < 0 ? QStringView() : QStringView(m).mid(point + 1);
    if (!allDigits(fracPart)) return std::nullopt;  // also rejects a second separator
    const std::optional<QString> intDigits = groupedDigits(intPart, loc.thousandsSeparator);
    if (!intDigits || (intDigits->isEmpty() && fracPart.isEmpty())) return std::nullopt;

    std::string c = (intDigits->isEmpty() ? QStringLiteral("0") : *intDigits).toStdString();
    if (!fracPart.isEmpty()) c += '.' + fracPart.toString().toStdString();
    if (!exponent.isEmpty()) c += 'e' + exponent.toString().toStdString();
    double value = 0;
    const auto [ptr, ec] = std::from_chars(c.data(), c.data() + c.size(), value);
    if (ec != std::errc() || ptr != c.data() + c.size() || !std::isfinite(value)) return std::nullopt;
    if (value == 0) return 0.0;  // never a negative zero
    return negative ? -value : value;
}

std::optional<qint64> parseInteger(const QString& text, const DataLocale& loc) {
    QStringView s = QStringView(text).trimmed();
    const bool negative = takeSign(s);
    const std::optional<QString> digits = groupedDigits(s, loc.thousandsSeparator);
    if (!digits || digits->isEmpty()) return std::nullopt;
    // Accumulate as a negative number so that the minimum qint64 fits too.
    qint64 acc = 0;
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    for (QChar c : *digits) {
        const int d = c.unicode() - u'0';
        if (acc < (lowest + d) / 10) return std::nullopt;
        acc = acc * 10 - d;
    }
    if (negative) return acc;
    if (acc == lowest) return std::nullopt;
    return -acc;
}

std::optional<DateTime> parseDateTime(const QString& text, const DataLocale& loc) {
    if (isBlankMaskedText(text)) return std::nullopt;

    QList<DateToken> tokens;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (isAsciiDigit(c)) {
            qsizetype j = i;
            while (j < text.size() && isAsciiDigit(text[j])) ++j;
            tokens.append({text.mid(i, j - i), QChar()});
            i = j;
        } else if (isDateSeparator(c) || c == u':') {
            tokens.append({QString(), c});
            ++i;
        } else if (c.isSpace() || c == u'_') {
            ++i;  // blanks, also the unfilled places of an edit mask
        } else {
            return std::nullopt;
        }
    }

    qsizetype pos = 0;
    auto number = [&](int maxDigits) -> std::optional<int> {
        if (pos >= tokens.size() || tokens[pos].number.isEmpty() || tokens[pos].number.size() > maxDigits)
            return std::nullopt;
        return tokens[pos++].number.toInt();
    };
    auto separator = [&](bool dateSep) {
        if (pos >= tokens.size() || !tokens[pos].number.isEmpty()) return false;
        const QChar c = tokens[pos].sep;
        if (dateSep ? !isDateSeparator(c) : c != u':') return false;
        ++pos;
        return true;
    };
    // "hh:nn" or "hh:nn:ss" from pos to the end.
    auto timeToEnd = [&]() -> std::optional<QTime> {
        const auto h = number(2);
        if (!h || !separator(false)) return std::nullopt;
        const auto n = number(2);
        if (!n) return std::nullopt;
        int sec = 0;
        if (separator(false)) {
            const auto s = number(2);
            if (!s) return std::nullopt;
            sec = *s;
        }
        if (pos != tokens.size() || *h > 23 || *n > 59 || sec > 59) return std::nullopt;
        return QTime(*h, *n, sec);
    };

    // Only a time: the classic zero date.
    if (tokens.size() >= 2 && tokens[1].sep == u':') {
        const auto t = timeToEnd();
        if (!t) return std::nullopt;
        return DateTime::fromDate(QDate(1899, 12, 30), *t);
    }

    // Order of day, month and year as they appear in the date pattern.
    std::array<std::pair<qsizetype, char>, 3> order = {
        std::pair<qsizetype, char>{-1, 'd'}, {-1, 'm'}, {-1, 'y'}};
    {
        QChar quote;
        for (qsizetype i = 0; i < loc.datePattern.size(); ++i) {
            const QChar c = loc.datePattern[i];
            if (!quote.isNull()) {
                if (c == quote) quote = QChar();
                continue;
            }
            if (c == u'"' || c == u'\'') {
                quote = c;
                continue;
            }
            for (auto& [at, part] : order)
                if (at < 0 && c.toLower() == QLatin1Char(part)) at = i;
        }
        // Parts missing from the pattern go last, in day-month-year order.
        for (size_t k = 0; k < order.size(); ++k)
            if (order[k].first < 0) order[k].first = loc.datePattern.size() + qsizetype(k);
        std::sort(order.begin(), order.end());
    }

    // The date: two or three numbers between separators. A trailing separator
    // is what a mask leaves when the year was not filled in.
    QList<QString> numbers;
    while (numbers.size() < 3) {
        if (pos >= tokens.size() || tokens[pos].number.isEmpty()) return std::nullopt;
        numbers.append(tokens[pos++].number);
        if (numbers.size() == 3 || !separator(true)) break;
        if (numbers.size() == 2 && (pos == tokens.size() || tokens[pos].number.isEmpty())) break;
    }
    if (numbers.size() < 2) return std::nullopt;

    int day = 0, month = 0;
    int year = QDate::currentDate().year();
    qsizetype next = 0;
    for (const auto& [at, part] : order) {
        if (part == 'y' && numbers.size() == 2) continue;
        const QString& n = numbers[next++];
        if (part == 'y') {
            if (n.size() == 3 || n.size() > 4) return std::nullopt;
            year = n.toInt();
            if (n.size() <= 2) year += year < 50 ? 2000 : 1900;
        } else {
            if (n.size() > 2) return std::nullopt;
            (part == 'd' ? day : month) = n.toInt();
        }
    }
    if (!QDate::isValid(year, month, day)) return std::nullopt;
    const QDate date(year, month, day);

    QTime time(0, 0);
    // A time mask left unfilled ("  :  ") means no time.
    const bool onlyColons = std::all_of(tokens.begin() + pos, tokens.end(),
                                        [](const DateToken& t) { return t.sep == u':'; });
    if (!onlyColons) {
        const auto t = timeToEnd();
        if (!t) return std::nullopt;
        time = *t;
    }
    return DateTime::fromDate(date, time);
}

bool isBlankMaskedText(const QString& text) {
    static const QString maskChars = QStringLiteral("/:.-()_");
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace() || maskChars.contains(c); });
}

}  // namespace host
