#pragma once
// Runs the built vorlix-cli and collects what it printed.
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace vorlix::test {

struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs vorlix-cli with `args` (no --app-dir is added).
CliResult runCli(const QStringList &args);

// The executable the CLI tests run: VORLIX_TEST_CLI when set (to run a
// suite against another build), else the build's own vorlix-cli.
QString cliProgram();

struct CliOptions {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    int timeoutMs = 120000; // a run that takes longer is killed (exit -1)
    QString workingDir;     // the test's own when empty
};
CliResult runCli(const QStringList &args, const CliOptions &options);

// Runs vorlix-cli with the application folder `appDir`, in the C locale
// unless `env` ("NAME=VALUE" entries) says otherwise.
CliResult runCliIn(const QString &appDir, const QStringList &args, const QStringList &env = {});

} // namespace vorlix::test
