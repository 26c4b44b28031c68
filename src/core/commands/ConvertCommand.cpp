#include "commands/ConvertCommand.h"

#include "commands/ConversionThumbnails.h"
#include "commands/CreateDisplayCommands.h"
#include "commands/DdcCommands.h"
#include "commands/DeviceCommands.h"
#include "commands/ExportCommands.h"
#include "commands/InventoryCommands.h"
#include "commands/ProjectCommands.h"
#include "commands/ReaderCommands.h"
#include "commands/TranslateCommands.h"
#include "ddc/DdcScript.h"
#include "project/Workbench.h"
#include "translate/DisplayNaming.h"
#include "util/BackgroundWriter.h"
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdint>
#include <map>
#include <optional>

namespace vorlix {

namespace {

const QString kReadDdc = u"read DDC files"_qs;
const QString kReadPoints = u"read point files"_qs;
const QString kReadCpanels = u"read control-panel files"_qs;
const QString kScan = u"scan displays"_qs;
const QString kDisplays = u"create displays"_qs;
const QString kScripts = u"write DDC scripts"_qs;
const QString kTdcList = u"list Tux DDC files"_qs;
const QString kTdcCopy = u"copy Tux DDC files"_qs;
const QString kGateways = u"build gateways"_qs;
const QString kTux = u"build Tux devices"_qs;
const QString kWorkstation = u"build workstation"_qs;
const QString kUpdateTdc = u"update tdc names"_qs;
const QString kExport = u"export points"_qs;
const QString kMerge = u"merge devices"_qs;
const QString kReport = u"write report"_qs;

// Answers the questions the stages would ask the user one by one from the
// options; the question whether to replace a file goes to the front end.
class ConvertPrompter : public Prompter {
public:
    ConvertPrompter(Prompter &frontEnd, const ConvertOptions &options, QStringList &notes)
        : m_frontEnd(frontEnd), m_options(options), m_notes(notes)
    {
    }
    bool confirm(const QString &text) override
    {
        // The readers rebuild the tables they fill: that is the conversion.
        if (text == confirmClearTableText())
            return true;
        return m_frontEnd.confirm(text);
    }
    bool warn(const QString &text) override { return m_frontEnd.warn(text); }
    void inform(const QString &text) override
    {
        if (!m_notes.contains(text))
            m_notes << text;
    }
    void error(const QString &text) override { m_notes << text; }
    std::optional<QString> askText(const QString &, const QString &, const QString &) override
    {
        return m_options.workstation;
    }
    std::optional<QString> chooseOpenFile(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<QString> chooseSaveFile(const QString &, const QString &, const QString &) override
    {
        if (m_options.points.isEmpty())
            return std::nullopt;
        return m_options.points;
    }

private:
    Prompter &m_frontEnd;
    const ConvertOptions &m_options;
    QStringList &m_notes;
};

class Conversion {
public:
    Conversion(Workbench &wb, const ConvertOptions &options, const CommandFrame &frame)
        : m_wb(wb), m_options(options), m_frame(frame)
    {
    }

    bool cancelled() const { return m_frame.progress.cancelled && m_frame.progress.cancelled(); }

    // Runs `work` as stage `name` unless the run was cancelled or a stage in
    // `needs` did not end ok. Returns whether it ended ok.
    template <typename Work>
    bool stage(const QString &name, const QStringList &needs, Work &&work)
    {
        StageResult r;
        r.name = name;
        if (m_options.stageStarted)
            m_options.stageStarted(name);
        QElapsedTimer clock;
        clock.start();
        if (cancelled()) {
            report.cancelled = true;
            r.status = StageResult::Status::Skipped;
            r.message = u"cancelled"_qs;
        } else {
            for (const QString &need : needs) {
                if (m_status.count(need) && m_status[need] != StageResult::Status::Ok) {
                    r.status = StageResult::Status::Skipped;
                    r.message = QStringLiteral("needs \"%1\", which did not complete").arg(need);
                    break;
                }
            }
        }
        if (r.message.isEmpty()) {
            try {
                r.message = work();
            } catch (const Error &e) {
                r.status = StageResult::Status::Failed;
                r.message = e.message();
            }
        }
        r.seconds = double(clock.nsecsElapsed()) / 1e9;
        m_status[name] = r.status;
        report.stages.push_back(r);
        if (m_options.stageEnded)
            m_options.stageEnded(r);
        return r.status == StageResult::Status::Ok;
    }

