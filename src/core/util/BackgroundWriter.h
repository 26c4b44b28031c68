#pragma once
// Writes files atomically on a thread of its own, in the order they were
// handed over, so the next file can be prepared while the last one is on its
// way to the disk. The thread takes every file waiting at once and makes
// them durable together (writeFilesAtomically): a producer faster than the
// disk gets fewer, larger flushes. Each write is whole or nothing; what went
// wrong comes back as a message naming the file.
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
    // At most `maxQueued` files, and no more than `maxQueuedBytes` bytes
    // unless it is a single file, wait for the thread; a further write waits
    // for room (bounds the memory a fast producer takes).
    explicit BackgroundWriter(int maxQueued = 64, qint64 maxQueuedBytes = qint64(32) << 20);
    // With `StopAtFailure`, the first file that cannot be written ends the
    // writing: the files handed over before it land, none after it does
    // (their outcomes say so), in whatever groups they reached the disk.
    enum class Mode { EachFile, StopAtFailure };
    explicit BackgroundWriter(Mode mode);
    // Waits for every file handed over.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter &) = delete;
    BackgroundWriter &operator=(const BackgroundWriter &) = delete;

    // Without `replace`, a file already at `path` when the write lands stays
    // as it is (the outcome says so).
    void write(const QString &path, QByteArray bytes, bool replace = true);

    // Waits until no write to `path` is waiting or running (a run that asks
    // whether the file exists must see the file of an earlier run).
    void settle(const QString &path);

    struct Outcome {
        QString path;
        QString error;        // empty when the file was written (or left alone)
        bool existed = false; // a file was there and replacing was off: not written
    };
    // The writes finished since the last call, in the order handed over.
    std::vector<Outcome> takeFinished();
    // Waits for every write handed over, then answers as takeFinished.
    std::vector<Outcome> finish();

private:
    struct Job {
        QString path;
        QByteArray bytes;
        bool replace = true;
    };
    void run();
    bool busyWith(const QString &path) const; // with the lock held

    bool roomFor(qint64 bytes) const; // with the lock held

    const size_t m_maxQueued;
    const qint64 m_maxQueuedBytes;
    const bool m_stopAtFailure = false;
    bool m_failed = false; // a file failed (StopAtFailure): nothing more is written
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_queue;
    qint64 m_queuedBytes = 0;
    std::vector<QString> m_running; // the paths being written, empty when idle
    std::vector<Outcome> m_finished;
    bool m_stop = false;
    std::thread m_thread;
};

// A BackgroundWriter whose every file carries a value of the caller's (what
// the file is for: a display's index, a row to log); the outcomes come back
// with their values, in the order the files were handed over.
template <typename Tag>
class TrackedWriter {
public:
    explicit TrackedWriter(BackgroundWriter::Mode mode = BackgroundWriter::Mode::EachFile) : m_writer(mode) {}
    void write(const QString &path, QByteArray bytes, Tag tag, bool replace = true)
    {
        m_tags.push_back(std::move(tag));
        m_writer.write(path, std::move(bytes), replace);
    }
    void settle(const QString &path) { m_writer.settle(path); }
    // Tells landed(tag, outcome) for every write finished since the last call.
    template <typename Landed>
    void collect(Landed &&landed)
    {
        tell(m_writer.takeFinished(), landed);
    }
    // Waits for every write handed over, then tells them as collect does.
    template <typename Landed>
    void finish(Landed &&landed)
    {
        tell(m_writer.finish(), landed);
    }

private:
    template <typename Landed>
    void tell(const std::vector<BackgroundWriter::Outcome> &finished, Landed &landed)
    {
        for (const BackgroundWriter::Outcome &f : finished) {
            Tag tag = std::move(m_tags.front());
            m_tags.pop_front();
            landed(tag, f);
        }
    }
    BackgroundWriter m_writer;
    std::deque<Tag> m_tags;
};

} // namespace vorlix
