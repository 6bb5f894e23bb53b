#include "widgets/TPicURLLabel.h"

#include "platform/gui/AccessibleRole.h"
#include "widgets/TPicCommon.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMouseEvent>
#include <QUrl>

TPicURLLabel::TOpener TPicURLLabel::Opener = &TPicURLLabel::DesktopOpen;

TPicURLLabel::TPicURLLabel(QWidget *parent)
    : TPicLabel(parent)
    , FFlyByColor(QApplication::palette().color(QPalette::Highlight))
    , FUnvisitedColor(QApplication::palette().color(QPalette::Highlight))
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    ShowLinkColour();
    setCursor(TPicCommon::HandCursor());
    AccessibleRole::Set(this, QAccessible::Link);
}

void TPicURLLabel::SetUnvisitedColor(const QColor &color)
{
    FUnvisitedColor = color;
    ShowLinkColour();
}

void TPicURLLabel::SetVisitedColor(const QColor &color)
{
    FVisitedColor = color;
    ShowLinkColour();
}

void TPicURLLabel::SetVisited(bool value)
{
    FVisited = value;
    ShowLinkColour();
}

void TPicURLLabel::ShowLinkColour()
{
    SetFontColor(FVisited ? FVisitedColor : FUnvisitedColor);
}

QString TPicURLLabel::Target() const
{
    return FURL.trimmed().isEmpty() ? Caption() : FURL;
}

void TPicURLLabel::Click()
{
    emit clicked();
    const QString target = Target();
    if (target.trimmed().isEmpty())
        return;
    // A failure shows nothing: the desktop has no program chooser to fall back on.
    if (Opener && Opener(target.trimmed()))
        SetVisited(true);
}

bool TPicURLLabel::DesktopOpen(const QString &target)
{
    // A target with a scheme ("https:", "mailto:", "file:") is a link; anything else is
    // a local file, which must exist (the desktop would report a missing one only later,
    // and in its own way).
    const QUrl url(target, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1) {
        if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
            return false;
        return QDesktopServices::openUrl(url);
    }
    if (target.startsWith("www.", Qt::CaseInsensitive))
        return QDesktopServices::openUrl(QUrl::fromUserInput(target));
    const QFileInfo file(target);
    if (!file.exists())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

void TPicURLLabel::enterEvent(QEnterEvent *event)
{
    if (FFlyByEnabled) {
        FColourBeforeFlyBy = FontColor();
        SetFontColor(FFlyByColor);
    }
    TPicLabel::enterEvent(event);
}

void TPicURLLabel::leaveEvent(QEvent *event)
{
    // The colour remembered on entering comes back, even if the label was visited since.
    if (FFlyByEnabled && FColourBeforeFlyBy.isValid())
        SetFontColor(FColourBeforeFlyBy);
    TPicLabel::leaveEvent(event);
}

void TPicURLLabel::mousePressEvent(QMouseEvent *event)
{
    FPressed = event->button() == Qt::LeftButton;
    TPicLabel::mousePressEvent(event);
}

void TPicURLLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = FPressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    FPressed = false;
    if (click)
        Click();
    TPicLabel::mouseReleaseEvent(event);
}
