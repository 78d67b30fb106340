#include "dataset.h"
#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

#include <QtCore/QCborValue>

using namespace host;

namespace {

DateTime day(int y, int m, int d, int h = 0, int min = 0) { return DateTime::fromDate(QDate(y, m, d), QTime(h, min)); }

// A small item table as the screens define them.
struct Items {
    Dataset ds{QStringLiteral("cdsItens")};
    Items() {
        ds.addField(FieldDef::string("CDPRODUTO", 10, "Produto")).setRequired(true);
        ds.addField(FieldDef::string("DSPRODUTO", 40, "Descrição"));
        ds.addField(FieldDef::floating("QTDE", "Qtde", "###,##0.000"));
        ds.addField(FieldDef::floating("VRUNIT", "Preço", "#,##0.00"));
        ds.addField(FieldDef::dateTime("DTENTREGA", "Entrega"));
        ds.addField(FieldDef::integer("NRSEQ", "Seq."));
        ds.addField(FieldDef::string("IDCHECK", 1));
        ds.createDataset();
    }
    void add(const QString& code, const QString& desc, double qt, double price, std::optional<DateTime> date = {},
             qint64 seq = 0) {
        ds.append();
        ds.field("CDPRODUTO").setAsString(code);
        ds.field("DSPRODUTO").setAsString(desc);
        ds.field("QTDE").setAsFloat(qt);
        ds.field("VRUNIT").setAsFloat(price);
        if (date) ds.field("DTENTREGA").setAsDateTime(*date);
        if (seq) ds.field("NRSEQ").setAsInteger(seq);
        ds.post();
    }
    // Three rows, log merged: the state a screen has after loading from the server.
    void standard() {
        add("P1", "Parafuso", 10, 1.5, day(2026, 12, 9), 1);
        add("P2", "porca", 5, 0.25, std::nullopt, 2);
        add("P3", "Arruela", 7, 0.1, day(2026, 12, 10, 14, 30), 3);
        ds.mergeChangeLog();
        ds.first();
    }
    QStringList codes() {
        QStringList out;
        const Bookmark b = ds.bookmark();
        ds.disableControls();
        for (ds.first(); !ds.eof(); ds.next()) out << ds.field("CDPRODUTO").asString();
        if (ds.bookmarkValid(b)) ds.gotoBookmark(b);
        ds.enableControls();
        return out;
    }
};

// Everything an abandoned operation must leave as it was.
struct Observed {
    DatasetState state;
    int recNo, recordCount, changeCount;
    QStringList codes;
    QByteArray data;
    bool operator==(const Observed&) const = default;
};

Observed observe(Items& t) {
    // Reads without moving the cursor: valueAt over the view.
    QStringList codes;
    for (int i = 0; i < t.ds.recordCount(); ++i) {
        const Value& v = t.ds.valueAt(i, 0);
        codes << (isNull(v) ? QString("<null>") : std::get<QString>(v));
    }
    return {t.ds.state(), t.ds.recNo(), t.ds.recordCount(), t.ds.changeCount(), codes, t.ds.data()};
}

}  // namespace

// ------------------------------------------------------------------ field values

TEST(DatasetFields, TypedConversionsBothWays) {
    Items t;
    t.ds.append();
    auto& qt = t.ds.field("QTDE");
    qt.setAsString("1.234,5");
    EXPECT_DOUBLE_EQ(qt.asFloat(), 1234.5);
    EXPECT_EQ(qt.asInteger(), 1235);  // rounds half away from zero
    EXPECT_EQ(qt.asString(), "1234,5");
    EXPECT_EQ(qt.displayText(), "1.234,500");
    auto& seq = t.ds.field("NRSEQ");
    seq.setAsFloat(2.5);
    EXPECT_EQ(seq.asInteger(), 3);
    seq.setAsString("42");
    EXPECT_EQ(seq.asInteger(), 42);
    EXPECT_DOUBLE_EQ(seq.asFloat(), 42.0);
    auto& dt = t.ds.field("DTENTREGA");
    dt.setAsString("09/12/2026");
    EXPECT_EQ(dt.asDateTime(), day(2026, 12, 9));
    EXPECT_EQ(dt.asString(), "09/12/2026");
    dt.setAsDateTime(day(2026, 12, 9, 8, 5));
    EXPECT_EQ(dt.asString(), "09/12/2026 08:05:00");
    EXPECT_EQ(dt.asVariant().toDateTime().time(), QTime(8, 5));
}

TEST(DatasetFields, NullReadsAsEmptyValues) {
    Items t;
    t.ds.append();
    for (Field* f : t.ds.fields()) {
        EXPECT_TRUE(f->isNull()) << f->name().toStdString();
        EXPECT_EQ(f->asString(), "");
        EXPECT_EQ(f->displayText(), "");
    }
    EXPECT_EQ(t.ds.field("QTDE").asFloat(), 0.0);
    EXPECT_EQ(t.ds.field("DTENTREGA").asDateTime(), day(1899, 12, 30));
    t.ds.field("DSPRODUTO").setAsString("x");
    t.ds.field("DSPRODUTO").setAsString("");  // an empty text is a null
    EXPECT_TRUE(t.ds.field("DSPRODUTO").isNull());
    t.ds.field("QTDE").setAsFloat(3);
    t.ds.field("QTDE").clear();
    EXPECT_TRUE(t.ds.field("QTDE").isNull());
}

