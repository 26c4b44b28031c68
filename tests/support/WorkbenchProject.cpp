#include "support/WorkbenchProject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace vorlix::test {

QString binDir() { return QStringLiteral(VORLIX_BIN_DIR); }

WorkbenchProject::WorkbenchProject()
{
    QStandardPaths::setTestModeEnabled(true);
    QDir().mkpath(appDir());
    QDir().mkpath(jobDir());
    seedAppFolder(appDir(), binDir());
}

Workbench &WorkbenchProject::workbench()
{
    if (!m_wb) {
        m_wb = std::make_unique<Workbench>(appDir(), prompter);
        m_wb->startUp();
        m_wb->connectDefaultProject();
    }
    return *m_wb;
}

Workbench &WorkbenchProject::openJob()
{
    Workbench &wb = workbench();
    wb.openProject(jobDir());
    wb.masterList.load(wb.pdb); // the saved list, never a scan
    return wb;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace vorlix::test
