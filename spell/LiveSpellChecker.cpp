#include "spell/LiveSpellChecker.h"

#include "platform/gui/AnsiString.h"
#include "platform/gui/Application.h"
#include "platform/gui/TRichEdit.h"
#include "spell/SpellingAccessible.h"
#include "spell/TCustomSpellDlg.h"
#include "spell/core/ContextCheck.h"
#include "spell/core/WordScan.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <string>
#include <utility>

namespace {

// Work done at once or in one idle-time slice, with room for the paragraph that
// crosses the line.
constexpr qint64 SliceNs = 6'000'000;
// More paragraphs than a window shows at once.
constexpr int VisibleBlocks = 80;
constexpr int MaxMenuSuggestions = 5;

// What is known of a paragraph's spelling: its misspelt words, and whether it changed
// but waits for a slice to be checked (its old words are shown until then).
class BlockSpelling : public QTextBlockUserData
{
public:
    QList<LiveSpellChecker::Underline> Words;
    bool Pending = false;
};

BlockSpelling *SpellingOf(const QTextBlock &block)
{
    return dynamic_cast<BlockSpelling *>(block.userData());
}

BlockSpelling &SpellingFor(QTextBlock block)
{
    BlockSpelling *spelling = SpellingOf(block);
    if (!spelling) {
        spelling = new BlockSpelling;
        block.setUserData(spelling);
    }
    return *spelling;
}

bool IsPending(const QTextBlock &block)
{
    const BlockSpelling *spelling = SpellingOf(block);
    return spelling && spelling->Pending;
}

// A zigzag from x1 to x2 just below the baseline y, filled from a tile: a pattern is
// far cheaper to paint than a smoothed polyline on every key. Misspelt words get an even
// red wave; words flagged in context a blue row of arches with gaps, which differs in
// shape as well as colour for children who do not tell red from blue.
void DrawWave(QPainter &painter, qreal x1, qreal x2, qreal y, LiveSpellChecker::Problem kind)
{
    static const QBrush spelling = [] {
        QPixmap tile(4, 3);
        tile.fill(Qt::transparent);
        QPainter tilePainter(&tile);
        tilePainter.setPen(Qt::red);
        tilePainter.drawPoints(QPolygon({ { 0, 2 }, { 1, 1 }, { 2, 0 }, { 3, 1 } }));
        return QBrush(tile);
    }();
    static const QBrush context = [] {
        QPixmap tile(8, 3);
        tile.fill(Qt::transparent);
        QPainter tilePainter(&tile);
        tilePainter.setPen(QColor(0, 80, 220));
        tilePainter.drawPoints(
            QPolygon({ { 0, 2 }, { 1, 1 }, { 2, 0 }, { 3, 0 }, { 4, 1 }, { 5, 2 } }));
        return QBrush(tile);
    }();
    const bool inContext = kind != LiveSpellChecker::Problem::Spelling;
    // A flagged "i" is narrower than one arch: the line is widened to a whole arch, centred
    // under the letter, so that it can be seen.
    constexpr qreal ArchWidth = 6;
    if (inContext && x2 - x1 < ArchWidth) {
        const qreal middle = (x1 + x2) / 2;
        x1 = middle - ArchWidth / 2;
        x2 = middle + ArchWidth / 2;
    }
    painter.setBrushOrigin(QPointF(x1, y - 1));
    painter.fillRect(QRectF(x1, y - 1, x2 - x1, 3), inContext ? context : spelling);
}

// Calls visit(start, length, word) for each word of a paragraph, as F7's scan reads them.
// A run of word characters too long to be a word is passed over.
template<typename Visit> void ForEachWord(const QString &text, Visit visit)
{
    const std::string ansi = ToAnsi(text).str();
    const auto textLen = static_cast<int32_t>(ansi.size()) + 1;
    WordScan::Cursor cursor;
    for (;;) {
        const WordScan::Result result = WordScan::Next(ansi.data(), textLen, cursor, {});
        if (result == WordScan::Result::End)
            return;
        if (result == WordScan::Result::TooLong) {
            while (cursor.Pos < textLen
                   && WordScan::IsWordChar(static_cast<unsigned char>(ansi[cursor.Pos - 1])))
                ++cursor.Pos;
            continue;
        }
        const int start = cursor.WordStart - 1;
        const int length = cursor.WordEnd - cursor.WordStart;
        if (!visit(start, length,
                   AnsiText(ansi.substr(static_cast<size_t>(start), static_cast<size_t>(length)))))
            return;
    }
}

// The edit's own context menu with the spelling entries put in front of its first entry.
class MenuWithHead
{
public:
    MenuWithHead(QTextEdit *edit, const char *name)
        : Menu(edit->createStandardContextMenu())
        , FFirst(Menu->actions().value(0))
    {
        Menu->setObjectName(name);
    }
    QAction *Add(const QString &caption, const char *name)
    {
        auto *action = new QAction(caption, Menu.get());
        action->setObjectName(name);
        Menu->insertAction(FFirst, action);
        return action;
    }
    void AddSeparator() { Menu->insertSeparator(FFirst); }

