// A whole form rendered off screen: catches painting that breaks (blank grid,
// missing texts) and, with KIT_SCREENSHOT=<file.png>, saves the picture.
#include "db_check_box.h"
#include "db_combo_box.h"
#include "db_date_edit.h"
#include "db_edit.h"
#include "db_grid.h"
#include "db_radio_group.h"
#include "grid_helpers.h"
#include "kit_fixture.h"
#include "lookup_button.h"

#include <QtGui/QPainter>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>

using namespace kittest;

namespace {

QPixmap warningPicture() {
    // A red mark on an olive key colour, as the screens' pictures come.
    QPixmap pm(12, 12);
    pm.fill(kit::fromBgr(0x008080));
    QPainter p(&pm);
    p.setBrush(Qt::red);
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 8, 8);
    return pm;
}

TEST(Screenshot, FormWithGridAndBoxesRenders) {
    auto recorder = std::make_shared<RecordingDialogs>();
    host::setDialogService(recorder);
    Items items;
    items.standard();
    items.ds.first();
    items.ds.edit();
    items.f("IDCHECK").setAsString("C");
    items.f("DTENTREGA").setAsDateTime(day(2025, 3, 14));
    items.f("NRCPF").setAsString("12345678909");
    items.f("IDATIVO").setAsString("S");
    items.f("IDTIPO").setAsString("2");
    items.ds.post();

    QWidget form;
    form.setWindowTitle(QStringLiteral("Itens da AF"));
    auto* layout = new QVBoxLayout(&form);
    auto* fields = new QFormLayout;
    auto* codeRow = new QHBoxLayout;
    auto* code = new kit::DBEdit(&items.source, "CDPRODUTO");
    auto* lookup = new kit::TBtnPesquisa;
    lookup->setEdit(code);
    codeRow->addWidget(code);
    codeRow->addWidget(lookup);
    fields->addRow(QStringLiteral("Produto"), codeRow);
    fields->addRow(QStringLiteral("Quantidade"), new kit::DBEdit(&items.source, "QTDE"));
    fields->addRow(QStringLiteral("Entrega"), new kit::DBDateEdit(&items.source, "DTENTREGA"));
    fields->addRow(QStringLiteral("CPF"), new kit::DBEdit(&items.source, "NRCPF"));
    auto* emitter = new kit::DBComboBox;
    emitter->setItems({"Empresa da Filial", "Empresa Informada", "Cliente Principal"}, {"1", "2", "3"});
    emitter->bind(&items.source, "IDTIPO");
    fields->addRow(QStringLiteral("Destinatário NF"), emitter);
    fields->addRow(QString(), new kit::DBCheckBox(&items.source, "IDATIVO", QStringLiteral("AF Extra")));
    layout->addLayout(fields);

    auto* grid = new kit::DBGrid;
    grid->setColumns({kit::GridColumn("IDCHECK", " ", 22), kit::GridColumn("CDPRODUTO", "Produto", 90).withButton(),
                      kit::GridColumn("QTDE", "Quantidade", 90).titleRight(),
                      kit::GridColumn("VRUNIT", "Preço Unitário", 100).titleRight(),
                      kit::GridColumn("DTENTREGA", "Entrega", 80)});
    grid->setDataSource(&items.source);
    grid->setTickColumn("IDCHECK");
    const QPixmap mark = warningPicture();
    grid->onDrawColumnCell = [&](kit::GridCell& cell) {
        if (cell.asString("CDPRODUTO") == "P2") cell.textColor = Qt::red;
        if (cell.field && cell.field->name() == "DTENTREGA" && cell.value("DTENTREGA").index() == 0)
            kit::InsereImagem(*grid, cell, mark, kit::fromBgr(0x008080));
    };
    layout->addWidget(grid);
    form.resize(560, 430);
    showActive(&form);
    grid->setFocus();
    grid->setCurrentColumn(1);
    settle();

    const QImage image = form.grab().toImage();
    ASSERT_FALSE(image.isNull());
    const QString path = qEnvironmentVariable("KIT_SCREENSHOT");
    if (!path.isEmpty()) {
        EXPECT_TRUE(image.save(path));
    }

    // The grid shows its rows: the second row's code is painted red.
    const QImage cells = grid->viewport()->grab().toImage();
    const QRect second = grid->visualRect(grid->model()->index(1, 1));
    int red = 0;
    for (int y = second.top(); y <= second.bottom(); ++y)
        for (int x = second.left(); x <= second.right(); ++x) {
            const QColor c = cells.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++red;
        }
    EXPECT_GT(red, 0);
    EXPECT_EQ(grid->model()->index(0, 2).data().toString(), QStringLiteral("10,000"));
    EXPECT_TRUE(recorder->errors.isEmpty());
}

}  // namespace
