#pragma once
// Many displays in one go: each is listed in the translation grid and
// created as "Create BACtalk Display" creates it, while the file of the one
// before is written in the background. A display that cannot be read,
// created or written is reported and the batch goes on with the next.
#include <QString>
#include <QStringList>
#include <vector>

namespace vorlix {

class DisplayCreation;
class SessionLog;
class TranslationGrid;

struct BatchDisplay {
    QString path;        // the Ibex display file
    bool localJob = false;
};

struct BatchOutcome {
    int written = 0;      // display files written
    int kept = 0;         // existing files kept (overwrite declined)
    int withTranslationErrors = 0; // displays whose log shows translation errors
    QStringList problems; // one message for each display not written
};

class DisplayBatch {
public:
    DisplayBatch(DisplayCreation &creation, TranslationGrid &grid, SessionLog &log);

    // Lists and creates each display in turn. Write failures are logged as
    // well ("Cannot write ..."). Translation errors are not told display by
    // display: the outcome counts the displays that have them.
    BatchOutcome run(const std::vector<BatchDisplay> &displays);

    // Every display file (".ibw") of the job's "ldisplay" folder, then of
    // the local job's, each in name order.
    static std::vector<BatchDisplay> jobDisplays(const QString &projectFolder, const QString &localJobFolder);

private:
    DisplayCreation &m_creation;
    TranslationGrid &m_grid;
    SessionLog &m_log;
};

} // namespace vorlix
