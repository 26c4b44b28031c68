#include "translate/GridColumns.h"

#include "util/TextUtil.h"

namespace vorlix {

QString FormatColumnWidths(const std::vector<int> &widths)
{
    QString out;
    for (int w : widths)
        out += QString::number(w) + u',';
    return out;
}

void ApplyColumnWidths(const QString &setting, std::vector<int> &widths)
{
    if (setting.isEmpty())
        return;
    QString rest = setting;
    for (int &w : widths) {
        const int v = int16_t(NextTokenInt16(rest, u','));
        w = v < 10 || v > 400 ? 30 : v;
    }
}

void FormatDbColumns(const std::vector<DbColumn> &columns, QString &widths, QString &flags)
{
    widths.clear();
    flags.clear();
    for (const DbColumn &c : columns) {
        if (c.visible)
            widths += QString::number(c.width) + u',';
        flags += c.visible ? u"1,"_qs : u"0,"_qs;
    }
}

void ApplyDbColumns(const QString &widths, const QString &flags, std::vector<DbColumn> &columns)
{
    constexpr size_t kRestored = 47;
    if (flags.isEmpty())
        return;
    QString w = widths, f = flags;
    for (size_t i = 0; i < columns.size() && i < kRestored; ++i) {
        columns[i].visible = NextTokenInt(f, u',') != 0;
        if (columns[i].visible)
            columns[i].width = qMax(12, NextTokenInt(w, u','));
    }
}

} // namespace vorlix
