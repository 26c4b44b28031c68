#pragma once
// Commands on the project's own tables: set one project variable, edit a
// controller map row (step 1) and print a table.
#include <QList>
#include <QString>
#include <QVariant>

namespace vorlix {

class Workbench;

// Sets one project variable by its name from a text ("1"/"0"/"true"/
// "false", decimal, text), stores the variables and logs the change.
// Throws Error for an unknown name or a value the variable cannot take.
void setVariableCommand(Workbench &wb, const QString &name, const QString &value);

// FIELD=VALUE of an ApexMap row; an empty value stores null.
struct FieldAssignment {
    QString field;
    QString value;
};
// Checks the assignments against the ApexMap fields (a known field other
// than Apex; a whole number for number fields; device instances and trunk
// bases within BACnet's range). Throws Error naming what is wrong. Front
// ends check before opening the project.
void checkApexAssignments(const QList<FieldAssignment> &assignments);
// Step 1: edits one ApexMap row, logged. Throws Error when the row is
// missing or the database refuses the change.
void mapApexCommand(Workbench &wb, int apex, const QList<FieldAssignment> &assignments);

// The table as CSV (see dumpTableCsv). Throws Error for an unknown table.
QString dumpTableCommand(Workbench &wb, const QString &table);

} // namespace vorlix
