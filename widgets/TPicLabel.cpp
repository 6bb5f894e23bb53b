#include "widgets/TPicLabel.h"

#include <QEvent>
#include <QPainter>

TPicLabel::TPicLabel(QWidget *parent)
    : QWidget(parent)
{ }

void TPicLabel::SetCaption(const QString &caption)
{
    FCaption = caption;
    // A screen reader says the caption, without the access key's mark ("&&" is one '&').
    QString name;
    for (qsizetype i = 0; i < caption.size(); ++i)
        if (caption[i] != QLatin1Char('&') || (++i < caption.size()))
            name += caption[i];
    setAccessibleName(name);
    AdjustBounds();
    update();
}

void TPicLabel::SetShowAccelChar(bool value)
{
    FShowAccelChar = value;
    AdjustBounds();
    update();
}

void TPicLabel::SetAutoSize(bool value)
{
    FAutoSize = value;
    AdjustBounds();
}

QColor TPicLabel::FontColor() const
{
    return palette().color(QPalette::WindowText);
}

void TPicLabel::SetFontColor(const QColor &color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
    update();
}

int TPicLabel::TextFlags() const
{
    return Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs
        | (FShowAccelChar ? Qt::TextShowMnemonic : 0);
}

QSize TPicLabel::sizeHint() const
{
    return fontMetrics().size(TextFlags(), FCaption);
}

void TPicLabel::AdjustBounds()
{
    if (FAutoSize)
        resize(sizeHint());
}

void TPicLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        AdjustBounds();
    QWidget::changeEvent(event);
}

void TPicLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(FontColor());
    painter.drawText(rect(), TextFlags(), FCaption);
}
