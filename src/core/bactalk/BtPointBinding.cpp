#include "bactalk/BtPointBinding.h"

#include "util/TextUtil.h"

namespace vorlix::bt {

uint16_t PointTypeOf(const QString &typeText)
{
    static const char *const kTypes[] = {"AI", "AO", "AV", "BI", "BO", "BV"};
    for (uint16_t i = 0; i < 6; ++i)
        if (typeText.compare(QLatin1String(kTypes[i]), Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

void BindPointText(BtRecord &r, const QString &pointText)
{
    QString p = pointText;
    const QString whole = p.trimmed();
    if (whole.compare(u"object-name"_qs, Qt::CaseInsensitive) == 0) {
        r.BindObjectName();
        r.SetCurrentDevice(true);
        return;
    }
    if (whole.compare(u"description"_qs, Qt::CaseInsensitive) == 0) {
        r.BindDescription();
        r.SetCurrentDevice(true);
        return;
    }
    if (whole.compare(u"location"_qs, Qt::CaseInsensitive) == 0) {
        r.BindLocation();
        r.SetCurrentDevice(true);
        return;
    }
    bool currentDevice = true;
    int32_t device = 0;
    if (p.contains(u':')) {
        device = NextTokenInt(p, u':');
        currentDevice = false;
    }
    const uint16_t type = PointTypeOf(NextToken(p, u'-'));
    const auto instance = static_cast<uint32_t>(NextTokenInt(p, u'-'));
    if (p.startsWith(u"P87"_qs, Qt::CaseInsensitive)) {
        const qsizetype open = p.indexOf(u'[');
        p = open >= 0 ? p.mid(open + 1) : QString();
        const auto priority = static_cast<uint8_t>(NextTokenInt(p, u']'));
        r.BindPriority(type, instance, priority);
    } else if (p.startsWith(u"P104"_qs, Qt::CaseInsensitive)) {
        r.BindRelinquishDefault(type, instance);
    } else {
        r.BindPresentValue(type, instance);
    }
    if (currentDevice)
        r.SetCurrentDevice(true);
    else
        r.SetDevice(static_cast<uint32_t>(device));
}

} // namespace vorlix::bt