TEST(DatasetFields, RefusesWhatDoesNotFitNamingTheField) {
    struct Case {
        const char* field;
        QString text;
        const char* fragment;
    } cases[] = {
        {"DSPRODUTO", QString(41, u'x'), "Descrição"},
        {"CDPRODUTO", "12345678901", "máximo é 10"},
        {"QTDE", "abc", "não é um número válido para \"Qtde\""},
        {"NRSEQ", "1,5", "não é um número inteiro válido"},
        {"DTENTREGA", "31/02/2026", "não é uma data válida para \"Entrega\""},
    };
    for (const auto& c : cases) {
        Items t;
        t.ds.append();
        t.ds.field("CDPRODUTO").setAsString("KEEP");
        Field& f = t.ds.field(c.field);
        const Value before = f.value();
        try {
            f.setText(c.text);
            ADD_FAILURE() << c.field << " accepted " << c.text.toStdString();
        } catch (const FieldError& e) {
            EXPECT_EQ(e.fieldName(), c.field);
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.fragment))) << e.message().toStdString();
        }
        EXPECT_EQ(f.value(), before) << c.field;  // never truncated nor half-set
        EXPECT_EQ(t.ds.state(), DatasetState::Insert);
    }
}

TEST(DatasetFields, FixedLengthPadsAndReadOnlyRefusesUserText) {
    Dataset ds("cds");
    FieldDef code = FieldDef::string("CDFILIAL", 4);
    code.fixedLength = true;
    ds.addField(code);
    ds.addField(FieldDef::string("NMFILIAL", 30)).setReadOnly(true);
    ds.createDataset();
    ds.append();
    ds.field("CDFILIAL").setAsString("1");
    EXPECT_EQ(ds.field("CDFILIAL").asString(), "1   ");
    EXPECT_THROW(ds.field("NMFILIAL").setText("x"), FieldError);
    ds.field("NMFILIAL").setAsString("set by code");  // code may still fill it
    EXPECT_EQ(ds.field("NMFILIAL").asString(), "set by code");
}

TEST(DatasetFields, OldValueIsTheRowBeforeTheEdit) {
    Items t;
    t.standard();
    t.ds.edit();
    t.ds.field("QTDE").setAsFloat(99);
    EXPECT_EQ(t.ds.field("QTDE").oldValue(), Value(10.0));
    EXPECT_EQ(t.ds.field("QTDE").newValue(), Value(99.0));
    t.ds.post();
    t.ds.append();
    EXPECT_TRUE(isNull(t.ds.field("QTDE").oldValue()));
}

TEST(DatasetFields, ValidateRefusesAndChangeRuns) {
    Items t;
    t.standard();
    QStringList seen;
    t.ds.field("QTDE").onValidate = [&](Field& f) {
        seen << "validate " + f.asString();
        if (f.asFloat() < 0) throw UserError("Quantidade negativa.");
    };
    t.ds.field("QTDE").onChange = [&](Field& f) { seen << "change " + f.asString(); };
    t.ds.edit();
    EXPECT_THROW(t.ds.field("QTDE").setAsFloat(-1), UserError);
    EXPECT_EQ(t.ds.field("QTDE").asFloat(), 10.0);
    t.ds.field("QTDE").setAsFloat(4);
    EXPECT_EQ(seen, (QStringList{"validate -1", "validate 4", "change 4"}));
}

TEST(DatasetFields, GetTextAndSetTextHandlers) {
    Items t;
    t.standard();
    t.ds.field("IDCHECK").onGetText = [](const Field& f, bool) { return f.asString() == "C" ? QString("Sim") : QString("Não"); };
    t.ds.field("IDCHECK").onSetText = [](Field& f, const QString& text) { f.setAsString(text == "Sim" ? "C" : "U"); };
    t.ds.edit();
    t.ds.field("IDCHECK").setText("Sim");
    EXPECT_EQ(t.ds.field("IDCHECK").asString(), "C");
    EXPECT_EQ(t.ds.field("IDCHECK").displayText(), "Sim");
    t.ds.post();
    EXPECT_EQ(t.ds.displayTextAt(1, t.ds.field("IDCHECK").index()), "Não");  // another row, same handler
}

TEST(DatasetFields, WritingOutsideEditIsAClearError) {
    Items t;
    t.standard();
    EXPECT_THROW(t.ds.field("QTDE").setAsFloat(1), DataError);
    EXPECT_THROW(t.ds.field("NOPE"), DataError);
    EXPECT_EQ(t.ds.findField("nope"), nullptr);
    EXPECT_EQ(&t.ds.field("qtde"), &t.ds.field("QTDE"));  // case-insensitive
}

// ------------------------------------------------------------------ cursor

TEST(DatasetCursor, WalksAndReportsEnds) {
    Items t;
    EXPECT_TRUE(t.ds.isEmpty());
    EXPECT_TRUE(t.ds.bof());
    EXPECT_TRUE(t.ds.eof());
    EXPECT_EQ(t.ds.recNo(), 0);
    t.standard();
    EXPECT_EQ(t.ds.recordCount(), 3);
    EXPECT_TRUE(t.ds.bof());
    EXPECT_FALSE(t.ds.eof());
    EXPECT_TRUE(t.ds.next());
    EXPECT_EQ(t.ds.recNo(), 2);
    EXPECT_FALSE(t.ds.bof());
    EXPECT_EQ(t.ds.moveBy(5), 1);
    EXPECT_TRUE(t.ds.eof());
    EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), "P3");
    EXPECT_FALSE(t.ds.next());
    EXPECT_EQ(t.ds.moveBy(-10), -2);
    EXPECT_TRUE(t.ds.bof());
    EXPECT_FALSE(t.ds.prior());
    t.ds.last();
    EXPECT_TRUE(t.ds.eof());
    t.ds.setRecNo(2);
    EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), "P2");
}

