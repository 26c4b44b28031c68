#pragma once
// The export of an Apex's Ibex points into a BACtalk point database: every
// point's description and value go into the matching row of "Analog Values"
// (AI, AO) or "Binary Values" (BI, BO). Rows are only updated, never added
// or removed.
#include "util/Progress.h"

#include <QString>
#include <functional>

namespace vorlix {

class OutsideDatabase;
class ProjectDatabase;

struct PointExportCounts {
    int points = 0;    // Ibex points of the Apex
    int updated = 0;   // point database rows written
    int unmatched = 0; // Ibex points without a row of their number
    int refused = 0;   // rows the point database refused (each logged)
    int targetRows = 0; // rows of "Analog Values" and "Binary Values" with an instance number
};

// Exports the IbexPtMap rows of `apex` (the whole table, whatever a grid
// shows) into `target` in one transaction. A row is the one whose first
// column (the object instance, whatever its name) holds the point's number;
// a binary row whose Value reads "pri" (any case) gets the value in prio08
// and keeps its Value. Values are written as they are (a whole number as an
// integer) and the description in what Windows-1252 can hold ("?" for the
// rest); the point database decides what fits: a row it refuses is logged
// through `log` with its table and instance, counted, and the export goes
// on. Rows whose instance is not a number are left alone (one log line per
// table). Throws Error naming the file when a table or column is missing or
// the database cannot be written; nothing is changed then.
PointExportCounts exportIbexPoints(ProjectDatabase &pdb, OutsideDatabase &target, int apex,
                                   const Progress &progress = {},
                                   const std::function<void(const QString &)> &log = {});

} // namespace vorlix
