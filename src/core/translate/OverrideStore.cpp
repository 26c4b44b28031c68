#include "translate/OverrideStore.h"

#include "util/NullChecks.h"
#include "util/TextUtil.h"

#include <cmath>

namespace vorlix {

namespace {

int rowKey(int object, bool isPoint) { return object * 2 + (isPoint ? 1 : 0); }

bool wholeDecimal(const QString &text, int &value)
{
    if (text.isEmpty() || text.size() > 9)
        return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    value = text.toInt();
    return true;
}

// A project-wide override's key, its point compared as the database's NOCASE
// collation compares (ASCII letters only).
QString globalKey(qint64 apex, const QString &ibexPoint)
{
    return QString::number(apex) + u'|' + asciiLower(ibexPoint);
}

// The Apex of a stored row as the database compares it with a whole number:
// only a stored whole number can be equal to one.
std::optional<qint64> storedWholeNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: return v.toLongLong();
    case QMetaType::Double: {
        const double d = v.toDouble();
        if (d == std::floor(d) && std::abs(d) < 9.0e15)
            return static_cast<qint64>(d);
        return std::nullopt;
    }
    default: return std::nullopt;
    }
}

} // namespace

void OverrideStore::validate()
{
    const quint64 stamp = m_pdb.dataStamp();
    if (stamp == m_stamp)
        return;
    m_stamp = stamp;
    m_rows.reset();
    m_global.reset();
}

QList<ProjectDatabase::Field> OverrideStore::displayKey(const DisplayRef &display, int object, bool isPoint)
{
    return {{u"Display"_qs, display.name, true},
            {u"LocalJob"_qs, display.localJob ? 1 : 0},
            {u"Object"_qs, object},
            {u"IsPoint"_qs, isPoint ? 1 : 0}};
}

const QHash<int, QString> &OverrideStore::rowsOf(const DisplayRef &display)
{
    validate();
    // The same display as the last one asked for: the name as given (a
    // listing asks with one text for every object), or matched as the
    // database matches names.
    if (m_rows && display.localJob == m_rowsDisplay.localJob
        && (display.name == m_rowsDisplay.name || asciiLower(display.name) == asciiLower(m_rowsDisplay.name)))
        return *m_rows;
    m_rowsDisplay = display;
    m_rows.emplace();
    QSqlQuery &q = m_pdb.prepared(u"SELECT Object, IsPoint, Override FROM Overrides WHERE Display = ? COLLATE NOCASE "
                                  "AND LocalJob = ? ORDER BY rowid"_qs);
    q.bindValue(0, display.name);
    q.bindValue(1, display.localJob ? 1 : 0);
    ProjectDatabase::run(q);
    while (q.next()) {
        const int k = rowKey(nullToInt(q.value(0)), nullToBool(q.value(1)));
        if (!m_rows->contains(k)) // the first row of a key counts, as a locate finds it
            m_rows->insert(k, nullToStr(q.value(2)));
    }
    q.finish();
    return *m_rows;
}

std::optional<QString> OverrideStore::displayOvrGet(const DisplayRef &display, int object, bool isPoint)
{
    if (!available())
        return std::nullopt;
    const QHash<int, QString> &rows = rowsOf(display);
    const auto it = rows.constFind(rowKey(object, isPoint));
    return it == rows.cend() ? std::nullopt : std::optional<QString>(*it);
}

bool OverrideStore::displayOvrPut(const DisplayRef &display, int object, bool isPoint, const QString &ibexData,
                                  const QString &override)
{
    if (!available())
        return false;
    const auto key = [&] {
        return QStringLiteral("%1, %2, object %3, %4")
            .arg(display.name, display.localJob ? u"local job"_qs : u"job"_qs)
            .arg(object)
            .arg(isPoint ? u"point"_qs : u"text"_qs);
    };
    return m_pdb.upsert(u"Overrides"_qs, displayKey(display, object, isPoint),
                        {{u"Ibex Data"_qs, ibexData}, {u"Override"_qs, override}}, key);
}

bool OverrideStore::displayOvrDelete(const DisplayRef &display, int object, bool isPoint)
{
    if (!available())
        return false;
    return m_pdb.removeFirst(u"Overrides"_qs, displayKey(display, object, isPoint),
                             [&] { return QStringLiteral("%1, object %2").arg(display.name).arg(object); })
           != ProjectDatabase::Removal::Refused;
}

std::optional<QString> OverrideStore::globalOvrGet(const QString &apexText, const QString &ibexPoint)
{
    int apex = 0;
    if (!globalAvailable() || !wholeDecimal(apexText, apex))
        return std::nullopt;
    validate();
    if (!m_global) {
        // The project-wide list is short: it is read whole.
        m_global.emplace();
        QSqlQuery &q = m_pdb.prepared(u"SELECT Apex, IbexPoint, BTPoint FROM GlobalOVR ORDER BY rowid"_qs);
        ProjectDatabase::run(q);
        while (q.next()) {
            const std::optional<qint64> rowApex = storedWholeNumber(q.value(0));
            if (!rowApex || q.value(1).isNull())
                continue; // no lookup finds these
            const QString key = globalKey(*rowApex, q.value(1).toString());
            if (!m_global->contains(key)) // the first row of a key counts
                m_global->insert(key, nullToStr(q.value(2)));
        }
        q.finish();
    }
    const auto it = m_global->constFind(globalKey(apex, ibexPoint));
    return it == m_global->cend() ? std::nullopt : std::optional<QString>(*it);
}

bool OverrideStore::globalOvrPut(int apex, const QString &ibexPoint, const QString &btPoint)
{
    if (!globalAvailable())
        return false;
    return m_pdb.upsert(u"GlobalOVR"_qs, {{u"Apex"_qs, apex}, {u"IbexPoint"_qs, ibexPoint, true}},
                        {{u"BTPoint"_qs, btPoint}}, [&] { return QStringLiteral("Apex %1, %2").arg(apex).arg(ibexPoint); });
}

} // namespace vorlix
