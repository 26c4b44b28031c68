#pragma once
// The commands of step 7's grid: load a display into the translation grid,
// override an object's text or point (or skip it, or reset it) and set a
// project-wide point override. Each checks its inputs, asks, logs its heading
// and changes the project as the window and the CLI both need it.
#include "translate/DisplayTranslator.h"
#include "translate/Translation.h"

#include "util/Error.h"

#include <QString>

namespace vorlix {

class Workbench;
struct PointTransfer;

// A display file of the job's or the local job's "ldisplay" folder.
struct DisplayFile {
    QString path;
    QString name; // as found on disk (as given when there is no file)
    bool localJob = false;
    bool exists = false;
};
// The display `name` of the job (or of its local job), found whatever its
// letter case. Throws Error when `name` is not a plain file name.
DisplayFile findDisplayFile(const Workbench &wb, const QString &name, bool localJob);

// The translation the workbench holds, or null.
Translation *loadedTranslation(Workbench &wb);

// "&Load Ibex Display": lists the display and keeps it as the workbench's
// translation. With unsaved grid edits it asks first; false, and nothing
// changes, when the user keeps them. With `FromList` (the display chosen in
// the display tree) the user is then told when the display list has it
// redirected or skipped, or when no pushbutton reaches it; the loading goes
// on. Throws MissingDisplayError naming a missing file (the loaded display
// stays; the window tells it in an information box) or Error naming an
// unreadable one (no display is loaded then).
class MissingDisplayError : public Error {
public:
    using Error::Error;
};
enum class LoadAdvice { None, FromList };
bool loadDisplayCommand(Workbench &wb, const DisplayFile &file, LoadAdvice advice = LoadAdvice::None);
// The same with a translator the caller keeps (a batch of displays).
bool loadDisplayCommand(Workbench &wb, DisplayTranslator &translator, const DisplayFile &file,
                        LoadAdvice advice = LoadAdvice::None);

// What an override does to an object: its text or point replaced, the
// object skipped, or its overrides removed (both, or the text's or the
// point's alone, as Reset in the dialog of that grid column does).
enum class OverrideAction { Text, Point, Skip, Reset, ResetText, ResetPoint };
struct OverrideRequest {
    int object = 0; // as the grid numbers it: object 3 is "Obj.3", 0 the display's title
    OverrideAction action = OverrideAction::Reset;
    QString value; // Text and Point: the new text or point text
};
// Throws Error for a point override that is no valid BACtalk point text
// (an empty one is allowed). Front ends check before opening the project.
void checkOverride(OverrideAction action, const QString &value);
// The override command of the translation grid (the window's override
// dialog and the command line's override): overrides the object of the
// loaded translation, stores it at once, marks the grid edited and logs it.
// Returns the index of the object's row. Throws Error, with the row as it
// was and nothing stored, when the project has no override table, the
// display has no such object, the object's kind cannot be overridden that
// way, or the database refuses the write ("Could not set value in
// database!").
int overrideCommand(Workbench &wb, const OverrideRequest &request);

// Throws Error when `btPoint` is neither "$SKIP" nor a valid point text.
void checkGlobalOverride(const QString &btPoint);
// A project-wide point override of (apex, ibexPoint), logged.
void globalOverrideCommand(Workbench &wb, int apex, const QString &ibexPoint, const QString &btPoint);

// Adds a point transfer of the project point override list as a
// project-wide point override. Throws Error when its BACtalk point is no
// point ("err" when the trunk has no base address).
void transferOverrideCommand(Workbench &wb, const PointTransfer &transfer);

} // namespace vorlix
