#pragma once
// Runs the built vorlix-cli and collects what it printed.
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

} // namespace vorlix::test
