#include "reference_rows.h"

#include "catalogue_data.h"
#include "demo_password.h"

#include "host/services/inscricao.h"

#include <future>
#include <map>

namespace afdemo {

namespace {

namespace cat = catalogue;

const QVariant kNull;

QVariant orNull(const QString& text) { return text.isEmpty() ? kNull : QVariant(text); }
QString yes(bool b) { return b ? QStringLiteral("S") : QStringLiteral("N"); }

QString functionOf(const Branch& b) {
    switch (b.role) {
    case BranchRole::Central: return QStringLiteral("C");
    case BranchRole::LogisticOperator: return QStringLiteral("O");
    case BranchRole::Store: return QStringLiteral("L");
    }
    return {};
}

void branchRows(const World& w, RowBuffer& out) {
    TableRows& t = out.table("FILIAL", {"CDFILIAL", "NMFILIAL", "CDEMPRESA", "CDFILCENTCMP", "IDFUNCAOFILI",
                                        "CDINSCESTA", "CDREGIAO", "IDCNTRRESC", "CDFILIOPELOG", "SGESTADO",
                                        "TXOBSFILIAL", "DTPROCFILI"});
    // Centrals first, then the logistic operators, then the stores that reference both.
    for (BranchRole role : {BranchRole::Central, BranchRole::LogisticOperator, BranchRole::Store})
        for (const Branch& b : w.branches) {
            if (b.role != role) continue;
            t.add({b.code, b.name, b.company, orNull(b.central), functionOf(b), b.stateRegistration, b.region,
                   yes(b.contractRescinded), orNull(b.logisticOperator), b.state, orNull(b.note),
                   QDateTime(demoBaseDate(), QTime(0, 0))});
        }
}

void groupingRows(const World& w, RowBuffer& out) {
    TableRows& groups = out.table("GRUPFILI", {"CDGRUPFILI", "NMGRUPFILI"});
    TableRows& members = out.table("FILIAGRUPFILI", {"CDGRUPFILI", "CDFILIAL"});
    int next = 1;
    for (int central : w.centrals) {
        const Branch& c = w.branches[std::size_t(central)];
        const QString group = code(next++, 10);
        groups.add({group, (QStringLiteral("Lojas da ") + c.name).left(40)});
        for (const Branch& b : w.branches)
            if (b.central == c.code && b.role == BranchRole::Store) members.add({group, b.code});
    }
    const QString withOperator = code(next++, 10);
    groups.add({withOperator, QStringLiteral("Lojas atendidas por operador logístico")});
    for (const Branch& b : w.branches)
        if (!b.logisticOperator.isEmpty()) members.add({withOperator, b.code});
    groups.add({code(next++, 10), QStringLiteral("Lojas em implantação")});  // an empty grouping
}

}  // namespace

void organisationRows(const World& w, RowBuffer& out) {
    TableRows& companies = out.table("EMPRESA", {"CDEMPRESA", "NMEMPRESA", "NRINSJUREMPR"});
    static const char* bases[] = {"112223330001", "445556660001"};
    for (std::size_t i = 0; i < w.companies.size(); ++i)
        companies.add({w.companies[i], w.companyNames[i], host::CompletaCNPJ(QString::fromLatin1(bases[i]))});

    TableRows& regions = out.table("REGIAO", {"CDREGIAO", "NMREGIAO"});
    const auto& r = cat::regions();
    for (std::size_t i = 0; i < r.size(); ++i) regions.add({code(qint64(i) + 1, 10), QString::fromUtf8(r[i].name)});

    branchRows(w, out);

    TableRows& emitters = out.table("EMPRCNTRFIL", {"CDEMPRESA", "CDFILIAL"});
    TableRows& customers = out.table("CLIENFILIAL", {"CDFILIAL", "CDCLIENTE", "NMRAZSOCCLIE", "IDCLIENPRIN"});
    for (const Branch& b : w.branches) {
        for (const QString& company : b.companies) emitters.add({company, b.code});
        if (!b.hasParameters()) continue;
        if (b.mainCustomer)
            customers.add({b.code, code(900000 + b.ordinal * 2, 21),
                           (QStringLiteral("Cliente Principal ") + b.name).left(40), QStringLiteral("S")});
        customers.add({b.code, code(900001 + b.ordinal * 2, 21), QStringLiteral("Consumidor Final"), QStringLiteral("N")});
    }
    groupingRows(w, out);
}

std::vector<DemoLogin> demoLogins(const World& w) {
    std::vector<DemoLogin> logins = {
        {QStringLiteral("ADMIN"), QStringLiteral("Administrador do Sistema"), QStringLiteral("admin")},
        {QStringLiteral("GERENTE"), QStringLiteral("Roberto Nogueira"), QStringLiteral("gerente")},
        {QStringLiteral("ASSIST"), QStringLiteral("Lucas Ferreira"), QStringLiteral("assist")},
        {QStringLiteral("CONSULTA"), QStringLiteral("Sandra Rocha"), QStringLiteral("consulta")},
        {QStringLiteral("SEMAF"), QStringLiteral("Rafael Dias"), QStringLiteral("semaf")},
    };
    for (const Buyer& b : w.buyers) logins.push_back({b.code, b.name, QStringLiteral("compras")});
    return logins;
}

// Argon2id is slow on purpose: each distinct password is hashed once, all of
// them at the same time.
std::map<QString, QString> passwordHashes(const World& w) {
    std::map<QString, std::future<QString>> pending;
    for (const DemoLogin& login : demoLogins(w))
        if (!pending.count(login.password))
            pending.emplace(login.password, std::async(std::launch::async, demoPasswordHash, login.password, w.options.seed));
    std::map<QString, QString> hashes;
    for (auto& [password, hash] : pending) hashes.emplace(password, hash.get());
    return hashes;
}

void peopleRows(const World& w, RowBuffer& out) {
    const QString home = w.branches[std::size_t(w.centrals.front())].code;
    const std::map<QString, QString> hashes = passwordHashes(w);
    TableRows& operators = out.table("OPERADOR", {"CDOPERADOR", "NMOPERADOR", "DSSENHAHASH", "IDOPERATIVO",
                                                  "DSEMAILOPER", "CDFILIAL"});
    for (const DemoLogin& login : demoLogins(w))
        operators.add({login.code, login.name, hashes.at(login.password), QStringLiteral("A"),
                       login.code.toLower() + QStringLiteral("@andrade.example.com"), home});

    TableRows& groups = out.table("GRUPOPER", {"CDGRUPOPER", "NMGRUPOPER"});
    groups.add({QStringLiteral("01"), QStringLiteral("Administradores")});
    groups.add({QStringLiteral("02"), QStringLiteral("Compradores")});
    groups.add({QStringLiteral("03"), QStringLiteral("Consulta (somente leitura)")});
    groups.add({QStringLiteral("04"), QStringLiteral("Sem acesso às AFs")});

    TableRows& members = out.table("OPERGRUPOP", {"CDGRUPOPER", "CDOPERADOR"});
    members.add({QStringLiteral("01"), QStringLiteral("ADMIN")});
    members.add({QStringLiteral("01"), QStringLiteral("GERENTE")});
    members.add({QStringLiteral("02"), QStringLiteral("ASSIST")});
    members.add({QStringLiteral("03"), QStringLiteral("CONSULTA")});
    members.add({QStringLiteral("04"), QStringLiteral("SEMAF")});
    for (const Buyer& b : w.buyers) members.add({QStringLiteral("02"), b.code});

    // Every permission is held by some group, so none is granted to everybody by default.
    TableRows& grants = out.table("AUTGRUPOP", {"CDGRUPOPER", "IDAUTGRUPOP"});
    for (const char* p : {"ENAF", "CAAF", "ABAF", "EXAF", "ALAF"}) grants.add({QStringLiteral("01"), QString::fromLatin1(p)});
    for (const char* p : {"ENAF", "CAAF"}) grants.add({QStringLiteral("02"), QString::fromLatin1(p)});

    TableRows& buyers = out.table("COMPRADOR", {"CDOPERADOR", "VRLIMITECOMP"});
    for (const Buyer& b : w.buyers) buyers.add({b.code, b.limit});

    TableRows& relations = out.table("COMPROPER", {"CDCOMPRADOR", "CDOPERADOR", "IDEXSENHCMPOPER", "IDCOTCMPOPER",
                                                   "IDAPURCMPOPER", "IDAFCMPOPER"});
    const QString s = QStringLiteral("S");
    const QString n = QStringLiteral("N");
    for (const Buyer& b : w.buyers) {
        relations.add({b.code, QStringLiteral("ADMIN"), n, s, s, s});
        relations.add({b.code, QStringLiteral("GERENTE"), n, s, s, s});
    }
    // The assistant: asked for MARIA's password, refused for JOAO's AFs, free for PAULA's.
    relations.add({QStringLiteral("MARIA"), QStringLiteral("ASSIST"), s, s, s, s});
    relations.add({QStringLiteral("JOAO"), QStringLiteral("ASSIST"), n, s, s, n});
    relations.add({QStringLiteral("PAULA"), QStringLiteral("ASSIST"), n, s, n, s});
    relations.add({QStringLiteral("PEDRO"), QStringLiteral("MARIA"), n, s, n, s});  // a buyer covering for another

    TableRows& managers = out.table("GERECOMP", {"CDOPERCOMP", "CDOPERGERE"});
    for (const Buyer& b : w.buyers) managers.add({b.code, b.manager});
}

void parameterRows(const World& w, RowBuffer& out) {
    out.table("PARAMGERAL", {"CDPARAMGERAL", "IDCONSORCFIN", "IDSISDOS", "IDCACHPRODFI", "IDINTEGMERCAD"})
        .add({QStringLiteral("1"), QStringLiteral("N"), QStringLiteral("1"), QStringLiteral("S"), QStringLiteral("S")});

    TableRows& supply = out.table(
        "PARASUPRI", {"CDFILIAL", "CDGRUPOPER", "IDULTIDTVALQ", "IDVALDTAF", "IDBLOQUEAAF", "IDMARSEMQUA", "IDPROSEMMAR",
                      "IDPROSEMFOR", "IDUTQTDEVOLU", "CDTIPOOPER", "IDATUSOLILAF", "IDUTLPROCMPAF", "IDBLPRCOMEST",
                      "CDGRUPPROD", "NRDIAANTENTRAF", "NRDIALIMALTAF", "DTBASELIMALTAF"});
    TableRows& purchasing = out.table(
        "PARCMPSUP", {"CDFILIAL", "IDTIPEMITGER", "CDEMPRESA", "IDCARPRECLAF", "IDOBLIBAFMAN", "IDAUDALTAF",
                      "IDBLOQFORNCOTAF", "IDVERPRODCMPFIL", "CDOPERADOR", "IDTPARQENVMA", "DSDIRLOGAUTF", "IDTPLANCITAF",
                      "IDUTILIZAINTSAC", "IDUTAPROVSOL", "IDULTDESTSOL", "IDEXIGAPRGERCMP", "IDAPROVITMSOLGR",
                      "CDGRUPPROD", "CDSUBGRPROD"});
    const QString goods = code(1, 10);
    for (const Branch& b : w.branches) {
        if (!b.hasParameters()) continue;
        const int o = b.ordinal;
        supply.add({b.code, QStringLiteral("03"), o % 2 == 0 ? QStringLiteral("D") : QStringLiteral("M"),
                    o % 3 == 1 ? QStringLiteral("D") : QStringLiteral("M"), yes(o % 2 == 1), yes(o % 3 == 0),
                    yes(o % 4 == 1), yes(o % 4 == 2), yes(o % 3 == 2), QStringLiteral("01"), yes(o % 2 == 0),
                    yes(o % 3 == 0), yes(o % 5 == 3), goods, o % 2 == 0 ? QStringLiteral("10") : QStringLiteral("5"),
                    o % 3 == 0 ? QStringLiteral("60") : QStringLiteral("30"), dateText(w.base.addDays(-90))});
        purchasing.add({b.code, orNull(b.emitterType), orNull(b.emitterCompany), yes(o % 2 == 0), yes(o % 3 == 1),
                        yes(b.audited), yes(o % 4 == 3), yes(o % 3 == 2),
                        b.role == BranchRole::Central ? QVariant(QStringLiteral("ADMIN")) : kNull, QStringLiteral("1"),
                        kNull, o % 2 == 1 ? QStringLiteral("1") : QStringLiteral("0"), yes(o % 3 == 0), yes(o % 2 == 0),
                        yes(o % 2 == 1), yes(o % 4 == 1), yes(o % 3 == 1), goods, kNull});
    }
}

void catalogueRows(const World&, RowBuffer& out) {
    TableRows& charges = out.table("ENCARGO", {"CDENCARGO", "NMENCARGO"});
    charges.add({QStringLiteral("01"), QStringLiteral("Frete")});
    charges.add({QStringLiteral("02"), QStringLiteral("Seguro")});
    charges.add({QStringLiteral("03"), QStringLiteral("Descarga")});
    charges.add({QStringLiteral("04"), QStringLiteral("Paletização")});

    TableRows& messages = out.table("MENSCOMP", {"CDMENSCMP", "NMMENSCMP"});
    const QStringList& m = cat::purchaseMessages();
    for (int i = 0; i < m.size(); ++i) messages.add({code(i + 1, 4), m[i]});

    TableRows& justifications = out.table("JUSTSOLI", {"CDJUSTSOL", "DSJUSTSOL"});
    const QStringList& j = cat::justifications();
    for (int i = 0; i < j.size(); ++i) justifications.add({code(i + 1, 4), j[i]});
}

}  // namespace afdemo
