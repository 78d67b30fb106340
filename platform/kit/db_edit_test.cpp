#include <functional>
#include "db_date_edit.h"
#include "db_edit.h"
#include "grid_helpers.h"
#include "kit_fixture.h"

#include <QtWidgets/QApplication>
#include <stdexcept>

using namespace kittest;
using kit::DBEdit;

namespace {

class DBEditTest : public ItemsFormTest {};

TEST_F(DBEditTest, TypingAndLeavingWritesTheFieldInBrazilianFormat) {
    struct Case {
        const char* field;
        const char* typed;
        std::function<void(host::Field&)> check;
        const char* shownAfter;
    } cases[] = {
        {"QTDE", "1.234,5", [](host::Field& f) { EXPECT_DOUBLE_EQ(f.asFloat(), 1234.5); }, "1.234,500"},
        {"VRUNIT", "2,75", [](host::Field& f) { EXPECT_DOUBLE_EQ(f.asFloat(), 2.75); }, "2,75"},
        {"CDPRODUTO", "ABC-9", [](host::Field& f) { EXPECT_EQ(f.asString(), "ABC-9"); }, "ABC-9"},
        {"NRCPF", "12345678909", [](host::Field& f) { EXPECT_EQ(f.asString(), "12345678909"); }, "123.456.789-09"},
    };
    std::vector<DBEdit*> edits;
    for (const Case& c : cases) edits.push_back(form.add(new DBEdit(&items.source, c.field)));
    form.show();
    for (size_t i = 0; i < edits.size(); ++i) {
        focus(edits[i]);
        if (edits[i]->hasMask()) edits[i]->home(false);
        else edits[i]->selectAll();
        type(QString::fromUtf8(cases[i].typed));
        EXPECT_EQ(items.ds.state(), host::DatasetState::Edit) << cases[i].field;
        press(Qt::Key_Tab);
        EXPECT_FALSE(edits[i]->hasFocus()) << cases[i].field;
        cases[i].check(items.ds.field(cases[i].field));
        EXPECT_EQ(edits[i]->text(), QString::fromUtf8(cases[i].shownAfter)) << cases[i].field;
        EXPECT_FALSE(edits[i]->isModified());
    }
    EXPECT_EQ(shown().errors, QStringList());
}

TEST_F(DBEditTest, DateBoxTakesTheTypedDayAndKeepsTheTime) {
    items.ds.edit();
    items.f("DTENTREGA").setAsDateTime(day(2024, 3, 1, 14, 30));
    items.ds.post();
    auto* date = form.add(new kit::DBDateEdit(&items.source, "DTENTREGA"));
    form.show();
    EXPECT_EQ(date->text(), QStringLiteral("01/03/2024"));
    focus(date);
    date->home(false);
    type(QStringLiteral("25122024"));
    press(Qt::Key_Tab);
    EXPECT_EQ(items.f("DTENTREGA").asDateTime(), day(2024, 12, 25, 14, 30));
    EXPECT_EQ(date->text(), QStringLiteral("25/12/2024"));

    // Emptying the box stores null; a partly typed year is refused and kept.
    focus(date);
    date->selectAll();
    press(Qt::Key_Delete);
    press(Qt::Key_Tab);
    EXPECT_TRUE(items.f("DTENTREGA").isNull());
    focus(date);
    date->home(false);
    type(QStringLiteral("010220"));
    press(Qt::Key_Tab);
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("O valor informado para \"Entrega\" está incompleto.")});
    EXPECT_TRUE(date->hasFocus());
    EXPECT_EQ(date->displayText(), QStringLiteral("01/02/20__"));
    EXPECT_TRUE(items.f("DTENTREGA").isNull());
}

TEST_F(DBEditTest, ShowsEditTextWhileFocusedAndDisplayTextOtherwise) {
    items.ds.last();  // VRUNIT 1234.5
    items.f("VRUNIT").setEditFormat(QStringLiteral("0.#####"));
    auto* price = form.add(new DBEdit(&items.source, "VRUNIT"));
    form.show();
    focus(form.other);
    EXPECT_EQ(price->text(), QStringLiteral("1.234,50"));
    EXPECT_EQ(price->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    focus(price);
    EXPECT_EQ(price->text(), QStringLiteral("1234,5"));
    focus(form.other);
    EXPECT_EQ(price->text(), QStringLiteral("1.234,50"));
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);  // looking is not editing
}

