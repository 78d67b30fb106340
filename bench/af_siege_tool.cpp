// A real afserver under hostile clients, while a logged-in user works:
//
//   - slow clients: 1,000 connections (default) from 127.0.0.2 and up, 50 per
//     address, that send nothing, or trickle a header or a body at a byte a
//     second; each one the server drops is replaced until the end;
//   - 80 more connections from one address, past its cap of 64;
//   - malformed lengths, one after another: Content-Length of 1 GiB, -5,
//     2^64, and a POST without a length;
//   - 48 password guessers from addresses of their own, each trying wrong
//     passwords one after another, half on a real operator (GERENTE), half on
//     made-up codes.
//
// Meanwhile the bystander (ADMIN, from 127.0.0.1) calls GetParamGeral one call
// at a time and logs in again every two seconds. Prints its latencies idle and
// under siege, the login times, and what each kind of attacker got.
//
//   af_siege_tool [--sqlite FILE | --pg CONNINFO] [--scale N]
//                 [--connect HOST:PORT] [--seconds 30] [--slow 1000] [--guessers 48]
//
// Without --connect it starts the afserver built beside it over the same
// database (its log goes to /tmp/af-siege-afserver.log); with it, it targets a
// running afserver on 127.0.0.1 over that database.
#include "bench_server.h"

#include "platform/server/testing/raw_http.h"

#include "host/remote/http_transport.h"
#include "host/remote/rpc_codec.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>

#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <random>
#include <thread>

namespace {

using platform::server::testing::RawHttpClient;
using platform::server::testing::RawResponse;
using Clock = std::chrono::steady_clock;

struct ToolOptions {
    int connectPort = 0;
    int seconds = 30;
    int slow = 1000;
    int guessers = 48;
    QStringList serverDatabase;  // afserver's own database options
};

[[noreturn]] void usage(const char* what) {
    std::fprintf(stderr, "af_siege_tool: %s\n", what);
    std::exit(2);
}

ToolOptions parseToolOptions(int argc, char** argv) {
    ToolOptions out;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--connect") && hasValue) {
            out.connectPort = QString::fromLocal8Bit(argv[++i]).section(QLatin1Char(':'), 1).toInt();
        } else if (!std::strcmp(argv[i], "--seconds") && hasValue) {
            out.seconds = std::max(5, std::atoi(argv[++i]));
        } else if (!std::strcmp(argv[i], "--slow") && hasValue) {
            out.slow = std::max(0, std::atoi(argv[++i]));
        } else if (!std::strcmp(argv[i], "--guessers") && hasValue) {
            out.guessers = std::clamp(std::atoi(argv[++i]), 0, 100);
        } else {
            usage((std::string("opção desconhecida: ") + argv[i]).c_str());
        }
    }
    return out;
}

// The database options as given, for afserver's command line, before the
// shared parser takes them out.
QStringList databaseArguments(int argc, char** argv) {
    QStringList out{QStringLiteral("--sqlite"), QStringLiteral("/tmp/af-bench-demo.sqlite")};
    for (int i = 1; i + 1 < argc; ++i)
        if (!std::strcmp(argv[i], "--sqlite") || !std::strcmp(argv[i], "--pg"))
            out = {QString::fromLocal8Bit(argv[i]), QString::fromLocal8Bit(argv[i + 1])};
    return out;
}

void raiseDescriptorLimit() {
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
}

std::string address(int n) { return "127.0.0." + std::to_string(n); }

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

void printLatencies(const char* what, const std::vector<double>& v) {
    std::printf("%s: %zu  p50 %.1f ms  p99 %.1f ms  máx %.1f ms\n", what, v.size(), percentile(v, 0.5),
                percentile(v, 0.99), v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()));
}

