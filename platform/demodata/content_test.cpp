// What the demo offers: every AF situation the screens handle, parameters that
// differ between branches, valid registration numbers and working logins.
#include "demo_test_fixture.h"

#include "platform/security/password_hash.h"

#include "host/services/inscricao.h"
#include "host/testing/qt_printers.h"

namespace afdemo::testing {
namespace {

class DemoContentTest : public GeneratedDemoTest {};

struct Present {
    const char* what;
    const char* table;
    const char* where;
};

TEST_P(DemoContentTest, EverySituationIsPresent) {
    const std::vector<Present> cases = {
        {"AF em aberto", "AUTOFORNE",
         "IDBAIXAAF IS NULL AND IDAFEXPIRADA = 'N' AND CDFILDESTCON IS NULL AND IDITMSEPARADO = 'N'"},
        {"baixa parcial", "AUTOFORNE", "IDBAIXAAF = '1'"},
        {"baixa total", "AUTOFORNE", "IDBAIXAAF = '2'"},
        {"baixa manual", "AUTOFORNE", "IDBAIXAAF = '3'"},
        {"encerrada", "AUTOFORNE", "IDBAIXAAF = '4'"},
        {"cancelada", "AUTOFORNE", "IDBAIXAAF = '5'"},
        {"EDI", "AUTOFORNE", "IDBAIXAAF = '7'"},
        {"expirada", "AUTOFORNE", "IDAFEXPIRADA = 'S'"},
        {"consolidada", "AUTOFORNE", "CDFILDESTCON IS NOT NULL"},
        {"consolidadora", "AUTOFORNE", "IDAFOPERLOG = '1'"},
        {"distribuída pelo operador logístico", "AUTOFORNE", "IDAFOPERLOG = '2'"},
        {"saída em aberto", "AUTOFORNE", "IDAFOPERLOG = '2' AND IDBAIXAFSAI IS NULL"},
        {"saída parcial", "AUTOFORNE", "IDBAIXAFSAI = '1'"},
        {"saída total", "AUTOFORNE", "IDBAIXAFSAI = '2'"},
        {"saída manual", "AUTOFORNE", "IDBAIXAFSAI = '3'"},
        {"itens separados", "AUTOFORNE", "IDITMSEPARADO = 'S'"},
        {"automática", "AUTOFORNE", "IDTIPOLANCAF = 'A'"},
        {"automática em aberto", "AUTOFORNE", "IDTIPOLANCAF = 'A' AND IDBAIXAAF IS NULL"},
        {"manual", "AUTOFORNE", "IDTIPOLANCAF = 'M'"},
        {"web", "AUTOFORNE", "IDAFPRODWEB = 'S'"},
        {"inconsistente", "AUTOFORNE", "IDSITUATUAAF = '1' AND DSINCONSAF IS NOT NULL"},
        {"fora do limite", "AUTOFORNE", "IDAFFORALIM = 'S'"},
        {"aguardando o gerente", "AUTOFORNE", "CDGERENTE IS NOT NULL"},
        {"migrada", "AUTOFORNE", "IDITAFMIGRADA = 'S'"},
        {"AF extra", "AUTOFORNE", "IDAUTOFORNEX = 'S'"},
        {"AF piloto", "AUTOFORNE", "IDAFPILOTO = 'S'"},
        {"com devolução", "AUTOFORNE", "IDDEVOLUCAONF = 'S'"},
        {"baixa futura", "AUTOFORNE", "IDBAIXITMFUTURA = 'S'"},
        {"já atualizada no marketplace", "AUTOFORNE", "IDSITUENVAFMCD = 'S'"},
        {"ainda não atualizada no marketplace", "AUTOFORNE", "IDSITUENVAFMCD = 'N'"},
        {"pagamento fixo no dia", "AUTOFORNE", "IDTPFORPGTAF = 'F'"},
        {"pagamento pela forma", "AUTOFORNE", "IDTPFORPGTAF = 'V'"},
        {"sem forma de pagamento", "AUTOFORNE", "IDTPFORPGTAF IS NULL"},
        {"emitente cliente principal", "AUTOFORNE", "IDTIPOEMITAF = '3'"},
        {"emitente informado", "AUTOFORNE", "IDTIPOEMITAF = '2'"},
        {"item em aberto", "ITEMAUTF", "IDBAIXITMAF IS NULL"},
        {"item com baixa parcial", "ITEMAUTF", "IDBAIXITMAF = '1'"},
        {"item com baixa manual", "ITEMAUTF", "IDBAIXITMAF = '3' AND CDOPERBAIXA IS NOT NULL"},
        {"item com motivo de melhor preço", "ITEMAUTF", "IDMOTPRESCAF IS NOT NULL AND IDMOTPRESCAF <> '0000000000'"},
        {"item com preço de lista", "ITEMAUTF", "NRLISTAITAF IS NOT NULL"},
        {"item com preço de cotação", "ITEMAUTF", "NRCOTPREITAF IS NOT NULL"},
        {"item com segunda marca", "ITEMAUTF", "CDSEGMARCA IS NOT NULL"},
        {"item com baixa total", "ITEMAUTF", "IDBAIXITMAF = '2'"},
        {"item encerrado", "ITEMAUTF", "IDBAIXITMAF = '4'"},
        {"item cancelado", "ITEMAUTF", "IDBAIXITMAF = '5'"},
        {"item separado", "ITEMAUTF", "IDITMSEPARADO = 'S'"},
        {"item migrado", "ITEMAUTF", "IDITAFMIGRADA = 'S'"},
        {"item de AF automática em aberto", "ITEMAUTF", "IDTPLANITEAF = 'A' AND IDBAIXITMAF IS NULL"},
        {"item de AF em aberto numa filial operador logístico", "ITEMAUTF",
         "IDBAIXITMAF IS NULL AND EXISTS (SELECT 1 FROM FILIAL F WHERE F.CDFILIAL = ITEMAUTF.CDFILDEST AND "
         "F.IDFUNCAOFILI = 'O')"},
        {"nota em duas entregas", "BAIXAITAF",
         "EXISTS (SELECT 1 FROM BAIXAITAF B WHERE B.CDFILDEST = BAIXAITAF.CDFILDEST AND B.CDFILLANC = "
         "BAIXAITAF.CDFILLANC AND B.NRAUTOFORN = BAIXAITAF.NRAUTOFORN AND B.CDPRODUTO = BAIXAITAF.CDPRODUTO AND "
         "B.DTPROGENTAF = BAIXAITAF.DTPROGENTAF AND B.CDMARCA = BAIXAITAF.CDMARCA AND B.NRLANCTONF <> BAIXAITAF.NRLANCTONF)"},
        {"baixa de saída por nota", "BAIXAITAF", "IDENTRSAIDA = 'S'"},
        {"imposto digitado", "IMPITMAF", "IDIMPDIGAF = 'S'"},
        {"encargo", "ENCARGOAF", "1 = 1"},
        {"mensagem", "MENSAUTF", "1 = 1"},
        {"justificativa de alteração", "MOVOPAF", "DSJUSTOPERMOV IS NOT NULL"},
        {"conta a pagar", "CONTPAGAF", "1 = 1"},
        {"solicitação aprovada", "ITEMSOLICMP", "IDSITUITSOL = 'A'"},
        {"solicitação pendente", "ITEMSOLICMP", "IDSITUITSOL = 'P'"},
        {"solicitação reprovada", "ITEMSOLICMP", "IDSITUITSOL = 'R' AND CDJUSTSOL IS NOT NULL"},
        {"solicitação importada", "ITEMSOLICMP", "IDSITUITSOL = 'I' AND NRAUTOFORN IS NOT NULL"},
        {"preço de lista vencido", "ITEMLISTPREC", "DTFINVALITM < :BASE"},
        {"apuração aberta", "APURPREC", "IDSITUAPUR = 'A'"},
        {"apuração fechada", "APURPREC", "IDSITUAPUR = 'F'"},
        {"filial operador logístico", "FILIAL", "IDFUNCAOFILI = 'O'"},
        {"central de compras", "FILIAL", "CDFILCENTCMP IS NULL AND IDFUNCAOFILI = 'C'"},
        {"filial com contrato rescindido", "FILIAL", "IDCNTRRESC = 'S'"},
        {"filial sem parâmetros de compras",
         "FILIAL", "NOT EXISTS (SELECT 1 FROM PARCMPSUP P WHERE P.CDFILIAL = FILIAL.CDFILIAL)"},
        {"fornecedor pessoa física", "FORNECEDOR", "IDTPIJURFORN = 'F'"},
        {"fornecedor inativo", "FORNECEDOR", "IDSITUCADA = 'I'"},
        {"fornecedor com qualificação vencida", "FORNECEDOR", "DTVALQUALIF < :BASE"},
        {"fornecedor sem qualificação", "FORNECEDOR", "CDQUALIF IS NULL"},
        {"fornecedor não qualificado para compra", "FORNECEDOR",
         "CDQUALIF = '0003' OR (CDQUALIF = '0002' AND IDFORNAUTO = 'N')"},
        {"fornecedor EDI", "FORNECEDOR", "IDTPENVAFFOR = '2'"},
        {"fornecedor que recebe a AF por e-mail, sem e-mail", "FORNECEDOR", "IDTPENVAFFOR = '1' AND DSEMAILCOT IS NULL"},
        {"fornecedor de uma data de entrega por AF", "FORNECEDOR", "IDGERAFDTENT = 'S'"},
        {"fornecedor com desconto nos itens", "FORNECEDOR", "IDTPDESCFORN = 'C' AND VRPEDESCFORN > 0"},
        {"marca com qualificação vencida", "MARCPROD", "DTVALQUALMARC < :BASE"},
        {"marca não qualificada", "MARCPROD", "IDQUALIMARC = 'N'"},
        {"marca qualificada", "MARCPROD", "IDQUALIMARC = 'S' AND DTVALQUALMARC >= :BASE"},
        {"produto sem marca vendido por um fornecedor", "PRODUTO",
         "CDNVPRODUTO = '03' AND NOT EXISTS (SELECT 1 FROM MARCPROD M WHERE M.CDPRODUTO = PRODUTO.CDPRODUTO) AND "
         "EXISTS (SELECT 1 FROM PRODFORN F WHERE F.CDPRODUTO = PRODUTO.CDPRODUTO)"},
        {"fornecedor que entrega em qualquer dia", "FORNFILI", "DSPERIENTR IS NULL"},
        {"fornecedor que não entrega em algum dia", "FORNFILI", "DSPERIENTR LIKE '%N%'"},
        {"produto inativo na filial", "PRODFILI", "IDPRODATIV = 'I'"},
        {"nível que a filial não compra", "PRODNCMP", "1 = 1"},
        {"agrupamento vazio", "GRUPFILI",
         "NOT EXISTS (SELECT 1 FROM FILIAGRUPFILI F WHERE F.CDGRUPFILI = GRUPFILI.CDGRUPFILI)"},
    };
    const afdb::Params base = {{"BASE", QDateTime(demoBaseDate(), QTime(0, 0), Qt::UTC)}};
    for (const Present& c : cases) {
        SCOPED_TRACE(c.what);
        const QString sql = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(QString::fromLatin1(c.table), QString::fromUtf8(c.where));
        EXPECT_GT(count(sql, sql.contains(QStringLiteral(":BASE")) ? base : afdb::Params{}), 0);
    }
}

// What the header entry of a new AF checks, with data on both sides of each
// check, so every message and every default can be met with the demo logins.
TEST_P(DemoContentTest, EveryHeaderCheckHasDataOnBothSides) {
    const char* const withParameters = "EXISTS (SELECT 1 FROM PARCMPSUP P WHERE P.CDFILIAL = FILIAL.CDFILIAL)";
    const std::vector<Present> cases = {
        {"emitente padrão vazio", "PARCMPSUP", "IDTIPEMITGER IS NULL"},
        {"emitente padrão empresa da filial", "PARCMPSUP", "IDTIPEMITGER = '1'"},
        {"emitente padrão empresa informada", "PARCMPSUP", "IDTIPEMITGER = '2' AND CDEMPRESA IS NOT NULL"},
        {"emitente padrão cliente principal", "PARCMPSUP", "IDTIPEMITGER = '3'"},
        {"data da AF igual à de processamento", "PARASUPRI", "IDVALDTAF = 'D'"},
        {"data da AF até o mês de processamento", "PARASUPRI", "IDVALDTAF = 'M'"},
        {"qualificação válida até o dia", "PARASUPRI", "IDULTIDTVALQ = 'D'"},
        {"qualificação válida até o fim do mês", "PARASUPRI", "IDULTIDTVALQ = 'M'"},
        {"filial com cliente principal", "FILIAL",
         "EXISTS (SELECT 1 FROM CLIENFILIAL C WHERE C.CDFILIAL = FILIAL.CDFILIAL AND C.IDCLIENPRIN = 'S')"},
        {"filial com parâmetros sem cliente principal", "FILIAL",
         "$PARAM AND NOT EXISTS (SELECT 1 FROM CLIENFILIAL C WHERE C.CDFILIAL = FILIAL.CDFILIAL AND C.IDCLIENPRIN = 'S')"},
        {"empresa que não fatura para a filial", "FILIAL",
         "$PARAM AND EXISTS (SELECT 1 FROM EMPRESA E WHERE NOT EXISTS (SELECT 1 FROM EMPRCNTRFIL R WHERE R.CDEMPRESA = "
         "E.CDEMPRESA AND R.CDFILIAL = FILIAL.CDFILIAL))"},
        {"filial com duas empresas emitentes", "FILIAL",
         "(SELECT COUNT(*) FROM EMPRCNTRFIL R WHERE R.CDFILIAL = FILIAL.CDFILIAL) > 1"},
        {"tipo de cobrança", "TIPOCOBR", "1 = 1"},
        {"tipo de conta a pagar", "TIPOCTPAGAR", "1 = 1"},
        {"transportadora principal da filial", "RELFILTRAS", "IDTRANSPRINC = 'S'"},
        {"outra transportadora da filial", "RELFILTRAS", "IDTRANSPRINC = 'N'"},
        {"transportadora que não atende a filial", "FILIAL",
         "$PARAM AND EXISTS (SELECT 1 FROM TRANSPORT T WHERE NOT EXISTS (SELECT 1 FROM RELFILTRAS R WHERE R.CDFILIAL = "
         "FILIAL.CDFILIAL AND R.IDTPIJURTRAN = T.IDTPIJURTRAN AND R.NRINSJURTRAN = T.NRINSJURTRAN))"},
        {"fornecedor ativo qualificado", "FORNECEDOR", "IDSITUCADA = 'A' AND CDQUALIF = '0001' AND DTVALQUALIF >= :BASE"},
        {"fornecedor ativo qualificado só para fornecimento automático", "FORNECEDOR",
         "IDSITUCADA = 'A' AND CDQUALIF = '0002' AND IDFORNAUTO = 'S' AND DTVALQUALIF >= :BASE"},
        {"fornecedor ativo de qualificação automática sem fornecimento automático", "FORNECEDOR",
         "IDSITUCADA = 'A' AND CDQUALIF = '0002' AND IDFORNAUTO = 'N'"},
        {"fornecedor ativo com qualificação que não permite comprar", "FORNECEDOR",
         "IDSITUCADA = 'A' AND CDQUALIF = '0003'"},
        {"fornecedor ativo com qualificação vencida no mês anterior", "FORNECEDOR",
         "IDSITUCADA = 'A' AND CDQUALIF = '0001' AND DTVALQUALIF < :MONTH"},
        {"fornecedor ativo com qualificação vencida neste mês (vale só até o fim do mês)", "FORNECEDOR",
         "IDSITUCADA = 'A' AND CDQUALIF = '0001' AND DTVALQUALIF >= :MONTH AND DTVALQUALIF < :BASE"},
        {"fornecedor ativo sem qualificação", "FORNECEDOR", "IDSITUCADA = 'A' AND CDQUALIF IS NULL"},
        {"fornecedor inativo qualificado", "FORNECEDOR", "IDSITUCADA = 'I' AND CDQUALIF = '0001' AND DTVALQUALIF >= :BASE"},
        {"fornecedor pela forma de pagamento com vários prazos", "FORNECEDOR",
         "IDTPFORPGTFO = 'V' AND (SELECT COUNT(*) FROM PRAZOPGFOR T WHERE T.CDFORNECED = FORNECEDOR.CDFORNECED) > 1"},
        {"fornecedor com pagamento fixo no dia", "FORNECEDOR", "IDTPFORPGTFO = 'F'"},
        {"fornecedor sem forma de pagamento", "FORNECEDOR", "IDTPFORPGTFO IS NULL"},
        {"comprador para quem o assistente não está relacionado", "COMPRADOR",
         "NOT EXISTS (SELECT 1 FROM COMPROPER R WHERE R.CDCOMPRADOR = COMPRADOR.CDOPERADOR AND R.CDOPERADOR = 'ASSIST')"},
        {"comprador que o assistente atende sem senha", "COMPROPER",
         "CDOPERADOR = 'ASSIST' AND IDAFCMPOPER = 'S' AND IDEXSENHCMPOPER = 'N'"},
    };
    const QDate base = demoBaseDate();
    const afdb::Params dates = {{"BASE", QDateTime(base, QTime(0, 0), Qt::UTC)},
                                {"MONTH", QDateTime(QDate(base.year(), base.month(), 1), QTime(0, 0), Qt::UTC)}};
    for (const Present& c : cases) {
        SCOPED_TRACE(c.what);
        const QString where = QString::fromUtf8(c.where).replace(QStringLiteral("$PARAM"), QString::fromLatin1(withParameters));
        const QString sql = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(QString::fromLatin1(c.table), where);
        afdb::Params used;
        for (const afdb::Param& p : dates)
            if (sql.contains(QLatin1Char(':') + p.name)) used.push_back(p);
        EXPECT_GT(count(sql, used), 0);
    }
}

TEST_P(DemoContentTest, BranchParametersVaryAcrossBranches) {
    const std::vector<std::pair<const char*, const char*>> columns = {
        {"PARASUPRI", "IDULTIDTVALQ"}, {"PARASUPRI", "IDVALDTAF"},     {"PARASUPRI", "IDBLOQUEAAF"},
        {"PARASUPRI", "IDMARSEMQUA"},  {"PARASUPRI", "IDPROSEMMAR"},   {"PARASUPRI", "IDPROSEMFOR"},
        {"PARASUPRI", "IDUTQTDEVOLU"}, {"PARASUPRI", "IDATUSOLILAF"},  {"PARASUPRI", "IDUTLPROCMPAF"},
        {"PARASUPRI", "IDBLPRCOMEST"}, {"PARASUPRI", "NRDIAANTENTRAF"}, {"PARASUPRI", "NRDIALIMALTAF"},
        {"PARCMPSUP", "IDTIPEMITGER"}, {"PARCMPSUP", "IDCARPRECLAF"},  {"PARCMPSUP", "IDOBLIBAFMAN"},
        {"PARCMPSUP", "IDAUDALTAF"},   {"PARCMPSUP", "IDBLOQFORNCOTAF"}, {"PARCMPSUP", "IDVERPRODCMPFIL"},
        {"PARCMPSUP", "IDTPLANCITAF"}, {"PARCMPSUP", "IDUTILIZAINTSAC"}, {"PARCMPSUP", "IDUTAPROVSOL"},
    };
    for (const auto& [table, column] : columns) {
        SCOPED_TRACE(std::string(table) + "." + column);
        EXPECT_GE(count(QStringLiteral("SELECT COUNT(DISTINCT COALESCE(%1, '-')) FROM %2").arg(QString::fromLatin1(column),
                                                                                              QString::fromLatin1(table))),
                  2);
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PARCMPSUP WHERE IDTIPEMITGER IS NULL")) > 0, true);
}

TEST_P(DemoContentTest, RegistrationNumbersAreValid) {
    int checked = 0;
    for (const char* sql : {"SELECT IDTPIJURFORN, NRINSJURFORN FROM FORNECEDOR",
                            "SELECT IDTPIJURTRAN, NRINSJURTRAN FROM TRANSPORT",
                            "SELECT 'J', NRINSJUREMPR FROM EMPRESA"}) {
        QSqlQuery q = afdb::exec(db(), QString::fromLatin1(sql));
        while (q.next()) {
            const QString type = q.value(0).toString();
            const QString number = q.value(1).toString();
            SCOPED_TRACE((type + QLatin1Char(' ') + number).toStdString());
            ASSERT_TRUE(type == QLatin1String("J") || type == QLatin1String("F"));
            EXPECT_TRUE(type == QLatin1String("J") ? host::CNPJValido(number) : host::CPFValido(number));
            QString typed = number;
            EXPECT_EQ(host::Ajusta_Inscricao(typed), type);  // what a user types is recognised as such
            ++checked;
        }
    }
    EXPECT_GT(checked, 40);
}

struct Login {
    const char* code;
    const char* password;
    std::vector<const char*> permissions;  // ENAF, CAAF, ABAF, EXAF, ALAF held through the groups
    bool buyer;
    bool readOnly;  // member of the branches' read-only group
};

TEST_P(DemoContentTest, DemoLoginsWork) {
    const std::vector<Login> logins = {
        {"ADMIN", "admin", {"ABAF", "ALAF", "CAAF", "ENAF", "EXAF"}, false, false},
        {"GERENTE", "gerente", {"ABAF", "ALAF", "CAAF", "ENAF", "EXAF"}, false, false},
        {"MARIA", "compras", {"CAAF", "ENAF"}, true, false},
        {"JOAO", "compras", {"CAAF", "ENAF"}, true, false},
        {"ASSIST", "assist", {"CAAF", "ENAF"}, false, false},
        {"CONSULTA", "consulta", {}, false, true},
        {"SEMAF", "semaf", {}, false, false},
    };
    for (const Login& l : logins) {
        SCOPED_TRACE(l.code);
        const afdb::Params who = {{"OP", QString::fromLatin1(l.code)}};
        const QString hash = afdb::scalar(db(), QStringLiteral("SELECT DSSENHAHASH FROM OPERADOR WHERE CDOPERADOR = :OP"), who)
                                 .toString();
        EXPECT_TRUE(platform::security::verifyPassword(QString::fromLatin1(l.password), hash));
        EXPECT_FALSE(platform::security::verifyPassword(QStringLiteral("errada"), hash));
        EXPECT_FALSE(platform::security::needsRehash(hash));

        QStringList held;
        QSqlQuery q = afdb::exec(db(), QStringLiteral("SELECT DISTINCT A.IDAUTGRUPOP FROM AUTGRUPOP A JOIN OPERGRUPOP O ON "
                                                      "O.CDGRUPOPER = A.CDGRUPOPER WHERE O.CDOPERADOR = :OP ORDER BY 1"),
                                 who);
        while (q.next()) held << q.value(0).toString();
        QStringList expected;
        for (const char* p : l.permissions) expected << QString::fromLatin1(p);
        EXPECT_EQ(held, expected);
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM COMPRADOR WHERE CDOPERADOR = :OP"), who) > 0, l.buyer);
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PARASUPRI P JOIN OPERGRUPOP O ON O.CDGRUPOPER = P.CDGRUPOPER "
                                       "WHERE O.CDOPERADOR = :OP"),
                        who) > 0,
                  l.readOnly);
    }
    // Every permission is held by some group: none falls to everybody by default.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(DISTINCT IDAUTGRUPOP) FROM AUTGRUPOP")), 5);
    // ADMIN acts for every buyer without a password; the assistant needs MARIA's and may not touch JOAO's AFs.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM COMPROPER WHERE CDOPERADOR = 'ADMIN' AND IDAFCMPOPER = 'S' AND "
                                   "IDEXSENHCMPOPER = 'N'")),
              count(QStringLiteral("SELECT COUNT(*) FROM COMPRADOR")));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM COMPROPER WHERE CDOPERADOR = 'ASSIST' AND CDCOMPRADOR = 'MARIA' "
                                   "AND IDEXSENHCMPOPER = 'S'")),
              1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM COMPROPER WHERE CDOPERADOR = 'ASSIST' AND CDCOMPRADOR = 'JOAO' "
                                   "AND IDAFCMPOPER = 'N'")),
              1);
}

AFDB_INSTANTIATE_ON_ENGINES(DemoContentTest);

}  // namespace
}  // namespace afdemo::testing
