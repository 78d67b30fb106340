// The header's checks on the real screen: each message, the control that gets
// the focus, the order the post checks in, the date and qualification rules,
// the supplier's defaults and the buyer's password.
#include "afdesk/core/header/header_fixture.h"

#include "afdesk/core/header/header_queries.h"

#include "host/services/inscricao.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/kit/db_combo_box.h"
#include "platform/kit/test_support.h"

#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLineEdit>
#include <functional>

namespace afdesk::testing {
namespace {

class HeaderChecksTest : public HeaderTest {
public:
    void set(const char* field, const QString& v) {
        w->state().cdsAutoForne.field(QString::fromLatin1(field)).setAsString(v);
    }
    // A new AF that passes every check: the buyer is the operator, the supplier is active and unqualified.
    void startValidHeader() {
        startInsert();
        set("CDOPERADOR", world.buyer);
        set("NRINSJURFORN", supplierOk);
        placeFocus("dcbFrete");  // a box of no check of its own
    }

protected:
    // The post refused with exactly this message and the focus on that control.
    void expectRefused(const QString& message, const char* focusName) {
        EXPECT_FALSE(post());
        EXPECT_TRUE(services->dialogs.errorsAre({message}));
        EXPECT_EQ(focused(), control(focusName)) << (focused() ? focused()->objectName().toStdString() : "nenhum");
        EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Insert);
        EXPECT_TRUE(w->isActiveTab(WorkspaceTab::DadosAF));
        services->dialogs.clearShown();
    }
};

TEST_P(HeaderChecksTest, EachCheckShowsItsMessageAndFocusesItsControl) {
    afdb::testing::insertRow(connection(), "EMPRESA", {{"CDEMPRESA", "09"}, {"NMEMPRESA", "Outra"}});
    struct Case {
        const char* what;
        std::function<void(HeaderChecksTest&)> change;
        const char* message;
        const char* focus;
    };
    const QString unknownSupplier = cnpj("445556660001");
    const QString unknownCarrier = cnpj("556667770001");
    const Case cases[] = {
        {"sem filial", [](HeaderChecksTest& t) { t.set("CDFILDEST", {}); }, "Filial destino deve ser informada.",
         "dbeCdFilDest"},
        {"filial de outra central", [](HeaderChecksTest& t) { t.set("CDFILDEST", "0099"); }, "Filial não cadastrada.",
         "dbeCdFilDest"},
        {"filial sem parâmetros", [](HeaderChecksTest& t) { t.set("CDFILDEST", "1"); },
         "Filial não possui parametrização de compras e suprimentos.", "dbeCdFilDest"},
        {"sem data", [](HeaderChecksTest& t) { t.set("DTAUTOFORN", {}); }, "Data de lançamento deve ser informada.",
         "dbdDtLanc"},
        {"sem comprador", [](HeaderChecksTest& t) { t.set("CDOPERADOR", {}); }, "Comprador deve ser informado.",
         "dbeCDComp"},
        {"comprador desconhecido", [](HeaderChecksTest& t) { t.set("CDOPERADOR", "NINGUEM"); },
         "Comprador não cadastrado.", "dbeCDComp"},
        {"sem fornecedor", [](HeaderChecksTest& t) { t.set("NRINSJURFORN", {}); }, "Fornecedor deve ser informado.",
         "dbeNRINSJURForN"},
        {"fornecedor desconhecido", [&](HeaderChecksTest& t) { t.set("NRINSJURFORN", unknownSupplier); },
         "Fornecedor não cadastrado.", "dbeNRINSJURForN"},
        {"fornecedor inativo e qualificado", [&](HeaderChecksTest& t) { t.set("NRINSJURFORN", supplierInactive); },
         "Fornecedor está inativo.", "dbeNRINSJURForN"},
        {"empresa informada vazia",
         [](HeaderChecksTest& t) {
             t.set("IDTIPOEMITAF", "2");
             t.set("CDEMPRESA", {});
         },
         "Empresa deve ser informada.", "dbeCDEmpresa"},
        {"empresa sem relação com a filial",
         [](HeaderChecksTest& t) {
             t.set("IDTIPOEMITAF", "2");
             t.set("CDEMPRESA", "9");
         },
         "Não há empresa relacionada para a Filial.", "dbeCDEmpresa"},
        {"cliente principal inexistente", [](HeaderChecksTest& t) { t.set("IDTIPOEMITAF", "3"); },
         "Não há cliente principal cadastrado para a filial informada.", "dcbEmitente"},
        {"cobrança desconhecida", [](HeaderChecksTest& t) { t.set("CDTIPCOB", "99"); },
         "Tipo de cobrança não cadastrado.", "dbeCDCob"},
        {"conta a pagar desconhecida", [](HeaderChecksTest& t) { t.set("CDTPCTPAGAR", "77"); },
         "Tipo de conta a pagar não cadastrado.", "dbeCDTPCTPAGAR"},
        {"transportadora de outra filial", [&](HeaderChecksTest& t) { t.set("NRINSJURTRAN", unknownCarrier); },
         "Transportadora não cadastrada para a filial informada.", "dbeNRINSJURTRAN"},
    };
    openOnHeader();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startValidHeader();
        c.change(*this);
        expectRefused(QString::fromUtf8(c.message), c.focus);
        w->state().cdsAutoForne.cancel();
        w->selectTab(WorkspaceTab::DadosAF);
        kittest::settle();
    }
    // The same header with nothing wrong goes through.
    startValidHeader();
    EXPECT_TRUE(post()) << services->dialogs.errors().join("; ").toStdString();
}

