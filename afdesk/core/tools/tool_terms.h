#pragma once
// The terms the tool rules are written in, each a function of the snapshot.
// Codes are compared without surrounding blanks (fixed-width columns pad them).
#include "afdesk/core/tools/tool_snapshot.h"

#include <initializer_list>

namespace afdesk {

// The data source the rules judge: the triggering one, except that a closed
// header hands over to the list.
Source effectiveSource(const ToolSnapshot& s);
// That source's dataset.
const DatasetView& ruledView(const ToolSnapshot& s);

bool isBrowse(const ToolSnapshot& s);         // the list is browsed and the ruled source is not edited
bool isNotEmpty(const ToolSnapshot& s);       // the list has rows
bool isBeingEdited(const ToolSnapshot& s);    // the list or the ruled source is edited or inserted
bool isOpen(const AfRowCodes& row);           // IDBAIXAAF none of "2".."5"
bool isOutboundOk(const AfRowCodes& row);     // IDBAIXAFSAI empty or "1"
bool isNotConsolidated(const AfRowCodes& row);// CDFILDESTCON empty
bool isNotSeparated(const AfRowCodes& row);   // IDITMSEPARADO not "S"
bool isNotExpired(const AfRowCodes& row);     // IDAFEXPIRADA not "S"
bool mayChange(const ToolSnapshot& s);        // not expired, and not an automatic AF seen from a branch of a DOS system
bool isWriter(const ToolSnapshot& s);         // not in the read-only group
bool isAutoOk(const ToolSnapshot& s);         // not automatic, or ALAF
bool isConfirmed(const ToolSnapshot& s);      // the last filter run was confirmed

struct ToolTerms {
    bool browse = false;
    bool notEmpty = false;
    bool edited = false;
    bool open = false;
    bool outboundOk = false;
    bool notConsolidated = false;
    bool notSeparated = false;
    bool notExpired = false;
    bool mayChange = false;
    bool writer = false;
    bool autoOk = false;
    bool confirmed = false;
    friend bool operator==(const ToolTerms&, const ToolTerms&) = default;
};

ToolTerms buildTerms(const ToolSnapshot& s);

// Code helpers shared by the rules.
QString code(const QString& value);  // trimmed
bool codeIn(const QString& value, std::initializer_list<const char*> codes);

}  // namespace afdesk
