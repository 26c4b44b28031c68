#pragma once
// "&Create BACtalk Display": the loaded translation written as a BACtalk
// display or template in the BACtalk job's "displays" folder; and the same
// for every display of the job and its local job in one batch.
#include "commands/CommandFrame.h"
#include "displays/ObjectMessages.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace vorlix {

class Workbench;

struct CreationOutcome {
    bool written = false; // the file was written
    bool kept = false;    // an existing file was kept: replacing it was declined
    QString path;         // the display file (also when nothing was written)
    int records = 0;      // object records written
    QByteArray bytes;     // the file's bytes, when written
    std::vector<ObjectProblem> problems; // what the log says about its objects
    // The Ibex file's record walk stopped at a damaged record: what the log
    // says about it. An existing BACtalk file is then kept, never replaced
    // by a display that lost objects.
    QString damage;
};

// The text that tells the user a run had translation errors.
QString translationErrorsMessage();

// Writes the loaded translation: checks the BACtalk job folder (an
// information box when it is not set), names the target from the display
// number and the numbering options, asks before replacing a file, logs the
// run and its problems, and tells the user when there were translation
// errors. `selectedIndex` >= 0 is single-row mode on that row of the
// translation (0 is the header row: no object is written). Nothing happens
// while no display is loaded. Afterwards the grid no longer counts as edited.
// Throws Error when the file cannot be named or written; an existing file is
// then left as it was.
CreationOutcome createBtDisplayCommand(Workbench &wb, int selectedIndex = -1);

struct BatchDisplay {
    QString path; // the Ibex display file
    bool localJob = false;
};
// Every display file (".ibw") of the job's "ldisplay" folder, then of the
// local job's, each in name order.
std::vector<BatchDisplay> jobDisplayFiles(const Workbench &wb);

// What became of one display of a batch.
struct BatchItem {
    bool reached = false; // false: the batch was cancelled before this display
    bool written = false; // the file landed
    bool kept = false;    // the existing file was kept
    int records = 0;      // object records made
    QString problem;      // why nothing was written, when neither written nor kept
    std::vector<ObjectProblem> objectProblems; // what the log says about its objects
};

struct BatchOutcome {
    std::vector<BatchItem> items;  // one for each display handed in, in order
    bool cancelled = false;        // the frame's cancel stopped the batch
    int written = 0;               // display files written
    int kept = 0;                  // existing files kept (replacing them was declined)
    int records = 0;               // object records made for the displays handed to the writer
    int withTranslationErrors = 0; // displays whose log shows translation errors
    QStringList problems;          // one message for each display not written
};
// Loads and writes each display in turn, each file written in the
// background while the next display is made. A display that cannot be
// read, made or written is reported (write failures in the log as well)
// and the batch goes on. Translation errors are told once, at the end. The
// frame's cancel stops the batch before the next display; every file handed
// over by then is written whole.
struct BatchHooks {
    // Display `index` was made and handed to the writer; it is still the
    // loaded display (its file may not have landed yet).
    std::function<void(size_t index, const QByteArray &bytes)> made;
};
BatchOutcome createAllDisplaysCommand(Workbench &wb, const std::vector<BatchDisplay> &displays,
                                      const CommandFrame &frame = {}, const BatchHooks &hooks = {});

} // namespace vorlix