    std::unique_ptr<QMenu> Menu;

private:
    QAction *FFirst;
};

} // namespace

LiveSpellChecker::LiveSpellChecker(QTextEdit *edit, TCustomSpellDlg *spell)
    : QSyntaxHighlighter(static_cast<QObject *>(nullptr)) // attached only when enabled
    , FEdit(edit)
    , FSpell(spell)
{
    setParent(edit);
    setObjectName("LiveSpellChecker");
    // A screen reader hears the flagged words through the edit's accessible text.
    SpellingAccessible::Attach(edit);
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
            FIgnored.clear();
            FCaretBlock = -1;
            if (FEnabled)
                Attach();
        });
    connect(edit, &QTextEdit::cursorPositionChanged, this, &LiveSpellChecker::CaretMoved);
    connect(spell, &TCustomSpellDlg::WordListsChanged, this, &LiveSpellChecker::RecheckAll);
    connect(spell, &TCustomSpellDlg::ContextChanged, this, &LiveSpellChecker::RecheckAll);
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
    // The words found so far go too: the text may change before checking resumes.
    for (QTextBlock block = FEdit->document()->begin(); block.isValid(); block = block.next())
        block.setUserData(nullptr);
    setDocument(nullptr);
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
    bool changed = false;
    auto checkFrom = [&](QTextBlock block, int last) {
        for (; block.isValid() && block.blockNumber() <= last; block = block.next()) {
            if (!IsPending(block))
                continue;
            if (!WithinBudget()) {
                FScanFrom = block.blockNumber();
                return false;
            }
            BlockSpelling &spelling = SpellingFor(block);
            spelling.Pending = false;
            QList<Underline> words = Misspellings(block, block.text());
            if (words != spelling.Words) {
                spelling.Words = std::move(words);
                changed = true;
            }
        }
        return true;
    };
    const int top = TopVisibleBlock();
    const bool done = checkFrom(doc->findBlockByNumber(top), top + VisibleBlocks)
        && checkFrom(doc->findBlockByNumber(FScanFrom), INT_MAX)
        && checkFrom(doc->begin(), INT_MAX);
    if (changed)
        FEdit->viewport()->update();
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
        SpellingFor(block).Pending = true;
    FHasPending = true;
    FScanFrom = 0;
    ScheduleSlice();
}

QList<LiveSpellChecker::Underline> LiveSpellChecker::Underlines(const QTextBlock &block) const
{
    const BlockSpelling *spelling = SpellingOf(block);
    return document() && spelling ? spelling->Words : QList<Underline>();
}

void LiveSpellChecker::UpdateBlockArea(const QTextBlock &block)
{
    const QRectF area = document()->documentLayout()->blockBoundingRect(block);
    FEdit->viewport()->update(area.toAlignedRect().translated(
        -FEdit->horizontalScrollBar()->value(), -FEdit->verticalScrollBar()->value()));
}

QTextBlock LiveSpellChecker::FirstBlockIn(const QRect &area) const
{
    // Sought from the caret's paragraph, where the text changes while typing: finding it
    // from a point walks the layout from the start of the document.
    const qreal top = area.top() + FEdit->verticalScrollBar()->value();
    const QAbstractTextDocumentLayout *layout = document()->documentLayout();
    QTextBlock block = FEdit->textCursor().block();
    for (int step = 0; block.isValid() && step < VisibleBlocks; ++step) {
        const QRectF rect = layout->blockBoundingRect(block);
        if (rect.top() > top && block.previous().isValid())
            block = block.previous();
        else if (rect.bottom() < top && block.next().isValid())
            block = block.next();
        else
            return block;
    }
    return FEdit->cursorForPosition(area.topLeft()).block();
}

