#pragma once
// Hue, lightness and saturation on the 0..240 scale, for the bevels of coloured buttons.

#include <QColor>

struct THLS
{
    int Hue = 0;
    int Lightness = 0;
    int Saturation = 0;
};

constexpr int HLSMax = 240;

THLS ColorRGBToHLS(QColor color);
QColor ColorHLSToRGB(const THLS &hls);
// The colour with its lightness changed by delta, kept within the scale.
QColor ColorAdjustLuma(QColor color, int delta);
