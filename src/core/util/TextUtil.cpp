#include "util/TextUtil.h"

#include <QStringList>

namespace vorlix {

namespace {
QString trimLeftControls(const QString &s)
{
    qsizetype i = 0;
    while (i < s.size() && s.at(i).unicode() < 33)
        ++i;
    return s.mid(i);
}
} // namespace

QString nextToken(QString &text, QChar sep)
{
    const qsizetype at = text.indexOf(sep);
    QString token;
    if (at < 0) {
        token = text;
        text.clear();
    } else {
        token = text.left(at);
        text.remove(0, at + 1);
    }
    return trimLeftControls(token);
}

bool parseInt32(const QString &text, int32_t &value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    qsizetype i = 0;
    bool negative = false;
    if (t.at(0) == u'+' || t.at(0) == u'-') {
        negative = t.at(0) == u'-';
        i = 1;
    }
    if (i >= t.size())
        return false;
    int64_t v = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c.unicode() - u'0');
        if (v > 2147483648LL)
            return false;
    }
    if (negative)
        v = -v;
    if (v > INT32_MAX || v < INT32_MIN)
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

int32_t nextTokenInt(QString &text, QChar sep)
{
    int32_t v = 0;
    if (!parseInt32(nextToken(text, sep), v))
        return 0;
    return v;
}

uint16_t nextTokenInt16(QString &text, QChar sep)
{
    return static_cast<uint16_t>(static_cast<uint32_t>(nextTokenInt(text, sep)) & 0xFFFFu);
}

bool isNonNumeric(const QString &text)
{
    for (const QChar c : text)
        if (!((c >= u'0' && c <= u'9') || c == u'-' || c == u'.'))
            return true;
    return false;
}

bool isIntInRange(const QString &text, int64_t lo, int64_t hi)
{
    if (text.isEmpty() || text.size() > 18)
        return false;
    int64_t v = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c.unicode() - u'0');
    }
    return v >= lo && v <= hi;
}

bool validPointText(const QString &input)
{
    QString rest = input.toLower();
    QString device;
    bool hasDevice = false;
    if (rest.contains(u':')) {
        device = nextToken(rest, u':');
        hasDevice = true;
    }
    const QString whole = trimLeftControls(rest);
    if (whole == u"object-name" || whole == u"description" || whole == u"location")
        return true;
    const QString type = nextToken(rest, u'-');
    const QString instance = nextToken(rest, u'-');
    const QString property = trimLeftControls(rest);
    QString propName, index;
    if (!property.isEmpty()) {
        QString p = property;
        propName = nextToken(p, u'[');
        index = nextToken(p, u']');
    }
    if (hasDevice && !isIntInRange(device, 0, 4194303))
        return false;
    static const QStringList kTypes = {u"ai"_qs, u"ao"_qs, u"av"_qs, u"bi"_qs, u"bv"_qs, u"bo"_qs};
    if (type.size() != 2 || !kTypes.contains(type))
        return false;
    if (!isIntInRange(instance, 0, 4194303))
        return false;
    if (property.isEmpty() || propName == u"p104")
        return true;
    return propName == u"p87" && isIntInRange(index, 1, 16);
}

QString asciiLower(QString text)
{
    for (QChar &c : text)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    return text;
}

} // namespace vorlix
