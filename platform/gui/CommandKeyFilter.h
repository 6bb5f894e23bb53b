#pragma once
// Keys held with Alt or Ctrl are commands, never text: a chord that runs no command types
// nothing into an edit control either (Alt+F in the page would otherwise type "f" on X11).
// AltGr stays a way to type: X11 reports it as the group-switch modifier, other systems
// as Ctrl+Alt, and both keep their text.

#include <QObject>

class QKeyEvent;

class CommandKeyFilter : public QObject
{
    Q_OBJECT
public:
    // Filters the key presses of every window of the application while parent lives.
    explicit CommandKeyFilter(QObject *parent);
    ~CommandKeyFilter() override;

    // Whether the key press is a command chord that carries text an edit would type.
    static bool TypesCommandText(const QKeyEvent &key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
