// The POSIX side of CliPlatform.h.
#include "CliPlatform.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace vorlix::cli {

void prepareConsole() {}

bool isTerminal(FILE *stream) { return ::isatty(::fileno(stream)) != 0; }

// Without XDG_RUNTIME_DIR a GUI application warns on stderr and falls back
// to a private folder of its own. A command line tool gives it that folder
// itself, quietly: owned by the user, no access for others, never a link.
void prepareDrawing()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray dir = QFile::encodeName(QDir::tempPath()) + "/runtime-vorlix-" + QByteArray::number(getuid());
    if (::mkdir(dir.constData(), 0700) != 0 && errno != EEXIST)
        return;
    struct stat st {};
    if (::lstat(dir.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() && (st.st_mode & 077) == 0)
        qputenv("XDG_RUNTIME_DIR", dir);
}

QString executableFolder()
{
    const QFileInfo self(u"/proc/self/exe"_qs);
    return self.exists() ? QFileInfo(self.canonicalFilePath()).absolutePath() : QString();
}

} // namespace vorlix::cli
