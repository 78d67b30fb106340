#include "afdesk/core/tools/tool_terms.h"

#include "afdesk/core/tools/tool_test_snapshot.h"

#include <gtest/gtest.h>

#include <functional>

namespace afdesk {
namespace {

using tooltest::openAF;

struct CodeCase {
    const char* value;
    bool expected;
};

void checkCodes(const char* term, std::function<bool(const QString&)> fn, std::initializer_list<CodeCase> cases) {
    for (const CodeCase& c : cases)
        EXPECT_EQ(fn(QString::fromUtf8(c.value)), c.expected) << term << " of \"" << c.value << "\"";
}

TEST(ToolTerms, OpenIsEverySituationButSettledEndedOrCancelled) {
    checkCodes("Open", [](const QString& v) { AfRowCodes r; r.IDBAIXAAF = v; return isOpen(r); },
               {{"", true}, {"1", true}, {"7", true}, {"2", false}, {"3", false}, {"4", false}, {"5", false},
                {" 3", false}, {"3 ", false}});
}

TEST(ToolTerms, OutboundOkIsEmptyOrPartial) {
    checkCodes("Outbound ok", [](const QString& v) { AfRowCodes r; r.IDBAIXAFSAI = v; return isOutboundOk(r); },
               {{"", true}, {" ", true}, {"1", true}, {"2", false}, {"3", false}, {"4", false}, {"5", false},
                {"7", false}});
}

TEST(ToolTerms, ConsolidatedSeparatedAndExpiredFlags) {
    checkCodes("Not consolidated",
               [](const QString& v) { AfRowCodes r; r.CDFILDESTCON = v; return isNotConsolidated(r); },
               {{"", true}, {"    ", true}, {"0001", false}});
    checkCodes("Not separated", [](const QString& v) { AfRowCodes r; r.IDITMSEPARADO = v; return isNotSeparated(r); },
               {{"", true}, {"N", true}, {"S", false}, {"S ", false}});
    checkCodes("Not expired", [](const QString& v) { AfRowCodes r; r.IDAFEXPIRADA = v; return isNotExpired(r); },
               {{"", true}, {"N", true}, {"S", false}});
}

TEST(ToolTerms, MayChangeBarsExpiredAndNonManualAFsOfABranchOfADosSystem) {
    struct Case {
        const char* expirada;
        const char* sisdos;
        bool branchMode;
        const char* tipo;
        bool expected;
    } cases[] = {
        {"", "1", false, "A", true},   // automatic AF, ordinary system
        {"S", "1", false, "M", false}, // expired
        {"", "3", true, "A", false},   // DOS system seen from a branch: automatic locked
        {"", "3", true, "", false},    // so is one without a launch type
        {"", "3", true, "M", true},    // manual AFs stay editable
        {"", "3", false, "A", true},   // not in branch mode
        {"", "2", true, "A", true},    // another system
        {"S", "3", true, "M", false},
    };
    for (const Case& c : cases) {
        ToolSnapshot s = openAF();
        s.row.IDAFEXPIRADA = c.expirada;
        s.IDSISDOS = c.sisdos;
        s.branchMode = c.branchMode;
        s.row.IDTIPOLANCAF = c.tipo;
        EXPECT_EQ(mayChange(s), c.expected) << c.expirada << "/" << c.sisdos << "/" << c.branchMode << "/" << c.tipo;
    }
}

TEST(ToolTerms, AutoOkNeedsAlafOnlyForAutomaticAFs) {
    struct Case {
        const char* tipo;
        bool alaf;
        bool expected;
    } cases[] = {{"M", false, true}, {"", false, true}, {"A", true, true}, {"A", false, false}};
    for (const Case& c : cases) {
        ToolSnapshot s = openAF();
        s.row.IDTIPOLANCAF = c.tipo;
        s.permissions.ALAF = c.alaf;
        EXPECT_EQ(isAutoOk(s), c.expected) << c.tipo << " ALAF=" << c.alaf;
    }
}

TEST(ToolTerms, WriterAndConfirmedFollowTheSession) {
    ToolSnapshot s = openAF();
    EXPECT_TRUE(isWriter(s));
    s.readOnlyGroup = true;
    EXPECT_FALSE(isWriter(s));
    EXPECT_TRUE(isConfirmed(s));
    s.confirmed = false;
    EXPECT_FALSE(isConfirmed(s));
}

// Browse and Not empty are the list's: an AF without messages keeps its
// lifecycle tools on "Mensagem", and a new AF (list row inserted) has no
// browse tool on any tab, whatever the tab's own table shows.
TEST(ToolTerms, BrowseAndNotEmptyJudgeTheList) {
    ToolSnapshot s = openAF();
    s.source = Source::Messages;
    s.view(Source::Messages) = tooltest::browsed(true);
    EXPECT_TRUE(isBrowse(s));
    EXPECT_TRUE(isNotEmpty(s));
    EXPECT_FALSE(isBeingEdited(s));

    s.view(Source::List) = tooltest::browsed(true);
    EXPECT_FALSE(isNotEmpty(s));

    s = openAF();
    s.source = Source::Terms;
    s.view(Source::Terms) = tooltest::browsed();
    s.view(Source::List) = tooltest::insertedView();
    EXPECT_FALSE(isBrowse(s));
    EXPECT_TRUE(isBeingEdited(s));
}

TEST(ToolTerms, ATableOfTheAfBeingEditedHoldsTheBrowseTools) {
    ToolSnapshot s = openAF();
    s.source = Source::Messages;
    s.view(Source::Messages) = tooltest::editedView();
    EXPECT_FALSE(isBrowse(s));
    EXPECT_TRUE(isBeingEdited(s));
    EXPECT_TRUE(isNotEmpty(s));
}

TEST(ToolTerms, AClosedHeaderHandsOverToTheList) {
    ToolSnapshot s = openAF();
    s.source = Source::Header;
    s.view(Source::Header) = tooltest::insertedView();
    s.view(Source::List) = tooltest::browsed();
    EXPECT_EQ(effectiveSource(s), Source::Header);
    EXPECT_TRUE(isBeingEdited(s));

    s.view(Source::Header) = tooltest::closedView();
    EXPECT_EQ(effectiveSource(s), Source::List);
    EXPECT_TRUE(isBrowse(s));
    EXPECT_TRUE(isNotEmpty(s));

    // Only the header hands over: a closed item dataset stays the triggering one.
    s.source = Source::Items;
    s.view(Source::Items) = tooltest::closedView();
    EXPECT_EQ(effectiveSource(s), Source::Items);
}

TEST(ToolTerms, BuildTermsGathersEveryTerm) {
    ToolSnapshot s = openAF();
    ToolTerms all{true, true, false, true, true, true, true, true, true, true, true, true};
    EXPECT_EQ(buildTerms(s), all);

    s.row.IDBAIXAAF = "3";
    s.row.IDBAIXAFSAI = "2";
    s.row.CDFILDESTCON = "0002";
    s.row.IDITMSEPARADO = "S";
    s.row.IDAFEXPIRADA = "S";
    s.row.IDTIPOLANCAF = "A";
    s.permissions.ALAF = false;
    s.readOnlyGroup = true;
    s.confirmed = false;
    s.view(Source::List) = tooltest::editedView();
    ToolTerms none{false, true, true, false, false, false, false, false, false, false, false, false};
    EXPECT_EQ(buildTerms(s), none);
}

TEST(ToolSnapshotReaders, ReadTheListRowAndDatasetState) {
    host::Dataset list;
    for (const char* name : {"IDBAIXAAF", "IDBAIXAFSAI", "CDFILDESTCON", "IDITMSEPARADO", "IDAFEXPIRADA",
                             "IDTIPOLANCAF", "IDAFPRODWEB", "IDAFOPERLOG", "IDSITUATUAAF", "IDAFFORALIM", "CDGERENTE"})
        list.addField(host::FieldDef::string(QLatin1String(name), 12));
    EXPECT_EQ(viewOf(list).state, host::DatasetState::Inactive);
    EXPECT_TRUE(rowCodesOf(list).IDBAIXAAF.isEmpty());

    list.createDataset();
    EXPECT_TRUE(viewOf(list).browsing());
    EXPECT_TRUE(viewOf(list).empty);

    list.append();
    list.field("IDBAIXAAF").setAsString("3");
    list.field("CDFILDESTCON").setAsString("0004");
    list.field("IDTIPOLANCAF").setAsString("A");
    list.field("CDGERENTE").setAsString("GER");
    EXPECT_TRUE(viewOf(list).inserting());
    list.post();
    const AfRowCodes row = rowCodesOf(list);
    EXPECT_EQ(row.IDBAIXAAF, "3");
    EXPECT_EQ(row.CDFILDESTCON, "0004");
    EXPECT_EQ(row.IDTIPOLANCAF, "A");
    EXPECT_EQ(row.CDGERENTE, "GER");
    EXPECT_TRUE(row.IDITMSEPARADO.isEmpty());
    EXPECT_FALSE(viewOf(list).empty);
}

}  // namespace
}  // namespace afdesk
