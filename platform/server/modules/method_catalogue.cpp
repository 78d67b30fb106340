#include "method_catalogue.h"

#include <QtCore/QStringList>

namespace platform::server::modules {

namespace {

QString argumentsOf(const MethodDef& m) {
    if (m.args.empty()) return QStringLiteral("—");
    QStringList out;
    for (size_t i = 0; i < m.args.size(); ++i) {
        const ArgDef& a = m.args[i];
        out << QStringLiteral("%1. `%2` %3%4")
                   .arg(i + 1)
                   .arg(a.name, argKindName(a.kind), a.byRef ? QStringLiteral(" (por referência)") : QString());
    }
    return out.join(QStringLiteral("<br>"));
}

QString accessOf(const MethodDef& m) {
    if (!m.needsSession) return QStringLiteral("sem sessão");
    if (!m.write) return QStringLiteral("leitura");
    QStringList parts{QStringLiteral("escrita")};
    if (!m.write->rights.isEmpty()) parts << QStringLiteral("exige ") + m.write->rights.join(QStringLiteral(", "));
    if (m.write->writersOnly) parts << QStringLiteral("recusada ao grupo somente leitura da filial");
    if (!m.write->rowChecks.isEmpty()) parts << QStringLiteral("por item: ") + m.write->rowChecks;
    return parts.join(QStringLiteral("; "));
}

QString cell(QString text) { return text.replace(QLatin1Char('|'), QStringLiteral("\\|")); }

}  // namespace

QString methodCatalogue(const ModuleRegistry& registry) {
    QStringList lines{
        QStringLiteral("# Method catalogue"),
        QString(),
        QStringLiteral("Every module and method the application server registers, written from the registry's own"),
        QStringLiteral("declarations (`platform/server/modules/method_catalogue.cpp`). Do not edit by hand: after a"),
        QStringLiteral("change, run `AF_UPDATE_DOCS=1 ctest -R MethodCatalogue` in the build directory. Calls, kinds"),
        QStringLiteral("and limits: remote-calls.md."),
    };
    for (const ServerModule* module : registry.modules()) {
        lines << QString() << QStringLiteral("## `%1`").arg(module->name()) << QString();
        lines << QStringLiteral("| method | arguments | result | access |") << QStringLiteral("|---|---|---|---|");
        for (const MethodDef* m : module->methods())
            lines << QStringLiteral("| `%1` | %2 | %3 | %4 |")
                         .arg(m->name, cell(argumentsOf(*m)), resultKindName(m->result), cell(accessOf(*m)));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace platform::server::modules
