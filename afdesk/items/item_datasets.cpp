#include "item_datasets.h"

#include "item_domains.h"

#include "afdesk/core/model/dataset_packets.h"
#include "afdesk/core/model/field_defs.h"
#include "host/data/dataset.h"
#include "host/services/consiste.h"

namespace afdesk {

namespace {

using host::Dataset;
using host::Field;
using host::FieldDef;
using namespace fieldDefs;

const QString kQuantity = QStringLiteral("###,##0.000");
const QString kMoney5 = QStringLiteral("####,##0.00000");
const QString kMoney2 = QStringLiteral("####,##0.00");
const char* const kMask5Digits = "99999;0; ";

FieldDef num(const char* name, const char* label = nullptr, const QString& display = {}, const QString& edit = {}) {
    FieldDef f = FieldDef::floating(QString::fromLatin1(name), label ? QString::fromUtf8(label) : QString(), display);
    if (!edit.isEmpty()) f.withEditFormat(edit);
    return f;
}
double orZero(const Field& f) { return f.isNull() ? 0.0 : f.asFloat(); }

// The fields both the items and their scratch copy have, CDFILDEST to IDMOTPRESCAF.
std::vector<FieldDef> sharedItemFields() {
    return {hid("CDFILDEST", 4),
            hid("CDFILLANC", 4),
            hid("CDPRODUTO", 10, "Código do Produto"),
            str("CDARVPROD", 20, "Código do Produto"),
            str("NMPRODUTO", 50, "Produto"),
            str("SGUNIDADE", 10, "UN"),
            maskedDate("DTPROGENTAF", "Entrega"),
            hid("CDMARCA", 5, "Código da Marca").withEditMask(QString::fromLatin1(kMask5Digits)),
            str("NMMARCA", 20, "Marca"),
            num("QTPROGENTAF", "Quantidade", kQuantity, kQuantity),
            num("VRPREUNIAF", "Preço Unitário", kMoney2, kMoney5),
            num("TOTAL", "Valor", kMoney2, kMoney5).hidden().asCalculated(),
            str("NRPARCITMAF", 2, "Parcela"),
            num("VRPERDESAF", "Desc.", QStringLiteral("#0.00 %"), QStringLiteral("#0.00")),
            hid("CDSEGMARCA", 5, "Código da Segunda Marca")
                .withEditMask(QString::fromLatin1(kMask5Digits))
                .withAlignment(Qt::AlignHCenter),
            str("NMSEGMARCA", 20, "Segunda Marca"),
            num("QTEFETENTRAF", "Quantidade entregue", kQuantity),
            date("DTEFETENTAF", "Data da última entrega"),
            hid("NRAUTOFORN", 10),
            hid("IDBAIXITMAF", 1, "Situação de Baixa"),
            hid("IDBAIXITAFS", 1, "Baixa de Saída"),
            num("CALCQTEFET", "Quantidade Entregue", kQuantity).asCalculated(),
            hid("TXOBSITMAF", 2000),
            num("VRDESCITMAF", nullptr, kMoney5).hidden(),
            num("QTVOLUITEMAF", "Qt. Volumes", QStringLiteral("#,##0.000"), QStringLiteral("#0.000")),
            date("DTBAIXITMAF").hidden(),
            hid("CDOPERBAIXA", 12),
            hid("NMOPERADOR", 40),
            hid("IDMOTPRESCAF", 10)};
}

void calculate(Dataset& items) {
    if (items.tag() == kBulkTag) return;
    Field& ordered = items.field(QStringLiteral("QTPROGENTAF"));
    items.field(QStringLiteral("CALCQTEFET")).setAsFloat(notYetDelivered(orZero(ordered),
                                                                          orZero(items.field(QStringLiteral("QTEFETENTRAF")))));
    if (Field* total = items.findField(QStringLiteral("TOTAL")))
        total->setAsFloat(grossValue(orZero(ordered), orZero(items.field(QStringLiteral("VRPREUNIAF")))));
}

void showReceiptOperator(Dataset& items) {
    items.field(QStringLiteral("NMOPERADOR")).onGetText = [](const Field& f, bool) {
        const Field& when = f.dataset().field(QStringLiteral("DTBAIXITMAF"));
        return receiptOperatorText(f.asString(), when.isNull() ? QDate() : when.asDateTime().date());
    };
}

}  // namespace

double notYetDelivered(double ordered, double delivered) { return ordered - delivered; }

double grossValue(double quantity, double unitPrice) { return quantity * unitPrice; }

void defineItemAutfProduto(Dataset& ds) {
    addAll(ds, {hid("CDPRODUTO", 10, "Código do Produto"), str("CDARVPROD", 20, "Código do Produto"),
                str("NMPRODUTO", 50, "Nome do Produto"), str("SGUNIDADE", 10, "Sigla da Unidade"),
                hid("LISTA", 1)});
}

void defineItemAutF(Dataset& ds, ScreenQuestion produtosTabActive, MigrationOrigin origin) {
    for (const FieldDef& d : sharedItemFields()) ds.addField(d);
    FieldDef migrated = hid("IDITAFMIGRADA", 1);
    migrated.fixedLength = true;
    addAll(ds, {hid("NRLANCTONF", 10), str("IDTPLANITEAF", 20, "Tipo Lanç."), hid("NRCOTPREITAF", 10),
                str("NRLISTAITAF", 10, "Lista de Preços"), hid("IDTIPOLANITM", 1),
                num("QTDISPITEMAFECC", "Qtde. Disponível", kQuantity).asReadOnly(),
                hid("IDBAIXITMFUTURA", 1, "Baixa Futura"), migrated, date("DTENTRITMSOL").hidden(),
                hid("IDITMSEPARADO", 1)});

    ds.field(QStringLiteral("DTPROGENTAF")).onSetText = host::DateSetText;
    showDomain(ds.field(QStringLiteral("IDBAIXITMAF")), baixaItemDomain());
    showDomain(ds.field(QStringLiteral("IDBAIXITAFS")), baixaItemDomain());
    showDomain(ds.field(QStringLiteral("IDBAIXITMFUTURA")), baixaFuturaDomain());
    showDomain(ds.field(QStringLiteral("IDTPLANITEAF")), tipoLancItemDomain());
    ds.field(QStringLiteral("IDMOTPRESCAF")).onGetText = [](const Field&, bool) { return QString(); };
    showReceiptOperator(ds);
    ds.field(QStringLiteral("IDITAFMIGRADA")).onGetText = [produtosTabActive, origin](const Field& f, bool) {
        const bool produtos = produtosTabActive && produtosTabActive();
        const QString text = itAFMigradaDomain(produtos).textOf(f.asString());
        if (text.isEmpty() || !produtos || !origin) return text;
        const QString from = origin(f.dataset());
        return from.isEmpty() ? text : text + QLatin1Char(' ') + from;
    };
    ds.onCalcFields.add(calculate);
}

void defineAuxItemAutF(Dataset& ds) {
    for (FieldDef d : sharedItemFields())
        if (d.name != QLatin1String("TOTAL")) ds.addField(d);
    ds.addField(num("QTDISPITEMAFECC", "Qtde. Disponível", kQuantity).asReadOnly());
    ds.onCalcFields.add(calculate);
}

void defineVdProdutoMarca(Dataset& ds) {
    addAll(ds, {date("DTPROGENTAF"), str("CDMARCA", 5), str("CDPRODUTO", 10), str("CDARVPROD", 20)});
}

void defineProdExiste(Dataset& ds) { addAll(ds, {str("CDPRODUTO", 10), str("CDARVPROD", 20)}); }

void definePesqMarca(Dataset& ds) { addAll(ds, {str("CDMARCA", 5, "Código"), str("NMMARCA", 20, "Nome")}); }

void defineResultErros(Dataset& ds) { addAll(ds, {str("CDCHAVE", 15), str("DSERROS", 10)}); }

void defineParamProdSup(Dataset& ds) {
    addAll(ds, {num("COUNT_S").asReadOnly(), num("COUNT_N").asReadOnly()});
}

void definePesqLista(Dataset& ds) {
    addAll(ds, {hid("CDPRODUTO", 10), str("CDARVPROD", 20, "Código"), str("NMPRODUTO", 50, "Produto"),
                str("CDMARCA", 5, "Código"), str("NMMARCA", 20, "Marca"),
                num("VRPRECUNIITM", "Preço Unitário", kMoney5), date("DTINIVALITM").hidden(),
                date("DTFINVALITM").hidden(), num("RANKING")});
    ds.field(QStringLiteral("RANKING")).onGetText = [](const Field& f, bool) {
        return f.isNull() ? QString() : rankingText(f.asFloat());
    };
}

void definePesqValores(Dataset& ds) {
    const FieldDef type = str("IDTPIJURFORN", 1, "Tipo");  // a grid shows it 12 characters wide
    addAll(ds, {str("ULTIMA", 2, "Última"), str("NRINSJURFORN", 20, "Inscrição"),
                num("VRPREUNIAF", "Preço Unitário", kMoney5), date("DATA"), type,
                str("NMFANTFORN", 40, "Nome Fantasia"), hid("CDPRODUTO", 10), hid("CDARVPROD", 20), hid("CDMARCA", 5)});
    showDomain(ds.field(QStringLiteral("IDTPIJURFORN")), pesqTpiJurDomain());
    showInscricao(ds.field(QStringLiteral("NRINSJURFORN")), "IDTPIJURFORN");
}

}  // namespace afdesk
