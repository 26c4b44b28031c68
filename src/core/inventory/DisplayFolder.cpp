#include "inventory/DisplayFolder.h"

#include "util/FileUtil.h"

#include <QDir>
#include <filesystem>

namespace vorlix {

namespace {
bool listedAsDisplay(const QString &lowerName)
{
    if (!lowerName.endsWith(u".ibw"_qs))
        return false;
    const qsizetype dot = lowerName.indexOf(u'.');
    return dot <= 8;
}
} // namespace

DisplayFolder::DisplayFolder(const QString &jobFolder)
    : m_folder(findCaseInsensitive(jobFolder, u"ldisplay"_qs))
{
    const QDir dir(m_folder);
    if (jobFolder.isEmpty() || !dir.exists())
        return;
    const QStringList names = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                            QDir::Name | QDir::IgnoreCase);
    for (const QString &n : names) {
        const QString lower = n.toLower();
        if (!m_entries.contains(lower) || n == lower)
            m_entries.insert(lower, n);
        // The extension is what follows the last "."; the base (before the
        // first ".") may have at most 8 characters.
        if (listedAsDisplay(lower) && !m_displays.contains(lower))
            m_displays << lower;
    }
}

QString DisplayFolder::pathOf(const QString &name) const
{
    const auto it = m_entries.constFind(name.toLower());
    return QDir(m_folder).filePath(it == m_entries.cend() ? name : *it);
}

bool DisplayFolder::isDisplayFile(const QString &name) const
{
    const QString lower = name.toLower();
    if (!m_entries.contains(lower))
        return false;
    if (const auto known = m_regular.constFind(lower); known != m_regular.cend())
        return *known;
    const bool regular = isRegularFile(pathOf(name));
    m_regular.insert(lower, regular);
    return regular;
}

bool isRegularFile(const QString &path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(path.toStdU16String()), ec);
}

} // namespace vorlix
