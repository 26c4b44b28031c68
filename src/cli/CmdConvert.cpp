// convert: the whole job in one run, with its report.
#include "CliCommand.h"
#include "CliPlatform.h"

#include "commands/ConvertCommand.h"

#include <QDir>
#include <cstdio>

namespace vorlix::cli {
namespace {

int runConvert(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    const QCommandLineOption bactalkOpt(u"bactalk"_qs, u"The BACtalk job folder (<root>/<rep>/<job>)."_qs, u"DIR"_qs);
    const QCommandLineOption wsOpt(u"workstation"_qs, u"Add the workstation with this Device-ID."_qs, u"ID"_qs);
    const QCommandLineOption pointsOpt(u"points"_qs, u"Export every Apex's points into this point database."_qs,
                                       u"FILE"_qs);
    const QCommandLineOption mergeOpt(u"merge"_qs, u"Merge the devices into this device database."_qs, u"DEST"_qs);
    const QCommandLineOption scannedOpt(u"scanned-only"_qs, u"Only the displays the scan reached."_qs);
    p.addOptions({bactalkOpt, wsOpt, pointsOpt, mergeOpt, scannedOpt});
    parseArgs(p, u"convert"_qs, args, 1, 1);
    if (!p.isSet(bactalkOpt) || p.value(bactalkOpt).isEmpty())
        throw UsageError{u"convert needs --bactalk DIR"_qs};

    ConvertOptions options;
    options.bactalk = p.value(bactalkOpt);
    if (p.isSet(wsOpt))
        options.workstation = p.value(wsOpt);
    options.points = p.value(pointsOpt);
    options.merge = p.value(mergeOpt);
    options.scannedOnly = p.isSet(scannedOpt);

    // One line per stage; on a terminal the long stages show a percentage.
    const bool terminal = isTerminal(stderr);
    QString current;
    options.stageStarted = [&](const QString &stage) {
        current = stage;
        if (terminal)
            ctx.err << "convert: " << stage << "..." << Qt::flush;
    };
    options.stageEnded = [&](const StageResult &s) {
        ctx.err << (terminal ? "\r\033[K" : "") << "convert: " << s.name << ": " << stageStatusText(s.status)
                << " (" << QString::number(s.seconds, 'f', 2) << " s)";
        if (!s.message.isEmpty())
            ctx.err << ": " << s.message;
        ctx.err << Qt::endl;
    };
    CommandFrame frame;
    if (terminal)
        frame.progress.report = [&](int done, int total, const QString &) {
            if (total > 0)
                ctx.err << "\r\033[Kconvert: " << current << "... " << (100 * qint64(done) / total) << '%'
                        << Qt::flush;
        };

    Workbench &wb = ctx.openJob(p.positionalArguments().at(0));
    const ConversionReport r = convertJobCommand(wb, options, frame);
    int kept = 0;
    for (const DisplayResult &d : r.displays)
        kept += d.status == DisplayResult::Status::Kept ? 1 : 0;
    if (kept > 0)
        ctx.out << "convert: " << kept
                << " existing display file(s) kept: the confirmation was answered No, use --yes.\n";
    if (r.written)
        ctx.out << "Conversion report: " << QDir::toNativeSeparators(QDir(r.bactalk).filePath(QLatin1String(kReportHtml)))
                << '\n';
    const QStringList hand = r.needsAHand();
    ctx.out << "Needs a hand: " << hand.size() << " item(s)" << (hand.isEmpty() ? "" : " (see the report)") << '\n';
    ctx.out.flush();
    if (r.failed()) {
        ctx.err << "The conversion ended with failed stages." << Qt::endl;
        return ExitFailed;
    }
    return ExitOk;
}

RegisterCommand regConvert("convert", "JOB --bactalk DIR [--workstation ID] [--points FILE] [--merge DEST] [--scanned-only]",
                           "convert the whole job in one run and write the conversion report", runConvert,
                           Drawing::WhenAvailable);

} // namespace
} // namespace vorlix::cli
