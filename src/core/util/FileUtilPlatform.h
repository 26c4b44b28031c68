#pragma once
// What each platform's part of util/FileUtil (FileUtilPosix.cpp,
// FileUtilWindows.cpp) gives the common part; not for other callers.
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace vorlix::platform {

// Reads at most `maxBytes` bytes of the regular file `path` (links followed
// only with `followLinks`). False, with `error` naming the file and why,
// when it cannot be opened or read.
bool readFileUpTo(const QString &path, qint64 maxBytes, bool followLinks, QByteArray &bytes, QString *error);

// The bookkeeping of writeFilesAtomically, the same on every platform: each
// file's answer and its staged (written, not yet placed) file of the
// platform's kind `Staged` (with discard()). With `stopAtFailure`, the first
// failure stops the group: the staged files after it are discarded and
// named as not written.
template <class Staged>
class GroupWrite {
public:
    GroupWrite(const std::vector<PendingFile> &files, bool stopAtFailure)
        : out(files.size()), staged(files.size()), m_files(files), m_stopAtFailure(stopAtFailure),
          m_stop(files.size())
    {
    }

    // Runs `step(i)` on every file still to be written, before the stop; an
    // Error thrown is that file's answer.
    template <class Step>
    void each(const Step &step)
    {
        for (size_t i = 0; i < m_stop; ++i) {
            if (!out[i].error.isEmpty())
                continue;
            try {
                step(i);
            } catch (const Error &e) {
                out[i].error = e.message();
                stopAt(i);
            }
        }
    }

    std::vector<WrittenFile> out;
    std::vector<Staged> staged;

private:
    void stopAt(size_t i)
    {
        if (!m_stopAtFailure || i >= m_stop)
            return;
        m_stop = i;
        for (size_t j = i + 1; j < m_files.size(); ++j) {
            staged[j].discard();
            if (out[j].error.isEmpty())
                out[j].error = notWrittenAfterFailure(m_files[j].path);
        }
    }

    const std::vector<PendingFile> &m_files;
    bool m_stopAtFailure;
    size_t m_stop; // the files from here on are not written
};

} // namespace vorlix::platform
