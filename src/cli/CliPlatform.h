#pragma once
// What the command line front end needs from the system it runs on: the
// console, whether a stream is a terminal, and what drawing without a window
// needs. CliPlatformPosix.cpp and CliPlatformWindows.cpp hold the two sides
// (one of them is built).
#include <QString>
#include <cstdio>

namespace vorlix::cli {

// Called first in main: output goes out as UTF-8 bytes, exactly as written
// (on Windows: no LF to CR LF translation, and a console shows UTF-8 and
// the terminal's control sequences while the program runs).
void prepareConsole();

// Whether `stream` is an interactive terminal (progress lines are shown
// there, never written into a file or a pipe).
bool isTerminal(FILE *stream);

// Called before a GUI application is made for drawing pictures on the
// off-screen platform: gives it what it would otherwise warn about or lack
// (a private runtime folder on POSIX, the fonts folder on Windows).
void prepareDrawing();

// The folder of the running executable, known before any Qt application
// object exists (empty when the system does not say).
QString executableFolder();

} // namespace vorlix::cli
