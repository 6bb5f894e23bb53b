#include "app/TypingCorrector.h"

#include "platform/gui/TRichEdit.h"
#include "spell/TCustomSpellDlg.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTextDocument>
#include <algorithm>

TypingCorrector::TypingCorrector(TRichEdit *edit, TCustomSpellDlg *spellDlg, QObject *parent)
    : QObject(parent)
    , FEdit(edit)
    , FSpellDlg(spellDlg)
{
    edit->installEventFilter(this);
}

bool TypingCorrector::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != FEdit || event->type() != QEvent::KeyPress || FDelivering)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->matches(QKeySequence::Undo) && FEdit->document()->revision() == FCorrectedRevision) {
        // Undoing the correction right after it: the typed word comes back and the caret
        // goes back after the key that was typed, where the child left it.
        Deliver(event);
        QTextCursor cursor = FEdit->textCursor();
        cursor.setPosition(
            std::min(FCaretBeforeCorrection, FEdit->document()->characterCount() - 1));
        FEdit->setTextCursor(cursor);
        FCorrectedRevision = -1;
        return true;
    }
    if (!FEnabled || FNoDictionary || FEdit->isReadOnly() || FSpellDlg->AutoCorrectList().empty())
        return false;
    const bool plain = (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
    uint16_t code = 0;
    if (key->key() == Qt::Key_Space)
        code = 32;
    else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        code = 13;
    if (!code || !plain)
        return false;
    // The correction looks at the text with the key already in it: the page takes the key
    // first, then the word before it is corrected, before any later key is handled.
    Deliver(event);
    const int caret = FEdit->textCursor().position();
    const int revision = FEdit->document()->revision();
    try {
        FSpellDlg->AutoCorrectKey(FEdit, true, code);
        FNoDictionary = !FSpellDlg->DictionaryActive();
    } catch (...) {
        FNoDictionary = true; // a corrupt dictionary: its error is shown once
        throw;
    }
    if (FEdit->document()->revision() != revision) {
        FCaretBeforeCorrection = caret;
        FCorrectedRevision = FEdit->document()->revision();
    }
    return true;
}

void TypingCorrector::Deliver(QEvent *event)
{
    FDelivering = true;
    QCoreApplication::sendEvent(FEdit, event);
    FDelivering = false;
}
