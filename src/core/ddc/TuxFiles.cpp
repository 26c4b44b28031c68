#include "ddc/TuxFiles.h"

#include "ddc/TuxNames.h"
#include "project/ControllerMap.h"
#include "project/ProjectDatabase.h"
#include "project/SessionLog.h"
#include "util/BackgroundWriter.h"
#include "util/Error.h"
#include "util/FileUtil.h"
#include "util/NullChecks.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>
#include <deque>

namespace vorlix {

namespace {

constexpr int kApexCount = 32;
// A Tux DDC program is a few kilobytes; anything this large is not one.
constexpr qint64 kMaxTdcBytes = 16 * 1024 * 1024;

QString tddcName(int apex) { return QStringLiteral("tddc%1").arg(apex, 2, 10, QLatin1Char('0')); }

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

} // namespace

int createDdcFileList(ProjectDatabase &pdb, ControllerMap &map, const QString &projectFolder, const Progress &progress)
{
    pdb.emptyTable(u"TdcFiles"_qs);
    QSqlQuery &insert = pdb.prepared(u"INSERT INTO TdcFiles (Apex, IbexFilename, BACtalkFilename) VALUES (?, ?, ?)"_qs);
    int rows = 0;
    for (int apex = 0; apex < kApexCount; ++apex) {
        if (!map.apexIsMapped(apex))
            continue;
        const QDir folder(ibexTddcFolder(projectFolder, apex));
        // Name filters match whatever the letter case; the extension is
        // checked again, so that "x.tdc1" never counts.
        const QStringList entries = folder.entryList({u"*.tdc"_qs}, QDir::Files | QDir::Hidden | QDir::System,
                                                     QDir::Name | QDir::IgnoreCase);
        for (int i = 0; i < entries.size(); ++i) {
            const QString &name = entries[i];
            progress.step(i, int(entries.size()), tddcName(apex) + QDir::separator() + name);
            if (QFileInfo(name).suffix().toLower() != u"tdc")
                continue;

            insert.bindValue(0, apex);
            insert.bindValue(1, name);
            insert.bindValue(2, bacTalkTdcName(map, apex, name));
            if (pdb.post(insert, u"TdcFiles"_qs, QStringLiteral("Apex %1, %2").arg(apex).arg(name)))
                ++rows;
        }
        // The listing leaves out a file whose name is not text here: it
        // could not be opened again by its name. Said, not dropped.
        for (const QString &name : unreadableNames(folder.path()))
            if (name.endsWith(u".tdc"_qs, Qt::CaseInsensitive))
                pdb.refuse(u"TdcFiles"_qs, QStringLiteral("Apex %1, %2").arg(apex).arg(name),
                           QStringLiteral("the name of this file in %1 is not valid text in this system's "
                                          "encoding; rename it to list and copy it").arg(tddcName(apex)));
    }
    return rows;
}

namespace {

struct TdcRow {
    int apex;
    QString ibex, bt;
};

QList<TdcRow> tdcRows(ProjectDatabase &pdb)
{
    QList<TdcRow> rows;
    QSqlQuery &q = pdb.prepared(
        u"SELECT Apex, IbexFilename, BACtalkFilename FROM TdcFiles ORDER BY Apex, IbexFilename, rowid"_qs);
    ProjectDatabase::run(q);
    while (q.next())
        rows.append({nullToInt(q.value(0)), nullToStr(q.value(1)), nullToStr(q.value(2))});
    q.finish();
    return rows;
}

// The copy of the rows: copies go to the disk in the background, in
// groups; each row's log line and count are told in row order, a copy's
// once it has landed.
class TdcCopier {
public:
    TdcCopier(SessionLog &log, const QString &projectFolder, const QString &bactalkJobPath)
        : m_log(log), m_projectFolder(projectFolder), m_bactalkJobPath(bactalkJobPath)
    {
    }

    void copy(const TdcRow &r)
    {
        place(r);
        m_writer.collect([this](Told *t, const BackgroundWriter::Outcome &f) { landed(*t, f); });
        tell();
    }

    TdcCopyOutcome finish()
    {
        m_writer.finish([this](Told *t, const BackgroundWriter::Outcome &f) { landed(*t, f); });
        tell();
        return m_out;
    }

private:
    struct Told {
        enum class Kind { Copied, Exists, Missing, Failed };
        Kind kind;
        QString line; // the log line, or for a copy waiting to land its source name
        QString name; // what the outcome lists
        bool waiting = false;
    };

