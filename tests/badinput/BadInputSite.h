#pragma once
// A sample job with its BACtalk outputs in a temporary folder, for running
// the real vorlix-cli against one fault at a time and checking afterwards
// that nothing stored was lost.
#include "support/CliRunner.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace vorlix::test {

class BadInputSite {
public:
    // With `onTmpfs`, the site lives on a tmpfs of `tmpfsBytes` mounted for
    // it (check mounted() — mounting needs the right to).
    explicit BadInputSite(bool onTmpfs = false, qint64 tmpfsBytes = 4 << 20);
    ~BadInputSite();

    bool ok() const { return m_ok; }
    // Why the site could not be made: the command that failed, its exit
    // code and what it printed (empty when ok()).
    QString failure() const { return m_failure; }
    bool mounted() const { return m_mounted; }

    QString root;    // holds job/, localjob/, bactalk/
    QString job;     // the Ibex job folder
    QString bactalk; // the BACtalk job folder
    QString displays;
    QString app;     // the application folder (outside root)

    // Runs vorlix-cli --app-dir app ARGS, where an argument that is JOB,
    // LOCAL, BT, DISPLAYS or ROOT is replaced by that folder of the site.
    CliResult run(const QStringList &args, const CliOptions &options = {}) const;
    QStringList expand(const QStringList &args) const;

    // Every regular file below root (links are not followed) with its bytes,
    // by relative path; `except` paths are left out.
    QMap<QString, QByteArray> snapshot(const QStringList &except = {}) const;
    // The paths whose bytes differ between two snapshots (or are in one only).
    static QStringList changed(const QMap<QString, QByteArray> &a, const QMap<QString, QByteArray> &b);
    // The entries of a session log (lines that start with "[").
    static int logEntries(const QString &path);
    // PRAGMA integrity_check of a SQLite file: "ok" when sound.
    static QString integrity(const QString &path);

    // Fills the tmpfs until no byte is left.
    void fillDisk();

    // The environment that loads the fault layer: `fault` ("nospace" or
    // "readonly") for everything below `folder`.
    static CliOptions faultOptions(const QString &fault, const QString &folder);

private:
    std::unique_ptr<QTemporaryDir> m_tmp;
    bool m_ok = false;
    QString m_failure;
    bool m_mounted = false;
};

} // namespace vorlix::test
