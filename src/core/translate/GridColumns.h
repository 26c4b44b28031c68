#pragma once
// Column widths of the main window's grids as the settings keep them: a
// list of decimal widths, each followed by a comma ("40,90,90,").
#include <QString>
#include <vector>

namespace vorlix {

// The widths as a settings text.
QString formatColumnWidths(const std::vector<int> &widths);
// Restores widths from a settings text, one number per column in order. A
// width missing, not a number, below 10 or above 400 becomes 30; an empty
// text leaves the widths as they are.
void applyColumnWidths(const QString &setting, std::vector<int> &widths);

// The device grid: one column per device field, some hidden.
struct DbColumn {
    int width = 64;
    bool visible = true;
};
// The width of each visible column, and a flag per column (1 visible, 0 hidden).
void formatDbColumns(const std::vector<DbColumn> &columns, QString &widths, QString &flags);
// Restores at most the first 47 columns: visibility from the flags and, for
// a visible column, its width from the widths (raised to at least 12).
void applyDbColumns(const QString &widths, const QString &flags, std::vector<DbColumn> &columns);

} // namespace vorlix
