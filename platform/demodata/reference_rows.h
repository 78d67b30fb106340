#pragma once
// Rows of the reference data (everything but the AFs, their receipts and the
// purchase requests), in foreign-key order. Each function declares its tables
// in the buffer in the order they must be inserted.
#include "demo_world.h"
#include "row_buffer.h"

namespace afdemo {

void organisationRows(const World& w, RowBuffer& out);  // companies, regions, branches, groupings
void peopleRows(const World& w, RowBuffer& out);        // operators, groups, permissions, buyers
void supplierRows(const World& w, RowBuffer& out);      // payment kinds, suppliers, carriers
void productRows(const World& w, RowBuffer& out);       // product tree, brands, rules, stock, taxes
void parameterRows(const World& w, RowBuffer& out);     // general, supply and purchasing parameters
void catalogueRows(const World& w, RowBuffer& out);     // charges, messages, justifications
void sourcingRows(const World& w, RowBuffer& out);      // price lists, quotations, price surveys

// The demo logins: code, name, password (docs/demo-data.md).
struct DemoLogin {
    QString code;
    QString name;
    QString password;
};
std::vector<DemoLogin> demoLogins(const World& w);

}  // namespace afdemo