TEST(DatasetCursor, BookmarksFollowRowsNotPositions) {
    Items t;
    t.standard();
    t.ds.setRecNo(2);
    const Bookmark p2 = t.ds.bookmark();
    t.ds.first();
    t.ds.insert();  // a new row before P1 shifts every position
    t.ds.field("CDPRODUTO").setAsString("P0");
    t.ds.post();
    t.ds.gotoBookmark(p2);
    EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), "P2");
    t.ds.setIndexFieldNames("DSPRODUTO");  // sorting moves it again
    t.ds.gotoBookmark(p2);
    EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), "P2");
    t.ds.setFilter("[CDPRODUTO] <> 'P2'");
    t.ds.setFiltered(true);
    EXPECT_FALSE(t.ds.bookmarkValid(p2));  // hidden rows cannot be reached
    EXPECT_THROW(t.ds.gotoBookmark(p2), DataError);
    t.ds.setFiltered(false);
    EXPECT_TRUE(t.ds.bookmarkValid(p2));
    t.ds.gotoBookmark(p2);
    t.ds.deleteRecord();
    EXPECT_FALSE(t.ds.bookmarkValid(p2));
    t.ds.cancelUpdates();  // the delete is undone: the same row is back
    EXPECT_TRUE(t.ds.bookmarkValid(p2));
    t.ds.gotoBookmark(p2);
    EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), "P2");
}

// ------------------------------------------------------------------ operations and events

TEST(DatasetEvents, OrderOfEventsPerOperation) {
    Items t;
    t.standard();
    QStringList log;
    auto rec = [&log](const char* name) { return [&log, name](Dataset&) { log << name; }; };
    t.ds.beforeInsert.add(rec("beforeInsert"));
    t.ds.afterInsert.add(rec("afterInsert"));
    t.ds.beforeEdit.add(rec("beforeEdit"));
    t.ds.afterEdit.add(rec("afterEdit"));
    t.ds.beforePost.add(rec("beforePost"));
    t.ds.afterPost.add(rec("afterPost"));
    t.ds.beforeCancel.add(rec("beforeCancel"));
    t.ds.afterCancel.add(rec("afterCancel"));
    t.ds.beforeDelete.add(rec("beforeDelete"));
    t.ds.afterDelete.add(rec("afterDelete"));
    t.ds.beforeScroll.add(rec("beforeScroll"));
    t.ds.afterScroll.add(rec("afterScroll"));
    t.ds.onNewRecord.add([&log](Dataset& d) {
        log << "newRecord";
        d.field("QTDE").setAsFloat(1);  // defaults of a new row
    });
    struct Step {
        std::function<void()> run;
        QStringList expected;
    } steps[] = {
        {[&] { t.ds.append(); }, {"beforeInsert", "beforeScroll", "newRecord", "afterInsert", "afterScroll"}},
        {[&] { t.ds.field("CDPRODUTO").setAsString("P9"); t.ds.post(); }, {"beforePost", "afterPost"}},
        {[&] { t.ds.edit(); t.ds.cancel(); }, {"beforeEdit", "afterEdit", "beforeCancel", "afterCancel"}},
        {[&] { t.ds.deleteRecord(); }, {"beforeDelete", "beforeScroll", "afterDelete", "afterScroll"}},
        {[&] { t.ds.next(); }, {"beforeScroll"}},  // already at the end: nothing moved
        {[&] { t.ds.first(); }, {"beforeScroll", "afterScroll"}},
        // Scrolling out of a modified edit posts it first.
        {[&] { t.ds.edit(); t.ds.field("QTDE").setAsFloat(2); t.ds.next(); },
         {"beforeEdit", "afterEdit", "beforePost", "afterPost", "beforeScroll", "afterScroll"}},
    };
    for (auto& s : steps) {
        log.clear();
        s.run();
        EXPECT_EQ(log, s.expected);
    }
    EXPECT_EQ(t.ds.field("QTDE").asFloat(), 5);
    t.ds.first();
    EXPECT_EQ(t.ds.field("QTDE").asFloat(), 2);
}

