// The platform-neutral part of util/FileUtil: text lines, names and the
// case-insensitive lookups. The reads and writes themselves live in
// FileUtilPosix.cpp and FileUtilWindows.cpp (one of them is built).
#include "util/FileUtil.h"

#include "util/Ansi.h"
#include "util/FileUtilPlatform.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

QByteArray ansiLines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines) {
        out += ansi::encode(l);
        out += "\r\n";
    }
    return out;
}

QString existingCaseInsensitive(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString &e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    return {};
}

QString findCaseInsensitive(const QString &folder, const QString &name)
{
    const QString found = existingCaseInsensitive(folder, name);
    return found.isEmpty() ? QDir(folder).filePath(name) : found;
}

QString findPathCaseInsensitive(const QString &folder, const QString &relativePath)
{
    QString current = folder;
    const QStringList parts = QDir::fromNativeSeparators(relativePath).split(u'/', Qt::SkipEmptyParts);
    for (const QString &p : parts)
        current = findCaseInsensitive(current, p);
    return current;
}

bool isReservedWindowsName(const QString &name)
{
    // The device names Windows keeps in every folder, whatever the letter
    // case and whatever follows a dot ("con.txt", "Nul.dsp", "COM1.tar.gz");
    // blanks before the dot do not help ("aux .bmp").
    static const QStringList devices = [] {
        QStringList d{u"CON"_qs, u"PRN"_qs, u"AUX"_qs, u"NUL"_qs, u"CONIN$"_qs, u"CONOUT$"_qs};
        for (const QString &port : {u"COM"_qs, u"LPT"_qs}) {
            for (int n = 1; n <= 9; ++n)
                d << port + QString::number(n);
            for (const QChar superscript : {QChar(0x00B9), QChar(0x00B2), QChar(0x00B3)})
                d << port + superscript;
        }
        return d;
    }();
    QString base = name.section(u'.', 0, 0);
    while (base.endsWith(u' '))
        base.chop(1);
    return devices.contains(base, Qt::CaseInsensitive);
}

bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(u':'))
        return false;
    if (name.contains(u".."_qs))
        return false;
    // What Windows cannot hold in a name, or would silently change: wildcard
    // and redirection characters, control characters, a name ending in a dot
    // or a blank (Windows drops them, so the file would be another one), and
    // the reserved device names. Refused on every platform, so a job behaves
    // the same wherever it is converted.
    for (const QChar c : name)
        if (c.unicode() < 32 || QStringView(u"<>\"|?*").contains(c))
            return false;
    if (name.endsWith(u'.') || name.endsWith(u' '))
        return false;
    return !isReservedWindowsName(name);
}

namespace {
// With no cap given, the default cap holds and one byte more than it tells a
// file that is too large.
bool readWhole(const QString &path, QByteArray &bytes, QString *error, qint64 maxBytes, bool followLinks)
{
    const bool capped = maxBytes < 0;
    const qint64 limit = capped ? kDefaultReadCap : maxBytes;
    if (!platform::readFileUpTo(path, capped ? limit + 1 : limit, followLinks, bytes, error))
        return false;
    if (capped && bytes.size() > limit) {
        bytes.clear();
        if (error)
            *error = QStringLiteral("\"%1\" is too large (more than %2 MB).")
                         .arg(QDir::toNativeSeparators(path)).arg(limit >> 20);
        return false;
    }
    return true;
}
} // namespace

bool readWholeFile(const QString &path, QByteArray &bytes, QString *error, qint64 maxBytes)
{
    return readWhole(path, bytes, error, maxBytes, true);
}

bool readWholeFileNoLink(const QString &path, QByteArray &bytes, QString *error, qint64 maxBytes)
{
    return readWhole(path, bytes, error, maxBytes, false);
}

QString notWrittenAfterFailure(const QString &path)
{
    return QStringLiteral("Not written: \"%1\" comes after a file that could not be written.")
        .arg(QDir::toNativeSeparators(path));
}

} // namespace vorlix
