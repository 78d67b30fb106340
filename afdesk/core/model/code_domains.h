#pragma once
// The code domains of the AF header and list: one-character codes stored in
// `ID...` fields and the texts users see for them. Each domain is a table;
// display and input conversions are derived from it, never written by hand.
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <optional>
#include <vector>

namespace host {
class Field;
}

namespace afdesk {

struct DomainEntry {
    QString code;  // as stored; empty is the null value
    QString text;  // what the user sees
    QString key;   // message-table key of the text; empty for control captions
};

struct CodeDomain {
    std::vector<DomainEntry> entries;
    // Text of a code the table does not list; none: such a code shows an empty text.
    std::optional<DomainEntry> other;

    // Display text of a stored code (blanks around it ignored).
    QString textOf(const QString& code) const;
    // Stored code of a typed text: the text of an entry (letter case ignored;
    // the first entry with that text wins), else one of the listed codes as
    // it is. None when the text belongs to no entry.
    std::optional<QString> codeOf(const QString& text) const;
};

// The domains, by the field they describe.
const CodeDomain& baixaAFDomain();       // IDBAIXAAF
const CodeDomain& baixaAFSaiDomain();    // IDBAIXAFSAI
const CodeDomain& autoFornExDomain();    // IDAUTOFORNEX
const CodeDomain& tipoLancAFDomain();    // IDTIPOLANCAF
const CodeDomain& situEnvMcdDomain();    // IDSITUENVAFMCD
const CodeDomain& tipoEmitAFDomain();    // IDTIPOEMITAF (drop-down items)
const CodeDomain& tipoFretAFDomain();    // IDTIPOFRETAF (drop-down items)
const CodeDomain& tpForPgtAFDomain();    // IDTPFORPGTAF (radio-group values)
const CodeDomain& tpiJurDomain();        // IDTPIJURFORN, IDTPIJURTRAN
const CodeDomain& itAFMigradaDomain(bool produtosTab);  // IDITAFMIGRADA

// Texts outside the tables above.
inline const DomainEntry kAFExpirada{QStringLiteral("S"), QStringLiteral("Expirada"), QStringLiteral("AFExpirada")};
inline const DomainEntry kDevolucao{QStringLiteral("S"), QStringLiteral("Devolução"), QStringLiteral("Dev")};

// The drop-down captions, in item order.
QStringList tipoEmitAFItems();  // "Empresa da Filial", "Empresa Informada", "Cliente Principal"
QStringList tipoFretAFItems();  // "CIF", "FOB", "FOT", "FOR", "<nenhum>"

// Text of an AF's receipt situation as the list shows it: "Expirada" for an
// expired AF whatever its code, else the domain text.
QString listBaixaText(const QString& idBaixaAF, const QString& idAFExpirada);

// "key|text" lines of every keyed text above, for the workspace's message table.
QStringList domainMessageLines();

// Field handlers. The get-text shows the domain text (in display and edit
// text alike); the set-text stores the code of a typed text or refuses it with
// a FieldError, keeping the field's value.
void showDomain(host::Field& field, const CodeDomain& domain);
void acceptDomain(host::Field& field, const CodeDomain& domain);

}  // namespace afdesk
