#pragma once
// Helpers shared by the main window and the classes that add its commands: captions that
// keep their English source, so a change of language finds every text again, and handlers
// that report what they raise instead of letting it unwind through the toolkit.

#include <QByteArray>
#include <functional>

class QAction;
class QMenu;
class QObject;

namespace WindowCommands {

// Sets the caption, translated in the main window's context, and keeps its source.
void SetCaption(QAction *action, const char *source);
void SetCaption(QMenu *menu, const char *source);
QByteArray SourceOf(const QObject *object); // empty for a text kept nowhere

// A command handler that shows what it raises over sender; the program goes on.
std::function<void()> Guarded(QObject *sender, std::function<void()> handler);

} // namespace WindowCommands
