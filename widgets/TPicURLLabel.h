#pragma once
// A link label: underlined, in the unvisited or visited colour, lit while the mouse is
// over it (FlyByEnabled), a pointing hand for a cursor; a click opens its target (URL,
// or the caption when URL is blank) with the desktop's default handler.

#include "widgets/TPicLabel.h"

#include <functional>

class TPicURLLabel : public TPicLabel
{
    Q_OBJECT
public:
    explicit TPicURLLabel(QWidget *parent = nullptr);

    QString URL() const { return FURL; }
    void SetURL(const QString &url) { FURL = url; }
    bool FlyByEnabled() const { return FFlyByEnabled; }
    void SetFlyByEnabled(bool value) { FFlyByEnabled = value; }
    QColor FlyByColor() const { return FFlyByColor; }
    void SetFlyByColor(const QColor &color) { FFlyByColor = color; }
    QColor UnvisitedColor() const { return FUnvisitedColor; }
    void SetUnvisitedColor(const QColor &color);
    QColor VisitedColor() const { return FVisitedColor; }
    void SetVisitedColor(const QColor &color);
    bool Visited() const { return FVisited; }
    void SetVisited(bool value);

    // The target a click opens: URL unless blank after trimming, else the caption.
    QString Target() const;
    // Runs the click handlers, then opens the target; success marks the label visited.
    void Click();

    // Opens a target with the desktop's default handler; true when it was handed over.
    // Replaceable, so that tests need no desktop.
    using TOpener = std::function<bool(const QString &target)>;
    static TOpener Opener;
    static bool DesktopOpen(const QString &target);

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void ShowLinkColour();

    QString FURL;
    bool FFlyByEnabled = false;
    QColor FFlyByColor;
    QColor FUnvisitedColor;
    QColor FVisitedColor { 128, 0, 128 };
    bool FVisited = false;
    QColor FColourBeforeFlyBy;
    bool FPressed = false;
};
