#pragma once
// File-dialog filters are written as "Name|pattern|Name|pattern"; the Qt
// dialogs want "Name (pattern);;Name (pattern)".
#include <QString>

namespace vorlix {

// Converts a "Name|pattern|..." filter. Patterns written in capitals also
// match their lower-case spelling, since Ibex jobs come from Windows and are
// found on case-sensitive file systems with either.
QString qtFileFilter(const QString &filter);

} // namespace vorlix
