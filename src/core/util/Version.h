#pragma once
// The program's version as the about box shows it.
#include <QString>

namespace vorlix {

// The first three dot-separated parts of `version`, and its fourth part
// (the build; "0" when absent).
struct VersionParts {
    QString version;
    QString build;
};
VersionParts splitVersion(const QString &version);

} // namespace vorlix
