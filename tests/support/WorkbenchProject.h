#pragma once
// A throw-away application folder (with the template databases the build
// made) and job folder, and a Workbench over them with scripted answers.
#include "util/Prompter.h"
#include "project/Workbench.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace vorlix::test {

// The folder of the built executables and template databases.
QString binDir();

class WorkbenchProject {
public:
    WorkbenchProject();

    QString appDir() const { return m_root.path() + u"/app"_qs; }
    QString jobDir() const { return m_root.path() + u"/site/job"_qs; }
    QString root() const { return m_root.path(); }

    // A workbench started up with the default project connected.
    Workbench &workbench();
    // The workbench with jobDir() open as the project.
    Workbench &openJob();

    ScriptedPrompter prompter;

private:
    QTemporaryDir m_root;
    std::unique_ptr<Workbench> m_wb;
};

// Writes `bytes` to `path`, creating folders; fails the test on error.
void writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

} // namespace vorlix::test
