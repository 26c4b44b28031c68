#include "util/FileUtil.h"

#include "util/Ansi.h"
#include "util/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vorlix {

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!f.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("Cannot write \"%1\": %2").arg(shown, f.errorString()));
    if (f.write(bytes) != bytes.size()) {
        const QString why = f.errorString();
        f.cancelWriting();
        throw Error(QStringLiteral("Cannot write \"%1\": %2").arg(shown, why));
    }
    if (!f.commit())
        throw Error(QStringLiteral("Cannot write \"%1\": %2").arg(shown, f.errorString()));
}

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

bool readWholeFile(const QString &path, QByteArray &bytes, QString *error, qint64 maxBytes)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFileInfo info(path);
    if (info.isDir()) {
        if (error)
            *error = QStringLiteral("\"%1\" is a folder, not a file.").arg(shown);
        return false;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot read \"%1\": %2").arg(shown, f.errorString());
        return false;
    }
    bytes = maxBytes >= 0 ? f.read(maxBytes) : f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Cannot read \"%1\": %2").arg(shown, f.errorString());
        return false;
    }
    return true;
}

bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(u':'))
        return false;
    return !name.contains(u".."_qs);
}

} // namespace vorlix
