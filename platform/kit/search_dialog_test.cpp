#include "host/data/field.h"
#include "test_support.h"
#include "search_dialog.h"
#include "test_modal.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

using namespace kittest;

namespace {

// Products with a name, a quantity and a price, and a code nobody sees.
struct Products {
    host::Dataset ds{QStringLiteral("cdsProdutos")};
    Products() {
        ds.addField(host::FieldDef::string("NMPRODUTO", 40, "Produto"));
        ds.addField(host::FieldDef::floating("QTDE", "Qtde", "###,##0.000"));
        ds.addField(host::FieldDef::floating("VRUNIT", "Preço", "#,##0.00"));
        ds.addField(host::FieldDef::string("CDPRODUTO", 10, "Código"));
        ds.createDataset();
    }
    void add(const char* name, double qt, double price) {
        ds.append();
        ds.field("NMPRODUTO").setAsString(QString::fromUtf8(name));
        ds.field("QTDE").setAsFloat(qt);
        ds.field("VRUNIT").setAsFloat(price);
        ds.post();
    }
    host::Field& f(const char* name) { return ds.field(QString::fromLatin1(name)); }
};

class SearchTest : public KitTest {
protected:
    Products items;
    void SetUp() override {
        KitTest::SetUp();
        items.add("Parafuso Sextavado", 10, 1.5);
        items.add("Arruela Lisa", 5, 0.25);
        items.add("Porca Sextavada", 7, 1234.5);
        items.add("Parafuso Allen", 2, 3);
        items.ds.mergeChangeLog();
        items.ds.first();
    }
    QString current() { return items.f("NMPRODUTO").asString(); }
    static void choose(kit::SearchDialog& d, const QString& column, const QString& value, bool anywhere) {
        d.fieldBox()->setCurrentIndex(d.fieldBox()->findText(column));
        (anywhere ? d.containsButton() : d.startsWithButton())->setChecked(true);
        d.valueBox()->setFocus();
        d.valueBox()->clear();
        QTest::keyClicks(d.valueBox(), value);
    }
};

TEST_F(SearchTest, OffersTheVisibleColumnsStartingWithTheGivenOne) {
    items.f("CDPRODUTO").setVisible(false);
    kit::SearchDialog d(items.ds, nullptr, QStringLiteral("qtde"));
    QStringList columns;
    for (int i = 0; i < d.fieldBox()->count(); ++i) columns << d.fieldBox()->itemText(i);
    EXPECT_EQ(columns, (QStringList{"Produto", "Qtde", "Preço"}));
    EXPECT_EQ(d.fieldBox()->currentText(), QStringLiteral("Qtde"));
    EXPECT_TRUE(d.startsWithButton()->isChecked());
}

TEST_F(SearchTest, FindsTheFirstMatchThenTheNextOnesThenSaysNotFound) {
    kit::SearchDialog d(items.ds);
    showActive(&d);
    struct Step {
        const char* column;
        const char* value;
        bool anywhere;
        bool next;  // "Próximo" instead of "Procurar"
        const char* expected;  // the current product afterwards
        bool found;
    } steps[] = {
        {"Produto", "PARAFUSO", false, false, "Parafuso Sextavado", true},
        {"Produto", "PARAFUSO", false, true, "Parafuso Allen", true},
        {"Produto", "PARAFUSO", false, true, "Parafuso Allen", false},  // nothing further down
        {"Produto", "sextavad", true, false, "Parafuso Sextavado", true},
        {"Produto", "sextavad", true, true, "Porca Sextavada", true},
        {"Produto", "sextavad", false, false, "Porca Sextavada", false},  // neither starts with it
        {"Produto", "porca", false, false, "Porca Sextavada", true},
        {"Qtde", "5", false, false, "Arruela Lisa", true},             // as shown: "5,000"
        {"Preço", "1.234,5", false, false, "Porca Sextavada", true},    // as shown: "1.234,50"
    };
    for (const Step& s : steps) {
        choose(d, QString::fromUtf8(s.column), QString::fromUtf8(s.value), s.anywhere);
        shown().messages.clear();
        QTest::mouseClick(s.next ? d.nextButton() : d.findButton(), Qt::LeftButton);
        EXPECT_EQ(current(), QString::fromUtf8(s.expected)) << s.value;
        const QStringList said = s.found ? QStringList() : QStringList{QStringLiteral("Registro não encontrado.")};
        EXPECT_EQ(shown().messages, said) << s.value;
    }
    EXPECT_TRUE(d.isVisible());  // stays open for the next search
}

TEST_F(SearchTest, EnterFindsFromTheTopThenGoesOnToTheNext) {
    items.ds.edit();
    items.f("NMPRODUTO").setAsString(QStringLiteral("Prego do João"));
    items.ds.post();
    items.ds.last();
    kit::SearchDialog d(items.ds);
    showActive(&d);
    choose(d, QStringLiteral("Produto"), QStringLiteral("p"), false);
    QStringList visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(d.valueBox(), Qt::Key_Return);
        visited << current();
    }
    EXPECT_EQ(visited, (QStringList{"Prego do João", "Porca Sextavada", "Parafuso Allen", "Parafuso Allen"}));
    EXPECT_EQ(shown().messages, QStringList{QStringLiteral("Registro não encontrado.")});
    // New criteria start from the top again; accents and case do not matter.
    choose(d, QStringLiteral("Produto"), QStringLiteral("JOAO"), true);
    QTest::keyClick(d.valueBox(), Qt::Key_Return);
    EXPECT_EQ(current(), QStringLiteral("Prego do João"));
}

TEST_F(SearchTest, RefusalsAreShownAndTheRowStays) {
    kit::SearchDialog d(items.ds);
    showActive(&d);
    QTest::mouseClick(d.findButton(), Qt::LeftButton);
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Informe o valor a procurar.")});
    items.ds.beforeScroll.add([](host::Dataset&) { throw host::UserError(QStringLiteral("Item com erro.")); });
    choose(d, QStringLiteral("Produto"), QStringLiteral("Porca"), false);
    QTest::mouseClick(d.findButton(), Qt::LeftButton);
    EXPECT_EQ(current(), QStringLiteral("Parafuso Sextavado"));
    EXPECT_EQ(shown().errors.last(), QStringLiteral("Item com erro."));
}

TEST_F(SearchTest, ProcuraIsAModalDialogOverTheDataset) {
    whenModal<kit::SearchDialog>([&](kit::SearchDialog* d) {
        choose(*d, QStringLiteral("Produto"), QStringLiteral("arruela"), false);
        QTest::mouseClick(d->findButton(), Qt::LeftButton);
        QTest::mouseClick(d->closeButton(), Qt::LeftButton);
    });
    kit::Procura(items.ds);
    EXPECT_EQ(current(), QStringLiteral("Arruela Lisa"));
    items.ds.close();
    kit::Procura(items.ds);  // nothing to search: no dialog
}

}  // namespace
