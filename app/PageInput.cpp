#include "app/PageInput.h"

#include "platform/gui/TRichEdit.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <QTimer>
#include <algorithm>

namespace {

// Draws the title that holds the keyboard (after a tap of Alt, or Escape out of a menu)
// as an open one: a menu bar that takes the keys must show that it has them.
class MenuBarStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (element == CE_MenuBarItem && item && widget && widget->hasFocus()
            && (item->state & State_Selected)) {
            QStyleOptionMenuItem shown = *item;
            shown.state |= State_Sunken;
            QProxyStyle::drawControl(element, &shown, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

} // namespace

PageInput::PageInput(QMenuBar *menuBar, TRichEdit *page, QList<QAction *> styleCommands,
                     std::function<void(const QString &, int)> openDropped, QObject *parent)
    : QObject(parent)
    , FMenuBar(menuBar)
    , FPage(page)
    , FStyleCommands(std::move(styleCommands))
    , FOpenDropped(std::move(openDropped))
{
    auto *style = new MenuBarStyle;
    style->setParent(menuBar);
    menuBar->setStyle(style);
    menuBar->installEventFilter(this);
    page->installEventFilter(this);
    page->viewport()->installEventFilter(this); // where files are dropped
}

bool PageInput::HandMenuLetterToPage(QObject *watched, QEvent *event)
{
    // A letter that opens no menu, typed while the menu bar holds the keyboard, gives the
    // keyboard back to the page and is typed there.
    if (watched == FMenuBar && event->type() == QEvent::KeyPress && FMenuBar->hasFocus()
        && !QApplication::activePopupWidget()) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        const bool printable = text.size() == 1 && text[0].isPrint()
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        const auto titles = FMenuBar->actions();
        const bool opensMenu = std::any_of(titles.begin(), titles.end(), [&text](QAction *a) {
            return QKeySequence::mnemonic(a->text())
                == QKeySequence(Qt::ALT | text[0].toUpper().unicode());
        });
        if (printable && !opensMenu) {
            FPage->setFocus(Qt::OtherFocusReason);
            QApplication::sendEvent(FPage, event);
            return true;
        }
    }
    return false;
}

bool PageInput::KeepStyleKeyFromPage(QObject *watched, QEvent *event)
{
    // The page would take Ctrl+U to delete its line (the X11 habit); in a word processor
    // it underlines, as Ctrl+B and Ctrl+I make bold and italic.
    if (watched == FPage && event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        for (QAction *command : FStyleCommands)
            if (command->shortcut() == QKeySequence(key->keyCombination())) {
                event->ignore();
                return true;
            }
    }
    return false;
}

bool PageInput::OpenDroppedStory(QObject *watched, QEvent *event)
{
    // A .rtf or .txt file dropped on the page is opened, as Open would, instead of its
    // address being typed; dropped text is still the page's to insert.
    const QEvent::Type type = event->type();
    if (watched != FPage->viewport()
        || (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop))
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QMimeData *dropped = drop->mimeData();
    if (!dropped || !dropped->hasUrls() || !dropped->urls().constFirst().isLocalFile())
        return false;
    const QString file = dropped->urls().constFirst().toLocalFile();
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix != "rtf" && suffix != "txt")
        return false;
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        // After the drop has ended: the question about unsaved work needs its own loop.
        QTimer::singleShot(0, this,
                           [this, file, suffix] { FOpenDropped(file, suffix == "rtf" ? 1 : 2); });
    }
    return true;
}

bool PageInput::eventFilter(QObject *watched, QEvent *event)
{
    return HandMenuLetterToPage(watched, event) || KeepStyleKeyFromPage(watched, event)
        || OpenDroppedStory(watched, event) || QObject::eventFilter(watched, event);
}