TEST_F(DBEditTest, RefusedValueShowsTheErrorOnceKeepsTextAndFocusAndDoesNotLoop) {
    shown().stealFocus = true;  // the error box takes the window's focus like a real one
    items.f("QTDE").onValidate = [](host::Field& f) {
        if (f.asFloat() <= 0) throw host::FieldError(f.name(), QStringLiteral("Quantidade deve ser maior que zero."));
    };
    auto* qty = form.add(new DBEdit(&items.source, "QTDE"));
    auto* price = form.add(new DBEdit(&items.source, "VRUNIT"));
    int priceEntered = 0, priceLeft = 0;
    price->onEnter = [&] { ++priceEntered; };
    price->onExit = [&] { ++priceLeft; };
    form.show();

    struct Case {
        const char* typed;
        const char* error;
    } cases[] = {
        {"0", "Quantidade deve ser maior que zero."},
        {"abc", "\"abc\" não é um número válido para \"Qtde\"."},
    };
    for (const Case& c : cases) {
        shown().errors.clear();
        focus(qty);
        qty->selectAll();
        type(QString::fromUtf8(c.typed));
        press(Qt::Key_Tab);
        for (int i = 0; i < 5; ++i) settle();
        EXPECT_EQ(shown().errors, QStringList{QString::fromUtf8(c.error)}) << c.typed;
        EXPECT_TRUE(qty->hasFocus()) << c.typed;
        EXPECT_EQ(qty->text(), QString::fromUtf8(c.typed));
        EXPECT_TRUE(qty->isModified());
        EXPECT_DOUBLE_EQ(items.f("QTDE").asFloat(), 10.0);
        EXPECT_EQ(priceEntered, 0) << "the control passed on the way back must not run its handlers";
        EXPECT_EQ(priceLeft, 0);
    }

    // Fixed, the user moves on normally.
    qty->selectAll();
    type(QStringLiteral("3"));
    press(Qt::Key_Tab);
    EXPECT_TRUE(price->hasFocus());
    EXPECT_DOUBLE_EQ(items.f("QTDE").asFloat(), 3.0);
    EXPECT_EQ(priceEntered, 1);
}

TEST_F(DBEditTest, TwoControlsThatRefuseToBeLeftDoNotPingPong) {
    shown().stealFocus = true;
    items.f("QTDE").onValidate = [](host::Field& f) {
        if (f.asFloat() <= 0) throw host::FieldError(f.name(), QStringLiteral("Quantidade deve ser maior que zero."));
    };
    auto* qty = form.add(new DBEdit(&items.source, "QTDE"));
    auto* code = form.add(new DBEdit(&items.source, "CDPRODUTO"));
    int codeExits = 0;
    // A screen check that fails whenever the code box is left; bounded so a regression cannot hang the test.
    code->onExit = [&] {
        if (++codeExits > 20) return;
        throw host::UserError(QStringLiteral("Produto deve ser informado."));
    };
    form.show();
    focus(qty);
    qty->selectAll();
    type(QStringLiteral("0"));
    press(Qt::Key_Tab);
    for (int i = 0; i < 5; ++i) settle();
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Quantidade deve ser maior que zero.")});
    EXPECT_EQ(codeExits, 0);
    EXPECT_TRUE(qty->hasFocus());
}

TEST_F(DBEditTest, PostingWithTheFocusStillInTheBoxKeepsTheLastTypedValue) {
    auto* qty = form.add(new DBEdit(&items.source, "QTDE"));
    form.show();

    focus(qty);
    qty->selectAll();
    type(QStringLiteral("42"));
    items.source.post();  // what a toolbar "Confirmar" that never takes the focus does
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);
    EXPECT_DOUBLE_EQ(items.f("QTDE").asFloat(), 42.0);
    EXPECT_TRUE(qty->hasFocus());

    qty->selectAll();
    type(QStringLiteral("43"));
    kit::flushFocusedEditor();
    items.ds.post();
    EXPECT_DOUBLE_EQ(items.f("QTDE").asFloat(), 43.0);
}

