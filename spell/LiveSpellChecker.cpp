#include "spell/LiveSpellChecker.h"

#include "platform/core/CodePages.h"
#include "platform/gui/Application.h"
#include "platform/gui/TRichEdit.h"
#include "spell/TCustomSpellDlg.h"
#include "spell/core/WordScan.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <string>

namespace {

// Work done at once or in one idle-time slice, with room for the paragraph that
// crosses the line.
constexpr qint64 SliceNs = 6'000'000;
// More paragraphs than a window shows at once.
constexpr int VisibleBlocks = 80;
constexpr int MaxMenuSuggestions = 5;

// Marks a paragraph that changed but waits for a slice to be checked.
class PendingMark : public QTextBlockUserData
{
};

bool IsPending(const QTextBlock &block)
{
    return dynamic_cast<PendingMark *>(block.userData()) != nullptr;
}

// The spell check's view of a text: one code page 437 byte per UTF-16 unit, so that
// positions in both agree.
std::string ToOem(QStringView text)
{
    std::string oem(static_cast<size_t>(text.size()), '\0');
    for (qsizetype i = 0; i < text.size(); ++i)
        oem[static_cast<size_t>(i)] = static_cast<char>(
            CodePages::AnsiToOemChar(CodePages::Utf16UnitToAnsi(text[i].unicode())));
    return oem;
}

// Calls visit(start, length, word) for each word of a paragraph, as F7's scan reads them.
// A run of word characters too long to be a word is passed over.
template<typename Visit> void ForEachWord(const QString &text, Visit visit)
{
    const std::string oem = ToOem(text);
    const auto textLen = static_cast<int32_t>(oem.size()) + 1;
    WordScan::Cursor cursor;
    for (;;) {
        const WordScan::Result result = WordScan::Next(oem.data(), textLen, cursor, {});
        if (result == WordScan::Result::End)
            return;
        if (result == WordScan::Result::TooLong) {
            while (cursor.Pos < textLen
                   && WordScan::IsWordChar(static_cast<unsigned char>(oem[cursor.Pos - 1])))
                ++cursor.Pos;
            continue;
        }
        const int start = cursor.WordStart - 1;
        const int length = cursor.WordEnd - cursor.WordStart;
        if (!visit(start, length,
                   oem.substr(static_cast<size_t>(start), static_cast<size_t>(length))))
            return;
    }
}

QString FromAnsi(const std::string &ansi)
{
    return QString::fromStdString(CodePages::AnsiToUtf8(ansi));
}

} // namespace

LiveSpellChecker::LiveSpellChecker(QTextEdit *edit, TCustomSpellDlg *spell)
    : QSyntaxHighlighter(static_cast<QObject *>(nullptr)) // attached only when enabled
    , FEdit(edit)
    , FSpell(spell)
{
    setParent(edit);
    setObjectName("LiveSpellChecker");
    FMisspelt.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    FMisspelt.setUnderlineColor(Qt::red);
    // Connected before the highlighter's own connection, so the budget and the end of
    // the change are known when the changed paragraphs are checked.
    const auto watch = [this](QTextDocument *doc) {
        connect(doc, &QTextDocument::contentsChange, this, [this](int position, int, int added) {
            FLastEditEnd = position + added;
            FClock.start();
        });
    };
    watch(edit->document());
    // A Rich Text load shows a new document: watched and checked like the old one.
    if (auto *rich = qobject_cast<TRichEdit *>(edit))
        connect(rich, &TRichEdit::DocumentReplaced, this, [this, watch](QTextDocument *doc) {
            watch(doc);
            FExemptStart = FExemptEnd = -1;
            if (FEnabled)
                Attach();
        });
    connect(edit, &QTextEdit::cursorPositionChanged, this, &LiveSpellChecker::CaretMoved);
    connect(spell, &TCustomSpellDlg::WordListsChanged, this, &LiveSpellChecker::RecheckAll);
    // Words another program learned are taken in whenever the program comes to the front.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive && FEnabled && FSpell)
                    FSpell->TakeInOutsideWords();
            });
    edit->installEventFilter(this);
    edit->viewport()->installEventFilter(this);
}

bool LiveSpellChecker::SetEnabled(bool value)
{
    if (value == FEnabled || !FSpell)
        return FEnabled;
    if (!value) {
        FEnabled = false;
        Detach();
        return false;
    }
    bool open = false;
    try {
        open = FSpell->DictionaryActive() || FSpell->ActivateDictionary();
    } catch (const std::exception &e) {
        // A corrupt dictionary: the same report as F7 gives, once.
        TApplication::HandleException(FEdit, e);
    }
    if (!open) {
        emit Disabled();
        return false;
    }
    FEnabled = true;
    Attach();
    return true;
}

void LiveSpellChecker::Attach()
{
    // The highlighter checks the whole text from the next turn of the event loop on.
    FHasPending = true;
    setDocument(FEdit->document());
    ScheduleSlice();
}

