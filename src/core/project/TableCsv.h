#pragma once
// A project table as text for people and scripts to read.
#include "project/ProjectDatabase.h"
#include "project/Schema.h"

#include <QSqlRecord>
#include <QString>
#include <functional>

namespace vorlix {

// The table as RFC 4180 CSV: a header of the table's field names, then the
// rows in the table's key order (insertion order for tables without one).
// Null is an empty field, Yes/No 1 or 0, numbers plain decimal with "." in
// their shortest exact form, dates ISO 8601.
// A column worked out from each row (not stored), printed after the field
// `after`.
struct CalculatedColumn {
    QString name;
    QString after;
    std::function<QString(const QSqlRecord &row)> value;
};
QString dumpTableCsv(ProjectDatabase &pdb, const schema::Table &table, const CalculatedColumn *extra = nullptr);

} // namespace vorlix
