#pragma once
// A right-click with the mouse on the first occurrence of a word of a text edit, as a
// child opens the spelling menu.

#include <QApplication>
#include <QContextMenuEvent>
#include <QTextCursor>
#include <QTextEdit>

inline void RightClickOn(QTextEdit *edit, const QString &word)
{
    QTextCursor c(edit->document());
    c.setPosition(static_cast<int>(edit->toPlainText().indexOf(word)) + 2);
    const QPoint at = edit->cursorRect(c).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, edit->viewport()->mapToGlobal(at));
    QApplication::sendEvent(edit->viewport(), &event);
}
