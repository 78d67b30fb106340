#include "demo_data.h"

#include "af_generator.h"
#include "batch_writer.h"
#include "reference_rows.h"
#include "request_rows.h"

#include "platform/db/db_error.h"
#include "platform/db/schema_v1.h"
#include "platform/db/sql_exec.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace afdemo {

namespace {

constexpr int kSlotsPerBatch = 250;  // 1,000 AFs, about 10,000 items, per transaction

void report(const DemoOptions& options, const QString& line) {
    if (options.progress) options.progress(line);
}

// Demo data goes into an empty database only: mixing it with real rows would
// collide on keys or, worse, pass off invented AFs as real ones.
bool hasRows(const QSqlDatabase& db, const QString& table) {
    return afdb::scalar(db, QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(table)).isValid();
}

void requireEmpty(const QSqlDatabase& db) {
    if (hasRows(db, QStringLiteral("AUTOFORNE")))
        throw host::UserError(QStringLiteral("O banco de dados já tem AFs: os dados de demonstração só podem ser "
                                             "gerados num banco vazio."));
    for (const afdb::schema::Table& t : afdb::schema::v1::allTables()) {
        if (!hasRows(db, t.name)) continue;
        throw host::UserError(QStringLiteral("O banco de dados não está vazio (a tabela %1 já tem linhas): os dados de "
                                             "demonstração só podem ser gerados num banco vazio.")
                                  .arg(t.name));
    }
}

// SQLite waits for the disk at every checkpoint; a demo database that a crash
// interrupts is thrown away anyway (it is refused as not empty), so the fill
// does without those waits and a small page cache, and restores both after.
class FastFill {
public:
    FastFill(QSqlDatabase db, afdb::Engine engine) : m_db(std::move(db)), m_on(engine == afdb::Engine::SQLite) {
        if (!m_on) return;
        afdb::exec(m_db, QStringLiteral("PRAGMA synchronous = OFF"));
        afdb::exec(m_db, QStringLiteral("PRAGMA cache_size = -131072"));  // 128 MiB
    }
    ~FastFill() {
        if (!m_on) return;
        try {
            afdb::exec(m_db, QStringLiteral("PRAGMA cache_size = -2000"));
            afdb::exec(m_db, QStringLiteral("PRAGMA synchronous = NORMAL"));
            afdb::exec(m_db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        } catch (const afdb::DbError&) {
            // The connection is closed with the Database; a later one opens with the defaults.
        }
    }
    FastFill(const FastFill&) = delete;
    FastFill& operator=(const FastFill&) = delete;

private:
    QSqlDatabase m_db;
    bool m_on;
};

void writeReference(const World& world, BatchWriter& writer) {
    RowBuffer rows;
    organisationRows(world, rows);
    peopleRows(world, rows);
    supplierRows(world, rows);
    productRows(world, rows);
    parameterRows(world, rows);
    catalogueRows(world, rows);
    sourcingRows(world, rows);
    writer.write(rows);
}

}  // namespace

DemoSummary generateDemoData(afdb::Database& db, const DemoOptions& options) {
    const DemoCounts counts = demoCounts(options.scale);
    QSqlDatabase connection = db.connection();
    db.migrate();
    requireEmpty(connection);

    const FastFill fast(connection, db.engine());
    report(options, QStringLiteral("Dados de referência: empresas, filiais, fornecedores, produtos..."));
    const World world = buildWorld(options);
    BatchWriter writer(connection, db.engine());
    writeReference(world, writer);

    AfGenerator afs(world);
    const int slotCount = counts.afs / 4;
    for (int first = 0; first < slotCount; first += kSlotsPerBatch) {
        RowBuffer rows;
        AfGenerator::declareTables(rows);
        const int last = std::min(slotCount, first + kSlotsPerBatch);
        for (int s = first; s < last; ++s) afs.slot(s, rows);
        writer.write(rows);
        report(options, QStringLiteral("AFs: %1 de %2").arg(last * 4).arg(counts.afs));
    }

    RowBuffer closing;
    afs.numberingRows(closing);
    requestRows(world, afs.importedSamples(), closing);
    writer.write(closing);
    report(options, QStringLiteral("Concluído: %1 linhas gravadas.").arg(writer.rowsWritten()));
    return {counts.afs, afs.itemCount(), writer.rowsWritten()};
}

bool ensureDemoDatabase(const QString& path) {
    if (QFileInfo::exists(path)) return false;
    const QString building = path + QStringLiteral(".criando-%1").arg(QCoreApplication::applicationPid());
    auto removeBuilding = [&] {
        for (const QString& file : {building, building + QStringLiteral("-wal"), building + QStringLiteral("-shm")})
            QFile::remove(file);
    };
    removeBuilding();
    try {
        afdb::Database db(afdb::Config::sqlite(building));
        generateDemoData(db, {});
    } catch (...) {
        removeBuilding();
        throw;
    }
    // The Database is gone: its connections are closed and the WAL is folded into the file.
    if (!QFile::rename(building, path)) {
        removeBuilding();
        if (QFileInfo::exists(path)) return false;  // another program created it meanwhile
        throw host::UserError(QStringLiteral("Não foi possível criar o banco de demonstração em %1.").arg(path));
    }
    return true;
}

}  // namespace afdemo
