#pragma once
// Deterministic demo data: a coherent multi-branch retailer with its purchasing
// centrals, logistic operators, suppliers, product tree, buyers and operators,
// parameters, and AFs in every situation the AF screens handle, with items,
// taxes, terms, charges, messages, receipts, purchase requests, price lists and
// quotations. The same scale and seed give the same table contents, byte for
// byte, on SQLite and PostgreSQL: every draw comes from the seed, every date is
// relative to a fixed base date, never to the clock.
//
// Sizes: scale 1 is a small company (200 AFs) for the demo and the screen tests;
// each scale unit adds 200 AFs of 10 items on average, so scale 500 gives
// 100,000 AFs and 1,000,000 items. The logins and the domain values used are in
// docs/demo-data.md.
#include "platform/db/database.h"

#include <QtCore/QDate>
#include <QtCore/QString>

#include <cstdint>
#include <functional>

namespace afdemo {

constexpr std::uint64_t kDefaultSeed = 20240614;
constexpr int kMaxScale = 2000;
constexpr int kAfsPerScale = 200;
constexpr int kItemsPerAf = 10;  // exact average over the whole set

struct DemoOptions {
    int scale = 1;
    std::uint64_t seed = kDefaultSeed;
    // Lines of progress ("AFs: 12000 de 100000"); may be empty.
    std::function<void(const QString&)> progress = {};
};

// How many records of each kind a scale gives.
struct DemoCounts {
    int afs = 0;
    qint64 items = 0;
    int centrals = 0;
    int storesPerCentral = 0;
    int suppliers = 0;
    int products = 0;  // leaves of the product tree
    int extraBrands = 0;
    int buyers = 0;
    int carriers = 0;
    int requests = 0;
    int priceLists = 0;
    int quotations = 0;
    int surveys = 0;
};

// Throws host::UserError for a scale outside 1..kMaxScale.
DemoCounts demoCounts(int scale);

// The processing date of every branch; every demo date is relative to it.
QDate demoBaseDate();

struct DemoSummary {
    int afs = 0;
    qint64 items = 0;
    qint64 rows = 0;  // every row written, all tables
};

// Migrates the schema, then fills the database. Refuses (host::UserError) a
// database that already holds business rows: demo data goes into an empty
// database only. Throws afdb::DbError on a database failure; what was written
// before it stays (each batch is its own transaction), so a failed run leaves a
// database to discard.
DemoSummary generateDemoData(afdb::Database& db, const DemoOptions& options);

// The shell's first run: when no file exists at path, creates the SQLite demo
// database there at scale 1 with the default seed and returns true; an existing
// file is left alone (false). The database is built under a temporary name and
// renamed when complete, so an interrupted run never leaves a half-filled file.
bool ensureDemoDatabase(const QString& path);

}  // namespace afdemo
