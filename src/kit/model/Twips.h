#pragma once
// Twips, the unit the windows' layout rules were first written in, and pixels.

constexpr int kTwipsPerPixel = 15;
constexpr int twipsToPixels(int twips)
{
    return twips / kTwipsPerPixel;
}
constexpr int pixelsToTwips(int px)
{
    return px * kTwipsPerPixel;
}
