#pragma once
// The messages about the objects of one display as it is built: each goes to
// the session log under its object's heading ("Object# n, type", written only
// when a message follows, as most objects have none) and is kept as a value
// for the caller (the conversion report lists them per display).
#include <QString>
#include <vector>

namespace vorlix {

class SessionLog;

struct ObjectProblem {
    int object = 0; // 0: the display itself (its header and background)
    QString text;   // as the log shows it, without surrounding blanks
};

class ObjectMessages {
public:
    explicit ObjectMessages(SessionLog &log) : m_log(log) {}

    // A new display: no heading is pending, nothing is kept.
    void startDisplay();
    // The messages from here on are about object `number`.
    void startObject(int number, const QString &typeName);
    // The same when the object's kind is unknown (its record cannot be read).
    void startObject(int number);
    // A message about the current object; an error counts as a translation error.
    void add(const QString &text, bool isError);

    // The messages since the display started, in order.
    std::vector<ObjectProblem> take();

private:
    SessionLog &m_log;
    int m_object = 0;
    std::vector<ObjectProblem> m_kept;
};

} // namespace vorlix
