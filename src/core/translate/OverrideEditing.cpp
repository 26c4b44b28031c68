#include "translate/OverrideEditing.h"

#include "util/TextUtil.h"

namespace vorlix {

PointEdit PointEdit::split(const QString &pointOverride)
{
    PointEdit e;
    const qsizetype colon = pointOverride.indexOf(u':');
    if (colon < 0) {
        e.point = pointOverride;
        return e;
    }
    e.currentDevice = false;
    bool ok = false;
    const qlonglong device = pointOverride.left(colon).trimmed().toLongLong(&ok);
    // The device box holds 0 to 4194303: anything else shows as its bound.
    e.device = ok ? int(std::clamp<qlonglong>(device, 0, MaxDevice)) : 0;
    e.point = pointOverride.mid(colon + 1);
    return e;
}

QString PointEdit::joined() const
{
    return currentDevice ? point : QString::number(device) + u':' + point;
}

bool PointEdit::acceptable() const
{
    return point.isEmpty() || validPointText(point);
}

QStringList pointTemplates()
{
    return {u"object-name"_qs, u"description"_qs, u"location"_qs,  u"AI-nn"_qs,       u"AO-nn"_qs,
            u"AO-nn-P87[n]"_qs, u"AO-nn-P104"_qs, u"AV-nn"_qs,      u"AV-nn-P87[n]"_qs, u"AV-nn-P104"_qs,
            u"BI-nn"_qs,       u"BO-nn"_qs,       u"BO-nn-P87[n]"_qs, u"BO-nn-P104"_qs, u"BV-nn"_qs,
            u"BV-nn-P87[n]"_qs, u"BV-nn-P104"_qs};
}

} // namespace vorlix
