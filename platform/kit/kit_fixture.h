#pragma once
// A small screen for the kit's tests: an item dataset, its data source and a
// window to put controls in.
#include "data_source.h"
#include "host/data/field.h"
#include "test_support.h"

#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>

namespace kittest {

inline host::DateTime day(int y, int m, int d, int h = 0, int min = 0) {
    return host::DateTime::fromDate(QDate(y, m, d), QTime(h, min));
}

struct Items {
    host::Dataset ds{QStringLiteral("cdsItens")};
    kit::DataSource source{&ds};

    Items() {
        ds.addField(host::FieldDef::string("CDPRODUTO", 10, "Produto"));
        ds.addField(host::FieldDef::floating("QTDE", "Qtde", "###,##0.000").withAlignment(Qt::AlignRight));
        ds.addField(host::FieldDef::floating("VRUNIT", "Preço", "#,##0.00").withAlignment(Qt::AlignRight));
        ds.addField(host::FieldDef::dateTime("DTENTREGA", "Entrega").withDisplayFormat("dd/mm/yyyy"));
        ds.addField(host::FieldDef::string("NRCPF", 14, "CPF").withEditMask("999.999.999-99;0;_"));
        ds.addField(host::FieldDef::string("IDATIVO", 1, "Ativo"));
        ds.addField(host::FieldDef::string("IDTIPO", 1, "Tipo"));
        ds.addField(host::FieldDef::string("IDCHECK", 1, "Marca"));
        ds.addField(host::FieldDef::string("TXOBS", 200, "Observação"));
        ds.createDataset();
    }
    void add(const QString& code, double qt, double price, const QString& check = QStringLiteral("U")) {
        ds.append();
        ds.field("CDPRODUTO").setAsString(code);
        ds.field("QTDE").setAsFloat(qt);
        ds.field("VRUNIT").setAsFloat(price);
        ds.field("IDCHECK").setAsString(check);
        ds.post();
    }
    void standard() {
        add("P1", 10, 1.5);
        add("P2", 5, 0.25);
        add("P3", 7, 1234.5);
        ds.mergeChangeLog();
        ds.first();
    }
    host::Field& f(const char* name) { return ds.field(QString::fromLatin1(name)); }
};

// A window with a vertical layout and a plain edit at the end to move the focus to.
struct Form {
    QWidget window;
    QVBoxLayout* layout = new QVBoxLayout(&window);
    QLineEdit* other = nullptr;

    template <class W>
    W* add(W* w) {
        layout->addWidget(w);
        return w;
    }
    void show() {
        other = add(new QLineEdit(&window));
        other->setObjectName(QStringLiteral("other"));
        showActive(&window);
    }
};

// A kit test over the standard items, with a form to put controls in.
class ItemsFormTest : public KitTest {
protected:
    Items items;
    Form form;
    void SetUp() override {
        KitTest::SetUp();
        items.standard();
    }
};

}  // namespace kittest
