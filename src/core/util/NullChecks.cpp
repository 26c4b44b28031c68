#include "util/NullChecks.h"

#include <cmath>
#include <limits>

namespace vorlix {

namespace {
bool isEmpty(const QVariant &v) { return !v.isValid() || v.isNull(); }

// A value as a 64-bit integer by the ordinary rules: integers as they are,
// floating point rounded, numeric texts converted; false when it does not
// convert.
bool toInt64(const QVariant &v, int64_t &out)
{
    bool ok = false;
    switch (v.typeId()) {
    case QMetaType::Bool: out = v.toBool() ? -1 : 0; return true; // Yes/No as stored by Access
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        if (!std::isfinite(d) || std::fabs(d) > 9.2e18)
            return false;
        out = static_cast<int64_t>(std::nearbyint(d));
        return true;
    }
    case QMetaType::QString: {
        const QString s = v.toString().trimmed();
        out = s.toLongLong(&ok);
        if (ok)
            return true;
        const double d = s.toDouble(&ok);
        if (!ok || !std::isfinite(d) || std::fabs(d) > 9.2e18)
            return false;
        out = static_cast<int64_t>(std::nearbyint(d));
        return true;
    }
    default:
        out = v.toLongLong(&ok);
        return ok;
    }
}
} // namespace

double nullToFloat(const QVariant &v)
{
    if (isEmpty(v))
        return 0.0;
    bool ok = false;
    const double d = v.typeId() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok) : v.toDouble(&ok);
    return ok ? d : 0.0;
}

QString nullToStr(const QVariant &v)
{
    if (isEmpty(v))
        return {};
    return v.toString();
}

int32_t nullToInt(const QVariant &v)
{
    int64_t i = 0;
    if (isEmpty(v) || !toInt64(v, i) || i < std::numeric_limits<int32_t>::min()
        || i > std::numeric_limits<int32_t>::max())
        return 0;
    return static_cast<int32_t>(i);
}

uint16_t nullToWord(const QVariant &v)
{
    int64_t i = 0;
    if (isEmpty(v) || !toInt64(v, i))
        return 0;
    return static_cast<uint16_t>(static_cast<uint64_t>(i) & 0xFFFFu);
}

int32_t nullToLong(const QVariant &v)
{
    int64_t i = 0;
    if (isEmpty(v) || !toInt64(v, i))
        return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(i)));
}

bool nullToBool(const QVariant &v)
{
    if (isEmpty(v))
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        if (s == u"true" || s == u"yes")
            return true;
        if (s == u"false" || s == u"no" || s.isEmpty())
            return false;
        bool ok = false;
        const double d = s.toDouble(&ok);
        return ok && d != 0.0;
    }
    int64_t i = 0;
    return toInt64(v, i) && i != 0;
}

} // namespace vorlix
