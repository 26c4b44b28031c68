#pragma once
// The colours the grids and trees use as cues (step 1's communication
// groups, the trees' redirected, unscanned and missing displays), in a
// shade that stays readable on the style's background: the classic shades
// on light backgrounds, lighter ones on dark backgrounds.
#include <QColor>

class QPalette;

namespace vorlix {

enum class Cue { Plain, Blue, Green, Red, Purple, Missing };

QColor cueColour(Cue cue, bool dark);
// Whether a palette draws its views (their base) dark.
bool isDarkPalette(const QPalette &palette);

} // namespace vorlix
