#include "ibex/JobFiles.h"

#include "util/Error.h"
#include "util/FileUtil.h"
#include "project/ControllerMap.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

QString JobFiles::find(const QString &name)
{
    // Any entry counts, not only regular files: a folder or FIFO in place of
    // a data file is read as "not a file", never reported as missing.
    const QDir dir(m_folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    if (!m_listed) {
        m_listed = true;
        const QStringList entries =
            dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
        for (const QString &e : entries) {
            const QString key = e.toLower();
            if (!m_byLowerName.contains(key))
                m_byLowerName.insert(key, e);
        }
    }
    const auto it = m_byLowerName.constFind(name.toLower());
    if (it == m_byLowerName.constEnd())
        return {};
    return dir.filePath(*it);
}

QByteArray JobFiles::read(const QString &path, qsizetype maxBytes)
{
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, bytes, &error, maxBytes))
        throw Error(error);
    return bytes;
}

int forEachApexFile(ControllerMap &map, const QString &jobFolder, int first, int last,
                    const std::function<QString(int apex)> &nameOf, qsizetype maxBytes, QStringList &missing,
                    const std::function<void(int apex)> &onApex,
                    const std::function<void(int apex, const QString &path, const QByteArray &bytes)> &perFile)
{
    JobFiles files(jobFolder);
    int read = 0;
    for (int apex = first; apex <= last; ++apex) {
        if (onApex)
            onApex(apex);
        if (!map.apexIsMapped(apex))
            continue;
        const QString name = nameOf(apex);
        const QString path = files.find(name);
        if (path.isEmpty()) {
            missing << name;
            continue;
        }
        // A folder or FIFO by that name is listed as what it is; the run goes on.
        const QString notAFile = notARegularFile(path);
        if (!notAFile.isNull()) {
            missing << name + u" ("_qs + notAFile + u')';
            continue;
        }
        const QByteArray bytes = JobFiles::read(path, maxBytes);
        ++read;
        perFile(apex, path, bytes);
    }
    return read;
}

} // namespace vorlix