TEST(DatasetEvents, ThrowingBeforeHandlerLeavesEverythingAsItWas) {
    struct Case {
        const char* name;
        std::function<void(Items&)> arm;     // installs the throwing handler
        std::function<void(Items&)> prepare;  // puts the dataset in the state the operation needs
        std::function<void(Items&)> act;
    } cases[] = {
        {"beforeInsert", [](Items& t) { t.ds.beforeInsert.add([](Dataset&) { throw Abort(); }); }, {}, [](Items& t) { t.ds.insert(); }},
        {"onNewRecord", [](Items& t) { t.ds.onNewRecord.add([](Dataset& d) { d.field("QTDE").setAsFloat(1); throw UserError("x"); }); }, {}, [](Items& t) { t.ds.append(); }},
        {"beforeEdit", [](Items& t) { t.ds.beforeEdit.add([](Dataset&) { throw Abort(); }); }, {}, [](Items& t) { t.ds.edit(); }},
        {"beforeDelete", [](Items& t) { t.ds.beforeDelete.add([](Dataset&) { throw UserError("Confirma exclusão?"); }); }, {}, [](Items& t) { t.ds.deleteRecord(); }},
        {"beforeScroll", [](Items& t) { t.ds.beforeScroll.add([](Dataset&) { throw Abort(); }); }, {}, [](Items& t) { t.ds.next(); }},
        {"beforeScroll on locate", [](Items& t) { t.ds.beforeScroll.add([](Dataset&) { throw Abort(); }); }, {}, [](Items& t) { t.ds.locate("CDPRODUTO", "P3"); }},
        {"beforePost", [](Items& t) { t.ds.beforePost.add([](Dataset&) { throw UserError("Preço inválido."); }); },
         [](Items& t) { t.ds.edit(); t.ds.field("VRUNIT").setAsFloat(9); }, [](Items& t) { t.ds.post(); }},
        {"required field", {}, [](Items& t) { t.ds.append(); t.ds.field("QTDE").setAsFloat(1); }, [](Items& t) { t.ds.post(); }},
        {"beforeCancel", [](Items& t) { t.ds.beforeCancel.add([](Dataset&) { throw Abort(); }); },
         [](Items& t) { t.ds.insert(); t.ds.field("CDPRODUTO").setAsString("NEW"); }, [](Items& t) { t.ds.cancel(); }},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        Items t;
        t.standard();
        t.ds.setRecNo(2);
        if (c.prepare) c.prepare(t);
        if (c.arm) c.arm(t);
        const Observed before = observe(t);
        const QString fieldBefore = t.ds.field("CDPRODUTO").asString();
        const double priceBefore = t.ds.field("VRUNIT").asFloat();
        EXPECT_ANY_THROW(c.act(t));
        EXPECT_EQ(observe(t), before);
        EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), fieldBefore);
        EXPECT_EQ(t.ds.field("VRUNIT").asFloat(), priceBefore);
    }
}

TEST(DatasetEvents, RequiredFieldErrorNamesTheField) {
    Items t;
    t.ds.append();
    try {
        t.ds.post();
        FAIL() << "posted a row without its required field";
    } catch (const FieldError& e) {
        EXPECT_EQ(e.fieldName(), "CDPRODUTO");
        EXPECT_EQ(e.message(), "O campo \"Produto\" deve ser preenchido.");
    }
    EXPECT_EQ(t.ds.state(), DatasetState::Insert);  // the user's edit stays open
}

TEST(DatasetEvents, PostingAnUntouchedEditLogsNothing) {
    Items t;
    t.standard();
    t.ds.edit();
    t.ds.post();
    EXPECT_EQ(t.ds.changeCount(), 0);
    t.ds.edit();
    t.ds.field("QTDE").setAsFloat(10);  // the same value
    t.ds.post();
    EXPECT_EQ(t.ds.changeCount(), 0);
}

TEST(DatasetEvents, EditOnEmptyDatasetStartsAnInsertAndDeleteOnEmptyIsRefused) {
    Items t;
    EXPECT_THROW(t.ds.deleteRecord(), DataError);
    t.ds.edit();
    EXPECT_EQ(t.ds.state(), DatasetState::Insert);
    t.ds.cancel();
    EXPECT_TRUE(t.ds.isEmpty());
}

TEST(DatasetEvents, CancelOfInsertReturnsToThePreviousRow) {
    Items t;
    t.standard();
    t.ds.setRecNo(3);
    t.ds.insert();
    EXPECT_EQ(t.ds.recNo(), 3);
    EXPECT_EQ(t.ds.recordCount(), 4);
    t.ds.cancel();
    EXPECT_EQ(t.ds.recordCount(), 3);
    EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), "P3");
}

TEST(DatasetEvents, InsertGoesBeforeTheCurrentRowAppendAtTheEnd) {
    Items t;
    t.standard();
    t.ds.setRecNo(2);
    t.ds.insert();
    t.ds.field("CDPRODUTO").setAsString("PX");
    t.ds.post();
    t.ds.append();
    t.ds.field("CDPRODUTO").setAsString("PZ");
    t.ds.post();
    EXPECT_EQ(t.codes(), (QStringList{"P1", "PX", "P2", "P3", "PZ"}));
    // The natural order survives a round trip through a packet.
    Items copy;
    copy.ds.setData(t.ds.data());
    EXPECT_EQ(copy.codes(), t.codes());
}

TEST(DatasetNotifications, ListenersAndNestedDisable) {
    Items t;
    t.standard();
    std::vector<DataEvent::Kind> a, b;
    const int ida = t.ds.addListener([&](const DataEvent& e) { a.push_back(e.kind); });
    t.ds.addListener([&](const DataEvent& e) { b.push_back(e.kind); });
    t.ds.next();
    EXPECT_EQ(a, std::vector<DataEvent::Kind>{DataEvent::Scrolled});
    t.ds.edit();
    t.ds.field("QTDE").setAsFloat(3);
    EXPECT_EQ(a.back(), DataEvent::RecordChanged);
    t.ds.post();
    a.clear();
    t.ds.disableControls();
    t.ds.disableControls();
    t.ds.first();
    t.ds.next();
    t.ds.enableControls();
    EXPECT_TRUE(a.empty());
    t.ds.enableControls();
    EXPECT_EQ(a, std::vector<DataEvent::Kind>{DataEvent::DataSetChanged});
    t.ds.removeListener(ida);
    a.clear();
    t.ds.first();
    EXPECT_TRUE(a.empty());
    EXPECT_EQ(b.back(), DataEvent::Scrolled);
}

