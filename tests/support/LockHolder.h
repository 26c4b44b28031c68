#pragma once
// Another program that holds a SQLite database's write lock for a moment:
// on a thread of its own it begins a write transaction, runs one statement
// and commits after `holdMs`. The constructor returns once the lock is held;
// the destructor waits for the commit.
#include <QString>

#include <future>
#include <thread>

namespace vorlix::test {

class LockHolder {
public:
    LockHolder(const QString &path, const QString &statement, int holdMs);
    ~LockHolder();
    LockHolder(const LockHolder &) = delete;
    LockHolder &operator=(const LockHolder &) = delete;

private:
    std::thread m_thread;
};

} // namespace vorlix::test
