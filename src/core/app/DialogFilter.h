#pragma once
// File-dialog filters are written as "Name|pattern|Name|pattern"; the Qt
// dialogs want "Name (pattern);;Name (pattern)".
#include <QString>

namespace vorlix {

// Converts a "Name|pattern|..." filter. Patterns written in capitals also
// match their lower-case spelling, since Ibex jobs come from Windows and are
// found on case-sensitive file systems with either.
QString qtFileFilter(const QString &filter);

// The program's version for the about box: the first three dot-separated
// parts of `version` and its fourth part (the build; "0" when absent).
struct VersionParts {
    QString version;
    QString build;
};
VersionParts splitVersion(const QString &version);

} // namespace vorlix
