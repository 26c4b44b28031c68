#include "translate/GridColumns.h"

#include "util/TextUtil.h"

namespace vorlix {

QString formatColumnWidths(const std::vector<int> &widths)
{
    QString out;
    for (int w : widths)
        out += QString::number(w) + u',';
    return out;
}

void applyColumnWidths(const QString &setting, std::vector<int> &widths)
{
    if (setting.isEmpty())
        return;
    QString rest = setting;
    for (int &w : widths) {
        const int v = int16_t(nextTokenInt16(rest, u','));
        w = v < 10 || v > 400 ? 30 : v;
    }
}

void formatDbColumns(const std::vector<DbColumn> &columns, QString &widths, QString &flags)
{
    widths.clear();
    flags.clear();
    for (const DbColumn &c : columns) {
        if (c.visible)
            widths += QString::number(c.width) + u',';
        flags += c.visible ? u"1,"_qs : u"0,"_qs;
    }
}

void applyDbColumns(const QString &widths, const QString &flags, std::vector<DbColumn> &columns)
{
    constexpr size_t kRestored = 47;
    if (flags.isEmpty())
        return;
    QString w = widths, f = flags;
    for (size_t i = 0; i < columns.size() && i < kRestored; ++i) {
        columns[i].visible = nextTokenInt(f, u',') != 0;
        if (columns[i].visible)
            columns[i].width = qMax(12, nextTokenInt(w, u','));
    }
}

} // namespace vorlix
