#pragma once
// The custom-drawn push button of the widget set: the classic raised face (the system
// border for the button-face colour, two bevel rings for any other colour), the focus
// frame, mouse and keyboard handling, the default and cancel roles, and the click that
// first gives the window its modal result and then runs the bound command.

#include <QAbstractButton>
#include <QColor>
#include <QPointer>

class QAction;

class TPicCustomButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit TPicCustomButton(QWidget *parent = nullptr);
    ~TPicCustomButton() override;

    QString Caption() const { return text(); }
    void SetCaption(const QString &caption); // "&" marks the access key

    // The face colour; unset, it follows the system button-face colour.
    QColor Color() const;
    void SetColor(const QColor &color) { Assign(FColor, color); }
    // True when the face colour differs from the system button face (bevel rings).
    bool ColouredFace() const;

    QColor FontColor() const;
    void SetFontColor(const QColor &color);

    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }
    bool Default() const { return FDefault; }
    void SetDefault(bool value) { Assign(FDefault, value); }
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool value) { Assign(FShowFocusRect, value); }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool value);

    // Binds the button to a command: it mirrors the command's caption and enabled state,
    // and a click triggers it.
    void SetAction(QAction *action);
    QAction *Action() const { return FAction; }

    // Enter clicks the active default button: a button with the default role while no
    // other push button has the focus. A button without that role never answers Enter.
    bool IsActiveDefault() const;

protected:
    // Stores a property that changes the look, and repaints.
    template<class T> void Assign(T &field, const T &value)
    {
        field = value;
        update();
    }

    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

    // Draws glyph and caption into the content rectangle (already moved while pressed).
    virtual void DrawContent(QPainter &painter, const QRect &content, bool pressed);

private:
    void DrawFace(QPainter &painter, QRect r, bool pressed) const;
    void DrawFocusRect(QPainter &painter, bool pressed) const;
    void WatchWindowKeys();
    void ModalClick();
    void SyncAction();

    QColor FColor; // invalid: the system button face
    int FModalResult = 0;
    bool FDefault = false;
    bool FCancel = false;
    bool FShowFocusRect = true;
    bool FTabStop = true;
    bool FHotTrack = false;
    QPointer<QAction> FAction;
    QPointer<QWidget> FKeyWindow; // the window whose Enter and Escape keys this button watches
};
