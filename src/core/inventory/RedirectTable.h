#pragma once
// The redirect and skip decisions of the display table DisplayMap: at most
// one row per (LocalJob, IbexFilename), matched without regard to letter
// case. A row with a target is a redirect, one without a skip. The lookup of
// a decision is ControllerMap::findRedirect.
#include "project/ProjectDatabase.h"
#include "util/Prompter.h"

#include <QString>

namespace vorlix {

class RedirectTable {
public:
    explicit RedirectTable(ProjectDatabase &pdb) : m_pdb(pdb) {}

    // Stores `btName` as the target of (localJob, ibexName), editing the
    // existing row or adding one. False when the database refuses it.
    bool setRedirect(const QString &ibexName, const QString &btName, bool localJob);
    // Deletes the row: Missing when there is none (also without a database),
    // Refused when the database refuses the delete.
    ProjectDatabase::Removal deleteRedirect(const QString &ibexName, bool localJob);

    static void reportRedirectNotFound(Prompter &prompter);

private:
    static QList<ProjectDatabase::Field> key(const QString &ibexName, bool localJob);
    static ProjectDatabase::LogKey logKey(const QString &ibexName, bool localJob);
    ProjectDatabase &m_pdb;
};

} // namespace vorlix
