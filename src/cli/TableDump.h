#pragma once
#include "project/ProjectDatabase.h"
#include "project/Schema.h"

#include <QString>

namespace vorlix::cli {

// The table as RFC 4180 CSV: the documented field names, then the rows in
// the table's key order (insertion order for tables without one).
QString dumpTableCsv(ProjectDatabase &pdb, const schema::Table &table);

} // namespace vorlix::cli
