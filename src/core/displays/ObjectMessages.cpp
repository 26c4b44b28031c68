#include "displays/ObjectMessages.h"

#include "project/SessionLog.h"

#include <utility>

namespace vorlix {

void ObjectMessages::startDisplay()
{
    // A heading left from an object of an earlier display that logged
    // nothing must not head this display's first message.
    m_log.pendingMsg(QString());
    m_object = 0;
    m_kept.clear();
}

void ObjectMessages::startObject(int number, const QString &typeName)
{
    m_object = number;
    m_log.pendingObjMsg(number, typeName);
}

void ObjectMessages::startObject(int number)
{
    m_object = number;
    m_log.pendingMsg(QStringLiteral("Object# %1").arg(number));
}

void ObjectMessages::add(const QString &text, bool isError)
{
    m_log.logObjMsg(text, isError);
    m_kept.push_back({m_object, text.trimmed()});
}

std::vector<ObjectProblem> ObjectMessages::take() { return std::exchange(m_kept, {}); }

} // namespace vorlix
