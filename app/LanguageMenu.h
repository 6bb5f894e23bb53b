#pragma once
// The Language menu: one item for each language of the interface, each named in its own
// words, so a child who cannot read the one on screen still finds their own.

#include "spell/core/SpellTypes.h"

#include <QObject>
#include <functional>

class QMenu;
class QMenuBar;
class QWidget;

class LanguageMenu : public QObject
{
    Q_OBJECT
public:
    // Puts the menu before help; choose runs when the user picks a language (the item
    // named "ALanguage_<code>" is checked by whoever applies it).
    LanguageMenu(QMenuBar *menuBar, QMenu *help, std::function<void(TLanguages)> choose,
                 QWidget *window);
};
