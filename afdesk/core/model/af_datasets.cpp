#include "af_datasets.h"

#include "code_domains.h"
#include "field_defs.h"

#include "host/data/dataset.h"
#include "host/services/consiste.h"

namespace afdesk {

namespace {

// The AF total as the list and the header show it.
const QString kTotalFormat = QStringLiteral("####,##0.00000");

using host::Dataset;
using host::Field;
using host::FieldDef;
using host::Value;

using namespace fieldDefs;

FieldDef num(const char* name) { return FieldDef::floating(QString::fromLatin1(name)); }

// A string value of any view row ("" for null).
QString textAt(const Value& v) {
    const QString* s = std::get_if<QString>(&v);
    return s ? *s : QString();
}

bool isS(const Field& f) { return f.asString().trimmed() == QLatin1String("S"); }

// With "Cliente Principal" as the invoice recipient the company is not the AF's to show.
void hideWhenClientePrincipal(Field& f) {
    f.onGetText = [](const Field& self, bool) {
        if (self.dataset().field(QStringLiteral("IDTIPOEMITAF")).asString().trimmed() == QLatin1String("3")) return QString();
        return self.asString();
    };
}

// The header shows the receipt situation of the list's current row, not its own.
void followListRow(Field& f, const Dataset& list, const CodeDomain& domain) {
    const QString name = f.name();
    f.onGetText = [&list, &domain, name](const Field&, bool) {
        if (!list.active() || list.isEmpty()) return QString();
        return domain.textOf(list.field(name).asString());
    };
}

}  // namespace

void defineServAutoForne(Dataset& list, ScreenQuestion produtosTabActive) {
    addAll(list, {hid("CDFILDEST", 4),
                  str("NRAUTOFORN", 10, "Número"),
                  str("CDFILLANC", 4, "Lanç."),
                  maskedDate("DTAUTOFORN", "Data"),
                  str("NMRAZSOCFORN", 40, "Fornecedor"),
                  hid("IDTPENVAFFOR", 1),
                  hid("CDFORNECED", 21),
                  str("IDAUTOFORNEX", 1, "Extra"),
                  str("IDBAIXAAF", 1, "Sit. da Baixa"),
                  str("IDBAIXAFSAI", 1, "Baixa de Saída"),
                  str("IDSITUATUAAF", 1, "Cons."),
                  str("IDAFFORALIM", 1, "Lim."),
                  hid("IDTIPOLANCAF", 1),
                  str("IDSITUENVAFMCD", 1, "Atualiza c/ Mercadum"),
                  FieldDef::floating(QStringLiteral("VRTOTALAF"), QStringLiteral("Total"), kTotalFormat)
                      .withAlignment(Qt::AlignRight),
                  str("IDAFPRODWEB", 1, " "),
                  str("IDAFOPERLOG", 1, " "),
                  hid("CDFILDESTCON", 4),
                  hid("CDFILLANCCON", 4),
                  hid("NRAUTOFORCON", 10),
                  hid("NMFILDESTCON", 30),
                  hid("CDGERENTE", 12),
                  hid("NRSEQAPURAF", 10),
                  date("DTPROGENTAF", "Entrega"),
                  hid("IDAFEXPIRADA", 1),
                  hid("IDDEVOLUCAONF", 20),
                  hid("NMDEVO", 20).asCalculated(),
                  hid("CDOPERADOR", 12),
                  str("IDBAIXITMFUTURA", 1, "Baixa Futura"),
                  hid("IDAFPILOTO", 1),
                  hid("IDITAFMIGRADA", 1),
                  hid("IDITMSEPARADO", 1)});

    list.field(QStringLiteral("DTPROGENTAF")).onSetText = host::DateSetText;
    // Nothing is shown while the list is empty; an expired AF reads "Expirada".
    list.field(QStringLiteral("IDBAIXAAF")).onGetText = [](const Field& f, bool) {
        if (f.dataset().isEmpty()) return QString();
        return listBaixaText(f.asString(), f.dataset().field(QStringLiteral("IDAFEXPIRADA")).asString());
    };
    list.field(QStringLiteral("IDBAIXAFSAI")).onGetText = [](const Field& f, bool) {
        if (f.dataset().isEmpty()) return QString();
        return baixaAFSaiDomain().textOf(f.asString());
    };
    showDomain(list.field(QStringLiteral("IDAUTOFORNEX")), autoFornExDomain());
    showDomain(list.field(QStringLiteral("IDTIPOLANCAF")), tipoLancAFDomain());
    showDomain(list.field(QStringLiteral("IDSITUENVAFMCD")), situEnvMcdDomain());
    list.field(QStringLiteral("IDITAFMIGRADA")).onGetText = [produtosTabActive](const Field& f, bool) {
        return itAFMigradaDomain(produtosTabActive && produtosTabActive()).textOf(f.asString());
    };
    list.onCalcFields.add([](Dataset& ds) {
        Field& devo = ds.field(QStringLiteral("NMDEVO"));
        if (isS(ds.field(QStringLiteral("IDDEVOLUCAONF")))) devo.setAsString(kDevolucao.text);
        else devo.clear();
    });
}

void defineAutoForne(Dataset& header, const Dataset& list) {
    addAll(header, {str("CDFILDEST", 4),     str("CDFILLANC", 4),     str("NRAUTOFORN", 10),   str("IDAUTOFORNEX", 1),
                    str("CDFORNECED", 21),   str("NMRAZSOCFORN", 40), str("NRINSJURFORN", 20), str("IDTPIJURFORN", 1),
                    str("NMFANTFORN", 40),   maskedDate("DTAUTOFORN"), str("CDOPERADOR", 12),  str("IDTIPOEMITAF", 1),
                    str("IDTIPOFRETAF", 1),  str("CDEMPRESA", 2),     str("CDTIPCOB", 2),      str("IDTPIJURTRAN", 1),
                    str("NRINSJURTRAN", 20), str("NMFILIAL", 30),     str("NMEMPRESA", 40),    str("NMOPERADOR", 40),
                    str("NMTIPOCOBR", 20),   str("NMRAZSOCTRAN", 40), str("IDSITUATUAAF", 1),  str("IDAFFORALIM", 1),
                    str("IDBAIXAAF", 1),     str("IDBAIXAFSAI", 1),   str("CDFORMPGTO", 2),    str("NMFORMPGTO", 30),
                    str("IDTPFORPGTAF", 1),  num("NRPARCPGTOAF"),     num("NRDIAPGFIXAF"),     str("IDUTDIAPGTAF", 1),
                    str("IDTIPOLANCAF", 1),  num("VRTOTALAF"),        str("CDGERENTE", 12),    str("CDTPCTPAGAR", 6),
                    str("DSTPCTPAGAR", 40),  str("IDAFPRODWEB", 1),   str("IDAFOPERLOG", 1),   str("IDENVAFECEDI", 1),
                    str("NMFILDEST", 30),    str("IDAFPILOTO", 1),    hid("CDFILIOPELOG", 4)});

    followListRow(header.field(QStringLiteral("IDBAIXAAF")), list, baixaAFDomain());
    followListRow(header.field(QStringLiteral("IDBAIXAFSAI")), list, baixaAFSaiDomain());
    for (const char* name : {"IDTIPOEMITAF", "IDTIPOFRETAF", "IDTPFORPGTAF", "IDTPIJURFORN", "IDTPIJURTRAN"}) {
        const CodeDomain& domain = [&]() -> const CodeDomain& {
            const QLatin1String n(name);
            if (n == QLatin1String("IDTIPOEMITAF")) return tipoEmitAFDomain();
            if (n == QLatin1String("IDTIPOFRETAF")) return tipoFretAFDomain();
            if (n == QLatin1String("IDTPFORPGTAF")) return tpForPgtAFDomain();
            return tpiJurDomain();
        }();
        Field& f = header.field(QString::fromLatin1(name));
        showDomain(f, domain);
        acceptDomain(f, domain);
    }
    showDomain(header.field(QStringLiteral("IDAUTOFORNEX")), autoFornExDomain());
    showDomain(header.field(QStringLiteral("IDTIPOLANCAF")), tipoLancAFDomain());
    showInscricao(header.field(QStringLiteral("NRINSJURFORN")), "IDTPIJURFORN");
    showInscricao(header.field(QStringLiteral("NRINSJURTRAN")), "IDTPIJURTRAN");
    // The total reads as the list shows it.
    header.field(QStringLiteral("VRTOTALAF")).setDisplayFormat(kTotalFormat);
    hideWhenClientePrincipal(header.field(QStringLiteral("CDEMPRESA")));
    hideWhenClientePrincipal(header.field(QStringLiteral("NMEMPRESA")));
}

void defineFilialDest(Dataset& branches) {
    addAll(branches, {str("CDFILIAL", 4, "Código").asReadOnly(),
                      str("NMFILIAL", 30, "Nome").asReadOnly(),
                      str("CDFILCENTCMP", 4),
                      str("NMCENTCMP", 30),
                      str("CDGRUPOPER", 2),
                      str("IDULTIDTVALQ", 1),
                      str("IDVALDTAF", 1),
                      str("IDBLOQUEAAF", 1),
                      str("IDMARSEMQUA", 1),
                      str("IDPROSEMMAR", 1),
                      str("IDPROSEMFOR", 1),
                      str("IDUTQTDEVOLU", 1),
                      str("IDTIPEMITGER", 1),
                      str("CDEMPRESA", 2),
                      str("CDTIPOOPER", 2),
                      str("IDCARPRECLAF", 1),
                      str("IDATUSOLILAF", 1),
                      str("DSDIRLOGAUTF", 250),
                      date("DTATUAL"),
                      str("IDOBLIBAFMAN", 1),
                      str("IDAUDALTAF", 1),
                      fixed("IDBLOQFORNCOTAF", 1),
                      fixed("IDVERPRODCMPFIL", 1),
                      str("CDOPERADOR", 12)});
}

void guardFilialDest(Dataset& branches, ScreenQuestion filialDestTabActive) {
    branches.beforeEdit.add([](Dataset&) { throw host::Abort(); });
    branches.beforeInsert.add([filialDestTabActive](Dataset&) {
        if (filialDestTabActive && filialDestTabActive()) throw host::Abort();
    });
}

void defineAuxParCmp(Dataset& ds) {
    addAll(ds, {str("CDFILIAL", 4),     str("NMFILIAL", 30),    str("CDFILCENTCMP", 4),      str("IDTPARQENVMA", 1),
                str("IDTIPEMITGER", 1), str("IDULTIDTVALQ", 1), str("IDVALDTAF", 1),         str("IDBLOQUEAAF", 1),
                str("IDMARSEMQUA", 1),  str("IDPROSEMMAR", 1),  str("IDPROSEMFOR", 1),       str("IDUTQTDEVOLU", 1),
                str("IDCARPRECLAF", 1), str("IDOBLIBAFMAN", 1), fixed("IDBLOQFORNCOTAF", 1), fixed("IDVERPRODCMPFIL", 1),
                str("IDAUDALTAF", 1),   str("CDOPERADOR", 12)});
}

void defineParamFilial(Dataset& ds) {
    // The fields read by name; whatever else the server sends is kept after them.
    addAll(ds, {str("CDFILIAL", 4),     str("CDGRUPOPER", 2),     str("IDUTQTDEVOLU", 1), str("IDBLOQUEAAF", 1),
                str("IDPROSEMMAR", 1),  str("IDULTIDTVALQ", 1),   str("IDVALDTAF", 1),    str("IDUTLPROCMPAF", 1),
                str("IDBLPRCOMEST", 1), str("IDUTILIZAINTSAC", 1)});
}

void defineParamGeral(Dataset& ds) {
    addAll(ds, {str("PARAM", 4), str("ID", 10), str("NRDIAANTENTRAF", 4), date("DATA")});
}

void defineControleFilial(Dataset& ds) { ds.addField(str("CDFILDEST", 4)); }

void defineDadosAF(Dataset& ds) {
    addAll(ds, {str("CDERRO", 2),       str("DSERRO", 255),    str("CDPRODUTO", 10),  str("CDARVPROD", 20),
                str("CDPARTFILI", 1),   str("CDFORNECED", 21), str("CDMARCA", 5),     date("DTPROGENTAF"),
                num("VR1"),             num("VR2"),            str("NMPRODPREF", 50), str("CDMARCA_PART", 5),
                str("CDFORNECED_PART", 21)});
}

int paramGeralRow(const Dataset& paramGeral, const QString& id) {
    if (!paramGeral.active()) return -1;
    const int idField = paramGeral.field(QStringLiteral("ID")).index();
    for (int row = 0; row < paramGeral.recordCount(); ++row)
        if (textAt(paramGeral.valueAt(row, idField)).trimmed() == id) return row;
    return -1;
}

bool marketplaceEnabled(const Dataset& paramGeral) {
    const int row = paramGeralRow(paramGeral, QStringLiteral("PARAMGERAL"));
    if (row < 0) return false;
    return textAt(paramGeral.valueAt(row, paramGeral.field(QStringLiteral("PARAM")).index())).trimmed() ==
           QLatin1String("S");
}

QString descricaoErro(const Dataset& dadosAF, const QString& code) {
    if (!dadosAF.active()) return {};
    const int cdErro = dadosAF.field(QStringLiteral("CDERRO")).index();
    const int dsErro = dadosAF.field(QStringLiteral("DSERRO")).index();
    for (int row = 0; row < dadosAF.recordCount(); ++row)
        if (textAt(dadosAF.valueAt(row, cdErro)).trimmed() == code.trimmed()) return textAt(dadosAF.valueAt(row, dsErro));
    return {};
}

}  // namespace afdesk