void LiveSpellChecker::PaintUnderlines(const QRect &area)
{
    const QPoint scroll(FEdit->horizontalScrollBar()->value(), FEdit->verticalScrollBar()->value());
    QPainter painter(FEdit->viewport());
    for (QTextBlock block = FirstBlockIn(area); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        const QPointF origin = layout->position() - scroll;
        if (origin.y() > area.bottom())
            break;
        const BlockSpelling *spelling = SpellingOf(block);
        if (!spelling || !block.isVisible())
            continue;
        for (const Underline &word : spelling->Words) {
            // A word broken over lines gets a line on each of its parts.
            for (int i = std::max(0, layout->lineForTextPosition(word.Start).lineNumber());
                 i < layout->lineCount(); ++i) {
                const QTextLine line = layout->lineAt(i);
                if (line.textStart() >= word.Start + word.Length)
                    break;
                const int from = std::max(word.Start, line.textStart());
                const int to
                    = std::min(word.Start + word.Length, line.textStart() + line.textLength());
                const qreal lineTop = origin.y() + line.y();
                if (from >= to || lineTop > area.bottom() || lineTop + line.height() < area.top())
                    continue;
                DrawWave(painter, origin.x() + line.cursorToX(from),
                         origin.x() + line.cursorToX(to), origin.y() + line.y() + line.ascent() + 2,
                         word.Kind);
            }
        }
    }
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
    const QTextBlock block = currentBlock();
    BlockSpelling &spelling = SpellingFor(block);
    if (!WithinBudget()) {
        spelling.Pending = true;
        FHasPending = true;
        ScheduleSlice();
        return;
    }
    spelling.Pending = false;
    QList<Underline> words = Misspellings(block, text);
    if (words != spelling.Words) {
        spelling.Words = std::move(words);
        UpdateBlockArea(block);
    }
}

QList<LiveSpellChecker::Underline> LiveSpellChecker::Misspellings(const QTextBlock &block,
                                                                  const QString &text)
{
    QList<Underline> underlines;
    const int blockStart = block.position();
    const int caret = CaretPosition();
    // The word being typed stays without a line until the caret leaves it: the caret
    // sits where the last change ended, or still in the word exempted before.
    const bool wasExempt = FExemptStart >= blockStart && FExemptStart < blockStart + text.size()
        && caret > FExemptStart && caret <= FExemptEnd;
    const bool typing = caret >= 0 && (caret == FLastEditEnd || wasExempt);
    if (FExemptStart >= blockStart && FExemptStart <= blockStart + text.size())
        FExemptStart = FExemptEnd = -1;
    int exemptStart = -1;
    ForEachWord(text, [&](int start, int length, const AnsiText &word) {
        if (typing && caret > blockStart + start && caret <= blockStart + start + length) {
            FExemptStart = exemptStart = blockStart + start;
            FExemptEnd = blockStart + start + length;
        } else if (FSpell->IsMisspelt(word)) {
            underlines.append({ start, length });
        }
        return true;
    });
    if (FSpell->ChecksContext())
        AddContextFlags(block, text, exemptStart, underlines);
    return underlines;
}

void LiveSpellChecker::AddContextFlags(const QTextBlock &block, const QString &text,
                                       int exemptStart, QList<Underline> &underlines)
{
    // In the caret's paragraph the sentence being written is left alone until it ends;
    // a paragraph the child has left is read as finished.
    const bool caretHere = FEdit->textCursor().block() == block;
    const int blockStart = block.position();
    bool added = false;
    for (const ContextFlag &flag : FSpell->ContextFlags(ToAnsi(text).str(), caretHere)) {
        if (blockStart + flag.Start == exemptStart
            || IsIgnoredOccurrence(blockStart + flag.Start, flag.Length))
            continue;
        underlines.append({ flag.Start, flag.Length, Problem::Context });
        added = true;
    }
    if (added)
        std::sort(underlines.begin(), underlines.end(),
                  [](const Underline &a, const Underline &b) { return a.Start < b.Start; });
}

bool LiveSpellChecker::IsIgnoredOccurrence(int start, int length)
{
    // An ignored word that was deleted leaves an empty selection behind: dropped here.
    FIgnored.removeIf([](const QTextCursor &c) { return !c.hasSelection(); });
    return std::any_of(FIgnored.cbegin(), FIgnored.cend(), [start, length](const QTextCursor &c) {
        return c.selectionStart() == start && c.selectionEnd() == start + length;
    });
}

void LiveSpellChecker::IgnoreOccurrence(int start, int length)
{
    QTextCursor cursor(FEdit->document());
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    FIgnored.append(cursor);
    FClock.start();
    rehighlightBlock(FEdit->document()->findBlock(start));
}

