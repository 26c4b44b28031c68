#pragma once
// The commands of step 7's grid: load a display into the translation grid,
// override an object's text or point (or skip it, or reset it) and set a
// project-wide point override. Each checks its inputs, asks, logs its heading
// and changes the project as the window and the CLI both need it.
#include "translate/DisplayTranslator.h"
#include "translate/Translation.h"

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
// on. Throws Error naming a missing file (the loaded display stays) or an
// unreadable one (no display is loaded then).
enum class LoadAdvice { None, FromList };
bool loadDisplayCommand(Workbench &wb, const DisplayFile &file, LoadAdvice advice = LoadAdvice::None);
// The same with a translator the caller keeps (a batch of displays).
bool loadDisplayCommand(Workbench &wb, DisplayTranslator &translator, const DisplayFile &file,
                        LoadAdvice advice = LoadAdvice::None);

// Override editing of row `index` of the loaded translation in its BACtalk
// text or point column, with the override dialog's result. The grid counts
// as edited afterwards unless nothing changed.
DisplayTranslator::Edit editOverrideCommand(Workbench &wb, int index, int column, OverrideResult result,
                                            const QString &value = {});

enum class OverrideAction { Text, Point, Skip, Reset };
// Throws Error for a point override that is no valid BACtalk point text
// (an empty one is allowed). Front ends check before opening the project.
void checkOverride(OverrideAction action, const QString &value);
// Overrides object `object` of the loaded translation (0: the display's
// title): its text, its point, skips it or resets both. Logs the change.
// Returns the index of the object's row. Throws Error when the project has
// no override table, the display has no such object or the object's kind
// cannot be overridden that way.
int overrideObjectCommand(Workbench &wb, int object, OverrideAction action, const QString &value = {});

// Throws Error when `btPoint` is neither "$SKIP" nor a valid point text.
void checkGlobalOverride(const QString &btPoint);
// A project-wide point override of (apex, ibexPoint), logged.
void globalOverrideCommand(Workbench &wb, int apex, const QString &ibexPoint, const QString &btPoint);

// Adds a point transfer of the project point override list as a
// project-wide point override. Throws Error when its BACtalk point is no
// point ("err" when the trunk has no base address).
void transferOverrideCommand(Workbench &wb, const PointTransfer &transfer);

} // namespace vorlix
