#pragma once
// The tables of schema version 1, by area, in creation order (a table comes after
// every table it references). Frozen once released: later changes are new
// migrations, never edits here.
#include "schema_dsl.h"

#include <vector>

namespace afdb::schema::v1 {

std::vector<Table> organisationTables();  // companies, regions, branches and their groupings
std::vector<Table> peopleTables();        // operators, groups, permissions, buyers, managers
std::vector<Table> supplierTables();      // suppliers, qualifications, carriers, payment kinds
std::vector<Table> productTables();       // product tree, brands, product-branch rules, stock, costs, taxes
std::vector<Table> parameterTables();     // general, supply and purchasing parameters
std::vector<Table> catalogueTables();     // charges, messages, justifications, reports, translations
std::vector<Table> afTables();            // AF header, items, taxes, terms, charges, messages, log
std::vector<Table> receiptTables();       // invoices and the settlement of AF items
std::vector<Table> sourcingTables();      // purchase requests, price lists, quotations, price surveys

std::vector<Table> allTables();

}  // namespace afdb::schema::v1
