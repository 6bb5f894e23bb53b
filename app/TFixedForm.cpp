#include "app/TFixedForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

const QColor TFixedForm::WindowColour(189, 226, 253);

TFixedForm::TFixedForm(const QString &caption, QSize clientSize, const QColor &fontColour,
                       QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(caption);
    setFixedSize(clientSize);
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, WindowColour);
    pal.setColor(QPalette::WindowText, fontColour);
    setPalette(pal);
    setAutoFillBackground(true);
}

void TFixedForm::reject()
{
    done(2);
}

void TFixedForm::showEvent(QShowEvent *event)
{
    if (QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TFixedForm::keyPressEvent(QKeyEvent *event)
{
    // No button of these windows has a default or cancel role: Enter and Escape stay unused.
    switch (event->key()) {
    case Qt::Key_Escape:
        if (FEscapeCloses) {
            reject();
            return;
        }
        [[fallthrough]];
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