TEST_P(HeaderChecksTest, TheFocusedControlDecidesWhichCheckRunsFirst) {
    struct Case {
        const char* focus;
        const char* message;
    };
    // Buyer missing, supplier unknown and charge type unknown at once.
    const Case cases[] = {
        {"dbeNRINSJURForN", "Fornecedor não cadastrado."},
        {"dbeCDCob", "Tipo de cobrança não cadastrado."},
        {"dbeCdFilDest", "Fornecedor não cadastrado."},  // no buyer check from the branch box
        {"dbdDtLanc", "Comprador deve ser informado."},
        {"dbeNRINSJURTRAN", "Comprador deve ser informado."},
    };
    openOnHeader();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.focus);
        startInsert();
        set("NRINSJURFORN", cnpj("445556660001"));
        set("CDTIPCOB", "99");
        placeFocus(c.focus);
        EXPECT_FALSE(post());
        EXPECT_TRUE(services->dialogs.errorsAre({QString::fromUtf8(c.message)}));
        services->dialogs.clearShown();
        w->state().cdsAutoForne.cancel();
        w->selectTab(WorkspaceTab::DadosAF);
        kittest::settle();
    }
}

TEST_P(HeaderChecksTest, BranchFocusedSkipsTheBuyerAndTheOwnBuyerNeedsNoConfirmation) {
    openOnHeader();
    startValidHeader();
    set("CDOPERADOR", {});
    placeFocus("dbeCdFilDest");
    EXPECT_TRUE(post()) << services->dialogs.errors().join("; ").toStdString();

    // The operator typed as the buyer is confirmed at once, so the other checks
    // follow the buyer's: a header without a supplier is refused.
    startInsert();
    typeInto("dbeCDComp", world.buyer);
    EXPECT_EQ(w->state().header->IdSenhaComp, "N");
    EXPECT_FALSE(post());
    EXPECT_TRUE(services->dialogs.errorsAre({"Fornecedor deve ser informado."}));
    EXPECT_EQ(w->state().header->IdSenhaComp, "S");
    EXPECT_EQ(focused(), control("dbeNRINSJURForN"));
    EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Insert);
    services->dialogs.clearShown();
    w->state().cdsAutoForne.cancel();

    // Confirmed: the other checks follow.
    startInsert();
    typeInto("dbeCDComp", world.buyer);
    w->state().header->IdSenhaComp = QStringLiteral("S");
    EXPECT_FALSE(post());
    EXPECT_TRUE(services->dialogs.errorsAre({"Fornecedor deve ser informado."}));
}

TEST_P(HeaderChecksTest, ClickingAnotherTabChecksTheNewHeaderBeforeLeavingIt) {
    openOnHeader();
    startInsert();
    placeFocus("dcbFrete");  // a box of no check of its own
    clickTab(WorkspaceTab::Mensagem);
    EXPECT_EQ(w->activeTab(), WorkspaceTab::DadosAF);
    EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Insert);
    EXPECT_TRUE(services->dialogs.errorsAre({"Comprador deve ser informado."}));
    EXPECT_EQ(focused(), control("dbeCDComp"));
    services->dialogs.clearShown();

    set("CDOPERADOR", world.buyer);
    set("NRINSJURFORN", supplierOk);
    clickTab(WorkspaceTab::Mensagem);
    EXPECT_EQ(w->activeTab(), WorkspaceTab::Mensagem);
    EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Browse);
    EXPECT_EQ(value("NMRAZSOCFORN"), "Distribuidora Boa Ltda");  // checked on the way out
    EXPECT_TRUE(services->dialogs.errorsAre({})) << services->dialogs.errors().join("; ").toStdString();
}

