#include "translate/DisplayNaming.h"

#include "util/TextUtil.h"
#include "project/ControllerMap.h"
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
    // One separator throughout, the platform's, whatever the stored path has.
    return QDir::toNativeSeparators(btJobRoot(bactalkJobPath) + u'/' + rep + u'/' + job + u"/displays/"_qs + rest);
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

TargetName DisplayNaming::btTargetName(const QString &ibexName, bool localJob)
{
    if (const auto target = m_map.findRedirect(ibexName, localJob))
        return {*target, true};
    return {btFileName(ibexName, localJob, m_vars), false};
}

ButtonTarget DisplayNaming::buttonTarget(const IbexObjRec &rec, IbexFileType loadedType)
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
    const TargetName name = btTargetName(ibexFileName(targetType, number), isLocalJobBit(rec.options()));
    ButtonTarget target{name.name, name.redirected};
    if (loadedType != ftDisplay || kind == ioBtnDisp)
        return target;

    const int apex = rec.apex();
    std::optional<TuxLocation> tux;
    if (kind == ioBtnTux) {
        const TuxAddress t = decodeTuxButtonRef(rec.pointRef());
        tux = TuxLocation{t.trunk, t.address};
    } else if (m_map.apexIsMapped(apex)) {
        tux = m_map.cpanelTux(apex, rec.u16(ibw::obj::PointRef));
    }
    target.device = NotMapped;
    if (tux && apex < 32 && tux->trunk >= 0 && tux->trunk <= 4 && tux->address >= 0 && tux->address < 64
        && m_map.apexHasCom(apex, tux->trunk)) {
        const int32_t base = m_map.apexBaseAddr(apex, tux->trunk);
        if (base != NotMapped)
            target.device = tux->address + base;
    }
    target.mapped = target.device != NotMapped;
    return target;
}

} // namespace vorlix
