#include "product_data.h"

#include "code_picture.h"
#include "product_rules.h"

#include "host/data/errors.h"
#include "host/library/business_library.h"
#include "host/lookup/lookup_query.h"
#include "host/services/consiste.h"
#include "host/services/session.h"

namespace platform::library {

namespace {

using host::DadosProduto;
using host::FieldDef;

constexpr int kBranchChars = 4;

// The columns of Dados_Produto's array, in its order.
std::vector<FieldDef> productColumns() {
    return {FieldDef::string(QStringLiteral("NMPRODUTO"), 50),    FieldDef::string(QStringLiteral("SGUNIDADE"), 10),
            FieldDef::string(QStringLiteral("CDPRODUTO"), 10),    FieldDef::string(QStringLiteral("CDARVPROD"), 20),
            FieldDef::string(QStringLiteral("CDNVPRODUTO"), 2),   FieldDef::string(QStringLiteral("CDPRODESTO"), 10),
            FieldDef::floating(QStringLiteral("VRFATOCONV")),     FieldDef::string(QStringLiteral("CDGRUPPROD"), 10),
            FieldDef::string(QStringLiteral("CDSUBGRPROD"), 10),  FieldDef::string(QStringLiteral("IDPRODWEB"), 1),
            FieldDef::string(QStringLiteral("TXOBSPRODUTO"), 2000)};
}

QString shown(const QString& storedCode) {
    return CodePicture(host::session().DBPict(host::kPictProduto)).display(storedCode);
}

QString flag(const QString& name, const QString& condition) {
    return QStringLiteral("CASE WHEN %1 THEN 'S' ELSE 'N' END AS %2").arg(condition, name);
}

// Whether each rule holds for the product of the tree code in the branch; no
// row when the product does not exist.
void readFacts(host::LookupQuery& q, const QString& branch, const QString& code) {
    q.setSql(QStringLiteral("SELECT P.CDPRODUTO, %1, %2, %3, %4 FROM PRODUTO P WHERE P.CDARVPROD = :P_CDARVPROD")
                 .arg(flag(QStringLiteral("IDPRODUTO"), rules::isProduct()),
                      flag(QStringLiteral("IDFILIAL"), rules::branchExists()),
                      flag(QStringLiteral("IDATIVO"), rules::notInactive()),
                      flag(QStringLiteral("IDMIX"), rules::inMix())));
    q.setParam(QStringLiteral("P_CDFILIAL"), branch);
    q.setParam(QStringLiteral("P_CDARVPROD"), code);
    q.open();
}

}  // namespace

QString storedTreeCode(const QString& typed) {
    const std::optional<CodePicture::Code> code =
        CodePicture(host::session().DBPict(host::kPictProduto)).parse(typed);
    return code ? code->stored : typed.trimmed();
}

QVariantList productData(const QString& cdArvProd) {
    QVariantList values(DadosProduto::Count);
    const QString code = storedTreeCode(cdArvProd);
    if (code.isEmpty()) return values;

    host::LookupQuery q(QStringLiteral("qryDadosProduto"));
    QStringList columns;
    for (const FieldDef& def : productColumns()) {
        columns << def.name;
        q.addField(def);
    }
    q.setSql(QStringLiteral("SELECT %1 FROM PRODUTO WHERE CDARVPROD = :P_CDARVPROD").arg(columns.join(u", ")));
    q.setParam(QStringLiteral("P_CDARVPROD"), code);
    q.open();
    if (q.isEmpty()) throw host::UserError(QStringLiteral("Produto %1 não cadastrado.").arg(shown(code)));
    for (int i = 0; i < DadosProduto::Count; ++i) values[i] = q.field(columns[i]).asVariant();
    return values;
}

void validateProduct(const QString& branch, const QString& cdArvProd, const QString& idBlPrComEst) {
    const QString dest = host::Ajusta(branch, kBranchChars);
    if (dest.isEmpty()) throw host::UserError(QStringLiteral("Filial destino deve ser informada."));
    const QString code = storedTreeCode(cdArvProd);
    if (code.isEmpty()) throw host::UserError(QStringLiteral("Produto deve ser informado."));

    host::LookupQuery q(QStringLiteral("qryValidaProduto"));
    readFacts(q, dest, code);
    auto holds = [&q](const char* fact) { return q.field(QString::fromLatin1(fact)).asString() == u'S'; };
    if (q.isEmpty()) throw host::UserError(QStringLiteral("Produto %1 não cadastrado.").arg(shown(code)));
    if (!holds("IDPRODUTO"))
        throw host::UserError(
            QStringLiteral("O código %1 é um nível da árvore de produtos; informe um produto.").arg(shown(code)));
    if (!holds("IDFILIAL")) throw host::UserError(QStringLiteral("Filial %1 não cadastrada.").arg(dest));
    if (!holds("IDATIVO"))
        throw host::UserError(QStringLiteral("Produto %1 está inativo na filial %2.").arg(shown(code), dest));
    if (rules::mixOnly(idBlPrComEst) && !holds("IDMIX"))
        throw host::UserError(
            QStringLiteral("Produto %1 não faz parte do mix de produtos da filial %2.").arg(shown(code), dest));
}

}  // namespace platform::library
