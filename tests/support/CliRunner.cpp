#include "support/CliRunner.h"
#include "support/WorkbenchProject.h"

#include <QProcess>

namespace vorlix::test {

QString cliProgram()
{
    const QString other = qEnvironmentVariable("VORLIX_TEST_CLI");
    return other.isEmpty() ? binDir() + u"/vorlix-cli"_qs : other;
}

CliResult runCli(const QStringList &args) { return runCli(args, CliOptions{}); }

CliResult runCli(const QStringList &args, const CliOptions &options)
{
    QProcess p;
    p.setProgram(cliProgram());
    p.setArguments(args);
    p.setProcessEnvironment(options.env);
    if (!options.workingDir.isEmpty())
        p.setWorkingDirectory(options.workingDir);
    p.start();
    CliResult r;
    if (!p.waitForFinished(options.timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = u"vorlix-cli did not finish"_qs;
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace vorlix::test
