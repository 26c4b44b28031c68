#pragma once
// Drawing displays as pictures: an Ibex display of the job (as the grid
// loads it, with its points) and a BACtalk display file, each written as a
// PNG file.
#include "render/DisplayPicture.h"

#include <QString>

namespace vorlix {

class Workbench;
struct DisplayFile;

// Loads the display into the grid (as "Load Ibex Display") and draws it.
// Throws Error naming a missing or unreadable display.
render::Picture renderIbexCommand(Workbench &wb, const DisplayFile &file);

// Draws a BACtalk display file with its bitmaps. Throws Error naming a file
// that cannot be read.
render::Picture renderBtDisplayCommand(const QString &path);

// Writes the picture as PNG. Throws Error naming the file when it cannot be
// written.
void writePicturePng(const render::Picture &picture, const QString &path);

} // namespace vorlix
