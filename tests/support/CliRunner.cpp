#include "support/CliRunner.h"
#include "support/TestProject.h"

#include <QProcess>

namespace vorlix::test {

CliResult runCli(const QStringList &args)
{
    QProcess p;
    p.setProgram(binDir() + u"/vorlix-cli"_qs);
    p.setArguments(args);
    p.start();
    CliResult r;
    if (!p.waitForFinished(120000)) {
        p.kill();
        r.err = u"vorlix-cli did not finish"_qs;
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace vorlix::test
