#pragma once
// The redirect and skip decisions of the display table DisplayMap: at most
// one row per (LocalJob, IbexFilename), looked up without regard to letter
// case. A row with a target is a redirect, one without a skip.
#include "util/Prompter.h"
#include "project/QueryCache.h"

#include <QString>
#include <functional>

namespace vorlix {

class RedirectTable {
public:
    explicit RedirectTable(ProjectDatabase &pdb) : m_q(pdb) {}

    // On success replaces `name` with the row's target (empty for a skip)
    // and returns true; otherwise leaves `name` unchanged.
    bool findRedirect(QString &name, bool localJob);
    // Stores `btName` as the target of (localJob, ibexName), editing the
    // existing row or adding one. False when the database refuses it.
    bool setRedirect(const QString &ibexName, const QString &btName, bool localJob);
    // Deletes the row; false when there is none.
    bool deleteRedirect(const QString &ibexName, bool localJob);

    // Every row in table order (the first row of a name is the one
    // findRedirect finds): local-job flag, Ibex file name, target. Rows that
    // no lookup can find (no name, a flag other than 0 or 1) are left out.
    void forEachRedirect(const std::function<void(bool localJob, const QString &ibexName, const QString &target)> &visit);

    static void reportRedirectNotFound(Prompter &prompter);

private:
    // The rowid of the row of (localJob, name), or -1.
    qlonglong findRow(const QString &name, bool localJob, QString *target);
    QueryCache m_q;
};

} // namespace vorlix
