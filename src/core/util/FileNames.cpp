#include "util/FileUtil.h"

#include "util/Ansi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <sys/stat.h>

// The names of files: how a name from an input file is found on a disk
// that minds letter case, which names the system cannot give as text, and
// what kind of thing a name stands for.
namespace vorlix {

bool pathSurvivesRoundTrip(const QByteArray &localPath)
{
    return QFile::encodeName(QFile::decodeName(localPath)) == localPath;
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

QStringList unreadableNames(const QString &folder)
{
    QStringList out;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return out;
    while (const dirent *e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (pathSurvivesRoundTrip(name))
            continue;
        QString shown = QFile::decodeName(name);
        shown.replace(QChar(QChar::ReplacementCharacter), u'?');
        out << shown;
    }
    ::closedir(dir);
    out.sort();
    return out;
}

bool isRegularFileNoLink(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QString notWrittenAfterFailure(const QString &path)
{
    return QStringLiteral("Not written: \"%1\" comes after a file that could not be written.")
        .arg(QDir::toNativeSeparators(path));
}

} // namespace vorlix