TEST_F(DBEditTest, EndingTheEditFromCodeStillWritesTheTypedValue) {
    auto* qty = form.add(new DBEdit(&items.source, "QTDE"));
    form.show();
    struct Ending {
        const char* name;
        std::function<void()> end;
    } endings[] = {
        {"post on the dataset", [&] { items.ds.post(); }},
        {"move on the dataset", [&] { items.ds.last(); }},
        {"post with controls disabled", [&] { items.ds.disableControls(); items.ds.post(); items.ds.enableControls(); }},
    };
    double typed = 50;
    for (const auto& e : endings) {
        SCOPED_TRACE(e.name);
        items.ds.first();
        focus(qty);
        qty->selectAll();
        type(QString::number(++typed));
        e.end();  // neither the data source nor the focus is involved
        EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);
        items.ds.first();
        EXPECT_DOUBLE_EQ(items.f("QTDE").asFloat(), typed);
    }
}

TEST_F(DBEditTest, PostingARefusedTypedValueFailsAndKeepsTheTextInTheBox) {
    items.f("QTDE").onValidate = [](host::Field& f) {
        if (f.asFloat() > 100) throw host::FieldError(f.name(), QStringLiteral("Quantidade acima do limite."));
    };
    auto* qty = form.add(new DBEdit(&items.source, "QTDE"));
    form.show();
    focus(qty);
    qty->selectAll();
    type(QStringLiteral("500"));
    focus(form.other);  // refused on the way out
    ASSERT_TRUE(qty->hasFocus());
    EXPECT_THROW(items.source.post(), host::FieldError);
    EXPECT_EQ(items.ds.state(), host::DatasetState::Edit);
    EXPECT_EQ(qty->text(), QStringLiteral("500"));
    EXPECT_TRUE(qty->hasFocus());
}

TEST_F(DBEditTest, EnterWritesTheValueAndStays) {
    auto* qty = form.add(new DBEdit(&items.source, "QTDE"));
    form.show();
    focus(qty);
    qty->selectAll();
    type(QStringLiteral("8,5"));
    press(Qt::Key_Return);
    EXPECT_DOUBLE_EQ(items.f("QTDE").asFloat(), 8.5);
    EXPECT_TRUE(qty->hasFocus());
    EXPECT_FALSE(qty->isModified());
}

TEST_F(DBEditTest, EscDropsTheTypedText) {
    auto* code = form.add(new DBEdit(&items.source, "CDPRODUTO"));
    form.show();
    focus(code);
    code->selectAll();
    type(QStringLiteral("XYZ"));
    press(Qt::Key_Escape);
    EXPECT_EQ(code->text(), QStringLiteral("P1"));
    EXPECT_FALSE(code->isModified());
    press(Qt::Key_Tab);
    EXPECT_EQ(items.f("CDPRODUTO").asString(), QStringLiteral("P1"));
}

TEST_F(DBEditTest, TypingIsRefusedWhenTheFieldOrTheDatasetSaysNo) {
    auto* code = form.add(new DBEdit(&items.source, "CDPRODUTO"));
    form.show();

    items.f("CDPRODUTO").setReadOnly(true);
    code->setFieldName("CDPRODUTO");  // re-reads the field's rules
    focus(code);
    type(QStringLiteral("Z"));
    EXPECT_EQ(code->text(), QStringLiteral("P1"));
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);
    items.f("CDPRODUTO").setReadOnly(false);
    code->setFieldName("CDPRODUTO");

    items.ds.beforeEdit.add([](host::Dataset&) { throw host::Abort(); });
    focus(code);
    code->end(false);
    type(QStringLiteral("Z"));
    EXPECT_EQ(code->text(), QStringLiteral("P1"));
    EXPECT_EQ(shown().errors, QStringList());

    items.ds.beforeEdit.clear();
    items.ds.beforeEdit.add([](host::Dataset&) { throw host::UserError(QStringLiteral("AF encerrada não pode ser alterada.")); });
    type(QStringLiteral("Z"));
    EXPECT_EQ(code->text(), QStringLiteral("P1"));
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("AF encerrada não pode ser alterada.")});
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);

    items.source.setAutoEdit(false);
    items.ds.beforeEdit.clear();
    code->setFieldName("CDPRODUTO");
    EXPECT_TRUE(code->isReadOnly());
    items.ds.edit();
    EXPECT_FALSE(code->isReadOnly());
}

