#include "afdesk/core/model/af_detail_grids.h"

#include <QtCore/QStringList>
#include <gtest/gtest.h>
#include <utility>

namespace afdesk {
namespace {

QStringList fieldsOf(const std::vector<kit::GridColumn>& columns) {
    QStringList names;
    for (const kit::GridColumn& c : columns) names << c.fieldName;
    return names;
}

QStringList titlesOf(const std::vector<kit::GridColumn>& columns) {
    QStringList titles;
    for (const kit::GridColumn& c : columns) titles << c.title;
    return titles;
}

TEST(AfDetailGrids, ColumnsLeftToRightWithTheirTitles) {
    EXPECT_EQ(fieldsOf(itemGridColumns()),
              QStringList({"DTPROGENTAF", "NMMARCA", "QTPROGENTAF", "QTDISPITEMAFECC", "VRPREUNIAF", "NRPARCITMAF",
                           "VRPERDESAF", "VRDESCITMAF", "NMSEGMARCA", "IDBAIXITMAF", "IDBAIXITAFS", "QTVOLUITEMAF",
                           "IDTPLANITEAF", "IDBAIXITMFUTURA"}));
    EXPECT_EQ(titlesOf(itemGridColumns()),
              QStringList({"Entrega", "Marca", "Quantidade", "Qtde. Disponível", "Preço Unitário", "Parc.", "Desc.",
                           "Vr. Desc", "Segunda Marca", "Situação de Baixa", "Baixa de Saída", "Qt. Volumes",
                           "Tipo Lanç.", "Baixa Futura"}));
    EXPECT_EQ(fieldsOf(productGridColumns()), QStringList({"LISTA", "NMPRODUTO", "SGUNIDADE"}));
    EXPECT_EQ(titlesOf(messageGridColumns()), QStringList({"Número", "Descrição"}));
    EXPECT_EQ(titlesOf(termGridColumns()), QStringList({"Prazo(Dias)", "Percentual"}));
    EXPECT_EQ(fieldsOf(chargeDateGridColumns()), QStringList({"DTPROGENTAF"}));
    EXPECT_EQ(titlesOf(chargeGridColumns()), QStringList({"Código", "Nome", "Valor"}));
    // Cells the user never types in.
    for (const auto& [columns, field] : std::vector<std::pair<std::vector<kit::GridColumn>, const char*>>{
             {itemGridColumns(), "QTDISPITEMAFECC"}, {itemGridColumns(), "NRPARCITMAF"},
             {itemGridColumns(), "IDBAIXITMAF"},     {productGridColumns(), "SGUNIDADE"},
             {messageGridColumns(), "NRMENSAUTFOR"}, {chargeGridColumns(), "NMENCARGO"}}) {
        bool found = false;
        for (const kit::GridColumn& c : columns)
            if (c.fieldName == QLatin1String(field)) {
                found = true;
                EXPECT_TRUE(c.readOnly) << field;
            }
        EXPECT_TRUE(found) << field;
    }
}

TEST(AfDetailGrids, OptionalColumnsFollowTheirSettings) {
    struct Case {
        const char* field;
        DetailColumnFlags flags;
        bool shown;
    } cases[] = {
        {"QTVOLUITEMAF", {false, true, true}, false}, {"QTVOLUITEMAF", {true, false, false}, true},
        {"IDBAIXITAFS", {true, false, true}, false},  {"IDBAIXITAFS", {false, true, false}, true},
        {"LISTA", {true, true, false}, false},        {"LISTA", {false, false, true}, true},
        {"CDMARCA", {false, false, false}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(detailColumnShown(QString::fromLatin1(c.field), c.flags), c.shown) << c.field;
    for (const char* field : {"QTVOLUITEMAF", "IDBAIXITAFS", "LISTA"}) EXPECT_TRUE(isOptionalDetailColumn(field)) << field;
    for (const char* field : {"CDMARCA", "IDBAIXITMAF", "NMPRODUTO"}) EXPECT_FALSE(isOptionalDetailColumn(field)) << field;
}

}  // namespace
}  // namespace afdesk
