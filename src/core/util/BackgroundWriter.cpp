#include "util/BackgroundWriter.h"

#include "util/Error.h"
#include "util/FileUtil.h"

#include <algorithm>

namespace vorlix {

BackgroundWriter::BackgroundWriter(int maxQueued)
    : m_maxQueued(static_cast<size_t>(std::max(1, maxQueued))), m_thread([this] { run(); })
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

void BackgroundWriter::write(const QString &path, QByteArray bytes)
{
    bytes.detach(); // the thread gets bytes of its own
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queue.size() < m_maxQueued; });
    m_queue.push_back(Job{path, std::move(bytes)});
    lock.unlock();
    m_changed.notify_all();
}

bool BackgroundWriter::busyWith(const QString &path) const
{
    if (m_running == path)
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
    m_changed.wait(lock, [this] { return m_queue.empty() && m_running.isEmpty(); });
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
        Job job = std::move(m_queue.front());
        m_queue.pop_front();
        m_running = job.path;
        lock.unlock();
        m_changed.notify_all(); // room in the queue

        Outcome outcome{job.path, {}};
        try {
            writeFileAtomically(job.path, job.bytes);
        } catch (const Error &e) {
            outcome.error = e.message();
        } catch (const std::exception &e) {
            outcome.error = QString::fromLocal8Bit(e.what());
        }

        lock.lock();
        m_running.clear();
        m_finished.push_back(std::move(outcome));
        m_changed.notify_all();
    }
}

} // namespace vorlix
