#pragma once
// Loads the deliverables (afdesk, afbatch, ...) from the modules folder and
// finds their exported entry points. A library stays loaded for the rest of
// the program: its screens and module-wide state may outlive any one call.
#include <QtCore/QString>
#include <QtCore/QVariantList>
#include <map>
#include <memory>

class QLibrary;

namespace shell {

// The exported entry points of a deliverable.
inline constexpr char kIniProc[] = "IniProc";              // extern "C" void IniProc()
inline constexpr char kIniProcParams[] = "IniProcParams";  // extern "C" void IniProcParams(const QVariantList*)

using IniProcFn = void (*)();
using IniProcParamsFn = void (*)(const QVariantList*);

class ModuleLoader {
public:
    explicit ModuleLoader(QString folder);
    ~ModuleLoader();

    const QString& folder() const { return m_folder; }
    // folder/libNAME.so
    QString libraryPath(const QString& module) const;

    // The entry point, loading the library first when needed. Throws
    // host::UserError: "Módulo afdesk não encontrado: <caminho>", a library
    // that cannot be loaded (with the loader's reason), or one that does not
    // export the symbol.
    void* resolve(const QString& module, const char* symbol);
    bool exports(const QString& module, const char* symbol);

private:
    QLibrary& load(const QString& module);

    QString m_folder;
    std::map<QString, std::unique_ptr<QLibrary>> m_loaded;
};

}  // namespace shell