    QString read(ReadOutcome (*reader)(Workbench &, const CommandFrame &))
    {
        const ReadOutcome r = reader(m_wb, m_frame);
        addMissing(r.missingFiles);
        QString msg = QStringLiteral("%1 file(s) read").arg(r.filesRead);
        if (!r.missingFiles.isEmpty())
            msg += QStringLiteral(", %1 missing").arg(r.missingFiles.size());
        if (r.refusedRows > 0)
            msg += QStringLiteral(", %1 row(s) refused (see the log)").arg(r.refusedRows);
        return msg;
    }

    void addMissing(const QStringList &files)
    {
        for (const QString &f : files)
            if (!report.missingFiles.contains(f))
                report.missingFiles << f;
    }

    QString displays();
    QString scripts();
    // The stages after the displays: the Tux files, the devices, the
    // export and the merge.
    void ddcAndDeviceStages();
    void exportAndMergeStages();
    // The report, written however the run went (also when cancelled).
    void writeReport();

    ConversionReport report;

private:
    // The result of master-list entry `index`; a display to make goes to `batch`.
    DisplayResult listedDisplay(int index, std::vector<BatchDisplay> &batch);
    // What became of a display of the batch.
    static void account(DisplayResult &d, const BatchItem &item);

    Workbench &m_wb;
    const ConvertOptions &m_options;
    const CommandFrame &m_frame;
    std::map<QString, StageResult::Status> m_status;
};

DisplayResult Conversion::listedDisplay(int index, std::vector<BatchDisplay> &batch)
{
    const MasterList &list = m_wb.masterList;
    DisplayResult d;
    d.local = list.isLocalJob(index);
    d.scanned = list.isScanned(index);
    const DisplayFile file = findDisplayFile(m_wb, list.entryName(index), d.local);
    d.ibex = file.name;
    d.bactalk = btFileName(file.name, d.local, m_wb.vars);
    if (list.isRedirected(index)) {
        const std::optional<QString> target = m_wb.map.findRedirect(file.name, d.local);
        if (target && !target->isEmpty()) {
            d.status = DisplayResult::Status::Redirected;
            d.bactalk = *target;
        } else {
            d.reason = u"skipped in the display list"_qs;
        }
    } else if (!file.exists) {
        d.reason = u"file missing"_qs;
        addMissing({QDir::toNativeSeparators(file.path)});
    } else if (m_options.scannedOnly && !d.scanned) {
        d.reason = u"not reached by the scan"_qs;
    } else {
        batch.push_back({file.path, d.local});
    }
    return d;
}

void Conversion::account(DisplayResult &d, const BatchItem &item)
{
    d.problems = item.objectProblems;
    d.objects = item.records;
    if (!item.reached) {
        d.reason = u"the conversion was cancelled"_qs;
    } else if (!item.problem.isEmpty()) {
        d.status = DisplayResult::Status::Failed;
        d.reason = item.problem;
    } else if (item.kept) {
        d.status = DisplayResult::Status::Kept;
        d.reason = u"the existing file was kept"_qs;
    } else {
        d.status = DisplayResult::Status::Written;
    }
    if (d.status != DisplayResult::Status::Written) { // pictures of a display that did not land are not shown
        d.thumbnailIbex.clear();
        d.thumbnailBactalk.clear();
    }
}

QString Conversion::displays()
{
    const MasterList &list = m_wb.masterList;
    // Each entry of the list is accounted for; the ones to make go to the
    // batch together, so their files reach the disk in groups.
    std::vector<BatchDisplay> batch;
    std::vector<size_t> made; // report index of each batch entry
    for (int i = 0; i < list.size(); ++i) {
        const size_t before = batch.size();
        report.displays.push_back(listedDisplay(i, batch));
        if (batch.size() > before)
            made.push_back(report.displays.size() - 1);
    }

    // The pictures are drawn while each display is loaded, from the bytes
    // made for it, and written in the background like the displays. Their
    // writer and drawing thread only when there are pictures to draw.
    const bool thumbnails = canDrawThumbnails();
    std::optional<BackgroundWriter> pictureFiles;
    std::optional<ThumbnailMaker> pictures;
    BatchHooks hooks;
    if (thumbnails) {
        pictureFiles.emplace();
        pictures.emplace(report.bactalk, *pictureFiles);
        hooks.made = [&](size_t k, const QByteArray &bytes) { pictures->add(m_wb, report.displays[made[k]], bytes); };
    }
    const BatchOutcome r = createAllDisplaysCommand(m_wb, batch, m_frame, hooks);
    if (pictures)
        pictures->finish();
    if (r.cancelled)
        report.cancelled = true;
    int written = 0, failed = 0;
    for (size_t k = 0; k < batch.size(); ++k) {
        DisplayResult &d = report.displays[made[k]];
        account(d, r.items[k]);
        written += d.status == DisplayResult::Status::Written ? 1 : 0;
        failed += d.status == DisplayResult::Status::Failed ? 1 : 0;
    }
    m_frame.progress.step(list.size(), list.size());
    if (written > 0 && !thumbnails)
        report.notes << u"The display thumbnails were not drawn: no GUI application could be made for their fonts."_qs;
    const QString msg = QStringLiteral("%1 of %2 listed display(s) written").arg(written).arg(list.size());
    if (failed > 0)
        throw Error(msg + QStringLiteral(", %1 failed").arg(failed));
    return msg;
}

QString Conversion::scripts()
{
    const QString job = m_wb.bactalkJobPath();
    const QString ddc = findCaseInsensitive(job, u"ddc"_qs);
    if (!QFileInfo(ddc).isDir() && !QDir(job).mkdir(QFileInfo(ddc).fileName()))
        throw Error(QStringLiteral("Cannot create the folder \"%1\".").arg(QDir::toNativeSeparators(ddc)));
    // The names the scripts get, whatever their device.
    const QString pattern = frameworkScriptName(0).replace(u"0"_qs, u"*"_qs);
    const QStringList existing = QDir(ddc).entryList({pattern}, QDir::Files);
    if (!existing.isEmpty()
        && !m_wb.prompter.confirm(QStringLiteral("%1 DDC script file(s) exist in \"%2\". Do you want to replace them?")
                                      .arg(existing.size()).arg(QDir::toNativeSeparators(ddc)))) {
        return QStringLiteral("the %1 existing script file(s) were kept").arg(existing.size());
    }
    const QStringList written = autoGenerateScriptsCommand(m_wb, m_frame);
    for (const QString &path : written)
        report.scripts << QFileInfo(path).fileName();
    return QStringLiteral("%1 script file(s) written").arg(written.size());
}

void Conversion::ddcAndDeviceStages()
{
    Workbench &wb = m_wb;
    const CommandFrame &frame = m_frame;
    ConversionReport &r = report;
    stage(kTdcList, {}, [&] {
        return QStringLiteral("%1 Tux DDC file(s) listed").arg(createDdcFileListCommand(wb, frame));
    });
    stage(kTdcCopy, {kTdcList}, [&] {
        const QString ddc = findCaseInsensitive(wb.bactalkJobPath(), u"ddc"_qs);
        if (!QFileInfo(ddc).isDir())
            QDir().mkpath(ddc);
        const TdcCopyOutcome t = copyTdcFilesCommand(wb, frame);
        r.tdcCopied = t.copiedFiles;
        r.tdcExists = t.existingFiles;
        r.tdcMissing = t.missingFiles;
        r.tdcFailed = t.failedFiles;
        r.cancelled = r.cancelled || t.cancelled;
        if (t.failed > 0)
            throw Error(tdcCopyFailedText(t.failed));
        return QStringLiteral("%1 copied, %2 already there, %3 missing").arg(t.copied).arg(t.existing).arg(t.missing);
    });
    stage(kGateways, {kReadDdc}, [&] {
        r.gateways = addGatewaysCommand(wb, frame);
        return QStringLiteral("%1 gateway(s)").arg(r.gateways);
    });
    stage(kTux, {kReadDdc, kReadCpanels}, [&] {
        const TuxBuild built = addTuxCommand(wb, frame);
        r.tux = built.devices;
        return QStringLiteral("%1 Tux device(s) from %2 control panel(s)").arg(built.devices).arg(built.panels);
    });
    if (m_options.workstation) {
        stage(kWorkstation, {}, [&] {
            if (!addWorkstationCommand(wb, frame))
                throw Error(u"No workstation was added."_qs);
            r.workstations = 1;
            return u"workstation "_qs + *m_options.workstation;
        });
    }
    stage(kUpdateTdc, {kTdcList, kTux}, [&] {
        const TdcNamesResult t = updateTdcCommand(wb, frame);
        for (const int32_t devinst : t.notFound)
            r.devicesWithoutTdcNames << QString::number(devinst);
        return QStringLiteral("%1 device row(s) named, %2 device(s) not found").arg(t.updated).arg(t.notFound.size());
    });
}

void Conversion::exportAndMergeStages()
{
    Workbench &wb = m_wb;
    const CommandFrame &frame = m_frame;
    ConversionReport &r = report;
    if (!m_options.points.isEmpty()) {
        stage(kExport, {kReadPoints}, [&] {
            int exported = 0, updated = 0, unmatched = 0, refused = 0;
            for (const ExportDevice &device : wb.deviceLists.exports) {
                if (cancelled())
                    break;
                const ExportOutcome e = exportPointsCommand(wb, device, frame);
                if (e.done) {
                    ++exported;
                    updated += e.counts.updated;
                    unmatched += e.counts.unmatched;
                    refused += e.counts.refused;
                }
            }
            QString done = QStringLiteral("the points of %1 Apex(es) exported into %2: %3 row(s) updated, %4 point(s) "
                                          "without a row")
                               .arg(exported).arg(QDir::toNativeSeparators(m_options.points)).arg(updated).arg(unmatched);
            if (refused > 0)
                done += QStringLiteral(", %1 row(s) not written (see the log)").arg(refused);
            return done;
        });
    }
    if (!m_options.merge.isEmpty()) {
        QStringList needs{kGateways, kTux, kUpdateTdc};
        if (m_options.workstation)
            needs << kWorkstation;
        r.mergeDestination = QFileInfo(m_options.merge).absoluteFilePath();
        stage(kMerge, needs, [&] {
            const MergeResult m = mergeCommand(wb, m_options.merge, std::nullopt, frame);
            r.merged = m.devices;
            r.notWritten = m.refused;
            return QStringLiteral("%1 device(s) merged, %2 row(s) not written").arg(m.devices).arg(m.refused);
        });
    }
}

void Conversion::writeReport()
{
    if (m_options.stageStarted)
        m_options.stageStarted(kReport);
    QElapsedTimer clock;
    clock.start();
    report.stages.push_back({kReport, StageResult::Status::Ok, 0,
                             QStringLiteral("%1 and %2").arg(QLatin1String(kReportHtml), QLatin1String(kReportJson))});
    try {
        writeConversionReport(report, report.bactalk);
        report.written = true;
    } catch (const Error &e) {
        report.stages.back().status = StageResult::Status::Failed;
        report.stages.back().message = e.message();
    }
    report.stages.back().seconds = double(clock.nsecsElapsed()) / 1e9;
    if (m_options.stageEnded)
        m_options.stageEnded(report.stages.back());
    if (!report.written)
        m_wb.log.logMsg(u"The conversion ended; its report could not be written: "_qs + report.stages.back().message);
    else
        m_wb.log.logMsg(report.failed() ? u"The conversion ended with failed stages; see the conversion report."_qs
                                        : u"The conversion ended; see the conversion report."_qs);
}

} // namespace

ConversionReport convertJobCommand(Workbench &wb, const ConvertOptions &options, const CommandFrame &frame)
{
    wb.requireDatabase();
    const QString bactalk = QFileInfo(QDir::fromNativeSeparators(options.bactalk)).absoluteFilePath();
    if (!QDir().mkpath(bactalk) || !QFileInfo(bactalk).isDir())
        throw Error(QStringLiteral("Cannot create the BACtalk job folder \"%1\".").arg(QDir::toNativeSeparators(bactalk)));
    setVariableCommand(wb, u"BactalkJobPath"_qs, bactalk);
    wb.log.logMsgStart(u"Converting the whole job into "_qs + QDir::toNativeSeparators(bactalk));

    Conversion c(wb, options, frame);
    c.report.job = wb.projectFolder;
    c.report.bactalk = bactalk;
    ConvertPrompter answers(wb.prompter.target(), options, c.report.notes);
    PrompterOverride route(wb.prompter, answers);

    c.stage(kReadDdc, {}, [&] {
        return c.read([](Workbench &w, const CommandFrame &f) { return readDdcCommand(w, false, f); });
    });
    c.stage(kReadPoints, {}, [&] { return c.read(readPointsCommand); });
    c.stage(kReadCpanels, {}, [&] { return c.read(readCpanelsCommand); });
    c.stage(kScan, {}, [&] {
        const BuildOutcome b = buildDisplayListCommand(wb, true, frame);
        if (b.scan.cancelled)
            c.report.cancelled = true;
        return QStringLiteral("%1 display(s) listed, %2 referenced file(s) missing")
            .arg(wb.masterList.size()).arg(b.scan.missingFiles);
    });
    c.stage(kDisplays, {kScan, kReadDdc, kReadPoints, kReadCpanels}, [&] { return c.displays(); });
    c.stage(kScripts, {kReadDdc}, [&] { return c.scripts(); });
    c.ddcAndDeviceStages();
    c.exportAndMergeStages();
    c.writeReport();
    return c.report;
}

} // namespace vorlix
