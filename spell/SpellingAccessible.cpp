#include "spell/SpellingAccessible.h"

#include "spell/LiveSpellChecker.h"

#include <QAccessibleWidget>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// An editable multi-line text whose offsets are the document's positions, as for any
// text edit; its attributes carry the checker's flagged words.
class SpellingTextAccessible : public QAccessibleWidget,
                               public QAccessibleTextInterface,
                               public QAccessibleEditableTextInterface
{
public:
    explicit SpellingTextAccessible(QTextEdit *edit)
        : QAccessibleWidget(edit, QAccessible::EditableText)
    { }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.multiLine = true;
        s.selectableText = true;
        s.editable = !Edit()->isReadOnly();
        s.readOnly = Edit()->isReadOnly();
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? Edit()->toPlainText() : QAccessibleWidget::text(t);
    }

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        const QTextCursor cursor = Edit()->textCursor();
        const bool has = selectionIndex == 0 && cursor.hasSelection();
        *startOffset = has ? cursor.selectionStart() : 0;
        *endOffset = has ? cursor.selectionEnd() : 0;
    }
    int selectionCount() const override { return Edit()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override
    {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex != 0)
            return;
        QTextCursor cursor = Edit()->textCursor();
        cursor.clearSelection();
        Edit()->setTextCursor(cursor);
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex != 0)
            return;
        QTextCursor cursor = CursorAt(startOffset);
        cursor.setPosition(Clamp(endOffset), QTextCursor::KeepAnchor);
        Edit()->setTextCursor(cursor);
    }
    int cursorPosition() const override { return Edit()->textCursor().position(); }
    void setCursorPosition(int position) override { Edit()->setTextCursor(CursorAt(position)); }
    QString text(int startOffset, int endOffset) const override
    {
        QTextCursor cursor = CursorAt(startOffset);
        cursor.setPosition(Clamp(endOffset), QTextCursor::KeepAnchor);
        return cursor.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    }
    int characterCount() const override { return Edit()->document()->characterCount() - 1; }
    QRect characterRect(int offset) const override
    {
        QRect rect = Edit()->cursorRect(CursorAt(offset));
        rect.setWidth(Edit()->fontMetrics().horizontalAdvance(text(offset, offset + 1)));
        return rect.translated(Edit()->viewport()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return Edit()->cursorForPosition(Edit()->viewport()->mapFromGlobal(point)).position();
    }
    void scrollToSubstring(int startIndex, int) override
    {
        const QRect rect = Edit()->cursorRect(CursorAt(startIndex));
        if (!Edit()->viewport()->rect().contains(rect))
            Edit()->verticalScrollBar()->setValue(Edit()->verticalScrollBar()->value()
                                                  + rect.top());
    }

    // The run of equal attributes around offset: a flagged word, or the text between two.
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        const QTextBlock block = Edit()->document()->findBlock(Clamp(offset));
        const int base = block.position();
        int start = base;
        int end = base + block.length();
        if (const LiveSpellChecker *checker = Checker()) {
            for (const LiveSpellChecker::Underline &word : checker->Underlines(block)) {
                const int wordStart = base + word.Start;
                const int wordEnd = wordStart + word.Length;
                if (offset >= wordStart && offset < wordEnd) {
                    *startOffset = wordStart;
                    *endOffset = wordEnd;
                    return word.Kind == LiveSpellChecker::Problem::Spelling
                        ? QStringLiteral("invalid:spelling;")
                        : QStringLiteral("invalid:grammar;");
                }
                if (wordEnd <= offset)
                    start = std::max(start, wordEnd);
                else
                    end = std::min(end, wordStart);
            }
        }
        *startOffset = start;
        *endOffset = end;
        return {};
    }

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override
    {
        QTextCursor cursor = CursorAt(startOffset);
        cursor.setPosition(Clamp(endOffset), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    void insertText(int offset, const QString &text) override { CursorAt(offset).insertText(text); }
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        QTextCursor cursor = CursorAt(startOffset);
        cursor.setPosition(Clamp(endOffset), QTextCursor::KeepAnchor);
        cursor.insertText(text);
    }

private:
    QTextEdit *Edit() const { return static_cast<QTextEdit *>(widget()); }
    const LiveSpellChecker *Checker() const
    {
        return Edit()->findChild<LiveSpellChecker *>(QString(), Qt::FindDirectChildrenOnly);
    }
    int Clamp(int offset) const { return std::clamp(offset, 0, characterCount()); }
    QTextCursor CursorAt(int offset) const
    {
        QTextCursor cursor(Edit()->document());
        cursor.setPosition(Clamp(offset));
        return cursor;
    }
};

} // namespace

namespace SpellingAccessible {

QAccessibleInterface *Create(const QString &key, QObject *object)
{
    // Only for the object's own class, so that a subclass of a text edit is not taken by
    // Qt's interface for its base class first.
    auto *edit = qobject_cast<QTextEdit *>(object);
    if (!edit || key != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (!edit->findChild<LiveSpellChecker *>(QString(), Qt::FindDirectChildrenOnly))
        return nullptr;
    return new SpellingTextAccessible(edit);
}

void Attach(QTextEdit *edit)
{
    static const bool installed = [] {
        QAccessible::installFactory(&Create);
        return true;
    }();
    (void)installed;
    // An interface made before the checker (setting the page's name makes one) is dropped,
    // so that the next request makes this one.
    QAccessibleInterface *current = QAccessible::queryAccessibleInterface(edit);
    if (current && !dynamic_cast<SpellingTextAccessible *>(current))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
}

} // namespace SpellingAccessible
