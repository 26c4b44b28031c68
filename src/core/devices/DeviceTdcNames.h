#pragma once
// "Update tdc names": each Tux controller row of tblRepJob learns the
// BACtalk DDC program it runs (rep, job and application name of its copied
// Tux DDC file in TdcFiles).
#include <QList>
#include <QString>
#include <cstdint>

namespace vorlix {

class ControllerMap;
class ProjectDatabase;

struct TdcNamesResult {
    int listed = 0;             // rows of TdcFiles
    int updated = 0;            // device rows written
    QList<int32_t> notFound;    // device instances without a tblRepJob row
};

// The application name of a BACtalk DDC file: the name up to its first ".".
QString ddcAppName(const QString &bactalkFileName);

// Goes through TdcFiles (Apex, IbexFilename order); rows that are not Tux
// file names or whose trunk is not mapped are skipped. `rep` and `job` name
// the BACtalk job.
TdcNamesResult updateTdcNames(ProjectDatabase &pdb, ControllerMap &map, const QString &rep, const QString &job);

// The list of the closing message: each instance followed by a comma.
QString deviceList(const QList<int32_t> &devinsts);

} // namespace vorlix
