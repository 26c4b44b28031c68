#pragma once
// "Merge DB": copies the project's device rows and capability rows into a
// BACtalk job's device database (RepJob.mdb: tblRepJob, tblDevCapabilities,
// tblSubnets) or another database with tblDevices and tblDevCapabilities.
// Rows are added or replaced by devinst, columns matched by name whatever
// their letter case. Everything happens in one transaction on the
// destination, which takes its write lock when the merge starts and reads
// the devices already there under it: a merge that fails leaves the
// destination exactly as it was, and two merges at once never add a device
// twice. Values are written as they are (texts in Windows-1252, "?" for
// what it lacks; dates as dates); the destination decides what fits, and a
// row it refuses is logged, counted and skipped.
#include "project/OutsideDatabase.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace vorlix {

class ProjectDatabase;

struct MergeResult {
    int devices = 0;       // device rows written
    int capabilities = 0;  // capability rows written
    int subnets = 0;       // subnet rows added
    int refused = 0;       // rows the destination refused (each logged)
    bool truncated = false; // a Rep/Job/DDC name was cut to 8 characters
};

// Whether `path` names a BACtalk job device database ("repjob.mdb").
bool isRepJobFile(const QString &path);

// Merges every project device (in devinst order), or only the devices whose
// devinst is in `selection` (still in table order). Subnets are collected
// from all project rows. `log` receives one line per refused row. Throws
// Error naming the file when the destination cannot be used or written;
// nothing is changed then.
MergeResult mergeDevices(ProjectDatabase &pdb, const QString &destPath,
                         const std::optional<QList<int32_t>> &selection,
                         const std::function<void(const QString &)> &log,
                         OutsideDatabase::Route route = OutsideDatabase::defaultRoute());

// The message that closes a merge.
QString mergeClosingMessage(const MergeResult &result);

} // namespace vorlix