TEST_P(HeaderChecksTest, LaunchDateAgainstTheProcessingDateByTheBranchMode) {
    struct Case {
        const char* mode;  // IDVALDTAF
        const char* typed;
        const char* message;  // empty: accepted
    };
    const Case cases[] = {
        {"D", "15032024", ""},
        {"D", "14032024", "Data de lançamento deve ser igual a data de processamento."},
        {"M", "01022024", ""},  // an earlier month
        {"M", "31032024", ""},  // any day of the processing month
        {"M", "01042024", "Mês de lançamento deve ser menor ou igual o mês de processamento."},
        {"", "01042024", "Mês de lançamento deve ser menor ou igual o mês de processamento."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.typed);
        afdb::exec(connection(), QStringLiteral("UPDATE PARASUPRI SET IDVALDTAF = :M"),
                   {{"M", *c.mode ? QVariant(QString::fromLatin1(c.mode)) : QVariant()}});
        openOnHeader();
        startInsert();
        typeInto("dbdDtLanc", QString::fromLatin1(c.typed));
        leaveTo("dbeCDCob");
        const QString message = QString::fromUtf8(c.message);
        EXPECT_TRUE(services->dialogs.errorsAre(message.isEmpty() ? QStringList{} : QStringList{message}));
        EXPECT_EQ(focused(), control(message.isEmpty() ? "dbeCDCob" : "dbdDtLanc"));
        services->dialogs.clearShown();
        discardWorkspace();
    }
}

TEST_P(HeaderChecksTest, QualificationValidThroughItsDateOrItsMonth) {
    struct Case {
        const char* mode;  // IDULTIDTVALQ
        QDate validUntil;
        bool accepted;  // for an AF of 15/03/2024
    };
    const Case cases[] = {
        {"D", QDate(2024, 3, 15), true},  {"D", QDate(2024, 3, 10), false},
        {"M", QDate(2024, 3, 10), true},  {"M", QDate(2024, 2, 29), false},
        {"D", QDate(2024, 12, 31), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.validUntil.toString().toStdString());
        afdb::exec(connection(), QStringLiteral("UPDATE PARASUPRI SET IDULTIDTVALQ = :M"),
                   {{"M", QString::fromLatin1(c.mode)}});
        afdb::exec(connection(), QStringLiteral("UPDATE FORNECEDOR SET DTVALQUALIF = :D WHERE CDFORNECED = :F"),
                   {{"D", QDateTime(c.validUntil, QTime(0, 0))}, {"F", "000000000000000000203"}});
        openOnHeader();
        startInsert();
        typeInto("dbeNRINSJURForN", supplierQualified);
        leaveTo("dbeCDCob");
        if (c.accepted) {
            EXPECT_TRUE(services->dialogs.errorsAre({}));
            EXPECT_EQ(value("NMRAZSOCFORN"), "Qualificada Ltda");
        } else {
            EXPECT_TRUE(services->dialogs.errorsAre({"Fornecedor não qualificado ou com qualificação vencida."}));
            EXPECT_EQ(focused(), control("dbeNRINSJURForN"));
            EXPECT_TRUE(w->state().cdsAutoForne.field(QStringLiteral("NRINSJURFORN")).editMask().isEmpty());
        }
        services->dialogs.clearShown();
        discardWorkspace();
    }
}

