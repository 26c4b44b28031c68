#include "devices/MultiEdit.h"

#include "project/GridEdits.h"
#include "project/ProjectDatabase.h"
#include "project/Schema.h"
#include "util/TextUtil.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QRegularExpression>

namespace vorlix {

QStringList formatTextChoices()
{
    return {u"objName"_qs, u"MACaddr"_qs, u"DevModel"_qs, u"DevLocation"_qs, u"Description"_qs};
}

QStringList numericChoices()
{
    return {u"DevInst"_qs, u"Max_Trends"_qs, u"TrendHost"_qs, u"SchedHost"_qs, u"AlarmHost"_qs, u"NetWork"_qs,
            u"Net1"_qs, u"Net2"_qs, u"Net3"_qs, u"Net4"_qs, u"VirtualDev"_qs};
}

QStringList unitTypeChoices()
{
    return {u"TX-NON-SA"_qs, u"TX-SA"_qs, u"TX-SA651"_qs, u"TX-V.A.V."_qs, u"TX-Host-R3"_qs};
}

QString targetColumn(EditTarget target)
{
    static const char *columns[] = {"objname", "macaddr", "devmodel", "devlocation", "devdescription",
                                    "devinst", "max_trends", "trendhostinst", "schedhostinst", "alarmhostinst",
                                    "network", "Net1", "Net2", "Net3", "Net4", "virtualdev"};
    const int code = static_cast<int>(target);
    if (code >= 0 && code <= 15)
        return QLatin1String(columns[code]);
    if (target == EditTarget::UnitType)
        return u"devmodel"_qs;
    return {};
}

bool isNumericTarget(EditTarget target)
{
    const int code = static_cast<int>(target);
    return code >= 5 && code <= 15;
}

QString ordinal(qint64 n)
{
    QString suffix = u"th"_qs;
    if (n != 11 && n != 12 && n != 13) {
        switch (n % 10) {
        case 1: suffix = u"st"_qs; break;
        case 2: suffix = u"nd"_qs; break;
        case 3: suffix = u"rd"_qs; break;
        default: break; // a negative remainder too
        }
    }
    return QString::number(n) + suffix;
}

namespace {
QString numberText(const NumberPart &p, int row, bool allowOrdinal)
{
    if (!p.use)
        return {};
    const qint64 v = p.start + row * p.increment;
    return allowOrdinal && p.ordinal ? ordinal(v) : QString::number(v);
}
} // namespace

QString TextFormat::text(int row) const
{
    return numberText(number1, row, true) + left + numberText(number2, row, true) + right +
           numberText(number3, row, false);
}

QStringList numericValues(qint64 start, qint64 increment, bool incrementOn, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QString::number(incrementOn ? start + i * increment : start);
    return out;
}

int32_t numericValueOf(const QString &text)
{
    if (isNonNumeric(text))
        return 0;
    int32_t v = 0;
    return parseInt32(text, v) ? v : 0;
}

namespace {

int textSize(const QString &column)
{
    for (const schema::Field &f : schema::findTable(u"tblRepJob"_qs)->fields)
        if (column.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            return f.type == schema::FieldType::Text ? f.size : 0;
    return 0;
}

} // namespace

int applyMultiEdit(ProjectDatabase &pdb, const QList<int32_t> &selected, EditTarget target, const QStringList &values,
                   const std::function<void(const QString &)> &log)
{
    const int refusedBefore = pdb.refusedPosts();
    int refused = 0;
    const auto refuse = [&](int32_t devinst, const QString &why) {
        ++refused;
        if (log)
            log(QStringLiteral("Not written to tblRepJob (devinst %1): %2").arg(devinst).arg(why));
    };
    const QString rowOf = u"rowid = (SELECT rowid FROM tblRepJob WHERE devinst = ? ORDER BY rowid LIMIT 1)"_qs;

    ProjectDatabase::Transaction transaction(pdb);
    for (int i = 0; i < selected.size(); ++i) {
        const int32_t devinst = selected[i];
        const auto key = [devinst] { return QStringLiteral("devinst %1").arg(devinst); };
        if (target == EditTarget::RepJobApp) {
            if (values.size() < 3)
                break;
            QSqlQuery &q = pdb.prepared(u"UPDATE tblRepJob SET DDC_rep = ?, DDC_job = ?, DDC_app = ? WHERE "_qs + rowOf);
            bool fits = true;
            for (int v = 0; v < 3; ++v) {
                fits = fits && values[v].size() <= 255;
                q.bindValue(v, values[v]);
            }
            q.bindValue(3, devinst);
            if (!fits)
                refuse(devinst, u"a text is longer than its column"_qs);
            else
                pdb.post(q, u"tblRepJob"_qs, key);
            continue;
        }
        if (i >= values.size())
            break;
        const QString column = targetColumn(target);
        QSqlQuery &q = pdb.prepared(u"UPDATE tblRepJob SET \""_qs + column + u"\" = ? WHERE "_qs + rowOf);
        if (isNumericTarget(target)) {
            const int32_t value = numericValueOf(values[i]);
            if (target == EditTarget::DevInst && value != devinst) {
                // One row per device instance, within BACnet's range; the
                // capability row follows its device (the table's trigger).
                const QString problem = devinstProblem(pdb.db(), value);
                if (!problem.isEmpty()) {
                    refuse(devinst, problem);
                    continue;
                }
            }
            q.bindValue(0, value);
        } else {
            const int size = textSize(column);
            if (size > 0 && values[i].size() > size) {
                refuse(devinst, QStringLiteral("the text is longer than the %1 characters of %2").arg(size).arg(column));
                continue;
            }
            q.bindValue(0, values[i]);
        }
        q.bindValue(1, devinst);
        pdb.post(q, u"tblRepJob"_qs, key);
    }
    transaction.commit();
    return refused + (pdb.refusedPosts() - refusedBefore);
}

RepJobApp repJobAppOf(const QString &path)
{
    QStringList parts = path.split(QRegularExpression(u"[\\\\/]"_qs));
    for (QString &p : parts)
        p = p.trimmed();
    RepJobApp r;
    if (parts.size() <= 3)
        return r;
    r.rep = parts[parts.size() - 4];
    r.job = parts[parts.size() - 3];
    r.app = parts.last();
    r.found = true;
    return r;
}

} // namespace vorlix
