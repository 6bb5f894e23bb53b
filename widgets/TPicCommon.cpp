#include "widgets/TPicCommon.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap TPicCommon::Picture(const char *name)
{
    return Svg(QString(":/widgets/%1.svg").arg(QLatin1String(name)));
}

QPixmap TPicCommon::Svg(const QString &path, QSize size)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    QPixmap pixmap(size.isEmpty() ? renderer.defaultSize() : size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QCursor TPicCommon::HandCursor()
{
    static const QCursor hand = [] {
        const QPixmap picture = Picture("PICCOMMON_HANDCURSOR");
        // The tip of the pointing finger is the hot spot.
        return picture.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(picture, 10, 1);
    }();
    return hand;
}
