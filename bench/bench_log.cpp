// Times what the session log costs a command on a job whose vorlix.log has
// grown to 50 MB: opening the project and closing it again (which loads the
// log and saves the command's lines), as every vorlix-cli command does.
// Also prints how much the file grew and whether its start stayed in place.
#include "util/Prompter.h"
#include "project/Workbench.h"
#include "project/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

using namespace vorlix;


int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString appFolder = dir.filePath(u"app"_qs);
    const QString job = dir.filePath(u"job"_qs);
    QDir().mkpath(appFolder);
    QDir().mkpath(job);
    schema::createProjectTemplate(appFolder + u"/vorlix.mdb"_qs);
    const QByteArray line = "[1 Jan 2020 10:00:00]: an entry of an earlier session, with its words\r\n";
    QByteArray big;
    while (big.size() < 50 * 1024 * 1024)
        big += line;
    {
        QFile f(job + u"/vorlix.log"_qs);
        if (!f.open(QIODevice::WriteOnly) || f.write(big) != big.size())
            return 1;
    }
    ScriptedPrompter prompter(true);
    constexpr int kRuns = 5;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kRuns; ++i) {
        Workbench wb(appFolder, prompter);
        wb.startUp();
        wb.connectDefaultProject();
        wb.openProject(job);
        wb.log.logMsgStart(u"a command"_qs);
        wb.closeProject();
    }
    const double perRun = double(timer.elapsed()) / kRuns;
    QFile f(job + u"/vorlix.log"_qs);
    if (!f.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray now = f.readAll();
    std::printf("session log of %.1f MB: open and close of the project %.1f ms per command (%d runs)\n",
                double(big.size()) / (1024 * 1024), perRun, kRuns);
    std::printf("the log grew by %lld bytes; its first %.1f MB are %s\n", static_cast<long long>(now.size() - big.size()),
                double(big.size()) / (1024 * 1024), now.startsWith(big) ? "unchanged" : "CHANGED");
    return 0;
}
