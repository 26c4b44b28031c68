#pragma once
// Where a redirected display leads: a BACtalk display named by rep, job and
// file, <root>/<rep>/<job>/displays/<file> under the BACtalk root folder (the
// BACtalk job folder without its last two components). DisplayMap keeps it
// as one lower-case text, rep-job-file.
#include <QString>

namespace vorlix {

struct RedirectTarget {
    QString rep;
    QString job;
    QString file;

    // The stored value: lower-cased rep-job-file.
    QString value() const;
    // Splits a stored value at its first two "-"; a value without "-" (a
    // skip) leaves all three empty.
    static RedirectTarget fromValue(const QString &value);
    // The last components of a chosen file's path: file, the displays folder
    // (dropped), job, rep.
    static RedirectTarget fromPath(const QString &path);

    // <root>/<rep>/<job>/displays/<file> for the BACtalk job folder
    // `bactalkJobPath`.
    QString filePath(const QString &bactalkJobPath) const;
    // Where the file dialog of "Browse" starts: the target file when it
    // exists, else the BACtalk job folder.
    QString browseStart(const QString &bactalkJobPath) const;
};

} // namespace vorlix
