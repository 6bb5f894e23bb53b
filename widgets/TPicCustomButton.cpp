#include "widgets/TPicCustomButton.h"

#include "widgets/ColorHLS.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcutEvent>
#include <QStyleOptionButton>
#include <qdrawutil.h>

namespace {

// Edges of a bevel ring: top and left in one colour, right and bottom in the other
// (which owns the top-right and bottom-left corners).
void DrawRing(QPainter &p, const QRect &r, const QColor &topLeft, const QColor &bottomRight)
{
    p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
}

QColor SystemButtonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

} // namespace

TPicCustomButton::TPicCustomButton(QWidget *parent)
    : QAbstractButton(parent)
{
    resize(75, 25);
    setFocusPolicy(Qt::StrongFocus);
    // Connected first, so the window has its modal result before any other click handler.
    connect(this, &QAbstractButton::clicked, this, &TPicCustomButton::ModalClick);
    // The focus frame of a default button depends on where the focus is.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        if (FDefault)
            update();
    });
    WatchWindowKeys();
}

TPicCustomButton::~TPicCustomButton()
{
    // The focus leaves this button while QWidget's destructor runs; by then it is no
    // button any more and must not hear of it.
    disconnect(qApp, nullptr, this, nullptr);
}

void TPicCustomButton::SetCaption(const QString &caption)
{
    setText(caption); // also registers Alt plus the marked letter
    update();
}

QColor TPicCustomButton::Color() const
{
    return FColor.isValid() ? FColor : SystemButtonFace();
}

bool TPicCustomButton::ColouredFace() const
{
    return Color().rgb() != SystemButtonFace().rgb();
}

QColor TPicCustomButton::FontColor() const
{
    return palette().color(QPalette::ButtonText);
}

void TPicCustomButton::SetFontColor(const QColor &color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::ButtonText, color);
    setPalette(pal);
}

void TPicCustomButton::SetTabStop(bool value)
{
    FTabStop = value;
    // A click still gives the focus to a button that is not a tab stop.
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TPicCustomButton::SetHotTrack(bool value)
{
    FHotTrack = value;
    setAttribute(Qt::WA_Hover, value);
    update();
}

void TPicCustomButton::SetAction(QAction *action)
{
    if (FAction)
        disconnect(FAction, nullptr, this, nullptr);
    FAction = action;
    if (action) {
        connect(action, &QAction::changed, this, &TPicCustomButton::SyncAction);
        SyncAction();
    }
}

void TPicCustomButton::SyncAction()
{
    if (!FAction)
        return;
    if (text() != FAction->text())
        SetCaption(FAction->text());
    setEnabled(FAction->isEnabled());
}

bool TPicCustomButton::IsActiveDefault() const
{
    if (!FDefault)
        return false;
    // Another push button with the focus takes the default role away while it has it.
    const QWidget *focus = window()->focusWidget();
    if (focus == this)
        return true;
    return !qobject_cast<const TPicCustomButton *>(focus)
        && !qobject_cast<const QPushButton *>(focus);
}

void TPicCustomButton::ModalClick()
{
    if (auto *dialog = qobject_cast<QDialog *>(window())) {
        dialog->setResult(FModalResult);
        // A result other than none ends the window's modal show.
        if (FModalResult != 0 && dialog->isModal())
            dialog->done(FModalResult);
    }
    if (FAction)
        FAction->trigger();
}

void TPicCustomButton::WatchWindowKeys()
{
    QWidget *w = window();
    if (w == this || w == FKeyWindow)
        return;
    if (FKeyWindow)
        FKeyWindow->removeEventFilter(this);
    FKeyWindow = w;
    w->installEventFilter(this);
}

void TPicCustomButton::showEvent(QShowEvent *event)
{
    WatchWindowKeys();
    QAbstractButton::showEvent(event);
}

bool TPicCustomButton::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
        WatchWindowKeys();
        break;
    case QEvent::Shortcut:
        // The access key clicks at once, without moving the focus.
        if (static_cast<QShortcutEvent *>(event)->isAmbiguous())
            break;
        if (isEnabled())
            click();
        return true;
    default:
        break;
    }
    return QAbstractButton::event(event);
}

bool TPicCustomButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != FKeyWindow || event->type() != QEvent::KeyPress || !isEnabled() || !isVisible())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if ((enter && IsActiveDefault()) || (key->key() == Qt::Key_Escape && FCancel)) {
        click();
        return true;
    }
    return false;
}

void TPicCustomButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool pressed = isDown();
    QRect r = rect();
    if ((hasFocus() || IsActiveDefault()) && !pressed) {
        painter.setPen(QApplication::palette().color(QPalette::Shadow)); // window frame
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    DrawFace(painter, r, pressed);
    QRect content = rect().adjusted(5, 5, -5, -5);
    if (pressed)
        content.translate(1, 1);
    DrawContent(painter, content, pressed);
    if (hasFocus() && FShowFocusRect)
        DrawFocusRect(painter, pressed);
}

void TPicCustomButton::DrawFace(QPainter &painter, QRect r, bool pressed) const
{
    if (FHotTrack) {
        // The alternative look: the style's own push-button panel, lit under the mouse.
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = r;
        option.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
        option.palette.setColor(QPalette::Button, Color());
        style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);
        return;
    }
    if (!ColouredFace()) {
        QBrush fill(Color());
        qDrawWinButton(&painter, r, QApplication::palette(), pressed, &fill);
        return;
    }
    const QColor face = Color();
    if (pressed) {
        const QColor outer = ColorAdjustLuma(face, -100);
        const QColor inner = ColorAdjustLuma(face, -50);
        DrawRing(painter, r, outer, outer);
        DrawRing(painter, r.adjusted(1, 1, -1, -1), inner, inner);
    } else {
        DrawRing(painter, r, ColorAdjustLuma(face, 100), ColorAdjustLuma(face, -100));
        DrawRing(painter, r.adjusted(1, 1, -1, -1), ColorAdjustLuma(face, 40),
                 ColorAdjustLuma(face, -50));
    }
    painter.fillRect(r.adjusted(2, 2, -2, -2), face);
}

void TPicCustomButton::DrawFocusRect(QPainter &painter, bool pressed) const
{
    QRect r = rect().adjusted(4, 4, -5, -5);
    if (pressed)
        r.translate(1, 1);
    QPen pen(FontColor(), 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r);
}

void TPicCustomButton::DrawContent(QPainter &painter, const QRect &content, bool)
{
    const QColor colour = isEnabled() ? FontColor() : QApplication::palette().color(QPalette::Dark);
    painter.setPen(colour);
    painter.drawText(content, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}
