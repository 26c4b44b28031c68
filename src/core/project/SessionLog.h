#pragma once
// The session log: time-stamped entries with indented detail lines, kept per
// folder in vorlix.log (Windows-1252, CR LF, no byte-order mark). Saving
// appends the session's new lines to the file under a lock, so two commands
// on one job keep both sessions' lines; only "Clear Log" (and an edit of the
// memo in the window) writes the file anew.
#include <QObject>
#include <QString>
#include <QStringList>

namespace vorlix {

class SessionLog : public QObject {
    Q_OBJECT
public:
    void logMsgStart(const QString &msg);
    void logMsg(const QString &msg);
    void pendingMsg(const QString &msg);
    // The pending heading "Object# n, type name", put together only when a
    // line under it follows (most objects log nothing).
    void pendingObjMsg(int number, const QString &typeName);
    void logObjMsg(const QString &msg, bool isErr);
    void msgMissingFiles();

    // Clears the memo and loads `folder`/vorlix.log when it exists: its
    // last kViewBytes bytes (a longer log is not read whole). A log that
    // cannot be read leaves the memo empty; saving still appends.
    void loadSessionLog(const QString &folder);
    // Appends the lines added since the load to `folder`/vorlix.log, or,
    // after clear() or setLines(), writes the memo over the part of the
    // file that was loaded (atomically). Then empties the memo. Throws
    // Error naming the file when it cannot be written; the file keeps what
    // it had.
    void saveSessionLog(const QString &folder);
    // "Clear Log": empties the memo; the next save empties the file.
    void clear();

    const QStringList &lines() const { return m_lines; }
    // The user edits the memo in the window; the window hands its text back
    // (the next save writes the memo over the loaded part of the file).
    void setLines(const QStringList &lines);

    // How much of the end of a log file is loaded into the memo.
    static constexpr qint64 kViewBytes = 1024 * 1024;

    int translationErrors = 0;
    QStringList missingFiles;

    // The stamp of logMsgStart: locale short date, a blank, long time (the
    // time is left out at exactly midnight).
    static QString timeStamp();

signals:
    // A line was appended to the memo.
    void lineAppended(const QString &line);
    // The memo was emptied or loaded anew.
    void linesReset();

private:
    void append(const QString &line);
    // Empties the memo without asking for the file to be rewritten.
    void forget();
    QStringList m_lines;
    qsizetype m_saved = 0;  // leading lines of m_lines already in the file
    bool m_rewrite = false; // the memo replaces the loaded part of the file
    qint64 m_skipped = 0;   // bytes at the file's start not loaded
    QString m_pending;
    // A pending object heading not yet put into words (number < 0: none).
    int m_pendingNumber = -1;
    QString m_pendingType;
};

} // namespace vorlix
