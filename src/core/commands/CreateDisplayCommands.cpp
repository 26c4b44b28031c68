#include "commands/CreateDisplayCommands.h"

#include "commands/TranslateCommands.h"
#include "displays/DisplayBuilder.h"
#include "project/Workbench.h"
#include "translate/DisplayNaming.h"
#include "util/BackgroundWriter.h"
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

namespace {

const QString kNoJobPath = u"BACtalk job path is not set or does not exist!"_qs;

// One creation run over a translation, as the command and the batch make
// it. With a background writer the file is handed over instead of written
// (the writer tells later whether it landed), and translation errors are
// left to the batch to tell.
class CreationRun {
public:
    explicit CreationRun(Workbench &wb)
        : m_wb(wb), m_naming(wb.vars, wb.map),
          m_builder(wb.vars, wb.settings, wb.log, wb.prompter, m_naming, wb.projectFolder, wb.localJobFolder)
    {
    }

    // With a writer, the file is handed to it under `index` instead of
    // written at once.
    TrackedWriter<size_t> *writeBehind = nullptr;
    bool tellTranslationErrors = true;

    CreationOutcome run(Translation &t, int selectedIndex, size_t index = 0);

private:
    Workbench &m_wb;
    DisplayNaming m_naming;
    DisplayBuilder m_builder;
};

CreationOutcome CreationRun::run(Translation &t, int selectedIndex, size_t index)
{
    // The object of single-row mode, chosen before the sort moves rows.
    int singleObject = -1;
    if (selectedIndex > 0 && selectedIndex < int(t.rows().size()))
        singleObject = t.rows()[size_t(selectedIndex)].object;
    else if (selectedIndex >= 0)
        singleObject = 0; // the header row or no row: no object
    // Creation only reads the database: one read transaction for the whole
    // run (one lock instead of one per lookup), rolled back at the end.
    ProjectDatabase::Transaction reading(m_wb.pdb, ProjectDatabase::Transaction::Kind::Read);

    CreationOutcome out;
    const QString jobPath = m_wb.vars.bactalkJobPath;
    // Never relative to the working folder.
    if (jobPath.isEmpty() || !QDir::isAbsolutePath(QDir::fromNativeSeparators(jobPath)) || !QFileInfo(jobPath).isDir()) {
        m_wb.prompter.inform(kNoJobPath);
        return out;
    }
    const QString target = btFileName(t.displayName(), t.localJob(), m_wb.vars);
    if (target == u"<err>" || !isPlainFileName(target))
        throw Error(QStringLiteral("\"%1\" has no display number, so it has no BACtalk file name.").arg(t.displayName()));
    const QString displays = findCaseInsensitive(jobPath, u"displays"_qs);
    out.path = QDir(displays).filePath(target);
    if (!QFileInfo(displays).isDir() && !QDir(jobPath).mkdir(QFileInfo(displays).fileName()))
        throw Error(QStringLiteral("Cannot create the folder \"%1\".").arg(QDir::toNativeSeparators(displays)));

    SessionLog &log = m_wb.log;
    log.logMsgStart(u"Create display file: "_qs + QDir::toNativeSeparators(out.path));
    // From here on, whatever happens, the user hears of translation errors.
    struct ErrorsNotice {
        SessionLog &log;
        Prompter &prompter;
        bool tell;
        ~ErrorsNotice()
        {
            if (tell && log.translationErrors > 0)
                prompter.inform(translationErrorsMessage());
        }
    } notice{log, m_wb.prompter, tellTranslationErrors};

    if (writeBehind)
        writeBehind->settle(out.path); // the file of an earlier run first
    const int stop = t.file().walkStopOffset();
    if (stop >= 0) {
        out.damage = QStringLiteral("\"%1\" has a damaged or missing object record at offset %2: "
                                    "the objects from there on are left out.")
                         .arg(QDir::toNativeSeparators(t.path()))
                         .arg(stop);
        log.logMsg(out.damage);
        if (QFileInfo::exists(out.path)) {
            log.logMsg(u"The existing file was kept: "_qs + QDir::toNativeSeparators(out.path));
            out.kept = true;
            return out;
        }
    }
    if (QFileInfo::exists(out.path)) {
        if (!m_wb.prompter.confirm(u"File exists! Do you want to overwrite it?\nFile: "_qs
                                   + QDir::toNativeSeparators(out.path))) {
            out.kept = true;
            return out;
        }
        log.logMsg(u"Overwrite of file allowed by user"_qs);
    }
    // Sorted only now: a run that ends before this leaves the user's order.
    t.sort(soIndex);
    BuiltDisplay built = m_builder.build(t, singleObject);
    if (writeBehind)
        writeBehind->write(out.path, built.bytes, index);
    else
        writeFileAtomically(out.path, built.bytes);
    out.bytes = std::move(built.bytes);
    out.records = built.records;
    out.problems = std::move(built.problems);
    out.written = true;
    return out;
}

} // namespace

