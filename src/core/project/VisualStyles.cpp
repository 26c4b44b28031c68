#include "project/VisualStyles.h"

namespace vorlix {

namespace {
// Light styles share black text; dark ones light grey text.
constexpr uint32_t kBlack = 0x000000, kWhite = 0xffffff, kLightText = 0xe6e6e6;

constexpr StyleColours light(uint32_t window, uint32_t button, uint32_t alternate, uint32_t highlight)
{
    return {window, kBlack, kWhite, alternate, kBlack, button, kBlack, highlight, kWhite, 0x8a8a8a};
}
constexpr StyleColours dark(uint32_t window, uint32_t base, uint32_t button, uint32_t highlight)
{
    return {window, kLightText, base, window, kLightText, button, kLightText, highlight, kWhite, 0x7a7a7a};
}
} // namespace

const std::array<VisualStyleInfo, kVisualStyleCount> &visualStyles()
{
    static const std::array<VisualStyleInfo, kVisualStyleCount> styles = {{
        {"Windows", false, light(0xf0f0f0, 0xf0f0f0, 0xf7f7f7, 0x0078d7)},
        {"Amakrits", true, dark(0x2b2b2b, 0x1e1e1e, 0x3a3a3a, 0xc8642a)},
        {"Amethyst Kamri", false, light(0xe7e1ef, 0xdcd2ea, 0xf4f0f8, 0x7b4fa0)},
        {"Aqua Graphite", true, dark(0x2e3236, 0x202428, 0x3b4046, 0x2f9cc0)},
        {"Aqua Light Slate", false, light(0xe4ebef, 0xd5e1e8, 0xf1f6f8, 0x2a8fb4)},
        {"Carbon", true, dark(0x222222, 0x161616, 0x303030, 0xd9761a)},
        {"Cobalt XEMedia", true, dark(0x1f2b3d, 0x152132, 0x2b3b54, 0x3f7fd0)},
        {"Emerald Light Slate", false, light(0xe3ebe7, 0xd3e2da, 0xf0f6f3, 0x2e8b57)},
        {"Golden Graphite", true, dark(0x2f2f2f, 0x222222, 0x3d3d3d, 0xb8922a)},
        {"Iceberg Classico", false, light(0xe8eef4, 0xdae5f0, 0xf3f7fb, 0x3f86c4)},
        {"Lavender Classico", false, light(0xece8f2, 0xe0d8ec, 0xf6f3f9, 0x8064b8)},
        {"Ruby Graphite", true, dark(0x2d2a2a, 0x201e1e, 0x3c3737, 0xb02a3a)},
        {"Sapphire Kamri", false, light(0xe2e8f2, 0xd2dcee, 0xf0f4fa, 0x2a56b0)},
        {"Slate Classico", false, light(0xe8eaed, 0xdce0e5, 0xf4f5f7, 0x4a6a8a)},
        {"Smokey Quartz Kamri", false, light(0xe9e6e3, 0xdcd7d2, 0xf5f3f1, 0x857363)},
    }};
    return styles;
}

QStringList visualStyleNames()
{
    QStringList names;
    for (const VisualStyleInfo &s : visualStyles())
        names << QString::fromLatin1(s.name);
    return names;
}

int validVisualStyle(int index)
{
    return index >= 0 && index < kVisualStyleCount ? index : kDefaultVisualStyle;
}

const VisualStyleInfo &visualStyle(int index) { return visualStyles()[validVisualStyle(index)]; }

bool isDarkStyle(int index) { return visualStyle(index).dark; }

} // namespace vorlix
