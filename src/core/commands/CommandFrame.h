#pragma once
// What a front end does around the work of a long command: after the
// heading is logged, `beginBusy` (repaint, busy cursor, suspend the grid's
// updates of the table); `endBusy` after the work, also when it fails.
// `progress` is told as the work goes on (the window lets pending events
// run, the CLI rewrites a line on a terminal).
#include "util/Progress.h"

#include <functional>

namespace vorlix {

struct CommandFrame {
    std::function<void()> beginBusy;
    std::function<void()> endBusy;
    Progress progress;
};

// beginBusy for its lifetime; endBusy runs however the work ends.
class BusyScope {
public:
    explicit BusyScope(const CommandFrame &frame) : m_frame(frame)
    {
        if (m_frame.beginBusy)
            m_frame.beginBusy();
    }
    ~BusyScope()
    {
        if (m_frame.endBusy)
            m_frame.endBusy();
    }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    const CommandFrame &m_frame;
};

} // namespace vorlix
