#include "host/services/session_state.h"

#include "host/data/errors.h"
#include "host/testing/qt_printers.h"

#include <QtCore/QEvent>
#include <gtest/gtest.h>

using namespace host;

namespace {

LoginInfo login() {
    LoginInfo l;
    l.operador = QStringLiteral("123");
    l.nomeOperador = QStringLiteral("Maria Compradora");
    l.filiProc = QStringLiteral("7");
    l.nomeFiliProc = QStringLiteral("Filial Sete");
    l.moduFili = true;
    l.webUrl = QStringLiteral("http://af.local");
    l.webPort = 8443;
    l.reportDir = QStringLiteral("/srv/relatorios/");
    l.pictures.insert(kPictProduto, QStringLiteral("!99.99.999;0;_"));
    return l;
}

TEST(SessionState, CodesFollowTheCodeConvention) {
    const SessionState s(login());
    EXPECT_EQ(s.Operador(), QStringLiteral("000000000123"));
    EXPECT_EQ(s.FiliProc(), QStringLiteral("0007"));
    EXPECT_EQ(s.NomeOperador(), QStringLiteral("Maria Compradora"));
    EXPECT_EQ(s.NomeFiliProc(), QStringLiteral("Filial Sete"));
    EXPECT_TRUE(s.ModuFili());
    EXPECT_EQ(s.WebURL(), QStringLiteral("http://af.local"));
    EXPECT_EQ(s.WebPort(), 8443);
    EXPECT_EQ(s.ReportDir(), QStringLiteral("/srv/relatorios/"));
}

TEST(SessionState, RefusesBadLogin) {
    const auto with = [](auto change) {
        LoginInfo l = login();
        change(l);
        return l;
    };
    EXPECT_THROW(SessionState(with([](LoginInfo& l) { l.operador = QStringLiteral("  "); })), DataError);
    EXPECT_THROW(SessionState(with([](LoginInfo& l) { l.operador = QStringLiteral("1234567890123"); })), DataError);
    EXPECT_THROW(SessionState(with([](LoginInfo& l) { l.filiProc = QString(); })), DataError);
    EXPECT_THROW(SessionState(with([](LoginInfo& l) { l.filiProc = QStringLiteral("12345"); })), DataError);
    EXPECT_THROW(SessionState(with([](LoginInfo& l) { l.webPort = 70000; })), DataError);
    EXPECT_NO_THROW(SessionState(with([](LoginInfo& l) { l.filiProc = QStringLiteral("00007"); })));
}

TEST(SessionState, DataProcComesFromTheProvider) {
    SessionState s(login());
    EXPECT_THROW(s.DataProc(QStringLiteral("0007")), DataError);  // nothing wired: a fault, not "today"
    QStringList asked;
    s.setDataProcProvider([&](const QString& branch) -> std::optional<QDate> {
        asked << branch;
        if (branch == QStringLiteral("0007")) return QDate(2024, 3, 15);
        if (branch == QStringLiteral("0009")) return QDate();  // a broken row
        return std::nullopt;
    });
    EXPECT_EQ(s.DataProc(QStringLiteral("7")), QDate(2024, 3, 15));  // branch code normalised
    try {
        s.DataProc(QStringLiteral("0008"));
        FAIL() << "expected UserError";
    } catch (const UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Data de processamento da filial 0008 não encontrada."));
    }
    EXPECT_THROW(s.DataProc(QStringLiteral("0009")), UserError);
    EXPECT_THROW(s.DataProc(QStringLiteral(" ")), UserError);
    EXPECT_EQ(asked, (QStringList{QStringLiteral("0007"), QStringLiteral("0008"), QStringLiteral("0009")}));
}

TEST(SessionState, PicturesByType) {
    const SessionState s(login());
    EXPECT_EQ(s.DBPict(kPictProduto), QStringLiteral("!99.99.999;0;_"));
    EXPECT_THROW(s.DBPict(5), DataError);
}

TEST(SessionState, LoadBplAndCacheGoToTheShell) {
    SessionState s(login());
    EXPECT_THROW(s.LoadBPL(QStringLiteral("CMP06000"), {}), DataError);
    EXPECT_THROW(s.AtualizaLocalCache({QStringLiteral("INCIDENCIA")}, {}, 0, QStringLiteral("0001")), DataError);

    QString opened;
    QVariantList openedWith;
    s.setLoadBplHandler([&](const QString& code, const QVariantList& params) {
        opened = code;
        openedWith = params;
    });
    s.LoadBPL(QStringLiteral("CMP06000"), {QStringLiteral("0001"), QStringLiteral("0002"), 42});
    EXPECT_EQ(opened, QStringLiteral("CMP06000"));
    EXPECT_EQ(openedWith, (QVariantList{QStringLiteral("0001"), QStringLiteral("0002"), 42}));
    EXPECT_THROW(s.LoadBPL(QString(), {}), DataError);

    QStringList refreshed;
    QString refreshedBranch;
    s.setCacheRefresher([&](const QStringList& tables, const QStringList&, int, const QString& branch) {
        refreshed = tables;
        refreshedBranch = branch;
    });
    s.AtualizaLocalCache({QStringLiteral("INCIDENCIA")}, {}, 0, QStringLiteral("0001"));
    EXPECT_EQ(refreshed, QStringList{QStringLiteral("INCIDENCIA")});
    EXPECT_EQ(refreshedBranch, QStringLiteral("0001"));
}

class MsgEventFormTest : public ::testing::Test {
protected:
    SessionState s{login()};
    QObject workspace, filter, target;
    QEvent key{QEvent::KeyPress};
};

TEST_F(MsgEventFormTest, InstalledHandlerSeesEveryEvent) {
    EXPECT_FALSE(s.dispatchMsgEvent(&target, &key));  // nothing installed
    int calls = 0;
    s.setMsgEventForm(&workspace, [&](QObject* t, QEvent* e) {
        ++calls;
        return t == &target && e->type() == QEvent::KeyPress;
    });
    EXPECT_EQ(s.msgEventFormOwner(), &workspace);
    EXPECT_TRUE(s.dispatchMsgEvent(&target, &key));
    EXPECT_EQ(calls, 1);
}

TEST_F(MsgEventFormTest, InstallingAgainReplaces) {
    QStringList seen;
    s.setMsgEventForm(&workspace, [&](QObject*, QEvent*) { seen << QStringLiteral("workspace"); return false; });
    s.setMsgEventForm(&filter, [&](QObject*, QEvent*) { seen << QStringLiteral("filter"); return false; });
    s.dispatchMsgEvent(&target, &key);
    EXPECT_EQ(seen, QStringList{QStringLiteral("filter")});
    EXPECT_EQ(s.msgEventFormOwner(), &filter);
}

TEST_F(MsgEventFormTest, OnlyTheOwnerRemovesIt) {
    s.setMsgEventForm(&workspace, [](QObject*, QEvent*) { return true; });
    EXPECT_FALSE(s.clearMsgEventForm(&filter));
    EXPECT_TRUE(s.dispatchMsgEvent(&target, &key));
    EXPECT_TRUE(s.clearMsgEventForm(&workspace));
    EXPECT_FALSE(s.dispatchMsgEvent(&target, &key));
    EXPECT_EQ(s.msgEventFormOwner(), nullptr);
    EXPECT_FALSE(s.clearMsgEventForm(&workspace));
}

TEST_F(MsgEventFormTest, HandlerMayRemoveItselfWhileRunning) {
    int calls = 0;
    QString seen;
    const QString state(200, u'x');  // captured by value: lives on the heap inside the handler
    s.setMsgEventForm(&workspace, [&, state](QObject*, QEvent*) {
        ++calls;
        s.clearMsgEventForm(&workspace);  // drops the stored handler mid-call
        seen = state;                     // must still be alive
        return true;
    });
    EXPECT_TRUE(s.dispatchMsgEvent(&target, &key));
    EXPECT_FALSE(s.dispatchMsgEvent(&target, &key));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seen, state);
}

TEST_F(MsgEventFormTest, HookOfADestroyedOwnerIsNeverCalled) {
    bool called = false;
    {
        QObject screen;
        s.setMsgEventForm(&screen, [&](QObject*, QEvent*) {
            called = true;
            return true;
        });
    }
    EXPECT_FALSE(s.dispatchMsgEvent(&target, &key));
    EXPECT_FALSE(called);
    EXPECT_EQ(s.msgEventFormOwner(), nullptr);
}

TEST(SessionAccessor, MissingSessionIsAnError) {
    setSession(nullptr);
    EXPECT_THROW(session(), DataError);
    auto s = std::make_shared<SessionState>(login());
    setSession(s);
    EXPECT_EQ(session().Operador(), QStringLiteral("000000000123"));
    setSession(nullptr);
}

}  // namespace
