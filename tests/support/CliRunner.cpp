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

CliResult runCliIn(const QString &appDir, const QStringList &args, const QStringList &env)
{
    CliOptions options;
    options.env.insert(u"LC_ALL"_qs, u"C"_qs);
    for (const QString &kv : env)
        options.env.insert(kv.section(u'=', 0, 0), kv.section(u'=', 1));
    return runCli(QStringList{u"--app-dir"_qs, appDir} + args, options);
}

} // namespace vorlix::test
