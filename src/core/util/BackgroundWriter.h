#pragma once
// Writes files atomically on a thread of its own, in the order they were
// handed over, so the next file can be prepared while the last one is on its
// way to the disk. Each write is whole or nothing, as writeFileAtomically
// makes it; what went wrong comes back as a message naming the file.
#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace vorlix {

class BackgroundWriter {
public:
    // At most `maxQueued` files wait for the thread; a further write waits
    // for room (bounds the memory a fast producer takes).
    explicit BackgroundWriter(int maxQueued = 4);
    // Waits for every file handed over.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter &) = delete;
    BackgroundWriter &operator=(const BackgroundWriter &) = delete;

    void write(const QString &path, QByteArray bytes);

    // Waits until no write to `path` is waiting or running (a run that asks
    // whether the file exists must see the file of an earlier run).
    void settle(const QString &path);

    struct Outcome {
        QString path;
        QString error; // empty when the file was written
    };
    // The writes finished since the last call, in the order handed over.
    std::vector<Outcome> takeFinished();
    // Waits for every write handed over, then answers as takeFinished.
    std::vector<Outcome> finish();

private:
    struct Job {
        QString path;
        QByteArray bytes;
    };
    void run();
    bool busyWith(const QString &path) const; // with the lock held

    const size_t m_maxQueued;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_queue;
    QString m_running; // the path being written, empty when idle
    std::vector<Outcome> m_finished;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace vorlix
