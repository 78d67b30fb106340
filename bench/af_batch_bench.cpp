// The bulk AF alteration end to end over HTTP, as the screen does it: list
// about 5,000 open items of one branch and sub-group (GetAF, loaded into the
// screen's dataset), then confirm 1,000 changed quantities (GetVerifica with
// the whole list, SetAF with the delta, merge, and the reload by GetAF).
// Prints the time of each step, best and median of the runs.
//
//   af_batch_bench [--sqlite FILE | --pg CONNINFO] [--scale N] [--runs 5]
//                  [--items 5000] [--changes 1000]
//
// Each run writes its changes: point it at a copy of the large demo database.
#include "bench_server.h"

#include "platform/db/sql_exec.h"
#include "platform/db/sql_values.h"

#include "host/data/dataset.h"
#include "host/remote/check_result.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct ToolOptions {
    int runs = 5;
    int items = 5000;
    int changes = 1000;
};

ToolOptions parseToolOptions(int argc, char** argv) {
    ToolOptions out;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--runs") && hasValue) out.runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--items") && hasValue) out.items = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--changes") && hasValue) out.changes = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr, "opção desconhecida: %s\n", argv[i]);
            std::exit(2);
        }
    }
    return out;
}

// The branch and sub-group of the supplies group with the most open items, and
// the delivery period holding about `items` of them from the earliest on.
struct Filter {
    QString branch, group, subGroup;
    host::DateTime from, to;
};

const char kOpenItems[] =
    "FROM ITEMAUTF I JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO JOIN AUTOFORNE A ON A.CDFILDEST = I.CDFILDEST "
    "AND A.CDFILLANC = I.CDFILLANC AND A.NRAUTOFORN = I.NRAUTOFORN WHERE P.CDGRUPPROD = :G "
    "AND (I.IDBAIXITMAF IS NULL OR I.IDBAIXITMAF = '1') AND (A.IDBAIXAAF IS NULL OR A.IDBAIXAAF = '1') "
    "AND (A.IDAFEXPIRADA IS NULL OR A.IDAFEXPIRADA <> 'S') AND A.CDFILDESTCON IS NULL";

Filter chooseFilter(afdb::Database& db, int items) {
    const QSqlDatabase c = db.connection();
    Filter f;
    f.group = afdb::scalar(c, QStringLiteral("SELECT MIN(CDGRUPPROD) FROM PARASUPRI")).toString();
    QSqlQuery best = afdb::exec(c,
                                QStringLiteral("SELECT I.CDFILDEST, P.CDSUBGRPROD, COUNT(*) AS N ") +
                                    QLatin1String(kOpenItems) +
                                    QStringLiteral(" GROUP BY I.CDFILDEST, P.CDSUBGRPROD ORDER BY N DESC"),
                                {{"G", f.group}});
    if (!best.next()) {
        std::fprintf(stderr, "nenhum item em aberto no grupo de Suprimentos\n");
        std::exit(1);
    }
    f.branch = best.value(0).toString();
    f.subGroup = best.value(1).toString();
    QSqlQuery dates = afdb::exec(c,
                                 QStringLiteral("SELECT I.DTPROGENTAF ") + QLatin1String(kOpenItems) +
                                     QStringLiteral(" AND I.CDFILDEST = :B AND P.CDSUBGRPROD = :S ORDER BY I.DTPROGENTAF"),
                                 {{"G", f.group}, {"B", f.branch}, {"S", f.subGroup}});
    int n = 0;
    while (dates.next()) {
        const host::DateTime d = host::DateTime::fromQDateTime(afdb::readDateTime(dates.value(0)));
        if (n++ == 0) f.from = d;
        f.to = d;
        if (n >= items) break;
    }
    return f;
}

host::RemoteValue getAF(host::RemoteConnection& net, const Filter& f) {
    return host::CheckResultServ(net.call(QStringLiteral("GetAF"), {f.branch, f.group, f.subGroup, f.from, f.to, ""}),
                                 true, 0);
}

