#include "app/TImage.h"

#include <QPainter>
#include <QStyle>

TImage::TImage(const QIcon &picture, QWidget *parent)
    : QWidget(parent)
    , FPicture(picture)
{ }

QRect TImage::PictureRect() const
{
    const QSize size = FPicture.actualSize(contentsRect().size());
    return QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, size, contentsRect());
}

void TImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    FPicture.paint(&painter, PictureRect(), Qt::AlignCenter, QIcon::Normal);
}
