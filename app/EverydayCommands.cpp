#include "app/EverydayCommands.h"

#include "app/FindDialog.h"
#include "app/PageZoom.h"
#include "app/WindowCommands.h"
#include "platform/gui/TRichEdit.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTextCharFormat>

using WindowCommands::Guarded;
using WindowCommands::SetCaption;

EverydayCommands::EverydayCommands(TRichEdit *page, QMenuBar *menuBar, QMenu *edit, QMenu *help,
                                   QWidget *window)
    : QObject(window)
    , FPage(page)
    , FWindow(window)
    , FZoom(new TPageZoom(page))
{
    CreateActions();
    CreateMenus(menuBar, edit, help);
    connect(page, &QTextEdit::undoAvailable, Action("AEditUndo"), &QAction::setEnabled);
    connect(page, &QTextEdit::redoAvailable, Action("AEditRedo"), &QAction::setEnabled);
    connect(page, &QTextEdit::currentCharFormatChanged, this, [this](const QTextCharFormat &f) {
        Action("AFormatBold")->setChecked(f.fontWeight() > QFont::Normal);
        Action("AFormatItalic")->setChecked(f.fontItalic());
        Action("AFormatUnderline")->setChecked(f.fontUnderline());
    });
    Action("AEditUndo")->setEnabled(false);
    Action("AEditRedo")->setEnabled(false);
}

void EverydayCommands::CreateActions()
{
    struct Command
    {
        const char *name, *caption;
        QList<QKeySequence> shortcuts;
        std::function<void()> handler;
    };
    const Command commands[] = {
        { "AEditUndo",
          QT_TRANSLATE_NOOP("TMainForm", "&Undo"),
          { QKeySequence::Undo },
          [this] { FPage->undo(); } },
        { "AEditRedo",
          QT_TRANSLATE_NOOP("TMainForm", "&Redo"),
          { QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z") },
          [this] { FPage->redo(); } },
        { "AEditSelectAll",
          QT_TRANSLATE_NOOP("TMainForm", "Select &All"),
          { QKeySequence::SelectAll },
          [this] { FPage->selectAll(); } },
        { "AEditFind",
          QT_TRANSLATE_NOOP("TMainForm", "&Find..."),
          { QKeySequence::Find },
          [this] { FindDialog()->ShowFind(); } },
        { "AEditFindNext",
          QT_TRANSLATE_NOOP("TMainForm", "Find &Next"),
          { QKeySequence(Qt::Key_F3) },
          [this] { FindDialog()->FindNext(); } },
        { "AEditReplace",
          QT_TRANSLATE_NOOP("TMainForm", "R&eplace..."),
          { QKeySequence("Ctrl+H") },
          [this] { FindDialog()->ShowReplace(); } },
        { "AFormatBold",
          QT_TRANSLATE_NOOP("TMainForm", "&Bold"),
          { QKeySequence::Bold },
          [this] { ToggleBold(); } },
        { "AFormatItalic",
          QT_TRANSLATE_NOOP("TMainForm", "&Italic"),
          { QKeySequence::Italic },
          [this] { ToggleItalic(); } },
        { "AFormatUnderline",
          QT_TRANSLATE_NOOP("TMainForm", "&Underline"),
          { QKeySequence::Underline },
          [this] { ToggleUnderline(); } },
        { "AViewZoomIn",
          QT_TRANSLATE_NOOP("TMainForm", "Zoom &In"),
          { QKeySequence("Ctrl++"), QKeySequence("Ctrl+=") },
          [this] { FZoom->ZoomIn(); } },
        { "AViewZoomOut",
          QT_TRANSLATE_NOOP("TMainForm", "Zoom &Out"),
          { QKeySequence("Ctrl+-") },
          [this] { FZoom->ZoomOut(); } },
        { "AViewZoomReset",
          QT_TRANSLATE_NOOP("TMainForm", "&Normal Size"),
          { QKeySequence("Ctrl+0") },
          [this] { FZoom->Reset(); } },
    };
    for (const Command &c : commands) {
        auto *action = new QAction(FWindow);
        SetCaption(action, c.caption);
        action->setObjectName(c.name);
        action->setShortcuts(c.shortcuts);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, Guarded(FWindow, c.handler));
        FWindow->addAction(action);
    }
}

QAction *EverydayCommands::Action(const char *name) const
{
    return FWindow->findChild<QAction *>(name);
}

void EverydayCommands::CreateMenus(QMenuBar *menuBar, QMenu *edit, QMenu *help)
{
    QAction *cut = Action("AEditCut");
    edit->insertActions(cut, { Action("AEditUndo"), Action("AEditRedo") });
    edit->insertSeparator(cut);
    const QList<QAction *> items = edit->actions();
    QAction *fontSeparator = items.at(items.indexOf(Action("AFontEdit")) - 1);
    edit->insertAction(fontSeparator, Action("AEditSelectAll"));
    edit->insertSeparator(fontSeparator);
    edit->insertActions(fontSeparator,
                        { Action("AEditFind"), Action("AEditFindNext"), Action("AEditReplace") });

    QMenu *view = new QMenu(FWindow);
    SetCaption(view, QT_TRANSLATE_NOOP("TMainForm", "View"));
    view->setObjectName("MView");
    view->addActions({ Action("AViewZoomIn"), Action("AViewZoomOut"), Action("AViewZoomReset") });
    QMenu *format = new QMenu(FWindow);
    SetCaption(format, QT_TRANSLATE_NOOP("TMainForm", "Format"));
    format->setObjectName("MFormat");
    for (const char *name : { "AFormatBold", "AFormatItalic", "AFormatUnderline" }) {
        Action(name)->setCheckable(true);
        format->addAction(Action(name));
    }
    // Help sends the child to the Format menu for the font; it stays in Edit as well.
    format->addSeparator();
    format->addAction(Action("AFontEdit"));
    menuBar->insertMenu(help->menuAction(), view);
    menuBar->insertMenu(help->menuAction(), format);
}

TFindDialog *EverydayCommands::FindDialog()
{
    if (!FFindDialog)
        FFindDialog = new TFindDialog(FPage, FWindow);
    return FFindDialog;
}

// Each style is switched for the selection, or for what is typed next at the caret, in
// one merge of the format: one step to undo.
void EverydayCommands::ToggleBold()
{
    QTextCharFormat f;
    f.setFontWeight(FPage->currentCharFormat().fontWeight() > QFont::Normal ? QFont::Normal
                                                                            : QFont::Bold);
    FPage->mergeCurrentCharFormat(f);
}

void EverydayCommands::ToggleItalic()
{
    QTextCharFormat f;
    f.setFontItalic(!FPage->currentCharFormat().fontItalic());
    FPage->mergeCurrentCharFormat(f);
}

void EverydayCommands::ToggleUnderline()
{
    QTextCharFormat f;
    f.setFontUnderline(!FPage->currentCharFormat().fontUnderline());
    FPage->mergeCurrentCharFormat(f);
}
