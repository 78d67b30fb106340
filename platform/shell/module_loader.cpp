#include "platform/shell/module_loader.h"

#include "host/data/errors.h"

#include <QtCore/QFileInfo>
#include <QtCore/QLibrary>
#include <QtCore/QRegularExpression>

namespace shell {

ModuleLoader::ModuleLoader(QString folder) : m_folder(std::move(folder)) {}

// Never unloads: a library's code must stay while anything it made is alive.
ModuleLoader::~ModuleLoader() = default;

QString ModuleLoader::libraryPath(const QString& module) const {
    return m_folder + QStringLiteral("/lib") + module + QStringLiteral(".so");
}

QLibrary& ModuleLoader::load(const QString& module) {
    if (auto it = m_loaded.find(module); it != m_loaded.end()) return *it->second;
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9_]+$"));
    if (!plainName.match(module).hasMatch())
        throw host::UserError(QStringLiteral("Nome de módulo inválido: \"%1\".").arg(module));
    const QString path = libraryPath(module);
    if (!QFileInfo(path).isFile())
        throw host::UserError(QStringLiteral("Módulo %1 não encontrado: %2").arg(module, path));
    auto library = std::make_unique<QLibrary>(path);
    // Every symbol is bound now: a library built against other host libraries
    // fails here with the loader's reason instead of dying at its first call.
    library->setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!library->load())
        throw host::UserError(
            QStringLiteral("Não foi possível carregar o módulo %1 (%2): %3").arg(module, path, library->errorString()));
    return *m_loaded.emplace(module, std::move(library)).first->second;
}

void* ModuleLoader::resolve(const QString& module, const char* symbol) {
    QLibrary& library = load(module);
    void* entry = reinterpret_cast<void*>(library.resolve(symbol));
    if (!entry)
        throw host::UserError(QStringLiteral("O módulo %1 não exporta a função %2: %3")
                                  .arg(module, QString::fromLatin1(symbol), libraryPath(module)));
    return entry;
}

bool ModuleLoader::exports(const QString& module, const char* symbol) {
    return load(module).resolve(symbol) != nullptr;
}

}  // namespace shell
