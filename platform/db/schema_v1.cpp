#include "schema_v1.h"

namespace afdb::schema::v1 {

namespace {

void append(std::vector<Table>& to, std::vector<Table> more) {
    to.insert(to.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

}  // namespace

std::vector<Table> allTables() {
    std::vector<Table> all = organisationTables();
    append(all, peopleTables());
    append(all, supplierTables());
    append(all, productTables());
    append(all, parameterTables());
    append(all, catalogueTables());
    append(all, afTables());
    append(all, receiptTables());
    append(all, sourcingTables());
    return all;
}

}  // namespace afdb::schema::v1
