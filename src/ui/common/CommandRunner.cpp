#include "common/CommandRunner.h"

#include "common/BusyGate.h"
#include "util/Error.h"
#include "project/Workbench.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <QProgressBar>
#include <QWidget>

namespace vorlix {

CommandRunner::CommandRunner(Workbench &wb, QProgressBar *bar, QObject *parent)
    : QObject(parent), m_wb(wb), m_bar(bar), m_gate(new BusyGate(this))
{
}

void CommandRunner::setWindow(QWidget *window) { m_gate->setWindow(window); }

void CommandRunner::allowWhileBusy(QWidget *widget) { m_gate->allow(widget); }

void CommandRunner::pumpEvents() { m_gate->pumpEvents(); }

void CommandRunner::tell(const QString &line) { emit told(line); }

void CommandRunner::beginBusy()
{
    m_wb.scanAborted = false;
    if (m_busy)
        return;
    m_busy = true;
    tell({}); // the line of the command before no longer holds
    m_gate->close();
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void CommandRunner::endBusy()
{
    if (!m_busy)
        return;
    m_busy = false;
    QApplication::restoreOverrideCursor();
    m_gate->open();
    m_wb.setStatus(StatusPanel::Activity, QString());
    if (m_bar) {
        m_bar->reset();
        m_bar->hide();
    }
}

Progress CommandRunner::progress()
{
    Progress p;
    p.report = [this](int done, int total, const QString &what) {
        if (m_bar) {
            m_bar->setVisible(true);
            m_bar->setRange(0, qMax(total, 0)); // 0..0: a busy bar for uncounted work
            if (total > 0) {
                m_bar->setValue(qMin(done, total));
                m_bar->setFormat(QStringLiteral("%1 of %2").arg(done).arg(total));
            }
        }
        // The activity panel names the item being worked on.
        if (!what.isEmpty())
            m_wb.setStatus(StatusPanel::Activity, u" "_qs + what);
        pumpEvents();
    };
    // The poll lets a click on a Cancel button through.
    p.cancelled = [this] {
        pumpEvents();
        return m_wb.scanAborted;
    };
    return p;
}

CommandFrame CommandRunner::frame(QWidget *suspended, Shown shown)
{
    CommandFrame f;
    const QPointer<QWidget> grid(suspended);
    const bool withProgress = shown == Shown::Progress;
    f.beginBusy = [this, grid, withProgress] {
        beginBusy();
        if (withProgress)
            pumpEvents(); // the heading shows first
        if (grid)
            grid->setUpdatesEnabled(false);
    };
    f.endBusy = [this, grid] {
        if (grid)
            grid->setUpdatesEnabled(true);
        endBusy();
    };
    if (withProgress)
        f.progress = progress();
    return f;
}

bool CommandRunner::run(const QString &heading, const std::function<void(const Progress &)> &work)
{
    if (busy())
        return false;
    beginBusy();
    if (!heading.isEmpty()) {
        m_wb.log.logMsgStart(heading);
        pumpEvents();
    }
    bool ok = true;
    QString failure;
    try {
        work(progress());
    } catch (const Error &e) {
        ok = false;
        failure = e.message();
    } catch (const std::exception &e) {
        ok = false;
        failure = QString::fromLocal8Bit(e.what());
    }
    m_wb.setStatus(StatusPanel::Activity, QString());
    endBusy();
    if (!ok)
        m_wb.prompter.error(failure);
    return ok;
}

bool CommandRunner::guarded(const std::function<void()> &work)
{
    if (busy())
        return false;
    try {
        work();
        return true;
    } catch (const Error &e) {
        m_wb.prompter.error(e.message());
    } catch (const std::exception &e) {
        m_wb.prompter.error(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace vorlix
