#pragma once
// Text conversions of field values: display formats, default texts and the
// parsing of what a user types. Every conversion follows one DataLocale
// (Brazilian unless the caller passes another).
//
// The parsers return nullopt for text that is not a value of their kind; they
// never throw. Callers decide what an empty or masked-empty text means (usually
// null) and turn a nullopt into a UserError with the field's name.
#include "data_locale.h"
#include "value.h"

#include <QtCore/QString>
#include <optional>

namespace host {

// Number display format: '0' required digit, '#' optional digit, the first '.'
// marks the decimal point, ',' in the integer part groups thousands, quoted
// text and every other character are literals; up to three ';' sections
// (positive;negative;zero). Rounds half away from zero on the shortest decimal
// text of the value (15 significant digits at most). Empty pattern gives
// defaultFloatText.
QString formatFloat(double v, const QString& pattern, const DataLocale& loc = dataLocale());

// Date-time display format. Tokens (any case): d dd ddd dddd, m mm mmm mmmm
// (m/mm right after an h token mean minutes), yy yyyy, h hh, n nn, s ss,
// z zzz; quoted text and every other character are literals. Names are in
// Portuguese. Empty pattern gives defaultDateTimeText.
QString formatDateTime(DateTime v, const QString& pattern, const DataLocale& loc = dataLocale());

// Shortest text that reads back as the same double (15 significant digits at
// most), no grouping; plain digits for magnitudes from 1e-5 to 1e15, otherwise
// an exponent ("1,5E20", "1E-7"). NaN and infinities give "NaN", "INF", "-INF".
QString defaultFloatText(double v, const DataLocale& loc = dataLocale());

// loc.datePattern, plus " " and loc.timePattern when the time is not midnight.
QString defaultDateTimeText(DateTime v, const DataLocale& loc = dataLocale());

// A typed number: blanks trimmed, optional sign, well-placed thousands
// separators, decimal separator, exponent ("1,5E3"), optional trailing "%"
// (dropped, value unchanged). With ',' as the decimal separator a lone '.' not
// followed by exactly three digits is read as the decimal point ("2.5").
std::optional<double> parseFloat(const QString& text, const DataLocale& loc = dataLocale());

// A typed integer: optional sign, digits, well-placed thousands separators.
// Out of the qint64 range gives nullopt.
std::optional<qint64> parseInteger(const QString& text, const DataLocale& loc = dataLocale());

// A typed date, optionally followed by a time ("hh:nn" or "hh:nn:ss"), or only
// a time (then on 1899-12-30). Day, month and year follow the order of
// loc.datePattern; separators '/', '-' or '.'; two-digit years map 00-49 to
// 2000-2049 and 50-99 to 1950-1999; an omitted year is the current one.
// Impossible dates and masked-empty texts give nullopt.
std::optional<DateTime> parseDateTime(const QString& text, const DataLocale& loc = dataLocale());

// True when the text holds only blanks and mask literals (/ : . - ( ) _), i.e.
// an edit mask with nothing typed; callers store null for it.
bool isBlankMaskedText(const QString& text);

}  // namespace host
