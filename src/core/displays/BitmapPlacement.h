#pragma once
// Where the bitmaps of a BACtalk display come from during one creation run:
// the BACtalk job's root, rep, job and "bitmaps" folders, the two bitmap
// libraries of the BACtalk root (Alerton's and the dealer's), and the Ibex
// "ldisplay" folders the bitmaps are copied from. Each folder is looked up
// once per run, and whether a library holds a bitmap once per name; a run
// adds files only to the job's own "bitmaps" folder.
#include "bactalk/BtBitmaps.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace vorlix {

class ObjectMessages;
struct Settings;

class BitmapPlacement {
public:
    BitmapPlacement(const Settings &settings, ObjectMessages &messages, QString projectFolder,
                    QString localJobFolder);

    // A new run into the BACtalk job folder `bactalkJobPath`: folders are
    // looked up afresh.
    void beginRun(const QString &bactalkJobPath);

    const QString &root() const { return m_root; }
    const QString &rep() const { return m_rep; }
    const QString &job() const { return m_job; }

    // The Ibex "ldisplay" folder of the job or of its local job.
    const QString &ibexBitmapFolder(bool localJob);
    // <root>/<rep>/<job>/bitmaps of the libraries; empty when not set.
    const QString &alertonLibrary();
    const QString &dealerLibrary();
    // Every name is in the library folder (letter case ignored).
    bool libraryHasAll(const QString &folder, const QStringList &names);

    // Copies a graphic's bitmap from the Ibex job into the BACtalk job's
    // "bitmaps" folder; a problem is a message about the current object.
    void copyGraphicBitmap(const QString &name, bool localJob);
    // The same for the background bitmap at `source`.
    void copyBackgroundBmp(const QString &source);

    // Tells the problem of a copy, if it had one, about the current object.
    void report(bt::BitmapCopy result, const QString &name);

private:
    const Settings &m_settings;
    ObjectMessages &m_messages;
    QString m_projectFolder, m_localJobFolder;
    QString m_root, m_rep, m_job, m_bitmaps;
    std::optional<QString> m_alertonLibrary, m_dealerLibrary;
    std::optional<QString> m_jobIbexBitmaps, m_localJobIbexBitmaps;
    QHash<QString, bool> m_libraryFiles;             // folder + "/" + lower-case name
    QHash<QString, bt::BitmapCopy> m_copiedThisRun; // "J:" or "L:" + lower-case name
};

} // namespace vorlix
