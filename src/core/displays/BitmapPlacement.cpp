#include "displays/BitmapPlacement.h"

#include "displays/ObjectMessages.h"
#include "project/Settings.h"
#include "translate/DisplayNaming.h"
#include "util/FileUtil.h"

namespace vorlix {

using namespace bt;

BitmapPlacement::BitmapPlacement(const Settings &settings, ObjectMessages &messages, QString projectFolder,
                                 QString localJobFolder)
    : m_settings(settings), m_messages(messages), m_projectFolder(std::move(projectFolder)),
      m_localJobFolder(std::move(localJobFolder))
{
}

void BitmapPlacement::beginRun(const QString &bactalkJobPath)
{
    m_root = btJobRoot(bactalkJobPath);
    m_rep = btRepName(bactalkJobPath);
    m_job = btJobName(bactalkJobPath);
    m_bitmaps = findCaseInsensitive(bactalkJobPath, u"bitmaps"_qs);
    m_alertonLibrary.reset();
    m_dealerLibrary.reset();
    m_jobIbexBitmaps.reset();
    m_localJobIbexBitmaps.reset();
    m_libraryFiles.clear();
    m_copiedThisRun.clear();
}

const QString &BitmapPlacement::ibexBitmapFolder(bool localJob)
{
    std::optional<QString> &folder = localJob ? m_localJobIbexBitmaps : m_jobIbexBitmaps;
    if (!folder)
        folder = findCaseInsensitive(localJob ? m_localJobFolder : m_projectFolder, u"ldisplay"_qs);
    return *folder;
}

const QString &BitmapPlacement::alertonLibrary()
{
    if (!m_alertonLibrary)
        m_alertonLibrary = libraryBitmapFolder(m_root, m_settings.alerRep, m_settings.alerJob);
    return *m_alertonLibrary;
}

const QString &BitmapPlacement::dealerLibrary()
{
    if (!m_dealerLibrary)
        m_dealerLibrary = libraryBitmapFolder(m_root, m_settings.dealerRep, m_settings.dealerJob);
    return *m_dealerLibrary;
}

bool BitmapPlacement::libraryHasAll(const QString &folder, const QStringList &names)
{
    if (folder.isEmpty() || names.isEmpty())
        return false;
    for (const QString &name : names) {
        const QString key = folder + u'/' + name.toLower();
        auto it = m_libraryFiles.constFind(key);
        if (it == m_libraryFiles.cend())
            it = m_libraryFiles.insert(key, bt::libraryHasAll(folder, {name}));
        if (!*it)
            return false;
    }
    return true;
}

void BitmapPlacement::copyGraphicBitmap(const QString &name, bool localJob)
{
    if (name.isEmpty() || !isPlainFileName(name)) {
        report(name.isEmpty() ? BitmapCopy::Blank : BitmapCopy::Unsafe, name);
        return;
    }
    // A bitmap several graphics of the display share is looked up once per
    // run; each graphic still logs its problem.
    const QString key = (localJob ? u"L:"_qs : u"J:"_qs) + name.toLower();
    const auto done = m_copiedThisRun.constFind(key);
    if (done != m_copiedThisRun.constEnd()) {
        report(done.value(), name);
        return;
    }
    const QString source = findCaseInsensitive(ibexBitmapFolder(localJob), name);
    BitmapCopy result = copyBitmap(source, name, m_bitmaps);
    report(result, name);
    if (result == BitmapCopy::Copied)
        result = BitmapCopy::AlreadyThere;
    m_copiedThisRun.insert(key, result);
}

void BitmapPlacement::copyBackgroundBmp(const QString &source)
{
    const QString name = fileNamePart(source);
    report(copyBitmap(source, name, m_bitmaps), name);
}

void BitmapPlacement::report(BitmapCopy result, const QString &name)
{
    const QString problem = bitmapCopyProblem(result, name);
    if (!problem.isEmpty())
        m_messages.add(problem, true);
}

} // namespace vorlix