TEST_P(HeaderChecksTest, SupplierTypedFillsItsDefaultsWithoutOverwritingTheBuyersChoices) {
    openOnHeader();
    startInsert();
    typeInto("dbeNRINSJURForN", supplierOk);
    leaveTo("dbeCDCob");
    EXPECT_TRUE(services->dialogs.errorsAre({}));
    EXPECT_EQ(value("CDFORNECED"), "000000000000000000201");
    EXPECT_EQ(value("NMRAZSOCFORN"), "Distribuidora Boa Ltda");
    EXPECT_EQ(value("IDTPIJURFORN"), "J");
    EXPECT_EQ(w->state().cdsAutoForne.field(QStringLiteral("NRINSJURFORN")).editMask(), host::PictPess("J"));
    EXPECT_EQ(value("IDTIPOFRETAF"), "F");
    EXPECT_EQ(value("CDTIPCOB"), "01");
    EXPECT_EQ(value("NMTIPOCOBR"), "Carteira");
    EXPECT_EQ(value("CDFORMPGTO"), "01");
    EXPECT_EQ(value("NMFORMPGTO"), "Boleto");
    EXPECT_EQ(value("IDTPFORPGTAF"), "V");
    EXPECT_EQ(value("IDUTDIAPGTAF"), "E");
    EXPECT_EQ(w->state().cdsAutoForne.field(QStringLiteral("NRDIAPGFIXAF")).asFloat(), 10.0);
    EXPECT_EQ(w->state().cdsAutoForne.field(QStringLiteral("NRPARCPGTOAF")).asFloat(), 3.0);

    // Freight and charge type already chosen stay; the payment form always follows the supplier.
    w->state().cdsAutoForne.cancel();
    startInsert();
    set("IDTIPOFRETAF", "C");
    set("CDTIPCOB", "02");
    set("CDFORMPGTO", "99");
    typeInto("dbeNRINSJURForN", supplierOk);
    leaveTo("dbeCDTPCTPAGAR");
    EXPECT_EQ(value("IDTIPOFRETAF"), "C");
    EXPECT_EQ(value("CDTIPCOB"), "02");
    EXPECT_EQ(value("CDFORMPGTO"), "01");
}

