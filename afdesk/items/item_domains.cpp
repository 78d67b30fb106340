#include "item_domains.h"

#include <QtCore/QDate>
#include <QtCore/QSet>
#include <cmath>

namespace afdesk {

namespace {

DomainEntry e(const char* code, const char* text, const char* key) {
    return {QString::fromUtf8(code), QString::fromUtf8(text), QString::fromUtf8(key)};
}

struct Reason {
    int position;  // 1-based
    char value;
    DomainEntry text;
};

const std::vector<Reason>& reasons() {
    static const std::vector<Reason> r = {
        {1, '1', e("", "Escolhido por Produto Preferencial.", "EscApur_ProdPref")},
        {2, '7', e("", "Escolhido por Fornecedor/Marca Obrigatórios.", "EscApur_MFO")},
        {2, '8', e("", "Escolhido por Fornecedor/Marca Preferenciais.", "EscApur_MFP")},
        {2, '9', e("", "Escolhido por Fornecedor/Marca Restritivos.", "EscApur_MFR")},
        {3, '4', e("", "Escolhido por Fornecedor Obrigatório.", "EscApur_FO")},
        {3, '5', e("", "Escolhido por Fornecedor Preferencial.", "EscApur_FP")},
        {3, '6', e("", "Escolhido por Fornecedor Restritivo.", "EscApur_FR")},
        {3, 'A', e("", "Escolhido por Acordo.", "EscApur_AC")},
        {4, '1', e("", "Escolhido por Marca Obrigatória.", "EscApur_MO")},
        {4, '2', e("", "Escolhido por Marca Preferencial.", "EscApur_MP")},
        {4, '3', e("", "Escolhido por Marca Restritiva.", "EscApur_MR")},
        {5, '1', e("", "Escolhido da Lista de Preços.", "EscApur_LisPrec")},
        {5, '2', e("", "Escolhido da Cotação Fora da Lista.", "EscApur_Cotacao")},
    };
    return r;
}

// Positions 1 to 8 of DSERROS; position 9 depends on the module.
const std::vector<DomainEntry>& productErrors() {
    static const std::vector<DomainEntry> p = {
        e("", "Produto inativo ou produto de estoque relacionado inativo para a filial.", "Prod_Inativo"),
        e("", "Marca não cadastrada para o produto.", "CDMARCA_N_EXISTE"),
        e("", "Produto não cadastrado para o fornecedor informado.", "PROD_N_CAD_FORN"),
        e("", "Marca com qualificação vencida.", "CdMarca_Quali_Venc"),
        e("", "Produto não qualificado para o fornecedor informado.", "PROD_N_QUA_FORN"),
        e("", "Fornecedor não fornece para filial destino informada.", "Forn_N_Atend_Filial"),
        e("", "Fornecedor não atende à região da filial.", "RegFil_NAtend"),
        e("", "Embalagem não utilizada para o processo de compras", "Emb_n_Ativ"),
    };
    return p;
}

const DomainEntry kBoughtByBranch = e("", "Produto comprado pela filial.", "ProdCmpFili_Filial");
const DomainEntry kBoughtByHeadOffice = e("", "Produto comprado pela matriz.", "ProdCmpFili_Matriz");

}  // namespace

const CodeDomain& baixaItemDomain() {
    static const CodeDomain d{{e("", "Em Aberto", "EmAberto"), e("1", "Baixa Parcial", "B_Parcial"),
                               e("2", "Baixa Total", "B_Total"), e("3", "Baixa Manual", "B_Manual")},
                              std::nullopt};
    return d;
}

const CodeDomain& baixaFuturaDomain() {
    static const CodeDomain d{{e("S", "Sim", "S"), e("N", "Não", "N")}, std::nullopt};
    return d;
}

const CodeDomain& tipoLancItemDomain() {
    static const CodeDomain d{{e("A", "Automática", "msg_Auto"), e("M", "Manual", "msg_Manual")}, std::nullopt};
    return d;
}

const CodeDomain& pesqTpiJurDomain() {
    static const CodeDomain d{{e("F", "Física", "CPF_Pesq"), e("I", "Insc. Jurídica", "JUR_Pesq"),
                               e("J", "Jurídica", "CGC_Pesq"), e("O", "Outros", "OUTROS_Pesq")},
                              std::nullopt};
    return d;
}

bool isReasonedItem(const QString& code) {
    const QString c = code.trimmed();
    return !c.isEmpty() && c != QLatin1String("0000000000");
}

QString reasonText(const QString& code) {
    if (!isReasonedItem(code)) return {};
    QString text;
    for (const Reason& r : reasons()) {
        const int i = r.position - 1;
        if (i < code.size() && code.at(i) == QLatin1Char(r.value)) text += r.text.text + QLatin1Char('\n');
    }
    return text;
}

QStringList productErrorTexts(const QString& dsErros, bool suppliesModule) {
    QStringList lines;
    const std::vector<DomainEntry>& texts = productErrors();
    for (int i = 0; i < 9 && i < dsErros.size(); ++i) {
        if (dsErros.at(i) != QLatin1Char('S')) continue;
        if (i < int(texts.size())) lines << texts[size_t(i)].text;
        else lines << (suppliesModule ? kBoughtByBranch : kBoughtByHeadOffice).text;
    }
    return lines;
}

QString receiptOperatorText(const QString& name, const QDate& receiptDate) {
    if (name.trimmed().isEmpty()) return {};
    return receiptDate.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" - ") + name;
}

QString rankingText(double ranking) { return QString::number(qint64(std::llround(ranking))) + QStringLiteral("º"); }

QStringList itemMessageLines() {
    QStringList lines;
    QSet<QString> seen;
    auto add = [&](const DomainEntry& entry) {
        if (entry.key.isEmpty() || seen.contains(entry.key.toCaseFolded())) return;
        seen.insert(entry.key.toCaseFolded());
        lines << entry.key + QLatin1Char('|') + entry.text;
    };
    for (const CodeDomain* d : {&baixaItemDomain(), &baixaFuturaDomain(), &tipoLancItemDomain(), &pesqTpiJurDomain()})
        for (const DomainEntry& entry : d->entries) add(entry);
    for (const Reason& r : reasons()) add(r.text);
    for (const DomainEntry& entry : productErrors()) add(entry);
    add(kBoughtByBranch);
    add(kBoughtByHeadOffice);
    return lines;
}

}  // namespace afdesk
