#include "db_check_box.h"
#include "db_combo_box.h"
#include "db_memo.h"
#include "db_radio_group.h"
#include "db_text.h"
#include "grid_helpers.h"
#include "guard.h"
#include "kit_fixture.h"

#include <QtWidgets/QRadioButton>

using namespace kittest;

namespace {

// A check box only takes clicks on its box and caption, not across its whole width.
void clickBox(QWidget* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

class ControlsTest : public ItemsFormTest {};

TEST_F(ControlsTest, CheckBoxStoresItsCodes) {
    auto* active = form.add(new kit::DBCheckBox(&items.source, "IDATIVO", QStringLiteral("Ativo")));
    int clicks = 0;
    active->onClick = [&] { ++clicks; };
    form.show();
    EXPECT_FALSE(active->isChecked());  // null is unchecked

    clickBox(active);
    EXPECT_TRUE(active->isChecked());
    EXPECT_EQ(items.f("IDATIVO").asString(), QStringLiteral("S"));
    EXPECT_EQ(items.ds.state(), host::DatasetState::Edit);
    focus(active);
    press(Qt::Key_Space);
    EXPECT_FALSE(active->isChecked());
    EXPECT_EQ(items.f("IDATIVO").asString(), QStringLiteral("N"));
    EXPECT_EQ(clicks, 2);

    active->setValues(QStringLiteral("2"), QStringLiteral("1"));  // e.g. a logistic-operator flag
    clickBox(active);
    EXPECT_EQ(items.f("IDATIVO").asString(), QStringLiteral("2"));
    items.ds.cancel();
    EXPECT_FALSE(active->isChecked());
}

TEST_F(ControlsTest, CheckBoxKeepsTheFieldWhenTheValueIsRefused) {
    items.f("IDATIVO").onValidate = [](host::Field&) { throw host::UserError(QStringLiteral("Não permitido.")); };
    auto* active = form.add(new kit::DBCheckBox(&items.source, "IDATIVO", QStringLiteral("Ativo")));
    form.show();
    clickBox(active);
    EXPECT_FALSE(active->isChecked());
    EXPECT_TRUE(items.f("IDATIVO").isNull());
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Não permitido.")});

    items.f("IDATIVO").onValidate = nullptr;
    items.f("IDATIVO").setReadOnly(true);
    clickBox(active);
    EXPECT_FALSE(active->isChecked());
}

TEST_F(ControlsTest, RadioGroupStoresTheCodeOfTheChosenItem) {
    auto* kind = form.add(new kit::DBRadioGroup(QStringLiteral("Forma de Pagamento")));
    kind->setItems({"sem Forma de Pagamento", "Pagamento Fixo no Dia", "pela Forma de Pagamento"}, {"", "F", "V"});
    kind->bind(&items.source, "IDTIPO");
    int clicks = 0;
    kind->onClick = [&] { ++clicks; };
    form.show();
    EXPECT_EQ(kind->itemIndex(), 0);  // null matches the empty code
    EXPECT_TRUE(kind->button(0)->isChecked());

    QTest::mouseClick(kind->button(2), Qt::LeftButton);
    EXPECT_EQ(items.f("IDTIPO").asString(), QStringLiteral("V"));
    EXPECT_TRUE(kind->button(2)->isChecked());
    QTest::mouseClick(kind->button(1), Qt::LeftButton);
    EXPECT_EQ(items.f("IDTIPO").asString(), QStringLiteral("F"));
    EXPECT_EQ(clicks, 2);

    items.ds.post();
    items.ds.next();
    EXPECT_EQ(kind->itemIndex(), 0);
    items.ds.edit();
    items.f("IDTIPO").setAsString("X");  // matches nothing: no button on
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(kind->button(i)->isChecked());

    items.f("IDTIPO").onValidate = [](host::Field&) { throw host::Abort(); };
    QTest::mouseClick(kind->button(1), Qt::LeftButton);
    EXPECT_FALSE(kind->button(1)->isChecked());
    EXPECT_EQ(items.f("IDTIPO").asString(), QStringLiteral("X"));
}

TEST_F(ControlsTest, ComboBoxMapsCaptionsToStoredCodes) {
    auto* emitter = form.add(new kit::DBComboBox);
    emitter->setItems({"Empresa da Filial", "Empresa Informada", "Cliente Principal"}, {"1", "2", "3"});
    emitter->bind(&items.source, "IDTIPO");
    int changes = 0;
    emitter->onChange = [&] { ++changes; };
    form.show();
    EXPECT_EQ(emitter->currentIndex(), -1);

    focus(emitter);
    press(Qt::Key_Down);
    EXPECT_EQ(emitter->currentIndex(), 0);
    EXPECT_EQ(items.f("IDTIPO").asString(), QStringLiteral("1"));
    press(Qt::Key_Down);
    EXPECT_EQ(items.f("IDTIPO").asString(), QStringLiteral("2"));
    EXPECT_EQ(changes, 2);

    items.ds.cancel();
    EXPECT_EQ(emitter->currentIndex(), -1);

    items.f("IDTIPO").setReadOnly(true);
    press(Qt::Key_Down);
    EXPECT_EQ(emitter->currentIndex(), -1);
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);
}

TEST_F(ControlsTest, MemoWritesOnLeavingAndOnPost) {
    auto* notes = form.add(new kit::DBMemo(&items.source, "TXOBS"));
    form.show();
    focus(notes);
    type(QStringLiteral("linha 1"));
    press(Qt::Key_Return);  // a new line, not a confirmation
    type(QStringLiteral("linha 2"));
    EXPECT_EQ(items.ds.state(), host::DatasetState::Edit);
    EXPECT_TRUE(items.f("TXOBS").isNull());
    focus(form.other);
    EXPECT_EQ(items.f("TXOBS").asString(), QStringLiteral("linha 1\nlinha 2"));

    focus(notes);
    notes->moveCursor(QTextCursor::End);
    type(QStringLiteral("!"));
    items.source.post();
    EXPECT_EQ(items.f("TXOBS").asString(), QStringLiteral("linha 1\nlinha 2!"));

    focus(notes);
    type(QStringLiteral("?"));
    press(Qt::Key_Escape);
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("linha 1\nlinha 2!"));
}

