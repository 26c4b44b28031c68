#pragma once
// Display creation set up for tests: a throw-away project whose workbench
// has a BACtalk job folder and answers Yes unless told otherwise. `load`
// makes the translation straight from the records of an Ibex display the
// test builds — one row per record, nothing translated — so each test states
// the rows' texts, points and overrides itself; `create` runs "Create
// BACtalk Display" on it.
#include "commands/CreateDisplayCommands.h"
#include "inventory/RedirectTable.h"
#include "project/SessionLog.h"
#include "project/Settings.h"
#include "support/TestProject.h"
#include "translate/Translation.h"

#include <QByteArray>
#include <QHash>
#include <QString>

namespace vorlix::test {

class CreationHarness {
public:
    CreationHarness();

    QString bactalkJob() const;  // <tmp>/bactalk/acme/plaza
    QString bactalkRoot() const; // <tmp>/bactalk
    QString displayPath(const QString &btName) const;

    // Loads the display bytes: one row per record of the walk (records of
    // 22 bytes stepped over), numbered from 1.
    void load(const QString &ibexName, const QByteArray &fileBytes, bool localJob = false);
    // Writes the display into the job's (or local job's) "ldisplay" folder
    // and loads it as "&Load Ibex Display" does: listed with every rule.
    void list(const QString &ibexName, const QByteArray &fileBytes, bool localJob = false);
    Translation &translation();
    TranslationRow &row(int objectNumber);
    // The loaded Ibex bytes as the creations so far have changed them.
    QByteArray &ibex() { return translation().creationBytes(); }

    // Runs the creation (`selectedIndex`: single-row mode on that row of the
    // translation); the written file's bytes (empty when none).
    CreationOutcome create(int selectedIndex = -1);
    QByteArray written() const;

    TestProject project{true};
    Settings &settings;
    SessionLog &log;
    ScriptedPrompter &prompter; // answers Yes unless told otherwise
    RedirectTable redirects{project.pdb};
    CreationOutcome result;
};

// The whole file, or nothing when it cannot be read.
QByteArray fileBytes(const QString &path);

} // namespace vorlix::test
