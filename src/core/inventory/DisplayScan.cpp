#include "inventory/DisplayScan.h"

#include "inventory/DisplayLinks.h"
#include "project/Workbench.h"
#include "translate/DisplayNaming.h"
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

namespace vorlix {

DisplayScan::DisplayScan(Workbench &wb, ButtonRecorder &buttons, const Progress &progress)
    : m_wb(wb), m_buttons(buttons), m_progress(progress)
{
}

bool DisplayScan::stopped()
{
    if (!m_wb.scanAborted && m_progress.cancelled && m_progress.cancelled())
        m_wb.scanAborted = true;
    return m_wb.scanAborted;
}

const DisplayFolder &DisplayScan::folderOf(bool localJob)
{
    if (localJob && !m_localListed) {
        m_local = DisplayFolder(m_wb.localJobFolder);
        m_localListed = true;
    }
    return localJob ? m_local : m_job;
}

ScanOutcome DisplayScan::run(int startDisplay, int depth)
{
    m_out = ScanOutcome{};
    m_depth = depth;
    MasterList &list = m_wb.masterList;
    list.clear();
    m_job = DisplayFolder(m_wb.projectFolder);
    m_localListed = false;
    const QStringList names = m_job.displayNames();
    for (int i = 0; i < names.size(); ++i) {
        list.append(names[i]);
        m_progress.step(i + 1, int(names.size()), names[i]);
    }

    const QString start = ibexFileName(ftDisplay, uint16_t(startDisplay));
    const int startIndex = list.indexOf(start);
    if (startIndex < 0)
        return m_out; // nothing scanned, no report, no redirect flags
    m_out.started = true;
    list.setFlag(startIndex, flScanned);
    m_wb.scanAborted = false;
    recurse(m_job.pathOf(start), start, 1);
    m_out.cancelled = m_wb.scanAborted;
    m_buttons.flush();

    m_out.report = m_buttons.reportLines();
    writeFileAtomically(QDir(m_wb.projectFolder).filePath(reportFileName()), ansiLines(m_out.report));

    for (int i = 0; i < list.size(); ++i)
        if (m_wb.map.findRedirect(list.entryName(i), list.isLocalJob(i)))
            list.setFlag(i, flRedirected);
    return m_out;
}

void DisplayScan::recurse(const QString &path, const QString &fileName, int level)
{
    if (level > m_depth || stopped() || !isRegularFile(path))
        return;
    const QString ownName = fileName.toLower();
    const bool onTemplate = isTemplateFileName(ownName);
    // The source as the log names it: its folder as found, its name in lower case.
    const QString source = QDir(QFileInfo(path).path()).filePath(ownName);
    m_progress.step(m_out.parsedDisplays, 0, QDir::toNativeSeparators(path));
    IbexDisplay display;
    try {
        display = IbexDisplay::read(path);
    } catch (const Error &e) {
        // A display that cannot be read is named in the log; the others are
        // still scanned.
        m_wb.log.logMsg(e.message());
        ++m_out.unreadableFiles;
        return;
    }
    ++m_out.parsedDisplays;
    MasterList &list = m_wb.masterList;
    struct Pending {
        QString path;
        QString name;
    };
    std::vector<Pending> pending;
    for (int position : display.walkObjectRecords()) {
        if (stopped())
            return; // the pending displays of every open level are dropped
        const std::optional<DisplayLink> link = displayLinkOf(display.record(position), onTemplate);
        if (!link)
            continue;
        const QString text = MasterList::entryText(link->target, link->localJob);
        int index = list.indexOf(text);
        if (index < 0)
            index = list.append(text, link->localJob ? flLocalJob : 0);
        if (!list.isScanned(index)) {
            list.setFlag(index, flScanned);
            const DisplayFolder &folder = folderOf(link->localJob);
            const QString targetPath = folder.pathOf(link->target);
            if (!folder.isDisplayFile(link->target)) {
                m_wb.log.logMsg(QStringLiteral("Missing file %1 [Source: %2]")
                                    .arg(QDir::toNativeSeparators(targetPath), QDir::toNativeSeparators(source)));
                ++m_out.missingFiles;
            }
            pending.push_back({targetPath, link->target});
        }
        m_buttons.add(link->apex, link->cpNumber, ownName, link->localJob, link->target);
    }
    for (const Pending &p : pending)
        recurse(p.path, p.name, level + 1);
}

} // namespace vorlix
