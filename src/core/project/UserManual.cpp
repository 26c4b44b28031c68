#include "project/UserManual.h"

#include "project/Messages.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

UserManual findUserManual(const QStringList &folders)
{
    UserManual manual;
    QStringList seen;
    for (const QString &folder : folders) {
        const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
        if (folder.isEmpty() || seen.contains(clean))
            continue;
        seen << clean;
        for (const QString &name : {msg::manualFile(), msg::manualFallbackFile(), msg::manualTextFile()}) {
            const QString path = QDir(clean).filePath(name);
            manual.searched << path;
            if (QFileInfo(path).isFile()) {
                manual.path = path;
                manual.pdf = name.endsWith(u".pdf"_qs, Qt::CaseInsensitive);
                return manual;
            }
        }
    }
    return manual;
}

QString findUserManualText(const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(msg::manualTextFile());
        if (!folder.isEmpty() && QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString manualNotFoundMessage(const UserManual &manual)
{
    QStringList files;
    for (const QString &path : manual.searched)
        files << QDir::toNativeSeparators(path);
    return QStringLiteral("The user manual could not be found. Looked for:\n") + files.join(u'\n');
}

} // namespace vorlix
