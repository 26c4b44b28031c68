#pragma once
// Pixel checks of drawn pictures.
#include <QImage>
#include <QRect>

namespace vorlix::test {

inline constexpr QRgb kOutlineRed = 0xFFFF0000;

// Whether any pixel of the rectangle has the colour.
inline bool anyPixel(const QImage &img, const QRect &r, QRgb rgb)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.rect().contains(x, y) && img.pixel(x, y) == rgb)
                return true;
    return false;
}

// Pixels of the rectangle not of `background`: something was drawn there.
inline int inked(const QImage &img, const QRect &r, QRgb background)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += img.rect().contains(x, y) && img.pixel(x, y) != background;
    return n;
}

} // namespace vorlix::test
