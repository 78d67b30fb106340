#include "host/services/inscricao.h"

#include "host/services/edit_mask.h"

#include <algorithm>

namespace host {
namespace {

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isAsciiUpperOrDigit(QChar c) { return isAsciiDigit(c) || (c >= u'A' && c <= u'Z'); }

bool allDigits(const QString& s) { return !s.isEmpty() && std::all_of(s.begin(), s.end(), isAsciiDigit); }

// The number without its mask literals and blanks.
QString compact(const QString& number) {
    QString out;
    out.reserve(number.size());
    for (QChar c : number)
        if (c != u'.' && c != u'/' && c != u'-' && c != u'_' && !c.isSpace()) out += c;
    return out;
}

bool oneRepeatedChar(const QString& s) { return std::all_of(s.begin(), s.end(), [&](QChar c) { return c == s[0]; }); }

// Modulo-11 check digit over `digits` with weights counting down from `firstWeight`
// and wrapping from 2 back to 9 (CNPJ) or running straight down (CPF). A letter
// counts as its code minus 48, the rule of the alphanumeric CNPJ.
QChar checkDigit(const QString& digits, int firstWeight, bool wrapAtNine) {
    int sum = 0;
    int weight = firstWeight;
    for (QChar c : digits) {
        sum += (c.unicode() - u'0') * weight;
        weight = (wrapAtNine && weight == 2) ? 9 : weight - 1;
    }
    const int rest = sum % 11;
    return QChar(u'0' + (rest < 2 ? 0 : 11 - rest));
}

QString cpfOf(const QString& base9) {
    QString n = base9;
    n += checkDigit(n, 10, false);
    n += checkDigit(n, 11, false);
    return n;
}

QString cnpjOf(const QString& base12) {
    QString n = base12;
    n += checkDigit(n, 5, true);
    n += checkDigit(n, 6, true);
    return n;
}

bool cnpjBaseShape(const QString& base) {
    return base.size() == 12 && std::all_of(base.begin(), base.end(), isAsciiUpperOrDigit);
}

}  // namespace

bool CPFValido(const QString& number) {
    const QString n = compact(number);
    return n.size() == 11 && allDigits(n) && !oneRepeatedChar(n) && cpfOf(n.left(9)) == n;
}

bool CNPJValido(const QString& number) {
    const QString n = compact(number).toUpper();
    return n.size() == 14 && cnpjBaseShape(n.left(12)) && allDigits(n.right(2)) && !oneRepeatedChar(n) &&
           cnpjOf(n.left(12)) == n;
}

QString CompletaCPF(const QString& base9) {
    return base9.size() == 9 && allDigits(base9) ? cpfOf(base9) : QString();
}

QString CompletaCNPJ(const QString& base12) { return cnpjBaseShape(base12) ? cnpjOf(base12) : QString(); }

QString Ajusta_Inscricao(QString& number) {
    number = number.trimmed();
    if (number.isEmpty()) return {};
    const QString n = compact(number).toUpper();
    if (CPFValido(n)) {
        number = n;
        return kPessoaFisica;
    }
    if (CNPJValido(n)) {
        number = n;
        return kPessoaJuridica;
    }
    if (allDigits(n)) {
        number = n;
        return kInscricaoEstadual;
    }
    return kPessoaOutros;
}

QString PictPess(const QString& type) {
    if (type == kPessoaFisica) return QStringLiteral("999.999.999-99;0;_");
    if (type == kPessoaJuridica) return QStringLiteral(">AA.AAA.AAA/AAAA-99;0;_");
    if (type == kInscricaoEstadual) return QStringLiteral("99999999999999;0;_");
    return {};
}

QString FormataInscricao(const QString& number, const QString& type) {
    return formatMaskText(PictPess(type), number);
}

}  // namespace host
