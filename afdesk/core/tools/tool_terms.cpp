#include "afdesk/core/tools/tool_terms.h"

namespace afdesk {

QString code(const QString& value) { return value.trimmed(); }

bool codeIn(const QString& value, std::initializer_list<const char*> codes) {
    const QString c = code(value);
    for (const char* candidate : codes)
        if (c == QLatin1String(candidate)) return true;
    return false;
}

Source effectiveSource(const ToolSnapshot& s) {
    if (s.source == Source::Header && !s.view(Source::Header).open()) return Source::List;
    return s.source;
}

const DatasetView& ruledView(const ToolSnapshot& s) { return s.view(effectiveSource(s)); }

// The rules speak of the list's current row; a table of the AF being edited
// through the triggering source also holds the tools that would leave its edit.
bool isBrowse(const ToolSnapshot& s) { return s.list().browsing() && !ruledView(s).editing(); }
bool isNotEmpty(const ToolSnapshot& s) { return !s.list().empty; }
bool isBeingEdited(const ToolSnapshot& s) { return s.list().editing() || ruledView(s).editing(); }

bool isOpen(const AfRowCodes& row) { return !codeIn(row.IDBAIXAAF, {"2", "3", "4", "5"}); }
bool isOutboundOk(const AfRowCodes& row) { return codeIn(row.IDBAIXAFSAI, {"", "1"}); }
bool isNotConsolidated(const AfRowCodes& row) { return code(row.CDFILDESTCON).isEmpty(); }
bool isNotSeparated(const AfRowCodes& row) { return code(row.IDITMSEPARADO) != QLatin1String("S"); }
bool isNotExpired(const AfRowCodes& row) { return code(row.IDAFEXPIRADA) != QLatin1String("S"); }

bool mayChange(const ToolSnapshot& s) {
    // A branch of a DOS-integrated system may change only the AFs it entered by hand.
    const bool dosBranchLock = code(s.IDSISDOS) == QLatin1String("3") && s.branchMode &&
                               code(s.row.IDTIPOLANCAF) != QLatin1String("M");
    return isNotExpired(s.row) && !dosBranchLock;
}

bool isWriter(const ToolSnapshot& s) { return !s.readOnlyGroup; }

bool isAutoOk(const ToolSnapshot& s) {
    return code(s.row.IDTIPOLANCAF) != QLatin1String("A") || s.permissions.ALAF;
}

bool isConfirmed(const ToolSnapshot& s) { return s.confirmed; }

ToolTerms buildTerms(const ToolSnapshot& s) {
    ToolTerms t;
    t.browse = isBrowse(s);
    t.notEmpty = isNotEmpty(s);
    t.edited = isBeingEdited(s);
    t.open = isOpen(s.row);
    t.outboundOk = isOutboundOk(s.row);
    t.notConsolidated = isNotConsolidated(s.row);
    t.notSeparated = isNotSeparated(s.row);
    t.notExpired = isNotExpired(s.row);
    t.mayChange = mayChange(s);
    t.writer = isWriter(s);
    t.autoOk = isAutoOk(s);
    t.confirmed = isConfirmed(s);
    return t;
}

}  // namespace afdesk
