#pragma once
// Commands raise Error for conditions that end them; the front ends show the
// message (the GUI in an error box, the CLI on stderr with exit status 1).
#include <QString>
#include <stdexcept>

namespace vorlix {

class Error : public std::runtime_error {
public:
    explicit Error(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace vorlix
