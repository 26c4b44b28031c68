#include "project/Settings.h"

#include "project/Schema.h"

#include "util/Ansi.h"
#include "util/FileUtil.h"
#include "util/TextUtil.h"

#include <QMap>

namespace vorlix {

namespace {

// A plain INI file: "[Section]" lines and "Key=Value" lines. Keys and
// sections compare without regard to case, as the Windows profile functions do.
using IniData = QMap<QString, QMap<QString, QString>>;

IniData readIni(const QString &path)
{
    IniData data;
    // Settings are small: a file larger than this is not ours.
    constexpr qint64 kIniCap = 4 * 1024 * 1024;
    QByteArray bytes;
    if (!readWholeFile(path, bytes, nullptr, kIniCap))
        return data;
    QString section;
    const QString text = ansi::decode(bytes);
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2).trimmed().toLower();
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed().toLower();
        if (!data[section].contains(key))
            data[section][key] = line.mid(eq + 1).trimmed();
    }
    return data;
}

QString get(const IniData &d, const char *section, const char *key, const QString &def = {})
{
    const auto s = d.find(QString::fromLatin1(section).toLower());
    if (s == d.end())
        return def;
    const auto k = s->find(QString::fromLatin1(key).toLower());
    return k == s->end() ? def : *k;
}

QString allVisible()
{
    QStringList ones;
    for (int i = 0; i < kDeviceColumns; ++i)
        ones << u"1"_qs;
    return ones.join(u',');
}

} // namespace

Settings::Settings()
{
    for (int i = 0; i < kDeviceColumns; ++i)
        deviceColWidth[i] = deviceResetWidth(i);
    deviceColVisible.fill(true);
}

void Settings::read(const QString &iniPath)
{
    const IniData d = readIni(iniPath);
    lastJob = get(d, "Paths", "LastJob");
    ibexProject = get(d, "Paths", "IbexProject");
    bactalkProject = get(d, "Paths", "EFBProject");
    colWidthDisp = get(d, "Display", "ColWidthDisp");
    colWidthLocalJobList = get(d, "Display", "ColWidthLocaljobList");
    colWidthDisplayList = get(d, "Display", "ColWidthDisplayList");
    splitTransGrid = get(d, "Display", "SplitTransGrid");

    QString widths = get(d, "Display", "ColWidthDeviceDb");
    deviceColWidthStored = !widths.isEmpty();
    deviceColWidthRepaired = false;
    QString flags = get(d, "Display", "ColVisibleDeviceDb");
    if (flags.isEmpty())
        flags = allVisible();
    for (int i = 0; i < kDeviceColumns; ++i) {
        const int w = nextTokenInt(widths, u',');
        deviceColWidth[i] = w >= 12 ? w : 12;
        deviceColVisible[i] = nextTokenInt(flags, u',') != 0;
    }
    // A list in which every column is narrower than its title (47 x "12,"
    // from a program that saved widths it never showed) hides every title:
    // it counts as absent.
    if (deviceColWidthStored) {
        bool hidesAll = true;
        for (int i = 0; i < kDeviceColumns && hidesAll; ++i)
            hidesAll = deviceColWidth[i] < deviceTitleWidth(i);
        if (hidesAll) {
            deviceColWidthStored = false;
            deviceColWidthRepaired = true;
        }
    }
    if (!deviceColWidthStored)
        for (int i = 0; i < kDeviceColumns; ++i)
            deviceColWidth[i] = deviceResetWidth(i);

    int32_t style = 13;
    const QString styleText = get(d, "GUI", "VisualStyle");
    if (styleText.isEmpty() || !parseInt32(styleText, style))
        style = 13;
    visualStyle = style;

    alerRep = get(d, "Standards", "AlerRep");
    alerJob = get(d, "Standards", "AlerJob");
    dealerRep = get(d, "Standards", "DealerRep");
    dealerJob = get(d, "Standards", "DealerJob");
    ledRep = get(d, "Standards", "Led-Rep", u"alerton"_qs);
    ledJob = get(d, "Standards", "Led-Job", u"standard"_qs);
    ledOff = get(d, "Standards", "Led-Off", u"aler0000"_qs);
    ledOn = get(d, "Standards", "Led-On", u"aler0001"_qs);
    if (ledRep.isEmpty()) {
        ledRep = u"alerton"_qs;
        ledJob = u"standard"_qs;
        ledOff = u"aler0000"_qs;
        ledOn = u"aler0001"_qs;
    }
}