void LiveSpellChecker::CaretMoved()
{
    if (!document())
        return;
    // The paragraph the caret left counts as finished now: its last sentence is checked
    // in context too.
    const int caretBlock = FEdit->textCursor().blockNumber();
    if (caretBlock != FCaretBlock) {
        const QTextBlock left = document()->findBlockByNumber(FCaretBlock);
        FCaretBlock = caretBlock;
        if (left.isValid() && FSpell && FSpell->ChecksContext()) {
            FClock.start();
            rehighlightBlock(left);
        }
    }
    if (FExemptStart < 0)
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
    ForEachWord(block.text(), [&](int wordStart, int wordLength, const AnsiText &word) {
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

std::optional<LiveSpellChecker::ContextWord> LiveSpellChecker::ContextWordAt(int position) const
{
    if (!FEnabled || !FSpell || !FSpell->ChecksContext())
        return std::nullopt;
    const QTextBlock block = FEdit->document()->findBlock(position);
    const int offset = position - block.position();
    for (const Underline &word : Underlines(block)) {
        if (word.Kind != Problem::Context || offset < word.Start
            || offset > word.Start + word.Length)
            continue;
        // The word meant, from the paragraph's flags: those of a finished sentence.
        for (const ContextFlag &flag : FSpell->ContextFlags(ToAnsi(block.text()).str(), false))
            if (flag.Start == word.Start && flag.Length == word.Length)
                return ContextWord { block.position() + word.Start, word.Length,
                                     FromAnsi(flag.Suggestion.str()) };
    }
    return std::nullopt;
}

std::unique_ptr<QMenu> LiveSpellChecker::CreateContextMenu(const ContextWord &word)
{
    MenuWithHead menu(FEdit, "ContextMenu");
    connect(menu.Add(word.Suggestion, "Suggestion"), &QAction::triggered, this,
            [this, word] { ReplaceWord(word.Start, word.Length, word.Suggestion); });
    menu.AddSeparator();
    connect(menu.Add(tr("Ignore"), "Ignore"), &QAction::triggered, this,
            [this, word] { IgnoreOccurrence(word.Start, word.Length); });
    const QTextBlock block = FEdit->document()->findBlock(word.Start);
    const AnsiText typed = ToAnsi(block.text().mid(word.Start - block.position(), word.Length));
    QPointer<TCustomSpellDlg> spell = FSpell;
    connect(menu.Add(tr("Ignore All"), "IgnoreAll"), &QAction::triggered, this, [spell, typed] {
        if (spell)
            spell->IgnoreAll(typed);
    });
    menu.AddSeparator();
    return std::move(menu.Menu);
}

std::unique_ptr<QMenu> LiveSpellChecker::CreateSpellingMenu(int position)
{
    int start = 0, length = 0;
    if (!MisspeltWordAt(position, start, length)) {
        if (const std::optional<ContextWord> flagged = ContextWordAt(position))
            return CreateContextMenu(*flagged);
        return nullptr;
    }
    const QTextBlock block = FEdit->document()->findBlock(start);
    const AnsiText word = ToAnsi(block.text().mid(start - block.position(), length));
    MenuWithHead menu(FEdit, "SpellingMenu");
    if (auto suggestions
        = FSpell->WordSuggestions(word, ToAnsi(block.text()).str(), start - block.position())) {
        for (int i = 0; i < suggestions->Count() && i < MaxMenuSuggestions; ++i) {
            const QString replacement = FromAnsi((*suggestions)[i]);
            connect(
                menu.Add(replacement, "Suggestion"), &QAction::triggered, this,
                [this, start, length, replacement] { ReplaceWord(start, length, replacement); });
        }
    }
    menu.AddSeparator();
    QPointer<TCustomSpellDlg> spell = FSpell;
    connect(menu.Add(tr("Ignore All"), "IgnoreAll"), &QAction::triggered, this, [spell, word] {
        if (spell)
            spell->IgnoreAll(word);
    });
    connect(menu.Add(tr("Add to Dictionary"), "AddToDictionary"), &QAction::triggered, this,
            [spell, word] {
                if (spell)
                    spell->LearnWord(word);
            });
    menu.AddSeparator();
    return std::move(menu.Menu);
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
    const std::unique_ptr<QMenu> menu = CreateSpellingMenu(position);
    if (!menu)
        return false; // the edit's own menu
    if (keyboard)
        global = FEdit->viewport()->mapToGlobal(FEdit->cursorRect().bottomLeft());
    menu->exec(global);
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
    // The event's type is tested before the edit is asked for its viewport: while the edit is
    // destroyed its children still send events here, and it is no scroll area any more.
    if (event->type() == QEvent::Paint && watched == FEdit->viewport() && !FPaintingText && FEnabled
        && document()) {
        // The text first (through the edit's own handling), then the lines over it.
        FPaintingText = true;
        QCoreApplication::sendEvent(watched, event);
        FPaintingText = false;
        PaintUnderlines(static_cast<QPaintEvent *>(event)->rect());
        return true;
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
