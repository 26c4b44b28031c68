#include "BadInputSite.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <atomic>

namespace vorlix::test {

namespace {
bool runTool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
} // namespace

// The folder's name holds the words run() puts folders in for, so every
// site shows that a folder put in is not expanded again.
BadInputSite::BadInputSite(bool onTmpfs, qint64 tmpfsBytes)
    : m_tmp(std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/vorlix-BT-ROOT-JOB-XXXXXX"_qs))
{
    const QDir base(m_tmp->path());
    root = base.filePath(u"site"_qs);
    app = base.filePath(u"app"_qs);
    QDir().mkpath(root);
    if (onTmpfs) {
        m_mounted = runTool(u"mount"_qs, {u"-t"_qs, u"tmpfs"_qs, u"-o"_qs,
                                          QStringLiteral("size=%1").arg(tmpfsBytes), u"tmpfs"_qs, root});
        if (!m_mounted) {
            m_failure = u"could not mount a tmpfs on "_qs + root;
            return;
        }
    }
    job = root + u"/job"_qs;
    bactalk = root + u"/bactalk/acme/plaza"_qs;
    displays = bactalk + u"/displays"_qs;
    for (const QStringList &args : {QStringList{u"sample-job"_qs, u"ROOT"_qs},
                                    QStringList{u"--yes"_qs, u"create-display"_qs, u"JOB"_qs, u"--all"_qs}}) {
        const CliResult r = run(args);
        if (r.exitCode != 0) {
            m_failure = QStringLiteral("vorlix-cli %1: exit %2\n%3%4")
                            .arg(args.join(u' '))
                            .arg(r.exitCode)
                            .arg(r.out, r.err);
            return;
        }
    }
    m_ok = true;
}

BadInputSite::~BadInputSite()
{
    if (m_mounted)
        runTool(u"umount"_qs, {u"-l"_qs, root});
}

QStringList BadInputSite::expand(const QStringList &args) const
{
    // Only an argument that is one of the words stands for a folder: paths
    // (the sites' own included, whose random names may hold "BT" or "ROOT")
    // pass as they are.
    const QHash<QString, QString> folders = {{u"DISPLAYS"_qs, displays},
                                             {u"LOCAL"_qs, root + u"/localjob"_qs},
                                             {u"JOB"_qs, job},
                                             {u"BT"_qs, bactalk},
                                             {u"ROOT"_qs, root}};
    QStringList out;
    for (const QString &a : args)
        out << folders.value(a, a);
    return out;
}

CliResult BadInputSite::run(const QStringList &args, const CliOptions &options) const
{
    return runCli(QStringList{u"--app-dir"_qs, app} + expand(args), options);
}

QMap<QString, QByteArray> BadInputSite::snapshot(const QStringList &except) const
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = base.relativeFilePath(path);
        if (except.contains(rel) || it.fileInfo().isSymLink() || !it.fileInfo().isFile())
            continue;
        QFile f(path);
        files.insert(rel, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>"));
    }
    return files;
}

QStringList BadInputSite::changed(const QMap<QString, QByteArray> &a, const QMap<QString, QByteArray> &b)
{
    QStringList out;
    for (auto it = a.cbegin(); it != a.cend(); ++it)
        if (!b.contains(it.key()) || b.value(it.key()) != it.value())
            out << it.key();
    for (auto it = b.cbegin(); it != b.cend(); ++it)
        if (!a.contains(it.key()))
            out << it.key();
    return out;
}

int BadInputSite::logEntries(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    int n = 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        n += line.startsWith('[');
    return n;
}

QString BadInputSite::integrity(const QString &path)
{
    static std::atomic<int> made{0};
    const QString name = QStringLiteral("integrity_%1").arg(++made);
    QString result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, name);
        db.setDatabaseName(path);
        db.setConnectOptions(u"QSQLITE_OPEN_READONLY"_qs);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(u"PRAGMA integrity_check"_qs) && q.next())
                result = q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

void BadInputSite::fillDisk()
{
    QFile f(root + u"/filler"_qs);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'x');
    while (f.write(block) == block.size()) {
    }
    const QByteArray byte(1, 'x');
    while (f.write(byte) == 1) {
    }
}

CliOptions BadInputSite::faultOptions(const QString &fault, const QString &folder)
{
    CliOptions o;
    o.env.insert(u"LD_PRELOAD"_qs, QStringLiteral(VORLIX_FAULT_SHIM));
    o.env.insert(u"VORLIX_FAULT"_qs, fault);
    o.env.insert(u"VORLIX_FAULT_DIR"_qs, folder);
    // A sanitizer build wants its runtime first; the layer goes before it.
    const QString asan = o.env.value(u"ASAN_OPTIONS"_qs);
    o.env.insert(u"ASAN_OPTIONS"_qs, (asan.isEmpty() ? QString() : asan + u':') + u"verify_asan_link_order=0"_qs);
    return o;
}

} // namespace vorlix::test
