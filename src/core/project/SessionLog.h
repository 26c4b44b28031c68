#pragma once
// The session log: time-stamped entries with indented detail lines, kept per
// folder in vorlix.log (Windows-1252, CR LF, no byte-order mark).
#include <QString>
#include <QStringList>
#include <functional>

namespace vorlix {

class SessionLog {
public:
    void logMsgStart(const QString &msg);
    void logMsg(const QString &msg);
    void pendingMsg(const QString &msg);
    // The pending heading "Object# n, type name", put together only when a
    // line under it follows (most objects log nothing).
    void pendingObjMsg(int number, const QString &typeName);
    void logObjMsg(const QString &msg, bool isErr);
    void msgMissingFiles();

    // Clears the memo and loads `folder`/vorlix.log when it exists.
    void loadSessionLog(const QString &folder);
    // Writes the memo to `folder`/vorlix.log (atomically), then clears it.
    // Throws Error naming the file when it cannot be written.
    void saveSessionLog(const QString &folder);
    void clear();

    const QStringList &lines() const { return m_lines; }
    // The user edits the memo in the window; the window hands its text back.
    void setLines(const QStringList &lines);

    int translationErrors = 0;
    QStringList missingFiles;

    // Told about every appended line, and when the memo is replaced wholesale.
    std::function<void(const QString &line)> lineAppended;
    std::function<void()> reset;

    // The stamp of logMsgStart: locale short date, a blank, long time (the
    // time is left out at exactly midnight).
    static QString timeStamp();

private:
    void append(const QString &line);
    QStringList m_lines;
    QString m_pending;
    // A pending object heading not yet put into words (number < 0: none).
    int m_pendingNumber = -1;
    QString m_pendingType;
};

} // namespace vorlix
