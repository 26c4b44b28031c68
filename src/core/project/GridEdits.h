#pragma once
// The checks a value typed into a step grid passes before the grid stores
// it: device instances within BACnet's range (step 1's DevID, GlobalPts and
// BaseAddr columns, step 10's devinst) and one tblRepJob row per devinst.
// The multi-record editor checks devinst the same way.
#include "project/TableView.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

namespace vorlix {

// Why tblRepJob cannot take `devinst` as a new value (out of range, or
// another row has it); null when it can.
QString devinstProblem(QSqlDatabase db, qint64 devinst);

// Why `value` cannot replace `current` in column `field` of the grid's
// table; null when it can (an empty cell always can).
QString gridEditProblem(QSqlDatabase db, GridTable table, const QString &field, const QVariant &value,
                        const QVariant &current);

} // namespace vorlix
