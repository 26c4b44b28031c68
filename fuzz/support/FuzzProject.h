#pragma once
// A fuzz target's project: the application object Qt's SQL needs, and a
// project database made from the template in a temporary folder, with the
// workbench parts the code under test looks things up in.
#include "project/ControllerMap.h"
#include "project/ProjectDatabase.h"
#include "project/ProjectVariables.h"
#include "project/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace vorlix::fuzz {

struct FuzzProject {
    explicit FuzzProject(const char *target)
    {
        static int argc = 1;
        static char *argv[] = {const_cast<char *>(target), nullptr};
        app = new QCoreApplication(argc, argv);
        QDir().mkpath(dir.filePath(QStringLiteral("app")));
        QDir().mkpath(dir.filePath(QStringLiteral("job")));
        schema::createProjectTemplate(dir.filePath(QStringLiteral("app/vorlix.mdb")));
        pdb.linkDatabase(dir.filePath(QStringLiteral("job")), dir.filePath(QStringLiteral("app")), vars);
    }
    QCoreApplication *app;
    QTemporaryDir dir;
    ProjectDatabase pdb{QStringLiteral("fuzz")};
    ProjectVariables vars;
    ControllerMap map{pdb};
};

} // namespace vorlix::fuzz
