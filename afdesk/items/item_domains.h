#pragma once
// The item-level code domains and coded texts: the receipt situations of an
// item, the future receipt, how an item was entered, the registration types of
// the price search, the reasons behind a best-price item and the flags of the
// server's product check. Pure functions over the stored codes.
#include "afdesk/core/model/code_domains.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace afdesk {

const CodeDomain& baixaItemDomain();       // IDBAIXITMAF, IDBAIXITAFS ("4" counts as closed, shows nothing)
const CodeDomain& baixaFuturaDomain();     // IDBAIXITMFUTURA
const CodeDomain& tipoLancItemDomain();    // IDTPLANITEAF
const CodeDomain& pesqTpiJurDomain();      // IDTPIJURFORN of cdsPesqValores

// IDMOTPRESCAF: empty and "0000000000" record no reason.
bool isReasonedItem(const QString& idMotPresCAF);
// The reasons of positions 1 to 5, each text ending with a line break, in position order.
QString reasonText(const QString& idMotPresCAF);

// DSERROS of cdsResultErros: the texts of the positions holding "S" (1 to 9, in
// order). Position 9 speaks of the branch in the supplies module, else of the head office.
QStringList productErrorTexts(const QString& dsErros, bool suppliesModule);

// NMOPERADOR as the item shows it: the manual receipt's date, " - " and the name; empty without a name.
QString receiptOperatorText(const QString& name, const QDate& receiptDate);

// RANKING of a price-list row: "2º".
QString rankingText(double ranking);

// "key|text" lines of the texts above, for the workspace's message table.
QStringList itemMessageLines();

}  // namespace afdesk