QString translationErrorsMessage()
{
    return u"Translation errors may need correcting. See Project-Log tab for details."_qs;
}

CreationOutcome createBtDisplayCommand(Workbench &wb, int selectedIndex)
{
    Translation *t = loadedTranslation(wb);
    if (!t)
        return {};
    CreationRun run(wb);
    const CreationOutcome out = run.run(*t, selectedIndex);
    if (out.written)
        wb.gridEdited = false;
    return out;
}

std::vector<BatchDisplay> jobDisplayFiles(const Workbench &wb)
{
    std::vector<BatchDisplay> out;
    const auto add = [&](const QString &folder, bool localJob) {
        if (folder.isEmpty())
            return;
        const QDir dir(findCaseInsensitive(folder, u"ldisplay"_qs));
        QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
        names.sort(Qt::CaseInsensitive);
        for (const QString &name : names)
            if (name.endsWith(u".ibw"_qs, Qt::CaseInsensitive))
                out.push_back({dir.filePath(name), localJob});
    };
    add(wb.projectFolder, false);
    add(wb.localJobFolder, true);
    return out;
}

BatchOutcome createAllDisplaysCommand(Workbench &wb, const std::vector<BatchDisplay> &displays,
                                      const CommandFrame &frame, const BatchHooks &hooks)
{
    wb.requireDatabase();
    wb.requireBactalkJobFolder();
    BatchOutcome outcome;
    outcome.items.resize(displays.size());
    BusyScope busy(frame);
    // Each display's file carries the display's index to the writer.
    TrackedWriter<size_t> writer;
    DisplayTranslator translator(wb.vars, wb.map);
    CreationRun run(wb);
    run.writeBehind = &writer;
    run.tellTranslationErrors = false;
    const auto landed = [&](size_t index, const BackgroundWriter::Outcome &f) {
        BatchItem &item = outcome.items[index];
        if (f.error.isEmpty()) {
            item.written = true;
            ++outcome.written;
        } else {
            item.problem = f.error;
            outcome.problems << f.error;
            wb.log.logMsg(f.error);
        }
    };

    for (size_t i = 0; i < displays.size(); ++i) {
        if (frame.progress.cancelled && frame.progress.cancelled()) {
            outcome.cancelled = true;
            break;
        }
        const BatchDisplay &d = displays[i];
        BatchItem &item = outcome.items[i];
        item.reached = true;
        frame.progress.step(int(i), int(displays.size()), QFileInfo(d.path).fileName());
        try {
            const QFileInfo info(d.path);
            loadDisplayCommand(wb, translator, DisplayFile{d.path, info.fileName(), d.localJob, info.exists()});
            wb.log.translationErrors = 0;
            const CreationOutcome r = run.run(*loadedTranslation(wb), -1, i);
            if (wb.log.translationErrors > 0)
                ++outcome.withTranslationErrors;
            outcome.records += r.records;
            item.records = r.records;
            item.objectProblems = r.problems;
            if (r.written && hooks.made)
                hooks.made(i, r.bytes);
            if (!r.damage.isEmpty()) // written without the objects past the damage, or kept
                item.problem = r.damage;
            else if (r.kept)
                item.kept = true;
            else if (!r.written)
                item.problem = QStringLiteral("No display written for \"%1\".").arg(QDir::toNativeSeparators(d.path));
        } catch (const Error &e) {
            item.problem = e.message();
        }
        if (item.kept)
            ++outcome.kept;
        else if (!item.problem.isEmpty())
            outcome.problems << item.problem;
        writer.collect(landed);
    }
    writer.finish(landed);
    wb.gridEdited = false;
    return outcome;
}

} // namespace vorlix
