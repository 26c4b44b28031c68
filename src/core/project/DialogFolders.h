#pragma once
// Where the file dialogs start. Each kind of file has its home in the
// BACtalk job (scripts and DDC programs in its "ddc" folder, databases in
// the job folder itself); without a BACtalk job folder on disk, the Ibex job
// folder. Once the user has chosen a file of a kind in a project, that
// kind's dialogs start in the folder chosen, for that project only. Never
// the folder the program was started from.
#include <QHash>
#include <QString>

namespace vorlix {

class DialogFolders {
public:
    enum class Kind { Script, PointDatabase, DeviceDatabase, DdcProgram };

    // The folder a dialog of `kind` starts in, and the path handed to the
    // dialog: that folder with `name` (a proposed file name) when given.
    QString folder(Kind kind, const QString &bactalkJob, const QString &projectFolder) const;
    QString start(Kind kind, const QString &bactalkJob, const QString &projectFolder, const QString &name = {}) const;
    // The user chose `file` (native or Qt separators) in a dialog of `kind`.
    void remember(Kind kind, const QString &projectFolder, const QString &file);

private:
    static QString key(Kind kind, const QString &projectFolder);
    QHash<QString, QString> m_last;
};

} // namespace vorlix
