#include "displays/DisplayBatch.h"

#include "util/BackgroundWriter.h"
#include "util/Error.h"
#include "util/FileUtil.h"
#include "project/SessionLog.h"
#include "displays/DisplayCreation.h"
#include "translate/TranslationGrid.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

DisplayBatch::DisplayBatch(DisplayCreation &creation, TranslationGrid &grid, SessionLog &log)
    : m_creation(creation), m_grid(grid), m_log(log)
{
}

BatchOutcome DisplayBatch::run(const std::vector<BatchDisplay> &displays)
{
    BatchOutcome outcome;
    BackgroundWriter writer;
    // The creation writes through the batch's writer only while the batch runs.
    // The creation writes through the batch's writer, and leaves telling of
    // translation errors to the batch, only while the batch runs.
    struct BatchMode {
        DisplayCreator &creator;
        bool tell;
        BatchMode(DisplayCreator &c, BackgroundWriter &w) : creator(c), tell(c.tellTranslationErrors)
        {
            creator.writeBehind = &w;
            creator.tellTranslationErrors = false;
        }
        ~BatchMode()
        {
            creator.writeBehind = nullptr;
            creator.tellTranslationErrors = tell;
        }
    } batchMode(m_creation.creator(), writer);

    const auto collect = [&](const std::vector<BackgroundWriter::Outcome> &finished) {
        for (const BackgroundWriter::Outcome &f : finished) {
            if (f.error.isEmpty()) {
                ++outcome.written;
            } else {
                outcome.problems << f.error;
                m_log.logMsg(f.error);
            }
        }
    };

    for (const BatchDisplay &d : displays) {
        const QString shown = QDir::toNativeSeparators(d.path);
        try {
            m_grid.loadDisplay(d.path, QFileInfo(d.path).fileName(), d.localJob);
            m_log.translationErrors = 0;
            const CreationResult r = m_creation.createBtDisplay();
            if (m_log.translationErrors > 0)
                ++outcome.withTranslationErrors;
            if (!r.written) {
                if (!r.path.isEmpty() && QFileInfo::exists(r.path))
                    ++outcome.kept;
                else
                    outcome.problems << QStringLiteral("No display written for \"%1\".").arg(shown);
            }
        } catch (const Error &e) {
            outcome.problems << e.message();
        }
        collect(writer.takeFinished());
    }
    collect(writer.finish());
    return outcome;
}

std::vector<BatchDisplay> DisplayBatch::jobDisplays(const QString &projectFolder, const QString &localJobFolder)
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
    add(projectFolder, false);
    add(localJobFolder, true);
    return out;
}

} // namespace vorlix
