// Times the AF workspace on the large demo database over HTTP, offscreen:
//  A. from confirming the filter (busiest branch, every buyer) to the AF list shown;
//  B. opening an AF with 1,000 items on "Produtos" (cold and from the cache).
//
//   af_workspace_bench --sqlite COPY.sqlite | --pg CONNINFO [--scale N]
//
// It writes: the AF with the most items of the branch is brought to 1,000
// items. Run it on a copy (sqlite3 -readonly SRC ".backup COPY").
#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/model/af_key.h"
#include "afdesk/core/workspace/af_loading.h"
#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/workspace_module.h"
#include "bench/bench_server.h"

#include "host/lookup/host_database.h"
#include "host/remote/server_access.h"
#include "host/services/dialog_service.h"
#include "host/services/progress.h"
#include "host/services/screen_host.h"
#include "host/services/session_state.h"
#include "platform/db/sql_exec.h"
#include "platform/kit/db_grid.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QTimer>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTabWidget>
#include <algorithm>
#include <iostream>

namespace {

QString g_branch;

class Dialogs : public host::DialogService {
public:
    void showError(const QString& t, QWidget*) override { std::cerr << "erro: " << t.toStdString() << '\n'; }
    void showMessage(host::MessageKind, const QString& t, QWidget*) override { std::cerr << t.toStdString() << '\n'; }
    int ask(host::MessageKind, const QString&, host::QuestionButtons, QWidget*) override { return host::kNo; }
    int askChoice(host::MessageKind, const QString&, const QStringList&, QWidget*) override { return -1; }
    std::optional<QString> askPassword(const QString&, const QString&, QWidget*) override { return std::nullopt; }
    QStringList pick(const host::PickList&, QWidget*) override { return {g_branch}; }
};

class Progress : public host::ProgressService {
protected:
    void showAnimation(const host::ProgressState&) override {}
    void hideAnimation() override {}
};

class Screens : public host::ScreenHost {
public:
    QWidget* mainWindow() override { return nullptr; }
    void showScreen(QWidget* s) override {
        s->resize(1280, 800);
        s->show();
        s->activateWindow();
    }
};

class LookupDb : public host::HostDatabase {
public:
    explicit LookupDb(afdb::Database& db) : m_db(db) {}
    QSqlDatabase database() override { return m_db.connection(); }
    host::SqlDialect dialect() const override { return m_db.dialect(); }

private:
    afdb::Database& m_db;
};

void settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

double ms(qint64 ns) { return double(ns) / 1e6; }

struct Stats {
    std::vector<double> v;
    void add(double x) { v.push_back(x); }
    std::string text() {
        std::sort(v.begin(), v.end());
        return "mediana " + std::to_string(v[v.size() / 2]) + " ms (mín " + std::to_string(v.front()) + ", máx " +
               std::to_string(v.back()) + ", n=" + std::to_string(v.size()) + ")";
    }
};

// The AF of the branch with the most items, brought to 1,000 items by copies of
// its first item on later delivery dates.
afdesk::AfKey thousandItemAf(afdb::Database& db, const QString& branch) {
    QSqlDatabase c = db.connection();
    QSqlQuery q = afdb::exec(c, QStringLiteral("SELECT CDFILLANC, NRAUTOFORN, COUNT(*) FROM ITEMAUTF WHERE CDFILDEST = :B "
                                               "GROUP BY CDFILLANC, NRAUTOFORN ORDER BY 3 DESC"),
                             {{"B", branch}});
    if (!q.next()) throw std::runtime_error("branch without items");
    const afdesk::AfKey key{branch, q.value(0).toString(), q.value(1).toString()};
    int count = q.value(2).toInt();
    std::cerr << "AF " << key.nrAutoForn.toStdString() << " tem " << count << " itens\n";
    if (count >= 1000) return key;
    QSqlQuery first = afdb::exec(c, QStringLiteral("SELECT * FROM ITEMAUTF WHERE CDFILDEST = :D AND CDFILLANC = :L AND "
                                                   "NRAUTOFORN = :N ORDER BY DTPROGENTAF DESC"),
                                 {{"D", key.cdFilDest}, {"L", key.cdFilLanc}, {"N", key.nrAutoForn}});
    first.next();
    const QSqlRecord r = first.record();
    QStringList cols, holders;
    for (int i = 0; i < r.count(); ++i) {
        cols << r.fieldName(i);
        holders << QStringLiteral(":C%1").arg(i);
    }
    const QString insert = QStringLiteral("INSERT INTO ITEMAUTF (%1) VALUES (%2)").arg(cols.join(','), holders.join(','));
    const int dateCol = r.indexOf(QStringLiteral("DTPROGENTAF"));
    const QDateTime base = r.value(dateCol).toDateTime();
    c.transaction();
    for (int n = 1; count < 1000; ++n, ++count) {
        afdb::Params p;
        for (int i = 0; i < r.count(); ++i)
            p.push_back({QStringLiteral("C%1").arg(i), i == dateCol ? QVariant(base.addDays(n)) : r.value(i)});
        afdb::exec(c, insert, p);
    }
    c.commit();
    std::cerr << "AF " << key.nrAutoForn.toStdString() << " agora com 1000 itens\n";
    return key;
}

bool runFilter(afdesk::LancaAutoF* w, QElapsedTimer& clock, qint64& confirmedAt, bool first) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &clock, &confirmedAt] {
        auto* d = dynamic_cast<afdesk::FiltroAF*>(QApplication::activeModalWidget());
        if (!d) return;
        poll->stop();
        poll->deleteLater();
        auto button = [d](const char* n) { return d->findChild<QAbstractButton*>(QString::fromLatin1(n)); };
        button("rbtCompTodos")->click();
        button("rbtFilLista")->click();
        if (auto* b = d->findChild<QWidget*>(QStringLiteral("btpFilial"))) static_cast<QAbstractButton*>(b)->click();
        settle();
        confirmedAt = clock.nsecsElapsed();
        button("sbtConfirma")->click();
    });
    poll->start(5);
    if (first) afdesk::CriaLancaAutoF();
    else w->toolAction(afdesk::WorkspaceTool::Filtrar)->trigger();
    do settle();
    while (afdesk::filterState().boFilCriado || (afdesk::lancaAutoF() && afdesk::lancaAutoF()->state().flags.firstActivation));
    return afdesk::filterState().boModalResult;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    afbench::BenchDatabaseOptions options = afbench::parseDatabaseOptions(argc, argv);
    QApplication app(argc, argv);
    auto db = afbench::openBenchDatabase(options);
    const afbench::BusiestBranch busy = afbench::busiestBranch(*db);
    g_branch = busy.code;
    std::cerr << "filial " << busy.code.toStdString() << ": " << busy.afs << " AFs\n";
    const afdesk::AfKey big = thousandItemAf(*db, busy.code);

    afbench::BenchServer server(*db);
    const QString token = server.connect(QStringLiteral("Cmp03900.rdmLancaAutoF"))->sessionToken();
    const int port = server.port();
    host::setServerAccess([port, token](host::RemoteConnection& c) {
        c.setHost(QStringLiteral("127.0.0.1"));
        c.setPort(port);
        c.setSessionToken(token);
    });
    host::LoginInfo login;
    login.operador = QStringLiteral("ADMIN");
    login.nomeOperador = QStringLiteral("Administrador");
    login.filiProc = busy.code;
    login.nomeFiliProc = QStringLiteral("Filial");
    login.pictures = {{0, QStringLiteral("!99.99.999;0;_")}};
    auto session = std::make_shared<host::SessionState>(login);
    session->setDataProcProvider([](const QString&) { return std::optional<QDate>(QDate(2024, 6, 14)); });
    host::setSession(session);
    host::setDialogService(std::make_shared<Dialogs>());
    host::setProgressService(std::make_shared<Progress>());
    host::setScreenHost(std::make_shared<Screens>());
    host::setHostDatabase(std::make_shared<LookupDb>(*db));

    QElapsedTimer clock;
    clock.start();
    Stats list, shown;
    afdesk::LancaAutoF* w = nullptr;
    for (int run = 0; run < 6; ++run) {
        qint64 confirmedAt = 0;
        if (!runFilter(w, clock, confirmedAt, run == 0)) {
            std::cerr << "filtro não confirmado\n";
            return 1;
        }
        w = afdesk::lancaAutoF();
        const qint64 loaded = clock.nsecsElapsed();
        w->selectTab(afdesk::WorkspaceTab::AF, true, true);
        (void)w->state().dbgAutoForne->grab();
        const qint64 painted = clock.nsecsElapsed();
        if (run == 0) {
            std::cerr << "lista: " << w->state().cdsServAutoForne.recordCount() << " AFs da filial "
                      << w->state().cdsServAutoForne.field(QStringLiteral("CDFILDEST")).asString().toStdString() << '\n';
            continue;  // warm-up
        }
        list.add(ms(loaded - confirmedAt));
        shown.add(ms(painted - confirmedAt));
    }
    std::cout << "A. confirmar o filtro -> listas carregadas: " << list.text() << '\n';
    std::cout << "A. confirmar o filtro -> lista da AF desenhada: " << shown.text() << '\n';

    Stats reload;
    for (int run = 0; run < 5; ++run) {
        const qint64 t0 = clock.nsecsElapsed();
        afdesk::filtroAF()->sbtConfirmaClick(afdesk::ConfirmOrigin::Reload);
        reload.add(ms(clock.nsecsElapsed() - t0));
    }
    std::cout << "A'. só a lista (GetServAutoForne + carga no conjunto): " << reload.text() << '\n';

    Stats cold, cached;
    for (int run = 0; run < 6; ++run) {
        w->selectTab(afdesk::WorkspaceTab::AF, true, true);
        if (!w->state().cdsServAutoForne.locate(QStringLiteral("CDFILLANC;NRAUTOFORN"), {big.cdFilLanc, big.nrAutoForn})) {
            std::cerr << "AF de 1000 itens fora da lista\n";
            return 1;
        }
        settle();
        const bool warm = run % 2 == 1;
        if (!warm) {
            w->state().cache.clear();
            afdesk::closeAfDatasets(*w);
        }
        const qint64 t0 = clock.nsecsElapsed();
        w->selectTab(afdesk::WorkspaceTab::Produtos, true, true);
        (void)w->standardGrid()->grab();
        const qint64 t1 = clock.nsecsElapsed();
        if (w->state().cdsItemAutF.recordCount() != 1000) std::cerr << "itens: " << w->state().cdsItemAutF.recordCount() << '\n';
        (warm ? cached : cold).add(ms(t1 - t0));
    }
    std::cout << "B. AF de 1000 itens em \"Produtos\" (servidor): " << cold.text() << '\n';
    std::cout << "B. a mesma AF de volta, pelo cache: " << cached.text() << '\n';
    afdesk::resetWorkspaceState();
    afdesk::resetFilterState();
    return 0;
}
