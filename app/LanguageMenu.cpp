#include "app/LanguageMenu.h"

#include "app/InterfaceLanguage.h"
#include "app/WindowCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

LanguageMenu::LanguageMenu(QMenuBar *menuBar, QMenu *help, std::function<void(TLanguages)> choose,
                           QWidget *window)
    : QObject(window)
{
    auto *menu = new QMenu(window);
    menu->setObjectName("MLanguage");
    WindowCommands::SetCaption(menu, QT_TRANSLATE_NOOP("TMainForm", "Language"));
    auto *group = new QActionGroup(window);
    for (TLanguages id : InterfaceLanguage::All) {
        const TInterfaceLanguage &language = InterfaceLanguage::Of(id);
        QAction *a = menu->addAction(QString::fromUtf8(language.NativeName));
        a->setObjectName(QString("ALanguage_") + language.Code);
        a->setCheckable(true);
        group->addAction(a);
        connect(a, &QAction::triggered, this,
                WindowCommands::Guarded(window, [choose, id] { choose(id); }));
    }
    menuBar->insertMenu(help->menuAction(), menu);
}
