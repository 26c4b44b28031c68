#pragma once
// Finding and reading the Ibex files of a job folder. Ibex jobs come from
// Windows: a file is found whatever the letter case of its name.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

namespace vorlix {

class JobFiles {
public:
    explicit JobFiles(QString folder) : m_folder(std::move(folder)) {}

    // Path of the plain file `name` in the folder, matched without regard to
    // letter case (the exact name first); empty when there is none. A folder
    // carrying the name is no file. The folder is listed once.
    QString find(const QString &name);

    // Reads the file whole, at most `maxBytes` (the most the reader can
    // use). Throws Error naming the file when it cannot be read.
    static QByteArray read(const QString &path, qsizetype maxBytes);

    const QString &folder() const { return m_folder; }

private:
    QString m_folder;
    bool m_listed = false;
    QHash<QString, QString> m_byLowerName;
};

class ControllerMap;

// The walk every Ibex reader makes: Apex `first` to `last` in ascending
// order; `onApex` before each; an unmapped Apex is skipped silently; a
// missing file of a mapped one adds its bare name to `missing`; an existing
// file is read (at most `maxBytes`) and handed to `perFile`. Returns the
// number of files read. Throws Error naming a file that cannot be read.
int forEachApexFile(ControllerMap &map, const QString &jobFolder, int first, int last,
                    const std::function<QString(int apex)> &nameOf, qsizetype maxBytes, QStringList &missing,
                    const std::function<void(int apex)> &onApex,
                    const std::function<void(int apex, const QString &path, const QByteArray &bytes)> &perFile);

} // namespace vorlix
