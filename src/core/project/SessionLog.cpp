#include "project/SessionLog.h"

#include "util/Ansi.h"
#include "util/Error.h"
#include "util/FileUtil.h"
#include "project/Messages.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>

namespace vorlix {

namespace {
constexpr auto kLogFile = "vorlix.log";
}

QString SessionLog::timeStamp()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    QString stamp = locale.toString(now.date(), QLocale::ShortFormat);
    if (now.time() != QTime(0, 0)) {
        // The locale's long time without the time-zone name.
        QString fmt = locale.timeFormat(QLocale::LongFormat);
        fmt.remove(u't');
        stamp += u' ' + now.time().toString(fmt.trimmed());
    }
    return stamp;
}

void SessionLog::append(const QString &line)
{
    m_lines.append(line);
    emit lineAppended(line);
}

void SessionLog::logMsgStart(const QString &msg)
{
    if (!m_lines.isEmpty())
        append(QString());
    append(u'[' + timeStamp() + u"]: "_qs + msg);
    translationErrors = 0;
}

void SessionLog::logMsg(const QString &msg) { append(u'\t' + msg); }

void SessionLog::pendingMsg(const QString &msg)
{
    m_pending = msg;
    m_pendingNumber = -1;
}

void SessionLog::pendingObjMsg(int number, const QString &typeName)
{
    m_pending.clear();
    m_pendingNumber = number;
    m_pendingType = typeName;
}

void SessionLog::logObjMsg(const QString &msg, bool isErr)
{
    if (m_pendingNumber >= 0) {
        m_pending = u"Object# "_qs + QString::number(m_pendingNumber) + u", "_qs + m_pendingType;
        m_pendingNumber = -1;
    }
    if (!m_pending.isEmpty()) {
        append(u'\t' + m_pending);
        m_pending.clear();
    }
    append(u"\t\t"_qs + msg);
    if (isErr)
        ++translationErrors;
}

void SessionLog::msgMissingFiles()
{
    for (const QString &f : missingFiles)
        append(msg::possibleMissingFile() + f);
}

void SessionLog::forget()
{
    m_lines.clear();
    m_saved = 0;
    m_rewrite = false;
    m_skipped = 0;
    emit linesReset();
}

void SessionLog::clear()
{
    forget();
    m_rewrite = true;
}

void SessionLog::setLines(const QStringList &lines)
{
    m_lines = lines;
    m_rewrite = true;
}

void SessionLog::loadSessionLog(const QString &folder)
{
    forget();
    QByteArray bytes;
    qint64 skipped = 0;
    if (!readFileTail(QDir(folder).filePath(QLatin1String(kLogFile)), kViewBytes, bytes, skipped, nullptr))
        return;
    if (skipped > 0) {
        // The first line read is most likely cut: start at the next whole one.
        const qsizetype cut = bytes.indexOf('\n') + 1;
        skipped += cut;
        bytes.remove(0, cut);
    }
    m_skipped = skipped;
    QString text = ansi::decode(bytes);
    text.replace(u"\r\n"_qs, u"\n"_qs);
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (!text.isEmpty() || !bytes.isEmpty())
        m_lines = text.split(u'\n');
    m_saved = m_lines.size();
    emit linesReset();
}

void SessionLog::saveSessionLog(const QString &folder)
{
    const QString path = QDir(folder).filePath(QLatin1String(kLogFile));
    if (m_rewrite) {
        QByteArray bytes;
        if (m_skipped > 0) {
            QString why;
            if (!readWholeFile(path, bytes, &why, m_skipped))
                throw Error(why);
        }
        bytes += ansiLines(m_lines);
        writeFileAtomically(path, bytes);
    } else if (m_saved < m_lines.size()) {
        appendToFileLocked(path, ansiLines(m_lines.mid(m_saved)), true);
    }
    forget();
}

} // namespace vorlix
