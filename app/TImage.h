#pragma once
// A picture of the window: drawn whole inside the widget's box, scaled down to fit with
// its proportions kept and centred, and drawn the same while the window is disabled (a
// picture has no state to show, and a grey strip under the spelling dialog looks broken).

#include <QIcon>
#include <QWidget>

class TImage : public QWidget
{
    Q_OBJECT
public:
    TImage(const QIcon &picture, QWidget *parent);

    // Where the picture is drawn, in the widget's coordinates.
    QRect PictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QIcon FPicture;
};
