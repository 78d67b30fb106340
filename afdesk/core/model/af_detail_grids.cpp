#include "afdesk/core/model/af_detail_grids.h"

namespace afdesk {

namespace {

kit::GridColumn column(const char* field, const char* title, int width = 0) {
    return kit::GridColumn(QString::fromLatin1(field), QString::fromUtf8(title), width);
}

}  // namespace

// Until an item is typed in, the code columns show their names (the product's,
// the brands'), as the grids show them whenever a code is not being edited.
std::vector<kit::GridColumn> productGridColumns() {
    // The price-list button's column: its title is a symbol, as the button it stands for.
    return {column("LISTA", "≡", 16).titleCentered(), column("NMPRODUTO", "Produto", 190).asReadOnly(),
            column("SGUNIDADE", "SG", 22).asReadOnly()};
}

std::vector<kit::GridColumn> itemGridColumns() {
    return {column("DTPROGENTAF", "Entrega", 62),
            column("NMMARCA", "Marca", 110).asReadOnly(),
            column("QTPROGENTAF", "Quantidade", 62).titleRight(),
            column("QTDISPITEMAFECC", "Qtde. Disponível").asReadOnly(),
            column("VRPREUNIAF", "Preço Unitário", 89).titleRight(),
            column("NRPARCITMAF", "Parc.").asReadOnly(),
            column("VRPERDESAF", "Desc.", 55).titleRight(),
            column("VRDESCITMAF", "Vr. Desc", 55).titleRight(),
            column("NMSEGMARCA", "Segunda Marca", 110).asReadOnly(),
            column("IDBAIXITMAF", "Situação de Baixa").asReadOnly(),
            column("IDBAIXITAFS", "Baixa de Saída").asReadOnly(),
            column("QTVOLUITEMAF", "Qt. Volumes"),
            column("IDTPLANITEAF", "Tipo Lanç.", 70),
            column("IDBAIXITMFUTURA", "Baixa Futura")};
}

std::vector<kit::GridColumn> messageGridColumns() {
    return {column("NRMENSAUTFOR", "Número").asReadOnly(), column("DSMENSAF", "Descrição", 815)};
}

std::vector<kit::GridColumn> termGridColumns() {
    return {column("NRDIASPGTOAF", "Prazo(Dias)").titleRight(), column("VRPERCPGTOAF", "Percentual").titleRight()};
}

std::vector<kit::GridColumn> chargeDateGridColumns() { return {column("DTPROGENTAF", "Data")}; }

std::vector<kit::GridColumn> chargeGridColumns() {
    return {column("CDENCARGO", "Código").asReadOnly(), column("NMENCARGO", "Nome", 328).asReadOnly(),
            column("VRENCARGOAF", "Valor", 86).titleRight()};
}

bool isOptionalDetailColumn(const QString& fieldName) {
    return fieldName == QLatin1String("QTVOLUITEMAF") || fieldName == QLatin1String("IDBAIXITAFS") ||
           fieldName == QLatin1String("LISTA");
}

bool detailColumnShown(const QString& fieldName, const DetailColumnFlags& flags) {
    if (fieldName == QLatin1String("QTVOLUITEMAF")) return flags.volumes;
    if (fieldName == QLatin1String("IDBAIXITAFS")) return flags.exitReceipt;
    if (fieldName == QLatin1String("LISTA")) return flags.priceList;
    return true;
}

}  // namespace afdesk