// Typing over a code drops its name; Esc gives back the code and its name,
// leaving the box keeps the new code with the name its check finds.
TEST_P(HeaderChecksTest, EscOnACodeBoxBringsBackTheCodeAndItsName) {
    openOnHeader();
    startInsert();
    typeInto("dbeNRINSJURForN", supplierOk);
    leaveTo("dbeCDCob");
    ASSERT_EQ(value("NMTIPOCOBR"), "Carteira");
    struct Case {
        const char* box;
        const char* code;
        const char* name;
    } cases[] = {{"dbeCDCob", "CDTIPCOB", "NMTIPOCOBR"}, {"dbeCdFilDest", "CDFILDEST", "NMFILDEST"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        const QString code = value(c.code), name = value(c.name);
        ASSERT_FALSE(name.isEmpty());
        typeInto(c.box, QStringLiteral("9"));
        EXPECT_EQ(value(c.name), QString());  // the old name goes with the old code
        QTest::keyClick(control(c.box), Qt::Key_Escape);
        kittest::settle();
        EXPECT_EQ(control<QLineEdit>(c.box)->text(), code);
        EXPECT_EQ(value(c.code), code);
        EXPECT_EQ(value(c.name), name);
    }

    // Typed and left: the new code keeps the name its check gave, not the old one.
    typeInto("dbeCDCob", QStringLiteral("02"));
    leaveTo("dbeCDTPCTPAGAR");
    const QString second = value("NMTIPOCOBR");
    EXPECT_EQ(second, QStringLiteral("Banco"));
    typeInto("dbeCDCob", QStringLiteral("9"));
    QTest::keyClick(control("dbeCDCob"), Qt::Key_Escape);
    kittest::settle();
    EXPECT_EQ(value("NMTIPOCOBR"), second);
    EXPECT_TRUE(services->dialogs.errorsAre({}));

    // The buyer comes back as it was, its confirmation too.
    typeInto("dbeCDComp", world.buyer);
    leaveTo("dbeCDTPCTPAGAR");
    w->state().header->IdSenhaComp = QStringLiteral("S");
    const QString buyerName = value("NMOPERADOR");
    typeInto("dbeCDComp", QStringLiteral("OUTRO"));
    EXPECT_EQ(w->state().header->IdSenhaComp, "N");
    QTest::keyClick(control("dbeCDComp"), Qt::Key_Escape);
    kittest::settle();
    EXPECT_EQ(value("CDOPERADOR"), world.buyer);
    EXPECT_EQ(value("NMOPERADOR"), buyerName);
    EXPECT_EQ(w->state().header->IdSenhaComp, "S");
}

TEST_P(HeaderChecksTest, BuyerOfAnotherOperatorNeedsTheRelationAndMaybeThePassword) {
    afdb::testing::insertRow(connection(), "OPERADOR",
                             {{"CDOPERADOR", "OPERADOR2"}, {"NMOPERADOR", "Operador Dois"}, {"IDOPERATIVO", "A"}});
    library->passwords.insert(world.buyer, QStringLiteral("certa"));
    struct Case {
        const char* what;
        const char* op;
        const char* afRight;   // IDAFCMPOPER
        const char* password;  // IDEXSENHCMPOPER
        std::optional<QString> typed;  // at the password prompt; nullopt: none expected or cancelled
        bool prompt;
        const char* message;  // empty: the post goes on
    };
    const Case cases[] = {
        {"relacionado sem senha", "OPERADOR1", "S", "N", std::nullopt, false, ""},
        {"sem relação", "OPERADOR2", "S", "N", std::nullopt, false, "Operador não relacionado ao comprador."},
        {"sem direito a AF", "OPERADOR1", "N", "N", std::nullopt, false,
         "Operador não autorizado a incluir AF's deste comprador."},
        {"senha confirmada", "OPERADOR1", "S", "S", QStringLiteral("certa"), true, ""},
        {"senha errada", "OPERADOR1", "S", "S", QStringLiteral("errada"), true, "Senha não confere."},
        {"senha cancelada", "OPERADOR1", "S", "S", std::nullopt, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        afdb::exec(connection(), QStringLiteral("UPDATE COMPROPER SET IDAFCMPOPER = :A, IDEXSENHCMPOPER = :S"),
                   {{"A", QString::fromLatin1(c.afRight)}, {"S", QString::fromLatin1(c.password)}});
        openOnHeader();
        loginAs(QString::fromLatin1(c.op));
        startInsert();
        set("NRINSJURFORN", supplierOk);
        typeInto("dbeCDComp", world.buyer);
        library->asked.clear();
        if (c.prompt) services->dialogs.typePassword(c.typed, QStringLiteral("Confere Senha"));
        const bool refusedSilently = c.prompt && (!c.typed || *c.typed != QLatin1String("certa"));
        const bool posted = post();
        const QString message = QString::fromUtf8(c.message);
        EXPECT_EQ(posted, message.isEmpty() && !refusedSilently);
        EXPECT_TRUE(services->dialogs.errorsAre(message.isEmpty() ? QStringList{} : QStringList{message}));
        EXPECT_EQ(library->asked, c.prompt ? QStringList{world.buyer} : QStringList{});
        if (c.prompt) {
            ASSERT_FALSE(services->dialogs.shown().empty());
            EXPECT_EQ(services->dialogs.shown().front().label, "Comprador");
        }
        if (posted) {
            EXPECT_EQ(w->state().header->IdSenhaComp, "S");
        } else {
            EXPECT_EQ(focused(), control("dbeCDComp"));
            EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Insert);
            if (refusedSilently) {
                EXPECT_EQ(w->state().header->IdSenhaComp, "N");
            }
        }
        services->dialogs.clearShown();
        discardWorkspace();
        loginAs(world.buyer);
    }
}

TEST_P(HeaderChecksTest, OperatorRightsOverTheAfsBuyer) {
    afdb::testing::insertRow(connection(), "OPERADOR",
                             {{"CDOPERADOR", "OPERADOR2"}, {"NMOPERADOR", "Operador Dois"}, {"IDOPERATIVO", "A"}});
    struct Case {
        const char* what;
        const char* op;
        const char* afBuyer;  // the header's CDOPERADOR
        const char* afRight;  // IDAFCMPOPER of OPERADOR1 for the buyer
        const char* message;  // empty: passes
    };
    const Case cases[] = {
        {"um comprador", "COMPRADOR1", "OPERADOR1", "N", ""},
        {"relacionado", "OPERADOR1", "COMPRADOR1", "S", ""},
        {"comprador da AF não é comprador", "OPERADOR1", "OPERADOR2", "S",
         "Operador logado não é um comprador e o comprador da AF não está cadastrado como um comprador."},
        {"sem relação", "OPERADOR2", "COMPRADOR1", "S", "Operador logado não está relacionado ao comprador da AF."},
        {"sem direito", "OPERADOR1", "COMPRADOR1", "N",
         "Operador não autorizado a realizar alterações sobre AF's deste comprador."},
    };
    openOnHeader();
    ASSERT_FALSE(w->state().cdsAutoForne.isEmpty());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        afdb::exec(connection(), QStringLiteral("UPDATE COMPROPER SET IDAFCMPOPER = :A"),
                   {{"A", QString::fromLatin1(c.afRight)}});
        loginAs(QString::fromLatin1(c.op));
        w->state().cdsAutoForne.edit();
        set("CDOPERADOR", QString::fromLatin1(c.afBuyer));
        const QString message = QString::fromUtf8(c.message);
        if (message.isEmpty()) {
            EXPECT_NO_THROW(w->state().header->Vd_OperRelac());
        } else {
            EXPECT_THROW(w->state().header->Vd_OperRelac(), host::Abort);
        }
        EXPECT_TRUE(services->dialogs.errorsAre(message.isEmpty() ? QStringList{} : QStringList{message}));
        services->dialogs.clearShown();
        w->state().cdsAutoForne.cancel();
    }
}

