#pragma once
// The widget set's own pictures (glyph strips and the hand cursor), compiled in.

#include <QCursor>
#include <QPixmap>

class TPicCommon
{
public:
    // The picture named like "PICCOMMON_OK", drawn at its designed size; null when the
    // resource is missing.
    static QPixmap Picture(const char *name);
    // Any SVG picture drawn at the given size (its own size when none is given), pixel
    // for pixel; null when the picture can't be read.
    static QPixmap Svg(const QString &path, QSize size = {});
    // The pointing hand over links, made once per process.
    static QCursor HandCursor();
};
