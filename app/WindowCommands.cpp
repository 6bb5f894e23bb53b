#include "app/WindowCommands.h"

#include "platform/gui/Application.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <exception>

namespace {

const char *const SourceText = "sourceText";

QString Translated(const char *source)
{
    return QCoreApplication::translate("TMainForm", source);
}

} // namespace

void WindowCommands::SetCaption(QAction *action, const char *source)
{
    action->setProperty(SourceText, source);
    action->setText(Translated(source));
}

void WindowCommands::SetCaption(QMenu *menu, const char *source)
{
    menu->setProperty(SourceText, source);
    menu->setTitle(Translated(source));
}

QByteArray WindowCommands::SourceOf(const QObject *object)
{
    return object->property(SourceText).toByteArray();
}

std::function<void()> WindowCommands::Guarded(QObject *sender, std::function<void()> handler)
{
    return [sender, handler = std::move(handler)] {
        try {
            handler();
        } catch (const std::exception &e) {
            TApplication::HandleException(sender, e);
        }
    };
}