// ------------------------------------------------------------------ locate

TEST(DatasetLocate, TableOfSearches) {
    struct Case {
        QString fields;
        QVariantList values;
        LocateOptions options;
        QString expected;  // product found, or empty when not found
    } cases[] = {
        {"CDPRODUTO", {"P2"}, {}, "P2"},
        {"cdproduto", {"p2"}, {}, ""},
        {"cdproduto", {"p2"}, {true, false}, "P2"},
        {"DSPRODUTO", {"Arr"}, {false, true}, "P3"},
        {"DSPRODUTO", {"arr"}, {true, true}, "P3"},
        {"DSPRODUTO", {"Arr"}, {}, ""},
        {"CDPRODUTO;QTDE", {"P3", 7}, {}, "P3"},
        {"CDPRODUTO;QTDE", {"P3", 8}, {}, ""},
        {"QTDE", {"5"}, {}, "P2"},  // text converted to the field's type
        {"DTENTREGA", {QVariant()}, {}, "P2"},  // null finds the null
        {"DTENTREGA", {QDate(2026, 12, 9)}, {}, "P1"},
        {"NRSEQ", {3.0}, {}, "P3"},
        {"QTDE", {"abc"}, {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields.toStdString() + " " + c.values.first().toString().toStdString());
        Items t;
        t.standard();
        t.ds.setRecNo(1);
        const bool found = t.ds.locate(c.fields, c.values, c.options);
        EXPECT_EQ(found, !c.expected.isEmpty());
        EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), found ? c.expected : QString("P1"));
    }
}

// ------------------------------------------------------------------ filters and index

TEST(DatasetFilter, TextFiltersWithNullsAndDates) {
    struct Case {
        QString filter;
        QStringList expected;
    } cases[] = {
        {"[DTENTREGA]= NULL", {"P2"}},
        {"[DTENTREGA] <> NULL", {"P1", "P3"}},
        {"[DTENTREGA]= '09/12/2026'", {"P1"}},
        {"[DTENTREGA] >= '10/12/2026'", {"P3"}},
        {"[DTENTREGA]= '10/12/2026 14:30'", {"P3"}},
        {"[CDPRODUTO]= 'P1' or [QTDE] < 6", {"P1", "P2"}},
        {"not ([CDPRODUTO]= 'P1') and [VRUNIT] > 0,2", {"P2"}},
        {"[IDCHECK]= NULL", {"P1", "P2", "P3"}},
        {"[IDCHECK]= ''", {"P1", "P2", "P3"}},
        {"[NRSEQ] >= 2 and [NRSEQ] <= 3", {"P2", "P3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter.toStdString());
        Items t;
        t.standard();
        t.ds.setFilter(c.filter);
        t.ds.setFiltered(true);
        EXPECT_EQ(t.codes(), c.expected);
        EXPECT_EQ(t.ds.recordCount(), c.expected.size());
    }
}

TEST(DatasetFilter, BadTextIsRefusedWhenSetAndKeepsThePreviousFilter) {
    Items t;
    t.standard();
    t.ds.setFilter("[CDPRODUTO]= 'P1'");
    t.ds.setFiltered(true);
    EXPECT_THROW(t.ds.setFilter("[CDPRODUTO]= 'P1' and"), UserError);
    EXPECT_THROW(t.ds.setFilter("[NAOEXISTE]= 1"), UserError);
    EXPECT_EQ(t.ds.filter(), "[CDPRODUTO]= 'P1'");
    EXPECT_EQ(t.codes(), QStringList{"P1"});
}

TEST(DatasetFilter, CallbackSeesTheCandidateRowAndPostedRowsLeaveTheView) {
    Items t;
    t.standard();
    t.ds.setFilterCallback([](Dataset& d) { return d.field("QTDE").asFloat() > 6; });
    t.ds.setFiltered(true);
    EXPECT_EQ(t.codes(), (QStringList{"P1", "P3"}));
    t.ds.first();
    t.ds.edit();
    t.ds.field("QTDE").setAsFloat(1);
    t.ds.post();  // no longer passes: the cursor shows the next row
    EXPECT_EQ(t.codes(), QStringList{"P3"});
    EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), "P3");
    t.ds.setFiltered(false);
    EXPECT_EQ(t.ds.recordCount(), 3);
    EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), "P3");  // switching off keeps the row
}

TEST(DatasetIndex, SortsTheVisibleOrderAndRepositionsPostedRows) {
    Items t;
    t.standard();
    t.ds.setIndexFieldNames("DSPRODUTO");
    EXPECT_EQ(t.codes(), (QStringList{"P3", "P1", "P2"}));  // Arruela, Parafuso, porca: case ignored
    t.ds.setIndexFieldNames("DTENTREGA;CDPRODUTO");
    EXPECT_EQ(t.codes(), (QStringList{"P2", "P1", "P3"}));  // null first
    t.ds.append();
    t.ds.field("CDPRODUTO").setAsString("P0");
    t.ds.field("DTENTREGA").setAsDateTime(day(2026, 12, 9));
    t.ds.post();
    EXPECT_EQ(t.codes(), (QStringList{"P2", "P0", "P1", "P3"}));
    EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), "P0");
    EXPECT_THROW(t.ds.setIndexFieldNames("NAOEXISTE"), DataError);
    t.ds.setIndexFieldNames("");
    EXPECT_EQ(t.codes(), (QStringList{"P1", "P2", "P3", "P0"}));
}