void LiveSpellChecker::Detach()
{
    setDocument(nullptr); // drops every underline
    FHasPending = false;
    FExemptStart = FExemptEnd = -1;
    FEdit->viewport()->update();
}

bool LiveSpellChecker::Idle() const
{
    return !FHasPending;
}

bool LiveSpellChecker::WithinBudget() const
{
    return FClock.isValid() && FClock.nsecsElapsed() < SliceNs;
}

void LiveSpellChecker::ScheduleSlice()
{
    if (FSliceQueued)
        return;
    FSliceQueued = true;
    QTimer::singleShot(0, this, &LiveSpellChecker::RunSlice);
}

void LiveSpellChecker::RunSlice()
{
    FSliceQueued = false;
    QTextDocument *doc = document();
    if (!doc || !FHasPending)
        return;
    FClock.start();
    // The paragraphs' new underlines are set first and laid out once at the end: every
    // layout of the document walks all of its paragraphs.
    int dirtyFrom = INT_MAX, dirtyTo = -1;
    auto checkFrom = [&](QTextBlock block, int last) {
        for (; block.isValid() && block.blockNumber() <= last; block = block.next()) {
            if (!IsPending(block))
                continue;
            if (!WithinBudget()) {
                FScanFrom = block.blockNumber();
                return false;
            }
            block.setUserData(nullptr);
            const QList<QTextLayout::FormatRange> underlines = Misspellings(block, block.text());
            if (underlines != block.layout()->formats()) {
                block.layout()->setFormats(underlines);
                dirtyFrom = std::min(dirtyFrom, block.position());
                dirtyTo = std::max(dirtyTo, block.position() + block.length());
            }
        }
        return true;
    };
    const int top = TopVisibleBlock();
    const bool done = checkFrom(doc->findBlockByNumber(top), top + VisibleBlocks)
        && checkFrom(doc->findBlockByNumber(FScanFrom), INT_MAX)
        && checkFrom(doc->begin(), INT_MAX);
    if (dirtyTo >= 0)
        doc->markContentsDirty(dirtyFrom, dirtyTo - dirtyFrom);
    if (done) {
        FHasPending = false;
        FScanFrom = 0;
    } else {
        ScheduleSlice();
    }
}

int LiveSpellChecker::TopVisibleBlock()
{
    // Finding it walks the layout, so it is looked up again only after a scroll.
    const int scroll = FEdit->verticalScrollBar()->value();
    if (scroll != FTopScroll) {
        FTopScroll = scroll;
        FTopBlock = FEdit->cursorForPosition(QPoint(0, 0)).blockNumber();
    }
    return FTopBlock;
}

void LiveSpellChecker::RecheckAll()
{
    QTextDocument *doc = document();
    if (!FEnabled || !doc)
        return;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        block.setUserData(new PendingMark);
    FHasPending = true;
    FScanFrom = 0;
    ScheduleSlice();
}

void LiveSpellChecker::KeepOldUnderlines()
{
    const QTextLayout *layout = currentBlock().layout();
    if (!layout)
        return;
    for (const QTextLayout::FormatRange &range : layout->formats())
        setFormat(range.start, range.length, range.format);
}

int LiveSpellChecker::CaretPosition() const
{
    const QTextCursor caret = FEdit->textCursor();
    return caret.hasSelection() ? -1 : caret.position();
}

void LiveSpellChecker::highlightBlock(const QString &text)
{
    if (!FSpell)
        return;
    if (!WithinBudget()) {
        KeepOldUnderlines();
        setCurrentBlockUserData(new PendingMark);
        FHasPending = true;
        ScheduleSlice();
        return;
    }
    setCurrentBlockUserData(nullptr);
    for (const QTextLayout::FormatRange &range : Misspellings(currentBlock(), text))
        setFormat(range.start, range.length, range.format);
}

QList<QTextLayout::FormatRange> LiveSpellChecker::Misspellings(const QTextBlock &block,
                                                               const QString &text)
{
    QList<QTextLayout::FormatRange> underlines;
    const int blockStart = block.position();
    const int caret = CaretPosition();
    // The word being typed stays without a line until the caret leaves it: the caret
    // sits where the last change ended, or still in the word exempted before.
    const bool wasExempt = FExemptStart >= blockStart && FExemptStart < blockStart + text.size()
        && caret > FExemptStart && caret <= FExemptEnd;
    const bool typing = caret >= 0 && (caret == FLastEditEnd || wasExempt);
    if (FExemptStart >= blockStart && FExemptStart <= blockStart + text.size())
        FExemptStart = FExemptEnd = -1;
    ForEachWord(text, [&](int start, int length, const std::string &word) {
        if (typing && caret > blockStart + start && caret <= blockStart + start + length) {
            FExemptStart = blockStart + start;
            FExemptEnd = blockStart + start + length;
        } else if (FSpell->IsMisspelt(word)) {
            underlines.append({ start, length, FMisspelt });
        }
        return true;
    });
    return underlines;
}

