#include "inventory/RedirectEditor.h"

#include "inventory/RedirectGrid.h"
#include "inventory/RedirectTable.h"
#include "project/Workbench.h"
#include "translate/DisplayNaming.h"
#include "util/FileUtil.h"
#include "util/TextUtil.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

QString RedirectTarget::value() const { return (rep + u'-' + job + u'-' + file).toLower(); }

RedirectTarget RedirectTarget::fromValue(const QString &value)
{
    RedirectTarget t;
    if (!value.contains(u'-'))
        return t;
    QString rest = value;
    t.rep = nextToken(rest, u'-');
    t.job = nextToken(rest, u'-');
    t.file = rest;
    return t;
}

RedirectTarget RedirectTarget::fromPath(const QString &path)
{
    const QStringList parts = QDir::fromNativeSeparators(path).split(u'/', Qt::SkipEmptyParts);
    RedirectTarget t;
    const qsizetype n = parts.size();
    t.file = n >= 1 ? parts[n - 1] : QString();
    t.job = n >= 3 ? parts[n - 3] : QString();
    t.rep = n >= 4 ? parts[n - 4] : QString();
    return t;
}

int RedirectEditor::setup(RedirectGrid &grid, int index)
{
    m_grid = &grid;
    const MasterList &list = m_wb.masterList;
    QString stored;
    if (index < 0) {
        m_newDisplay = false;
        const int row = grid.selectedRow();
        m_ibexName = grid.cell(row, RedirectGrid::colIbexName);
        m_index = grid.object(row);
        m_localJob = list.isLocalJob(m_index);
        stored = m_wb.map.findRedirect(m_ibexName, m_localJob).value_or(m_ibexName);
    } else {
        m_index = index;
        m_ibexName = list.entryName(index);
        m_localJob = list.isLocalJob(index);
        const std::optional<QString> found = m_wb.map.findRedirect(m_ibexName, m_localJob);
        m_newDisplay = !found;
        stored = found.value_or(m_ibexName);
        if (m_newDisplay) {
            const int free = grid.firstRowWithEmpty(RedirectGrid::colIbexName);
            if (free < 0)
                return rrFull;
            grid.selectRow(free);
        }
    }
    m_target = RedirectTarget::fromValue(stored);
    return 0;
}

void RedirectEditor::setupForName(const QString &name, bool localJob)
{
    m_grid = nullptr;
    m_ibexName = name.toLower();
    m_localJob = localJob;
    m_index = m_wb.masterList.indexOf(m_ibexName, localJob);
    const std::optional<QString> found = m_wb.map.findRedirect(m_ibexName, localJob);
    m_newDisplay = !found;
    m_target = RedirectTarget::fromValue(found.value_or(QString()));
}

QString RedirectEditor::repJobPath(const RedirectTarget &t) const
{
    const QChar sep = QDir::separator();
    return btJobRoot(m_wb.vars.bactalkJobPath) + sep + t.rep + sep + t.job;
}

QString RedirectEditor::filePath(const RedirectTarget &t) const
{
    const QChar sep = QDir::separator();
    return repJobPath(t) + sep + u"displays"_qs + sep + t.file;
}

QString RedirectEditor::browseStart(const RedirectTarget &t) const
{
    const QString file = filePath(t);
    return QFileInfo(file).isFile() ? file : m_wb.vars.bactalkJobPath;
}

void RedirectEditor::setFlag()
{
    m_wb.masterList.setFlag(m_index, flRedirected);
    if (m_grid && m_newDisplay)
        m_grid->setEntry(m_grid->selectedRow(), m_index, m_ibexName);
}

bool RedirectEditor::okay(const RedirectTarget &t)
{
    Prompter &prompter = m_wb.prompter;
    if (t.rep.isEmpty() || t.job.isEmpty()) {
        prompter.inform(u"Specify both a rep and a job!"_qs);
        return false;
    }
    const QString root = btJobRoot(m_wb.vars.bactalkJobPath);
    // The folders and the file are found whatever their letter case; the
    // value is stored in lower case.
    const QString repJob = findPathCaseInsensitive(root, t.rep + u'/' + t.job);
    if (!QFileInfo(repJob).isDir()) {
        prompter.inform(u"The rep\\job folder does not exists!\nRep-Job: "_qs + t.rep + u'\\' + t.job
                        + u"\nEFB root path: "_qs + QDir::toNativeSeparators(root));
        return false;
    }
    const bool exists = QFileInfo(findPathCaseInsensitive(repJob, u"displays/"_qs + t.file)).isFile();
    if (!exists)
        prompter.inform(u"The BACtalk file does not exists! Make sure to add it to the project at some point.\nFile: "_qs
                        + t.file + u"\nEFB Job path: "_qs + QDir::toNativeSeparators(m_wb.vars.bactalkJobPath));
    const QString value = t.value();
    if (!RedirectTable(m_wb.pdb).setRedirect(m_ibexName, value, m_localJob)) {
        prompter.inform(u"Could not set value in database!"_qs);
        return false;
    }
    m_target = t;
    setFlag();
    if (m_grid) {
        const int row = m_grid->selectedRow();
        m_grid->setCell(row, RedirectGrid::colExists, exists ? u"yes"_qs : u"no"_qs);
        m_grid->setCell(row, RedirectGrid::colTarget, value);
        m_grid->setCell(row, RedirectGrid::colSkip, QString());
    }
    return true;
}

bool RedirectEditor::skip()
{
    if (!RedirectTable(m_wb.pdb).setRedirect(m_ibexName, QString(), m_localJob)) {
        m_wb.prompter.inform(u"Could not set value in database!"_qs);
        return false;
    }
    m_target = RedirectTarget{};
    setFlag();
    if (m_grid) {
        const int row = m_grid->selectedRow();
        m_grid->setCell(row, RedirectGrid::colTarget, QString());
        m_grid->setCell(row, RedirectGrid::colSkip, u"yes"_qs);
    }
    return true;
}

int RedirectEditor::remove()
{
    const QString name = m_grid ? m_grid->cell(m_grid->selectedRow(), RedirectGrid::colIbexName) : m_ibexName;
    const bool deleted = RedirectTable(m_wb.pdb).deleteRedirect(name, m_localJob);
    if (!deleted)
        RedirectTable::reportRedirectNotFound(m_wb.prompter);
    m_wb.masterList.clearRedirect(m_index);
    return deleted ? rrRemove : rrCancel;
}

} // namespace vorlix
