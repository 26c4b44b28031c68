#include "shell/JobConverter.h"

#include "common/CommandRunner.h"
#include "shell/ConvertDialog.h"
#include "project/Workbench.h"

#include <QDesktopServices>
#include <QDir>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>

namespace vorlix {

namespace {

// Answers the questions whether to replace an existing file with the
// dialog's "Replace existing files"; hands everything else on.
class ReplaceAnswers : public ForwardingPrompter {
public:
    ReplaceAnswers(Prompter &frontEnd, bool replace) : ForwardingPrompter(frontEnd), m_replace(replace) {}
    bool confirm(const QString &) override { return m_replace; }
    bool warn(const QString &) override { return m_replace; }

private:
    bool m_replace;
};

} // namespace

JobConverter::JobConverter(Workbench &wb, CommandRunner &runner, QStatusBar *bar, QWidget *window)
    : QObject(window), m_wb(wb), m_runner(runner), m_window(window)
{
    m_cancel = new QPushButton(u"Cancel"_qs, bar);
    m_cancel->setObjectName(u"pb_CancelConvert"_qs);
    m_cancel->setToolTip(u"Stop the conversion after the current display or file"_qs);
    m_cancel->hide();
    bar->addPermanentWidget(m_cancel);
    m_runner.allowWhileBusy(m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_cancelRequested = true;
        m_wb.scanAborted = true; // the display scan stops at once
        m_cancel->setEnabled(false);
        m_wb.setStatus(StatusPanel::Activity, u" Cancelling..."_qs);
    });
}

std::optional<ConvertRequest> JobConverter::ask()
{
    if (!m_wb.projectOpen) {
        m_wb.prompter.error(u"Open the Ibex job as a project first."_qs);
        return std::nullopt;
    }
    ConvertDialog dialog(m_window);
    dialog.setBactalkFolder(m_wb.bactalkJobPath());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ConvertRequest{dialog.options(), dialog.replaceFiles()};
}

Progress JobConverter::progress()
{
    const Progress shown = m_runner.progress();
    Progress p;
    // The runner's progress lets the Cancel button's clicks through; the
    // busy gate keeps every other input away.
    p.report = shown.report;
    p.cancelled = [this] { return m_cancelRequested; };
    return p;
}

bool JobConverter::run(const ConvertRequest &request)
{
    m_report.reset();
    m_cancelRequested = false;
    m_running = true;
    m_cancel->setEnabled(true);
    m_cancel->show();
    ReplaceAnswers answers(m_wb.prompter.target(), request.replaceFiles);
    const bool ok = m_runner.run({}, [&](const Progress &) {
        PrompterOverride route(m_wb.prompter, answers);
        ConvertOptions options = request.options;
        CommandFrame frame;
        frame.progress = progress();
        options.stageStarted = [&](const QString &stage) {
            m_wb.setStatus(StatusPanel::Activity, u" "_qs + stage);
            if (stageStarted)
                stageStarted(stage);
            frame.progress.step(0, 0);
        };
        m_report = convertJobCommand(m_wb, options, frame);
    });
    m_cancel->hide();
    m_running = false;
    return ok;
}

void JobConverter::offerReport()
{
    if (!m_report)
        return;
    const QString html = QDir(m_report->bactalk).filePath(QLatin1String(kReportHtml));
    QString text;
    if (m_report->cancelled)
        text = u"The conversion was cancelled; what was written stays."_qs;
    else if (m_report->failed())
        text = u"The conversion ended with failed stages."_qs;
    else
        text = u"The conversion ended."_qs;
    const int hand = int(m_report->needsAHand().size());
    if (!m_report->written) {
        m_wb.prompter.inform(text + QStringLiteral("\n%1 item(s) need a hand.\n\nThe conversion report \"%2\" could "
                                                   "not be written; the session log says why.")
                                        .arg(hand)
                                        .arg(QDir::toNativeSeparators(html)));
        m_runner.tell(QStringLiteral("%1 The report could not be written; see Project Log.").arg(text));
        return;
    }
    m_runner.tell(QStringLiteral("%1 Report: %2%3")
                      .arg(text, QDir::toNativeSeparators(html),
                           hand > 0 ? QStringLiteral("; %1 item(s) need a hand.").arg(hand) : QString()));
    text += QStringLiteral("\n%1 item(s) need a hand.\n\nThe conversion report is \"%2\". Do you want to open it?")
                .arg(hand)
                .arg(QDir::toNativeSeparators(html));
    if (m_wb.prompter.confirm(text) && !QDesktopServices::openUrl(QUrl::fromLocalFile(html)))
        m_wb.prompter.error(QStringLiteral("The report \"%1\" could not be opened.").arg(QDir::toNativeSeparators(html)));
}

} // namespace vorlix
