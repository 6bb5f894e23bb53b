#include "app/FocusedEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <type_traits>

namespace {

// Calls command with the focused edit control as the kind it is.
template<typename Command> void OnFocusedEdit(Command &&command)
{
    QWidget *w = QApplication::focusWidget();
    if (auto *line = qobject_cast<QLineEdit *>(w))
        command(*line);
    else if (auto *text = qobject_cast<QTextEdit *>(w))
        command(*text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        command(*plain);
}

} // namespace

void FocusedEdit::Cut()
{
    OnFocusedEdit([](auto &edit) { edit.cut(); });
}

void FocusedEdit::Copy()
{
    OnFocusedEdit([](auto &edit) { edit.copy(); });
}

void FocusedEdit::Paste()
{
    OnFocusedEdit([](auto &edit) { edit.paste(); });
}

bool FocusedEdit::HasSelection()
{
    bool selection = false;
    OnFocusedEdit([&selection](auto &edit) {
        if constexpr (std::is_same_v<std::decay_t<decltype(edit)>, QLineEdit>)
            selection = edit.hasSelectedText();
        else
            selection = edit.textCursor().hasSelection();
    });
    return selection;
}
