#include "lanca_autof_test_support.h"

#include "host/remote/http_transport.h"

#include <QtCore/QDateTime>
#include <gtest/gtest.h>

namespace platform::server::modules::testing {

using afdb::testing::insertRow;

host::DateTime day(int y, int m, int d, int h, int min) {
    return {QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC).toMSecsSinceEpoch()};
}

QString afNumber(int n) { return QStringLiteral("%1").arg(n, 10, 10, QLatin1Char('0')); }

namespace {

QDateTime at(const host::DateTime& d) { return QDateTime::fromMSecsSinceEpoch(d.msecs, Qt::UTC); }

struct Af {
    int number;
    QString dest, lanc, buyer, supplier;
    host::DateTime date, delivery;
    QString receipt, consistency, limit;
};

void insertAf(const QSqlDatabase& db, const Af& af) {
    insertRow(db, "AUTOFORNE",
              {{"CDFILDEST", af.dest},
               {"CDFILLANC", af.lanc},
               {"NRAUTOFORN", afNumber(af.number)},
               {"CDFORNECED", af.supplier},
               {"DTAUTOFORN", at(af.date)},
               {"CDOPERADOR", af.buyer},
               {"DTPROGENTAF", at(af.delivery)},
               {"IDBAIXAAF", af.receipt},
               {"IDSITUATUAAF", af.consistency},
               {"IDAFFORALIM", af.limit},
               {"IDTIPOLANCAF", "M"},
               {"VRTOTALAF", 10.0 * af.number}});
}

}  // namespace

void seedLancaAutoFAfs(const QSqlDatabase& db, const afdb::testing::MinimalWorld& w) {
    insertRow(db, "FORNECEDOR",
              {{"CDFORNECED", kSupplier2},
               {"IDTPIJURFORN", "J"},
               {"NRINSJURFORN", "99888777000166"},
               {"NMRAZSOCFORN", "Segundo Fornecedor SA"},
               {"IDSITUCADA", "A"}});
    const QString s1 = w.supplier;
    insertAf(db, {2, w.branch, w.central, w.buyer, kSupplier2, day(2024, 4, 10, 15), day(2024, 4, 25), "2", "1", ""});
    insertAf(db, {3, w.branch, w.branch, w.operatorCode, s1, day(2024, 5, 1), day(2024, 5, 15), "5", "", "S"});
    insertAf(db, {4, w.central, w.central, w.operatorCode, kSupplier2, day(2024, 3, 31, 14, 30), day(2024, 6, 1), "7",
                  "", ""});
    insertAf(db, {5, w.branch, w.central, w.buyer, s1, day(2024, 6, 1), day(2024, 6, 10), "1", "", ""});
    insertRow(db, "ITEMAUTF",
              {{"CDFILDEST", w.branch},
               {"CDFILLANC", w.central},
               {"NRAUTOFORN", afNumber(5)},
               {"CDPRODUTO", w.product},
               {"DTPROGENTAF", at(day(2024, 7, 15))},
               {"CDMARCA", w.brand},
               {"QTPROGENTAF", 3.0},
               {"VRPREUNIAF", 2.0}});
    insertRow(db, "GRUPFILI", {{"CDGRUPFILI", "G1"}, {"NMGRUPFILI", "Centrais"}});
    insertRow(db, "FILIAGRUPFILI", {{"CDGRUPFILI", "G1"}, {"CDFILIAL", w.central}});
}

void LancaAutoFTest::SetUp() {
    MigratedEngineTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    world = afdb::testing::seedMinimalWorld(connection());
    seedLancaAutoFAfs(connection(), world);
    provider = std::make_unique<AfdbDatabaseProvider>(database());
    registerLancaAutoF(registry);
    dispatcher = std::make_unique<Dispatcher>(registry, sessions, provider.get());
    token = sessions.open({world.buyer, QStringLiteral("Comprador Um")});
}

host::RpcResponse LancaAutoFTest::call(const QString& method, std::vector<host::RemoteValue> args,
                                       std::vector<int> byRef) {
    host::RpcRequest r;
    r.module = host::names::lancaAutoF::module;
    r.method = method;
    r.session = token;
    r.args = std::move(args);
    r.byRef = std::move(byRef);
    return dispatcher->dispatch(r);
}

host::Packet LancaAutoFTest::packetOf(const QString& method, std::vector<host::RemoteValue> args,
                                      std::vector<int> byRef) {
    const host::RpcResponse r = call(method, std::move(args), std::move(byRef));
    EXPECT_TRUE(r.ok) << method.toStdString() << ": " << r.message.toStdString();
    if (!r.ok || r.value.kind() != host::RemoteKind::Packet) return {};
    return host::decodePacket(r.value.packetBytes());
}

namespace {
int indexOf(const host::Packet& p, const QString& field) {
    for (size_t i = 0; i < p.fields.size(); ++i)
        if (p.fields[i].name == field) return int(i);
    ADD_FAILURE() << "no field " << field.toStdString();
    return -1;
}
}  // namespace

host::Value value(const host::Packet& p, int row, const QString& field) {
    const int i = indexOf(p, field);
    if (i < 0 || row >= int(p.rows.size())) return {};
    return p.rows[size_t(row)].values[size_t(i)];
}

QString text(const host::Packet& p, int row, const QString& field) {
    const host::Value v = value(p, row, field);
    const QString* s = std::get_if<QString>(&v);
    return s ? *s : QString();
}

QStringList column(const host::Packet& p, const QString& field) {
    QStringList out;
    for (int r = 0; r < int(p.rows.size()); ++r) out << text(p, r, field);
    return out;
}

HttpServerOptions ModuleOverHttp::options() {
    HttpServerOptions o;
    o.port = 0;
    o.threads = 2;
    return o;
}

ModuleOverHttp::ModuleOverHttp(const Dispatcher& dispatcher, const QString& token)
    : m_server(dispatcher, options()),
      m_connection(host::names::lancaAutoF::module, std::make_unique<host::HttpTransport>()) {
    m_server.start();
    m_connection.setHost(QStringLiteral("127.0.0.1"));
    m_connection.setPort(m_server.port());
    m_connection.setSessionToken(token);
}

}  // namespace platform::server::modules::testing
