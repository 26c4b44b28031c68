#include "util/BackgroundWriter.h"

#include "util/FileUtil.h"

#include <algorithm>

namespace vorlix {

BackgroundWriter::BackgroundWriter(int maxQueued, qint64 maxQueuedBytes)
    : m_maxQueued(static_cast<size_t>(std::max(1, maxQueued))), m_maxQueuedBytes(maxQueuedBytes),
      m_thread([this] { run(); })
{
}

BackgroundWriter::BackgroundWriter(Mode mode)
    : m_maxQueued(64), m_maxQueuedBytes(qint64(32) << 20), m_stopAtFailure(mode == Mode::StopAtFailure),
      m_thread([this] { run(); })
{
}

BackgroundWriter::~BackgroundWriter()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join(); // the thread empties the queue before it stops
}

void BackgroundWriter::write(const QString &path, QByteArray bytes, bool replace)
{
    bytes.detach(); // the thread gets bytes of its own
    std::unique_lock<std::mutex> lock(m_mutex);
    const qint64 size = bytes.size();
    m_changed.wait(lock, [&] { return roomFor(size); });
    m_queuedBytes += size;
    m_queue.push_back(Job{path, std::move(bytes), replace});
    lock.unlock();
    m_changed.notify_all();
}

bool BackgroundWriter::roomFor(qint64 bytes) const
{
    if (m_queue.empty())
        return true;
    return m_queue.size() < m_maxQueued && m_queuedBytes + bytes <= m_maxQueuedBytes;
}

bool BackgroundWriter::busyWith(const QString &path) const
{
    if (std::find(m_running.begin(), m_running.end(), path) != m_running.end())
        return true;
    return std::any_of(m_queue.begin(), m_queue.end(), [&](const Job &j) { return j.path == path; });
}

void BackgroundWriter::settle(const QString &path)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return !busyWith(path); });
}

std::vector<BackgroundWriter::Outcome> BackgroundWriter::takeFinished()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<Outcome> out;
    out.swap(m_finished);
    return out;
}

std::vector<BackgroundWriter::Outcome> BackgroundWriter::finish()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queue.empty() && m_running.empty(); });
    std::vector<Outcome> out;
    out.swap(m_finished);
    return out;
}

void BackgroundWriter::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stop || !m_queue.empty(); });
        if (m_queue.empty())
            return; // stopped, and nothing is left to write
        // Every file waiting goes to the disk in one group.
        std::vector<PendingFile> group;
        for (Job &job : m_queue) {
            m_running.push_back(job.path);
            group.push_back(PendingFile{std::move(job.path), std::move(job.bytes), job.replace});
        }
        m_queue.clear();
        m_queuedBytes = 0;
        lock.unlock();
        m_changed.notify_all(); // room in the queue

        std::vector<Outcome> outcomes;
        std::vector<WrittenFile> written;
        if (m_failed) { // only this thread sets it
            for (const PendingFile &f : group)
                written.push_back(WrittenFile{notWrittenAfterFailure(f.path), false});
        } else {
            try {
                written = writeFilesAtomically(group, m_stopAtFailure);
            } catch (const std::exception &e) {
                written.assign(group.size(), WrittenFile{QString::fromLocal8Bit(e.what()), false});
            }
        }
        for (size_t i = 0; i < group.size(); ++i) {
            outcomes.push_back(Outcome{group[i].path, written[i].error, written[i].existed});
            m_failed = m_failed || (m_stopAtFailure && !written[i].error.isEmpty());
        }

        lock.lock();
        m_running.clear();
        for (Outcome &o : outcomes)
            m_finished.push_back(std::move(o));
        m_changed.notify_all();
    }
}

} // namespace vorlix