QString Settings::deviceWidthList() const
{
    QString out;
    for (int i = 0; i < kDeviceColumns; ++i)
        out += QString::number(deviceColWidth[i]) + u',';
    return out;
}

QString Settings::deviceVisibleList() const
{
    QString out;
    for (int i = 0; i < kDeviceColumns; ++i)
        out += (deviceColVisible[i] ? u"1,"_qs : u"0,"_qs);
    return out;
}

int Settings::deviceResetWidth(int column)
{
    static const int widths[] = {60, 50, 60, 60, 60, 60, 98, 75, 70, 75, 68, 50, 60, 60, 80};
    if (column >= 0 && column < static_cast<int>(std::size(widths)))
        return widths[column];
    return 60;
}

int Settings::deviceTitleWidth(int column)
{
    static const QStringList titles = schema::deviceColumns();
    const qsizetype n = column >= 0 && column < titles.size() ? titles[column].size() : 4;
    // About six pixels a character and the cell's margins.
    return static_cast<int>(n) * 6 + 8;
}

void Settings::write(const QString &iniPath, bool windowState) const
{
    // Window state written by the window stays as the file holds it.
    const IniData stored = windowState ? IniData() : readIni(iniPath);
    QStringList lines;
    auto section = [&](const char *name) {
        if (!lines.isEmpty())
            lines << QString();
        lines << u'[' + QLatin1String(name) + u']';
    };
    auto key = [&](const char *name, const QString &value) { lines << QLatin1String(name) + u'=' + value; };
    section("Paths");
    key("LastJob", lastJob);
    key("IbexProject", ibexProject);
    key("EFBProject", bactalkProject);
    section("Display");
    if (windowState) {
        key("ColWidthDisp", colWidthDisp);
        key("ColWidthLocaljobList", colWidthLocalJobList);
        key("ColWidthDisplayList", colWidthDisplayList);
        key("ColWidthDeviceDb", deviceWidthList());
        key("ColVisibleDeviceDb", deviceVisibleList());
        if (!splitTransGrid.isEmpty())
            key("SplitTransGrid", splitTransGrid);
    } else {
        for (const char *name : {"ColWidthDisp", "ColWidthLocaljobList", "ColWidthDisplayList", "ColWidthDeviceDb",
                                 "ColVisibleDeviceDb", "SplitTransGrid"}) {
            const QString value = get(stored, "Display", name);
            if (!value.isEmpty())
                key(name, value);
        }
    }
    section("GUI");
    key("VisualStyle", QString::number(visualStyle));
    section("Standards");
    key("AlerRep", alerRep);
    key("AlerJob", alerJob);
    key("DealerRep", dealerRep);
    key("DealerJob", dealerJob);
    key("Led-Rep", ledRep);
    key("Led-Job", ledJob);
    key("Led-Off", ledOff);
    key("Led-On", ledOn);
    writeFileAtomically(iniPath, ansiLines(lines));
}

QString Settings::ledRepJob() const
{
    if (!ledRep.isEmpty() && !ledJob.isEmpty())
        return ledRep + u'-' + ledJob;
    return u"alerton-standard"_qs;
}

QString Settings::ledOffFile() const { return ledOff.isEmpty() ? u"aler0000.bmp"_qs : ledOff + u".bmp"_qs; }
QString Settings::ledOnFile() const { return ledOn.isEmpty() ? u"aler0001.bmp"_qs : ledOn + u".bmp"_qs; }
QString Settings::alertonRepJob(const QString &sep) const { return alerRep + sep + alerJob; }
QString Settings::dealerRepJob(const QString &sep) const { return dealerRep + sep + dealerJob; }

QList<int> Settings::stringGridWidths(const QString &list, int columns)
{
    QList<int> out;
    if (list.isEmpty())
        return out;
    QString rest = list;
    for (int i = 0; i < columns; ++i) {
        const QString token = nextToken(rest, u',');
        int32_t w = 0;
        if (!parseInt32(token, w) || w < 10 || w > 400)
            w = 30;
        out << w;
    }
    return out;
}

QString Settings::widthList(const QList<int> &widths)
{
    QString out;
    for (int w : widths)
        out += QString::number(w) + u',';
    return out;
}

} // namespace vorlix