TEST_F(ControlsTest, MemoOverTheFieldSizeIsRefusedAndKept) {
    auto* notes = form.add(new kit::DBMemo(&items.source, "TXOBS"));
    form.show();
    focus(notes);
    notes->setPlainText(QString(201, u'x'));  // as a paste would
    focus(form.other);
    ASSERT_EQ(shown().errors.size(), 1);
    EXPECT_TRUE(shown().errors[0].contains(QStringLiteral("o máximo é 200")));
    EXPECT_TRUE(notes->hasFocus());
    EXPECT_EQ(notes->toPlainText().size(), 201);
}

TEST_F(ControlsTest, LabelShowsTheDisplayText) {
    auto* price = form.add(new kit::DBText(&items.source, "VRUNIT"));
    form.show();
    EXPECT_EQ(price->text(), QStringLiteral("1,50"));
    items.ds.last();
    EXPECT_EQ(price->text(), QStringLiteral("1.234,50"));
    items.ds.close();
    EXPECT_EQ(price->text(), QString());
}

TEST_F(ControlsTest, FocusFieldFindsTheBoundControl) {
    auto* active = form.add(new kit::DBCheckBox(&items.source, "IDATIVO", QStringLiteral("Ativo")));
    auto* notes = form.add(new kit::DBMemo(&items.source, "TXOBS"));
    form.show();
    focus(active);
    EXPECT_TRUE(items.source.focusField("txobs"));
    EXPECT_TRUE(notes->hasFocus());
    EXPECT_FALSE(items.source.focusField("NAOEXISTE"));

    // A post refused for a field puts the focus on its control.
    items.f("TXOBS").setRequired(true);
    focus(active);
    items.ds.edit();
    const bool ok = kit::guard(&form.window, [&] { items.source.post(); }, &items.source);
    EXPECT_FALSE(ok);
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("O campo \"Observação\" deve ser preenchido.")});
    EXPECT_TRUE(notes->hasFocus());
}

TEST_F(ControlsTest, SetChildEnabledReachesEveryControl) {
    QWidget* group = form.add(new QWidget);
    auto* inner = new QVBoxLayout(group);
    auto* a = new kit::DBCheckBox(&items.source, "IDATIVO", QStringLiteral("Ativo"));
    auto* b = new QLineEdit;
    inner->addWidget(a);
    inner->addWidget(b);
    form.show();
    b->setEnabled(false);
    kit::SetChildEnabled(group, true);
    EXPECT_TRUE(b->isEnabled());
    kit::SetChildEnabled(group, false);
    EXPECT_FALSE(group->isEnabled());
    EXPECT_FALSE(a->isEnabled());
    EXPECT_FALSE(b->isEnabled());
}

}  // namespace