void LiveSpellChecker::CaretMoved()
{
    if (FExemptStart < 0 || !document())
        return;
    const int caret = CaretPosition();
    if (caret > FExemptStart && caret <= FExemptEnd)
        return;
    const QTextBlock block = document()->findBlock(FExemptStart);
    FExemptStart = FExemptEnd = -1;
    FLastEditEnd = -1;
    FClock.start();
    rehighlightBlock(block);
}

bool LiveSpellChecker::MisspeltWordAt(int position, int &start, int &length) const
{
    if (!FEnabled || !FSpell)
        return false;
    const QTextBlock block = FEdit->document()->findBlock(position);
    if (!block.isValid())
        return false;
    const int offset = position - block.position();
    bool found = false;
    ForEachWord(block.text(), [&](int wordStart, int wordLength, const std::string &word) {
        if (offset < wordStart)
            return false;
        if (offset <= wordStart + wordLength && FSpell->IsMisspelt(word)) {
            start = block.position() + wordStart;
            length = wordLength;
            found = true;
            return false;
        }
        return true;
    });
    return found;
}

void LiveSpellChecker::ReplaceWord(int start, int length, const QString &text)
{
    QTextCursor cursor(FEdit->document());
    cursor.setPosition(start + 1);
    const QTextCharFormat format = cursor.charFormat(); // that of the word's first letter
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    cursor.beginEditBlock();
    cursor.insertText(text, format);
    cursor.endEditBlock();
    FEdit->setTextCursor(cursor);
}

QMenu *LiveSpellChecker::CreateSpellingMenu(int position)
{
    int start = 0, length = 0;
    if (!MisspeltWordAt(position, start, length))
        return nullptr;
    const QTextBlock block = FEdit->document()->findBlock(start);
    const std::string word = ToOem(block.text().mid(start - block.position(), length));
    QMenu *menu = FEdit->createStandardContextMenu();
    menu->setObjectName("SpellingMenu");
    QAction *standard = menu->actions().value(0);
    auto add = [menu, standard](const QString &caption, const char *name) {
        auto *action = new QAction(caption, menu);
        action->setObjectName(name);
        menu->insertAction(standard, action);
        return action;
    };
    if (auto suggestions = FSpell->WordSuggestions(word)) {
        for (int i = 0; i < suggestions->Count() && i < MaxMenuSuggestions; ++i) {
            const QString replacement = FromAnsi((*suggestions)[i]);
            connect(
                add(replacement, "Suggestion"), &QAction::triggered, this,
                [this, start, length, replacement] { ReplaceWord(start, length, replacement); });
        }
    }
    menu->insertSeparator(standard);
    QPointer<TCustomSpellDlg> spell = FSpell;
    connect(add(tr("Ignore All"), "IgnoreAll"), &QAction::triggered, this, [spell, word] {
        if (spell)
            spell->IgnoreAll(word);
    });
    connect(add(tr("Add to Dictionary"), "AddToDictionary"), &QAction::triggered, this,
            [spell, word] {
                if (spell)
                    spell->LearnWord(word);
            });
    menu->insertSeparator(standard);
    return menu;
}

bool LiveSpellChecker::ShowMenu(QContextMenuEvent *event)
{
    const bool keyboard = event->reason() != QContextMenuEvent::Mouse;
    int position = CaretPosition();
    QPoint global = event->globalPos();
    if (!keyboard)
        position = FEdit->cursorForPosition(FEdit->viewport()->mapFromGlobal(global)).position();
    else if (position < 0)
        position = FEdit->textCursor().position();
    QMenu *menu = CreateSpellingMenu(position);
    if (!menu)
        return false; // the edit's own menu
    if (keyboard)
        global = FEdit->viewport()->mapToGlobal(FEdit->cursorRect().bottomLeft());
    menu->exec(global);
    delete menu;
    return true;
}

bool LiveSpellChecker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FEdit && event->type() == QEvent::KeyPress) {
        // The menu key and Shift+F10 open the context menu at the caret.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Menu
            || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            const QPoint local = FEdit->cursorRect().bottomLeft();
            QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard,
                                        FEdit->viewport()->mapTo(FEdit, local),
                                        FEdit->viewport()->mapToGlobal(local));
            QGuiApplication::sendEvent(FEdit, &menuEvent);
            return true;
        }
    }
    if (event->type() == QEvent::ContextMenu && FEnabled
        && (watched == FEdit || watched == FEdit->viewport()))
        return ShowMenu(static_cast<QContextMenuEvent *>(event));
    return QSyntaxHighlighter::eventFilter(watched, event);
}

LiveSpellChecker::Pause::Pause(LiveSpellChecker *checker)
    : FChecker(checker)
    , FWasEnabled(checker && checker->Enabled())
{
    if (FWasEnabled)
        checker->Detach();
}

LiveSpellChecker::Pause::~Pause()
{
    if (FWasEnabled && FChecker && FChecker->Enabled())
        FChecker->Attach();
}
