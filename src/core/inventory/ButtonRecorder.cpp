#include "inventory/ButtonRecorder.h"

#include "project/Workbench.h"

namespace vorlix {

ButtonRecorder::ButtonRecorder(Workbench &wb)
    : m_wb(wb), m_enabled(wb.pdb.isOpen() && wb.pdb.extendedTablesAvailable() && !wb.vars.lockSubcallerMap)
{
}

void ButtonRecorder::clearButtons()
{
    if (!m_enabled)
        return;
    m_wb.pdb.emptyTable(u"Buttons"_qs);
    m_rows.clear();
}

QStringList ButtonRecorder::reportHeader()
{
    return {u"dev-id,tux-addr,disp-file,apex,cp#,localjob,ccpd-file"_qs, QString(53, u'-')};
}

QStringList ButtonRecorder::reportLines() const { return reportHeader() + m_lines; }

void ButtonRecorder::add(int apex, int cpNumber, const QString &sourceName, bool localJob, const QString &targetName)
{
    if (!m_enabled)
        return;
    const CallRange range = m_wb.map.cpanelCallRange(apex, cpNumber);
    if (!range.ok)
        return;
    const QString rowKey = QStringLiteral("%1|%2|%3").arg(targetName.toLower()).arg(localJob ? 1 : 0).arg(apex);
    if (!m_rows.contains(rowKey)) {
        m_rows.insert(rowKey);
        m_pending.push_back({targetName, localJob, apex, range.callTo, range.lastSeq});
    }
    const TuxLocation tux = m_wb.map.cpanelTux(apex, cpNumber).value_or(TuxLocation{});
    const qint64 devId = qint64(m_wb.map.apexBaseAddr(apex, tux.trunk)) + tux.address;
    const QString line = QStringLiteral("%1,Tx-%2-%3,%4,%5,%6,%7,%8")
                             .arg(devId)
                             .arg(tux.trunk)
                             .arg(tux.address)
                             .arg(sourceName.toLower())
                             .arg(apex)
                             .arg(cpNumber)
                             .arg(localJob ? u"Y"_qs : u"N"_qs, targetName);
    const QString seen = line.toLower();
    if (!m_seenLines.contains(seen)) {
        m_seenLines.insert(seen);
        m_lines << line;
    }
}

void ButtonRecorder::flush()
{
    QSqlQuery &q = m_wb.pdb.prepared(
        u"INSERT INTO Buttons (Display, LocalJob, Apex, SubStart, SubEnd) VALUES (?, ?, ?, ?, ?)"_qs);
    for (const Row &r : m_pending) {
        q.bindValue(0, r.display);
        q.bindValue(1, r.localJob ? 1 : 0);
        q.bindValue(2, r.apex);
        q.bindValue(3, r.subStart);
        q.bindValue(4, r.subEnd);
        m_wb.pdb.post(q, u"Buttons"_qs, [&] { return QStringLiteral("%1, %2, %3").arg(r.display).arg(r.localJob ? 1 : 0).arg(r.apex); });
    }
    m_pending.clear();
}

} // namespace vorlix
