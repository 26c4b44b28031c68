#pragma once
// File-dialog filters are written as "Name|pattern|Name|pattern"; the Qt
// dialogs want "Name (pattern);;Name (pattern)".
#include <QString>

namespace vorlix {

// Converts a "Name|pattern|..." filter. Patterns written in capitals also
// match their lower-case spelling, since Ibex jobs come from Windows and are
// found on case-sensitive file systems with either.
QString qtFileFilter(const QString &filter);
// The suffix a save dialog appends to a name typed without one: that of
// the filter's first pattern ("dsr" for "Script (*.dsr)|*.dsr|..."); empty
// when that pattern names no single suffix.
QString defaultSuffix(const QString &filter);

} // namespace vorlix
