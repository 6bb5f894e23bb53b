#pragma once
// A text label drawn in its font and font colour on a transparent background; "&" marks
// an access key unless ShowAccelChar is off. With AutoSize it is as large as its text.

#include <QColor>
#include <QWidget>

class TPicLabel : public QWidget
{
    Q_OBJECT
public:
    explicit TPicLabel(QWidget *parent = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &caption);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    QColor FontColor() const;
    void SetFontColor(const QColor &color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int TextFlags() const;
    void AdjustBounds();

    QString FCaption;
    bool FShowAccelChar = true;
    bool FAutoSize = true;
};
