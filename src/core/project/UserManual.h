#pragma once
// Where the user manual is: a PDF manual placed in the application folder
// wins (opened in the desktop's viewer), otherwise the manual that ships
// beside the program (shown in the help window).
#include <QString>
#include <QStringList>

namespace vorlix {

struct UserManual {
    QString path;         // empty: no manual found
    bool pdf = false;     // a PDF for the desktop's viewer; else Markdown text
    QStringList searched; // the files looked for, in order, for the message
};

// Looks in each folder in turn (duplicates once); in each, the PDF names
// before the shipped Markdown manual.
UserManual findUserManual(const QStringList &folders);

// The Markdown manual in the first folder that has it; empty when none.
QString findUserManualText(const QStringList &folders);

// "The user manual could not be found. Looked for: ..."
QString manualNotFoundMessage(const UserManual &manual);

} // namespace vorlix