// ------------------------------------------------------------------ calculated fields

TEST(DatasetCalc, ComputedOnLoadEditAndPostButNeverShipped) {
    Dataset ds("cdsItem");
    ds.addField(FieldDef::floating("QT"));
    ds.addField(FieldDef::floating("VR"));
    ds.addField(FieldDef::floating("TOTAL").asCalculated());
    int calls = 0;
    const auto calc = [&](Dataset& d) {
        ++calls;
        if (d.tag() == 99) return;  // busy marker: bulk work skips the arithmetic
        d.field("TOTAL").setAsFloat(d.field("QT").asFloat() * d.field("VR").asFloat());
    };
    ds.onCalcFields.add(calc);
    ds.createDataset();
    ds.append();
    ds.field("QT").setAsFloat(3);
    ds.field("VR").setAsFloat(2.5);
    EXPECT_EQ(ds.field("TOTAL").asFloat(), 7.5);  // recomputed while editing
    EXPECT_THROW(ds.field("TOTAL").setAsFloat(1), DataError);  // only the handler sets it
    ds.field("QT").setAsFloat(1);
    ds.post();
    EXPECT_EQ(ds.field("TOTAL").asFloat(), 2.5);
    const QByteArray packet = ds.data();
    const Packet decoded = decodePacket(packet);
    ASSERT_EQ(decoded.fields.size(), 2u);
    Dataset copy("cdsCopia");
    copy.addField(FieldDef::floating("QT"));
    copy.addField(FieldDef::floating("VR"));
    copy.addField(FieldDef::floating("TOTAL").asCalculated());
    copy.onCalcFields.add(calc);
    copy.setData(packet);
    EXPECT_EQ(copy.field("TOTAL").asFloat(), 2.5);
    ds.setTag(99);
    ds.edit();
    ds.field("QT").setAsFloat(4);
    EXPECT_TRUE(ds.field("TOTAL").isNull());  // handler skipped under the marker
    ds.cancel();
    ds.setTag(0);
    ds.autoCalcFields = false;
    const int before = calls;
    ds.edit();
    ds.field("QT").setAsFloat(5);
    ds.post();
    EXPECT_EQ(calls, before);
}

// ------------------------------------------------------------------ change log

TEST(DatasetChangeLog, DeltaShowsEachKindAndChangesToNull) {
    Items t;
    t.standard();
    t.ds.setRecNo(2);
    t.ds.edit();
    t.ds.field("DSPRODUTO").clear();  // to null
    t.ds.field("QTDE").setAsFloat(6);
    t.ds.post();
    t.ds.setRecNo(3);
    t.ds.deleteRecord();
    t.ds.append();
    t.ds.field("CDPRODUTO").setAsString("P4");
    t.ds.post();
    EXPECT_EQ(t.ds.changeCount(), 3);

    const Packet d = decodePacket(t.ds.delta());
    EXPECT_EQ(d.kind, PacketKind::Delta);
    ASSERT_EQ(d.rows.size(), 3u);
    // In the order the changes were made.
    EXPECT_EQ(d.rows[0].state, RowState::Modified);
    EXPECT_EQ(d.rows[0].changed, (std::vector<int>{1, 2}));
    EXPECT_TRUE(isNull(d.rows[0].values[1]));
    EXPECT_EQ(d.rows[0].original[1], Value(QString("porca")));
    EXPECT_EQ(d.rows[0].values[2], Value(6.0));
    EXPECT_EQ(d.rows[0].original[2], Value(5.0));
    EXPECT_EQ(d.rows[0].values[0], Value(QString("P2")));  // unchanged fields still carried
    EXPECT_EQ(d.rows[1].state, RowState::Deleted);
    EXPECT_EQ(d.rows[1].original[0], Value(QString("P3")));
    EXPECT_EQ(d.rows[2].state, RowState::Inserted);
    EXPECT_EQ(d.rows[2].values[0], Value(QString("P4")));
}

TEST(DatasetChangeLog, NetEffectPerRow) {
    Items t;
    t.standard();
    t.ds.append();  // inserted then deleted: never existed for the server
    t.ds.field("CDPRODUTO").setAsString("TMP");
    t.ds.post();
    t.ds.deleteRecord();
    EXPECT_EQ(t.ds.changeCount(), 0);
    t.ds.first();  // edited twice: one modification with the first original
    t.ds.edit();
    t.ds.field("QTDE").setAsFloat(11);
    t.ds.post();
    t.ds.edit();
    t.ds.field("QTDE").setAsFloat(12);
    t.ds.post();
    EXPECT_EQ(t.ds.changeCount(), 1);
    EXPECT_EQ(decodePacket(t.ds.delta()).rows[0].original[2], Value(10.0));
    t.ds.edit();  // edited back: nothing pending
    t.ds.field("QTDE").setAsFloat(10);
    t.ds.post();
    EXPECT_EQ(t.ds.changeCount(), 0);
    EXPECT_TRUE(decodePacket(t.ds.delta()).rows.empty());
    t.ds.edit();  // modified then deleted: a delete with the original values
    t.ds.field("QTDE").setAsFloat(1);
    t.ds.post();
    t.ds.deleteRecord();
    const Packet d = decodePacket(t.ds.delta());
    ASSERT_EQ(d.rows.size(), 1u);
    EXPECT_EQ(d.rows[0].state, RowState::Deleted);
    EXPECT_EQ(d.rows[0].original[2], Value(10.0));
}

