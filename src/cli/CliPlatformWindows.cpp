// The Windows side of CliPlatform.h.
#include "CliPlatform.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QtGlobal>

#include <cstdlib>
#include <iterator>
#include <fcntl.h>
#include <io.h>

#include "util/WindowsApi.h"

namespace vorlix::cli {

namespace {

UINT g_savedOutputCodePage = 0;

void restoreCodePage()
{
    if (g_savedOutputCodePage)
        SetConsoleOutputCP(g_savedOutputCodePage);
}

bool isConsole(HANDLE h)
{
    DWORD mode = 0;
    return h != INVALID_HANDLE_VALUE && h != nullptr && GetConsoleMode(h, &mode);
}

} // namespace

void prepareConsole()
{
    // The same bytes as on every platform: UTF-8 text whose lines end as the
    // program wrote them (a grid's clipboard text already ends its rows
    // with CR LF; the C runtime's text mode would make that CR CR LF).
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (!isConsole(out) && !isConsole(err))
        return;
    // A console shows the UTF-8 bytes as text while the program runs; its
    // own code page comes back when the program ends.
    const UINT current = GetConsoleOutputCP();
    if (current != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        g_savedOutputCodePage = current;
        std::atexit(restoreCodePage);
    }
    // The progress lines use "\r" and "ESC [ K" to rewrite their line.
    for (const HANDLE h : {out, err}) {
        DWORD mode = 0;
        if (isConsole(h) && GetConsoleMode(h, &mode))
            SetConsoleMode(h, mode | ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
}

bool isTerminal(FILE *stream)
{
    // _isatty is true for any character device, NUL included; only a
    // console counts.
    const int fd = _fileno(stream);
    return fd >= 0 && isConsole(reinterpret_cast<HANDLE>(_get_osfhandle(fd)));
}

QString executableFolder()
{
    wchar_t module[MAX_PATH * 4] = {};
    const DWORD n = GetModuleFileNameW(nullptr, module, DWORD(std::size(module)));
    if (n == 0 || n >= std::size(module))
        return {};
    return QFileInfo(QString::fromWCharArray(module, int(n))).absolutePath();
}

void prepareDrawing()
{
    // The off-screen platform on Windows draws text with FreeType from a
    // folder of font files: a "fonts" folder beside the program when there
    // is one, otherwise the system's fonts.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        return;
    const QString folder = executableFolder();
    const QString beside = folder + u"/fonts"_qs;
    if (!folder.isEmpty() && QFileInfo(beside).isDir()) {
        qputenv("QT_QPA_FONTDIR", QDir::toNativeSeparators(beside).toLocal8Bit());
        return;
    }
    const QString windows = qEnvironmentVariable("SystemRoot", u"C:\\Windows"_qs);
    qputenv("QT_QPA_FONTDIR", QDir::toNativeSeparators(windows + u"/Fonts"_qs).toLocal8Bit());
}

} // namespace vorlix::cli