TEST_F(DBEditTest, LengthIsTheFieldSize) {
    auto* code = form.add(new DBEdit(&items.source, "CDPRODUTO"));
    form.show();
    focus(code);
    code->selectAll();
    type(QStringLiteral("123456789012"));
    EXPECT_EQ(code->text(), QStringLiteral("1234567890"));
}

TEST_F(DBEditTest, FollowsTheDatasetCursorCodeChangesAndCancel) {
    auto* qty = form.add(new DBEdit(&items.source, "QTDE"));
    form.show();
    EXPECT_EQ(qty->text(), QStringLiteral("10,000"));
    items.ds.next();
    EXPECT_EQ(qty->text(), QStringLiteral("5,000"));
    items.ds.edit();
    items.f("QTDE").setAsFloat(6);
    EXPECT_EQ(qty->text(), QStringLiteral("6,000"));
    focus(qty);
    qty->selectAll();
    type(QStringLiteral("99"));
    items.source.cancel();
    EXPECT_EQ(qty->text(), QStringLiteral("5,000"));  // the value the row kept
    EXPECT_FALSE(qty->isModified());
    EXPECT_DOUBLE_EQ(items.f("QTDE").asFloat(), 5.0);
}

TEST_F(DBEditTest, RepointedOrDisabledSource) {
    host::Dataset other(QStringLiteral("cdsOutro"));
    other.addField(host::FieldDef::floating("QTDE", "Qtde"));
    other.createDataset();
    other.append();
    other.field("QTDE").setAsFloat(77);
    other.post();

    auto* qty = form.add(new DBEdit(&items.source, "QTDE"));
    int stateCalls = 0;
    items.source.onStateChange.add([&](kit::DataSource&) { ++stateCalls; });
    form.show();
    items.source.setDataset(&other);
    EXPECT_EQ(qty->text(), QStringLiteral("77"));
    EXPECT_GE(stateCalls, 1);
    items.source.setEnabled(false);
    EXPECT_EQ(qty->text(), QString());
    EXPECT_TRUE(qty->isReadOnly());
    items.source.setEnabled(true);
    items.source.setDataset(&items.ds);
    EXPECT_EQ(qty->text(), QStringLiteral("10,000"));
}

TEST_F(DBEditTest, DataSourceForwardsStateAndDataChanges) {
    std::vector<QString> seen;
    items.source.onStateChange.add([&](kit::DataSource& s) {
        seen.push_back(QStringLiteral("state %1").arg(int(s.state())));
    });
    items.source.onDataChange.add([&](kit::DataSource&, host::Field* f) {
        seen.push_back(f ? QStringLiteral("data %1").arg(f->name()) : QStringLiteral("data"));
    });
    items.ds.edit();
    items.f("QTDE").setAsFloat(1);
    items.ds.next();  // posts, then moves
    const std::vector<QString> expected{"state 2", "data QTDE", "state 1", "data", "data"};
    EXPECT_EQ(seen, expected);
}

TEST_F(DBEditTest, AnExitHandlerThrowingAnyExceptionIsShownAndKeepsTheFocus) {
    auto* code = form.add(new DBEdit(&items.source, "CDPRODUTO"));
    code->onExit = [] { throw std::runtime_error("falha na consulta"); };
    form.show();
    focus(code);
    press(Qt::Key_Tab);
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Erro inesperado: falha na consulta")});
    EXPECT_TRUE(code->hasFocus());
}

TEST_F(DBEditTest, OnChangeSeesLoadsAndTypingOnEditedOnlyTyping) {
    auto* code = form.add(new DBEdit(&items.source, "CDPRODUTO"));
    int changes = 0, edits = 0;
    code->onChange = [&] { ++changes; };
    code->onEdited = [&] { ++edits; };
    form.show();
    items.ds.next();
    EXPECT_GE(changes, 1);
    EXPECT_EQ(edits, 0);
    focus(code);
    code->end(false);
    type(QStringLiteral("X"));
    EXPECT_EQ(edits, 1);
}

}  // namespace
