#include "common/CueColours.h"

#include <QPalette>

namespace vorlix {

QColor cueColour(Cue cue, bool dark)
{
    switch (cue) {
    case Cue::Plain: return dark ? QColor(Qt::white) : QColor(Qt::black);
    case Cue::Blue: return dark ? QColor(0x70, 0xa8, 0xff) : QColor(0x00, 0x00, 0xff);
    case Cue::Green: return dark ? QColor(0x66, 0xd0, 0x66) : QColor(0x00, 0x80, 0x00);
    case Cue::Red: return dark ? QColor(0xff, 0x6e, 0x6e) : QColor(0xff, 0x00, 0x00);
    case Cue::Purple: return dark ? QColor(0xd8, 0x8c, 0xd8) : QColor(0x80, 0x00, 0x80);
    case Cue::Missing: return dark ? QColor(0xa8, 0xa8, 0xa8) : QColor(0x70, 0x70, 0x70);
    }
    return {};
}

bool isDarkPalette(const QPalette &palette) { return palette.color(QPalette::Base).lightness() < 128; }

} // namespace vorlix
