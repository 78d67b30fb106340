// The item list: what may be edited, the brand lookup and check, the checks
// before an item is stored, the grid's drawing and the error panel.
#include "alt_af_screen.h"

#include "platform/kit/db_grid.h"
#include "platform/kit/list_lookups.h"

#include "host/data/errors.h"
#include "host/data/field.h"
#include "host/services/consiste.h"

#include <QtWidgets/QListWidget>

namespace afbatch {

namespace {

const QString kMarca = QStringLiteral("CDMARCA");
const QString kQtde = QStringLiteral("QTPROGENTAF");

// The name a code column shows.
QString nameFieldOf(const QString& field) {
    if (field == QLatin1String("CDARVPROD")) return QStringLiteral("NMPRODUTO");
    if (field == QLatin1String("NRINSJURFORN")) return QStringLiteral("NMFANTFORN");
    if (field == QLatin1String("CDMARCA")) return QStringLiteral("NMMARCA");
    return {};
}

}  // namespace

void TfrmAltAF::wireItems() {
    cdsAF.beforeInsert.add([](host::Dataset&) { throw host::Abort(); });
    cdsAF.beforeDelete.add([](host::Dataset&) { throw host::Abort(); });
    cdsAF.beforePost.add([this](host::Dataset&) { antesDeGravar(); });
    cdsAF.afterScroll.add([this](host::Dataset&) { mostraErros(); });
    dtsPadrao.onStateChange.add([this](kit::DataSource&) {
        kit::DBGrid* grid = standardGrid();
        const int brand = grid->columnOf(kMarca);
        if (brand >= 0) grid->setColumnButton(brand, cdsAF.editing());
    });
    kit::DBGrid* grid = standardGrid();
    grid->onEditButtonClick = [this](int column) {
        if (standardGrid()->column(column).fieldName == kMarca) pesquisaMarca();
    };
    grid->onColExit = [this] {
        const host::Field* f = standardGrid()->selectedField();
        if (f && f->name() == kMarca) vdMarca(false);
    };
    grid->onDrawColumnCell = [this](kit::GridCell& cell) { desenhaCelula(cell); };
}

void TfrmAltAF::pesquisaMarca() {
    if (!cdsAF.active()) return;
    if (cdsAF.state() == host::DatasetState::Browse && !press(Tool::Alterar)) return;
    if (!cdsAF.editing()) return;
    lookups.qryPesqMarcTodas.open();
    kit::DataSource brands(&lookups.qryPesqMarcTodas.result());
    if (!kit::Pesquisar(brands, QStringLiteral("Marca|Não há marca cadastrada."))) return;
    cdsAF.field(kMarca).setAsString(lookups.qryPesqMarcTodas.field(kMarca).asString());
    cdsAF.field(QStringLiteral("NMMARCA")).setAsString(lookups.qryPesqMarcTodas.field(QStringLiteral("NMMARCA")).asString());
}

void TfrmAltAF::vdMarca(bool required) {
    if (cdsAF.state() != host::DatasetState::Edit) return;
    host::Field& brand = cdsAF.field(kMarca);
    const QString typed = brand.asString().trimmed();
    if (typed.isEmpty()) {
        cdsAF.field(QStringLiteral("NMMARCA")).clear();
        if (required) throw host::FieldError(kMarca, msg.Msg(QStringLiteral("Marca_DINF")));
        return;
    }
    const QString code = host::Ajusta(typed, brand.size());
    if (brand.asString() != code) brand.setAsString(code);
    host::LookupQuery& q = lookups.qryMarca;
    q.setParam(QStringLiteral("P_CDMARCA"), code);
    q.open();
    if (q.isEmpty()) throw host::FieldError(kMarca, msg.Msg(QStringLiteral("Marca_NCAD")));
    cdsAF.field(QStringLiteral("NMMARCA")).setAsString(q.field(QStringLiteral("NMMARCA")).asString());
}

void TfrmAltAF::antesDeGravar() {
    vdMarca(true);
    const bool partial = cdsAF.field(QStringLiteral("IDBAIXITMAF")).asString() == QLatin1String("1");
    const host::Field& brand = cdsAF.field(kMarca);
    if (partial && brand.oldValue() != brand.newValue())
        throw host::FieldError(kMarca, msg.Msg(QStringLiteral("Oper_Bloq_Marc")));
    const double qty = cdsAF.field(kQtde).asFloat();
    if (qty < 0) throw host::FieldError(kQtde, msg.Msg(QStringLiteral("Qtde_AF")));
    if (qty == 0 && partial) throw host::FieldError(kQtde, msg.Msg(QStringLiteral("Oper_Bloq_Qtde")));
}

QStringList TfrmAltAF::errosDoItem() const {
    QStringList lines;
    if (!cdsAF.active() || cdsAF.isEmpty()) return lines;
    const QString key = chaveErro(cdsAF.field(QStringLiteral("CDPRODUTO")).asString(), cdsAF.field(kMarca).asString());
    const int keyField = cdsResultErros.field(QStringLiteral("CDCHAVE")).index();
    const int codeField = cdsResultErros.field(QStringLiteral("DSERROS")).index();
    for (int r = 0; cdsResultErros.active() && r < cdsResultErros.recordCount(); ++r) {
        const QString* rowKey = std::get_if<QString>(&cdsResultErros.valueAt(r, keyField));
        const QString* code = std::get_if<QString>(&cdsResultErros.valueAt(r, codeField));
        if (!rowKey || *rowKey != key || !code) continue;
        if (*code == QLatin1String("1")) lines << msg.Msg(QStringLiteral("Marc_Prod"));
        else if (*code == QLatin1String("2")) lines << msg.Msg(QStringLiteral("Qualif_Marc_Prod"));
    }
    for (const char* name : {"DSINCONSAF", "DSINCONSITAF"}) {
        const QString text = cdsAF.field(QString::fromLatin1(name)).asString();
        if (!text.isEmpty()) lines << text;
    }
    return lines;
}

void TfrmAltAF::mostraErros() {
    lbxErros->clear();
    lbxErros->addItems(errosDoItem());
}

void TfrmAltAF::desenhaCelula(kit::GridCell& cell) const {
    if (!cell.asString(QStringLiteral("DSINCONSITAF")).isEmpty() || !cell.asString(QStringLiteral("DSINCONSAF")).isEmpty())
        cell.textColor = Qt::red;
    if (!cell.field) return;
    const QString name = nameFieldOf(cell.field->name());
    if (name.isEmpty()) return;
    const bool editingHere = cell.focused && cdsAF.editing() && cell.row == cdsAF.currentViewRow();
    if (!editingHere) cell.text = cell.displayText(name);
}

}  // namespace afbatch
