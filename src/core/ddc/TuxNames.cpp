#include "ddc/TuxNames.h"

#include "project/ControllerMap.h"
#include "util/FileUtil.h"

#include <QDir>

namespace vorlix {

namespace {
constexpr int kTuxNameLength = 10; // "tux" + trunk + two address digits + ".tdc"
constexpr int kNamePartLength = 8; // room for "dev" + the device instance

int digitAt(const QString &text, int i)
{
    const QChar c = text.at(i);
    return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1;
}
} // namespace

std::optional<TuxFileName> parseTuxName(const QString &name)
{
    const QString lower = name.toLower();
    if (lower.size() != kTuxNameLength || !lower.startsWith(u"tux"))
        return std::nullopt;
    const int trunk = digitAt(lower, 3);
    const int tens = digitAt(lower, 4);
    const int ones = digitAt(lower, 5);
    if (trunk < 0 || tens < 0 || ones < 0)
        return std::nullopt;
    return TuxFileName{trunk, tens * 10 + ones};
}

QString bacTalkTdcName(ControllerMap &map, int apex, const QString &name)
{
    if (const auto tux = parseTuxName(name)) {
        const int32_t base = map.apexBaseAddr(apex, tux->trunk);
        if (base != NotMapped) {
            const QString instance = QString::number(qint64(base) + tux->address);
            const int room = qMax(0, kNamePartLength - int(instance.size()));
            return QStringLiteral("dev").left(room) + instance + QStringLiteral(".tdc");
        }
    }
    return QStringLiteral("A%1-").arg(apex) + name;
}

QString btDdcFolder(const QString &bactalkJobPath)
{
    return QDir(bactalkJobPath).filePath(QStringLiteral("ddc"));
}

QString btDdcPath(const QString &bactalkJobPath, const QString &name)
{
    return QDir(btDdcFolder(bactalkJobPath)).filePath(name);
}

QString ibexTddcFolder(const QString &projectFolder, int apex)
{
    return findCaseInsensitive(projectFolder, QStringLiteral("tddc%1").arg(apex, 2, 10, QLatin1Char('0')));
}

} // namespace vorlix
