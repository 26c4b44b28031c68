#pragma once
// A display creation set up for tests: a throw-away project with a BACtalk
// job folder, the naming over its redirection table and controller map, a
// scripted prompter, and a point translation the test chooses. Rows are made
// from the records of an Ibex display the test builds.
#include "util/Prompter.h"
#include "displays/DisplayCreation.h"
#include "translate/TranslationGrid.h"
#include "project/SessionLog.h"
#include "project/Settings.h"
#include "displays/DisplayCreator.h"
#include "translate/DisplayNaming.h"
#include "inventory/RedirectTable.h"
#include "support/TestProject.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>

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
    CreationRow &row(int objectNumber);

    // Runs the creation; the written file's bytes (empty when none).
    CreationResult create();
    QByteArray written() const;

private:
    // Made in the harness's own source, where the prompter's methods are
    // compiled once.
    std::unique_ptr<ScriptedPrompter> m_prompter;

public:
    TestProject project;
    Settings settings;
    SessionLog log;
    ScriptedPrompter &prompter; // answers Yes unless told otherwise
    RedirectTable redirects{project.pdb};
    DisplayNaming naming{project.vars, project.map, redirects};
    // Translation by object number; objects not listed translate to "".
    QHash<int, PointTranslation> points;
    std::unique_ptr<DisplayCreator> creator;

    CreationInput input;
    QByteArray ibex;
    CreationResult result;
};

// The creation over a translation grid, as the step 7 command runs it, in
// the harness's project.
struct GridCreation {
    GridCreation();
    // Lists `bytes`, written to the job's "ldisplay" folder as `name`.
    void load(const QString &name, const QByteArray &bytes);

    CreationHarness h;
    TranslationGrid grid{h.project.vars, h.project.pdb, h.project.map};
    DisplayCreation creation{h.project.vars, h.settings, h.log, h.prompter, grid};
};

// The whole file, or nothing when it cannot be read.
QByteArray fileBytes(const QString &path);

} // namespace vorlix::test
