#pragma once
// The everyday commands of desktop editors, beside the main window's own: Undo and Redo
// first in Edit, Select All beside Paste, Find, Find Next and Replace after them; the View
// menu's zoom and the Format menu's character styles (with the font command as well).

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class TFindDialog;
class TPageZoom;
class TRichEdit;

class EverydayCommands : public QObject
{
    Q_OBJECT
public:
    // Adds the commands to window, their items to edit and the View and Format menus to
    // menuBar before help.
    EverydayCommands(TRichEdit *page, QMenuBar *menuBar, QMenu *edit, QMenu *help, QWidget *window);

    TPageZoom &Zoom() const { return *FZoom; }

private:
    void CreateActions();
    void CreateMenus(QMenuBar *menuBar, QMenu *edit, QMenu *help);
    QAction *Action(const char *name) const;
    TFindDialog *FindDialog(); // made at the first Find or Replace
    void ToggleBold();
    void ToggleItalic();
    void ToggleUnderline();

    TRichEdit *FPage;
    QWidget *FWindow;
    TPageZoom *FZoom;
    TFindDialog *FFindDialog = nullptr;
};