TEST(DatasetChangeLog, CancelUpdatesRestoresTheOriginalRowsAfterAnyMix) {
    using Op = std::function<void(Items&)>;
    const Op editFirst = [](Items& t) { t.ds.first(); t.ds.edit(); t.ds.field("QTDE").setAsFloat(99); t.ds.post(); };
    const Op deleteSecond = [](Items& t) { t.ds.setRecNo(2); t.ds.deleteRecord(); };
    const Op insertMiddle = [](Items& t) { t.ds.setRecNo(2); t.ds.insert(); t.ds.field("CDPRODUTO").setAsString("N1"); t.ds.post(); };
    const Op appendOne = [](Items& t) { t.ds.append(); t.ds.field("CDPRODUTO").setAsString("N2"); t.ds.post(); };
    const Op editInserted = [](Items& t) { t.ds.last(); t.ds.edit(); t.ds.field("DSPRODUTO").setAsString("x"); t.ds.post(); };
    const Op openEdit = [](Items& t) { t.ds.first(); t.ds.edit(); t.ds.field("DSPRODUTO").setAsString("pending"); };
    const std::vector<std::vector<Op>> mixes = {
        {editFirst},
        {deleteSecond},
        {insertMiddle, appendOne},
        {editFirst, deleteSecond, insertMiddle},
        {appendOne, editInserted, deleteSecond, editFirst},
        {deleteSecond, deleteSecond, deleteSecond},
        {insertMiddle, editFirst, openEdit},
    };
    for (size_t i = 0; i < mixes.size(); ++i) {
        SCOPED_TRACE(i);
        Items t;
        t.standard();
        const QByteArray original = t.ds.data();
        for (const auto& op : mixes[i]) op(t);
        t.ds.cancelUpdates();
        EXPECT_EQ(t.ds.state(), DatasetState::Browse);
        EXPECT_EQ(t.ds.changeCount(), 0);
        EXPECT_EQ(t.ds.data(), original);
        EXPECT_EQ(t.codes(), (QStringList{"P1", "P2", "P3"}));
        EXPECT_GE(t.ds.recNo(), 1);
    }
}

TEST(DatasetChangeLog, CancelUpdatesKeepsTheCursorOnItsRow) {
    Items t;
    t.standard();
    t.ds.first();
    t.ds.deleteRecord();  // P2 is now current
    EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), "P2");
    t.ds.cancelUpdates();
    EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), "P2");
    t.ds.last();
    t.ds.insert();
    t.ds.field("CDPRODUTO").setAsString("N");
    t.ds.post();  // current row is the inserted one, which goes away
    t.ds.cancelUpdates();
    EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), "P3");
}

TEST(DatasetChangeLog, MergeAcceptsEverything) {
    Items t;
    t.standard();
    t.ds.first();
    t.ds.deleteRecord();
    t.ds.edit();
    t.ds.field("QTDE").setAsFloat(1);
    t.ds.post();
    t.ds.mergeChangeLog();
    EXPECT_EQ(t.ds.changeCount(), 0);
    EXPECT_EQ(t.ds.updateStatus(), RowState::Unchanged);
    t.ds.cancelUpdates();  // nothing left to undo
    EXPECT_EQ(t.codes(), (QStringList{"P2", "P3"}));
    EXPECT_EQ(t.ds.field("QTDE").asFloat(), 1);
}

// ------------------------------------------------------------------ packets

TEST(DatasetPacket, WholeContentCarriesTheChangeLog) {
    Items t;
    t.standard();
    t.ds.first();
    t.ds.edit();
    t.ds.field("QTDE").setAsFloat(8);
    t.ds.post();
    t.ds.next();
    t.ds.deleteRecord();
    Items copy;
    copy.ds.setData(t.ds.data());
    EXPECT_EQ(copy.ds.changeCount(), 2);
    EXPECT_EQ(copy.ds.delta(), t.ds.delta());
    EXPECT_EQ(copy.codes(), (QStringList{"P1", "P3"}));
    copy.ds.cancelUpdates();
    EXPECT_EQ(copy.codes(), (QStringList{"P1", "P2", "P3"}));
    copy.ds.first();
    EXPECT_EQ(copy.ds.field("QTDE").asFloat(), 10);
}

TEST(DatasetPacket, ScratchCopyWithoutFieldsTakesThePacketsFields) {
    Items t;
    t.standard();
    Dataset scratch("cdsScratch");
    scratch.setData(t.ds.data());
    EXPECT_EQ(scratch.fieldCount(), t.ds.fieldCount());
    EXPECT_EQ(scratch.field("DSPRODUTO").size(), 40);
    EXPECT_EQ(scratch.field("DSPRODUTO").displayLabel(), "Descrição");
    scratch.last();
    EXPECT_EQ(scratch.field("DTENTREGA").asDateTime(), day(2026, 12, 10, 14, 30));
    scratch.close();
    EXPECT_EQ(scratch.fieldCount(), 0);  // packet fields go with the content
}

