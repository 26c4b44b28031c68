#include "translate/DisplayNaming.h"

#include "util/TextUtil.h"
#include "project/ControllerMap.h"
#include "inventory/RedirectTable.h"
#include "project/LookupCache.h"
#include "translate/PointRef.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

namespace {

bool isSeparator(QChar c) { return c == u'\\' || c == u'/'; }

QString fileNamePart(const QString &path)
{
    qsizetype i = path.size();
    while (i > 0 && !isSeparator(path[i - 1]))
        --i;
    return path.mid(i);
}

QString withoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && isSeparator(path.back()))
        path.chop(1);
    return path;
}

bool isExistingFolder(const QString &path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

const QString kNoPathSet = u"<no path set>"_qs;

} // namespace

IbexFileType ibexFileTypeOf(const QString &fileName)
{
    const QString name = fileNamePart(fileName).toLower();
    const QString head = name.size() >= 5 ? name.left(4) : name;
    if (head == u"ctxd")
        return ftTuxTemplate;
    if (head == u"ccpd")
        return ftTemplate;
    return ftDisplay;
}

QString ibexFileName(IbexFileType type, uint16_t number)
{
    const char *prefix = type == ftTuxTemplate ? "ctxd" : type == ftTemplate ? "ccpd" : "disp";
    return QString::asprintf("%s%.4d.ibw", prefix, int(number));
}

QString btFileName(const QString &ibexName, bool localJob, const ProjectVariables &vars)
{
    QString base = ibexName.toLower();
    const qsizetype dot = base.indexOf(u'.');
    if (dot >= 0)
        base.truncate(dot);
    const IbexFileType kind = ibexFileTypeOf(base.left(4));
    const QString digits = base.mid(4);
    for (QChar c : digits)
        if (!c.isDigit() && c != u'-' && c != u'.')
            return u"<err>"_qs;
    int32_t number = 0;
    if (!parseInt32(digits, number))
        return u"<err>"_qs;
    int offset = 0;
    switch (kind) {
    case ftDisplay: offset = localJob ? vars.localJobDispNum : vars.jobDispNum; break;
    case ftTemplate: offset = localJob ? vars.localJobCCPDNum : vars.jobCCPDNum; break;
    case ftTuxTemplate: offset = localJob ? vars.localJobCTXDNum : vars.jobCTXDNum; break;
    }
    const qint64 bt = qint64(number) + qint64(offset) * 10000;
    return QString::asprintf(kind == ftDisplay ? "%.8lld.dsp" : "%.8lld.dvt", static_cast<long long>(bt));
}

int targetNumber(const QString &btName)
{
    QString s = btName;
    const qsizetype dash = s.lastIndexOf(u'-');
    if (dash >= 0)
        s = s.mid(dash + 1);
    const qsizetype dot = s.indexOf(u'.');
    if (dot >= 0)
        s.truncate(dot);
    QString kept;
    for (QChar c : s) {
        if (c == u'+' || c == u'-' || (c >= u'1' && c <= u'9'))
            kept += c;
        else if (c == u'0' && !kept.isEmpty())
            kept += c;
    }
    int32_t v = 0;
    return parseInt32(kept, v) ? v : 0;
}

QString localJobPrefix(bool localJob) { return localJob ? u"localjob:"_qs : QString(); }

void splitBtJobPath(const QString &s, QString &root, QString &repJob)
{
    const qsizetype n = s.size();
    // i is 1-based, 0 when there is no separator.
    auto scanBack = [&](qsizetype from) {
        qsizetype i = from;
        while (i > 0 && !isSeparator(s[i - 1]))
            --i;
        return i;
    };
    qsizetype i = scanBack(n);
    if (i > 1)
        i = scanBack(i - 1);
    if (i < 6 || i == n - 1)
        return;
    root = s.left(i - 1);
    repJob = s.mid(i);
}

QString btJobRoot(const QString &path)
{
    if (!isExistingFolder(path))
        return kNoPathSet;
    QString root, repJob;
    splitBtJobPath(path, root, repJob);
    return root;
}

