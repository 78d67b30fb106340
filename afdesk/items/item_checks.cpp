#include "item_checks.h"

#include <QtCore/QHash>
#include <utility>

namespace afdesk {

namespace {

const std::vector<std::pair<const char*, const char*>>& messages() {
    static const std::vector<std::pair<const char*, const char*>> m = {
        {"DT_Prod_Vazia", "Data de entrega deve ser informada."},
        {"DT_Prod_Inv", "Data de entrega do produto deve ser maior ou igual a data da AF."},
        {"Dt_Limite_Antecip",
         "Data de entrega inicial deve respeitar o limite de antecipação.Somente será permitido informar uma data "
         "inicial de entrega igual ou maior que o dia %s."},
        {"Forn_N_Peri", "Fornecedor não atende a data de entrega informada devido à sua periodicidade."},
        {"Forn_UmaData", "Fornecedor não permite mais de uma data de entrega por AF."},
        {"Data_AF", "Operação bloqueada! A data de entrega não pode ser menor do que a data atual."},
        {"DiasForaLimit", "Alteração realizada fora do limite de dias para alteração em itens de AF."},
        {"CDPRODUTO_Vazio", "Produto deve ser informado."},
        {"CDPRODUTO_N_EXISTE", "Produto não cadastrado."},
        {"PROD_N_CAD_COMP", "Produto não cadastrado para o comprador informado."},
        {"PROD_N_RELAC", "Produto sem relacionamento de produtos do OL."},
        {"PROD_N_COMP_FILDEST", "Produto não pode ser comprado para a filial destino informada."},
        {"Prod_Est", "Operação bloqueada. Produto de estoque não pode ser lançado."},
        {"prod_ja_existe", "Produto já cadastrado."},
        {"CDMARCA_Vazia", "Marca deve ser informada."},
        {"marca_ncad", "Marca não cadastrada."},
        {"CDMARCA_N_EXISTE", "Marca não cadastrada para o produto."},
        {"MARCA_igual_SEGMARCA", "Marca e segunda marca devem ser diferentes."},
        {"CDMARCA_CAD", "Parcela já cadastrada para a marca informada."},
        {"CDSEGMARCA_CAD", "Já existe parcela cadastrada para a segunda marca informada."},
        {"Quant_item_Vazia", "Quantidade deve ser informada."},
        {"Quant_Inv", "Quantidade deve ser maior ou igual a quantidade entregue."},
        {"PrecUnit_Vazio", "Preço unitário deve ser informado."},
        {"PrecUnit_Inv", "Preço unitário deve ser maior que zero."},
        {"Perc_Pgto_Vazio", "Percentual deve ser informado."},
        {"Desc_Inv", "Desconto deve estar entre 0 e 100%."},
        {"Perc_Inv", "Percentual deve estar entre 0 e 100%."},
        {"Qt_Entr_Inv", "Quantidade entrege deve ser menor ou igual a quantidade do produto."},
        {"Oper_ExcluiAF", "Operação bloqueada. Operador não possui permissão para excluir item de AF."},
        {"Oper_qtzero", "Operação bloqueada. A quantidade não pode ser zerada pois a AF possui apenas este item."},
        {"msgQtZero",
         "Atenção a quantidade do item da AF está sendo zerada! O item será excluído. \r\nTem certeza que deseja "
         "realizar está operação?"},
        {"Atu_Sol", "Deseja atualizar as solicitações de compras?"},
        {"EscMotivItem_Inf", "Tipo de lançamento manual."},
        {"MotEsc_Inf", "Escolhida manualmente."},
        {"Cotacao", "Cotação: %s"},
        {"ListaPrec_Inf", "Lista de preços: %s"},
        {"ObsItmMan_Inf", "Obs.: Item alterado manualmente."},
        {"Excl_Soli_CMP",
         "Deseja atualizar a solicitação de compras reprovando cada item para não existir pendência de compra?"},
    };
    return m;
}

ItemRefusal refusal(const char* key, const char* field, const QString& value = {}) {
    QString text = itemMessage(QString::fromLatin1(key));
    if (!value.isNull()) text.replace(QStringLiteral("%s"), value);
    return {QString::fromLatin1(key), text, QString::fromLatin1(field)};
}

QString dateText(const QDate& d) { return d.toString(QStringLiteral("dd/MM/yyyy")); }

}  // namespace

QString itemMessage(const QString& key) {
    static const QHash<QString, QString> byKey = [] {
        QHash<QString, QString> h;
        for (const auto& [k, t] : messages()) h.insert(QString::fromLatin1(k), QString::fromUtf8(t));
        return h;
    }();
    return byKey.value(key);
}

QStringList itemCheckMessageLines() {
    QStringList lines;
    for (const auto& [k, t] : messages()) lines << QString::fromLatin1(k) + QLatin1Char('|') + QString::fromUtf8(t);
    return lines;
}

ItemCheck checkDeliveryDate(const DeliveryDateFacts& f) {
    if (!f.date || !f.date->isValid()) {
        if (f.required) return refusal("DT_Prod_Vazia", "DTPROGENTAF");
        return std::nullopt;
    }
    if (f.inserting && *f.date < f.afDate) return refusal("DT_Prod_Inv", "DTPROGENTAF");
    if ((f.inserting || f.dateChanged) && !f.anticipationDays.trimmed().isEmpty() && f.anticipationBase) {
        bool ok = false;
        const int days = f.anticipationDays.trimmed().toInt(&ok);
        if (ok && f.date->addDays(-days) < *f.anticipationBase)
            return refusal("Dt_Limite_Antecip", "DTPROGENTAF", dateText(f.anticipationBase->addDays(days)));
    }
    return std::nullopt;
}

ItemCheck checkPeriodicity(const QDate& date, const QDate& served) {
    if (!date.isValid() || served == date) return std::nullopt;
    return refusal("Forn_N_Peri", "DTPROGENTAF");
}

ItemCheck checkSingleDeliveryDate(const std::vector<std::optional<QDate>>& itemDates, bool supplierNeedsOneDate,
                                  bool totalReceiptRunning) {
    if (!supplierNeedsOneDate || totalReceiptRunning || itemDates.empty()) return std::nullopt;
    for (const std::optional<QDate>& d : itemDates)
        if (d != itemDates.front()) return refusal("Forn_UmaData", "DTPROGENTAF");
    return std::nullopt;
}

ItemCheck checkSuggestedDate(const QString& itemDateText, const QString& rememberedDate, bool supplierNeedsOneDate) {
    if (!supplierNeedsOneDate || rememberedDate.trimmed().isEmpty() || itemDateText == rememberedDate)
        return std::nullopt;
    return refusal("Forn_UmaData", "DTPROGENTAF");
}

ItemCheck checkDateNotBeforeToday(bool dateChanged, const std::optional<QDate>& date,
                                  const std::optional<QDate>& branchToday) {
    if (!dateChanged || !date || !branchToday || !(*branchToday > *date)) return std::nullopt;
    return refusal("Data_AF", "DTPROGENTAF");
}

ItemCheck checkAlterationDaysLimit(const QString& limitDays, const std::optional<QDate>& limitBase,
                                   const std::optional<QDate>& oldDeliveryDate) {
    bool ok = false;
    const int days = limitDays.trimmed().toInt(&ok);
    // No limit set, or nothing to measure it against.
    if (limitDays.trimmed().isEmpty() || !ok || !limitBase || !limitBase->isValid() || !oldDeliveryDate) return std::nullopt;
    if (limitBase->addDays(days) > *oldDeliveryDate) return refusal("DiasForaLimit", "DTPROGENTAF");
    return std::nullopt;
}

ItemCheck checkBrandsDiffer(const QString& brand, const QString& secondBrand, const QString& focusField) {
    if (brand.trimmed().isEmpty() || brand.trimmed() != secondBrand.trimmed()) return std::nullopt;
    ItemRefusal r = refusal("MARCA_igual_SEGMARCA", "");
    r.field = focusField;
    return r;
}

ItemCheck checkQuantity(const std::optional<double>& ordered, const std::optional<double>& delivered, bool required) {
    if (!ordered) return required ? ItemCheck(refusal("Quant_item_Vazia", "QTPROGENTAF")) : std::nullopt;
    if (delivered && *delivered > *ordered) return refusal("Quant_Inv", "QTPROGENTAF");
    return std::nullopt;
}

ItemCheck checkUnitPrice(const std::optional<double>& price) {
    if (!price) return refusal("PrecUnit_Vazio", "VRPREUNIAF");
    if (!(*price > 0)) return refusal("PrecUnit_Inv", "VRPREUNIAF");
    return std::nullopt;
}

ItemCheck checkPercentage(const std::optional<double>& value, PercentField which, bool required,
                          bool totalReceiptRunning) {
    const char* field = which == PercentField::ItemDiscount ? "VRPERDESAF" : "VRPERCPGTOAF";
    if (totalReceiptRunning) return std::nullopt;
    if (!value) return required ? ItemCheck(refusal("Perc_Pgto_Vazio", field)) : std::nullopt;
    if (*value > 100) return refusal(which == PercentField::ItemDiscount ? "Desc_Inv" : "Perc_Inv", field);
    return std::nullopt;
}

ItemCheck checkDeliveredQuantity(const std::optional<double>& delivered, const std::optional<double>& ordered) {
    if (delivered && *delivered > ordered.value_or(0)) return refusal("Qt_Entr_Inv", "QTEFETENTRAF");
    return std::nullopt;
}

bool itemChanged(const ItemFigures& before, const ItemFigures& after) {
    if (before.date != after.date || before.quantity != after.quantity || before.unitPrice != after.unitPrice)
        return true;
    // A value given where there was none is no change.
    if (before.discount && before.discount != after.discount) return true;
    if (!before.secondBrand.isEmpty() && before.secondBrand != after.secondBrand) return true;
    if (before.delivered && before.delivered != after.delivered) return true;
    return false;
}

ZeroQuantity zeroQuantity(const std::optional<double>& quantity, bool mayDelete, int itemsOfProduct, int products) {
    if (!quantity || *quantity != 0) return ZeroQuantity::NotZero;
    if (!mayDelete) return ZeroQuantity::NoPermission;
    if (itemsOfProduct <= 1 && products < 2) return ZeroQuantity::OnlyItem;
    return ZeroQuantity::AskFirst;
}

ItemCheck zeroQuantityRefusal(ZeroQuantity decision) {
    if (decision == ZeroQuantity::NoPermission) return refusal("Oper_ExcluiAF", "QTPROGENTAF");
    if (decision == ZeroQuantity::OnlyItem) return refusal("Oper_qtzero", "QTPROGENTAF");
    return std::nullopt;
}

double discountValue(const std::optional<double>& percent, double gross) {
    if (!percent || *percent == 0 || gross == 0) return 0;
    return *percent * (gross / 100);
}

double discountPercent(const std::optional<double>& value, double gross) {
    if (!value || *value == 0 || gross == 0) return 0;
    return *value * 100 / gross;
}

std::optional<double> supplierDiscount(const QString& discountText, const QString& discountType) {
    const QString text = discountText.trimmed();
    if (text.isEmpty() || text == QLatin1String("0") || discountType.trimmed() != QLatin1String("C")) return std::nullopt;
    bool ok = false;
    const double value = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok) return std::nullopt;
    return value;
}

