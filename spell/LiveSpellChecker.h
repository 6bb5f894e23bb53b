#pragma once
// Checking while typing: a red wavy underline under every misspelt word of a text edit,
// and a context menu with suggestions, Ignore All and Add to Dictionary on such a word.
// It asks the spell check component, so it follows F7's word rule, dictionary, user word
// list and Ignore All list. When the component checks words in context, a known word it
// flags (the wrong word for its sentence, a missing capital) gets a blue line of arches
// with gaps, told apart from the red one by its shape as well as its colour, once its
// sentence is finished; its menu offers the word meant, Ignore and Ignore All.
//
// The misspelt words of each paragraph are kept as offsets beside it (block user data) and
// the wavy line is painted over the text, never put into the document or its layout: it is
// not saved, copied or undone, never sets the modified flag, and never makes a paragraph be
// laid out again (formats in a layout split its text into many separately shaped runs).
// Paragraphs are checked when they change; when a change covers much of the text (a
// document is opened, a word is learned) only 10 ms are spent at once, and the rest is
// checked in idle-time slices of at most 10 ms, the visible paragraphs first.

#include <QElapsedTimer>
#include <QPointer>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextCursor>
#include <memory>
#include <optional>

class QContextMenuEvent;
class QMenu;
class QTextEdit;
class TCustomSpellDlg;

class LiveSpellChecker : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    LiveSpellChecker(QTextEdit *edit, TCustomSpellDlg *spell);

    enum class Problem : uint8_t {
        Spelling, // not in the dictionary
        Context, // flagged by the check in context
    };
    // A flagged word of a paragraph, as offsets in it.
    struct Underline
    {
        int Start = 0;
        int Length = 0;
        Problem Kind = Problem::Spelling;
        bool operator==(const Underline &) const = default;
    };
    // The words of a paragraph underlined now (none while checking is off or paused).
    QList<Underline> Underlines(const QTextBlock &block) const;

    bool Enabled() const { return FEnabled; }
    // Turning on opens the dictionary when it is closed; if that fails, the one message
    // the component gives has been shown and checking stays off. Returns the new state.
    bool SetEnabled(bool value);
    // Whether every paragraph has been checked since its last change.
    bool Idle() const;
    // Checks every paragraph again, in slices (a word was learned or ignored).
    void RecheckAll();
    // The misspelt word that holds position (at its end included), as document
    // positions; false when the position is in no misspelt word.
    bool MisspeltWordAt(int position, int &start, int &length) const;
    // The word flagged in context that holds position (at its end included), as the
    // underlines show it, with the word meant; nothing when there is none.
    struct ContextWord
    {
        int Start = 0; // document position
        int Length = 0;
        QString Suggestion;
    };
    std::optional<ContextWord> ContextWordAt(int position) const;
    // This occurrence of a word flagged in context is left alone from now on.
    void IgnoreOccurrence(int start, int length);
    // Replaces a word of the text as one undo step, in the format of its first letter.
    void ReplaceWord(int start, int length, const QString &text);

    // The context menu for a misspelt or flagged word at a document position, or nullptr.
    std::unique_ptr<QMenu> CreateSpellingMenu(int position);

    // Underlines are dropped while one of these lives (printing, for instance).
    class Pause
    {
    public:
        explicit Pause(LiveSpellChecker *checker);
        ~Pause();
        Pause(const Pause &) = delete;
        Pause &operator=(const Pause &) = delete;

    private:
        QPointer<LiveSpellChecker> FChecker;
        bool FWasEnabled;
    };

signals:
    // Checking was turned off because the dictionary could not be opened.
    void Disabled();

protected:
    void highlightBlock(const QString &text) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Attach();
    void Detach();
    bool WithinBudget() const;
    void ScheduleSlice();
    void RunSlice();
    int TopVisibleBlock();
    QList<Underline> Misspellings(const QTextBlock &block, const QString &text);
    void UpdateBlockArea(const QTextBlock &block);
    QTextBlock FirstBlockIn(const QRect &area) const;
    void PaintUnderlines(const QRect &area);
    void CaretMoved();
    // The words of a paragraph that the check in context flags, once their sentence is
    // finished where the caret is.
    void AddContextFlags(const QTextBlock &block, const QString &text, int exemptStart,
                         QList<Underline> &underlines);
    bool IsIgnoredOccurrence(int start, int length);
    std::unique_ptr<QMenu> CreateContextMenu(const ContextWord &word);
    bool ShowMenu(QContextMenuEvent *event);
    int CaretPosition() const;

    QTextEdit *FEdit;
    QPointer<TCustomSpellDlg> FSpell;
    bool FEnabled = false;
    bool FPaintingText = false; // the viewport's own paint event is running
    bool FSliceQueued = false;
    bool FHasPending = false; // some paragraph waits for a slice
    QElapsedTimer FClock; // restarted by every change of the text and every slice
    int FLastEditEnd = -1; // where the last change of the text ended
    int FExemptStart = -1; // the word being typed, not underlined while the caret is in it
    int FExemptEnd = -1;
    int FScanFrom = 0; // block number where the search for unchecked paragraphs goes on
    int FTopScroll = 0; // the scroll position at which FTopBlock was found
    int FTopBlock = 0;
    int FCaretBlock = -1; // the paragraph the caret was last in, by number
    // The occurrences ignored in context, as selections that move with the text.
    QList<QTextCursor> FIgnored;
};
