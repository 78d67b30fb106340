#pragma once
// The host's list and record lookups over a data source's dataset, shown
// through host::dialogs().pick (columns: the visible fields, in order).
//
// List text: the codes chosen in a multiple-choice lookup, written each between
// underscores and joined by them: one code c is "_c_", several are
// "_a_b_c_" (every code is preceded and followed by "_"). The application
// server reads it by splitting at "_", so a code can hold neither "_" nor be
// blank; such a row is refused with a message instead of being sent mangled.
// "T" (all) is the callers' business, never produced here.
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace kit {

class DataSource;

// The list text of the codes, in the order given; throws UserError for a
// blank code or one holding "_". No codes: an empty text.
QString listText(const QStringList& codes);
// The codes of a list text, in order, blanks dropped and repeats kept once.
QStringList listCodes(const QString& list);

// Lets the user mark several rows; their `keyField` texts become `list`.
// addToList false: the chosen codes replace the list; true: they are added to
// the codes already in it (each kept once). Returns false, leaving `list` as it
// was, when the user cancels. `title` may carry "|" and the empty-list text.
// Throws UserError (the list unchanged) when a chosen code cannot be listed.
bool PesquisaLista(DataSource& source, const QString& keyField, const QString& title, QString& list,
                   bool addToList = false);

// Single choice: "Título|Texto da lista vazia". Returns whether a row was picked;
// the dataset is then positioned on it. emptyIsError: with no rows the empty
// text is shown as an error instead of a notice; allFields: hidden fields are
// shown as columns too.
bool Pesquisar(DataSource& source, const QString& titleAndEmptyText, bool emptyIsError = false,
               bool allFields = false);

}  // namespace kit