TEST(DatasetPacket, ExtraFieldsStayAndMissingOnesAreNull) {
    Dataset server("srv");
    server.addField(FieldDef::string("CDPRODUTO", 10));
    server.addField(FieldDef::string("NMEXTRA", 20));
    server.addField(FieldDef::integer("QTDE"));  // integer on the wire, float in the client
    server.createDataset();
    server.append();
    server.field("CDPRODUTO").setAsString("P1");
    server.field("NMEXTRA").setAsString("extra");
    server.field("QTDE").setAsInteger(4);
    server.post();
    Items t;
    t.ds.setData(server.data());
    ASSERT_NE(t.ds.findField("NMEXTRA"), nullptr);
    EXPECT_FALSE(t.ds.field("NMEXTRA").definedInCode());
    EXPECT_EQ(t.ds.field("NMEXTRA").asString(), "extra");
    EXPECT_EQ(t.ds.field("QTDE").value(), Value(4.0));
    EXPECT_TRUE(t.ds.field("DSPRODUTO").isNull());
    t.ds.edit();
    t.ds.field("NMEXTRA").setAsString("mudou");
    t.ds.post();
    const Packet d = decodePacket(t.ds.delta());
    EXPECT_EQ(d.fields.back().name, "NMEXTRA");
    EXPECT_EQ(d.rows[0].values.back(), Value(QString("mudou")));
}

TEST(DatasetPacket, RefusedPacketsLeaveTheDatasetUnchanged) {
    Items good;
    good.standard();
    const QByteArray valid = good.ds.data();

    Dataset wrongType("x");
    wrongType.addField(FieldDef::dateTime("CDPRODUTO"));
    wrongType.createDataset();
    Dataset tooLong("y");
    tooLong.addField(FieldDef::string("CDPRODUTO", 20));
    tooLong.createDataset();
    tooLong.append();
    tooLong.field("CDPRODUTO").setAsString("MUITO-LONGO-PARA-10");
    tooLong.post();
    Dataset fractional("z");
    fractional.addField(FieldDef::floating("NRSEQ"));
    fractional.createDataset();
    fractional.append();
    fractional.field("NRSEQ").setAsFloat(1.5);
    fractional.post();

    struct Case {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"truncated", valid.left(valid.size() / 2)},
        {"not cbor", QByteArray("garbage")},
        {"empty", QByteArray()},
        {"wrong type", [&] { wrongType.append(); wrongType.field("CDPRODUTO").setAsDateTime(day(2026, 1, 1)); wrongType.post(); return wrongType.data(); }()},
        {"string too long for the field", tooLong.data()},
        {"fraction into an integer field", fractional.data()},
        {"another cbor value", QCborValue(42).toCbor()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Items t;
        t.standard();
        t.ds.setRecNo(2);
        t.ds.edit();
        t.ds.field("QTDE").setAsFloat(3);
        t.ds.post();
        const Observed before = observe(t);
        EXPECT_THROW(t.ds.setData(c.bytes), UserError);
        EXPECT_EQ(observe(t), before);
        EXPECT_EQ(t.ds.field("CDPRODUTO").asString(), "P2");
    }
}

TEST(DatasetPacket, FillingReplacesContentAndStartsAtTheFirstRow) {
    Items a, b;
    a.standard();
    b.add("Z1", "z", 1, 1);
    b.add("Z2", "z", 1, 1);
    int scrolls = 0;
    a.ds.afterScroll.add([&](Dataset&) { ++scrolls; });
    a.ds.last();
    a.ds.edit();  // an open edit is dropped by a fill, as by close
    a.ds.setData(b.ds.data());
    EXPECT_EQ(a.ds.state(), DatasetState::Browse);
    EXPECT_EQ(a.codes(), (QStringList{"Z1", "Z2"}));
    EXPECT_EQ(a.ds.recNo(), 1);
    EXPECT_EQ(a.ds.changeCount(), 2);  // b's rows were never merged
    EXPECT_GE(scrolls, 2);
}

TEST(DatasetPacket, OpeningByAPacketAnnouncesTheStateWithTheRowsInPlace) {
    Items filled;
    filled.standard();
    Items target;
    target.ds.close();
    int seenRows = -1;
    QString seenCode;
    target.ds.addListener([&](const DataEvent& e) {
        if (e.kind != DataEvent::StateChanged) return;
        seenRows = target.ds.recordCount();
        seenCode = target.ds.field("CDPRODUTO").asString();
    });
    target.ds.setData(filled.ds.data());
    EXPECT_EQ(seenRows, 3);
    EXPECT_EQ(seenCode, QStringLiteral("P1"));
}

TEST(DatasetLife, CloseEmptyAndReopen) {
    Items t;
    t.standard();
    t.ds.emptyDataset();
    EXPECT_TRUE(t.ds.isEmpty());
    EXPECT_EQ(t.ds.changeCount(), 0);
    EXPECT_TRUE(t.ds.active());
    t.ds.close();
    EXPECT_EQ(t.ds.state(), DatasetState::Inactive);
    EXPECT_THROW(t.ds.append(), DataError);
    EXPECT_THROW(t.ds.data(), DataError);
    t.ds.createDataset();
    t.add("A", "a", 1, 1);
    EXPECT_EQ(t.ds.recordCount(), 1);
}
