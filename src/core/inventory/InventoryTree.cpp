#include "inventory/InventoryTree.h"

#include "inventory/DisplayFolder.h"
#include "inventory/DisplayLinks.h"
#include "project/Workbench.h"
#include "translate/DisplayNaming.h"
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QDir>
#include <algorithm>

namespace vorlix {

namespace {
QStringList existingBtDisplays(const QString &bactalkJobPath)
{
    if (bactalkJobPath.isEmpty())
        return {};
    const QDir dir(findCaseInsensitive(bactalkJobPath, u"displays"_qs));
    QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (QString &n : names)
        n = n.toLower();
    names.sort();
    return names;
}
} // namespace

int InventoryTree::add(int parent, const QString &text, int data, int state)
{
    InventoryNode n;
    n.text = text;
    n.data = data;
    n.state = state;
    n.parent = parent;
    n.level = parent < 0 ? 0 : m_nodes[size_t(parent)].level + 1;
    const int id = nodeCount();
    m_nodes.push_back(std::move(n));
    if (parent >= 0)
        m_nodes[size_t(parent)].children.push_back(id);
    return id;
}

void InventoryTree::sortChildren(int id)
{
    std::vector<int> &c = m_nodes[size_t(id)].children;
    std::stable_sort(c.begin(), c.end(), [this](int a, int b) {
        return m_nodes[size_t(a)].text.compare(m_nodes[size_t(b)].text, Qt::CaseInsensitive) < 0;
    });
    for (int child : m_nodes[size_t(id)].children)
        sortChildren(child);
}

int InventoryTree::fileState(const Workbench &wb, int index) const
{
    const MasterList &list = wb.masterList;
    const QString bt = btFileName(list.entryName(index), list.isLocalJob(index), wb.vars).toLower();
    return std::binary_search(m_btDisplays.begin(), m_btDisplays.end(), bt) ? stMade : stNotMade;
}

InventoryTree InventoryTree::build(Kind kind, const Workbench &wb)
{
    InventoryTree t;
    t.m_kind = kind;
    const int root = t.add(-1, u"Ibex Project"_qs, ndHeading);
    const int jobFolder = t.add(root, u"Job Folder"_qs, ndHeading);
    const int localFolder = t.add(root, u"LocalJob Folder"_qs, ndHeading);
    const int groups[2][2] = {{t.add(jobFolder, u"Displays"_qs, ndJobGroup), t.add(jobFolder, u"Templates"_qs, ndJobGroup)},
                              {t.add(localFolder, u"Displays"_qs, ndLocalGroup),
                               t.add(localFolder, u"Templates"_qs, ndLocalGroup)}};
    const MasterList &list = wb.masterList;
    if (kind == Kind::Display) {
        const QStringList bt = existingBtDisplays(wb.vars.bactalkJobPath);
        t.m_btDisplays.assign(bt.begin(), bt.end());
    }
    // Both trees mark the displays whose file is missing.
    const DisplayFolder folders[2] = {DisplayFolder(wb.projectFolder), DisplayFolder(wb.localJobFolder)};
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < list.size(); ++i) {
            if (list.isLocalJob(i) != (pass == 1))
                continue;
            const QString name = list.entryName(i);
            const int group = groups[pass][name.contains(u"disp"_qs) ? 0 : 1];
            const DisplayFolder &folder = folders[pass];
            const bool present = folder.isDisplayFile(name);
            const int node = t.add(group, name, i, kind == Kind::Display ? t.fileState(wb, i) : stNone);
            t.m_nodes[size_t(node)].missing = !present;
            if (kind == Kind::Display || !present)
                continue;
            t.addLinks(node, folder.pathOf(name), name, list, folders);
        }
    }
    t.sortChildren(root);
    return t;
}

void InventoryTree::addLinks(int node, const QString &path, const QString &name, const MasterList &list,
                             const DisplayFolder (&folders)[2])
{
    // AddLevelTwo: one child per pushbutton of the display's file.
    IbexDisplay display;
    try {
        display = IbexDisplay::read(path);
    } catch (const Error &) {
        return; // the scan names unreadable displays in the log
    }
    const bool onTemplate = isTemplateFileName(name);
    for (int position : display.walkObjectRecords()) {
        const std::optional<DisplayLink> link = displayLinkOf(display.record(position), onTemplate);
        if (!link)
            continue;
        const int target = list.indexOf(link->target, link->localJob);
        const int child = add(node, localJobPrefix(link->localJob) + link->target + (target < 0 ? u" <missing>"_qs : QString()),
                              target, stLink);
        m_nodes[size_t(child)].missing = target < 0 || !folders[link->localJob ? 1 : 0].isDisplayFile(link->target);
    }
}

std::vector<int> InventoryTree::fileNodes() const
{
    std::vector<int> out;
    for (int folder : node(rootId).children)
        for (int group : node(folder).children)
            for (int file : node(group).children)
                out.push_back(file);
    return out;
}

int InventoryTree::fileNodeOf(int index) const
{
    for (int id : fileNodes())
        if (node(id).data == index)
            return id;
    return -1;
}

void InventoryTree::setState(int id, int state)
{
    if (id >= 0 && id < nodeCount())
        m_nodes[size_t(id)].state = state;
}

bool InventoryTree::toggleGroupState(int id)
{
    if (id < 0 || id >= nodeCount() || m_nodes[size_t(id)].data <= ndJobGroup)
        return false;
    int &state = m_nodes[size_t(id)].state;
    state = state == stNotMade ? stMade : stNotMade;
    return true;
}

void InventoryTree::setFileNodeStates(StateMode mode, const Workbench &wb)
{
    if (mode == StateMode::FlagExisting) {
        const QStringList bt = existingBtDisplays(wb.vars.bactalkJobPath);
        m_btDisplays.assign(bt.begin(), bt.end());
    }
    for (int id : fileNodes()) {
        switch (mode) {
        case StateMode::FlagExisting: setState(id, fileState(wb, node(id).data)); break;
        case StateMode::SetAll: setState(id, stMade); break;
        case StateMode::ClearAll: setState(id, stNotMade); break;
        }
    }
}

bool InventoryTree::drawnRedirected(const MasterList &list, int data)
{
    return data >= 0 && list.isRedirected(data);
}

bool InventoryTree::drawnUnscanned(const MasterList &list, int data)
{
    return data >= 0 && !list.isScanned(data);
}

} // namespace vorlix