std::vector<host::RemoteArg> setAfArgs(const host::Dataset& ds) {
    std::vector<host::RemoteArg> args{host::RemoteValue::packet(ds.delta()), false, "AF Manual", "ADMIN"};
    for (const char* t : {"Inclusão", "Exclusão", "Alteração de AF-Inclusão de Item", "Alteração de AF-Exclusão de Item",
                          "Alteração da Baixa do Item", "Alteração de AF-Alter. da Baixa", "para",
                          "Alteração da Quantidade", "Alteração de AF-Alter. da Quant.", "Em Aberto", "Baixa Parcial",
                          "Baixa Total", "Baixa Manual", "Alteração da Baixa da AF", "Alteração de AF-Alter. da Baixa"})
        args.emplace_back(QString::fromUtf8(t));
    return args;
}

// Every step's times, in milliseconds.
struct Times {
    std::vector<double> list, verify, save, reload, confirm;
};

void report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s best %8.1f ms   median %8.1f ms\n", what, ms.front(), ms[ms.size() / 2]);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const afbench::BenchDatabaseOptions dbOptions = afbench::parseDatabaseOptions(argc, argv);
    const ToolOptions options = parseToolOptions(argc, argv);
    std::unique_ptr<afdb::Database> db = afbench::openBenchDatabase(dbOptions);
    const Filter filter = chooseFilter(*db, options.items);
    afbench::BenchServer server(*db, 8);
    std::unique_ptr<host::RemoteConnection> net = server.connect(QStringLiteral("Cmp04000.rdmAltAF"));

    Times t;
    for (int run = 0; run < options.runs; ++run) {
        host::Dataset cdsAF;
        QElapsedTimer clock;
        clock.start();
        cdsAF.setData(getAF(*net, filter).packetBytes());
        t.list.push_back(clock.nsecsElapsed() / 1e6);
        if (run == 0)
            std::printf("filial %s, subgrupo %s: %d itens listados, %d alterados por confirmação\n",
                        qPrintable(filter.branch), qPrintable(filter.subGroup), cdsAF.recordCount(),
                        std::min(options.changes, cdsAF.recordCount()));

        // Every n-th item gets one more unit: spread over many AFs, as a buyer would.
        const int step = std::max(1, cdsAF.recordCount() / options.changes);
        int changed = 0;
        for (; changed < options.changes && changed * step < cdsAF.recordCount(); ++changed) {
            cdsAF.setRecNo(1 + changed * step);
            host::Field& qty = cdsAF.field(QStringLiteral("QTPROGENTAF"));
            cdsAF.edit();
            qty.setAsFloat(qty.asFloat() + 1);
            cdsAF.post();
        }

        QElapsedTimer total;
        total.start();
        clock.restart();
        const host::RemoteValue checked = host::CheckResultServ(
            net->call(QStringLiteral("GetVerifica"), {host::RemoteValue::packet(cdsAF.data())}), true, 0);
        if (!checked.array().at(1).toText().isEmpty()) {
            std::fprintf(stderr, "GetVerifica recusou: %s\n", qPrintable(checked.array().at(1).toText()));
            return 1;
        }
        t.verify.push_back(clock.nsecsElapsed() / 1e6);
        clock.restart();
        host::CheckResultServ(net->call(QStringLiteral("SetAF"), setAfArgs(cdsAF)), true, 0);
        cdsAF.mergeChangeLog();
        t.save.push_back(clock.nsecsElapsed() / 1e6);
        clock.restart();
        cdsAF.setData(getAF(*net, filter).packetBytes());
        t.reload.push_back(clock.nsecsElapsed() / 1e6);
        t.confirm.push_back(total.nsecsElapsed() / 1e6);
        if (run == 0) std::printf("%d itens alterados por confirmação\n", changed);
    }
    report("listar (GetAF + carga)", t.list);
    report("GetVerifica", t.verify);
    report("SetAF", t.save);
    report("recarga (GetAF)", t.reload);
    report("confirmar, de ponta a ponta", t.confirm);
    return 0;
}