    // Decides what becomes of one row; a copy is handed to the writer.
    void place(const TdcRow &r)
    {
        const QString from = tddcName(r.apex) + QDir::separator() + r.ibex;
        // The names come from a table the user may edit: they must stay
        // inside their folders.
        if (!isPlainFileName(r.ibex) || !isPlainFileName(r.bt)) {
            told({Told::Kind::Failed, QStringLiteral("Copy failed: %1 to %2: not a plain file name.").arg(from, r.bt), {}});
            return;
        }
        const QString folder = ibexTddcFolder(m_projectFolder, r.apex);
        const QString src = findCaseInsensitive(folder, r.ibex);
        const QString dst = btDdcPath(m_bactalkJobPath, r.bt);
        const QFileInfo source(src);
        if (!source.exists() && !source.isSymLink())
            return told({Told::Kind::Missing, u"File missing: "_qs + shown(src), shown(src)});
        // A job folder from elsewhere must not pull other files of this
        // machine into the BACtalk job.
        if (source.isSymLink() || QFileInfo(folder).isSymLink())
            return told({Told::Kind::Failed,
                         QStringLiteral("Not copied: %1 is a link; links are never copied into the BACtalk job.")
                             .arg(shown(source.isSymLink() ? src : folder)),
                         {}});
        // Destinations handed over and not yet landed count as present.
        if (m_handedOver.contains(dst) || isRegularFileNoLink(dst))
            return told({Told::Kind::Exists, u"File exists: "_qs + shown(dst), r.bt});
        try {
            if (const QString refused = refusedWriteTarget(dst); !refused.isEmpty())
                throw Error(refused);
            QByteArray bytes;
            QString why;
            if (!readWholeFileNoLink(src, bytes, &why, kMaxTdcBytes + 1))
                throw Error(why);
            if (bytes.size() > kMaxTdcBytes)
                throw Error(QStringLiteral("\"%1\" is larger than a Tux DDC file can be.").arg(shown(src)));
            if (!QFileInfo(btDdcFolder(m_bactalkJobPath)).isDir())
                throw Error(QStringLiteral("the BACtalk DDC folder \"%1\" does not exist.")
                                .arg(shown(btDdcFolder(m_bactalkJobPath))));
            // The entry stays where it is until it has landed: tell() stops
            // at a waiting entry, and the deque keeps its place.
            m_told.push_back({Told::Kind::Copied, from, r.bt, true});
            m_handedOver.insert(dst);
            m_writer.write(dst, std::move(bytes), &m_told.back(), false);
        } catch (const Error &e) {
            told({Told::Kind::Failed, QStringLiteral("Copy failed: %1 to %2: %3").arg(from, shown(dst), e.message()), {}});
        }
    }

    void told(Told t)
    {
        m_told.push_back(std::move(t));
        tell();
    }

    // Logs and counts the rows whose outcome is known, in row order.
    void tell()
    {
        while (!m_told.empty() && !m_told.front().waiting) {
            const Told &t = m_told.front();
            m_log.logMsg(t.line);
            switch (t.kind) {
            case Told::Kind::Copied: m_out.copiedFiles << t.name; ++m_out.copied; break;
            case Told::Kind::Exists: m_out.existingFiles << t.name; ++m_out.existing; break;
            case Told::Kind::Missing: m_out.missingFiles << t.name; ++m_out.missing; break;
            case Told::Kind::Failed: m_out.failedFiles << t.line; ++m_out.failed; break;
            }
            m_told.pop_front();
        }
    }

    static void landed(Told &t, const BackgroundWriter::Outcome &f)
    {
        t.waiting = false;
        if (f.existed) { // it appeared meanwhile, and it stays
            t.kind = Told::Kind::Exists;
            t.line = u"File exists: "_qs + shown(f.path);
        } else if (f.error.isEmpty()) {
            t.line = u"Copied: "_qs + t.line + u" to "_qs + shown(f.path);
        } else {
            t.kind = Told::Kind::Failed;
            t.line = QStringLiteral("Copy failed: %1 to %2: %3").arg(t.line, shown(f.path), f.error);
        }
    }

    SessionLog &m_log;
    const QString m_projectFolder, m_bactalkJobPath;
    TdcCopyOutcome m_out;
    std::deque<Told> m_told;
    QSet<QString> m_handedOver;
    TrackedWriter<Told *> m_writer; // last: it finishes its writes before the rest goes
};

} // namespace

TdcCopyOutcome copyTdcFiles(ProjectDatabase &pdb, SessionLog &log, const QString &projectFolder,
                            const QString &bactalkJobPath, const Progress &progress)
{
    const QList<TdcRow> rows = tdcRows(pdb);
    TdcCopier copier(log, projectFolder, bactalkJobPath);
    bool cancelled = false;
    for (int i = 0; i < rows.size(); ++i) {
        const TdcRow &r = rows[i];
        if (r.ibex.isEmpty() || r.bt.isEmpty())
            continue;
        if (progress.cancelled && progress.cancelled()) {
            cancelled = true;
            break;
        }
        progress.step(i, int(rows.size()), r.ibex);
        copier.copy(r);
    }
    TdcCopyOutcome out = copier.finish();
    out.cancelled = cancelled;
    return out;
}

QString tdcFileExistsText(const QString &bactalkJobPath, const QString &bactalkName)
{
    if (bactalkName.isEmpty() || bactalkJobPath.isEmpty())
        return {};
    // A link, a folder or a FIFO of that name is no copied file.
    return isRegularFileNoLink(btDdcPath(QDir::fromNativeSeparators(bactalkJobPath), bactalkName)) ? u"yes"_qs
                                                                                                   : QString();
}

} // namespace vorlix
