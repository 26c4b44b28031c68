#include "bactalk/BtPointBinding.h"

#include "util/TextUtil.h"

namespace vorlix::bt {

uint16_t pointTypeOf(const QString &typeText)
{
    static const char *const kTypes[] = {"AI", "AO", "AV", "BI", "BO", "BV"};
    for (uint16_t i = 0; i < 6; ++i)
        if (typeText.compare(QLatin1String(kTypes[i]), Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

void bindPointText(BtRecord &r, const QString &pointText)
{
    QString p = pointText;
    const QString whole = p.trimmed();
    if (whole.compare(u"object-name"_qs, Qt::CaseInsensitive) == 0) {
        r.bindObjectName();
        r.setCurrentDevice(true);
        return;
    }
    if (whole.compare(u"description"_qs, Qt::CaseInsensitive) == 0) {
        r.bindDescription();
        r.setCurrentDevice(true);
        return;
    }
    if (whole.compare(u"location"_qs, Qt::CaseInsensitive) == 0) {
        r.bindLocation();
        r.setCurrentDevice(true);
        return;
    }
    bool currentDevice = true;
    int32_t device = 0;
    if (p.contains(u':')) {
        device = nextTokenInt(p, u':');
        currentDevice = false;
    }
    const uint16_t type = pointTypeOf(nextToken(p, u'-'));
    const auto instance = static_cast<uint32_t>(nextTokenInt(p, u'-'));
    if (p.startsWith(u"P87"_qs, Qt::CaseInsensitive)) {
        const qsizetype open = p.indexOf(u'[');
        p = open >= 0 ? p.mid(open + 1) : QString();
        const auto priority = static_cast<uint8_t>(nextTokenInt(p, u']'));
        r.bindPriority(type, instance, priority);
    } else if (p.startsWith(u"P104"_qs, Qt::CaseInsensitive)) {
        r.bindRelinquishDefault(type, instance);
    } else {
        r.bindPresentValue(type, instance);
    }
    if (currentDevice)
        r.setCurrentDevice(true);
    else
        r.setDevice(static_cast<uint32_t>(device));
}

} // namespace vorlix::bt