QString btRepJob(const QString &path)
{
    if (!isExistingFolder(path))
        return kNoPathSet;
    QString root, repJob;
    splitBtJobPath(path, root, repJob);
    return repJob;
}

QString btJobName(const QString &path)
{
    if (!isExistingFolder(path))
        return {};
    return fileNamePart(withoutTrailingSeparator(path));
}

QString btRepName(const QString &path)
{
    if (!isExistingFolder(path))
        return {};
    QString p = withoutTrailingSeparator(path);
    p.chop(fileNamePart(p).size());
    return fileNamePart(withoutTrailingSeparator(p));
}

QString redirectPath(const QString &bactalkJobPath, const QString &target)
{
    QString rest = target;
    const QString rep = nextToken(rest, u'-');
    const QString job = nextToken(rest, u'-');
    const QChar sep = QDir::separator();
    return btJobRoot(bactalkJobPath) + sep + rep + sep + job + sep + u"displays"_qs + sep + rest;
}

QString buttonTargetText(const IbexObjRec &rec, IbexFileType loadedType)
{
    switch (rec.kind()) {
    case ioBtnCP:
    case ioGrMicroset: return u"CPanel "_qs + QString::number(rec.pointRef());
    case ioBtnDisp: return loadedType == ftTemplate ? u"Same Cpanel"_qs : QString();
    case ioBtnTux: {
        const TuxAddress t = decodeTuxButtonRef(rec.pointRef());
        return QStringLiteral("Tx-%1-%2").arg(t.trunk).arg(t.address);
    }
    default: return {};
    }
}

QString DisplayNaming::btTargetName(const QString &ibexName, bool localJob)
{
    QString name = ibexName;
    wasRedirected = m_cache ? m_cache->findRedirect(name, localJob) : m_redirects.findRedirect(name, localJob);
    return wasRedirected ? name : btFileName(ibexName, localJob, m_vars);
}

QString DisplayNaming::buttonTargetName(const IbexObjRec &rec, IbexFileType loadedType)
{
    const IbexObject kind = rec.kind();
    const uint16_t number = kind == ioBtnDisp ? rec.u16(ibw::obj::PointRef) : rec.u16(ibw::obj::TemplateNumber);
    IbexFileType targetType;
    if (kind == ioBtnDisp)
        targetType = loadedType == ftDisplay ? ftDisplay : ftTemplate;
    else if (kind == ioBtnCP || kind == ioGrMicroset)
        targetType = ftTemplate;
    else
        targetType = ftTuxTemplate;
    const QString name = btTargetName(ibexFileName(targetType, number), isLocalJobBit(rec.options()));

    targetMapped = true;
    if (loadedType == ftDisplay && kind != ioBtnDisp) {
        const int apex = rec.apex();
        int trunk = 0, address = 0;
        bool located = true;
        if (kind == ioBtnTux) {
            const TuxAddress t = decodeTuxButtonRef(rec.pointRef());
            trunk = t.trunk;
            address = t.address;
        } else {
            const int cp = rec.u16(ibw::obj::PointRef);
            located = m_cache ? m_cache->apexIsMapped(apex) && m_cache->cpanelTux(apex, cp, trunk, address)
                              : m_map.apexIsMapped(apex) && m_map.cpanelTux(apex, cp, trunk, address);
        }
        if (located && apex < 32 && trunk >= 0 && trunk <= 4 && address >= 0 && address < 64 &&
            (m_cache ? m_cache->apexHasCom(apex, trunk) : m_map.apexHasCom(apex, trunk))) {
            const int32_t base = m_cache ? m_cache->apexBaseAddr(apex, trunk) : m_map.apexBaseAddr(apex, trunk);
            targetDevice = base == NotMapped ? NotMapped : address + base;
        } else {
            targetDevice = NotMapped;
        }
        targetMapped = targetDevice != NotMapped;
    }
    return name;
}

} // namespace vorlix
