#pragma once
// Builds the BACtalk display or template file of a translated Ibex display:
// the header from the Ibex header and the title row, then one record per row
// that is not skipped, in object order, taken from the object's Ibex record
// and the row's texts and point. Bitmaps are matched in a library or copied
// into the BACtalk job; every problem is logged under its object's heading
// and handed back with the file.
#include "bactalk/BtDisplayWriter.h"
#include "displays/BitmapPlacement.h"
#include "displays/ObjectMessages.h"
#include "ibex/IbexDisplay.h"
#include "ibex/IbexObject.h"
#include "translate/Translation.h"
#include "util/ByteWriter.h"

#include <QByteArray>
#include <QString>

namespace vorlix {

class DisplayNaming;
class Prompter;
class SessionLog;
struct ProjectVariables;
struct Settings;

// The file image of one display and what went into it.
struct BuiltDisplay {
    QByteArray bytes;
    int translated = 0; // rows handled
    int records = 0;    // object records written
    std::vector<ObjectProblem> problems; // the messages about its objects, as logged
};

class DisplayBuilder {
public:
    DisplayBuilder(const ProjectVariables &vars, const Settings &settings, SessionLog &log, Prompter &prompter,
                   DisplayNaming &naming, const QString &projectFolder, const QString &localJobFolder);

    // Builds the display of `t`, whose rows it sorts into object order.
    // `singleObject` >= 0: only that object is written (single-row mode).
    BuiltDisplay build(Translation &t, int singleObject = -1);

private:
    struct Current {
        const TranslationRow *row = nullptr;
        IbexObject kind = ioUnknown;
        QString typeName;
    };

    void headerRecord(const Translation &t);
    int objectRecords(Translation &t, int singleObject);
    void dispatch();

    // --- one operation per kind of object ---
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

    // --- what several kinds share ---
    void copySizingParams(bt::BtRecord &r);
    void copyColors(bt::BtRecord &r);
    void copyFont(bt::BtRecord &r);
    void copyOptions(bt::BtRecord &r);
    void copyPointData(bt::BtRecord &r);
    bool flagIbexPoint();

    // The row's text when it is overridden, else `ibexText`.
    QString rowText(const QString &ibexText) const;
    // The current object's Ibex record, in the bytes the run may change.
    IbexObjRec rec() const;
    // The defaults a run sets in the current Ibex record: a field that the
    // record (as far as the file's data holds it) does not wholly hold is
    // left alone, so a damaged record never spills into the next one.
    ByteWriter ibexRecord();
    void setIbexU16(int off, uint16_t v);
    void setIbexU32(int off, uint32_t v);
    void putIbexText(int off, int n, const QString &text);

    const ProjectVariables &m_vars;
    const Settings &m_settings;
    SessionLog &m_log;
    Prompter &m_prompter;
    DisplayNaming &m_naming;
    ObjectMessages m_messages;
    BitmapPlacement m_bitmaps;
    bt::BtDisplayWriter m_writer;

    QByteArray *m_ibex = nullptr;
    int m_ibexLength = 0;
    IbexFileType m_fileType = ftDisplay;
    Current m_cur;
};

} // namespace vorlix
