#include "ibex/JobFiles.h"

#include "app/Error.h"
#include "app/FileUtil.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

QString JobFiles::find(const QString &name)
{
    const QDir dir(m_folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo(exact).isFile())
        return exact;
    if (!m_listed) {
        m_listed = true;
        const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        for (const QString &e : entries) {
            const QString key = e.toLower();
            if (!m_byLowerName.contains(key))
                m_byLowerName.insert(key, e);
        }
    }
    const auto it = m_byLowerName.constFind(name.toLower());
    if (it == m_byLowerName.constEnd())
        return {};
    const QString path = dir.filePath(*it);
    return QFileInfo(path).isFile() ? path : QString();
}

QByteArray JobFiles::read(const QString &path, qsizetype maxBytes)
{
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, bytes, &error, maxBytes))
        throw Error(error);
    return bytes;
}

} // namespace vorlix
