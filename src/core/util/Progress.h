#pragma once
// Long commands report progress through this; the GUI turns it into a bar in
// the status bar, the CLI into a line on stderr. Both members may be empty.
#include <QString>
#include <functional>

namespace vorlix {

struct Progress {
    // done of total items (total 0 when the work is not counted).
    std::function<void(int done, int total, const QString &what)> report;
    // Polled where the command may be cancelled.
    std::function<bool()> cancelled;

    void step(int done, int total, const QString &what = {}) const
    {
        if (report)
            report(done, total, what);
    }
};

} // namespace vorlix
