// afdemodata: fills an empty database with the demo company.
//   afdemodata --sqlite FILE [--scale N] [--seed S]
//   afdemodata --pg "host=... dbname=..." [--scale N] [--seed S]
#include "demo_data.h"

#include "host/data/errors.h"
#include "platform/db/database.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QStringList>
#include <QtCore/QTextStream>

#include <cstdio>
#include <exception>
#include <optional>

namespace {

// Progress and errors go straight to stderr, unbuffered, as they happen.
struct ErrorStream {
    ErrorStream& operator<<(const QString& text) {
        std::fputs(text.toLocal8Bit().constData(), stderr);
        return *this;
    }
    ErrorStream& operator<<(const char* text) {
        std::fputs(text, stderr);
        return *this;
    }
};

ErrorStream& err() {
    static ErrorStream s;
    return s;
}

const char* const kUsage =
    "Uso: afdemodata --sqlite ARQUIVO [--scale N] [--seed S]\n"
    "     afdemodata --pg \"host=... dbname=... user=...\" [--scale N] [--seed S]\n"
    "Cria o esquema e grava os dados de demonstração num banco vazio.\n"
    "  --scale N  tamanho: 1 (padrão) = 200 AFs; cada unidade soma 200 AFs de 10 itens em média\n"
    "             (500 = 100.000 AFs e 1.000.000 de itens)\n"
    "  --seed S   semente (padrão 20240614): a mesma escala e semente dão os mesmos dados\n";

struct Arguments {
    std::optional<afdb::Config> config;
    afdemo::DemoOptions options;
};

// Returns nothing (after printing why) when the command line is wrong.
std::optional<Arguments> parse(const QStringList& args) {
    Arguments a;
    for (int i = 1; i < args.size(); ++i) {
        const QString& opt = args[i];
        if (opt == QLatin1String("--help") || opt == QLatin1String("-h")) return std::nullopt;
        if (i + 1 >= args.size()) {
            err() << "afdemodata: falta o valor de " << opt << "\n";
            return std::nullopt;
        }
        const QString value = args[++i];
        bool ok = true;
        if (opt == QLatin1String("--sqlite")) {
            a.config = afdb::Config::sqlite(value);
        } else if (opt == QLatin1String("--pg")) {
            afdb::Config c = afdb::Config::postgresFromEnvironment();
            c.applyConnInfo(value);
            a.config = c;
        } else if (opt == QLatin1String("--scale")) {
            a.options.scale = value.toInt(&ok);
        } else if (opt == QLatin1String("--seed")) {
            a.options.seed = value.toULongLong(&ok);
        } else {
            err() << "afdemodata: opção desconhecida: " << opt << "\n";
            return std::nullopt;
        }
        if (!ok) {
            err() << "afdemodata: valor inválido para " << opt << ": " << value << "\n";
            return std::nullopt;
        }
    }
    if (!a.config) {
        err() << "afdemodata: informe --sqlite ou --pg\n";
        return std::nullopt;
    }
    return a;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        std::optional<Arguments> args = parse(app.arguments());
        if (!args) {
            err() << kUsage;
            return 2;
        }
        afdemo::demoCounts(args->options.scale);  // refuses a bad scale before touching the database
        QElapsedTimer clock;
        clock.start();
        args->options.progress = [&](const QString& line) {
            err() << QString::number(clock.elapsed() / 1000.0, 'f', 1) << " s  " << line << "\n";
        };
        afdb::Database db(*args->config);
        const afdemo::DemoSummary s = afdemo::generateDemoData(db, args->options);
        QTextStream(stdout) << "AFs: " << s.afs << "  itens: " << s.items << "  linhas: " << s.rows << "  tempo: "
                            << QString::number(clock.elapsed() / 1000.0, 'f', 1) << " s\n";
        return 0;
    } catch (const host::UserError& e) {
        err() << "afdemodata: " << e.message() << "\n";
        if (const QString detail = e.detail(); !detail.isEmpty()) err() << "  " << detail << "\n";
        return 1;
    } catch (const std::exception& e) {
        err() << "afdemodata: " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
}
