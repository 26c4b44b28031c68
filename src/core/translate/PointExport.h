#pragma once
// The export of an Apex's Ibex points into a BACtalk point database: every
// point's description and value go into the matching row of "Analog Values"
// (AI, AO) or "Binary Values" (BI, BO). Rows are only updated, never added
// or removed.
#include "util/Progress.h"

namespace vorlix {

class OutsideDatabase;
class ProjectDatabase;

struct PointExportCounts {
    int points = 0;    // Ibex points of the Apex
    int updated = 0;   // point database rows written
    int unmatched = 0; // Ibex points without a row of their number
    int targetRows = 0; // rows of "Analog Values" and "Binary Values" with an instance number
};

// Exports the IbexPtMap rows of `apex` (the whole table, whatever a grid
// shows) into `target` in one transaction. A binary row whose Value reads
// "pri" (any case) gets the value in prio08 and keeps its Value. Throws
// Error naming the file when a table or column is missing or the database
// cannot be written; nothing is changed then.
PointExportCounts exportIbexPoints(ProjectDatabase &pdb, OutsideDatabase &target, int apex,
                                   const Progress &progress = {});

} // namespace vorlix
