#pragma once
// The host's helper routines the screens call (`Consiste`): error display that
// abandons an operation, the code convention, dates, rounding and small text
// utilities. Registration numbers and edit masks have headers of their own,
// included here so one include gives the whole unit.
#include "host/data/value.h"
#include "host/services/edit_mask.h"
#include "host/services/inscricao.h"

#include <QtCore/QDate>
#include <QtCore/QString>

namespace host {

class Dataset;
class Field;

// True when the text holds nothing to inform: empty or only blanks.
bool EmptyString(const QString& text);

// Shows the text as an error (through `dialogs()`). With `abort` true it then
// throws host::Abort, so nothing after the call runs and the operation is
// abandoned without a second message; with false it only shows.
void MensErro(const QString& text, bool abort = true);

// The host's code convention, applied before a code is compared or looked up:
//   - blanks around the code are dropped; a blank code stays empty;
//   - a code made only of digits is left-padded with zeros to `width`
//     ("12" -> "0012" for width 4);
//   - a longer all-digit code loses leading zeros down to `width` ("00012" ->
//     "0012") and is otherwise kept whole, so it is never cut into another code;
//   - a code holding anything but digits (letters, inner blanks, signs) is kept
//     as typed: zero-padding would make it a different code.
QString Ajusta(const QString& text, int width);

// Rounds half away from zero on the value's decimal text (15 significant
// digits), not on its binary approximation: RoundDec(2.675, 2) = 2.68 although
// the double nearest 2.675 lies below it. Negative `decimals` round to tens,
// hundreds, ... Infinities and NaN come back unchanged; -0 comes back as 0.
double RoundDec(double value, int decimals);

QString AllTrim(const QString& text);                 // blanks dropped at both ends
QString LeftStr(const QString& text, int count);      // first `count` characters ("" for count <= 0)
QString Replicate(const QString& text, int times);    // text repeated ("" for times <= 0)

// First day of the date's month, at midnight for a DateTime; an invalid date
// stays invalid.
QDate PriDiaMes(const QDate& date);
DateTime PriDiaMes(const DateTime& date);

// Portuguese weekday names: "Domingo", "Segunda-feira", "Terça-feira",
// "Quarta-feira", "Quinta-feira", "Sexta-feira", "Sábado". Their first three
// letters ("Dom", "Seg", "Ter", "Qua", "Qui", "Sex", "Sáb") are the short
// names. An invalid date gives "".
QString NomeSemana(const QDate& date);
QString NomeSemana(const DateTime& date);

// The system's temporary directory, always ending with "/".
QString DirWinTemp();

// The edit mask of dates typed as dd/mm/yyyy (stored with their slashes).
QString DateMask();

// Set-text handler of date fields (`field.onSetText = host::DateSetText`):
// a text with nothing typed (empty or only mask literals such as "  /  /    ")
// stores no date, i.e. the field becomes null; any other text must be a valid
// date or the field refuses it (FieldError) and keeps its value. Read-only
// fields refuse any text; fields of other types are a DataError.
void DateSetText(Field& field, const QString& text);

// Before a post: string fields of the record being edited or inserted that hold
// only blanks become null. Other states have no record to post: nothing to do.
void Seta_Campo_Null(Dataset& dataset);

}  // namespace host
