#include "util/Ansi.h"

#include <array>

namespace vorlix::ansi {
namespace {

// Code points of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t toUnicode(unsigned char b)
{
    if (b >= 0x80 && b <= 0x9F)
        return kHighControls[b - 0x80];
    return b;
}

char toByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QString decode(QByteArrayView bytes)
{
    QString out;
    out.resize(bytes.size());
    QChar *dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = QChar(toUnicode(static_cast<unsigned char>(bytes[i])));
    return out;
}

qsizetype encodeInto(QStringView text, char *out, qsizetype max, bool stopAtNul)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size() && n < max; ++i) {
        const QChar c = text.at(i);
        if (stopAtNul && c.unicode() == 0)
            break;
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out[n++] = '?'; // one character outside the code page
            ++i;
            continue;
        }
        out[n++] = toByte(c.unicode());
    }
    return n;
}

QByteArray encode(const QString &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    out.truncate(encodeInto(text, out.data(), out.size()));
    return out;
}

QString decodeField(QByteArrayView field)
{
    const qsizetype nul = field.indexOf('\0');
    return decode(nul < 0 ? field : field.first(nul));
}

} // namespace vorlix::ansi
