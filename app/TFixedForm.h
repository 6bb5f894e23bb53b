#pragma once
// A small fixed window of the program: dialog border with only a close box, the light-blue
// background, the window font, centred on the screen whenever it is shown. Closing it only
// hides it; the close box gives the modal result 2, and Enter and Escape do nothing unless
// a button of the window answers them.

#include <QDialog>

class TFixedForm : public QDialog
{
    Q_OBJECT
public:
    TFixedForm(const QString &caption, QSize clientSize, const QColor &fontColour,
               QWidget *parent = nullptr);

    static const QColor WindowColour;

    // Escape closes the window as the close box does (modal result 2). Off as designed.
    void SetEscapeCloses(bool on) { FEscapeCloses = on; }

public slots:
    void reject() override; // the close box: modal result 2

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool FEscapeCloses = false;
};