QString rememberedDateBeforeInsert(const QString& listDeliveryText, bool supplierNeedsOneDate,
                                   const QString& lastItemDateText, const QString& remembered) {
    if (!listDeliveryText.trimmed().isEmpty() && supplierNeedsOneDate) return listDeliveryText;
    if (!lastItemDateText.trimmed().isEmpty()) return lastItemDateText;
    return remembered;
}

QDate defaultDeliveryDate(const std::optional<QDate>& remembered, const std::optional<QDate>& rememberedSecond,
                          int productRows, const QDate& afDate, const QDate& today) {
    if (remembered && remembered->isValid()) return *remembered < afDate ? today : *remembered;
    if (productRows < 2 || !rememberedSecond || !rememberedSecond->isValid()) return today;
    return *rememberedSecond;
}

QString purchaseRequestQuestionKey(const QString& approvalParameter) {
    return approvalParameter.trimmed() == QLatin1String("S") ? QStringLiteral("Excl_Soli_CMP") : QStringLiteral("Atu_Sol");
}

bool itemPostMakesAfEdi(const QString& sendKind, const QString& headerSettlement, const QString& launchKind,
                        bool receiptRunning) {
    return sendKind.trimmed() == QLatin1String("2") && headerSettlement.trimmed().isEmpty() &&
           launchKind.trimmed() == QLatin1String("A") && !receiptRunning;
}

}  // namespace afdesk
