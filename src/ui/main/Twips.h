#pragma once

// Window and control sizes are kept in twips, as they were designed; the screen gets
// 15 twips to a pixel.
inline constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return twips / TwipsPerPixel;
}
