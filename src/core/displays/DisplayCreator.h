#pragma once
// Display creation: turns the loaded Ibex display, as the translation grid
// lists it with the user's overrides, into a BACtalk display or template
// file in the BACtalk job. One record per grid row that is not skipped,
// taken from the Ibex object record and the row's texts and point.
#include "bactalk/BtBitmaps.h"
#include "bactalk/BtDisplayWriter.h"
#include "ibex/IbexDisplay.h"
#include "ibex/IbexObject.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace vorlix {

class BackgroundWriter;
class DisplayNaming;
class Prompter;
class SessionLog;
struct ProjectVariables;
struct Settings;

// The override state of a grid row, as creation reads it.
enum class RowOverride { None, Skip, Point, Text, TextAndPoint };

// One grid row below the header row.
struct CreationRow {
    int objectNumber = 0; // "Obj.n": the grid row is n + 1
    int position = 0;     // 1-based position of the Ibex record in the display's bytes
    QString btText;      // column 5
    QString btPoint;     // column 6
    RowOverride ovr = RowOverride::None;

    bool hasPointOverride() const { return ovr == RowOverride::Point || ovr == RowOverride::TextAndPoint; }
};

// The automatic BACtalk point text of an object and the problem its
// translation raised (empty when none).
struct PointTranslation {
    QString text;
    QString error;
};
using PointTextSource = std::function<PointTranslation(const IbexObjRec &rec, IbexFileType loadedType)>;

struct CreationInput {
    QString loadedName;  // the Ibex file name ("disp0012.ibw")
    bool localJob = false;
    // The loaded display's bytes (with the walk's end marker). Creation
    // changes the records in place where the conversion says so (colour
    // defaults, microset buttons); the changes give the same result again.
    QByteArray *ibexBytes = nullptr;
    int ibexDataLength = 0;
    // The header row: its override and EFB Text (the display title).
    RowOverride headerOvr = RowOverride::None;
    QString headerText;
    std::vector<CreationRow> rows;
    // Single-row mode: only the object with this number is written.
    int singleObject = -1;
};

struct CreationResult {
    // The file was written (with a background writer: handed to it, which
    // tells later whether it landed).
    bool written = false;
    QString path;       // the display file (also when nothing was written)
    int translated = 0; // rows handled
    int records = 0;    // object records written
};

class DisplayCreator {
public:
    DisplayCreator(const ProjectVariables &vars, const Settings &settings, SessionLog &log, Prompter &prompter,
                   DisplayNaming &naming, PointTextSource translatePoint);

    // The folders of the project (the Ibex job and its local job).
    QString projectFolder;
    QString localJobFolder;

    // One creation run (CreateFromGrid). Throws Error when the file cannot
    // be written; an existing display is then left as it was.
    CreationResult createFromGrid(CreationInput &input);

    // When set, runs hand their files to this writer instead of writing
    // them before they end (a batch of displays).
    BackgroundWriter *writeBehind = nullptr;
    // A run with translation errors ends by telling the user so; a batch
    // tells once, at its end, instead.
    bool tellTranslationErrors = true;
    static QString translationErrorsMessage();

    // The object buffer, kept between runs.
    bt::BtDisplayWriter &writer() { return m_writer; }

private:
    // --- run state ---
    struct Current {
        const CreationRow *row = nullptr;
        int position = 0;
        IbexObject kind = ioUnknown;
        QString typeName;
    };

    void btDispHeader(const CreationInput &input);
    int processGrid(CreationInput &input);
    void dispatch();

    void createText();
    void createStatic();
    void createRoPr(bool readOnly);
    void createCheckbox();
    void createObjAsText();
    void remapZoneObj();
    void createGraphic();
    void createButton(bool microset, const QString &microsetCaption = {});
    void createLoginButton();
    void mapMSetToBtn();

    void copySizingParams(bt::BtRecord &r);
    void copyColors(bt::BtRecord &r);
    void copyFont(bt::BtRecord &r);
    void copyOptions(bt::BtRecord &r);
    void copyPointData(bt::BtRecord &r);
    bool flagIbexPoint();
    void copyGraphicBitmap(const QString &name, bool isLocal);
    void copyBackgroundBmp(const QString &source);

    // The row text: the EFB Text when overridden, else `ibexText`.
    QString rowText(const QString &ibexText) const;
    IbexObjRec rec() const;
    // Bounded writes into the loaded Ibex record.
    void setIbexU16(int off, uint16_t v);
    void setIbexU32(int off, uint32_t v);
    void putIbexText(int off, int n, const QString &text);

    // The BACtalk job's folders as this run finds them. Each is looked up
    // once per run, and whether a library holds a bitmap once per name: a
    // run adds files only to the job's own "bitmaps" folder.
    struct RunFolders {
        QString root, rep, job, bitmaps;
        std::optional<QString> alertonLibrary, dealerLibrary;
        std::optional<QString> jobIbexBitmaps, localJobIbexBitmaps; // the "ldisplay" folders
        QHash<QString, bool> libraryFiles; // folder + "/" + lower-case name
    };
    void findRunFolders();
    const QString &ibexBitmapFolder(bool localJob);
    const QString &alertonLibrary();
    const QString &dealerLibrary();
    bool libraryHasAll(const QString &folder, const QStringList &names);

    const ProjectVariables &m_vars;
    const Settings &m_settings;
    SessionLog &m_log;
    Prompter &m_prompter;
    DisplayNaming &m_naming;
    PointTextSource m_translatePoint;
    bt::BtDisplayWriter m_writer;

    QByteArray *m_ibex = nullptr;
    int m_ibexLength = 0;
    IbexFileType m_fileType = ftDisplay;
    Current m_cur;
    QHash<QString, bt::BitmapCopy> m_bitmapsThisRun;
    RunFolders m_folders;
};

} // namespace vorlix
