#pragma once
// Zoom of the page: the text is laid out as for a screen of higher or lower resolution,
// so every size on the page grows or shrinks together while the document, its fonts and
// what is saved stay exactly as they are. The level is remembered between runs.

#include <QImage>
#include <QObject>

class QTextEdit;

class TPageZoom : public QObject
{
    Q_OBJECT
public:
    static constexpr int MinPercent = 50, MaxPercent = 400;

    explicit TPageZoom(QTextEdit *edit); // applies the remembered level
    int Percent() const { return FPercent; }
    void SetPercent(int percent); // clamped to 50..400, remembered
    void ZoomIn();
    void ZoomOut();
    void Reset() { SetPercent(100); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override; // Ctrl + mouse wheel

private:
    void Apply();
    QTextEdit *FEdit;
    int FPercent = 100;
    QImage FDevice; // the paint device whose resolution the layout follows
};
