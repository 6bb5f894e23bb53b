#pragma once
// What the keyboard and the mouse bring to the page beyond the window's commands: a letter
// typed while the menu bar holds the keyboard goes to the page, the style keys (Ctrl+B, I,
// U) stay commands rather than the page's own, and a story file dropped on the page is
// opened. The menu bar also shows when it holds the keyboard.

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMenuBar;
class TRichEdit;

class PageInput : public QObject
{
    Q_OBJECT
public:
    // openDropped opens a dropped file with the Open dialog's filter entry (1 Rich Text,
    // 2 plain text), after the drop has ended.
    PageInput(QMenuBar *menuBar, TRichEdit *page, QList<QAction *> styleCommands,
              std::function<void(const QString &, int)> openDropped, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool HandMenuLetterToPage(QObject *watched, QEvent *event);
    bool KeepStyleKeyFromPage(QObject *watched, QEvent *event);
    bool OpenDroppedStory(QObject *watched, QEvent *event);

    QMenuBar *FMenuBar;
    TRichEdit *FPage;
    QList<QAction *> FStyleCommands;
    std::function<void(const QString &, int)> FOpenDropped;
};