TEST_P(HeaderChecksTest, DestinationBranchIsCheckedAgainstTheServerWhenLeft) {
    struct Case {
        const char* what;
        const char* before;  // SQL run once the workspace is open
        const char* typed;
        const char* message;  // empty: accepted
        bool logisticBox;     // "Distribuição Através do Operador Logístico" enabled after acceptance
    };
    const Case cases[] = {
        {"aceita sem operador logístico", nullptr, "2", "", false},
        {"aceita com operador logístico",
         "UPDATE FILIAL SET CDFILIOPELOG = '0009' WHERE CDFILIAL = '0002'", "2", "", true},
        {"sem central de compras", "UPDATE FILIAL SET CDFILCENTCMP = NULL WHERE CDFILIAL = '0002'", "1",
         "Filial não possui central de compras.", false},
        {"sem parâmetros", nullptr, "1", "Filial não possui parametrização de compras e suprimentos.", false},
        {"não cadastrada", nullptr, "99", "Filial não cadastrada.", false},
        {"vazia", nullptr, "", "Filial destino deve ser informada.", false},
    };
    afdb::testing::insertRow(connection(), "FILIAL",
                             {{"CDFILIAL", "0009"}, {"NMFILIAL", "Operador Logístico"}, {"CDEMPRESA", world.company},
                              {"CDINSCESTA", "999"}, {"IDCNTRRESC", "N"}, {"IDFUNCAOFILI", "O"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        openOnHeader();
        if (c.before) afdb::exec(connection(), QString::fromLatin1(c.before), {});
        startInsert();
        typeInto("dbeCdFilDest", QString::fromLatin1(c.typed));
        leaveTo("dbeCDCob");
        const QString message = QString::fromUtf8(c.message);
        EXPECT_TRUE(services->dialogs.errorsAre(message.isEmpty() ? QStringList{} : QStringList{message}));
        if (message.isEmpty()) {
            EXPECT_EQ(value("CDFILDEST"), "0002");
            EXPECT_EQ(value("NMFILDEST"), "Loja");
            EXPECT_FALSE(control("dbeCdFilDest")->isEnabled());  // the branch of the AF is fixed now
            EXPECT_EQ(control("chbOL")->isEnabled(), c.logisticBox);
            EXPECT_EQ(focused(), control("dbdDtLanc"));
        } else {
            EXPECT_EQ(focused(), control("dbeCdFilDest"));
            EXPECT_TRUE(control("dbeCdFilDest")->isEnabled());
        }
        services->dialogs.clearShown();
        discardWorkspace();
        afdb::exec(connection(), QStringLiteral("UPDATE FILIAL SET CDFILCENTCMP = '0001', CDFILIOPELOG = NULL "
                                                "WHERE CDFILIAL = '0002'"),
                   {});
    }
}

TEST_P(HeaderChecksTest, EmitterChoiceFillsOrClearsTheCompany) {
    afdb::testing::insertRow(connection(), "CLIENFILIAL",
                             {{"CDFILIAL", world.branch}, {"CDCLIENTE", "C1"}, {"NMRAZSOCCLIE", "Cliente"},
                              {"IDCLIENPRIN", "S"}});
    openOnHeader();
    startInsert();
    auto* combo = control<kit::DBComboBox>("dcbEmitente");
    emit combo->activated(1);  // "Empresa Informada"
    kittest::settle();
    EXPECT_EQ(value("IDTIPOEMITAF"), "2");
    EXPECT_EQ(value("CDEMPRESA"), "");
    EXPECT_EQ(value("NMEMPRESA"), "");
    EXPECT_TRUE(control("dbeCDEmpresa")->isEnabled());
    emit combo->activated(2);  // "Cliente Principal": the branch has one
    kittest::settle();
    EXPECT_EQ(value("IDTIPOEMITAF"), "3");
    EXPECT_EQ(value("CDEMPRESA"), world.company);
    EXPECT_EQ(value("NMEMPRESA"), "Empresa Teste");
    EXPECT_FALSE(control("dbeCDEmpresa")->isEnabled());
    EXPECT_TRUE(services->dialogs.errorsAre({}));
}

AFDB_INSTANTIATE_ON_ENGINES(HeaderChecksTest);

}  // namespace
}  // namespace afdesk::testing
