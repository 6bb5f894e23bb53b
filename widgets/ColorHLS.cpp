#include "widgets/ColorHLS.h"

#include <algorithm>

namespace {

constexpr int RGBMax = 255;
constexpr int UndefinedHue = HLSMax * 2 / 3; // hue given to greys

int HueToRGB(int n1, int n2, int hue)
{
    if (hue < 0)
        hue += HLSMax;
    if (hue > HLSMax)
        hue -= HLSMax;
    if (hue < HLSMax / 6)
        return n1 + ((n2 - n1) * hue + HLSMax / 12) / (HLSMax / 6);
    if (hue < HLSMax / 2)
        return n2;
    if (hue < HLSMax * 2 / 3)
        return n1 + ((n2 - n1) * (HLSMax * 2 / 3 - hue) + HLSMax / 12) / (HLSMax / 6);
    return n1;
}

int ToChannel(int value)
{
    return std::clamp((value * RGBMax + HLSMax / 2) / HLSMax, 0, RGBMax);
}

} // namespace

THLS ColorRGBToHLS(QColor color)
{
    const int r = color.red(), g = color.green(), b = color.blue();
    const int cMax = std::max({ r, g, b });
    const int cMin = std::min({ r, g, b });
    THLS hls;
    hls.Lightness = ((cMax + cMin) * HLSMax + RGBMax) / (2 * RGBMax);
    if (cMax == cMin) {
        hls.Hue = UndefinedHue;
        return hls;
    }
    const int span = cMax - cMin;
    if (hls.Lightness <= HLSMax / 2)
        hls.Saturation = (span * HLSMax + (cMax + cMin) / 2) / (cMax + cMin);
    else
        hls.Saturation
            = (span * HLSMax + (2 * RGBMax - cMax - cMin) / 2) / (2 * RGBMax - cMax - cMin);
    const int rDelta = ((cMax - r) * (HLSMax / 6) + span / 2) / span;
    const int gDelta = ((cMax - g) * (HLSMax / 6) + span / 2) / span;
    const int bDelta = ((cMax - b) * (HLSMax / 6) + span / 2) / span;
    if (r == cMax)
        hls.Hue = bDelta - gDelta;
    else if (g == cMax)
        hls.Hue = HLSMax / 3 + rDelta - bDelta;
    else
        hls.Hue = 2 * HLSMax / 3 + gDelta - rDelta;
    if (hls.Hue < 0)
        hls.Hue += HLSMax;
    if (hls.Hue > HLSMax)
        hls.Hue -= HLSMax;
    return hls;
}

QColor ColorHLSToRGB(const THLS &hls)
{
    // Out-of-scale lightness would push the channels past 255 (and wrap them to dark
    // colours when packed), so it is held at the scale's ends: white or black.
    const int l = std::clamp(hls.Lightness, 0, HLSMax);
    const int s = std::clamp(hls.Saturation, 0, HLSMax);
    if (s == 0) {
        const int grey = ToChannel(l);
        return QColor(grey, grey, grey);
    }
    const int m2 = l <= HLSMax / 2 ? (l * (HLSMax + s) + HLSMax / 2) / HLSMax
                                   : l + s - (l * s + HLSMax / 2) / HLSMax;
    const int m1 = 2 * l - m2;
    return QColor(ToChannel(HueToRGB(m1, m2, hls.Hue + HLSMax / 3)),
                  ToChannel(HueToRGB(m1, m2, hls.Hue)),
                  ToChannel(HueToRGB(m1, m2, hls.Hue - HLSMax / 3)));
}

QColor ColorAdjustLuma(QColor color, int delta)
{
    THLS hls = ColorRGBToHLS(color);
    hls.Lightness += delta;
    return ColorHLSToRGB(hls);
}
