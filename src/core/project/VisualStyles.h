#pragma once
// The fifteen named visual styles of the workbench, which of them are dark,
// and the colours each one gives the window (RGB values, 0xRRGGBB).
#include <QStringList>
#include <array>
#include <cstdint>

namespace vorlix {

inline constexpr int kVisualStyleCount = 15;
inline constexpr int kDefaultVisualStyle = 13;

struct StyleColours {
    uint32_t window;          // dialogs and page backgrounds
    uint32_t windowText;
    uint32_t base;            // grids and edits
    uint32_t alternateBase;
    uint32_t text;
    uint32_t button;
    uint32_t buttonText;
    uint32_t highlight;
    uint32_t highlightedText;
    uint32_t disabledText;
};

struct VisualStyleInfo {
    const char *name;
    bool dark;
    StyleColours colours;
};

const std::array<VisualStyleInfo, kVisualStyleCount> &visualStyles();
QStringList visualStyleNames();

// An index outside 0..14 (a hand-edited settings file) means the default style.
int validVisualStyle(int index);
const VisualStyleInfo &visualStyle(int index);

// True for the dark styles 1, 3, 5, 6, 8 and 11.
bool isDarkStyle(int index);

} // namespace vorlix