// afserver over the bench database, on a free port; stopped with SIGTERM.
class ServerProcess {
public:
    explicit ServerProcess(const QStringList& database) {
        const QString log = QStringLiteral("/tmp/af-siege-afserver.log");
        QFile::remove(log);
        m_process.setStandardErrorFile(log);  // a pipe nobody reads would stall its logging
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start(QStringLiteral(AFSERVER_PATH), database + QStringList{"--listen", "127.0.0.1:0"});
        if (!m_process.waitForStarted(10'000)) throw std::runtime_error("afserver did not start");
        const QRegularExpression listening(QStringLiteral("ouvindo em 127\\.0\\.0\\.1:(\\d+)"));
        for (int i = 0; i < 600 && m_port == 0; ++i) {
            QFile f(log);
            if (f.open(QIODevice::ReadOnly)) {
                const auto m = listening.match(QString::fromUtf8(f.readAll()));
                if (m.hasMatch()) m_port = m.captured(1).toInt();
            }
            if (m_port == 0 && m_process.waitForFinished(100)) throw std::runtime_error("afserver ended; see " + log.toStdString());
        }
        if (m_port == 0) throw std::runtime_error("afserver did not say its port");
    }
    ~ServerProcess() {
        m_process.terminate();
        if (!m_process.waitForFinished(10'000)) m_process.kill();
    }
    int port() const { return m_port; }

private:
    QProcess m_process;
    int m_port = 0;
};

// ---- slow clients --------------------------------------------------------

enum class SlowKind { Silent, Header, Body };
const char* kindName(SlowKind k) {
    return k == SlowKind::Silent ? "sem enviar nada" : k == SlowKind::Header ? "cabeçalho a 1 byte/s" : "corpo a 1 byte/s";
}

struct SlowTally {
    std::map<SlowKind, std::vector<double>> lifetimesS;  // connect to the server's close
    int opened = 0;
    int failedToOpen = 0;
    int stillOpen = 0;
    int overCapRefused = 0;  // of the connections past one address's cap: closed within a second
    int overCap = 0;
};

struct SlowConnection {
    RawHttpClient client;
    SlowKind kind;
    int from;
    Clock::time_point opened;
};

std::optional<SlowConnection> openSlow(int port, SlowKind kind, int from) {
    try {
        SlowConnection c{RawHttpClient(address(from), port), kind, from, Clock::now()};
        if (kind == SlowKind::Header) c.client.send("POST /rpc HTTP/1.1\r\n");
        if (kind == SlowKind::Body) c.client.send("POST /rpc HTTP/1.1\r\nHost: x\r\nContent-Length: 1000\r\n\r\n");
        return c;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void runSlowClients(int port, int count, Clock::time_point end, SlowTally& tally) {
    constexpr int kPerAddress = 50;
    constexpr int kOverCapFrom = 90;
    constexpr int kOverCap = 80;  // the server's default cap is 64 per address
    std::vector<SlowConnection> conns;
    for (int i = 0; i < count; ++i) {
        const SlowKind kind = i % 4 < 2 ? SlowKind::Silent : i % 4 == 2 ? SlowKind::Header : SlowKind::Body;
        if (auto c = openSlow(port, kind, 2 + i / kPerAddress)) {
            conns.push_back(std::move(*c));
            ++tally.opened;
        } else {
            ++tally.failedToOpen;
        }
    }
    std::vector<SlowConnection> overCap;
    for (int i = 0; i < kOverCap; ++i)
        if (auto c = openSlow(port, SlowKind::Silent, kOverCapFrom)) overCap.push_back(std::move(*c));
    tally.overCap = int(overCap.size());
    std::this_thread::sleep_for(std::chrono::seconds(1));
    for (SlowConnection& c : overCap)
        if (c.client.waitClosed(std::chrono::milliseconds(0))) ++tally.overCapRefused;
    overCap.clear();

    Clock::time_point nextByte = Clock::now();
    while (Clock::now() < end) {
        std::vector<pollfd> fds;
        for (const SlowConnection& c : conns) fds.push_back({c.client.fd(), POLLIN, 0});
        ::poll(fds.data(), fds.size(), 100);
        const bool trickle = Clock::now() >= nextByte;
        if (trickle) nextByte += std::chrono::seconds(1);
        for (size_t i = 0; i < conns.size(); ++i) {
            SlowConnection& c = conns[i];
            bool closed = fds[i].revents != 0 && c.client.waitClosed(std::chrono::milliseconds(0));
            if (!closed && trickle && c.kind != SlowKind::Silent) closed = !c.client.send("X");
            if (!closed) continue;
            tally.lifetimesS[c.kind].push_back(std::chrono::duration<double>(Clock::now() - c.opened).count());
            if (auto fresh = openSlow(port, c.kind, c.from)) {
                c = std::move(*fresh);
                ++tally.opened;
            } else {
                ++tally.failedToOpen;
            }
        }
    }
    tally.stillOpen = int(conns.size());
}

// ---- malformed lengths ---------------------------------------------------

struct MalformedTally {
    std::map<std::string, std::map<int, int>> statuses;  // kind -> status -> count (0: no answer)
    std::map<std::string, std::vector<double>> answerMs;
};

void runMalformed(int port, Clock::time_point end, MalformedTally& tally) {
    const std::vector<std::pair<std::string, std::string>> kinds = {
        {"Content-Length 1 GiB", "Content-Length: 1073741824\r\n"},
        {"Content-Length -5", "Content-Length: -5\r\n"},
        {"Content-Length 2^64", "Content-Length: 18446744073709551616\r\n"},
        {"POST sem Content-Length", ""},
    };
    for (size_t n = 0; Clock::now() < end; ++n) {
        const auto& [name, header] = kinds[n % kinds.size()];
        const Clock::time_point start = Clock::now();
        int status = 0;
        try {
            RawHttpClient c(address(91), port);
            c.send("POST /rpc HTTP/1.1\r\nHost: x\r\nContent-Type: application/cbor\r\n" + header + "\r\n");
            if (const std::optional<RawResponse> r = c.readResponse(std::chrono::seconds(60))) status = r->status;
        } catch (const std::exception&) {
        }
        tally.statuses[name][status]++;
        tally.answerMs[name].push_back(ms(Clock::now() - start));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// ---- password guessers ---------------------------------------------------

struct GuessTally {
    std::mutex mutex;
    std::map<QString, int> outcomes;
    int attempts = 0;
};

void runGuesser(int id, int port, Clock::time_point end, GuessTally& tally) {
    std::mt19937 rng(std::uint32_t(7000 + id));
    for (int n = 0; Clock::now() < end; ++n) {
        const QString op = id % 2 ? QStringLiteral("GERENTE") : QStringLiteral("Z%1").arg(rng() % 1'000'000);
        QString outcome;
        try {
            RawHttpClient c(address(100 + id), port);
            c.send(platform::server::testing::loginPost(op, QStringLiteral("errada%1").arg(n)));
            const std::optional<RawResponse> r = c.readResponse(std::chrono::seconds(60));
            if (!r)
                outcome = QStringLiteral("(sem resposta)");
            else if (r->contentType != "application/cbor")
                outcome = QStringLiteral("(HTTP %1)").arg(r->status);
            else {
                const host::RpcResponse answer =
                    host::decodeResponse(QByteArray(r->body.data(), qsizetype(r->body.size())));
                outcome = answer.ok ? QStringLiteral("(aceito!)") : answer.message;
            }
        } catch (const std::exception& e) {
            outcome = QStringLiteral("(conexão: %1)").arg(QString::fromUtf8(e.what()));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        std::lock_guard lock(tally.mutex);
        tally.outcomes[outcome]++;
        tally.attempts++;
    }
}

// ---- the bystander -------------------------------------------------------

struct Bystander {
    std::unique_ptr<host::RemoteConnection> net;
    QString branch;
    int port;

    explicit Bystander(int p, QString b) : branch(std::move(b)), port(p) { net = loginAgain(nullptr); }

    // A fresh login as ADMIN; its time goes to loginMs when given.
    std::unique_ptr<host::RemoteConnection> loginAgain(std::vector<double>* loginMs) const {
        host::RemoteConnection session(host::names::session::module, std::make_unique<host::HttpTransport>());
        session.setPort(port);
        const Clock::time_point start = Clock::now();
        const QString token = session.login(QStringLiteral("ADMIN"), QStringLiteral("admin")).token;
        if (loginMs) loginMs->push_back(ms(Clock::now() - start));
        auto out = std::make_unique<host::RemoteConnection>(host::names::lancaAutoF::module,
                                                            std::make_unique<host::HttpTransport>());
        out->setPort(port);
        out->setSessionToken(token);
        return out;
    }

    // Calls until the end; a correct login every two seconds.
    void work(Clock::time_point end, std::vector<double>& callMs, std::vector<double>& loginMs, int& failures,
              QString& firstFailure) {
        Clock::time_point nextLogin = Clock::now();
        while (Clock::now() < end) {
            if (Clock::now() >= nextLogin) {
                nextLogin += std::chrono::seconds(2);
                try {
                    loginAgain(&loginMs);
                } catch (const std::exception& e) {
                    if (failures++ == 0) firstFailure = QString::fromUtf8(e.what());
                }
            }
            const Clock::time_point start = Clock::now();
            const host::RemoteResult r = net->call(host::names::lancaAutoF::GetParamGeral, {branch});
            callMs.push_back(ms(Clock::now() - start));
            if (!r.ok() && failures++ == 0) firstFailure = r.error();
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    raiseDescriptorLimit();
    const QStringList serverDatabase = databaseArguments(argc, argv);
    const afbench::BenchDatabaseOptions dbOptions = afbench::parseDatabaseOptions(argc, argv);
    const ToolOptions options = parseToolOptions(argc, argv);
    try {
        const auto db = afbench::openBenchDatabase(dbOptions);
        const QString branch = afbench::busiestBranch(*db).code;
        std::unique_ptr<ServerProcess> server;
        int port = options.connectPort;
        if (port == 0) {
            server = std::make_unique<ServerProcess>(serverDatabase);
            port = server->port();
        }
        std::printf("afserver em 127.0.0.1:%d\n", port);

        Bystander bystander(port, branch);
        std::vector<double> idleCalls, idleLogins, siegeCalls, siegeLogins;
        int failures = 0;
        QString firstFailure;
        bystander.work(Clock::now() + std::chrono::seconds(5), idleCalls, idleLogins, failures, firstFailure);
        printLatencies("ocioso, chamadas", idleCalls);
        printLatencies("ocioso, logins corretos", idleLogins);

        const Clock::time_point end = Clock::now() + std::chrono::seconds(options.seconds);
        SlowTally slow;
        MalformedTally malformed;
        GuessTally guesses;
        std::vector<std::thread> attackers;
        attackers.emplace_back(runSlowClients, port, options.slow, end, std::ref(slow));
        attackers.emplace_back(runMalformed, port, end, std::ref(malformed));
        for (int i = 0; i < options.guessers; ++i) attackers.emplace_back(runGuesser, i, port, end, std::ref(guesses));
        std::this_thread::sleep_for(std::chrono::seconds(2));  // the slow clients connect
        bystander.work(end, siegeCalls, siegeLogins, failures, firstFailure);
        for (std::thread& t : attackers) t.join();

        std::printf("\nsob ataque por %d s:\n", options.seconds);
        printLatencies("chamadas do usuário", siegeCalls);
        printLatencies("logins corretos de outro usuário", siegeLogins);
        std::printf("falhas do usuário: %d%s%s\n", failures, failures ? "; primeira: " : "", qPrintable(firstFailure));

        std::printf("\nclientes lentos: %d conexões ao mesmo tempo, %d abertas no total (%d não abriram), %d ainda abertas no fim\n",
                    options.slow, slow.opened, slow.failedToOpen, slow.stillOpen);
        for (const auto& [kind, lifetimes] : slow.lifetimesS)
            std::printf("  %s: %zu derrubadas pelo servidor, vida p50 %.1f s, máx %.1f s\n", kindName(kind),
                        lifetimes.size(), percentile(lifetimes, 0.5),
                        lifetimes.empty() ? 0.0 : *std::max_element(lifetimes.begin(), lifetimes.end()));
        std::printf("  além do limite por endereço: %d de %d fechadas em 1 s\n", slow.overCapRefused, slow.overCap);

        std::printf("\ntamanhos impossíveis:\n");
        for (const auto& [kind, statuses] : malformed.statuses) {
            std::printf("  %s:", kind.c_str());
            for (const auto& [status, n] : statuses) std::printf(" HTTP %d × %d", status, n);
            const std::vector<double>& t = malformed.answerMs[kind];
            std::printf("; resposta p50 %.1f ms, máx %.1f ms\n", percentile(t, 0.5),
                        t.empty() ? 0.0 : *std::max_element(t.begin(), t.end()));
        }

        std::printf("\n%d adivinhadores de senha: %d tentativas (%.1f/s)\n", options.guessers, guesses.attempts,
                    guesses.attempts / double(options.seconds));
        for (const auto& [outcome, n] : guesses.outcomes) std::printf("  %6d  %s\n", n, qPrintable(outcome));
        return failures ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "af_siege_tool: %s\n", e.what());
        return 1;
    }
}
