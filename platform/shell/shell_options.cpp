#include "platform/shell/shell_options.h"

#include "host/data/errors.h"

namespace shell {
namespace {

const QStringList kValued{"--db",       "--server", "--lookup-db", "--modulos",    "--operador",
                          "--filial",   "--abrir",  "--modulo",    "--screenshot", "--config"};

[[noreturn]] void refuse(const QString& text) { throw host::UserError(text + QStringLiteral(" Veja afhost --help.")); }

}  // namespace

ShellOptions parseShellArgs(const QStringList& args) {
    ShellOptions o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& name = args[i];
        if (name == QLatin1String("-h") || name == QLatin1String("--help")) {
            o.help = true;
            continue;
        }
        if (!name.startsWith(QLatin1String("--"))) refuse(QStringLiteral("Argumento inesperado: \"%1\".").arg(name));
        if (!kValued.contains(name)) refuse(QStringLiteral("Opção desconhecida: %1.").arg(name));
        if (i + 1 >= args.size() || args[i + 1].trimmed().isEmpty())
            refuse(QStringLiteral("A opção %1 precisa de um valor.").arg(name));
        const QString value = args[++i].trimmed();
        if (name == QLatin1String("--db")) o.databasePath = value;
        else if (name == QLatin1String("--server")) o.server = parseServerAddress(value);
        else if (name == QLatin1String("--lookup-db")) o.lookupDatabase = value;
        else if (name == QLatin1String("--modulos")) o.moduleFolder = value;
        else if (name == QLatin1String("--operador")) o.operatorCode = value.toUpper();
        else if (name == QLatin1String("--filial")) o.branch = value;
        else if (name == QLatin1String("--abrir")) o.openScreens << value.toUpper();
        else if (name == QLatin1String("--modulo")) o.openModules << value;
        else if (name == QLatin1String("--screenshot")) o.screenshotPath = value;
        else if (name == QLatin1String("--config")) o.configFile = value;
    }
    if (o.server && !o.databasePath.isEmpty())
        refuse(QStringLiteral("Use --db (servidor embutido) ou --server (servidor remoto), não os dois."));
    return o;
}

QString shellUsage() {
    return QStringLiteral(
        "Uso: afhost [opções]\n"
        "\n"
        "Host das telas de compras: login, janela principal e carga dos módulos (afdesk, afbatch).\n"
        "Sem opções, usa o servidor de aplicação embutido sobre o banco SQLite local; na primeira\n"
        "execução esse banco é criado com a empresa de demonstração (logins em docs/demo-data.md).\n"
        "\n"
        "Servidor e bancos:\n"
        "  --db ARQUIVO         banco SQLite do servidor embutido\n"
        "                       (padrão: <dados do aplicativo>/af.sqlite)\n"
        "  --server HOST:PORTA  entra num servidor de aplicação remoto (afserver); aceita também\n"
        "                       http://host:porta e https://host (proxy TLS, porta 443)\n"
        "  --lookup-db BANCO    banco das consultas no modo remoto, só leitura: um arquivo SQLite\n"
        "                       ou uma conninfo do PostgreSQL com um login somente-leitura\n"
        "                       (\"host=srvdb dbname=af user=af_consulta password=...\")\n"
        "\n"
        "Login e telas:\n"
        "  --operador CÓDIGO    operador sugerido no login\n"
        "  --filial CÓDIGO      filial de trabalho sugerida (padrão: a filial do operador)\n"
        "  --abrir TELA         abre a tela pelo código (CMP03900, CMP04000) após o login; repetível\n"
        "  --modulo NOME        carrega a biblioteca libNOME.so da pasta de módulos e chama seu\n"
        "                       IniProc após o login; repetível\n"
        "  --modulos PASTA      pasta das bibliotecas dos módulos\n"
        "                       (padrão: $AF_MODULE_PATH, senão <pasta do programa>/../lib)\n"
        "\n"
        "Outros:\n"
        "  --config ARQUIVO     arquivo de configuração (padrão: <configuração do usuário>/afhost.conf)\n"
        "  --screenshot PNG     entra sem diálogo (operador de --operador, senha da variável de\n"
        "                       ambiente AF_SENHA), abre as telas de --abrir e --modulo, grava a\n"
        "                       janela principal em PNG e termina; dispensa tela (plataforma offscreen)\n"
        "  -h, --help           mostra esta ajuda\n"
        "\n"
        "Arquivo de configuração (formato INI), usado quando a linha de comando não informa:\n"
        "  [servidor]\n"
        "  modo=embutido            ou remoto\n"
        "  endereco=srvaf:8211      servidor remoto\n"
        "  [consultas]\n"
        "  banco=\"host=srvdb dbname=af user=af_consulta password=...\"\n"
        "O último modo, endereço e operador usados num login bem-sucedido são gravados nele.\n");
}

}  // namespace shell
